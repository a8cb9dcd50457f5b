#include "einvoice/jp_pint.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "base/era_date.h"
#include "base/error.h"
#include "base/half_width.h"
#include "model/calculation.h"
#include "print/chart_texts.h"
#include "print/slip_pages.h"

namespace qm::einvoice {

std::string msg::NoBuyerEndpoint(const std::string& customer) {
  return "得意先「" + customer + "」の Peppol ID がありません。得意先の登録で入力してください。";
}
std::string msg::BadSlipDate(const std::string& yy, const std::string& mm, const std::string& dd) {
  return "伝票の日付「" + yy + "年" + mm + "月" + dd + "日」が日付として読めません。";
}
std::string msg::TooPrecise(const std::string& amount) {
  return "金額 " + amount + " はデジタルインボイスの小数第2位までで表せません。";
}

namespace {

constexpr std::int64_t kScale = Currency::kScale;
// The namespaces of UBL 2.1 documents share this prefix (OASIS names), written once.
constexpr const char* kUblNamespace = "urn:oasis:names:" "spec" "ification:ubl:schema:xsd:";

// Amount × 10000 does not fit 64 bits for the largest amounts.
__extension__ typedef __int128 Wide;

// Tax categories of the rules: the document's rate, the reduced rate, outside the scope.
enum class Category { Standard, Reduced, Outside };

const char* CategoryCode(Category c) {
  switch (c) {
    case Category::Standard: return "S";
    case Category::Reduced: return "AA";
    case Category::Outside: return "O";
  }
  return "S";
}

struct Line {
  std::string name, unit, unitCode;
  Currency quantity;  // signed: a discount is a negative quantity at a price that is not
  Currency gross;     // the amount as the document holds it
  Currency net;       // the amount without tax
  Category category = Category::Standard;
};

struct Subtotal {
  Currency taxable, tax;
};

// An amount as the file writes it: whole yen or two decimals at most.
std::string Amount(Currency v) {
  if (v.Raw() % 100 != 0) throw Error(msg::TooPrecise(v.ToDecimalText()));
  return v.ToDecimalText();
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        // Control characters other than tab, line feed and carriage return have no place in XML.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') out += ' ';
        else out += c;
    }
  }
  return out;
}

std::string Trimmed(const std::string& s) { return QString::fromStdString(s).trimmed().toStdString(); }

std::string DigitsOf(const std::string& s) {
  std::string out;
  for (const QChar ch : HalfWidthAscii(QString::fromStdString(s)))
    if (ch >= u'0' && ch <= u'9') out += static_cast<char>(ch.unicode());
  return out;
}

// Elements written in order, indented by tabs; an element with no text is left out.
class Xml {
 public:
  void Open(const std::string& name) {
    Indent();
    out_ += "<" + name + ">\n";
    ++depth_;
  }
  void Close(const std::string& name) {
    --depth_;
    Indent();
    out_ += "</" + name + ">\n";
  }
  void Leaf(const std::string& name, const std::string& text, const std::string& attributes = "") {
    const std::string t = Trimmed(text);
    if (t.empty()) return;
    Indent();
    out_ += "<" + name + attributes + ">" + Escaped(t) + "</" + name + ">\n";
  }
  void Money(const std::string& name, Currency v) { Leaf(name, Amount(v), " currencyID=\"JPY\""); }
  std::string& Text() { return out_; }

 private:
  void Indent() { out_.append(static_cast<std::size_t>(depth_), '\t'); }
  std::string out_;
  int depth_ = 0;
};

// Half-up to hundredths of a yen, the sign kept.
Currency ToHundredths(long double scaled) {
  const long double h = std::round(scaled / 100.0L);
  return Currency::FromRaw(static_cast<std::int64_t>(h) * 100);
}

// Whether `tax` lies within floor(net × rate) … ceiling(net × rate), as the rules ask.
bool Fits(Currency net, Currency tax, Currency rate) {
  const long double exact =
      static_cast<long double>(net.Raw()) * static_cast<long double>(rate.Raw()) / (100.0L * kScale * kScale);
  const long double yen = static_cast<long double>(tax.Raw()) / kScale;
  return std::floor(exact) <= yen && yen <= std::ceil(exact);
}

// A tax that fits and keeps net + tax = gross: the once-rounded figure when it fits, else
// the nearest whole yen that does (rounding up a tax-included amount can leave the tax a
// yen above its net amount's).
Currency FittingTax(Currency gross, Currency tax, Currency rate) {
  if (Fits(gross - tax, tax, rate)) return tax;
  for (std::int64_t step = 1; step <= 3; ++step)
    for (const std::int64_t sign : {-1, 1}) {
      const Currency t = tax + Currency::FromYen(sign * step);
      if (Fits(gross - t, t, rate)) return t;
    }
  return tax;
}

void WriteParty(Xml& x, const PeppolId& endpoint, const std::string& zip, const std::string& address1,
                const std::string& address2, const std::string* registNo, const std::string& name) {
  x.Open("cac:Party");
  x.Leaf("cbc:EndpointID", endpoint.id, " schemeID=\"" + Escaped(endpoint.scheme) + "\"");
  x.Open("cac:PostalAddress");
  x.Leaf("cbc:StreetName", address1);
  x.Leaf("cbc:AdditionalStreetName", address2);
  x.Leaf("cbc:PostalZone", DigitsOf(zip));
  x.Open("cac:Country");
  x.Leaf("cbc:IdentificationCode", "JP");
  x.Close("cac:Country");
  x.Close("cac:PostalAddress");
  if (registNo) {
    x.Open("cac:PartyTaxScheme");
    x.Leaf("cbc:CompanyID", *registNo);
    x.Open("cac:TaxScheme");
    x.Leaf("cbc:ID", "VAT");
    x.Close("cac:TaxScheme");
    x.Close("cac:PartyTaxScheme");
  }
  x.Open("cac:PartyLegalEntity");
  x.Leaf("cbc:RegistrationName", name);
  x.Close("cac:PartyLegalEntity");
  x.Close("cac:Party");
}

void WriteCategory(Xml& x, const char* element, Category c, Currency rate) {
  x.Open(element);
  x.Leaf("cbc:ID", CategoryCode(c));
  if (c != Category::Outside) x.Leaf("cbc:Percent", rate.ToDecimalText());
  x.Open("cac:TaxScheme");
  x.Leaf("cbc:ID", "VAT");
  x.Close("cac:TaxScheme");
  x.Close(element);
}

}  // namespace

bool MakesEInvoice(TChartType kind) {
  return kind == TChartType::tcSeikyu || kind == TChartType::tcSeikyuMeisai || kind == TChartType::tcGoukeiSeikyu;
}

std::optional<Period> ParsePeriod(const std::string& text) {
  const std::string t = Trimmed(text);
  // The two dates are split at the colon that is not inside a date (dates hold none).
  const std::size_t colon = t.find(':');
  if (colon == std::string::npos) return std::nullopt;
  const QDate start = ParseDateText(t.substr(0, colon)), end = ParseDateText(t.substr(colon + 1));
  if (!start.isValid() || !end.isValid() || end < start) return std::nullopt;
  return Period{start, end};
}

Period MonthOf(const QDate& date) {
  const QDate first(date.year(), date.month(), 1);
  return {first, first.addMonths(1).addDays(-1)};
}

Request RequestOf(const PrintJob& job) {
  if (!MakesEInvoice(job.Kind())) throw Error(msg::kWrongKind);
  Request r;
  r.kind = job.Kind();
  if (const ChartPageSources* chart = job.ChartSources()) {
    r.doc = chart->doc;
    r.seller = &SelectedCompany(*chart);
  } else if (const auto* total = std::get_if<TotalClaimSources>(&job.Sources())) {
    r.doc = total->src.doc;
    r.seller = &SelectedCompany(total->src);
  } else {
    throw Error(msg::kWrongKind);
  }
  if (r.doc && !r.doc->FileName().empty())
    r.documentName = QFileInfo(QString::fromStdString(r.doc->FileName())).completeBaseName().toStdString();
  return r;
}

std::string UnitCodeOf(const std::string& unit) {
  static const std::map<std::string, std::string> table = {
      {"式", "LS"},    {"一式", "LS"},   {"㎡", "MTK"},   {"m2", "MTK"},   {"m²", "MTK"},    {"平米", "MTK"},
      {"平方メートル", "MTK"},           {"m", "MTR"},    {"メートル", "MTR"}, {"km", "KMT"}, {"㎥", "MTQ"},
      {"m3", "MTQ"},   {"m³", "MTQ"},    {"立米", "MTQ"}, {"個", "H87"},   {"本", "H87"},    {"枚", "H87"},
      {"台", "H87"},   {"箇所", "H87"},  {"ヶ所", "H87"}, {"ケ所", "H87"}, {"カ所", "H87"},  {"か所", "H87"},
      {"ヵ所", "H87"}, {"点", "H87"},    {"回", "H87"},   {"缶", "H87"},   {"基", "H87"},    {"組", "SET"},
      {"セット", "SET"}, {"set", "SET"}, {"足", "PR"},    {"kg", "KGM"},   {"キロ", "KGM"},  {"t", "TNE"},
      {"トン", "TNE"}, {"L", "LTR"},     {"l", "LTR"},    {"リットル", "LTR"}, {"日", "DAY"}, {"人工", "DAY"},
      {"人日", "DAY"}, {"時間", "HUR"},  {"h", "HUR"},    {"ヶ月", "MON"}, {"か月", "MON"},  {"カ月", "MON"},
      {"月", "MON"},   {"袋", "XPK"},    {"箱", "XBX"},   {"ケース", "XBX"},
  };
  // Full-width letters and digits as their half-width forms, blanks dropped.
  QString plain = HalfWidthAscii(QString::fromStdString(unit));
  plain.remove(QRegularExpression(QStringLiteral("\\s")));
  auto it = table.find(plain.toStdString());
  if (it == table.end()) it = table.find(plain.toLower().toStdString());  // "M2", "KG"
  return it == table.end() ? "H87" : it->second;
}

std::string WriteJpPint(const Request& req) {
  if (!MakesEInvoice(req.kind)) throw Error(msg::kWrongKind);
  const TMxEstimateObjectList& doc = *req.doc;
  const TMxCampanyInfo& seller = *req.seller;
  if (Trimmed(seller.RegistNo()).empty()) throw Error(msg::kNoRegistNo);
  const std::string registNo = NormaliseRegistNo(seller.RegistNo());
  const std::optional<PeppolId> sellerEndpoint = ParsePeppolId(seller.PeppolId());
  if (!sellerEndpoint) throw Error(msg::kNoSellerEndpoint);
  const TMxCustomerObject& customer = doc.CustomerInfo();
  if (Trimmed(customer.CustomerName1()).empty()) throw Error(msg::kNoCustomer);
  if (!req.buyerEndpoint) throw Error(msg::NoBuyerEndpoint(customer.CustomerName1()));
  const QDate issued = FromSlipDate(doc.SlipDateStrYY(), doc.SlipDateStrMM(), doc.SlipDateStrDD());
  if (!issued.isValid()) throw Error(msg::BadSlipDate(doc.SlipDateStrYY(), doc.SlipDateStrMM(), doc.SlipDateStrDD()));
  std::string id = Trimmed(doc.SlipCodeStr());
  if (id.empty()) id = Trimmed(req.documentName);
  if (id.empty()) throw Error(msg::kNoId);
  const Period period = req.period.value_or(MonthOf(issued));

  // The lines with an amount; a total invoice whose lines add up to its grand total holds
  // them with their tax, as a document entered with tax does.
  const Currency rate = doc.TaxRate();
  const Category taxed = rate.IsZero() ? Category::Outside
                         : rate == Currency::FromYen(8) ? Category::Reduced
                                                        : Category::Standard;
  std::vector<Line> lines;
  Currency lineSum;
  for (int i = 0; i < doc.Count(); ++i) {
    const TMxEstimateObject& l = doc.Items(i);
    if (l.SubTotalLineFlg() || l.TotalPrice().IsZero()) continue;
    Line line;
    line.name = Trimmed(l.Name());
    if (line.name.empty()) line.name = Trimmed(l.FreeEdit());
    if (line.name.empty()) line.name = "明細" + std::to_string(lines.size() + 1);
    line.unit = Trimmed(l.ItemUnit());
    const bool lumpSum = l.Num().IsZero();
    line.unitCode = lumpSum && line.unit.empty() ? "LS" : UnitCodeOf(line.unit);
    const Currency count = lumpSum ? Currency::FromYen(1) : l.Num();
    const bool negative = l.TotalPrice().Raw() < 0;
    line.quantity = Currency::FromRaw((negative ? -1 : 1) * std::llabs(count.Raw()));
    line.gross = l.TotalPrice();
    line.category = l.Taxless() ? Category::Outside : taxed;
    Amount(line.gross);  // a line's amount that two decimals cannot state is named as it is
    lineSum += line.gross;
    lines.push_back(line);
  }
  if (lines.empty()) throw Error(msg::kNoLine);
  bool included = doc.TaxInputModeIncludeTax();
  if (doc.TotalClaimMode()) {
    // A total invoice bills its lines with their tax (one line per document, or the lines
    // of documents entered with tax) or without it (the lines of documents entered
    // without); lines of both kinds together cannot be told apart.
    included = lineSum == doc.TotalPrice() && !doc.TotalTax().IsZero();
    if (!included && lineSum + doc.TotalTax() != doc.TotalPrice()) throw Error(msg::kMixedTotalClaim);
  }

  // Per category: the taxable amount and its tax, rounded once on the category's sum.
  std::map<Category, Subtotal> subtotals;
  for (Line& line : lines) {
    line.net = line.gross;
    subtotals[line.category].taxable += line.gross;
  }
  for (auto& [category, s] : subtotals) {
    if (category == Category::Outside) continue;
    const Currency gross = s.taxable;
    s.tax = TaxOnce(gross, rate, included, doc.TaxDecimalMode());
    if (doc.TotalClaimMode()) {
      // The documents' taxes as billed, when they fit the rate's sum. Each document's tax
      // lies within a yen of its exact tax, so the sum lies within as many yen as there
      // are lines of the sum; a larger gap means amounts that bear no tax inside the
      // lines (a document's taxless lines summed into its one line).
      const Currency own = doc.TotalTax();
      const Currency net = included ? gross - own : gross;
      int taxedLines = 0;
      for (const Line& line : lines) taxedLines += line.category == category ? 1 : 0;
      if (Fits(net, own, rate)) s.tax = own;
      else if (std::llabs((s.tax - own).Raw()) >= static_cast<std::int64_t>(taxedLines + 1) * kScale)
        throw Error(msg::kTotalClaimTaxless);
    }
    if (!included) continue;
    // Amounts with tax: the tax comes off the category's lines in proportion, to the
    // hundredth, and what remains of rounding goes to its largest line, so that the
    // net lines add up to exactly the taxable amount.
    s.tax = FittingTax(gross, s.tax, rate);
    s.taxable = gross - s.tax;
    Currency netSum;
    Line* largest = nullptr;
    for (Line& line : lines) {
      if (line.category != category) continue;
      const long double scaled = static_cast<long double>(line.gross.Raw()) * (100.0L * kScale) /
                                 (100.0L * kScale + static_cast<long double>(rate.Raw()));
      line.net = ToHundredths(scaled);
      netSum += line.net;
      if (!largest || std::llabs(line.gross.Raw()) > std::llabs(largest->gross.Raw())) largest = &line;
    }
    if (largest) largest->net += s.taxable - netSum;
  }
  Currency lineExtension, taxTotal;
  for (const Line& line : lines) lineExtension += line.net;
  for (const auto& [category, s] : subtotals) taxTotal += s.tax;
  const Currency inclusive = lineExtension + taxTotal;
  // A document rounds its subtotal to the yen (小計の端数処理); the lines keep their
  // hundredths, and the difference is the payable rounding. A total invoice bills the
  // sum of its documents' taxes, each rounded on its own; the invoice's tax is rounded
  // once, and the yen between them is the payable rounding, so the amount due stays the
  // one printed.
  const Currency rounding = doc.TotalClaimMode() ? doc.TotalPrice() - inclusive
                                                 : RoundToYen(lineSum, doc.SubTotalDecimalMode()) - lineSum;

  Xml x;
  x.Text() =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<Invoice xmlns=\"" + std::string(kUblNamespace) + "Invoice-2\"" + " xmlns:cac=\"" + kUblNamespace +
      "CommonAggregateComponents-2\"" + " xmlns:cbc=\"" + kUblNamespace + "CommonBasicComponents-2\">\n";
  x.Open("__body");  // indentation only; the tags of this pseudo element are cut below
  x.Leaf("cbc:CustomizationID", "urn:peppol:pint:billing-1@jp-1");
  x.Leaf("cbc:ProfileID", "urn:peppol:bis:billing");
  x.Leaf("cbc:ID", id);
  x.Leaf("cbc:IssueDate", issued.toString("yyyy-MM-dd").toStdString());
  x.Leaf("cbc:InvoiceTypeCode", "380");
  x.Leaf("cbc:DocumentCurrencyCode", "JPY");
  x.Open("cac:InvoicePeriod");
  x.Leaf("cbc:StartDate", period.start.toString("yyyy-MM-dd").toStdString());
  x.Leaf("cbc:EndDate", period.end.toString("yyyy-MM-dd").toStdString());
  x.Close("cac:InvoicePeriod");
  x.Open("cac:AccountingSupplierParty");
  WriteParty(x, *sellerEndpoint, seller.ZipNo(), seller.Address1(), seller.Address2(), &registNo,
             Trimmed(seller.CampanyName1()).empty() ? seller.CampanyName2() : seller.CampanyName1());
  x.Close("cac:AccountingSupplierParty");
  x.Open("cac:AccountingCustomerParty");
  WriteParty(x, *req.buyerEndpoint, customer.ZipNo(), customer.Address1(), customer.Address2(), nullptr,
             customer.CustomerName1());
  x.Close("cac:AccountingCustomerParty");
  const TMxPayBankAccount& bank = seller.PayBankAccount(0);
  const std::string account = Trimmed(Trimmed(bank.BankName()) + " " + Trimmed(bank.BankNo()));
  if (!account.empty()) {
    x.Open("cac:PaymentMeans");
    x.Leaf("cbc:PaymentMeansCode", "30");
    x.Open("cac:PayeeFinancialAccount");
    x.Leaf("cbc:ID", account);
    x.Leaf("cbc:Name", bank.BankOwnerName());
    x.Close("cac:PayeeFinancialAccount");
    x.Close("cac:PaymentMeans");
  }
  if (!Trimmed(doc.PayConditionStr()).empty()) {
    x.Open("cac:PaymentTerms");
    x.Leaf("cbc:Note", doc.PayConditionStr());
    x.Close("cac:PaymentTerms");
  }
  x.Open("cac:TaxTotal");
  x.Money("cbc:TaxAmount", taxTotal);
  for (const auto& [category, s] : subtotals) {
    x.Open("cac:TaxSubtotal");
    x.Money("cbc:TaxableAmount", s.taxable);
    x.Money("cbc:TaxAmount", s.tax);
    WriteCategory(x, "cac:TaxCategory", category, rate);
    x.Close("cac:TaxSubtotal");
  }
  x.Close("cac:TaxTotal");
  x.Open("cac:LegalMonetaryTotal");
  x.Money("cbc:LineExtensionAmount", lineExtension);
  x.Money("cbc:TaxExclusiveAmount", lineExtension);
  x.Money("cbc:TaxInclusiveAmount", inclusive);
  if (!rounding.IsZero()) x.Money("cbc:PayableRoundingAmount", rounding);
  x.Money("cbc:PayableAmount", inclusive + rounding);
  x.Close("cac:LegalMonetaryTotal");
  int number = 0;
  for (const Line& line : lines) {
    x.Open("cac:InvoiceLine");
    x.Leaf("cbc:ID", std::to_string(++number));
    x.Leaf("cbc:InvoicedQuantity", line.quantity.ToDecimalText(), " unitCode=\"" + line.unitCode + "\"");
    x.Money("cbc:LineExtensionAmount", line.net);
    x.Open("cac:Item");
    x.Leaf("cbc:Name", line.name);
    WriteCategory(x, "cac:ClassifiedTaxCategory", line.category, rate);
    if (!line.unit.empty()) {
      x.Open("cac:AdditionalItemProperty");
      x.Leaf("cbc:Name", "表示単位名称");
      x.Leaf("cbc:Value", line.unit);
      x.Close("cac:AdditionalItemProperty");
    }
    x.Close("cac:Item");
    // The price of one unit when two decimals state it exactly; else the line's amount for
    // its whole quantity as the base quantity. A price is never negative: a discount
    // is a negative quantity.
    const Currency amount = Currency::FromRaw(std::llabs(line.net.Raw()));
    const Currency count = Currency::FromRaw(std::llabs(line.quantity.Raw()));
    const Wide numerator = static_cast<Wide>(amount.Raw()) * kScale;
    const bool exact = numerator % count.Raw() == 0 && (numerator / count.Raw()) % 100 == 0;
    x.Open("cac:Price");
    if (exact) {
      x.Money("cbc:PriceAmount", Currency::FromRaw(static_cast<std::int64_t>(numerator / count.Raw())));
    } else {
      x.Money("cbc:PriceAmount", amount);
      x.Leaf("cbc:BaseQuantity", count.ToDecimalText(), " unitCode=\"" + line.unitCode + "\"");
    }
    x.Close("cac:Price");
    x.Close("cac:InvoiceLine");
  }
  x.Close("__body");
  std::string out = x.Text();
  // Cut the pseudo element's own lines, keeping its contents indented by one tab.
  const std::string open = "<__body>\n", close = "</__body>\n";
  out.erase(out.find(open), open.size());
  out.erase(out.rfind(close), close.size());
  return out + "</Invoice>\n";
}

}  // namespace qm::einvoice
