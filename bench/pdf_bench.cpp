// The PDF writer: a 200-page document of 60 labels, 40 rectangles and one shared image a
// page, written to a file, against copying the finished file (the floor of any writer).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "qt_bench_main.h"
#include "pdf/report.h"

namespace {

using namespace qm::pdf;

struct Sample {
  QTemporaryDir dir;
  TPRPage page{"Page", 595, 842};
  std::vector<TPRLabel*> labels;

  Sample() {
    auto& panel = page.Add(std::make_unique<TPRLayoutPanel>("Panel"));
    panel.Left = 14, panel.Width = 595, panel.Height = 842;
    for (int i = 0; i < 60; ++i) {
      auto& l = panel.Add(std::make_unique<TPRLabel>("L" + std::to_string(i)));
      l.Left = 20 + (i % 3) * 180, l.Top = 40 + (i / 3) * 38, l.Width = 170, l.Height = 14, l.FontSize = 10;
      l.Alignment = i % 3 == 2 ? TPdfAlignment::taRightJustify : TPdfAlignment::taLeftJustify;
      l.FontBold = i % 7 == 0;
      labels.push_back(&l);
    }
    for (int i = 0; i < 40; ++i) {
      auto& r = panel.Add(std::make_unique<TPRRect>("R" + std::to_string(i)));
      r.Left = 20, r.Top = 38 + i * 19, r.Width = 540, r.Height = i % 4 ? 1 : 18, r.LineWidth = 0.5;
    }
    auto& logo = panel.Add(std::make_unique<TPRImage>("Logo"));
    logo.Left = 20, logo.Top = 780, logo.Width = 120, logo.Height = 40;
    QImage image(240, 80, QImage::Format_RGB32);
    image.fill(qRgb(30, 60, 140));
    logo.SetPicture(image);
  }

  std::string Write(const std::string& name) {
    TPReport report;
    report.FileName = dir.filePath(QString::fromStdString(name)).toStdString();
    report.BeginDoc();
    for (int p = 0; p < 200; ++p) {
      for (std::size_t i = 0; i < labels.size(); ++i)
        labels[i]->Caption = i % 2 ? "品名 第" + std::to_string(p) + "頁 " + std::to_string(i) : "12,345," + std::to_string(i);
      report.Print(page);
    }
    report.EndDoc();
    return report.FileName;
  }
};

Sample& Get() {
  static Sample s;
  return s;
}

long PeakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void BM_Write200Pages(benchmark::State& state) {
  Sample& s = Get();
  std::string path;
  for (auto _ : state) path = s.Write("bench.pdf");
  state.counters["bytes"] = static_cast<double>(QFile(QString::fromStdString(path)).size());
  state.counters["peakRSS_MiB"] = static_cast<double>(PeakRssKb()) / 1024;
}
BENCHMARK(BM_Write200Pages)->Unit(benchmark::kMillisecond);

void BM_CopyTheWrittenFile(benchmark::State& state) {
  Sample& s = Get();
  const QString from = QString::fromStdString(s.Write("source.pdf"));
  const QString to = s.dir.filePath("copy.pdf");
  for (auto _ : state) {
    QFile::remove(to);
    QFile::copy(from, to);
  }
  state.counters["bytes"] = static_cast<double>(QFile(from).size());
}
BENCHMARK(BM_CopyTheWrittenFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return qmbench::RunWithQt<QGuiApplication>(argc, argv); }
