// The estimate PDF of the 1,000-line sample with 20 photos (every item and picture
// page; argument 0 of the photos: without them), written through the PDF templates in
// the embedded form (second argument 0) and the first form (1), against Qt's QPdfWriter
// painting the same print job's page images through the page renderer, and against
// copying the finished file. The photos are JPEG files of 1600 x 1200 pixels, as a phone
// sends them; the counters give the file's size against the sum of its JPEG photos.
// Peak memory is the process's: run one benchmark at a time to read it.
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

qmbench::SampleOptions Photos(int pictures) {
  qmbench::SampleOptions o;
  o.pictures = pictures;
  o.jpegOnly = true;
  o.photoWidth = 1600;
  o.photoHeight = 1200;
  return o;
}

struct Sample : qmbench::SamplePrint {
  explicit Sample(int pictures) : SamplePrint(300, Photos(pictures)) {}
  QString Path(const char* name) const { return dir.filePath(name); }
  double JpegBytes() const {
    double sum = 0;
    for (int i = 0; i < doc.Count(); ++i)
      if (doc.Items(i).Pic().Kind() == PictureKind::Jpeg) sum += static_cast<double>(doc.Items(i).Pic().Bytes().size());
    return sum;
  }
};

// The sample with 20 photos, or (argument 0) without any.
Sample& Get(const benchmark::State& state) {
  static Sample photos(20), plain(0);
  return state.range(0) == 0 ? plain : photos;
}

pdf::PdfWriteSettings Form(const benchmark::State& state) {
  pdf::PdfWriteSettings settings;
  settings.fonts = state.range(1) == 0 ? pdf::PdfFonts::Embed : pdf::PdfFonts::System;
  return settings;
}

void Counters(benchmark::State& state, const Sample& s, const QString& file, int pages) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double bytes = static_cast<double>(QFile(file).size());
  state.counters["pages"] = pages;
  state.counters["MB"] = bytes / 1e6;
  state.counters["jpegMB"] = s.JpegBytes() / 1e6;
  if (s.JpegBytes() > 0) state.counters["toJpeg"] = bytes / s.JpegBytes();
  state.counters["peakRSS_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024;
}

void BothForms(benchmark::internal::Benchmark* b) {
  b->ArgNames({"photos", "system"})->Args({20, 0})->Args({20, 1})->Args({0, 0})->Args({0, 1});
}

// As the program writes a PDF: through the templates it built for the run.
void BM_ChartPdfThroughTemplates(benchmark::State& state) {
  Sample& s = Get(state);
  const PrintJob job = PrintJob::Chart(s.src, TChartType::tcMitumori);
  const QString path = s.Path("templates.pdf");
  pdf::TFormPDFBase base;
  for (auto _ : state) pdf::PrintPDFChart(base, job, path.toStdString(), Form(state));
  Counters(state, s, path, job.PageCount());
}
BENCHMARK(BM_ChartPdfThroughTemplates)->Apply(BothForms)->Unit(benchmark::kMillisecond);

// The first PDF of a run, which builds its templates from their descriptions first.
void BM_ChartPdfWithNewTemplates(benchmark::State& state) {
  Sample& s = Get(state);
  const PrintJob job = PrintJob::Chart(s.src, TChartType::tcMitumori);
  const QString path = s.Path("fresh.pdf");
  for (auto _ : state) pdf::PrintPDFChart(job, path.toStdString(), Form(state));
  Counters(state, s, path, job.PageCount());
}
BENCHMARK(BM_ChartPdfWithNewTemplates)->Apply(BothForms)->Unit(benchmark::kMillisecond);

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
  Counters(state, s, path, job.PageCount());
}
BENCHMARK(BM_QPdfWriterOfThePageImages)->ArgNames({"photos"})->Arg(20)->Arg(0)->Unit(benchmark::kMillisecond);

// What both writers pay before writing anything: decoding the 20 photos.
void BM_DecodeThePhotos(benchmark::State& state) {
  Sample& s = Get(state);
  for (auto _ : state)
    for (int i = 0; i < s.doc.Count(); ++i)
      if (!s.doc.Items(i).Pic().Empty()) benchmark::DoNotOptimize(s.doc.Items(i).Pic().ToImage());
}
BENCHMARK(BM_DecodeThePhotos)->ArgNames({"photos"})->Arg(20)->Unit(benchmark::kMillisecond);

void BM_CopyTheWrittenFile(benchmark::State& state) {
  Sample& s = Get(state);
  const PrintJob job = PrintJob::Chart(s.src, TChartType::tcMitumori);
  const QString from = s.Path("source.pdf");
  pdf::PrintPDFChart(job, from.toStdString(), Form(state));
  const QString to = s.Path("copy.pdf");
  for (auto _ : state) {
    QFile::remove(to);
    QFile::copy(from, to);
  }
  Counters(state, s, from, job.PageCount());
}
BENCHMARK(BM_CopyTheWrittenFile)->Apply(BothForms)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return qmbench::RunWithQt<QGuiApplication>(argc, argv); }
