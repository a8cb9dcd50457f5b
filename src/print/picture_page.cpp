// Picture pages: after the item pages, two pictured lines a page, each picture fitted
// into its box (small pictures are enlarged) under the line's remark.
#include "print/chart_page.h"
#include <algorithm>

#include "print/page_canvas.h"
#include "print/text_primitives.h"

namespace qm {
namespace {

constexpr double kPicLeft = 10, kPicTop = 10;
constexpr double kSecondTopPortrait = 155;  // the second picture, below the first
constexpr double kSecondLeftLandscape = 155;  // the second picture, beside the first
constexpr int kCaptionSize = 10;

}  // namespace

PageImage MakeMetaFilePicPrinter(const ChartPageSources& src, TChartType /*kind*/, int /*pageType*/,
                                 int orientType, int /*maxPage*/, int nowPage, int documentPage,
                                 bool /*hikae*/, bool /*a4*/) {
  const bool landscape = orientType == 1;
  const PageGeometry g = A4Page(src.printerDpiX, src.printerDpiY, landscape);
  PageImage page(g.widthDots, g.heightDots, g.dpiX);
  page.SetBrushClear();
  page.SetPen(0, 2);
  page.SetFont(0, false, false, 0);
  Canvas canvas(page, g);

  // The pictured lines of this page: skip those of the pages before it.
  const int skip = 2 * (nowPage - documentPage - 1);
  std::vector<const TMxEstimateObject*> lines;
  int seen = 0;
  for (int i = 0; i < src.doc->Count() && lines.size() < 2; ++i) {
    const TMxEstimateObject& line = src.doc->Items(i);
    if (line.Pic().Width() <= 0) continue;
    if (seen++ >= skip) lines.push_back(&line);
  }

  const int boxW = landscape ? g.X(125) : g.X(190);
  const int boxH = landscape ? g.Y(190) : g.Y(125);
  const int captionHeight = GetCharHeight("あ", kCaptionSize, g.dpiX);
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const TMxEstimateObject& line = *lines[k];
    int x = g.X(kPicLeft), captionY = g.Y(kPicTop);
    if (k == 1) {
      if (landscape) x = g.X(kSecondLeftLandscape);
      else captionY = g.Y(kSecondTopPortrait) + captionHeight;
    }
    // The caption keeps to the width of the picture's box.
    canvas.TextIn(kCaptionSize, x, captionY, line.Note(), {x, std::min(x + boxW, canvas.PrintableRight())});
    const QSize size = FitPicture(line.Pic().Width(), line.Pic().Height(), boxW, boxH);
    page.Bitmap(QRect(x, captionY + captionHeight, size.width(), size.height()), line.Pic(), std::nullopt);
  }
  return page;
}

}  // namespace qm
