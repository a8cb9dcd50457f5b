#pragma once
// The PDF readers people open our files with, run for real: poppler (pdftoppm,
// pdftotext, pdffonts), MuPDF (mutool) and Ghostscript (gs). Pages are drawn into
// images and compared by their black ink; text is extracted by each of them.
#include <QImage>
#include <QString>

#include <string>
#include <vector>

namespace qmtest {

enum class Reader { Poppler, MuPdf, Ghostscript };
inline constexpr Reader kReaders[] = {Reader::Poppler, Reader::MuPdf, Reader::Ghostscript};
const char* ReaderName(Reader r);

// Page `page` (from 1) drawn by the reader at `dpi`, antialiased, with hairlines at
// least a pixel wide (poppler draws its lines unantialiased, which is how it draws a
// hairline anyway); a null image when the reader fails. A dpi that is a multiple of 72
// gives every reader the same image size.
QImage RenderPdfPage(Reader r, const QString& pdf, int page, int dpi);
// The text the reader extracts from the whole file (UTF-8, in reading order).
QString ExtractPdfText(Reader r, const QString& pdf);

// Black ink: a pixel whose red, green and blue are all below 96.
bool IsBlackInk(QRgb pixel);
// Where two drawings of a page disagree: black ink of one with no ink of the other, not
// even a light grey, within one pixel (its own position or one of its eight
// neighbours), counted both ways.
struct InkComparison {
  int inkA = 0, inkB = 0;
  int onlyA = 0, onlyB = 0;
  bool SameSize = true;
};
InkComparison CompareBlackInk(const QImage& a, const QImage& b);

// One row of pdffonts.
struct PdfFontRow {
  std::string name, type, encoding;
  bool embedded = false, subset = false, unicode = false;
};
std::vector<PdfFontRow> ListPdfFonts(const QString& pdf);

// A stream of the file, decoded, by object number.
std::string DecodedStream(const QString& pdf, int object);
// The file rewritten by qpdf with its objects in order, every stream decoded (--qdf),
// beside the file as NAME.qdf, for reading dictionaries and content streams as text;
// its path, empty when qpdf cannot read the file. Object numbers are those of the copy.
QString QdfCopy(const QString& pdf);

}  // namespace qmtest
