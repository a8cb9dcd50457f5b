#pragma once
// What the page builders of the receipt and the total invoice share: the sources they
// draw from, the title and greeting of their kind, and the sheet of two copies, the
// second one lower and titled "(控)".
#include <string>

#include "print/document_kinds.h"
#include "print/page_canvas.h"
#include "print/print_geometry.h"
#include "print/slip_pages.h"

namespace qm {

template <class Options>
class SheetBuilder {
 protected:
  SheetBuilder(Canvas& c, const SlipSources& src, const Options& o, bool a4, TChartType kind)
      : c_(c), src_(src), doc_(*src.doc), config_(*src.config), company_(SelectedCompany(src)), o_(o), a4_(a4) {
    SetPageTitleAndMessage(kind, config_, title_, message_);
  }

  Canvas& c_;
  const SlipSources& src_;
  const TMxEstimateObjectList& doc_;
  const TMxConfigInfo& config_;
  const TMxCampanyInfo& company_;
  const Options& o_;
  bool a4_;
  std::string title_, message_;
};

// A portrait A4 sheet: `Builder(canvas, src, o, a4).Build(top, copy)` draws one copy from
// `top` millimetres; the copy is drawn `copyOffset` millimetres lower.
template <class Builder, class Options>
PageImage TwoCopySheet(const SlipSources& src, const Options& o, bool a4, double copyOffset) {
  const PageGeometry g = A4Page(src.printerDpiX, src.printerDpiY, false);
  PageImage page = BlankPage(g);
  Canvas canvas(page, g);
  Builder builder(canvas, src, o, a4);
  builder.Build(0, false);
  builder.Build(copyOffset, true);
  return page;
}

}  // namespace qm
