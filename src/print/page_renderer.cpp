#include "print/page_renderer.h"

#include <QBrush>
#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRawFont>
#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <thread>

#include "base/cp932.h"
#include "print/page_font.h"

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

// The page font registered with Qt from its file, when what Qt then answers for it is
// that file (its 'head' table, with the file's checksum and dates, is the file's own):
// a printer's PDF can carry such a font as text. Null when that is not so.
QRawFont RegisteredPageFont(const FontFile& file) {
  // Kept to the end of the run, as every font of the run.
  static const QRawFont* registered = new QRawFont([&file] {
    const int id = QFontDatabase::addApplicationFont(QString::fromStdString(file.Path()));
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) return QRawFont();
    QFont font(families.first());
    font.setPixelSize(64);
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setHintingPreference(QFont::PreferNoHinting);
    QRawFont raw = QRawFont::fromFont(font);
    const std::string head = file.Table("head");
    const QByteArray answered = raw.isValid() ? raw.fontTable("head") : QByteArray();
    if (head.empty() || answered != QByteArray(head.data(), static_cast<qsizetype>(head.size()))) return QRawFont();
    return raw;
  }());
  return *registered;
}

// The page font at a pixel size (in steps of 1/8 pixel), made once per size and thread
// and kept for the run: glyph caches live with it. It is the page font's own file, as
// Qt registered it or else loaded from its bytes, never whatever the system's font
// matching would pick for its name.
const QRawFont& RawFontAt(double pixels) {
  static std::mutex mutex;
  static auto* cache = new std::map<std::pair<std::thread::id, long>, QRawFont>();  // kept to the end
  const long key = std::lround(pixels * 8);
  const std::lock_guard lock(mutex);
  auto [it, added] = cache->try_emplace({std::this_thread::get_id(), key});
  if (added) {
    const FontFile& font = PageFont();
    QRawFont raw = RegisteredPageFont(font);
    if (raw.isValid()) raw.setPixelSize(key / 8.0);
    else
      raw = QRawFont(QByteArray::fromRawData(font.Bytes().data(), static_cast<qsizetype>(font.Bytes().size())),
                     key / 8.0, QFont::PreferNoHinting);
    it->second = raw;
  }
  return it->second;
}

// The glyphs of a text and where each starts, in dots from the text's left edge: every
// character where the fixed-pitch rule puts it (a CP932 single byte ½ em, a double
// byte 1 em), whatever its glyph's own advance.
struct PlacedGlyphs {
  QList<quint32> glyphs;
  QList<double> offsets;  // in page dots
};

PlacedGlyphs PlaceGlyphs(const std::string& utf8, int fontHeight) {
  PlacedGlyphs placed;
  const FontFile& font = PageFont();
  const QString text = QString::fromStdString(utf8);
  long long bytes = 0;
  for (const char32_t c : text.toUcs4()) {
    placed.glyphs.push_back(font.Glyph(c));
    placed.offsets.push_back(static_cast<double>(bytes) * fontHeight / 2);
    if (c < 0x80) {
      ++bytes;
    } else {
      const QString one = QString::fromUcs4(&c, 1);
      bytes += static_cast<long long>(cp932::ByteLength(one.toStdString()));
    }
  }
  return placed;
}

void DrawText(QPainter& painter, const PageOp& op, const Mapping& m) {
  const double pixels = m.Length(op.fontHeight);
  if (pixels < 0.5 || op.text.empty()) return;
  const QRawFont& raw = RawFontAt(pixels);
  const PlacedGlyphs placed = PlaceGlyphs(op.text, op.fontHeight);
  QList<QPointF> positions;
  positions.reserve(placed.offsets.size());
  for (const double dots : placed.offsets) positions.push_back(QPointF(dots * m.sx, 0));
  QGlyphRun run;
  run.setRawFont(raw);
  run.setGlyphIndexes(placed.glyphs);
  run.setPositions(positions);

  const QColor colour = ToQColor(op.fontColour);
  const QPointF topLeft = m.Point(op.from);
  const double ascent = pixels * PageFont().Ascent1000() / 1000.0;
  painter.save();
  if (op.fitted) {
    // A text fitted into its cell: condensed about its left edge and kept to the cell, so
    // nothing spills into the neighbour.
    const int left = std::min(op.from.x(), op.cellLeft - op.overrun);
    const QRectF cell = m.Rect(QRect(left, op.from.y() - op.fontHeight, std::max(op.cellRight, op.from.x()) - left,
                                     3 * op.fontHeight));
    painter.setClipRect(cell, Qt::IntersectClip);
  }
  painter.translate(topLeft.x(), topLeft.y() + ascent);
  if (op.fitted) painter.scale(op.scalePercent / 100.0, 1.0);
  painter.setPen(colour);
  painter.drawGlyphRun(QPointF(0, 0), run);
  if (op.bold) {
    // Emboldened by stroking each outline, so bold text keeps the regular positions.
    QPen outline(colour, pixels * kBoldStrokeEm);
    outline.setJoinStyle(Qt::RoundJoin);
    for (qsizetype i = 0; i < placed.glyphs.size(); ++i)
      painter.strokePath(raw.pathForGlyph(placed.glyphs[i]).translated(positions[i]), outline);
  }
  if (op.underline) {
    const double width = static_cast<double>(PageImage::TextWidth(op.text, op.fontHeight)) * m.sx;
    const double thickness = std::max(1.0, pixels / 16);
    painter.fillRect(QRectF(0, pixels * 0.08, width, thickness), colour);
  }
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
  // A page font that cannot be read fails before anything is drawn.
  if (std::any_of(page.Ops().begin(), page.Ops().end(), [](const PageOp& op) { return op.kind == PageOpKind::Text; }))
    PageFont();
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
