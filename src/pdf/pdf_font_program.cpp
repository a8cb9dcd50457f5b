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

TPdfFontProgram::TPdfFontProgram(TPdfXref& xref, const FontFile& file, int (*cidOf)(int code))
    : FFile(file),
      FCidOf(cidOf),
      FFontFile2(xref.Add(std::make_unique<TPdfStream>(&xref))),
      FCIDToGIDMap(xref.Add(std::make_unique<TPdfStream>(&xref))),
      FToUnicode(xref.Add(std::make_unique<TPdfStream>(&xref))),
      FFaceName(file.PostScriptName()) {}

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
    const int cid = FCidOf(code);
    if (cid <= 0) continue;
    const std::u16string text = CodeText(code);
    if (text.empty()) continue;
    const std::uint32_t glyph = FFile.Glyph(text[0]);
    if (cidToGid.size() <= static_cast<std::size_t>(cid)) cidToGid.resize(static_cast<std::size_t>(cid) + 1, 0);
    // Codes that share a CID share its glyph: the first one (in code order) gives it.
    std::uint16_t& slot = cidToGid[static_cast<std::size_t>(cid)];
    if (slot == 0 && glyph <= 0xFFFF) slot = static_cast<std::uint16_t>(glyph);
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
      "/CMapType 2 def\n"
      "4 begincodespacerange\n"
      "<00> <80>\n"
      "<8140> <9FFC>\n"
      "<A0> <DF>\n"
      "<E040> <FCFC>\n"
      "endcodespacerange\n";
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
