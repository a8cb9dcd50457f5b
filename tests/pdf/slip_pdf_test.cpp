// The receipt, the total invoice and the FAX cover sheet as PDF: the filled template items,
// and the files read back by qpdf and pdftotext.
#include "pdf/slip_pdf.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "base/error.h"
#include "pdf/pdf_blocks.h"
#include "support/images.h"
#include "support/pdf_tools.h"

namespace qm::pdf {
namespace {

using qmtest::ExpectValidPdf;
using qmtest::PdfPageCount;
using qmtest::PdfPageSize;
using qmtest::PdfText;

class SlipPdfTest : public ::testing::Test {
 protected:
  SlipPdfTest() : config_(dir_.filePath("img").toStdString()), companies_(dir_.filePath("img").toStdString()) {
    QDir(dir_.path()).mkdir("img");
    config_.LoadConfig(dir_.filePath("conf.ini").toStdString());
    companies_.LoadConfig(dir_.filePath("conf.ini").toStdString());
    config_.SetCurrencyMark("￥");
    config_.SetPrintDecimalPoint(false);
    TMxCampanyInfo& co = companies_.CampanyInfoArray(0);
    co.SetZipNo("150-0001");
    co.SetAddress1("東京都渋谷区神宮前1-2-3");
    co.SetCampanyName1("ベロラ工務店");
    co.SetChargeName("鈴木");
    co.SetTelFax("TEL 03-1111-2222");
    TMxCustomerObject& cu = doc_.CustomerInfo();
    cu.SetCustomerName1("山田建設株式会社");
    cu.SetCustomerNameTitle("御中");
    cu.SetZipNo("100-0001");
    cu.SetAddress1("千代田区丸の内");
    cu.SetCustomerCode("C01");
    doc_.SetSlipDateStrYY("令和08");
    doc_.SetSlipDateStrMM("12");
    doc_.SetSlipDateStrDD("09");
    doc_.SetTotalPrice(Currency::FromYen(55000));
    doc_.SetSubTotalPrice(Currency::FromYen(50000));
    doc_.SetTotalTax(Currency::FromYen(5000));
    src_.doc = &doc_;
    src_.config = &config_;
    src_.companies = &companies_;
  }

  QString Write(const PrintJob& job, const QString& name) {
    const QString path = dir_.filePath(name);
    WritePdf(base_, job, path.toStdString());
    return path;
  }

  QTemporaryDir dir_;
  TMxConfigInfo config_;
  TMxCampanyInfoManager companies_;
  TMxEstimateObjectList doc_;
  SlipSources src_;
  TFormPDFBase base_;
};

QString Squeezed(QString text) { return text.remove(QRegularExpression("\\s+")); }

}  // namespace

TEST_F(SlipPdfTest, ReceiptItemsOfBothCopies) {
  TPrintReceiptOptions o;
  o.ProvisoText = "工事代金として";
  o.UchiLabel = {"消費税", "現　金", "", ""};
  o.UchiPrice = {"5,000", " ", "", ""};
  config_.ImgStamp(1).Assign(PictureKind::Bmp, qmtest::EncodedImage("bmp", 30, 30));
  src_.personalStampSlot = 1;
  MakePDFFileReceipt(base_, src_, o);
  TemplatePage& t = base_.Template(PdfTemplate::Receipt);
  for (const char* copy : {"_1", "_2"}) {
    const TemplateItems items(t, "Receipt", copy);
    EXPECT_EQ(items.Label("Title").Caption, std::string(copy) == "_1" ? "領 収 書" : "領 収 書(控)");
    EXPECT_EQ(items.Label("CustomerName").Caption, "山田建設株式会社 御中");
    EXPECT_EQ(items.Label("CustomerName").FontSize, 24);
    EXPECT_EQ(items.Label("GrandTotal").Caption, "￥55,000※");
    EXPECT_EQ(items.Label("Reason").Caption, "工事代金として");
    EXPECT_EQ(items.Label("Msg").Caption, "令和08 年 12 月 09 日 上記の金額正に領収致しました。");
    EXPECT_EQ(items.Label("CustomerCode").Caption, "お客様コード: C01");
    EXPECT_EQ(items.Label("ContentLine1").Caption, "消費税");
    EXPECT_EQ(items.Label("PriceLine1").Caption, "￥5,000-");
    // A blank amount leaves its price empty; its label is still written.
    EXPECT_EQ(items.Label("ContentLine2").Caption, "現　金");
    EXPECT_EQ(items.Label("PriceLine2").Caption, "");
    EXPECT_FALSE(items.Image("PersonalStamp").Picture().isNull());
    // The band behind the amount: 16 points wider, 8 points to its left.
    const TPRLabel& grand = items.Label("GrandTotal");
    const TPRRect& band = items.Rect("BackColor");
    EXPECT_EQ(band.Width, grand.Width + 16);
    EXPECT_EQ(band.Left, grand.Left - 8);
    EXPECT_TRUE(items.Rect("RevenueStamp").Printable);
  }

  // Options off: the frames go, the amount is ten blanks, no seal without its box.
  o.PrintGrandTotal = false;
  o.PrintStampArea = false;
  o.PrintRevenueStampArea = false;
  MakePDFFileReceipt(base_, src_, o);
  const TemplateItems items(t, "Receipt", "_2");
  EXPECT_EQ(items.Label("GrandTotal").Caption, "　　　　　　　　　　");
  EXPECT_FALSE(items.Rect("RevenueStamp").Printable);
  EXPECT_FALSE(items.Label("RevenueStamp").Printable);
  EXPECT_FALSE(items.Rect("StampArea").Printable);
  EXPECT_TRUE(items.Image("PersonalStamp").Picture().isNull());
}

TEST_F(SlipPdfTest, ALongReceiptNameShrinksOnePointAtATimeOnBothCopies) {
  doc_.CustomerInfo().SetCustomerName1("株式会社とても長い名前の建設会社と");
  doc_.CustomerInfo().SetCustomerName2("その関連会社の工事部第二課");
  MakePDFFileReceipt(base_, src_, TPrintReceiptOptions{});
  TemplatePage& t = base_.Template(PdfTemplate::Receipt);
  const TPRLabel& upper = t.Must<TPRLabel>("PRLabelReceiptCustomerName_1");
  const TPRLabel& lower = t.Must<TPRLabel>("PRLabelReceiptCustomerName_2");
  EXPECT_LT(upper.FontSize, 24);
  EXPECT_EQ(lower.FontSize, upper.FontSize);
  EXPECT_EQ(lower.Caption, upper.Caption);
  const auto width = [&](double size) {
    return t.Page().TextWidth(upper.Caption, upper.FontName, upper.FontBold, upper.FontItalic, size);
  };
  EXPECT_LE(width(upper.FontSize), 508);
  EXPECT_GT(width(upper.FontSize + 1), 508);  // the largest size that fits

  // Too long even at 6 points: cut at whole characters, never empty.
  TPRLabel label = upper;
  label.FontSize = 24;
  label.Caption = std::string(300, 'W') + "建設";
  FitReceiptNameLabel(t.Page(), label);
  EXPECT_EQ(label.FontSize, 6);
  EXPECT_LE(t.Page().TextWidth(label.Caption, label.FontName, label.FontBold, label.FontItalic, 6), 508);
  EXPECT_EQ(label.Caption, std::string(label.Caption.size(), 'W'));
}

TEST_F(SlipPdfTest, TotalInvoiceItems) {
  TPrintTotalClaimOptions o;
  o.PreClaim = "100,000";
  o.PrePaid = "88,000";
  CalcResult(o);  // 12,000 carried over
  o.PrintBank = true;
  companies_.CampanyInfoArray(0).PayBankAccount(1).SetBankName("ベロラ銀行");
  companies_.CampanyInfoArray(0).PayBankAccount(1).SetBankNo("普通 1234567");
  companies_.CampanyInfoArray(0).PayBankAccount(1).SetBankOwnerName("ベロラコウムテン");
  src_.bankIndex = 1;
  doc_.SetEtcStr("4月分\r\n二行目");
  MakePDFFileTotalClaim(base_, src_, o);
  TemplatePage& t = base_.Template(PdfTemplate::TotalClaim);
  for (const char* copy : {"_1", "_2"}) {
    const TemplateItems items(t, "TotalClaim", copy);
    EXPECT_EQ(items.Label("PreClaim").Caption, "100,000");
    EXPECT_EQ(items.Label("PrePaid").Caption, "88,000");
    EXPECT_EQ(items.Label("CarryOver").Caption, "12,000");
    EXPECT_EQ(items.Label("Purchase").Caption, "50,000");
    EXPECT_EQ(items.Label("Tax").Caption, "5,000");
    EXPECT_EQ(items.Label("Claim").Caption, "￥67,000");  // 12,000 + 55,000
    EXPECT_EQ(items.Label("Etc").Caption, "備考：4月分");
    EXPECT_EQ(items.Label("SlipDate").Caption, "令和08年12月09日  締め切り分");
    EXPECT_EQ(items.Label("CustomerCode").Caption, "お客様コード： C01");
    EXPECT_EQ(items.Text("CustomerAddress").Lines,
              (std::vector<std::string>{"〒100-0001", "千代田区丸の内　", "　"}));
    EXPECT_EQ(items.Text("MyTelFaxChargeName").Lines,
              (std::vector<std::string>{"　", "TEL 03-1111-2222", "ベロラ銀行　", "普通 1234567　", "ベロラコウムテン　"}));
  }
}

TEST_F(SlipPdfTest, FaxCheckMarksFollowTheirOptions) {
  TPrintFaxOptions o;
  o.Option1 = true;
  o.Title = "御見積書の件";
  o.PaperNum = 4;
  o.Content = "いつもお世話になっております。\r\n見積書をお送りします。";
  MakePDFFileFaxSender(base_, src_, o);
  TemplatePage& t = base_.Template(PdfTemplate::FaxSender);
  EXPECT_TRUE(t.Must<TPRLabel>("PRLabelCheckMarkSikyu").Printable);
  for (const char* off : {"Sankou", "Kakunin", "Henshin"})
    EXPECT_FALSE(t.Must<TPRLabel>(std::string("PRLabelCheckMark") + off).Printable) << off;
  const TemplateItems items(t, "FaxSender");
  EXPECT_EQ(items.Label("Msg").Caption, "要件：御見積書の件");
  EXPECT_EQ(items.Label("Date").Caption, "日付：令和08 年 12 月 09 日 　　送付枚数：4枚");
  EXPECT_EQ(items.Text("Content").Lines,
            (std::vector<std::string>{"いつもお世話になっております。", "見積書をお送りします。"}));
}

TEST_F(SlipPdfTest, EachSheetIsOneValidA4PageWithItsTexts) {
  TPrintReceiptOptions receipt;
  receipt.ProvisoText = "工事代金として";
  TPrintTotalClaimOptions total;
  total.PreClaim = "100,000";
  total.PrePaid = "60,000";
  CalcResult(total);
  TPrintFaxOptions fax;
  fax.Title = "御見積書の件";
  fax.Content = "一行目の連絡\r\n二行目の連絡";
  fax.Option3 = true;
  const struct {
    PrintJob job;
    const char* file;
    std::vector<QString> texts;
  } sheets[] = {
      {PrintJob::Receipt(src_, receipt), "receipt.pdf",
       {"領収書(控)", "山田建設株式会社御中", "￥55,000※", "工事代金として", "担当者印", "収入印紙"}},
      {PrintJob::TotalClaim(src_, total), "total.pdf",
       {"合計請求書(控)", "前回請求額", "100,000", "40,000", "￥95,000", "締め切り分"}},
      {PrintJob::FaxSender(src_, fax), "fax.pdf",
       {"FAX送信のご案内", "要件：御見積書の件", "一行目の連絡", "二行目の連絡", "ご確認ください", "Ｖ"}},
  };
  for (const auto& sheet : sheets) {
    const QString path = Write(sheet.job, sheet.file);
    ExpectValidPdf(path);
    EXPECT_EQ(PdfPageCount(path), 1) << sheet.file;
    EXPECT_EQ(PdfPageSize(path, 1), "595 x 842") << sheet.file;
    const QString text = Squeezed(PdfText(path));
    for (const QString& want : sheet.texts) EXPECT_TRUE(text.contains(want)) << sheet.file << ": " << want.toStdString();
    EXPECT_TRUE(text.contains("ベロラ工務店")) << sheet.file;
  }
}

TEST_F(SlipPdfTest, AFileThatCannotBeWrittenLeavesNothing) {
  const QString path = dir_.filePath("no/such/folder/r.pdf");
  EXPECT_THROW(WritePdf(base_, PrintJob::Receipt(src_, TPrintReceiptOptions{}), path.toStdString()), Error);
  EXPECT_FALSE(QFile::exists(path));
}

}  // namespace qm::pdf
