#pragma once
// Fonts of the PDF writer. In the system-font form none is embedded: the file names a
// standard Latin font or a Japanese CID font the viewer supplies. In the embedded form
// the Japanese fonts carry a subset of a font file (pdf_font_program.h). Either way the
// writer measures text with width tables of its own, and Japanese text is written as
// Shift-JIS bytes.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/pdf_objects.h"

namespace qm::pdf {

class TPdfFont : public TPdfDictionaryWrapper {
 public:
  TPdfFont(TPdfXref& xref, std::string name) : FXref(xref), FName(std::move(name)) {}
  const std::string& Name() const { return FName; }
  // Width in 1/1000 em of the character at the 1-based byte position.
  virtual int GetCharWidth(std::string_view text, int position) const;
  // Shift-JIS text shown in this font (an embedded font keeps its characters).
  virtual void NoteShown(std::string_view) {}
  // Bold drawn as the regular outlines filled and stroked.
  virtual bool StrokedBold() const { return false; }

 protected:
  TPdfXref& FXref;
  std::string FName;
};

class TPdfType1Font : public TPdfFont {
 public:
  // Registers the font dictionary of `baseFont` with the widths of codes 32 … 255.
  TPdfType1Font(TPdfXref& xref, std::string name, const std::string& baseFont,
                const std::array<std::uint16_t, 224>& widths);
  void SetData(TPdfDictionary* data) override;
  int GetCharWidth(std::string_view text, int position) const override;

 private:
  int FFirstChar = 0;
  int FLastChar = 0;
  std::array<std::uint16_t, 256> FArray{};
};

// Text and 1-based byte position to a CID; -1 for the trail byte of a double-byte
// character.
using TCharToCMap = std::function<int(std::string_view text, int position)>;

struct TPdfCIDWidthItem {
  std::int32_t FStrCID;
  std::int32_t FEndCID;
  std::uint16_t FWidth;
};

class TPdfType0Font : public TPdfFont {
 public:
  using TPdfFont::TPdfFont;
  void SetCharToCMap(TCharToCMap fn) { FCharToCMap = std::move(fn); }
  // Reads DW and W of the descendant font and MissingWidth of its descriptor.
  void SetData(TPdfDictionary* data) override;
  int GetCharWidth(std::string_view text, int position) const override;
  int CidWidth(int cid) const;
  const std::vector<TPdfCIDWidthItem>& WidthItems() const { return FArray; }

 protected:
  TCharToCMap FCharToCMap;
  std::vector<TPdfCIDWidthItem> FArray;
  std::uint16_t FDW = 1000;
  std::uint16_t FMissingWidth = 500;
};

enum class JpFamily { Gothic, Mincyo, PGothic, PMincyo };
bool IsProportional(JpFamily family);

class TPdfFontProgram;

// The Japanese CID fonts: a Type 0 font, its CID font and the font descriptor. With a
// program the font is embedded: its CID font draws the program's subset through its
// CIDToGIDMap, the Type 0 font maps its codes to Unicode, and a bold face is the
// regular outlines stroked; the encoding, the widths and the measuring stay the same.
class TPdfJpFont : public TPdfType0Font {
 public:
  TPdfJpFont(TPdfXref& xref, std::string name, JpFamily family, bool bold, bool italic,
             TPdfFontProgram* program = nullptr);
  void NoteShown(std::string_view sjis) override;
  bool StrokedBold() const override { return FProgram && FBold; }
  TPdfFontProgram* Program() const { return FProgram; }
  // The embedded font's names with the subset tag of its program ("ABCDEF+IPAGothic").
  void SetSubsetTag(const std::string& tag);

 protected:
  virtual void AddDescriptorItem(TPdfDictionary& descriptor);
  virtual void AddDescendantFontItem(TPdfDictionary& cidFont);
  virtual std::string GetFontName() const { return FName; }
  bool Proportional() const { return IsProportional(FFamily); }

  JpFamily FFamily;
  bool FBold;
  bool FItalic;

 private:
  void BuildEmbedded(TPdfDictionary& type0, TPdfDictionary& cidFont, TPdfDictionary& descriptor);
  // The W array of the embedded form: the first form's widths keyed by code.
  std::unique_ptr<TPdfArray> CodeWidths();
  TPdfFontProgram* FProgram;
  std::string FEmbeddedFace;
  std::vector<TPdfName*> FSubsetNames;  // BaseFont of both fonts, FontName of the descriptor
};

class TPdfChinese final : public TPdfType0Font {
 public:
  TPdfChinese(TPdfXref& xref, std::string name);
};

// The CMap functions: a range table lookup of the Shift-JIS code at the position.
int CharToCMap_90MS_RKSJ_H(std::string_view text, int position);
int CharToCMap_90MSP_RKSJ_H(std::string_view text, int position);
// The CID of a character code (a byte, or lead byte × 256 + trail byte); 0 for none.
int CidOf90msRksjH(int code);
int CidOf90mspRksjH(int code);
// The CMap function of the embedded fonts, whose CID is the code itself.
int CharToCMap_Code(std::string_view text, int position);

// The width items of a W array; throws EPdfInvalidValue for a malformed one.
std::vector<TPdfCIDWidthItem> ParseCidWidths(const TPdfArray& w);
// The width of a CID by the items (0 when none covers it).
int CidWidthOf(const std::vector<TPdfCIDWidthItem>& items, int cid);

// A font by its alias ("Arial", "Gothic,Bold", …); nullptr for an unknown alias.
std::unique_ptr<TPdfFont> CreateFontByAlias(TPdfXref& xref, const std::string& alias);
// The Japanese family of an alias ("PGothic,Bold" → PGothic), none for another alias.
std::optional<JpFamily> JpFamilyOf(const std::string& alias);
// An embedded Japanese font of the family of `alias`, drawing from `program`.
std::unique_ptr<TPdfJpFont> CreateEmbeddedJpFont(TPdfXref& xref, const std::string& alias, TPdfFontProgram& program);

}  // namespace qm::pdf
