#include "pdf/pdf_canvas.h"

#include <cmath>
#include <cstdio>

#include "pdf/pdf_doc.h"
#include "pdf/pdf_fonts.h"
#include "print/page_font.h"
#include "print/text_fit.h"

namespace qm::pdf {
namespace {

std::string N(double v) { return FloatToStrR(v); }

int RoundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

void TPdfCanvasAttribute::SetWordSpace(double v) {
  if (v < 0) throw EPdfInvalidValue("SetWordSpace --invalid word space");
  FWordSpace = v;
}

void TPdfCanvasAttribute::SetCharSpace(double v) {
  if (v < -30 || v > 300) throw EPdfInvalidValue("SetCharSpace --invalid char space");
  FCharSpace = v;
}

void TPdfCanvasAttribute::SetFontSize(double v) {
  if (v < 0 || v > 300) throw EPdfInvalidValue("SetFontSize --invalid font size");
  FFontSize = v;
}

void TPdfCanvasAttribute::SetHorizontalScaling(int v) {
  if (v < 10 || v > 300) throw EPdfInvalidValue("SetHorizontalScaling --invalid horizontal scaling");
  FHorizontalScaling = v;
}

void TPdfCanvasAttribute::SetLeading(double v) {
  if (v < 0 || v > 300) throw EPdfInvalidValue("SetLeading --invalid leading");
  FLeading = v;
}

double TPdfCanvasAttribute::TextWidth(std::string_view text) const {
  if (!FFont || text.empty()) return 0;
  double sum = 0;
  const int n = static_cast<int>(text.size());
  for (int i = 1; i <= n; ++i) {
    double w = FFont->GetCharWidth(text, i) * FFontSize / 1000;
    if (FHorizontalScaling != 100) w = w * FHorizontalScaling / 100;
    if (w > 0) w += FCharSpace;
    if (text[static_cast<std::size_t>(i - 1)] == ' ' && i < n && FWordSpace > 0) w += FWordSpace;
    sum += w;
  }
  return sum - FCharSpace;
}

int TPdfCanvasAttribute::MeasureText(std::string_view text, double width) const {
  if (!FFont) return 0;
  double sum = 0;
  const int n = static_cast<int>(text.size());
  for (int i = 1; i <= n; ++i) {
    double w = FFont->GetCharWidth(text, i) * FFontSize / 1000;
    if (FHorizontalScaling != 100) w = w * FHorizontalScaling / 100;
    if (w > 0) w += FCharSpace;
    if (text[static_cast<std::size_t>(i - 1)] == ' ' && i < n && FWordSpace > 0) w += FWordSpace;
    if (sum + w > width) return i - 1;
    sum += w;
  }
  return n;
}

// ---------------------------------------------------------------------------------

void TPdfCanvas::SetPage(TPdfDictionary* page) {
  if (FPage) {
    // The page keeps the text state it ended with.
    FPage->AddInternalItem("_Font", std::make_unique<TPdfName>(FAttr.Font() ? FAttr.Font()->Name() : ""));
    FPage->AddInternalItem("_Font_Size", std::make_unique<TPdfReal>(FAttr.FontSize()));
    FPage->AddInternalItem("_Word_Space", std::make_unique<TPdfReal>(FAttr.WordSpace()));
    FPage->AddInternalItem("_Char_Space", std::make_unique<TPdfReal>(FAttr.CharSpace()));
    FPage->AddInternalItem("_HScalling", std::make_unique<TPdfNumber>(FAttr.HorizontalScaling()));
    FPage->AddInternalItem("_Leading", std::make_unique<TPdfReal>(FAttr.Leading()));
  }
  FPage = page;
  FContents = page ? dynamic_cast<TPdfStream*>(page->ValueByName("Contents")) : nullptr;
  FAttr = TPdfCanvasAttribute();
  if (!page) return;
  const TPdfName* font = page->PdfNameByName("_Font");
  if (font && !font->Value().empty()) {
    FAttr.SetFont(&FPdfDoc.GetFont(font->Value()));
    FAttr.SetFontSize(page->PdfRealByName("_Font_Size")->Value());
    FAttr.SetWordSpace(page->PdfRealByName("_Word_Space")->Value());
    FAttr.SetCharSpace(page->PdfRealByName("_Char_Space")->Value());
    FAttr.SetHorizontalScaling(page->PdfNumberByName("_HScalling")->Value());
    FAttr.SetLeading(page->PdfRealByName("_Leading")->Value());
    return;
  }
  // The first form starts every page in Helvetica; the embedded form selects no font it
  // would have to leave to the reader.
  if (FPdfDoc.Fonts() == PdfFonts::System) SetFont("Arial", 10);
}

double TPdfCanvas::PageHeight() const {
  const TPdfArray* box = FPage ? FPage->PdfArrayByName("MediaBox") : nullptr;
  const auto* h = box && box->ItemCount() == 4 ? dynamic_cast<const TPdfNumber*>(box->Items(3)) : nullptr;
  return h ? h->Value() : 0;
}

double TPdfCanvas::PageWidth() const {
  const TPdfArray* box = FPage ? FPage->PdfArrayByName("MediaBox") : nullptr;
  const auto* w = box && box->ItemCount() == 4 ? dynamic_cast<const TPdfNumber*>(box->Items(2)) : nullptr;
  return w ? w->Value() : 0;
}

void TPdfCanvas::Write(const std::string& text) {
  if (Writing()) FContents->Stream() += text;
}

void TPdfCanvas::GSave() { Write("q\n"); }
void TPdfCanvas::GRestore() { Write("Q\n"); }
void TPdfCanvas::Concat(double a, double b, double c, double d, double e, double f) {
  Write(N(a) + " " + N(b) + " " + N(c) + " " + N(d) + " " + N(e) + " " + N(f) + " cm\n");
}
void TPdfCanvas::SetDash(const std::vector<std::uint8_t>& pattern, int phase) {
  std::string text = "[";
  if (!pattern.empty() && pattern.front() != 0)
    for (std::uint8_t v : pattern) text += std::to_string(v) + " ";
  Write(text + "] " + std::to_string(phase) + " d\n");
}
void TPdfCanvas::SetLineWidth(double width) { Write(N(width) + " w\n"); }
void TPdfCanvas::MoveTo(double x, double y) { Write(N(x) + " " + N(y) + " m\n"); }
void TPdfCanvas::LineTo(double x, double y) { Write(N(x) + " " + N(y) + " l\n"); }
void TPdfCanvas::Rectangle(double x, double y, double w, double h) {
  Write(N(x) + " " + N(y) + " " + N(w) + " " + N(h) + " re\n");
}
void TPdfCanvas::Closepath() { Write("h\n"); }
void TPdfCanvas::NewPath() { Write("n\n"); }
void TPdfCanvas::Stroke() { Write("S\n"); }
void TPdfCanvas::ClosePathStroke() { Write("s\n"); }
void TPdfCanvas::Fill() { Write("f\n"); }
void TPdfCanvas::ClosepathFillStroke() { Write("b\n"); }
void TPdfCanvas::Clip() { Write("W\n"); }

void TPdfCanvas::SetCharSpace(double v) {
  if (FAttr.CharSpace() == v) return;
  FAttr.SetCharSpace(v);
  Write(N(v) + " Tc\n");
}

void TPdfCanvas::SetWordSpace(double v) {
  if (FAttr.WordSpace() == v) return;
  FAttr.SetWordSpace(v);
  Write(N(v) + " Tw\n");
}

void TPdfCanvas::SetHorizontalScaling(int v) {
  if (FAttr.HorizontalScaling() == v) return;
  FAttr.SetHorizontalScaling(v);
  Write(std::to_string(v) + " Tz\n");
}

void TPdfCanvas::SetLeading(double v) {
  if (FAttr.Leading() == v) return;
  FAttr.SetLeading(v);
  Write(N(v) + " TL\n");
}

void TPdfCanvas::SetFontAndSize(const std::string& name, double size) {
  Write("/" + EscapeName(name) + " " + N(size) + " Tf\n");
}

void TPdfCanvas::SetFont(const std::string& alias, double size) {
  TPdfFont& font = FPdfDoc.GetFont(alias);
  if (FAttr.Font() == &font && FAttr.FontSize() == size) return;
  const std::string resource = font.Data()->PdfNameByName("Name")->Value();
  if (FPage) {
    TPdfDictionary* fonts = FPage->PdfDictionaryByName("Resources")->PdfDictionaryByName("Font");
    if (!fonts->ValueByName(resource)) fonts->AddItem(resource, *font.Data());
  }
  SetFontAndSize(resource, size);
  FAttr.SetFont(&font);
  FAttr.SetFontSize(size);
}

void TPdfCanvas::BeginText() {
  if (const TPdfFont* font = FAttr.Font(); font && font->StrokedBold() && Writing()) {
    // Bold: the regular outlines filled and stroked in the text's colour, in a saved
    // state so that neither the stroke nor the rendering mode outlives the text.
    // Round joins: a mitred corner of an outline would grow a spike each reader cuts its
    // own way.
    Write("q\n" + FFillColour + " RG\n" + N(FAttr.FontSize() * kBoldStrokeEm) + " w\n1 j\n2 Tr\n");
    FStrokedText = true;
  }
  Write("BT\n");
}

void TPdfCanvas::EndText() {
  Write("ET\n");
  if (FStrokedText) {
    Write("Q\n");
    FStrokedText = false;
  }
}
void TPdfCanvas::MoveTextPoint(double x, double y) { Write(N(x) + " " + N(y) + " Td\n"); }
void TPdfCanvas::MoveToNextLine() { Write("T*\n"); }

void TPdfCanvas::ShowText(std::string_view sjis) {
  if (Writing())
    if (TPdfFont* font = FAttr.Font()) font->NoteShown(sjis);
  if (!HasDoubleByte(sjis)) {
    Write("(" + EscapeText(sjis) + ") Tj\n");
    return;
  }
  std::string text = "<";
  char hex[4];
  for (char ch : sjis) {
    std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(ch));
    text += hex;
  }
  Write(text + "> Tj\n");
}

void TPdfCanvas::ExecuteXObject(const std::string& name) { Write("/" + EscapeName(name) + " Do\n"); }

namespace {
std::string Rgb(std::int64_t colour) {
  if (colour < 0) colour = 0;
  const auto c = static_cast<std::uint32_t>(colour);
  return N((c & 0xFF) / 255.0) + " " + N(((c >> 8) & 0xFF) / 255.0) + " " + N(((c >> 16) & 0xFF) / 255.0);
}
}  // namespace

void TPdfCanvas::SetRGBFillColor(std::int64_t colour) {
  FFillColour = Rgb(colour);
  Write(FFillColour + " rg\n");
}
void TPdfCanvas::SetRGBStrokeColor(std::int64_t colour) { Write(Rgb(colour) + " RG\n"); }

void TPdfCanvas::TextRect(const TPdfRect& rect, std::string_view text, TPdfAlignment alignment, bool clipping) {
  const double w = TextWidth(text);
  const double span = rect.Right - rect.Left;
  double offset = 0;
  if (alignment == TPdfAlignment::taRightJustify) offset = span - RoundHalfEven(w);
  else if (alignment == TPdfAlignment::taCenter) offset = RoundHalfEven((span - w) / 2);
  if (clipping) {
    GSave();
    MoveTo(rect.Left, rect.Top);
    LineTo(rect.Left, rect.Bottom);
    LineTo(rect.Right, rect.Bottom);
    LineTo(rect.Right, rect.Top);
    Closepath();
    Clip();
    NewPath();
  }
  BeginText();
  MoveTextPoint(rect.Left + offset, rect.Top - 0.85 * FAttr.FontSize());
  ShowText(text);
  EndText();
  if (clipping) GRestore();
}

void TPdfCanvas::SetFontSizeOnly(double size) {
  if (!FAttr.Font() || FAttr.FontSize() == size) return;
  SetFontAndSize(FAttr.Font()->Data()->PdfNameByName("Name")->Value(), size);
  FAttr.SetFontSize(size);
}

double TPdfCanvas::PrintableRight() const {
  const double width = PageWidth();
  return width > 2 * kPrintMarginPt ? width - kPrintMarginPt : width;
}

void TPdfCanvas::FittedTextRect(const TPdfRect& rect, std::string_view text, TPdfAlignment alignment, bool clipping,
                                bool figure) {
  // Label widths are whole points rounded from the measured text: half a point over is
  // still a fit.
  constexpr double kTolerance = 0.5;
  const double size = FAttr.FontSize();
  const double natural = TextWidth(text);
  double start = 0;
  if (alignment == TPdfAlignment::taRightJustify) start = rect.Right - rect.Left - RoundHalfEven(natural);
  else if (alignment == TPdfAlignment::taCenter) start = RoundHalfEven((rect.Right - rect.Left - natural) / 2);
  start += rect.Left;
  const double printableLeft = std::min(rect.Left, kPrintMarginPt);
  const double printableRight = PageWidth() > 0 ? PrintableRight() : rect.Right;
  if (size <= 0 || (natural <= rect.Right - rect.Left + kTolerance && start >= printableLeft - kTolerance &&
                    start + natural <= printableRight + kTolerance)) {
    TextRect(rect, text, alignment, clipping);
    return;
  }
  // The cell: the label's rectangle within the printable width.
  TPdfRect cell = rect;
  cell.Right = std::max(cell.Left, std::min(rect.Right, printableRight));
  const double span = cell.Right - cell.Left;
  const TextMeasure measure{[&](std::string_view t, double s) { return TextWidth(t) * s / size; }, CharEndsSjis, 0.5};
  const TextFit fit = FitText(text, size, span, figure, measure);
  const double drawn = TextWidth(fit.text) * fit.size / size * fit.scalePercent / 100;
  double offset = 0;
  if (figure && drawn > span) offset = span - drawn;  // a figure keeps to the right edge
  else if (alignment == TPdfAlignment::taRightJustify) offset = span - drawn;
  else if (alignment == TPdfAlignment::taCenter) offset = (span - drawn) / 2;

  const int scale = FAttr.HorizontalScaling();
  if (clipping) {
    GSave();
    Rectangle(rect.Left, rect.Bottom, span, rect.Top - rect.Bottom);
    Clip();
    NewPath();
  }
  SetFontSizeOnly(fit.size);
  SetHorizontalScaling(fit.scalePercent);
  BeginText();
  // Smaller lettering stays centred on the line it was meant for.
  MoveTextPoint(cell.Left + offset, rect.Top - (size - fit.size) / 2 - 0.85 * fit.size);
  ShowText(fit.text);
  EndText();
  SetHorizontalScaling(scale);
  SetFontSizeOnly(size);
  if (clipping) GRestore();
}

namespace {

// Words end after a blank or after a CR LF.
std::vector<std::string_view> SplitWords(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ') {
      words.push_back(text.substr(start, i + 1 - start));
      start = i + 1;
    } else if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      words.push_back(text.substr(start, i + 2 - start));
      start = i + 2;
      ++i;
    }
  }
  if (start < text.size()) words.push_back(text.substr(start));
  return words;
}

}  // namespace

void TPdfCanvas::MultilineTextRect(const TPdfRect& rect, std::string_view text, bool wordwrap) {
  const double size = FAttr.FontSize();
  double top = rect.Top;
  double x = rect.Left;
  BeginText();
  MoveTextPoint(x, top - 0.85 * size);
  const std::vector<std::string_view> words = SplitWords(text);
  const double width = std::max(0.0, std::min(rect.Right, PageWidth() > 0 ? PrintableRight() : rect.Right) - rect.Left);
  auto advance = [&](std::string_view word) {
    x += TextWidth(word);
    if (!word.empty() && word.back() == ' ') x += FAttr.WordSpace();
  };
  // A line wider than the rectangle is fitted like a label: condensed, smaller, cut.
  const TextMeasure measure{[&](std::string_view t, double s) { return TextWidth(t) * s / size; }, CharEndsSjis, 0.5};
  const int scale = FAttr.HorizontalScaling();
  auto show = [&](const std::string& line) {
    if (TextWidth(line) <= width || size <= 0) {
      ShowText(line);
      return;
    }
    const TextFit fit = FitText(line, size, width, false, measure);
    SetFontSizeOnly(fit.size);
    SetHorizontalScaling(fit.scalePercent);
    ShowText(fit.text);
    SetHorizontalScaling(scale);
    SetFontSizeOnly(size);
  };
  std::string pending;
  if (!words.empty()) {
    pending = std::string(words[0]);
    advance(words[0]);
  }
  for (std::size_t i = 1; i < words.size(); ++i) {
    bool forced = false;
    if (pending.size() >= 2 && pending.ends_with("\r\n")) {
      pending.resize(pending.size() - 2);
      forced = true;
    }
    const double w = TextWidth(words[i]);
    if ((wordwrap && x + w > rect.Right) || forced) {
      show(pending);
      pending.clear();
      MoveToNextLine();
      top -= FAttr.Leading();
      if (top < rect.Bottom + size) {
        EndText();
        return;
      }
      x = rect.Left;
    }
    advance(words[i]);
    pending += words[i];
  }
  show(pending);
  EndText();
}

void TPdfCanvas::AddXObjectResource(const std::string& name) {
  if (!FPage) return;
  TPdfStream* image = FPdfDoc.GetXObject(name);
  if (!image) return;
  TPdfDictionary* xobjects = FPage->PdfDictionaryByName("Resources")->PdfDictionaryByName("XObject");
  if (!xobjects->ValueByName(name)) xobjects->AddItem(name, *image);
}

void TPdfCanvas::DrawXObject(double x, double y, double width, double height, const std::string& name) {
  AddXObjectResource(name);
  GSave();
  Concat(width, 0, 0, height, x, y);
  ExecuteXObject(name);
  GRestore();
}

void TPdfCanvas::DrawXObjectEx(double x, double y, double width, double height, double clipX, double clipY,
                               double clipWidth, double clipHeight, const std::string& name) {
  AddXObjectResource(name);
  GSave();
  Rectangle(clipX, clipY, clipWidth, clipHeight);
  Clip();
  NewPath();
  Concat(width, 0, 0, height, x, y);
  ExecuteXObject(name);
  GRestore();
}

}  // namespace qm::pdf
