#include "pdf/report.h"

#include <cmath>
#include <random>

#include "base/atomic_file.h"
#include "base/cp932.h"
#include "print/text_fit.h"

namespace qm::pdf {
namespace {

std::string Sjis(const std::string& utf8) { return cp932::Encode(utf8).bytes; }

// Characters of Shift-JIS text, a double-byte character counting once.
int CharCount(std::string_view sjis) {
  int n = 0;
  for (std::size_t i = 0; i < sjis.size(); ++i, ++n) {
    const auto b = static_cast<unsigned char>(sjis[i]);
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) ++i;
  }
  return n;
}

bool IsTrimmed(unsigned char c) { return c <= ' '; }

const QDateTime& StoredCreationDate() {
  static const QDateTime at(QDate(2010, 7, 8), QTime(10, 21, 41));
  return at;
}

}  // namespace

std::string FontAlias(TPRFontName family, bool bold, bool italic) {
  switch (family) {
    case TPRFontName::fnFixedWidth:
      return bold && italic ? "FixedWidth-BoldItalic" : bold ? "FixedWidth-Bold" : italic ? "FixedWidth-Italic" : "FixedWidth";
    case TPRFontName::fnArial:
      return bold && italic ? "Arial-BoldItalic" : bold ? "Arial-Bold" : italic ? "Arial-Italic" : "Arial";
    case TPRFontName::fnTimesRoman:
      return bold && italic ? "Times-BoldItalic" : bold ? "Times-Bold" : italic ? "Times-Italic" : "Times-Roman";
    case TPRFontName::fnGothic:
      return bold && italic ? "Gothic,BoldItalic" : bold ? "Gothic,Bold" : italic ? "Gothic,Italic" : "Gothic";
    case TPRFontName::fnMincyo:
      return bold && italic ? "Mincyo,BoldItalic" : bold ? "Mincyo,Bold" : italic ? "Mincyo,Italic" : "Mincyo";
    case TPRFontName::fnPGothic:
      return bold && italic ? "PGothic,BoldItalic" : bold ? "PGothic,Bold" : italic ? "PGothic,Italic" : "PGothic";
    case TPRFontName::fnPMincyo:
      // Bold and italic together fall back to the regular face.
      return bold && italic ? "PMincyo" : bold ? "PMincyo,Bold" : italic ? "PMincyo,Italic" : "PMincyo";
  }
  return "Gothic";
}

// ---------------------------------------------------------------------------------

void TPRCustomLabel::SetFontColor(std::uint32_t colour) {
  if (colour > 0x0FFFFFFF) throw EPdfInvalidValue("the color you selected is not allowed.");
  FFontColor = colour;
}

void TPRCustomLabel::SetCanvasFont(TPdfCanvas& canvas) const {
  canvas.SetFont(FontAlias(FontName, FontBold, FontItalic), FontSize);
}

void TPRLabel::Print(TPRPrintContext& ctx, int left, int top) {
  if (Caption.empty()) return;
  const std::string text = Sjis(Caption);
  TPdfCanvas& canvas = ctx.canvas;
  SetCanvasFont(canvas);
  canvas.SetRGBFillColor(FontColor());
  canvas.SetWordSpace(WordSpace);
  if (AlignJustified) {
    canvas.SetCharSpace(0);
    const int chars = CharCount(text);
    const double space = chars >= 2 ? (Width - canvas.TextWidth(text)) / (chars - 1) : 0;
    if (chars >= 2 && space > 0) canvas.SetCharSpace(space);
  } else {
    canvas.SetCharSpace(CharSpace);
  }
  const double h = ctx.pageHeight;
  const TPdfRect rect{static_cast<double>(left), h - top, static_cast<double>(left + Width), h - (top + Height)};
  if (AlignJustified) canvas.TextRect(rect, text, Alignment, Clipping);
  else canvas.FittedTextRect(rect, text, Alignment, Clipping, IsFigure(Caption));
}

std::string TPRText::Text() const {
  std::string joined;
  for (std::size_t i = 0; i < Lines.size(); ++i) {
    if (i > 0) joined += "\r\n";
    joined += Lines[i];
  }
  std::size_t b = 0, e = joined.size();
  while (b < e && IsTrimmed(static_cast<unsigned char>(joined[b]))) ++b;
  while (e > b && IsTrimmed(static_cast<unsigned char>(joined[e - 1]))) --e;
  return joined.substr(b, e - b);
}

void TPRText::Print(TPRPrintContext& ctx, int left, int top) {
  TPdfCanvas& canvas = ctx.canvas;
  SetCanvasFont(canvas);
  canvas.SetRGBFillColor(FontColor());
  canvas.SetCharSpace(CharSpace);
  canvas.SetWordSpace(WordSpace);
  canvas.SetLeading(Leading);
  const double h = ctx.pageHeight;
  canvas.MultilineTextRect({static_cast<double>(left), h - top, static_cast<double>(left + Width), h - (top + Height)},
                           Sjis(Text()), Wordwrap);
}

void TPRRect::Print(TPRPrintContext& ctx, int left, int top) {
  const int w = Width, hgt = Height;
  const bool noLine = LineColor == kPRColorNone || LineStyle == TPRPenStyle::psClear;
  if ((w < 2 && hgt <= 1) || (noLine && (w < 2 || hgt < 2))) return;
  TPdfCanvas& canvas = ctx.canvas;
  switch (LineStyle) {
    case TPRPenStyle::psSolid:
    case TPRPenStyle::psInsideFrame: canvas.SetDash({}, 0); break;
    case TPRPenStyle::psDash: canvas.SetDash({16, 8}, 0); break;
    case TPRPenStyle::psDot: canvas.SetDash({3}, 0); break;
    case TPRPenStyle::psDashDot: canvas.SetDash({8, 7, 2, 7}, 0); break;
    case TPRPenStyle::psDashDotDot: canvas.SetDash({8, 4, 2, 4, 2, 4}, 0); break;
    case TPRPenStyle::psClear: break;
  }
  const bool fill = FillColor != kPRColorNone && w > 1 && hgt > 1;
  if (fill) canvas.SetRGBFillColor(FillColor);
  if (LineColor != kPRColorNone) {
    canvas.SetRGBStrokeColor(LineColor);
    canvas.SetLineWidth(LineWidth);
  }
  const double H = ctx.pageHeight;
  const double L = left, T = top, R = left + w, B = top + hgt;
  canvas.MoveTo(L, H - T);
  if (w > 1) {
    canvas.LineTo(R - 1, H - T);
    if (hgt > 1) canvas.LineTo(R - 1, H - B + 1);
  }
  if (hgt > 1) canvas.LineTo(L, H - B + 1);
  if (!fill && w > 1 && hgt > 1) {
    canvas.ClosePathStroke();
  } else if (fill) {
    if (noLine) {
      canvas.Closepath();
      canvas.Fill();
    } else {
      canvas.ClosepathFillStroke();
    }
  } else {
    canvas.Stroke();
    canvas.NewPath();
  }
}

void TPRImage::Clear() {
  FPicture = QImage();
  FEmbedded = TPREmbeddedPicture();
}

std::unique_ptr<TPdfStream> TPRImage::MakeImage(TPdfDoc& doc) const {
  if (doc.Fonts() == PdfFonts::System) return CreatePdfImage(&doc.Xref(), FPicture, "Pdf-Bitmap");
  if (!FEmbedded.jpeg.empty()) return CreateJpegImage(&doc.Xref(), FEmbedded.jpeg);
  return CreateFlateImage(&doc.Xref(), FEmbedded.picture.isNull() ? FPicture : FEmbedded.picture,
                          FEmbedded.transparent);
}

void TPRImage::Print(TPRPrintContext& ctx, int left, int top) {
  TPdfDoc& doc = ctx.doc;
  const bool alternative = doc.Fonts() == PdfFonts::Embed && !FEmbedded.Empty();
  if (!alternative && (FPicture.isNull() || FPicture.width() == 0 || FPicture.height() == 0)) return;
  std::string name = Name();
  if (SharedImage) {
    if (!doc.GetXObject(name)) doc.AddXObject(name, MakeImage(doc));
  } else {
    int number = ((ctx.randomStart ? ctx.randomStart() : 0) % 65534 + 65534) % 65534;
    int tries = 0;
    while (doc.GetXObject(Name() + std::to_string(number))) {
      if (++tries >= 65535) throw EPdfError("image count over max value..");
      number = number >= 65534 ? 0 : number + 1;
    }
    name = Name() + std::to_string(number);
    doc.AddXObject(name, MakeImage(doc));
  }
  const double H = ctx.pageHeight;
  if (alternative && !FEmbedded.size.isEmpty()) {
    const double w = FEmbedded.size.width(), h = FEmbedded.size.height();
    ctx.canvas.DrawXObjectEx(left, H - top - h, w, h, left, H - top - Height, Width, Height, name);
  } else if (Stretch || alternative) {
    ctx.canvas.DrawXObject(left, H - (top + Height), Width, Height, name);
  } else {
    const double pw = FPicture.width(), ph = FPicture.height();
    ctx.canvas.DrawXObjectEx(left, H - top - ph, pw, ph, left, H - top - Height, Width, Height, name);
  }
}

// ---------------------------------------------------------------------------------

void SetParent(TPRComponent& parent, std::unique_ptr<TPRComponent> child) {
  auto* panel = dynamic_cast<TPRPanel*>(&parent);
  const bool childIsPanel = dynamic_cast<TPRPanel*>(child.get()) != nullptr;
  if (!panel) {
    if (childIsPanel) throw EPdfError(std::string("TPRPage can not set on ") + parent.ClassName());
    throw EPdfError("this component must set on TPRPanel");
  }
  panel->AddChild(std::move(child));
}

void TPRPanel::AddChild(std::unique_ptr<TPRComponent> child) { FChildren.push_back(std::move(child)); }

TPRComponent* TPRPanel::Find(const std::string& name) const {
  for (const auto& c : FChildren) {
    if (c->Name() == name) return c.get();
    if (const auto* p = dynamic_cast<const TPRPanel*>(c.get()))
      if (TPRComponent* found = p->Find(name)) return found;
  }
  return nullptr;
}

void TPRPanel::Print(TPRPrintContext& ctx, int left, int top) {
  for (const auto& child : FChildren) {
    const int x = left + child->Left, y = top + child->Top;
    if (auto* panel = dynamic_cast<TPRPanel*>(child.get())) panel->Print(ctx, x, y);
    else if (auto* item = dynamic_cast<TPRItem*>(child.get()); item && item->Printable) item->Print(ctx, x, y);
  }
}

void TPRLayoutPanel::Print(TPRPrintContext& ctx, int left, int top) {
  if (BeforePrint) BeforePrint();
  TPRPanel::Print(ctx, left, top);
  if (AfterPrint) AfterPrint();
}

TPRPage::TPRPage(std::string name, int width, int height) : TPRPanel(std::move(name)) {
  Width = width;
  Height = height;
}

void TPRPage::AddChild(std::unique_ptr<TPRComponent> child) {
  if (!dynamic_cast<TPRPanel*>(child.get())) throw EPdfError("this component must set on TPRPanel");
  TPRPanel::AddChild(std::move(child));
}

double TPRPage::TextWidth(const std::string& utf8, TPRFontName family, bool bold, bool italic, double size) {
  if (!FDoc) {
    FDoc = std::make_unique<TPdfDoc>();
    FDoc->SetVirtualMode();
  }
  TPdfCanvas& canvas = FDoc->Canvas();
  canvas.SetFont(FontAlias(family, bold, italic), size);
  return canvas.TextWidth(Sjis(utf8));
}

void TPRPage::Print(TPRPrintContext& ctx, int, int) {
  if (TPdfDictionary* page = ctx.canvas.Page()) {
    if (TPdfArray* box = page->PdfArrayByName("MediaBox"); box && box->ItemCount() == 4) {
      static_cast<TPdfNumber*>(box->Items(3))->SetValue(Height);
      static_cast<TPdfNumber*>(box->Items(2))->SetValue(Width);
    }
  }
  ctx.pageHeight = Height;
  if (OnPrintPage) OnPrintPage();
  for (const auto& child : FChildren)
    if (auto* panel = dynamic_cast<TPRPanel*>(child.get())) panel->Print(ctx, child->Left, child->Top);
}

// ---------------------------------------------------------------------------------

TPReport::TPReport(const Clock& clock) : FClock(clock), FCreationDate(StoredCreationDate()) {
  FModDate = QDateTime(QDate(1899, 12, 30), QTime(0, 0));
  FRandomStart = [] {
    static std::mt19937 engine{std::random_device{}()};
    return static_cast<int>(engine() % 65534);
  };
}

TPReport::~TPReport() = default;

void TPReport::BeginDoc() {
  if (FDoc) Abort();
  FDoc = std::make_unique<TPdfDoc>(FClock);
  FDoc->SetUseOutlines(FUseOutlines);
  FDoc->SetCompressionMethod(TPdfCompressionMethod::cmNone);
  FDoc->SetFonts(FFonts);
  FDoc->NewDoc();
  TPdfCatalog& root = FDoc->Root();
  root.SetPageMode(FPageMode);
  root.SetPageLayout(FPageLayout);
  if (FNonFullScreenPageMode != TPdfPageMode::pmUseNone) root.SetNonFullScreenPageMode(FNonFullScreenPageMode);
  if (FViewerPreference != 0) root.SetViewerPreference(FViewerPreference);
  TPdfInfo& info = FDoc->Info();
  info.SetAuthor(FAuthor);
  info.SetCreationDate(FCreationDate);
  info.SetCreator(FCreator);
  info.SetKeywords(FKeywords);
  info.SetModDate(FModDate);
  info.SetSubject(FSubject);
  info.SetTitle(FTitle);
  FPage = 0;
}

void TPReport::Print(TPRPage& page) {
  if (!FDoc) throw EPdfInvalidOperation("document is null..");
  FDoc->AddPage();
  ++FPage;
  TPRPrintContext ctx{*FDoc, FDoc->Canvas(), static_cast<double>(page.Height), FRandomStart};
  page.Print(ctx);
}

std::string TPReport::EndDoc() {
  if (!FDoc) throw EPdfInvalidOperation("document is null..");
  std::string bytes;
  FDoc->SaveToStream(bytes);
  if (!FileName.empty()) WriteFileAtomically(FileName, bytes);  // throws naming the file; nothing half-written stays
  FDoc.reset();
  return bytes;
}

void TPReport::Abort() { FDoc.reset(); }

void TPReport::CheckIdle(const char* setter) const {
  if (FDoc) throw EPdfInvalidOperation(std::string(setter) + " --invalid operation.");
}

void TPReport::SetAuthor(const std::string& v) { CheckIdle("SetAuthor"); FAuthor = v; }
void TPReport::SetCreationDate(const QDateTime& v) { CheckIdle("SetCreationDate"); FCreationDate = v; }
void TPReport::SetCreator(const std::string& v) { CheckIdle("SetCreator"); FCreator = v; }
void TPReport::SetKeyWords(const std::string& v) { CheckIdle("SetKeyWords"); FKeywords = v; }
void TPReport::SetModDate(const QDateTime& v) { CheckIdle("SetModDate"); FModDate = v; }
void TPReport::SetSubject(const std::string& v) { CheckIdle("SetSubject"); FSubject = v; }
void TPReport::SetTitle(const std::string& v) { CheckIdle("SetTitle"); FTitle = v; }
void TPReport::SetPageLayout(TPdfPageLayout v) { CheckIdle("SetPageLayout"); FPageLayout = v; }
void TPReport::SetPageMode(TPdfPageMode v) { CheckIdle("SetPageMode"); FPageMode = v; }
void TPReport::SetNonFullScreenPageMode(TPdfPageMode v) {
  CheckIdle("SetNonFullScreenPageMode");
  FNonFullScreenPageMode = v;
}
void TPReport::SetUseOutlines(bool v) { CheckIdle("SetUseOutlines"); FUseOutlines = v; }
void TPReport::SetViewerPreference(unsigned v) { CheckIdle("SetViewerPreference"); FViewerPreference = v; }
void TPReport::SetFonts(PdfFonts v) { CheckIdle("SetFonts"); FFonts = v; }

}  // namespace qm::pdf
