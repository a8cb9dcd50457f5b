#include "model/customer_import.h"

#include <algorithm>

#include "base/atomic_file.h"
#include "base/comma_text.h"
#include "base/cp932.h"
#include "base/text_lines.h"

namespace qm {

std::string Han2Zen(int n) {
  static const char* const kDigits[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
  std::string out;
  for (char c : std::to_string(n)) out += c >= '0' && c <= '9' ? kDigits[c - '0'] : std::string(1, c);
  return out;
}

CsvGrid ReadImportCsv(std::string_view bytes) {
  CsvGrid grid;
  for (std::string_view line : TextLines(bytes)) {
    if (!line.empty()) {
      while (!line.empty() && line.back() == ',') line.remove_suffix(1);
      if (line.empty()) continue;  // nothing but commas
    }
    std::vector<std::string> values;
    for (std::string& v : SplitCommaText(line, Blanks::ControlsOnly)) values.push_back(cp932::Decode(v));
    grid.columns = std::max(grid.columns, static_cast<int>(values.size()));
    grid.rows.push_back(std::move(values));
  }
  return grid;
}

CsvGrid ReadImportCsvFile(const std::string& fileName) { return ReadImportCsv(ReadWholeFile(fileName)); }

ImportMapping PresetMapping(int columns) {
  // Column numbers from 1 as the dialog shows them; 0 for none.
  constexpr std::array<int, kCustomerColumns> kPreset = {0, 1, 2, 3, 6, 7, 8, 4, 5};
  ImportMapping mapping{};
  for (std::size_t f = 0; f < mapping.size(); ++f)
    mapping[f] = kPreset[f] >= 1 && kPreset[f] <= columns ? kPreset[f] - 1 : kNoColumn;
  return mapping;
}

int ImportCustomers(const CsvGrid& grid, const ImportMapping& mapping, TMxCustomerObjectList& list) {
  for (const std::vector<std::string>& row : grid.rows) {
    auto customer = std::make_unique<TMxCustomerObject>();
    for (std::size_t f = 0; f < mapping.size(); ++f) {
      const int column = mapping[f];
      if (column == kNoColumn) continue;
      const auto at = static_cast<std::size_t>(column);
      SetCustomerField(*customer, static_cast<CustomerColumn>(f), at < row.size() ? row[at] : std::string());
    }
    list.Add(std::move(customer));
  }
  return static_cast<int>(grid.rows.size());
}

}  // namespace qm
