#pragma once
// Page geometry of the printed documents: document kinds, millimetres to dots, page
// counts, picture fitting and the page sequence of a print job.
#include <QSize>
#include <string>
#include <vector>

#include "model/config_info.h"
#include "model/estimate_list.h"

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

// Estimate, unit-price estimate, delivery note, invoice, goods receipt, invoice detail
// and breakdown sheet share one layout and one print dialog.
bool IsEstimateFamily(TChartType kind);

// Page kinds of the estimate-family page builders.
enum PageKind { kOnlyPage = 1, kFirstPage = 2, kMiddlePage = 3, kLastPage = 4 };

// Nearest integer, halves to even.
int RoundEven(double v);

// round(dpi / 25.4 × mm).
int MM2Dot(int dpi, double mm);

// Character cell height in dots of a font size in points: round(size × dpi / 72).
int FontHeightDots(int fontSize, int dpi);

// An A4 page image at a printer's resolution. In landscape the two resolutions are
// exchanged, so millimetres stay true in both directions.
struct PageGeometry {
  int widthDots = 0;
  int heightDots = 0;
  double dotsPerMmX = 0;
  double dotsPerMmY = 0;
  int dpiX = 0;  // horizontal resolution of the page (also the text resolution)
  int dpiY = 0;
  int X(double mm) const { return RoundEven(mm * dotsPerMmX); }
  int Y(double mm) const { return RoundEven(mm * dotsPerMmY); }
};
PageGeometry A4Page(int printerDpiX, int printerDpiY, bool landscape);

// Title and greeting of a kind from the settings; the FAX cover sheet has no greeting
// and the list kinds leave both as they were.
void SetPageTitleAndMessage(TChartType kind, const TMxConfigInfo& config, std::string& title, std::string& msg);

// Number of item pages of an estimate-family document.
int GetNecPage(const TMxEstimateObjectList& doc, TChartType kind, bool landscape);
// Pages of the item list (47 items a page) and the customer list (15 a page).
int ItemListPages(int items);
int CustomerListPages(int customers);
// Number of picture pages: two pictures a page.
int GetPicPage(const TMxEstimateObjectList& doc);

// Fits a w × h picture into a maxX × maxY box keeping its proportions.
QSize ChangePicSize(int w, int h, int maxX, int maxY);

// One page of a print job.
struct JobPage {
  bool picture = false;  // a picture page
  int pageKind = kOnlyPage;
  int nowPage = 1;       // number within its set
  int maxPage = 1;       // pages per set
  bool hikae = false;    // the copy set: "(控)" after the title
};
// The pages of a job of `itemPages` item pages and `picturePages` picture pages, twice
// when the copy is printed.
std::vector<JobPage> PrintJobPages(int itemPages, int picturePages, bool copy);

}  // namespace qm
