#pragma once
// The pictures of lines on screen: the small preview in the calculation panel, which
// shows the current line's picture fitted into its box, and the viewer that shows a
// picture at its actual size.
#include <QDialog>
#include <QGroupBox>

#include "model/picture.h"

class QLabel;
class QPushButton;
class QScrollArea;

namespace qm::ui {

// "画像プレビュー": the picture fitted and centred in a 159 × 89 box, and "保存".
class TPicturePreview : public QGroupBox {
  Q_OBJECT
 public:
  explicit TPicturePreview(QWidget* parent = nullptr);

  // Fitted into the box on the button face colour; a picture with no size clears it.
  void ShowPicture(const TMxPicture& picture);
  void Clear();
  // Where the picture is drawn in the box; empty when none is shown.
  QRect ShownRect() const { return shownRect_; }

  QLabel* ImagePicPreview = nullptr;
  QPushButton* BtnPicSave = nullptr;

 signals:
  void clicked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QRect shownRect_;
};

// "画像プレビュー[実寸大]": the picture at its own pixel size, centred when the window is
// larger, scrolled when it is smaller.
class TFormPicPreview : public QDialog {
  Q_OBJECT
 public:
  explicit TFormPicPreview(QWidget* parent = nullptr);
  void PicImageDraw(const TMxPicture& picture);

  QScrollArea* Area = nullptr;
  QLabel* Image = nullptr;
  QPushButton* BtnClose = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace qm::ui
