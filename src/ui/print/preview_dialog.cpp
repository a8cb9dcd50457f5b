#include "ui/print/preview_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>

#include "print/page_renderer.h"
#include "ui/app/message_box.h"
#include "ui/controls/dialog_button.h"

namespace qm::ui {
namespace {

int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

TFormPreviewMitsu::TFormPreviewMitsu(QWidget* parent) : QDialog(parent) {
  setObjectName("FormPreviewMitsu");
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
  Area->viewport()->installEventFilter(this);
  root->addWidget(Area, 1);

  connect(BtnPrev, &QPushButton::clicked, this, [this] { PrevPageClick(); });
  connect(BtnNext, &QPushButton::clicked, this, [this] { NextPageClick(); });
  connect(BtnBmp, &QPushButton::clicked, this, [this] { SaveBmpClick(); });
  connect(BtnJpeg, &QPushButton::clicked, this, [this] { SaveJpegClick(); });
  connect(CBZoom, &QComboBox::currentIndexChanged, this, [this](int index) { SetZoomIndex(index); });
}

void TFormPreviewMitsu::Prepare(const ChartPageSources& src, TChartType kind, bool landscape) {
  src_ = src;
  kind_ = kind;
  const TPrintMitsuOptions& o = src.settings.options;
  NowPage = 1;
  PicPage = o.PrintPic ? GetPicPage(*src.doc) : 0;
  DocumentPage = GetNecPage(*src.doc, kind, landscape);
  MaxPage = DocumentPage + PicPage;
  if (o.PrintCopy) {
    DocumentPage *= 2;
    MaxPage *= 2;
  }
  OrientType = landscape ? 1 : 0;
  bai = 1.0;
  {
    const QSignalBlocker block(CBZoom);
    CBZoom->setCurrentIndex(0);
  }
  UpdateButtons();
  DrawPage();
}

int TFormPreviewMitsu::ShowModal(const ChartPageSources& src, TChartType kind, bool landscape) {
  Prepare(src, kind, landscape);
  return exec();
}

void TFormPreviewMitsu::UpdateButtons() {
  LblPage->setText(QStringLiteral("( %1 / %2 )").arg(NowPage).arg(MaxPage));
  if (MaxPage == 1) {
    BtnPrev->setEnabled(false);
    BtnNext->setEnabled(false);
  } else {
    BtnPrev->setEnabled(NowPage != 1);
    BtnNext->setEnabled(NowPage != MaxPage);
  }
}

void TFormPreviewMitsu::PrevPageClick() {
  if (NowPage <= 1) return;
  --NowPage;
  UpdateButtons();
  DrawPage();
}

void TFormPreviewMitsu::NextPageClick() {
  if (NowPage >= MaxPage) return;
  ++NowPage;
  UpdateButtons();
  DrawPage();
}

void TFormPreviewMitsu::SetZoomIndex(int index) {
  bai = index / 10.0 + 1;
  DrawPage();
}

void TFormPreviewMitsu::DrawPage() {
  if (!src_.doc) return;
  const QSize client = Area->viewport()->size();
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

  // The page of the set shown: the copy set repeats the document with "(控)".
  int max = MaxPage, doc = DocumentPage, n = NowPage;
  bool hikae = false;
  if (src_.settings.options.PrintCopy) {
    max /= 2;
    doc /= 2;
    if (n > max) {
      n -= max;
      hikae = true;
    }
  }
  const bool a4 = !src_.settings.options.B5();
  const int pageKind = doc == 1 ? kOnlyPage : n == doc ? kLastPage : n == 1 ? kFirstPage : kMiddlePage;
  const PageImage page = (doc == 1 ? n > 1 : n > doc)
                             ? MakeMetaFilePicPrinter(src_, kind_, kMiddlePage, OrientType, doc, n, doc, hikae, a4)
                             : MakeMetaFileChartPrinter(src_, kind_, pageKind, OrientType, doc, n, hikae, a4);
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

void TFormPreviewMitsu::SaveBmpClick() { SaveBitmap(QStringLiteral("BMPファイル(*.bmp)"), "bmp", "BMP"); }

void TFormPreviewMitsu::SaveJpegClick() { SaveBitmap(QStringLiteral("JPEGファイル(*.jpg *.jpeg)"), "jpg", "JPEG"); }

void TFormPreviewMitsu::SaveBitmap(const QString& filter, const char* extension, const char* format) {
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  const QString path = ChooseSaveFile(this, filter, QString::fromLatin1(extension), desktop);
  if (path.isEmpty()) return;
  if (!bitmap_.save(path, format)) ShowError(this, QStringLiteral("ファイル %1 を作成できません").arg(path));
}

void TFormPreviewMitsu::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  DrawPage();
}

bool TFormPreviewMitsu::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Area->viewport() && event->type() == QEvent::Wheel) {
    const auto* wheel = static_cast<QWheelEvent*>(event);
    QScrollBar* bar = Area->verticalScrollBar();
    bar->setValue(bar->value() + (wheel->angleDelta().y() < 0 ? 5 : -5));
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace qm::ui
