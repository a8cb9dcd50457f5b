// Fuzz target for the reader of customer CSV files. Every file reads; no value holds a
// line end or NUL; the grid is as wide as its widest row; a line without quotes and
// without control characters reads as its plain comma-separated values (spaces kept,
// trailing commas cut); every row imports as one customer. Anything else aborts.
#include <string>
#include <string_view>

#include "base/cp932.h"
#include "base/text_lines.h"
#include "fuzz_target.h"
#include "model/customer_import.h"

namespace {

[[noreturn]] void Fail(const std::string& what) { FuzzFail("customer_csv_fuzz", what); }

bool Plain(std::string_view line) {
  for (char c : line)
    if (c == '"' || (static_cast<unsigned char>(c) < 32)) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

bool FuzzLastInputAccepted() { return true; }  // every file reads

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const qm::CsvGrid grid = qm::ReadImportCsv(bytes);
  if (grid.columns < 1) Fail("a grid without a column");
  std::size_t widest = 0;
  for (const auto& row : grid.rows) {
    widest = std::max(widest, row.size());
    for (const std::string& v : row)
      if (v.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) Fail("a value holds a line end or NUL");
  }
  if (static_cast<int>(std::max<std::size_t>(widest, 1)) != grid.columns) Fail("the grid is not as wide as its widest row");

  // Plain lines, kept in order: compare them with the rows they gave.
  std::size_t row = 0;
  for (std::string_view line : qm::TextLines(bytes)) {
    std::string_view cut = line;
    while (!cut.empty() && cut.back() == ',') cut.remove_suffix(1);
    if (!line.empty() && cut.empty()) continue;  // nothing but commas: dropped
    if (row >= grid.rows.size()) Fail("fewer rows than kept lines");
    if (Plain(line) && !line.empty()) {
      std::vector<std::string> expected;
      std::size_t from = 0;
      for (std::size_t comma; (comma = cut.find(',', from)) != std::string_view::npos; from = comma + 1)
        expected.push_back(qm::cp932::Decode(cut.substr(from, comma - from)));
      expected.push_back(qm::cp932::Decode(cut.substr(from)));
      if (grid.rows[row] != expected) Fail("a plain line read as other values");
    }
    ++row;
  }
  if (row != grid.rows.size()) Fail("more rows than kept lines");

  qm::ImportMapping mapping{};
  for (int f = 0; f < qm::kCustomerColumns; ++f) mapping[static_cast<std::size_t>(f)] = f;
  qm::TMxCustomerObjectList list;
  if (qm::ImportCustomers(grid, mapping, list) != list.Count() || list.Count() != static_cast<int>(grid.rows.size()))
    Fail("the rows did not import one for one");
  return 0;
}
