#pragma once
// Runs the real `qm` binary with --data pointing at a temporary folder.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace qmtest {

struct CliResult {
  int exit = -1;  // -1 when qm did not end normally
  QByteArray out, err;
  QJsonObject json() const;
};

class CliTest : public ::testing::Test {
 protected:
  // A file in the temporary folder, which is also the data folder and working folder.
  QString Path(const QString& name) const { return dir_.filePath(name); }
  QString Write(const QString& name, const QByteArray& bytes) const;
  // The file's bytes; empty when it cannot be read.
  QByteArray Read(const QString& name) const;
  CliResult Run(QStringList args) const;
  // The same in an environment of its own.
  CliResult Run(QStringList args, const QProcessEnvironment& environment) const;

  QTemporaryDir dir_;
};

}  // namespace qmtest
