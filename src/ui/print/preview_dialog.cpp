#include "ui/print/preview_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>

#include "base/atomic_file.h"
#include "base/error.h"
#include "print/page_renderer.h"
#include "ui/common/dialog_button.h"
#include "ui/common/message_box.h"

namespace qm::ui {
namespace {

int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

TFormPreview::TFormPreview(QWidget* parent) : QDialog(parent) {
  setObjectName("FormPreview");
  setWindowTitle(QStringLiteral("印刷プレビュー"));
  setMinimumSize(648, 680);
  setSizeGripEnabled(true);

  auto* root = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  bar->addWidget(new QLabel(QStringLiteral("倍率"), this));
  CBZoom = new QComboBox(this);
  CBZoom->setObjectName("CBZoom");
  for (int percent = 100; percent <= 200; percent += 10) CBZoom->addItem(QString::number(percent) + "%");
  bar->addWidget(CBZoom);
  LblPage = new QLabel(this);
  LblPage->setObjectName("LblPage");
  bar->addWidget(LblPage);
  BtnPrev = DialogButton(this, "BtnPrev", "前ページ");
  BtnNext = DialogButton(this, "BtnNext", "次ページ");
  BtnBmp = DialogButton(this, "BtnBmp", "BMP保存");
  BtnJpeg = DialogButton(this, "BtnJpeg", "JPEG保存");
  for (QPushButton* b : {BtnPrev, BtnNext, BtnBmp, BtnJpeg}) bar->addWidget(b);
  bar->addStretch();
  root->addLayout(bar);

  Area = new QScrollArea(this);
  Area->setObjectName("Area");
  Area->setWidgetResizable(false);
  Area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette black = Area->palette();
  black.setColor(QPalette::Window, Qt::black);
  Area->setPalette(black);
  Area->setBackgroundRole(QPalette::Window);
  Area->setAutoFillBackground(true);
  auto* canvas = new QWidget;
  canvas->setPalette(black);
  canvas->setAutoFillBackground(true);
  view_ = new QLabel(canvas);
  view_->setObjectName("PageView");
  Area->setWidget(canvas);
  Area->installEventFilter(this);
  Area->viewport()->installEventFilter(this);
  root->addWidget(Area, 1);

  connect(BtnPrev, &QPushButton::clicked, this, [this] { PrevPageClick(); });
  connect(BtnNext, &QPushButton::clicked, this, [this] { NextPageClick(); });
  connect(BtnBmp, &QPushButton::clicked, this, [this] { SaveBmpClick(); });
  connect(BtnJpeg, &QPushButton::clicked, this, [this] { SaveJpegClick(); });
  connect(CBZoom, &QComboBox::currentIndexChanged, this, [this](int index) { SetZoomIndex(index); });
}

void TFormPreview::Prepare(PrintJob job) {
  job_.emplace(std::move(job));
  NowPage = 1;
  MaxPage = job_->PageCount();
  PicPage = job_->PicturePages();
  DocumentPage = job_->Copy() ? 2 * job_->ItemPages() : job_->ItemPages();
  OrientType = job_->Landscape() ? 1 : 0;
  bai = 1.0;
  {
    const QSignalBlocker block(CBZoom);
    CBZoom->setCurrentIndex(0);
  }
  UpdateButtons();
  DrawPage();
}

ModalResult TFormPreview::ShowModal(PrintJob job) {
  Prepare(std::move(job));
  return ExecModal(*this);
}

void TFormPreview::UpdateButtons() {
  LblPage->setText(QStringLiteral("( %1 / %2 )").arg(NowPage).arg(MaxPage));
  if (MaxPage == 1) {
    BtnPrev->setEnabled(false);
    BtnNext->setEnabled(false);
  } else {
    BtnPrev->setEnabled(NowPage != 1);
    BtnNext->setEnabled(NowPage != MaxPage);
  }
}

void TFormPreview::PrevPageClick() {
  if (NowPage <= 1) return;
  --NowPage;
  UpdateButtons();
  DrawPage();
}

void TFormPreview::NextPageClick() {
  if (NowPage >= MaxPage) return;
  ++NowPage;
  UpdateButtons();
  DrawPage();
}

void TFormPreview::SetZoomIndex(int index) {
  bai = index / 10.0 + 1;
  DrawPage();
}

void TFormPreview::DrawPage() {
  if (!job_) return;
  // The room of the area without its scroll bars, so that showing or hiding them for a
  // large page does not change the size the page is drawn at.
  const QSize client = Area->maximumViewportSize();
  int width, height, left = 0, top = 0;
  if (OrientType == 1) {
    width = Round(client.width() * bai);
    height = Round(width / 1.414);
    top = Round(client.height() / 2.0) - Round(height / 2.0);
  } else {
    height = Round(client.height() * bai);
    width = Round(height / 1.414);
    left = Round(client.width() / 2.0) - Round(width / 2.0);
  }
  left = std::max(left, 0);
  top = std::max(top, 0);
  width = std::max(width, 1);
  height = std::max(height, 1);

  const PageImage page = job_->MakePage(NowPage - 1);
  shownOps_ = page.Describe();
  bitmap_ = QImage(width, height, QImage::Format_RGB32);
  bitmap_.fill(Qt::white);
  QPainter painter(&bitmap_);
  RenderPage(page, painter, QRectF(0, 0, width, height));
  painter.end();

  view_->setPixmap(QPixmap::fromImage(bitmap_));
  view_->setGeometry(left, top, width, height);
  Area->widget()->resize(std::max(client.width(), left + width), std::max(client.height(), top + height));
}

void TFormPreview::SaveBmpClick() { SaveBitmap(QStringLiteral("BMPファイル(*.bmp)"), "bmp", "BMP"); }

void TFormPreview::SaveJpegClick() { SaveBitmap(QStringLiteral("JPEGファイル(*.jpg *.jpeg)"), "jpg", "JPEG"); }

void TFormPreview::SaveBitmap(const QString& filter, const char* extension, const char* format) {
  const QString path = ChooseFileToWrite(this, filter, QString::fromLatin1(extension), ExportFolder());
  if (path.isEmpty()) return;
  const std::optional<std::string> bytes = EncodeImage(bitmap_, format);
  if (!bytes) {
    ShowError(this, QStringLiteral("ファイル %1 を作成できません").arg(path));
    return;
  }
  try {
    WriteFileAtomically(path.toStdString(), *bytes);
  } catch (const Error& e) {
    ShowError(this, QString::fromStdString(e.what()));
  }
}

void TFormPreview::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The layout gives the area its size only now; the page follows it.
  if (layout()) layout()->activate();
  DrawPage();
}

bool TFormPreview::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Area && event->type() == QEvent::Resize) {
    DrawPage();
  } else if (watched == Area->viewport() && event->type() == QEvent::Wheel) {
    const auto* wheel = static_cast<QWheelEvent*>(event);
    QScrollBar* bar = Area->verticalScrollBar();
    bar->setValue(bar->value() + (wheel->angleDelta().y() < 0 ? 5 : -5));
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

TFormPreviewMitsu::TFormPreviewMitsu(QWidget* parent) : TFormPreview(parent) {
  setObjectName("FormPreviewMitsu");
}

TFormPreviewList::TFormPreviewList(QWidget* parent) : TFormPreview(parent) { setObjectName("FormPreviewList"); }

TFormPreviewEtcSlip::TFormPreviewEtcSlip(QWidget* parent) : TFormPreview(parent) {
  setObjectName("FormPreviewEtcSlip");
  BtnPrev->hide();
  BtnNext->hide();
  LblPage->hide();
}

}  // namespace qm::ui
