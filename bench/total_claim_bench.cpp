// A per-line total invoice over 200 saved documents of 50 lines each (10,000 lines):
// building it from the save folder, and printing it as page images — the invoice pages
// of all its lines and the total invoice sheet.
//
// Floors in the same run: reading the 200 files' bytes (what any build must do at
// least), and Qt recording the same drawing operations into QPictures, Qt's own page
// metafile.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPicture>
#include <QTemporaryDir>

#include "model/total_claim.h"
#include "print/print_job.h"
#include "qt_bench_main.h"
#include "sample_document.h"

namespace {

using namespace qm;

constexpr int kDocuments = 200;
constexpr int kLinesEach = 50;

struct Folder {
  Folder() {
    QDir(dir.path()).mkdir("data");
    qmbench::SampleOptions options;
    options.lines = kLinesEach;
    options.pictures = 0;
    options.subtotalEvery = 0;
    const TMxEstimateObjectList doc = qmbench::MakeSampleDocument(options);
    for (int i = 0; i < kDocuments; ++i) {
      const std::string name = "現場" + std::to_string(1000 + i);
      const std::string path = dir.filePath(QString::fromStdString("data/" + name + ".QM1")).toStdString();
      doc.SaveFile(path, "月末締め");
      sources.push_back({name, path});
    }
  }
  QTemporaryDir dir;
  std::vector<TotalClaimSource> sources;
};

Folder& Get() {
  static Folder f;
  return f;
}

const EraDate kToday{"令和08", "12", "09"};

void BM_MakeTotalClaimPerLine(benchmark::State& state) {
  Folder& f = Get();
  int lines = 0;
  for (auto _ : state) {
    TMxEstimateObjectList bill;
    MakeTotalClaim(TotalClaimMode::PerLine, f.sources, bill, kToday);
    lines = bill.Count();
    benchmark::DoNotOptimize(bill);
  }
  state.counters["lines"] = lines;
}
BENCHMARK(BM_MakeTotalClaimPerLine)->Unit(benchmark::kMillisecond);

// Floor: the bytes of the same 200 files read into memory.
void BM_FloorReadTheFiles(benchmark::State& state) {
  Folder& f = Get();
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    for (const TotalClaimSource& s : f.sources) {
      QFile file(QString::fromStdString(s.path));
      if (!file.open(QIODevice::ReadOnly)) state.SkipWithError("cannot read");
      const QByteArray all = file.readAll();
      bytes += static_cast<std::size_t>(all.size());
      benchmark::DoNotOptimize(all.constData());
    }
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_FloorReadTheFiles)->Unit(benchmark::kMillisecond);

// The bill and what its print dialogs hand to a print job, at 600 dpi.
struct Bill {
  Bill() : sample(600, 0) {
    MakeTotalClaim(TotalClaimMode::PerLine, Get().sources, sample.doc, kToday);
    sample.src.settings.options.PrintPic = false;
    slip.doc = &sample.doc;
    slip.config = &sample.config;
    slip.companies = &sample.companies;
    slip.printerDpiX = slip.printerDpiY = 600;
    claim.PreClaim = "1,200,000";
    claim.PrePaid = "1,000,000";
    CalcResult(claim);
  }
  qmbench::SamplePrint sample;
  SlipSources slip;
  TPrintTotalClaimOptions claim;
};

Bill& GetBill() {
  static Bill b;
  return b;
}

void BM_InvoicePagesOfTheBill(benchmark::State& state) {
  Bill& b = GetBill();
  const PrintJob job = PrintJob::Chart(b.sample.src, TChartType::tcSeikyu);
  std::size_t ops = 0;
  for (auto _ : state) {
    ops = 0;
    for (int i = 0; i < job.PageCount(); ++i) {
      PageImage page = job.MakePage(i);
      ops += page.Ops().size();
      benchmark::DoNotOptimize(page);
    }
  }
  state.counters["pages"] = job.PageCount();
  state.counters["ops"] = static_cast<double>(ops);
}
BENCHMARK(BM_InvoicePagesOfTheBill)->Unit(benchmark::kMillisecond);

void BM_TotalInvoiceSheet(benchmark::State& state) {
  Bill& b = GetBill();
  const PrintJob job = PrintJob::TotalClaim(b.slip, b.claim);
  for (auto _ : state) {
    PageImage page = job.MakePage(0);
    benchmark::DoNotOptimize(page);
  }
}
BENCHMARK(BM_TotalInvoiceSheet)->Unit(benchmark::kMicrosecond);

// Floor: the same texts, lines and fills recorded by QPainter into one QPicture a page.
void BM_FloorQPictureOfTheSameOperations(benchmark::State& state) {
  Bill& b = GetBill();
  const PrintJob job = PrintJob::Chart(b.sample.src, TChartType::tcSeikyu);
  std::vector<PageImage> pages;
  for (int i = 0; i < job.PageCount(); ++i) pages.push_back(job.MakePage(i));
  QFont font(QStringLiteral("Noto Sans CJK JP"));
  for (auto _ : state) {
    for (const PageImage& page : pages) {
      QPicture picture;
      QPainter painter(&picture);
      for (const PageOp& op : page.Ops()) {
        switch (op.kind) {
          case PageOpKind::Text:
            font.setPixelSize(op.fontHeight);
            font.setBold(op.bold);
            font.setUnderline(op.underline);
            painter.setFont(font);
            painter.drawText(op.from, QString::fromStdString(op.text));
            break;
          case PageOpKind::Line:
            painter.drawLine(op.from, op.to);
            break;
          case PageOpKind::Fill:
          case PageOpKind::Rectangle:
            painter.drawRect(op.rect);
            break;
          case PageOpKind::Bitmap:
            break;
        }
      }
      painter.end();
      benchmark::DoNotOptimize(picture.data());
    }
  }
  state.counters["pages"] = static_cast<double>(pages.size());
}
BENCHMARK(BM_FloorQPictureOfTheSameOperations)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return qmbench::RunWithQt<QGuiApplication>(argc, argv); }
