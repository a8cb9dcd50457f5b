#pragma once
// The estimate-family documents as PDF: every item page filled into its template, then
// the picture pages, written through the report layer. The same job that prints on
// paper gives the pages; the copy set is for paper only.
#include <QImage>

#include <functional>
#include <string>

#include "base/clock.h"
#include "pdf/pdf_templates.h"
#include "print/print_job.h"

namespace qm::pdf {

// How a file is written: its form, and what it may be pinned to (tests): the
// modification date's clock, and the first number tried for the names of unshared
// images.
struct PdfWriteSettings {
  const Clock* clock = nullptr;       // the system clock when null
  std::function<int()> randomStart;  // random when empty
  PdfFonts fonts = PdfFonts::System;
};

// The form the operating settings ask for (PDF_EMBED_FONTS).
PdfFonts PdfFontsOf(const TMxConfigInfo& config);

// Writes the document of an estimate-family job to `fileName`, replacing the file
// atomically, through the templates of `base` (kept for the run: its pages are built
// once). Throws qm::Error (the writer's errors too) and leaves no file behind.
// Each answers the file's bytes; an empty file name writes no file.
std::string PrintPDFChart(TFormPDFBase& base, const PrintJob& job, const std::string& fileName,
                          std::function<int()> randomStart = {});
std::string PrintPDFChart(TFormPDFBase& base, const PrintJob& job, const std::string& fileName,
                          const PdfWriteSettings& settings);
// The same through templates made for this one file.
std::string PrintPDFChart(const PrintJob& job, const std::string& fileName, const PdfWriteSettings& settings = {});

// The filled template page of one item page: page kind 1 only, 2 first, 3 middle, 4
// last; nowPage and maxPage feed the page number; orientType 1 is landscape.
TPRPage& MakePDFFileChart(TFormPDFBase& base, const ChartPageSources& src, TChartType kind, int pageType,
                          int nowPage, int maxPage, int orientType);
// The filled picture page `nowPage` after `documentPage` item pages.
TPRPage& MakePDFPicChart(TFormPDFBase& base, const ChartPageSources& src, int orientType, int documentPage,
                         int nowPage);

// The grand-total wording of an estimate-family page, as the print dialog's choices
// make it; empty when the kind has none or its line is not printed.
std::string GrandTotalText(const ChartPageSources& src, TChartType kind);

}  // namespace qm::pdf
