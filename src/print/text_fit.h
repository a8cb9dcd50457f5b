#pragma once
// The one rule by which a printed text is kept inside its cell, on paper and in PDF.
// A text that fits is left alone. One that does not is first condensed horizontally,
// down to kMinScalePercent of its width; then drawn smaller, down to kMinSizePercent of
// its size; and only then, if it is not a figure, cut at a character boundary. A figure
// is never cut: at the floors it is drawn as it is and may overrun its cell.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Nothing is printed closer than this to the sheet's left and right edges.
inline constexpr double kPrintMarginMm = 10;
inline constexpr double kPrintMarginPt = kPrintMarginMm / 25.4 * 72;

inline constexpr int kMinScalePercent = 60;
inline constexpr int kMinSizePercent = 70;

// True for amounts, quantities and the like: digits with only separators, signs,
// blanks and the currency marks around them.
bool IsFigure(std::string_view utf8);

// The text as it is drawn: possibly shorter, smaller and condensed.
struct TextFit {
  std::string text;
  double size = 0;
  int scalePercent = 100;
  bool cut = false;
  bool Changed(double originalSize) const { return cut || scalePercent != 100 || size != originalSize; }
};

struct TextMeasure {
  // Width of a text at a size, both in the caller's units.
  std::function<double(std::string_view text, double size)> width;
  // Byte offsets at which the characters of a text end, in the caller's encoding.
  std::function<std::vector<std::size_t>(std::string_view text)> charEnds;
  // Sizes are tried from the given size down in steps of this much.
  double sizeStep = 1;
};

// Fits `text` at `size` into `room` (same units as the measured widths).
TextFit FitText(std::string_view text, double size, double room, bool figure, const TextMeasure& measure);

// Where the characters of UTF-8 and of Shift-JIS text end.
std::vector<std::size_t> CharEndsUtf8(std::string_view text);
std::vector<std::size_t> CharEndsSjis(std::string_view text);

}  // namespace qm
