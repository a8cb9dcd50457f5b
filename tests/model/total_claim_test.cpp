#include "model/total_claim.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/clock.h"
#include "base/error.h"
#include "model/line_editing.h"

using qm::Currency;
using qm::TMxEstimateObject;
using qm::TMxEstimateObjectList;
using qm::TotalClaimMode;
using qm::TotalClaimSource;

namespace {

Currency Yen(long long yen) { return Currency::FromYen(yen); }

// A priced item line with a value in every field a bill copies.
std::unique_ptr<TMxEstimateObject> Item(const std::string& name, long long amount) {
  auto l = std::make_unique<TMxEstimateObject>();
  l->SetName(name);
  l->SetNum(Yen(2));
  l->SetItemUnit("式");
  l->SetPrice(Yen(amount / 2));
  l->SetTotalPrice(Yen(amount));
  l->SetCost(Yen(amount / 4));
  l->SetNote("備考" + name);
  l->SetClassNo(1);
  l->SetFreeEdit("自由" + name);
  l->Pic().Assign(qm::PictureKind::Png, "png bytes");
  return l;
}

class TotalClaimTest : public ::testing::Test {
 protected:
  // Saves a document whose stored subtotal and tax are given (the bill reads them as
  // stored, without recalculating). Its lines: the items, a subtotal line after the
  // first, and empty lines up to 100.
  TotalClaimSource Save(const std::string& name, const std::vector<std::pair<std::string, long long>>& items,
                        long long subtotal, long long tax, bool taxIncluded = false,
                        const std::string& customer = "山田建設") {
    TMxEstimateObjectList doc;
    for (std::size_t i = 0; i < items.size(); ++i) {
      doc.Add(Item(items[i].first, items[i].second));
      if (i == 0) {
        auto sub = std::make_unique<TMxEstimateObject>();
        sub->SetSubTotalLineFlg(true);
        sub->SetTotalPrice(Yen(items[0].second));
        doc.Add(std::move(sub));
      }
    }
    qm::AddBlankLines(doc, 100 - doc.Count());
    doc.SetSubTotalPrice(Yen(subtotal));
    doc.SetTotalTax(Yen(tax));
    doc.SetTaxInputModeIncludeTax(taxIncluded);
    doc.CustomerInfo().SetCustomerName1(customer);
    doc.CustomerInfo().SetCustomerCode("C-" + name);
    doc.CustomerInfo().SetZipNo("100-0001");
    doc.CustomerInfo().SetCustomerNameTitle("様");
    doc.SetKoujiNameStr("工事 " + name);
    const std::string path = dir_.filePath(QString::fromStdString(name + ".QM1")).toStdString();
    doc.SaveFile(path, "comment");
    return {name, path};
  }

  // A document being edited, as the bill finds it.
  TMxEstimateObjectList Edited() {
    TMxEstimateObjectList doc;
    qm::AddBlankLines(doc, 100);
    doc.Items(0).SetName("編集中");
    doc.SetKoujiNameStr("編集中の工事");
    doc.SetTaxRate(Yen(10));
    doc.SetSlipCodeStr("No.9");
    doc.SetEtcStr("備考欄");
    doc.SetTaxCalcLine(true);
    return doc;
  }

  const qm::EraDate today_{"R8", "12", "09"};
  QTemporaryDir dir_;
};

}  // namespace

TEST_F(TotalClaimTest, PerFileBillsEachDocumentWithItsTax) {
  const std::vector<TotalClaimSource> chosen = {Save("4月分", {{"基礎", 6000}, {"型枠", 4000}}, 10000, 500),
                                                Save("5月分", {{"塗装", 5000}}, 5000, 250, false, "別の会社")};
  TMxEstimateObjectList doc = Edited();
  qm::MakeTotalClaim(TotalClaimMode::PerFile, chosen, doc, today_);

  EXPECT_TRUE(doc.TotalClaimMode());
  ASSERT_EQ(doc.Count(), 100);
  EXPECT_EQ(doc.Items(0).Name(), "4月分");
  EXPECT_EQ(doc.Items(0).TotalPrice(), Yen(10500));
  EXPECT_EQ(doc.Items(1).Name(), "5月分");
  EXPECT_EQ(doc.Items(1).TotalPrice(), Yen(5250));
  // Nothing else of a per-file line is filled.
  EXPECT_EQ(doc.Items(0).Num(), Currency());
  EXPECT_EQ(doc.Items(0).Note(), "");
  EXPECT_TRUE(doc.Items(2).Uninput());
  EXPECT_EQ(doc.SubTotalPrice(), Yen(15000));
  EXPECT_EQ(doc.TotalTax(), Yen(750));
  EXPECT_EQ(doc.TotalPrice(), Yen(15750));
  EXPECT_FALSE(doc.TaxInputModeIncludeTax());
  // A new header: the first document's customer, today's date, nothing else of the
  // edited document.
  EXPECT_EQ(doc.CustomerInfo().CustomerName1(), "山田建設");
  EXPECT_EQ(doc.CustomerInfo().CustomerCode(), "C-4月分");
  EXPECT_EQ(doc.CustomerInfo().CustomerNameTitle(), "様");
  EXPECT_EQ(doc.SlipDateStrYY(), "R8");
  EXPECT_EQ(doc.SlipDateStrDD(), "09");
  EXPECT_EQ(doc.SlipCodeStr(), "");
  EXPECT_EQ(doc.KoujiNameStr(), "");
  EXPECT_EQ(doc.EtcStr(), "");
  EXPECT_FALSE(doc.TaxCalcLine());

  // The recalculation leaves a total invoice alone.
  doc.DoCalc();
  EXPECT_EQ(doc.TotalPrice(), Yen(15750));
  EXPECT_EQ(doc.TotalTax(), Yen(750));
}

TEST_F(TotalClaimTest, PerLineCollectsTheItemLinesInFileAndLineOrder) {
  const std::vector<TotalClaimSource> chosen = {Save("b", {{"塗装", 5000}}, 5000, 250),
                                                Save("a", {{"基礎", 6000}, {"型枠", 4000}}, 10000, 500)};
  TMxEstimateObjectList doc = Edited();
  qm::MakeTotalClaim(TotalClaimMode::PerLine, chosen, doc, today_);

  // No subtotal lines, no empty lines; the given order, not the names' order.
  std::vector<std::string> names;
  for (int i = 0; i < doc.Count() && !doc.Items(i).Uninput(); ++i) names.push_back(doc.Items(i).Name());
  EXPECT_EQ(names, (std::vector<std::string>{"塗装", "基礎", "型枠"}));
  const TMxEstimateObject& l = doc.Items(2);
  EXPECT_EQ(l.Num(), Yen(2));
  EXPECT_EQ(l.ItemUnit(), "式");
  EXPECT_EQ(l.Price(), Yen(2000));
  EXPECT_EQ(l.TotalPrice(), Yen(4000));
  EXPECT_EQ(l.Cost(), Yen(1000));
  EXPECT_EQ(l.Note(), "備考型枠");
  EXPECT_EQ(l.ClassNo(), 1);
  EXPECT_EQ(l.FreeEdit(), "自由型枠");
  EXPECT_TRUE(l.Pic().Empty());  // pictures stay with their documents
  EXPECT_EQ(doc.SubTotalPrice(), Yen(15000));
  EXPECT_EQ(doc.TotalTax(), Yen(750));
  EXPECT_EQ(doc.TotalPrice(), Yen(15750));
  EXPECT_EQ(doc.CustomerInfo().CustomerCode(), "C-b");
}

TEST_F(TotalClaimTest, ATaxIncludedDocumentAddsItsSubtotalAloneAndMarksTheBill) {
  // 5,250 entered tax-included: the subtotal already holds the 250 of tax.
  const std::vector<TotalClaimSource> chosen = {Save("ex", {{"基礎", 10000}}, 10000, 500),
                                                Save("in", {{"塗装", 5250}}, 5250, 250, true)};
  for (const TotalClaimMode mode : {TotalClaimMode::PerFile, TotalClaimMode::PerLine}) {
    TMxEstimateObjectList doc = Edited();
    qm::MakeTotalClaim(mode, chosen, doc, today_);
    EXPECT_EQ(doc.TotalPrice(), Yen(15750)) << static_cast<int>(mode);
    EXPECT_EQ(doc.SubTotalPrice(), Yen(15250));
    EXPECT_EQ(doc.TotalTax(), Yen(750));
    EXPECT_TRUE(doc.TaxInputModeIncludeTax());
    if (mode == TotalClaimMode::PerFile) {
      EXPECT_EQ(doc.Items(1).TotalPrice(), Yen(5250));
    }
  }
}

TEST_F(TotalClaimTest, LinesBeyondTheHundredRowsAreAppended) {
  std::vector<std::pair<std::string, long long>> items;
  for (int i = 0; i < 60; ++i) items.emplace_back("品" + std::to_string(i), 100);
  const std::vector<TotalClaimSource> chosen = {Save("x", items, 6000, 600), Save("y", items, 6000, 600)};
  TMxEstimateObjectList doc = Edited();
  qm::MakeTotalClaim(TotalClaimMode::PerLine, chosen, doc, today_);
  ASSERT_EQ(doc.Count(), 120);
  EXPECT_EQ(doc.Items(99).Name(), "品39");
  EXPECT_EQ(doc.Items(100).Name(), "品40");
  EXPECT_EQ(doc.Items(119).Name(), "品59");
  EXPECT_EQ(doc.TotalPrice(), Yen(13200));
}

TEST_F(TotalClaimTest, AFileThatCannotBeReadLeavesTheDocumentAsItWas) {
  const TotalClaimSource good = Save("good", {{"基礎", 1000}}, 1000, 100);
  QFile damaged(dir_.filePath("damaged.QM1"));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("\x0f\x00\x00\x00KESTRELDOC5_100", 19);
  damaged.close();
  const std::vector<std::vector<TotalClaimSource>> failing = {
      {good, {"missing", dir_.filePath("missing.QM1").toStdString()}},
      {good, {"damaged", dir_.filePath("damaged.QM1").toStdString()}},
  };
  for (const auto& chosen : failing) {
    TMxEstimateObjectList doc = Edited();
    const qm::FixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    const std::string before = doc.Serialize("", clock);
    try {
      qm::MakeTotalClaim(TotalClaimMode::PerLine, chosen, doc, today_);
      ADD_FAILURE() << "no error for " << chosen[1].name;
    } catch (const qm::Error& e) {
      EXPECT_NE(std::string(e.what()).find(chosen[1].name), std::string::npos) << e.what();
    }
    EXPECT_EQ(doc.Serialize("", clock), before);
    EXPECT_FALSE(doc.TotalClaimMode());
  }
}

TEST_F(TotalClaimTest, SumsBeyondTheAmountRangeAreRefused) {
  const Currency huge = Currency::ParseDecimal("900000000000000");
  TMxEstimateObjectList big;
  qm::AddBlankLines(big, 100);
  big.SetSubTotalPrice(huge);
  const std::string path = dir_.filePath("big.QM1").toStdString();
  big.SaveFile(path, "");
  TMxEstimateObjectList doc = Edited();
  EXPECT_THROW(qm::MakeTotalClaim(TotalClaimMode::PerFile, {{"big", path}, {"big", path}}, doc, today_), qm::Error);
  EXPECT_FALSE(doc.TotalClaimMode());
  EXPECT_EQ(doc.KoujiNameStr(), "編集中の工事");
}

TEST_F(TotalClaimTest, AReopenedPerLineBillShowsTheTotalItWasMadeWith) {
  const std::vector<TotalClaimSource> chosen = {Save("4月分", {{"基礎", 6000}, {"型枠", 4000}}, 10000, 500),
                                                Save("5月分", {{"塗装", 5000}}, 5000, 250)};
  for (const TotalClaimMode mode : {TotalClaimMode::PerLine, TotalClaimMode::PerFile}) {
    TMxEstimateObjectList doc = Edited();
    qm::MakeTotalClaim(mode, chosen, doc, today_);
    const std::string path = dir_.filePath("bill.QM1").toStdString();
    doc.SaveFile(path, "");
    TMxEstimateObjectList reopened = Edited();
    reopened.SetTaxInputModeIncludeTax(true);
    reopened.LoadFile(path);
    EXPECT_TRUE(reopened.TotalClaimMode());
    EXPECT_EQ(reopened.TotalPrice(), Yen(15750)) << static_cast<int>(mode);
    EXPECT_EQ(reopened.TotalTax(), Yen(750));
    EXPECT_FALSE(reopened.TaxInputModeIncludeTax());
  }
}

// A bill reopens as it was built: the tax-included mark (field 8) as stored, the total
// its subtotal and tax when no source was tax-included, else the sum of its lines. The
// one bill a file cannot give back: per line, from tax-exclusive and tax-included
// sources together, whose exclusive lines carry no tax.
TEST_F(TotalClaimTest, EveryBillReopensWithItsMarkAndTotal) {
  const TotalClaimSource ex1 = Save("ex1", {{"基礎", 6000}, {"型枠", 4000}}, 10000, 500);
  const TotalClaimSource ex2 = Save("ex2", {{"塗装", 5000}}, 5000, 250);
  const TotalClaimSource in1 = Save("in1", {{"塗装", 5250}}, 5250, 250, true);
  const TotalClaimSource in2 = Save("in2", {{"足場", 10500}}, 10500, 500, true);
  const struct {
    const char* what;
    TotalClaimMode mode;
    std::vector<TotalClaimSource> sources;
    bool included;
    long long built, reopened;
  } cases[] = {
      {"per file, exclusive", TotalClaimMode::PerFile, {ex1, ex2}, false, 15750, 15750},
      {"per line, exclusive", TotalClaimMode::PerLine, {ex1, ex2}, false, 15750, 15750},
      {"per file, included", TotalClaimMode::PerFile, {in1, in2}, true, 15750, 15750},
      {"per line, included", TotalClaimMode::PerLine, {in1, in2}, true, 15750, 15750},
      {"per file, mixed", TotalClaimMode::PerFile, {ex1, in1}, true, 15750, 15750},
      {"per line, mixed", TotalClaimMode::PerLine, {ex1, in1}, true, 15750, 15250},
  };
  for (const auto& c : cases) {
    TMxEstimateObjectList doc = Edited();
    qm::MakeTotalClaim(c.mode, c.sources, doc, today_);
    EXPECT_EQ(doc.TaxInputModeIncludeTax(), c.included) << c.what;
    EXPECT_EQ(doc.TotalPrice(), Yen(c.built)) << c.what;
    const std::string path = dir_.filePath("bill.QM1").toStdString();
    doc.SaveFile(path, "");
    for (const bool before : {false, true}) {  // whatever the document held before
      TMxEstimateObjectList reopened = Edited();
      reopened.SetTaxInputModeIncludeTax(before);
      reopened.LoadFile(path);
      EXPECT_TRUE(reopened.TotalClaimMode()) << c.what;
      EXPECT_EQ(reopened.TaxInputModeIncludeTax(), c.included) << c.what;
      EXPECT_EQ(reopened.TotalPrice(), Yen(c.reopened)) << c.what;
      EXPECT_EQ(reopened.SubTotalPrice(), doc.SubTotalPrice()) << c.what;
      EXPECT_EQ(reopened.TotalTax(), doc.TotalTax()) << c.what;
      // Saved again, the same bill.
      const std::string again = dir_.filePath("again.QM1").toStdString();
      reopened.SaveFile(again, "");
      TMxEstimateObjectList twice;
      twice.LoadFile(again);
      EXPECT_EQ(twice.TotalPrice(), reopened.TotalPrice()) << c.what;
      EXPECT_EQ(twice.TaxInputModeIncludeTax(), c.included) << c.what;
    }
  }
}

TEST_F(TotalClaimTest, NoDocumentChosenGivesAnEmptyBill) {
  TMxEstimateObjectList doc = Edited();
  qm::MakeTotalClaim(TotalClaimMode::PerFile, {}, doc, today_);
  EXPECT_TRUE(doc.TotalClaimMode());
  EXPECT_EQ(doc.Count(), 100);
  EXPECT_TRUE(doc.Items(0).Uninput());
  EXPECT_EQ(doc.TotalPrice(), Currency());
  EXPECT_EQ(doc.CustomerInfo().CustomerNameTitle(), "御中");
}
