#pragma once
// What the two settings dialogs share: a colour swatch, a picture box that shows an image
// stretched (and tells the colour under a click), typed-key filters, and turning a chosen
// picture file into the bitmap the settings keep.
#include <QFrame>
#include <QLabel>

#include <optional>
#include <string>

#include "base/colour_text.h"
#include "model/picture.h"

class QLineEdit;

namespace qm::ui {

// A swatch of one colour.
class ColourSwatch : public QFrame {
  Q_OBJECT
 public:
  explicit ColourSwatch(QWidget* parent = nullptr);
  TColor Colour() const { return colour_; }
  void SetColour(TColor colour);

 private:
  TColor colour_ = 0;
};

// A picture stretched to the box; empty shows nothing.
class PictureBox : public QLabel {
  Q_OBJECT
 public:
  PictureBox(QSize size, QWidget* parent = nullptr);
  const TMxPicture& Picture() const { return picture_; }
  void SetPicture(const TMxPicture& picture);
  void Clear();
  bool IsEmpty() const { return picture_.Empty(); }
  // The colour of the picture as shown at a point of the box; nothing over an empty box.
  std::optional<TColor> ColourAt(QPoint point) const;

 signals:
  void released(QPoint point);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TMxPicture picture_;
  QImage shown_;
};

// A one-line text field of a settings dialog, with its object name, taking only what the
// settings file can store.
QLineEdit* TextField(QWidget* parent, const char* name);

// A text field of dialog D and the text property of O it shows.
template <class D, class O>
struct TextBinding {
  QLineEdit* D::*control;
  const std::string& (O::*get)() const;
  void (O::*set)(std::string);
};

// Keeps only the typed characters in `allowed` (and the editing keys) in the field;
// pasted text is not filtered.
void AllowKeys(QLineEdit* field, const QString& allowed);

// TColor (0x00BBGGRR) and QColor.
QColor ToQColor(TColor colour);
TColor FromQColor(const QColor& colour);

// The file decoded by its extension (.jpg/.jpeg as JPEG, .png as PNG, anything else as a
// bitmap) and kept as a bitmap; a picture with transparency is laid on white first.
// Throws qm::Error naming the file when it cannot be read or decoded.
TMxPicture LoadAsBitmap(const std::string& path);

// The picture open dialog's filter of the settings dialogs.
inline constexpr const char* kImageFilter = "画像ファイル (*.bmp *.jpg *.jpeg *.png)";

}  // namespace qm::ui
