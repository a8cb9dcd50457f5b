#include "pdf/pdf_fonts.h"

#include <algorithm>

#include "pdf/pdf_font_program.h"
#include "pdf/pdf_tables.h"
#include "print/page_font.h"

namespace qm::pdf {
namespace {

bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The Shift-JIS code at a 1-based position, or -1 for a trail byte.
int CodeAt(std::string_view text, int position) {
  const int index = position - 1;
  if (index < 0 || index >= static_cast<int>(text.size())) return 0;
  int i = 0;
  while (i < index) i += IsLead(static_cast<unsigned char>(text[static_cast<std::size_t>(i)])) ? 2 : 1;
  if (i > index) return -1;
  const auto b = static_cast<unsigned char>(text[static_cast<std::size_t>(index)]);
  if (!IsLead(b)) return b;
  const int next = index + 1 < static_cast<int>(text.size()) ? static_cast<unsigned char>(text[static_cast<std::size_t>(index + 1)]) : 0;
  return b * 256 + next;
}

int LookUp(std::span<const CMapRange> table, int code) {
  if (code < 0) return -1;
  for (const CMapRange& r : table)
    if (r.from <= code && code <= r.to) return code - r.from + r.cid;
  return 0;
}

bool LeadAt(std::string_view text, int position) {
  const int index = position - 1;
  if (index < 0 || index >= static_cast<int>(text.size())) return false;
  return CodeAt(text, position) >= 0 && IsLead(static_cast<unsigned char>(text[static_cast<std::size_t>(index)]));
}

struct Type1Alias {
  const char* alias;
  const char* baseFont;
  Type1Face face;
};

constexpr Type1Alias kType1[] = {
    {"FixedWidth", "Courier", Type1Face::Courier},
    {"FixedWidth-Bold", "Courier-Bold", Type1Face::CourierBold},
    {"FixedWidth-Italic", "Courier-Oblique", Type1Face::CourierOblique},
    {"FixedWidth-BoldItalic", "Courier-BoldOblique", Type1Face::CourierBoldOblique},
    {"Arial", "Helvetica", Type1Face::Helvetica},
    {"Arial-Bold", "Helvetica-Bold", Type1Face::HelveticaBold},
    {"Arial-Italic", "Helvetica-Oblique", Type1Face::HelveticaOblique},
    {"Arial-BoldItalic", "Helvetica-BoldOblique", Type1Face::HelveticaBoldOblique},
    {"Times-Roman", "Times-Roman", Type1Face::TimesRoman},
    {"Times-Bold", "Times-Bold", Type1Face::TimesBold},
    {"Times-Italic", "Times-Italic", Type1Face::TimesItalic},
    {"Times-BoldItalic", "Times-BoldItalic", Type1Face::TimesBoldItalic},
};

struct JpAlias {
  const char* family;
  JpFamily value;
};
constexpr JpAlias kJpFamilies[] = {
    {"Gothic", JpFamily::Gothic}, {"Mincyo", JpFamily::Mincyo}, {"PGothic", JpFamily::PGothic}, {"PMincyo", JpFamily::PMincyo}};

struct JpAliasParts {
  JpFamily family;
  bool bold, italic;
};
std::optional<JpAliasParts> ParseJpAlias(const std::string& alias) {
  for (const JpAlias& f : kJpFamilies) {
    const std::string base = f.family;
    if (alias == base) return JpAliasParts{f.value, false, false};
    if (alias == base + ",Bold") return JpAliasParts{f.value, true, false};
    if (alias == base + ",Italic") return JpAliasParts{f.value, false, true};
    if (alias == base + ",BoldItalic") return JpAliasParts{f.value, true, true};
  }
  return std::nullopt;
}

}  // namespace

int CharToCMap_90MS_RKSJ_H(std::string_view text, int position) { return LookUp(Cmap90msRksjH(), CodeAt(text, position)); }
int CharToCMap_90MSP_RKSJ_H(std::string_view text, int position) {
  return LookUp(Cmap90mspRksjH(), CodeAt(text, position));
}

int TPdfFont::GetCharWidth(std::string_view, int) const { return 0; }

// ---------------------------------------------------------------------------------

TPdfType1Font::TPdfType1Font(TPdfXref& xref, std::string name, const std::string& baseFont,
                             const std::array<std::uint16_t, 224>& widths)
    : TPdfFont(xref, std::move(name)) {
  auto& dict = xref.Add(std::make_unique<TPdfDictionary>(&xref));
  dict.AddItem("Type", std::make_unique<TPdfName>("Font"));
  dict.AddItem("Subtype", std::make_unique<TPdfName>("Type1"));
  dict.AddItem("Encoding", std::make_unique<TPdfName>("WinAnsiEncoding"));
  dict.AddItem("FirstChar", std::make_unique<TPdfNumber>(32));
  dict.AddItem("LastChar", std::make_unique<TPdfNumber>(255));
  dict.AddItem("BaseFont", std::make_unique<TPdfName>(baseFont));
  auto array = std::make_unique<TPdfArray>(&xref);
  for (std::uint16_t w : widths) array->AddItem(std::make_unique<TPdfNumber>(w));
  dict.AddInternalItem("Widths", std::move(array));
  SetData(&dict);
}

void TPdfType1Font::SetData(TPdfDictionary* data) {
  TPdfFont::SetData(data);
  const TPdfNumber* missing = data->PdfNumberByName("MissingWidth");
  FArray.fill(static_cast<std::uint16_t>(missing ? missing->Value() : 0));
  const TPdfNumber* first = data->PdfNumberByName("FirstChar");
  const TPdfNumber* last = data->PdfNumberByName("LastChar");
  FFirstChar = first ? first->Value() : 0;
  FLastChar = last ? last->Value() : 255;
  if (const TPdfArray* widths = data->PdfArrayByName("Widths"))
    for (int i = 0; i < widths->ItemCount() && FFirstChar + i < 256; ++i)
      if (const auto* n = dynamic_cast<const TPdfNumber*>(widths->Items(i)))
        FArray[static_cast<std::size_t>(FFirstChar + i)] = static_cast<std::uint16_t>(n->Value());
}

int TPdfType1Font::GetCharWidth(std::string_view text, int position) const {
  if (position < 1 || position > static_cast<int>(text.size())) return 0;
  return FArray[static_cast<unsigned char>(text[static_cast<std::size_t>(position - 1)])];
}

// ---------------------------------------------------------------------------------

void TPdfType0Font::SetData(TPdfDictionary* data) {
  TPdfFont::SetData(data);
  FArray.clear();
  const TPdfArray* descendants = data->PdfArrayByName("DescendantFonts");
  const auto* cidFont = descendants && descendants->ItemCount() > 0
                            ? dynamic_cast<const TPdfDictionary*>(descendants->Items(0))
                            : nullptr;
  if (!cidFont) return;
  if (const TPdfNumber* dw = cidFont->PdfNumberByName("DW")) FDW = static_cast<std::uint16_t>(dw->Value());
  if (const TPdfDictionary* descriptor = cidFont->PdfDictionaryByName("FontDescriptor"))
    if (const TPdfNumber* mw = descriptor->PdfNumberByName("MissingWidth"))
      FMissingWidth = static_cast<std::uint16_t>(mw->Value());
  if (const TPdfArray* w = cidFont->PdfArrayByName("W")) FArray = ParseCidWidths(*w);
}

std::vector<TPdfCIDWidthItem> ParseCidWidths(const TPdfArray& w) {
  std::vector<TPdfCIDWidthItem> items;
  int i = 0;
  while (i < w.ItemCount()) {
    const auto* start = dynamic_cast<const TPdfNumber*>(w.Items(i));
    if (!start) throw EPdfInvalidValue("invalid W array start pos..");
    if (i + 1 >= w.ItemCount()) throw EPdfInvalidValue("invalid W array value..");
    const TPdfObject* next = w.Items(i + 1);
    if (const auto* widths = dynamic_cast<const TPdfArray*>(next)) {
      for (int k = 0; k < widths->ItemCount(); ++k) {
        const auto* width = dynamic_cast<const TPdfNumber*>(widths->Items(k));
        if (!width) throw EPdfInvalidValue("invalid W array value..");
        items.push_back({start->Value() + k, start->Value() + k, static_cast<std::uint16_t>(width->Value())});
      }
      i += 2;
    } else if (const auto* end = dynamic_cast<const TPdfNumber*>(next)) {
      if (i + 2 >= w.ItemCount()) throw EPdfInvalidValue("invalid W array value..");
      const auto* width = dynamic_cast<const TPdfNumber*>(w.Items(i + 2));
      if (!width) throw EPdfInvalidValue("invalid W array value..");
      items.push_back({start->Value(), end->Value(), static_cast<std::uint16_t>(width->Value())});
      i += 3;
    } else {
      throw EPdfInvalidValue("invalid W array value..");
    }
  }
  return items;
}

int CidWidthOf(const std::vector<TPdfCIDWidthItem>& items, int cid) {
  for (const TPdfCIDWidthItem& item : items)
    if (item.FEndCID >= cid) return item.FStrCID <= cid ? item.FWidth : 0;
  return 0;
}

int TPdfType0Font::CidWidth(int cid) const { return CidWidthOf(FArray, cid); }

int TPdfType0Font::GetCharWidth(std::string_view text, int position) const {
  if (!FCharToCMap) return 0;
  const int cid = FCharToCMap(text, position);
  if (cid < 0) return 0;
  if (const int w = CidWidth(cid); w > 0) return w;
  return LeadAt(text, position) ? FDW : FMissingWidth;
}

// ---------------------------------------------------------------------------------

bool IsProportional(JpFamily family) { return family == JpFamily::PGothic || family == JpFamily::PMincyo; }

TPdfJpFont::TPdfJpFont(TPdfXref& xref, std::string name, JpFamily family, bool bold, bool italic,
                       TPdfFontProgram* program)
    : TPdfType0Font(xref, std::move(name)), FFamily(family), FBold(bold), FItalic(italic), FProgram(program) {
  // Three registered dictionaries with consecutive numbers.
  auto& type0 = xref.Add(std::make_unique<TPdfDictionary>(&xref));
  auto& cidFont = xref.Add(std::make_unique<TPdfDictionary>(&xref));
  auto& descriptor = xref.Add(std::make_unique<TPdfDictionary>(&xref));
  SetCharToCMap(Proportional() ? TCharToCMap(CharToCMap_90MSP_RKSJ_H) : TCharToCMap(CharToCMap_90MS_RKSJ_H));
  if (FProgram) {
    BuildEmbedded(type0, cidFont, descriptor);
    SetData(&type0);
    return;
  }

  type0.AddItem("BaseFont", std::make_unique<TPdfName>(GetFontName()));
  auto descendants = std::make_unique<TPdfArray>(&xref);
  descendants->AddItem(cidFont);
  type0.AddItem("DescendantFonts", std::move(descendants));

  cidFont.AddItem("Type", std::make_unique<TPdfName>("Font"));
  cidFont.AddItem("Subtype", std::make_unique<TPdfName>("CIDFontType2"));
  cidFont.AddItem("WinCharSet", std::make_unique<TPdfName>("128"));
  cidFont.AddItem("BaseFont", std::make_unique<TPdfName>(GetFontName()));
  auto info = std::make_unique<TPdfDictionary>(&xref);
  info->AddItem("Registry", std::make_unique<TPdfText>("Adobe"));
  info->AddItem("Ordering", std::make_unique<TPdfText>("Japan1"));
  info->AddItem("Supplement", std::make_unique<TPdfNumber>(2));
  cidFont.AddItem("CIDSystemInfo", std::move(info));
  cidFont.AddItem("DW", std::make_unique<TPdfNumber>(1000));
  AddDescendantFontItem(cidFont);
  cidFont.AddItem("FontDescriptor", descriptor);

  descriptor.AddItem("Type", std::make_unique<TPdfName>("FontDescriptor"));
  descriptor.AddItem("FontName", std::make_unique<TPdfName>(GetFontName()));
  descriptor.AddItem("Ascent", std::make_unique<TPdfNumber>(859));
  descriptor.AddItem("CapHeight", std::make_unique<TPdfNumber>(859));
  descriptor.AddItem("Descent", std::make_unique<TPdfNumber>(-141));
  descriptor.AddItem("MissingWidth", std::make_unique<TPdfNumber>(500));
  AddDescriptorItem(descriptor);
  descriptor.AddItem("FontBBox", TPdfArray::CreateNumArray(&xref, {0, -141, 1000, 859}));

  type0.AddItem("Type", std::make_unique<TPdfName>("Font"));
  type0.AddItem("Subtype", std::make_unique<TPdfName>("Type0"));
  type0.AddItem("Encoding", std::make_unique<TPdfName>(Proportional() ? "90msp-RKSJ-H" : "90ms-RKSJ-H"));
  SetData(&type0);
}

void TPdfJpFont::BuildEmbedded(TPdfDictionary& type0, TPdfDictionary& cidFont, TPdfDictionary& descriptor) {
  const FontFile& file = FProgram->File();
  FEmbeddedFace = FProgram->FaceName() +
                  (FBold && FItalic ? ",BoldItalic" : FBold ? ",Bold" : FItalic ? ",Italic" : "");
  // The names get the program's subset tag when the document is saved.
  auto name = [&](TPdfDictionary& dict, const char* key) {
    auto value = std::make_unique<TPdfName>(FEmbeddedFace);
    FSubsetNames.push_back(value.get());
    dict.AddItem(key, std::move(value));
  };
  type0.AddItem("Type", std::make_unique<TPdfName>("Font"));
  type0.AddItem("Subtype", std::make_unique<TPdfName>("Type0"));
  name(type0, "BaseFont");
  type0.AddItem("Encoding", FProgram->Encoding());
  auto descendants = std::make_unique<TPdfArray>(&FXref);
  descendants->AddItem(cidFont);
  type0.AddItem("DescendantFonts", std::move(descendants));
  type0.AddItem("ToUnicode", FProgram->ToUnicode());

  cidFont.AddItem("Type", std::make_unique<TPdfName>("Font"));
  cidFont.AddItem("Subtype", std::make_unique<TPdfName>("CIDFontType2"));
  name(cidFont, "BaseFont");
  cidFont.AddItem("CIDSystemInfo", IdentitySystemInfo(&FXref));
  cidFont.AddItem("FontDescriptor", descriptor);
  cidFont.AddItem("DW", std::make_unique<TPdfNumber>(1000));
  cidFont.AddItem("W", CodeWidths());
  cidFont.AddItem("CIDToGIDMap", FProgram->CIDToGIDMap());
  // The CID is the code: measured through the code-keyed widths, every character keeps
  // the width the first form gives it.
  SetCharToCMap(CharToCMap_Code);

  const FontFile::Box& box = file.BBox1000();
  descriptor.AddItem("Type", std::make_unique<TPdfName>("FontDescriptor"));
  name(descriptor, "FontName");
  descriptor.AddItem("Flags", std::make_unique<TPdfNumber>(Proportional() ? 4 : 5));  // symbolic, fixed pitch
  descriptor.AddItem("FontBBox", TPdfArray::CreateNumArray(&FXref, {box.left, box.bottom, box.right, box.top}));
  descriptor.AddItem("ItalicAngle", std::make_unique<TPdfNumber>(0));
  descriptor.AddItem("Ascent", std::make_unique<TPdfNumber>(file.Ascent1000()));
  descriptor.AddItem("Descent", std::make_unique<TPdfNumber>(file.Descent1000()));
  descriptor.AddItem("CapHeight", std::make_unique<TPdfNumber>(file.Ascent1000()));
  descriptor.AddItem("StemV", std::make_unique<TPdfNumber>(78));
  descriptor.AddItem("MissingWidth", std::make_unique<TPdfNumber>(500));
  descriptor.AddItem("FontFile2", FProgram->FontFile2());
}

std::unique_ptr<TPdfArray> TPdfJpFont::CodeWidths() {
  // The widths the first form measures with (its W over the predefined CMap's CIDs), by
  // code: runs of codes whose width is not the default 1000.
  TPdfDictionary scratch(&FXref);
  AddDescendantFontItem(scratch);
  const std::vector<TPdfCIDWidthItem> first = ParseCidWidths(*scratch.PdfArrayByName("W"));
  const auto firstForm = [&](int code) {
    const int cid = Proportional() ? CidOf90mspRksjH(code) : CidOf90msRksjH(code);
    const int w = CidWidthOf(first, cid);
    return w > 0 ? w : code >= 0x100 ? 1000 : 500;
  };
  std::vector<int> codes;
  for (int b = 0; b < 0x100; ++b)
    if (!((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))) codes.push_back(b);
  for (int lead = 0x81; lead <= 0xFC; ++lead)
    if (lead <= 0x9F || lead >= 0xE0)
      for (int trail = 0x40; trail <= 0xFC; ++trail)
        if (trail != 0x7F) codes.push_back(lead * 256 + trail);
  auto w = std::make_unique<TPdfArray>(&FXref);
  std::size_t i = 0;
  while (i < codes.size()) {
    const int width = firstForm(codes[i]);
    std::size_t j = i;
    while (j + 1 < codes.size() && codes[j + 1] == codes[j] + 1 && firstForm(codes[j + 1]) == width) ++j;
    if (width != 1000) {
      w->AddItem(std::make_unique<TPdfNumber>(codes[i]));
      w->AddItem(std::make_unique<TPdfNumber>(codes[j]));
      w->AddItem(std::make_unique<TPdfNumber>(width));
    }
    i = j + 1;
  }
  return w;
}

void TPdfJpFont::NoteShown(std::string_view sjis) {
  if (FProgram) FProgram->NoteShown(sjis);
}

void TPdfJpFont::SetSubsetTag(const std::string& tag) {
  for (TPdfName* name : FSubsetNames) name->SetValue(tag + "+" + FEmbeddedFace);
}

void TPdfJpFont::AddDescriptorItem(TPdfDictionary& descriptor) {
  int flags = 0;
  switch (FFamily) {
    case JpFamily::Gothic: flags = 5; break;
    case JpFamily::Mincyo: flags = 7; break;
    case JpFamily::PGothic: flags = 4; break;
    case JpFamily::PMincyo: flags = 6; break;
  }
  if (FBold) flags += 262144;  // force bold
  descriptor.AddItem("Flags", std::make_unique<TPdfNumber>(flags));
  descriptor.AddItem("ItalicAngle", std::make_unique<TPdfNumber>(FItalic ? -11 : 0));
  descriptor.AddItem("StemV", std::make_unique<TPdfNumber>(FBold ? 156 : 78));
}

void TPdfJpFont::AddDescendantFontItem(TPdfDictionary& cidFont) {
  auto w = std::make_unique<TPdfArray>(&FXref);
  if (!Proportional()) {
    // The half-width forms are half as wide as everything else.
    w->AddItem(std::make_unique<TPdfNumber>(231));
    w->AddItem(std::make_unique<TPdfNumber>(631));
    w->AddItem(std::make_unique<TPdfNumber>(500));
  } else {
    for (const CidWidthRun& run : ProportionalWidths(FFamily == JpFamily::PMincyo)) {
      w->AddItem(std::make_unique<TPdfNumber>(run.startCid));
      auto widths = std::make_unique<TPdfArray>(&FXref);
      for (std::uint16_t width : run.widths) widths->AddItem(std::make_unique<TPdfNumber>(width));
      w->AddItem(std::move(widths));
    }
  }
  cidFont.AddItem("W", std::move(w));
}

TPdfChinese::TPdfChinese(TPdfXref& xref, std::string name) : TPdfType0Font(xref, std::move(name)) {
  auto& type0 = xref.Add(std::make_unique<TPdfDictionary>(&xref));
  auto& cidFont = xref.Add(std::make_unique<TPdfDictionary>(&xref));
  auto& descriptor = xref.Add(std::make_unique<TPdfDictionary>(&xref));
  type0.AddItem("BaseFont", std::make_unique<TPdfName>(FName));
  auto descendants = std::make_unique<TPdfArray>(&xref);
  descendants->AddItem(cidFont);
  type0.AddItem("DescendantFonts", std::move(descendants));
  cidFont.AddItem("Type", std::make_unique<TPdfName>("Font"));
  cidFont.AddItem("Subtype", std::make_unique<TPdfName>("CIDFontType2"));
  cidFont.AddItem("BaseFont", std::make_unique<TPdfName>(FName));
  auto info = std::make_unique<TPdfDictionary>(&xref);
  info->AddItem("Registry", std::make_unique<TPdfText>("Adobe"));
  info->AddItem("Ordering", std::make_unique<TPdfText>("GB1"));
  info->AddItem("Supplement", std::make_unique<TPdfNumber>(2));
  cidFont.AddItem("CIDSystemInfo", std::move(info));
  cidFont.AddItem("DW", std::make_unique<TPdfNumber>(1000));
  cidFont.AddItem("W", TPdfArray::CreateNumArray(&xref, {1, 95, 500}));
  cidFont.AddItem("FontDescriptor", descriptor);
  descriptor.AddItem("Type", std::make_unique<TPdfName>("FontDescriptor"));
  descriptor.AddItem("FontName", std::make_unique<TPdfName>(FName));
  descriptor.AddItem("Ascent", std::make_unique<TPdfNumber>(859));
  descriptor.AddItem("CapHeight", std::make_unique<TPdfNumber>(859));
  descriptor.AddItem("Descent", std::make_unique<TPdfNumber>(-141));
  descriptor.AddItem("MissingWidth", std::make_unique<TPdfNumber>(500));
  descriptor.AddItem("Flags", std::make_unique<TPdfNumber>(5));
  descriptor.AddItem("ItalicAngle", std::make_unique<TPdfNumber>(0));
  descriptor.AddItem("StemV", std::make_unique<TPdfNumber>(78));
  descriptor.AddItem("FontBBox", TPdfArray::CreateNumArray(&xref, {0, -141, 1000, 859}));
  type0.AddItem("Type", std::make_unique<TPdfName>("Font"));
  type0.AddItem("Subtype", std::make_unique<TPdfName>("Type0"));
  type0.AddItem("Encoding", std::make_unique<TPdfName>("GB-EUC-H"));
  // Only trail bytes are told apart; every other byte maps to CID 0.
  SetCharToCMap([](std::string_view text, int position) { return CodeAt(text, position) < 0 ? -1 : 0; });
  SetData(&type0);
}

std::unique_ptr<TPdfFont> CreateFontByAlias(TPdfXref& xref, const std::string& alias) {
  for (const Type1Alias& t : kType1)
    if (alias == t.alias) return std::make_unique<TPdfType1Font>(xref, alias, t.baseFont, Type1Widths(t.face));
  if (alias == "Chinese") return std::make_unique<TPdfChinese>(xref, alias);
  if (const auto parts = ParseJpAlias(alias))
    return std::make_unique<TPdfJpFont>(xref, alias, parts->family, parts->bold, parts->italic);
  return nullptr;
}

std::optional<JpFamily> JpFamilyOf(const std::string& alias) {
  if (const auto parts = ParseJpAlias(alias)) return parts->family;
  return std::nullopt;
}

std::unique_ptr<TPdfJpFont> CreateEmbeddedJpFont(TPdfXref& xref, const std::string& alias, TPdfFontProgram& program) {
  const auto parts = ParseJpAlias(alias);
  if (!parts) return nullptr;
  return std::make_unique<TPdfJpFont>(xref, alias, parts->family, parts->bold, parts->italic, &program);
}

int CidOf90msRksjH(int code) { return LookUp(Cmap90msRksjH(), code); }
int CharToCMap_Code(std::string_view text, int position) { return CodeAt(text, position); }
int CidOf90mspRksjH(int code) { return LookUp(Cmap90mspRksjH(), code); }

}  // namespace qm::pdf
