#include "pdf/pdf_font_program.h"

#include <cstdio>
#include <vector>

#include "base/cp932.h"
#include "print/page_font.h"

namespace qm::pdf {
namespace {

// The Shift-JIS bytes of a character code.
std::string CodeBytes(int code) {
  if (code < 0x100) return std::string(1, static_cast<char>(code));
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// The UTF-16 of a code, empty when CP932 gives it no character.
std::u16string CodeText(int code) {
  const std::string bytes = CodeBytes(code);
  std::u16string units;
  cp932::AppendUtf16(bytes, units);
  // A byte that starts no character decodes to a private-use stand-in.
  if (units.size() != 1 || (units[0] >= 0xF700 && units[0] <= 0xF7FF)) return {};
  return units;
}

std::string Hex(int value, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", digits, static_cast<unsigned>(value));
  return buf;
}

std::string SubsetTag(const std::vector<std::uint16_t>& cidToGid) {
  // FNV-1a over the glyph map: the same glyphs give the same tag.
  std::uint64_t h = 1469598103934665603ULL;
  for (const std::uint16_t g : cidToGid) {
    h = (h ^ (g & 0xFF)) * 1099511628211ULL;
    h = (h ^ (g >> 8)) * 1099511628211ULL;
  }
  std::string tag;
  for (int i = 0; i < 6; ++i, h /= 26) tag += static_cast<char>('A' + h % 26);
  return tag;
}

}  // namespace

TPdfFontProgram::TPdfFontProgram(TPdfXref& xref, const FontFile& file)
    : FFile(file),
      FFontFile2(xref.Add(std::make_unique<TPdfStream>(&xref))),
      FCIDToGIDMap(xref.Add(std::make_unique<TPdfStream>(&xref))),
      FToUnicode(xref.Add(std::make_unique<TPdfStream>(&xref))),
      FEncoding(xref.Add(std::make_unique<TPdfStream>(&xref))),
      FFaceName(file.PostScriptName()) {
  TPdfDictionary& cmap = FEncoding.Attributes();
  cmap.AddItem("Type", std::make_unique<TPdfName>("CMap"));
  cmap.AddItem("CMapName", std::make_unique<TPdfName>(kShiftJisCMapName));
  cmap.AddItem("CIDSystemInfo", IdentitySystemInfo(&xref));
  FEncoding.SetDeflated(ShiftJisCodeCMap());
}

void TPdfFontProgram::NoteShown(std::string_view sjis) {
  for (std::size_t i = 0; i < sjis.size(); ++i) {
    const auto b = static_cast<unsigned char>(sjis[i]);
    if (cp932::IsLeadByte(b) && i + 1 < sjis.size()) {
      FCodes.insert(b * 256 + static_cast<unsigned char>(sjis[i + 1]));
      ++i;
    } else {
      FCodes.insert(b);
    }
  }
}

std::string TPdfFontProgram::Finish() {
  std::vector<std::uint16_t> cidToGid;
  std::basic_string<std::uint32_t> glyphs;
  for (const int code : FCodes) {
    const int cid = code;  // the embedded encoding's CID is the code
    const std::u16string text = CodeText(code);
    if (text.empty()) continue;
    const std::uint32_t glyph = FFile.Glyph(text[0]);
    if (cidToGid.size() <= static_cast<std::size_t>(cid)) cidToGid.resize(static_cast<std::size_t>(cid) + 1, 0);
    if (glyph <= 0xFFFF) cidToGid[static_cast<std::size_t>(cid)] = static_cast<std::uint16_t>(glyph);
    glyphs.push_back(glyph);
  }
  if (cidToGid.empty()) cidToGid.resize(1, 0);

  const std::string program = FFile.Subset(glyphs);
  FFontFile2.Attributes().AddItem("Length1", std::make_unique<TPdfNumber>(static_cast<std::int32_t>(program.size())));
  FFontFile2.SetDeflated(program);

  std::string map;
  map.reserve(cidToGid.size() * 2);
  for (const std::uint16_t g : cidToGid) {
    map += static_cast<char>(g >> 8);
    map += static_cast<char>(g & 0xFF);
  }
  FCIDToGIDMap.SetDeflated(map);
  FToUnicode.SetDeflated(ShiftJisToUnicodeCMap(FCodes));
  return SubsetTag(cidToGid);
}

std::unique_ptr<TPdfDictionary> IdentitySystemInfo(const TPdfXref* xref) {
  auto info = std::make_unique<TPdfDictionary>(xref);
  info->AddItem("Registry", std::make_unique<TPdfText>("Adobe"));
  info->AddItem("Ordering", std::make_unique<TPdfText>("Identity"));
  info->AddItem("Supplement", std::make_unique<TPdfNumber>(0));
  return info;
}

namespace {
constexpr const char* kCodespace =
    "4 begincodespacerange\n"
    "<00> <80>\n"
    "<8140> <9FFC>\n"
    "<A0> <DF>\n"
    "<E040> <FCFC>\n"
    "endcodespacerange\n";
}  // namespace

std::string ShiftJisCodeCMap() {
  std::string out =
      "%!PS-Adobe-3.0 Resource-CMap\n"
      "/CIDInit /ProcSet findresource begin\n"
      "12 dict begin\n"
      "begincmap\n"
      "/CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> def\n"
      "/CMapName /" + std::string(kShiftJisCMapName) + " def\n"
      "/CMapType 1 def\n";
  out += kCodespace;
  // One range a lead byte: a range of two-byte codes varies in its last byte only.
  std::vector<std::pair<int, int>> ranges = {{0x00, 0x80}, {0xA0, 0xDF}};
  for (int lead = 0x81; lead <= 0xFC; ++lead)
    if (lead <= 0x9F || lead >= 0xE0) ranges.emplace_back(lead * 256 + 0x40, lead * 256 + 0xFC);
  out += std::to_string(ranges.size()) + " begincidrange\n";
  for (const auto& [low, high] : ranges) {
    const int digits = low < 0x100 ? 2 : 4;
    out += "<" + Hex(low, digits) + "> <" + Hex(high, digits) + "> " + std::to_string(low) + "\n";
  }
  out +=
      "endcidrange\n"
      "endcmap\n"
      "CMapName currentdict /CMap defineresource pop\n"
      "end\n"
      "end\n";
  return out;
}

std::string ShiftJisToUnicodeCMap(const std::set<int>& codes) {
  std::vector<std::pair<int, std::u16string>> entries;
  for (const int code : codes)
    if (std::u16string text = CodeText(code); !text.empty()) entries.emplace_back(code, std::move(text));
  std::string out =
      "/CIDInit /ProcSet findresource begin\n"
      "12 dict begin\n"
      "begincmap\n"
      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
      "/CMapName /VeloraQuillmark-RKSJ-UCS2 def\n"
      "/CMapType 2 def\n";
  out += kCodespace;
  // At most 100 mappings a block.
  for (std::size_t start = 0; start < entries.size(); start += 100) {
    const std::size_t end = std::min(entries.size(), start + 100);
    out += std::to_string(end - start) + " beginbfchar\n";
    for (std::size_t i = start; i < end; ++i) {
      const auto& [code, text] = entries[i];
      out += "<" + Hex(code, code < 0x100 ? 2 : 4) + "> <";
      for (const char16_t unit : text) out += Hex(unit, 4);
      out += ">\n";
    }
    out += "endbfchar\n";
  }
  out +=
      "endcmap\n"
      "CMapName currentdict /CMap defineresource pop\n"
      "end\n"
      "end\n";
  return out;
}

}  // namespace qm::pdf
