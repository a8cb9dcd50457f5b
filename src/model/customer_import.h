#pragma once
// Reading customers from any comma-separated file: the file shown as a grid of values,
// a column of it (or none) chosen for each customer field, the rows appended as
// customers. Nothing is validated or converted.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/master_lists.h"
#include "model/master_sort.h"

namespace qm {

// The decimal digits of n as full-width digits: 12 gives "１２".
std::string Han2Zen(int n);

// The values of a file: one row a line, text as UTF-8.
struct CsvGrid {
  std::vector<std::vector<std::string>> rows;
  int columns = 1;  // the most values of a line, at least 1
};

// Reads the bytes of a Shift-JIS file: CR LF, LF or CR end a line; trailing commas are
// cut and a line that had nothing else is dropped (a line empty from the start stays);
// values split by the comma-text rule with the ASCII space protected, so only the codes
// 1 to 31 separate or end a value and a space stays inside it.
CsvGrid ReadImportCsv(std::string_view bytes);
// The same from a file; throws qm::Error naming it when it cannot be read.
CsvGrid ReadImportCsvFile(const std::string& fileName);

// For each customer field in column order (code, names 1–3, postal code, addresses,
// TEL, FAX): the column of the file (from 0), or -1 for none.
using ImportMapping = std::array<int, kCustomerColumns>;
inline constexpr int kNoColumn = -1;

// The choices the import dialog starts with for a file of `columns` columns: names 1–3
// from columns 1–3, TEL 4, FAX 5, postal code 6, addresses 7 and 8, no code; a column the
// file does not have is none.
ImportMapping PresetMapping(int columns);

// Appends one customer per row of the grid with the mapped values (empty where a row is
// shorter); answers the number added.
int ImportCustomers(const CsvGrid& grid, const ImportMapping& mapping, TMxCustomerObjectList& list);

}  // namespace qm
