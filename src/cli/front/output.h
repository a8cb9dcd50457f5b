#pragma once
// Writing a command's result to its output stream.
#include <cstdio>
#include <string>

namespace qm::cli {

// Writes and flushes; throws qm::Error when the stream refuses.
void WriteOutput(std::FILE* stream, const std::string& text);

}  // namespace qm::cli
