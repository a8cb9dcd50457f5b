#pragma once
// A line's picture: the exact bytes of a BMP, PNG or JPEG file, kept in the format it
// came in so that it is written back unchanged.
#include <QImage>

#include <string>

namespace qm {

enum class PictureKind { None = 0, Bmp = 1, Png = 2, Jpeg = 3 };

class TMxPicture {
 public:
  bool Empty() const { return kind_ == PictureKind::None; }
  PictureKind Kind() const { return kind_; }
  const std::string& Bytes() const { return bytes_; }
  // Pixel size read from the image header; 0 x 0 when the bytes do not decode.
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Takes the bytes as an image of the given kind; PictureKind::None empties it.
  void Assign(PictureKind kind, std::string bytes);
  void Clear();

  // Loads a picture file, its kind taken from the extension (.bmp, .png, .jpg/.jpeg).
  // Throws qm::Error for an unreadable file or an unknown extension.
  void LoadFromFile(const std::string& path);
  // The decoded picture; a null image when there is none or the bytes do not decode.
  QImage ToImage() const;

 private:
  PictureKind kind_ = PictureKind::None;
  std::string bytes_;
  int width_ = 0;
  int height_ = 0;
};

const char* PictureKindName(PictureKind kind);  // "bmp", "png", "jpeg", ""

}  // namespace qm
