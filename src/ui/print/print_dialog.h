#pragma once
// The print dialog of the estimate family: the frame of every print dialog with the
// seals, the bank account, the tax wording derived from the document and every print
// option, remembered per document kind in print.ini.
#include <memory>
#include <string>

#include "print/chart_page.h"
#include "ui/print/print_frame.h"

class QRadioButton;

namespace qm::ui {

class TFormPreviewMitsu;

class TFormPrintMitsu : public TFormPrintBase {
  Q_OBJECT
 public:
  // `printIni` is the print settings file (print.ini in the data folder).
  explicit TFormPrintMitsu(std::string printIni, QWidget* parent = nullptr);
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
  PrintJob Job() const override;
  PrintJob PreviewJob() const override;
  bool Landscape() const;

  // Controls, named as the dialog's fields.
  QComboBox *CBCheckStamp = nullptr, *CBPersonalStamp = nullptr, *CBPayBank = nullptr;
  QLineEdit* EdtCheckStampMsg = nullptr;
  QCheckBox *ChkPrintName = nullptr, *ChkPrintStampArea = nullptr, *ChkPrintDirection = nullptr,
            *ChkPrintNote = nullptr, *ChkPrintBank = nullptr, *ChkChangeSR = nullptr, *ChkPrintCopy = nullptr,
            *ChkPrintGrandTotalFrame = nullptr, *ChkPrintGrandTotal = nullptr, *ChkPrintSubtotalTotal = nullptr,
            *ChkPrintFreeEdit = nullptr, *ChkPrintCost = nullptr, *ChkPrintPic = nullptr, *ChkPrintBunrui = nullptr;
  QRadioButton *RBNoTax = nullptr, *RBTaxExclusive = nullptr, *RBTaxIncluded = nullptr;

 protected:
  void SavePrintConfig() override { SavePrintConfig(kind_); }
  TFormPreview& Preview() override;

 private:
  void BuildControls();
  void FillSealLists();
  void OrientationOptionChanged();
  void DeriveTax();

  const TMxEstimateObjectList* doc_ = nullptr;
  const TMxConfigInfo* config_ = nullptr;
  const TMxCampanyInfoManager* companies_ = nullptr;
  TChartType kind_ = TChartType::tcMitumori;
  QWidget *sealBox_ = nullptr, *bankBox_ = nullptr, *taxBox_ = nullptr;
  TFormPreviewMitsu* preview_ = nullptr;
};

}  // namespace qm::ui
