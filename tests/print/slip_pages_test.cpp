#include "print/slip_pages.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "print/print_job.h"
#include "print/text_primitives.h"
#include "support/images.h"
#include "support/page_ops.h"

// Pages are laid out at 254 dpi: ten dots a millimetre, so every position below reads as
// millimetres × 10. A 10-point cell is 35 dots high (a double-byte character 35 dots
// wide, a single byte 17.5), 12 points 42 dots, 24 points 85.

namespace qm {
namespace {

constexpr int kDpi = 254;

using qmtest::HasOp;
using qmtest::Joined;
using qmtest::OpsWith;

class SlipPageTest : public ::testing::Test {
 protected:
  SlipPageTest() : config_(dir_.path().toStdString()), companies_(dir_.path().toStdString()) {
    config_.LoadConfig(dir_.filePath("conf.ini").toStdString());  // no file: every default
    config_.SetCurrencyMark("￥");
    config_.SetSenderFontSize(12);
    config_.SetPrintDecimalPoint(false);
    TMxCustomerObject& cu = doc_.CustomerInfo();
    cu.SetCustomerName1("山田建設");
    cu.SetCustomerNameTitle("御中");
    cu.SetCustomerCode("C01");
    doc_.SetSlipCodeStr("123");
    doc_.SetSlipDateStrYY("R8");
    doc_.SetSlipDateStrMM("12");
    doc_.SetSlipDateStrDD("09");
    doc_.SetTotalPrice(Currency::FromYen(35000));
    doc_.SetSubTotalPrice(Currency::FromYen(50000));
    doc_.SetTotalTax(Currency::FromYen(5000));
    src_.doc = &doc_;
    src_.config = &config_;
    src_.companies = &companies_;
    src_.printerDpiX = kDpi;
    src_.printerDpiY = kDpi;
  }

  PageImage Receipt() { return MakeMetaFileReceiptPrinter(src_, receipt_, true); }
  PageImage TotalClaim() {
    CalcResult(total_);
    return MakeMetaFileTotalClaimPrinter(src_, total_, true);
  }
  PageImage Fax() { return MakeMetaFileFaxSenderPrinter(src_, fax_, true); }

  QTemporaryDir dir_;
  TMxConfigInfo config_;
  TMxCampanyInfoManager companies_;
  TMxEstimateObjectList doc_;
  SlipSources src_;
  TPrintReceiptOptions receipt_;
  TPrintTotalClaimOptions total_;
  TPrintFaxOptions fax_;
};

// The copy half of a two-statement sheet: every operation after the first cut line is
// the one before it moved down by `shift` dots, the title with "(控)" added.
void ExpectCopyBelow(const PageImage& page, int shift, const std::string& title) {
  const std::vector<PageOp>& ops = page.Ops();
  ASSERT_EQ(ops.size() % 2, 0u);
  const std::size_t half = ops.size() / 2;
  for (std::size_t i = 0; i < half; ++i) {
    const PageOp& top = ops[i];
    const PageOp& copy = ops[i + half];
    EXPECT_EQ(copy.kind, top.kind) << i;
    const bool boxed = top.kind != PageOpKind::Text && top.kind != PageOpKind::Line;
    if (boxed) {
      EXPECT_EQ(copy.rect, top.rect.translated(0, shift)) << i;
    } else {
      EXPECT_EQ(copy.from.y(), top.from.y() + shift) << i << " " << top.text;
      if (top.kind == PageOpKind::Line) {
        EXPECT_EQ(copy.to, top.to + QPoint(0, shift)) << i;
      }
    }
    if (top.text == title) {
      EXPECT_EQ(copy.text, title + "(控)");
    } else {
      EXPECT_EQ(copy.text, top.text) << i;
      EXPECT_EQ(copy.from.x(), top.from.x()) << i;
    }
  }
}

}  // namespace

// ---------------------------------------------------------------------------------
// Receipt

TEST_F(SlipPageTest, ReceiptWithEveryElementInPlace) {
  receipt_.UchiLabel = {"消費税", "現　金", "", ""};
  receipt_.UchiPrice = {"3,181", "", "", ""};
  receipt_.ProvisoText = "工事代金として";
  receipt_.PrintName = true;
  TMxCampanyInfo& co = companies_.CampanyInfoArray(1);
  co.SetZipNo("530-0001");
  co.SetAddress1("大阪市北区");
  co.SetCampanyName1("ベロラ工務店");
  co.SetChargeName("担当 鈴木");
  co.SetTelFax("TEL 06-0000-0000");
  src_.companyIndex = 1;
  config_.SetPrintCheckCusCode(true);

  const PageImage page = Receipt();
  const std::string expectedUpperHalf =
      // 8 bytes at 24 points, centred on 105 mm; the underline stays for name and amount.
      "text 880,150 h=85 underline #000080 \"領 収 書\"\n"
      "text 774,300 h=85 underline #000000 \"山田建設 御中\"\n"
      // The band: the amount and two blanks wide (12 bytes), 41.5 mm to 43 mm + 85 dots.
      "fill 795,415 510x100 #A6CAF0\n"
      "text 838,420 h=85 underline #000000 \"￥35,000※\"\n"
      "text 928,550 h=35 #000000 \"工事代金として\"\n"
      "text 630,600 h=35 #000000 \"R8 年 12 月 09 日 上記の金額正に領収致しました。\"\n"
      "text 200,200 h=35 #000000 \"お客様コード: C01\"\n"
      "text 1700,200 h=35 #000000 \"№123\"\n"
      "line 1600,720-1780,720 w=2 #000000\n"
      "line 1780,720-1780,930 w=2 #000000\n"
      "line 1780,930-1600,930 w=2 #000000\n"
      "line 1600,930-1600,720 w=2 #000000\n"
      "text 1626,740 h=32 #000000 \"収入印紙\"\n"
      "line 1600,500-1750,500 w=2 #000000\n"
      "line 1600,550-1750,550 w=2 #000000\n"
      "line 1600,700-1750,700 w=2 #000000\n"
      "line 1600,500-1600,700 w=2 #000000\n"
      "line 1750,500-1750,700 w=2 #000000\n"
      "text 1605,510 h=35 #000000 \"担当者印\"\n"
      // Five rules each under its row: row top + 0.5 mm + 35 dots.
      "line 300,740-800,740 w=2 #000000\n"
      "line 300,790-800,790 w=2 #000000\n"
      "line 300,840-800,840 w=2 #000000\n"
      "line 300,890-800,890 w=2 #000000\n"
      "line 300,940-800,940 w=2 #000000\n"
      "text 305,700 h=35 #000000 \"内訳\"\n"
      "text 713,700 h=35 #000000 \"金額 \"\n"
      "text 305,750 h=35 #000000 \"消費税\"\n"
      "text 660,750 h=35 #000000 \"￥3,181-\"\n"
      // A label without an amount prints alone.
      "text 305,800 h=35 #000000 \"現　金\"\n"
      "text 850,700 h=35 #000000 \"〒530-0001\"\n"
      "text 850,740 h=35 #000000 \"大阪市北区\"\n"
      "text 850,820 h=42 #000000 \"ベロラ工務店\"\n"
      "text 850,940 h=35 #000000 \"担当 鈴木\"\n"
      "text 850,980 h=35 #000000 \"TEL 06-0000-0000\"\n"
      "line 150,1100-1950,1100 w=2 #000000\n";
  const std::string all = page.Describe();
  EXPECT_EQ(all.substr(0, expectedUpperHalf.size()), expectedUpperHalf) << all;
  ExpectCopyBelow(page, 1100, "領 収 書");
  // The second cut line ends the copy at 220 mm.
  EXPECT_TRUE(HasOp(page, "line 150,2200-1950,2200 w=2 #000000"));
}

TEST_F(SlipPageTest, ReceiptOptionsLeaveOutTheirElements) {
  receipt_.PrintGrandTotal = false;
  config_.SetPrintCheckCusCode(false);
  receipt_.PrintRevenueStampArea = false;
  receipt_.PrintStampArea = false;
  config_.ImgStamp(2).Assign(PictureKind::Bmp, qmtest::EncodedImage("bmp", 30, 30));
  src_.personalStampSlot = 2;
  const PageImage page = Receipt();
  // Ten full-width blanks in place of the amount; the band is still filled behind them
  // (22 bytes at 24 points = 935 dots).
  EXPECT_EQ(Joined(OpsWith(page, "h=85 underline #000000 \"　")),
            "text 625,420 h=85 underline #000000 \"　　　　　　　　　　\"\n"
            "text 625,1520 h=85 underline #000000 \"　　　　　　　　　　\"\n");
  EXPECT_TRUE(HasOp(page, "fill 583,415 935x100 #A6CAF0"));
  EXPECT_TRUE(OpsWith(page, "※").empty());
  EXPECT_TRUE(OpsWith(page, "収入印紙").empty());
  EXPECT_TRUE(OpsWith(page, "担当者印").empty());
  EXPECT_TRUE(OpsWith(page, "bitmap").empty());  // the seal goes with its box
  EXPECT_TRUE(OpsWith(page, "お客様コード").empty());  // switched off in the settings

  receipt_.PrintStampArea = true;
  EXPECT_EQ(Joined(OpsWith(Receipt(), "bitmap")),
            "bitmap 1605,555 140x140 bmp 30x30\n"
            "bitmap 1605,1655 140x140 bmp 30x30\n");
}

TEST_F(SlipPageTest, ReceiptNameShrinksToTheSheetAndIsCutOnlyBelowSixPoints) {
  // 24 points: 42.5 dots a byte; the sheet is 2100 dots wide.
  const std::string fits = std::string(48, 'A');  // 2040 dots
  EXPECT_EQ(FitReceiptName(fits, 2100, kDpi), (std::pair<int, std::string>{24, fits}));
  const std::string longer(56, 'A');  // 2380 dots at 24 points, 2072 at 21, 2184 at 22
  EXPECT_EQ(FitReceiptName(longer, 2100, kDpi).first, 21);
  const std::string huge(500, 'A');  // beyond the sheet even at 6 points
  const auto [size, text] = FitReceiptName(huge, 2100, kDpi);
  EXPECT_EQ(size, 6);
  EXPECT_LT(text.size(), huge.size());
  EXPECT_FALSE(text.empty());
  // A cut never splits a character and keeps the front of the name.
  const std::string mixed = std::string(360, 'x') + "漢字" + std::string(400, 'y');
  const auto [msize, mtext] = FitReceiptName(mixed, 2100, kDpi);
  EXPECT_EQ(msize, 6);
  EXPECT_EQ(mixed.substr(0, mtext.size()), mtext);
  EXPECT_EQ(QString::fromUtf8(mtext.c_str()).toUtf8().toStdString(), mtext);
  EXPECT_LE(GetCharWidth(mtext, 6, kDpi), 2100);

  // On the page the name keeps to the printable width, 10 mm in from each edge (1900
  // dots): 65 bytes fit at 16 points (56 dots, 28 a byte: 1820), not at 17 (30 a byte:
  // 1950), so the name is drawn smaller, never condensed or cut.
  doc_.CustomerInfo().SetCustomerName1(std::string(40, 'A'));
  doc_.CustomerInfo().SetCustomerName2(std::string(20, 'B'));
  EXPECT_EQ(Joined(OpsWith(Receipt(), "AAAA")),
            "text 140,300 h=56 underline #000000 \"" + std::string(40, 'A') + std::string(20, 'B') + " 御中\"\n" +
                "text 140,1400 h=56 underline #000000 \"" + std::string(40, 'A') + std::string(20, 'B') + " 御中\"\n");
}

// ---------------------------------------------------------------------------------
// Total invoice

TEST_F(SlipPageTest, TotalInvoiceAddsTheBalanceToThePurchases) {
  doc_.SetTotalPrice(Currency::FromYen(55000));
  total_.PreClaim = "100000";
  total_.PrePaid = "60,000";
  const PageImage page = TotalClaim();
  const std::string expectedTable =
      "fill 125,850 1850x80 #A6CAF0\n"
      "fill 125,930 1850x100 #FFFFFF\n"
      "line 125,850-1975,850 w=2 #000080\n"
      "line 125,930-1975,930 w=2 #000080\n"
      "line 125,1030-1975,1030 w=2 #000080\n"
      "line 125,850-125,1030 w=2 #000080\n"
      "line 425,850-425,1030 w=2 #000080\n"
      "line 725,850-725,1030 w=2 #000080\n"
      "line 1025,850-1025,1030 w=2 #000080\n"
      "line 1325,850-1325,1030 w=2 #000080\n"
      "line 1625,850-1625,1030 w=2 #000080\n"
      "line 1975,850-1975,1030 w=2 #000080\n"
      // Captions centred in their cells and in the 8 mm row; amounts 2 mm inside the
      // right edge, on the bottom of the 10 mm row.
      "text 170,873 h=35 #000000 \"前回御請求額\"\n"
      "text 283,975 h=35 #000000 \"100,000\"\n"
      "text 505,873 h=35 #000000 \"御入金額\"\n"
      "text 600,975 h=35 #000000 \"60,000\"\n"
      "text 805,873 h=35 #000000 \"繰越金額\"\n"
      "text 900,975 h=35 #000000 \"40,000\"\n"
      "text 1105,873 h=35 #000000 \"御買上額\"\n"
      "text 1200,975 h=35 #000000 \"50,000\"\n"
      "text 1405,873 h=35 #000000 \"消費税額\"\n"
      "text 1518,975 h=35 #000000 \"5,000\"\n"
      "text 1695,873 h=35 #000000 \"今回御請求額\"\n"
      "text 1815,975 h=35 #000000 \"￥95,000\"\n";
  const std::string all = page.Describe();
  EXPECT_NE(all.find(expectedTable), std::string::npos) << all;
  EXPECT_TRUE(HasOp(page, "text 753,150 h=85 underline #000080 \"合 計 請 求 書\""));
  EXPECT_TRUE(HasOp(page, "text 1350,250 h=35 #000000 \"R8年12月09日  締め切り分\""));
  EXPECT_TRUE(HasOp(page, "text 260,450 h=42 bold underline #000000 \"山田建設 御中\""));
  ExpectCopyBelow(page, 1150, "合 計 請 求 書");
  EXPECT_TRUE(HasOp(page, "line 150,1150-1950,1150 w=2 #000000"));
  EXPECT_TRUE(HasOp(page, "line 150,2300-1950,2300 w=2 #000000"));
}

TEST_F(SlipPageTest, TotalInvoiceRemarksBankAndTaxIncluded) {
  doc_.SetEtcStr("4月から6月分\r\n二行目は印刷しない");
  doc_.SetTaxInputModeIncludeTax(true);
  companies_.CampanyInfoArray(0).PayBankAccount(1).SetBankName("ベロラ銀行 本店");
  companies_.CampanyInfoArray(0).PayBankAccount(1).SetBankNo("普通 1234567");
  companies_.CampanyInfoArray(0).PayBankAccount(1).SetBankOwnerName("ベロラコウムテン");
  src_.bankIndex = 1;
  total_.PrintBank = true;
  const PageImage page = TotalClaim();
  EXPECT_EQ(Joined(OpsWith(page, "備考")), "text 125,1050 h=35 #000000 \"備考：4月から6月分\"\n"
                                            "text 125,2200 h=35 #000000 \"備考：4月から6月分\"\n");
  EXPECT_TRUE(OpsWith(page, "二行目").empty());
  // Tax-included input: the tax cell is the plain amount like the others.
  EXPECT_TRUE(HasOp(page, "text 1518,975 h=35 #000000 \"5,000\""));
  EXPECT_EQ(Joined(OpsWith(page, "text 1200,")),
            "text 1200,630 h=35 #000000 \"ベロラ銀行 本店\"\n"
            "text 1200,670 h=35 #000000 \"普通 1234567\"\n"
            "text 1200,710 h=35 #000000 \"ベロラコウムテン\"\n"
            "text 1200,975 h=35 #000000 \"50,000\"\n"
            "text 1200,1780 h=35 #000000 \"ベロラ銀行 本店\"\n"
            "text 1200,1820 h=35 #000000 \"普通 1234567\"\n"
            "text 1200,1860 h=35 #000000 \"ベロラコウムテン\"\n"
            "text 1200,2125 h=35 #000000 \"50,000\"\n");
}

// ---------------------------------------------------------------------------------
// FAX cover sheet

TEST_F(SlipPageTest, FaxCoverSheetWithRequestsAndNotes) {
  config_.SetPrintCheckCusCode(true);
  fax_.Title = "見積書";
  fax_.PaperNum = 3;
  fax_.Option2 = true;
  fax_.Option4 = true;
  fax_.Content = "一行目\r\n二行目\r\n\r\n四行目";
  const std::string expected =
      "text 732,700 h=85 underline #000080 \"FAX送信のご案内\"\n"
      "text 250,200 h=35 #000000 \"お客様コード: C01\"\n"
      "text 250,450 h=42 bold underline #000000 \"山田建設 御中\"\n"
      "line 300,1250-1800,1250 w=5 #000000\n"
      "line 300,1330-1800,1330 w=5 #000000\n"
      "line 300,1410-1800,1410 w=5 #000000\n"
      "line 300,1490-1800,1490 w=5 #000000\n"
      "line 300,2600-1800,2600 w=5 #000000\n"
      "text 300,1275 h=35 #000000 \"要件：見積書\"\n"
      // No greeting: the FAX kind has none.
      "text 300,1355 h=35 #000000 \"日付：R8 年 12 月 09 日 　　送付枚数：3枚\"\n"
      "rect 350,1425 50x50 w=5 #000000\n"
      "text 400,1435 h=35 #000000 \" 至急\"\n"
      "rect 700,1425 50x50 w=5 #000000\n"
      // 25 points (88 dots) centred on the square, top at 140 mm.
      "text 681,1400 h=88 #000000 \"Ｖ\"\n"
      "text 750,1435 h=35 #000000 \" ご参考まで\"\n"
      "rect 1050,1425 50x50 w=5 #000000\n"
      "text 1100,1435 h=35 #000000 \" ご確認ください\"\n"
      "rect 1400,1425 50x50 w=5 #000000\n"
      "text 1381,1400 h=88 #000000 \"Ｖ\"\n"
      "text 1450,1435 h=35 #000000 \" ご返信ください\"\n"
      "text 300,1540 h=35 #000000 \"連絡事項：\"\n"
      // Line i at 160 mm + 3 i mm + i × 35 dots.
      "text 400,1600 h=35 #000000 \"一行目\"\n"
      "text 400,1665 h=35 #000000 \"二行目\"\n"
      "text 400,1795 h=35 #000000 \"四行目\"\n";
  EXPECT_EQ(Fax().Describe(), expected);
}

TEST_F(SlipPageTest, FaxNotesRunPastTheLastRuleUncut) {
  std::string notes;
  for (int i = 0; i < 20; ++i) notes += "連絡" + std::to_string(i) + "\r\n";
  fax_.Content = notes + std::string(150, 'W');
  const PageImage page = Fax();
  EXPECT_TRUE(HasOp(page, "text 400,2835 h=35 #000000 \"連絡19\""));  // beyond the rule at 2600
  EXPECT_EQ(OpsWith(page, std::string(150, 'W')).size(), 1u);
}

}  // namespace qm
