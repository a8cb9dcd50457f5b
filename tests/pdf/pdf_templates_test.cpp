// The PDF template pages: the description format and its index, every page as built
// from the compiled-in descriptions, and the layout of the estimate-family tables for
// every combination of optional columns, page kind and orientation.
#include "pdf/pdf_templates.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "base/error.h"
#include "print/print_geometry.h"

namespace qm::pdf {
namespace {

TEST(TemplatePageTest, RepeatsItemsAndFindsThemByName) {
  const auto t = TemplatePage::FromJson(R"({"name": "PRPageTest", "width": 595, "height": 842, "items": [
      {"kind": "Label", "name": "PRLabelTestTitle", "left": 10, "top": 20, "width": 100, "height": 26,
       "size": 24, "bold": true, "color": "navy", "align": "center", "caption": "題"},
      {"repeat": {"from": 2, "to": 4, "dy": 16}, "items": [
        {"kind": "Rect", "name": "PRRectTestLine{n}", "left": 28, "top": 100, "width": 511, "height": 17,
         "band": "row"},
        {"kind": "Label", "name": "PRLabelTestCell{n}", "left": 30, "top": 104, "width": 50, "height": 10}]},
      {"kind": "Text", "name": "PRTextTestMemo", "left": 1, "top": 2, "width": 3, "height": 4, "leading": 11},
      {"kind": "Image", "name": "PRImageTestPic", "left": 5, "top": 6, "width": 7, "height": 8,
       "shared": false, "stretch": false}]})");
  EXPECT_EQ(t->Name(), "PRPageTest");
  EXPECT_EQ(t->Page().Width, 595);
  EXPECT_EQ(t->Panel().Left, 14);
  EXPECT_EQ(t->Panel().Width, 595);
  ASSERT_EQ(t->Items().size(), 9u);

  TPRLabel& title = t->Must<TPRLabel>("PRLabelTestTitle");
  EXPECT_EQ(title.Caption, "題");
  EXPECT_EQ(title.FontSize, 24);
  EXPECT_TRUE(title.FontBold);
  EXPECT_EQ(title.FontColor(), 0x00800000u);
  EXPECT_EQ(title.Alignment, TPdfAlignment::taCenter);
  EXPECT_EQ(title.FontName, TPRFontName::fnGothic);
  // Repeated items: the row number in the name, moved down one pitch a row.
  EXPECT_EQ(t->Must<TPRRect>("PRRectTestLine2").Top, 100);
  EXPECT_EQ(t->Must<TPRRect>("PRRectTestLine4").Top, 132);
  EXPECT_EQ(t->Must<TPRLabel>("PRLabelTestCell3").Top, 120);
  EXPECT_EQ(t->Find<TPRRect>("PRRectTestLine1"), nullptr);
  EXPECT_EQ(t->Find<TPRRect>("PRLabelTestCell2"), nullptr);  // another kind
  EXPECT_EQ(t->Must<TPRText>("PRTextTestMemo").Leading, 11);
  EXPECT_FALSE(t->Must<TPRImage>("PRImageTestPic").SharedImage);
  EXPECT_FALSE(t->Must<TPRImage>("PRImageTestPic").Stretch);
  try {
    t->Must<TPRLabel>("PRLabelTestMissing");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("PRLabelTestMissing"), std::string::npos);
  }

  // Reset puts back what the description says; band colours alternate by row.
  title.Caption = "filled";
  title.Left = 300;
  title.Printable = false;
  t->Must<TPRText>("PRTextTestMemo").Lines = {"x"};
  t->Reset();
  EXPECT_EQ(title.Caption, "題");
  EXPECT_EQ(title.Left, 10);
  EXPECT_TRUE(title.Printable);
  EXPECT_TRUE(t->Must<TPRText>("PRTextTestMemo").Lines.empty());
  t->ApplyBandColours(0x111111, 0x222222);
  EXPECT_EQ(t->Must<TPRRect>("PRRectTestLine2").FillColor, 0x111111u);
  EXPECT_EQ(t->Must<TPRRect>("PRRectTestLine3").FillColor, 0x222222u);
}

TEST(TemplatePageTest, BadDescriptionsAreRefusedWithTheirReason) {
  const struct {
    const char* json;
    const char* says;
  } cases[] = {
      {"not json", "読めません"},
      {R"({"name": "P", "width": 1, "height": 1, "items": [{"kind": "Circle", "name": "C", "left": 0, "top": 0,
          "width": 1, "height": 1}]})", "Circle"},
      {R"({"name": "P", "width": 1, "height": 1, "items": [{"kind": "Rect", "name": "R", "left": 0, "top": 0,
          "width": 1, "height": 1}, {"kind": "Rect", "name": "R", "left": 0, "top": 0, "width": 1, "height": 1}]})",
       "重複"},
      {R"({"name": "P", "width": 1, "height": 1, "items": [{"kind": "Rect", "name": "R", "top": 0, "width": 1,
          "height": 1}]})", "left"},
      {R"({"name": "P", "width": 1, "height": 1, "items": [{"kind": "Rect", "name": "R", "left": 0, "top": 0,
          "width": 1, "height": 1, "lineColor": "mauve"}]})", "mauve"},
      // Sizes and repeats that would overflow or never end.
      {R"({"name": "P", "width": 0, "height": 1, "items": []})", "width の値 0"},
      {R"({"name": "P", "width": 1, "height": 14401, "items": []})", "height の値 14401"},
      {R"({"name": "P", "width": 1, "height": 1, "items": [{"kind": "Rect", "name": "R", "left": 0, "top": 0,
          "width": -1, "height": 1}]})", "width の値 -1"},
      {R"({"name": "P", "width": 1, "height": 1, "items": [{"repeat": {"from": 0, "to": 2147483647, "dy": 1},
          "items": [{"kind": "Rect", "name": "R{n}", "left": 0, "top": 0, "width": 1, "height": 1}]}]})", "長すぎます"},
      {R"({"name": "P", "width": 1, "height": 1, "items": [{"repeat": {"from": 1, "to": 1000, "dy": 16},
          "items": [{"kind": "Rect", "name": "R{n}", "left": 0, "top": 0, "width": 1, "height": 1}]}]})",
       "top の値 14416"},
  };
  for (const auto& c : cases) {
    try {
      TemplatePage::FromJson(c.json);
      ADD_FAILURE() << "no error for " << c.json;
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
    }
  }
}

TEST(PdfTemplatesTest, EveryPageIsBuiltWithItsSizeAndTable) {
  TFormPDFBase base;
  const struct {
    PdfTemplate page;
    const char* name;
    int width, height, rows;
  } pages[] = {
      {PdfTemplate::TateMitsuFirstPage, "PRPageTateMitsuFirstPage", 595, 842, 26},
      {PdfTemplate::TateMitsuMiddlePage, "PRPageTateMitsuMiddlePage", 595, 842, 41},
      {PdfTemplate::TateMitsuFinalPage, "PRPageTateMitsuFinalPage", 595, 842, 38},
      {PdfTemplate::YokoMitsuFirstPage, "PRPageYokoMitsuFirstPage", 842, 595, 16},
      {PdfTemplate::YokoMitsuMiddlePage, "PRPageYokoMitsuMiddlePage", 842, 595, 31},
      {PdfTemplate::YokoMitsuFinalPage, "PRPageYokoMitsuFinalPage", 842, 595, 28},
      {PdfTemplate::TateMitsuPicPage, "PRPageTateMitsuPicPage", 595, 842, 0},
      {PdfTemplate::YokoMitsuPicPage, "PRPageYokoMitsuPicPage", 842, 595, 0},
      {PdfTemplate::TotalClaim, "PRPageTotalClaim", 595, 842, 0},
      {PdfTemplate::Receipt, "PRPageReceipt", 595, 842, 0},
      {PdfTemplate::FaxSender, "PRPageFaxSender", 595, 842, 0},
      {PdfTemplate::CustomerList, "PRPageCustomerList", 595, 842, 0},
      {PdfTemplate::ItemList, "PRPageItemList", 595, 842, 0},
  };
  for (const auto& p : pages) {
    TemplatePage& t = base.Template(p.page);
    EXPECT_EQ(t.Name(), p.name);
    EXPECT_EQ(t.Page().Width, p.width) << p.name;
    EXPECT_EQ(t.Page().Height, p.height) << p.name;
    EXPECT_EQ(t.Page().MarginTop, 32);
    ASSERT_EQ(t.Page().Children().size(), 1u) << p.name;
    EXPECT_EQ(t.Panel().Left, 14);
    for (TPRItem* item : t.Items()) {
      if (auto* label = dynamic_cast<TPRCustomLabel*>(item)) {
        EXPECT_EQ(label->FontName, TPRFontName::fnGothic) << item->Name();
      }
    }
    if (p.rows == 0) continue;
    // R row bands 17 high every 16 points, each with its eight cells, one pitch apart.
    const std::string part = std::string(p.name).substr(6);
    const TPRRect& header = t.Must<TPRRect>("PRRect" + part + "LineHeader");
    for (int n = 1; n <= p.rows; ++n) {
      const TPRRect& band = t.Must<TPRRect>("PRRect" + part + "Line" + std::to_string(n));
      EXPECT_EQ(band.Top, header.Top + 16 * n) << band.Name();
      EXPECT_EQ(band.Height, 17);
      EXPECT_EQ(t.Must<TPRLabel>("PRLabel" + part + "ItemTotalPrice" + std::to_string(n)).Top,
                band.Top + (n == 1 ? 3 : 4));
    }
    EXPECT_EQ(t.Find<TPRRect>("PRRect" + part + "Line" + std::to_string(p.rows + 1)), nullptr);
  }
  // The example names of the naming scheme.
  EXPECT_NE(base.Template(PdfTemplate::TateMitsuFirstPage).Find<TPRLabel>("PRLabelTateMitsuFirstPageItemTotalPrice21"),
            nullptr);
  EXPECT_NE(base.Template(PdfTemplate::YokoMitsuFinalPage).Find<TPRRect>("PRRectYokoMitsuFinalPageVerLine3"), nullptr);
  EXPECT_NE(base.Template(PdfTemplate::YokoMitsuFirstPage).Find<TPRText>("PRTextYokoMitsuFirstBankAccount"), nullptr);
  EXPECT_DOUBLE_EQ(TFormPDFBase::MM2Dot(297), 842);
}

// The column boundaries of every combination of free item, cost and remarks.
TEST(PdfTemplatesTest, ColumnsFollowTheOptionalColumnsInBothOrientations) {
  struct Case {
    bool landscape, freeEdit, cost, remarks;
    std::array<int, 9> bounds;  // FreeEdit … Etc left edges (-1 hidden), right edge
  } cases[] = {
      {false, true, true, true, {28, 80, 191, 232, 266, 337, 408, 479, 539}},
      {false, true, true, false, {28, 139, 250, 291, 325, 396, 467, -1, 539}},
      {false, true, false, true, {28, 80, 191, 232, 266, -1, 337, 408, 539}},
      {false, true, false, false, {28, 139, 250, 291, 325, -1, 396, -1, 539}},
      {false, false, true, true, {-1, 28, 139, 180, 214, 285, 356, 427, 539}},
      {false, false, true, false, {-1, 28, 191, 232, 266, 337, 408, -1, 539}},
      {false, false, false, true, {-1, 28, 139, 180, 214, -1, 285, 356, 539}},
      {false, false, false, false, {-1, 28, 210, 251, 285, -1, 356, -1, 539}},
      {true, true, true, true, {38, 90, 286, 340, 380, 463, 532, 655, 776}},
      {true, true, true, false, {38, 234, 430, 484, 524, 607, 676, -1, 776}},
      {true, true, false, true, {38, 90, 286, 340, 380, -1, 463, 586, 776}},
      {true, true, false, false, {38, 234, 430, 484, 524, -1, 607, -1, 776}},
      {true, false, true, true, {-1, 38, 234, 288, 328, 411, 480, 603, 776}},
      {true, false, true, false, {-1, 38, 286, 340, 380, 463, 532, -1, 776}},
      {true, false, false, true, {-1, 38, 234, 288, 328, -1, 411, 534, 776}},
      {true, false, false, false, {-1, 38, 357, 411, 451, -1, 534, -1, 776}},
  };
  TMxConfigInfo config("/nonexistent");
  config.LoadConfig("/nonexistent/conf.ini");
  TFormPDFBase base;
  const char* columns[] = {"FreeEdit", "Name", "Num", "Unit", "UnitPrice", "Cost", "TotalPrice", "Etc"};
  for (const Case& c : cases) {
    TPrintMitsuOptions o;
    o.PrintFreeEdit = c.freeEdit;
    o.PrintCost = c.cost;
    o.PrintNote = c.remarks;
    for (int pageKind : {kOnlyPage, kMiddlePage, kLastPage}) {
      TemplatePage& t = base.InitMitsuPDFTemplate(TChartType::tcMitumori, pageKind, c.landscape, o, config);
      const std::string part = t.Name().substr(6);
      const std::string what = part + " free " + std::to_string(c.freeEdit) + " cost " + std::to_string(c.cost) +
                               " remarks " + std::to_string(c.remarks);
      std::vector<int> visibleEdges;
      for (int k = 0; k < 8; ++k) {
        const TPRLabel& heading = t.Must<TPRLabel>("PRLabel" + part + "ChartFindingItem" + columns[k]);
        const TPRLabel& cell = t.Must<TPRLabel>("PRLabel" + part + "Item" + columns[k] + "5");
        const int left = c.bounds[static_cast<std::size_t>(k)];
        EXPECT_EQ(heading.Printable, left >= 0) << what << " " << columns[k];
        EXPECT_EQ(cell.Printable, left >= 0) << what << " " << columns[k];
        if (left < 0) continue;
        int right = c.bounds[8];
        for (int next = k + 1; next < 8; ++next)
          if (c.bounds[static_cast<std::size_t>(next)] >= 0) {
            right = c.bounds[static_cast<std::size_t>(next)];
            break;
          }
        EXPECT_EQ(heading.Left, left) << what << " " << columns[k];
        EXPECT_EQ(heading.Width, right - left) << what << " " << columns[k];
        EXPECT_EQ(cell.Left, left) << what << " " << columns[k];
        EXPECT_EQ(cell.Width, right - left) << what << " " << columns[k];
        visibleEdges.push_back(left);
      }
      // Separators exactly between two visible columns, never at the table's edges.
      std::vector<int> separators;
      for (int k = 1; k <= 7; ++k) {
        const TPRRect& line = t.Must<TPRRect>("PRRect" + part + "VerLine" + std::to_string(k));
        if (line.Printable) separators.push_back(line.Left);
      }
      std::sort(separators.begin(), separators.end());
      EXPECT_EQ(separators, std::vector<int>(visibleEdges.begin() + 1, visibleEdges.end())) << what;
    }
  }
}

// Separator heights in row pitches from the header band's top, by page kind, for
// ordinary documents and the unit-price estimate.
TEST(PdfTemplatesTest, SeparatorHeightsFollowThePageKind) {
  TMxConfigInfo config("/nonexistent");
  config.LoadConfig("/nonexistent/conf.ini");
  TFormPDFBase base;
  struct Case {
    bool landscape;
    int pageKind;
    bool tanka;
    int longRows, shortRows;
  } cases[] = {
      {false, kOnlyPage, false, 24, 21},  {false, kOnlyPage, true, 24, 24},   {false, kFirstPage, false, 27, 26},
      {false, kFirstPage, true, 27, 27},  {false, kMiddlePage, false, 42, 41}, {false, kMiddlePage, true, 42, 42},
      {false, kLastPage, false, 39, 36},  {false, kLastPage, true, 39, 39},   {true, kOnlyPage, false, 14, 11},
      {true, kOnlyPage, true, 14, 14},    {true, kFirstPage, false, 17, 16},  {true, kFirstPage, true, 17, 17},
      {true, kMiddlePage, false, 32, 31}, {true, kLastPage, false, 29, 26},   {true, kLastPage, true, 29, 29},
  };
  for (const Case& c : cases) {
    const TChartType kind = c.tanka ? TChartType::tcTankaMitumori : TChartType::tcSeikyu;
    TemplatePage& t = base.InitMitsuPDFTemplate(kind, c.pageKind, c.landscape, TPrintMitsuOptions{}, config);
    const std::string part = t.Name().substr(6);
    const int top = t.Must<TPRRect>("PRRect" + part + "LineHeader").Top;
    for (int k = 1; k <= 7; ++k) {
      const TPRRect& line = t.Must<TPRRect>("PRRect" + part + "VerLine" + std::to_string(k));
      EXPECT_EQ(line.Top, top);
      const int expected = 16 * (k >= 6 ? c.longRows : c.shortRows);
      EXPECT_EQ(line.Height, expected) << part << " kind " << c.pageKind << " tanka " << c.tanka << " VerLine" << k;
    }
  }
}

TEST(PdfTemplatesTest, PageKindItemsAndBandColours) {
  TMxConfigInfo config("/nonexistent");
  config.LoadConfig("/nonexistent/conf.ini");
  config.SetLineColorOdd(0x0000FF);
  config.SetLineColorEven(0x00FF00);
  config.SetSenderFontSize(15);
  TFormPDFBase base;
  TPrintMitsuOptions o;
  o.PrintStampArea = false;
  TemplatePage& only = base.InitMitsuPDFTemplate(TChartType::tcMitumori, kOnlyPage, false, o, config);
  const auto printable = [&](TemplatePage& t, const std::string& name) {
    const TPRItem* item = t.Find<TPRItem>(name);
    EXPECT_NE(item, nullptr) << name;
    return item && item->Printable;
  };
  EXPECT_TRUE(printable(only, "PRRectTateMitsuFirstPageEtcArea"));
  EXPECT_FALSE(printable(only, "PRRectTateMitsuFirstPageLine24"));  // under the remarks
  EXPECT_TRUE(printable(only, "PRRectTateMitsuFirstPageLine23"));
  EXPECT_FALSE(printable(only, "PRLabelTateMitsuFirstPagePageNo"));
  EXPECT_FALSE(printable(only, "PRLabelTateMitsuFirstPageFindingPageTotal"));
  EXPECT_TRUE(printable(only, "PRLabelTateMitsuFirstPageFindingTotal"));
  EXPECT_FALSE(printable(only, "PRRectTateMitsuFirstPageStampArea"));
  EXPECT_EQ(only.Must<TPRLabel>("PRLabelTateMitsuFirstPageCustomerName2").FontSize, 15);
  // Header and even rows take the first colour, odd rows the second.
  EXPECT_EQ(only.Must<TPRRect>("PRRectTateMitsuFirstPageLineHeader").FillColor, 0x0000FFu);
  EXPECT_EQ(only.Must<TPRRect>("PRRectTateMitsuFirstPageLine2").FillColor, 0x0000FFu);
  EXPECT_EQ(only.Must<TPRRect>("PRRectTateMitsuFirstPageLine3").FillColor, 0x00FF00u);

  TemplatePage& first = base.InitMitsuPDFTemplate(TChartType::tcMitumori, kFirstPage, false, TPrintMitsuOptions{}, config);
  EXPECT_FALSE(printable(first, "PRRectTateMitsuFirstPageEtcArea"));
  EXPECT_TRUE(printable(first, "PRRectTateMitsuFirstPageLine26"));
  EXPECT_TRUE(printable(first, "PRLabelTateMitsuFirstPagePageNo"));
  EXPECT_TRUE(printable(first, "PRLabelTateMitsuFirstPageFindingPageTotal"));
  EXPECT_FALSE(printable(first, "PRLabelTateMitsuFirstPageFindingSubTotal"));
  EXPECT_TRUE(printable(first, "PRRectTateMitsuFirstPageStampArea"));

  TemplatePage& tanka = base.InitMitsuPDFTemplate(TChartType::tcTankaMitumori, kLastPage, true, TPrintMitsuOptions{}, config);
  EXPECT_FALSE(printable(tanka, "PRLabelYokoMitsuFinalPageFindingTotal"));
  TemplatePage& last = base.InitMitsuPDFTemplate(TChartType::tcNouhin, kLastPage, true, TPrintMitsuOptions{}, config);
  EXPECT_TRUE(printable(last, "PRLabelYokoMitsuFinalPageFindingTotal"));

  // Every other template takes the colours when they are updated.
  base.UpdatePDFBaseColor(config);
  EXPECT_EQ(base.Template(PdfTemplate::ItemList).Must<TPRRect>("PRRectItemListLine1").FillColor, 0x00FF00u);
  EXPECT_EQ(base.Template(PdfTemplate::ItemList).Must<TPRRect>("PRRectItemListLine2").FillColor, 0x0000FFu);
  EXPECT_EQ(base.Template(PdfTemplate::TotalClaim).Must<TPRRect>("PRRectTotalClaimContent_2").FillColor, 0x00FF00u);
  EXPECT_EQ(base.Template(PdfTemplate::CustomerList).Must<TPRRect>("PRRectCustomerListLine15_1").FillColor, 0x0000FFu);
  EXPECT_EQ(base.Template(PdfTemplate::CustomerList).Must<TPRRect>("PRRectCustomerListLine15_3").FillColor, 0x00FF00u);
}

}  // namespace
}  // namespace qm::pdf
