#pragma once
// The print buttons of the main window. Each opens its document's print dialog and,
// on 印刷, prints the document with the dialog's choices. The dialogs are made on
// first use and kept.
#include <QObject>

#include <memory>

#include "model/session.h"
#include "print/document_kinds.h"

namespace qm::ui {

class CommandTable;
class DocumentView;
class TFormPrintMitsu;
}  // namespace qm::ui

namespace qm::pdf {
class TFormPDFBase;
}  // namespace qm::pdf

namespace qm::ui {

class PrintCommands : public QObject {
  Q_OBJECT
 public:
  PrintCommands(AppSession& session, DocumentView& view);
  ~PrintCommands() override;

  // Adds one command per print button; those whose document cannot be printed yet are
  // shown disabled.
  void Install(CommandTable& commands);

  void BtnMitsuClick() { PrintButtonClick(TChartType::tcMitumori); }
  void PNGBtnTankaClick() { PrintButtonClick(TChartType::tcTankaMitumori); }
  void BtnNouhinClick() { PrintButtonClick(TChartType::tcNouhin); }
  void BtnSeikyuClick() { PrintButtonClick(TChartType::tcSeikyu); }
  void BtnJuryoClick() { PrintButtonClick(TChartType::tcJyuryou); }
  void BtnSeikyuMeisaiClick() { PrintButtonClick(TChartType::tcSeikyuMeisai); }
  void PNGBtnKoujiClick() { PrintButtonClick(TChartType::tcKoujiUtiwake); }
  // An estimate-family document: the dialog prepared for the kind, then its result.
  void PrintButtonClick(TChartType kind);
  // Prints with the print dialog's settings; without a printer the system's print
  // dialog is offered (it can print into a PDF file).
  void PrintChart(TChartType kind);
  // Asks for a PDF file and writes the document with the print dialog's settings.
  void PdfChart(TChartType kind);

  TFormPrintMitsu& FormPrintMitsu();

 private:
  AppSession& session_;
  DocumentView& view_;
  TFormPrintMitsu* printMitsu_ = nullptr;
  std::unique_ptr<pdf::TFormPDFBase> pdfBase_;  // the PDF templates, built on first use
};

}  // namespace qm::ui
