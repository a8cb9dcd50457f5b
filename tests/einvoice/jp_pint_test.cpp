// JP PINT invoices of generated documents checked against the rules that hold without
// the official engine (tests/support/jp_pint_rules), and against the program's own
// figures per rate: every calculation setting, tax-included input, taxless lines,
// discounts, 1,000 lines, units in and outside the table, total invoices per file and
// per line, both kinds of seller endpoint, and every refusal.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <map>
#include <random>

#include "base/era_date.h"
#include "base/error.h"
#include "einvoice/jp_pint.h"
#include "model/calculation.h"
#include "model/company_info.h"
#include "model/config_info.h"
#include "model/estimate_list.h"
#include "model/total_claim.h"
#include "sample_document.h"
#include "support/jp_pint_rules.h"

namespace qm::einvoice {
namespace {

using qmtest::BrokenJpPintRules;
using qmtest::Hundredths;
using qmtest::ParseXml;
using qmtest::XmlNode;

struct Row {
  const char* name;
  long long num;     // hundredths; 0 for an amount typed as a lump sum
  long long price;   // hundredths
  const char* unit;
  bool taxless = false;
};

void Fill(TMxEstimateObjectList& doc, const std::vector<Row>& rows) {
  doc.Clear();
  for (const Row& r : rows) {
    auto line = std::make_unique<TMxEstimateObject>();
    line->SetName(r.name);
    line->SetItemUnit(r.unit);
    line->SetTaxless(r.taxless);
    if (r.num == 0) {
      line->SetTotalPrice(Currency::FromRaw(r.price * 100));
    } else {
      line->SetNum(Currency::FromRaw(r.num * 100));
      line->SetPrice(Currency::FromRaw(r.price * 100));
      line->DoCalc();
    }
    doc.Add(std::move(line));
  }
  doc.Add(std::make_unique<TMxEstimateObject>());  // an empty line is left out
  doc.DoCalc();
}

class JpPintTest : public ::testing::Test {
 protected:
  JpPintTest() : companies_(dir_.filePath("img").toStdString()) {
    TMxCampanyInfo& co = companies_.CampanyInfoArray(0);
    co.SetCampanyName1("ベロラ工務店");
    co.SetZipNo("150-0001");
    co.SetAddress1("東京都渋谷区神宮前1-2-3");
    co.SetRegistNo("T1234567890123");
    co.SetPeppolId("0188:1234567890123");
    co.PayBankAccount(0).SetBankName("ベロラ銀行 本店");
    co.PayBankAccount(0).SetBankNo("普通 1234567");
    doc_.CustomerInfo().SetCustomerName1("山田建設株式会社");
    doc_.CustomerInfo().SetAddress1("東京都千代田区1-1");
    doc_.SetSlipCodeStr("INV-1");
    doc_.SetSlipDateStrYY("令和08");
    doc_.SetSlipDateStrMM("12");
    doc_.SetSlipDateStrDD("10");
    doc_.SetTaxRate(Currency::FromYen(10));
  }

  Request Req(TChartType kind = TChartType::tcSeikyu) {
    Request r;
    r.kind = kind;
    r.doc = &doc_;
    r.seller = &companies_.CampanyInfoArray(0);
    r.buyerEndpoint = PeppolId{"0188", "3210987654321"};
    return r;
  }

  // The invoice, checked against every rule and by xmllint; its parsed tree.
  XmlNode Checked(const Request& r, const std::string& what) {
    const std::string xml = WriteJpPint(r);
    const QStringList broken = BrokenJpPintRules(xml);
    EXPECT_TRUE(broken.isEmpty()) << what << ": " << broken.join("; ").toStdString();
    const auto [exit, said] = qmtest::XmlLint(xml);
    EXPECT_EQ(exit, 0) << what << ": " << said.toStdString();
    return ParseXml(xml);
  }

  QTemporaryDir dir_;
  TMxCampanyInfoManager companies_;
  TMxEstimateObjectList doc_;
};

const XmlNode* Subtotal(const XmlNode& inv, const QString& category) {
  for (const XmlNode* s : inv.Find("cac:TaxTotal")->All("cac:TaxSubtotal"))
    if (s->Find("cac:TaxCategory/cbc:ID")->text == category) return s;
  return nullptr;
}

long long Yen100(Currency c) { return c.Raw() / 100; }

const std::vector<Row> kWork = {
    {"足場", 1200, 150000, "㎡"},        {"外壁塗装", 100, 34800000, "式"}, {"シーリング", 3350, 98000, "m"},
    {"諸経費", 0, 2500000, ""},          {"印紙代", 0, 40000, "", true},    {"値引き", 100, -800000, ""},
    {"端数", 700, 33300, "個"},
};

TEST_F(JpPintTest, EveryCalculationSettingKeepsTheRulesAndTheProgramsFigures) {
  for (const bool included : {false, true})
    for (const bool perLine : {false, true})
      for (const TCalcDecimal rule : {TCalcDecimal::cdRoundUP, TCalcDecimal::cdRoundDown, TCalcDecimal::cdRoundOff})
        for (const int rate : {10, 8}) {
          const std::string what = std::string(included ? "included" : "exclusive") + (perLine ? " per line " : " once ") +
                                   CalcDecimalName(rule) + " " + std::to_string(rate) + "%";
          SCOPED_TRACE(what);
          doc_.SetTaxInputModeIncludeTax(included);
          doc_.SetTaxCalcLine(perLine);
          doc_.SetTaxDecimalMode(rule);
          doc_.SetTaxRate(Currency::FromYen(rate));
          Fill(doc_, kWork);
          const XmlNode inv = Checked(Req(), what);
          const QString taxed = rate == 8 ? "AA" : "S";
          const XmlNode* s = Subtotal(inv, taxed);
          const XmlNode* o = Subtotal(inv, "O");
          ASSERT_TRUE(s && o);
          EXPECT_EQ(s->Find("cac:TaxCategory/cbc:Percent")->text, QString::number(rate));
          const TaxRateSummary figures = TaxByRate(doc_);
          EXPECT_EQ(Hundredths(o->Find("cbc:TaxableAmount")->text), Yen100(figures.taxless));
          const long long tax = Hundredths(s->Find("cbc:TaxAmount")->text);
          const long long taxable = Hundredths(s->Find("cbc:TaxableAmount")->text);
          const long long payable = Hundredths(inv.Find("cac:LegalMonetaryTotal/cbc:PayableAmount")->text);
          if (perLine) {
            // Rounded once on the rate's sum, not line by line.
            const Currency once = TaxOnce(figures.taxable, figures.rate, included, rule);
            EXPECT_EQ(tax, Yen100(once));
            continue;
          }
          if (!included) {
            EXPECT_EQ(tax, Yen100(figures.tax));
            EXPECT_EQ(taxable, Yen100(figures.taxable));
            EXPECT_EQ(payable, Yen100(doc_.TotalPrice()));
          } else {
            // The tax-included amounts become net ones; the total stays the document's to the yen.
            EXPECT_EQ(payable, Yen100(doc_.TotalPrice()));
            EXPECT_EQ(taxable + tax, Yen100(figures.taxable));
            EXPECT_LE(std::llabs(tax - Yen100(figures.tax)), 100) << "more than a yen from the document's tax";
          }
        }
}

TEST_F(JpPintTest, SeededDocumentsInEverySettingKeepTheRules) {
  std::mt19937 random(20261211);
  const char* units[] = {"式", "㎡", "m", "個", "本", "台", "箇所", "人工", "日", "kg", "t", "坪", "ｍ２", ""};
  for (int n = 0; n < 200; ++n) {
    std::vector<Row> rows;
    const int count = 1 + static_cast<int>(random() % 12);
    for (int i = 0; i < count; ++i) {
      Row r{"品目", static_cast<long long>(random() % 5) * 50, static_cast<long long>(random() % 2000000) - 100000,
            units[random() % std::size(units)], random() % 6 == 0};
      if (r.price == 0) r.price = 100;
      rows.push_back(r);
    }
    doc_.SetTaxInputModeIncludeTax(random() % 2 == 0);
    doc_.SetTaxCalcLine(random() % 2 == 0);
    doc_.SetTaxDecimalMode(static_cast<TCalcDecimal>(random() % 3));
    doc_.SetTaxRate(Currency::FromYen(random() % 3 == 0 ? 8 : 10));
    Fill(doc_, rows);
    const std::string xml = WriteJpPint(Req());
    const QStringList broken = BrokenJpPintRules(xml);
    ASSERT_TRUE(broken.isEmpty()) << "document " << n << ": " << broken.join("; ").toStdString() << "\n" << xml;
  }
}

TEST_F(JpPintTest, LinesHoldQuantityUnitNameAndANonNegativePrice) {
  Fill(doc_, kWork);
  const XmlNode inv = Checked(Req(), "work");
  const auto lines = inv.All("cac:InvoiceLine");
  ASSERT_EQ(lines.size(), 7u);  // the empty line is not one
  const auto unit = [](const XmlNode* l) { return l->Find("cbc:InvoicedQuantity")->attributes.at("unitCode"); };
  EXPECT_EQ(lines[0]->Find("cbc:InvoicedQuantity")->text, "12");
  EXPECT_EQ(unit(lines[0]), "MTK");
  EXPECT_EQ(lines[0]->Find("cac:Price/cbc:PriceAmount")->text, "1500");
  EXPECT_EQ(lines[0]->Find("cac:Item/cac:AdditionalItemProperty/cbc:Value")->text, "㎡");
  EXPECT_EQ(lines[0]->Find("cac:Item/cac:AdditionalItemProperty/cbc:Name")->text, "表示単位名称");
  EXPECT_EQ(unit(lines[1]), "LS");
  // 33.5 m at 980 yen: 32,830 yen, the price exact.
  EXPECT_EQ(lines[2]->Find("cbc:InvoicedQuantity")->text, "33.5");
  EXPECT_EQ(lines[2]->Find("cbc:LineExtensionAmount")->text, "32830");
  // A lump sum typed as an amount: one, without a unit, as LS.
  EXPECT_EQ(lines[3]->Find("cbc:InvoicedQuantity")->text, "1");
  EXPECT_EQ(unit(lines[3]), "LS");
  EXPECT_EQ(lines[3]->Find("cac:Item/cac:AdditionalItemProperty"), nullptr);
  EXPECT_EQ(lines[4]->Find("cac:Item/cac:ClassifiedTaxCategory/cbc:ID")->text, "O");
  EXPECT_EQ(lines[4]->Find("cac:Item/cac:ClassifiedTaxCategory/cbc:Percent"), nullptr);
  // The discount: a negative quantity at a positive price.
  EXPECT_EQ(lines[5]->Find("cbc:InvoicedQuantity")->text, "-1");
  EXPECT_EQ(lines[5]->Find("cbc:LineExtensionAmount")->text, "-8000");
  EXPECT_EQ(lines[5]->Find("cac:Price/cbc:PriceAmount")->text, "8000");
  // 7 × 333 = 2,331: exact; after tax-included conversion a price that two decimals
  // cannot state goes with its quantity as the base quantity.
  EXPECT_EQ(lines[6]->Find("cac:Price/cbc:PriceAmount")->text, "333");
  doc_.SetTaxInputModeIncludeTax(true);
  Fill(doc_, kWork);
  const XmlNode net = Checked(Req(), "included");
  const XmlNode* odd = net.All("cac:InvoiceLine")[6];
  EXPECT_EQ(odd->Find("cac:Price/cbc:BaseQuantity")->text, "7");
  EXPECT_EQ(odd->Find("cac:Price/cbc:PriceAmount")->text, odd->Find("cbc:LineExtensionAmount")->text);
  EXPECT_EQ(odd->Find("cac:Price/cbc:BaseQuantity")->attributes.at("unitCode"), "H87");
}

TEST_F(JpPintTest, TheHeaderThePartiesAndThePayment) {
  doc_.SetPayConditionStr("月末締め翌月末払い");
  doc_.CustomerInfo().SetZipNo("１００－０００１");
  Fill(doc_, kWork);
  const XmlNode inv = Checked(Req(), "header");
  EXPECT_EQ(inv.Find("cbc:ID")->text, "INV-1");
  EXPECT_EQ(inv.Find("cbc:IssueDate")->text, "2026-12-10");
  EXPECT_EQ(inv.Find("cac:InvoicePeriod/cbc:StartDate")->text, "2026-12-01");
  EXPECT_EQ(inv.Find("cac:InvoicePeriod/cbc:EndDate")->text, "2026-12-31");
  const XmlNode* seller = inv.Find("cac:AccountingSupplierParty/cac:Party");
  EXPECT_EQ(seller->Find("cbc:EndpointID")->text, "1234567890123");
  EXPECT_EQ(seller->Find("cbc:EndpointID")->attributes.at("schemeID"), "0188");
  EXPECT_EQ(seller->Find("cac:PartyTaxScheme/cbc:CompanyID")->text, "T1234567890123");
  EXPECT_EQ(seller->Find("cac:PartyLegalEntity/cbc:RegistrationName")->text, "ベロラ工務店");
  EXPECT_EQ(seller->Find("cac:PostalAddress/cbc:PostalZone")->text, "1500001");
  EXPECT_EQ(seller->Find("cac:PostalAddress/cbc:StreetName")->text, "東京都渋谷区神宮前1-2-3");
  const XmlNode* buyer = inv.Find("cac:AccountingCustomerParty/cac:Party");
  EXPECT_EQ(buyer->Find("cbc:EndpointID")->text, "3210987654321");
  EXPECT_EQ(buyer->Find("cac:PartyLegalEntity/cbc:RegistrationName")->text, "山田建設株式会社");
  EXPECT_EQ(buyer->Find("cac:PostalAddress/cbc:PostalZone")->text, "1000001");
  EXPECT_EQ(buyer->Find("cac:PartyTaxScheme"), nullptr);
  EXPECT_EQ(inv.Find("cac:PaymentMeans/cbc:PaymentMeansCode")->text, "30");
  EXPECT_EQ(inv.Find("cac:PaymentMeans/cac:PayeeFinancialAccount/cbc:ID")->text, "ベロラ銀行 本店 普通 1234567");
  EXPECT_EQ(inv.Find("cac:PaymentTerms/cbc:Note")->text, "月末締め翌月末払い");

  // Another period; no slip number: the document's name; the registration number as the
  // seller's endpoint; no bank account, no payment means.
  Request r = Req();
  r.period = ParsePeriod("2026-11-21:令和8年12月20日");
  ASSERT_TRUE(r.period);
  doc_.SetSlipCodeStr("");
  r.documentName = "山田様_12月";
  companies_.CampanyInfoArray(0).SetPeppolId("0221:T1234567890123");
  companies_.CampanyInfoArray(0).PayBankAccount(0).SetBankName("");
  companies_.CampanyInfoArray(0).PayBankAccount(0).SetBankNo("");
  const XmlNode other = Checked(r, "other");
  EXPECT_EQ(other.Find("cbc:ID")->text, "山田様_12月");
  EXPECT_EQ(other.Find("cac:InvoicePeriod/cbc:StartDate")->text, "2026-11-21");
  EXPECT_EQ(other.Find("cac:InvoicePeriod/cbc:EndDate")->text, "2026-12-20");
  EXPECT_EQ(other.Find("cac:AccountingSupplierParty/cac:Party/cbc:EndpointID")->attributes.at("schemeID"), "0221");
  EXPECT_EQ(other.Find("cac:AccountingSupplierParty/cac:Party/cbc:EndpointID")->text, "T1234567890123");
  EXPECT_EQ(other.Find("cac:PaymentMeans"), nullptr);
  EXPECT_FALSE(ParsePeriod("2026-12-31:2026-12-01"));
  EXPECT_FALSE(ParsePeriod("2026-12-01"));
}

TEST_F(JpPintTest, AThousandLines) {
  std::vector<Row> rows;
  for (int i = 0; i < 1000; ++i) rows.push_back({"工事", 100 + i % 7 * 25, 123400 + i * 100, i % 3 ? "m" : "式"});
  Fill(doc_, rows);
  const XmlNode inv = Checked(Req(), "1,000 lines");
  EXPECT_EQ(inv.All("cac:InvoiceLine").size(), 1000u);
  EXPECT_EQ(Hundredths(inv.Find("cac:LegalMonetaryTotal/cbc:PayableAmount")->text), Yen100(doc_.TotalPrice()));
}

// The benchmarks' sample estimate (Japanese items, subtotal lines, taxless lines) as an
// invoice, in each of its calculation settings.
TEST_F(JpPintTest, TheSampleDocumentKeepsEveryRule) {
  for (const bool perLine : {false, true})
    for (const bool included : {false, true}) {
      qmbench::SampleOptions o;
      o.lines = 300;
      o.pictures = 0;
      o.taxPerLine = perLine;
      o.includeTax = included;
      TMxEstimateObjectList sample = qmbench::MakeSampleDocument(o);
      sample.CustomerInfo().SetCustomerName1("山田建設株式会社");
      sample.SetSlipCodeStr("S-300");
      sample.SetSlipDateStrYY("令和08");
      sample.SetSlipDateStrMM("12");
      sample.SetSlipDateStrDD("10");
      Request r = Req();
      r.doc = &sample;
      const XmlNode inv = Checked(r, std::string("sample") + (perLine ? " per line" : "") + (included ? " included" : ""));
      EXPECT_GT(inv.All("cac:InvoiceLine").size(), 200u);
      ASSERT_NE(Subtotal(inv, "O"), nullptr);  // its taxless lines
      if (!perLine) {
        EXPECT_EQ(Hundredths(inv.Find("cac:LegalMonetaryTotal/cbc:PayableAmount")->text), Yen100(sample.TotalPrice()));
      }
    }
}

TEST_F(JpPintTest, UnitsFromTheTableAndPieceForTheRest) {
  const std::pair<const char*, const char*> units[] = {
      {"式", "LS"},  {"一式", "LS"},  {"㎡", "MTK"}, {"m2", "MTK"}, {"Ｍ２", "MTK"}, {"m", "MTR"}, {"㎥", "MTQ"},
      {"m3", "MTQ"}, {"個", "H87"},   {"本", "H87"}, {"枚", "H87"}, {"台", "H87"},  {"箇所", "H87"}, {"ヶ所", "H87"},
      {"組", "SET"}, {"セット", "SET"}, {"kg", "KGM"}, {"KG", "KGM"}, {"t", "TNE"}, {"日", "DAY"}, {"時間", "HUR"},
      {"人工", "DAY"}, {"回", "H87"}, {"缶", "H87"}, {"袋", "XPK"}, {"坪", "H87"}, {"ロット", "H87"}, {"", "H87"},
  };
  for (const auto& [unit, code] : units) EXPECT_EQ(UnitCodeOf(unit), code) << unit;
}

// Total invoices made from saved documents, per file and per line.
TEST_F(JpPintTest, TotalInvoicesPerFileAndPerLine) {
  std::map<std::string, TotalClaimSource> saved;
  for (const char* name : {"ex1", "ex2", "in1"}) {
    TMxEstimateObjectList d;
    d.CustomerInfo().SetCustomerName1("山田建設株式会社");
    d.SetTaxRate(Currency::FromYen(10));
    d.SetTaxInputModeIncludeTax(name[0] == 'i');
    std::vector<Row> rows = {{"足場", 100, 3333300, "式"}, {"運搬", 300, 123400, "回"}};
    if (std::string(name) != "ex2") rows.push_back({"印紙", 0, 20000, "", true});
    Fill(d, rows);
    const std::string path = dir_.filePath(QString(name) + ".QM1").toStdString();
    d.SaveFile(path, "");
    saved[name] = {name, path};
  }
  const struct {
    TotalClaimMode mode;
    std::vector<const char*> files;
  } bills[] = {
      {TotalClaimMode::PerFile, {"ex2"}},        {TotalClaimMode::PerFile, {"ex2", "ex2"}},
      {TotalClaimMode::PerLine, {"ex1", "ex2"}}, {TotalClaimMode::PerLine, {"in1"}},
      {TotalClaimMode::PerLine, {"ex1", "ex1", "ex1"}},
  };
  for (const auto& bill : bills) {
    std::vector<TotalClaimSource> sources;
    std::string what = bill.mode == TotalClaimMode::PerFile ? "per file" : "per line";
    for (const char* f : bill.files) {
      sources.push_back(saved[f]);
      what += std::string(" ") + f;
    }
    SCOPED_TRACE(what);
    MakeTotalClaim(bill.mode, sources, doc_, ToEraDate(QDate(2026, 12, 10)));
    doc_.SetSlipCodeStr("G-1");
    const XmlNode inv = Checked(Req(TChartType::tcGoukeiSeikyu), what);
    // What the customer pays is what the total invoice bills; the tax rounded once on the
    // rate's sum differs from the documents' own by a yen each at most.
    EXPECT_EQ(Hundredths(inv.Find("cac:LegalMonetaryTotal/cbc:PayableAmount")->text), Yen100(doc_.TotalPrice()));
    const long long tax = Hundredths(inv.Find("cac:TaxTotal/cbc:TaxAmount")->text);
    EXPECT_LE(std::llabs(tax - Yen100(doc_.TotalTax())), 100 * static_cast<long long>(bill.files.size()));
    // The lines of documents: the taxless stamp duty stays outside the scope.
    if (bill.mode == TotalClaimMode::PerLine) {
      ASSERT_NE(Subtotal(inv, "O"), nullptr);
      long long stamps = 0;
      for (const char* f : bill.files) stamps += std::string(f) == "ex2" ? 0 : 20000;
      EXPECT_EQ(Hundredths(Subtotal(inv, "O")->Find("cbc:TaxableAmount")->text), stamps);
    }
  }
  // Lines entered with and without tax together, and taxless amounts inside the one line
  // of a document, are refused.
  const auto refusal = [&](TotalClaimMode mode, std::vector<TotalClaimSource> sources) {
    MakeTotalClaim(mode, sources, doc_, ToEraDate(QDate(2026, 12, 10)));
    doc_.SetSlipCodeStr("G-2");
    try {
      WriteJpPint(Req(TChartType::tcGoukeiSeikyu));
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string("(written)");
  };
  EXPECT_EQ(refusal(TotalClaimMode::PerLine, {saved["ex1"], saved["in1"]}), msg::kMixedTotalClaim);
  EXPECT_EQ(refusal(TotalClaimMode::PerFile, {saved["ex1"]}), msg::kTotalClaimTaxless);
}

TEST_F(JpPintTest, EachRefusalSaysWhy) {
  Fill(doc_, kWork);
  const auto refused = [&](const Request& r) {
    try {
      WriteJpPint(r);
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string("(written)");
  };
  EXPECT_EQ(refused(Req(TChartType::tcMitumori)), msg::kWrongKind);
  EXPECT_EQ(refused(Req(TChartType::tcNouhin)), msg::kWrongKind);
  Request noBuyer = Req();
  noBuyer.buyerEndpoint.reset();
  EXPECT_EQ(refused(noBuyer), msg::NoBuyerEndpoint("山田建設株式会社"));
  TMxCampanyInfo& co = companies_.CampanyInfoArray(0);
  co.SetPeppolId("");
  EXPECT_EQ(refused(Req()), msg::kNoSellerEndpoint);
  co.SetPeppolId("0188:1234567890123");
  co.SetRegistNo("");
  EXPECT_EQ(refused(Req()), msg::kNoRegistNo);
  co.SetRegistNo("T1234567890123");
  doc_.SetSlipDateStrDD("32");
  EXPECT_EQ(refused(Req()), msg::BadSlipDate("令和08", "12", "32"));
  doc_.SetSlipDateStrDD("10");
  // An amount of a thousandth of a yen.
  doc_.Items(0).SetTotalPrice(Currency::FromRaw(10));
  doc_.Items(0).SetNum(Currency());
  doc_.DoCalc();
  EXPECT_EQ(refused(Req()).rfind("金額 0.001 は", 0), 0u) << refused(Req());
  Fill(doc_, {});
  EXPECT_EQ(refused(Req()), msg::kNoLine);
  Fill(doc_, kWork);
  EXPECT_EQ(refused(Req()), "(written)");
}

TEST_F(JpPintTest, PeppolIdsAsTyped) {
  EXPECT_EQ(NormalisePeppolId(" ０１８８：１２３４５６７８９０１２３ "), "0188:1234567890123");
  EXPECT_EQ(NormalisePeppolId("0221:T1234567890123"), "0221:T1234567890123");
  EXPECT_EQ(NormalisePeppolId("9999:abc-123"), "9999:abc-123");
  EXPECT_EQ(NormalisePeppolId(""), "");
  for (const char* bad : {"1234567890123", "0188:123456789012", "0188:12345678901234", "0221:1234567890123",
                          "188:1234567890123", "0188:", "0188:12345 67890123", "abcd:1"})
    EXPECT_THROW(NormalisePeppolId(bad), Error) << bad;
}

// The checker itself fails on a broken invoice: it is no check that cannot fail.
TEST_F(JpPintTest, TheRuleCheckerCatchesBrokenInvoices) {
  Fill(doc_, kWork);
  const std::string good = WriteJpPint(Req());
  ASSERT_TRUE(BrokenJpPintRules(good).isEmpty());
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string x = good;
    const std::size_t at = x.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) x.replace(at, from.size(), to);
    return BrokenJpPintRules(x).join("; ").toStdString();
  };
  EXPECT_NE(replaced("<cbc:CompanyID>T1234567890123", "<cbc:CompanyID>1234567890123").find("aligned-ibr-jp-01"),
            std::string::npos);
  EXPECT_NE(replaced("<cac:TaxTotal>\n\t\t<cbc:TaxAmount currencyID=\"JPY\">",
                     "<cac:TaxTotal>\n\t\t<cbc:TaxAmount currencyID=\"JPY\">9")
                .find("ibr-co-14"),
            std::string::npos);
  EXPECT_NE(replaced("unitCode=\"MTK\"", "unitCode=\"PCE\"").find("ibr-cl-23"), std::string::npos);
  EXPECT_NE(replaced("xsd:CommonBasicComponents-2", "xsd:CommonBasic-2").find("UBL component namespaces"),
            std::string::npos);
  EXPECT_NE(replaced("xsd:Invoice-2", "xsd:CreditNote-2").find("UBL invoice namespace"), std::string::npos);
  EXPECT_NE(replaced("<cbc:PostalZone>1500001</cbc:PostalZone>", "<cbc:PostalZone></cbc:PostalZone>").find("ibr-079"),
            std::string::npos);
  EXPECT_NE(replaced("<cbc:ProfileID>urn:peppol:bis:billing</cbc:ProfileID>\n\t<cbc:ID>INV-1</cbc:ID>",
                     "<cbc:ID>INV-1</cbc:ID>\n\t<cbc:ProfileID>urn:peppol:bis:billing</cbc:ProfileID>")
                .find("element order"),
            std::string::npos);
  EXPECT_NE(replaced("<cbc:PayableAmount currencyID=\"JPY\">", "<cbc:PayableAmount currencyID=\"JPY\">1").find("ibr-co-16"),
            std::string::npos);
}

}  // namespace
}  // namespace qm::einvoice
