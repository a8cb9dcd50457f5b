// Qualified invoices as PDF: every bill read back by qpdf and pdftotext shows the
// registration number and the figures per rate, and a company without a number gets
// the same file as before, byte for byte.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "pdf/chart_pdf.h"
#include "pdf/pdf_templates.h"
#include "pdf/slip_pdf.h"
#include "print/print_job.h"
#include "support/pdf_tools.h"

namespace qm::pdf {
namespace {

using qmtest::ExpectValidPdf;
using qmtest::PdfText;

class QualifiedPdfTest : public ::testing::Test {
 protected:
  QualifiedPdfTest()
      : config_(dir_.filePath("img").toStdString()),
        companies_(dir_.filePath("img").toStdString()),
        base_(qmtest::PinnedClock()) {
    QDir(dir_.path()).mkdir("img");
    config_.LoadConfig(dir_.filePath("conf.ini").toStdString());
    companies_.LoadConfig(dir_.filePath("conf.ini").toStdString());
    config_.SetCurrencyMark("￥");
    config_.SetPrintDecimalPoint(false);
    TMxCampanyInfo& co = companies_.CampanyInfoArray(0);
    co.SetAddress1("東京都渋谷区神宮前1-2-3");
    co.SetCampanyName1("ベロラ工務店");
    co.SetTelFax("TEL 03-1111-2222");
    co.SetRegistNo("T1234567890123");
    co.PayBankAccount(0).SetBankName("ベロラ銀行 本店");
    co.PayBankAccount(0).SetBankNo("普通 1234567");
    co.PayBankAccount(0).SetBankOwnerName("ベロラコウムテン");
    doc_.CustomerInfo().SetCustomerName1("山田建設株式会社");
    doc_.CustomerInfo().SetCustomerNameTitle("御中");
    doc_.SetTaxRate(Currency::FromYen(10));
    for (const auto& [amount, taxless] : {std::pair{500000, false}, std::pair{300000, false}, std::pair{12000, true}}) {
      auto line = std::make_unique<TMxEstimateObject>();
      line->SetName(taxless ? "印紙代" : "工事");
      line->SetNum(Currency::FromYen(1));
      line->SetPrice(Currency::FromYen(amount));
      line->SetTaxless(taxless);
      line->DoCalc();
      doc_.Add(std::move(line));
    }
    doc_.DoCalc();
    chart_.doc = slip_.doc = &doc_;
    chart_.config = slip_.config = &config_;
    chart_.companies = slip_.companies = &companies_;
    chart_.settings.tax = DeriveTaxChoice(doc_);
  }

  // The jobs of every bill: the three estimate-family kinds in both orientations, the
  // receipt and the total invoice.
  std::vector<std::pair<std::string, PrintJob>> Bills(const std::optional<bool>& option) {
    std::vector<std::pair<std::string, PrintJob>> jobs;
    for (TChartType kind : {TChartType::tcNouhin, TChartType::tcSeikyu, TChartType::tcSeikyuMeisai})
      for (bool landscape : {false, true}) {
        chart_.settings.options.PrintRegistNo = option;
        chart_.settings.options.PrintDirection = landscape;
        jobs.emplace_back(std::string(KindOf(kind).cliName) + (landscape ? " landscape" : ""),
                          PrintJob::Chart(chart_, kind));
      }
    TPrintReceiptOptions receipt;
    receipt.PrintRegistNo = option;
    jobs.emplace_back("receipt", PrintJob::Receipt(slip_, receipt));
    TPrintTotalClaimOptions total;
    total.PrintRegistNo = option;
    total.PrintBank = true;  // the number follows the three lines of the account
    jobs.emplace_back("total invoice", PrintJob::TotalClaim(slip_, total));
    return jobs;
  }

  std::string Write(const PrintJob& job, const QString& name) {
    const QString path = dir_.filePath(name);
    WritePdf(base_, job, path.toStdString(), [] { return 100; });
    return path.toStdString();
  }

  QTemporaryDir dir_;
  TMxConfigInfo config_;
  TMxCampanyInfoManager companies_;
  TMxEstimateObjectList doc_;
  ChartPageSources chart_;
  SlipSources slip_;
  TFormPDFBase base_;
};

TEST_F(QualifiedPdfTest, EveryBillShowsTheNumberAndTheFiguresPerRate) {
  for (auto& [what, job] : Bills(std::nullopt)) {
    SCOPED_TRACE(what);
    const QString path = QString::fromStdString(Write(job, "bill.pdf"));
    ExpectValidPdf(path);
    // pdftotext -layout keeps a run of blanks between words; compare with single blanks.
    const QString text = PdfText(path).simplified();
    const int copies = what == "receipt" || what == "total invoice" ? 2 : 1;
    EXPECT_EQ(text.count(QStringLiteral("登録番号 T1234567890123")), copies) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("10%対象 ￥800,000")), copies) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("消費税 ￥80,000")), copies) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("非課税 ￥12,000")), copies) << text.toStdString();
  }
}

TEST_F(QualifiedPdfTest, WithoutANumberOrWithTheOptionOffTheFileIsAsBefore) {
  std::vector<std::string> off;
  for (auto& [what, job] : Bills(false)) off.push_back(qmtest::ReadFileBytes(QString::fromStdString(Write(job, "off.pdf"))));
  companies_.CampanyInfoArray(0).SetRegistNo("");
  for (const std::optional<bool>& option : {std::optional<bool>(), std::optional<bool>(true)}) {
    std::size_t i = 0;
    for (auto& [what, job] : Bills(option)) {
      SCOPED_TRACE(what);
      const std::string bytes = qmtest::ReadFileBytes(QString::fromStdString(Write(job, "none.pdf")));
      EXPECT_EQ(bytes, off[i++]);
      EXPECT_EQ(bytes.find("T1234567890123"), std::string::npos);
    }
  }
}

// On a landscape sheet the number comes down beside the first header line, which then
// stops 2 mm short of it; the bank account lines too.
TEST_F(QualifiedPdfTest, LandscapeHeaderLinesStopShortOfTheNumber) {
  std::string longName;
  for (int i = 0; i < 60; ++i) longName += "工";
  doc_.SetKoujiNameStr(longName);
  doc_.SetKoujiNamePrintCheck(true);
  chart_.settings.options.PrintDirection = true;
  for (const bool bank : {false, true}) {
    chart_.settings.options.PrintBank = bank;
    for (const bool on : {true, false}) {
      chart_.settings.options.PrintRegistNo = on;
      TPRPage& page = MakePDFFileChart(base_, chart_, TChartType::tcSeikyu, kOnlyPage, 1, 1, 1);
      const auto* contact = dynamic_cast<TPRText*>(page.Find("PRTextYokoMitsuFirstPageMyTelFaxChargeName1"));
      const auto* lines = dynamic_cast<TPRText*>(
          page.Find(bank ? "PRTextYokoMitsuFirstBankAccount" : "PRTextYokoMitsuFirstPageCondition"));
      ASSERT_TRUE(contact && lines);
      SCOPED_TRACE(std::string(bank ? "bank" : "header fields") + (on ? " with number" : " without"));
      EXPECT_FALSE(lines->Lines.empty());
      if (on) {
        EXPECT_EQ(contact->Lines.back(), "登録番号 T1234567890123");
        EXPECT_LE(lines->Left + lines->Width, contact->Left - 6);
      } else {
        EXPECT_EQ(lines->Width, bank ? 360 : 516);  // as laid out
      }
    }
  }
}

}  // namespace
}  // namespace qm::pdf
