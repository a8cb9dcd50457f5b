#pragma once
// The national postal-code file as the postal service publishes it: Shift-JIS CSV, one
// row per area in 15 columns (local-government code, old code, 7-digit code, three kana
// columns, prefecture, city, town, then six flag columns). Converted into the lines of
// zip.dat: the code, a comma, prefecture + city + town.
#include <string>
#include <string_view>
#include <vector>

namespace qm::postal {

// The zip.dat lines (CP932) of the file's bytes. Rows that continue a long town name are
// joined; the town texts that stand for "no town" (以下に掲載がない場合, …の次に番地が
// くる場合, …一円) become empty; notes in full-width parentheses are dropped; a line
// equal to the one before is written once. Throws qm::Error naming the row when a row
// has not 15 columns or no 7-digit code, or when the file holds no row.
std::vector<std::string> ConvertNationalCsv(std::string_view csv);

// The town of a row after the rules above (UTF-8 in, UTF-8 out).
std::string CleanTown(const std::string& town);

// Replaces zip.dat of `zipFolder` by the converted table; version.txt keeps its key and
// describes the data as imported from `sourceName`. Nothing is written unless the whole
// file converted. Answers the number of lines written.
std::size_t ImportNationalCsv(const std::string& csvFile, const std::string& zipFolder);

}  // namespace qm::postal
