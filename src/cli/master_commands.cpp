#include "cli/master_commands.h"

#include <charconv>

#include "base/data_folders.h"
#include "cli/front/json_writer.h"
#include "cli/front/output.h"
#include "base/error.h"
#include "cli/front/messages.h"
#include "model/customer_import.h"
#include "model/master_lists.h"
#include "model/master_sort.h"

namespace qm::cli {
namespace {

// Prints the list as a JSON array, one entry per record.
template <class List, class Entry>
void PrintList(const Invocation& in, const List& list, Entry entry) {
  JsonWriter json;
  json.BeginArray();
  for (int i = 0; i < list.Count(); ++i) entry(json, list.Items(i));
  json.EndArray();
  WriteOutput(in.out, json.Take());
}

void CustomerEntry(JsonWriter& json, const TMxCustomerObject& c) {
  json.BeginObject();
  const std::pair<const char*, const std::string&> fields[] = {
      {"CustomerCode", c.CustomerCode()}, {"CustomerName1", c.CustomerName1()}, {"CustomerName2", c.CustomerName2()},
      {"CustomerName3", c.CustomerName3()}, {"ZipNo", c.ZipNo()}, {"Address1", c.Address1()},
      {"Address2", c.Address2()}, {"TelNo", c.TelNo()}, {"FaxNo", c.FaxNo()},
  };
  for (const auto& [key, value] : fields) {
    json.Key(key);
    json.String(value);
  }
  json.EndObject();
}

void ItemEntry(JsonWriter& json, const TMxItemObject& item) {
  json.BeginObject();
  json.Key("ItemName");
  json.String(item.ItemName());
  json.Key("ItemUnit");
  json.String(item.ItemUnit());
  json.Key("ItemPrice");
  json.String(item.ItemPrice().ToDecimalText());
  json.Key("ItemCost");
  json.String(item.ItemCost().ToDecimalText());
  json.EndObject();
}

CustomerColumn CustomerColumnOf(const std::string& key) {
  std::string keys;
  for (int c = 0; c < kCustomerColumns; ++c) {
    const auto column = static_cast<CustomerColumn>(c);
    if (key == CustomerFieldKey(column)) return column;
    keys += (c ? ", " : "") + std::string(CustomerFieldKey(column));
  }
  throw Error(msg::UnknownSortKey(key, keys));
}

ItemColumn ItemColumnOf(const std::string& key) {
  for (ItemColumn c : {ItemColumn::Name, ItemColumn::Unit, ItemColumn::Price, ItemColumn::Cost})
    if (key == ItemFieldKey(c)) return c;
  throw Error(msg::UnknownSortKey(key, "ItemName, ItemUnit, ItemPrice, ItemCost"));
}

// qm customers import: the file read as the import dialog reads it, the presets or the
// --map choices, the rows appended and the master saved.
void ImportCustomersCommand(const Invocation& in, const std::string& csvFile) {
  if (in.args.Has("--sort") || in.args.Has("--desc") || in.args.Has("--csv"))
    throw Error(msg::OptionNotForCommand("--sort/--desc/--csv", "customers import"));
  const CsvGrid grid = ReadImportCsvFile(csvFile);
  ImportMapping mapping = PresetMapping(grid.columns);
  for (const std::string& map : in.args.Values("--map")) {
    const std::size_t eq = map.find('=');
    if (eq == std::string::npos) throw Error(msg::BadMap(map));
    const CustomerColumn field = CustomerColumnOf(map.substr(0, eq));
    const std::string number = map.substr(eq + 1);
    int n = -1;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), n);
    if (ec != std::errc() || end != number.data() + number.size() || n < 0) throw Error(msg::BadMap(map));
    mapping[static_cast<std::size_t>(field)] = n == 0 ? kNoColumn : n - 1;
  }
  TMxCustomerObjectList list;
  list.LoadConfig(in.data.CustomerFile());
  const int added = ImportCustomers(grid, mapping, list);
  list.SaveConfig(in.data.CustomerFile());
  JsonWriter json;
  json.BeginObject();
  json.Key("Added");
  json.Integer(added);
  json.EndObject();
  WriteOutput(in.out, json.Take());
}

}  // namespace

void CustomersCommand(const Invocation& in) {
  const auto& operands = in.args.operands;
  if (!operands.empty()) {
    if (operands.front() != "import") throw Error(msg::NotCustomersSubcommand(operands.front()));
    if (operands.size() != 2) throw Error(operands.size() < 2 ? msg::MissingArgument(kCustomersSynopsis)
                                                              : msg::ExtraArgument(operands[2], kCustomersSynopsis));
    ImportCustomersCommand(in, operands[1]);
    return;
  }
  TMxCustomerObjectList list;
  list.LoadConfig(in.data.CustomerFile());
  if (const auto key = in.args.Value("--sort")) SortCustomers(list, CustomerColumnOf(*key), in.args.Has("--desc"));
  if (const auto csv = in.args.Value("--csv")) {
    list.ExportCSV(*csv);
    return;
  }
  PrintList(in, list, CustomerEntry);
}

void ItemsCommand(const Invocation& in) {
  TMxItemObjectList list;
  list.LoadConfig(in.data.ItemFile());
  if (const auto key = in.args.Value("--sort")) SortItems(list, ItemColumnOf(*key), in.args.Has("--desc"));
  PrintList(in, list, ItemEntry);
}

void UnitsCommand(const Invocation& in) {
  TMxItemUnitObjectList list;
  list.LoadConfig(in.data.ItemUnitFile());
  PrintList(in, list, [](JsonWriter& json, const TMxItemUnitObject& unit) { json.String(unit.ItemUnit()); });
}

}  // namespace qm::cli
