// Every text of every printed page stays inside its cell and the printable width: goldens
// of the estimate with long texts in both orientations and every column choice, a seeded
// property test over all page kinds, and the rendered page.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "print/chart_page.h"
#include "print/document_kinds.h"
#include "print/list_pages.h"
#include "print/page_canvas.h"
#include "print/page_renderer.h"
#include "print/slip_options.h"
#include "print/slip_pages.h"
#include "print/text_fit.h"
#include "support/images.h"
#include "support/golden.h"
#include "support/page_ops.h"
#include "support/random_documents.h"

namespace qm {
namespace {

constexpr int kDpi = 254;  // ten dots a millimetre

std::string Repeat(const std::string& unit, int times) {
  std::string s;
  for (int i = 0; i < times; ++i) s += unit;
  return s;
}

// A text operation's place, for the messages.
std::string Where(const PageOp& op) {
  const std::string start = op.text.substr(0, 12);
  return "\"" + start + (start.size() < op.text.size() ? "…" : "") + "\" at " + std::to_string(op.from.x()) + "," +
         std::to_string(op.from.y()) + " w=" + std::to_string(PageImage::DrawnWidth(op)) +
         " h=" + std::to_string(op.fontHeight);
}

// Every text operation of a page against its cell, the sheet and the printable width,
// and against every other text. Returns a description of each fault.
std::vector<std::string> TextsOutsideTheirCells(const PageImage& page, const std::string& where) {
  const int printableLeft = MM2Dot(page.Dpi(), kPrintMarginMm);
  const int printableRight = page.Width() - printableLeft;
  std::vector<std::string> faults;
  for (const PageOp& op : page.Ops()) {
    if (op.kind != PageOpKind::Text) continue;
    const int left = op.from.x();
    const int right = left + PageImage::DrawnWidth(op);
    const int cellLeft = op.cellLeft - (IsFigure(op.text) ? op.overrun : 0);
    const bool inside = left >= cellLeft && right <= op.cellRight && left >= 0 && right <= page.Width() &&
                        right <= printableRight && op.from.y() >= 0 && op.from.y() + op.fontHeight <= page.Height() &&
                        op.scalePercent >= kMinScalePercent && op.scalePercent <= 100;
    if (!inside)
      faults.push_back(where + ": \"" + op.text + "\" at " + std::to_string(left) + "-" + std::to_string(right) +
                       " cell " + std::to_string(cellLeft) + "-" + std::to_string(op.cellRight));
  }
  // No text is printed over another.
  std::vector<const PageOp*> texts;
  for (const PageOp& op : page.Ops())
    if (op.kind == PageOpKind::Text) texts.push_back(&op);
  // The box of a text without its leading and trailing blanks. Lines of a block may be
  // set closer than their cells are high, so two boxes overlap only when they share more
  // than half the height of the lower one, and more than 3 dots across.
  const auto box = [](const PageOp* op) {
    std::string_view t = op->text;
    int lead = 0;
    while (t.starts_with(' ') || t.starts_with("　")) {
      lead += t.starts_with(' ') ? 1 : 2;
      t.remove_prefix(t.starts_with(' ') ? 1 : 3);
    }
    while (t.ends_with(' ') || t.ends_with("　")) t.remove_suffix(t.ends_with(' ') ? 1 : 3);
    const int left = op->from.x() + lead * op->fontHeight / 2 * op->scalePercent / 100;
    const int width = PageImage::ScaledWidth(t, op->fontHeight, op->scalePercent);
    return QRect(left, op->from.y(), width, op->fontHeight);
  };
  std::vector<QRect> boxes;
  for (const PageOp* op : texts) boxes.push_back(box(op));
  const auto overprints = [&](std::size_t i, std::size_t j) {
    const QRect shared = boxes[i].intersected(boxes[j]);
    return shared.width() > 3 && shared.height() > std::min(texts[i]->fontHeight, texts[j]->fontHeight) / 2;
  };
  for (std::size_t i = 0; i < texts.size(); ++i)
    for (std::size_t j = i + 1; j < texts.size(); ++j)
      if (overprints(i, j))
        faults.push_back(where + ": " + Where(*texts[i]) + " over " + Where(*texts[j]));
  return faults;
}

class FittingPagesTest : public ::testing::Test {
 protected:
  FittingPagesTest() : config_(dir_.path().toStdString()), companies_(dir_.path().toStdString()) {
    config_.LoadConfig(dir_.filePath("conf.ini").toStdString());  // no file: every default
    config_.SetCurrencyMark("￥");
    config_.SetSenderFontSize(12);
    config_.SetPrintDecimalPoint(false);
    config_.SetPrintCheckCusCode(true);
    doc_.SetTaxRate(Currency::FromYen(10));
    doc_.SetSlipDateStrYY("令和8");
    doc_.SetSlipDateStrMM("12");
    doc_.SetSlipDateStrDD("9");
    chart_.doc = slip_.doc = lists_.doc = &doc_;
    chart_.config = slip_.config = lists_.config = &config_;
    chart_.companies = slip_.companies = &companies_;
    lists_.items = &items_;
    lists_.customers = &customers_;
    chart_.printerDpiX = chart_.printerDpiY = slip_.printerDpiX = slip_.printerDpiY = kDpi;
    lists_.printerDpiX = lists_.printerDpiY = kDpi;
    chart_.settings.tax = TTaxChoice::Exclusive;
  }

  void AddLine(const std::string& name, long long num, long long price, const std::string& note = "",
               const std::string& freeEdit = "", long long cost = 0) {
    auto line = std::make_unique<TMxEstimateObject>();
    line->SetName(name);
    line->SetNum(Currency::FromYen(num));
    line->SetPrice(Currency::FromYen(price));
    line->SetCost(Currency::FromYen(cost));
    line->SetItemUnit("式");
    line->SetNote(note);
    line->SetFreeEdit(freeEdit);
    line->DoCalc();
    doc_.Add(std::move(line));
  }

  // The cases of the estimate goldens: names of 11, 20 and 60 full-width characters, a
  // remark of 100 characters, a long free item, an amount of 15 digits, and a head with
  // a 40-character company name.
  void LongTextsDocument() {
    AddLine(Repeat("基", 11), 1, 1000);
    AddLine(Repeat("礎", 20), 2, 3000);
    AddLine(Repeat("工", 60), 3, 5000);
    AddLine("備考の長い行", 1, 100, Repeat("備", 50) + Repeat("k", 50));
    AddLine("自由項目の長い行", 1, 100, "", Repeat("自", 12));
    AddLine("大きな金額", 1, 123456789012345, "", "", 123456789012345);
    doc_.DoCalc();
    doc_.SetEtcStr(Repeat("備考欄", 40));
    TMxCustomerObject& cu = doc_.CustomerInfo();
    cu.SetCustomerName1(Repeat("顧", 40));
    cu.SetCustomerNameTitle("御中");
    cu.SetCustomerCode("C01");
    cu.SetAddress1(Repeat("住", 30));
    TMxCampanyInfo& co = companies_.CampanyInfoArray(0);
    co.SetCampanyName1(Repeat("会", 40));
    co.SetAddress1(Repeat("所", 30));
    co.SetTelFax("TEL 03-0000-0000 FAX 03-0000-0001");
  }

  PageImage Chart(TChartType kind, int pageType, bool landscape, int maxPage = 1, int nowPage = 1) {
    return MakeMetaFileChartPrinter(chart_, kind, pageType, landscape ? 1 : 0, maxPage, nowPage, false, true);
  }

  QTemporaryDir dir_;
  TMxConfigInfo config_;
  TMxCampanyInfoManager companies_;
  TMxEstimateObjectList doc_;
  TMxItemObjectList items_;
  TMxCustomerObjectList customers_;
  ChartPageSources chart_;
  SlipSources slip_;
  ListSources lists_;
};

TEST_F(FittingPagesTest, EstimateGoldensInBothOrientationsAndEveryColumnChoice) {
  LongTextsDocument();
  std::string all;
  for (const auto& [kind, landscape] : {std::pair{TChartType::tcMitumori, false}, std::pair{TChartType::tcMitumori, true},
                                       std::pair{TChartType::tcTankaMitumori, false},
                                       std::pair{TChartType::tcTankaMitumori, true}}) {
    for (int columns = 0; columns < 8; ++columns) {
      TPrintMitsuOptions& o = chart_.settings.options;
      o.PrintFreeEdit = columns & 1;
      o.PrintCost = columns & 2;
      o.PrintNote = columns & 4;
      const PageImage page = Chart(kind, kOnlyPage, landscape);
      all += std::string("== ") + KindOf(kind).cliName + (landscape ? " landscape" : " portrait") + " freeedit=" + std::to_string(o.PrintFreeEdit) +
             " cost=" + std::to_string(o.PrintCost) + " note=" + std::to_string(o.PrintNote) + "\n";
      all += qmtest::Joined(qmtest::OpsWith(page, "text "));
      EXPECT_EQ(TextsOutsideTheirCells(page, "estimate"), std::vector<std::string>{});
    }
  }
  qmtest::ExpectGolden(all, "print/fitting_estimate.ops");
}

TEST_F(FittingPagesTest, WhatFitsIsUntouchedAndWhatDoesNotIsCondensedInItsColumn) {
  LongTextsDocument();
  chart_.settings.options.PrintFreeEdit = false;
  chart_.settings.options.PrintCost = false;
  const PageImage page = Chart(TChartType::tcMitumori, kOnlyPage, false);
  // The name column of the default portrait layout is 40 mm from 15 mm: eleven
  // full-width characters (385 dots) fit between 155 and 545.
  EXPECT_EQ(qmtest::OpsWith(page, Repeat("基", 11)), std::vector<std::string>{"text 155,1165 h=35 #000000 \"" +
                                                                               Repeat("基", 11) + "\""});
  // Twenty (700 dots) are condensed to 55 %... not allowed below 60 %: drawn at 10
  // points would need 56 %, so one size smaller and as narrow as need be.
  const std::vector<std::string> twenty = qmtest::OpsWith(page, Repeat("礎", 20));
  ASSERT_EQ(twenty.size(), 1u);
  EXPECT_NE(twenty[0].find(" cell=155-545"), std::string::npos) << twenty[0];
  EXPECT_EQ(twenty[0].find(" cut"), std::string::npos) << twenty[0];
  // Sixty are cut, and say so.
  const std::vector<std::string> sixty = qmtest::OpsWith(page, Repeat("工", 10));
  ASSERT_EQ(sixty.size(), 1u);
  EXPECT_NE(sixty[0].find(" fit=60% cell=155-545 cut"), std::string::npos) << sixty[0];
  // The 15-digit figure, as unit price and as amount, is whole and condensed in its
  // column: 19 bytes (332 dots) into the 240 between the column's rules, half a
  // millimetre in (unit price 82–107 mm, amount 107–132 mm without cost and free item).
  EXPECT_EQ(qmtest::OpsWith(page, "\"123,456,789,012,345\""),
            (std::vector<std::string>{"text 825,1440 h=35 #000000 \"123,456,789,012,345\" fit=72% cell=825-1065",
                                      "text 1075,1440 h=35 #000000 \"123,456,789,012,345\" fit=72% cell=1075-1315"}));
}

TEST_F(FittingPagesTest, NoTextOfAnyPageKindLeavesItsCellOrThePrintableWidth) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    qmtest::RandomTexts r(seed);
    qmtest::FillDocument(r, doc_, companies_);
    qmtest::FillMasters(r, items_, customers_);
    config_.SetPrintDecimalPoint(r.Flip());
    chart_.settings.options = qmtest::RandomChartOptions(r);
    const std::string where = "seed " + std::to_string(seed);
    const auto expectInside = [&](const PageImage& page, const std::string& what) {
      EXPECT_EQ(TextsOutsideTheirCells(page, where + " " + what), std::vector<std::string>{});
    };

    for (const DocumentKind& kind : DocumentKinds()) {
      if (kind.family != KindFamily::Estimate) continue;
      for (bool landscape : {false, true})
        for (int pageType = kOnlyPage; pageType <= kLastPage; ++pageType)
          expectInside(Chart(kind.kind, pageType, landscape, 3, 2),
                       std::string(kind.cliName) + " page " + std::to_string(pageType));
    }
    expectInside(MakeMetaFileReceiptPrinter(slip_, qmtest::RandomReceiptOptions(r), true), "receipt");
    expectInside(MakeMetaFileTotalClaimPrinter(slip_, qmtest::RandomTotalClaimOptions(r), true), "total invoice");
    expectInside(MakeMetaFileFaxSenderPrinter(slip_, qmtest::RandomFaxOptions(r), true), "fax");
    expectInside(MakeMetaFileItemListPrinter(lists_, 1, 1), "item list");
    expectInside(MakeMetaFileCustomerListPrinter(lists_, 1, 1), "customer list");

    // A picture page with its captions.
    doc_.Items(0).Pic().Assign(PictureKind::Png, qmtest::EncodedImage("png", 40, 30));
    doc_.Items(0).SetNote(r.Text(120));
    for (bool landscape : {false, true})
      expectInside(MakeMetaFilePicPrinter(chart_, TChartType::tcMitumori, kOnlyPage, landscape ? 1 : 0, 1, 2, 1, false,
                                          true),
                   "picture page");
  }
}

// The right margin of a rendered page holds no ink.
void ExpectBlankRightOfPrintable(const QImage& image, double printableFraction, const std::string& what) {
  const int from = static_cast<int>(image.width() * printableFraction) + 1;
  int inked = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = from; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 250) ++inked;
  EXPECT_EQ(inked, 0) << what << ": pixels with ink right of the printable width";
}

TEST_F(FittingPagesTest, RenderedPagesKeepTheRightMarginWhite) {
  LongTextsDocument();
  doc_.Items(3).SetNote(Repeat("長い備考", 40));
  chart_.settings.options.PrintFreeEdit = true;
  chart_.settings.options.PrintCost = true;  // the remarks column starts at 177 mm
  for (bool landscape : {false, true}) {
    const PageImage page = Chart(TChartType::tcMitumori, kOnlyPage, landscape);
    const double printable = 1.0 - kPrintMarginMm / (landscape ? 297.0 : 210.0);
    ExpectBlankRightOfPrintable(RenderToImage(page, 0.5), printable, landscape ? "landscape" : "portrait");
  }
}

TEST(FittedTextRendering, EveryCharacterOfACondensedTextShowsInsideItsCell) {
  // Ten "1"s and their blanks, 19 bytes (332 dots at 10 points) in a cell of 250 dots:
  // condensed to 75 %.
  const PageGeometry g = A4Page(kDpi, kDpi, false);
  PageImage page = BlankPage(g);
  Canvas canvas(page, g);
  canvas.TextIn(10, 300, 300, "1 1 1 1 1 1 1 1 1 1", {300, 550, TextAlign::Left, 0});
  ASSERT_EQ(page.Ops().back().scalePercent, 75);
  const QImage image = RenderToImage(page, 1.0);
  // The runs of inked columns along the line: one a digit.
  int runs = 0, firstInk = -1, lastInk = -1;
  bool inRun = false;
  for (int x = 0; x < image.width(); ++x) {
    bool ink = false;
    for (int y = 300; y < 335 && !ink; ++y) ink = qGray(image.pixel(x, y)) < 128;
    if (ink && !inRun) ++runs;
    if (ink) {
      if (firstInk < 0) firstInk = x;
      lastInk = x;
    }
    inRun = ink;
  }
  EXPECT_EQ(runs, 10);
  EXPECT_GE(firstInk, 300);
  EXPECT_LE(lastInk, 550);
}

}  // namespace
}  // namespace qm
