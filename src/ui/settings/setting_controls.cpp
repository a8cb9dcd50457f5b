#include "ui/settings/setting_controls.h"

#include <QImageReader>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <optional>

#include "base/atomic_file.h"
#include "base/error.h"
#include "model/line_picture.h"
#include "print/page_renderer.h"
#include "ui/controls/cp932_input.h"

namespace qm::ui {
namespace {

class KeyFilter : public QObject {
 public:
  KeyFilter(QString allowed, QObject* parent) : QObject(parent), allowed_(std::move(allowed)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const QString text = static_cast<QKeyEvent*>(event)->text();
      if (!text.isEmpty() && text.at(0).isPrint())
        for (const QChar c : text)
          if (!allowed_.contains(c)) return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QString allowed_;
};

}  // namespace

ColourSwatch::ColourSwatch(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::Box);
  setMinimumSize(60, 24);
  setAutoFillBackground(true);
  SetColour(0x00FFFFFF);
}

void ColourSwatch::SetColour(TColor colour) {
  colour_ = colour;
  QPalette p = palette();
  p.setColor(QPalette::Window, ToQColor(colour));
  setPalette(p);
}

PictureBox::PictureBox(QSize size, QWidget* parent) : QLabel(parent) {
  setFixedSize(size);
  setFrameShape(QFrame::Box);
  setAlignment(Qt::AlignCenter);
}

void PictureBox::SetPicture(const TMxPicture& picture) {
  picture_ = picture;
  const QImage image = picture.ToImage();
  const QSize inside = contentsRect().size();
  shown_ = image.isNull() ? QImage() : image.scaled(inside, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  setPixmap(shown_.isNull() ? QPixmap() : QPixmap::fromImage(shown_));
}

void PictureBox::Clear() { SetPicture(TMxPicture()); }

std::optional<TColor> PictureBox::ColourAt(QPoint point) const {
  if (shown_.isNull()) return std::nullopt;
  const QPoint at = point - contentsRect().topLeft();
  if (!shown_.rect().contains(at)) return std::nullopt;
  return FromQColor(shown_.pixelColor(at));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  emit released(event->position().toPoint());
}

QLineEdit* TextField(QWidget* parent, const char* name) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  RestrictToCp932(e);
  return e;
}

void AllowKeys(QLineEdit* field, const QString& allowed) { field->installEventFilter(new KeyFilter(allowed, field)); }

QColor ToQColor(TColor colour) { return QColor(ColorRed(colour), ColorGreen(colour), ColorBlue(colour)); }

TColor FromQColor(const QColor& colour) {
  return static_cast<TColor>(colour.red()) | (static_cast<TColor>(colour.green()) << 8) |
         (static_cast<TColor>(colour.blue()) << 16);
}

TMxPicture LoadAsBitmap(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);
  const PictureKind kind = KindOfExtension(path);
  const char* format = kind == PictureKind::Jpeg ? "JPEG" : kind == PictureKind::Png ? "PNG" : "BMP";
  QImage image;
  if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), format) ||
      image.isNull())
    throw Error("画像ファイル " + path + " を読み込めません。");
  // Transparent parts become white, as the paper they print on.
  QImage flat(image.size(), QImage::Format_RGB32);
  flat.fill(Qt::white);
  {
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
  }
  const std::optional<std::string> bmp = EncodeImage(flat, "BMP");
  if (!bmp) throw Error("画像ファイル " + path + " を変換できません。");
  TMxPicture picture;
  picture.Assign(PictureKind::Bmp, *bmp);
  return picture;
}

}  // namespace qm::ui
