// Printed pages: every page image of the 1,000-line sample estimate with its 20 photos
// (item pages and picture pages, as one print job builds them), and the rendering of one
// portrait page at 600 dpi, the work a printer page costs.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "qt_bench_main.h"
#include "print/chart_page.h"
#include "print/print_job.h"
#include "print/page_renderer.h"
#include "sample_document.h"

namespace {

using namespace qm;

using Sources = qmbench::SamplePrint;

Sources& Get() {
  static Sources s(600);
  return s;
}

void BM_BuildEveryPageOfThePrintJob(benchmark::State& state) {
  Sources& s = Get();
  const PrintJob job = PrintJob::Chart(s.src, TChartType::tcMitumori);
  std::size_t ops = 0;
  for (auto _ : state) {
    for (int i = 0; i < job.PageCount(); ++i) {
      PageImage page = job.MakePage(i);
      ops += page.Ops().size();
      benchmark::DoNotOptimize(page);
    }
  }
  state.counters["pages"] = static_cast<double>(job.PageCount());
  state.counters["ops/job"] = static_cast<double>(ops) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_BuildEveryPageOfThePrintJob)->Unit(benchmark::kMillisecond);

// Rendering the first page (head, 25 rows, page total) onto a 600 dpi A4 raster.
void BM_RenderPortraitPageAt600Dpi(benchmark::State& state) {
  Sources& s = Get();
  const PageImage page = MakeMetaFileChartPrinter(s.src, TChartType::tcMitumori, kFirstPage, 0, 30, 1, false, true);
  QImage target(page.Width(), page.Height(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&target);
    RenderPage(page, painter, QRectF(0, 0, target.width(), target.height()));
    painter.end();
    benchmark::DoNotOptimize(target.constBits());
  }
  state.counters["pixels"] = static_cast<double>(target.width()) * target.height();
}
BENCHMARK(BM_RenderPortraitPageAt600Dpi)->Unit(benchmark::kMillisecond);

// The same page with its picture page's photos: two 320 × 240 photos stretched to 190 mm.
void BM_RenderPicturePageAt600Dpi(benchmark::State& state) {
  Sources& s = Get();
  const int items = GetNecPage(s.doc, TChartType::tcMitumori, false);
  const PageImage page =
      MakeMetaFilePicPrinter(s.src, TChartType::tcMitumori, kMiddlePage, 0, items + 10, items + 1, items, false, true);
  QImage target(page.Width(), page.Height(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&target);
    RenderPage(page, painter, QRectF(0, 0, target.width(), target.height()));
    painter.end();
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_RenderPicturePageAt600Dpi)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return qmbench::RunWithQt<QGuiApplication>(argc, argv); }
