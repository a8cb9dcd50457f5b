// Texts wider than their label in the PDF: condensed with Tz, set smaller and cut like the
// printed pages; figures whole; the right margin of every page white when rendered.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include "pdf/chart_pdf.h"
#include "pdf/report.h"
#include "support/pdf_tools.h"

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

}  // namespace
}  // namespace qm::pdf
