#pragma once
// The receipt, the total invoice and the FAX cover sheet as PDF: each template page reset,
// filled from its job and written, one page a file; and the PDF of any print job.
#include <functional>
#include <string>

#include "pdf/chart_pdf.h"
#include "pdf/pdf_templates.h"
#include "print/print_job.h"

namespace qm::pdf {

// Reset routines: every caption, text, amount and picture a fill writes is cleared, and
// the items that follow a dialog box follow it.
TemplatePage& InitTotalClaimPDFTemplate(TFormPDFBase& base, const TMxConfigInfo& config);
TemplatePage& InitReceiptPDFTemplate(TFormPDFBase& base, const TMxConfigInfo& config, const TPrintReceiptOptions& o);
TemplatePage& InitFaxSenderPDFTemplate(TFormPDFBase& base, const TMxConfigInfo& config);

// Fill routines: the filled page.
TPRPage& MakePDFFileTotalClaim(TFormPDFBase& base, const SlipSources& src, const TPrintTotalClaimOptions& o);
TPRPage& MakePDFFileReceipt(TFormPDFBase& base, const SlipSources& src, const TPrintReceiptOptions& o);
TPRPage& MakePDFFileFaxSender(TFormPDFBase& base, const SlipSources& src, const TPrintFaxOptions& o);

// The receipt's addressee label at its size or smaller, one point at a time, until the
// name is at most 508 points wide; never below 6 points, a longer name is cut.
void FitReceiptNameLabel(TPRPage& page, TPRLabel& label);

// Writes any print job as PDF (the estimate family, the receipt, the total invoice, the
// FAX cover sheet), replacing the file atomically. Throws qm::Error and leaves nothing
// behind when the file cannot be written.
// Each answers the file's bytes; an empty file name writes no file (the PDF of a job that
// is printed, for the archive). The settings' clock is not used: `base` dates its files.
std::string WritePdf(TFormPDFBase& base, const PrintJob& job, const std::string& fileName,
                     std::function<int()> randomStart = {});
std::string WritePdf(TFormPDFBase& base, const PrintJob& job, const std::string& fileName,
                     const PdfWriteSettings& settings);

}  // namespace qm::pdf
