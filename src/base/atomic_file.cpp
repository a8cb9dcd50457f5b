#include "base/atomic_file.h"

#include <QFile>
#include <QSaveFile>

#include "base/error.h"

namespace qm {

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  QSaveFile file(QString::fromStdString(path));
  // Rename over the target even where the folder forbids the backup-and-copy fallback.
  file.setDirectWriteFallback(false);
  const auto fail = [&](const QString& why) {
    file.cancelWriting();
    throw Error("ファイル " + path + " を作成できません（" + why.toStdString() + "）");
  };
  if (!file.open(QIODevice::WriteOnly)) fail(file.errorString());
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
    fail(file.errorString());
  if (!file.commit()) throw Error("ファイル " + path + " を作成できません（" + file.errorString().toStdString() + "）");
}

std::string ReadWholeFile(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly))
    throw Error("ファイル " + path + " を開けません（" + file.errorString().toStdString() + "）");
  const QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw Error("ファイル " + path + " を読み込めません（" + file.errorString().toStdString() + "）");
  return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

}  // namespace qm
