#include "support/pdf_readers.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

namespace qmtest {
namespace {

struct Run {
  int exit = -1;
  QByteArray out;
};

Run RunProgram(const QString& program, const QStringList& args) {
  QProcess p;
  p.setProcessChannelMode(QProcess::SeparateChannels);
  p.start(program, args);
  if (!p.waitForFinished(120000)) {
    p.kill();
    p.waitForFinished();
    return {};
  }
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput()};
}

}  // namespace

const char* ReaderName(Reader r) {
  switch (r) {
    case Reader::Poppler: return "poppler";
    case Reader::MuPdf: return "MuPDF";
    case Reader::Ghostscript: return "Ghostscript";
  }
  return "?";
}

QImage RenderPdfPage(Reader r, const QString& pdf, int page, int dpi) {
  QTemporaryDir dir;
  const QString out = dir.filePath("page.png");
  const QString p = QString::number(page), res = QString::number(dpi);
  Run run;
  switch (r) {
    case Reader::Poppler:
      run = RunProgram("pdftoppm",
                       {"-png", "-singlefile", "-aaVector", "no", "-r", res, "-f", p, "-l", p, pdf, dir.filePath("page")});
      break;
    case Reader::MuPdf:
      run = RunProgram("mutool", {"draw", "-q", "-l", "1", "-r", res, "-o", out, pdf, p});
      break;
    case Reader::Ghostscript:
      run = RunProgram("gs", {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=png16m", "-dTextAlphaBits=4",
                              "-dGraphicsAlphaBits=4", "-r" + res, "-dFirstPage=" + p, "-dLastPage=" + p,
                              "-sOutputFile=" + out, pdf});
      break;
  }
  if (run.exit != 0) return {};
  return QImage(out).convertToFormat(QImage::Format_RGB32);
}

QString ExtractPdfText(Reader r, const QString& pdf) {
  Run run;
  switch (r) {
    case Reader::Poppler: run = RunProgram("pdftotext", {"-enc", "UTF-8", pdf, "-"}); break;
    case Reader::MuPdf: run = RunProgram("mutool", {"draw", "-q", "-F", "txt", "-o", "-", pdf}); break;
    case Reader::Ghostscript:
      run = RunProgram("gs", {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=txtwrite", "-sOutputFile=-", pdf});
      break;
  }
  return run.exit == 0 ? QString::fromUtf8(run.out) : QString();
}

bool IsBlackInk(QRgb pixel) { return qRed(pixel) < 96 && qGreen(pixel) < 96 && qBlue(pixel) < 96; }

namespace {
// Any ink at all, however light: the readers' antialiasing differs in how grey the
// edge of a thin stroke comes out, not in where the stroke is.
bool IsAnyInk(QRgb pixel) { return qRed(pixel) < 192 && qGreen(pixel) < 192 && qBlue(pixel) < 192; }
}  // namespace

InkComparison CompareBlackInk(const QImage& a, const QImage& b) {
  InkComparison c;
  if (a.size() != b.size()) {
    c.SameSize = false;
    return c;
  }
  const int w = a.width(), h = a.height();
  const auto inkNear = [&](const QImage& img, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const int nx = x + dx, ny = y + dy;
        if (nx >= 0 && ny >= 0 && nx < w && ny < h && IsAnyInk(img.pixel(nx, ny))) return true;
      }
    return false;
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (IsBlackInk(a.pixel(x, y))) {
        ++c.inkA;
        if (!inkNear(b, x, y)) ++c.onlyA;
      }
      if (IsBlackInk(b.pixel(x, y))) {
        ++c.inkB;
        if (!inkNear(a, x, y)) ++c.onlyB;
      }
    }
  return c;
}

std::vector<PdfFontRow> ListPdfFonts(const QString& pdf) {
  const Run run = RunProgram("pdffonts", {pdf});
  std::vector<PdfFontRow> rows;
  const QStringList lines = QString::fromUtf8(run.out).split('\n', Qt::SkipEmptyParts);
  // name, type (may hold blanks), encoding, emb, sub, uni, object number, generation
  static const QRegularExpression row("^(\\S+)\\s+(.+?)\\s+(\\S+)\\s+(yes|no)\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$");
  for (const QString& line : lines.mid(2)) {
    const QRegularExpressionMatch m = row.match(line);
    if (!m.hasMatch()) continue;
    rows.push_back({m.captured(1).toStdString(), m.captured(2).toStdString(), m.captured(3).toStdString(),
                    m.captured(4) == "yes", m.captured(5) == "yes", m.captured(6) == "yes"});
  }
  return rows;
}

std::string DecodedStream(const QString& pdf, int object) {
  const Run run =
      RunProgram("qpdf", {"--show-object=" + QString::number(object), "--filtered-stream-data", pdf});
  return run.out.toStdString();
}

QString QdfCopy(const QString& pdf) {
  const QString out = pdf + ".qdf";
  const Run run = RunProgram("qpdf", {"--qdf", "--object-streams=disable", pdf, out});
  return run.exit == 0 || run.exit == 3 ? out : QString();
}

}  // namespace qmtest
