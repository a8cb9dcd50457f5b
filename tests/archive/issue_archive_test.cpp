// The issued-documents archive on a real SQLite file in a temporary data folder: what a
// record holds, corrections, the search filters, verification against changed PDFs and
// records (edited with the sqlite3 tool), write faults, the CSV for the tax office, file
// names of awkward customers, and backup and restore.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <set>

#include "archive/issue_archive.h"
#include "archive/issue_facts.h"
#include "base/atomic_file.h"
#include "base/clock.h"
#include "base/comma_text.h"
#include "base/cp932.h"
#include "base/era_date.h"
#include "base/error.h"
#include "files/backup.h"
#include "model/company_info.h"
#include "model/config_info.h"
#include "model/estimate_list.h"
#include "print/print_job.h"

namespace qm::archive {
namespace {

// A clock the test moves on.
class StepClock final : public Clock {
 public:
  QDateTime Now() const override { return at_; }
  void Set(const QDateTime& at) { at_ = at; }

 private:
  QDateTime at_{QDate(2026, 12, 10), QTime(9, 15, 30, 250)};
};

IssueFacts Facts(TChartType kind, const std::string& slipNo, QDate date, const std::string& customer, long long total) {
  IssueFacts f;
  f.kind = kind;
  f.slipNo = slipNo;
  f.slipDate = date;
  f.customer = customer;
  f.customerCode = "C-" + slipNo;
  f.total = Currency::FromYen(total);
  f.tax = Currency::FromYen(total / 11);
  f.via = IssueVia::Pdf;
  f.target = "/home/user/Desktop/" + slipNo + ".pdf";
  f.source = slipNo + ".QM1";
  return f;
}

std::string Pdf(const std::string& marker) { return "%PDF-1.3\n% " + marker + "\n%%EOF\n"; }

int RunSqlite(const QString& db, const QString& sql) {
  QProcess p;
  p.start(QStringLiteral("sqlite3"), {db, sql});
  if (!p.waitForFinished(30000)) return -1;
  return p.exitCode();
}

// Every file under the archive folder, relative to it; the index and its journal left out.
std::set<std::string> PdfFiles(const IssueArchive& a) {
  std::set<std::string> out;
  QDirIterator it(QString::fromStdString(a.FolderPath()), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    if (path.contains(QStringLiteral("issued.sqlite"))) continue;
    out.insert(QDir(QString::fromStdString(a.FolderPath())).relativeFilePath(path).toStdString());
  }
  return out;
}

class IssueArchiveTest : public ::testing::Test {
 protected:
  IssueArchiveTest() : folder_(dir_.path().toStdString() + "/"), archive_(folder_, clock_) {}
  ~IssueArchiveTest() override { SetWriteFaultHook({}); }

  std::string Data(const std::string& relative) const { return folder_.Root() + relative; }

  QTemporaryDir dir_;
  DataFolder folder_;
  StepClock clock_;
  IssueArchive archive_;
};

TEST_F(IssueArchiveTest, ARecordHoldsEveryFactAndItsPdfAsIssued) {
  IssueFacts f = Facts(TChartType::tcSeikyu, "A-100", QDate(2026, 12, 10), "山田建設株式会社", 702487);
  f.registNo = "T1234567890123";
  f.via = IssueVia::Print;
  f.target = "事務所のプリンタ";
  const IssuedRecord r = archive_.Archive(f, Pdf("one"));

  EXPECT_EQ(r.id, 1);
  EXPECT_EQ(r.file, "issued/2026/20261210_山田建設株式会社_702487_請求書_1.pdf");
  EXPECT_EQ(ReadWholeFile(Data(r.file)), Pdf("one"));
  EXPECT_EQ(r.sha256, Sha256Hex(Pdf("one")));
  EXPECT_EQ(r.sha256.size(), 64u);

  // Read back from the file by a second archive on the same folder: every field in its place.
  IssueArchive again(folder_);
  const std::vector<IssuedRecord> all = again.All();
  ASSERT_EQ(all.size(), 1u);
  const IssuedRecord& b = all[0];
  EXPECT_EQ(b.issuedAt, QDateTime(QDate(2026, 12, 10), QTime(9, 15, 30)));  // whole seconds
  EXPECT_EQ(b.slipDate, QDate(2026, 12, 10));
  EXPECT_EQ(b.kind, TChartType::tcSeikyu);
  EXPECT_EQ(b.slipNo, "A-100");
  EXPECT_EQ(b.customer, "山田建設株式会社");
  EXPECT_EQ(b.customerCode, "C-A-100");
  EXPECT_EQ(b.total, Currency::FromYen(702487));
  EXPECT_EQ(b.tax, Currency::FromYen(63862));
  EXPECT_EQ(b.registNo, "T1234567890123");
  EXPECT_EQ(b.via, IssueVia::Print);
  EXPECT_EQ(b.target, "事務所のプリンタ");
  EXPECT_EQ(b.source, "A-100.QM1");
  EXPECT_EQ(b.file, r.file);
  EXPECT_EQ(b.sha256, r.sha256);
  EXPECT_FALSE(b.corrects.has_value());
  EXPECT_EQ(b.previous, "");
  EXPECT_EQ(b.hash, r.hash);
  EXPECT_EQ(again.Verify().bad.size(), 0u);
}

TEST_F(IssueArchiveTest, ASlipDateThatIsNoDateTakesTheDayOfIssue) {
  clock_.Set(QDateTime(QDate(2027, 1, 4), QTime(8, 0)));
  const IssuedRecord r = archive_.Archive(Facts(TChartType::tcMitumori, "", QDate(), "X", 1000), Pdf("x"));
  EXPECT_EQ(r.slipDate, QDate(2027, 1, 4));
  EXPECT_EQ(r.file, "issued/2027/20270104_X_1000_見積書_1.pdf");
}

TEST_F(IssueArchiveTest, ACorrectionIsANewRecordNamingTheOneItCorrects) {
  const IssuedRecord first = archive_.Archive(Facts(TChartType::tcSeikyu, "S-7", QDate(2026, 11, 30), "A", 1100), Pdf("1"));
  // The same number in another kind is no correction of it.
  const IssuedRecord other = archive_.Archive(Facts(TChartType::tcNouhin, "S-7", QDate(2026, 11, 30), "A", 1100), Pdf("2"));
  clock_.Set(QDateTime(QDate(2026, 12, 1), QTime(10, 0)));
  const IssuedRecord second = archive_.Archive(Facts(TChartType::tcSeikyu, "S-7", QDate(2026, 11, 30), "A", 2200), Pdf("3"));
  const IssuedRecord third = archive_.Archive(Facts(TChartType::tcSeikyu, "S-7", QDate(2026, 11, 30), "A", 3300), Pdf("4"));

  EXPECT_FALSE(first.corrects.has_value());
  EXPECT_FALSE(other.corrects.has_value());
  ASSERT_TRUE(second.corrects.has_value());
  EXPECT_EQ(*second.corrects, first.id);
  ASSERT_TRUE(third.corrects.has_value());
  EXPECT_EQ(*third.corrects, second.id);
  // Nothing was overwritten: every PDF as it was issued, every record findable.
  EXPECT_EQ(ReadWholeFile(Data(first.file)), Pdf("1"));
  EXPECT_EQ(ReadWholeFile(Data(second.file)), Pdf("3"));
  IssueFilter seikyu;
  seikyu.kind = TChartType::tcSeikyu;
  EXPECT_EQ(archive_.Find(seikyu).size(), 3u);
  // The chain: each record names the hash of the one before it.
  const auto all = archive_.All();
  ASSERT_EQ(all.size(), 4u);
  for (std::size_t i = 1; i < all.size(); ++i) EXPECT_EQ(all[i].previous, all[i - 1].hash);
  EXPECT_TRUE(archive_.Verify().bad.empty());
}

// Ten records over two years, four customers and three kinds.
class IssueSearchTest : public IssueArchiveTest {
 protected:
  IssueSearchTest() {
    const struct {
      TChartType kind;
      QDate date;
      const char* customer;
      long long total;
    } rows[] = {
        {TChartType::tcSeikyu, {2026, 12, 10}, "山田建設株式会社", 702487},
        {TChartType::tcMitumori, {2026, 12, 1}, "山田建設株式会社", 100000},
        {TChartType::tcSeikyu, {2026, 11, 30}, "有限会社 鈴木工務店", 55000},
        {TChartType::tcRyosyu, {2026, 12, 31}, "鈴木設備", 55001},
        {TChartType::tcGoukeiSeikyu, {2027, 1, 1}, "山田建設株式会社", 1650000},
        {TChartType::tcSeikyu, {2025, 12, 10}, "100%_商会", 54999},
        {TChartType::tcNouhin, {2026, 12, 10}, "佐藤電気", 0},
        {TChartType::tcSeikyu, {2026, 12, 11}, "佐藤電気", -5000},
    };
    int n = 0;
    for (const auto& row : rows) {
      const std::string number = std::to_string(++n);
      ids_.push_back(archive_.Archive(Facts(row.kind, "N" + number, row.date, row.customer, row.total), Pdf(number)).id);
    }
  }

  std::vector<std::int64_t> Hits(const IssueFilter& f) {
    std::vector<std::int64_t> out;
    for (const IssuedRecord& r : archive_.Find(f)) out.push_back(r.id);
    return out;
  }

  std::vector<std::int64_t> ids_;
};

using Ids = std::vector<std::int64_t>;

TEST_F(IssueSearchTest, EachFilterAloneIncludesItsEdges) {
  // No filter: everything, by slip date and then by number.
  EXPECT_EQ(Hits({}), (Ids{6, 3, 2, 1, 7, 8, 4, 5}));

  IssueFilter from;
  from.from = QDate(2026, 12, 10);
  EXPECT_EQ(Hits(from), (Ids{1, 7, 8, 4, 5}));
  IssueFilter to;
  to.to = QDate(2026, 12, 1);
  EXPECT_EQ(Hits(to), (Ids{6, 3, 2}));
  IssueFilter day;
  day.from = day.to = QDate(2026, 12, 10);
  EXPECT_EQ(Hits(day), (Ids{1, 7}));

  IssueFilter min;
  min.min = Currency::FromYen(55000);
  EXPECT_EQ(Hits(min), (Ids{3, 2, 1, 4, 5}));
  IssueFilter max;
  max.max = Currency::FromYen(55000);
  EXPECT_EQ(Hits(max), (Ids{6, 3, 7, 8}));
  IssueFilter exact;
  exact.min = exact.max = Currency::FromYen(55001);
  EXPECT_EQ(Hits(exact), (Ids{4}));

  IssueFilter customer;
  customer.customer = "鈴木";
  EXPECT_EQ(Hits(customer), (Ids{3, 4}));
  // The text is taken as it is: % and _ are no wildcards.
  IssueFilter percent;
  percent.customer = "%_";
  EXPECT_EQ(Hits(percent), (Ids{6}));
  IssueFilter none;
  none.customer = "存在しない";
  EXPECT_TRUE(Hits(none).empty());

  IssueFilter kind;
  kind.kind = TChartType::tcSeikyu;
  EXPECT_EQ(Hits(kind), (Ids{6, 3, 1, 8}));
}

TEST_F(IssueSearchTest, FiltersCombine) {
  IssueFilter f;
  f.from = QDate(2026, 12, 1);
  f.to = QDate(2026, 12, 31);
  f.customer = "山田";
  EXPECT_EQ(Hits(f), (Ids{2, 1}));
  f.min = Currency::FromYen(100001);
  EXPECT_EQ(Hits(f), (Ids{1}));
  f.kind = TChartType::tcMitumori;
  EXPECT_TRUE(Hits(f).empty());

  // A slip date typed in the era form finds the same records as the western one.
  IssueFilter era;
  era.from = ParseDateText("令和8年12月10日");
  era.to = ParseDateText("Ｒ８．１２．１０");
  ASSERT_TRUE(era.from && era.from->isValid());
  ASSERT_TRUE(era.to && era.to->isValid());
  EXPECT_EQ(Hits(era), (Ids{1, 7}));
  EXPECT_EQ(FromSlipDate("令和08", "12", "10"), QDate(2026, 12, 10));
  EXPECT_EQ(FromSlipDate("2026", "２", "３"), QDate(2026, 2, 3));
  EXPECT_FALSE(FromSlipDate("令和08", "2", "30").isValid());
  EXPECT_FALSE(ParseDateText("2026-12").isValid());
  EXPECT_FALSE(ParseDateText("2026-12-10x").isValid());
}

TEST_F(IssueSearchTest, TheCsvHoldsEveryFieldInItsColumn) {
  IssueFilter f;
  f.customer = "山田建設";
  const std::string csv = IssuedCsv(archive_.Find(f));
  const std::string text = cp932::Decode(csv);
  QStringList lines = QString::fromStdString(text).split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 5);  // heading, three records, and the end after the last CR LF
  EXPECT_EQ(lines.back(), QString());
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\r'), 4);
  const std::vector<std::string> heading = SplitCommaText(lines[0].toStdString(), Blanks::ControlsOnly);
  ASSERT_EQ(heading.size(), 16u);
  EXPECT_EQ(heading[0], "番号");
  EXPECT_EQ(heading[2], "取引年月日");
  EXPECT_EQ(heading[7], "合計金額");
  const std::vector<std::string> row = SplitCommaText(lines[2].toStdString(), Blanks::ControlsOnly);  // record 1
  ASSERT_EQ(row.size(), 16u);
  const IssuedRecord r = archive_.All()[0];
  const std::vector<std::string> expected = {"1", "2026-12-10 09:15:30", "2026-12-10", "請求書", "N1", "山田建設株式会社",
                                             "C-N1", "702487", "63862", "", "pdf", "/home/user/Desktop/N1.pdf",
                                             "N1.QM1", r.file, r.sha256, ""};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(row[static_cast<std::size_t>(i)], expected[static_cast<std::size_t>(i)]) << "column " << i;
}

TEST_F(IssueSearchTest, VerifyNamesEachRecordThatFailsAndWhy) {
  const auto reasons = [this] {
    std::vector<std::pair<std::int64_t, std::string>> out;
    for (const VerifyProblem& p : archive_.Verify().bad) out.emplace_back(p.id, p.reason);
    return out;
  };
  using Reasons = std::vector<std::pair<std::int64_t, std::string>>;
  EXPECT_EQ(archive_.Verify().records, 8);
  EXPECT_TRUE(reasons().empty());

  const auto all = archive_.All();
  // One byte of a PDF flipped.
  std::string bytes = ReadWholeFile(Data(all[2].file));
  bytes[3] ^= 0x01;
  WriteFileAtomically(Data(all[2].file), bytes);
  EXPECT_EQ(reasons(), (Reasons{{3, "PDFが変更されています"}}));

  // A PDF deleted.
  ASSERT_TRUE(QFile::remove(QString::fromStdString(Data(all[4].file))));
  EXPECT_EQ(reasons(), (Reasons{{3, "PDFが変更されています"}, {5, "PDFがありません"}}));

  // A record edited with the sqlite3 tool: its hash no longer fits.
  const QString db = QString::fromStdString(archive_.IndexPath());
  archive_.Close();
  ASSERT_EQ(RunSqlite(db, QStringLiteral("UPDATE issued SET total = total + 100 WHERE id = 6")), 0);
  EXPECT_EQ(reasons(), (Reasons{{3, "PDFが変更されています"}, {5, "PDFがありません"}, {6, "記録が変更されています"}}));

  // A record edited and its hash made anew: the next record's chain no longer fits.
  archive_.Close();
  ASSERT_EQ(RunSqlite(db, QStringLiteral("UPDATE issued SET hash = 'ab' WHERE id = 6")), 0);
  EXPECT_EQ(reasons(), (Reasons{{3, "PDFが変更されています"}, {5, "PDFがありません"}, {6, "記録が変更されています"},
                                {7, "前の記録とつながっていません"}}));
}

TEST_F(IssueSearchTest, VerifyFindsDeletedRecordsTheLastOneToo) {
  const QString db = QString::fromStdString(archive_.IndexPath());
  archive_.Close();
  ASSERT_EQ(RunSqlite(db, QStringLiteral("DELETE FROM issued WHERE id IN (4, 8)")), 0);
  const VerifyResult v = archive_.Verify();
  EXPECT_EQ(v.records, 6);
  ASSERT_EQ(v.bad.size(), 2u);
  EXPECT_EQ(v.bad[0].id, 4);
  EXPECT_EQ(v.bad[0].reason, "記録が削除されています");
  EXPECT_EQ(v.bad[1].id, 8);
  EXPECT_EQ(v.bad[1].reason, "記録が削除されています");
  // The next issue does not take a deleted number.
  EXPECT_EQ(archive_.Archive(Facts(TChartType::tcSeikyu, "Z", QDate(2026, 12, 12), "Z", 1), Pdf("z")).id, 9);
}

TEST_F(IssueSearchTest, VerifyNamesAPdfNoRecordNames) {
  EnsureFolder(folder_.Root() + "issued/2026");
  WriteFileAtomically(Data("issued/2026/20261201_誰か_5_請求書_3.pdf"), Pdf("planted"));
  const VerifyResult v = archive_.Verify();
  ASSERT_EQ(v.bad.size(), 1u);
  EXPECT_EQ(v.bad[0].id, 0);
  EXPECT_EQ(v.bad[0].reason, "記録のないPDFです: issued/2026/20261201_誰か_5_請求書_3.pdf");
}

TEST_F(IssueArchiveTest, AFailedWriteOrInsertLeavesNoRecordAndNoFile) {
  const IssuedRecord kept = archive_.Archive(Facts(TChartType::tcSeikyu, "K", QDate(2026, 12, 1), "K", 10), Pdf("k"));
  const std::set<std::string> before = PdfFiles(archive_);
  // Each step of the PDF's write, then the index's insert and its commit, made to fail.
  std::vector<std::pair<WriteStep, bool>> faults;
  for (const WriteStep step : {WriteStep::Create, WriteStep::Write, WriteStep::Flush, WriteStep::Sync, WriteStep::Rename})
    faults.emplace_back(step, false);
  faults.emplace_back(WriteStep::Write, true);
  faults.emplace_back(WriteStep::Sync, true);
  for (const auto& [step, index] : faults) {
    SCOPED_TRACE(std::string(WriteStepName(step)) + (index ? " of the index" : " of the PDF"));
    SetWriteFaultHook([&, step = step, index = index](WriteStep s, const std::string& target) {
      const bool isIndex = target == archive_.IndexPath();
      return s == step && isIndex == index;
    });
    EXPECT_THROW(archive_.Archive(Facts(TChartType::tcSeikyu, "F", QDate(2026, 12, 2), "F", 20), Pdf("f")), Error);
    SetWriteFaultHook({});
    EXPECT_EQ(archive_.All().size(), 1u);
    EXPECT_EQ(PdfFiles(archive_), before);
  }
  // The archive goes on as if nothing had happened.
  const IssuedRecord next = archive_.Archive(Facts(TChartType::tcSeikyu, "F", QDate(2026, 12, 2), "F", 20), Pdf("f"));
  EXPECT_EQ(next.id, kept.id + 1);
  EXPECT_EQ(next.previous, kept.hash);
  EXPECT_TRUE(archive_.Verify().bad.empty());
}

TEST_F(IssueArchiveTest, AnUnfinishedIssueIsNoFault) {
  archive_.Archive(Facts(TChartType::tcSeikyu, "K", QDate(2026, 12, 1), "K", 10), Pdf("k"));
  // A PDF written by an issue that was killed before its record was committed.
  WriteFileAtomically(Data("issued/2026/20261201_K_10_請求書_2.pdf"), Pdf("cut short"));
  EXPECT_TRUE(archive_.Verify().bad.empty());
}

TEST_F(IssueArchiveTest, CustomerNamesAreMadeSafeForFileNames) {
  const std::string awkward = "..株式会社/A\\B:C*D?E\"F<G>H|I\tJ\x01" "K  ";
  const IssuedRecord r = archive_.Archive(Facts(TChartType::tcRyosyu, "R", QDate(2026, 12, 3), awkward, 3000), Pdf("r"));
  EXPECT_EQ(r.file, "issued/2026/20261203_株式会社_A_B_C_D_E_F_G_H_I_J_K_3000_領収書_1.pdf");
  EXPECT_TRUE(QFile::exists(QString::fromStdString(Data(r.file))));
  // The record keeps the name as printed.
  EXPECT_EQ(archive_.All()[0].customer, awkward);

  const IssuedRecord blank = archive_.Archive(Facts(TChartType::tcRyosyu, "S", QDate(2026, 12, 3), "...", 1), Pdf("s"));
  EXPECT_EQ(blank.file, "issued/2026/20261203_名称なし_1_領収書_2.pdf");
  const IssuedRecord longName =
      archive_.Archive(Facts(TChartType::tcRyosyu, "T", QDate(2026, 12, 3), std::string(300, 'a'), 1), Pdf("t"));
  EXPECT_EQ(longName.file, "issued/2026/20261203_" + std::string(40, 'a') + "_1_領収書_3.pdf");
  EXPECT_TRUE(QFile::exists(QString::fromStdString(Data(longName.file))));
  EXPECT_TRUE(archive_.Verify().bad.empty());
}

TEST_F(IssueArchiveTest, BackupAndRestoreCarryTheArchive) {
  archive_.Archive(Facts(TChartType::tcSeikyu, "B1", QDate(2026, 12, 1), "B", 100), Pdf("b1"));
  archive_.Archive(Facts(TChartType::tcSeikyu, "B2", QDate(2027, 1, 5), "B", 200), Pdf("b2"));
  QTemporaryDir backup;
  EXPECT_EQ(BackupArchive(archive_.FolderPath(), backup.path().toStdString()), 3);  // the index and two PDFs

  // Into a new data folder: the archive comes back whole and verifies.
  QTemporaryDir other;
  IssueArchive fresh{DataFolder(other.path().toStdString() + "/")};
  const bool hasRecords = !fresh.Empty();
  EXPECT_FALSE(hasRecords);
  fresh.Close();
  EXPECT_EQ(RestoreArchive(backup.path().toStdString(), fresh.FolderPath(), hasRecords), ArchiveRestore::Restored);
  EXPECT_EQ(fresh.All().size(), 2u);
  EXPECT_TRUE(fresh.Verify().bad.empty());
  EXPECT_EQ(fresh.Archive(Facts(TChartType::tcSeikyu, "B1", QDate(2026, 12, 1), "B", 150), Pdf("b3")).corrects, 1);

  // An archive with records of its own is never replaced.
  EXPECT_EQ(RestoreArchive(backup.path().toStdString(), fresh.FolderPath(), !fresh.Empty()), ArchiveRestore::KeptCurrent);
  EXPECT_EQ(fresh.All().size(), 3u);
  // A backup without an archive leaves it alone.
  QTemporaryDir bare;
  EXPECT_EQ(RestoreArchive(bare.path().toStdString(), fresh.FolderPath(), false), ArchiveRestore::NoneInBackup);
}

// The facts of real print jobs: the figures as the sheet prints them.
class IssueFactsTest : public ::testing::Test {
 protected:
  IssueFactsTest() : config_(dir_.filePath("img").toStdString()), companies_(dir_.filePath("img").toStdString()) {
    QDir(dir_.path()).mkdir("img");
    config_.LoadConfig(dir_.filePath("conf.ini").toStdString());
    companies_.LoadConfig(dir_.filePath("conf.ini").toStdString());
    companies_.CampanyInfoArray(0).SetCampanyName1("ベロラ工務店");
    companies_.CampanyInfoArray(0).SetRegistNo("T1234567890123");
    doc_.CustomerInfo().SetCustomerName1("山田建設株式会社");
    doc_.CustomerInfo().SetCustomerCode("Y001");
    doc_.SetSlipCodeStr("No.42");
    doc_.SetSlipDateStrYY("令和08");
    doc_.SetSlipDateStrMM("12");
    doc_.SetSlipDateStrDD("10");
    doc_.SetTaxRate(Currency::FromYen(10));
    auto line = std::make_unique<TMxEstimateObject>();
    line->SetName("工事");
    line->SetNum(Currency::FromYen(1));
    line->SetPrice(Currency::FromYen(638625));
    line->DoCalc();
    doc_.Add(std::move(line));
    doc_.DoCalc();
    chart_.doc = slip_.doc = &doc_;
    chart_.config = slip_.config = &config_;
    chart_.companies = slip_.companies = &companies_;
    chart_.settings.tax = DeriveTaxChoice(doc_);
  }

  QTemporaryDir dir_;
  TMxConfigInfo config_;
  TMxCampanyInfoManager companies_;
  TMxEstimateObjectList doc_;
  ChartPageSources chart_;
  SlipSources slip_;
};

TEST_F(IssueFactsTest, AnInvoiceIsKnownByItsSlipItsCustomerAndItsFigures) {
  chart_.settings.options.PrintRegistNo = true;
  const PrintJob job = PrintJob::Chart(chart_, TChartType::tcSeikyu);
  const IssueFacts f = FactsOf(job, IssueVia::Print, "PDF", "/home/user/data/No42.QM1");
  EXPECT_EQ(f.kind, TChartType::tcSeikyu);
  EXPECT_EQ(f.slipNo, "No.42");
  EXPECT_EQ(f.slipDate, QDate(2026, 12, 10));
  EXPECT_EQ(f.customer, "山田建設株式会社");
  EXPECT_EQ(f.customerCode, "Y001");
  EXPECT_EQ(f.tax, doc_.TotalTax());
  EXPECT_EQ(f.total, doc_.TotalPrice());
  EXPECT_EQ(f.total, Currency::FromYen(702487));
  EXPECT_EQ(f.registNo, "T1234567890123");
  EXPECT_EQ(f.via, IssueVia::Print);
  EXPECT_EQ(f.target, "PDF");
  EXPECT_EQ(f.source, "No42.QM1");

  // No registration number when the sheet does not print it.
  chart_.settings.options.PrintRegistNo = false;
  EXPECT_EQ(FactsOf(PrintJob::Chart(chart_, TChartType::tcSeikyu), IssueVia::Pdf, "", "").registNo, "");
}

TEST_F(IssueFactsTest, TheTotalInvoiceBillsTheBalanceCarriedOver) {
  TPrintTotalClaimOptions options;
  options.Result = "12,000";
  const IssueFacts f = FactsOf(PrintJob::TotalClaim(slip_, options), IssueVia::Qm, "out.pdf", "");
  EXPECT_EQ(f.kind, TChartType::tcGoukeiSeikyu);
  EXPECT_EQ(f.total, Currency::FromYen(702487 + 12000));
}

TEST_F(IssueFactsTest, OnlyDocumentsHandedOutAreKeptAndOnlyWhenTheSettingsSaySo) {
  EXPECT_TRUE(IsKept(config_, PrintJob::Chart(chart_, TChartType::tcMitumori)));
  EXPECT_TRUE(IsKept(config_, PrintJob::Receipt(slip_, TPrintReceiptOptions())));
  EXPECT_TRUE(IsKept(config_, PrintJob::TotalClaim(slip_, TPrintTotalClaimOptions())));
  EXPECT_FALSE(IsKept(config_, PrintJob::FaxSender(slip_, TPrintFaxOptions())));
  for (const auto& kind : DocumentKinds())
    EXPECT_EQ(IsArchivedKind(kind.kind), kind.family == KindFamily::Estimate || kind.kind == TChartType::tcRyosyu ||
                                             kind.kind == TChartType::tcGoukeiSeikyu)
        << kind.cliName;
  config_.SetIssueArchive(false);
  EXPECT_FALSE(IsKept(config_, PrintJob::Chart(chart_, TChartType::tcSeikyu)));

  IssueArchive archive{DataFolder(dir_.path().toStdString() + "/")};
  EXPECT_FALSE(KeepIssued(archive, config_, PrintJob::Chart(chart_, TChartType::tcSeikyu), IssueVia::Pdf, "", "", "%PDF")
                   .has_value());
  EXPECT_TRUE(archive.Empty());
  config_.SetIssueArchive(true);
  const auto kept = KeepIssued(archive, config_, PrintJob::Chart(chart_, TChartType::tcSeikyu), IssueVia::Pdf, "", "", "%PDF");
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(kept->file, "issued/2026/20261210_山田建設株式会社_702487_請求書_1.pdf");
}

}  // namespace
}  // namespace qm::archive
