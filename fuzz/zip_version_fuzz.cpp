// Fuzz target for the update's text handling: CorrectCR, the line splitting of the
// version file and the check of a downloaded table. After CorrectCR no control character
// is left but CR LF pairs, a second pass changes nothing, and the split lines hold no
// control character; a body that passes the table check reads back as lines that each
// start with digits and a comma. Anything else aborts.
#include <string>

#include "fuzz_target.h"
#include "postal/zip_update.h"

namespace {

bool g_accepted = false;

[[noreturn]] void Fail(const std::string& what) { FuzzFail("zip_version_fuzz", what); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

bool FuzzLastInputAccepted() { return g_accepted; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  g_accepted = true;
  const std::string corrected = qm::postal::CorrectCR(text);
  for (std::size_t i = 0; i < corrected.size(); ++i) {
    const auto c = static_cast<unsigned char>(corrected[i]);
    if (c >= 32) continue;
    if (c != '\r' || i + 1 >= corrected.size() || corrected[i + 1] != '\n') Fail("a control character is left");
    ++i;
  }
  if (qm::postal::CorrectCR(corrected) != corrected) Fail("a second CorrectCR changed the text");
  for (const std::string& line : qm::postal::SplitAnyLines(corrected))
    for (char c : line)
      if (static_cast<unsigned char>(c) < 32) Fail("a version line holds a control character");
  if (qm::postal::LooksLikeZipTable(text)) {
    for (const std::string& line : qm::postal::SplitAnyLines(text)) {
      if (line.empty()) continue;
      if (line[0] < '0' || line[0] > '9' || line.find(',') == std::string::npos) Fail("a table line passed the check");
    }
  }
  return 0;
}
