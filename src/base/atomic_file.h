#pragma once
// Whole-file reads and atomic replacement: a file is written beside its target,
// flushed and renamed over it, so a failed write leaves the old file intact.
#include <string>
#include <string_view>

namespace qm {

// Throws qm::Error naming the file when it cannot be written; the old content stays.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Throws qm::Error naming the file when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace qm
