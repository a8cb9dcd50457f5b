#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <sstream>

#include "print/chart_page.h"
#include "print/print_job.h"
#include "support/images.h"

// Laid out at 254 dpi: ten dots a millimetre; a 10-point caption is 35 dots high.

namespace qm {
namespace {

class PicturePageTest : public ::testing::Test {
 protected:
  PicturePageTest() : config_(dir_.path().toStdString()), companies_(dir_.path().toStdString()) {
    src_.doc = &doc_;
    src_.config = &config_;
    src_.companies = &companies_;
    src_.printerDpiX = src_.printerDpiY = 254;
  }

  void AddLine(const std::string& note, int picW = 0, int picH = 0) {
    auto line = std::make_unique<TMxEstimateObject>();
    line->SetName("品");
    line->SetNote(note);
    if (picW > 0) line->Pic().Assign(PictureKind::Png, qmtest::EncodedImage("png", picW, picH));
    doc_.Add(std::move(line));
  }

  // The picture page `j` after `documentPage` item pages.
  std::string Page(int j, bool landscape = false, int documentPage = 3) {
    return MakeMetaFilePicPrinter(src_, TChartType::tcMitumori, kMiddlePage, landscape ? 1 : 0, documentPage + 2,
                                  documentPage + j, documentPage, false, true)
        .Describe();
  }

  QTemporaryDir dir_;
  TMxConfigInfo config_;
  TMxCampanyInfoManager companies_;
  TMxEstimateObjectList doc_;
  ChartPageSources src_;
};

TEST_F(PicturePageTest, TwoPicturesAPageInLineOrderSkippingLinesWithoutPictures) {
  AddLine("一枚目", 100, 50);
  AddLine("写真なし");
  AddLine("二枚目", 50, 100);
  AddLine("三枚目", 10, 10);
  // Portrait: the first picture under its caption at 10 mm; the second caption one
  // caption-height below 155 mm, its picture one more below.
  EXPECT_EQ(Page(1),
            "text 100,100 h=35 #000000 \"一枚目\"\n"
            "bitmap 100,135 1900x950 png 100x50\n"
            "text 100,1585 h=35 #000000 \"二枚目\"\n"
            "bitmap 100,1620 625x1250 png 50x100\n");
  // A tiny square picture is enlarged to the box width, then to fit its height.
  EXPECT_EQ(Page(2),
            "text 100,100 h=35 #000000 \"三枚目\"\n"
            "bitmap 100,135 1250x1250 png 10x10\n");
  // Nothing is left for a third page.
  EXPECT_EQ(Page(3), "");
}

TEST_F(PicturePageTest, LandscapePutsTheSecondPictureBesideTheFirst) {
  AddLine("左", 200, 100);
  AddLine("右", 100, 300);
  const std::string page = Page(1, true, 1);
  // The box is 125 mm wide and 190 mm high.
  EXPECT_EQ(page,
            "text 100,100 h=35 #000000 \"左\"\n"
            "bitmap 100,135 1250x625 png 200x100\n"
            "text 1550,100 h=35 #000000 \"右\"\n"
            "bitmap 1550,135 633x1900 png 100x300\n");
}

TEST_F(PicturePageTest, APictureWithoutARemarkKeepsItsPlace) {
  AddLine("", 300, 100);
  AddLine("", 300, 100);
  EXPECT_EQ(Page(1, false, 1),
            "bitmap 100,135 1900x633 png 300x100\n"
            "bitmap 100,1620 1900x633 png 300x100\n");
}

TEST_F(PicturePageTest, PageCountAndJobPagesAgree) {
  for (int i = 0; i < 3; ++i) AddLine("写真", 40, 30);
  ASSERT_EQ(GetPicPage(doc_), 2);
  src_.settings.options.PrintPic = true;
  const PrintJob job = PrintJob::Chart(src_, TChartType::tcMitumori);
  ASSERT_EQ(job.PageCount(), 3);
  ASSERT_TRUE(job.Pages()[2].picture);
  const std::string last = job.MakePage(2).Describe();
  EXPECT_EQ(std::count(last.begin(), last.end(), '\n'), 2);  // one caption, one picture
}

}  // namespace
}  // namespace qm
