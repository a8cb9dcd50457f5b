#include "model/calculation.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "model/estimate_list.h"

using qm::Currency;
using qm::TCalcDecimal;
using qm::TMxEstimateObject;
using qm::TMxEstimateObjectList;

namespace {

Currency D(const char* text) { return Currency::ParseDecimal(text); }

struct Line {
  const char* amount;
  bool taxless = false;
  bool subTotal = false;
};

struct Settings {
  const char* rate = "5";
  bool includeTax = false;
  bool perLine = false;
  TCalcDecimal tax = TCalcDecimal::cdRoundDown;
  TCalcDecimal sub = TCalcDecimal::cdRoundDown;
};

TMxEstimateObjectList Document(const Settings& s, std::initializer_list<Line> lines) {
  TMxEstimateObjectList doc;
  doc.SetTaxRate(D(s.rate));
  doc.SetTaxInputModeIncludeTax(s.includeTax);
  doc.SetTaxCalcLine(s.perLine);
  doc.SetTaxDecimalMode(s.tax);
  doc.SetSubTotalDecimalMode(s.sub);
  for (const Line& l : lines) {
    auto line = std::make_unique<TMxEstimateObject>();
    line->SetTotalPrice(D(l.amount));
    line->SetTaxless(l.taxless);
    const int i = doc.Add(std::move(line));
    if (l.subTotal) doc.ToSubTotalLine(i);
  }
  doc.DoCalc();
  return doc;
}

}  // namespace

TEST(LineAmount, QuantityTimesPriceCutToHundredths) {
  struct Case {
    const char* num;
    const char* price;
    const char* before;
    const char* amount;
  } cases[] = {
      {"3", "333.333", "0", "999.99"},      // cut, not rounded
      {"0", "1200", "5000", "5000"},        // lump sum typed as amount stands
      {"2", "0", "5000", "5000"},
      {"2.5", "1000", "0", "2500"},
      {"0.3333", "3", "0", "0.99"},
      {"-3", "333.333", "0", "-999.99"},    // toward zero for negatives too
      {"1.5", "-0.015", "0", "-0.02"},      // -0.0225 cut to -0.02
      {"12345.6789", "9876.5432", "0", "121932630.98"},
      {"100000", "9223372036.8547", "0", "922337203685470"},
  };
  for (const auto& c : cases) {
    TMxEstimateObject line;
    line.SetNum(D(c.num));
    line.SetPrice(D(c.price));
    line.SetTotalPrice(D(c.before));
    EXPECT_TRUE(line.DoCalc()) << c.num << " x " << c.price;
    EXPECT_EQ(line.TotalPrice().ToDecimalText(), c.amount) << c.num << " x " << c.price;
  }
}

TEST(LineAmount, OverflowClearsTheLineAndAnswersFalse) {
  for (const auto& [num, price] : {std::pair{"1000000", "922337203.6855"}, std::pair{"-1000000000", "1000000000"},
                                   std::pair{"922337203685477", "922337203685477"}}) {
    TMxEstimateObject line;
    line.SetNum(D(num));
    line.SetPrice(D(price));
    line.SetTotalPrice(D("7"));
    line.SetCost(D("3"));
    EXPECT_FALSE(line.DoCalc()) << num << " x " << price;
    EXPECT_TRUE(line.TotalPrice().IsZero());
    EXPECT_TRUE(line.Price().IsZero());
    EXPECT_TRUE(line.Num().IsZero());
    EXPECT_EQ(line.Cost(), D("3"));
  }
  // Just below the limit still fits.
  TMxEstimateObject line;
  line.SetNum(D("1"));
  line.SetPrice(D("922337203685477.57"));
  EXPECT_TRUE(line.DoCalc());
  EXPECT_EQ(line.TotalPrice(), D("922337203685477.57"));
}

TEST(RoundToYen, EachRuleWithItsSignTest) {
  struct Case {
    const char* v;
    TCalcDecimal rule;
    const char* result;
  } cases[] = {
      {"10.55", TCalcDecimal::cdRoundDown, "10"}, {"-10.55", TCalcDecimal::cdRoundDown, "-10"},
      {"10.01", TCalcDecimal::cdRoundUP, "11"},   {"10", TCalcDecimal::cdRoundUP, "10"},
      {"-3.4", TCalcDecimal::cdRoundUP, "-4"},    // away from zero for a discount
      {"-3", TCalcDecimal::cdRoundUP, "-3"},      {"2.5", TCalcDecimal::cdRoundOff, "3"},
      {"2.4999", TCalcDecimal::cdRoundOff, "2"},  {"-2.5", TCalcDecimal::cdRoundOff, "-3"},
      {"-2.4999", TCalcDecimal::cdRoundOff, "-2"}, {"0.0001", TCalcDecimal::cdRoundUP, "1"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(qm::RoundToYen(D(c.v), c.rule).ToDecimalText(), c.result) << c.v << " rule " << CalcDecimalName(c.rule);
  // The sign test can differ from the value: half away from zero follows the test.
  EXPECT_EQ(qm::RoundToYen(-25000.0L, TCalcDecimal::cdRoundOff, 1.0L), -20000.0L);
}

TEST(DocumentTotals, WorkedExamples) {
  struct Case {
    const char* what;
    Settings settings;
    std::initializer_list<Line> lines;
    const char* subTotal;
    const char* tax;
    const char* total;
  };
  const Case cases[] = {
      {"on the sum, round down", {}, {{"105"}, {"106"}}, "211", "10", "221"},
      {"per line, round down", {.perLine = true}, {{"105"}, {"106"}}, "211", "10", "221"},
      {"per line, round up", {.perLine = true, .tax = TCalcDecimal::cdRoundUP}, {{"105"}, {"106"}}, "211", "12", "223"},
      {"tax included on the sum", {.includeTax = true}, {{"1000"}}, "1000", "47", "1000"},
      {"tax included per line, up", {.includeTax = true, .perLine = true, .tax = TCalcDecimal::cdRoundUP},
       {{"1000"}}, "1000", "48", "1000"},
      {"tax included per line, half away", {.includeTax = true, .perLine = true, .tax = TCalcDecimal::cdRoundOff},
       {{"1000"}}, "1000", "48", "1000"},
      {"taxless line between taxed ones", {}, {{"100"}, {"300", true}, {"200"}}, "600", "15", "615"},
      {"subtotal rounding down", {}, {{"10.5"}, {"20.25"}}, "30", "1", "31"},
      {"subtotal rounding up", {.sub = TCalcDecimal::cdRoundUP}, {{"10.5"}, {"20.25"}}, "31", "1", "32"},
      {"subtotal rounding half away", {.sub = TCalcDecimal::cdRoundOff}, {{"10.5"}, {"20.25"}}, "31", "1", "32"},
      {"negative tax half away", {.rate = "10", .tax = TCalcDecimal::cdRoundOff}, {{"-25"}}, "-25", "-3", "-28"},
      {"discount, round up away from zero", {.rate = "10", .tax = TCalcDecimal::cdRoundUP}, {{"-34"}}, "-34", "-4",
       "-38"},
      {"rate 8, per line, sum of rounded taxes", {.rate = "8", .perLine = true}, {{"99"}, {"99"}, {"99"}}, "297",
       "21", "318"},
      {"rate 8 on the sum", {.rate = "8"}, {{"99"}, {"99"}, {"99"}}, "297", "23", "320"},
      {"rate 5.5 included", {.rate = "5.5", .includeTax = true}, {{"1000"}}, "1000", "52", "1000"},
      {"subtotal lines excluded from sums", {}, {{"100"}, {"200"}, {"0", false, true}, {"50"}, {"0", false, true}},
       "350", "17", "367"},
      {"empty document", {}, {}, "0", "0", "0"},
  };
  for (const auto& c : cases) {
    const TMxEstimateObjectList doc = Document(c.settings, c.lines);
    EXPECT_EQ(doc.SubTotalPrice().ToDecimalText(), c.subTotal) << c.what;
    EXPECT_EQ(doc.TotalTax().ToDecimalText(), c.tax) << c.what;
    EXPECT_EQ(doc.TotalPrice().ToDecimalText(), c.total) << c.what;
  }
}

TEST(DocumentTotals, SubtotalLinesCarryTheirBlockSums) {
  const TMxEstimateObjectList doc =
      Document({}, {{"100"}, {"200"}, {"0", false, true}, {"50"}, {"0", false, true}, {"7"}});
  EXPECT_EQ(doc.Items(2).TotalPrice(), D("300"));
  EXPECT_EQ(doc.Items(4).TotalPrice(), D("50"));
  EXPECT_EQ(doc.SubTotalPrice(), D("357"));
  // Taxless lines count in the block sum; a stale amount on a subtotal line is replaced.
  TMxEstimateObjectList again = Document({}, {{"100", true}, {"0", false, true}});
  again.Items(1).SetTotalPrice(D("999"));
  again.DoCalc();
  EXPECT_EQ(again.Items(1).TotalPrice(), D("100"));
  EXPECT_EQ(again.TotalTax(), D("0"));
}

TEST(DocumentTotals, TaxOnTheSumUsesTheTaxableSumBeforeSubtotalRounding) {
  // 0.5 + 0.5 + 199.6 = 200.6 taxable; the subtotal rounds to 200, the tax is of 200.6.
  const TMxEstimateObjectList doc = Document({.rate = "10"}, {{"0.5"}, {"0.5"}, {"199.6"}});
  EXPECT_EQ(doc.SubTotalPrice(), D("200"));
  EXPECT_EQ(doc.TotalTax(), D("20"));
  const TMxEstimateObjectList up = Document({.rate = "10", .tax = TCalcDecimal::cdRoundUP}, {{"200.6"}});
  EXPECT_EQ(up.TotalTax(), D("21"));  // 20.06 rounds up
}

TEST(DocumentTotals, CostNeverEntersAnySum) {
  TMxEstimateObjectList doc = Document({}, {{"100"}});
  doc.Items(0).SetCost(D("1000000"));
  doc.DoCalc();
  EXPECT_EQ(doc.TotalPrice(), D("105"));
}

TEST(DocumentModel, UninputLooksOnlyAtNameUnitNoteQuantityPriceAmount) {
  TMxEstimateObject line;
  EXPECT_TRUE(line.Uninput());
  line.SetCost(D("5"));
  line.SetFreeEdit("free");
  line.SetClassNo(2);
  line.SetTaxless(true);
  line.Pic().Assign(qm::PictureKind::Png, "not really a png");
  EXPECT_TRUE(line.Uninput());
  const auto makesInput = [](auto set) {
    TMxEstimateObject l;
    set(l);
    return !l.Uninput();
  };
  EXPECT_TRUE(makesInput([](TMxEstimateObject& l) { l.SetName("a"); }));
  EXPECT_TRUE(makesInput([](TMxEstimateObject& l) { l.SetItemUnit("m"); }));
  EXPECT_TRUE(makesInput([](TMxEstimateObject& l) { l.SetNote("n"); }));
  EXPECT_TRUE(makesInput([](TMxEstimateObject& l) { l.SetNum(D("0.0001")); }));
  EXPECT_TRUE(makesInput([](TMxEstimateObject& l) { l.SetPrice(D("-1")); }));
  EXPECT_TRUE(makesInput([](TMxEstimateObject& l) { l.SetTotalPrice(D("1")); }));
}

TEST(DocumentModel, ToSubTotalLineKeepsClassFreeItemCostAndPicture) {
  TMxEstimateObjectList doc;
  auto line = std::make_unique<TMxEstimateObject>();
  line->SetName("足場");
  line->SetNum(D("2"));
  line->SetPrice(D("3"));
  line->SetTotalPrice(D("6"));
  line->SetItemUnit("式");
  line->SetNote("備考");
  line->SetTaxless(true);
  line->SetClassNo(2);
  line->SetFreeEdit("F");
  line->SetCost(D("4"));
  line->Pic().Assign(qm::PictureKind::Png, "bytes");
  doc.Add(std::move(line));
  doc.ToSubTotalLine(0);
  const TMxEstimateObject& l = doc.Items(0);
  EXPECT_EQ(l.Name(), "■ 小計 ■");
  EXPECT_TRUE(l.Num().IsZero() && l.Price().IsZero() && l.TotalPrice().IsZero());
  EXPECT_EQ(l.ItemUnit(), "");
  EXPECT_EQ(l.Note(), "");
  EXPECT_FALSE(l.Taxless());
  EXPECT_TRUE(l.SubTotalLineFlg());
  EXPECT_EQ(l.ClassNo(), 2);
  EXPECT_EQ(l.FreeEdit(), "F");
  EXPECT_EQ(l.Cost(), D("4"));
  EXPECT_EQ(l.Pic().Bytes(), "bytes");
}

TEST(DocumentModel, OwnershipOfLines) {
  TMxEstimateObjectList doc;
  EXPECT_EQ(doc.TaxDecimalMode(), TCalcDecimal::cdRoundDown);
  EXPECT_EQ(doc.SubTotalDecimalMode(), TCalcDecimal::cdRoundDown);
  EXPECT_EQ(doc.Count(), 0);
  EXPECT_EQ(doc.Add(std::make_unique<TMxEstimateObject>()), 0);
  EXPECT_EQ(doc.Add(std::make_unique<TMxEstimateObject>()), 1);
  TMxEstimateObject* first = &doc.Items(0);
  auto replacement = std::make_unique<TMxEstimateObject>();
  replacement->SetName("new");
  std::unique_ptr<TMxEstimateObject> old = doc.SetItems(0, std::move(replacement));
  EXPECT_EQ(old.get(), first);  // handed back, not freed
  EXPECT_EQ(doc.Items(0).Name(), "new");
  doc.SetMemoStr("memo");
  doc.Clear();
  EXPECT_EQ(doc.Count(), 0);
  EXPECT_EQ(doc.MemoStr(), "memo");  // the header stays
  EXPECT_THROW(doc.Items(0), qm::Error);
}

TEST(DocumentTotals, SumsBeyondTheCurrencyRangeFailWithoutTouchingTheDocument) {
  TMxEstimateObjectList doc = Document({}, {{"100"}, {"0", false, true}});
  ASSERT_EQ(doc.TotalPrice(), D("105"));
  auto big = std::make_unique<TMxEstimateObject>();
  big->SetTotalPrice(D("900000000000000"));
  doc.Insert(0, std::move(big));
  auto big2 = std::make_unique<TMxEstimateObject>();
  big2->SetTotalPrice(D("900000000000000"));
  doc.Insert(0, std::move(big2));
  EXPECT_THROW(doc.DoCalc(), qm::Error);
  EXPECT_EQ(doc.TotalPrice(), D("105"));
  EXPECT_EQ(doc.SubTotalPrice(), D("100"));
  EXPECT_EQ(doc.Items(3).TotalPrice(), D("100"));  // the subtotal line kept its value
}

TEST(TaxByRate, FiguresPerRateAsAQualifiedInvoiceStatesThem) {
  struct Case {
    const char* what;
    Settings settings;
    std::initializer_list<Line> lines;
    const char *taxable, *tax, *taxless;
    bool showsRate, hasTaxless;
  };
  const Case cases[] = {
      {"exclusive, one rate", {.rate = "10"}, {{"500000"}, {"300000"}}, "800000", "80000", "0", true, false},
      {"exclusive with a taxless line", {.rate = "10"}, {{"800000"}, {"12000", true}}, "800000", "80000", "12000", true,
       true},
      {"included with a taxless line", {.rate = "10", .includeTax = true}, {{"880000"}, {"12000", true}}, "880000",
       "80000", "12000", true, true},
      {"per line: the tax is the sum of the rounded line taxes", {.rate = "8", .perLine = true},
       {{"99"}, {"99"}, {"99"}}, "297", "21", "0", true, false},
      {"only taxless lines", {.rate = "10"}, {{"300", true}, {"20", true}}, "0", "0", "320", false, true},
      // The subtotal cut from 30.75 to 30 falls on the taxed part; the taxless sum is whole.
      {"fractions go to the taxed part", {.rate = "10"}, {{"10.5"}, {"20.25", true}}, "10", "1", "20", true, true},
      {"subtotal lines are not counted twice", {.rate = "10"}, {{"100"}, {"50", true}, {"0", false, true}}, "100", "10",
       "50", true, true},
      {"empty document shows the rate with nothing", {.rate = "10"}, {}, "0", "0", "0", true, false},
  };
  for (const auto& c : cases) {
    const TMxEstimateObjectList doc = Document(c.settings, c.lines);
    const qm::TaxRateSummary s = qm::TaxByRate(doc);
    EXPECT_EQ(s.taxable.ToDecimalText(), c.taxable) << c.what;
    EXPECT_EQ(s.tax.ToDecimalText(), c.tax) << c.what;
    EXPECT_EQ(s.taxless.ToDecimalText(), c.taxless) << c.what;
    EXPECT_EQ(s.ShowsRate(), c.showsRate) << c.what;
    EXPECT_EQ(s.hasTaxless, c.hasTaxless) << c.what;
    EXPECT_EQ(s.rate, doc.TaxRate()) << c.what;
    EXPECT_EQ(s.included, c.settings.includeTax) << c.what;
  }
}

TEST(TaxByRate, AlwaysReconcilesWithTheDocumentsTotals) {
  // Every combination of the calculation settings over amounts with fractions, taxless
  // lines, discounts and subtotal lines.
  const TCalcDecimal rules[] = {TCalcDecimal::cdRoundDown, TCalcDecimal::cdRoundUP, TCalcDecimal::cdRoundOff};
  unsigned seed = 7;
  const auto next = [&seed](unsigned n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % n;
  };
  for (int round = 0; round < 200; ++round) {
    TMxEstimateObjectList doc;
    doc.SetTaxRate(D(next(2) ? "10" : "8"));
    doc.SetTaxInputModeIncludeTax(next(2));
    doc.SetTaxCalcLine(next(2));
    doc.SetTaxDecimalMode(rules[next(3)]);
    doc.SetSubTotalDecimalMode(rules[next(3)]);
    const int lines = static_cast<int>(next(12));
    for (int i = 0; i < lines; ++i) {
      auto line = std::make_unique<TMxEstimateObject>();
      const long long hundredths = static_cast<long long>(next(10000000)) - (next(5) == 0 ? 5000000 : 0);
      line->SetTotalPrice(Currency::FromRaw(hundredths * 100));
      line->SetTaxless(next(3) == 0);
      const int at = doc.Add(std::move(line));
      if (next(8) == 0) doc.ToSubTotalLine(at);
    }
    doc.DoCalc();
    const qm::TaxRateSummary s = qm::TaxByRate(doc);
    SCOPED_TRACE("round " + std::to_string(round));
    EXPECT_EQ(s.taxable + s.taxless, doc.SubTotalPrice());
    EXPECT_EQ(s.tax, doc.TotalTax());
    EXPECT_EQ(doc.TaxInputModeIncludeTax() ? s.taxable + s.taxless : s.taxable + s.taxless + s.tax, doc.TotalPrice());
    // The taxless sum is whole yen, as the subtotal is.
    EXPECT_EQ(s.taxless.Raw() % Currency::kScale, 0);
  }
}
