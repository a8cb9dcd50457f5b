#pragma once
// The preview of an estimate-family document: the pages the print dialog's settings
// give, one at a time, zoomed from 100 % to 200 %, with BMP and JPEG export of the page
// shown.
#include <QDialog>
#include <QImage>

#include <string>

#include "print/chart_page.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace qm::ui {

class TFormPreviewMitsu : public QDialog {
  Q_OBJECT
 public:
  explicit TFormPreviewMitsu(QWidget* parent = nullptr);

  // Takes the document and the dialog's choices (src.settings.options: pictures, copy,
  // paper) and shows page 1; `landscape` is the printer's orientation. The pointers in
  // `src` must stay valid while the preview is open.
  void Prepare(const ChartPageSources& src, TChartType kind, bool landscape);
  int ShowModal(const ChartPageSources& src, TChartType kind, bool landscape);

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
  int DocumentPage = 1;
  int PicPage = 0;
  int OrientType = 0;  // 1 landscape
  double bai = 1.0;

  QComboBox* CBZoom = nullptr;
  QLabel* LblPage = nullptr;
  QPushButton *BtnPrev = nullptr, *BtnNext = nullptr, *BtnBmp = nullptr, *BtnJpeg = nullptr;
  QScrollArea* Area = nullptr;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SaveBitmap(const QString& filter, const char* extension, const char* format);
  void UpdateButtons();
  void DrawPage();

  ChartPageSources src_;
  TChartType kind_ = TChartType::tcMitumori;
  QImage bitmap_;
  std::string shownOps_;
  QLabel* view_ = nullptr;
};

}  // namespace qm::ui
