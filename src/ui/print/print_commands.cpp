#include "ui/print/print_commands.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPrintDialog>

#include "archive/issue_facts.h"
#include "base/atomic_file.h"
#include "base/error.h"
#include "einvoice/jp_pint.h"
#include "model/peppol_ids.h"
#include "pdf/slip_pdf.h"
#include "ui/common/command_table.h"
#include "ui/common/document_view.h"
#include "ui/common/message_box.h"
#include "ui/print/print_dialog.h"
#include "print/printer_output.h"
#include "print/qualified_invoice.h"
#include "print/spooler.h"
#include "ui/print/slip_dialogs.h"

namespace qm::ui {
namespace {

// The toolbar's print buttons, in toolbar order.
struct PrintButton {
  const char* id;
  TChartType kind;
};
constexpr PrintButton kPrintButtons[] = {
    {"BtnMitsu", TChartType::tcMitumori},          {"BtnTankaMitsu", TChartType::tcTankaMitumori},
    {"BtnNouhin", TChartType::tcNouhin},           {"BtnSeikyu", TChartType::tcSeikyu},
    {"BtnSeikyuMeisai", TChartType::tcSeikyuMeisai}, {"BtnJyuryou", TChartType::tcJyuryou},
    {"BtnRyosyu", TChartType::tcRyosyu},           {"BtnGoukeiSeikyu", TChartType::tcGoukeiSeikyu},
    {"BtnFax", TChartType::tcFaxSender},           {"BtnKoujiUtiwake", TChartType::tcKoujiUtiwake},
};

}  // namespace

PrintCommands::PrintCommands(AppSession& session, DocumentView& view)
    : QObject(view.Window()), session_(session), view_(view) {}

PrintCommands::~PrintCommands() = default;

void PrintCommands::Install(CommandTable& commands) {
  for (const PrintButton& b : kPrintButtons) {
    const DocumentKind& k = KindOf(b.kind);
    std::function<void()> run;
    if (k.family == KindFamily::Estimate) run = [this, kind = b.kind] { PrintButtonClick(kind); };
    else if (b.kind == TChartType::tcRyosyu) run = [this] { BtnRyoshuClick(); };
    else if (b.kind == TChartType::tcGoukeiSeikyu) run = [this] { BtnGoukeiClick(); };
    else if (b.kind == TChartType::tcFaxSender) run = [this] { pngBtnSoushinClick(); };
    commands.Add({b.id, k.name, k.icon, true, std::move(run)});
  }
}

void PrintCommands::UpdatePdfColours(const TMxConfigInfo& config) {
  if (pdfBase_) pdfBase_->UpdatePDFBaseColor(config);
}

TFormPrintMitsu& PrintCommands::FormPrintMitsu() {
  if (!printMitsu_) {
    printMitsu_ = new TFormPrintMitsu(session_.Folder().PrintIni(), view_.Window());
    WatchRounding(*printMitsu_);
  }
  return *printMitsu_;
}

TFormPrintReceipt& PrintCommands::FormPrintReceipt() {
  if (!printReceipt_) {
    printReceipt_ = new TFormPrintReceipt(session_.Folder().PrintIni(), view_.Window());
    WatchRounding(*printReceipt_);
  }
  return *printReceipt_;
}

TFormPrintTotalClaim& PrintCommands::FormPrintTotalClaim() {
  if (!printTotalClaim_) printTotalClaim_ = new TFormPrintTotalClaim(session_.Folder().PrintIni(), view_.Window());
  return *printTotalClaim_;
}

TFormPrintFaxSender& PrintCommands::FormPrintFaxSender() {
  if (!printFax_) printFax_ = new TFormPrintFaxSender(session_.Folder().PrintIni(), view_.Window());
  return *printFax_;
}

void PrintCommands::PrintButtonClick(TChartType kind) {
  view_.CommitCurrentEdit();
  TFormPrintMitsu& dialog = FormPrintMitsu();
  dialog.PrepareForKind(kind);
  // The invoice detail names the person in charge only where the company does not
  // print as its logo.
  if (kind == TChartType::tcSeikyuMeisai)
    dialog.ChkPrintName->setEnabled(!session_.Companies().CampanyInfoArray(0).ChkUseLogoImage());
  Finish(dialog, dialog.ShowModal(session_.Document(), session_.Config(), session_.Companies(), kind));
}

void PrintCommands::BtnRyoshuClick() {
  view_.CommitCurrentEdit();
  TFormPrintReceipt& dialog = FormPrintReceipt();
  Finish(dialog, dialog.ShowModal(session_.Document(), session_.Companies(), session_.Config()));
}

void PrintCommands::BtnGoukeiClick() {
  view_.CommitCurrentEdit();
  if (!session_.Document().TotalClaimMode()) {
    ShowMessage(view_.Window(), QStringLiteral("この機能は合計請求モード以外では使用できません。"));
    return;
  }
  TFormPrintTotalClaim& dialog = FormPrintTotalClaim();
  Finish(dialog, dialog.ShowModal(session_.Document(), session_.Config(), session_.Companies()));
}

void PrintCommands::pngBtnSoushinClick() {
  view_.CommitCurrentEdit();
  TFormPrintFaxSender& dialog = FormPrintFaxSender();
  Finish(dialog, dialog.ShowModal(session_.Document(), session_.Companies(), session_.Config()));
}

void PrintCommands::WatchRounding(TFormPrintBase& dialog) {
  dialog.OnRoundTaxOnTotal = [this] {
    RoundTaxOnTotal(session_.Document());
    view_.ShowDocument();
  };
}

void PrintCommands::Finish(TFormPrintBase& dialog, ModalResult result) {
  if (result == ModalResult::Ok) PrintWith(dialog);
  else if (result == ModalResult::Pdf) PdfWith(dialog);
  else if (result == ModalResult::EInvoice) EInvoiceWith(dialog);
}

pdf::TFormPDFBase& PrintCommands::PdfBase() {
  if (!pdfBase_) pdfBase_ = std::make_unique<pdf::TFormPDFBase>();
  return *pdfBase_;
}

pdf::PdfWriteSettings PrintCommands::PdfSettings() const {
  pdf::PdfWriteSettings settings;
  settings.fonts = pdf::PdfFontsOf(session_.Config());
  return settings;
}

void PrintCommands::KeepIssued(const PrintJob& job, archive::IssueVia via, const std::string& target,
                               const std::function<std::string()>& pdf, const QString& done) {
  if (!archive::IsKept(session_.Config(), job)) return;
  // What was issued stays issued: a copy that cannot be kept is said, nothing is undone.
  try {
    archive::KeepIssued(session_.Archive(), session_.Config(), job, via, target, session_.Document().FileName(), pdf());
  } catch (const std::exception& e) {
    ShowError(view_.Window(), done + QStringLiteral("、発行控えを保存できませんでした。\r\n") + QString::fromStdString(e.what()));
  }
}

void PrintCommands::PdfWith(const TFormPrintBase& dialog) {
  const QString path =
      ChooseFileToWrite(view_.Window(), QStringLiteral("PDFファイル(*.pdf)"), QStringLiteral("pdf"), ExportFolder());
  if (path.isEmpty()) return;
  const std::string pdf = pdf::WritePdf(PdfBase(), dialog.Job(), path.toStdString(), PdfSettings());
  KeepIssued(dialog.Job(), archive::IssueVia::Pdf, path.toStdString(), [&pdf] { return pdf; },
             QStringLiteral("PDFを書き出しましたが"));
}

void PrintCommands::PrintWith(TFormPrintBase& dialog) {
  QPrinter& printer = dialog.Printer();
  if (!dialog.HasPrinter()) {
    QPrintDialog system(&printer, view_.Window());
    if (system.exec() != QDialog::Accepted) return;
  }
  // A queue that refuses jobs says why, instead of the job vanishing.
  if (printer.outputFormat() == QPrinter::NativeFormat) CheckPrinterTakesJobs(printer.printerName().toStdString());
  PrintJobOn(printer, dialog.Job());
  // The copy kept of a printed job is its PDF, as PDF出力 would write it.
  const std::string target = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName().toStdString()
                                                                           : printer.printerName().toStdString();
  KeepIssued(dialog.Job(), archive::IssueVia::Print, target,
             [&] { return pdf::WritePdf(PdfBase(), dialog.Job(), std::string(), PdfSettings()); },
             QStringLiteral("印刷しましたが"));
}

void PrintCommands::EInvoiceWith(const TFormPrintBase& dialog) {
  QWidget* window = view_.Window();
  einvoice::Request request = einvoice::RequestOf(dialog.Job());
  const std::string periodText = dialog.EdtInvoicePeriod->text().trimmed().toStdString();
  if (!periodText.empty()) {
    request.period = einvoice::ParsePeriod(periodText);
    if (!request.period) {
      ShowMessage(window, QStringLiteral("請求期間は 2026-12-01:2026-12-31 のように開始日と終了日をコロンで区切って入力してください。"));
      return;
    }
  }
  const TMxCustomerObject& c = request.doc->CustomerInfo();
  request.buyerEndpoint =
      ParsePeppolId(session_.PeppolIds().Find(PeppolIdBook::KeyOf(c.CustomerCode(), c.CustomerName1())));
  // A refusal is said before a file name is asked for, and nothing is written.
  std::string xml;
  try {
    xml = einvoice::WriteJpPint(request);
  } catch (const Error& e) {
    ShowMessage(window, QString::fromStdString(e.what()));
    return;
  }
  const std::string slip = request.doc->SlipCodeStr().empty() ? request.documentName : request.doc->SlipCodeStr();
  const QString suggested = QDir(ExportFolder()).filePath(QString::fromStdString(slip.empty() ? "invoice" : slip) + ".xml");
  const QString path = ChooseFileToWrite(window, QStringLiteral("XMLファイル(*.xml)"), QStringLiteral("xml"), suggested);
  if (path.isEmpty()) return;
  WriteFileAtomically(path.toStdString(), xml);
}

}  // namespace qm::ui
