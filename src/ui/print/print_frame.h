#pragma once
// What every print dialog has: the printer list with its setup button and the no-printer
// note, the paper list, the company profile list with its 担当者名を印刷する rule, the
// buttons プレビュー, 印刷, PDF出力 and キャンセル, and saving the dialog's print.ini
// section on 印刷 and PDF出力.
#include <QDialog>
#include <QPrinter>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "model/company_info.h"
#include "print/print_job.h"
#include "ui/common/modal_result.h"

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qm::ui {

class TFormPreview;

class TFormPrintBase : public QDialog {
  Q_OBJECT
 public:
  ~TFormPrintBase() override;

  // The printer chosen in the dialog, oriented as the dialog says.
  QPrinter& Printer() { return *printer_; }
  const QPrinter& Printer() const { return *printer_; }
  bool HasPrinter() const;
  bool PaperA4() const;
  // The job of what the dialog prints, as its controls stand.
  virtual PrintJob Job() const = 0;
  // The same for the preview: a screen bitmap, laid out at 300 dpi.
  virtual PrintJob PreviewJob() const = 0;

  void PreviewClick();
  void PrintClick();
  void PdfClick();
  void CancelClick();
  void PrinterSetupClick();

  QComboBox *CBPrinter = nullptr, *CBPaperSize = nullptr, *CBCustomerInfo = nullptr;
  QPushButton *BtnPrinterSetup = nullptr, *BtnPreview = nullptr, *BtnPrint = nullptr, *BtnPdf = nullptr,
              *BtnCancel = nullptr;
  // デジタルインボイス出力 and the invoice period it writes (empty: the month of the slip
  // date), shown on the dialogs of the invoice, the invoice detail and the total invoice.
  QPushButton* BtnEInvoice = nullptr;
  QLineEdit* EdtInvoicePeriod = nullptr;
  void ShowEInvoice(bool shown);
  QLabel* LblNoPrinter = nullptr;
  // 登録番号を印刷する, shown on the dialogs of the kinds a qualified invoice may be; and the
  // note shown while it is on for a document that rounds its tax line by line.
  QCheckBox* ChkPrintRegistNo = nullptr;
  QLabel* LblRoundOnce = nullptr;
  // Switches the document to tax on the total when the user agrees to it before
  // printing a qualified invoice; unset, the question is not asked.
  std::function<void()> OnRoundTaxOnTotal;

 protected:
  // `printNameBox` names the dialog's 担当者名を印刷する box.
  TFormPrintBase(std::string printIni, const char* objectName, const char* printNameBox, QWidget* parent);

  // The groups every dialog places where it wants them, and the button row.
  QGroupBox* PrinterBox() const { return printerBox_; }
  QGroupBox* CompanyBox() const { return companyBox_; }
  QBoxLayout* ButtonRow() const { return buttons_; }
  QCheckBox* PrintNameBox() const { return printName_; }

  // Opening: the system's printers with the current one selected, the company list
  // with its first entry and the company rule.
  void FillPrinters();
  void FillCompanyList(const TMxCampanyInfoManager& companies);
  // A stored printer name selects that printer (an empty one keeps the selection).
  void RestorePrinter(const std::string& name);
  void SetLandscape(bool landscape);
  // Disables 担当者名を印刷する for a profile that prints as its logo, and 登録番号を印刷する
  // for one without a number.
  void CompanyChanged();

  // 登録番号を印刷する: shown or not for the dialog's kind, the document whose rounding
  // the dialog watches, and the stored choice (unset: on when the profile has a number).
  void PrepareRegistNo(bool shown, const TMxEstimateObjectList* doc);
  void RestoreRegistNo(const std::optional<bool>& stored);
  // The choice to store: the box where it applies, else what was stored.
  std::optional<bool> RegistNoOption() const;

  // Writes the dialog's section; on failure the dialog stays open.
  virtual void SavePrintConfig() = 0;
  // The preview the dialog opens.
  virtual TFormPreview& Preview() = 0;

  const std::string& PrintIni() const { return printIni_; }

 private:
  void SelectPrinter(const QString& name);
  void SaveAndClose(ModalResult result);
  void RefreshRegistNo();
  // Before printing a qualified invoice whose tax is rounded per line: asks whether to
  // switch the document to tax on the total.
  void AskRoundOnce();
  bool RoundsPerLineQualified() const;

  std::string printIni_;
  std::unique_ptr<QPrinter> printer_;
  const TMxCampanyInfoManager* companies_ = nullptr;
  QGroupBox *printerBox_ = nullptr, *companyBox_ = nullptr;
  QBoxLayout* buttons_ = nullptr;
  QCheckBox* printName_ = nullptr;
  std::optional<bool> storedRegistNo_;
  const TMxEstimateObjectList* roundingDoc_ = nullptr;
};

// Small helpers of the dialogs.
QCheckBox* CheckBox(QWidget* parent, const char* name, const char* caption);
QComboBox* ComboBox(QWidget* parent, const char* name);
// Selects the entry with exactly that text, else the first entry (none when empty).
void SelectText(QComboBox* box, const std::string& text);
std::string TextOf(const QComboBox* box);

// A dialog control bound to the option field it shows.
template <class D, class O>
struct ComboBinding {
  QComboBox* D::*control;
  std::string O::*field;
};
template <class D, class O>
struct EditBinding {
  QLineEdit* D::*control;
  std::string O::*field;
};
template <class D, class O>
struct CheckBinding {
  QCheckBox* D::*control;
  bool O::*field;
};

}  // namespace qm::ui
