#include "print/print_geometry.h"

#include <algorithm>
#include <cmath>

namespace qm {
namespace {

constexpr double kMmPerInch = 25.4;

int CeilDiv(int a, int b) { return (a + b - 1) / b; }

}  // namespace

int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

int MM2Dot(int dpi, double mm) { return RoundEven(dpi / kMmPerInch * mm); }

int FontHeightDots(int fontSize, int dpi) { return RoundEven(static_cast<double>(fontSize) * dpi / 72.0); }

PageGeometry A4Page(int printerDpiX, int printerDpiY, bool landscape) {
  PageGeometry g;
  g.dpiX = landscape ? printerDpiY : printerDpiX;
  g.dpiY = landscape ? printerDpiX : printerDpiY;
  g.dotsPerMmX = g.dpiX / kMmPerInch;
  g.dotsPerMmY = g.dpiY / kMmPerInch;
  const double widthMm = landscape ? 297 : 210;
  const double heightMm = landscape ? 210 : 297;
  g.widthDots = RoundEven(widthMm * g.dotsPerMmX);
  g.heightDots = RoundEven(heightMm * g.dotsPerMmY);
  return g;
}

int GetNecPage(const TMxEstimateObjectList& doc, TChartType kind, bool landscape) {
  int n = 0;  // up to the last line that holds anything; empty lines before it count
  for (int i = doc.Count() - 1; i >= 0; --i)
    if (!doc.Items(i).Uninput()) {
      n = i + 1;
      break;
    }
  return ItemPagesFor(n, kind, landscape);
}

int ItemPagesFor(int lines, TChartType kind, bool landscape) {
  const RowsPerPage& r = RowsOf(kind, landscape);
  if (lines <= r.only) return 1;
  const int two = r.first + r.last;
  if (lines <= two) return 2;
  return 2 + CeilDiv(lines - two, r.middle);
}

std::pair<int, int> PageLines(TChartType kind, int pageType, bool landscape, int nowPage, int lineCount) {
  const RowsPerPage& r = RowsOf(kind, landscape);
  int first = 0, shown = 0;
  switch (pageType) {
    case kOnlyPage: shown = r.only; break;
    case kFirstPage: shown = r.first; break;
    default:
      // The first page, then full middle pages before this one.
      first = std::max(0, r.first + r.middle * (nowPage - 2));
      shown = pageType == kLastPage ? r.last : r.middle;
      break;
  }
  first = std::min(first, lineCount);
  return {first, std::min(lineCount, first + shown)};
}

int ItemListPages(int items) { return items <= 0 ? 1 : CeilDiv(items, 47); }
int CustomerListPages(int customers) { return customers <= 0 ? 1 : CeilDiv(customers, 15); }

int GetPicPage(const TMxEstimateObjectList& doc) {
  int pictures = 0;
  for (int i = 0; i < doc.Count(); ++i)
    if (doc.Items(i).Pic().Width() > 0) ++pictures;
  return CeilDiv(pictures, 2);
}

QSize ChangePicSize(int w, int h, int maxX, int maxY) {
  int width = 0, height = 0;
  if (w == h) {
    width = height = maxX;
  } else if (h < w) {
    double r = static_cast<double>(w) / maxX;
    if (r == 0) r = 1;
    width = maxX;
    height = RoundEven(h / r);
  } else {
    double r = static_cast<double>(h) / maxY;
    if (r == 0) r = 1;
    width = RoundEven(w / r);
    height = maxY;
  }
  // Shrink in steps of 0.9 until the box holds it (a square in a wide box, say).
  while (width > maxX) {
    width = RoundEven(width * 0.9);
    height = RoundEven(height * 0.9);
  }
  while (height > maxY) {
    width = RoundEven(width * 0.9);
    height = RoundEven(height * 0.9);
  }
  return QSize(width, height);
}

QSize FitPicture(int w, int h, int boxW, int boxH) {
  if (w <= 0 || h <= 0) return {0, 0};
  double width, height;
  if (h > w) {
    height = boxH;
    width = RoundEven(static_cast<double>(w) / h * boxH);
  } else {
    width = boxW;
    height = RoundEven(static_cast<double>(h) / w * boxW);
  }
  if (width > boxW) {
    height = RoundEven(height / width * boxW);
    width = boxW;
  }
  if (height > boxH) {
    width = RoundEven(width / height * boxH);
    height = boxH;
  }
  return {static_cast<int>(width), static_cast<int>(height)};
}

std::vector<JobPage> PrintJobPages(int itemPages, int picturePages, bool copy) {
  const int perSet = itemPages + picturePages;
  const int total = copy ? 2 * perSet : perSet;
  std::vector<JobPage> pages;
  pages.reserve(static_cast<std::size_t>(total));
  for (int i = 1; i <= total; ++i) {
    JobPage p;
    p.hikae = i > perSet;
    p.nowPage = p.hikae ? i - perSet : i;
    p.maxPage = perSet;
    p.picture = p.nowPage > itemPages;
    if (itemPages == 1) p.pageKind = kOnlyPage;
    else if (p.picture) p.pageKind = kMiddlePage;
    else if (p.nowPage == 1) p.pageKind = kFirstPage;
    else if (p.nowPage == itemPages) p.pageKind = kLastPage;
    else p.pageKind = kMiddlePage;
    pages.push_back(p);
  }
  return pages;
}

}  // namespace qm
