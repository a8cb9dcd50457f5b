#include "cli/cli_test_support.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>

namespace qmtest {

QJsonObject CliResult::json() const { return QJsonDocument::fromJson(out).object(); }

QString CliTest::Write(const QString& name, const QByteArray& bytes) const {
  QFile f(Path(name));
  EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << name.toStdString();
  f.write(bytes);
  return Path(name);
}

QByteArray CliTest::Read(const QString& name) const {
  QFile f(Path(name));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

CliResult CliTest::Run(QStringList args) const { return Run(std::move(args), QProcessEnvironment::systemEnvironment()); }

CliResult CliTest::Run(QStringList args, const QProcessEnvironment& environment) const {
  args.prepend(dir_.path());
  args.prepend("--data");
  QProcess p;
  p.setProcessEnvironment(environment);
  p.setWorkingDirectory(dir_.path());
  p.start(QM_CLI_PATH, args);
  EXPECT_TRUE(p.waitForFinished(30000));
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
          p.readAllStandardError()};
}

}  // namespace qmtest
