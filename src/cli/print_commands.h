#pragma once
// `qm pages`, `qm render` and `qm pdf`: the print job of an estimate-family document,
// its pages as images, and the document as PDF, with the print settings of print.ini
// and --set overrides.
#include "cli/document_commands.h"

namespace qm::cli {

// KIND FILE.QM1 for a document's kinds; KIND alone for the master lists (9, 10).
inline constexpr const char* kPagesSynopsis = "qm pages KIND [FILE.QM1] [--set KEY=VALUE]... [--rate R]";
inline constexpr const char* kRenderSynopsis =
    "qm render KIND [FILE.QM1] --page I (--out PAGE.png | --ops) [--dpi N] [--set KEY=VALUE]... [--tax T] [--rate R]";
inline constexpr const char* kPdfSynopsis =
    "qm pdf KIND [FILE.QM1] OUT.pdf [--set KEY=VALUE]... [--tax T] [--fonts embed|system] [--no-archive] [--rate R]";

// Ends the GUI application a command started, while Qt's per-thread font cache still
// exists (it is gone by the time static objects are destroyed).
void ReleaseGuiApplication();

void PagesCommand(const Invocation& in);
void RenderCommand(const Invocation& in);
void PdfCommand(const Invocation& in);
// `qm print`: the job of the print dialog's 印刷, sent to a printer of the spooler.
inline constexpr const char* kPrintSynopsis =
    "qm print KIND [FILE.QM1] [--printer NAME] [--set KEY=VALUE]... [--tax T] [--no-archive] [--rate R]";
void PrintCommand(const Invocation& in);
// `qm einvoice`: the JP PINT e-invoice of an invoice, invoice detail or total invoice.
inline constexpr const char* kEInvoiceSynopsis =
    "qm einvoice KIND FILE.QM1 OUT.xml [--set KEY=VALUE]... [--buyer-endpoint SCHEME:ID] "
    "[--period YYYY-MM-DD:YYYY-MM-DD] [--rate R]";
void EInvoiceCommand(const Invocation& in);

}  // namespace qm::cli
