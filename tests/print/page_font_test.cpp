// The page font read from its own file: its checks, its subsets, and the renderer that
// places every character where the fixed-pitch rule says.
#include "print/page_font.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "base/error.h"
#include "print/page_image.h"
#include "print/page_renderer.h"

namespace qm {
namespace {

std::string MessageOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

// The columns of an image that hold dark pixels, as runs [first, last].
std::vector<std::pair<int, int>> DarkColumnRuns(const QImage& img) {
  std::vector<std::pair<int, int>> runs;
  int start = -1;
  for (int x = 0; x <= img.width(); ++x) {
    bool dark = false;
    for (int y = 0; x < img.width() && y < img.height() && !dark; ++y) dark = qGray(img.pixel(x, y)) < 128;
    if (dark && start < 0) start = x;
    if (!dark && start >= 0) {
      runs.emplace_back(start, x - 1);
      start = -1;
    }
  }
  return runs;
}

QImage Rendered(const std::string& text, int height, bool bold) {
  PageImage page(400, 100, 300);
  page.SetFont(height, bold, false, 0);
  page.Text({20, 20}, text);
  return RenderToImage(page);
}

}  // namespace

TEST(PageFont, IsTheFixedPitchGothicOfItsPackage) {
  const FontFile& font = PageFont();
  EXPECT_EQ(font.Path(), kPageFontPath);
  EXPECT_EQ(font.PostScriptName(), "IPAGothic");
  const int em = font.UnitsPerEm();
  for (const char32_t c : {U'A', U'w', U'1', U' ', U'\uFF76'})  // half width, katakana ｶ too
    EXPECT_EQ(2 * font.Advance(font.Glyph(c)), em) << static_cast<unsigned>(c);
  for (const char32_t c : {U'\u898B', U'\u3042', U'\u2460', U'\u9AD9', U'\uFFE5'})  // 見 あ ① 髙 ￥
    EXPECT_EQ(font.Advance(font.Glyph(c)), em) << static_cast<unsigned>(c);
  EXPECT_EQ(font.Glyph(U'\U0001F600'), 0u);  // not in the face: the missing-glyph box
  EXPECT_GT(font.Ascent1000(), 800);
  EXPECT_LT(font.Descent1000(), 0);
}

TEST(PageFont, AFileThatCannotServeIsAClearErrorNamingThePackage) {
  QTemporaryDir dir;
  const std::string missing = dir.filePath("ipag.ttf").toStdString();
  const std::string m1 = MessageOf([&] { FontFile::Load(missing, true); });
  EXPECT_NE(m1.find(missing), std::string::npos) << m1;
  EXPECT_NE(m1.find("fonts-ipafont-gothic"), std::string::npos) << m1;

  QFile empty(dir.filePath("empty.ttf"));
  ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
  empty.close();
  EXPECT_NE(MessageOf([&] { FontFile::Load(empty.fileName().toStdString(), true); }).find("fonts-ipafont-gothic"),
            std::string::npos);

  // A proportional face is not what the layouts count with.
  const std::string m2 = MessageOf([] { FontFile::Load(kProportionalFontPath, true); });
  EXPECT_NE(m2.find("固定幅"), std::string::npos) << m2;
  EXPECT_NO_THROW(FontFile::Load(kProportionalFontPath, false));
}

TEST(PageFont, ASubsetKeepsTheGlyphIdsAndDropsTheRest) {
  const FontFile& font = PageFont();
  const std::uint32_t a = font.Glyph(U'A'), mi = font.Glyph(U'\u898B');
  const std::string subset = font.Subset({a, mi});
  EXPECT_LT(subset.size(), font.Bytes().size() / 20);
  QTemporaryDir dir;
  QFile file(dir.filePath("subset.ttf"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(subset.data(), static_cast<qint64>(subset.size()));
  file.close();
  const auto cut = FontFile::Load(file.fileName().toStdString(), false);
  EXPECT_GT(cut->GlyphCount(), static_cast<int>(std::max(a, mi)));
  EXPECT_EQ(cut->Advance(a), font.Advance(a));
  EXPECT_EQ(cut->Advance(mi), font.Advance(mi));
  EXPECT_TRUE(cut->Table("fpgm").empty());  // no hinting
  EXPECT_TRUE(cut->Table("GSUB").empty());
  EXPECT_FALSE(cut->Table("glyf").empty());
  // Only the two outlines (and the box) are left.
  EXPECT_LT(cut->Table("glyf").size(), 3000u);
}

TEST(PageRenderer, EveryCharacterStandsWhereTheFixedPitchRuleSaysInBothWeights) {
  // Full-width squares one em apart, half-width bars half an em apart: 60 dots high.
  for (const bool bold : {false, true}) {
    const auto squares = DarkColumnRuns(Rendered("■■■", 60, bold));
    ASSERT_EQ(squares.size(), 3u) << bold;
    EXPECT_GE(squares[0].first, 20) << bold;  // inside the cell that starts at x = 20
    EXPECT_LT(squares[0].first, 30) << bold;
    for (std::size_t i = 1; i < 3; ++i) EXPECT_NEAR(squares[i].first - squares[i - 1].first, 60, 1) << bold;
    const auto bars = DarkColumnRuns(Rendered("||||", 60, bold));
    ASSERT_EQ(bars.size(), 4u) << bold;
    for (std::size_t i = 1; i < 4; ++i) EXPECT_NEAR(bars[i].first - bars[i - 1].first, 30, 1) << bold;
    // Mixed: the full-width character after two half-width ones starts one em in.
    const auto mixed = DarkColumnRuns(Rendered("||■", 60, bold));
    ASSERT_EQ(mixed.size(), 3u);
    EXPECT_NEAR(mixed[2].first, squares[1].first, 1) << bold;
  }
  // Bold is the same glyphs stroked: a little wider on both sides, nowhere else.
  const auto regular = DarkColumnRuns(Rendered("■", 60, false));
  const auto bold = DarkColumnRuns(Rendered("■", 60, true));
  ASSERT_EQ(regular.size(), 1u);
  ASSERT_EQ(bold.size(), 1u);
  EXPECT_LE(bold[0].first, regular[0].first);
  EXPECT_GE(bold[0].first, regular[0].first - 2);
  EXPECT_GE(bold[0].second, regular[0].second);
  EXPECT_LE(bold[0].second, regular[0].second + 2);
  int inkRegular = 0, inkBold = 0;
  const QImage r = Rendered("見積書", 60, false), b = Rendered("見積書", 60, true);
  for (int y = 0; y < r.height(); ++y)
    for (int x = 0; x < r.width(); ++x) {
      inkRegular += qGray(r.pixel(x, y)) < 128;
      inkBold += qGray(b.pixel(x, y)) < 128;
    }
  EXPECT_GT(inkBold, inkRegular * 11 / 10);
}

}  // namespace qm
