// The temporaries a write killed half-way leaves behind: removed once they are ten minutes
// old, never while a write holds one, and nothing that is not one of them.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "base/data_folders.h"

namespace {

// A file of that name, last changed `minutes` ago.
void Leave(const QString& path, int minutes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write("half a file");
  f.flush();  // closing must not write, or the time would be now
  ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-60LL * minutes), QFileDevice::FileModificationTime));
  f.close();
}

QStringList Entries(const QString& folder) {
  QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  names.sort();
  return names;
}

}  // namespace

TEST(StaleTemporaries, OnlyOldTemporariesOfThisProgramGo) {
  QTemporaryDir dir;
  const auto at = [&](const char* name) { return dir.filePath(name); };
  Leave(at(".conf.ini.1a2b3c4d.tmp"), 11);        // gone
  Leave(at(".見積.QM1.ff00aa.tmp"), 600);          // gone
  Leave(at(".conf.ini.1a2b3c4e.tmp"), 0);         // young
  Leave(at(".print.ini.2b3c4d.tmp"), 9);          // not yet ten minutes
  Leave(at("conf.ini"), 600);                     // the files themselves
  Leave(at("notes.tmp"), 600);                    // not hidden
  Leave(at(".conf.ini.tmp"), 600);                // no unique part
  Leave(at(".conf.ini.xyz123.tmp"), 600);         // not hexadecimal
  Leave(at(".conf.ini.ABC123.tmp"), 600);         // not how the program writes it
  Leave(at("..abc123.tmp"), 600);                 // no name
  Leave(at(".conf.ini.abc123.tmp.bak"), 600);
  ASSERT_TRUE(QDir(dir.path()).mkdir(".folder.abc123.tmp"));
  ASSERT_TRUE(QFile::link(at("conf.ini"), at(".link.abc123.tmp")));
  // Held by a write: never touched, however old.
  Leave(at(".busy.dat.abc123.tmp"), 600);
  const int held = ::open(at(".busy.dat.abc123.tmp").toLocal8Bit().constData(), O_RDONLY);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);

  EXPECT_EQ(qm::RemoveStaleTemporaries(dir.path().toStdString()), 2);
  EXPECT_EQ(Entries(dir.path()),
            (QStringList{"..abc123.tmp", ".busy.dat.abc123.tmp", ".conf.ini.1a2b3c4e.tmp", ".conf.ini.ABC123.tmp",
                         ".conf.ini.abc123.tmp.bak", ".conf.ini.tmp", ".conf.ini.xyz123.tmp", ".folder.abc123.tmp",
                         ".link.abc123.tmp", ".print.ini.2b3c4d.tmp", "conf.ini", "notes.tmp"}));
  ::close(held);
  EXPECT_EQ(qm::RemoveStaleTemporaries(dir.path().toStdString()), 1);  // let go of: now it goes
  EXPECT_EQ(qm::RemoveStaleTemporaries(dir.filePath("missing").toStdString()), 0);
}

TEST(StaleTemporaries, AWriteInProgressKeepsItsTemporaryWhateverItsAge) {
  QTemporaryDir dir;
  const std::string target = dir.filePath("Customer.dat").toStdString();
  int removedDuringTheWrite = -1;
  QStringList seen;
  qm::SetWriteFaultHook([&](qm::WriteStep step, const std::string&) {
    if (step != qm::WriteStep::Rename) return false;
    // The bytes are on the disk, the file not yet renamed: make it look abandoned.
    seen = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : seen) {
      QFile f(dir.filePath(name));
      f.open(QIODevice::ReadWrite);
      f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
    }
    removedDuringTheWrite = qm::RemoveStaleTemporaries(dir.path().toStdString());
    return false;
  });
  qm::WriteFileAtomically(target, "every customer");
  qm::SetWriteFaultHook({});
  ASSERT_EQ(seen.size(), 1);
  EXPECT_TRUE(seen[0].startsWith(".Customer.dat.")) << seen[0].toStdString();
  EXPECT_EQ(removedDuringTheWrite, 0);
  EXPECT_EQ(qm::ReadWholeFile(target), "every customer");
}

TEST(StaleTemporaries, TheDataFolderAndItsSubfoldersAreSwept) {
  QTemporaryDir dir;
  const qm::DataFolder data(dir.filePath("data").toStdString());
  data.Ensure();
  for (const std::string& folder : {data.Root(), data.SaveDir(), data.ImgDir(), data.ZipDir()})
    Leave(QString::fromStdString(folder + ".x.abc123.tmp"), 20);
  ASSERT_TRUE(QDir(dir.path()).mkpath("data/other"));
  Leave(dir.filePath("data/other/.x.abc123.tmp"), 20);  // not a folder the program writes into
  Leave(dir.filePath(".x.abc123.tmp"), 20);
  EXPECT_EQ(data.RemoveStaleTemporaries(), 4);
  EXPECT_TRUE(QFile::exists(dir.filePath("data/other/.x.abc123.tmp")));
  EXPECT_TRUE(QFile::exists(dir.filePath(".x.abc123.tmp")));
}
