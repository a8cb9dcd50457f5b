#include "cli/master_commands.h"

#include "base/data_folders.h"
#include "cli/front/json_writer.h"
#include "cli/front/output.h"
#include "model/master_lists.h"

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

}  // namespace

void CustomersCommand(const Invocation& in) {
  TMxCustomerObjectList list;
  list.LoadConfig(in.data.CustomerFile());
  if (const auto csv = in.args.Value("--csv")) {
    list.ExportCSV(*csv);
    return;
  }
  PrintList(in, list, CustomerEntry);
}

void ItemsCommand(const Invocation& in) {
  TMxItemObjectList list;
  list.LoadConfig(in.data.ItemFile());
  PrintList(in, list, ItemEntry);
}

void UnitsCommand(const Invocation& in) {
  TMxItemUnitObjectList list;
  list.LoadConfig(in.data.ItemUnitFile());
  PrintList(in, list, [](JsonWriter& json, const TMxItemUnitObject& unit) { json.String(unit.ItemUnit()); });
}

}  // namespace qm::cli
