#pragma once
// Save folders under test: documents written by the real writer, damaged files by hand.
#include <QDateTime>
#include <QString>

#include <string>

namespace qmtest {

struct SavedDoc {
  std::string company;
  std::string comment;
  bool totalClaim = false;
  QDateTime savedAt{QDate(2026, 12, 9), QTime(10, 30)};
};

// Writes `doc` as `dir`/`fileName` with the estimate-file writer; returns the path.
QString SaveDocument(const QString& dir, const QString& fileName, const SavedDoc& doc);

// Writes raw bytes; returns the path.
QString WriteBytes(const QString& dir, const QString& fileName, const std::string& bytes);

// The whole file; empty when it cannot be read.
std::string FileContent(const QString& path);

}  // namespace qmtest
