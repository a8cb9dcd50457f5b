#include "model/history_store.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "base/ini_file.h"

using qm::IniHistoryStore;
using qm::THistoryList;
using Texts = std::vector<std::string>;

namespace {
struct Fixture {
  QTemporaryDir dir;
  IniHistoryStore store{dir.filePath("sub/history.ini").toStdString()};
  THistoryList Box(const char* subKey) {
    THistoryList box(store);
    box.SetRegistryKey("Software\\Norvel\\Brevik");
    box.SetSubKey(subKey);
    return box;
  }
};
}  // namespace

TEST(History, RecentFirstWithoutDuplicatesAndBlanks) {
  Fixture f;
  THistoryList box = f.Box("KoujiName");
  EXPECT_EQ(box.RegistryKey(), "Software\\Norvel\\Brevik\\");
  for (const char* t : {"A", "B", "A"}) box.AddHistory(t);
  EXPECT_EQ(box.Items(), (Texts{"A", "B"}));
  EXPECT_FALSE(box.AddHistory("   "));
  EXPECT_FALSE(box.AddHistory(""));
  box.AddHistory("a");  // comparison is case-sensitive
  box.AddHistory(" A");  // and of the untrimmed text
  EXPECT_EQ(box.Items(), (Texts{" A", "a", "A", "B"}));

  THistoryList reread = f.Box("KoujiName");
  reread.LoadHistory();
  EXPECT_EQ(reread.Items(), (Texts{" A", "a", "A", "B"}));
}

TEST(History, KeepsHistoryCountEntries) {
  Fixture f;
  THistoryList box = f.Box("Place");
  for (int i = 0; i < 11; ++i) box.AddHistory("place " + std::to_string(i));
  ASSERT_EQ(box.Items().size(), 10u);
  EXPECT_EQ(box.Items().front(), "place 10");
  EXPECT_EQ(box.Items().back(), "place 1");
  const qm::IniFile ini = qm::IniFile::Load(f.store.FileName());
  EXPECT_EQ(ini.Keys("Software\\Norvel\\Brevik\\Place"),
            (Texts{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
  box.SetHistoryCount(3);
  box.AddHistory("x");
  EXPECT_EQ(box.Items(), (Texts{"x", "place 10", "place 9"}));
}

TEST(History, MissingKeyKeepsTheListAndClearLeavesAnEmptyKey) {
  Fixture f;
  THistoryList box = f.Box("Limit");
  box.SetItems({"design time"});
  box.LoadHistory();
  EXPECT_EQ(box.Items(), (Texts{"design time"}));
  box.ClearHistory();
  EXPECT_TRUE(box.Items().empty());
  box.SetItems({"again"});
  box.LoadHistory();
  EXPECT_TRUE(box.Items().empty());
  EXPECT_TRUE(qm::IniFile::Load(f.store.FileName()).HasSection("Software\\Norvel\\Brevik\\Limit"));
}

TEST(History, BoxesWithTheSameSubKeyShareOneListAndOthersAreUntouched) {
  Fixture f;
  THistoryList a = f.Box("Condition");
  THistoryList b = f.Box("Condition");
  THistoryList other = f.Box("Place");
  other.AddHistory("現場");
  a.AddHistory("月末締め翌月末払い");
  b.LoadHistory();
  EXPECT_EQ(b.Items(), (Texts{"月末締め翌月末払い"}));
  other.LoadHistory();
  EXPECT_EQ(other.Items(), (Texts{"現場"}));
  // Without a sub key the owner's name is used; without a registry key nothing is stored.
  THistoryList named(f.store);
  named.SetRegistryKey("Software\\Norvel\\Brevik\\");
  named.SetOwnerName("CBLimit");
  EXPECT_EQ(named.FullKey(), "Software\\Norvel\\Brevik\\CBLimit");
  THistoryList unsaved(f.store);
  unsaved.AddHistory("x");
  unsaved.LoadHistory();
  EXPECT_EQ(unsaved.Items(), (Texts{"x"}));
}

TEST(History, GapsAreSkippedAndValuesKeepTheirBlanks) {
  Fixture f;
  QDir(f.dir.path()).mkdir("sub");
  qm::WriteFileAtomically(f.store.FileName(),
                          "[Software\\Norvel\\Brevik\\Place]\r\n0=first\r\n2=third\r\n11=beyond\r\n");
  THistoryList box = f.Box("Place");
  box.LoadHistory();
  EXPECT_EQ(box.Items(), (Texts{"first", "third"}));
  box.AddHistory("  padded  ");
  box.AddHistory("\"quoted\"");
  THistoryList again = f.Box("Place");
  again.LoadHistory();
  EXPECT_EQ(again.Items(), (Texts{"\"quoted\"", "  padded  ", "first", "third"}));
}
