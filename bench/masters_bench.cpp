// Master files: loading and saving 10,000 customers and 10,000 items (Japanese names
// and addresses, some fields quoted) in a temporary folder.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/atomic_file.h"
#include "base/currency.h"
#include "model/master_lists.h"
#include "sample_masters.h"

namespace {

using qm::Currency;
using qm::TMxCustomerObject;
using qm::TMxCustomerObjectList;
using qm::TMxItemObject;
using qm::TMxItemObjectList;

constexpr int kRecords = 10000;

TMxCustomerObjectList MakeCustomers() { return qmbench::MakeCustomers(kRecords); }
TMxItemObjectList MakeItems() { return qmbench::MakeItems(kRecords); }

const TMxCustomerObjectList& SampleCustomers() {
  static const TMxCustomerObjectList list = MakeCustomers();
  return list;
}

const TMxItemObjectList& SampleItems() {
  static const TMxItemObjectList list = MakeItems();
  return list;
}

// A folder that lives as long as the program, holding the saved masters.
class SampleFolder {
 public:
  static const SampleFolder& Get() {
    static const SampleFolder folder;
    return folder;
  }
  std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }
  std::size_t Size(const char* name) const { return qm::ReadWholeFile(Path(name)).size(); }

 private:
  SampleFolder() {
    if (!dir_.isValid()) {
      std::fprintf(stderr, "cannot create a temporary folder\n");
      std::exit(1);
    }
    SampleCustomers().SaveConfig(Path("Customer.dat"));
    SampleItems().SaveConfig(Path("ItemList.dat"));
  }
  QTemporaryDir dir_;
};

void SetFileCounters(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kRecords);
  state.counters["file_KiB"] = static_cast<double>(bytes) / 1024.0;
}

template <class List>
void Load(benchmark::State& state, const char* fileName) {
  const SampleFolder& folder = SampleFolder::Get();
  const std::string path = folder.Path(fileName);
  for (auto _ : state) {
    List list;
    list.LoadConfig(path);
    benchmark::DoNotOptimize(list.Count());
  }
  SetFileCounters(state, folder.Size(fileName));
}

// Saving as the master dialogs do: the whole file to a temporary, renamed over the old.
template <class List>
void Save(benchmark::State& state, const List& sample, const char* fileName) {
  const SampleFolder& folder = SampleFolder::Get();
  const std::string path = folder.Path(fileName);
  for (auto _ : state) sample.SaveConfig(path);
  SetFileCounters(state, folder.Size(fileName));
}

void BM_LoadCustomers(benchmark::State& state) { Load<TMxCustomerObjectList>(state, "Customer.dat"); }
void BM_LoadItems(benchmark::State& state) { Load<TMxItemObjectList>(state, "ItemList.dat"); }
void BM_SaveCustomers(benchmark::State& state) { Save(state, SampleCustomers(), "save_Customer.dat"); }
void BM_SaveItems(benchmark::State& state) { Save(state, SampleItems(), "save_ItemList.dat"); }
BENCHMARK(BM_LoadCustomers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadItems)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveCustomers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveItems)->Unit(benchmark::kMillisecond);

}  // namespace
