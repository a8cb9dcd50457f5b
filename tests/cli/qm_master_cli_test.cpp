// qm customers, items and units over master files in the data folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/cli_test_support.h"

namespace {

using Result = qmtest::CliResult;
using MasterCliTest = qmtest::CliTest;

// CP932 bytes, spelled out.
#define YAMADA_KENSETSU "\x8E\x52\x93\x63 \x8C\x9A\x90\xDD"  // 山田 建設
#define SHIKI "\x8E\xAE"                                    // 式
#define HEIBEI "\x87\x75"                                   // ㎡
#define HEADING                                                                                               \
  "\x82\xA8\x8B\x71\x97\x6C\x83\x52\x81\x5B\x83\x68,\x89\xEF\x8E\xD0\x96\xBC\x82\x50,\x89\xEF\x8E\xD0\x96\xBC" \
  "\x82\x51,\x89\xEF\x8E\xD0\x96\xBC\x82\x52,\x97\x58\x95\xD6\x94\xD4\x8D\x86,\x8F\x5A\x8F\x8A\x82\x50,"        \
  "\x8F\x5A\x8F\x8A\x82\x51,\x82\x73\x82\x64\x82\x6B,\x82\x65\x82\x60\x82\x77"

const QByteArray kCustomerLines =
    "C001,\"" YAMADA_KENSETSU "\",\"\"\"b\"\"\",,100-0001,a1,a2,03-1111-2222,\r\n"
    "C002,x,,,,,,,09\r\n";

TEST_F(MasterCliTest, CustomersPrintNineKeysPerCustomer) {
  Write("Customer.dat", kCustomerLines);
  const Result r = Run({"customers"});
  ASSERT_EQ(r.exit, 0) << r.err.toStdString();
  EXPECT_TRUE(r.err.isEmpty());
  EXPECT_TRUE(r.out.startsWith("[\n  {\n    \"CustomerCode\": \"C001\",\n    \"CustomerName1\": \"山田 建設\",\n"
                               "    \"CustomerName2\": \"\\\"b\\\"\",\n    \"CustomerName3\": \"\",\n"
                               "    \"ZipNo\": \"100-0001\",\n    \"Address1\": \"a1\",\n    \"Address2\": \"a2\",\n"
                               "    \"TelNo\": \"03-1111-2222\",\n    \"FaxNo\": \"\"\n  },\n"))
      << r.out.toStdString();
  const QJsonArray customers = QJsonDocument::fromJson(r.out).array();
  ASSERT_EQ(customers.size(), 2);
  EXPECT_EQ(customers[1].toObject(), (QJsonObject{{"CustomerCode", "C002"}, {"CustomerName1", "x"},
                                                  {"CustomerName2", ""}, {"CustomerName3", ""}, {"ZipNo", ""},
                                                  {"Address1", ""}, {"Address2", ""}, {"TelNo", ""},
                                                  {"FaxNo", "09"}}));
}

TEST_F(MasterCliTest, ItemsAndUnitsPrintTheirMasters) {
  Write("ItemList.dat", "\"" YAMADA_KENSETSU "\"," HEIBEI ",1500,1200.5\r\nb," SHIKI ",abc,-0.25\nc,d\n");
  Write("ItemUnit.dat", SHIKI "\r\n\r\n a,b \r\n");
  const Result items = Run({"items"});
  ASSERT_EQ(items.exit, 0) << items.err.toStdString();
  const auto item = [](const char* name, const char* unit, const char* price, const char* cost) {
    return QJsonObject{{"ItemName", name}, {"ItemUnit", unit}, {"ItemPrice", price}, {"ItemCost", cost}};
  };
  EXPECT_EQ(QJsonDocument::fromJson(items.out).array(),
            (QJsonArray{item("山田 建設", "㎡", "1500", "1200.5"), item("b", "式", "0", "-0.25"),
                        item("c", "d", "0", "0")}));
  EXPECT_TRUE(items.out.contains("\n    \"ItemName\": \"c\",\n    \"ItemUnit\": \"d\",\n")) << items.out.toStdString();

  const Result units = Run({"units"});
  ASSERT_EQ(units.exit, 0) << units.err.toStdString();
  EXPECT_EQ(units.out, "[\n  \"式\",\n  \"\",\n  \" a,b \"\n]\n");
}

TEST_F(MasterCliTest, MissingMastersPrintEmptyArrays) {
  for (const char* command : {"customers", "items", "units"}) {
    const Result r = Run({command});
    EXPECT_EQ(r.exit, 0) << command;
    EXPECT_EQ(r.out, "[]\n") << command;
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
  }
  EXPECT_TRUE(QDir(dir_.path()).isEmpty());
}

TEST_F(MasterCliTest, CsvExportWritesHeadingAndCustomers) {
  Write("Customer.dat", QByteArray(kCustomerLines).replace("\r\n", "\n"));
  const Result r = Run({"customers", "--csv", "out.csv"});
  EXPECT_EQ(r.exit, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.isEmpty());
  EXPECT_EQ(Read("out.csv"), HEADING "\r\n" + kCustomerLines);

  QFile::remove(Path("Customer.dat"));
  ASSERT_EQ(Run({"customers", "--csv=empty.csv"}).exit, 0);
  EXPECT_EQ(Read("empty.csv"), HEADING "\r\n");
}

TEST_F(MasterCliTest, MastersThatDoNotLoadWholeFailWithoutOutput) {
  const struct {
    const char* name;
    const char* file;  // written with `bytes` when not null
    QByteArray bytes;
    QStringList args;
    QString mentions;
  } cases[] = {
      {"short customer line", "Customer.dat", kCustomerLines + "C003,a,b\r\n", {"customers"}, "3 行目"},
      {"empty customer line", "Customer.dat", "\r\n" + kCustomerLines, {"customers"}, "1 行目"},
      {"export of a short file", "Customer.dat", kCustomerLines + "C003\r\n", {"customers", "--csv", "out.csv"},
       "3 行目"},
      {"empty item line", "ItemList.dat", "a,b\r\nc,d\r\n\r\ne,f\r\n", {"items"}, "3 行目"},
      {"item without unit", "ItemList.dat", "\"a,b\"\r\n", {"items"}, "1 行目"},
      {"option of another command", nullptr, {}, {"items", "--csv", "out.csv"}, "--csv"},
      {"operand", nullptr, {}, {"units", "ItemUnit.dat"}, "ItemUnit.dat"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.file) Write(c.file, c.bytes);
    const Result r = Run(c.args);
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_TRUE(r.err.startsWith("qm: ")) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(c.mentions)) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Path("out.csv")));
    if (c.file) {
      EXPECT_TRUE(QString::fromUtf8(r.err).contains(Path(c.file))) << r.err.toStdString();
      EXPECT_EQ(Read(c.file), c.bytes);
    }
  }
}

TEST_F(MasterCliTest, UnreadableMasterIsAnError) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir("ItemUnit.dat"));
  const Result r = Run({"units"});
  EXPECT_EQ(r.exit, 1);
  EXPECT_TRUE(r.out.isEmpty());
  EXPECT_TRUE(QString::fromUtf8(r.err).contains(Path("ItemUnit.dat"))) << r.err.toStdString();
}

TEST_F(MasterCliTest, HelpListsTheMasterCommands) {
  const Result r = Run({"--help"});
  EXPECT_EQ(r.exit, 0);
  for (const char* synopsis : {"qm customers [--csv OUT.csv]", "qm items", "qm units"})
    EXPECT_TRUE(r.out.contains(synopsis)) << synopsis;
}

}  // namespace
