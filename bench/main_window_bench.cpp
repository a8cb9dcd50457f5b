// The main window on the offscreen platform: start to a shown window with 100 rows, and
// the refresh that follows every cell exit, with 100 and with 1,000 lines.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "qt_bench_main.h"
#include "ui/app/line_area.h"
#include "ui/app/contents_tab.h"
#include "ui/app/main_window.h"

namespace {

qm::ui::MainWindowSetup TempSetup(const QTemporaryDir& dir) {
  return {dir.filePath("data").toStdString(), dir.filePath("history.ini").toStdString()};
}

void BM_StartToShownWindow(benchmark::State& state) {
  QTemporaryDir dir;
  for (auto _ : state) {
    qm::ui::TFormMain window(TempSetup(dir));
    window.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window.Contents().LineArea().RowCount());
    state.PauseTiming();
    window.hide();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartToShownWindow)->Unit(benchmark::kMillisecond);

// A refresh after an edit: one line changes, every row is written from its line.
void BM_RefreshMainForm(benchmark::State& state) {
  QTemporaryDir dir;
  qm::ui::TFormMain window(TempSetup(dir));
  window.show();
  QApplication::processEvents();
  const int lines = static_cast<int>(state.range(0));
  window.Contents().AddInputAreaAndData(lines - window.Document().Count(), false);
  for (int i = 0; i < lines; ++i) {
    auto& line = window.Document().Items(i);
    line.SetName("足場架設 " + std::to_string(i));
    line.SetNum(qm::Currency::FromYen(i % 7 + 1));
    line.SetPrice(qm::Currency::FromYen(1200 + i));
    line.DoCalc();
  }
  window.Document().DoCalc();
  window.RefreshMainForm();
  int n = 0;
  for (auto _ : state) {
    window.Document().Items(n % lines).SetPrice(qm::Currency::FromYen(1000 + n));
    window.Document().Items(n % lines).DoCalc();
    window.Document().DoCalc();
    window.RefreshMainForm();
    ++n;
  }
}
BENCHMARK(BM_RefreshMainForm)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return qmbench::RunWithQt<QApplication>(argc, argv); }
