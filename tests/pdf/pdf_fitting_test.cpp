// Texts wider than their label in the PDF: condensed with Tz, set smaller and cut like the
// printed pages; figures whole; the right margin of every page white when rendered.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QRectF>
#include <QTemporaryDir>

#include "pdf/chart_pdf.h"
#include "pdf/report.h"
#include "pdf/slip_pdf.h"
#include "print/document_kinds.h"
#include "support/pdf_tools.h"
#include "support/random_documents.h"

namespace qm::pdf {
namespace {

using qmtest::ExpectValidPdf;
using qmtest::PdfText;
using qmtest::RunTool;

std::string Repeat(const std::string& unit, int times) {
  std::string s;
  for (int i = 0; i < times; ++i) s += unit;
  return s;
}

// The content stream of the first page of a file this writer made (streams are stored as
// they are).
std::string FirstStream(const QString& path) {
  const std::string bytes = qmtest::ReadFileBytes(path);
  const std::size_t start = bytes.find("stream\r\n") + 8;
  return bytes.substr(start, bytes.find("endstream", start) - start);
}

class PdfFittingTest : public ::testing::Test {
 protected:
  // One label of `width` points at 10 points, as wide as need be for nothing else.
  QString WriteLabel(const std::string& caption, int width, TPdfAlignment alignment = TPdfAlignment::taLeftJustify) {
    TPRPage page("Page", 595, 842);
    auto& panel = page.Add(std::make_unique<TPRLayoutPanel>("Panel"));
    panel.Width = 595, panel.Height = 842;
    auto& label = panel.Add(std::make_unique<TPRLabel>("L"));
    label.Left = 100, label.Top = 100, label.Width = width, label.Height = 12;
    label.FontSize = 10;
    label.Alignment = alignment;
    label.Caption = caption;
    TPReport report(qmtest::PinnedClock());
    report.FileName = dir_.filePath("label.pdf").toStdString();
    report.BeginDoc();
    report.Print(page);
    report.EndDoc();
    return QString::fromStdString(report.FileName);
  }

  QTemporaryDir dir_;
};

TEST_F(PdfFittingTest, ALabelThatFitsHasNoScalingAndOneThatDoesNotIsCondensedThenRestored) {
  const QString fits = WriteLabel("見積", 100);
  EXPECT_EQ(FirstStream(fits).find(" Tz\n"), std::string::npos);

  // 20 full-width characters at 10 points are 200 points; in 150 they are condensed
  // to 75 % at the same size, and the scaling is set back after the text.
  const QString path = WriteLabel(Repeat("工", 20), 150);
  ExpectValidPdf(path);
  const std::string stream = FirstStream(path);
  const std::size_t condensed = stream.find("75 Tz\n");
  ASSERT_NE(condensed, std::string::npos) << stream;
  const std::size_t shown = stream.find("Tj\n", condensed);
  ASSERT_NE(shown, std::string::npos);
  EXPECT_NE(stream.find("100 Tz\n", shown), std::string::npos) << stream;
  EXPECT_TRUE(PdfText(path).contains(QString::fromStdString(Repeat("工", 20))));
}

TEST_F(PdfFittingTest, AFigureIsNeverCutAndATextIsCutAtACharacter) {
  // The figure needs more than the floors give (19 bytes at 7 points and 60 %: 40
  // points into 30): whole, smaller, ending at the label's right edge.
  const QString figure = WriteLabel("123,456,789,012,345", 30, TPdfAlignment::taRightJustify);
  ExpectValidPdf(figure);
  EXPECT_TRUE(PdfText(figure).contains("123,456,789,012,345")) << PdfText(figure).toStdString();
  EXPECT_NE(FirstStream(figure).find("60 Tz\n"), std::string::npos);

  // 60 full-width characters into 150 points: at 7 points and 60 %, 35 of them fit.
  const QString text = WriteLabel(Repeat("基", 30) + Repeat("礎", 30), 150);
  ExpectValidPdf(text);
  const QString read = PdfText(text);
  EXPECT_TRUE(read.contains(QString::fromStdString(Repeat("基", 30) + Repeat("礎", 5)))) << read.toStdString();
  EXPECT_FALSE(read.contains(QString::fromStdString(Repeat("礎", 6)))) << read.toStdString();
}

// Ink in the last `marginMm` of the first page of a PDF, rendered by pdftoppm.
int InkInRightMargin(const QString& pdf, double marginMm, const QString& workDir) {
  const QString prefix = workDir + "/render";
  const qmtest::ToolResult r = RunTool("pdftoppm", {"-r", "50", "-f", "1", "-l", "1", "-png", "-singlefile", pdf, prefix});
  EXPECT_EQ(r.exit, 0) << r.out.toStdString();
  const QImage image(prefix + ".png");
  EXPECT_FALSE(image.isNull());
  const int from = image.width() - static_cast<int>(marginMm / 25.4 * 50);
  int inked = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = from; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 250) ++inked;
  return inked;
}

TEST_F(PdfFittingTest, LongTextsOfAnEstimateStayInsideThePrintableWidth) {
  TMxConfigInfo config(dir_.filePath("img").toStdString());
  TMxCampanyInfoManager companies(dir_.filePath("img").toStdString());
  QDir(dir_.path()).mkdir("img");
  config.LoadConfig(dir_.filePath("conf.ini").toStdString());
  companies.LoadConfig(dir_.filePath("conf.ini").toStdString());
  companies.CampanyInfoArray(0).SetCampanyName1(Repeat("会", 40));
  companies.CampanyInfoArray(0).SetAddress1(Repeat("所", 30));
  TMxEstimateObjectList doc;
  doc.SetTaxRate(Currency::FromYen(10));
  doc.CustomerInfo().SetCustomerName1(Repeat("顧", 40));
  doc.CustomerInfo().SetAddress1(Repeat("住", 30));
  const struct {
    std::string name, note;
    long long price;
  } lines[] = {{Repeat("工", 60), Repeat("備考", 50), 1000}, {"大きな金額", "", 123456789012345}};
  for (const auto& l : lines) {
    auto line = std::make_unique<TMxEstimateObject>();
    line->SetName(l.name);
    line->SetNote(l.note);
    line->SetFreeEdit(Repeat("自", 15));
    line->SetNum(Currency::FromYen(1));
    line->SetPrice(Currency::FromYen(l.price));
    line->SetCost(Currency::FromYen(l.price));
    line->DoCalc();
    doc.Add(std::move(line));
  }
  doc.DoCalc();
  doc.SetEtcStr(Repeat("備考欄", 40));
  ChartPageSources src;
  src.doc = &doc;
  src.config = &config;
  src.companies = &companies;
  src.settings.tax = DeriveTaxChoice(doc);
  for (bool landscape : {false, true}) {
    src.settings.options.PrintDirection = landscape;
    const QString path = dir_.filePath(landscape ? "wide.pdf" : "tall.pdf");
    PrintPDFChart(PrintJob::Chart(src, TChartType::tcMitumori), path.toStdString());
    ExpectValidPdf(path);
    EXPECT_NE(FirstStream(path).find(" Tz\n"), std::string::npos);
    const QString text = PdfText(path);
    EXPECT_TRUE(text.contains("123,456,789,012,345")) << text.toStdString();
    EXPECT_EQ(InkInRightMargin(path, 10, dir_.path()), 0) << (landscape ? "landscape" : "portrait");
  }
}

// The words of every page as a PDF reader places them (pdftotext -bbox), checked against
// the printable width and against each other. Returns a description of each fault.
std::vector<std::string> WordFaults(const QString& pdf, const std::string& where) {
  const qmtest::ToolResult r = RunTool("pdftotext", {"-bbox", pdf, "-"});
  EXPECT_EQ(r.exit, 0) << r.out.toStdString();
  constexpr double kMargin = 10 / 25.4 * 72, kTolerance = 1;
  static const QRegularExpression pageRe(R"re(<page width="([\d.]+)")re");
  static const QRegularExpression wordRe(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  std::vector<std::string> faults;
  int pageNo = 0;
  for (const QString& pageText : r.out.split("</page>")) {
    const QRegularExpressionMatch page = pageRe.match(pageText);
    if (!page.hasMatch()) continue;
    ++pageNo;
    const double width = page.captured(1).toDouble();
    std::vector<std::pair<QRectF, QString>> words;
    for (auto it = wordRe.globalMatch(pageText); it.hasNext();) {
      const QRegularExpressionMatch w = it.next();
      const QRectF box(QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()),
                       QPointF(w.captured(3).toDouble(), w.captured(4).toDouble()));
      const std::string at = where + " page " + std::to_string(pageNo) + ": \"" + w.captured(5).left(12).toStdString() +
                             "\" " + std::to_string(box.left()) + "-" + std::to_string(box.right());
      if (box.left() < kMargin - kTolerance || box.right() > width - kMargin + kTolerance)
        faults.push_back(at + " outside the printable width");
      // The tick of a FAX request is drawn large over its box, by design touching the
      // caption beside it.
      if (w.captured(5) == "Ｖ") continue;
      for (const auto& [other, text] : words) {
        const QRectF shared = other.intersected(box);
        if (shared.width() > kTolerance && shared.height() > std::min(other.height(), box.height()) / 2)
          faults.push_back(at + " over \"" + text.left(12).toStdString() + "\"");
      }
      words.emplace_back(box, w.captured(5));
    }
  }
  EXPECT_GT(pageNo, 0) << where;
  return faults;
}

TEST_F(PdfFittingTest, NoWordOfAnyPdfKindLeavesThePrintableWidthOrLiesOverAnother) {
  QDir(dir_.path()).mkdir("img");
  TMxConfigInfo config(dir_.filePath("img").toStdString());
  TMxCampanyInfoManager companies(dir_.filePath("img").toStdString());
  config.LoadConfig(dir_.filePath("conf.ini").toStdString());
  companies.LoadConfig(dir_.filePath("conf.ini").toStdString());
  config.SetCurrencyMark("￥");
  TMxEstimateObjectList doc;
  TMxItemObjectList items;
  TMxCustomerObjectList customers;
  TFormPDFBase base;
  for (unsigned seed = 1; seed <= 4; ++seed) {
    qmtest::RandomTexts r(seed);
    qmtest::FillDocument(r, doc, companies);
    qmtest::FillMasters(r, items, customers);
    ChartPageSources chart;
    chart.doc = &doc;
    chart.config = &config;
    chart.companies = &companies;
    chart.settings.options = qmtest::RandomChartOptions(r);
    chart.settings.tax = DeriveTaxChoice(doc);
    SlipSources slip;
    slip.doc = &doc;
    slip.config = &config;
    slip.companies = &companies;
    ListSources lists;
    lists.doc = &doc;
    lists.config = &config;
    lists.items = &items;
    lists.customers = &customers;
    const std::string where = "seed " + std::to_string(seed);
    const QString path = dir_.filePath("random.pdf");
    const auto check = [&](const PrintJob& job, const std::string& what) {
      WritePdf(base, job, path.toStdString());
      EXPECT_EQ(WordFaults(path, where + " " + what), std::vector<std::string>{});
    };
    for (const DocumentKind& kind : DocumentKinds()) {
      if (kind.family != KindFamily::Estimate) continue;
      for (bool landscape : {false, true}) {
        chart.settings.options.PrintDirection = landscape;
        check(PrintJob::Chart(chart, kind.kind), std::string(kind.cliName) + (landscape ? " landscape" : ""));
      }
    }
    check(PrintJob::Receipt(slip, qmtest::RandomReceiptOptions(r)), "receipt");
    check(PrintJob::TotalClaim(slip, qmtest::RandomTotalClaimOptions(r)), "total invoice");
    check(PrintJob::FaxSender(slip, qmtest::RandomFaxOptions(r)), "fax");
    check(PrintJob::ItemList(lists, TPrintListOptions{}), "item list");
    check(PrintJob::CustomerList(lists, TPrintListOptions{}), "customer list");
  }
}

}  // namespace
}  // namespace qm::pdf
