#include "print/text_primitives.h"

#include "print/print_geometry.h"

namespace qm {

void PrintText(PageImage& page, int size, int x, int y, const std::string& text, int dpi) {
  page.SetFontHeight(FontHeightDots(size, dpi));
  page.Text(QPoint(x, y), text);
}

int GetCharWidth(const std::string& text, int size, int dpi) {
  return PageImage::TextWidth(text, FontHeightDots(size, dpi));
}

int GetCharHeight(const std::string&, int size, int dpi) { return PageImage::TextHeight(FontHeightDots(size, dpi)); }

int CentredX(const std::string& text, int size, int dpi, int left, int width) {
  return left + width / 2 - GetCharWidth(text, size, dpi) / 2;
}

int RightAlignedX(const std::string& text, int size, int dpi, int right) {
  return right - GetCharWidth(text, size, dpi);
}

}  // namespace qm
