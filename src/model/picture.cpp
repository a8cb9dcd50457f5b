#include "model/picture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

#include "base/atomic_file.h"
#include "base/error.h"

namespace qm {

void TMxPicture::Assign(PictureKind kind, std::string bytes) {
  if (kind == PictureKind::None) {
    Clear();
    return;
  }
  kind_ = kind;
  bytes_ = std::move(bytes);
  // Only the header is read: loading a document must not decode every picture.
  QByteArray data = QByteArray::fromRawData(bytes_.data(), static_cast<qsizetype>(bytes_.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, PictureKindName(kind));
  const QSize size = reader.size();
  width_ = size.isValid() ? size.width() : 0;
  height_ = size.isValid() ? size.height() : 0;
}

QImage TMxPicture::ToImage() const {
  if (Empty()) return QImage();
  return QImage::fromData(reinterpret_cast<const uchar*>(bytes_.data()), static_cast<int>(bytes_.size()),
                          PictureKindName(kind_));
}

void TMxPicture::Clear() {
  kind_ = PictureKind::None;
  bytes_.clear();
  width_ = height_ = 0;
}

void TMxPicture::LoadFromFile(const std::string& path) {
  const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
  PictureKind kind = PictureKind::None;
  if (suffix == "bmp") kind = PictureKind::Bmp;
  else if (suffix == "png") kind = PictureKind::Png;
  else if (suffix == "jpg" || suffix == "jpeg") kind = PictureKind::Jpeg;
  else throw Error("画像ファイル " + path + " の形式 (BMP, PNG, JPEG) が分かりません。");
  Assign(kind, ReadWholeFile(path));
}

const char* PictureKindName(PictureKind kind) {
  switch (kind) {
    case PictureKind::Bmp: return "bmp";
    case PictureKind::Png: return "png";
    case PictureKind::Jpeg: return "jpeg";
    case PictureKind::None: break;
  }
  return "";
}

}  // namespace qm
