#include "support/edge_texts.h"

#include "support/bytes.h"

namespace qmtest {

std::vector<EdgeText> EdgeStrings() {
  std::vector<EdgeText> edges = {
      {"the finding: a stand-in before an NEC-selected IBM character", "\xEE\xEE\xB4", false},
      {"NEC-selected IBM rows ED and EE", "\xED\x40\xED\x9E\xEE\xB4\xEE\xEC\xEE\xEF\xEE\xF9\xEE\xFC", false},
      {"IBM rows FA to FC", "\xFA\x40\xFA\x54\xFA\x5B\xFB\xD0\xFC\x4B", false},  // FA54 and FA5B are in row 2 too
      {"IBM rows FA to FC, their own characters only", "\xFA\x40\xFA\x5C\xFB\xD0\xFC\x4B", true},
      {"NEC row 13 duplicates of JIS row 2", "\x87\x90\x87\x91\x87\x92\x87\x95\x87\x96\x87\x97\x87\x9A\x87\x9B\x87\x9C",
       false},
      {"their JIS row 2 forms", "\x81\xE0\x81\xDF\x81\xE7\x81\xE3\x81\xDB\x81\xDA\x81\xE6\x81\xBF\x81\xBE", true},
      {"single bytes that are no text", std::string("\x80\xA0\xFD\xFE\xFF", 5), true},
      {"a lead byte at the end", "abc\x81", true},
      {"a lead byte before a byte that is no trail", "\x81\x20\x9F\x7F", true},
      {"an unmapped pair", "\x85\x40\xEB\x40", true},
      {"stand-ins before two-form characters", "\xEE\xEE\xB4\xEF\xED\x40\xFC\xFC\xFA\x54\x86\x87\x90", false},
      {"half-width katakana and ASCII", "\xB1\xB2 ABC-123", true},
      {"stand-ins before one-form characters", "\x81\x7F\x88\x9F\xFC\xFA\x40\xA0", true},
  };
  // A lone lead byte before a character of each lead-byte row and before each two-form
  // character row.
  for (unsigned lead : {0x81u, 0x88u, 0x9Fu, 0xE0u, 0xEAu, 0xEDu, 0xEEu, 0xEFu, 0xF0u, 0xF9u, 0xFAu, 0xFBu, 0xFCu}) {
    std::string s;
    s.push_back(static_cast<char>(lead));
    s += "\xEE\xB4";  // pairs with nothing as EE, with FB after most of these leads
    s.push_back(static_cast<char>(lead));
    s += "\xED\x40";
    s.push_back(static_cast<char>(lead));
    s += "\x87\x90";
    edges.push_back({"lone lead byte " + Hex(std::string(1, static_cast<char>(lead))), s, false});
  }
  return edges;
}

std::string FileWith(const std::string& a, const std::string& b, const std::string& c,
                     const std::vector<StoredPicture>& pictures) {
  FileBytes f;
  f.Str("KESTRELDOC5_100").Str("2026/12/09 10:30").Bool(false).Str(c);  // comment
  f.Str(a).Str(b).Str(c);                                                  // names 1–3
  f.Bool(false).Str("0").Str("0");                                         // tax input, subtotal, tax
  f.Str(b).Str(c).Str(a).Str("").Str("");                                  // code, slip code, YY, MM, DD
  f.Str(c).Str(a).Str(b).Str("").Str("").Str(a);                           // zip, address 1–2, tel, fax, title
  f.Str(b).Bool(false).Str(a).Bool(false).Str("").Bool(false).Str(c).Bool(false);
  f.Str(a).Str(b).Bool(false).Str("0").Str("0");                           // remarks, memo, rules
  f.I32(2);
  std::size_t line = 0;
  for (const std::string* name : {&a, &c}) {
    f.Str("0").Str(b).Str(*name).Str("0").Str(c).Str("0").Str("0").Str("0").Str(a);
    if (line < pictures.size() && !pictures[line].bytes.empty())
      f.I32(static_cast<int>(pictures[line].bytes.size())).I32(pictures[line].kind).Raw(pictures[line].bytes);
    else
      f.I32(0);
    f.Bool(false).Bool(false);
    ++line;
  }
  return f.str();
}

}  // namespace qmtest
