#include "model/line_editing.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using qm::Currency;
using qm::LineEdit;
using qm::TMxEstimateObject;
using qm::TMxEstimateObjectList;

namespace {

// Every field of a line in one text, so that a field lost on the way shows in a diff.
std::string Fields(const TMxEstimateObject& l) {
  std::ostringstream s;
  s << "name=" << l.Name() << " num=" << l.Num().ToDecimalText() << " unit=" << l.ItemUnit()
    << " price=" << l.Price().ToDecimalText() << " amount=" << l.TotalPrice().ToDecimalText() << " note=" << l.Note()
    << " taxless=" << l.Taxless() << " subtotal=" << l.SubTotalLineFlg() << " class=" << l.ClassNo()
    << " free=" << l.FreeEdit() << " cost=" << l.Cost().ToDecimalText() << " pic=" << static_cast<int>(l.Pic().Kind())
    << ":" << l.Pic().Bytes();
  return s.str();
}

// A line with a distinct value in every field; `tag` tells lines apart.
TMxEstimateObject Distinct(int tag) {
  TMxEstimateObject l;
  l.SetName("品名" + std::to_string(tag));
  l.SetNum(Currency::FromYen(2 + tag));
  l.SetItemUnit("㎡" + std::to_string(tag));
  l.SetPrice(Currency::FromYen(300 + tag));
  l.SetTotalPrice(Currency::FromYen(700 + tag));
  l.SetNote("備考" + std::to_string(tag));
  l.SetTaxless(true);
  l.SetSubTotalLineFlg(tag % 2 == 1);
  l.SetClassNo(2);
  l.SetFreeEdit("自由" + std::to_string(tag));
  l.SetCost(Currency::FromYen(50 + tag));
  l.Pic().Assign(qm::PictureKind::Jpeg, "jpeg bytes " + std::to_string(tag));
  return l;
}

// A document of `count` lines; the lines listed in `amounts` (index, yen) are priced.
TMxEstimateObjectList Doc(int count, const std::vector<std::pair<int, int>>& amounts = {}) {
  TMxEstimateObjectList doc;
  qm::AddBlankLines(doc, count);
  for (const auto& [index, yen] : amounts) {
    doc.Items(index).SetName("line" + std::to_string(index));
    doc.Items(index).SetTotalPrice(Currency::FromYen(yen));
  }
  doc.SetTaxRate(Currency::FromYen(10));
  doc.DoCalc();
  return doc;
}

std::vector<std::string> Names(const TMxEstimateObjectList& doc) {
  std::vector<std::string> names;
  for (int i = 0; i < doc.Count(); ++i) names.push_back(doc.Items(i).Name());
  return names;
}

}  // namespace

TEST(LineEditing, CopyAndPasteCarryEveryFieldAndAnIndependentPicture) {
  const TMxEstimateObject source = Distinct(1);
  const std::string expected = Fields(source);
  // Each field in turn differs from the target's, so a field the copy skips shows.
  TMxEstimateObject target = Distinct(2);
  qm::CopyLineContent(source, target);
  EXPECT_EQ(Fields(target), expected);

  TMxEstimateObjectList doc = Doc(5);
  qm::CopyLineContent(source, doc.Items(1));
  TMxEstimateObject buffer = Distinct(4);
  ASSERT_EQ(qm::CopyLine(doc, 1, buffer), LineEdit::Done);
  EXPECT_EQ(Fields(buffer), expected);
  ASSERT_EQ(qm::PasteLine(doc, 3, buffer), LineEdit::Done);
  // The pasted line is recalculated as a subtotal line would be; the rest is the copy.
  EXPECT_EQ(doc.Items(3).Name(), source.Name());
  EXPECT_EQ(doc.Items(3).Pic().Bytes(), source.Pic().Bytes());
  // Deleting the original leaves the pasted picture alone.
  ASSERT_EQ(qm::DeleteLine(doc, 1), LineEdit::Done);
  EXPECT_EQ(doc.Items(2).Pic().Bytes(), "jpeg bytes 1");
  buffer.Pic().Assign(qm::PictureKind::Png, "changed");
  EXPECT_EQ(doc.Items(2).Pic().Bytes(), "jpeg bytes 1");
}

TEST(LineEditing, PastingBeforeAnyCopyEmptiesTheLine) {
  TMxEstimateObjectList doc = Doc(3, {{0, 100}});
  const TMxEstimateObject empty;
  ASSERT_EQ(qm::PasteLine(doc, 0, empty), LineEdit::Done);
  EXPECT_TRUE(doc.Items(0).Uninput());
  EXPECT_TRUE(doc.SubTotalPrice().IsZero());
}

TEST(LineEditing, RefusalsInTheirOrder) {
  TMxEstimateObject buffer;
  struct Case {
    const char* what;
    bool totalClaim;
    int current;
    LineEdit copy, paste, insert, subtotal, remove, moveUp;
  } cases[] = {
      {"no current line", false, -1, LineEdit::NoCurrentLine, LineEdit::NoCurrentLine, LineEdit::NoCurrentLine,
       LineEdit::NoCurrentLine, LineEdit::NoCurrentLine, LineEdit::NoCurrentLine},
      {"past the end", false, 10, LineEdit::NoCurrentLine, LineEdit::NoCurrentLine, LineEdit::NoCurrentLine,
       LineEdit::NoCurrentLine, LineEdit::NoCurrentLine, LineEdit::NoCurrentLine},
      // Total claim is refused before the current line is looked at; moving has no such rule.
      {"total claim", true, -1, LineEdit::TotalClaim, LineEdit::TotalClaim, LineEdit::TotalClaim,
       LineEdit::TotalClaim, LineEdit::TotalClaim, LineEdit::NoCurrentLine},
      {"first line", false, 0, LineEdit::Done, LineEdit::Done, LineEdit::Done, LineEdit::Done, LineEdit::Done,
       LineEdit::CannotMove},
  };
  for (const Case& c : cases) {
    const auto fresh = [&] {
      TMxEstimateObjectList doc = Doc(10, {{0, 100}});
      doc.SetTotalClaimMode(c.totalClaim);
      return doc;
    };
    TMxEstimateObjectList d1 = fresh(), d2 = fresh(), d3 = fresh(), d4 = fresh(), d5 = fresh(), d6 = fresh();
    EXPECT_EQ(qm::CopyLine(d1, c.current, buffer), c.copy) << c.what;
    EXPECT_EQ(qm::PasteLine(d2, c.current, buffer), c.paste) << c.what;
    EXPECT_EQ(qm::InsertBlankLine(d3, c.current), c.insert) << c.what;
    EXPECT_EQ(qm::InsertSubTotalLine(d4, c.current), c.subtotal) << c.what;
    EXPECT_EQ(qm::DeleteLine(d5, c.current), c.remove) << c.what;
    EXPECT_EQ(qm::MoveLine(d6, c.current, -1), c.moveUp) << c.what;
  }
}

TEST(LineEditing, MovesKeepTheLinesAndRecalculate) {
  TMxEstimateObjectList doc = Doc(4, {{0, 100}, {1, 200}, {3, 400}});
  ASSERT_EQ(qm::MoveLine(doc, 0, +1), LineEdit::Done);
  EXPECT_EQ(Names(doc), (std::vector<std::string>{"line1", "line0", "", "line3"}));
  EXPECT_EQ(qm::MoveLine(doc, 3, +1), LineEdit::CannotMove);
  EXPECT_EQ(qm::MoveLine(doc, 0, -1), LineEdit::CannotMove);
  ASSERT_EQ(qm::MoveLine(doc, 3, -1), LineEdit::Done);
  EXPECT_EQ(Names(doc), (std::vector<std::string>{"line1", "line0", "line3", ""}));
  EXPECT_EQ(doc.Count(), 4);
  EXPECT_EQ(doc.SubTotalPrice(), Currency::FromYen(700));
}

TEST(LineEditing, InsertPullsTheEmptyLastLineIntoPlace) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, int>> amounts;
    int current;
    LineEdit result;
    std::vector<std::string> names;
  } cases[] = {
      {"middle", {{0, 1}, {1, 2}, {2, 3}}, 1, LineEdit::Done, {"line0", "", "line1", "line2", ""}},
      {"first", {{0, 1}}, 0, LineEdit::Done, {"", "line0", "", "", ""}},
      // The last line holds data: even with empty lines elsewhere there is no room.
      {"last line filled", {{0, 1}, {4, 5}}, 1, LineEdit::NoRoom, {"line0", "", "", "", "line4"}},
      {"on the last line", {{0, 1}}, 4, LineEdit::NoRoom, {"line0", "", "", "", ""}},
  };
  for (const Case& c : cases) {
    TMxEstimateObjectList doc = Doc(5, c.amounts);
    EXPECT_EQ(qm::InsertBlankLine(doc, c.current), c.result) << c.what;
    EXPECT_EQ(Names(doc), c.names) << c.what;
  }
}

TEST(LineEditing, ASubtotalLineInsertedAtLineThreeSumsTheLinesAboveIt) {
  TMxEstimateObjectList doc = Doc(100, {{0, 100}, {1, 200}, {2, 300}});
  ASSERT_EQ(qm::InsertSubTotalLine(doc, 2), LineEdit::Done);
  EXPECT_TRUE(doc.Items(2).SubTotalLineFlg());
  EXPECT_EQ(doc.Items(2).Name(), qm::kSubTotalLineName);
  EXPECT_EQ(doc.Items(2).TotalPrice(), Currency::FromYen(300));
  EXPECT_EQ(doc.Items(3).Name(), "line2");
  EXPECT_EQ(doc.Count(), 100);
  EXPECT_EQ(doc.SubTotalPrice(), Currency::FromYen(600));
}

TEST(LineEditing, DeleteKeepsTheLineCountWithAnEmptyLineAtTheEnd) {
  TMxEstimateObjectList doc = Doc(100, {{4, 500}, {5, 600}});
  ASSERT_EQ(qm::DeleteLine(doc, 4), LineEdit::Done);
  EXPECT_EQ(doc.Count(), 100);
  EXPECT_EQ(doc.Items(4).Name(), "line5");
  EXPECT_TRUE(doc.Items(99).Uninput());
  EXPECT_EQ(doc.SubTotalPrice(), Currency::FromYen(600));
}

TEST(LineEditing, BlocksAndTheFilledCheck) {
  TMxEstimateObjectList doc = Doc(100);
  qm::AddBlankLines(doc, qm::kLineBlock);
  qm::AddBlankLines(doc, qm::kLineBlock);
  EXPECT_EQ(doc.Count(), 120);
  EXPECT_FALSE(qm::AnyFilled(doc, 110, 120));
  doc.Items(114).SetNote("x");
  EXPECT_TRUE(qm::AnyFilled(doc, 110, 120));
  EXPECT_FALSE(qm::AnyFilled(doc, 100, 110));
  EXPECT_TRUE(qm::AnyFilled(doc, 100, 500));  // bounds past the end are harmless
  qm::RemoveLastLines(doc, qm::kLineBlock);
  EXPECT_EQ(doc.Count(), 110);
  qm::RemoveLastLines(doc, 500);
  EXPECT_EQ(doc.Count(), 0);
}

TEST(LineEditing, ANewDocumentHasOneHundredEmptyLinesAndNoTotals) {
  TMxEstimateObjectList doc = Doc(130, {{0, 1000000}, {120, 86750}});
  doc.SetTotalClaimMode(true);
  doc.SetTaxCalcLine(true);
  doc.SetTaxDecimalMode(qm::TCalcDecimal::cdRoundUP);
  doc.SetTaxInputModeIncludeTax(true);
  doc.SetSubTotalDecimalMode(qm::TCalcDecimal::cdRoundOff);
  doc.SetSubTotalPrice(Currency::FromYen(1000000));
  doc.SetTotalTax(Currency::FromYen(86750));
  doc.SetTotalPrice(Currency::FromYen(1086750));
  qm::ResetToNewDocument(doc);
  EXPECT_EQ(doc.Count(), qm::kMinimumLines);
  EXPECT_FALSE(qm::AnyFilled(doc, 0, doc.Count()));
  EXPECT_FALSE(doc.TotalClaimMode());
  EXPECT_FALSE(doc.TaxCalcLine());
  EXPECT_EQ(doc.TaxDecimalMode(), qm::TCalcDecimal::cdRoundDown);
  EXPECT_FALSE(doc.TaxInputModeIncludeTax());
  EXPECT_EQ(doc.SubTotalDecimalMode(), qm::TCalcDecimal::cdRoundDown);
  EXPECT_TRUE(doc.SubTotalPrice().IsZero());
  EXPECT_TRUE(doc.TotalTax().IsZero());
  EXPECT_TRUE(doc.TotalPrice().IsZero());
}
