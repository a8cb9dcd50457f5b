#pragma once
// The previews of print jobs: the pages one at a time, zoomed from 100 % to 200 %, with
// BMP and JPEG export of the page shown.
#include <QDialog>
#include <QImage>

#include <optional>
#include <string>

#include "print/print_job.h"
#include "ui/common/modal_result.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace qm::ui {

class TFormPreview : public QDialog {
  Q_OBJECT
 public:
  explicit TFormPreview(QWidget* parent = nullptr);

  // Takes the job and shows its page 1 at 100 %. What the job points to must stay valid
  // while the preview is open.
  void Prepare(PrintJob job);
  ModalResult ShowModal(PrintJob job);

  void PrevPageClick();
  void NextPageClick();
  void SetZoomIndex(int index);  // 0 = 100 % … 10 = 200 %
  void SaveBmpClick();
  void SaveJpegClick();

  // The bitmap of the page shown.
  const QImage& ShownBitmap() const { return bitmap_; }
  // The drawing operations of the page shown, one a line.
  const std::string& ShownPageOps() const { return shownOps_; }

  int NowPage = 1;
  int MaxPage = 1;
  int DocumentPage = 1;  // item pages, both sets
  int PicPage = 0;
  int OrientType = 0;  // 1 landscape
  double bai = 1.0;

  QComboBox* CBZoom = nullptr;
  QLabel* LblPage = nullptr;
  QPushButton *BtnPrev = nullptr, *BtnNext = nullptr, *BtnBmp = nullptr, *BtnJpeg = nullptr;
  QScrollArea* Area = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SaveBitmap(const QString& filter, const char* extension, const char* format);
  void UpdateButtons();
  void DrawPage();

  std::optional<PrintJob> job_;
  QImage bitmap_;
  std::string shownOps_;
  QLabel* view_ = nullptr;
};

// The preview of the estimate family: page buttons and the page label.
class TFormPreviewMitsu : public TFormPreview {
  Q_OBJECT
 public:
  explicit TFormPreviewMitsu(QWidget* parent = nullptr);
};

// The preview of the master lists: page buttons and the page label.
class TFormPreviewList : public TFormPreview {
  Q_OBJECT
 public:
  explicit TFormPreviewList(QWidget* parent = nullptr);
};

// The preview of the single sheets (receipt, total invoice, FAX cover sheet): one page,
// no page buttons.
class TFormPreviewEtcSlip : public TFormPreview {
  Q_OBJECT
 public:
  explicit TFormPreviewEtcSlip(QWidget* parent = nullptr);
};

}  // namespace qm::ui
