#include "print/page_canvas.h"

#include "print/text_primitives.h"

namespace qm {

void Canvas::TextAt(int size, int x, int y, const std::string& text) {
  if (!text.empty()) PrintText(page_, size, x, y, text, Dpi());
}

void Canvas::TextCentred(int size, int y, const std::string& text) {
  TextAt(size, g_.widthDots / 2 - Width(text, size) / 2, y, text);
}

int Canvas::Width(const std::string& text, int size) const { return GetCharWidth(text, size, Dpi()); }

int Canvas::Height(int size) const { return GetCharHeight("あ", size, Dpi()); }

PageImage BlankPage(const PageGeometry& g) {
  PageImage page(g.widthDots, g.heightDots, g.dpiX);
  page.SetBrushClear();
  page.SetPen(kBlack, 2);
  return page;
}

}  // namespace qm
