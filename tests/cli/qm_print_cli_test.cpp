// qm pages and qm render against a temporary data folder.
#include <QImage>
#include <QJsonArray>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "cli_test_support.h"
#include "base/amount_text.h"
#include "support/pdf_tools.h"

namespace qmtest {
namespace {

class QmPrintTest : public CliTest {
 protected:
  // A document of `lines` priced lines, the first `pictures` of them with a photo.
  QString Document(int lines, int pictures = 0) {
    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    photo.save(Path("photo.png"), "PNG");
    QByteArray json = R"({"CustomerInfo": {"CustomerName1": "山田建設", "CustomerNameTitle": "御中"}, "Lines": [)";
    for (int i = 0; i < lines; ++i) {
      if (i > 0) json += ",";
      json += R"({"Name": "品)" + QByteArray::number(i + 1) + R"(", "Num": 1, "Price": 100, "TotalPrice": 100)";
      if (i < pictures) json += R"(, "Pic": {"file": "photo.png"})";
      json += "}";
    }
    json += "]}";
    Write("doc.json", json);
    EXPECT_EQ(Run({"build", "doc.json", "doc.QM1"}).exit, 0);
    return "doc.QM1";
  }
};

TEST_F(QmPrintTest, PageSequenceWithPicturesAndTheCopy) {
  const QString doc = Document(61, 3);
  const CliResult plain = Run({"pages", "tcMitumori", doc});
  ASSERT_EQ(plain.exit, 0) << plain.err.toStdString();
  EXPECT_EQ(plain.json().value("ItemPages").toInt(), 3);
  EXPECT_EQ(plain.json().value("PicturePages").toInt(), 0);
  EXPECT_EQ(plain.json().value("Sequence").toArray().size(), 3);

  const CliResult full = Run({"pages", "0", doc, "--set", "PRINT_PIC=1", "--set=PRINT_COPY=1"});
  ASSERT_EQ(full.exit, 0) << full.err.toStdString();
  EXPECT_EQ(full.json().value("PicturePages").toInt(), 2);
  const QJsonArray seq = full.json().value("Sequence").toArray();
  ASSERT_EQ(seq.size(), 10);
  const QJsonValue kinds[] = {2, 3, 4, "picture", "picture"};
  for (int i = 0; i < 10; ++i) {
    const QJsonObject p = seq[i].toObject();
    EXPECT_EQ(p.value("Job").toInt(), i + 1);
    EXPECT_EQ(p.value("Copy").toBool(), i >= 5) << i;
    EXPECT_EQ(p.value("NowPage").toInt(), i % 5 + 1) << i;
    EXPECT_EQ(p.value("MaxPage").toInt(), 5);
    EXPECT_EQ(p.value("PageKind"), kinds[i % 5]) << i;
  }

  // Landscape holds fewer lines: 61 lines need 2 + ceil(21 / 30) = 3 pages; 41 lines need 2.
  EXPECT_EQ(Run({"pages", "tcTankaMitumori", doc, "--set", "PRINT_DIRECTION=1"}).json().value("ItemPages").toInt(), 3);
  EXPECT_EQ(Run({"pages", "tcTankaMitumori", doc}).json().value("ItemPages").toInt(), 2);
}

TEST_F(QmPrintTest, SavedPrintSettingsApplyAndSetOverridesThem) {
  const QString doc = Document(15);
  Write("print.ini", "[MITSU]\r\nPRINT_DIRECTION=1\r\n");
  EXPECT_EQ(Run({"pages", "tcMitumori", doc}).json().value("ItemPages").toInt(), 2);
  EXPECT_EQ(Run({"pages", "tcMitumori", doc, "--set", "PRINT_DIRECTION=0"}).json().value("ItemPages").toInt(), 1);
  // Another kind's section is its own.
  EXPECT_EQ(Run({"pages", "tcNouhin", doc}).json().value("ItemPages").toInt(), 1);
}

TEST_F(QmPrintTest, RenderWritesTheA4PageAtTheResolution) {
  const QString doc = Document(3);
  const CliResult r = Run({"render", "tcMitumori", doc, "--page", "1", "--out", "p.png"});
  ASSERT_EQ(r.exit, 0) << r.err.toStdString();
  QImage image(Path("p.png"));
  ASSERT_EQ(image.size(), QSize(1240, 1754));
  // The title row is not blank; the margin above it is.
  auto darkIn = [&](int top, int bottom) {
    int dark = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) < 128) ++dark;
    return dark;
  };
  EXPECT_GT(darkIn(89, 136), 200);
  EXPECT_EQ(darkIn(0, 80), 0);

  ASSERT_EQ(Run({"render", "tcMitumori", doc, "--page", "1", "--out", "l.png", "--dpi", "100", "--set",
                 "PRINT_DIRECTION=1"})
                .exit,
            0);
  EXPECT_EQ(QImage(Path("l.png")).size(), QSize(1169, 827));
}

TEST_F(QmPrintTest, OpsShowHowALongTextWasFittedIntoItsCell) {
  // A name of 60 and a remark of 100 full-width characters in the default layout (free
  // item, cost and remarks shown): both at the narrowest and smallest lettering, cut.
  QByteArray json = R"({"Lines": [{"Name": ")";
  for (int i = 0; i < 60; ++i) json += "工";
  json += R"(", "Num": 1, "Price": 100, "TotalPrice": 100, "Note": ")";
  for (int i = 0; i < 100; ++i) json += "備";
  json += R"("}, {"Name": "短い", "Num": 1, "Price": 100, "TotalPrice": 100}]})";
  Write("long.json", json);
  ASSERT_EQ(Run({"build", "long.json", "long.QM1"}).exit, 0);
  const CliResult r = Run({"render", "tcMitumori", "long.QM1", "--page", "1", "--ops"});
  ASSERT_EQ(r.exit, 0) << r.err.toStdString();
  const QStringList lines = QString::fromUtf8(r.out).split('\n');
  int fitted = 0;
  for (const QString& line : lines) {
    if (line.contains("\"工工工") || line.contains("\"備備備")) {
      ++fitted;
      EXPECT_TRUE(line.contains(" fit=60% cell=")) << line.toStdString();
      EXPECT_TRUE(line.endsWith(" cut")) << line.toStdString();
    }
    if (line.contains("\"短い\"")) {
      EXPECT_FALSE(line.contains(" fit=")) << line.toStdString();
    }
  }
  EXPECT_EQ(fitted, 2);
}

TEST_F(QmPrintTest, OpsListThePageAndFollowTheOptions) {
  const QString doc = Document(2);
  const CliResult r = Run({"render", "tcMitumori", doc, "--page", "1", "--ops", "--tax", "inclusive"});
  ASSERT_EQ(r.exit, 0) << r.err.toStdString();
  const QString ops = QString::fromUtf8(r.out);
  EXPECT_TRUE(ops.contains("underline #000080 \"御 見 積 書\"")) << ops.left(300).toStdString();
  EXPECT_TRUE(ops.contains("(消費税込)"));
  EXPECT_TRUE(ops.contains("\"山田建設 御中\""));
  const QString copy = QString::fromUtf8(
      Run({"render", "tcMitumori", doc, "--page", "2", "--ops", "--set", "PRINT_COPY=1"}).out);
  EXPECT_TRUE(copy.contains("\"御 見 積 書(控)\""));
  const QString noFrame = QString::fromUtf8(
      Run({"render", "tcMitumori", doc, "--page", "1", "--ops", "--set", "PRINT_GRAND_TOTAL_FRAME=0"}).out);
  EXPECT_FALSE(noFrame.contains("御見積金額"));
  EXPECT_TRUE(ops.contains("御見積金額"));
}

TEST_F(QmPrintTest, MistakesAreReportedAndWriteNothing) {
  const QString doc = Document(2);
  struct Case {
    QStringList args;
    QString message;
  };
  const Case cases[] = {
      {{"pages", "tcItemList", doc}, "余分な引数「doc.QM1」"},  // a list needs no document
      {{"pages", "12", doc}, "12"},
      {{"pages", "tcGoukeiSeikyu", doc}, "合計請求モード以外"},
      {{"render", "tcRyosyu", doc, "--page", "1", "--ops", "--tax", "exclusive"}, "--tax"},
      {{"pages", "99", doc}, "99"},
      {{"pages", "tcMitumori", doc, "--set", "PRINT_NOTHING=1"}, "PRINT_NOTHING"},
      {{"pages", "tcMitumori", doc, "--set", "PRINT_NOTE=yes"}, "PRINT_NOTE"},
      {{"pages", "tcMitumori", doc, "--set", "PRINT_NOTE"}, "KEY=値"},
      {{"render", "tcMitumori", doc, "--page", "2", "--out", "x.png"}, "1 から 1"},
      {{"render", "tcMitumori", doc, "--page", "1", "--out", "x.png", "--dpi", "0"}, "1200"},
      {{"render", "tcMitumori", doc, "--page", "1", "--out", "x.png", "--tax", "some"}, "exclusive"},
      {{"render", "tcMitumori", doc, "--page", "1"}, "--ops"},
      {{"render", "tcMitumori", "missing.QM1", "--page", "1", "--ops"}, "missing.QM1"},
  };
  for (const Case& c : cases) {
    const CliResult r = Run(c.args);
    EXPECT_NE(r.exit, 0) << c.args.join(' ').toStdString();
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(c.message)) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
  }
  EXPECT_FALSE(QFile::exists(Path("x.png")));
}

TEST_F(QmPrintTest, PdfOfEveryEstimateKindInBothOrientations) {
  const QString doc = Document(30, 3);
  const CliResult calc = Run({"calc", doc});
  ASSERT_EQ(calc.exit, 0) << calc.err.toStdString();
  const char* kinds[] = {"tcMitumori", "tcTankaMitumori", "tcNouhin", "tcSeikyu",
                         "tcJyuryou",  "tcSeikyuMeisai",  "tcKoujiUtiwake"};
  for (const char* kind : kinds) {
    for (const char* direction : {"0", "1"}) {
      const QString out = Path(QString("%1_%2.pdf").arg(kind, direction));
      const CliResult r = Run({"pdf", kind, doc, out, "--set", QString("PRINT_DIRECTION=") + direction, "--set",
                               "PRINT_PIC=1", "--set", "PRINT_COPY=1", "--tax", "exclusive"});
      ASSERT_EQ(r.exit, 0) << kind << " " << r.err.toStdString();
      EXPECT_TRUE(r.out.isEmpty());
      ExpectValidPdf(out);
      // The item pages of `qm pages` and the picture pages; the copy set stays on paper.
      const CliResult pages = Run({"pages", kind, doc, "--set", QString("PRINT_DIRECTION=") + direction});
      EXPECT_EQ(PdfPageCount(out), pages.json().value("ItemPages").toInt() + 2) << kind << " " << direction;
      EXPECT_EQ(PdfPageSize(out, 1), QString(direction) == "1" ? "842 x 595" : "595 x 842");
      const QString text = PdfText(out);
      EXPECT_TRUE(text.contains("山田建設 御中")) << kind;
      EXPECT_TRUE(text.contains("品30")) << kind;
      // The totals as `qm calc` computes them, with their thousands separators.
      const bool totals = QString(kind) != "tcTankaMitumori";
      for (const char* key : {"SubTotalPrice", "TotalTax", "TotalPrice"}) {
        const QString amount = calc.json().value(key).toString();
        const QString shown = QString::fromStdString(
            qm::CommaAdd(true, *qm::Currency::TryParseDecimal(amount.toStdString()), false));
        EXPECT_EQ(text.contains(shown), totals) << kind << " " << key << " " << shown.toStdString();
      }
    }
  }
  // Bad input: a clear message and no file.
  const struct {
    QStringList args;
    const char* says;
  } bad[] = {
      {{"pdf", "tcCustomerList", doc, Path("r.pdf")}, "r.pdf"},
      {{"pdf", "tcGoukeiSeikyu", doc, Path("r.pdf")}, "合計請求モード以外"},
      {{"pdf", "tcMitumori", "missing.QM1", Path("m.pdf")}, "missing.QM1"},
      {{"pdf", "tcMitumori", doc, Path("no/folder/x.pdf")}, "x.pdf"},
      {{"pdf", "tcMitumori", doc}, "qm pdf"},
      {{"pdf", "tcMitumori", doc, Path("t.pdf"), "--tax", "some"}, "some"},
  };
  for (const auto& b : bad) {
    const CliResult r = Run(b.args);
    EXPECT_EQ(r.exit, 1) << b.args.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains(b.says)) << r.err.toStdString();
  }
  EXPECT_FALSE(QFile::exists(Path("r.pdf")));
  EXPECT_FALSE(QFile::exists(Path("t.pdf")));
}

// ---------------------------------------------------------------------------------------
// qm totalclaim and the single sheets

class QmSheetTest : public QmPrintTest {
 protected:
  // A saved document of the data folder: priced lines at a 5 % rate.
  void Saved(const QString& name, const QString& company, const std::vector<std::pair<QString, int>>& items) {
    QByteArray json = R"({"CustomerInfo": {"CustomerName1": ")" + company.toUtf8() + R"(", "CustomerNameTitle": "様"}, "Lines": [)";
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (i > 0) json += ",";
      json += R"({"Name": ")" + items[i].first.toUtf8() + R"(", "TotalPrice": )" + QByteArray::number(items[i].second) + "}";
    }
    json += "]}";
    Write("in.json", json);
    // As the program saves a document: calculated, into the save folder.
    const CliResult r = Run({"save", "in.json", name, "--calc", "--rate", "5"});
    ASSERT_EQ(r.exit, 0) << r.err.toStdString();
  }
};

TEST_F(QmSheetTest, TotalClaimPerFileAndPerLine) {
  Saved("4月分", "山田建設", {{"基礎", 6000}, {"型枠", 4000}});
  Saved("5月分", "別の会社", {{"塗装", 5000}});
  const CliResult perFile = Run({"totalclaim", "--per-file", "bill.QM1", "4月分", "5月分", "--comment", "まとめ"});
  ASSERT_EQ(perFile.exit, 0) << perFile.err.toStdString();
  EXPECT_TRUE(perFile.out.isEmpty());
  const QJsonObject bill = Run({"dump", "bill.QM1"}).json();
  EXPECT_EQ(bill.value("TotalClaimMode"), QJsonValue(true));
  EXPECT_EQ(bill.value("SubTotalPrice"), QJsonValue("15000"));
  EXPECT_EQ(bill.value("TotalTax"), QJsonValue("750"));
  EXPECT_EQ(bill.value("TotalPrice"), QJsonValue("15750"));
  EXPECT_EQ(bill.value("CustomerInfo").toObject().value("CustomerName1"), QJsonValue("山田建設"));
  const QJsonArray lines = bill.value("Lines").toArray();
  ASSERT_EQ(lines.size(), 100);
  EXPECT_EQ(lines[0].toObject().value("Name"), QJsonValue("4月分"));
  EXPECT_EQ(lines[0].toObject().value("TotalPrice"), QJsonValue("10500"));
  EXPECT_EQ(lines[1].toObject().value("Name"), QJsonValue("5月分"));
  EXPECT_EQ(lines[1].toObject().value("TotalPrice"), QJsonValue("5250"));
  EXPECT_EQ(Run({"calc", "bill.QM1"}).json().value("TotalPrice"), QJsonValue("15750"));

  // Per line, in the given order; the reopened bill keeps the creation total.
  ASSERT_EQ(Run({"totalclaim", "--per-line", "lines.QM1", "5月分", "4月分"}).exit, 0);
  const QJsonObject perLine = Run({"dump", "lines.QM1"}).json();
  const QJsonArray items = perLine.value("Lines").toArray();
  EXPECT_EQ(items[0].toObject().value("Name"), QJsonValue("塗装"));
  EXPECT_EQ(items[1].toObject().value("Name"), QJsonValue("基礎"));
  EXPECT_EQ(items[2].toObject().value("Name"), QJsonValue("型枠"));
  EXPECT_EQ(items[3].toObject().value("Name"), QJsonValue(""));
  EXPECT_EQ(perLine.value("TotalPrice"), QJsonValue("15750"));
  EXPECT_EQ(perLine.value("CustomerInfo").toObject().value("CustomerName1"), QJsonValue("別の会社"));

  // The total invoice of the bill: 15,750 purchased with nothing carried over.
  const QString pdf = Path("bill.pdf");
  const CliResult written = Run({"pdf", "tcGoukeiSeikyu", "lines.QM1", pdf, "--set", "PRE_CLAIM=20,000",
                                 "--set", "PRE_PAID=5000"});
  ASSERT_EQ(written.exit, 0) << written.err.toStdString();
  ExpectValidPdf(pdf);
  const QString text = PdfText(pdf);
  EXPECT_TRUE(text.contains("15,000")) << text.toStdString();  // carried over, and the purchases
  EXPECT_TRUE(text.contains("￥30,750")) << text.toStdString();
}

TEST_F(QmSheetTest, TotalClaimMistakesWriteNothing) {
  Saved("a", "A", {{"基礎", 1000}});
  const struct {
    QStringList args;
    const char* says;
  } bad[] = {
      {{"totalclaim", "out.QM1", "a"}, "--per-file"},
      {{"totalclaim", "--per-file", "--per-line", "out.QM1", "a"}, "--per-file"},
      {{"totalclaim", "--per-file", "out.QM1"}, "qm totalclaim"},
      {{"totalclaim", "--per-line", "out.QM1", "a", "missing"}, "missing"},
  };
  for (const auto& b : bad) {
    const CliResult r = Run(b.args);
    EXPECT_NE(r.exit, 0) << b.args.join(' ').toStdString();
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(b.says)) << r.err.toStdString();
  }
  EXPECT_FALSE(QFile::exists(Path("out.QM1")));
}

TEST_F(QmSheetTest, SheetsRenderOnePortraitPageFromTheirSections) {
  const QString doc = Document(2);
  Write("print.ini", QByteArray("[FAX]\r\nTITLE=\x8c\xa9\x90\xcf\r\nPAPER_NUM=5\r\nOPTION1=1\r\n"));  // 見積 in CP932
  const CliResult pages = Run({"pages", "tcFaxSender", doc});
  ASSERT_EQ(pages.exit, 0) << pages.err.toStdString();
  EXPECT_EQ(pages.json().value("ItemPages").toInt(), 1);
  const CliResult fax = Run({"render", "8", doc, "--page", "1", "--ops"});
  ASSERT_EQ(fax.exit, 0) << fax.err.toStdString();
  EXPECT_TRUE(fax.out.contains("要件：見積"));
  EXPECT_TRUE(fax.out.contains("送付枚数：5枚"));
  EXPECT_EQ(fax.out.count("\"Ｖ\""), 1);

  const CliResult receipt = Run({"render", "tcRyosyu", doc, "--page", "1", "--ops", "--set", "UCHI2=現　金",
                                 "--set", "UCHI_PRICE2=(1234)", "--set", "PROVISO_TEXT=工事代金"});
  ASSERT_EQ(receipt.exit, 0) << receipt.err.toStdString();
  EXPECT_TRUE(receipt.out.contains("\"￥1,234-\""));  // normalised as leaving the field does
  EXPECT_TRUE(receipt.out.contains("\"消費税\""));       // the opening breakdown
  EXPECT_TRUE(receipt.out.contains("\"工事代金\""));
  EXPECT_TRUE(receipt.out.contains("(控)"));

  const CliResult png = Run({"render", "tcRyosyu", doc, "--page", "1", "--out", "r.png", "--dpi", "100"});
  ASSERT_EQ(png.exit, 0) << png.err.toStdString();
  const QImage image(Path("r.png"));
  EXPECT_EQ(image.width(), 827);  // 210 mm at 100 dpi
  EXPECT_GT(image.height(), image.width());
}

}  // namespace
}  // namespace qmtest

namespace qmtest {
namespace {

class QmQualifiedTest : public QmPrintTest {
 protected:
  void CompanyWithNumber(const char* number) {
    Write("conf.ini", QByteArray("[CAMPANY_INFO0]\r\nCampanyName1=Velora\r\nRegistNo=") + number + "\r\n");
  }
};

TEST_F(QmQualifiedTest, ConfigShowsTheNumberAndTheBillsPrintIt) {
  CompanyWithNumber("T1234567890123");
  const QJsonObject config = Run({"config"}).json();
  EXPECT_EQ(config.value("Company").toArray().at(0).toObject().value("RegistNo"), QJsonValue("T1234567890123"));
  EXPECT_EQ(config.value("Company").toArray().at(1).toObject().value("RegistNo"), QJsonValue(""));

  const QString doc = Document(2);
  // On by default for a profile with a number, off with --set, and never on an estimate.
  const CliResult invoice = Run({"render", "tcSeikyu", doc, "--page", "1", "--ops"});
  ASSERT_EQ(invoice.exit, 0) << invoice.err.toStdString();
  EXPECT_EQ(invoice.out.count("\"登録番号 T1234567890123\""), 1);
  EXPECT_EQ(invoice.out.count("対象 ￥200\""), 1);
  const CliResult off = Run({"render", "tcSeikyu", doc, "--page", "1", "--ops", "--set", "PRINT_REGIST_NO=0"});
  EXPECT_FALSE(off.out.contains("登録番号"));
  EXPECT_FALSE(off.out.contains("対象 ￥"));
  const CliResult estimate = Run({"render", "tcMitumori", doc, "--page", "1", "--ops", "--set", "PRINT_REGIST_NO=1"});
  EXPECT_FALSE(estimate.out.contains("登録番号"));
  const CliResult receipt = Run({"render", "tcRyosyu", doc, "--page", "1", "--ops", "--set", "PRINT_REGIST_NO=1"});
  EXPECT_EQ(receipt.out.count("\"登録番号 T1234567890123\""), 2);

  ASSERT_EQ(Run({"pdf", "tcNouhin", doc, "bill.pdf", "--set", "PRINT_REGIST_NO=1"}).exit, 0);
  ExpectValidPdf(Path("bill.pdf"));
  EXPECT_TRUE(PdfText(Path("bill.pdf")).simplified().contains("登録番号 T1234567890123"));

  const CliResult bad = Run({"render", "tcSeikyu", doc, "--page", "1", "--ops", "--set", "PRINT_REGIST_NO=yes"});
  EXPECT_NE(bad.exit, 0);
  EXPECT_TRUE(QString::fromUtf8(bad.err).contains("PRINT_REGIST_NO")) << bad.err.toStdString();
}

TEST_F(QmQualifiedTest, WithoutANumberTheOptionChangesNothing) {
  const QString doc = Document(2);
  const QByteArray plain = Run({"render", "tcSeikyu", doc, "--page", "1", "--ops"}).out;
  const QByteArray asked = Run({"render", "tcSeikyu", doc, "--page", "1", "--ops", "--set", "PRINT_REGIST_NO=1"}).out;
  EXPECT_FALSE(plain.isEmpty());
  EXPECT_EQ(plain, asked);
  EXPECT_FALSE(plain.contains("登録番号"));
}

}  // namespace
}  // namespace qmtest

// ---------------------------------------------------------------------------------------
// The two forms of qm pdf, and the page font whatever the system's font matching says

namespace qmtest {
namespace {

// A file's bytes without its modification date, which is the time of writing.
QByteArray Undated(const QByteArray& pdf) {
  static const QRegularExpression date(QStringLiteral("/ModDate \\(D:\\d{14}\\)"));
  return QString::fromLatin1(pdf).remove(date).toLatin1();
}

bool AllEmbedded(const QString& pdf) {
  const QString fonts = RunTool("pdffonts", {pdf}).out;
  const QStringList rows = fonts.split('\n', Qt::SkipEmptyParts).mid(2);
  if (rows.isEmpty()) return false;
  for (const QString& row : rows)
    if (!row.contains(QRegularExpression("CID TrueType\\s+Custom\\s+yes\\s+yes\\s+yes"))) return false;
  return true;
}

}  // namespace

TEST_F(QmPrintTest, PdfIsTheEmbeddedFormUnlessTheSettingOrFontsSaySystem) {
  const QString doc = Document(3);
  ASSERT_EQ(Run({"pdf", "tcSeikyu", doc, "default.pdf"}).exit, 0);
  ASSERT_EQ(Run({"pdf", "tcSeikyu", doc, "embed.pdf", "--fonts", "embed"}).exit, 0);
  ASSERT_EQ(Run({"pdf", "tcSeikyu", doc, "system.pdf", "--fonts", "system"}).exit, 0);
  EXPECT_TRUE(Read("default.pdf").startsWith("%PDF-1.3 \r\n"));
  EXPECT_TRUE(AllEmbedded(Path("default.pdf")));
  EXPECT_EQ(Undated(Read("embed.pdf")), Undated(Read("default.pdf")));
  // The first form: fonts by name, Helvetica among them, PDF 1.2, nothing compressed.
  const QByteArray system = Read("system.pdf");
  EXPECT_TRUE(system.startsWith("%PDF-1.2 \r\n"));
  EXPECT_TRUE(system.contains("/BaseFont /Helvetica"));
  EXPECT_TRUE(system.contains("/Encoding /90ms-RKSJ-H"));
  EXPECT_FALSE(system.contains("FontFile2"));
  EXPECT_FALSE(system.contains("FlateDecode"));

  // PDF_EMBED_FONTS=0 asks for the first form, byte for byte what --fonts system writes;
  // --fonts embed still embeds.
  Write("conf.ini", "[SETTING]\r\nPDF_EMBED_FONTS=0\r\n");
  ASSERT_EQ(Run({"pdf", "tcSeikyu", doc, "setting.pdf"}).exit, 0);
  EXPECT_EQ(Undated(Read("setting.pdf")), Undated(system));
  ASSERT_EQ(Run({"pdf", "tcSeikyu", doc, "asked.pdf", "--fonts", "embed"}).exit, 0);
  EXPECT_EQ(Undated(Read("asked.pdf")), Undated(Read("default.pdf")));

  // Any other value is one line and writes nothing, not even over an existing file.
  Write("kept.pdf", "old");
  for (const char* bad : {"Embed", "", "none"}) {
    const CliResult r = Run({"pdf", "tcSeikyu", doc, "kept.pdf", "--fonts", bad});
    EXPECT_EQ(r.exit, 1) << bad;
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("embed か system")) << r.err.toStdString();
    EXPECT_EQ(Read("kept.pdf"), "old");
  }
  EXPECT_TRUE(Run({"pdf", "--help"}).out.contains("--fonts embed|system"));
}

TEST_F(QmPrintTest, ThePageIsTheSameWhenTheSystemRejectsItsCopiesOfThePageFont) {
  const QString doc = Document(4);
  // The test's own font configuration: the system's, with the page font rejected (its
  // files, and any file of its family such as the fonts-japanese-gothic.ttf link) and any
  // request for its family sent elsewhere.
  Write("fonts.conf", R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <cachedir>)" + Path("fontcache").toUtf8() + R"(</cachedir>
  <selectfont><rejectfont>
    <glob>/usr/share/fonts/opentype/ipafont-gothic/*</glob>
    <pattern><patelt name="family"><string>IPAGothic</string></patelt></pattern>
  </rejectfont></selectfont>
  <match target="pattern">
    <test name="family"><string>IPAGothic</string></test>
    <edit name="family" mode="assign" binding="strong"><string>DejaVu Sans</string></edit>
  </match>
</fontconfig>
)");
  QProcessEnvironment rejecting = QProcessEnvironment::systemEnvironment();
  rejecting.insert("FONTCONFIG_FILE", Path("fonts.conf"));
  QProcess match;
  match.setProcessEnvironment(rejecting);
  match.start("fc-list", {":family=IPAGothic", "file"});
  ASSERT_TRUE(match.waitForFinished(30000));
  const QString matched = QString::fromUtf8(match.readAllStandardOutput());
  ASSERT_TRUE(matched.trimmed().isEmpty()) << "the configuration still lists " << matched.toStdString();

  for (const char* kind : {"tcMitumori", "tcSeikyu"}) {
    const CliResult usual = Run({"render", kind, doc, "--page", "1", "--dpi", "100", "--out", "usual.png"});
    const CliResult odd =
        Run({"render", kind, doc, "--page", "1", "--dpi", "100", "--out", "odd.png"}, rejecting);
    ASSERT_EQ(usual.exit, 0) << usual.err.toStdString();
    ASSERT_EQ(odd.exit, 0) << odd.err.toStdString();
    const QImage a(Path("usual.png")), b(Path("odd.png"));
    ASSERT_FALSE(a.isNull());
    EXPECT_EQ(a, b) << kind << ": the page changed with the system's font matching";
  }
}

}  // namespace qmtest
