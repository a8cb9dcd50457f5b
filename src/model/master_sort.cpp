#include "model/master_sort.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

namespace qm {
namespace {

using C = TMxCustomerObject;
struct CustomerAccess {
  const std::string& (C::*get)() const;
  void (C::*set)(std::string);
  const char* key;
};
constexpr std::array<CustomerAccess, kCustomerColumns> kCustomerFields = {{
    {&C::CustomerCode, &C::SetCustomerCode, "CustomerCode"},
    {&C::CustomerName1, &C::SetCustomerName1, "CustomerName1"},
    {&C::CustomerName2, &C::SetCustomerName2, "CustomerName2"},
    {&C::CustomerName3, &C::SetCustomerName3, "CustomerName3"},
    {&C::ZipNo, &C::SetZipNo, "ZipNo"},
    {&C::Address1, &C::SetAddress1, "Address1"},
    {&C::Address2, &C::SetAddress2, "Address2"},
    {&C::TelNo, &C::SetTelNo, "TelNo"},
    {&C::FaxNo, &C::SetFaxNo, "FaxNo"},
}};

const CustomerAccess& Access(CustomerColumn column) { return kCustomerFields.at(static_cast<std::size_t>(column)); }

QCollator JapaneseCollator() {
  QCollator collator(QLocale(QLocale::Japanese, QLocale::Japan));
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  collator.setNumericMode(false);
  return collator;
}

// The order of `count` records by the texts `text(i)`: one sort key a record, then a
// stable sort of the indexes.
template <class Text>
std::vector<int> TextOrder(int count, Text text, bool descending) {
  const QCollator collator = JapaneseCollator();
  std::vector<QCollatorSortKey> keys;
  keys.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) keys.push_back(collator.sortKey(QString::fromStdString(text(i))));
  std::vector<int> order(static_cast<std::size_t>(count));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const int c = keys[static_cast<std::size_t>(a)].compare(keys[static_cast<std::size_t>(b)]);
    return descending ? c > 0 : c < 0;
  });
  return order;
}

}  // namespace

const std::string& CustomerField(const TMxCustomerObject& c, CustomerColumn column) { return (c.*Access(column).get)(); }

void SetCustomerField(TMxCustomerObject& c, CustomerColumn column, std::string value) {
  (c.*Access(column).set)(std::move(value));
}

const char* CustomerFieldKey(CustomerColumn column) { return Access(column).key; }

void SortCustomers(TMxCustomerObjectList& list, CustomerColumn column, bool descending) {
  list.Reorder(TextOrder(list.Count(), [&](int i) -> const std::string& { return CustomerField(list.Items(i), column); },
                         descending));
}

const char* ItemFieldKey(ItemColumn column) {
  switch (column) {
    case ItemColumn::Name: return "ItemName";
    case ItemColumn::Unit: return "ItemUnit";
    case ItemColumn::Price: return "ItemPrice";
    case ItemColumn::Cost: return "ItemCost";
  }
  return "";
}

void SortItems(TMxItemObjectList& list, ItemColumn column, bool descending) {
  if (column == ItemColumn::Name || column == ItemColumn::Unit) {
    list.Reorder(TextOrder(
        list.Count(),
        [&](int i) -> const std::string& {
          return column == ItemColumn::Name ? list.Items(i).ItemName() : list.Items(i).ItemUnit();
        },
        descending));
    return;
  }
  std::vector<int> order(static_cast<std::size_t>(list.Count()));
  std::iota(order.begin(), order.end(), 0);
  const auto amount = [&](int i) {
    return column == ItemColumn::Price ? list.Items(i).ItemPrice() : list.Items(i).ItemCost();
  };
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return descending ? amount(b) < amount(a) : amount(a) < amount(b); });
  list.Reorder(order);
}

}  // namespace qm
