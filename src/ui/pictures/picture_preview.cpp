#include "ui/pictures/picture_preview.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "model/line_picture.h"
#include "ui/common/dialog_button.h"

namespace qm::ui {

TPicturePreview::TPicturePreview(QWidget* parent) : QGroupBox(QStringLiteral("画像プレビュー"), parent) {
  setObjectName("GBPicPreview");
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(4, 4, 4, 4);
  ImagePicPreview = new QLabel(this);
  ImagePicPreview->setObjectName("ImagePicPreview");
  ImagePicPreview->setFixedSize(159, 89);
  ImagePicPreview->setCursor(Qt::PointingHandCursor);
  ImagePicPreview->installEventFilter(this);
  v->addWidget(ImagePicPreview);
  BtnPicSave = DialogButton(this, "BtnPicSave", "保存");
  v->addWidget(BtnPicSave, 0, Qt::AlignRight);
}

void TPicturePreview::ShowPicture(const TMxPicture& picture) {
  const QImage image = picture.ToImage();
  const QSize box = ImagePicPreview->size();
  shownRect_ = image.isNull() ? QRect() : PreviewRect(image.size(), box);
  if (shownRect_.isEmpty()) {
    Clear();
    return;
  }
  QPixmap canvas(box);
  canvas.fill(palette().color(QPalette::Button));
  {
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(shownRect_, image);
  }
  ImagePicPreview->setPixmap(canvas);
}

void TPicturePreview::Clear() {
  shownRect_ = QRect();
  ImagePicPreview->setPixmap(QPixmap());
}

bool TPicturePreview::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ImagePicPreview && event->type() == QEvent::MouseButtonRelease) emit clicked();
  return QGroupBox::eventFilter(watched, event);
}

TFormPicPreview::TFormPicPreview(QWidget* parent) : QDialog(parent) {
  setObjectName("FormPicPreview");
  setWindowTitle(QStringLiteral("画像プレビュー[実寸大]"));
  resize(640, 480);
  auto* v = new QVBoxLayout(this);
  Area = new QScrollArea(this);
  Area->setObjectName("Area");
  Area->setAlignment(Qt::AlignCenter);
  Image = new QLabel;
  Image->setObjectName("Image");
  Area->setWidget(Image);
  v->addWidget(Area, 1);
  BtnClose = DialogButton(this, "BtnClose", "閉じる");
  v->addWidget(BtnClose, 0, Qt::AlignRight);
  connect(BtnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void TFormPicPreview::PicImageDraw(const TMxPicture& picture) {
  const QImage image = picture.ToImage();
  Image->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
  Image->resize(image.size());
}

void TFormPicPreview::closeEvent(QCloseEvent* event) {
  Image->setPixmap(QPixmap());  // the shown picture is let go
  QDialog::closeEvent(event);
}

}  // namespace qm::ui
