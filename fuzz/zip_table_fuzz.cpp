// Fuzz target for the postal table reader and its lookups. Any bytes are a table; a line
// never holds a line end; what a hit shows stays within its limits; a line is found by
// the first bytes of its own text and by its own decoded text. Anything else aborts.
#include <string>
#include <string_view>

#include "base/cp932.h"
#include "fuzz_target.h"
#include "postal/zip_table.h"

namespace {

bool g_accepted = false;

[[noreturn]] void Fail(const std::string& what) { FuzzFail("zip_table_fuzz", what); }

bool Contains(const std::vector<std::size_t>& hits, std::size_t line) {
  for (std::size_t h : hits)
    if (h == line) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

bool FuzzLastInputAccepted() { return g_accepted; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const qm::postal::ZipTable table = qm::postal::ZipTable::FromBytes(bytes);
  g_accepted = true;
  std::size_t total = 0;
  for (std::size_t i = 0; i < table.LineCount(); ++i) {
    const std::string_view line = table.Line(i);
    if (line.empty()) Fail("an empty line was kept");
    if (line.find('\r') != std::string_view::npos || line.find('\n') != std::string_view::npos)
      Fail("a line holds a line end");
    total += line.size();
    const qm::postal::ZipHit hit = table.Hit(i);
    if (qm::cp932::Encode(hit.zipCode).bytes.size() > 128) Fail("a displayed code is longer than 128 bytes");
    if (qm::cp932::Encode(hit.address).bytes.size() > 512) Fail("an address is longer than 512 bytes");
  }
  if (total > bytes.size()) Fail("the lines hold more bytes than the file");
  if (table.LineCount() == 0) return 0;
  // The first and the last line by their own beginning and their own text.
  for (const std::size_t i : {std::size_t{0}, table.LineCount() - 1}) {
    const std::string_view line = table.Line(i);
    if (!Contains(table.LinesStartingWith(line.substr(0, 3)), i)) Fail("a line is not found by its first bytes");
    const std::string text = qm::cp932::Decode(line);
    if (!Contains(table.LinesContaining(text), i)) Fail("a line is not found by its own text");
  }
  return 0;
}
