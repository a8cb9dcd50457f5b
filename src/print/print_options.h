#pragma once
// The settings of the estimate-family print dialog, one field per key of its print.ini
// section, and the tax choice the dialog derives from the document.
#include <optional>
#include <string>

#include "base/ini_file.h"
#include "model/estimate_list.h"
#include "print/document_kinds.h"

namespace qm {

struct TPrintMitsuOptions {
  // Combo boxes, stored as the visible text of the chosen entry.
  std::string Printer;        // PRINTER
  std::string CheckStamp;     // CHECK_STAMP
  std::string PersonalStamp;  // PERSONAL_STAMP
  std::string CustomerInfo;   // CUSTOMER_INFO
  std::string PayBank;        // PAY_BANK
  std::string PaperSize;      // PAPER_SIZE: "A4" or "B5"; empty means the first entry, A4
  std::string CheckStampMsg = "検　印";  // CHECK_STAMP_MSG
  bool PrintName = false;              // PRINT_NAME
  bool PrintStampArea = true;          // PRINT_STAMP_AREA
  bool PrintDirection = false;         // PRINT_DIRECTION: landscape
  bool PrintNote = true;               // PRINT_NOTE
  bool PrintBank = false;              // PRINT_BANK
  bool ChangeSR = false;               // CHANGE_SR
  bool PrintCopy = false;              // PRINT_COPY
  bool PrintGrandTotalFrame = true;    // PRINT_GRAND_TOTAL_FRAME
  bool PrintGrandTotal = true;         // PRINT_GRAND_TOTAL
  bool PrintSubtotalTotal = true;      // PRINT_SUBTOTAL_TOTAL
  bool PrintFreeEdit = true;           // PRINT_FREEEDIT
  bool PrintCost = true;               // PRINT_COST
  bool PrintPic = false;               // PRINT_PIC
  bool PrintBunrui = true;             // PRINT_BUNRUI
  // PRINT_REGIST_NO: 登録番号を印刷する on the kinds that take it; unset until the
  // dialog has stored it, and then on when the chosen profile has a number.
  std::optional<bool> PrintRegistNo;

  bool B5() const { return PaperSize == "B5"; }
};

// The estimate-family kind's own section (MITSU, TANKA, …); "none" for any other kind.
const char* PrintSection(TChartType kind);

// Every key of the kind's section with its default.
TPrintMitsuOptions LoadPrintConfig(const IniFile& ini, TChartType kind);
// Writes every key of the kind's section; the rest of the file stays as it was.
void SavePrintConfig(IniFile& ini, TChartType kind, const TPrintMitsuOptions& options);

// Sets the option stored under `key` from its print.ini text (booleans 1 or 0). Throws
// qm::Error for a key the section does not have or a boolean that is not a number.
void SetPrintOption(TPrintMitsuOptions& options, const std::string& key, const std::string& value);

// The same on the file (print.ini in the data folder), replaced atomically.
TPrintMitsuOptions LoadPrintConfig(const std::string& fileName, TChartType kind);
void SavePrintConfig(const std::string& fileName, TChartType kind, const TPrintMitsuOptions& options);

// [SETTING] YOKO: the landscape box at its last change.
bool LoadYoko(const std::string& fileName);
void SaveYoko(const std::string& fileName, bool landscape);

// 課税対象なし, 税別, 税込み.
enum class TTaxChoice { NoTax = 0, Exclusive = 1, Included = 2 };

// Tax-included input gives Included; otherwise Exclusive as soon as one taxed line has
// an amount, else NoTax. Subtotal lines repeat the amounts above them and do not count.
TTaxChoice DeriveTaxChoice(const TMxEstimateObjectList& doc);

}  // namespace qm
