// Runs the real `qm` binary against a temporary data folder.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <string>
#include <vector>

#include "cli/cli_test_support.h"
#include "cli/front/json_writer.h"

namespace {

using Result = qmtest::CliResult;

class QmTest : public qmtest::CliTest {
 protected:
  // Builds OUT.QM1 from `json` and returns the dump of it.
  QJsonObject BuildAndDump(const QByteArray& json, QStringList buildArgs = {}) const {
    Write("in.json", json);
    const Result built = Run(QStringList{"build", "in.json", "out.QM1"} + buildArgs);
    EXPECT_EQ(built.exit, 0) << built.err.toStdString();
    const Result dumped = Run({"dump", "out.QM1"});
    EXPECT_EQ(dumped.exit, 0) << dumped.err.toStdString();
    return dumped.json();
  }
};

const QByteArray kFullDocument = R"json({
  "TaxCalcLine": true, "TaxDecimalMode": "cdRoundUP", "TaxInputModeIncludeTax": true,
  "SubTotalDecimalMode": "cdRoundOff", "SubTotalPrice": "1234.5", "TotalTax": 61,
  "SlipDateStrYY": "令和6", "SlipDateStrMM": "4", "SlipDateStrDD": "1", "SlipCodeStr": "A-0001",
  "DeliveryPlaceStr": "東京都千代田区", "DeliveryPlacePrintCheck": true, "PayConditionStr": "月末締め翌月払い",
  "PayConditionPrintCheck": true, "SlipLimitStr": "30日", "SlipLimitPrintCheck": true,
  "KoujiNameStr": "外壁\"塗装\"工事\\第2期\n(別紙)", "KoujiNamePrintCheck": true, "EtcStr": "①②③ ｱｲｳ",
  "MemoStr": "備考\ttab", "Comment": "初回見積",
  "CustomerInfo": {"CustomerCode": "C001", "CustomerName1": "株式会社　髙橋建設", "CustomerName2": "工事部",
    "CustomerName3": "ご担当 様", "CustomerNameTitle": "御中", "ZipNo": "100-0001", "Address1": "東京都",
    "Address2": "千代田区1-1", "TelNo": "03-0000-0000", "FaxNo": "03-0000-0001"},
  "Lines": [
    {"Name": "足場架払い", "Num": "12.5", "ClassNo": 3, "FreeEdit": "自由", "ItemUnit": "㎡", "Price": 800,
     "Cost": "640.25", "TotalPrice": "10000", "Note": "－注－", "Taxless": true, "SubTotalLineFlg": false, "Pic": null},
    {"Name": "■ 小計 ■", "SubTotalLineFlg": true, "TotalPrice": "-3.75"}
  ]
})json";

TEST_F(QmTest, BuildThenDumpKeepsEveryField) {
  const QJsonObject in = QJsonDocument::fromJson(kFullDocument).object();
  const QJsonObject dumped = BuildAndDump(kFullDocument);
  for (auto it = in.begin(); it != in.end(); ++it) {
    if (it.key() == "Lines") continue;
    const QJsonValue want = it.key() == "TotalTax" ? QJsonValue("61") : it.value();
    EXPECT_EQ(dumped.value(it.key()), want) << it.key().toStdString();
  }
  const QJsonArray lines = dumped.value("Lines").toArray();
  ASSERT_EQ(lines.size(), 2);
  const QJsonObject first = in.value("Lines").toArray()[0].toObject();
  for (auto it = first.begin(); it != first.end(); ++it) {
    const QJsonValue want = it.key() == "Price" ? QJsonValue("800") : it.value();
    EXPECT_EQ(lines[0].toObject().value(it.key()), want) << it.key().toStdString();
  }
  // Absent keys take the defaults of a new line.
  const QJsonObject second = lines[1].toObject();
  EXPECT_EQ(second.value("Num"), QJsonValue("0"));
  EXPECT_EQ(second.value("ClassNo"), QJsonValue(0));
  EXPECT_EQ(second.value("Taxless"), QJsonValue(false));
  EXPECT_EQ(second.value("TotalPrice"), QJsonValue("-3.75"));
  EXPECT_EQ(dumped.value("Version"), QJsonValue("KESTRELDOC5_100"));
  EXPECT_TRUE(QRegularExpression(R"(^\d{4}/\d\d/\d\d \d\d:\d\d$)").match(dumped.value("SavedAt").toString()).hasMatch());
  EXPECT_EQ(dumped.value("TaxRate"), QJsonValue("10"));  // the configured rate, not stored in the file

  // A dump is valid build input and reproduces itself.
  const QByteArray firstDump = Run({"dump", "out.QM1"}).out;
  const QJsonObject again = BuildAndDump(firstDump);
  QJsonObject expected = dumped;
  expected.insert("SavedAt", again.value("SavedAt"));
  EXPECT_EQ(again, expected);
}

TEST_F(QmTest, EmptyObjectGivesNewDocumentAndCommentOptionWins) {
  const QJsonObject dumped = BuildAndDump(R"({"Comment": "JSON"})", {"--comment", "オプション"});
  EXPECT_EQ(dumped.value("Comment"), QJsonValue("オプション"));
  EXPECT_EQ(dumped.value("Lines"), QJsonValue(QJsonArray()));
  EXPECT_EQ(dumped.value("TaxDecimalMode"), QJsonValue("cdRoundDown"));
  EXPECT_EQ(dumped.value("SubTotalDecimalMode"), QJsonValue("cdRoundDown"));
  EXPECT_EQ(dumped.value("CustomerInfo").toObject().value("CustomerName1"), QJsonValue(""));
}

TEST_F(QmTest, OutputIsTwoSpaceIndentedUtf8WithEscapes) {
  BuildAndDump(kFullDocument);
  const std::string out = Run({"dump", "out.QM1"}).out.toStdString();
  EXPECT_EQ(out.rfind("{\n  \"TotalClaimMode\": false,\n  \"TaxRate\": \"10\",\n", 0), 0u) << out;
  EXPECT_NE(out.find("\n  \"CustomerInfo\": {\n    \"CustomerCode\": \"C001\",\n"), std::string::npos);
  EXPECT_NE(out.find("\n  \"Lines\": [\n    {\n      \"Name\": \"足場架払い\",\n"), std::string::npos);
  EXPECT_NE(out.find(R"x("KoujiNameStr": "外壁\"塗装\"工事\\第2期\n(別紙)")x"), std::string::npos);
  EXPECT_NE(out.find(R"("MemoStr": "備考\ttab")"), std::string::npos);
  EXPECT_EQ(out.find("\\u"), std::string::npos);
  EXPECT_EQ(out.back(), '\n');
}

TEST(JsonQuoteTest, EscapesWhatJsonRequiresAndRepairsBadUtf8) {
  const struct {
    std::string in, want;
  } cases[] = {
      {"a\"b\\c", R"("a\"b\\c")"},
      {"\b\f\n\r\t\x01\x1f", R"("\b\f\n\r\t\u0001\u001f")"},
      {"見積 €", "\"見積 €\""},
      {"x\xff" "y", "\"x\xEF\xBF\xBDy\""},            // stray byte
      {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},  // overlong '/'
      {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},  // surrogate
      {"\xE8\xA6", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},  // cut short
  };
  for (const auto& c : cases) EXPECT_EQ(qm::cli::JsonQuote(c.in), c.want) << c.in;
}

TEST_F(QmTest, PicturesOfEveryKindRoundTrip) {
  const struct {
    const char* file;
    const char* format;
    const char* kind;
  } cases[] = {{"p.bmp", "BMP", "bmp"}, {"sub/p.png", "PNG", "png"}, {"p.jpg", "JPEG", "jpeg"}};
  for (const auto& c : cases) {
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(QDir(dir_.path()).mkpath("sub"));
    ASSERT_TRUE(image.save(Path(c.file), c.format)) << c.file;
    const QByteArray json = QByteArray(R"({"Lines": [{"Name": "写真", "Pic": {"file": ")") + c.file + "\"}}]}";
    const QJsonObject pic = BuildAndDump(json).value("Lines").toArray()[0].toObject().value("Pic").toObject();
    EXPECT_EQ(pic.value("kind"), QJsonValue(c.kind));
    EXPECT_EQ(pic.value("size"), QJsonValue(QFileInfo(Path(c.file)).size()));
    EXPECT_EQ(pic.value("width"), QJsonValue(7));
    EXPECT_EQ(pic.value("height"), QJsonValue(5));
  }
}

TEST_F(QmTest, TotalClaimDocumentKeepsOnlyWhatItStores) {
  const QJsonObject dumped = BuildAndDump(R"({"TotalClaimMode": true, "KoujiNameStr": "消える", "EtcStr": "残る",
    "TaxInputModeIncludeTax": true, "SubTotalPrice": "2800.5", "TotalTax": 200,
    "Lines": [{"Name": "4月分", "TotalPrice": 1000, "Note": "n", "Num": 3},
              {"Name": "5月分", "TotalPrice": "2000.5", "Taxless": true}]})");
  EXPECT_EQ(dumped.value("TotalClaimMode"), QJsonValue(true));
  EXPECT_EQ(dumped.value("KoujiNameStr"), QJsonValue(""));
  EXPECT_EQ(dumped.value("EtcStr"), QJsonValue("残る"));
  // Built with tax-included documents (field 8, kept as stored): the grand total is the
  // sum of the lines, whose tax is in them.
  EXPECT_EQ(dumped.value("TotalPrice"), QJsonValue("3000.5"));
  EXPECT_EQ(dumped.value("TaxInputModeIncludeTax"), QJsonValue(true));
  const QJsonArray lines = dumped.value("Lines").toArray();
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0].toObject().value("Num"), QJsonValue("0"));
  EXPECT_EQ(lines[0].toObject().value("Note"), QJsonValue("n"));
  EXPECT_EQ(lines[1].toObject().value("Taxless"), QJsonValue(true));
  // Totals of a total-claim document are not recalculated.
  const QJsonObject calc = Run({"calc", "out.QM1"}).json();
  EXPECT_EQ(calc.value("TotalPrice"), QJsonValue("3000.5"));
  EXPECT_EQ(calc.value("TotalTax"), QJsonValue("200"));
}

struct Example {
  const char* name;
  QByteArray json;
  QStringList args;
  const char *subtotal, *tax, *total;
  QStringList lines;
  QByteArray byRate;  // the expected TaxByRate array
};

TEST_F(QmTest, CalcWorkedExamplesAgreeOnJsonFileAndDump) {
  const Example examples[] = {
      {"sum of lines, round down", R"({"Lines": [{"Num": 1, "Price": 105}, {"TotalPrice": "106"}]})", {"--rate", "5"},
       "211", "10", "221", {"105", "106"}, R"([{"Rate": "5", "Taxable": "211", "Tax": "10"}])"},
      {"rate option", R"({"Lines": [{"Num": 1, "Price": 105}, {"TotalPrice": "106"}]})", {"--rate", "8"},
       "211", "16", "227", {"105", "106"}, R"([{"Rate": "8", "Taxable": "211", "Tax": "16"}])"},
      {"tax included", R"({"TaxInputModeIncludeTax": true, "Lines": [{"Num": 1, "Price": 1000}]})", {"--rate", "5"},
       "1000", "47", "1000", {"1000"}, R"([{"Rate": "5", "Taxable": "1000", "Tax": "47"}])"},
      {"tax per line, round up", R"({"TaxCalcLine": true, "TaxDecimalMode": "cdRoundUP",
        "Lines": [{"TotalPrice": 105}, {"TotalPrice": 106}]})", {"--rate", "5"}, "211", "12", "223", {"105", "106"},
       R"([{"Rate": "5", "Taxable": "211", "Tax": "12"}])"},
      // The taxless sum is whole; the fraction cut from the subtotal leaves the taxed part.
      {"fractional amount, taxless line, subtotal line",
       R"({"Lines": [{"Num": "2.5", "Price": "101"}, {"TotalPrice": 50, "Taxless": true}, {"SubTotalLineFlg": true}]})",
       {"--rate", "10"}, "302", "25", "327", {"252.5", "50", "302.5"},
       R"([{"Rate": "10", "Taxable": "252", "Tax": "25"}, {"Rate": "taxless", "Amount": "50"}])"},
      {"only taxless lines", R"({"Lines": [{"TotalPrice": 300, "Taxless": true}, {"TotalPrice": 20, "Taxless": true}]})",
       {"--rate", "10"}, "320", "0", "320", {"300", "20"}, R"([{"Rate": "taxless", "Amount": "320"}])"},
  };
  for (const Example& e : examples) {
    SCOPED_TRACE(e.name);
    Write("ex.json", e.json);
    ASSERT_EQ(Run({"build", "ex.json", "ex.QM1"}).exit, 0);
    for (const char* input : {"ex.json", "ex.QM1"}) {
      const Result r = Run(QStringList{"calc", input} + e.args);
      ASSERT_EQ(r.exit, 0) << r.err.toStdString();
      const QJsonObject calc = r.json();
      EXPECT_EQ(calc.keys().size(), 5);
      EXPECT_EQ(calc.value("SubTotalPrice"), QJsonValue(e.subtotal));
      EXPECT_EQ(calc.value("TotalTax"), QJsonValue(e.tax));
      EXPECT_EQ(calc.value("TotalPrice"), QJsonValue(e.total));
      EXPECT_EQ(calc.value("Lines"), QJsonValue(QJsonArray::fromStringList(e.lines)));
      EXPECT_EQ(calc.value("TaxByRate"), QJsonValue(QJsonDocument::fromJson(e.byRate).array())) << e.byRate.data();
    }
    const QJsonObject dumped = Run(QStringList{"dump", "ex.QM1", "--calc"} + e.args).json();
    EXPECT_EQ(dumped.value("TotalTax"), QJsonValue(e.tax));
    EXPECT_EQ(dumped.value("TotalPrice"), QJsonValue(e.total));
    // Without --calc the file's values stand.
    EXPECT_EQ(Run({"dump", "ex.QM1"}).json().value("TotalTax"), QJsonValue("0"));
  }
}

TEST_F(QmTest, BuildWithCalcStoresTheTotals) {
  const QJsonObject dumped =
      BuildAndDump(R"({"Lines": [{"Num": 1, "Price": 105}, {"Num": 2, "Price": 53}]})", {"--calc", "--rate", "5"});
  EXPECT_EQ(dumped.value("SubTotalPrice"), QJsonValue("211"));
  EXPECT_EQ(dumped.value("TotalTax"), QJsonValue("10"));
  EXPECT_EQ(dumped.value("Lines").toArray()[1].toObject().value("TotalPrice"), QJsonValue("106"));
}

TEST_F(QmTest, RateComesFromOptionThenConfIniThenDefault) {
  Write("d.json", R"({"Lines": [{"TotalPrice": 105}, {"TotalPrice": 106}]})");
  const struct {
    QByteArray conf;  // empty: no conf.ini
    QStringList args;
    const char *rate, *tax;
  } cases[] = {
      {"", {}, "10", "21"},  // the standard rate since October 2019
      {"[SETTING]\r\n", {}, "10", "21"},
      {"[SETTING]\r\nTAX=abc\r\n", {}, "10", "21"},
      {"[SETTING]\r\nTAX=5\r\n", {}, "5", "10"},
      {"[SETTING]\r\nTAX=8\r\n", {}, "8", "16"},
      {"[SETTING]\r\nTAX=8\r\n", {"--rate", "10"}, "10", "21"},
      {"[SETTING]\r\nTAX=8\r\n", {"--rate=0"}, "0", "0"},
  };
  for (const auto& c : cases) {
    QFile::remove(Path("conf.ini"));
    if (!c.conf.isEmpty()) Write("conf.ini", c.conf);
    ASSERT_EQ(Run(QStringList{"build", "d.json", "d.QM1"} + c.args).exit, 0);
    const QJsonObject dumped = Run(QStringList{"dump", "d.QM1", "--calc"} + c.args).json();
    EXPECT_EQ(dumped.value("TaxRate"), QJsonValue(c.rate)) << c.args.join(' ').toStdString();
    EXPECT_EQ(dumped.value("TotalTax"), QJsonValue(c.tax));
    EXPECT_EQ(Run(QStringList{"calc", "d.json"} + c.args).json().value("TotalTax"), QJsonValue(c.tax));
  }
}

TEST_F(QmTest, OverflowingLineIsReportedAndSkipped) {
  Write("o.json", R"({"Lines": [{"TotalPrice": 7}, {"Num": "100000", "Price": "900000000000000"}]})");
  const Result r = Run({"calc", "o.json"});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.err, "qm: 行 2: 入力の制限を超えています。\n");
  EXPECT_EQ(r.json().value("Lines"), QJsonValue(QJsonArray{"7", "0"}));
  EXPECT_EQ(r.json().value("TotalPrice"), QJsonValue("7"));
}

TEST_F(QmTest, UsageGoesToStdoutOnlyWhenAsked) {
  const Result help = Run({"--help"});
  EXPECT_EQ(help.exit, 0);
  EXPECT_TRUE(help.out.contains("qm build IN.json OUT.QM1"));
  EXPECT_TRUE(help.err.isEmpty());
  const Result none = Run({});
  EXPECT_EQ(none.exit, 1);
  EXPECT_TRUE(none.out.isEmpty());
  EXPECT_TRUE(none.err.contains("qm dump FILE.QM1"));
}

TEST_F(QmTest, EachCommandHasItsOwnHelpAndTheManualPageListsEveryCommand) {
  const Result all = Run({"--help"});
  ASSERT_EQ(all.exit, 0);
  QFile manual(QStringLiteral(QM_SOURCE_DIR "/data/qm.1"));
  ASSERT_TRUE(manual.open(QIODevice::ReadOnly));
  const QString page = QString::fromUtf8(manual.readAll());
  QStringList names;
  for (const QString& line : QString::fromUtf8(all.out).split('\n'))
    if (line.startsWith("  qm ")) names << line.split(' ', Qt::SkipEmptyParts).at(1);
  ASSERT_GE(names.size(), 20);
  for (const QString& name : names) {
    // qm NAME --help: that command's synopsis only.
    const Result one = Run({name, "--help"});
    const QString usage = QString::fromUtf8(one.out);
    EXPECT_EQ(one.exit, 0) << name.toStdString();
    EXPECT_TRUE(usage.contains("  qm " + name)) << name.toStdString();
    EXPECT_EQ(usage.count("\n  qm "), 1) << usage.toStdString();
    // The manual page has an entry for it (troff writes - as \-).
    EXPECT_TRUE(page.contains(".B qm " + QString(name).replace("-", "\\-"))) << name.toStdString();
  }
  EXPECT_TRUE(names.contains("print"));
  const Result unknown = Run({"nosuch", "--help"});
  EXPECT_EQ(unknown.exit, 1);
  const Result version = Run({"--version"});
  EXPECT_EQ(version.exit, 0);
  EXPECT_TRUE(version.out.startsWith("qm (Velora Quillmark) ")) << version.out.toStdString();
}

TEST_F(QmTest, ErrorsExitOneWithASingleLine) {
  Write("good.json", R"({"MemoStr": "ok"})");
  Write("fake.png", "not an image");
  const struct {
    const char* name;
    QByteArray json;  // written to bad.json when not empty
    QStringList args;
    const char* mentions;
  } cases[] = {
      {"bad JSON", R"({"Lines": [})", {"build", "bad.json", "bad.QM1"}, "1 行目"},
      {"not an object", "[]", {"build", "bad.json", "bad.QM1"}, "オブジェクト"},
      {"unknown key", R"({"Lines": [{"Nmae": "x"}]})", {"build", "bad.json", "bad.QM1"}, "Lines[0].Nmae"},
      {"unknown customer key", R"({"CustomerInfo": {"Fax": ""}})", {"build", "bad.json", "bad.QM1"}, "CustomerInfo.Fax"},
      {"string as bool", R"({"TaxCalcLine": "true"})", {"build", "bad.json", "bad.QM1"}, "TaxCalcLine"},
      {"bool as amount", R"({"Lines": [{"Price": true}]})", {"build", "bad.json", "bad.QM1"}, "Lines[0].Price"},
      {"text as amount", R"({"SubTotalPrice": "1,000"})", {"build", "bad.json", "bad.QM1"}, "1,000"},
      {"fractional class", R"({"Lines": [{"ClassNo": 1.5}]})", {"build", "bad.json", "bad.QM1"}, "ClassNo"},
      {"unknown rule", R"({"TaxDecimalMode": "cdRoundHalf"})", {"build", "bad.json", "bad.QM1"}, "cdRoundOff"},
      {"lines not array", R"({"Lines": {}})", {"build", "bad.json", "bad.QM1"}, "Lines"},
      {"dumped picture", R"({"Lines": [{"Pic": {"kind": "png", "size": 9}}]})", {"build", "bad.json", "bad.QM1"}, "file"},
      {"missing picture", R"({"Lines": [{"Pic": {"file": "none.png"}}]})", {"build", "bad.json", "bad.QM1"}, "none.png"},
      {"not a picture", R"({"Lines": [{"Pic": {"file": "fake.png"}}]})", {"build", "bad.json", "bad.QM1"}, "fake.png"},
      {"picture of unknown kind", R"({"Lines": [{"Pic": {"file": "good.json"}}]})", {"build", "bad.json", "bad.QM1"}, "good.json"},
      {"emoji", R"({"MemoStr": "晴れ①と😀"})", {"build", "bad.json", "bad.QM1"}, "😀"},
      {"missing file", "", {"dump", "nothing.QM1"}, "nothing.QM1"},
      {"JSON is no estimate file", "", {"dump", "good.json"}, "good.json"},
      {"bad rate", "", {"calc", "good.json", "--rate", "5%"}, "5%"},
      {"negative rate", "", {"calc", "good.json", "--rate", "-1"}, "-1"},
      {"rate without value", "", {"calc", "good.json", "--rate"}, "--rate"},
      {"missing argument", "", {"build", "good.json"}, "qm build IN.json OUT.QM1"},
      {"extra argument", "", {"calc", "good.json", "more"}, "more"},
      {"option of another command", "", {"calc", "good.json", "--calc"}, "--calc"},
      {"unknown option", "", {"dump", "x.QM1", "--verbose"}, "--verbose"},
      {"unknown command", "", {"prnt", "x.QM1"}, "prnt"},
      {"missing data folder", "", {"calc", "good.json", "--data", "/nonexistent/qm"}, "/nonexistent/qm"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (!c.json.isEmpty()) Write("bad.json", c.json);
    const Result r = Run(c.args);
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.startsWith("qm: ")) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(c.mentions)) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Path("bad.QM1")));
  }
}

TEST_F(QmTest, FailedBuildLeavesTheOldFile) {
  BuildAndDump(R"({"MemoStr": "元"})");
  const QByteArray before = Read("out.QM1");
  Write("in.json", R"({"MemoStr": "😀"})");
  EXPECT_EQ(Run({"build", "in.json", "out.QM1"}).exit, 1);
  EXPECT_FALSE(before.isEmpty());
  EXPECT_EQ(Read("out.QM1"), before);
}

}  // namespace

namespace {

// Run from cron, a service or a root shell: no XDG_RUNTIME_DIR, a home that cannot be
// written. qm still says nothing on stderr but its own one-line errors.
TEST_F(QmTest, StderrHoldsOnlyOneLineErrorsWithoutARuntimeFolderOrAWritableHome) {
  QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
  bare.remove("XDG_RUNTIME_DIR");
  bare.remove("QM_DEBUG");
  bare.remove("XDG_CACHE_HOME");
  bare.remove("XDG_CONFIG_HOME");
  bare.insert("HOME", "/proc/self/no-home");  // cannot be made, not even by root
  Write("d.json", R"({"CustomerInfo": {"CustomerName1": "山田建設"}, "Lines": [{"Name": "足場", "TotalPrice": 1000}]})");
  const QStringList good[] = {
      {"build", "d.json", "d.QM1"},
      {"calc", "d.QM1"},
      {"render", "tcMitumori", "d.QM1", "--page", "1", "--out", "p.png"},
      {"pdf", "tcSeikyu", "d.QM1", "d.pdf"},
      {"config"},
  };
  for (const QStringList& args : good) {
    const Result r = Run(args, bare);
    EXPECT_EQ(r.exit, 0) << args.join(' ').toStdString();
    EXPECT_EQ(r.err, "") << args.join(' ').toStdString();
  }
  const QStringList bad[] = {
      {"pdf", "tcSeikyu", "d.QM1", "no/such/folder/d.pdf"},
      {"render", "tcMitumori", "d.QM1", "--page", "1", "--out", "no/such/folder/p.png"},
      {"build", "d.json", "no/such/folder/d.QM1"},
  };
  for (const QStringList& args : bad) {
    const Result r = Run(args, bare);
    EXPECT_EQ(r.exit, 1) << args.join(' ').toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.startsWith("qm: ")) << r.err.toStdString();
  }
  // QM_DEBUG=1 lets Qt speak again, for whoever looks for what went wrong.
  bare.insert("QM_DEBUG", "1");
  EXPECT_EQ(Run({"calc", "d.QM1"}, bare).exit, 0);
}

TEST_F(QmTest, AStaleTemporaryIsGoneBeforeACommandRuns) {
  QDir(Path(".")).mkpath("data");
  Write("data/.x.QM1.abc123.tmp", "half");
  Write(".conf.ini.abc124.tmp", "half");
  const QString stale = Path("data/.x.QM1.abc123.tmp"), young = Path(".conf.ini.abc124.tmp");
  QFile f(stale);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
  f.close();
  EXPECT_EQ(Run({"ls"}).exit, 0);
  EXPECT_FALSE(QFile::exists(stale));
  EXPECT_TRUE(QFile::exists(young));
}

}  // namespace
