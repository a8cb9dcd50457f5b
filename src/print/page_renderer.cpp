#include "print/page_renderer.h"

#include <QBrush>
#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace qm {

namespace {

QColor ToQColor(TColor c) { return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c)); }

// Maps dot coordinates of the page into the target rectangle.
struct Mapping {
  QPointF origin;
  double sx = 1.0;
  double sy = 1.0;

  QPointF Point(const QPoint& p) const {
    return {origin.x() + p.x() * sx, origin.y() + p.y() * sy};
  }
  QRectF Rect(const QRect& r) const {
    return {origin.x() + r.x() * sx, origin.y() + r.y() * sy, r.width() * sx, r.height() * sy};
  }
  double Length(int dots) const { return dots * std::min(sx, sy); }
};

QPen MakePen(const PageOp& op, const Mapping& m) {
  QPen pen(ToQColor(op.penColour));
  pen.setWidthF(std::max(1.0, m.Length(op.penWidth)));
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

void DrawRectangle(QPainter& painter, const PageOp& op, const Mapping& m) {
  const QRectF outer = m.Rect(op.rect);
  if (op.brushSolid) painter.fillRect(outer, ToQColor(op.brushColour));
  // The outline stays inside the rectangle, as on the canvas the pages were built for.
  const QPen pen = MakePen(op, m);
  const double half = pen.widthF() / 2;
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(outer.adjusted(half, half, -half, -half));
}

void DrawText(QPainter& painter, const PageOp& op, const Mapping& m) {
  const int pixels = static_cast<int>(std::lround(m.Length(op.fontHeight)));
  if (pixels < 1 || op.text.empty()) return;
  QFont font(QString::fromLatin1(kPageFontFamily));
  font.setPixelSize(pixels);
  font.setBold(op.bold);
  font.setUnderline(op.underline);
  font.setStyleHint(QFont::Monospace);
  painter.setFont(font);
  painter.setPen(ToQColor(op.fontColour));
  const QPointF topLeft = m.Point(op.from);
  const QFontMetricsF metrics(font, painter.device());
  if (!op.fitted) {
    painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), QString::fromStdString(op.text));
    return;
  }
  // A text fitted into its cell: condensed about its left edge and kept to the cell, so
  // no glyph wider than the fixed pitch spills into the neighbour.
  painter.save();
  const int left = std::min(op.from.x(), op.cellLeft - op.overrun);
  const QRectF cell = m.Rect(QRect(left, op.from.y() - op.fontHeight, std::max(op.cellRight, op.from.x()) - left,
                                   3 * op.fontHeight));
  painter.setClipRect(cell, Qt::IntersectClip);
  painter.translate(topLeft.x(), topLeft.y() + metrics.ascent());
  painter.scale(op.scalePercent / 100.0, 1.0);
  painter.drawText(QPointF(0, 0), QString::fromStdString(op.text));
  painter.restore();
}

void DrawBitmap(QPainter& painter, const PageOp& op, const Mapping& m) {
  if (!op.picture || op.picture->Empty()) return;
  QImage image = op.picture->ToImage();
  if (image.isNull()) return;
  image = image.convertToFormat(QImage::Format_ARGB32);
  if (op.transparent) {
    const QRgb key = ToQColor(*op.transparent).rgb() & 0x00FFFFFF;
    for (int y = 0; y < image.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        if ((line[x] & 0x00FFFFFF) == key) line[x] = 0;
      }
    }
  }
  painter.drawImage(m.Rect(op.rect), image);
}

}  // namespace

void RenderPage(const PageImage& page, QPainter& painter, const QRectF& target) {
  painter.save();
  painter.fillRect(target, Qt::white);
  if (page.Width() > 0 && page.Height() > 0) {
    const Mapping m{target.topLeft(), target.width() / page.Width(),
                    target.height() / page.Height()};
    for (const PageOp& op : page.Ops()) {
      switch (op.kind) {
        case PageOpKind::Fill:
          painter.fillRect(m.Rect(op.rect), ToQColor(op.brushColour));
          break;
        case PageOpKind::Line:
          painter.setPen(MakePen(op, m));
          painter.drawLine(m.Point(op.from), m.Point(op.to));
          break;
        case PageOpKind::Rectangle:
          DrawRectangle(painter, op, m);
          break;
        case PageOpKind::Text:
          DrawText(painter, op, m);
          break;
        case PageOpKind::Bitmap:
          DrawBitmap(painter, op, m);
          break;
      }
    }
  }
  painter.restore();
}

QImage RenderToImage(const PageImage& page, double scale) {
  const int w = std::max(1, static_cast<int>(std::lround(page.Width() * scale)));
  const int h = std::max(1, static_cast<int>(std::lround(page.Height() * scale)));
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  RenderPage(page, painter, QRectF(0, 0, page.Width() * scale, page.Height() * scale));
  painter.end();
  return image;
}

std::optional<std::string> EncodeImage(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, format)) return std::nullopt;
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace qm
