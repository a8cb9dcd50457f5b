// qm save and qm zip-import killed with SIGKILL at random moments: after every kill the
// files they write are either the old ones or the new ones, whole. The moments are drawn
// from a fixed seed (QM_KILL_SEED overrides it) over the time one undisturbed run takes.
#include <signal.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <random>

#include "base/cp932.h"
#include "cli/cli_test_support.h"

namespace qmtest {
namespace {

constexpr int kKills = 24;
constexpr qint64 kBudgetMs = 8000;  // the kills of one test stop when this is spent

unsigned Seed() {
  const QByteArray given = qgetenv("QM_KILL_SEED");
  return given.isEmpty() ? 20261210u : given.toUInt();
}

class KillTest : public CliTest {
 protected:
  // Starts qm with `args`; with `killAfterUs` >= 0, kills it that many microseconds after
  // it started. Returns true when it was killed before it ended by itself.
  bool RunAndKill(const QStringList& args, qint64 killAfterUs) const {
    QProcess p;
    p.setWorkingDirectory(dir_.path());
    p.start(QM_CLI_PATH, QStringList{"--data", dir_.path()} + args);
    EXPECT_TRUE(p.waitForStarted(10000));
    bool killed = false;
    if (killAfterUs >= 0) {
      QThread::usleep(static_cast<unsigned long>(killAfterUs));
      killed = p.state() == QProcess::Running && ::kill(static_cast<pid_t>(p.processId()), SIGKILL) == 0;
    }
    EXPECT_TRUE(p.waitForFinished(30000));
    if (!killed) {
      EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    }
    return killed && p.exitStatus() == QProcess::CrashExit;
  }

  // Microseconds of one undisturbed run.
  qint64 TimeOfOneRun(const QStringList& args) const {
    QElapsedTimer timer;
    timer.start();
    RunAndKill(args, -1);
    return timer.nsecsElapsed() / 1000;
  }
};

// The saved time sits at a fixed place (after the 15-byte version tag); runs in
// different minutes differ there only.
std::string WithoutSavedAt(QByteArray bytes) {
  constexpr int kAt = 4 + 15 + 4, kLength = 16;
  if (bytes.size() >= kAt + kLength) bytes.replace(kAt, kLength, QByteArray(kLength, '#'));
  return bytes.toStdString();
}

TEST_F(KillTest, AKilledSaveLeavesTheOldDocumentOrTheNewOneWhole) {
  // A document of some megabytes, so that the kills also land while it is written.
  auto document = [](const char* name) {
    QByteArray json = R"({"Comment": "kill", "Lines": [)";
    const QByteArray picture = QByteArray(180 * 1024, 'q').toBase64();
    for (int i = 0; i < 30; ++i) {
      if (i) json += ',';
      json += R"({"Name": ")" + QByteArray(name) + QByteArray::number(i) +
              R"(", "Num": "2", "Price": "1000", "Pic": {"kind": "jpeg", "data": ")" + picture + "\"}}";
    }
    return json + "]}";
  };
  Write("old.json", document("旧"));
  Write("new.json", document("新"));
  const QStringList save = {"save", "new.json", "外壁塗装", "--overwrite"};
  ASSERT_TRUE(RunAndKill({"save", "old.json", "外壁塗装"}, -1) == false);
  const QString file = "data/外壁塗装.QM1";
  const std::string oldBytes = Read(file).toStdString();
  const qint64 oneRun = TimeOfOneRun(save);
  const std::string newBytes = WithoutSavedAt(Read(file));
  ASSERT_NE(WithoutSavedAt(QByteArray::fromStdString(oldBytes)), newBytes);

  std::mt19937 random(Seed());
  std::uniform_int_distribution<qint64> moment(0, oneRun);
  QElapsedTimer spent;
  spent.start();
  int killed = 0, kills = 0;
  for (; kills < kKills && spent.elapsed() < kBudgetMs; ++kills) {
    Write("restore.QM1", QByteArray::fromStdString(oldBytes));
    QFile::remove(Path(file));
    ASSERT_TRUE(QFile::rename(Path("restore.QM1"), Path(file)));
    const qint64 at = moment(random);
    killed += RunAndKill(save, at) ? 1 : 0;
    const QByteArray after = Read(file);
    EXPECT_TRUE(after.toStdString() == oldBytes || WithoutSavedAt(after) == newBytes)
        << "seed " << Seed() << ", killed after " << at << " us: " << after.size() << " bytes, neither old nor new";
  }
  EXPECT_GT(killed, 0) << "no kill landed while qm ran (" << kills << " tries, one run " << oneRun << " us)";
  RecordProperty("kills", killed);
  // Whatever a kill left behind is not a document: the folder lists the one file.
  const CliResult listed = Run({"ls"});
  EXPECT_EQ(listed.exit, 0);
  EXPECT_EQ(QJsonDocument::fromJson(listed.out).array().size(), 1) << listed.out.toStdString();
}

TEST_F(KillTest, AKilledImportLeavesTheOldTableOrTheNewOneWhole) {
  // A national file of 60,000 rows, so that converting and writing take a while.
  std::string csv;
  for (int i = 0; i < 60000; ++i) {
    const std::string code = std::to_string(1000000 + i);
    csv += qm::cp932::EncodeOrThrow("13101,\"100  \",\"" + code +
                                    "\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｶﾅ\",\"東京都\",\"千代田区\",\"町" + code +
                                    "\",0,0,0,0,0,0\r\n");
  }
  Write("KEN_ALL.CSV", QByteArray::fromStdString(csv));
  QDir(dir_.path()).mkdir("zip");
  const QByteArray oldTable = "1000001,old\r\n", oldVersion = "20250101\r\nold\r\n";
  auto restoreOld = [&] {
    Write("zip/zip.dat", oldTable);
    Write("zip/version.txt", oldVersion);
  };
  const QStringList import = {"zip-import", Path("KEN_ALL.CSV")};
  restoreOld();
  const qint64 oneRun = TimeOfOneRun(import);
  const QByteArray newTable = Read("zip/zip.dat"), newVersion = Read("zip/version.txt");
  ASSERT_NE(newTable, oldTable);
  ASSERT_NE(newVersion, oldVersion);

  std::mt19937 random(Seed() + 1);
  std::uniform_int_distribution<qint64> moment(0, oneRun);
  QElapsedTimer spent;
  spent.start();
  int killed = 0, kills = 0;
  for (; kills < kKills && spent.elapsed() < kBudgetMs; ++kills) {
    restoreOld();
    const qint64 at = moment(random);
    killed += RunAndKill(import, at) ? 1 : 0;
    const QByteArray table = Read("zip/zip.dat"), version = Read("zip/version.txt");
    EXPECT_TRUE(table == oldTable || table == newTable)
        << "seed " << Seed() << ", killed after " << at << " us: zip.dat of " << table.size() << " bytes";
    EXPECT_TRUE(version == oldVersion || version == newVersion)
        << "seed " << Seed() << ", killed after " << at << " us: version.txt of " << version.size() << " bytes";
  }
  EXPECT_GT(killed, 0) << "no kill landed while qm ran (" << kills << " tries, one run " << oneRun << " us)";
}

TEST_F(KillTest, AKilledIssueLeavesTheArchiveVerifiable) {
  // An invoice of some pages; the kills land in reading it, writing its PDF, the copy's
  // write, the record's insert and the commit.
  QByteArray json = R"({"CustomerInfo": {"CustomerName1": "山田建設"}, "SlipCodeStr": "K-1", "Lines": [)";
  for (int i = 0; i < 300; ++i) {
    if (i) json += ',';
    json += R"({"Name": "工事)" + QByteArray::number(i) + R"(", "Num": "1", "Price": "1000"})";
  }
  Write("doc.json", json + "]}");
  ASSERT_FALSE(RunAndKill({"build", "doc.json", "doc.QM1"}, -1));
  const QStringList issue = {"pdf", "tcSeikyu", "doc.QM1", "out.pdf"};
  const qint64 oneRun = TimeOfOneRun(issue);

  std::mt19937 random(Seed() + 2);
  std::uniform_int_distribution<qint64> moment(0, oneRun);
  QElapsedTimer spent;
  spent.start();
  int killed = 0, kills = 0;
  for (; kills < kKills && spent.elapsed() < kBudgetMs; ++kills) {
    const qint64 at = moment(random);
    killed += RunAndKill(issue, at) ? 1 : 0;
    const CliResult verify = Run({"issued", "verify"});
    EXPECT_EQ(verify.exit, 0) << "seed " << Seed() << ", killed after " << at << " us: " << verify.out.toStdString();
  }
  EXPECT_GT(killed, 0) << "no kill landed while qm ran (" << kills << " tries, one run " << oneRun << " us)";
  // Every record kept names a PDF that is there; the next issue goes on from the last.
  const CliResult ls = Run({"issued", "ls"});
  const QJsonArray records = QJsonDocument::fromJson(ls.out).array();
  ASSERT_GE(records.size(), 1);
  for (const QJsonValue& r : records) EXPECT_TRUE(QFile::exists(Path(r.toObject().value("File").toString())));
  ASSERT_FALSE(RunAndKill(issue, -1));
  EXPECT_EQ(Run({"issued", "verify"}).exit, 0);
}

}  // namespace
}  // namespace qmtest
