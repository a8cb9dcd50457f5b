#pragma once
// A font file put into a document: one subset of the file (FontFile2) with the glyphs of
// every character code the document shows, the map from CIDs to the file's glyphs
// (CIDToGIDMap), the map from the codes to Unicode (ToUnicode) and the encoding, shared
// by every font of the document drawn from that file. The streams are registered when
// the first such font is made and filled once, when the document is saved.
//
// The encoding is an embedded CMap with the codespace of 90ms-RKSJ-H whose CID is the
// Shift-JIS code itself (a byte, or lead byte × 256 + trail byte): the text stays the
// Shift-JIS bytes it always was, and every reader maps it to Unicode through ToUnicode,
// which some readers do not do for a predefined CMap.
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "pdf/pdf_objects.h"

namespace qm {
class FontFile;
}

namespace qm::pdf {

class TPdfFontProgram {
 public:
  TPdfFontProgram(TPdfXref& xref, const FontFile& file);

  const FontFile& File() const { return FFile; }
  TPdfStream& FontFile2() { return FFontFile2; }
  TPdfStream& CIDToGIDMap() { return FCIDToGIDMap; }
  TPdfStream& ToUnicode() { return FToUnicode; }
  TPdfStream& Encoding() { return FEncoding; }
  // The PostScript name of the file's face ("IPAGothic").
  const std::string& FaceName() const { return FFaceName; }

  // Notes the character codes of Shift-JIS text shown in the document.
  void NoteShown(std::string_view sjis);
  const std::set<int>& Codes() const { return FCodes; }

  // Fills the three streams from the codes noted (compressed) and answers the subset
  // tag: six capital letters that depend only on the glyphs kept.
  std::string Finish();

 private:
  const FontFile& FFile;
  TPdfStream& FFontFile2;
  TPdfStream& FCIDToGIDMap;
  TPdfStream& FToUnicode;
  TPdfStream& FEncoding;
  std::string FFaceName;
  std::set<int> FCodes;
};

// The CMap name and CID system of the embedded encoding.
inline constexpr const char* kShiftJisCMapName = "VeloraQuillmark-RKSJ-H";
// The ToUnicode CMap of Shift-JIS character codes (the codespace of 90ms-RKSJ-H).
std::string ShiftJisToUnicodeCMap(const std::set<int>& codes);
// The embedded encoding: every code of the codespace to the CID of the same number.
std::string ShiftJisCodeCMap();
// CIDSystemInfo Adobe-Identity-0, of the embedded encoding and the fonts that use it.
std::unique_ptr<TPdfDictionary> IdentitySystemInfo(const TPdfXref* xref);

}  // namespace qm::pdf
