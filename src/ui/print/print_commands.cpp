#include "ui/print/print_commands.h"

#include <QCheckBox>
#include <QPrintDialog>

#include "pdf/chart_pdf.h"
#include "ui/common/command_table.h"
#include "ui/common/document_view.h"
#include "ui/common/message_box.h"
#include "ui/print/print_dialog.h"
#include "ui/print/printer_output.h"

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
    commands.Add({b.id, k.name, k.icon, true, std::move(run)});
  }
}

TFormPrintMitsu& PrintCommands::FormPrintMitsu() {
  if (!printMitsu_) printMitsu_ = new TFormPrintMitsu(session_.Folder().PrintIni(), view_.Window());
  return *printMitsu_;
}

void PrintCommands::PrintButtonClick(TChartType kind) {
  view_.CommitCurrentEdit();
  TFormPrintMitsu& dialog = FormPrintMitsu();
  dialog.PrepareForKind(kind);
  // The invoice detail names the person in charge only where the company does not
  // print as its logo.
  if (kind == TChartType::tcSeikyuMeisai)
    dialog.ChkPrintName->setEnabled(!session_.Companies().CampanyInfoArray(0).ChkUseLogoImage());
  const ModalResult result = dialog.ShowModal(session_.Document(), session_.Config(), session_.Companies(), kind);
  if (result == ModalResult::Ok) PrintChart(kind);
  else if (result == ModalResult::Pdf) PdfChart(kind);
}

void PrintCommands::PdfChart(TChartType) {
  const QString path =
      ChooseFileToWrite(view_.Window(), QStringLiteral("PDFファイル(*.pdf)"), QStringLiteral("pdf"), ExportFolder());
  if (path.isEmpty()) return;
  if (!pdfBase_) pdfBase_ = std::make_unique<pdf::TFormPDFBase>();
  pdf::PrintPDFChart(*pdfBase_, FormPrintMitsu().Job(), path.toStdString());
}

void PrintCommands::PrintChart(TChartType) {
  TFormPrintMitsu& dialog = FormPrintMitsu();
  QPrinter& printer = dialog.Printer();
  if (!dialog.HasPrinter()) {
    QPrintDialog system(&printer, view_.Window());
    if (system.exec() != QDialog::Accepted) return;
  }
  PrintJobOn(printer, dialog.Job());
}

}  // namespace qm::ui
