#include "print/print_geometry.h"

#include <gtest/gtest.h>

#include "support/images.h"

using qm::TChartType;

namespace {

// A document whose last filled line is line n (1-based); n = 0 leaves all empty.
qm::TMxEstimateObjectList FilledTo(int n, int lines = 200) {
  qm::TMxEstimateObjectList doc;
  for (int i = 0; i < lines; ++i) doc.Add(std::make_unique<qm::TMxEstimateObject>());
  if (n > 0) doc.Items(n - 1).SetName("x");
  return doc;
}

}  // namespace

TEST(PrintGeometry, ItemPagesByKindAndOrientation) {
  struct Case {
    TChartType kind;
    bool landscape;
    int n, pages;
  } cases[] = {
      {TChartType::tcMitumori, false, 0, 1},    {TChartType::tcMitumori, false, 20, 1},
      {TChartType::tcMitumori, false, 21, 2},   {TChartType::tcMitumori, false, 60, 2},
      {TChartType::tcMitumori, false, 61, 3},   {TChartType::tcMitumori, false, 100, 3},
      {TChartType::tcMitumori, false, 101, 4},  {TChartType::tcSeikyu, true, 10, 1},
      {TChartType::tcSeikyu, true, 11, 2},      {TChartType::tcKoujiUtiwake, true, 70, 3},
      {TChartType::tcTankaMitumori, true, 13, 1}, {TChartType::tcTankaMitumori, true, 14, 2},
      {TChartType::tcTankaMitumori, true, 44, 2}, {TChartType::tcTankaMitumori, true, 45, 3},
      {TChartType::tcTankaMitumori, true, 75, 3}, {TChartType::tcTankaMitumori, true, 76, 4},
      {TChartType::tcTankaMitumori, false, 23, 1}, {TChartType::tcTankaMitumori, false, 105, 3},
      {TChartType::tcTankaMitumori, false, 106, 4},
  };
  for (const auto& c : cases)
    EXPECT_EQ(qm::GetNecPage(FilledTo(c.n), c.kind, c.landscape), c.pages)
        << static_cast<int>(c.kind) << (c.landscape ? " landscape " : " portrait ") << c.n;
  // Only the last filled line counts; a cost or picture alone does not fill a line.
  qm::TMxEstimateObjectList doc = FilledTo(5);
  doc.Items(30).SetCost(qm::Currency::FromYen(9));
  EXPECT_EQ(qm::GetNecPage(doc, TChartType::tcMitumori, false), 1);
  EXPECT_EQ(qm::ItemListPages(0), 1);
  EXPECT_EQ(qm::ItemListPages(47), 1);
  EXPECT_EQ(qm::ItemListPages(48), 2);
  EXPECT_EQ(qm::CustomerListPages(15), 1);
  EXPECT_EQ(qm::CustomerListPages(31), 3);
}

TEST(PrintGeometry, PicturePagesHoldTwoPictures) {
  qm::TMxEstimateObjectList doc = FilledTo(0, 10);
  EXPECT_EQ(qm::GetPicPage(doc), 0);
  const std::string png = qmtest::EncodedImage("png", 4, 3);
  for (int i : {1, 4, 8}) doc.Items(i).Pic().Assign(qm::PictureKind::Png, png);
  doc.Items(6).Pic().Assign(qm::PictureKind::Png, "undecodable");  // width 0: not counted
  EXPECT_EQ(qm::GetPicPage(doc), 2);
}

TEST(PrintGeometry, JobPagesWithPicturesAndTheCopySet) {
  // Three item pages, two picture pages, with the copy: ten pages.
  const std::vector<qm::JobPage> pages = qm::PrintJobPages(3, 2, true);
  ASSERT_EQ(pages.size(), 10u);
  const int kinds[] = {2, 3, 4, 3, 3, 2, 3, 4, 3, 3};
  for (std::size_t i = 0; i < pages.size(); ++i) {
    EXPECT_EQ(pages[i].pageKind, kinds[i]) << i;
    EXPECT_EQ(pages[i].nowPage, static_cast<int>(i % 5) + 1) << i;
    EXPECT_EQ(pages[i].maxPage, 5);
    EXPECT_EQ(pages[i].hikae, i >= 5) << i;
    EXPECT_EQ(pages[i].picture, i % 5 >= 3) << i;
  }
  const std::vector<qm::JobPage> single = qm::PrintJobPages(1, 1, false);
  ASSERT_EQ(single.size(), 2u);
  EXPECT_EQ(single[0].pageKind, qm::kOnlyPage);
  EXPECT_EQ(single[1].pageKind, qm::kOnlyPage);
  EXPECT_TRUE(single[1].picture);
}

TEST(PrintGeometry, MillimetresToDotsAndFontHeights) {
  EXPECT_EQ(qm::MM2Dot(600, 25.4), 600);
  EXPECT_EQ(qm::MM2Dot(600, 10), 236);   // 236.22
  EXPECT_EQ(qm::MM2Dot(300, 0.127), 2);  // 1.5 rounds to even
  EXPECT_EQ(qm::MM2Dot(300, 0.381), 4);  // 4.5 rounds to even
  EXPECT_EQ(qm::FontHeightDots(10, 600), 83);  // 83.33
  EXPECT_EQ(qm::FontHeightDots(12, 600), 100);
  EXPECT_EQ(qm::FontHeightDots(9, 96), 12);
  const qm::PageGeometry portrait = qm::A4Page(600, 300, false);
  EXPECT_EQ(portrait.widthDots, 4961);   // 210 mm at 600 dpi
  EXPECT_EQ(portrait.heightDots, 3508);  // 297 mm at 300 dpi
  EXPECT_EQ(portrait.dpiX, 600);
  const qm::PageGeometry landscape = qm::A4Page(600, 300, true);
  EXPECT_EQ(landscape.widthDots, 3508);  // 297 mm at 300 dpi: resolutions exchanged
  EXPECT_EQ(landscape.heightDots, 4961);
  EXPECT_EQ(landscape.dpiX, 300);
  EXPECT_EQ(landscape.X(10), 118);
  EXPECT_EQ(landscape.Y(10), 236);
}

TEST(PrintGeometry, PicturesFitTheirBoxKeepingProportions) {
  struct Case {
    int w, h, maxX, maxY;
    QSize fitted;
  } cases[] = {
      {100, 100, 100, 50, QSize(48, 48)},  // 100, 90, 81, 73, 66, 59, 53, 48
      {100, 100, 40, 80, QSize(40, 40)},
      {400, 200, 100, 100, QSize(100, 50)},
      {200, 400, 100, 100, QSize(50, 100)},
      {300, 100, 60, 10, QSize(29, 10)},    // 60x20, then 0.9 steps until the height fits
      {1, 3, 100, 30, QSize(10, 30)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(qm::ChangePicSize(c.w, c.h, c.maxX, c.maxY), c.fitted) << c.w << "x" << c.h << " in " << c.maxX << "x"
                                                                      << c.maxY;
}

TEST(PrintGeometry, TitlesAndGreetingsComeFromTheSettings) {
  qm::TMxConfigInfo config("/nonexistent");
  config.LoadConfig("/nonexistent/conf.ini");
  std::string title = "keep", msg = "keep";
  qm::SetPageTitleAndMessage(TChartType::tcMitumori, config, title, msg);
  EXPECT_EQ(title, "御 見 積 書");
  EXPECT_EQ(msg, "下記の通り御見積り申し上げます。");
  qm::SetPageTitleAndMessage(TChartType::tcFaxSender, config, title, msg);
  EXPECT_EQ(title, "FAX送信のご案内");
  EXPECT_EQ(msg, "");
  title = msg = "list";
  qm::SetPageTitleAndMessage(TChartType::tcItemList, config, title, msg);
  EXPECT_EQ(title, "list");
  EXPECT_EQ(msg, "list");
  EXPECT_TRUE(qm::IsEstimateFamily(TChartType::tcKoujiUtiwake));
  EXPECT_FALSE(qm::IsEstimateFamily(TChartType::tcRyosyu));
}

// ---------------------------------------------------------------------------------
// Which lines fall on which page.

TEST(PageLinesTest, LinesOfEachPageKindFollowThePageCounts) {
  struct Case {
    TChartType kind;
    int pageType;
    bool landscape;
    int nowPage;
    int count;
    int first, end;
  };
  const TChartType est = TChartType::tcMitumori, tanka = TChartType::tcTankaMitumori;
  const Case cases[] = {
      {est, qm::kOnlyPage, false, 1, 20, 0, 20},     {est, qm::kOnlyPage, false, 1, 100, 0, 20},
      {est, qm::kFirstPage, false, 1, 41, 0, 25},    {est, qm::kLastPage, false, 2, 41, 25, 41},
      {est, qm::kMiddlePage, false, 2, 100, 25, 65}, {est, qm::kLastPage, false, 3, 100, 65, 100},
      {est, qm::kLastPage, false, 3, 200, 65, 100},  {est, qm::kFirstPage, true, 1, 40, 0, 15},
      {est, qm::kMiddlePage, true, 2, 100, 15, 45},  {est, qm::kLastPage, true, 3, 100, 45, 70},
      {tanka, qm::kOnlyPage, false, 1, 23, 0, 23},   {tanka, qm::kFirstPage, false, 1, 64, 0, 26},
      {tanka, qm::kMiddlePage, false, 2, 105, 26, 67}, {tanka, qm::kLastPage, false, 3, 105, 67, 105},
      {tanka, qm::kFirstPage, true, 1, 44, 0, 16},   {tanka, qm::kLastPage, true, 2, 44, 16, 44},
      {tanka, qm::kMiddlePage, true, 2, 75, 16, 47}, {tanka, qm::kLastPage, true, 3, 75, 47, 75},
      // A short document never yields lines past its end.
      {est, qm::kLastPage, false, 2, 10, 10, 10},
  };
  for (const Case& c : cases) {
    const auto [first, end] = qm::PageLines(c.kind, c.pageType, c.landscape, c.nowPage, c.count);
    EXPECT_EQ(first, c.first) << static_cast<int>(c.kind) << " kind " << c.pageType << " p" << c.nowPage;
    EXPECT_EQ(end, c.end) << static_cast<int>(c.kind) << " kind " << c.pageType << " p" << c.nowPage;
  }
}

// Whatever the kind, orientation and length, the item pages of a job show every line up
// to the last filled one exactly once, in order, and never more lines than a page holds.
TEST(PageLinesTest, TheItemPagesOfAJobCoverEveryLineOnceInOrder) {
  for (const qm::DocumentKind& k : qm::DocumentKinds()) {
    if (k.family != qm::KindFamily::Estimate) continue;
    for (const bool landscape : {false, true}) {
      const qm::RowsPerPage& rows = qm::RowsOf(k.kind, landscape);
      for (int n = 0; n <= 300; ++n) {
        const int pages = qm::ItemPagesFor(n, k.kind, landscape);
        const std::vector<qm::JobPage> job = qm::PrintJobPages(pages, 0, false);
        ASSERT_EQ(static_cast<int>(job.size()), pages);
        int next = 0;
        for (const qm::JobPage& p : job) {
          const auto [first, end] = qm::PageLines(k.kind, p.pageKind, landscape, p.nowPage, 400);
          const int capacity = p.pageKind == qm::kOnlyPage    ? rows.only
                               : p.pageKind == qm::kFirstPage ? rows.first
                               : p.pageKind == qm::kLastPage  ? rows.last
                                                              : rows.middle;
          ASSERT_EQ(first, next) << k.cliName << " landscape " << landscape << " n " << n << " page " << p.nowPage;
          ASSERT_LE(end - first, capacity) << k.cliName << " n " << n << " page " << p.nowPage;
          next = end;
        }
        // The last page reaches the last filled line. (It may hold no line at all: the
        // totals of a document just longer than one page go on a page of their own.)
        EXPECT_GE(next, n) << k.cliName << " landscape " << landscape << " n " << n;
      }
    }
  }
}

TEST(DocumentKinds, EveryKindHasItsRowAndItsNames) {
  const auto& kinds = qm::DocumentKinds();
  ASSERT_EQ(kinds.size(), 12u);
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    EXPECT_EQ(static_cast<std::size_t>(kinds[i].kind), i);
    EXPECT_EQ(qm::FindKind(kinds[i].cliName), kinds[i].kind);
    EXPECT_EQ(qm::FindKind(std::to_string(i)), kinds[i].kind);
  }
  EXPECT_EQ(qm::FindKind("tcNone"), std::nullopt);
  EXPECT_EQ(qm::FindKind("12"), std::nullopt);
  EXPECT_EQ(qm::FindKind("1x"), std::nullopt);
  struct Expect {
    TChartType kind;
    const char* section;
    const char* caption;
    bool estimate;
  } expects[] = {
      {TChartType::tcMitumori, "MITSU", "見積書印刷", true},
      {TChartType::tcTankaMitumori, "TANKA", "単価見積書印刷", true},
      {TChartType::tcNouhin, "NOUHIN", "納品書印刷", true},
      {TChartType::tcSeikyu, "SEIKYU", "請求書印刷", true},
      {TChartType::tcJyuryou, "JYURYO", "受領書印刷", true},
      {TChartType::tcRyosyu, "RYOSYU", "領収書印刷", false},
      {TChartType::tcSeikyuMeisai, "SEIKYU_MEISAI", "請求明細書印刷", true},
      {TChartType::tcGoukeiSeikyu, "GOUKEI_SEIKYU", "合計請求書印刷", false},
      {TChartType::tcFaxSender, "FAX", "FAX送信状印刷", false},
      {TChartType::tcItemList, "ITEM_LIST", "品名リスト印刷", false},
      {TChartType::tcCustomerList, "CUSTOMER_LIST", "お客様一覧印刷", false},
      {TChartType::tcKoujiUtiwake, "KOUJI_UTIWAKE", "内訳書印刷", true},
  };
  for (const Expect& e : expects) {
    const qm::DocumentKind& k = qm::KindOf(e.kind);
    EXPECT_STREQ(k.section, e.section);
    EXPECT_STREQ(k.caption, e.caption);
    EXPECT_EQ(qm::IsEstimateFamily(e.kind), e.estimate) << k.cliName;
  }
}
