#pragma once
// Page geometry of the printed documents: millimetres to dots, page counts, the lines
// of each page, picture fitting and the page sequence of a print job.
#include <QSize>
#include <string>
#include <utility>
#include <vector>

#include "model/estimate_list.h"
#include "print/document_kinds.h"

namespace qm {

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

// Number of item pages of an estimate-family document: the lines up to the last filled
// one (empty lines before it count) laid out by the kind's rows per page kind.
int GetNecPage(const TMxEstimateObjectList& doc, TChartType kind, bool landscape);
// The same for `lines` lines.
int ItemPagesFor(int lines, TChartType kind, bool landscape);
// Indexes [first, end) of the document lines on item page `nowPage` of page kind
// `pageType`, stopping at `lineCount`.
std::pair<int, int> PageLines(TChartType kind, int pageType, bool landscape, int nowPage, int lineCount);
// Pages of the item list (47 items a page) and the customer list (15 a page).
int ItemListPages(int items);
int CustomerListPages(int customers);
// Number of picture pages: two pictures a page.
int GetPicPage(const TMxEstimateObjectList& doc);

// Fits a w × h picture into a maxX × maxY box keeping its proportions (logos and seals).
QSize ChangePicSize(int w, int h, int maxX, int maxY);
// Fits a line's w × h picture into a boxW × boxH box of a picture page keeping its
// proportions; small pictures are enlarged to fill the box in one direction.
QSize FitPicture(int w, int h, int boxW, int boxH);

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
