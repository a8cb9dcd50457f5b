#pragma once
// A font file put into a document: one subset of the file (FontFile2) with the glyphs of
// every character code the document shows, the map from the codes' CIDs to the file's
// glyphs (CIDToGIDMap) and the map from the codes to Unicode (ToUnicode), shared by every
// font of the document drawn from that file. The streams are registered when the first
// such font is made and filled once, when the document is saved.
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
  // `cidOf` maps a character code (a single byte, or lead byte × 256 + trail byte) to
  // the CID the reader's predefined CMap gives it.
  TPdfFontProgram(TPdfXref& xref, const FontFile& file, int (*cidOf)(int code));

  const FontFile& File() const { return FFile; }
  TPdfStream& FontFile2() { return FFontFile2; }
  TPdfStream& CIDToGIDMap() { return FCIDToGIDMap; }
  TPdfStream& ToUnicode() { return FToUnicode; }
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
  int (*FCidOf)(int code);
  TPdfStream& FFontFile2;
  TPdfStream& FCIDToGIDMap;
  TPdfStream& FToUnicode;
  std::string FFaceName;
  std::set<int> FCodes;
};

// The ToUnicode CMap of Shift-JIS character codes (the codespace of 90ms-RKSJ-H).
std::string ShiftJisToUnicodeCMap(const std::set<int>& codes);

}  // namespace qm::pdf
