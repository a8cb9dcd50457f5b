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
  job.sources_ = src;
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

PrintJob PrintJob::Sheet(TChartType kind, const SlipSources& src, bool b5, JobSources sources, Builder build) {
  PrintJob job;
  job.kind_ = kind;
  job.b5_ = b5;
  job.dpiX_ = src.printerDpiX;
  job.dpiY_ = src.printerDpiY;
  job.itemPages_ = 1;
  job.pages_ = PrintJobPages(1, 0, false);
  job.sources_ = std::move(sources);
  job.build_ = std::move(build);
  return job;
}

namespace {
SlipSources AtDpi(SlipSources src, int dpiX, int dpiY) {
  src.printerDpiX = dpiX;
  src.printerDpiY = dpiY;
  return src;
}
}  // namespace

PrintJob PrintJob::Receipt(const SlipSources& src, const TPrintReceiptOptions& o) {
  return Sheet(TChartType::tcRyosyu, src, o.B5(), ReceiptSources{src, o}, [src, o](const JobPage&, int x, int y) {
    return MakeMetaFileReceiptPrinter(AtDpi(src, x, y), o, !o.B5());
  });
}

PrintJob PrintJob::TotalClaim(const SlipSources& src, const TPrintTotalClaimOptions& o) {
  return Sheet(TChartType::tcGoukeiSeikyu, src, o.B5(), TotalClaimSources{src, o},
               [src, o](const JobPage&, int x, int y) { return MakeMetaFileTotalClaimPrinter(AtDpi(src, x, y), o, !o.B5()); });
}

PrintJob PrintJob::FaxSender(const SlipSources& src, const TPrintFaxOptions& o) {
  return Sheet(TChartType::tcFaxSender, src, o.B5(), FaxSources{src, o},
               [src, o](const JobPage&, int x, int y) { return MakeMetaFileFaxSenderPrinter(AtDpi(src, x, y), o, !o.B5()); });
}

PrintJob PrintJob::ItemList(const ListSources& src, const TPrintListOptions& o) {
  return List(TChartType::tcItemList, src, o, ItemListPages(src.items->Count()), &MakeMetaFileItemListPrinter);
}

PrintJob PrintJob::CustomerList(const ListSources& src, const TPrintListOptions& o) {
  return List(TChartType::tcCustomerList, src, o, CustomerListPages(src.customers->Count()),
              &MakeMetaFileCustomerListPrinter);
}

PrintJob PrintJob::List(TChartType kind, const ListSources& src, const TPrintListOptions& o, int pages,
                        PageImage (*make)(const ListSources&, int, int)) {
  PrintJob job;
  job.kind_ = kind;
  job.b5_ = o.B5();
  job.dpiX_ = src.printerDpiX;
  job.dpiY_ = src.printerDpiY;
  job.itemPages_ = pages;
  job.pages_ = PrintJobPages(pages, 0, false);
  job.sources_ = ListJobSources{src, o};
  job.build_ = [src, make](const JobPage& p, int x, int y) {
    ListSources at = src;
    at.printerDpiX = x;
    at.printerDpiY = y;
    return make(at, p.nowPage, p.maxPage);
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
