#pragma once
// The print dialog of the estimate family: printer, seals, company profile, bank
// account, paper and every print option, remembered per document kind in print.ini,
// with the tax wording derived from the document.
#include <QDialog>
#include <QPrinter>

#include <memory>
#include <string>

#include "print/chart_page.h"
#include "print/print_job.h"
#include "ui/common/modal_result.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qm::ui {

class TFormPreviewMitsu;

class TFormPrintMitsu : public QDialog {
  Q_OBJECT
 public:
  // `printIni` is the print settings file (print.ini in the data folder).
  TFormPrintMitsu(std::string printIni, QWidget* parent = nullptr);
  ~TFormPrintMitsu() override;

  // Caption and visible controls for the kind, and the states a print button starts
  // from (the saved section loaded on show overrides them).
  void PrepareForKind(TChartType kind);
  // Opening the dialog: lists, derived tax choice, saved section. The pointers must
  // stay valid while the dialog is open and while its settings are used.
  void FormShow(const TMxEstimateObjectList& doc, const TMxConfigInfo& config,
                const TMxCampanyInfoManager& companies, TChartType kind);
  // FormShow, then modal: Ok (印刷), Pdf (PDF出力) or Cancel.
  ModalResult ShowModal(const TMxEstimateObjectList& doc, const TMxConfigInfo& config,
                const TMxCampanyInfoManager& companies, TChartType kind);

  void LoadPrintConfig(TChartType kind);
  void SavePrintConfig(TChartType kind);

  // The options as the controls show them, and with the lists resolved.
  TPrintMitsuOptions Options() const;
  ChartPrintSettings Settings() const;
  // Everything a page builder reads, at the dialog printer's resolution.
  ChartPageSources Sources() const;
  // The print job of the document with the dialog's choices.
  PrintJob Job(PageNumbering numbering = PageNumbering::PerSet) const;
  bool Landscape() const;
  bool PaperA4() const;
  // The printer chosen in the dialog, oriented as the landscape box says.
  QPrinter& Printer() { return *printer_; }
  bool HasPrinter() const;

  void PreviewClick();
  void PrintClick();
  void PdfClick();
  void CancelClick();
  void PrinterSetupClick();

  TFormPreviewMitsu& Preview();

  // Controls, named as the dialog's fields.
  QComboBox *CBPrinter = nullptr, *CBCheckStamp = nullptr, *CBPersonalStamp = nullptr, *CBCustomerInfo = nullptr,
            *CBPayBank = nullptr, *CBPaperSize = nullptr;
  QLineEdit* EdtCheckStampMsg = nullptr;
  QCheckBox *ChkPrintName = nullptr, *ChkPrintStampArea = nullptr, *ChkPrintDirection = nullptr,
            *ChkPrintNote = nullptr, *ChkPrintBank = nullptr, *ChkChangeSR = nullptr, *ChkPrintCopy = nullptr,
            *ChkPrintGrandTotalFrame = nullptr, *ChkPrintGrandTotal = nullptr, *ChkPrintSubtotalTotal = nullptr,
            *ChkPrintFreeEdit = nullptr, *ChkPrintCost = nullptr, *ChkPrintPic = nullptr, *ChkPrintBunrui = nullptr;
  QRadioButton *RBNoTax = nullptr, *RBTaxExclusive = nullptr, *RBTaxIncluded = nullptr;
  QPushButton *BtnPreview = nullptr, *BtnPrint = nullptr, *BtnPdf = nullptr, *BtnCancel = nullptr,
              *BtnPrinterSetup = nullptr;
  QLabel* LblNoPrinter = nullptr;

 private:
  // Saves the settings and closes with `result`; on a write failure shows it and stays open.
  void SaveAndClose(ModalResult result);
  void BuildControls();
  void FillPrinters();
  void FillSealLists();
  void SelectPrinter(const QString& name);
  void CompanyChanged();
  void OrientationOptionChanged();
  void ApplyOrientation();
  void DeriveTax();

  std::string printIni_;
  std::unique_ptr<QPrinter> printer_;
  const TMxEstimateObjectList* doc_ = nullptr;
  const TMxConfigInfo* config_ = nullptr;
  const TMxCampanyInfoManager* companies_ = nullptr;
  TChartType kind_ = TChartType::tcMitumori;
  bool loading_ = false;
  QWidget *sealBox_ = nullptr, *bankBox_ = nullptr, *taxBox_ = nullptr;
  TFormPreviewMitsu* preview_ = nullptr;
};

}  // namespace qm::ui
