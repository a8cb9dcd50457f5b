// The master dialogs with 10,000 customers and 10,000 items on the offscreen platform:
// opening each dialog (shown and painted), sorting the customers by a column, importing a
// 10,000-row CSV file, and writing the customer list as PDF (667 pages).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>

#include "base/atomic_file.h"
#include "model/customer_import.h"
#include "pdf/slip_pdf.h"
#include "print/print_job.h"
#include "qt_bench_main.h"
#include "sample_masters.h"
#include "ui/masters/customer_dialogs.h"
#include "ui/masters/item_dialogs.h"
#include "ui/masters/master_host.h"

namespace {

using namespace qm;

constexpr int kRecords = 10000;

// The dialogs' host with nothing around them.
class NoHost final : public ui::MasterHost {
 public:
  std::array<QLineEdit*, kCustomerColumns> CustomerBlock() override { return {}; }
  void LookupZip(QLineEdit*, QLineEdit*) override {}
  void LookupAddress(QLineEdit*, QLineEdit*, const char*) override {}
  void PrintList(bool) override {}
};

void BM_OpenCustomerDialog(benchmark::State& state) {
  TMxCustomerObjectList customers = qmbench::MakeCustomers(kRecords);
  NoHost host;
  for (auto _ : state) {
    ui::TFormCustomer dialog(host);
    dialog.Prepare(customers);
    dialog.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(dialog.LVCustomer->model()->rowCount());
  }
}
BENCHMARK(BM_OpenCustomerDialog)->Unit(benchmark::kMillisecond);

void BM_SortCustomersByName(benchmark::State& state) {
  TMxCustomerObjectList customers = qmbench::MakeCustomers(kRecords);
  NoHost host;
  ui::TFormCustomer dialog(host);
  dialog.Prepare(customers);
  dialog.show();
  QApplication::processEvents();
  dialog.LVCustomer->selectRow(5000);
  for (auto _ : state) {
    dialog.SortClick(1);  // company name 1, the direction flipping each time
    QApplication::processEvents();
  }
}
BENCHMARK(BM_SortCustomersByName)->Unit(benchmark::kMillisecond);

void BM_OpenItemDialog(benchmark::State& state) {
  TMxItemObjectList items = qmbench::MakeItems(kRecords);
  TMxItemUnitObjectList units;
  for (const char* u : {"㎡", "式", "m", "本", "箇所", "枚", "人工"}) {
    auto unit = std::make_unique<TMxItemUnitObject>();
    unit->SetItemUnit(u);
    units.Add(std::move(unit));
  }
  NoHost host;
  QTemporaryDir dir;
  for (auto _ : state) {
    ui::TFormItemList dialog(host, dir.filePath("ItemUnit.dat").toStdString());
    dialog.Prepare(items, units, false);
    dialog.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(dialog.LVItemList->model()->rowCount());
  }
}
BENCHMARK(BM_OpenItemDialog)->Unit(benchmark::kMillisecond);

// A 10,000-row file as the customer dialog exports it: read, mapped and appended.
void BM_ImportCsv(benchmark::State& state) {
  QTemporaryDir dir;
  const std::string file = dir.filePath("customers.csv").toStdString();
  qmbench::MakeCustomers(kRecords).ExportCSV(file);
  for (auto _ : state) {
    const CsvGrid grid = ReadImportCsvFile(file);
    TMxCustomerObjectList list;
    ImportCustomers(grid, PresetMapping(grid.columns), list);
    benchmark::DoNotOptimize(list.Count());
  }
  state.counters["bytes"] = static_cast<double>(ReadWholeFile(file).size());
}
BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond);

void BM_CustomerListPdf(benchmark::State& state) {
  QTemporaryDir dir;
  const TMxCustomerObjectList customers = qmbench::MakeCustomers(kRecords);
  TMxConfigInfo config(dir.filePath("img").toStdString());
  config.LoadConfig(dir.filePath("conf.ini").toStdString());
  TMxEstimateObjectList doc;
  ListSources src;
  src.doc = &doc;
  src.config = &config;
  src.customers = &customers;
  const PrintJob job = PrintJob::CustomerList(src, TPrintListOptions{});
  pdf::TFormPDFBase base;
  const std::string out = dir.filePath("customers.pdf").toStdString();
  for (auto _ : state) pdf::WritePdf(base, job, out);
  state.counters["pages"] = job.PageCount();
  state.counters["bytes"] = static_cast<double>(ReadWholeFile(out).size());
}
BENCHMARK(BM_CustomerListPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return qmbench::RunWithQt<QApplication>(argc, argv); }
