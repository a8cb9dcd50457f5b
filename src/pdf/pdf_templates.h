#pragma once
// The container of every PDF template page and the routines that prepare the
// estimate-family pages for a document: reset, column layout for the optional columns,
// separator heights and page-kind items, band colours, and the adjustments made after
// the captions were filled. It is a plain object, made when a PDF is written.
#include <array>
#include <memory>
#include <optional>
#include <utility>
#include <string>

#include "model/config_info.h"
#include "pdf/report.h"
#include "pdf/template_page.h"
#include "print/document_kinds.h"
#include "print/print_options.h"

namespace qm::pdf {

// The thirteen template pages.
enum class PdfTemplate {
  TateMitsuFirstPage,
  TateMitsuMiddlePage,
  TateMitsuFinalPage,
  YokoMitsuFirstPage,
  YokoMitsuMiddlePage,
  YokoMitsuFinalPage,
  TateMitsuPicPage,
  YokoMitsuPicPage,
  TotalClaim,
  Receipt,
  FaxSender,
  CustomerList,
  ItemList,
};
inline constexpr int kPdfTemplateCount = 13;

// The columns of the estimate-family table, in display order.
enum class MitsuColumn { FreeEdit, Name, Num, Unit, UnitPrice, Cost, TotalPrice, Etc };
inline constexpr int kMitsuColumnCount = 8;
// The column's part of its items' names ("TotalPrice").
const char* ColumnName(MitsuColumn c);

// Left edges of the visible columns and the table's right edge, for the optional
// columns shown. A hidden column has no edge (-1).
struct ColumnLayout {
  std::array<int, kMitsuColumnCount> left{};
  int right = 0;
};
ColumnLayout MitsuColumnLayout(bool landscape, bool freeEdit, bool cost, bool remarks);

// The table of an estimate-family page: header band top and row count.
struct MitsuTable {
  int headerTop = 0;
  int rows = 0;
};
MitsuTable MitsuTableOf(bool landscape, int pageKind);

class TFormPDFBase {
 public:
  // `clock` dates the files written. A template page is built from its description the
  // first time it is asked for.
  explicit TFormPDFBase(const Clock& clock = SystemClock());
  ~TFormPDFBase();

  TemplatePage& Template(PdfTemplate t);
  // The estimate-family template of a page kind (1 and 2 share the first page).
  TemplatePage& MitsuTemplate(bool landscape, int pageKind);
  TemplatePage& PicTemplate(bool landscape);

  // Millimetres to points of the A4 page: mm × 842 / 297.
  static double MM2Dot(double mm);

  // The band colours of the settings on every template.
  void UpdatePDFBaseColor(const TMxConfigInfo& config);
  // The page as described, with the band colours of the settings.
  TemplatePage& ResetTemplate(PdfTemplate t, const TMxConfigInfo& config);
  // Every estimate-family table back to the all-columns layout, every separator shown.
  void SetPDFDefaultLine();

  // Resets and lays out the estimate-family template that `pageKind` selects for a
  // document of `kind` printed with `options`.
  TemplatePage& InitMitsuPDFTemplate(TChartType kind, int pageKind, bool landscape, const TPrintMitsuOptions& options,
                                     const TMxConfigInfo& config);

  // After filling a first page: the title and the grand total fitted to their text and
  // centred with their underlines, the customer names restacked one character apart.
  void InitStringPosTateMitsuFirstPage() { InitStringPosMitsuFirstPage(false); }
  void InitStringPosYokoMitsuFirstPage() { InitStringPosMitsuFirstPage(true); }

  TPReport& PReport() { return report_; }
  // The form of the files written (the document forms place pictures by it).
  PdfFonts Fonts() const { return report_.Fonts(); }
  // A document left open by a failed write is dropped first.
  void SetFonts(PdfFonts fonts) {
    if (report_.HasDoc()) report_.Abort();
    report_.SetFonts(fonts);
  }

 private:
  void InitStringPosMitsuFirstPage(bool landscape);

  std::array<std::unique_ptr<TemplatePage>, kPdfTemplateCount> pages_;
  std::optional<std::pair<TColor, TColor>> bandColours_;  // the last UpdatePDFBaseColor
  TPReport report_;
};

// Fitting a label to its text: its width becomes the text's width, rounded.
int FitLabelToText(TPRPage& page, TPRLabel& label);
// A label fitted to its text and centred on the panel, its underline under it.
void CentreWithUnderline(TPRPage& page, const TPRPanel& panel, TPRLabel& label, TPRRect& underline);
// Name labels fitted to their text with their underlines; names 2 and 3 one "あ" below
// the one before, underline k k "あ" below name 1.
void RestackNames(TPRPage& page, TPRLabel* const (&names)[3], TPRRect* const (&underlines)[3]);

}  // namespace qm::pdf
