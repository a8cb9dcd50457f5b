#include "cli/front/output.h"

#include "base/error.h"
#include "cli/front/messages.h"

namespace qm::cli {

void WriteOutput(std::FILE* stream, const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), stream) != text.size() || std::fflush(stream) != 0)
    throw Error(msg::CannotWriteOutput());
}

}  // namespace qm::cli
