// Copies never overwrite: a name that is taken gets "(1)", "(2)" … so a backup or a
// restore can only add files. Restore stages every copy before it deletes anything.
#include "files/backup.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "base/atomic_file.h"
#include "base/data_folders.h"
#include "base/error.h"
#include "files/file_listing.h"
#include "files/file_messages.h"

namespace qm {
namespace {

constexpr const char* kExtension = ".QM1";
constexpr const char* kStagingTemplate = ".restore-XXXXXX";

QString Q(const std::string& s) { return QString::fromStdString(s); }

// "<name>.QM1" in `target`, or "<name>(n).QM1" with the first free n.
QString FreeTargetPath(const QDir& target, const QString& baseName) {
  QString candidate = baseName + kExtension;
  for (int n = 1; target.exists(candidate); ++n)
    candidate = baseName + '(' + QString::number(n) + ')' + kExtension;
  return target.filePath(candidate);
}

struct CopyOutcome {
  int found = 0;
  std::vector<std::string> failed;  // source paths
};

CopyOutcome CopyEstimateFiles(const std::string& source, const std::string& target) {
  CopyOutcome outcome;
  const QDir targetDir(Q(target));
  for (const std::string& path : EstimateFilePaths(source)) {
    ++outcome.found;
    const QFileInfo fi(Q(path));
    try {
      CopyFileAtomically(path, FreeTargetPath(targetDir, fi.completeBaseName()).toStdString());
    } catch (const Error&) {
      outcome.failed.push_back(path);
    }
  }
  return outcome;
}

}  // namespace

int CopyFW5File(const std::string& source, const std::string& target) {
  return CopyEstimateFiles(source, target).found;
}

void ClearSaveDir(const std::string& saveDir) {
  QDir folder(Q(saveDir));
  for (const std::string& path : EstimateFilePaths(saveDir)) folder.remove(QFileInfo(Q(path)).fileName());
}

std::string BackupFolderName(const std::string& base, const QDate& today) {
  const QDir baseDir(Q(base));
  const QString stem = QStringLiteral("Backup") + today.toString(QStringLiteral("yyyyMMdd"));
  QString name = stem;
  for (int n = 1; baseDir.exists(name); ++n) name = stem + '(' + QString::number(n) + ')';
  return baseDir.filePath(name).toStdString();
}

BackupResult Backup(const std::string& saveDir, const std::string& base, const QDate& today) {
  BackupResult result;
  const std::string folder = BackupFolderName(base, today);
  if (!QDir().mkpath(Q(folder))) return result;
  result.created = true;
  result.folder = folder + '/';
  const CopyOutcome outcome = CopyEstimateFiles(saveDir, folder);
  result.copied = outcome.found - static_cast<int>(outcome.failed.size());
  return result;
}

RestoreResult Restore(const std::string& backupDir, const std::string& saveDir) {
  RestoreResult result;
  if (EstimateFilePaths(backupDir).empty()) return result;

  EnsureFolder(saveDir);
  // Inside the save folder, so the final moves are renames on one file system; a folder
  // is never listed as a document.
  QTemporaryDir staging(QDir(Q(saveDir)).filePath(kStagingTemplate));
  if (!staging.isValid()) throw Error(files_msg::StagingFailed(staging.path().toStdString()));
  const CopyOutcome outcome = CopyEstimateFiles(backupDir, staging.path().toStdString());
  if (!outcome.failed.empty()) throw Error(files_msg::RestoreCopyFailed(outcome.failed.front()));

  ClearSaveDir(saveDir);
  const QDir save(Q(saveDir));
  const QDir staged(staging.path());
  for (const QString& name : staged.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted)) {
    // A document that could not be deleted keeps its name; the restored one steps aside.
    try {
      MoveFile(staged.filePath(name).toStdString(), FreeTargetPath(save, QFileInfo(name).completeBaseName()).toStdString());
    } catch (const Error&) {
      staging.setAutoRemove(false);
      throw Error(files_msg::RestoreMoveFailed(name.toStdString(), staging.path().toStdString()));
    }
  }
  result.restored = outcome.found;
  return result;
}

namespace {

// Every file below `from` copied to the same place below `to`.
int CopyTree(const QString& from, const QString& to) {
  int copied = 0;
  QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString relative = QDir(from).relativeFilePath(path);
    const QString target = QDir(to).filePath(relative);
    EnsureFolder(QFileInfo(target).path().toStdString());
    CopyFileAtomically(path.toStdString(), target.toStdString());
    ++copied;
  }
  return copied;
}

constexpr const char* kArchiveFolder = "issued";

}  // namespace

int BackupArchive(const std::string& issuedDir, const std::string& backupFolder) {
  if (!QDir(Q(issuedDir)).exists()) return 0;
  return CopyTree(Q(issuedDir), QDir(Q(backupFolder)).filePath(kArchiveFolder));
}

ArchiveRestore RestoreArchive(const std::string& backupDir, const std::string& issuedDir, bool currentHasRecords) {
  const QString from = QDir(Q(backupDir)).filePath(kArchiveFolder);
  if (!QDir(from).exists() || QDir(from).isEmpty()) return ArchiveRestore::NoneInBackup;
  if (currentHasRecords) return ArchiveRestore::KeptCurrent;
  // A rollback journal left by an issue cut short belongs to the index being replaced; the
  // restored index must not be rolled back with it.
  QFile::remove(QDir(Q(issuedDir)).filePath(QStringLiteral("issued.sqlite-journal")));
  CopyTree(from, Q(issuedDir));
  return ArchiveRestore::Restored;
}

}  // namespace qm
