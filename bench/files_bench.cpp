// The file list: listing and searching a save folder of 10,000 saved documents of 100
// lines each, one in twenty with a photo. The folder is written once; the page cache is
// warm after the first iteration.
#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/clock.h"
#include "files/file_listing.h"
#include "model/estimate_list.h"
#include "sample_document.h"

namespace {

constexpr int kDocuments = 10000;
constexpr int kLines = 100;
constexpr int kPhotoEvery = 20;
const char* const kCompanies[] = {"株式会社山田建設", "ABC工務店", "田中塗装", "鈴木設備工業", "佐藤リフォーム"};

class SaveFolder {
 public:
  static const SaveFolder& Get() {
    static const SaveFolder folder;
    return folder;
  }
  std::string Path() const { return dir_.path().toStdString(); }

 private:
  SaveFolder() {
    if (!dir_.isValid()) Fail("cannot create a temporary folder");
    qm::TMxEstimateObjectList plain = qmbench::MakeSampleDocument({.lines = kLines, .pictures = 0});
    qm::TMxEstimateObjectList photo = qmbench::MakeSampleDocument({.lines = kLines, .pictures = 1});
    const QDateTime start(QDate(2026, 1, 1), QTime(8, 0));
    for (int i = 0; i < kDocuments; ++i) {
      qm::TMxEstimateObjectList& doc = i % kPhotoEvery == 0 ? photo : plain;
      doc.CustomerInfo().SetCustomerName1(kCompanies[i % std::size(kCompanies)]);
      doc.SetTotalClaimMode(i % 7 == 0);
      const std::string bytes =
          doc.Serialize("見積 No." + std::to_string(i), qm::FixedClock(start.addSecs(i * 3600LL)));
      QFile f(QDir(dir_.path()).filePath(QString("見積%1.QM1").arg(i, 5, 10, QChar('0'))));
      if (!f.open(QIODevice::WriteOnly) || f.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
                                               static_cast<qint64>(bytes.size()))
        Fail("cannot write the sample folder");
    }
  }
  [[noreturn]] static void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::exit(1);
  }
  QTemporaryDir dir_;
};

void BM_ListEstimateFiles(benchmark::State& state) {
  const std::string dir = SaveFolder::Get().Path();
  std::size_t rows = 0;
  for (auto _ : state) {
    const qm::FileListing listing = qm::ListEstimateFiles(dir);
    rows = listing.rows.size();
    benchmark::DoNotOptimize(listing);
  }
  if (rows != kDocuments) state.SkipWithError("listing lost documents");
  state.counters["files"] = static_cast<double>(rows);
}
BENCHMARK(BM_ListEstimateFiles)->Unit(benchmark::kMillisecond);

void BM_SearchCompanyName(benchmark::State& state) {
  const std::string dir = SaveFolder::Get().Path();
  std::size_t rows = 0;
  for (auto _ : state) {
    const qm::FileListing found = qm::SearchEstimateFiles(dir, qm::SearchField::CompanyName, "山田");
    rows = found.rows.size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = static_cast<double>(rows);
}
BENCHMARK(BM_SearchCompanyName)->Unit(benchmark::kMillisecond);

void BM_SearchSavedAt(benchmark::State& state) {
  const std::string dir = SaveFolder::Get().Path();
  std::size_t rows = 0;
  for (auto _ : state) {
    const qm::FileListing found = qm::SearchEstimateFiles(dir, qm::SearchField::SavedAt, "2026/03");
    rows = found.rows.size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = static_cast<double>(rows);
}
BENCHMARK(BM_SearchSavedAt)->Unit(benchmark::kMillisecond);

void BM_SortByCompanyName(benchmark::State& state) {
  const qm::FileListing listing = qm::ListEstimateFiles(SaveFolder::Get().Path());
  for (auto _ : state) {
    std::vector<qm::FileListRow> rows = listing.rows;
    qm::SortFileList(rows, 2, true);
    benchmark::DoNotOptimize(rows);
  }
}
BENCHMARK(BM_SortByCompanyName)->Unit(benchmark::kMillisecond);

}  // namespace
