#pragma once
// Real PDF readers in tests: qpdf, pdftotext, pdfinfo, pdffonts, pdfimages.
#include <QString>
#include <QStringList>

#include <string>

#include "base/clock.h"

namespace qmtest {

struct ToolResult {
  int exit = -1;
  QString out;  // standard output and standard error
};

ToolResult RunTool(const QString& program, const QStringList& args);

// qpdf --check exits 0 for a sound file (2 for errors, 3 for warnings).
void ExpectValidPdf(const QString& path);

// pdftotext -layout, as UTF-8: the whole file, or one page.
QString PdfText(const QString& path, int page = 0);
// Page count and the size of page `page` in points ("595 x 842").
int PdfPageCount(const QString& path);
QString PdfPageSize(const QString& path, int page);

std::string ReadFileBytes(const QString& path);

// 2026-12-09 09:30:15, for files that must come out the same every time.
const qm::FixedClock& PinnedClock();

}  // namespace qmtest
