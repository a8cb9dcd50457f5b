#pragma once
// 動作環境の設定: the operating settings in four tabs — basic settings, the titles and
// greetings of each document, the printed headings, and the six seals. The dialog changes
// the settings only on OK, after every field has been checked.
#include <QDialog>

#include <array>

#include "model/config_info.h"
#include "ui/common/modal_result.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace qm::ui {

class ColourSwatch;
class PictureBox;

class TFormConf : public QDialog {
  Q_OBJECT
 public:
  explicit TFormConf(QWidget* parent = nullptr);

  ModalResult ShowModal(TMxConfigInfo& config);
  // Every property into the controls, the first tab shown.
  void InitConf();
  // OK: every field checked, then copied into the settings; a bad tax rate is said and
  // the dialog stays open with every edit.
  void OkClick();
  void CancelClick();
  void ColourClick(ColourSwatch* swatch);
  void StampAddClick(int slot);  // 0 … 5
  void StampDeleteClick(int slot);

  QTabWidget* PageControl = nullptr;
  QLineEdit* EdtTax = nullptr;
  QComboBox* CBMonetary = nullptr;
  QCheckBox *CBPrintCusCode = nullptr, *CBNoTaxNoSub = nullptr, *CBExitAlert = nullptr, *CBOpenAlert = nullptr,
            *CBPrintDecimalPoint = nullptr, *CBPrintBunrui = nullptr,
            *CBPdfEmbedFonts = nullptr, *CBIssueArchive = nullptr;
  QSpinBox* Spin_FontSize = nullptr;
  ColourSwatch *ShapeLineColorOdd = nullptr, *ShapeLineColorEven = nullptr;
  QPushButton *BtnColorOdd = nullptr, *BtnColorEven = nullptr;
  QLineEdit *EdtEstTitle = nullptr, *EdtEstMsg = nullptr, *EdtUnitPriceEstTitle = nullptr,
            *EdtUnitPriceEstMsg = nullptr, *EdtDeliverTitle = nullptr, *EdtDeliverMsg = nullptr,
            *EdtClaimTitle = nullptr, *EdtClaimMsg = nullptr, *EdtClaimDetailTitle = nullptr,
            *EdtClaimDetailMsg = nullptr, *EdtTotalClaimTitle = nullptr, *EdtTotalClaimMsg = nullptr,
            *EdtReceiveTitle = nullptr, *EdtReceiveMsg = nullptr, *EdtReceiptTitle = nullptr, *EdtReceiptMsg = nullptr,
            *EdtKoujiUtiwakeTitle = nullptr, *EdtKoujiUtiwakeMsg = nullptr;
  QLineEdit *EdtKoujiName = nullptr, *EdtLimit = nullptr, *EdtPlace = nullptr, *EdtCondition = nullptr,
            *EdtFreeEdit = nullptr, *EdtItemName = nullptr, *EdtArt = nullptr, *EdtUnitName = nullptr,
            *EdtUnitPrice = nullptr, *EdtCost = nullptr, *EdtPrice = nullptr, *EdtNote = nullptr;
  std::array<PictureBox*, TMxConfigInfo::kImgMaxRegistCount> ImgPStamp{};
  std::array<QLineEdit*, TMxConfigInfo::kImgMaxRegistCount> EdtNatsuin{};
  std::array<QPushButton*, TMxConfigInfo::kImgMaxRegistCount> BtnStampAdd{}, BtnStampDelete{};
  QPushButton *BtnOk = nullptr, *BtnCancel = nullptr;

 private:
  QWidget* BasicTab();
  QWidget* MessageTab();
  QWidget* HeadingTab();
  QWidget* StampTab();

  TMxConfigInfo* config_ = nullptr;
};

// The tax rate as typed: a plain decimal number, rounded to four places (ties to even);
// nothing for a text that is no such number.
std::optional<Currency> ParseTaxRate(const QString& text);

}  // namespace qm::ui
