#pragma once
// Drawing on one page image in millimetres from the sheet's top-left corner, at the
// page's resolution: what every page builder of the printed documents draws with.
#include <QRect>
#include <string>

#include "print/page_image.h"
#include "print/print_geometry.h"
#include "print/text_fit.h"

namespace qm {

inline constexpr TColor kBlack = 0x00000000;
inline constexpr TColor kNavy = 0x00800000;  // red 0, green 0, blue 128

// The B5 sheet is the A4 page shrunk to this factor.
inline constexpr double kB5Scale = 0.87;

enum class TextAlign { Left, Right, Centre };

// Where a text may go, in dots from the sheet's left edge. The alignment says which end
// of the text stays put when it has to be made narrower. A figure that is still too wide
// at the narrowest lettering may also use `overrun` dots left of the cell.
struct TextCell {
  int left = 0;
  int right = 0;
  TextAlign align = TextAlign::Left;
  int overrun = 0;
};

// A text placed in its cell, ready to be drawn.
struct PlacedText {
  int left = 0;
  int top = 0;
  TextFit fit;
  bool fitted = false;  // changed to stay inside the cell
  TextCell cell;
};

class Canvas {
 public:
  Canvas(PageImage& page, const PageGeometry& g) : page_(page), g_(g) {}

  int X(double mm) const { return g_.X(mm); }
  int Y(double mm) const { return g_.Y(mm); }
  int Dpi() const { return g_.dpiX; }
  PageImage& Page() { return page_; }
  const PageGeometry& Geometry() const { return g_; }

  void Font(bool bold, bool underline, TColor colour) { page_.SetFont(0, bold, underline, colour); }
  void PlainFont() { Font(false, false, kBlack); }

  // Text with its top-left at dots (x, y), kept inside `cell`: a text that fits is
  // drawn exactly there; one that does not is condensed, made smaller and cut by the
  // fitting rule, keeping its aligned end. Returns the left edge of what was drawn (x
  // for empty text, which draws nothing).
  int TextIn(int size, int x, int y, const std::string& text, const TextCell& cell);
  // TextIn in two steps, for a builder that places one text by where another will go.
  PlacedText Place(int size, int x, int y, const std::string& text, const TextCell& cell) const;
  int Draw(int size, const PlacedText& placed);
  // The same, the cell running from x (or the printable left edge) to the printable
  // right edge.
  int TextAt(int size, int x, int y, const std::string& text);
  void TextMm(int size, double x, double y, const std::string& text) { TextAt(size, X(x), Y(y), text); }
  // Text centred on the sheet's width, its top at `y` dots.
  void TextCentred(int size, int y, const std::string& text);
  // Cells in millimetres from the sheet's left edge.
  TextCell CellMm(double left, double right, TextAlign align = TextAlign::Left, double overrunMm = 0) const {
    return {X(left), X(right), align, X(overrunMm)};
  }
  int PrintableLeft() const { return X(kPrintMarginMm); }
  int PrintableRight() const { return g_.widthDots - X(kPrintMarginMm); }
  // The printable width of the sheet.
  TextCell PrintableCell(TextAlign align = TextAlign::Left) const {
    return {PrintableLeft(), PrintableRight(), align, 0};
  }
  int Width(const std::string& text, int size) const;
  int Height(int size) const;

  void LineMm(double x1, double y1, double x2, double y2) { page_.Line({X(x1), Y(y1)}, {X(x2), Y(y2)}); }
  // Rectangle of dots from (l, t) to (r, b), the right and bottom edges excluded.
  static QRect Box(int l, int t, int r, int b) { return QRect(l, t, r - l, b - t); }
  QRect BoxMm(double l, double t, double r, double b) const { return Box(X(l), Y(t), X(r), Y(b)); }

 private:
  PageImage& page_;
  const PageGeometry& g_;
};

// A blank A4 page image at the printer's resolution, ready to draw on: brush clear, pen
// black two dots wide.
PageImage BlankPage(const PageGeometry& g);

}  // namespace qm
