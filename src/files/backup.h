#pragma once
// Backup of the estimate files to a dated folder and restore from such a folder.
#include <QDate>
#include <string>

namespace qm {

// Copies every estimate file of `source` into `target` as <name>.QM1, choosing
// <name>(1).QM1, <name>(2).QM1 … when the name is taken; never overwrites. Returns the
// number of estimate files found in `source` (copies that fail are skipped).
int CopyFW5File(const std::string& source, const std::string& target);

// Deletes every estimate file of the save folder.
void ClearSaveDir(const std::string& saveDir);

// "Backup" + yyyymmdd in `base`, with "(1)", "(2)" … when taken. Not created.
std::string BackupFolderName(const std::string& base, const QDate& today);

struct BackupResult {
  bool created = false;  // false: the folder could not be made
  std::string folder;    // the backup folder, ending in a separator
  int copied = 0;
};
BackupResult Backup(const std::string& saveDir, const std::string& base, const QDate& today);

struct RestoreResult {
  int restored = 0;  // 0: the chosen folder held no estimate file; nothing was changed
};
// Replaces the save folder's estimate files with those of `backupDir`. Nothing is
// deleted unless `backupDir` holds estimate files and every one of them was copied to a
// staging folder first; throws qm::Error (save folder unchanged) when a copy fails.
RestoreResult Restore(const std::string& backupDir, const std::string& saveDir);

// The issued-documents archive goes with a backup: the data folder's "issued" folder is
// copied whole (index and PDFs) into the backup folder's "issued". Answers the number of
// files copied; throws qm::Error naming the file that could not be.
int BackupArchive(const std::string& issuedDir, const std::string& backupFolder);

// A restore brings the backup's archive back only into a data folder whose archive holds
// no record: an archive is never changed or overwritten.
enum class ArchiveRestore { NoneInBackup, Restored, KeptCurrent };
ArchiveRestore RestoreArchive(const std::string& backupDir, const std::string& issuedDir, bool currentHasRecords);

}  // namespace qm
