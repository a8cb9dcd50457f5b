#include "print/page_image.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <algorithm>

#include "print/page_renderer.h"

namespace qm {
namespace {

constexpr TColor kBlack = 0x00000000;
constexpr TColor kRed = 0x000000FF;
constexpr TColor kBlue = 0x00FF0000;
constexpr TColor kNavy = 0x00800000;

bool IsWhite(const QImage& img, int x, int y) { return img.pixel(x, y) == qRgb(255, 255, 255); }
bool Is(const QImage& img, int x, int y, QRgb rgb) { return img.pixel(x, y) == rgb; }

bool IsDark(QRgb p) { return qGray(p) < 128; }

// Dark pixels inside and outside a rectangle of the image.
std::pair<int, int> CountDark(const QImage& img, const QRect& inside) {
  int in = 0, out = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (IsDark(img.pixel(x, y))) (inside.contains(x, y) ? in : out)++;
  return {in, out};
}

TMxPicture PngPicture(const QImage& image) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  TMxPicture picture;
  picture.Assign(PictureKind::Png, data.toStdString());
  return picture;
}

// 4 x 2 picture: left half red, right half blue.
TMxPicture RedBluePicture() {
  QImage image(4, 2, QImage::Format_RGB32);
  image.fill(qRgb(0, 0, 255));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) image.setPixel(x, y, qRgb(255, 0, 0));
  return PngPicture(image);
}

// ---- operation list ----

TEST(PageImageOps, RecordsEachOperationWithTheStateAtTheTime) {
  PageImage page(1000, 1400, 300);
  page.SetFont(42, true, false, kBlack);
  page.Text({100, 200}, "御見積書");
  page.SetPen(kBlack, 2);
  page.Line({10, 10}, {200, 10});
  page.SetPen(kNavy, 0);  // widths below one dot become one
  page.SetBrushClear();
  page.Rectangle({50, 60, 300, 40});
  page.FillRect({0, 0, 5, 5});  // clear brush: nothing to fill
  page.SetBrushSolid(kRed);
  page.Rectangle({50, 60, 300, 40});
  page.FillRect({1, 2, 3, 4});
  page.SetFont(25, false, true, kBlue);
  page.Text({7, 8}, "No.1 ｱ");
  page.Bitmap({500, 600, 80, 40}, RedBluePicture(), kBlue);
  page.Bitmap({0, 0, 8, 4}, RedBluePicture(), std::nullopt);

  EXPECT_EQ(page.Describe(),
            "text 100,200 h=42 bold #000000 \"御見積書\"\n"
            "line 10,10-200,10 w=2 #000000\n"
            "rect 50,60 300x40 w=1 #000080\n"
            "rect 50,60 300x40 w=1 #000080 fill #FF0000\n"
            "fill 1,2 3x4 #FF0000\n"
            "text 7,8 h=25 underline #0000FF \"No.1 ｱ\"\n"
            "bitmap 500,600 80x40 png 4x2 transparent #0000FF\n"
            "bitmap 0,0 8x4 png 4x2\n");

  page.Clear();
  EXPECT_TRUE(page.Ops().empty());
  EXPECT_EQ(page.Width(), 1000);
  EXPECT_EQ(page.Height(), 1400);
  EXPECT_EQ(page.Dpi(), 300);
}

TEST(PageImageOps, BitmapKeepsItsOwnCopyOfThePicture) {
  PageImage page(100, 100, 100);
  {
    TMxPicture picture = RedBluePicture();
    page.Bitmap({0, 0, 10, 10}, picture, std::nullopt);
    picture.Clear();
  }
  ASSERT_EQ(page.Ops().size(), 1u);
  ASSERT_TRUE(page.Ops()[0].picture);
  EXPECT_EQ(page.Ops()[0].picture->Kind(), PictureKind::Png);
  EXPECT_FALSE(page.Ops()[0].picture->Bytes().empty());
}

// ---- fixed-pitch measuring ----

TEST(PageImageMeasure, SingleBytesAreHalfAndDoubleBytesFullHeight) {
  struct Case {
    const char* text;
    int height;
    int width;
  };
  const Case cases[] = {
      {"", 40, 0},
      {"ABCD", 40, 80},
      {"ABC", 25, 37},        // 3 x 25 / 2 = 37.5, truncated
      {"御見積書", 25, 100},  // 8 bytes
      {"No.1 工事", 30, 135}, // 5 + 4 bytes
      {"ｱｲｳ", 20, 30},        // half-width katakana: one byte each
      {"ｶﾞ", 21, 21},         // voiced mark is its own byte
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PageImage::TextWidth(c.text, c.height), c.width) << c.text;
  }
  EXPECT_EQ(PageImage::TextHeight(37), 37);
}

// ---- rendering ----

TEST(PageImageRender, FillsLinesAndRectanglesLandOnTheirDots) {
  PageImage page(200, 100, 100);
  page.SetBrushSolid(kRed);
  page.FillRect({20, 30, 40, 10});  // x 20..59, y 30..39
  page.SetPen(kBlack, 2);
  page.Line({10, 70}, {150, 70});  // rows 69 and 70
  page.SetBrushSolid(kBlue);
  page.Rectangle({100, 10, 50, 40});  // outline 2 dots inside, blue inside

  const QImage img = RenderToImage(page);
  ASSERT_EQ(img.size(), QSize(200, 100));
  const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), black = qRgb(0, 0, 0);

  EXPECT_TRUE(Is(img, 20, 30, red));
  EXPECT_TRUE(Is(img, 59, 39, red));
  EXPECT_TRUE(IsWhite(img, 19, 30));
  EXPECT_TRUE(IsWhite(img, 60, 35));
  EXPECT_TRUE(IsWhite(img, 40, 40));
  EXPECT_TRUE(IsWhite(img, 40, 29));

  EXPECT_TRUE(Is(img, 10, 69, black));
  EXPECT_TRUE(Is(img, 149, 70, black));
  EXPECT_TRUE(IsWhite(img, 80, 68));
  EXPECT_TRUE(IsWhite(img, 80, 71));
  EXPECT_TRUE(IsWhite(img, 9, 70));    // flat caps: no overhang
  EXPECT_TRUE(IsWhite(img, 151, 70));

  EXPECT_TRUE(Is(img, 100, 10, black));
  EXPECT_TRUE(Is(img, 101, 30, black));
  EXPECT_TRUE(Is(img, 149, 49, black));
  EXPECT_TRUE(Is(img, 125, 30, blue));
  EXPECT_TRUE(IsWhite(img, 99, 30));
  EXPECT_TRUE(IsWhite(img, 150, 30));
  EXPECT_TRUE(IsWhite(img, 125, 50));
  EXPECT_TRUE(IsWhite(img, 180, 90));  // page painted white
}

TEST(PageImageRender, TextStaysInItsCell) {
  PageImage page(300, 120, 100);
  page.SetFont(40, false, false, kBlack);
  const std::string text = "見積A";
  page.Text({30, 40}, text);
  const QImage img = RenderToImage(page);

  const QRect cell(30, 40, PageImage::TextWidth(text, 40), PageImage::TextHeight(40));
  const auto [in, out] = CountDark(img, cell.adjusted(-2, -2, 2, 2));
  EXPECT_GT(in, 100);
  EXPECT_EQ(out, 0);
  // The fixed-pitch face fills the measured width: the last glyph ends near its edge.
  int right = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (IsDark(img.pixel(x, y))) right = std::max(right, x);
  EXPECT_GT(right, cell.right() - 10);

  // Colour and underline are replayed: a red underline adds red pixels below the glyphs.
  PageImage red(300, 120, 100);
  red.SetFont(40, false, true, kRed);
  red.Text({30, 40}, text);
  const QImage redImg = RenderToImage(red);
  int redPixels = 0;
  for (int y = 0; y < redImg.height(); ++y)
    for (int x = 0; x < redImg.width(); ++x)
      if (redImg.pixel(x, y) == qRgb(255, 0, 0)) ++redPixels;
  EXPECT_GT(redPixels, in / 2);
}

TEST(PageImageRender, BitmapIsStretchedAndItsTransparentColourLeftWhite) {
  PageImage page(100, 60, 100);
  page.Bitmap({10, 10, 40, 20}, RedBluePicture(), kBlue);  // each source pixel 10 x 10
  page.Bitmap({10, 35, 40, 20}, RedBluePicture(), std::nullopt);
  const QImage img = RenderToImage(page);
  const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);

  EXPECT_TRUE(Is(img, 10, 10, red));
  EXPECT_TRUE(Is(img, 29, 29, red));
  EXPECT_TRUE(IsWhite(img, 30, 10));  // the blue half is not drawn
  EXPECT_TRUE(IsWhite(img, 49, 29));
  EXPECT_TRUE(IsWhite(img, 9, 10));

  EXPECT_TRUE(Is(img, 29, 35, red));
  EXPECT_TRUE(Is(img, 30, 35, blue));
  EXPECT_TRUE(Is(img, 49, 54, blue));
  EXPECT_TRUE(IsWhite(img, 50, 45));
  EXPECT_TRUE(IsWhite(img, 30, 55));
}

TEST(PageImageRender, TargetRectangleShiftsAndScales) {
  PageImage page(200, 200, 100);
  page.SetBrushSolid(kBlack);
  page.FillRect({50, 50, 100, 100});
  page.SetPen(kBlack, 1);
  page.Line({0, 180}, {200, 180});

  // Shifted by the printer's physical offset.
  QImage shifted(200, 200, QImage::Format_ARGB32);
  shifted.fill(Qt::green);
  {
    QPainter painter(&shifted);
    RenderPage(page, painter, QRectF(-10, -10, 200, 200));
  }
  const QRgb black = qRgb(0, 0, 0);
  EXPECT_TRUE(Is(shifted, 40, 40, black));
  EXPECT_TRUE(Is(shifted, 139, 139, black));
  EXPECT_TRUE(IsWhite(shifted, 39, 40));
  EXPECT_TRUE(IsWhite(shifted, 140, 139));
  EXPECT_TRUE(Is(shifted, 100, 170, black));
  EXPECT_TRUE(IsWhite(shifted, 100, 180));
  EXPECT_TRUE(Is(shifted, 195, 195, qRgb(0, 255, 0)));  // outside the target: untouched

  // Shrunk to 87 %: the square spans 43.5 .. 130.5.
  const QImage small = RenderToImage(page, 0.87);
  ASSERT_EQ(small.size(), QSize(174, 174));
  EXPECT_TRUE(Is(small, 45, 45, black));
  EXPECT_TRUE(Is(small, 129, 129, black));
  EXPECT_TRUE(IsWhite(small, 42, 80));
  EXPECT_TRUE(IsWhite(small, 132, 80));
  EXPECT_TRUE(IsWhite(small, 80, 132));
  // A one-dot line shrinks but keeps a visible pixel row near y = 156.6.
  int darkRows = 0;
  for (int y = 150; y < 164; ++y)
    if (IsDark(small.pixel(80, y))) ++darkRows;
  EXPECT_EQ(darkRows, 1);
}

}  // namespace
}  // namespace qm
