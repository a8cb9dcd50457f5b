#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "base/error.h"
#include "model/master_lists.h"
#include "support/bytes.h"

using qm::Currency;
using qm::TMxCustomerObject;
using qm::TMxCustomerObjectList;
using qm::TMxItemObject;
using qm::TMxItemObjectList;
using qm::TMxItemUnitObject;
using qm::TMxItemUnitObjectList;
using qmtest::Hex;

namespace {

// CP932 forms of the Japanese used below, spelled out so the tests do not lean on the
// codec they would be checking.
#define YAMADA "\x8E\x52\x93\x63"    // 山田
#define KENSETSU "\x8C\x9A\x90\xDD"  // 建設
#define TOKYO "\x93\x8C\x8B\x9E\x93\x73"
#define CHIYODA "\x90\xE7\x91\xE3\x93\x63\x8B\xE6"
#define TAKUMI "\x8F\xA0"                // 匠
#define KOUMUTEN "\x8D\x48\x96\xB1\x93\x58"  // 工務店
#define SHIKI "\x8E\xAE"                 // 式
#define HEIBEI "\x87\x75"                // ㎡
#define ASHIBA "\x91\xAB\x8F\xEA"        // 足場
#define TOSOU "\x93\x68\x91\x95"         // 塗装
#define HEADING                                                                                               \
  "\x82\xA8\x8B\x71\x97\x6C\x83\x52\x81\x5B\x83\x68,\x89\xEF\x8E\xD0\x96\xBC\x82\x50,\x89\xEF\x8E\xD0\x96\xBC" \
  "\x82\x51,\x89\xEF\x8E\xD0\x96\xBC\x82\x52,\x97\x58\x95\xD6\x94\xD4\x8D\x86,\x8F\x5A\x8F\x8A\x82\x50,"        \
  "\x8F\x5A\x8F\x8A\x82\x51,\x82\x73\x82\x64\x82\x6B,\x82\x65\x82\x60\x82\x77"

TMxCustomerObject Customer(const std::vector<std::string>& f) {
  TMxCustomerObject c;
  c.SetCustomerCode(f.at(0));
  c.SetCustomerName1(f.at(1));
  c.SetCustomerName2(f.at(2));
  c.SetCustomerName3(f.at(3));
  c.SetZipNo(f.at(4));
  c.SetAddress1(f.at(5));
  c.SetAddress2(f.at(6));
  c.SetTelNo(f.at(7));
  c.SetFaxNo(f.at(8));
  return c;
}

TMxItemObject Item(std::string name, std::string unit, const char* price, const char* cost) {
  TMxItemObject item;
  item.SetItemName(std::move(name));
  item.SetItemUnit(std::move(unit));
  item.SetItemPrice(Currency::ParseDecimal(price));
  item.SetItemCost(Currency::ParseDecimal(cost));
  return item;
}

template <class List, class T>
void AddCopy(List& list, const T& object) {
  list.Add(std::make_unique<T>(object));
}

template <class List>
auto Contents(const List& list) {
  std::vector<std::decay_t<decltype(list.Items(0))>> out;
  for (int i = 0; i < list.Count(); ++i) out.push_back(list.Items(i));
  return out;
}

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const qm::Error& e) {
    return e.what();
  }
  return "";
}

class MasterFiles : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }
  std::string Put(const char* name, const std::string& bytes) const {
    qm::WriteFileAtomically(Path(name), bytes);
    return Path(name);
  }
  std::string Bytes(const char* name) const { return qm::ReadWholeFile(Path(name)); }

  QTemporaryDir dir_;
};

const std::vector<TMxCustomerObject> kCustomers = {
    Customer({"C001", "山田 建設", "工事部", "", "100-0001", "東京都", "千代田区", "03-1111-2222", ""}),
    Customer({"C002", "山田　建設", "\"匠\"工務店", "x", "", "", "", "", "03-3333-4444"}),
};
const std::string kCustomerBytes =
    "C001,\"" YAMADA " " KENSETSU "\",\x8D\x48\x8E\x96\x95\x94,,100-0001," TOKYO "," CHIYODA ",03-1111-2222,\r\n"
    "C002," YAMADA "\x81\x40" KENSETSU ",\"\"\"" TAKUMI "\"\"" KOUMUTEN "\",x,,,,,03-3333-4444\r\n";

TEST_F(MasterFiles, CustomersSaveAsNineFieldsPerLineAndReadBack) {
  TMxCustomerObjectList list;
  for (const TMxCustomerObject& c : kCustomers) AddCopy(list, c);
  list.Items(0).SetCustomerNameTitle("御中");  // not part of the master file
  list.SaveConfig(Path("Customer.dat"));
  EXPECT_EQ(Hex(Bytes("Customer.dat")), Hex(kCustomerBytes));

  TMxCustomerObjectList read;
  read.LoadConfig(Path("Customer.dat"));
  EXPECT_EQ(Contents(read), kCustomers);
  EXPECT_TRUE(read.LoadedWhole());
}

TEST_F(MasterFiles, CustomerLinesEndInCrLfOrLfAndTheLastEndAddsNothing) {
  const struct {
    const char* name;
    std::string bytes;
    int count;
  } cases[] = {
      {"CR LF", "1,a,,,,,,,\r\n2,b,,,,,,,x\r\n", 2},
      {"LF", "1,a,,,,,,,\n2,b,,,,,,,x\n", 2},
      {"no final end", "1,a,,,,,,,\r\n2,b,,,,,,,x", 2},
      {"mixed", "1,a,,,,,,,\n2,b,,,,,,,x\r\n", 2},
      {"extra fields", "2,b,,,,,,,x,more,fields\r\n", 1},
      {"blanks around fields", "  2 ,\tb , , , , , , , x  \r\n", 1},
      {"empty file", "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TMxCustomerObjectList list;
    list.LoadConfig(Put("Customer.dat", c.bytes));
    ASSERT_EQ(list.Count(), c.count);
    if (c.count == 0) continue;
    const TMxCustomerObject& last = list.Items(c.count - 1);
    EXPECT_EQ(last, Customer({"2", "b", "", "", "", "", "", "", "x"}));
  }
}

TEST_F(MasterFiles, CustomerLoadAppendsToTheList) {
  TMxCustomerObjectList list;
  AddCopy(list, kCustomers[1]);
  list.LoadConfig(Put("Customer.dat", kCustomerBytes));
  list.LoadConfig(Path("missing.dat"));
  EXPECT_EQ(Contents(list), (std::vector{kCustomers[1], kCustomers[0], kCustomers[1]}));
}

TEST_F(MasterFiles, CustomerExportHasTheHeadingLine) {
  TMxCustomerObjectList list;
  list.ExportCSV(Path("empty.csv"));
  EXPECT_EQ(Hex(Bytes("empty.csv")), Hex(HEADING "\r\n"));
  for (const TMxCustomerObject& c : kCustomers) AddCopy(list, c);
  list.ExportCSV(Path("out.csv"));
  EXPECT_EQ(Hex(Bytes("out.csv")), Hex(HEADING "\r\n" + kCustomerBytes));
}

TEST_F(MasterFiles, ItemsKeepAmountsAsDecimalText) {
  const std::vector<TMxItemObject> items = {
      Item("足場 架払い", "㎡", "1500", "1200.5"),
      Item("塗装", "式", "2.5", "-0.25"),
      Item("", "", "0", "0"),
  };
  TMxItemObjectList list;
  for (const TMxItemObject& i : items) AddCopy(list, i);
  list.SaveConfig(Path("ItemList.dat"));
  EXPECT_EQ(Hex(Bytes("ItemList.dat")),
            Hex("\"" ASHIBA " \x89\xCB\x95\xA5\x82\xA2\"," HEIBEI ",1500,1200.5\r\n" TOSOU "," SHIKI
                ",2.5,-0.25\r\n,,0,0\r\n"));
  TMxItemObjectList read;
  AddCopy(read, items[0]);  // loading starts afresh
  read.LoadConfig(Path("ItemList.dat"));
  EXPECT_EQ(Contents(read), items);
}

TEST_F(MasterFiles, ItemAmountsThatAreNoNumberReadAsZero) {
  const struct {
    std::string line;
    TMxItemObject want;
  } cases[] = {
      {"name,unit,abc,120", Item("name", "unit", "0", "120")},
      {"name,unit", Item("name", "unit", "0", "0")},
      {"name,unit,100", Item("name", "unit", "100", "0")},
      {"name,unit,,7", Item("name", "unit", "0", "7")},
      {"n,u,\"1,500\",3", Item("n", "u", "0", "3")},
      {"n,u,\" 1500 \",3.00005", Item("n", "u", "1500", "3")},
      {"n,u,1e3,99999999999999999999", Item("n", "u", "0", "0")},
      {"n,u,1,2,extra", Item("n", "u", "1", "2")},
  };
  for (const auto& c : cases) {
    TMxItemObjectList list;
    list.LoadConfig(Put("ItemList.dat", c.line + "\r\n"));
    ASSERT_EQ(list.Count(), 1) << c.line;
    EXPECT_EQ(list.Items(0), c.want) << c.line;
  }
}

TEST_F(MasterFiles, UnitsAreWholeLinesAsTheyStand) {
  const std::string bytes = SHIKI "\r\n\r\n " HEIBEI " ,\"x\"\r\n";
  TMxItemUnitObjectList list;
  AddCopy(list, TMxItemUnitObject());
  list.LoadConfig(Put("ItemUnit.dat", bytes));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Items(0).ItemUnit(), "式");
  EXPECT_EQ(list.Items(1).ItemUnit(), "");
  EXPECT_EQ(list.Items(2).ItemUnit(), " ㎡ ,\"x\"");
  list.SaveConfig(Path("copy.dat"));
  EXPECT_EQ(Hex(Bytes("copy.dat")), Hex(bytes));

  list.LoadConfig(Put("lf.dat", "a\nb"));
  list.SaveConfig(Path("lf.dat"));
  EXPECT_EQ(Bytes("lf.dat"), "a\r\nb\r\n");
}

TEST_F(MasterFiles, MissingFilesGiveEmptyLists) {
  TMxCustomerObjectList customers;
  customers.LoadConfig(Path("Customer.dat"));
  TMxItemObjectList items;
  AddCopy(items, TMxItemObject());
  items.LoadConfig(Path("ItemList.dat"));
  TMxItemUnitObjectList units;
  AddCopy(units, TMxItemUnitObject());
  units.LoadConfig(Path("ItemUnit.dat"));
  EXPECT_EQ(customers.Count() + items.Count() + units.Count(), 0);
  EXPECT_TRUE(customers.LoadedWhole() && items.LoadedWhole() && units.LoadedWhole());
  EXPECT_TRUE(QDir(dir_.path()).isEmpty());
}

// A file read in part is kept until the caller acknowledges the loss.
template <class List>
void CheckIncompleteLoad(const std::string& path, int badLine, int kept) {
  const std::string original = qm::ReadWholeFile(path);
  List list;
  const std::string message = ErrorOf([&] { list.LoadConfig(path); });
  EXPECT_NE(message.find(path), std::string::npos) << message;
  EXPECT_NE(message.find(" " + std::to_string(badLine) + " 行目"), std::string::npos) << message;
  EXPECT_EQ(list.Count(), kept);
  EXPECT_FALSE(list.LoadedWhole());
  EXPECT_EQ(list.IncompleteLoadMessage(), message);

  const std::string refusal = ErrorOf([&] { list.SaveConfig(path); });
  EXPECT_NE(refusal.find(path), std::string::npos) << refusal;
  list.Clear();  // an emptied list is no safer
  EXPECT_THROW(list.SaveConfig(path), qm::Error);
  EXPECT_EQ(qm::ReadWholeFile(path), original);

  list.AcknowledgeIncompleteLoad();
  EXPECT_TRUE(list.LoadedWhole());
  EXPECT_EQ(list.IncompleteLoadMessage(), "");
  list.SaveConfig(path);
  EXPECT_EQ(qm::ReadWholeFile(path), "");
}

TEST_F(MasterFiles, PartialLoadsAreReportedAndNotSavedOver) {
  {
    SCOPED_TRACE("short customer line");
    CheckIncompleteLoad<TMxCustomerObjectList>(Put("Customer.dat", kCustomerBytes + "C003,a,b,c\r\n" + kCustomerBytes),
                                               3, 2);
  }
  {
    SCOPED_TRACE("empty customer line");
    CheckIncompleteLoad<TMxCustomerObjectList>(Put("Customer.dat", "1,a,,,,,,,\r\n\r\n1,a,,,,,,,\r\n"), 2, 1);
  }
  {
    SCOPED_TRACE("empty item line");
    CheckIncompleteLoad<TMxItemObjectList>(Put("ItemList.dat", "a,b,1,2\r\n\r\nc,d,3,4\r\n"), 2, 1);
  }
  {
    SCOPED_TRACE("item line of one field");
    CheckIncompleteLoad<TMxItemObjectList>(Put("ItemList.dat", "\"a,b\"\nc,d\n"), 1, 0);
  }
}

TEST_F(MasterFiles, AWholeLoadEndsTheIncompleteState) {
  TMxItemObjectList items;
  EXPECT_THROW(items.LoadConfig(Put("ItemList.dat", "a\r\n")), qm::Error);
  items.LoadConfig(Put("ItemList.dat", "a,b\r\n"));
  EXPECT_TRUE(items.LoadedWhole());
  items.SaveConfig(Path("ItemList.dat"));
  EXPECT_EQ(Bytes("ItemList.dat"), "a,b,0,0\r\n");

  // Customers append: a good file added to a partial list leaves it partial.
  TMxCustomerObjectList customers;
  EXPECT_THROW(customers.LoadConfig(Put("bad.dat", "1,a,,,,,,,\r\nshort\r\n")), qm::Error);
  customers.LoadConfig(Put("Customer.dat", kCustomerBytes));
  EXPECT_FALSE(customers.LoadedWhole());
  EXPECT_EQ(customers.Count(), 3);
  customers.Clear();
  customers.LoadConfig(Path("Customer.dat"));
  EXPECT_TRUE(customers.LoadedWhole());
  customers.SaveConfig(Path("Customer.dat"));
  EXPECT_EQ(Bytes("Customer.dat"), kCustomerBytes);
}

TEST_F(MasterFiles, FailedSavesLeaveTheOldFile) {
  const struct {
    const char* name;
    std::string unit;
    const char* mentions;
  } cases[] = {
      {"no CP932 form", "😀", "😀"},
      {"line feed", "a\nb", "1 行目"},
      {"carriage return", "a\rb", "1 行目"},
      {"NUL", std::string("a\0b", 3), "1 行目"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = Put("ItemUnit.dat", "old\r\n");
    TMxItemUnitObjectList list;
    TMxItemUnitObject unit;
    unit.SetItemUnit(c.unit);
    AddCopy(list, unit);
    const std::string message = ErrorOf([&] { list.SaveConfig(path); });
    EXPECT_NE(message.find(path), std::string::npos) << message;
    EXPECT_NE(message.find(c.mentions), std::string::npos) << message;
    EXPECT_EQ(Bytes("ItemUnit.dat"), "old\r\n");
  }
  TMxCustomerObjectList list;
  AddCopy(list, kCustomers[0]);
  EXPECT_THROW(list.SaveConfig(Path("no/such/folder/Customer.dat")), qm::Error);
  EXPECT_THROW(list.ExportCSV(Path("no/such/folder/out.csv")), qm::Error);
}

TEST(MasterList, OwnsItsObjectsInOrder) {
  TMxCustomerObjectList list;
  auto first = std::make_unique<TMxCustomerObject>(kCustomers[0]);
  const TMxCustomerObject* firstPtr = first.get();
  EXPECT_EQ(list.Add(std::move(first)), 0);
  EXPECT_EQ(list.Add(std::make_unique<TMxCustomerObject>(kCustomers[1])), 1);
  const TMxCustomerObject twin = kCustomers[0];
  EXPECT_EQ(list.IndexOf(firstPtr), 0);
  EXPECT_EQ(list.IndexOf(&twin), -1);  // equal content is not the same customer
  EXPECT_EQ(list.IndexOf(&list.Items(1)), 1);

  list.Insert(0, std::make_unique<TMxCustomerObject>(twin));
  list.Insert(3, std::make_unique<TMxCustomerObject>(kCustomers[1]));
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.IndexOf(firstPtr), 1);
  const std::unique_ptr<TMxCustomerObject> replaced = list.SetItems(1, std::make_unique<TMxCustomerObject>());
  EXPECT_EQ(replaced.get(), firstPtr);
  EXPECT_EQ(list.IndexOf(firstPtr), -1);
  list.Delete(0);
  EXPECT_EQ(Contents(list), (std::vector{TMxCustomerObject(), kCustomers[1], kCustomers[1]}));

  for (int bad : {-1, 3}) {
    EXPECT_THROW(list.Items(bad), qm::Error);
    EXPECT_THROW(list.Delete(bad), qm::Error);
    EXPECT_THROW(list.SetItems(bad, std::make_unique<TMxCustomerObject>()), qm::Error);
  }
  EXPECT_THROW(list.Insert(5, std::make_unique<TMxCustomerObject>()), qm::Error);
  EXPECT_THROW(list.Add(nullptr), qm::Error);
  EXPECT_EQ(list.Count(), 3);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
