#pragma once
// The tab "お客様情報": one control per header field of the document, kept equal to
// the document (every change is copied into it), the four remembered boxes with their
// print switches, the remarks and the memo.
#include <QWidget>

#include <array>
#include <functional>
#include <string>

#include "session/session.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace qm::ui {

class THistoryComboBox;

class TCustomerTab : public QWidget {
  Q_OBJECT
 public:
  TCustomerTab(AppSession& session, QWidget* parent = nullptr);

  // Every control into the document header.
  void FormContent2Object();
  // The document header into the controls, with the change events off meanwhile.
  void Object2FormContent();
  // A new document's header: today's date, "御中", everything else empty; the four
  // "印刷する" boxes keep their state.
  void Clear();
  // The four headings from the settings.
  void RefreshHeadings();
  // The remembered entries of the four boxes; a failure goes to `failed`.
  void LoadHistories(const std::function<void(const std::string&)>& failed);
  // Change events copy the controls into the document only while enabled.
  void InputEventEnable(bool enable) { inputEvents_ = enable; }

  QPushButton* CustomerButton() const { return BtnCustomer; }
  // The postal lookups' buttons and the two fields they fill.
  QPushButton* ZipButton() const { return BtnZip; }
  QPushButton* Add1Button() const { return BtnAdd1; }
  QLineEdit* ZipEdit() const { return EdtZip; }
  QLineEdit* Add1Edit() const { return EdtAdd1; }
  // The customer fields in the customer list's column order (code, names 1–3, postal
  // code, addresses 1–2, TEL, FAX).
  std::array<QLineEdit*, 9> CustomerBlock() const {
    return {MMCusCode, EdtName1, EdtName2, EdtName3, EdtZip, EdtAdd1, EdtAdd2, EdtTel, EdtFax};
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build();
  void ConnectControls();
  void ContentsChange();
  void ClearHistoryClick(THistoryComboBox* box, const char* heading);

  AppSession& session_;
  bool inputEvents_ = false;
  QLineEdit *MMYear, *MMMonth, *MMDay, *MMCusCode, *MMSlipCode, *EdtZip, *EdtAdd1, *EdtAdd2;
  QLineEdit *EdtName1, *EdtName2, *EdtName3, *EdtTel, *EdtFax, *EdtMemo;
  QComboBox* CBNameTitle;
  THistoryComboBox *CBKoujiName, *CBLimit, *CBPlace, *CBCondition;
  QCheckBox *ChBKoujiName, *ChBLimit, *ChBPlace, *ChBCondition;
  QLabel *LblKoujiName, *LblLimit, *LblPlace, *LblCondition;
  QPlainTextEdit* MMEtc;
  QPushButton *BtnCustomer, *BtnZip, *BtnAdd1;
};

}  // namespace qm::ui
