// Every kind of file the program writes, made to fail at each step of each of its
// writes in turn (create, write, flush, sync, rename): the old files stay byte for byte,
// a file that was written is whole, and no temporary file is left behind.
#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>

#include "base/atomic_file.h"
#include "base/clock.h"
#include "base/cp932.h"
#include "base/error.h"
#include "files/backup.h"
#include "model/company_info.h"
#include "model/config_info.h"
#include "model/estimate_list.h"
#include "model/history_store.h"
#include "model/master_lists.h"
#include "model/settings_images.h"
#include "pdf/chart_pdf.h"
#include "postal/national_csv.h"
#include "postal/zip_update.h"
#include "print/print_job.h"
#include "print/print_options.h"
#include "support/images.h"

namespace qm {
namespace {

// Every file under the folder, by its path relative to it. Staging folders of a restore
// have random names; they are listed under one name.
using Snapshot = std::map<std::string, std::string>;

Snapshot Take(const QString& root) {
  Snapshot files;
  static const QRegularExpression staging(QStringLiteral("/\\.restore-[^/]+/"));
  QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    QString relative = QDir(root).relativeFilePath(path);
    relative = QString(QStringLiteral("/") + relative).replace(staging, QStringLiteral("/.restore/")).mid(1);
    files[relative.toStdString()] = ReadWholeFile(path.toStdString());
  }
  return files;
}

bool IsTemporary(const std::string& relative) {
  static const QRegularExpression temp(QStringLiteral("(^|/)\\.[^/]*\\.tmp$"));
  return temp.match(QString::fromStdString(relative)).hasMatch();
}

std::string Describe(const Snapshot& s) {
  std::string out;
  for (const auto& [path, bytes] : s) out += "  " + path + " (" + std::to_string(bytes.size()) + " bytes)\n";
  return out;
}

// Runs `write` with the fault hook answering `answer` for each step; the hook is cleared
// whatever happens.
void WithHook(const WriteFaultHook& answer, const std::function<void()>& write) {
  SetWriteFaultHook(answer);
  try {
    write();
  } catch (...) {
    SetWriteFaultHook({});
    throw;
  }
  SetWriteFaultHook({});
}

struct Step {
  WriteStep step;
  std::string target;
};

// A document with a line and a comment that tell versions apart.
void SaveDocument(const std::string& path, const std::string& name, const std::string& comment) {
  TMxEstimateObjectList doc;
  auto line = std::make_unique<TMxEstimateObject>();
  line->SetName(name);
  line->SetNum(Currency::FromYen(2));
  line->SetPrice(Currency::FromYen(1500));
  line->DoCalc();
  doc.Add(std::move(line));
  doc.DoCalc();
  doc.SaveFile(path, comment, FixedClock(QDateTime(QDate(2026, 12, 10), QTime(9, 30))));
}

std::string NationalRow(const std::string& code, const std::string& town) {
  return cp932::EncodeOrThrow("13101,\"100  \",\"" + code + "\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｶﾅ\",\"東京都\",\"千代田区\",\"" +
                              town + "\",0,0,0,0,0,0") +
         "\r\n";
}

struct WriteKind {
  const char* name;
  // Writes the files as they are before (never under a fault).
  std::function<void(const QString& root)> before;
  // The write under test; may throw qm::Error when a step fails.
  std::function<void(const QString& root)> write;
  // True when a failed write must leave every file as it was; false for operations
  // over many files that keep each file written (a backup; the profiles in conf.ini,
  // then their pictures), where every file must be either its old or its new self.
  bool allOrNothing = true;
};

std::string P(const QString& root, const char* relative) { return QDir(root).filePath(relative).toStdString(); }

std::vector<WriteKind> Kinds() {
  std::vector<WriteKind> kinds;
  kinds.push_back({"estimate file",
                   [](const QString& r) {
                     QDir(r).mkdir("save");
                     SaveDocument(P(r, "save/外壁.QM1"), "旧い行", "old");
                   },
                   [](const QString& r) { SaveDocument(P(r, "save/外壁.QM1"), "新しい行", "new"); }});
  kinds.push_back({"conf.ini settings",
                   [](const QString& r) {
                     QDir(r).mkdir("img");
                     TMxConfigInfo config(P(r, "img"));
                     config.LoadConfig(P(r, "conf.ini"));
                     config.SaveConfig(P(r, "conf.ini"));
                   },
                   [](const QString& r) {
                     TMxConfigInfo config(P(r, "img"));
                     config.LoadConfig(P(r, "conf.ini"));
                     config.SetTaxRate(Currency::FromYen(8));
                     config.SetNatsuinName1("承認");
                     config.SaveConfig(P(r, "conf.ini"));
                   }});
  kinds.push_back({"conf.ini company profiles with logo",
                   [](const QString& r) {
                     QDir(r).mkdir("img");
                     TMxCampanyInfoManager companies(P(r, "img"));
                     companies.LoadConfig(P(r, "conf.ini"));
                     companies.CampanyInfoArray(0).SetCampanyName1("旧社名");
                     companies.SaveConfig(P(r, "conf.ini"));
                   },
                   [](const QString& r) {
                     TMxCampanyInfoManager companies(P(r, "img"));
                     companies.LoadConfig(P(r, "conf.ini"));
                     companies.CampanyInfoArray(0).SetCampanyName1("新社名");
                     companies.CampanyInfoArray(0).LogoImage().Assign(PictureKind::Bmp,
                                                                      qmtest::EncodedImage("bmp", 12, 6));
                     companies.SaveConfig(P(r, "conf.ini"));
                   },
                   false});
  kinds.push_back({"print.ini",
                   [](const QString& r) {
                     SavePrintConfig(P(r, "print.ini"), TChartType::tcMitumori, TPrintMitsuOptions{});
                   },
                   [](const QString& r) {
                     TPrintMitsuOptions options;
                     options.PrintCopy = true;
                     SavePrintConfig(P(r, "print.ini"), TChartType::tcMitumori, options);
                   }});
  kinds.push_back({"customer master",
                   [](const QString& r) {
                     TMxCustomerObjectList list;
                     auto c = std::make_unique<TMxCustomerObject>();
                     c->SetCustomerName1("旧顧客");
                     list.Add(std::move(c));
                     list.SaveConfig(P(r, "customer.dat"));
                   },
                   [](const QString& r) {
                     TMxCustomerObjectList list;
                     list.LoadConfig(P(r, "customer.dat"));
                     auto c = std::make_unique<TMxCustomerObject>();
                     c->SetCustomerName1("新顧客");
                     list.Add(std::move(c));
                     list.SaveConfig(P(r, "customer.dat"));
                   }});
  kinds.push_back({"item master",
                   [](const QString& r) {
                     TMxItemObjectList list;
                     list.SaveConfig(P(r, "item.dat"));
                   },
                   [](const QString& r) {
                     TMxItemObjectList list;
                     auto i = std::make_unique<TMxItemObject>();
                     i->SetItemName("足場");
                     i->SetItemPrice(Currency::FromYen(1200));
                     list.Add(std::move(i));
                     list.SaveConfig(P(r, "item.dat"));
                   }});
  kinds.push_back({"unit master",
                   [](const QString& r) {
                     TMxItemUnitObjectList list;
                     auto u = std::make_unique<TMxItemUnitObject>();
                     u->SetItemUnit("式");
                     list.Add(std::move(u));
                     list.SaveConfig(P(r, "unit.dat"));
                   },
                   [](const QString& r) {
                     TMxItemUnitObjectList list;
                     list.LoadConfig(P(r, "unit.dat"));
                     auto u = std::make_unique<TMxItemUnitObject>();
                     u->SetItemUnit("㎡");
                     list.Add(std::move(u));
                     list.SaveConfig(P(r, "unit.dat"));
                   }});
  kinds.push_back({"seal image",
                   [](const QString& r) {
                     TMxPicture old;
                     old.Assign(PictureKind::Bmp, qmtest::EncodedImage("bmp", 8, 8));
                     SaveBitmapFile(P(r, "seal.bmp"), old);
                   },
                   [](const QString& r) {
                     TMxPicture fresh;
                     fresh.Assign(PictureKind::Bmp, qmtest::EncodedImage("bmp", 16, 12));
                     SaveBitmapFile(P(r, "seal.bmp"), fresh);
                   }});
  kinds.push_back({"input history",
                   [](const QString& r) { IniHistoryStore(P(r, "history.ini")).Replace("Customer", {"山田", "佐藤"}); },
                   [](const QString& r) {
                     IniHistoryStore(P(r, "history.ini")).Replace("Customer", {"鈴木", "山田", "佐藤"});
                   }});
  kinds.push_back({"PDF",
                   [](const QString& r) { WriteFileAtomically(P(r, "out.pdf"), "%PDF-1.4 the old export\n"); },
                   [](const QString& r) {
                     QDir(r).mkdir("img");
                     TMxConfigInfo config(P(r, "img"));
                     config.LoadConfig(P(r, "conf.ini"));
                     TMxCampanyInfoManager companies(P(r, "img"));
                     companies.LoadConfig(P(r, "conf.ini"));
                     TMxEstimateObjectList doc;
                     ChartPageSources src;
                     src.doc = &doc;
                     src.config = &config;
                     src.companies = &companies;
                     pdf::PrintPDFChart(PrintJob::Chart(src, TChartType::tcMitumori), P(r, "out.pdf"));
                   }});
  kinds.push_back({"postal table and version (zip.dat, version.txt)",
                   [](const QString& r) {
                     QDir(r).mkdir("zip");
                     WriteFileAtomically(P(r, "zip/zip.dat"), "1000001,old\r\n");
                     WriteFileAtomically(P(r, "zip/version.txt"), "20250101\r\nold\r\n");
                     WriteFileAtomically(P(r, "KEN_ALL.CSV"),
                                         NationalRow("1000001", "千代田") + NationalRow("1000002", "皇居外苑"));
                   },
                   [](const QString& r) { postal::ImportNationalCsv(P(r, "KEN_ALL.CSV"), P(r, "zip")); }});
  kinds.push_back({"proxy settings (pro.dat)",
                   [](const QString& r) { postal::WriteProxySettings(P(r, "pro.dat"), "proxy.old", "8080"); },
                   [](const QString& r) { postal::WriteProxySettings(P(r, "pro.dat"), "proxy.new", "3128"); }});
  kinds.push_back({"backup",
                   [](const QString& r) {
                     QDir(r).mkpath("save");
                     QDir(r).mkpath("backups");
                     SaveDocument(P(r, "save/A.QM1"), "甲", "a");
                     SaveDocument(P(r, "save/B.QM1"), "乙", "b");
                   },
                   [](const QString& r) { Backup(P(r, "save"), P(r, "backups"), QDate(2026, 12, 10)); },
                   false});
  kinds.push_back({"restore",
                   [](const QString& r) {
                     QDir(r).mkpath("save");
                     QDir(r).mkpath("chosen");
                     SaveDocument(P(r, "save/Current.QM1"), "現行", "c");
                     SaveDocument(P(r, "chosen/A.QM1"), "甲", "a");
                     SaveDocument(P(r, "chosen/B.QM1"), "乙", "b");
                   },
                   [](const QString& r) { Restore(P(r, "chosen"), P(r, "save")); }, false});
  return kinds;
}

// What a failed restore must keep: the save folder as it was, or, once its documents
// were removed, every chosen document, whole, either in the save folder or in the
// staging folder the error names.
void ExpectRestoreKeptEveryDocument(const Snapshot& old, const Snapshot& after) {
  const auto inSave = [](const Snapshot& s) {
    Snapshot save;
    for (const auto& [path, bytes] : s)
      if (path.rfind("save/", 0) == 0) save[path] = bytes;
    return save;
  };
  if (inSave(after) == inSave(old)) return;
  for (const auto& [path, bytes] : after) {
    if (path.rfind("chosen/", 0) != 0) continue;
    bool found = false;
    for (const auto& [other, otherBytes] : after)
      found = found || ((other.rfind("save/", 0) == 0) && otherBytes == bytes);
    EXPECT_TRUE(found) << path << " is neither in the save folder nor staged\n" << Describe(after);
  }
}

TEST(WriteFaults, EveryStepOfEveryKindOfWriteFailsCleanly) {
  for (const WriteKind& kind : Kinds()) {
    SCOPED_TRACE(kind.name);
    // The steps of the write when nothing fails, and what it leaves.
    QTemporaryDir clean;
    kind.before(clean.path());
    const Snapshot old = Take(clean.path());
    std::vector<Step> steps;
    WithHook(
        [&](WriteStep step, const std::string& target) {
          steps.push_back({step, target});
          return false;
        },
        [&] { kind.write(clean.path()); });
    const Snapshot fresh = Take(clean.path());
    ASSERT_NE(old, fresh) << "the write changed nothing";
    ASSERT_FALSE(steps.empty()) << "the write does not go through the one write path";
    // Each target is written by all five steps, so the walk below covers each of them.
    std::map<std::string, std::set<WriteStep>> stepsOf;
    for (const Step& s : steps) stepsOf[QDir(clean.path()).relativeFilePath(QString::fromStdString(s.target)).toStdString()].insert(s.step);
    for (const auto& [target, seen] : stepsOf) {
      if (seen.count(WriteStep::Create) == 0) continue;  // a move has only its rename
      EXPECT_EQ(seen.size(), 5u) << target;
    }

    for (std::size_t failing = 0; failing < steps.size(); ++failing) {
      const Step& f = steps[failing];
      SCOPED_TRACE(std::string(WriteStepName(f.step)) + " of " + f.target + " (step " + std::to_string(failing + 1) +
                   " of " + std::to_string(steps.size()) + ")");
      QTemporaryDir dir;
      kind.before(dir.path());
      std::size_t seen = 0;
      std::optional<std::string> thrown;
      try {
        WithHook([&](WriteStep, const std::string&) { return seen++ == failing; }, [&] { kind.write(dir.path()); });
      } catch (const Error& e) {
        thrown = e.what();
      }
      const Snapshot after = Take(dir.path());
      for (const auto& [path, bytes] : after) EXPECT_FALSE(IsTemporary(path)) << "left behind: " << path;

      if (kind.allOrNothing) {
        ASSERT_TRUE(thrown.has_value()) << "the failure was not reported";
        EXPECT_EQ(after, old) << "after the failure:\n" << Describe(after) << "before:\n" << Describe(old);
        continue;
      }
      // Every file is its old self or its new self; a staged restore is kept as a whole.
      std::set<std::string> paths;
      for (const Snapshot* s : {&old, &fresh, &after})
        for (const auto& entry : *s) paths.insert(entry.first);
      for (const std::string& path : paths) {
        const auto was = old.find(path), will = fresh.find(path), is = after.find(path);
        if (path.rfind("save/.restore/", 0) == 0 && is != after.end()) continue;  // checked below
        const bool asOld = was == old.end() ? is == after.end() : is != after.end() && is->second == was->second;
        const bool asNew = will == fresh.end() ? is == after.end() : is != after.end() && is->second == will->second;
        EXPECT_TRUE(asOld || asNew) << path << " is neither its old nor its new self";
      }
      // The file whose write failed is as it was.
      const std::string failed = QDir(dir.path()).relativeFilePath(QString::fromStdString(f.target)).toStdString();
      const auto was = old.find(failed), is = after.find(failed);
      if (f.target.find("/.restore-") == std::string::npos) {
        EXPECT_TRUE(was == old.end() ? is == after.end() : is != after.end() && is->second == was->second)
            << failed << " changed although its write failed";
      }
      if (std::string(kind.name) == "restore") {
        ASSERT_TRUE(thrown.has_value()) << "the failed restore was not reported";
        ExpectRestoreKeptEveryDocument(old, after);
      }
    }
  }
}

TEST(WriteFaults, AFailedCopyLeavesTheBackupWithoutThatFileAndCountsTheRest) {
  QTemporaryDir dir;
  QDir(dir.path()).mkpath("save");
  QDir(dir.path()).mkpath("backups");
  SaveDocument(P(dir.path(), "save/A.QM1"), "甲", "a");
  SaveDocument(P(dir.path(), "save/B.QM1"), "乙", "b");
  BackupResult result;
  WithHook([](WriteStep step, const std::string& target) { return step == WriteStep::Sync && target.ends_with("B.QM1"); },
           [&] { result = Backup(P(dir.path(), "save"), P(dir.path(), "backups"), QDate(2026, 12, 10)); });
  EXPECT_EQ(result.copied, 1);
  const Snapshot after = Take(dir.path());
  EXPECT_EQ(after.count("backups/Backup20261210/A.QM1"), 1u) << Describe(after);
  EXPECT_EQ(after.count("backups/Backup20261210/B.QM1"), 0u) << Describe(after);
  EXPECT_EQ(after.at("backups/Backup20261210/A.QM1"), after.at("save/A.QM1"));
}

TEST(AtomicFile, KeepsPermissionsAndSymbolicLinks) {
  QTemporaryDir dir;
  const std::string real = P(dir.path(), "real.ini"), link = P(dir.path(), "link.ini");
  WriteFileAtomically(real, "old");
  ASSERT_TRUE(QFile::setPermissions(QString::fromStdString(real), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
  ASSERT_TRUE(QFile::link(QString::fromStdString(real), QString::fromStdString(link)));
  WriteFileAtomically(link, "new");
  EXPECT_TRUE(QFileInfo(QString::fromStdString(link)).isSymLink());
  EXPECT_EQ(ReadWholeFile(real), "new");
  EXPECT_EQ(std::filesystem::status(real).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);
}

TEST(AtomicFile, MoveNeverReplacesAFile) {
  QTemporaryDir dir;
  const std::string a = P(dir.path(), "a"), b = P(dir.path(), "b"), c = P(dir.path(), "c");
  WriteFileAtomically(a, "A");
  WriteFileAtomically(b, "B");
  EXPECT_THROW(MoveFile(a, b), Error);
  EXPECT_EQ(ReadWholeFile(a), "A");
  EXPECT_EQ(ReadWholeFile(b), "B");
  MoveFile(a, c);
  EXPECT_EQ(ReadWholeFile(c), "A");
  EXPECT_FALSE(QFile::exists(QString::fromStdString(a)));
}

}  // namespace
}  // namespace qm
