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

namespace {

QStringList CodesOf(const QByteArray& json, const char* key) {
  QStringList codes;
  for (const QJsonValue& v : QJsonDocument::fromJson(json).array()) codes << v.toObject().value(key).toString();
  return codes;
}

}  // namespace

TEST_F(MasterCliTest, CustomersSortAsTheDialogSorts) {
  Write("Customer.dat", "9,a,,,,,,,\r\n10,B,,,,,,,\r\n100,c,,,,,,,\r\n");
  EXPECT_EQ(CodesOf(Run({"customers", "--sort", "CustomerCode"}).out, "CustomerCode"), (QStringList{"10", "100", "9"}));
  EXPECT_EQ(CodesOf(Run({"customers", "--sort", "CustomerCode", "--desc"}).out, "CustomerCode"),
            (QStringList{"9", "100", "10"}));
  EXPECT_EQ(CodesOf(Run({"customers", "--sort", "CustomerName1"}).out, "CustomerName1"), (QStringList{"a", "B", "c"}));
  const Result bad = Run({"customers", "--sort", "Name"});
  EXPECT_EQ(bad.exit, 1);
  EXPECT_TRUE(QString::fromUtf8(bad.err).contains("CustomerCode, CustomerName1")) << bad.err.toStdString();
  // The file itself is not reordered by printing.
  EXPECT_EQ(Read("Customer.dat"), "9,a,,,,,,,\r\n10,B,,,,,,,\r\n100,c,,,,,,,\r\n");

  Write("ItemList.dat", "a," SHIKI ",900,1\r\nb," SHIKI ",1500,2\r\nc," SHIKI ",-3,3\r\n");
  EXPECT_EQ(CodesOf(Run({"items", "--sort", "ItemPrice"}).out, "ItemName"), (QStringList{"c", "a", "b"}));
  EXPECT_EQ(CodesOf(Run({"items", "--sort", "ItemCost", "--desc"}).out, "ItemName"), (QStringList{"c", "b", "a"}));
  EXPECT_EQ(Run({"items", "--sort", "Price"}).exit, 1);
}

TEST_F(MasterCliTest, ImportAppendsWithThePresetsOrTheMapping) {
  Write("Customer.dat", kCustomerLines);
  // Names in columns 1–3, TEL 4, FAX 5, postal code 6, addresses 7 and 8 by default.
  Write("in.csv", "n1,n2,n3,tel,fax,zip,ad1,ad2,x\r\n,,,\r\n\r\nonly\r\n");
  const Result preset = Run({"customers", "import", Path("in.csv")});
  ASSERT_EQ(preset.exit, 0) << preset.err.toStdString();
  EXPECT_EQ(preset.json().value("Added"), QJsonValue(3));  // ,,, is dropped; the empty line stays
  const QJsonArray all = QJsonDocument::fromJson(Run({"customers"}).out).array();
  ASSERT_EQ(all.size(), 5);
  const QJsonObject first = all[2].toObject();
  EXPECT_EQ(first.value("CustomerCode"), QJsonValue(""));
  EXPECT_EQ(first.value("CustomerName3"), QJsonValue("n3"));
  EXPECT_EQ(first.value("TelNo"), QJsonValue("tel"));
  EXPECT_EQ(first.value("ZipNo"), QJsonValue("zip"));
  EXPECT_EQ(first.value("Address2"), QJsonValue("ad2"));
  EXPECT_EQ(all[4].toObject().value("CustomerName1"), QJsonValue("only"));

  const Result mapped = Run({"customers", "import", Path("in.csv"), "--map", "CustomerCode=9", "--map", "TelNo=0"});
  ASSERT_EQ(mapped.exit, 0) << mapped.err.toStdString();
  const QJsonArray again = QJsonDocument::fromJson(Run({"customers"}).out).array();
  EXPECT_EQ(again[5].toObject().value("CustomerCode"), QJsonValue("x"));
  EXPECT_EQ(again[5].toObject().value("TelNo"), QJsonValue(""));

  const QByteArray before = Read("Customer.dat");
  for (const QStringList& bad : {QStringList{"customers", "import", Path("in.csv"), "--map", "Code=1"},
                                 QStringList{"customers", "import", Path("in.csv"), "--map", "TelNo=x"},
                                 QStringList{"customers", "import", Path("missing.csv")},
                                 QStringList{"customers", "import"}, QStringList{"customers", "export", "x"}}) {
    const Result r = Run(bad);
    EXPECT_EQ(r.exit, 1) << bad.join(' ').toStdString();
  }
  EXPECT_EQ(Read("Customer.dat"), before);
}

TEST_F(MasterCliTest, ListsPrintWithoutADocument) {
  QByteArray items;
  for (int i = 1; i <= 48; ++i) items += "item" + QByteArray::number(i) + "," SHIKI ",100,50\r\n";
  Write("ItemList.dat", items);
  Write("Customer.dat", kCustomerLines);
  const Result pages = Run({"pages", "tcItemList"});
  ASSERT_EQ(pages.exit, 0) << pages.err.toStdString();
  EXPECT_EQ(pages.json().value("ItemPages").toInt(), 2);
  const Result ops = Run({"render", "9", "--page", "2", "--ops"});
  ASSERT_EQ(ops.exit, 0) << ops.err.toStdString();
  EXPECT_TRUE(ops.out.contains("\"item48\""));
  EXPECT_FALSE(ops.out.contains("\"item47\""));
  const Result pdf = Run({"pdf", "tcCustomerList", Path("c.pdf"), "--set", "PAPER_SIZE=B5"});
  ASSERT_EQ(pdf.exit, 0) << pdf.err.toStdString();
  EXPECT_TRUE(QFileInfo(Path("c.pdf")).size() > 0);
  EXPECT_EQ(Run({"pdf", "tcCustomerList", Path("c.pdf"), "--tax", "none"}).exit, 1);
}
