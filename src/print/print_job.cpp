#include "print/print_job.h"

#include "base/error.h"

namespace qm {

PrintJob PrintJob::Chart(const ChartPageSources& src, TChartType kind, PageNumbering numbering) {
  if (!IsEstimateFamily(kind)) throw Error(std::string(KindOf(kind).name) + "は見積書の形式で印刷できません。");
  const TPrintMitsuOptions& o = src.settings.options;
  PrintJob job;
  job.kind_ = kind;
  job.landscape_ = o.PrintDirection;
  job.b5_ = o.B5();
  job.copy_ = o.PrintCopy;
  job.dpiX_ = src.printerDpiX;
  job.dpiY_ = src.printerDpiY;
  job.itemPages_ = GetNecPage(*src.doc, kind, job.landscape_);
  job.picturePages_ = o.PrintPic ? GetPicPage(*src.doc) : 0;
  job.pages_ = PrintJobPages(job.itemPages_, job.picturePages_, o.PrintCopy);
  if (numbering == PageNumbering::ItemPagesOnly)
    for (JobPage& p : job.pages_) p.maxPage = job.itemPages_;
  job.chart_ = src;
  const int itemPages = job.itemPages_;
  job.build_ = [src, kind, itemPages](const JobPage& p, int dpiX, int dpiY) {
    ChartPageSources at = src;
    at.printerDpiX = dpiX;
    at.printerDpiY = dpiY;
    const TPrintMitsuOptions& opt = at.settings.options;
    const int orient = opt.PrintDirection ? 1 : 0;
    if (p.picture)
      return MakeMetaFilePicPrinter(at, kind, p.pageKind, orient, p.maxPage, p.nowPage, itemPages, p.hikae, !opt.B5());
    return MakeMetaFileChartPrinter(at, kind, p.pageKind, orient, p.maxPage, p.nowPage, p.hikae, !opt.B5());
  };
  return job;
}

PageImage PrintJob::MakePage(int index) const { return MakePage(index, dpiX_, dpiY_); }

PageImage PrintJob::MakePage(int index, int dpiX, int dpiY) const {
  if (index < 0 || index >= PageCount())
    throw Error("ページ " + std::to_string(index + 1) + " はありません（全 " + std::to_string(PageCount()) + " ページ）。");
  return build_(pages_[static_cast<std::size_t>(index)], dpiX, dpiY);
}

}  // namespace qm
