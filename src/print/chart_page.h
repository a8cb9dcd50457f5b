#pragma once
// The pages of the estimate family (estimate, unit-price estimate, delivery note,
// invoice, goods receipt, invoice detail, breakdown sheet) and the picture pages that
// follow them, built as page images from the document, the settings and the choices of
// the print dialog.
#include <string>
#include <utility>
#include <vector>

#include "model/company_info.h"
#include "model/config_info.h"
#include "model/estimate_list.h"
#include "print/page_image.h"
#include "print/print_geometry.h"
#include "print/print_options.h"

namespace qm {

// What the print dialog has chosen, with its lists already resolved to indexes.
struct ChartPrintSettings {
  TPrintMitsuOptions options;
  TTaxChoice tax = TTaxChoice::NoTax;
  int companyIndex = 0;     // company profile of the 会社情報 list
  int bankIndex = 0;        // bank account of the 振込先 list
  int checkStampSlot = -1;  // seal slot drawn in the left stamp box; -1 draws none
  int personalStampSlot = -1;
};

// Everything a page builder reads. The pointers must outlive the builder call.
struct ChartPageSources {
  const TMxEstimateObjectList* doc = nullptr;
  const TMxConfigInfo* config = nullptr;
  const TMxCampanyInfoManager* companies = nullptr;
  ChartPrintSettings settings;
  int printerDpiX = 600;
  int printerDpiY = 600;
};

// An entry of a seal list and the seal slot it draws (-1 for "印刷なし").
struct SealEntry {
  std::string caption;
  int slot = -1;
};
inline constexpr const char* kNoSealCaption = "印刷なし";

// "印刷なし", then the name of every seal slot whose picture file exists. Each entry
// keeps its own slot, so a missing slot in the middle does not shift the seals after it.
std::vector<SealEntry> SealList(const TMxConfigInfo& config);
// The slot of the entry captioned `caption`; -1 when no entry has that caption.
int SealSlotOf(const std::vector<SealEntry>& list, const std::string& caption);
// The configured name of seal slot `slot` (0 … 5).
const std::string& SealName(const TMxConfigInfo& config, int slot);

// "会社情報1" … "会社情報3" and "振込先情報1", "振込先情報2".
std::vector<std::string> CompanyListEntries();
std::vector<std::string> BankListEntries();
// Index of the entry with exactly that text; the first entry when none matches.
int EntryIndex(const std::vector<std::string>& entries, const std::string& text);

// The dialog's choices from stored options, as the dialog restores them: each list
// selects the entry with the stored text or its first entry. The tax choice is derived
// from the document.
ChartPrintSettings ResolveChartSettings(const TPrintMitsuOptions& options, const TMxConfigInfo& config,
                                        const TMxEstimateObjectList& doc);

// One item page of an estimate-family document. pageType is the page kind (1 only,
// 2 first, 3 middle, 4 last); orientType 1 is landscape; nowPage and maxPage feed the
// page number; hikae appends "(控)" to the title; a4 selects the A4 position of the
// company seal (otherwise its B5 position).
PageImage MakeMetaFileChartPrinter(const ChartPageSources& src, TChartType kind, int pageType,
                                   int orientType, int maxPage, int nowPage, bool hikae, bool a4);

// One picture page: two pictured lines a page, each fitted into its box with its remark
// above it. documentPage is the number of item pages before the picture pages.
PageImage MakeMetaFilePicPrinter(const ChartPageSources& src, TChartType kind, int pageType,
                                 int orientType, int maxPage, int nowPage, int documentPage, bool hikae,
                                 bool a4);

}  // namespace qm
