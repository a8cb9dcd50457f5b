#pragma once
// One print job: the pages of a document as the print dialog's choices make them. The
// print dialog, the preview, the printer, PDF output and the command line all work
// from a job, so they agree on how many pages there are and what each shows.
#include <functional>
#include <optional>
#include <variant>
#include <vector>

#include "print/chart_page.h"
#include "print/list_pages.h"
#include "print/page_canvas.h"
#include "print/print_geometry.h"
#include "print/slip_pages.h"

namespace qm {

// What "( n / max )" on an item page counts: the pages of one set, pictures included
// (paper and PDF), or only the item pages (the preview).
enum class PageNumbering { PerSet, ItemPagesOnly };

// What the single sheets print from: the sheet's sources and its dialog's choices.
struct ReceiptSources {
  SlipSources src;
  TPrintReceiptOptions options;
};
struct TotalClaimSources {
  SlipSources src;
  TPrintTotalClaimOptions options;
};
struct FaxSources {
  SlipSources src;
  TPrintFaxOptions options;
};
struct ListJobSources {
  ListSources src;
  TPrintListOptions options;
};
using JobSources =
    std::variant<std::monostate, ChartPageSources, ReceiptSources, TotalClaimSources, FaxSources, ListJobSources>;

class PrintJob {
 public:
  // An estimate-family document: its item pages, then its picture pages when pictures
  // are printed, and all of them again as the copy set when the copy is printed. The
  // pointers in `src` must outlive the job.
  static PrintJob Chart(const ChartPageSources& src, TChartType kind,
                        PageNumbering numbering = PageNumbering::PerSet);

  // The receipt, the total invoice and the FAX cover sheet: one portrait page each.
  static PrintJob Receipt(const SlipSources& src, const TPrintReceiptOptions& options);
  static PrintJob TotalClaim(const SlipSources& src, const TPrintTotalClaimOptions& options);
  static PrintJob FaxSender(const SlipSources& src, const TPrintFaxOptions& options);
  // The master lists: one portrait page per 47 items or 15 customers, at least one.
  static PrintJob ItemList(const ListSources& src, const TPrintListOptions& options);
  static PrintJob CustomerList(const ListSources& src, const TPrintListOptions& options);

  TChartType Kind() const { return kind_; }
  int PageCount() const { return static_cast<int>(pages_.size()); }
  const std::vector<JobPage>& Pages() const { return pages_; }
  int ItemPages() const { return itemPages_; }
  int PicturePages() const { return picturePages_; }
  bool Landscape() const { return landscape_; }
  bool B5() const { return b5_; }
  // The pages are printed twice, the second set as the copy ("(控)").
  bool Copy() const { return copy_; }
  // The page images are A4; B5 paper takes them shrunk to this factor.
  double Scale() const { return b5_ ? kB5Scale : 1.0; }

  // What the job prints from.
  const JobSources& Sources() const { return sources_; }
  // The same for an estimate-family job; null for other jobs.
  const ChartPageSources* ChartSources() const { return std::get_if<ChartPageSources>(&sources_); }

  // Page `index` (from 0) at the job's resolution, or at another one (a printer's).
  PageImage MakePage(int index) const;
  PageImage MakePage(int index, int dpiX, int dpiY) const;

 private:
  using Builder = std::function<PageImage(const JobPage&, int dpiX, int dpiY)>;
  PrintJob() = default;
  // A job of one portrait page.
  static PrintJob Sheet(TChartType kind, const SlipSources& src, bool b5, JobSources sources, Builder build);
  static PrintJob List(TChartType kind, const ListSources& src, const TPrintListOptions& o, int pages,
                       PageImage (*make)(const ListSources&, int, int));

  TChartType kind_ = TChartType::tcMitumori;
  std::vector<JobPage> pages_;
  int itemPages_ = 0;
  int picturePages_ = 0;
  bool landscape_ = false;
  bool b5_ = false;
  bool copy_ = false;
  int dpiX_ = 600;
  int dpiY_ = 600;
  Builder build_;
  JobSources sources_;
};

}  // namespace qm
