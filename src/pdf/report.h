#pragma once
// Composed PDF pages: a page holds panels, panels hold positioned items (labels,
// multi-line texts, rectangles and lines, images), and a report turns a sequence of
// printed pages into one PDF file. Coordinates are whole points from the page's
// top-left corner, y growing downwards.
#include <QDateTime>
#include <QImage>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "pdf/pdf_doc.h"

namespace qm::pdf {

inline constexpr std::uint32_t kPRColorNone = 0x1FFFFFFF;

enum class TPRFontName { fnFixedWidth, fnArial, fnTimesRoman, fnGothic, fnMincyo, fnPGothic, fnPMincyo };
enum class TPRPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// The font alias of a family with bold and italic.
std::string FontAlias(TPRFontName family, bool bold, bool italic);

class TPRPanel;

// What an item needs while it prints.
struct TPRPrintContext {
  TPdfDoc& doc;
  TPdfCanvas& canvas;
  double pageHeight;
  const std::function<int()>& randomStart;
};

class TPRComponent {
 public:
  explicit TPRComponent(std::string name) : FName(std::move(name)) {}
  virtual ~TPRComponent() = default;
  virtual const char* ClassName() const = 0;
  const std::string& Name() const { return FName; }
  int Left = 0, Top = 0, Width = 0, Height = 0;

 private:
  std::string FName;
};

class TPRItem : public TPRComponent {
 public:
  using TPRComponent::TPRComponent;
  bool Printable = true;
  // `left` and `top` are the item's page position.
  virtual void Print(TPRPrintContext& ctx, int left, int top) = 0;
};

class TPRCustomLabel : public TPRItem {
 public:
  using TPRItem::TPRItem;
  std::uint32_t FontColor() const { return FFontColor; }
  void SetFontColor(std::uint32_t colour);
  TPRFontName FontName = TPRFontName::fnGothic;
  double FontSize = 12;
  bool FontBold = false;
  bool FontItalic = false;
  double CharSpace = 0;
  double WordSpace = 0;

 protected:
  void SetCanvasFont(TPdfCanvas& canvas) const;

 private:
  std::uint32_t FFontColor = 0;
};

class TPRLabel final : public TPRCustomLabel {
 public:
  using TPRCustomLabel::TPRCustomLabel;
  const char* ClassName() const override { return "TPRLabel"; }
  std::string Caption;  // UTF-8; written as Shift-JIS
  TPdfAlignment Alignment = TPdfAlignment::taLeftJustify;
  bool Clipping = false;
  bool AlignJustified = false;
  void Print(TPRPrintContext& ctx, int left, int top) override;
};

class TPRText final : public TPRCustomLabel {
 public:
  using TPRCustomLabel::TPRCustomLabel;
  const char* ClassName() const override { return "TPRText"; }
  std::vector<std::string> Lines;  // UTF-8
  bool Wordwrap = false;
  double Leading = 14;
  // The lines joined with CR LF, blanks and control characters trimmed at both ends.
  std::string Text() const;
  void Print(TPRPrintContext& ctx, int left, int top) override;
};

class TPRShape : public TPRItem {
 public:
  using TPRItem::TPRItem;
  double LineWidth = 0;
  std::uint32_t LineColor = 0;
  TPRPenStyle LineStyle = TPRPenStyle::psSolid;
  std::uint32_t FillColor = kPRColorNone;
};

// A rectangle, or a line when its width or height is at most 1.
class TPRRect final : public TPRShape {
 public:
  using TPRShape::TPRShape;
  const char* ClassName() const override { return "TPRRect"; }
  void Print(TPRPrintContext& ctx, int left, int top) override;
};

// What the embedded form draws in place of an image item's picture: a JPEG file as it
// is, or a picture at its own resolution, stretched into `size` points from the item's
// top-left corner (an empty size: the item's rectangle), with the pixels of
// `transparent` (a colour 0x00BBGGRR) left out.
struct TPREmbeddedPicture {
  std::string jpeg;
  QImage picture;
  QSize size;
  std::optional<std::uint32_t> transparent;
  bool Empty() const { return jpeg.empty() && picture.isNull(); }
};

class TPRImage final : public TPRItem {
 public:
  using TPRItem::TPRItem;
  const char* ClassName() const override { return "TPRImage"; }
  const QImage& Picture() const { return FPicture; }
  void SetPicture(const QImage& bitmap) { FPicture = bitmap; }
  const TPREmbeddedPicture& Embedded() const { return FEmbedded; }
  void SetEmbedded(TPREmbeddedPicture picture) { FEmbedded = std::move(picture); }
  // No picture in either form.
  void Clear();
  bool SharedImage = true;
  bool Stretch = true;
  void Print(TPRPrintContext& ctx, int left, int top) override;

 private:
  // The image stream of the picture the document's form draws.
  std::unique_ptr<TPdfStream> MakeImage(TPdfDoc& doc) const;
  QImage FPicture;
  TPREmbeddedPicture FEmbedded;
};

class TPRPanel : public TPRComponent {
 public:
  using TPRComponent::TPRComponent;
  const char* ClassName() const override { return "TPRPanel"; }
  // Places a child on this panel and answers it.
  template <class T>
  T& Add(std::unique_ptr<T> child) {
    T& ref = *child;
    AddChild(std::move(child));
    return ref;
  }
  virtual void AddChild(std::unique_ptr<TPRComponent> child);
  const std::vector<std::unique_ptr<TPRComponent>>& Children() const { return FChildren; }
  // The first descendant of that name.
  TPRComponent* Find(const std::string& name) const;
  virtual void Print(TPRPrintContext& ctx, int left, int top);

 protected:
  std::vector<std::unique_ptr<TPRComponent>> FChildren;
};

class TPRLayoutPanel final : public TPRPanel {
 public:
  using TPRPanel::TPRPanel;
  const char* ClassName() const override { return "TPRLayoutPanel"; }
  std::function<void()> BeforePrint, AfterPrint;
  void Print(TPRPrintContext& ctx, int left, int top) override;
};

class TPRPage final : public TPRPanel {
 public:
  explicit TPRPage(std::string name = "PRPage", int width = 595, int height = 842);
  const char* ClassName() const override { return "TPRPage"; }
  int MarginTop = 32, MarginLeft = 32, MarginRight = 32, MarginBottom = 32;
  std::function<void()> OnPrintPage;
  // Only panels lie directly on a page.
  void AddChild(std::unique_ptr<TPRComponent> child) override;
  // Width in points of a caption in a font, measured outside any report.
  double TextWidth(const std::string& utf8, TPRFontName family, bool bold, bool italic, double size);
  void Print(TPRPrintContext& ctx, int left = 0, int top = 0) override;

 private:
  std::unique_ptr<TPdfDoc> FDoc;  // measuring only
};

// Places `child` on `parent`; items only on panels, panels only on pages or panels.
void SetParent(TPRComponent& parent, std::unique_ptr<TPRComponent> child);

class TPReport {
 public:
  explicit TPReport(const Clock& clock = SystemClock());
  ~TPReport();

  std::string FileName = "default.pdf";
  int PageCount() const { return FPage; }
  bool HasDoc() const { return FDoc != nullptr; }

  void BeginDoc();
  void Print(TPRPage& page);
  // Writes the file (replaced atomically) unless FileName is empty, and answers its
  // bytes; a failure keeps the document open.
  std::string EndDoc();
  void Abort();

  void SetAuthor(const std::string& v);
  void SetCreationDate(const QDateTime& v);
  void SetCreator(const std::string& v);
  void SetKeyWords(const std::string& v);
  void SetModDate(const QDateTime& v);
  void SetSubject(const std::string& v);
  void SetTitle(const std::string& v);
  void SetPageLayout(TPdfPageLayout v);
  void SetPageMode(TPdfPageMode v);
  void SetNonFullScreenPageMode(TPdfPageMode v);
  void SetUseOutlines(bool v);
  void SetViewerPreference(unsigned v);
  void SetFonts(PdfFonts v);
  PdfFonts Fonts() const { return FFonts; }

  // The first number tried for the name of a non-shared image (random by default).
  void SetRandomStart(std::function<int()> fn) { FRandomStart = std::move(fn); }

 private:
  void CheckIdle(const char* setter) const;

  const Clock& FClock;
  std::unique_ptr<TPdfDoc> FDoc;
  int FPage = 0;
  std::string FAuthor, FCreator, FKeywords, FSubject, FTitle;
  QDateTime FCreationDate;
  QDateTime FModDate;
  TPdfPageMode FPageMode = TPdfPageMode::pmUseNone;
  TPdfPageMode FNonFullScreenPageMode = TPdfPageMode::pmUseNone;
  TPdfPageLayout FPageLayout = TPdfPageLayout::plSinglePage;
  bool FUseOutlines = false;
  unsigned FViewerPreference = 0;
  PdfFonts FFonts = PdfFonts::System;
  std::function<int()> FRandomStart;
};

}  // namespace qm::pdf
