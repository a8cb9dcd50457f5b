#include "print/page_image.h"

#include <cstdio>
#include <sstream>

#include "base/cp932.h"

namespace qm {

PageImage::PageImage(int widthDots, int heightDots, int dpi)
    : width_(widthDots), height_(heightDots), dpi_(dpi) {}

void PageImage::SetPen(TColor colour, int widthDots) {
  penColour_ = colour;
  penWidth_ = widthDots < 1 ? 1 : widthDots;
}

void PageImage::SetBrushSolid(TColor colour) {
  brushSolid_ = true;
  brushColour_ = colour;
}

void PageImage::SetBrushClear() { brushSolid_ = false; }

void PageImage::SetFont(int heightDots, bool bold, bool underline, TColor colour) {
  fontHeight_ = heightDots;
  bold_ = bold;
  underline_ = underline;
  fontColour_ = colour;
}

PageOp& PageImage::Record(PageOpKind kind) {
  // Every operation carries the drawing state of its moment; each kind uses its part.
  PageOp& op = ops_.emplace_back();
  op.kind = kind;
  op.penColour = penColour_;
  op.penWidth = penWidth_;
  op.brushSolid = brushSolid_;
  op.brushColour = brushColour_;
  op.fontHeight = fontHeight_;
  op.bold = bold_;
  op.underline = underline_;
  op.fontColour = fontColour_;
  return op;
}

void PageImage::FillRect(const QRect& rect) {
  if (!brushSolid_) return;
  Record(PageOpKind::Fill).rect = rect;
}

void PageImage::Line(const QPoint& from, const QPoint& to) {
  PageOp& op = Record(PageOpKind::Line);
  op.from = from;
  op.to = to;
}

void PageImage::Rectangle(const QRect& rect) { Record(PageOpKind::Rectangle).rect = rect; }

PageOp& PageImage::Text(const QPoint& topLeft, std::string utf8) {
  PageOp& op = Record(PageOpKind::Text);
  op.from = topLeft;
  op.text = std::move(utf8);
  op.cellLeft = 0;
  op.cellRight = width_;
  return op;
}

void PageImage::Bitmap(const QRect& target, const TMxPicture& picture,
                       std::optional<TColor> transparent) {
  PageOp& op = Record(PageOpKind::Bitmap);
  op.rect = target;
  op.picture = std::make_shared<const TMxPicture>(picture);
  op.transparent = transparent;
}

std::string ColourHex(TColor colour) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", ColorRed(colour), ColorGreen(colour),
                ColorBlue(colour));
  return buf;
}

namespace {

std::string RectText(const QRect& r) {
  return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) +
         "x" + std::to_string(r.height());
}

}  // namespace

std::string PageImage::Describe() const {
  std::ostringstream out;
  for (const PageOp& op : ops_) {
    switch (op.kind) {
      case PageOpKind::Fill:
        out << "fill " << RectText(op.rect) << " " << ColourHex(op.brushColour);
        break;
      case PageOpKind::Line:
        out << "line " << op.from.x() << "," << op.from.y() << "-" << op.to.x() << ","
            << op.to.y() << " w=" << op.penWidth << " " << ColourHex(op.penColour);
        break;
      case PageOpKind::Rectangle:
        out << "rect " << RectText(op.rect) << " w=" << op.penWidth << " "
            << ColourHex(op.penColour);
        if (op.brushSolid) out << " fill " << ColourHex(op.brushColour);
        break;
      case PageOpKind::Text:
        out << "text " << op.from.x() << "," << op.from.y() << " h=" << op.fontHeight;
        if (op.bold) out << " bold";
        if (op.underline) out << " underline";
        out << " " << ColourHex(op.fontColour) << " \"" << op.text << "\"";
        // Only a text changed to stay in its cell says so; every other line reads as always.
        if (op.fitted) {
          out << " fit=" << op.scalePercent << "% cell=" << op.cellLeft << "-" << op.cellRight;
          if (op.cut) out << " cut";
        }
        break;
      case PageOpKind::Bitmap:
        out << "bitmap " << RectText(op.rect) << " " << PictureKindName(op.picture->Kind())
            << " " << op.picture->Width() << "x" << op.picture->Height();
        if (op.transparent) out << " transparent " << ColourHex(*op.transparent);
        break;
    }
    out << "\n";
  }
  return out.str();
}

int PageImage::ScaledWidth(std::string_view utf8, int fontHeightDots, int scalePercent) {
  const long long natural = TextWidth(utf8, fontHeightDots);
  return static_cast<int>((natural * scalePercent + 99) / 100);
}

int PageImage::TextWidth(std::string_view utf8, int fontHeightDots) {
  const long long bytes = static_cast<long long>(cp932::ByteLength(utf8));
  return static_cast<int>(bytes * fontHeightDots / 2);
}

}  // namespace qm
