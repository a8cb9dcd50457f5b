// Postal lookups on a synthetic table of national size (150,000 lines, about 6 MB of
// Shift-JIS): the first lookup with the table read, repeated lookups on the kept table by
// code and by address, and `qm zip 1000001` as a whole process side by side with
// `LC_ALL=C grep '^1000001' zip.dat`.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "base/cp932.h"
#include "postal/zip_table.h"
#include "run_process.h"


namespace {

using qm::postal::ZipTable;

constexpr int kLines = 150000;

// Prefectures, cities and towns combined the way the national table reads; codes in
// rising order from 0010000, with 1000001 among them.
struct SyntheticTable {
  SyntheticTable() {
    const char* prefectures[] = {"北海道", "青森県", "東京都", "神奈川県", "愛知県", "京都府", "大阪府", "兵庫県",
                                 "広島県", "福岡県", "沖縄県", "長野県"};
    const char* cities[] = {"千代田区", "中央区", "港区", "札幌市中央区", "横浜市西区", "名古屋市中村区",
                            "大阪市北区", "神戸市中央区", "福岡市博多区", "那覇市", "松本市", "京都市左京区"};
    const char* towns[] = {"丸の内", "大手町", "霞が関", "内幸町", "銀座", "日本橋本町", "栄", "梅田", "三宮町",
                           "天神", "本町", "北白川", "緑町", "旭町", "新町", "元町", "桜木町", "若葉町"};
    std::mt19937 random(20261209);
    std::string bytes;
    bytes.reserve(7 << 20);
    for (int i = 0; i < kLines; ++i) {
      const int code = i == 70000 ? 1000001 : 10000 + i * 71;
      char digits[16];
      std::snprintf(digits, sizeof digits, "%07d", code);
      std::string address = std::string(prefectures[random() % 12]) + cities[random() % 12] + towns[random() % 18];
      const char* sides[] = {"東", "西", "南", "北", "中"};
      address += std::string(sides[random() % 5]) + std::to_string(random() % 9 + 1) + "丁目";
      bytes += digits;
      bytes += ',';
      bytes += qm::cp932::EncodeOrThrow(address);
      bytes += "\r\n";
    }
    path = dir.filePath("zip/zip.dat").toStdString();
    QDir(dir.path()).mkdir("zip");
    qm::WriteFileAtomically(path, bytes);
    size = bytes.size();
    table = ZipTable::FromBytes(std::move(bytes));
  }
  QTemporaryDir dir;
  std::string path;
  std::size_t size = 0;
  ZipTable table;
};

SyntheticTable& Get() {
  static SyntheticTable t;
  return t;
}

void BM_FirstLookupByCode(benchmark::State& state) {
  SyntheticTable& t = Get();
  for (auto _ : state) {
    const ZipTable table = ZipTable::Load(t.path);
    benchmark::DoNotOptimize(qm::postal::FindByZip(table, "1000001"));
  }
  state.counters["lines"] = static_cast<double>(t.table.LineCount());
  state.counters["MB"] = static_cast<double>(t.size) / 1e6;
}
BENCHMARK(BM_FirstLookupByCode)->Unit(benchmark::kMillisecond);

void BM_FirstLookupByAddress(benchmark::State& state) {
  SyntheticTable& t = Get();
  for (auto _ : state) {
    const ZipTable table = ZipTable::Load(t.path);
    benchmark::DoNotOptimize(qm::postal::FindByAddress(table, "霞が関"));
  }
}
BENCHMARK(BM_FirstLookupByAddress)->Unit(benchmark::kMillisecond);

void BM_RepeatedLookupByCode(benchmark::State& state) {
  SyntheticTable& t = Get();
  std::size_t hits = 0;
  for (auto _ : state) hits = qm::postal::FindByZip(t.table, "1000001").size();
  state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_RepeatedLookupByCode)->Unit(benchmark::kMillisecond);

void BM_RepeatedLookupByAddress(benchmark::State& state) {
  SyntheticTable& t = Get();
  qm::postal::FindByAddress(t.table, "x");  // the folded text is built once, on the first search
  std::size_t hits = 0;
  for (auto _ : state) hits = qm::postal::FindByAddress(t.table, "霞が関").size();
  state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_RepeatedLookupByAddress)->Unit(benchmark::kMillisecond);

// An address found on one line in twelve: the tens of thousands of hits the list opens with.
void BM_RepeatedLookupManyHits(benchmark::State& state) {
  SyntheticTable& t = Get();
  std::size_t hits = 0;
  for (auto _ : state) hits = qm::postal::FindByAddress(t.table, "東京都").size();
  state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_RepeatedLookupManyHits)->Unit(benchmark::kMillisecond);

// Runs a program with its output to /dev/null and waits for it.
void BM_QmZipProcess(benchmark::State& state) {
  SyntheticTable& t = Get();
  const std::vector<std::string> args = {QM_CLI_PATH, "--data", t.dir.path().toStdString(), "zip", "1000001"};
  for (auto _ : state) qmbench::RunProcess(state, args);
}
BENCHMARK(BM_QmZipProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FloorGrepProcess(benchmark::State& state) {
  SyntheticTable& t = Get();
  const std::vector<std::string> args = {"grep", "^1000001", t.path};
  for (auto _ : state) qmbench::RunProcess(state, args, {"LC_ALL=C"});
}
BENCHMARK(BM_FloorGrepProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
