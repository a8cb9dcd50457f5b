#include "model/master_sort.h"

#include <gtest/gtest.h>

#include "base/error.h"

using qm::CustomerColumn;
using qm::TMxCustomerObject;
using qm::TMxCustomerObjectList;

namespace {

TMxCustomerObjectList Customers(const std::vector<std::pair<std::string, std::string>>& codeAndName) {
  TMxCustomerObjectList list;
  for (const auto& [code, name] : codeAndName) {
    auto c = std::make_unique<TMxCustomerObject>();
    c->SetCustomerCode(code);
    c->SetCustomerName1(name);
    list.Add(std::move(c));
  }
  return list;
}

std::vector<std::string> Column(const TMxCustomerObjectList& list, CustomerColumn column) {
  std::vector<std::string> values;
  for (int i = 0; i < list.Count(); ++i) values.push_back(qm::CustomerField(list.Items(i), column));
  return values;
}

}  // namespace

TEST(MasterSort, CustomerFieldsAreTextInJapaneseOrder) {
  TMxCustomerObjectList list = Customers({{"9", "いしだ"}, {"100", "アオキ"}, {"10", "あおやま"}});
  qm::SortCustomers(list, CustomerColumn::Code, false);
  EXPECT_EQ(Column(list, CustomerColumn::Code), (std::vector<std::string>{"10", "100", "9"}));
  qm::SortCustomers(list, CustomerColumn::Code, true);
  EXPECT_EQ(Column(list, CustomerColumn::Code), (std::vector<std::string>{"9", "100", "10"}));

  // Letters without regard to case; kana before kanji as a Japanese list reads.
  TMxCustomerObjectList names = Customers({{"1", "beta"}, {"2", "Alpha"}, {"3", "山田"}, {"4", "あべ"}, {"5", "ALPHA2"}});
  qm::SortCustomers(names, CustomerColumn::Name1, false);
  const std::vector<std::string> sorted = Column(names, CustomerColumn::Name1);
  EXPECT_EQ(sorted[0], "Alpha");
  EXPECT_EQ(sorted[1], "ALPHA2");
  EXPECT_EQ(sorted[2], "beta");
  EXPECT_LT(std::find(sorted.begin(), sorted.end(), "あべ"), std::find(sorted.begin(), sorted.end(), "山田"));
}

TEST(MasterSort, EqualKeysKeepTheirOrderAndTheRecordsStayTheSame) {
  TMxCustomerObjectList list = Customers({{"B", "x"}, {"A", "y"}, {"B", "z"}, {"A", "w"}});
  const TMxCustomerObject* z = &list.Items(2);
  qm::SortCustomers(list, CustomerColumn::Code, false);
  EXPECT_EQ(Column(list, CustomerColumn::Name1), (std::vector<std::string>{"y", "w", "x", "z"}));
  EXPECT_EQ(list.IndexOf(z), 3);  // the same object, moved
  qm::SortCustomers(list, CustomerColumn::Code, true);
  EXPECT_EQ(Column(list, CustomerColumn::Name1), (std::vector<std::string>{"x", "z", "y", "w"}));
  // Every column sorts by its own field.
  for (int c = 0; c < qm::kCustomerColumns; ++c) {
    TMxCustomerObjectList one;
    for (const char* v : {"b", "a", "c"}) {
      auto customer = std::make_unique<TMxCustomerObject>();
      qm::SetCustomerField(*customer, static_cast<CustomerColumn>(c), v);
      one.Add(std::move(customer));
    }
    qm::SortCustomers(one, static_cast<CustomerColumn>(c), false);
    EXPECT_EQ(Column(one, static_cast<CustomerColumn>(c)), (std::vector<std::string>{"a", "b", "c"})) << c;
  }
  EXPECT_STREQ(qm::CustomerFieldKey(CustomerColumn::Tel), "TelNo");
  EXPECT_THROW(list.Reorder({0, 1}), qm::Error);
  EXPECT_THROW(list.Reorder({0, 0, 1, 2}), qm::Error);
  EXPECT_EQ(list.Count(), 4);
}

TEST(MasterSort, ItemAmountsSortAsNumbers) {
  qm::TMxItemObjectList items;
  for (const auto& [name, price] : std::vector<std::pair<std::string, int>>{{"c", 900}, {"a", 1500}, {"b", -3}}) {
    auto item = std::make_unique<qm::TMxItemObject>();
    item->SetItemName(name);
    item->SetItemPrice(qm::Currency::FromYen(price));
    items.Add(std::move(item));
  }
  qm::SortItems(items, qm::ItemColumn::Price, false);
  EXPECT_EQ(items.Items(0).ItemName(), "b");
  EXPECT_EQ(items.Items(2).ItemName(), "a");
  qm::SortItems(items, qm::ItemColumn::Name, true);
  EXPECT_EQ(items.Items(0).ItemName(), "c");
}
