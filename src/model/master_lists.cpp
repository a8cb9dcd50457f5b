#include "model/master_lists.h"

#include <memory>
#include <vector>

#include "base/comma_text.h"

namespace qm {
namespace {

constexpr const char* kCustomerCsvHeading =
    "お客様コード,会社名１,会社名２,会社名３,郵便番号,住所１,住所２,ＴＥＬ,ＦＡＸ";

std::string CustomerLine(const TMxCustomerObject& c) {
  return JoinCSV({c.CustomerCode(), c.CustomerName1(), c.CustomerName2(), c.CustomerName3(), c.ZipNo(),
                  c.Address1(), c.Address2(), c.TelNo(), c.FaxNo()});
}

std::unique_ptr<TMxCustomerObject> ParseCustomer(const std::string& line) {
  std::vector<std::string> f = SplitCommaText(line);
  if (f.size() < 9) return nullptr;
  auto c = std::make_unique<TMxCustomerObject>();
  c->SetCustomerCode(std::move(f[0]));
  c->SetCustomerName1(std::move(f[1]));
  c->SetCustomerName2(std::move(f[2]));
  c->SetCustomerName3(std::move(f[3]));
  c->SetZipNo(std::move(f[4]));
  c->SetAddress1(std::move(f[5]));
  c->SetAddress2(std::move(f[6]));
  c->SetTelNo(std::move(f[7]));
  c->SetFaxNo(std::move(f[8]));
  return c;
}

// A missing or unreadable amount is no reason to lose the item.
Currency AmountField(const std::vector<std::string>& f, std::size_t index) {
  if (index >= f.size()) return Currency();
  return Currency::TryParseDecimal(f[index]).value_or(Currency());
}

std::unique_ptr<TMxItemObject> ParseItem(const std::string& line) {
  std::vector<std::string> f = SplitCommaText(line);
  if (f.size() < 2) return nullptr;
  auto item = std::make_unique<TMxItemObject>();
  item->SetItemPrice(AmountField(f, 2));
  item->SetItemCost(AmountField(f, 3));
  item->SetItemName(std::move(f[0]));
  item->SetItemUnit(std::move(f[1]));
  return item;
}

// One line per record, after the heading when there is one.
template <class List, class Format>
std::vector<std::string> Lines(const List& list, Format format, const char* heading = nullptr) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(list.Count()) + 1);
  if (heading) lines.emplace_back(heading);
  for (int i = 0; i < list.Count(); ++i) lines.push_back(format(list.Items(i)));
  return lines;
}

}  // namespace

void TMxCustomerObjectList::LoadConfig(const std::string& fileName) {
  LoadLines(fileName, masters_msg::kCustomerFieldsMissing, ParseCustomer);
}

void TMxCustomerObjectList::SaveConfig(const std::string& fileName) const {
  RequireLoadedWhole();
  WriteMasterLines(fileName, Lines(*this, CustomerLine));
}

void TMxCustomerObjectList::ExportCSV(const std::string& fileName) const {
  WriteMasterLines(fileName, Lines(*this, CustomerLine, kCustomerCsvHeading));
}

void TMxItemObjectList::LoadConfig(const std::string& fileName) {
  Clear();
  LoadLines(fileName, masters_msg::kItemFieldsMissing, ParseItem);
}

void TMxItemObjectList::SaveConfig(const std::string& fileName) const {
  RequireLoadedWhole();
  WriteMasterLines(fileName, Lines(*this, [](const TMxItemObject& item) {
                     return JoinCSV({item.ItemName(), item.ItemUnit(), item.ItemPrice().ToDecimalText(),
                                     item.ItemCost().ToDecimalText()});
                   }));
}

void TMxItemUnitObjectList::LoadConfig(const std::string& fileName) {
  Clear();
  // Every line is a unit, an empty one included.
  LoadLines(fileName, "", [](const std::string& line) {
    auto unit = std::make_unique<TMxItemUnitObject>();
    unit->SetItemUnit(line);
    return unit;
  });
}

void TMxItemUnitObjectList::SaveConfig(const std::string& fileName) const {
  RequireLoadedWhole();
  WriteMasterLines(fileName, Lines(*this, [](const TMxItemUnitObject& unit) { return unit.ItemUnit(); }));
}

}  // namespace qm
