#pragma once
// The print buttons of the main window. Each opens its document's print dialog and,
// on 印刷, prints the document with the dialog's choices. The dialogs are made on
// first use and kept.
#include <QObject>

#include <functional>
#include <memory>

#include "session/session.h"
#include "print/document_kinds.h"
#include "print/print_job.h"
#include "ui/common/modal_result.h"

namespace qm::ui {

class CommandTable;
class DocumentView;
class TFormPrintBase;
class TFormPrintFaxSender;
class TFormPrintMitsu;
class TFormPrintReceipt;
class TFormPrintTotalClaim;
}  // namespace qm::ui

namespace qm::pdf {
class TFormPDFBase;
struct PdfWriteSettings;
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
  // The single sheets. The total invoice only for a total-claim document; otherwise
  // the message says so.
  void BtnRyoshuClick();
  void BtnGoukeiClick();
  void pngBtnSoushinClick();

  // 印刷 of a dialog: prints its job; without a printer the system's print dialog is
  // offered (it can print into a PDF file). The job's PDF is kept in the archive.
  void PrintWith(TFormPrintBase& dialog);
  // PDF出力 of a dialog: asks for a PDF file and writes the dialog's job there; the file
  // is kept in the archive.
  void PdfWith(const TFormPrintBase& dialog);
  // デジタルインボイス出力: the JP PINT invoice of the dialog's job, to a file chosen
  // (the slip number, ".xml", on the desktop); a refusal is said and writes nothing.
  void EInvoiceWith(const TFormPrintBase& dialog);

  // The PDF templates take the settings' band colours.
  void UpdatePdfColours(const TMxConfigInfo& config);

  TFormPrintMitsu& FormPrintMitsu();
  TFormPrintReceipt& FormPrintReceipt();
  TFormPrintTotalClaim& FormPrintTotalClaim();
  TFormPrintFaxSender& FormPrintFaxSender();

 private:
  void Finish(TFormPrintBase& dialog, ModalResult result);
  // A dialog's agreement to round the tax once switches the document and shows it anew.
  void WatchRounding(TFormPrintBase& dialog);
  pdf::TFormPDFBase& PdfBase();
  pdf::PdfWriteSettings PdfSettings() const;
  // Keeps the issued copy of a job when its kind and the settings ask for it; a failure
  // is said after `done` ("印刷しましたが"), as the document has left already.
  void KeepIssued(const PrintJob& job, archive::IssueVia via, const std::string& target,
                  const std::function<std::string()>& pdf,
                  const QString& done);

  AppSession& session_;
  DocumentView& view_;
  TFormPrintMitsu* printMitsu_ = nullptr;
  TFormPrintReceipt* printReceipt_ = nullptr;
  TFormPrintTotalClaim* printTotalClaim_ = nullptr;
  TFormPrintFaxSender* printFax_ = nullptr;
  std::unique_ptr<pdf::TFormPDFBase> pdfBase_;  // the PDF templates, built on first use
};

}  // namespace qm::ui
