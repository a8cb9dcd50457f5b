// The estimate-family documents as PDF files, read back by real readers (qpdf, pdffonts,
// pdftotext, pdfinfo, pdfimages), and the filled template pages item by item.
#include "pdf/chart_pdf.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "base/amount_text.h"
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
using qmtest::RunTool;

const TChartType kEstimateKinds[] = {TChartType::tcMitumori,     TChartType::tcTankaMitumori, TChartType::tcNouhin,
                                     TChartType::tcSeikyu,       TChartType::tcJyuryou,       TChartType::tcSeikyuMeisai,
                                     TChartType::tcKoujiUtiwake};

class ChartPdfTest : public ::testing::Test {
 protected:
  ChartPdfTest() : config_(dir_.filePath("img").toStdString()), companies_(dir_.filePath("img").toStdString()) {
    QDir(dir_.path()).mkdir("img");
    config_.LoadConfig(dir_.filePath("conf.ini").toStdString());
    companies_.LoadConfig(dir_.filePath("conf.ini").toStdString());
    TMxCampanyInfo& co = companies_.CampanyInfoArray(0);
    co.SetZipNo("150-0001");
    co.SetAddress1("東京都渋谷区神宮前1-2-3");
    co.SetCampanyName1("ベロラ工務店");
    co.SetCampanyName2("工事部");
    co.SetChargeName("鈴木");
    co.SetTelFax("TEL 03-1111-2222");
    TMxCustomerObject& cu = doc_.CustomerInfo();
    cu.SetCustomerName1("山田建設株式会社");
    cu.SetCustomerNameTitle("御中");
    cu.SetZipNo("100-0001");
    cu.SetAddress1("千代田区丸の内");
    doc_.SetSlipDateStrYY("令和08");
    doc_.SetSlipDateStrMM("12");
    doc_.SetSlipDateStrDD("09");
    doc_.SetTaxRate(Currency::FromYen(10));
    src_.doc = &doc_;
    src_.config = &config_;
    src_.companies = &companies_;
  }

  void AddLines(int count, int pictures = 0) {
    for (int i = 0; i < count; ++i) {
      auto line = std::make_unique<TMxEstimateObject>();
      line->SetName("品目" + std::to_string(doc_.Count() + 1));
      line->SetNum(Currency::FromYen(i % 3 + 1));
      line->SetItemUnit("式");
      line->SetPrice(Currency::FromYen(1000 * (doc_.Count() + 1)));
      line->DoCalc();
      if (i < pictures) line->Pic().Assign(PictureKind::Png, qmtest::EncodedImage("png", 60, 40));
      doc_.Add(std::move(line));
    }
    doc_.DoCalc();
  }

  // The job the print dialog hands over, with the tax choice derived from the document.
  PrintJob Job(TChartType kind) {
    src_.settings.tax = DeriveTaxChoice(doc_);
    return PrintJob::Chart(src_, kind);
  }

  QString Write(TChartType kind, const QString& name = "out.pdf") {
    const QString path = dir_.filePath(name);
    PrintPDFChart(Job(kind), path.toStdString());
    return path;
  }

  std::string Amount(Currency v) const { return CommaAdd(false, v, false); }
  std::string Total(Currency v) const { return CommaAdd(true, v, false); }

  QTemporaryDir dir_;
  TMxConfigInfo config_;
  TMxCampanyInfoManager companies_;
  TMxEstimateObjectList doc_;
  ChartPageSources src_;
};

TEST_F(ChartPdfTest, EveryKindInBothOrientationsReadsBackAsTheDocument) {
  AddLines(8);
  for (const TChartType kind : kEstimateKinds) {
    for (const bool landscape : {false, true}) {
      src_.settings.options.PrintDirection = landscape;
      const std::string what = std::string(KindOf(kind).cliName) + (landscape ? " landscape" : " portrait");
      const QString path = Write(kind);
      ExpectValidPdf(path);
      // Landscape holds 10 lines on its only page, so 8 lines are one page either way.
      EXPECT_EQ(PdfPageCount(path), 1) << what;
      EXPECT_EQ(PdfPageSize(path, 1), landscape ? "842 x 595" : "595 x 842") << what;

      const QString fonts = RunTool("pdffonts", {path}).out;
      EXPECT_TRUE(fonts.contains(QRegularExpression("Gothic\\s+CID TrueType\\s+90ms-RKSJ-H\\s+no"))) << fonts.toStdString();

      const QString text = PdfText(path);
      std::string title, message;
      SetPageTitleAndMessage(kind, config_, title, message);
      EXPECT_TRUE(text.contains(QString::fromStdString(title).simplified().replace(" ", ""))
                  || text.contains(QString::fromStdString(title)))
          << what << "\n" << text.toStdString();
      EXPECT_TRUE(text.contains("山田建設株式会社 御中")) << what;
      EXPECT_TRUE(text.contains("ベロラ工務店")) << what;
      for (int i = 0; i < doc_.Count(); ++i) {
        EXPECT_TRUE(text.contains(QString::fromStdString(doc_.Items(i).Name()))) << what << " line " << i;
        EXPECT_TRUE(text.contains(QString::fromStdString(Amount(doc_.Items(i).TotalPrice())))) << what << " line " << i;
      }
      const bool tanka = kind == TChartType::tcTankaMitumori;
      EXPECT_EQ(text.contains("小計"), !tanka) << what;
      EXPECT_EQ(text.contains("消費税(10%)"), !tanka) << what;
      EXPECT_EQ(text.contains(QString::fromStdString(Total(doc_.TotalPrice()))), !tanka) << what;
      EXPECT_EQ(text.contains(QString::fromStdString(Total(doc_.TotalTax()))), !tanka) << what;
      EXPECT_EQ(text.contains("受領印"), kind == TChartType::tcJyuryou) << what;
    }
  }
}

TEST_F(ChartPdfTest, LongDocumentsCarryPageTotalsAndNumbersAndEveryLineOnce) {
  AddLines(100);
  const QString path = Write(TChartType::tcMitumori);
  ExpectValidPdf(path);
  ASSERT_EQ(PdfPageCount(path), 3);
  for (int page = 1; page <= 3; ++page)
    EXPECT_TRUE(PdfText(path, page).contains(QString("( %1 / 3 )").arg(page))) << page;
  const QString text = PdfText(path);
  EXPECT_EQ(text.count("(ページ計)"), 2);
  for (int i = 1; i <= 100; ++i)
    EXPECT_EQ(text.count(QRegularExpression(QString("品目%1(?!\\d)").arg(i))), 1) << i;
  // Page 1 holds lines 1 to 25 and their sum.
  Currency sum;
  for (int i = 0; i < 25; ++i) sum += doc_.Items(i).TotalPrice();
  EXPECT_TRUE(PdfText(path, 1).contains(QString::fromStdString(Amount(sum))));
  EXPECT_TRUE(PdfText(path, 3).contains(QString::fromStdString(Total(doc_.TotalPrice()))));
}

TEST_F(ChartPdfTest, TwentyOneLinesLeaveALastPageOfTotalsOnly) {
  AddLines(21);
  src_.settings.tax = TTaxChoice::Exclusive;
  TFormPDFBase base;
  TPRPage& first = MakePDFFileChart(base, src_, TChartType::tcMitumori, kFirstPage, 1, 2, 0);
  (void)first;
  TemplatePage& t = base.Template(PdfTemplate::TateMitsuFirstPage);
  EXPECT_EQ(t.Must<TPRLabel>("PRLabelTateMitsuFirstPageItemName21").Caption, "品目21");
  EXPECT_EQ(t.Must<TPRLabel>("PRLabelTateMitsuFirstPageItemName22").Caption, "");
  Currency sum;
  for (int i = 0; i < 21; ++i) sum += doc_.Items(i).TotalPrice();
  EXPECT_EQ(t.Must<TPRLabel>("PRLabelTateMitsuFirstPageItemTotalPrice26").Caption, Amount(sum));
  EXPECT_EQ(t.Must<TPRLabel>("PRLabelTateMitsuFirstPagePageNo").Caption, "( 1 / 2 )");

  MakePDFFileChart(base, src_, TChartType::tcMitumori, kLastPage, 2, 2, 0);
  TemplatePage& last = base.Template(PdfTemplate::TateMitsuFinalPage);
  for (int row = 1; row <= 35; ++row)
    EXPECT_EQ(last.Must<TPRLabel>("PRLabelTateMitsuFinalPageItemName" + std::to_string(row)).Caption, "") << row;
  EXPECT_EQ(last.Must<TPRLabel>("PRLabelTateMitsuFinalPageItemTotalPrice36").Caption, Total(doc_.SubTotalPrice()));
  EXPECT_EQ(last.Must<TPRLabel>("PRLabelTateMitsuFinalPageItemTotalPrice37").Caption, Total(doc_.TotalTax()));
  EXPECT_EQ(last.Must<TPRLabel>("PRLabelTateMitsuFinalPageItemTotalPrice38").Caption, Total(doc_.TotalPrice()));
  EXPECT_EQ(last.Must<TPRLabel>("PRLabelTateMitsuFinalPageFindingTax").Caption, "消費税(10%)");

  const QString path = Write(TChartType::tcMitumori);
  ASSERT_EQ(PdfPageCount(path), 2);
  EXPECT_FALSE(PdfText(path, 2).contains("品目"));
  EXPECT_TRUE(PdfText(path, 2).contains("合計"));
}

// Item rows per page kind: ordinary and unit-price documents, both orientations.
TEST_F(ChartPdfTest, RowsPerPageKindAreThePrintedOnes) {
  AddLines(200);
  TFormPDFBase base;
  struct Case {
    TChartType kind;
    bool landscape;
    int pageKind;
    int rows;  // item rows filled on that page
  } cases[] = {
      {TChartType::tcSeikyu, false, kFirstPage, 25},        {TChartType::tcSeikyu, false, kMiddlePage, 40},
      {TChartType::tcSeikyu, false, kLastPage, 35},         {TChartType::tcSeikyu, true, kFirstPage, 15},
      {TChartType::tcSeikyu, true, kMiddlePage, 30},        {TChartType::tcSeikyu, true, kLastPage, 25},
      {TChartType::tcTankaMitumori, false, kFirstPage, 26}, {TChartType::tcTankaMitumori, false, kMiddlePage, 41},
      {TChartType::tcTankaMitumori, false, kLastPage, 38},  {TChartType::tcTankaMitumori, true, kFirstPage, 16},
      {TChartType::tcTankaMitumori, true, kMiddlePage, 31}, {TChartType::tcTankaMitumori, true, kLastPage, 28},
  };
  for (const Case& c : cases) {
    MakePDFFileChart(base, src_, c.kind, c.pageKind, 2, 9, c.landscape ? 1 : 0);
    TemplatePage& t = base.MitsuTemplate(c.landscape, c.pageKind);
    const std::string part = t.Name().substr(6);
    int filled = 0;
    for (int n = 1; n <= MitsuTableOf(c.landscape, c.pageKind).rows; ++n)
      if (!t.Must<TPRLabel>("PRLabel" + part + "ItemName" + std::to_string(n)).Caption.empty()) ++filled;
    EXPECT_EQ(filled, c.rows) << part << " " << KindOf(c.kind).cliName;
  }
  // The unit-price estimate's only page holds 23 lines and no totals.
  TMxEstimateObjectList& doc = doc_;
  while (doc.Count() > 23) doc.Extract(doc.Count() - 1);
  doc.DoCalc();
  MakePDFFileChart(base, src_, TChartType::tcTankaMitumori, kOnlyPage, 1, 1, 0);
  TemplatePage& only = base.Template(PdfTemplate::TateMitsuFirstPage);
  EXPECT_EQ(only.Must<TPRLabel>("PRLabelTateMitsuFirstPageItemName23").Caption, "品目23");
  EXPECT_FALSE(only.Must<TPRLabel>("PRLabelTateMitsuFirstPageFindingTotal").Printable);
  EXPECT_EQ(only.Must<TPRLabel>("PRLabelTateMitsuFirstPageGrandTotal").Caption, "");
}

TEST_F(ChartPdfTest, APageTotalBeyondTheAmountRangeShowsNoFigure) {
  AddLines(30);
  // Two lines whose sum leaves the amount range (as paper, no wrong figure is printed).
  const Currency huge = *Currency::TryParseDecimal("600000000000000");
  doc_.Items(0).SetTotalPrice(huge);
  doc_.Items(1).SetTotalPrice(huge);
  TFormPDFBase base;
  MakePDFFileChart(base, src_, TChartType::tcMitumori, kFirstPage, 1, 2, 0);
  EXPECT_EQ(base.Template(PdfTemplate::TateMitsuFirstPage).Must<TPRLabel>("PRLabelTateMitsuFirstPageItemTotalPrice26").Caption,
            "");
  doc_.Items(1).SetTotalPrice(Currency::FromYen(5));
  MakePDFFileChart(base, src_, TChartType::tcMitumori, kFirstPage, 1, 2, 0);
  EXPECT_NE(base.Template(PdfTemplate::TateMitsuFirstPage).Must<TPRLabel>("PRLabelTateMitsuFirstPageItemTotalPrice26").Caption,
            "");
}

TEST_F(ChartPdfTest, PicturePagesFollowAndCountInThePageNumbers) {
  AddLines(30, 3);
  src_.settings.options.PrintPic = true;
  src_.settings.options.PrintCopy = true;  // paper only
  const QString path = Write(TChartType::tcMitumori);
  ExpectValidPdf(path);
  ASSERT_EQ(PdfPageCount(path), 4);
  EXPECT_TRUE(PdfText(path, 1).contains("( 1 / 4 )"));
  EXPECT_TRUE(PdfText(path, 2).contains("( 2 / 4 )"));
  EXPECT_TRUE(PdfText(path, 3).contains("品目1"));
  EXPECT_TRUE(PdfText(path, 3).contains("品目2"));
  EXPECT_TRUE(PdfText(path, 4).contains("品目3"));
  const QStringList images = RunTool("pdfimages", {"-list", path}).out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(images.size(), 2 + 3) << images.join('\n').toStdString();
  // Fitted into the 521 × 369 box keeping 3:2, drawn one point a pixel.
  EXPECT_EQ(images[2].split(' ', Qt::SkipEmptyParts)[3], "521");
  EXPECT_EQ(images[2].split(' ', Qt::SkipEmptyParts)[4], "347");
  EXPECT_EQ(images[4].split(' ', Qt::SkipEmptyParts)[0], "4");  // the third picture on page 4
}

TEST_F(ChartPdfTest, GrandTotalWordingByTaxChoice) {
  AddLines(3);
  config_.SetTaxLessNotPrintSubTotal(true);
  struct Case {
    TChartType kind;
    TTaxChoice tax;
    bool amount;
    std::string grand;
    bool taxRow, subtotalAmount;
  } cases[] = {
      {TChartType::tcMitumori, TTaxChoice::Exclusive, true, " 御見積金額  ￥" + Total(doc_.SubTotalPrice()) + "- (消費税別) ",
       true, true},
      {TChartType::tcSeikyu, TTaxChoice::Included, true, " 合計金額  ￥" + Total(doc_.TotalPrice()) + "- (消費税込) ",
       true, true},
      {TChartType::tcNouhin, TTaxChoice::NoTax, true, " 合計金額  ￥" + Total(doc_.TotalPrice()) + "- ", false, false},
      {TChartType::tcNouhin, TTaxChoice::NoTax, false, " 合計金額  　　　　　　　 　　　　　 ", false, false},
      {TChartType::tcMitumori, TTaxChoice::Exclusive, false, " 御見積金額  　　　　　　　 (消費税別) ", true, true},
  };
  TFormPDFBase base;
  for (const Case& c : cases) {
    src_.settings.tax = c.tax;
    src_.settings.options.PrintGrandTotal = c.amount;
    MakePDFFileChart(base, src_, c.kind, kOnlyPage, 1, 1, 0);
    TemplatePage& t = base.Template(PdfTemplate::TateMitsuFirstPage);
    EXPECT_EQ(t.Must<TPRLabel>("PRLabelTateMitsuFirstPageGrandTotal").Caption, c.grand);
    EXPECT_EQ(t.Must<TPRLabel>("PRLabelTateMitsuFirstPageFindingTax").Caption.empty(), !c.taxRow);
    EXPECT_EQ(t.Must<TPRLabel>("PRLabelTateMitsuFirstPageItemTotalPrice21").Caption.empty(), !c.subtotalAmount);
    EXPECT_EQ(t.Must<TPRLabel>("PRLabelTateMitsuFirstPageItemTotalPrice23").Caption, Total(doc_.TotalPrice()));
  }
}

TEST_F(ChartPdfTest, SwappedAddressesSendTheDocumentToTheCompanyItself) {
  AddLines(2);
  src_.settings.options.ChangeSR = true;
  src_.settings.options.PrintName = true;
  TFormPDFBase base;
  MakePDFFileChart(base, src_, TChartType::tcJyuryou, kOnlyPage, 1, 1, 0);
  TemplatePage& t = base.Template(PdfTemplate::TateMitsuFirstPage);
  EXPECT_EQ(t.Must<TPRLabel>("PRLabelTateMitsuFirstPageCustomerName1").Caption, "ベロラ工務店");
  EXPECT_EQ(t.Must<TPRLabel>("PRLabelTateMitsuFirstPageCustomerName2").Caption, "工事部 行き");
  EXPECT_EQ(t.Must<TPRText>("PRTextTateMitsuFirstPageCustomerAddress").Lines,
            (std::vector<std::string>{"150-0001　", "東京都渋谷区神宮前1-2-3　", "　"}));
  EXPECT_EQ(t.Must<TPRText>("PRTextTateMitsuFirstPageMyTelFaxChargeName2").Lines,
            (std::vector<std::string>{"鈴木　", "TEL 03-1111-2222　"}));
  EXPECT_EQ(t.Must<TPRLabel>("PRLabelTateMitsuFirstPageMyName1").Caption, "山田建設株式会社");
  EXPECT_EQ(t.Must<TPRText>("PRTextTateMitsuFirstPageMyAddress").Lines.front(), "〒100-0001");
  // Restacked one full-width character apart, underlines below each.
  const TPRLabel& n1 = t.Must<TPRLabel>("PRLabelTateMitsuFirstPageCustomerName1");
  const TPRLabel& n2 = t.Must<TPRLabel>("PRLabelTateMitsuFirstPageCustomerName2");
  EXPECT_EQ(n2.Top - n1.Top, 12);
  EXPECT_EQ(t.Must<TPRRect>("PRRectTateMitsuFirstPageCustomerNameUnderLine1").Top, n1.Top + 12);
  EXPECT_EQ(t.Must<TPRRect>("PRRectTateMitsuFirstPageCustomerNameUnderLine2").Width, n2.Width);
}

TEST_F(ChartPdfTest, SealsLogoAndTheSealOverTheLogo) {
  AddLines(2);
  ASSERT_TRUE(qmtest::WriteImageFile(config_.StampFileName(2), "bmp", 10, 10));
  config_.LoadConfig(dir_.filePath("conf.ini").toStdString());
  src_.settings.personalStampSlot = 2;
  src_.settings.checkStampSlot = -1;
  TMxCampanyInfo& co = companies_.CampanyInfoArray(0);
  // A logo twice as wide as high, a red seal whose white is transparent.
  QImage logo(200, 100, QImage::Format_RGB32);
  logo.fill(QColor(0, 0, 255));
  QByteArray logoBytes;
  {
    QBuffer b(&logoBytes);
    b.open(QIODevice::WriteOnly);
    logo.save(&b, "PNG");
  }
  co.LogoImage().Assign(PictureKind::Png, logoBytes.toStdString());
  co.SetChkUseLogoImage(true);
  QImage seal(40, 40, QImage::Format_RGB32);
  seal.fill(Qt::white);
  for (int y = 10; y < 30; ++y)
    for (int x = 10; x < 30; ++x) seal.setPixel(x, y, qRgb(255, 0, 0));
  QByteArray sealBytes;
  {
    QBuffer b(&sealBytes);
    b.open(QIODevice::WriteOnly);
    seal.save(&b, "PNG");
  }
  co.CampanyStampImage().Assign(PictureKind::Png, sealBytes.toStdString());
  co.SetChkUseCampanyStamp(true);
  co.SetChkUseCampanyStampTrans(true);
  co.SetCampanyStampTransColor("clWhite");

  TFormPDFBase base;
  MakePDFFileChart(base, src_, TChartType::tcMitumori, kOnlyPage, 1, 1, 0);
  TemplatePage& t = base.Template(PdfTemplate::TateMitsuFirstPage);
  const TPRImage& logoItem = t.Must<TPRImage>("PRImageTateMitsuFirstPageCampanyLogo");
  const TPRText& myAddress = t.Must<TPRText>("PRTextTateMitsuFirstPageMyAddress");
  EXPECT_EQ(logoItem.Left, myAddress.Left);
  EXPECT_EQ(logoItem.Top, myAddress.Top);
  // 200 × 100 fitted into 179 × 65: 179 × 90, then shrunk by 0.9 until it fits.
  EXPECT_EQ(logoItem.Width, 117);
  EXPECT_EQ(logoItem.Height, 59);
  EXPECT_TRUE(myAddress.Lines.empty());
  const TPRImage& sealItem = t.Must<TPRImage>("PRImageTateMitsuFirstPageCampanyStamp");
  EXPECT_EQ(sealItem.Left, 383);  // (140 − 5) mm
  EXPECT_EQ(sealItem.Top, 130);   // 46 mm
  EXPECT_EQ(sealItem.Width, 71);  // 25 mm
  EXPECT_FALSE(t.Must<TPRImage>("PRImageTateMitsuFirstPagePersonalStamp").Picture().isNull());
  EXPECT_TRUE(t.Must<TPRImage>("PRImageTateMitsuFirstPageCheckStamp").Picture().isNull());

  // The seal over a logo it half covers: red in its middle, the logo's blue where it is
  // transparent over the logo, white past the logo's edge.
  TPRImage logoAt("logo"), stampAt("stamp");
  logoAt.Left = 0, logoAt.Top = 0, logoAt.Width = 100, logoAt.Height = 50;
  logoAt.SetPicture(logo);
  stampAt.Left = 80, stampAt.Top = 30, stampAt.Width = 40, stampAt.Height = 40;
  stampAt.SetPicture(seal);
  const QImage composed = PDFPicTrans(logoAt, stampAt, co);
  ASSERT_EQ(composed.size(), QSize(40, 40));
  EXPECT_EQ(composed.pixelColor(20, 20), QColor(255, 0, 0));
  EXPECT_EQ(composed.pixelColor(2, 2), QColor(0, 0, 255));     // over the logo
  EXPECT_EQ(composed.pixelColor(37, 37), QColor(255, 255, 255));  // past it
  co.SetChkUseLogoImage(false);
  EXPECT_EQ(PDFPicTrans(logoAt, stampAt, co).pixelColor(2, 2), QColor(255, 255, 255));
  EXPECT_EQ(PDFPicTrans(logoAt, stampAt, co).pixelColor(20, 20), QColor(255, 0, 0));

  const QString path = Write(TChartType::tcMitumori);
  ExpectValidPdf(path);
}

// The content stream of one representative page, compared with committed golden text.
TEST_F(ChartPdfTest, TheOnlyPageOfAnEstimateIsTheGoldenContentStream) {
  AddLines(4);
  doc_.SetSlipCodeStr("A-12");
  doc_.SetEtcStr("工期は三十日\r\n支払は月末");
  doc_.SetKoujiNameStr("外壁塗装");
  doc_.SetKoujiNamePrintCheck(true);
  doc_.Items(1).SetClassNo(1);
  src_.settings.options.PrintBunrui = true;
  const QString path = dir_.filePath("golden.pdf");
  PdfWriteSettings pinned;
  pinned.clock = &qmtest::PinnedClock();
  pinned.randomStart = [] { return 100; };
  PrintPDFChart(Job(TChartType::tcMitumori), path.toStdString(), pinned);
  ExpectValidPdf(path);
  const std::string bytes = qmtest::ReadFileBytes(path);
  const std::size_t start = bytes.find("stream\r\n") + 8;
  const std::size_t end = bytes.find("endstream", start);
  ASSERT_NE(end, std::string::npos);
  const std::string stream = bytes.substr(start, end - start);
  const QString golden = QString(QM_TEST_DATA_DIR) + "/pdf/estimate_only_page.stream";
  if (qEnvironmentVariableIsSet("QM_UPDATE_GOLDEN")) {
    QFile f(golden);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(stream.data(), static_cast<qint64>(stream.size()));
  }
  EXPECT_EQ(stream, qmtest::ReadFileBytes(golden)) << "rewrite with QM_UPDATE_GOLDEN=1 after a deliberate change";
  // The same input writes the same file.
  const QString again = dir_.filePath("again.pdf");
  PrintPDFChart(Job(TChartType::tcMitumori), again.toStdString(), pinned);
  EXPECT_EQ(qmtest::ReadFileBytes(again), bytes);
}

TEST_F(ChartPdfTest, AFileThatCannotBeWrittenLeavesNothing) {
  AddLines(2);
  const QString path = dir_.filePath("no/such/folder/out.pdf");
  try {
    PrintPDFChart(Job(TChartType::tcMitumori), path.toStdString());
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("out.pdf"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(QFile::exists(path));
  // An existing file stays as it was when the new one cannot be finished.
  QFile keep(dir_.filePath("keep.pdf"));
  ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
  keep.write("old");
  keep.close();
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner);
  bool failed = false;
  try {
    PrintPDFChart(Job(TChartType::tcMitumori), dir_.filePath("keep.pdf").toStdString());
  } catch (const Error&) {
    failed = true;
  }
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  if (failed) {
    EXPECT_EQ(qmtest::ReadFileBytes(dir_.filePath("keep.pdf")), "old");
  }
}

}  // namespace
}  // namespace qm::pdf
