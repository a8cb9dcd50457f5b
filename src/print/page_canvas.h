#pragma once
// Drawing on one page image in millimetres from the sheet's top-left corner, at the
// page's resolution: what every page builder of the printed documents draws with.
#include <QRect>
#include <string>

#include "print/page_image.h"
#include "print/print_geometry.h"

namespace qm {

inline constexpr TColor kBlack = 0x00000000;
inline constexpr TColor kNavy = 0x00800000;  // red 0, green 0, blue 128

// The B5 sheet is the A4 page shrunk to this factor.
inline constexpr double kB5Scale = 0.87;

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

  // Text with its cell's top-left at dots (x, y); empty text draws nothing.
  void TextAt(int size, int x, int y, const std::string& text);
  void TextMm(int size, double x, double y, const std::string& text) { TextAt(size, X(x), Y(y), text); }
  // Text centred on the sheet's width, its top at `y` dots.
  void TextCentred(int size, int y, const std::string& text);
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
