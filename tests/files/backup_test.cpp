// Copying, backup and restore against real folders.
#include "files/backup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <unistd.h>

#include "base/error.h"
#include "files/file_listing.h"
#include "files/files_test_support.h"

using qmtest::FileContent;
using qmtest::SaveDocument;
using qmtest::WriteBytes;

namespace {

// Every entry of a folder (hidden ones too) with its content; folders map to "<dir>".
std::map<std::string, std::string> Snapshot(const QString& dir) {
  std::map<std::string, std::string> entries;
  const QDir d(dir);
  for (const QFileInfo& fi : d.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
    entries[fi.fileName().toStdString()] = fi.isDir() ? "<dir>" : FileContent(fi.filePath());
  return entries;
}

class BackupTest : public ::testing::Test {
 protected:
  QString In(const QString& folder) const { return dir_.filePath(folder); }
  std::string S(const QString& folder) const { return In(folder).toStdString(); }
  void SetUp() override {
    for (const char* f : {"save", "backup", "base"}) ASSERT_TRUE(QDir(dir_.path()).mkdir(f));
  }
  QTemporaryDir dir_;
};

TEST_F(BackupTest, CopyNeverOverwritesAndNumbersTakenNames) {
  WriteBytes(In("save"), "a.QM1", "new a");
  WriteBytes(In("save"), "b.qm1", "new b");
  WriteBytes(In("save"), "c.QM1", "upper c");
  WriteBytes(In("save"), "c.qm1", "lower c");
  WriteBytes(In("save"), ".h.QM1", "hidden");
  WriteBytes(In("save"), "skip.txt", "not a document");
  WriteBytes(In("backup"), "a.QM1", "old a");
  WriteBytes(In("backup"), "a(1).QM1", "old a1");

  EXPECT_EQ(qm::CopyFW5File(S("save"), S("backup")), 5);
  const auto after = Snapshot(In("backup"));
  EXPECT_EQ(after.at("a.QM1"), "old a");
  EXPECT_EQ(after.at("a(1).QM1"), "old a1");
  EXPECT_EQ(after.at("a(2).QM1"), "new a");
  EXPECT_EQ(after.at("b.QM1"), "new b");
  EXPECT_EQ(after.at(".h.QM1"), "hidden");
  // The two c files land under c and c(1), whichever the folder lists first.
  EXPECT_EQ(std::set<std::string>({after.at("c.QM1"), after.at("c(1).QM1")}),
            (std::set<std::string>{"upper c", "lower c"}));
  EXPECT_EQ(after.size(), 7u);
}

TEST_F(BackupTest, FailedCopyIsSkippedButCounted) {
  WriteBytes(In("save"), "a.QM1", "a");
  ASSERT_TRUE(QFile::link(In("save") + "/missing", In("save") + "/gone.QM1"));
  EXPECT_EQ(qm::CopyFW5File(S("save"), S("backup")), 2);
  EXPECT_EQ(Snapshot(In("backup")), (std::map<std::string, std::string>{{"a.QM1", "a"}}));
}

TEST_F(BackupTest, ClearSaveDirDeletesOnlyEstimateFiles) {
  WriteBytes(In("save"), "a.QM1", "a");
  WriteBytes(In("save"), "b.qm1", "b");
  WriteBytes(In("save"), ".h.QM1", "h");
  WriteBytes(In("save"), "keep.txt", "k");
  ASSERT_TRUE(QDir(In("save")).mkdir("folder.QM1"));
  qm::ClearSaveDir(S("save"));
  EXPECT_EQ(Snapshot(In("save")), (std::map<std::string, std::string>{{"keep.txt", "k"}, {"folder.QM1", "<dir>"}}));
}

TEST_F(BackupTest, BackupsOfOneDayGetNumberedFolders) {
  const QDate day(2026, 12, 9);
  SaveDocument(In("save"), "見積.QM1", {});
  WriteBytes(In("save"), "b.qm1", "b");
  const std::vector<std::string> expected = {"Backup20261209", "Backup20261209(1)", "Backup20261209(2)"};
  for (const std::string& name : expected) {
    EXPECT_EQ(qm::BackupFolderName(S("base"), day), S("base") + "/" + name);
    const qm::BackupResult r = qm::Backup(S("save"), S("base"), day);
    ASSERT_TRUE(r.created);
    EXPECT_EQ(r.folder, S("base") + "/" + name + "/");
    EXPECT_EQ(r.copied, 2);
    EXPECT_EQ(Snapshot(QString::fromStdString(r.folder)).size(), 2u);
    EXPECT_EQ(FileContent(QString::fromStdString(r.folder) + "b.QM1"), "b");
  }
  EXPECT_EQ(qm::BackupFolderName(S("base"), day.addDays(1)), S("base") + "/Backup20261210");
  // Untouched by the backups.
  EXPECT_EQ(Snapshot(In("save")).size(), 2u);
}

TEST_F(BackupTest, BackupReportsAFolderItCannotMake) {
  WriteBytes(dir_.path(), "plainfile", "x");
  const qm::BackupResult r = qm::Backup(S("save"), S("plainfile"), QDate(2026, 12, 9));
  EXPECT_FALSE(r.created);
  EXPECT_EQ(r.copied, 0);
}

TEST_F(BackupTest, RestoreReplacesTheEstimateFiles) {
  WriteBytes(In("save"), "old.QM1", "old");
  WriteBytes(In("save"), "a.QM1", "current a");
  WriteBytes(In("save"), "notes.txt", "notes");
  const QString docPath = SaveDocument(In("backup"), "a.QM1", {"会社", "コメント", true});
  WriteBytes(In("backup"), "b.qm1", "backup b");
  WriteBytes(In("backup"), "readme.txt", "not restored");

  EXPECT_EQ(qm::Restore(S("backup"), S("save")).restored, 2);
  EXPECT_EQ(Snapshot(In("save")), (std::map<std::string, std::string>{
                                      {"a.QM1", FileContent(docPath)}, {"b.QM1", "backup b"}, {"notes.txt", "notes"}}));
  const qm::FileListing listing = qm::ListEstimateFiles(S("save"));
  ASSERT_EQ(listing.rows.size(), 1u);  // b is not a document, a is
  EXPECT_EQ(listing.rows[0].companyName, "会社");
  EXPECT_EQ(listing.rows[0].marker, "合");
}

TEST_F(BackupTest, RestoreCreatesAMissingSaveFolder) {
  WriteBytes(In("backup"), "a.QM1", "a");
  EXPECT_EQ(qm::Restore(S("backup"), S("save") + "/new").restored, 1);
  EXPECT_EQ(Snapshot(In("save") + "/new"), (std::map<std::string, std::string>{{"a.QM1", "a"}}));
}

TEST_F(BackupTest, RestoreFromAFolderWithoutEstimateFilesChangesNothing) {
  WriteBytes(In("save"), "keep.QM1", "keep");
  WriteBytes(In("backup"), "x.txt", "x");
  ASSERT_TRUE(QDir(In("backup")).mkdir("folder.QM1"));
  WriteBytes(In("backup") + "/folder.QM1", "inner.QM1", "inner");
  const auto before = Snapshot(In("save"));
  EXPECT_EQ(qm::Restore(S("backup"), S("save")).restored, 0);
  EXPECT_EQ(qm::Restore(S("backup") + "/none", S("save")).restored, 0);
  EXPECT_EQ(Snapshot(In("save")), before);
}

TEST_F(BackupTest, RestoreWithAFailedCopyLeavesTheSaveFolderAlone) {
  WriteBytes(In("save"), "keep.QM1", "keep");
  WriteBytes(In("save"), "a.QM1", "current a");
  WriteBytes(In("backup"), "a.QM1", "backup a");
  ASSERT_TRUE(QFile::link(In("backup") + "/missing", In("backup") + "/gone.QM1"));
  const auto before = Snapshot(In("save"));
  EXPECT_THROW(qm::Restore(S("backup"), S("save")), qm::Error);
  EXPECT_EQ(Snapshot(In("save")), before);  // no staging folder left behind either
}

TEST_F(BackupTest, RestoreWithAnUnreadableFileLeavesTheSaveFolderAlone) {
  WriteBytes(In("save"), "keep.QM1", "keep");
  WriteBytes(In("backup"), "a.QM1", "a");
  const QString locked = WriteBytes(In("backup"), "locked.QM1", "locked");
  ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::Permissions()));
  if (::access(locked.toLocal8Bit().constData(), R_OK) == 0)
    GTEST_SKIP() << "permissions do not restrict this user; the dangling-link case covers the failure";
  const auto before = Snapshot(In("save"));
  try {
    qm::Restore(S("backup"), S("save"));
    ADD_FAILURE() << "restore did not fail";
  } catch (const qm::Error& e) {
    EXPECT_NE(std::string(e.what()).find("locked.QM1"), std::string::npos) << e.what();
  }
  EXPECT_EQ(Snapshot(In("save")), before);
}

}  // namespace
