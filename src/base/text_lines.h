#pragma once
// The lines of a text as the program's files and downloads end them: CR LF, a lone LF and
// a lone CR each end a line; a line end at the very end adds no empty line.
#include <string_view>
#include <vector>

namespace qm {

// Views into `text`, which must outlive them.
std::vector<std::string_view> TextLines(std::string_view text);

}  // namespace qm
