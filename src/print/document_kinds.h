#pragma once
// The document kinds: one table row per kind with everything the program knows about
// it, read by every place that would otherwise switch on a kind.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/config_info.h"

namespace qm {

// Document kinds, as every print button, dialog and page builder names them.
enum class TChartType : unsigned char {
  tcMitumori = 0,
  tcTankaMitumori = 1,
  tcNouhin = 2,
  tcSeikyu = 3,
  tcJyuryou = 4,
  tcRyosyu = 5,
  tcSeikyuMeisai = 6,
  tcGoukeiSeikyu = 7,
  tcFaxSender = 8,
  tcItemList = 9,
  tcCustomerList = 10,
  tcKoujiUtiwake = 11,
};

// Estimate family: estimate, unit-price estimate, delivery note, invoice, goods receipt,
// invoice detail and breakdown sheet share one layout and one print dialog. Slips are
// the single sheets (receipt, total invoice, FAX cover sheet); lists print the masters.
enum class KindFamily { Estimate, Slip, List };

// Item rows of the page kinds 1 (only), 2 (first), 3 (middle) and 4 (last).
struct RowsPerPage {
  int only = 0, first = 0, middle = 0, last = 0;
};

// A text of the operating settings.
using ConfigText = const std::string& (TMxConfigInfo::*)() const;

struct DocumentKind {
  TChartType kind;
  const char* cliName;   // "tcMitumori"
  const char* section;   // its print.ini section
  const char* caption;   // caption of its print dialog
  const char* name;      // the document as its button names it
  const char* icon;      // icon of its button
  KindFamily family;
  ConfigText title;      // nullptr: the kind has no title
  ConfigText message;    // nullptr: no greeting
  RowsPerPage portrait;  // estimate family only
  RowsPerPage landscape;
};

// Every kind, in the order of their numbers.
const std::vector<DocumentKind>& DocumentKinds();
const DocumentKind& KindOf(TChartType kind);
// A kind by its name ("tcMitumori") or number ("0").
std::optional<TChartType> FindKind(std::string_view nameOrNumber);

bool IsEstimateFamily(TChartType kind);
const RowsPerPage& RowsOf(TChartType kind, bool landscape);

// Title and greeting of a kind from the settings; the FAX cover sheet has no greeting
// and the list kinds leave both as they were.
void SetPageTitleAndMessage(TChartType kind, const TMxConfigInfo& config, std::string& title, std::string& msg);

}  // namespace qm
