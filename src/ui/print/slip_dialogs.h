#pragma once
// The print dialogs of the single sheets: the receipt (領収書印刷), the total invoice
// (合計請求書印刷) and the FAX cover sheet (FAX送信状印刷). Each is the frame of every
// print dialog with the inputs of its sheet, prints portrait, remembers its section of
// print.ini and previews its one page.
#include <string>

#include "print/slip_pages.h"
#include "ui/print/print_frame.h"

class QPlainTextEdit;
class QSpinBox;

namespace qm::ui {

class TFormPreviewEtcSlip;
class TSsEdit;

// What the three dialogs share: the document and settings they print from, portrait
// paper, and the sheet preview.
class TFormPrintSlip : public TFormPrintBase {
  Q_OBJECT
 public:
  PrintJob Job() const override;
  PrintJob PreviewJob() const override;

 protected:
  TFormPrintSlip(std::string printIni, const char* objectName, const char* caption, const char* printNameBox,
                 QWidget* parent);

  // Opening: the pointers are kept while the dialog and its jobs are used; the printer
  // list, portrait paper and the company list with its rule.
  void OpenFor(const TMxEstimateObjectList& doc, const TMxConfigInfo& config,
               const TMxCampanyInfoManager& companies);
  // The sources with the company the dialog shows, at a resolution.
  SlipSources SourcesAt(int dpiX, int dpiY) const;
  // The sheet's job from its sources.
  virtual PrintJob JobFrom(SlipSources src) const = 0;
  TFormPreview& Preview() override;

  const TMxEstimateObjectList* doc_ = nullptr;
  const TMxConfigInfo* config_ = nullptr;
  const TMxCampanyInfoManager* companies_ = nullptr;

 private:
  TFormPreviewEtcSlip* preview_ = nullptr;
};

class TFormPrintReceipt : public TFormPrintSlip {
  Q_OBJECT
 public:
  explicit TFormPrintReceipt(std::string printIni, QWidget* parent = nullptr);

  void FormShow(const TMxEstimateObjectList& doc, const TMxCampanyInfoManager& companies,
                const TMxConfigInfo& config);
  ModalResult ShowModal(const TMxEstimateObjectList& doc, const TMxCampanyInfoManager& companies,
                        const TMxConfigInfo& config);

  // The options as the controls show them.
  TPrintReceiptOptions Options() const;
  // An amount field left: its text normalised by SetComma.
  void UchiExit(int row);

  QComboBox* CBPersonalStamp = nullptr;
  QLineEdit* EdtTadashi = nullptr;
  QComboBox *CBUchi1 = nullptr, *CBUchi2 = nullptr, *CBUchi3 = nullptr, *CBUchi4 = nullptr;
  TSsEdit *EdtUchi1 = nullptr, *EdtUchi2 = nullptr, *EdtUchi3 = nullptr, *EdtUchi4 = nullptr;
  QCheckBox *ChBPrintInshi = nullptr, *ChBPrintName = nullptr, *ChbPrintStampArea = nullptr,
            *ChbPrintGrandTotal = nullptr;

 protected:
  void SavePrintConfig() override;
  PrintJob JobFrom(SlipSources src) const override;

 private:
  void LoadPrintConfig();
};

class TFormPrintTotalClaim : public TFormPrintSlip {
  Q_OBJECT
 public:
  explicit TFormPrintTotalClaim(std::string printIni, QWidget* parent = nullptr);

  void FormShow(const TMxEstimateObjectList& doc, const TMxConfigInfo& config,
                const TMxCampanyInfoManager& companies);
  ModalResult ShowModal(const TMxEstimateObjectList& doc, const TMxConfigInfo& config,
                        const TMxCampanyInfoManager& companies);

  TPrintTotalClaimOptions Options() const;
  // 前回請求額 or 入金額 left: both normalised and 差引残高 recomputed.
  void CalcResult();

  QComboBox* CBPayBank = nullptr;
  QCheckBox *ChBPrintName = nullptr, *ChBPrintBank = nullptr;
  TSsEdit *EdtPreClaim = nullptr, *EdtPrePaid = nullptr, *EdtResult = nullptr;

 protected:
  void SavePrintConfig() override;
  PrintJob JobFrom(SlipSources src) const override;

 private:
  void LoadPrintConfig();
};

class TFormPrintFaxSender : public TFormPrintSlip {
  Q_OBJECT
 public:
  explicit TFormPrintFaxSender(std::string printIni, QWidget* parent = nullptr);

  void FormShow(const TMxEstimateObjectList& doc, const TMxCampanyInfoManager& companies,
                const TMxConfigInfo& config);
  ModalResult ShowModal(const TMxEstimateObjectList& doc, const TMxCampanyInfoManager& companies,
                        const TMxConfigInfo& config);

  TPrintFaxOptions Options() const;

  QCheckBox* ChBPrintName = nullptr;
  QLineEdit* EdtTitle = nullptr;
  QSpinBox* SEPaperNum = nullptr;
  QCheckBox *CBOptionSikyu = nullptr, *CBOptionSankou = nullptr, *CBOptionKakunin = nullptr,
            *CBOptionHenshin = nullptr;
  QPlainTextEdit* MemoContent = nullptr;

 protected:
  void SavePrintConfig() override;
  PrintJob JobFrom(SlipSources src) const override;

 private:
  void LoadPrintConfig();
};

}  // namespace qm::ui
