#pragma once
// Fonts of the PDF writer. None is embedded: the file names a standard Latin font or a
// Japanese CID font the viewer supplies, and the writer keeps width tables of its own
// to measure text. Japanese text is written as Shift-JIS bytes.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
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

// The Japanese CID fonts: a Type 0 font, its CID font and the font descriptor.
class TPdfJpFont : public TPdfType0Font {
 public:
  TPdfJpFont(TPdfXref& xref, std::string name, JpFamily family, bool bold, bool italic);

 protected:
  virtual void AddDescriptorItem(TPdfDictionary& descriptor);
  virtual void AddDescendantFontItem(TPdfDictionary& cidFont);
  virtual std::string GetFontName() const { return FName; }
  bool Proportional() const { return FFamily == JpFamily::PGothic || FFamily == JpFamily::PMincyo; }

  JpFamily FFamily;
  bool FBold;
  bool FItalic;
};

class TPdfChinese final : public TPdfType0Font {
 public:
  TPdfChinese(TPdfXref& xref, std::string name);
};

// The CMap functions: a range table lookup of the Shift-JIS code at the position.
int CharToCMap_90MS_RKSJ_H(std::string_view text, int position);
int CharToCMap_90MSP_RKSJ_H(std::string_view text, int position);

// A font by its alias ("Arial", "Gothic,Bold", …); nullptr for an unknown alias.
std::unique_ptr<TPdfFont> CreateFontByAlias(TPdfXref& xref, const std::string& alias);

}  // namespace qm::pdf
