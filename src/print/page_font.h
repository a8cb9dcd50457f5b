#pragma once
// The page font: the fixed-pitch Gothic every printed page, preview and PDF is set in.
// It is read from its own file, never looked up by family name through the system's
// font matching, so no installed font, user rule or stale cache can change what the
// layouts measured. The PDF writer embeds subsets of the same file.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace qm {

// Bold text is the regular glyphs with their outlines stroked this wide (in em), on
// paper as in PDF, so it keeps the positions of the regular face.
inline constexpr double kBoldStrokeEm = 1.0 / 24;

// Where the Debian package of the face puts its files.
inline constexpr const char* kPageFontPackage = "fonts-ipafont-gothic";
inline constexpr const char* kPageFontPath = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";
// The proportional face of the same package, for the proportional PDF fonts.
inline constexpr const char* kProportionalFontPath = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";

// A TrueType font file held in memory, with the lookups the renderer and the PDF
// writer need. Glyph ids are the file's own.
class FontFile {
 public:
  // Reads the file. A fixed-pitch face must have the metrics the layouts count with:
  // half-width characters ½ em and full-width ones 1 em. Throws qm::Error naming the
  // file and the package it comes from when the file is missing, unreadable or not
  // such a face.
  static std::shared_ptr<const FontFile> Load(const std::string& path, bool fixedPitch);
  ~FontFile();
  FontFile(const FontFile&) = delete;
  FontFile& operator=(const FontFile&) = delete;

  const std::string& Path() const { return path_; }
  // The PostScript name of the face ("IPAGothic").
  const std::string& PostScriptName() const { return postScriptName_; }
  // The whole file.
  const std::string& Bytes() const { return bytes_; }
  int UnitsPerEm() const { return unitsPerEm_; }
  int GlyphCount() const;
  // The glyph of a character; 0 (the missing-glyph box) when the font has none.
  std::uint32_t Glyph(char32_t c) const;
  // Advance width in font units.
  int Advance(std::uint32_t glyph) const;
  // The bytes of one table of the file ("head"); empty when it has none.
  std::string Table(const char (&tag)[5]) const;
  // Ascent, descent (negative) and the bounding box of every glyph, in 1/1000 em.
  struct Box {
    int left = 0, bottom = 0, right = 0, top = 0;
  };
  int Ascent1000() const { return ascent1000_; }
  int Descent1000() const { return descent1000_; }
  const Box& BBox1000() const { return bbox1000_; }

  // The file cut down to `glyphs` (glyph 0 always kept) with every glyph id kept as it
  // was, without hinting instructions; throws qm::Error when the subset cannot be made.
  std::string Subset(const std::basic_string<std::uint32_t>& glyphs) const;

 private:
  FontFile() = default;
  struct Hb;
  std::string path_;
  std::string postScriptName_;
  std::string bytes_;
  std::unique_ptr<Hb> hb_;
  int unitsPerEm_ = 1000;
  int ascent1000_ = 880;
  int descent1000_ = -120;
  Box bbox1000_;
};

// The page font (kPageFontPath), read and checked the first time it is asked for.
// Throws qm::Error as FontFile::Load does; a later call tries again.
const FontFile& PageFont();
// The proportional face, for the PDF writer's proportional fonts.
const FontFile& ProportionalFont();

// The message of a page font that cannot be used.
std::string PageFontMissingMessage(const std::string& path);

}  // namespace qm
