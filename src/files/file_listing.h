#pragma once
// The documents of the save folder as every file list shows them: one row per estimate
// file, read from the first five header fields only.
#include <string>
#include <vector>

namespace qm {

// One row of a file list.
struct FileListRow {
  std::string marker;       // "合" for a total-claim document, otherwise empty
  std::string fileName;     // the file's name without its extension
  std::string companyName;  // header field 5
  std::string comment;      // header field 4
  std::string savedAt;      // header field 2, "yyyy/mm/dd hh:nn"
};

// A file that could not be listed, with the reason (Japanese, names the file).
struct UnreadFile {
  std::string fileName;
  std::string message;
};

struct FileListing {
  std::vector<FileListRow> rows;      // in the order the folder lists the files
  std::vector<UnreadFile> unreadable;  // damaged or unreadable files, skipped
};

// Every file of `saveDir` whose extension is ".QM1" in any letter case. A damaged file
// does not stop the listing: it is skipped and reported in `unreadable`.
FileListing ListEstimateFiles(const std::string& saveDir);

// Reads header fields 1 to 5 of one estimate file; throws qm::Error naming the file.
FileListRow ReadFileListRow(const std::string& path);

// The search dialog's conditions, by the index of its field choice.
enum class SearchField { CompanyName = 0, Comment = 1, FileName = 2, Mode = 3, SavedAt = 4 };

// True when `row` meets the condition: the word occurs in the field (case-sensitive),
// or for Mode the word "通常" keeps normal documents and any other word total claims.
bool MatchesSearch(const FileListRow& row, SearchField field, const std::string& word);

// The listing narrowed by a condition (hidden files and folders skipped).
FileListing SearchEstimateFiles(const std::string& saveDir, SearchField field, const std::string& word);

// Column sort shared by every file list: column 0 marker, 1 name, 2 company, 3 comment,
// 4 saved at; ordinal comparison ignoring the case of A–Z only; descending when
// `ascending` is false.
void SortFileList(std::vector<FileListRow>& rows, int column, bool ascending);

// Full paths of every estimate file of `dir` (hidden ones included), in the order the
// folder lists them. Folders are never estimate files, whatever their name.
std::vector<std::string> EstimateFilePaths(const std::string& dir);

// Path of a document in the save folder: saveDir + name + ".QM1", or the existing file
// of that name whose extension differs in letter case.
std::string EstimateFilePath(const std::string& saveDir, const std::string& name);

}  // namespace qm
