// Estimate files: loading and saving a 1,000-line document with 20 photos, and the
// recalculation of a 10,000-line document in both tax modes.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/atomic_file.h"
#include "model/estimate_list.h"
#include "sample_document.h"

namespace {

using qm::TMxEstimateObjectList;

constexpr const char* kComment = "ベンチマーク";

const TMxEstimateObjectList& FileSample() {
  static const TMxEstimateObjectList doc = qmbench::MakeSampleDocument({});
  return doc;
}

// A temporary folder that lives as long as the program, holding the saved sample.
class SampleFile {
 public:
  static const SampleFile& Get() {
    static const SampleFile file;
    return file;
  }
  const std::string& Path() const { return path_; }
  const std::string& Bytes() const { return bytes_; }
  std::string Folder() const { return dir_.path().toStdString(); }

 private:
  SampleFile() {
    if (!dir_.isValid()) {
      std::fprintf(stderr, "cannot create a temporary folder\n");
      std::exit(1);
    }
    path_ = dir_.filePath("sample.QM1").toStdString();
    FileSample().SaveFile(path_, kComment);
    bytes_ = qm::ReadWholeFile(path_);
  }
  QTemporaryDir dir_;
  std::string path_;
  std::string bytes_;
};

void SetFileCounters(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
  state.counters["file_KiB"] = static_cast<double>(bytes) / 1024.0;
}

void BM_LoadFile(benchmark::State& state) {
  const SampleFile& file = SampleFile::Get();
  for (auto _ : state) {
    TMxEstimateObjectList doc;
    doc.LoadFile(file.Path());
    benchmark::DoNotOptimize(doc.Count());
  }
  SetFileCounters(state, file.Bytes().size());
}
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond);

// The reader alone, without the disk.
void BM_LoadFromBytes(benchmark::State& state) {
  const SampleFile& file = SampleFile::Get();
  for (auto _ : state) {
    TMxEstimateObjectList doc;
    doc.LoadFromBytes(file.Bytes());
    benchmark::DoNotOptimize(doc.Count());
  }
  SetFileCounters(state, file.Bytes().size());
}
BENCHMARK(BM_LoadFromBytes)->Unit(benchmark::kMillisecond);

// Save as the editor does: the whole file to a temporary beside it, then renamed over.
void BM_SaveFile(benchmark::State& state) {
  const TMxEstimateObjectList& doc = FileSample();
  const std::string path = SampleFile::Get().Folder() + "/saved.QM1";
  for (auto _ : state) doc.SaveFile(path, kComment);
  SetFileCounters(state, SampleFile::Get().Bytes().size());
}
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond);

// The writer alone.
void BM_Serialize(benchmark::State& state) {
  const TMxEstimateObjectList& doc = FileSample();
  for (auto _ : state) {
    std::string bytes = doc.Serialize(kComment);
    benchmark::DoNotOptimize(bytes.data());
  }
  SetFileCounters(state, SampleFile::Get().Bytes().size());
}
BENCHMARK(BM_Serialize)->Unit(benchmark::kMillisecond);

// What the editor does after a change: every line, then subtotals, tax and totals.
void BM_Recalc10000(benchmark::State& state, bool taxPerLine, bool includeTax) {
  qmbench::SampleOptions options;
  options.lines = 10000;
  options.pictures = 0;
  options.taxPerLine = taxPerLine;
  options.includeTax = includeTax;
  TMxEstimateObjectList doc = qmbench::MakeSampleDocument(options);
  for (auto _ : state) {
    for (int i = 0; i < doc.Count(); ++i) doc.Items(i).DoCalc();
    doc.DoCalc();
    benchmark::DoNotOptimize(doc.TotalPrice());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * doc.Count());
}
BENCHMARK_CAPTURE(BM_Recalc10000, tax_per_line, true, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Recalc10000, tax_on_sum, false, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Recalc10000, tax_on_sum_included, false, true)->Unit(benchmark::kMicrosecond);

}  // namespace
