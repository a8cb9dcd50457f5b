#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "base/data_folders.h"
#include "base/error.h"
#include "base/ini_file.h"

namespace {
std::string PathIn(const QTemporaryDir& dir, const char* name) { return dir.filePath(name).toStdString(); }
}  // namespace

TEST(AtomicFile, ReplacesWholeContentAndLeavesNoTemporaryFiles) {
  QTemporaryDir dir;
  const std::string path = PathIn(dir, "a.bin");
  qm::WriteFileAtomically(path, std::string("first version, rather long", 26));
  qm::WriteFileAtomically(path, std::string("x\0y", 3));
  EXPECT_EQ(qm::ReadWholeFile(path), std::string("x\0y", 3));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.bin"});
}

TEST(AtomicFile, FailedWriteKeepsTheOldFileAndNamesThePath) {
  QTemporaryDir dir;
  const std::string path = PathIn(dir, "keep.dat");
  qm::WriteFileAtomically(path, "precious");
  // A folder that refuses new files: the temporary file cannot be created.
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  bool threw = false;
  if (!QFileInfo(dir.path()).isWritable()) {  // root ignores permissions
    try {
      qm::WriteFileAtomically(path, "damaged");
    } catch (const qm::Error& e) {
      threw = true;
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
    }
    EXPECT_TRUE(threw);
  }
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_EQ(qm::ReadWholeFile(path), "precious");
  // Writing into a folder that does not exist fails cleanly as well.
  EXPECT_THROW(qm::WriteFileAtomically(PathIn(dir, "missing/x.dat"), "x"), qm::Error);
  EXPECT_THROW(qm::ReadWholeFile(PathIn(dir, "nothing.dat")), qm::Error);
}

TEST(IniFile, ReadsCp932IgnoringCaseAndBlanks) {
  const std::string bytes =
      "; comment\r\n[Setting]\r\n tax = 8 \r\nMONETARY=\x81\x8F\r\nEMPTY=\r\n[OTHER]\r\nTAX=10\r\n";
  const qm::IniFile ini = qm::IniFile::FromBytes(bytes);
  EXPECT_EQ(ini.ReadString("SETTING", "TAX", "5"), "8");
  EXPECT_EQ(ini.ReadString("setting", "Monetary", ""), "￥");
  EXPECT_EQ(ini.ReadString("SETTING", "EMPTY", "d"), "");
  EXPECT_TRUE(ini.HasKey("SETTING", "empty"));
  EXPECT_EQ(ini.ReadString("OTHER", "tax", "5"), "10");
  EXPECT_EQ(ini.ReadString("SETTING", "MISSING", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("NOSECTION", "TAX", "dflt"), "dflt");
  EXPECT_EQ(qm::IniFile::Load("/nonexistent/conf.ini").ReadString("SETTING", "TAX", "5"), "5");
}

TEST(DataFolders, EnvironmentOverridesAndFoldersAreCreated) {
  QTemporaryDir dir;
  qputenv("QUILLMARK_DATA_DIR", dir.filePath("data/").toLocal8Bit());
  EXPECT_EQ(qm::DefaultDataDir(), dir.filePath("data").toStdString());
  qunsetenv("QUILLMARK_DATA_DIR");
  EXPECT_NE(qm::DefaultDataDir().find("/Norvel/Brevik"), std::string::npos);
  const std::string nested = qm::JoinPath(dir.path().toStdString(), "a/b/c");
  qm::EnsureFolder(nested);
  EXPECT_TRUE(QDir(QString::fromStdString(nested)).exists());
  EXPECT_EQ(qm::JoinPath("/x/", "y"), "/x/y");
  EXPECT_EQ(qm::JoinPath("/x", "y"), "/x/y");
}
