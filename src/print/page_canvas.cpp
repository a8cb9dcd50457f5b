#include "print/page_canvas.h"

#include <algorithm>

#include "print/text_fit.h"
#include "print/text_primitives.h"

namespace qm {

PlacedText Canvas::Place(int size, int x, int y, const std::string& text, const TextCell& cell) const {
  const int height = FontHeightDots(size, Dpi());
  const int width = PageImage::TextWidth(text, height);
  PlacedText placed{x, y, TextFit{text, static_cast<double>(height), 100, false}, false, cell};
  if (text.empty() || (x >= cell.left && x + width <= cell.right)) return placed;

  // The end that stays put, and the room from there to the cell's far edge.
  int room = 0;
  int anchor = 0;
  switch (cell.align) {
    case TextAlign::Left:
      anchor = std::clamp(x, cell.left, cell.right);
      room = cell.right - anchor;
      break;
    case TextAlign::Right:
      anchor = std::clamp(x + width, cell.left, cell.right);
      room = anchor - cell.left;
      break;
    case TextAlign::Centre:
      anchor = std::clamp(x + width / 2, cell.left, cell.right);
      room = 2 * std::min(anchor - cell.left, cell.right - anchor);
      break;
  }
  const bool figure = IsFigure(text);
  const TextMeasure measure{
      [](std::string_view t, double h) { return static_cast<double>(PageImage::TextWidth(t, static_cast<int>(h))); },
      CharEndsUtf8, 1};
  placed.fit = FitText(text, height, room, figure, measure);
  placed.fitted = true;
  const int drawn = PageImage::ScaledWidth(placed.fit.text, static_cast<int>(placed.fit.size), placed.fit.scalePercent);
  if (drawn > room && figure) {
    placed.left = cell.right - drawn;  // a figure too wide even so keeps to its cell's right edge
  } else {
    switch (cell.align) {
      case TextAlign::Left: placed.left = anchor; break;
      case TextAlign::Right: placed.left = anchor - drawn; break;
      case TextAlign::Centre: placed.left = anchor - drawn / 2; break;
    }
  }
  // Smaller lettering stays centred on the line it was meant for.
  placed.top = y + (height - static_cast<int>(placed.fit.size)) / 2;
  return placed;
}

int Canvas::Draw(int size, const PlacedText& placed) {
  if (placed.fit.text.empty()) return placed.left;
  page_.SetFontHeight(static_cast<int>(placed.fit.size));
  PageOp& op = page_.Text(QPoint(placed.left, placed.top), placed.fit.text);
  op.cellLeft = placed.cell.left;
  op.cellRight = placed.cell.right;
  op.overrun = placed.cell.overrun;
  if (placed.fitted) {
    op.scalePercent = placed.fit.scalePercent;
    op.cut = placed.fit.cut;
    op.fitted = true;
  }
  // The size stays set as asked for, as a plain text would have left it.
  page_.SetFontHeight(FontHeightDots(size, Dpi()));
  return placed.left;
}

int Canvas::TextIn(int size, int x, int y, const std::string& text, const TextCell& cell) {
  return Draw(size, Place(size, x, y, text, cell));
}

int Canvas::TextAt(int size, int x, int y, const std::string& text) {
  return TextIn(size, x, y, text, {std::min(x, PrintableLeft()), PrintableRight(), TextAlign::Left, 0});
}

void Canvas::TextCentred(int size, int y, const std::string& text) {
  TextIn(size, g_.widthDots / 2 - Width(text, size) / 2, y, text, PrintableCell(TextAlign::Centre));
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
