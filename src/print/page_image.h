#pragma once
// A printed page as a retained list of drawing operations in device dots. Page builders
// fill it; the renderer replays it onto a printer, a preview bitmap or a PNG.
#include <QPoint>
#include <QRect>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/colour_text.h"
#include "model/picture.h"

namespace qm {

enum class PageOpKind { Fill, Line, Rectangle, Text, Bitmap };

// One recorded operation with the drawing state it was made with. Only the fields of
// its kind are meaningful.
struct PageOp {
  PageOpKind kind = PageOpKind::Fill;
  QRect rect;         // Fill, Rectangle, Bitmap target
  QPoint from, to;    // Line; Text uses `from` as the top-left of the character cell
  TColor penColour = 0;
  int penWidth = 1;
  bool brushSolid = false;  // Rectangle: filled inside the outline
  TColor brushColour = 0;   // Fill, Rectangle
  int fontHeight = 0;
  bool bold = false;
  bool underline = false;
  TColor fontColour = 0;
  std::string text;  // UTF-8
  std::shared_ptr<const TMxPicture> picture;
  std::optional<TColor> transparent;  // Bitmap: pixels of this colour are not drawn
  // Text: the cell it must stay in, in dots from the page's left edge; a figure may
  // also use `overrun` dots left of it (its cell's padding).
  int cellLeft = 0;
  int cellRight = 0;
  int overrun = 0;
  // Text: horizontal scale in percent, and whether the text was condensed, made
  // smaller or cut to stay in its cell.
  int scalePercent = 100;
  bool fitted = false;
  bool cut = false;
};

class PageImage {
 public:
  // A blank (white) page of the given size in dots; `dpi` is the resolution the page
  // was laid out for.
  PageImage(int widthDots, int heightDots, int dpi);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Dpi() const { return dpi_; }

  // Drawing state, as on a canvas: it starts with a black 1-dot pen and a solid white
  // brush. The face is always the fixed-pitch Gothic face.
  void SetPen(TColor colour, int widthDots);
  void SetBrushSolid(TColor colour);
  void SetBrushClear();
  void SetFont(int heightDots, bool bold, bool underline, TColor colour);
  // Changes only the size; style and colour stay as set.
  void SetFontHeight(int heightDots) { fontHeight_ = heightDots; }

  // Fills with the current brush; nothing is recorded while the brush is clear.
  void FillRect(const QRect& rect);
  void Line(const QPoint& from, const QPoint& to);
  // Outline with the pen, inside the rectangle; filled only with a solid brush.
  void Rectangle(const QRect& rect);
  // Returns the recorded operation, for the caller to add its cell and fitting.
  PageOp& Text(const QPoint& topLeft, std::string utf8);
  // Stretched into `target`. The picture is copied, so the caller's may go away.
  void Bitmap(const QRect& target, const TMxPicture& picture, std::optional<TColor> transparent);

  // Forgets every operation: the page is blank again.
  void Clear() { ops_.clear(); }

  const std::vector<PageOp>& Ops() const { return ops_; }

  // One line per operation, e.g. `line 10,10-200,10 w=2 #000000`, for checks against
  // inline golden text.
  std::string Describe() const;

  // Fixed-pitch rule: a CP932 single byte is half the font height wide, a double-byte
  // character the full height; width = ByteLength * height / 2, truncated.
  static int TextWidth(std::string_view utf8, int fontHeightDots);
  static int TextHeight(int fontHeightDots) { return fontHeightDots; }
  // The width a text operation covers, its horizontal scale applied.
  static int DrawnWidth(const PageOp& op) { return ScaledWidth(op.text, op.fontHeight, op.scalePercent); }
  // TextWidth at a horizontal scale in percent, rounded up.
  static int ScaledWidth(std::string_view utf8, int fontHeightDots, int scalePercent);

 private:
  PageOp& Record(PageOpKind kind);

  int width_;
  int height_;
  int dpi_;
  TColor penColour_ = 0;
  int penWidth_ = 1;
  bool brushSolid_ = true;
  TColor brushColour_ = 0x00FFFFFF;
  int fontHeight_ = 0;
  bool bold_ = false;
  bool underline_ = false;
  TColor fontColour_ = 0;
  std::vector<PageOp> ops_;
};

// "#RRGGBB" of a colour.
std::string ColourHex(TColor colour);

}  // namespace qm
