#pragma once
// 自社情報の登録: the three company profiles — address, names, person in charge,
// telephone and fax, two bank accounts, the logo that replaces the sender block, and the
// company seal with its printed size and positions. Edits go into the profiles when the
// profile is switched and on OK, and only after every number has been checked, so a
// profile is never half taken over.
#include <QDialog>

#include <array>

#include "model/company_info.h"
#include "ui/common/modal_result.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace qm::ui {

class ColourSwatch;
class PictureBox;

class TFormSenderConf : public QDialog {
  Q_OBJECT
 public:
  explicit TFormSenderConf(QWidget* parent = nullptr);

  ModalResult ShowModal(TMxCampanyInfoManager& companies);
  // The profile last shown, its first tab.
  void InitConf();
  // Every control from profile `index` (0 … 2).
  void RefreshForm(int index);
  // Every control into profile `index`; false (with the message) when a number is no
  // number, and then nothing of the profile has changed.
  bool FormContent2Object(int index);
  // A click on profile radio button `number` (1 … 3).
  void SwitchProfile(int number);
  void OkClick();
  void CancelClick();
  void LogoSelectClick();
  void LogoDeleteClick();
  void StampSelectClick();
  void StampDeleteClick();
  void TransColourClick();
  // A mouse button released over the stamp picture at `point` (box coordinates).
  void StampReleased(QPoint point);
  void RefreshStampConfigInputFiled(bool enabled);

  int FCampanyInfoNo = 1;  // the profile shown, kept for the run

  std::array<QRadioButton*, 3> RBCompany{};
  QTabWidget* PageControl = nullptr;
  QLineEdit *EdtZip = nullptr, *EdtAdd1 = nullptr, *EdtAdd2 = nullptr, *EdtCompany1 = nullptr, *EdtCompany2 = nullptr,
            *EdtCompany3 = nullptr, *EdtName = nullptr, *EdtTel = nullptr, *EdtBank1 = nullptr,
            *EdtAccount1 = nullptr, *EdtAccName1 = nullptr, *EdtBank2 = nullptr, *EdtAccount2 = nullptr,
            *EdtAccName2 = nullptr;
  QLineEdit* EdtRegistNo = nullptr;  // 登録番号: "T" and 13 digits, or empty
  QLineEdit* EdtPeppolId = nullptr;  // Peppol ID: "0188:1234567890123", or empty
  PictureBox *ImgLogo = nullptr, *ImgStamp = nullptr;
  QCheckBox *CBLogoUse = nullptr, *CBStampUse = nullptr, *CBTransColor = nullptr;
  QPushButton *BtnLogoSelect = nullptr, *BtnLogoDelete = nullptr, *BtnStampSelect = nullptr,
              *BtnStampDelete = nullptr, *BtnTransColor = nullptr, *BtnOk = nullptr, *BtnCancel = nullptr;
  ColourSwatch* ShapeTransColor = nullptr;
  // The twenty sizes and positions: A4 then B5, each width, height, then x and y of the
  // detail, total invoice, receipt and FAX positions.
  std::array<QLineEdit*, 20> StampFields{};

 private:
  QWidget* BasicTab();
  QWidget* LogoTab();
  QWidget* StampTab();

  TMxCampanyInfoManager* companies_ = nullptr;
};

}  // namespace qm::ui
