#include "print/text_fit.h"

#include <gtest/gtest.h>

#include "print/page_canvas.h"

// The rule on its own, then through the canvas on a page laid out at 254 dpi (ten dots
// a millimetre; a 10-point cell is 35 dots high, a single byte 17.5 dots wide).

namespace qm {
namespace {

// Fixed pitch: one unit a byte at size 1, as the page images measure.
const TextMeasure kBytes{[](std::string_view t, double size) { return static_cast<double>(t.size()) * size; },
                         CharEndsUtf8, 1};

TEST(TextFit, TheStepsComeInOrderCondenseThenSmallerThenCut) {
  // Fits: untouched.
  TextFit fit = FitText("abcdefghij", 10, 100, false, kBytes);
  EXPECT_EQ(fit.text, "abcdefghij");
  EXPECT_EQ(fit.size, 10);
  EXPECT_EQ(fit.scalePercent, 100);
  EXPECT_FALSE(fit.Changed(10));

  // 100 wide in 75: condensed to 75 %, same size.
  fit = FitText("abcdefghij", 10, 75, false, kBytes);
  EXPECT_EQ(fit.scalePercent, 75);
  EXPECT_EQ(fit.size, 10);
  EXPECT_FALSE(fit.cut);
  EXPECT_TRUE(fit.Changed(10));

  // Exactly at the narrowest lettering: 60 % of 100.
  fit = FitText("abcdefghij", 10, 60, false, kBytes);
  EXPECT_EQ(fit.scalePercent, 60);
  EXPECT_EQ(fit.size, 10);

  // 100 wide in 50: 60 % is not enough, so the size drops to 8 (80 × 60 % = 48), and
  // the lettering widens again as far as the room allows (50 / 80 = 62 %).
  fit = FitText("abcdefghij", 10, 50, false, kBytes);
  EXPECT_EQ(fit.size, 8);
  EXPECT_EQ(fit.scalePercent, 62);
  EXPECT_EQ(fit.text, "abcdefghij");

  // Not even at 7 (70 %) and 60 %: 7 × 0.6 = 4.2 a byte, 9 bytes in 40.
  fit = FitText("abcdefghij", 10, 40, false, kBytes);
  EXPECT_EQ(fit.size, 7);
  EXPECT_EQ(fit.scalePercent, 60);
  EXPECT_TRUE(fit.cut);
  EXPECT_EQ(fit.text, "abcdefghi");
}

TEST(TextFit, FiguresAreNeverCutAndCutsKeepWholeCharacters) {
  const TextFit figure = FitText("18,827,160,322.5", 10, 20, true, kBytes);
  EXPECT_EQ(figure.text, "18,827,160,322.5");
  EXPECT_FALSE(figure.cut);
  EXPECT_EQ(figure.size, 7);
  EXPECT_EQ(figure.scalePercent, kMinScalePercent);

  // Three bytes a character in UTF-8: a cut never leaves part of one.
  const TextFit kanji = FitText("見積書見積書", 10, 40, false, kBytes);
  EXPECT_TRUE(kanji.cut);
  EXPECT_EQ(kanji.text, "見積書");  // 9 bytes × 4.2 = 37.8; four characters would be 50.4
  // Room for nothing: nothing is left, and no byte of a character either.
  EXPECT_EQ(FitText("見積書", 10, 2, false, kBytes).text, "");
}

TEST(TextFit, FiguresAreTheAmountsNotTheTexts) {
  for (const char* figure : {"1", "18,827,160,322.5", "-1,000", "￥35,000※", "￥3,181-", "10%", " 1,234 "})
    EXPECT_TRUE(IsFigure(figure)) << figure;
  for (const char* text : {"", "  ", "￥", "No.1", "消費税(10%)", "1式", "12A", "( 1 / 2 )"})
    EXPECT_FALSE(IsFigure(text)) << text;
}

TEST(TextFit, CharacterEndsInBothEncodings) {
  EXPECT_EQ(CharEndsUtf8("a見b"), (std::vector<std::size_t>{1, 4, 5}));
  EXPECT_EQ(CharEndsUtf8(""), std::vector<std::size_t>{});
  // Shift-JIS: 0x8C 0xA9 is one character, 0xB1 (half-width katakana) one byte, and a
  // lead byte at the very end stands alone.
  EXPECT_EQ(CharEndsSjis("a\x8C\xA9\xB1\x82"), (std::vector<std::size_t>{1, 3, 4, 5}));
}

class CanvasFitTest : public ::testing::Test {
 protected:
  CanvasFitTest() : geometry_(A4Page(254, 254, false)), page_(BlankPage(geometry_)), canvas_(page_, geometry_) {}

  const PageOp& Last() const { return page_.Ops().back(); }

  PageGeometry geometry_;
  PageImage page_;
  Canvas canvas_;
};

TEST_F(CanvasFitTest, ATextThatFitsIsRecordedAsBeforeWithItsCell) {
  canvas_.TextIn(10, 300, 400, "見積", canvas_.CellMm(30, 40));
  EXPECT_EQ(page_.Describe(), "text 300,400 h=35 #000000 \"見積\"\n");
  EXPECT_EQ(Last().cellLeft, 300);
  EXPECT_EQ(Last().cellRight, 400);
  EXPECT_FALSE(Last().fitted);
  // The size asked for stays set, as a plain text leaves it.
  EXPECT_EQ(Last().fontHeight, 35);
}

TEST_F(CanvasFitTest, EachAlignmentKeepsItsEndAndStaysInTheCell) {
  const std::string text = "あいうえお";  // 175 dots at 10 points
  // Left: condensed to the 150 dots from the text's start.
  canvas_.TextIn(10, 300, 0, text, canvas_.CellMm(30, 45));
  EXPECT_EQ(page_.Describe(), "text 300,0 h=35 #000000 \"あいうえお\" fit=85% cell=300-450\n");
  // Right: the right end stays at 450.
  page_.Clear();
  canvas_.TextIn(10, 450 - 175, 0, text, canvas_.CellMm(30, 45, TextAlign::Right));
  EXPECT_EQ(Last().from.x() + PageImage::DrawnWidth(Last()), 450);
  EXPECT_EQ(Last().scalePercent, 85);
  // Centred: about the cell's middle.
  page_.Clear();
  canvas_.TextIn(10, 375 - 87, 0, text, canvas_.CellMm(30, 45, TextAlign::Centre));
  EXPECT_GE(Last().from.x(), 300);
  EXPECT_LE(Last().from.x() + PageImage::DrawnWidth(Last()), 450);
  EXPECT_NEAR(Last().from.x() + PageImage::DrawnWidth(Last()) / 2.0, 375, 1);
}

TEST_F(CanvasFitTest, SmallerLetteringIsCentredOnItsLineAndCutTextsSaySo) {
  // 40 full-width characters (1400 dots) into 300: 10 points → 25 dots (70 %), 60 %.
  const std::string text(40 * 3, 'x');
  std::string kanji;
  for (int i = 0; i < 40; ++i) kanji += "字";
  canvas_.TextIn(10, 100, 200, kanji, canvas_.CellMm(10, 40));
  const PageOp& op = Last();
  EXPECT_TRUE(op.fitted);
  EXPECT_TRUE(op.cut);
  EXPECT_EQ(op.fontHeight, 25);
  EXPECT_EQ(op.from.y(), 200 + (35 - 25) / 2);
  EXPECT_LE(op.from.x() + PageImage::DrawnWidth(op), 400);
  EXPECT_EQ(op.text.size() % 3, 0u);
  EXPECT_NE(page_.Describe().find(" fit=60% cell=100-400 cut\n"), std::string::npos);
}

TEST_F(CanvasFitTest, AFigureTooWideAtTheFloorsEndsAtItsCellsRightEdgeWhole) {
  const std::string amount = "9,999,999,999,999,999";  // 21 bytes, 367 dots at 10 points
  canvas_.TextIn(10, 200 - 367, 0, amount, canvas_.CellMm(15, 20, TextAlign::Right, 0.5));
  const PageOp& op = Last();
  EXPECT_EQ(op.text, amount);
  EXPECT_FALSE(op.cut);
  EXPECT_EQ(op.from.x() + PageImage::DrawnWidth(op), 200);
  EXPECT_EQ(op.overrun, 5);
}

TEST_F(CanvasFitTest, PlainTextsKeepToThePrintableWidthOfTheSheet) {
  // 10 mm margins: 100 to 2000 dots on the 2100-dot sheet.
  EXPECT_EQ(canvas_.PrintableLeft(), 100);
  EXPECT_EQ(canvas_.PrintableRight(), 2000);
  canvas_.TextMm(10, 180, 0, "この備考は用紙の右端を越えて長く続きます");
  EXPECT_LE(Last().from.x() + PageImage::DrawnWidth(Last()), 2000);
  EXPECT_TRUE(Last().fitted);
  canvas_.TextCentred(24, 0, std::string(200, 'W'));
  EXPECT_GE(Last().from.x(), 100);
  EXPECT_LE(Last().from.x() + PageImage::DrawnWidth(Last()), 2000);
}

}  // namespace
}  // namespace qm
