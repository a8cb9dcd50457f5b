// Fuzz target for the conversion of the national postal-code CSV. A file is either refused
// with qm::Error or gives zip.dat lines, each a 7-digit code, a comma and an address
// without line ends, which the table reader reads back one for one; no two neighbouring
// lines are the same. Anything else aborts.
#include <string>

#include "base/error.h"
#include "fuzz_target.h"
#include "postal/national_csv.h"
#include "postal/zip_table.h"
#include "postal/zip_update.h"

namespace {

bool g_accepted = false;

[[noreturn]] void Fail(const std::string& what) { FuzzFail("national_csv_fuzz", what); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

bool FuzzLastInputAccepted() { return g_accepted; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view csv(reinterpret_cast<const char*>(data), size);
  g_accepted = false;
  std::vector<std::string> lines;
  try {
    lines = qm::postal::ConvertNationalCsv(csv);
  } catch (const qm::Error&) {
    return 0;
  }
  g_accepted = true;
  if (lines.empty()) Fail("a converted file has no line");
  std::string table;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.size() < 8 || line[7] != ',') Fail("a line does not start with a code and a comma");
    for (std::size_t k = 0; k < 7; ++k)
      if (line[k] < '0' || line[k] > '9') Fail("a code is not seven digits");
    if (line.find('\r') != std::string::npos || line.find('\n') != std::string::npos) Fail("a line holds a line end");
    if (i > 0 && lines[i - 1] == line) Fail("a line is written twice in a row");
    table += line + "\r\n";
  }
  if (!qm::postal::LooksLikeZipTable(table)) Fail("the converted table is not a postal table");
  if (qm::postal::ZipTable::FromBytes(table).LineCount() != lines.size()) Fail("the table reads back another count");
  return 0;
}
