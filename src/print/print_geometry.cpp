#include "print/print_geometry.h"

#include <cmath>

namespace qm {
namespace {

constexpr double kMmPerInch = 25.4;

// Items per page of the estimate family, by kind and orientation: one page holds up to
// `one`, two pages up to `two`, and every further page `more`.
struct Capacity {
  int one, two, more;
};

Capacity CapacityOf(TChartType kind, bool landscape) {
  if (kind == TChartType::tcTankaMitumori) return landscape ? Capacity{13, 44, 31} : Capacity{23, 64, 41};
  return landscape ? Capacity{10, 40, 30} : Capacity{20, 60, 40};
}

int CeilDiv(int a, int b) { return (a + b - 1) / b; }

}  // namespace

bool IsEstimateFamily(TChartType kind) {
  switch (kind) {
    case TChartType::tcMitumori:
    case TChartType::tcTankaMitumori:
    case TChartType::tcNouhin:
    case TChartType::tcSeikyu:
    case TChartType::tcJyuryou:
    case TChartType::tcSeikyuMeisai:
    case TChartType::tcKoujiUtiwake:
      return true;
    default:
      return false;
  }
}

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

void SetPageTitleAndMessage(TChartType kind, const TMxConfigInfo& c, std::string& title, std::string& msg) {
  switch (kind) {
    case TChartType::tcMitumori: title = c.PrintMsgEstimateTitle(); msg = c.PrintMsgEstimateMessage(); return;
    case TChartType::tcTankaMitumori:
      title = c.PrintMsgUnitPriceEstimateTitle();
      msg = c.PrintMsgUnitPriceEstimateMessage();
      return;
    case TChartType::tcNouhin: title = c.PrintMsgDeliverTitle(); msg = c.PrintMsgDeliverMessage(); return;
    case TChartType::tcSeikyu: title = c.PrintMsgClaimTitle(); msg = c.PrintMsgClaimMessage(); return;
    case TChartType::tcJyuryou: title = c.PrintMsgReceiveTitle(); msg = c.PrintMsgReceiveMessage(); return;
    case TChartType::tcRyosyu: title = c.PrintMsgReceiptTitle(); msg = c.PrintMsgReceiptMessage(); return;
    case TChartType::tcSeikyuMeisai:
      title = c.PrintMsgClaimDetailsTitle();
      msg = c.PrintMsgClaimDetailsMessage();
      return;
    case TChartType::tcGoukeiSeikyu:
      title = c.PrintMsgTotalClaimTitle();
      msg = c.PrintMsgTotalClaimMessage();
      return;
    case TChartType::tcFaxSender: title = c.PrintMsgFaxSenderTitle(); msg.clear(); return;
    case TChartType::tcKoujiUtiwake:
      title = c.PrintMsgKoujiUtiwakeTitle();
      msg = c.PrintMsgKoujiUtiwakeMessage();
      return;
    case TChartType::tcItemList:
    case TChartType::tcCustomerList:
      return;
  }
}

int GetNecPage(const TMxEstimateObjectList& doc, TChartType kind, bool landscape) {
  int n = 0;  // up to the last line that holds anything; empty lines before it count
  for (int i = doc.Count() - 1; i >= 0; --i)
    if (!doc.Items(i).Uninput()) {
      n = i + 1;
      break;
    }
  const Capacity c = CapacityOf(kind, landscape);
  if (n <= c.one) return 1;
  if (n <= c.two) return 2;
  return 2 + CeilDiv(n - c.two, c.more);
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
