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
