#pragma once
// The line files of the masters: CP932, one record per line, CR LF after every line.
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The lines of the file as UTF-8, without their line ends (CR LF or LF); a line end
// at the very end makes no extra line. A missing file gives no line; one that exists
// but cannot be read throws qm::Error naming it.
std::vector<std::string> ReadMasterLines(const std::string& fileName);

// Writes every line followed by CR LF, replacing the file atomically. Throws qm::Error
// naming the file when a line holds a line break or NUL (it would not read back as one
// record), when a character has no CP932 form, or when the file cannot be written.
void WriteMasterLines(const std::string& fileName, const std::vector<std::string>& lines);

namespace masters_msg {

// Loading stopped at a line; `lineNo` counts from 1.
std::string UnreadableLine(const std::string& fileName, int lineNo, std::string_view reason);
inline constexpr const char* kCustomerFieldsMissing = "項目が 9 個ありません";
inline constexpr const char* kItemFieldsMissing = "品名と単位の 2 項目がありません";
// Saving refused because the file was read only in part.
std::string KeptAfterIncompleteLoad(const std::string& fileName);

}  // namespace masters_msg
}  // namespace qm
