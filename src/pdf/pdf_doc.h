#pragma once
// A PDF document held in memory: cross-reference table, header, trailer, catalog,
// information, page tree, fonts and images, and the one canvas that writes the page
// content streams. SaveToStream writes the whole file in one pass.
#include <QImage>

#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <string>
#include <vector>

#include "base/clock.h"
#include "pdf/pdf_canvas.h"
#include "pdf/pdf_font_program.h"
#include "pdf/pdf_fonts.h"
#include "pdf/pdf_objects.h"

namespace qm::pdf {

inline constexpr const char* kPdfProducer = "Velora Quillmark PDF version 0.9";

enum class TPdfCompressionMethod { cmNone };

// How a file carries its fonts and pictures. Embed: the Japanese fonts are subsets of
// the page font with a Unicode map, font programs and pictures are compressed, JPEG
// pictures go in as they are, no Latin font is selected, PDF 1.3. System: the first
// form, which names its fonts for the reader to supply (PDF 1.2, nothing compressed,
// pictures as raw pixels).
enum class PdfFonts { Embed, System };

class TPdfDoc {
 public:
  // `clock` gives the creation and modification dates; it must outlive the document.
  explicit TPdfDoc(const Clock& clock = SystemClock());
  ~TPdfDoc();
  TPdfDoc(const TPdfDoc&) = delete;
  TPdfDoc& operator=(const TPdfDoc&) = delete;

  void NewDoc();
  void FreeDoc();
  bool HasDoc() const { return FHasDoc; }
  // A new page at the default size; the canvas draws on it from now on.
  void AddPage();
  // Writes the whole document; the document stays open.
  void SaveToStream(std::string& out);
  // A document of one page whose canvas writes nothing, for measuring text.
  void SetVirtualMode();

  TPdfCanvas& Canvas();
  TPdfCatalog& Root();
  TPdfInfo& Info();
  TPdfXref& Xref() { return *FXref; }
  TPdfDictionary* CurrentPages() const { return FCurrentPages; }

  TPdfFont& GetFont(const std::string& name);
  TPdfFont& CreateFont(const std::string& name);
  const std::vector<std::unique_ptr<TPdfFont>>& FontList() const { return FFontList; }

  // Registers an image stream under `name` (the stream becomes the document's).
  TPdfStream& AddXObject(const std::string& name, std::unique_ptr<TPdfStream> image);
  void RegisterXObject(TPdfStream& object, const std::string& name);
  TPdfStream* GetXObject(const std::string& name) const;

  std::uint16_t DefaultPageWidth() const { return FDefaultPageWidth; }
  std::uint16_t DefaultPageHeight() const { return FDefaultPageHeight; }
  void SetDefaultPageWidth(std::uint16_t v) { FDefaultPageWidth = v; }
  void SetDefaultPageHeight(std::uint16_t v) { FDefaultPageHeight = v; }
  void SetCompressionMethod(TPdfCompressionMethod m) { FCompressionMethod = m; }
  void SetUseOutlines(bool v) { FUseOutlines = v; }
  // Takes effect for the fonts made after it; set it before NewDoc.
  void SetFonts(PdfFonts fonts) { FFonts = fonts; }
  PdfFonts Fonts() const { return FFonts; }

 private:
  TPdfDictionary& CreatePages(TPdfDictionary* parent);
  // The document's one program of the fixed-pitch or the proportional face.
  TPdfFontProgram& Program(bool proportional);
  // Every program subset from what was shown, the fonts named after their subsets.
  void FinishPrograms();

  const Clock& FClock;
  std::unique_ptr<TPdfCanvas> FCanvas;
  std::unique_ptr<TPdfXref> FXref;
  std::unique_ptr<TPdfHeader> FHeader;
  std::unique_ptr<TPdfTrailer> FTrailer;
  std::unique_ptr<TPdfCatalog> FRoot;
  std::unique_ptr<TPdfInfo> FInfo;
  TPdfDictionary* FCurrentPages = nullptr;
  std::vector<std::unique_ptr<TPdfFont>> FFontList;
  std::array<std::unique_ptr<TPdfFontProgram>, 2> FPrograms;  // fixed pitch, proportional
  std::vector<TPdfStream*> FXObjectList;
  bool FHasDoc = false;
  std::uint16_t FDefaultPageWidth = 596;
  std::uint16_t FDefaultPageHeight = 842;
  TPdfCompressionMethod FCompressionMethod = TPdfCompressionMethod::cmNone;
  bool FUseOutlines = false;
  PdfFonts FFonts = PdfFonts::System;
};

// Image streams, made unregistered: "Pdf-Bitmap" (indexed or RGB pixels) and
// "Pdf-Jpeg" (the JPEG file as it is).
std::unique_ptr<TPdfStream> CreateBitmapImage(const TPdfXref* xref, const QImage& bitmap);
std::unique_ptr<TPdfStream> CreateJpegImage(const TPdfXref* xref, const std::string& jpegBytes);
// The embedded form's picture: 8-bit RGB pixels, deflated, laid on white where the
// picture is transparent; with `transparent` (0x00BBGGRR) the pixels of that colour are
// masked out, so what lies under the picture shows through.
std::unique_ptr<TPdfStream> CreateFlateImage(const TPdfXref* xref, const QImage& bitmap,
                                             std::optional<std::uint32_t> transparent = std::nullopt);
// The frame of a JPEG file as every reader's DCT filter takes it: 8 bits, baseline or
// progressive, one (grey) or three (colour) components; nullopt for anything else.
struct JpegFrame {
  int width = 0;
  int height = 0;
  int components = 0;
};
std::optional<JpegFrame> ReadJpegFrame(std::string_view bytes);
// By creator alias; any other alias raises "AddImage --InvalidImageClassName:<alias>".
std::unique_ptr<TPdfStream> CreatePdfImage(const TPdfXref* xref, const QImage& bitmap, const std::string& alias);

}  // namespace qm::pdf
