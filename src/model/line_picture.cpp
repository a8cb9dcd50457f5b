#include "model/line_picture.h"

#include <QByteArray>
#include <QImage>

#include <algorithm>
#include <cctype>
#include <cmath>

#include "base/atomic_file.h"

namespace qm {
namespace {

std::string LowerExtension(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

const char* DecoderName(PictureKind kind) {
  switch (kind) {
    case PictureKind::Bmp: return "BMP";
    case PictureKind::Png: return "PNG";
    case PictureKind::Jpeg: return "JPEG";
    case PictureKind::None: break;
  }
  return nullptr;
}

bool Decodes(const std::string& bytes, PictureKind kind) {
  QImage image;
  return image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()),
                            DecoderName(kind)) &&
         !image.isNull();
}

// The kind the bytes themselves show, by their signature.
PictureKind KindOfBytes(const std::string& b) {
  if (b.size() >= 2 && b[0] == 'B' && b[1] == 'M') return PictureKind::Bmp;
  if (b.size() >= 8 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0) return PictureKind::Png;
  if (b.size() >= 3 && static_cast<unsigned char>(b[0]) == 0xFF && static_cast<unsigned char>(b[1]) == 0xD8)
    return PictureKind::Jpeg;
  return PictureKind::None;
}

}  // namespace

PictureKind KindOfExtension(const std::string& path) {
  const std::string ext = LowerExtension(path);
  if (ext == "bmp") return PictureKind::Bmp;
  if (ext == "png") return PictureKind::Png;
  if (ext == "jpg" || ext == "jpeg") return PictureKind::Jpeg;
  return PictureKind::None;
}

std::optional<TMxPicture> TryLoadPicture(const std::string& path) {
  std::string bytes = ReadWholeFile(path);
  PictureKind kind = KindOfExtension(path);
  if (kind == PictureKind::None) kind = KindOfBytes(bytes);
  if (kind == PictureKind::None || !Decodes(bytes, kind)) return std::nullopt;
  TMxPicture picture;
  picture.Assign(kind, std::move(bytes));
  return picture;
}

QRect PreviewRect(QSize picture, QSize box) {
  if (picture.width() <= 0 || picture.height() <= 0 || box.width() <= 0 || box.height() <= 0) return {};
  const double w = picture.width(), h = picture.height();
  int width = 0, height = 0;
  if (w < h) {
    height = box.height();
    width = static_cast<int>(std::lround(w / h * box.height()));
  } else {
    width = box.width();
    height = static_cast<int>(std::lround(h / w * box.width()));
  }
  if (width > box.width()) {
    width = box.width();
    height = static_cast<int>(std::lround(h / w * box.width()));
  }
  if (height > box.height()) {
    height = box.height();
    width = static_cast<int>(std::lround(w / h * box.height()));
  }
  const int left = static_cast<int>(std::lround((box.width() - width) / 2.0));
  const int top = static_cast<int>(std::lround((box.height() - height) / 2.0));
  return QRect(left, top, width, height);
}

const char* SavedExtension(PictureKind kind) {
  switch (kind) {
    case PictureKind::Bmp: return "bmp";
    case PictureKind::Png: return "png";
    case PictureKind::Jpeg: return "jpg";
    case PictureKind::None: break;
  }
  return "";
}

std::string SavedPictureName(const std::string& chosen, PictureKind kind) {
  const std::string ext = SavedExtension(kind);
  const std::string has = LowerExtension(chosen);
  if (ext.empty() || has == ext || (kind == PictureKind::Jpeg && has == "jpeg")) return chosen;
  return chosen + "." + ext;
}

}  // namespace qm
