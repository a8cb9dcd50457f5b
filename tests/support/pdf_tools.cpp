#include "support/pdf_tools.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace qmtest {

ToolResult RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(60000)) return {};
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError())};
}

void ExpectValidPdf(const QString& path) {
  const ToolResult r = RunTool("qpdf", {"--check", path});
  EXPECT_EQ(r.exit, 0) << path.toStdString() << "\n" << r.out.toStdString();
}

QString PdfText(const QString& path, int page) {
  QStringList args = {"-layout", "-enc", "UTF-8"};
  if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
  QProcess p;
  p.start("pdftotext", args << path << "-");
  if (!p.waitForFinished(60000)) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

int PdfPageCount(const QString& path) {
  const QRegularExpressionMatch m =
      QRegularExpression("Pages:\\s+(\\d+)").match(RunTool("pdfinfo", {path}).out);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString PdfPageSize(const QString& path, int page) {
  const QString info =
      RunTool("pdfinfo", {"-f", QString::number(page), "-l", QString::number(page), path}).out;
  const QRegularExpressionMatch m = QRegularExpression("size:\\s+([0-9.]+ x [0-9.]+) pts").match(info);
  return m.hasMatch() ? m.captured(1) : QString();
}

std::string ReadFileBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll().toStdString();
}

const qm::FixedClock& PinnedClock() {
  static const qm::FixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(9, 30, 15)));
  return clock;
}

}  // namespace qmtest
