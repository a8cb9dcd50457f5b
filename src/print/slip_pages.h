#pragma once
// The single sheets: the receipt with its copy, the total invoice with its copy, and the
// FAX cover sheet, each one portrait A4 page image built from the document, the
// settings, the chosen company profile and the choices of its dialog.
#include <string>

#include "model/company_info.h"
#include "model/config_info.h"
#include "model/estimate_list.h"
#include "print/page_image.h"
#include "print/slip_options.h"

namespace qm {

// What a sheet's page builder reads, its lists already resolved to indexes. The
// pointers must outlive the builder call.
struct SlipSources {
  const TMxEstimateObjectList* doc = nullptr;
  const TMxConfigInfo* config = nullptr;
  const TMxCampanyInfoManager* companies = nullptr;
  int companyIndex = 0;        // 会社情報 list
  int bankIndex = 0;           // 振込先 list (total invoice)
  int personalStampSlot = -1;  // 担当者印 list (receipt); -1 draws none
  int printerDpiX = 600;
  int printerDpiY = 600;
};

// The company profile and the bank account the sources choose.
const TMxCampanyInfo& SelectedCompany(const SlipSources& src);
const TMxPayBankAccount& SelectedBank(const SlipSources& src);

// The total invoice's amount now invoiced: the currency mark and the balance carried
// over (its text as the dialog shows it) plus the document's total, "#,##0.##".
std::string AmountNowInvoiced(const SlipSources& src, const TPrintTotalClaimOptions& o);

// The sources with the sheet dialog's lists resolved as the dialog restores them: the
// entry with the stored text or the first one.
SlipSources ResolveSlipSources(const TMxEstimateObjectList& doc, const TMxConfigInfo& config,
                               const TMxCampanyInfoManager& companies, const std::string& customerInfo,
                               const std::string& payBank, const std::string& personalStamp);

// The receipt dialog's breakdown when it opens: "消費税" with the document's tax, then
// three empty rows.
void DefaultBreakdown(TPrintReceiptOptions& o, const TMxEstimateObjectList& doc, const TMxConfigInfo& config);

// The receipt: two receipts a sheet, the copy 110 mm lower titled "(控)", cut lines.
PageImage MakeMetaFileReceiptPrinter(const SlipSources& src, const TPrintReceiptOptions& o, bool a4);
// The total invoice: the statement and its copy 115 mm lower, cut lines.
PageImage MakeMetaFileTotalClaimPrinter(const SlipSources& src, const TPrintTotalClaimOptions& o, bool a4);
// The FAX cover sheet.
PageImage MakeMetaFileFaxSenderPrinter(const SlipSources& src, const TPrintFaxOptions& o, bool a4);

// The receipt's addressee at 24 points or less, so that it fits `widthDots`: one point
// smaller at a time, never below 6 points; a name too long even then is cut at a
// character. Answers the size and the text to print.
std::pair<int, std::string> FitReceiptName(const std::string& name, int widthDots, int dpi);

}  // namespace qm
