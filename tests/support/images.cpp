#include "support/images.h"

#include <QBuffer>
#include <QFile>
#include <QImage>

namespace qmtest {

std::string EncodedImage(const char* format, int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb((x * 255) / w, (y * 255) / h, 128));
  QByteArray bytes;
  QBuffer buf(&bytes);
  buf.open(QIODevice::WriteOnly);
  img.save(&buf, format);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool WriteImageFile(const std::string& path, const char* format, int w, int h) {
  const std::string bytes = EncodedImage(format, w, h);
  QFile f(QString::fromStdString(path));
  return f.open(QIODevice::WriteOnly) &&
         f.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

}  // namespace qmtest
