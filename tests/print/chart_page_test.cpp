#include "print/chart_page.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "print/page_renderer.h"
#include "support/images.h"
#include "support/page_ops.h"

// Pages are laid out at 254 dpi in these tests: ten dots a millimetre, so every
// position below reads as millimetres × 10. A 10-point cell is 35 dots high (a
// double-byte character 35 dots wide, a single byte 17.5), 12 points 42 dots, 18
// points 64 and 24 points 85.

namespace qm {
namespace {

constexpr int kDpi = 254;

std::unique_ptr<TMxEstimateObject> Line(const std::string& name, double num, double price,
                                        const std::string& unit = "式") {
  auto line = std::make_unique<TMxEstimateObject>();
  line->SetName(name);
  line->SetNum(Currency::FromLongDouble(num));
  line->SetPrice(Currency::FromLongDouble(price));
  line->SetItemUnit(unit);
  line->DoCalc();
  return line;
}

// The lines of Describe() whose text contains `needle`, in order.
using qmtest::HasOp;
using qmtest::Joined;
using qmtest::OpsWith;

class ChartPageTest : public ::testing::Test {
 protected:
  ChartPageTest() : config_(dir_.path().toStdString()), companies_(dir_.path().toStdString()) {
    config_.LoadConfig(dir_.filePath("conf.ini").toStdString());  // no file: every default
    config_.SetPrintMsgEstimateTitle("御見積書");
    config_.SetPrintMsgEstimateMessage("下記の通り御見積申し上げます。");
    config_.SetCurrencyMark("￥");
    config_.SetSenderFontSize(12);
    config_.SetPrintDecimalPoint(false);
    doc_.SetTaxRate(Currency::FromYen(10));
    src_.doc = &doc_;
    src_.config = &config_;
    src_.companies = &companies_;
    src_.printerDpiX = kDpi;
    src_.printerDpiY = kDpi;
    src_.settings.tax = TTaxChoice::Exclusive;
  }

  void AddLines(int count) {
    for (int i = 0; i < count; ++i) doc_.Add(Line("品" + std::to_string(i + 1), 1, 100));
    doc_.DoCalc();
  }

  PageImage Page(TChartType kind, int pageType, int maxPage = 1, int nowPage = 1, bool landscape = false,
                 bool hikae = false, bool a4 = true) {
    return MakeMetaFileChartPrinter(src_, kind, pageType, landscape ? 1 : 0, maxPage, nowPage, hikae, a4);
  }

  TPrintMitsuOptions& Options() { return src_.settings.options; }

  QTemporaryDir dir_;
  TMxConfigInfo config_;
  TMxCampanyInfoManager companies_;
  TMxEstimateObjectList doc_;
  ChartPageSources src_;
};

TEST_F(ChartPageTest, FortyOneLinesSplitAfterLine25WithPageTotalsThenTotals) {
  AddLines(41);
  ASSERT_EQ(GetNecPage(doc_, TChartType::tcMitumori, false), 2);
  const PageImage first = Page(TChartType::tcMitumori, kFirstPage, 2, 1);
  const PageImage last = Page(TChartType::tcMitumori, kLastPage, 2, 2);
  EXPECT_EQ(OpsWith(first, "\"品25\"").size(), 1u);
  EXPECT_TRUE(OpsWith(first, "\"品26\"").empty());
  EXPECT_EQ(OpsWith(last, "\"品26\"").size(), 1u);
  EXPECT_EQ(OpsWith(last, "\"品41\"").size(), 1u);
  // Page total of 25 lines of 100 on the first page, in row 26 (y = 110 + 1 + 5.5 × 26 mm).
  EXPECT_TRUE(HasOp(first, "text 650,2540 h=35 #000000 \"(ページ計)\""));
  EXPECT_EQ(OpsWith(first, "\"2,500\"").size(), 1u);
  EXPECT_TRUE(OpsWith(first, "合　計").empty());
  EXPECT_EQ(OpsWith(last, "合　計").size(), 1u);
  EXPECT_TRUE(OpsWith(last, "ページ計").empty());
  // Page numbers 2 mm below the frame: 110 + 148.5 + 2 on the first, 30 + 236.5 + 2 on the last.
  EXPECT_TRUE(HasOp(first, "text 956,2605 h=42 #000000 \"( 1 / 2 )\""));
  EXPECT_TRUE(HasOp(last, "text 956,2685 h=42 #000000 \"( 2 / 2 )\""));
  // The last page starts with its table at 30 mm: no head.
  EXPECT_TRUE(OpsWith(last, "御見積書").empty());
}

// ---------------------------------------------------------------------------------
// The head.

TEST_F(ChartPageTest, HeadOfAnEstimateWithItsPositions) {
  AddLines(1);
  TMxCustomerObject& cu = doc_.CustomerInfo();
  cu.SetZipNo("100-0001");
  cu.SetAddress1("東京都千代田区");
  cu.SetCustomerName1("山田建設");
  cu.SetCustomerNameTitle("御中");
  cu.SetCustomerCode("C01");
  doc_.SetSlipCodeStr("123");
  doc_.SetSlipDateStrYY("令和8");
  doc_.SetSlipDateStrMM("12");
  doc_.SetSlipDateStrDD("9");
  config_.SetPrintCheckCusCode(true);
  TMxCampanyInfo& co = companies_.CampanyInfoArray(0);
  co.SetCampanyName1("ベロラ工務店");
  co.SetTelFax("TEL 03-0000-0000");
  co.SetChargeName("担当 鈴木");
  Options().PrintName = true;

  const PageImage page = Page(TChartType::tcMitumori, kOnlyPage);
  const std::string texts = Joined(OpsWith(page, "text "));
  const std::string expectedHead =
      // Title: 8 bytes at 24 pt = 340 dots, centred on 2100.
      "text 880,150 h=85 underline #000080 \"御見積書\"\n"
      "text 260,300 h=42 #000000 \"〒100-0001\"\n"
      "text 260,350 h=42 #000000 \"東京都千代田区\"\n"
      "text 260,450 h=42 bold underline #000000 \"山田建設 御中\"\n"
      "text 260,750 h=35 #000000 \"下記の通り御見積申し上げます。\"\n"
      "text 1700,200 h=35 #000000 \"№123\"\n"
      "text 1600,260 h=35 #000000 \"令和8年 12月 9日\"\n"
      "text 260,200 h=35 #000000 \"お客様コード: C01\"\n"
      "text 1150,490 h=42 #000000 \"ベロラ工務店\"\n"
      "text 1150,610 h=35 #000000 \"担当 鈴木\"\n"
      "text 1150,650 h=35 #000000 \"TEL 03-0000-0000\"\n"
      // Stamp captions centred in their 15 mm boxes at 155 and 170 mm.
      "text 1573,745 h=35 #000000 \"検　印\"\n"
      "text 1705,745 h=35 #000000 \"担当者印\"\n"
      // 31 bytes at 18 pt = 992 dots: 1050 − 496.
      "text 554,1000 h=64 bold underline #000000 \" 御見積金額  ￥100- (消費税別) \"\n";
  EXPECT_EQ(texts.substr(0, expectedHead.size()), expectedHead) << texts;
  // The stamp boxes: two 15 mm boxes under a 5 mm caption row.
  const std::string expectedBoxes =
      "line 1550,740-1850,740 w=2 #000000\n"
      "line 1550,790-1850,790 w=2 #000000\n"
      "line 1550,940-1850,940 w=2 #000000\n"
      "line 1550,740-1550,940 w=2 #000000\n"
      "line 1700,740-1700,940 w=2 #000000\n"
      "line 1850,740-1850,940 w=2 #000000\n";
  std::string blackLines;
  for (const std::string& op : OpsWith(page, "#000000"))
    if (op.rfind("line ", 0) == 0) blackLines += op + "\n";
  EXPECT_EQ(blackLines, expectedBoxes);
}

TEST_F(ChartPageTest, CopyPagesCarryTheCopyMarkAfterTheTitle) {
  AddLines(1);
  const PageImage page = Page(TChartType::tcMitumori, kOnlyPage, 1, 1, false, true);
  // "御見積書(控)" is 12 bytes: 510 dots wide.
  EXPECT_TRUE(HasOp(page, "text 795,150 h=85 underline #000080 \"御見積書(控)\""));
}

TEST_F(ChartPageTest, NameLinesFollowTheOneTwoThreeLineRule) {
  AddLines(1);
  TMxCustomerObject& cu = doc_.CustomerInfo();
  cu.SetCustomerName1("甲");
  cu.SetCustomerNameTitle("様");
  EXPECT_EQ(Joined(OpsWith(Page(TChartType::tcNouhin, kOnlyPage), "bold underline #000000 \"甲")),
            "text 260,450 h=42 bold underline #000000 \"甲 様\"\n");
  cu.SetCustomerName2("乙 ");
  EXPECT_EQ(Joined(OpsWith(Page(TChartType::tcNouhin, kOnlyPage), "h=42 bold")),
            "text 260,450 h=42 bold underline #000000 \"甲\"\n"
            "text 260,492 h=42 bold underline #000000 \"乙 様\"\n");
  cu.SetCustomerName2("");
  cu.SetCustomerName3("丙");
  EXPECT_EQ(Joined(OpsWith(Page(TChartType::tcNouhin, kOnlyPage), "h=42 bold")),
            "text 260,450 h=42 bold underline #000000 \"甲\"\n"
            "text 260,534 h=42 bold underline #000000 \"丙 様\"\n");
}

TEST_F(ChartPageTest, SwapPutsTheCompanyAtTheAddresseeAndTheCustomerAtTheSender) {
  AddLines(1);
  doc_.CustomerInfo().SetCustomerName1("山田");
  doc_.CustomerInfo().SetCustomerNameTitle("様");
  TMxCampanyInfo& co = companies_.CampanyInfoArray(0);
  co.SetCampanyName1("自社");
  co.SetTelFax("TEL 1");
  Options().ChangeSR = true;
  const PageImage page = Page(TChartType::tcJyuryou, kOnlyPage);
  EXPECT_TRUE(HasOp(page, "text 260,450 h=42 bold underline #000000 \"自社 行き\""));
  EXPECT_TRUE(HasOp(page, "text 260,680 h=42 #000000 \"TEL 1\""));
  EXPECT_TRUE(HasOp(page, "text 1150,490 h=42 #000000 \"山田\""));
  EXPECT_TRUE(OpsWith(page, "山田 様").empty());
  // Goods receipt: the right stamp box is the receiver's.
  EXPECT_EQ(OpsWith(page, "受領印").size(), 1u);

  // With a logo the company is only its logo, fitted into 70 × 25 mm.
  co.SetChkUseLogoImage(true);
  co.LogoImage().Assign(PictureKind::Bmp, qmtest::EncodedImage("bmp", 200, 100));
  const PageImage logoPage = Page(TChartType::tcJyuryou, kOnlyPage);
  EXPECT_TRUE(OpsWith(logoPage, "自社").empty());
  EXPECT_EQ(Joined(OpsWith(logoPage, "bitmap")), "bitmap 260,300 460x230 bmp 200x100\n");
}

TEST_F(ChartPageTest, ALogoHidesTheSendersNamesChargeAndTelephone) {
  AddLines(1);
  TMxCampanyInfo& co = companies_.CampanyInfoArray(1);
  co.SetCampanyName1("ロゴの会社");
  co.SetChargeName("担当");
  co.SetTelFax("TEL");
  co.SetChkUseLogoImage(true);
  co.LogoImage().Assign(PictureKind::Png, qmtest::EncodedImage("png", 50, 50));
  src_.settings.companyIndex = 1;
  Options().PrintName = true;
  const PageImage page = Page(TChartType::tcSeikyu, kOnlyPage);
  EXPECT_TRUE(OpsWith(page, "ロゴの会社").empty());
  EXPECT_TRUE(OpsWith(page, "\"TEL\"").empty());
  // A square logo in the 70 × 25 mm box shrinks by tenths from 70 mm until it fits: 24 mm.
  EXPECT_EQ(Joined(OpsWith(page, "bitmap")), "bitmap 1150,370 240x240 png 50x50\n");
}

TEST_F(ChartPageTest, CompanySealAtItsA4PositionOrItsB5PositionDividedBy087) {
  AddLines(1);
  TMxCampanyInfo& co = companies_.CampanyInfoArray(0);
  co.SetChkUseCampanyStamp(true);
  co.CampanyStampImage().Assign(PictureKind::Bmp, qmtest::EncodedImage("bmp", 40, 40));
  co.SetCampanyStampPosDetail_X_A4(150);
  co.SetCampanyStampPosDetail_Y_A4(40);
  co.SetCampanyStampSizeWidth_A4(20);
  co.SetCampanyStampSizeHeight_A4(20);
  co.SetCampanyStampPosDetail_X_B5(87);
  co.SetCampanyStampPosDetail_Y_B5(43.5);
  co.SetCampanyStampSizeWidth_B5(17.4);
  co.SetCampanyStampSizeHeight_B5(17.4);
  EXPECT_EQ(Joined(OpsWith(Page(TChartType::tcMitumori, kOnlyPage), "bitmap")),
            "bitmap 1500,400 200x200 bmp 40x40\n");
  EXPECT_EQ(Joined(OpsWith(Page(TChartType::tcMitumori, kOnlyPage, 1, 1, false, false, false), "bitmap")),
            "bitmap 1000,500 200x200 bmp 40x40\n");
  co.SetChkUseCampanyStampTrans(true);
  co.SetCampanyStampTransColor("clWhite");
  EXPECT_EQ(Joined(OpsWith(Page(TChartType::tcMitumori, kOnlyPage), "bitmap")),
            "bitmap 1500,400 200x200 bmp 40x40 transparent #FFFFFF\n");
  // Landscape keeps the same millimetres.
  EXPECT_EQ(Joined(OpsWith(Page(TChartType::tcMitumori, kOnlyPage, 1, 1, true), "bitmap")),
            "bitmap 1500,400 200x200 bmp 40x40 transparent #FFFFFF\n");
}

TEST_F(ChartPageTest, SealsAreDrawnInsetInTheirStampCells) {
  AddLines(1);
  config_.ImgStamp(2).Assign(PictureKind::Bmp, qmtest::EncodedImage("bmp", 30, 30));
  config_.ImgStamp(4).Assign(PictureKind::Bmp, qmtest::EncodedImage("bmp", 20, 20));
  src_.settings.checkStampSlot = 2;
  src_.settings.personalStampSlot = 4;
  EXPECT_EQ(Joined(OpsWith(Page(TChartType::tcMitumori, kOnlyPage), "bitmap")),
            "bitmap 1555,795 140x140 bmp 30x30\n"
            "bitmap 1705,795 140x140 bmp 20x20\n");
  Options().PrintStampArea = false;
  EXPECT_TRUE(OpsWith(Page(TChartType::tcMitumori, kOnlyPage), "bitmap").empty());
}

TEST_F(ChartPageTest, SealListNamesOnlyExistingSlotsAndKeepsEachEntrysOwnSlot) {
  config_.SetNatsuinName1("社長");
  config_.SetNatsuinName2("部長");
  config_.SetNatsuinName3("課長");
  for (int slot : {0, 2}) ASSERT_TRUE(qmtest::WriteImageFile(config_.StampFileName(slot), "bmp", 4, 4));
  const std::vector<SealEntry> list = SealList(config_);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].caption, "印刷なし");
  EXPECT_EQ(list[1].caption, "社長");
  EXPECT_EQ(list[2].caption, "課長");
  // The entry after the missing slot 1 still draws its own slot.
  EXPECT_EQ(SealSlotOf(list, "課長"), 2);
  EXPECT_EQ(SealSlotOf(list, "部長"), -1);
  EXPECT_EQ(SealSlotOf(list, "印刷なし"), -1);

  TPrintMitsuOptions o;
  o.CheckStamp = "課長";
  o.PersonalStamp = "無い印";
  o.CustomerInfo = "会社情報3";
  o.PayBank = "振込先情報2";
  const ChartPrintSettings s = ResolveChartSettings(o, config_, doc_);
  EXPECT_EQ(s.checkStampSlot, 2);
  EXPECT_EQ(s.personalStampSlot, -1);
  EXPECT_EQ(s.companyIndex, 2);
  EXPECT_EQ(s.bankIndex, 1);
  o.CustomerInfo = "会社情報9";
  EXPECT_EQ(ResolveChartSettings(o, config_, doc_).companyIndex, 0);
}

TEST_F(ChartPageTest, BankLinesReplaceTheHeaderFields) {
  AddLines(1);
  config_.SetPrintHeadCondition("支払条件");
  config_.SetPrintHeadKoujiName("工事名");
  doc_.SetPayConditionStr("現金");
  doc_.SetPayConditionPrintCheck(true);
  // Only the payment condition: it is entry 1 on the first header-field line.
  EXPECT_EQ(Joined(OpsWith(Page(TChartType::tcSeikyu, kOnlyPage), "支払条件")),
            "text 260,800 h=35 #000000 \"1. 支払条件  現金\"\n");
  doc_.SetKoujiNameStr("新築");
  doc_.SetKoujiNamePrintCheck(true);
  EXPECT_EQ(Joined(OpsWith(Page(TChartType::tcSeikyu, kOnlyPage), ". ")),
            "text 260,800 h=35 #000000 \"1. 工事名  新築\"\n"
            "text 260,840 h=35 #000000 \"2. 支払条件  現金\"\n");

  TMxPayBankAccount& bank = companies_.CampanyInfoArray(0).PayBankAccount(1);
  bank.SetBankName("みずなら銀行");
  bank.SetBankNo("普通 1234567");
  bank.SetBankOwnerName("ベロラ");
  Options().PrintBank = true;
  src_.settings.bankIndex = 1;
  const PageImage page = Page(TChartType::tcSeikyu, kOnlyPage);
  EXPECT_TRUE(OpsWith(page, "支払条件").empty());
  EXPECT_TRUE(HasOp(page, "text 260,800 h=35 #000000 \"みずなら銀行\""));
  EXPECT_TRUE(HasOp(page, "text 260,840 h=35 #000000 \"普通 1234567\""));
  EXPECT_TRUE(HasOp(page, "text 260,880 h=35 #000000 \"ベロラ\""));
}

TEST_F(ChartPageTest, GrandTotalTextForEachTaxChoiceAndOption) {
  AddLines(10);  // 1,000 before tax, 100 tax
  struct Case {
    TChartType kind;
    TTaxChoice tax;
    bool amount;
    std::string text;
  };
  const Case cases[] = {
      {TChartType::tcMitumori, TTaxChoice::NoTax, true, " 御見積金額  ￥1,100- "},
      {TChartType::tcMitumori, TTaxChoice::Exclusive, true, " 御見積金額  ￥1,000- (消費税別) "},
      {TChartType::tcMitumori, TTaxChoice::Included, true, " 御見積金額  ￥1,100- (消費税込) "},
      {TChartType::tcNouhin, TTaxChoice::NoTax, false, " 合計金額  　　　　　　　 　　　　　 "},
      {TChartType::tcSeikyu, TTaxChoice::Exclusive, false, " 合計金額  　　　　　　　 (消費税別) "},
      {TChartType::tcKoujiUtiwake, TTaxChoice::Included, false, " 合計金額  　　　　　　　 (消費税込) "},
  };
  for (const Case& c : cases) {
    src_.settings.tax = c.tax;
    Options().PrintGrandTotal = c.amount;
    const auto ops = OpsWith(Page(c.kind, kOnlyPage), "h=64 bold underline");
    ASSERT_EQ(ops.size(), 1u) << c.text;
    EXPECT_NE(ops[0].find("\"" + c.text + "\""), std::string::npos) << ops[0];
  }
  Options().PrintGrandTotalFrame = false;
  EXPECT_TRUE(OpsWith(Page(TChartType::tcMitumori, kOnlyPage), "h=64").empty());
  Options().PrintGrandTotalFrame = true;
  EXPECT_TRUE(OpsWith(Page(TChartType::tcTankaMitumori, kOnlyPage), "h=64").empty());
}

// ---------------------------------------------------------------------------------
// The table.

TEST_F(ChartPageTest, ColumnBoundariesForEachOptionCombination) {
  AddLines(1);
  struct Case {
    bool freeEdit, cost, note;
    std::string lines;  // navy vertical lines inside the frame
  };
  // Portrait page kind 1: table 150 … 1950, top 1100; item columns end at row 21
  // (2255), the amount column's edges at row 24 (2420).
  const Case cases[] = {
      {true, true, true,
       "line 350,1100-350,2255\nline 750,1100-750,2255\nline 900,1100-900,2255\nline 1020,1100-1020,2255\n"
       "line 1270,1100-1270,2255\nline 1520,1100-1520,2420\nline 1770,1100-1770,2420\n"},
      {true, true, false,
       "line 500,1100-500,2255\nline 900,1100-900,2255\nline 1050,1100-1050,2255\nline 1170,1100-1170,2255\n"
       "line 1420,1100-1420,2255\nline 1670,1100-1670,2420\n"},
      {false, false, true,
       "line 550,1100-550,2255\nline 700,1100-700,2255\nline 820,1100-820,2255\nline 1070,1100-1070,2420\n"
       "line 1320,1100-1320,2420\n"},
      {false, false, false,
       "line 700,1100-700,2255\nline 850,1100-850,2255\nline 970,1100-970,2255\nline 1220,1100-1220,2420\n"},
  };
  for (const Case& c : cases) {
    Options().PrintFreeEdit = c.freeEdit;
    Options().PrintCost = c.cost;
    Options().PrintNote = c.note;
    std::string verticals;
    for (const std::string& op : OpsWith(Page(TChartType::tcMitumori, kOnlyPage), "#000080"))
      if (op.rfind("line ", 0) == 0) {
        const auto x1 = op.substr(5, op.find(',') - 5);
        const auto x2 = op.substr(op.find('-') + 1, op.find(',', op.find('-')) - op.find('-') - 1);
        if (x1 == x2) verticals += op.substr(0, op.find(" w=")) + "\n";
      }
    EXPECT_EQ(verticals, c.lines) << c.freeEdit << c.cost << c.note;
  }
}

TEST_F(ChartPageTest, FrameStripesAndCaptions) {
  AddLines(1);
  config_.SetLineColorOdd(0x00EEEEEE);
  config_.SetLineColorEven(0x00FFFFFF);
  const PageImage page = Page(TChartType::tcMitumori, kOnlyPage);
  // 24 ruled rows filled alternately, the caption row with the odd colour.
  const auto fills = OpsWith(page, "fill ");
  ASSERT_EQ(fills.size(), 24u);
  EXPECT_EQ(fills[0], "fill 150,1100 1800x55 #EEEEEE");
  EXPECT_EQ(fills[1], "fill 150,1155 1800x55 #FFFFFF");
  // The frame is four rows taller than the ruled rows: 154 mm.
  EXPECT_TRUE(HasOp(page, "rect 150,1100 1800x1540 w=2 #000080"));
  // Horizontal rules at the top of rows 1 … 24.
  EXPECT_EQ(OpsWith(page, "line 150,").size(), 24u);
  // The amount caption "金額" (70 dots) centred on its 25 mm column at 152 mm.
  config_.SetPrintHeadPrice("金額");
  EXPECT_TRUE(HasOp(Page(TChartType::tcMitumori, kOnlyPage), "text 1610,1110 h=35 #000000 \"金額\""));
}

TEST_F(ChartPageTest, ItemCellsNumbersClassesAndTheCubicMetre) {
  auto a = Line("基礎工事", 2, 1500, "m3");
  a->SetFreeEdit("A-1");
  a->SetClassNo(2);
  a->SetNote("備考欄");
  a->SetCost(Currency::FromYen(1200));
  doc_.Add(std::move(a));
  auto b = Line("値引き", 1, -500);
  b->SetClassNo(1);
  doc_.Add(std::move(b));
  doc_.Add(Line("単価なし", 0, 0));
  doc_.DoCalc();
  const PageImage page = Page(TChartType::tcMitumori, kOnlyPage);
  // Row 1 text top: 1100 + 65. Amount edge 177 mm, numbers end 0.5 mm inside it.
  EXPECT_TRUE(HasOp(page, "text 155,1165 h=35 #000000 \"A-1\""));
  EXPECT_TRUE(HasOp(page, "text 355,1165 h=35 #000000 \"　　基礎工事\""));
  EXPECT_TRUE(HasOp(page, "text 1775,1165 h=35 #000000 \"備考欄\""));
  EXPECT_TRUE(HasOp(page, "text 1678,1165 h=35 #000000 \"3,000\""));  // 5 bytes = 87 dots
  EXPECT_TRUE(HasOp(page, "text 1178,1165 h=35 #000000 \"1,500\""));  // unit price ends at 126.5 mm
  EXPECT_TRUE(HasOp(page, "text 1428,1165 h=35 #000000 \"1,200\""));  // cost ends at 151.5 mm
  EXPECT_TRUE(HasOp(page, "text 878,1165 h=35 #000000 \"2\""));       // quantity ends at 89.5 mm
  // m3 is an m with a smaller 3 beside its top.
  EXPECT_TRUE(HasOp(page, "text 905,1165 h=35 #000000 \"m\""));
  EXPECT_TRUE(HasOp(page, "text 922,1165 h=21 #000000 \"3\""));
  EXPECT_TRUE(OpsWith(page, "\"m3\"").empty());
  // Row 2: middle classification, a negative amount with its sign.
  EXPECT_TRUE(HasOp(page, "text 355,1220 h=35 #000000 \"　値引き\""));
  EXPECT_EQ(OpsWith(page, "\"-500\"").size(), 2u);  // unit price and amount
  // Row 3: zero quantity, price and amount leave their cells empty.
  EXPECT_TRUE(OpsWith(page, ",1275 h=35 #000000 \"0\"").empty());

  Options().PrintBunrui = false;
  const PageImage flat = Page(TChartType::tcMitumori, kOnlyPage);
  EXPECT_TRUE(HasOp(flat, "text 355,1165 h=35 #000000 \"基礎工事\""));
}

TEST_F(ChartPageTest, LineValuesShowTwoDecimalsWhileTotalsDoNot) {
  doc_.Add(Line("小数", 1, 1234.5));
  doc_.DoCalc();
  doc_.SetSubTotalPrice(Currency::FromLongDouble(1234.5));
  config_.SetPrintDecimalPoint(true);
  const PageImage page = Page(TChartType::tcMitumori, kOnlyPage);
  EXPECT_EQ(OpsWith(page, "\"1,234.50\"").size(), 2u);
  EXPECT_FALSE(OpsWith(page, "\"1,234.5\"").empty());  // 小計
}

TEST_F(ChartPageTest, TotalsRowsByTaxChoiceAndOptions) {
  AddLines(3);
  config_.SetTaxLessNotPrintSubTotal(false);
  // Rows 21, 22, 23 of the only page.
  const std::string sub = "text 650,2265 h=35 #000000 \"小　計\"";
  const std::string tax = "text 650,2320 h=35 #000000 \"消費税(10%)\"";
  const std::string total = "text 650,2375 h=35 #000000 \"合　計\"";
  PageImage page = Page(TChartType::tcMitumori, kOnlyPage);
  EXPECT_TRUE(HasOp(page, sub));
  EXPECT_TRUE(HasOp(page, tax));
  EXPECT_TRUE(HasOp(page, total));
  EXPECT_TRUE(HasOp(page, "text 1713,2375 h=35 #000000 \"330\""));

  src_.settings.tax = TTaxChoice::NoTax;
  page = Page(TChartType::tcMitumori, kOnlyPage);
  EXPECT_TRUE(HasOp(page, sub));
  EXPECT_FALSE(HasOp(page, tax));
  config_.SetTaxLessNotPrintSubTotal(true);
  page = Page(TChartType::tcMitumori, kOnlyPage);
  EXPECT_FALSE(HasOp(page, sub));
  EXPECT_TRUE(HasOp(page, total));

  // Without amounts the labels stay.
  Options().PrintSubtotalTotal = false;
  page = Page(TChartType::tcMitumori, kOnlyPage);
  EXPECT_TRUE(HasOp(page, total));
  EXPECT_TRUE(OpsWith(page, ",2375 h=35 #000000 \"330\"").empty());
}

TEST_F(ChartPageTest, RemarksPrintTheirFirstFourLinesBelowTheRuledRows) {
  AddLines(1);
  doc_.SetEtcStr("一\r\n二\r\n三\r\n四\r\n五\r\n六");
  const PageImage page = Page(TChartType::tcMitumori, kOnlyPage);
  EXPECT_TRUE(HasOp(page, "text 155,2430 h=35 #000000 \"備　考：一\""));
  EXPECT_TRUE(HasOp(page, "text 155,2485 h=35 #000000 \"　　　　二\""));
  EXPECT_TRUE(HasOp(page, "text 155,2595 h=35 #000000 \"　　　　四\""));
  EXPECT_TRUE(OpsWith(page, "五").empty());
  // A first page has no remarks.
  AddLines(30);
  EXPECT_TRUE(OpsWith(Page(TChartType::tcMitumori, kFirstPage, 2, 1), "備　考").empty());
}

TEST_F(ChartPageTest, UnitPriceEstimateFillsEveryRowAndPrintsNoTotals) {
  AddLines(23);
  const PageImage page = Page(TChartType::tcTankaMitumori, kOnlyPage);
  EXPECT_EQ(OpsWith(page, "\"品23\"").size(), 1u);
  EXPECT_TRUE(HasOp(page, "text 355,2375 h=35 #000000 \"品23\""));
  EXPECT_TRUE(OpsWith(page, "合　計").empty());
  EXPECT_TRUE(OpsWith(page, "小　計").empty());
  // Item columns run the full ruled height.
  EXPECT_FALSE(OpsWith(page, "line 350,1100-350,2420").empty());
  AddLines(20);
  EXPECT_TRUE(OpsWith(Page(TChartType::tcTankaMitumori, kFirstPage, 2, 1), "ページ計").empty());
}

TEST_F(ChartPageTest, SubtotalLinesDoNotCountInThePageTotal) {
  AddLines(30);
  doc_.Insert(5, std::make_unique<TMxEstimateObject>());
  doc_.ToSubTotalLine(5);
  doc_.DoCalc();
  const PageImage page = Page(TChartType::tcMitumori, kFirstPage, 2, 1);
  // 24 ordinary lines of 100 on the page besides the subtotal line (500).
  EXPECT_EQ(OpsWith(page, ",2540 h=35 #000000 \"2,400\"").size(), 1u);
}

TEST_F(ChartPageTest, LandscapePagesUseTheWideLayout) {
  AddLines(1);
  doc_.SetSlipDateStrYY("2026");
  doc_.SetSlipDateStrMM("1");
  doc_.SetSlipDateStrDD("5");
  const PageImage page = Page(TChartType::tcMitumori, kOnlyPage, 1, 1, true);
  EXPECT_EQ(page.Width(), 2970);
  EXPECT_EQ(page.Height(), 2100);
  EXPECT_TRUE(HasOp(page, "text 1315,70 h=85 underline #000080 \"御見積書\""));
  // Table 260 mm wide from 18.5 mm, 90 mm down, 99 mm high.
  EXPECT_TRUE(HasOp(page, "rect 185,900 2600x990 w=2 #000080"));
  EXPECT_TRUE(HasOp(page, "text 2400,170 h=35 #000000 \"2026年 1月 5日\""));
  // Stamp boxes at 245, 59 mm; the grand total at 79 mm, centred on 297 mm.
  EXPECT_TRUE(HasOp(page, "line 2450,590-2750,590 w=2 #000000"));
  EXPECT_EQ(OpsWith(page, ",790 h=64 bold underline").size(), 1u);
}

TEST_F(ChartPageTest, RenderedPageIsNotBlankWhereTheTitleIs) {
  AddLines(1);
  src_.printerDpiX = src_.printerDpiY = 100;
  const PageImage page = Page(TChartType::tcMitumori, kOnlyPage);
  const QImage image = RenderToImage(page);
  ASSERT_EQ(image.size(), QSize(827, 1169));
  int dark = 0;
  const int titleTop = MM2Dot(100, 15);
  for (int y = titleTop; y < titleTop + 33; ++y)
    for (int x = 300; x < 530; ++x)
      if (qGray(image.pixel(x, y)) < 160) ++dark;
  EXPECT_GT(dark, 100);
  int darkAbove = 0;
  for (int y = 0; y < titleTop - 5; ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 160) ++darkAbove;
  EXPECT_EQ(darkAbove, 0);
}

}  // namespace
}  // namespace qm
