#include "files/files_test_support.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "base/clock.h"
#include "model/estimate_list.h"

namespace qmtest {

QString SaveDocument(const QString& dir, const QString& fileName, const SavedDoc& doc) {
  qm::TMxEstimateObjectList list;
  list.CustomerInfo().SetCustomerName1(doc.company);
  list.SetTotalClaimMode(doc.totalClaim);
  list.Add(std::make_unique<qm::TMxEstimateObject>());
  const QString path = QDir(dir).filePath(fileName);
  list.SaveFile(path.toStdString(), doc.comment, qm::FixedClock(doc.savedAt));
  return path;
}

QString WriteBytes(const QString& dir, const QString& fileName, const std::string& bytes) {
  const QString path = QDir(dir).filePath(fileName);
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(bytes.data(), static_cast<qint64>(bytes.size()));
  return path;
}

std::string FileContent(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll().toStdString();
}

}  // namespace qmtest
