// The estimate preview of the 1,000-line sample with its 20 photos (pictures on): opening
// it and paging to the last page, per page drawn, at 100 % and at 200 %.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "qt_bench_main.h"
#include "sample_document.h"
#include "ui/print/preview_dialog.h"

namespace {

using namespace qm;

void BM_PreviewPageToTheEnd(benchmark::State& state) {
  qmbench::SamplePrint sample(300);  // as the print dialog hands it to the preview
  const ChartPageSources& src = sample.src;

  ui::TFormPreviewMitsu preview;
  preview.resize(700, 900);
  preview.show();
  QApplication::processEvents();
  int pages = 0;
  for (auto _ : state) {
    preview.Prepare(PrintJob::Chart(src, TChartType::tcMitumori, PageNumbering::ItemPagesOnly));
    preview.SetZoomIndex(static_cast<int>(state.range(0)));
    ++pages;
    while (preview.NowPage < preview.MaxPage) {
      preview.NextPageClick();
      ++pages;
    }
  }
  state.SetItemsProcessed(pages);
  state.counters["pages"] = preview.MaxPage;
  // Seconds of CPU per page drawn.
  state.counters["s/page"] =
      benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PreviewPageToTheEnd)->Arg(0)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) { return qmbench::RunWithQt<QApplication>(argc, argv); }
