#include "model/customer_import.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "base/cp932.h"
#include "base/error.h"

using qm::CsvGrid;
using Row = std::vector<std::string>;

namespace {

CsvGrid Read(const std::string& utf8) { return qm::ReadImportCsv(qm::cp932::EncodeOrThrow(utf8)); }

}  // namespace

TEST(CustomerImport, LinesAndValues) {
  const CsvGrid g = Read("a,b,,,\r\n,,,\r\n\r\n株式会社 山田, 東京 \n\"x,y\",z\ttab\rlast");
  ASSERT_EQ(g.rows.size(), 5u);
  EXPECT_EQ(g.rows[0], (Row{"a", "b"}));            // trailing commas cut
  EXPECT_EQ(g.rows[1], Row{});                      // empty from the start: a row without values
  EXPECT_EQ(g.rows[2], (Row{"株式会社 山田", " 東京 "}));  // spaces stay inside values
  EXPECT_EQ(g.rows[3], (Row{"x,y", "z", "tab"}));   // a tab outside quotes splits
  EXPECT_EQ(g.rows[4], Row{"last"});
  EXPECT_EQ(g.columns, 3);
  EXPECT_EQ(Read(",,,").rows.size(), 0u);  // nothing but commas: dropped
  EXPECT_EQ(Read("").columns, 1);
  EXPECT_EQ(Read("a,,b").rows[0], (Row{"a", "", "b"}));
}

TEST(CustomerImport, PresetsAndHan2Zen) {
  EXPECT_EQ(qm::Han2Zen(12), "１２");
  EXPECT_EQ(qm::Han2Zen(0), "０");
  EXPECT_EQ(qm::Han2Zen(1090), "１０９０");
  const qm::ImportMapping nine = qm::PresetMapping(9);
  EXPECT_EQ(nine, (qm::ImportMapping{qm::kNoColumn, 0, 1, 2, 5, 6, 7, 3, 4}));
  // Three columns: names only.
  EXPECT_EQ(qm::PresetMapping(3), (qm::ImportMapping{qm::kNoColumn, 0, 1, 2, qm::kNoColumn, qm::kNoColumn,
                                                     qm::kNoColumn, qm::kNoColumn, qm::kNoColumn}));
}

TEST(CustomerImport, RowsBecomeCustomersWithTheMappedColumns) {
  const CsvGrid g = Read("c1,山田建設,,東京都,03\r\nc2,佐藤商店\r\n");
  qm::ImportMapping mapping = qm::PresetMapping(g.columns);
  mapping[static_cast<std::size_t>(qm::CustomerColumn::Code)] = 0;
  mapping[static_cast<std::size_t>(qm::CustomerColumn::Name1)] = 1;
  mapping[static_cast<std::size_t>(qm::CustomerColumn::Name2)] = qm::kNoColumn;
  mapping[static_cast<std::size_t>(qm::CustomerColumn::Address1)] = 3;
  mapping[static_cast<std::size_t>(qm::CustomerColumn::Address2)] = 7;  // beyond every row
  qm::TMxCustomerObjectList list;
  auto existing = std::make_unique<qm::TMxCustomerObject>();
  existing->SetCustomerCode("c1");
  list.Add(std::move(existing));
  EXPECT_EQ(qm::ImportCustomers(g, mapping, list), 2);
  ASSERT_EQ(list.Count(), 3);  // appended; a duplicate code is added again
  EXPECT_EQ(list.Items(1).CustomerCode(), "c1");
  EXPECT_EQ(list.Items(1).CustomerName1(), "山田建設");
  EXPECT_EQ(list.Items(1).CustomerName2(), "");
  EXPECT_EQ(list.Items(1).Address1(), "東京都");
  EXPECT_EQ(list.Items(1).Address2(), "");
  EXPECT_EQ(list.Items(2).Address1(), "");  // a shorter row
  EXPECT_EQ(list.Items(2).CustomerNameTitle(), "");
}

TEST(CustomerImport, AnExportImportedAgainGivesTheCustomersAndTheHeading) {
  QTemporaryDir dir;
  qm::TMxCustomerObjectList list;
  auto c = std::make_unique<qm::TMxCustomerObject>();
  c->SetCustomerCode("K-1");
  c->SetCustomerName1("株式会社 山田");
  c->SetZipNo("100-0001");
  c->SetAddress1("東京都, 千代田区");
  c->SetFaxNo("03-1");
  list.Add(std::move(c));
  const std::string file = dir.filePath("out.csv").toStdString();
  list.ExportCSV(file);
  const CsvGrid g = qm::ReadImportCsvFile(file);
  qm::ImportMapping inOrder{};
  for (int f = 0; f < qm::kCustomerColumns; ++f) inOrder[static_cast<std::size_t>(f)] = f;
  qm::TMxCustomerObjectList back;
  qm::ImportCustomers(g, inOrder, back);
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.Items(0).CustomerName1(), "会社名１");
  EXPECT_EQ(back.Items(1), list.Items(0));
  EXPECT_THROW(qm::ReadImportCsvFile(dir.filePath("missing.csv").toStdString()), qm::Error);
}
