#include "print/printer_output.h"

#include <QPageSize>
#include <QPainter>

#include <cmath>

#include "base/error.h"
#include "print/page_renderer.h"

namespace qm {

void PrintJobOn(QPrinter& printer, const PrintJob& job) {
  const bool landscape = job.Landscape();
  printer.setDocName(QStringLiteral("Velora Quillmark"));
  printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  printer.setPageSize(QPageSize(job.B5() ? QPageSize::JisB5 : QPageSize::A4));
  QPainter painter;
  if (!painter.begin(&printer)) throw Error("印刷を開始できません。プリンタの設定を確かめてください。");

  // The page images take the printer's own resolution; in landscape the page builder
  // exchanges the two, so hand them over as the portrait sheet has them.
  const int dpiX = landscape ? printer.logicalDpiY() : printer.logicalDpiX();
  const int dpiY = landscape ? printer.logicalDpiX() : printer.logicalDpiY();
  const double scale = job.Scale();
  // The unprintable margin: pages are laid out from the paper's edge.
  const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
  const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
  const double offX = printable.left() - paper.left();
  const double offY = printable.top() - paper.top();
  for (int i = 0; i < job.PageCount(); ++i) {
    if (i > 0) printer.newPage();
    const PageImage page = job.MakePage(i, dpiX, dpiY);
    RenderPage(page, painter,
               QRectF(-offX, -offY, std::nearbyint(page.Width() * scale), std::nearbyint(page.Height() * scale)));
  }
  if (!painter.end()) throw Error("印刷を完了できません。");
}

}  // namespace qm
