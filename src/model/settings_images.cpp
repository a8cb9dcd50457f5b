#include "model/settings_images.h"

#include <QFile>
#include <QFileInfo>

#include "base/atomic_file.h"
#include "base/error.h"

namespace qm {

void LoadBitmapFile(const std::string& path, TMxPicture& bitmap) {
  if (!QFileInfo::exists(QString::fromStdString(path))) {
    bitmap.Clear();
    return;
  }
  TMxPicture loaded;
  loaded.Assign(PictureKind::Bmp, ReadWholeFile(path));
  if (loaded.Width() <= 0) throw Error("画像ファイル " + path + " を読み込めません。");
  bitmap = std::move(loaded);
}

void SaveBitmapFile(const std::string& path, const TMxPicture& bitmap) {
  if (!bitmap.Empty()) {
    WriteFileAtomically(path, bitmap.Bytes());
    return;
  }
  QFile file(QString::fromStdString(path));
  if (file.exists() && !file.remove())
    throw Error("画像ファイル " + path + " を削除できません（" + file.errorString().toStdString() + "）");
}

std::string WithTrailingSeparator(const std::string& folder) {
  if (folder.empty() || folder.back() == '/') return folder;
  return folder + "/";
}

}  // namespace qm
