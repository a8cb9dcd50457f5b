#pragma once
// The content-stream writer of a PDF page: page-description operators with numbers of
// at most two decimals, the text state of the page (operators that would not change it
// are left out), text measuring, and text placed in rectangles.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/pdf_objects.h"

namespace qm::pdf {

class TPdfDoc;
class TPdfFont;

struct TPdfRect {
  double Left = 0, Top = 0, Right = 0, Bottom = 0;
};

enum class TPdfAlignment { taLeftJustify, taRightJustify, taCenter };

class TPdfCanvasAttribute {
 public:
  double WordSpace() const { return FWordSpace; }
  double CharSpace() const { return FCharSpace; }
  double FontSize() const { return FFontSize; }
  double Leading() const { return FLeading; }
  int HorizontalScaling() const { return FHorizontalScaling; }
  TPdfFont* Font() const { return FFont; }
  void SetWordSpace(double v);
  void SetCharSpace(double v);
  void SetFontSize(double v);
  void SetHorizontalScaling(int v);
  void SetLeading(double v);
  void SetFont(TPdfFont* f) { FFont = f; }

  // Width in points, as the canvas measures it.
  double TextWidth(std::string_view text) const;
  // Leading bytes of `text` that fit into `width` points.
  int MeasureText(std::string_view text, double width) const;

 private:
  double FWordSpace = 0;
  double FCharSpace = 0;
  double FFontSize = 0;
  double FLeading = 0;
  TPdfFont* FFont = nullptr;
  int FHorizontalScaling = 100;
};

class TPdfCanvas {
 public:
  explicit TPdfCanvas(TPdfDoc& doc) : FPdfDoc(doc) {}

  // Makes `page` (with its content stream) the page drawn on; the previous page keeps
  // the text state it ended with.
  void SetPage(TPdfDictionary* page);
  TPdfDictionary* Page() const { return FPage; }
  void SetVirtual(bool v) { FIsVirtual = v; }
  bool IsVirtual() const { return FIsVirtual; }
  TPdfCanvasAttribute& Attribute() { return FAttr; }
  double PageHeight() const;
  double PageWidth() const;
  // The page's width less the right margin nothing is printed in.
  double PrintableRight() const;

  void GSave();
  void GRestore();
  void Concat(double a, double b, double c, double d, double e, double f);
  void SetDash(const std::vector<std::uint8_t>& pattern, int phase);
  void SetLineWidth(double width);
  void MoveTo(double x, double y);
  void LineTo(double x, double y);
  void Rectangle(double x, double y, double w, double h);
  void Closepath();
  void NewPath();
  void Stroke();
  void ClosePathStroke();
  void Fill();
  void ClosepathFillStroke();
  void Clip();
  void SetCharSpace(double v);
  void SetWordSpace(double v);
  void SetHorizontalScaling(int v);
  void SetLeading(double v);
  void SetFontAndSize(const std::string& name, double size);
  void SetFont(const std::string& alias, double size);
  void BeginText();
  void EndText();
  void MoveTextPoint(double x, double y);
  void MoveToNextLine();
  void ShowText(std::string_view sjis);
  void ExecuteXObject(const std::string& name);
  // Colours 0x00BBGGRR; a negative value (a system colour) is black.
  void SetRGBFillColor(std::int64_t colour);
  void SetRGBStrokeColor(std::int64_t colour);

  double TextWidth(std::string_view text) const { return FAttr.TextWidth(text); }
  int MeasureText(std::string_view text, double width) const { return FAttr.MeasureText(text, width); }
  // One line in the rectangle (PDF coordinates: Top above Bottom), aligned, optionally
  // clipped to it.
  void TextRect(const TPdfRect& rect, std::string_view text, TPdfAlignment alignment, bool clipping);
  // The same for a text that must stay in its rectangle: one wider than it is condensed
  // (Tz), set smaller and, unless it is a figure, cut, by the rule of the printed pages.
  // A text that fits is written exactly as TextRect writes it.
  void FittedTextRect(const TPdfRect& rect, std::string_view sjis, TPdfAlignment alignment, bool clipping,
                      bool figure);
  // Lines and words of `text` from the rectangle's top, one leading apart.
  void MultilineTextRect(const TPdfRect& rect, std::string_view text, bool wordwrap);
  // The image registered as `name`, stretched into the rectangle / drawn at one point
  // per pixel from its top-left corner and clipped to it.
  void DrawXObject(double x, double y, double width, double height, const std::string& name);
  void DrawXObjectEx(double x, double y, double width, double height, double clipX, double clipY,
                     double clipWidth, double clipHeight, const std::string& name);

 private:
  void Write(const std::string& text);
  bool Writing() const { return !FIsVirtual && FContents; }
  void AddXObjectResource(const std::string& name);
  // A new size of the current font.
  void SetFontSizeOnly(double size);

  TPdfDoc& FPdfDoc;
  TPdfStream* FContents = nullptr;
  TPdfDictionary* FPage = nullptr;
  TPdfCanvasAttribute FAttr;
  bool FIsVirtual = false;
  std::string FFillColour = "0 0 0";  // the last rg, which stroked bold text strokes in
  bool FStrokedText = false;          // BeginText opened a saved state for bold text
};

}  // namespace qm::pdf
