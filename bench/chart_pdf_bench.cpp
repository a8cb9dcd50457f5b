// The estimate PDF of the 1,000-line sample with 20 photos (every item and picture
// page; argument 0: without photos), written through the PDF templates, against Qt's QPdfWriter painting the same
// print job's page images through the page renderer, and against copying the finished
// file. Peak memory is the process's: run one benchmark at a time to read it.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QFile>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include "pdf/chart_pdf.h"
#include "print/page_renderer.h"
#include "qt_bench_main.h"
#include "sample_document.h"

namespace {

using namespace qm;

struct Sample : qmbench::SamplePrint {
  explicit Sample(int pictures) : SamplePrint(300, pictures) {}
  QString Path(const char* name) const { return dir.filePath(name); }
};

// The sample with 20 photos, or (argument 0) without any.
Sample& Get(const benchmark::State& state) {
  static Sample photos(20), plain(0);
  return state.range(0) == 0 ? plain : photos;
}

void Counters(benchmark::State& state, const QString& file, int pages) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["pages"] = pages;
  state.counters["bytes"] = static_cast<double>(QFile(file).size());
  state.counters["peakRSS_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024;
}

// As the program writes a PDF: through the templates it built for the run.
void BM_ChartPdfThroughTemplates(benchmark::State& state) {
  Sample& s = Get(state);
  const PrintJob job = PrintJob::Chart(s.src, TChartType::tcMitumori);
  const QString path = s.Path("templates.pdf");
  pdf::TFormPDFBase base;
  for (auto _ : state) pdf::PrintPDFChart(base, job, path.toStdString());
  Counters(state, path, job.PageCount());
}
BENCHMARK(BM_ChartPdfThroughTemplates)->Arg(20)->Arg(0)->Unit(benchmark::kMillisecond);

// The first PDF of a run, which builds its templates from their descriptions first.
void BM_ChartPdfWithNewTemplates(benchmark::State& state) {
  Sample& s = Get(state);
  const PrintJob job = PrintJob::Chart(s.src, TChartType::tcMitumori);
  const QString path = s.Path("fresh.pdf");
  for (auto _ : state) pdf::PrintPDFChart(job, path.toStdString());
  Counters(state, path, job.PageCount());
}
BENCHMARK(BM_ChartPdfWithNewTemplates)->Arg(20)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_QPdfWriterOfThePageImages(benchmark::State& state) {
  Sample& s = Get(state);
  const PrintJob job = PrintJob::Chart(s.src, TChartType::tcMitumori);
  const QString path = s.Path("qpdfwriter.pdf");
  for (auto _ : state) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    for (int i = 0; i < job.PageCount(); ++i) {
      if (i > 0) writer.newPage();
      const PageImage page = job.MakePage(i, 300, 300);
      RenderPage(page, painter, QRectF(0, 0, page.Width(), page.Height()));
    }
    painter.end();
  }
  Counters(state, path, job.PageCount());
}
BENCHMARK(BM_QPdfWriterOfThePageImages)->Arg(20)->Arg(0)->Unit(benchmark::kMillisecond);

// What both writers pay before writing anything: decoding the 20 photos.
void BM_DecodeThePhotos(benchmark::State& state) {
  Sample& s = Get(state);
  for (auto _ : state)
    for (int i = 0; i < s.doc.Count(); ++i)
      if (!s.doc.Items(i).Pic().Empty()) benchmark::DoNotOptimize(s.doc.Items(i).Pic().ToImage());
}
BENCHMARK(BM_DecodeThePhotos)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_CopyTheWrittenFile(benchmark::State& state) {
  Sample& s = Get(state);
  const PrintJob job = PrintJob::Chart(s.src, TChartType::tcMitumori);
  const QString from = s.Path("source.pdf");
  pdf::PrintPDFChart(job, from.toStdString());
  const QString to = s.Path("copy.pdf");
  for (auto _ : state) {
    QFile::remove(to);
    QFile::copy(from, to);
  }
  Counters(state, from, job.PageCount());
}
BENCHMARK(BM_CopyTheWrittenFile)->Arg(20)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return qmbench::RunWithQt<QGuiApplication>(argc, argv); }
