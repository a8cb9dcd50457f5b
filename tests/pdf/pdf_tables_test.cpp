#include "pdf/pdf_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

using qm::pdf::CMapRange;
using qm::pdf::Type1Face;

namespace {

std::optional<int> Lookup(std::span<const CMapRange> cmap, unsigned code) {
  for (const auto& r : cmap)
    if (code >= r.from && code <= r.to) return r.cid + static_cast<int>(code - r.from);
  return std::nullopt;
}

// Shift-JIS codes as byte strings: one-byte codes sort by themselves, two-byte codes
// by their lead byte first. The CMap files list their ranges in this order.
std::tuple<unsigned, unsigned> ByteOrder(unsigned code) {
  return code <= 0xFF ? std::tuple{code, 0u} : std::tuple{code >> 8, code & 0xFFu};
}

std::vector<std::tuple<unsigned, unsigned, unsigned>> Rows(std::span<const CMapRange> cmap,
                                                           std::size_t n) {
  std::vector<std::tuple<unsigned, unsigned, unsigned>> rows;
  for (std::size_t i = 0; i < n && i < cmap.size(); ++i)
    rows.emplace_back(cmap[i].from, cmap[i].to, cmap[i].cid);
  return rows;
}

}  // namespace

TEST(PdfTablesCMap, CountsAndFirstRows) {
  using Row = std::tuple<unsigned, unsigned, unsigned>;
  EXPECT_EQ(qm::pdf::Cmap90msRksjH().size(), 171u);
  EXPECT_EQ(qm::pdf::Cmap90mspRksjH().size(), 170u);
  EXPECT_EQ(Rows(qm::pdf::Cmap90msRksjH(), 4),
            (std::vector<Row>{{0x20, 0x7D, 231}, {0x7E, 0x7E, 631}, {0x8140, 0x817E, 633},
                              {0x8180, 0x81AC, 696}}));
  EXPECT_EQ(Rows(qm::pdf::Cmap90mspRksjH(), 3),
            (std::vector<Row>{{0x20, 0x7E, 1}, {0x8140, 0x817E, 633}, {0x8180, 0x81AC, 696}}));
}

TEST(PdfTablesCMap, RangesAreWellFormedAndInFileOrder) {
  for (auto cmap : {qm::pdf::Cmap90msRksjH(), qm::pdf::Cmap90mspRksjH()}) {
    for (std::size_t i = 0; i < cmap.size(); ++i) {
      const auto& r = cmap[i];
      EXPECT_LE(r.from, r.to) << i;
      // A range stays within one code length and one lead byte.
      EXPECT_EQ(r.from <= 0xFF, r.to <= 0xFF) << i;
      if (r.from > 0xFF) {
        EXPECT_EQ(r.from >> 8, r.to >> 8) << i;
      }
      if (i > 0) {
        EXPECT_LT(ByteOrder(cmap[i - 1].to), ByteOrder(r.from)) << i;
      }
    }
  }
}

TEST(PdfTablesCMap, LooksUpCodes) {
  const auto ms = qm::pdf::Cmap90msRksjH();
  const auto msp = qm::pdf::Cmap90mspRksjH();
  EXPECT_EQ(Lookup(ms, 0x829F), 842);  // ぁ
  EXPECT_EQ(Lookup(ms, 0x82A0), 843);  // あ
  EXPECT_EQ(Lookup(ms, 0x8341), 926);  // ア
  EXPECT_EQ(Lookup(ms, 0xB1), 343);    // ｱ
  EXPECT_EQ(Lookup(ms, 0x41), 264);    // A
  EXPECT_EQ(Lookup(msp, 0x41), 34);
  EXPECT_EQ(Lookup(msp, 0x7E), 95);
  EXPECT_EQ(Lookup(ms, 0x94A0), Lookup(msp, 0x94A0));  // kanji placed apart in the files
  EXPECT_EQ(Lookup(ms, 0x94A0), 3382);
  EXPECT_EQ(Lookup(ms, 0x81AD), std::nullopt);
  EXPECT_EQ(Lookup(ms, 0xFC4C), std::nullopt);
}

TEST(PdfTablesType1, WidthsOfKnownGlyphs) {
  auto width = [](Type1Face face, unsigned code) {
    return qm::pdf::Type1Widths(face).at(code - 32);
  };
  EXPECT_EQ(width(Type1Face::Helvetica, ' '), 278);
  EXPECT_EQ(width(Type1Face::Helvetica, 'A'), 667);
  EXPECT_EQ(width(Type1Face::Helvetica, '\''), 191);  // quotesingle, not quoteright
  EXPECT_EQ(width(Type1Face::Helvetica, 0x92), 222);  // quoteright
  EXPECT_EQ(width(Type1Face::Helvetica, '`'), 333);   // grave, not quoteleft
  EXPECT_EQ(width(Type1Face::Helvetica, 0x91), 222);  // quoteleft
  EXPECT_EQ(width(Type1Face::Helvetica, 0xA0), 278);  // no-break space as space
  EXPECT_EQ(width(Type1Face::Helvetica, 0xAD), 333);  // soft hyphen as hyphen
  EXPECT_EQ(width(Type1Face::Helvetica, 0x80), 556);  // Euro
  EXPECT_EQ(width(Type1Face::Helvetica, 0xFF), 500);  // ydieresis
  EXPECT_EQ(width(Type1Face::HelveticaBold, 'A'), 722);
  EXPECT_EQ(width(Type1Face::TimesRoman, 'A'), 722);
  EXPECT_EQ(width(Type1Face::TimesItalic, 'A'), 611);
  EXPECT_EQ(width(Type1Face::TimesBoldItalic, 'A'), 667);
}

TEST(PdfTablesType1, UndefinedCodesAreZeroAndCourierIsMonospaced) {
  const std::vector<unsigned> undefined = {0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D};
  for (auto face : {Type1Face::Courier, Type1Face::CourierBold, Type1Face::CourierOblique,
                    Type1Face::CourierBoldOblique, Type1Face::Helvetica,
                    Type1Face::TimesBoldItalic}) {
    const auto& widths = qm::pdf::Type1Widths(face);
    const bool courier = face <= Type1Face::CourierBoldOblique;
    for (unsigned code = 32; code <= 255; ++code) {
      const bool defined = std::find(undefined.begin(), undefined.end(), code) == undefined.end();
      const int expected = !defined ? 0 : courier ? 600 : widths[code - 32];
      EXPECT_EQ(widths[code - 32], expected) << static_cast<int>(face) << " " << code;
      EXPECT_EQ(widths[code - 32] > 0, defined) << static_cast<int>(face) << " " << code;
    }
  }
}

TEST(PdfTablesProportional, RunLayout) {
  const std::vector<std::pair<int, std::size_t>> layout = {
      {1, 95}, {326, 64}, {633, 63}, {771, 8}, {780, 10},
      {790, 26}, {816, 26}, {842, 83}, {925, 63}, {988, 23}};
  for (bool mincho : {false, true}) {
    const auto runs = qm::pdf::ProportionalWidths(mincho);
    std::vector<std::pair<int, std::size_t>> got;
    for (const auto& run : runs) got.emplace_back(run.startCid, run.widths.size());
    EXPECT_EQ(got, layout) << mincho;
    for (const auto& run : runs) {
      for (auto w : run.widths) {
        // Half-width katakana, the proportional ASCII forms, full-width forms.
        const bool fits = run.startCid == 326 ? w == 500
                          : run.startCid == 1 ? w > 0 && w <= 1000
                                              : w == 1000;
        EXPECT_TRUE(fits) << run.startCid << " " << w;
      }
      // Each run starts where a range of the proportional CMap does.
      const auto cmap = qm::pdf::Cmap90mspRksjH();
      EXPECT_TRUE(std::any_of(cmap.begin(), cmap.end(),
                              [&](const CMapRange& r) { return r.cid == run.startCid; }))
          << run.startCid;
    }
  }
  const auto gothic = qm::pdf::ProportionalWidths(false)[0].widths;
  EXPECT_EQ(std::vector<int>(gothic.begin(), gothic.begin() + 4),
            (std::vector<int>{305, 219, 500, 500}));
}
