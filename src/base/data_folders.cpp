#include "base/data_folders.h"

#include <QDir>
#include <QStandardPaths>

#include "base/atomic_file.h"
#include "base/error.h"

namespace qm {
namespace {
std::string FromEnvOr(const char* var, QStandardPaths::StandardLocation location) {
  const QByteArray env = qgetenv(var);
  if (!env.isEmpty()) return QDir::cleanPath(QString::fromLocal8Bit(env)).toStdString();
  return QDir::cleanPath(QStandardPaths::writableLocation(location) + "/Norvel/Brevik").toStdString();
}
}  // namespace

std::string DefaultDataDir() { return FromEnvOr("QUILLMARK_DATA_DIR", QStandardPaths::GenericDataLocation); }

std::string DefaultConfigDir() { return FromEnvOr("QUILLMARK_CONFIG_DIR", QStandardPaths::GenericConfigLocation); }

void EnsureFolder(const std::string& path) {
  if (!QDir().mkpath(QString::fromStdString(path))) throw Error("フォルダ " + path + " を作成できません。");
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

}  // namespace qm

namespace qm {

DataFolder::DataFolder(const std::string& root) : root_(root) {
  if (!root_.empty() && root_.back() != '/') root_ += '/';
}

void DataFolder::Ensure() const {
  std::string failure;
  for (const std::string& folder : {root_, ImgDir(), SaveDir(), ZipDir()}) {
    try {
      EnsureFolder(folder);
    } catch (const Error& e) {
      if (failure.empty()) failure = e.what();
    }
  }
  if (!failure.empty()) throw Error(failure);
}

int DataFolder::RemoveStaleTemporaries() const {
  int removed = 0;
  for (const std::string& folder : {root_, ImgDir(), SaveDir(), ZipDir()}) removed += qm::RemoveStaleTemporaries(folder);
  // The issued-documents archive writes its PDFs into one folder per year.
  const QDir issued(QString::fromStdString(root_ + "issued/"));
  if (issued.exists()) {
    removed += qm::RemoveStaleTemporaries(issued.path().toStdString() + "/");
    for (const QString& year : issued.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
      removed += qm::RemoveStaleTemporaries(issued.filePath(year).toStdString() + "/");
  }
  return removed;
}

}  // namespace qm
