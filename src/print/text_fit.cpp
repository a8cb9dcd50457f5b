#include "print/text_fit.h"

#include <algorithm>
#include <cmath>

namespace qm {

bool IsFigure(std::string_view s) {
  static constexpr std::string_view kMarks[] = {"￥", "¥", "\\", "※", "　"};
  bool digit = false;
  for (std::size_t i = 0; i < s.size();) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      digit = true;
      ++i;
      continue;
    }
    if (c == ',' || c == '.' || c == '-' || c == '+' || c == '%' || c == ' ') {
      ++i;
      continue;
    }
    bool mark = false;
    for (std::string_view m : kMarks) {
      if (s.substr(i).starts_with(m)) {
        i += m.size();
        mark = true;
        break;
      }
    }
    if (!mark) return false;
  }
  return digit;
}

std::vector<std::size_t> CharEndsUtf8(std::string_view text) {
  std::vector<std::size_t> ends;
  for (std::size_t i = 0; i < text.size();) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
    ends.push_back(i);
  }
  return ends;
}

std::vector<std::size_t> CharEndsSjis(std::string_view text) {
  std::vector<std::size_t> ends;
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    i += ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) && i + 1 < text.size() ? 2 : 1;
    ends.push_back(i);
  }
  return ends;
}

namespace {

// The largest whole percentage at which a text `width` wide fits `room`.
int ScaleFor(double width, double room) {
  if (width <= 0) return 100;
  return std::clamp(static_cast<int>(std::floor(room * 100 / width + 1e-9)), 0, 100);
}

}  // namespace

TextFit FitText(std::string_view text, double size, double room, bool figure, const TextMeasure& m) {
  TextFit fit{std::string(text), size, 100, false};
  const double width = m.width(text, size);
  if (width <= room) return fit;

  // Narrower lettering first.
  const int scale = ScaleFor(width, room);
  if (scale >= kMinScalePercent) {
    fit.scalePercent = scale;
    return fit;
  }

  // Then smaller lettering, as narrow as need be.
  const double floorSize = size * kMinSizePercent / 100;
  for (double s = size - m.sizeStep; s >= floorSize - 1e-9; s -= m.sizeStep) {
    const double w = m.width(text, s);
    if (w * kMinScalePercent / 100 <= room) {
      fit.size = s;
      fit.scalePercent = std::max(kMinScalePercent, ScaleFor(w, room));
      return fit;
    }
  }

  // At the floors: a figure stays whole; a text loses characters from its end.
  fit.size = std::max(floorSize, size - m.sizeStep * std::floor((size - floorSize) / m.sizeStep + 1e-9));
  fit.scalePercent = kMinScalePercent;
  if (figure) return fit;
  // The longest run of whole characters from the front that fits.
  const std::vector<std::size_t> ends = m.charEnds(text);
  const auto fits = [&](std::size_t chars) {
    return chars == 0 || m.width(text.substr(0, ends[chars - 1]), fit.size) * kMinScalePercent / 100 <= room;
  };
  std::size_t lo = 0, hi = ends.size();
  while (lo < hi) {
    const std::size_t mid = (lo + hi + 1) / 2;
    if (fits(mid)) lo = mid;
    else hi = mid - 1;
  }
  fit.text = std::string(text.substr(0, lo == 0 ? 0 : ends[lo - 1]));
  fit.cut = true;
  return fit;
}

}  // namespace qm
