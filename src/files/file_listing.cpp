// Listing reads only the head of each file: the five fields a list shows. The rest of a
// document may be large (pictures) or damaged without affecting the list.
#include "files/file_listing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdint>
#include <functional>

#include "base/cp932.h"
#include "base/data_folders.h"
#include "base/error.h"
#include "files/file_messages.h"
#include "model/estimate_stream.h"

namespace qm {
namespace {

constexpr const char* kMarkerTotalClaim = "合";
constexpr const char* kModeNormal = "通常";
// Versions whose field 3 is a Boolean; older ones write a kind, "2" for a total claim.
constexpr const char* kBooleanModeTags[] = {"KESTRELDOC5_100", "KESTRELDOC4_100", "KESTRELDOC3_100"};
constexpr const char* kTotalClaimKind = "2";

bool IsEstimateFileName(const QFileInfo& fi) { return fi.suffix().toUpper() == QLatin1String("QM1"); }

// A dangling link named like a document is listed so that it is reported, not hidden;
// pipes and devices are never opened.
bool IsListable(const QFileInfo& fi) { return fi.isFile() || (fi.isSymLink() && !fi.exists()); }

QFileInfoList EstimateFileInfos(const std::string& dir, QDir::Filters filters) {
  const QDir folder(QString::fromStdString(dir));
  QFileInfoList found;
  for (const QFileInfo& fi : folder.entryInfoList(filters, QDir::Unsorted))
    if (IsEstimateFileName(fi) && IsListable(fi)) found.push_back(fi);
  return found;
}

constexpr QDir::Filters kEveryFile = QDir::Files | QDir::Hidden | QDir::System;
constexpr QDir::Filters kPlainFiles = QDir::Files;

// Reads length-prefixed fields from the start of a file without reading further.
class HeadReader {
 public:
  explicit HeadReader(QFile& file) : file_(file), size_(file.size()) {}

  std::string Field() {
    const qint64 at = file_.pos();
    unsigned char prefix[4];
    if (file_.read(reinterpret_cast<char*>(prefix), 4) != 4) throw Error(files_msg::Truncated(Offset(at)));
    const auto length = static_cast<std::int32_t>(std::uint32_t{prefix[0]} | std::uint32_t{prefix[1]} << 8 |
                                                  std::uint32_t{prefix[2]} << 16 | std::uint32_t{prefix[3]} << 24);
    if (length <= 0) return {};
    if (length > size_ - file_.pos()) throw Error(files_msg::BadLength(length, Offset(at)));
    std::string bytes(static_cast<std::size_t>(length), '\0');
    if (file_.read(bytes.data(), length) != length) throw Error(files_msg::Truncated(Offset(at)));
    return bytes;
  }

 private:
  static std::size_t Offset(qint64 at) { return static_cast<std::size_t>(at); }
  QFile& file_;
  qint64 size_;
};

// Field 3 of the versions that write a Boolean, by the estimate file's own rule.
bool ParseBooleanMode(const std::string& text) {
  ByteWriter prefixed;
  prefixed.Int32(static_cast<std::int32_t>(text.size()));
  prefixed.Raw(text);
  ByteReader reader(prefixed.Bytes());
  try {
    return StreamToBool(reader);
  } catch (const Error&) {
    throw Error(files_msg::BadMode(cp932::Decode(text)));
  }
}

bool IsTotalClaim(const std::string& versionTag, const std::string& modeText) {
  const bool boolean = std::any_of(std::begin(kBooleanModeTags), std::end(kBooleanModeTags),
                                   [&](const char* tag) { return versionTag == tag; });
  return boolean ? ParseBooleanMode(modeText) : modeText == kTotalClaimKind;
}

FileListRow ReadRow(const QFileInfo& fi) {
  QFile file(fi.filePath());
  if (!file.open(QIODevice::ReadOnly)) throw Error(files_msg::CannotOpen(file.errorString().toStdString()));
  HeadReader head(file);
  const std::string version = head.Field();
  FileListRow row;
  row.savedAt = cp932::Decode(head.Field());
  row.marker = IsTotalClaim(version, head.Field()) ? kMarkerTotalClaim : "";
  row.comment = cp932::Decode(head.Field());
  row.companyName = cp932::Decode(head.Field());
  row.fileName = fi.completeBaseName().toStdString();
  return row;
}

FileListing ListWhere(const std::string& dir, QDir::Filters filters,
                      const std::function<bool(const FileListRow&)>& keep) {
  FileListing listing;
  for (const QFileInfo& fi : EstimateFileInfos(dir, filters)) {
    try {
      FileListRow row = ReadRow(fi);
      if (!keep || keep(row)) listing.rows.push_back(std::move(row));
    } catch (const Error& e) {
      const std::string name = fi.fileName().toStdString();
      listing.unreadable.push_back({name, files_msg::Unreadable(name, e.what())});
    }
  }
  return listing;
}

const std::string& SortKey(const FileListRow& row, int column) {
  switch (column) {
    case 0: return row.marker;
    case 1: return row.fileName;
    case 2: return row.companyName;
    case 3: return row.comment;
    default: return row.savedAt;
  }
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool FoldedLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(FoldAscii(x)) < static_cast<unsigned char>(FoldAscii(y));
  });
}

}  // namespace

FileListRow ReadFileListRow(const std::string& path) {
  const QFileInfo fi(QString::fromStdString(path));
  try {
    return ReadRow(fi);
  } catch (const Error& e) {
    throw Error(files_msg::Unreadable(fi.fileName().toStdString(), e.what()));
  }
}

FileListing ListEstimateFiles(const std::string& saveDir) { return ListWhere(saveDir, kEveryFile, nullptr); }

bool MatchesSearch(const FileListRow& row, SearchField field, const std::string& word) {
  const auto contains = [&](const std::string& text) { return text.find(word) != std::string::npos; };
  switch (field) {
    case SearchField::CompanyName: return contains(row.companyName);
    case SearchField::Comment: return contains(row.comment);
    case SearchField::FileName: return contains(row.fileName);
    case SearchField::Mode: return word == kModeNormal ? row.marker.empty() : row.marker == kMarkerTotalClaim;
    case SearchField::SavedAt: return contains(row.savedAt);
  }
  return false;
}

FileListing SearchEstimateFiles(const std::string& saveDir, SearchField field, const std::string& word) {
  return ListWhere(saveDir, kPlainFiles, [&](const FileListRow& row) { return MatchesSearch(row, field, word); });
}

void SortFileList(std::vector<FileListRow>& rows, int column, bool ascending) {
  if (column < 0 || column > 4) return;
  std::stable_sort(rows.begin(), rows.end(), [&](const FileListRow& a, const FileListRow& b) {
    return ascending ? FoldedLess(SortKey(a, column), SortKey(b, column))
                     : FoldedLess(SortKey(b, column), SortKey(a, column));
  });
}

std::vector<std::string> EstimateFilePaths(const std::string& dir) {
  std::vector<std::string> paths;
  for (const QFileInfo& fi : EstimateFileInfos(dir, kEveryFile)) paths.push_back(fi.filePath().toStdString());
  return paths;
}

std::string EstimateFilePath(const std::string& saveDir, const std::string& name) {
  // A listed file may carry its extension in any letter case ("x.qm1"); use the one
  // that is there, and ".QM1" for a new file.
  for (const char* ext : {".QM1", ".qm1", ".Qm1", ".qM1"}) {
    const std::string path = JoinPath(saveDir, name + ext);
    if (QFileInfo::exists(QString::fromStdString(path))) return path;
  }
  return JoinPath(saveDir, name + ".QM1");
}

}  // namespace qm
