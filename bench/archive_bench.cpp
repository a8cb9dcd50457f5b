// The issued-documents archive: searching an index of 100,000 records by customer and
// amount range (and by a month of slip dates), and verifying 1,000 archived PDFs of
// 100 KB with the chain of their records, against sha256sum of the same files as one
// process.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDirIterator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <random>

#include "archive/issue_archive.h"
#include "base/data_folders.h"
#include "run_process.h"

namespace {

using qm::Currency;
using qm::archive::IssueArchive;
using qm::archive::IssueFacts;
using qm::archive::IssueFilter;

IssueFacts FactsOf(int i) {
  IssueFacts f;
  f.kind = i % 3 == 0 ? qm::TChartType::tcMitumori : qm::TChartType::tcSeikyu;
  f.slipNo = "S-" + std::to_string(i);
  f.slipDate = QDate(2024, 1, 1).addDays(i % 1000);
  f.customer = "取引先" + std::to_string(i % 1000) + "株式会社";
  f.customerCode = "C" + std::to_string(i % 1000);
  const long long total = 1000 + (static_cast<long long>(i) * 7919) % 2000000;
  f.total = Currency::FromYen(total);
  f.tax = Currency::FromYen(total / 11);
  f.target = "/home/user/Desktop/out.pdf";
  return f;
}

// 100,000 records: the first issued through the archive (which makes its index), the rest
// put in with the same columns in one transaction, as 100,000 issues would leave them.
struct SearchArchive {
  QTemporaryDir dir;
  qm::DataFolder folder{dir.path().toStdString() + "/"};
  IssueArchive archive{folder};
  SearchArchive() {
    const qm::archive::IssuedRecord first = archive.Archive(FactsOf(0), "%PDF-1.3\n%%EOF\n");
    archive.Close();
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-fill"));
      db.setDatabaseName(QString::fromStdString(archive.IndexPath()));
      db.open();
      QSqlQuery q(db);
      q.exec(QStringLiteral("BEGIN"));
      q.prepare(QStringLiteral(
          "INSERT INTO issued (id, issued_at, slip_date, kind, slip_no, customer, customer_code, total, tax, regist_no,"
          " via, target, source, file, sha256, corrects, previous, hash) VALUES (?, '2026-12-10 09:00:00', ?, ?, ?, ?,"
          " ?, ?, ?, '', 'pdf', ?, '', ?, ?, NULL, ?, ?)"));
      for (int i = 1; i < 100000; ++i) {
        const IssueFacts f = FactsOf(i);
        q.addBindValue(i + 1);
        q.addBindValue(f.slipDate.toString(QStringLiteral("yyyy-MM-dd")));
        q.addBindValue(static_cast<int>(f.kind));
        q.addBindValue(QString::fromStdString(f.slipNo));
        q.addBindValue(QString::fromStdString(f.customer));
        q.addBindValue(QString::fromStdString(f.customerCode));
        q.addBindValue(static_cast<qlonglong>(f.total.Raw()));
        q.addBindValue(static_cast<qlonglong>(f.tax.Raw()));
        q.addBindValue(QString::fromStdString(f.target));
        q.addBindValue(QStringLiteral("issued/2026/x_%1.pdf").arg(i + 1));
        q.addBindValue(QString::fromStdString(first.sha256));
        q.addBindValue(QString::fromStdString(first.hash));
        q.addBindValue(QString::fromStdString(first.hash));
        q.exec();
      }
      q.exec(QStringLiteral("COMMIT"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-fill"));
  }
};

SearchArchive& Search() {
  static SearchArchive a;
  return a;
}

void BM_SearchByCustomerAndAmount(benchmark::State& state) {
  SearchArchive& a = Search();
  IssueFilter f;
  f.customer = "取引先42株式会社";
  f.min = Currency::FromYen(100000);
  f.max = Currency::FromYen(1500000);
  std::size_t hits = 0;
  for (auto _ : state) hits = a.archive.Find(f).size();
  state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_SearchByCustomerAndAmount)->Unit(benchmark::kMillisecond);

void BM_SearchByAMonthOfSlipDates(benchmark::State& state) {
  SearchArchive& a = Search();
  IssueFilter f;
  f.from = QDate(2025, 3, 1);
  f.to = QDate(2025, 3, 31);
  std::size_t hits = 0;
  for (auto _ : state) hits = a.archive.Find(f).size();
  state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_SearchByAMonthOfSlipDates)->Unit(benchmark::kMillisecond);

// 1,000 PDFs of 100 KB issued through the archive.
struct VerifyArchive {
  QTemporaryDir dir;
  qm::DataFolder folder{dir.path().toStdString() + "/"};
  IssueArchive archive{folder};
  std::vector<std::string> files;
  VerifyArchive() {
    std::mt19937 random(20261211);
    std::string pdf(100 * 1024, '\0');
    for (int i = 0; i < 1000; ++i) {
      for (char& c : pdf) c = static_cast<char>(random());
      files.push_back(folder.Root() + archive.Archive(FactsOf(i), pdf).file);
    }
  }
};

VerifyArchive& Verify() {
  static VerifyArchive a;
  return a;
}

void BM_Verify1000Pdfs(benchmark::State& state) {
  VerifyArchive& a = Verify();
  std::size_t bad = 0;
  for (auto _ : state) bad = a.archive.Verify().bad.size();
  if (bad != 0) state.SkipWithError("the archive does not verify");
}
BENCHMARK(BM_Verify1000Pdfs)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FloorSha256sum1000Pdfs(benchmark::State& state) {
  VerifyArchive& a = Verify();
  std::vector<std::string> args{"sha256sum"};
  args.insert(args.end(), a.files.begin(), a.files.end());
  for (auto _ : state) qmbench::RunProcess(state, args);
}
BENCHMARK(BM_FloorSha256sum1000Pdfs)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // the SQL driver wants an application
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
