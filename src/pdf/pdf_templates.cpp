#include "pdf/pdf_templates.h"

#include <algorithm>
#include <cmath>

#include "pdf/pdf_blocks.h"
#include "print/print_geometry.h"
#include "print/text_fit.h"

namespace qm::pdf {
namespace {

constexpr const char* kTemplateNames[kPdfTemplateCount] = {
    "PRPageTateMitsuFirstPage", "PRPageTateMitsuMiddlePage", "PRPageTateMitsuFinalPage",
    "PRPageYokoMitsuFirstPage", "PRPageYokoMitsuMiddlePage", "PRPageYokoMitsuFinalPage",
    "PRPageTateMitsuPicPage",   "PRPageYokoMitsuPicPage",    "PRPageTotalClaim",
    "PRPageReceipt",            "PRPageFaxSender",           "PRPageCustomerList",
    "PRPageItemList",
};

constexpr const char* kColumnNames[kMitsuColumnCount] = {"FreeEdit",  "Name", "Num",        "Unit",
                                                         "UnitPrice", "Cost", "TotalPrice", "Etc"};

constexpr int kRowPitch = 16;

// Column left edges for the eight combinations of the optional columns, indexed by
// free item × 4 + cost × 2 + remarks; -1 where the column is hidden. Then the table's
// right edge.
struct LayoutRow {
  int left[kMitsuColumnCount];
};
constexpr LayoutRow kPortraitLayouts[8] = {
    {{-1, 28, 210, 251, 285, -1, 356, -1}},    // no free item, no cost, no remarks
    {{-1, 28, 139, 180, 214, -1, 285, 356}},   // remarks
    {{-1, 28, 191, 232, 266, 337, 408, -1}},   // cost
    {{-1, 28, 139, 180, 214, 285, 356, 427}},  // cost, remarks
    {{28, 139, 250, 291, 325, -1, 396, -1}},   // free item
    {{28, 80, 191, 232, 266, -1, 337, 408}},   // free item, remarks
    {{28, 139, 250, 291, 325, 396, 467, -1}},  // free item, cost
    {{28, 80, 191, 232, 266, 337, 408, 479}},  // everything
};
constexpr LayoutRow kLandscapeLayouts[8] = {
    {{-1, 38, 357, 411, 451, -1, 534, -1}},  {{-1, 38, 234, 288, 328, -1, 411, 534}},
    {{-1, 38, 286, 340, 380, 463, 532, -1}}, {{-1, 38, 234, 288, 328, 411, 480, 603}},
    {{38, 234, 430, 484, 524, -1, 607, -1}}, {{38, 90, 286, 340, 380, -1, 463, 586}},
    {{38, 234, 430, 484, 524, 607, 676, -1}}, {{38, 90, 286, 340, 380, 463, 532, 655}},
};
constexpr int kPortraitRight = 539, kLandscapeRight = 776;

int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

std::string PagePart(bool landscape, int pageKind) {
  std::string part = landscape ? "YokoMitsu" : "TateMitsu";
  if (pageKind == kOnlyPage || pageKind == kFirstPage) return part + "FirstPage";
  return part + (pageKind == kMiddlePage ? "MiddlePage" : "FinalPage");
}

}  // namespace

const char* ColumnName(MitsuColumn c) { return kColumnNames[static_cast<int>(c)]; }

ColumnLayout MitsuColumnLayout(bool landscape, bool freeEdit, bool cost, bool remarks) {
  const int index = (freeEdit ? 4 : 0) + (cost ? 2 : 0) + (remarks ? 1 : 0);
  const LayoutRow& row = (landscape ? kLandscapeLayouts : kPortraitLayouts)[index];
  ColumnLayout layout;
  for (int i = 0; i < kMitsuColumnCount; ++i) layout.left[static_cast<std::size_t>(i)] = row.left[i];
  layout.right = landscape ? kLandscapeRight : kPortraitRight;
  return layout;
}

MitsuTable MitsuTableOf(bool landscape, int pageKind) {
  switch (pageKind) {
    case kOnlyPage:
    case kFirstPage: return landscape ? MitsuTable{255, 16} : MitsuTable{311, 26};
    case kMiddlePage: return landscape ? MitsuTable{28, 31} : MitsuTable{85, 41};
    default: return landscape ? MitsuTable{28, 28} : MitsuTable{85, 38};
  }
}

TFormPDFBase::TFormPDFBase(const Clock& clock) : report_(clock) {}

TemplatePage& TFormPDFBase::Template(PdfTemplate t) {
  std::unique_ptr<TemplatePage>& page = pages_[static_cast<std::size_t>(t)];
  if (!page) {
    page = TemplatePage::Load(kTemplateNames[static_cast<int>(t)]);
    if (bandColours_) page->ApplyBandColours(bandColours_->first, bandColours_->second);
  }
  return *page;
}

TFormPDFBase::~TFormPDFBase() = default;

TemplatePage& TFormPDFBase::MitsuTemplate(bool landscape, int pageKind) {
  const int base = landscape ? static_cast<int>(PdfTemplate::YokoMitsuFirstPage) : 0;
  const int offset = pageKind == kMiddlePage ? 1 : pageKind == kLastPage ? 2 : 0;
  return Template(static_cast<PdfTemplate>(base + offset));
}

TemplatePage& TFormPDFBase::PicTemplate(bool landscape) {
  return Template(landscape ? PdfTemplate::YokoMitsuPicPage : PdfTemplate::TateMitsuPicPage);
}

double TFormPDFBase::MM2Dot(double mm) { return mm * 842 / 297; }

void TFormPDFBase::UpdatePDFBaseColor(const TMxConfigInfo& config) {
  bandColours_ = {config.LineColorOdd(), config.LineColorEven()};
  for (auto& page : pages_)
    if (page) page->ApplyBandColours(config.LineColorOdd(), config.LineColorEven());
}

TemplatePage& TFormPDFBase::ResetTemplate(PdfTemplate t, const TMxConfigInfo& config) {
  TemplatePage& page = Template(t);
  page.Reset();
  page.ApplyBandColours(config.LineColorOdd(), config.LineColorEven());
  return page;
}

void TFormPDFBase::SetPDFDefaultLine() {
  for (int i = 0; i <= static_cast<int>(PdfTemplate::YokoMitsuFinalPage); ++i) Template(static_cast<PdfTemplate>(i)).Reset();
}

TemplatePage& TFormPDFBase::InitMitsuPDFTemplate(TChartType kind, int pageKind, bool landscape,
                                                 const TPrintMitsuOptions& o, const TMxConfigInfo& config) {
  // The page in its default layout (what SetPDFDefaultLine does for every table), with
  // nothing of the page filled before and the settings' band colours.
  TemplatePage& t = MitsuTemplate(landscape, pageKind);
  t.Reset();
  t.ApplyBandColours(config.LineColorOdd(), config.LineColorEven());
  const std::string p = PagePart(landscape, pageKind);
  const bool first = pageKind == kOnlyPage || pageKind == kFirstPage;
  const bool tanka = kind == TChartType::tcTankaMitumori;
  const MitsuTable table = MitsuTableOf(landscape, pageKind);
  const int rows = table.rows;

  if (first) {
    for (int k = 1; k <= 3; ++k)
      t.Must<TPRLabel>("PRLabel" + p + "CustomerName" + std::to_string(k)).FontSize = config.SenderFontSize();
    for (const char* role : {"StampArea", "StampLine", "StampVerLine"})
      t.Must<TPRRect>("PRRect" + p + role).Printable = o.PrintStampArea;
  }

  // Columns: the optional ones follow their boxes; every visible one moves to its place.
  const ColumnLayout layout = MitsuColumnLayout(landscape, o.PrintFreeEdit, o.PrintCost, o.PrintNote);
  for (int c = 0; c < kMitsuColumnCount; ++c) {
    const int left = layout.left[static_cast<std::size_t>(c)];
    int right = layout.right;
    for (int next = c + 1; next < kMitsuColumnCount; ++next)
      if (layout.left[static_cast<std::size_t>(next)] >= 0) {
        right = layout.left[static_cast<std::size_t>(next)];
        break;
      }
    const std::string column = kColumnNames[c];
    const auto place = [&](TPRLabel& label) {
      label.Printable = left >= 0;
      if (left < 0) return;
      label.Left = left;
      label.Width = right - left;
    };
    place(t.Must<TPRLabel>("PRLabel" + p + "ChartFindingItem" + column));
    for (int n = 1; n <= rows; ++n) place(t.Must<TPRLabel>("PRLabel" + p + "Item" + column + std::to_string(n)));
  }

  // Separators: at every boundary between two visible columns, long from the amount
  // column on, short before it.
  int longRows = rows + 1, shortRows = rows;
  if (pageKind == kOnlyPage) {
    longRows = rows - 2;
    shortRows = tanka ? rows - 2 : rows - 5;
  } else if (pageKind == kLastPage) {
    shortRows = tanka ? rows + 1 : rows - 2;
  } else if (tanka) {
    shortRows = rows + 1;
  }
  const int tableLeft = layout.left[0] >= 0 ? layout.left[0] : layout.left[1];
  for (int k = 1; k < kMitsuColumnCount; ++k) {
    TPRRect& line = t.Must<TPRRect>("PRRect" + p + "VerLine" + std::to_string(k));
    const int left = layout.left[static_cast<std::size_t>(k)];
    line.Printable = left >= 0 && left != tableLeft;
    if (left >= 0) line.Left = left;
    const bool isLong = k >= static_cast<int>(MitsuColumn::TotalPrice);
    line.Height = kRowPitch * (isLong ? longRows : shortRows);
  }

  // What the page kind shows.
  const auto printable = [&](const char* kindName, const std::string& role, bool on) {
    if (std::string(kindName) == "Label") t.Must<TPRLabel>("PRLabel" + p + role).Printable = on;
    else if (std::string(kindName) == "Text") t.Must<TPRText>("PRText" + p + role).Printable = on;
    else t.Must<TPRRect>("PRRect" + p + role).Printable = on;
  };
  switch (pageKind) {
    case kOnlyPage:
      printable("Rect", "EtcArea", true);
      printable("Text", "Etc", true);
      for (int n = rows - 2; n <= rows; ++n) printable("Rect", "Line" + std::to_string(n), false);
      printable("Label", "PageNo", false);
      printable("Label", "FindingPageTotal", false);
      for (const char* role : {"FindingSubTotal", "FindingTax", "FindingTotal"}) printable("Label", role, !tanka);
      break;
    case kFirstPage:
      printable("Rect", "EtcArea", false);
      printable("Text", "Etc", false);
      printable("Label", "PageNo", true);
      printable("Label", "FindingPageTotal", !tanka);
      for (const char* role : {"FindingSubTotal", "FindingTax", "FindingTotal"}) printable("Label", role, false);
      break;
    case kMiddlePage:
      printable("Label", "FindingPageTotal", !tanka);
      break;
    default:
      for (const char* role : {"FindingSubTotal", "FindingTax", "FindingTotal"}) printable("Label", role, !tanka);
      break;
  }
  return t;
}

int FitLabelToText(TPRPage& page, TPRLabel& label) {
  label.Width = Round(page.TextWidth(label.Caption, label.FontName, label.FontBold, label.FontItalic, label.FontSize));
  return label.Width;
}

void CentreWithUnderline(TPRPage& page, const TPRPanel& panel, TPRLabel& label, TPRRect& underline) {
  FitLabelToText(page, label);
  // Never wider than the printable width: a longer text is condensed inside it.
  const int margin = static_cast<int>(kPrintMarginPt);
  label.Width = std::min(label.Width, std::max(0, panel.Width - 2 * margin));
  label.Left = Round(panel.Width / 2.0 - label.Width / 2.0);
  underline.Left = label.Left;
  underline.Width = label.Width;
}

void RestackNames(TPRPage& page, TPRLabel* const (&names)[3], TPRRect* const (&underlines)[3]) {
  TPRLabel& first = *names[0];
  const int pitch = Round(page.TextWidth("あ", first.FontName, first.FontBold, first.FontItalic, first.FontSize));
  for (int k = 0; k < 3; ++k) {
    // As wide as its text, but no wider than the label was laid out: a longer name is
    // condensed inside that.
    const int laidOut = names[k]->Width;
    FitLabelToText(page, *names[k]);
    names[k]->Width = std::min(names[k]->Width, laidOut);
    names[k]->Top = first.Top + k * pitch;
    underlines[k]->Width = names[k]->Width;
    underlines[k]->Top = first.Top + (k + 1) * pitch;
  }
}

void TFormPDFBase::InitStringPosMitsuFirstPage(bool landscape) {
  const TemplateItems items(MitsuTemplate(landscape, kFirstPage), PagePart(landscape, kFirstPage));
  CentreTitle(items);
  RestackCustomerNames(items);
  CentreWithUnderline(items.Template().Page(), items.Template().Panel(), items.Label("GrandTotal"),
                      items.Rect("GrandTotalUnderLine"));
}

}  // namespace qm::pdf
