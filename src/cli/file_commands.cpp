#include "cli/file_commands.h"

#include <QDate>

#include <array>
#include <utility>

#include "base/data_folders.h"
#include "archive/issue_archive.h"
#include "base/error.h"
#include "cli/front/json_writer.h"
#include "cli/front/messages.h"
#include "cli/front/output.h"
#include "files/backup.h"
#include "files/file_listing.h"
#include "files/file_messages.h"

namespace qm::cli {
namespace {

// Column names in the order of the list's columns.
constexpr std::array<const char*, 5> kColumns = {"marker", "name", "company", "comment", "date"};

constexpr std::array<std::pair<const char*, SearchField>, 5> kSearchFields = {{
    {"company", SearchField::CompanyName},
    {"comment", SearchField::Comment},
    {"name", SearchField::FileName},
    {"mode", SearchField::Mode},
    {"date", SearchField::SavedAt},
}};

std::string SaveFolder(const Invocation& in) { return in.data.SaveDir(); }

int SortColumn(const std::string& text) {
  for (std::size_t i = 0; i < kColumns.size(); ++i)
    if (text == kColumns[i]) return static_cast<int>(i);
  throw Error(msg::BadSortColumn(text));
}

std::pair<SearchField, std::string> SearchCondition(const std::string& text) {
  const std::size_t eq = text.find('=');
  if (eq != std::string::npos) {
    const std::string field = text.substr(0, eq);
    for (const auto& [name, value] : kSearchFields)
      if (field == name) return {value, text.substr(eq + 1)};
  }
  throw Error(msg::BadSearch(text));
}

std::string RowsToJson(const std::vector<FileListRow>& rows) {
  JsonWriter w;
  w.BeginArray();
  for (const FileListRow& row : rows) {
    w.BeginObject();
    w.Key("Marker");
    w.String(row.marker);
    w.Key("FileName");
    w.String(row.fileName);
    w.Key("CompanyName");
    w.String(row.companyName);
    w.Key("Comment");
    w.String(row.comment);
    w.Key("SavedAt");
    w.String(row.savedAt);
    w.EndObject();
  }
  w.EndArray();
  return w.Take();
}

}  // namespace

void LsCommand(const Invocation& in) {
  // Arguments are checked before the folder is read.
  const auto sort = in.args.Value("--sort");
  const int column = sort ? SortColumn(*sort) : -1;
  const auto search = in.args.Value("--search");
  FileListing listing;
  if (search) {
    const auto [field, word] = SearchCondition(*search);
    listing = SearchEstimateFiles(SaveFolder(in), field, word);
  } else {
    listing = ListEstimateFiles(SaveFolder(in));
  }
  if (column >= 0) SortFileList(listing.rows, column, !in.args.Has("--desc"));
  for (const UnreadFile& f : listing.unreadable) std::fprintf(in.err, "qm: %s\n", f.message.c_str());
  WriteOutput(in.out, RowsToJson(listing.rows));
}

void BackupCommand(const Invocation& in) {
  const BackupResult r = Backup(SaveFolder(in), in.args.operands.at(0), QDate::currentDate());
  if (!r.created) throw Error(files_msg::kBackupFolderFailed);
  std::string said = files_msg::BackupCreated(r.folder) + "\n";
  if (BackupArchive(archive::IssueArchive(in.data).FolderPath(), r.folder) > 0)
    said += std::string(files_msg::kArchiveBackedUp) + "\n";
  WriteOutput(in.out, said);
}

void RestoreCommand(const Invocation& in) {
  const RestoreResult r = Restore(in.args.operands.at(0), SaveFolder(in));
  std::string said = (r.restored >= 1 ? files_msg::Restored(r.restored) : files_msg::kNoBackupData) + std::string("\n");
  archive::IssueArchive issued(in.data);
  const bool hasRecords = !issued.Empty();
  issued.Close();
  switch (RestoreArchive(in.args.operands.at(0), issued.FolderPath(), hasRecords)) {
    case ArchiveRestore::Restored: said += std::string(files_msg::kArchiveRestored) + "\n"; break;
    case ArchiveRestore::KeptCurrent: said += std::string(files_msg::kArchiveKept) + "\n"; break;
    case ArchiveRestore::NoneInBackup: break;
  }
  WriteOutput(in.out, said);
}

}  // namespace qm::cli
