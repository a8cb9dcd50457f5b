#pragma once
// Comma-separated text as the master files and the customer export use it.
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Doubles every '"'; then encloses the text in quotes when it holds a comma, a quote
// or a space. Other characters with codes 1 to 31 are quoted as well, since the reader
// takes them for blanks outside quotes. A full-width space needs no quotes.
std::string StrToCSV(std::string_view field);

// The fields quoted by StrToCSV and joined with commas, no spaces.
std::string JoinCSV(const std::vector<std::string>& fields);

// Splits one line (without its line end):
//  1. characters with codes 1 to 32 before a field are skipped;
//  2. a field starting with '"' runs to the closing quote, "" standing for one quote
//     (an unclosed quote takes the rest of the line);
//  3. any other field runs to the next comma or character with code 1 to 32;
//  4. after a field, codes 1 to 32 are skipped; a comma starts the next field, and a
//     comma that ends the line yields one more, empty, field. Anything else starts the
//     next field where it stands.
// A NUL character ends the line. An empty line gives no field.
// With Blanks::ControlsOnly the ASCII space is protected: it never starts, ends or
// separates a field and stays inside it; only the codes 1 to 31 are blanks (the customer
// CSV import reads files this way).
enum class Blanks { WithSpace, ControlsOnly };
std::vector<std::string> SplitCommaText(std::string_view line, Blanks blanks = Blanks::WithSpace);

}  // namespace qm
