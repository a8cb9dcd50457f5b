#include "support/jp_pint_rules.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QXmlStreamReader>

#include <cmath>
#include <set>

namespace qmtest {
namespace {

// The order of the children the UBL schema allows, for the elements the export writes.
const std::map<QString, QStringList>& Orders() {
  static const std::map<QString, QStringList> orders = {
      {"Invoice",
       {"cbc:CustomizationID", "cbc:ProfileID", "cbc:ID", "cbc:IssueDate", "cbc:DueDate", "cbc:InvoiceTypeCode",
        "cbc:Note", "cbc:TaxPointDate", "cbc:DocumentCurrencyCode", "cbc:TaxCurrencyCode", "cbc:AccountingCost",
        "cbc:BuyerReference", "cac:InvoicePeriod", "cac:OrderReference", "cac:BillingReference",
        "cac:DespatchDocumentReference", "cac:ReceiptDocumentReference", "cac:OriginatorDocumentReference",
        "cac:ContractDocumentReference", "cac:AdditionalDocumentReference", "cac:ProjectReference",
        "cac:AccountingSupplierParty", "cac:AccountingCustomerParty", "cac:PayeeParty", "cac:TaxRepresentativeParty",
        "cac:Delivery", "cac:PaymentMeans", "cac:PaymentTerms", "cac:PrepaidPayment", "cac:AllowanceCharge",
        "cac:TaxTotal", "cac:LegalMonetaryTotal", "cac:InvoiceLine"}},
      {"cac:InvoicePeriod", {"cbc:StartDate", "cbc:EndDate"}},
      {"cac:AccountingSupplierParty", {"cac:Party"}},
      {"cac:AccountingCustomerParty", {"cac:Party"}},
      {"cac:Party",
       {"cbc:EndpointID", "cac:PartyIdentification", "cac:PartyName", "cac:PostalAddress", "cac:PartyTaxScheme",
        "cac:PartyLegalEntity", "cac:Contact"}},
      {"cac:PostalAddress",
       {"cbc:StreetName", "cbc:AdditionalStreetName", "cbc:CityName", "cbc:PostalZone", "cbc:CountrySubentity",
        "cac:AddressLine", "cac:Country"}},
      {"cac:Country", {"cbc:IdentificationCode"}},
      {"cac:PartyTaxScheme", {"cbc:CompanyID", "cac:TaxScheme"}},
      {"cac:TaxScheme", {"cbc:ID"}},
      {"cac:PartyLegalEntity", {"cbc:RegistrationName", "cbc:CompanyID"}},
      {"cac:PaymentMeans", {"cbc:ID", "cbc:PaymentMeansCode", "cbc:PaymentID", "cac:CardAccount",
                            "cac:PayeeFinancialAccount", "cac:PaymentMandate"}},
      {"cac:PayeeFinancialAccount", {"cbc:ID", "cbc:Name", "cac:FinancialInstitutionBranch"}},
      {"cac:PaymentTerms", {"cbc:Note"}},
      {"cac:TaxTotal", {"cbc:TaxAmount", "cac:TaxSubtotal"}},
      {"cac:TaxSubtotal", {"cbc:TaxableAmount", "cbc:TaxAmount", "cac:TaxCategory"}},
      {"cac:TaxCategory", {"cbc:ID", "cbc:Percent", "cbc:TaxExemptionReasonCode", "cbc:TaxExemptionReason",
                           "cac:TaxScheme"}},
      {"cac:ClassifiedTaxCategory", {"cbc:ID", "cbc:Percent", "cac:TaxScheme"}},
      {"cac:LegalMonetaryTotal",
       {"cbc:LineExtensionAmount", "cbc:TaxExclusiveAmount", "cbc:TaxInclusiveAmount", "cbc:AllowanceTotalAmount",
        "cbc:ChargeTotalAmount", "cbc:PrepaidAmount", "cbc:PayableRoundingAmount", "cbc:PayableAmount"}},
      {"cac:InvoiceLine",
       {"cbc:ID", "cbc:Note", "cbc:InvoicedQuantity", "cbc:LineExtensionAmount", "cbc:AccountingCost",
        "cac:InvoicePeriod", "cac:OrderLineReference", "cac:DocumentReference", "cac:AllowanceCharge", "cac:Item",
        "cac:Price"}},
      {"cac:Item",
       {"cbc:Description", "cbc:Name", "cac:BuyersItemIdentification", "cac:SellersItemIdentification",
        "cac:StandardItemIdentification", "cac:OriginCountry", "cac:CommodityClassification",
        "cac:ClassifiedTaxCategory", "cac:AdditionalItemProperty"}},
      {"cac:AdditionalItemProperty", {"cbc:Name", "cbc:Value"}},
      {"cac:Price", {"cbc:PriceAmount", "cbc:BaseQuantity", "cac:AllowanceCharge"}},
  };
  return orders;
}

// The unit codes the program's table gives (and H87 for the rest).
const std::set<QString>& UnitCodes() {
  static const std::set<QString> codes = {"H87", "LS",  "MTK", "MTR", "MTQ", "KMT", "SET", "PR",
                                          "KGM", "TNE", "LTR", "DAY", "HUR", "MON", "XPK", "XBX"};
  return codes;
}

void CheckTree(const XmlNode& node, const QString& path, QStringList& broken) {
  const QString here = path.isEmpty() ? node.name : path + "/" + node.name;
  if (node.children.empty() && node.text.trimmed().isEmpty()) broken << "ibr-079 empty element: " + here;
  const auto order = Orders().find(node.name);
  if (!node.children.empty()) {
    if (order == Orders().end()) {
      broken << "no order known for " + here;
    } else {
      int last = -1;
      for (const XmlNode& child : node.children) {
        const int at = static_cast<int>(order->second.indexOf(child.name));
        if (at < 0) broken << "element not allowed: " + here + "/" + child.name;
        else if (at < last) broken << "element order: " + here + "/" + child.name;
        else last = at;
      }
    }
  }
  for (const auto& [name, value] : node.attributes)
    if (name == "currencyID" && value != "JPY") broken << "ibr-126 currency " + value + " at " + here;
  for (const XmlNode& child : node.children) CheckTree(child, here, broken);
}

bool IsDate(const QString& text) {
  static const QRegularExpression date("^\\d{4}-\\d{2}-\\d{2}$");
  return date.match(text).hasMatch();
}

QString Text(const XmlNode& root, const QString& path) {
  const XmlNode* n = root.Find(path);
  return n ? n->text.trimmed() : QString();
}

}  // namespace

const XmlNode* XmlNode::Find(const QString& path) const {
  const XmlNode* n = this;
  for (const QString& step : path.split('/')) {
    const XmlNode* next = nullptr;
    for (const XmlNode& c : n->children)
      if (c.name == step) {
        next = &c;
        break;
      }
    if (!next) return nullptr;
    n = next;
  }
  return n;
}

std::vector<const XmlNode*> XmlNode::All(const QString& childName) const {
  std::vector<const XmlNode*> out;
  for (const XmlNode& c : children)
    if (c.name == childName) out.push_back(&c);
  return out;
}

XmlNode ParseXml(const std::string& bytes) {
  QXmlStreamReader reader(QByteArray::fromStdString(bytes));
  XmlNode root;
  std::vector<XmlNode*> stack;
  while (!reader.atEnd()) {
    reader.readNext();
    if (reader.isStartElement()) {
      XmlNode* parent = stack.empty() ? nullptr : stack.back();
      XmlNode* node = &root;
      if (parent) {
        parent->children.emplace_back();
        node = &parent->children.back();
      }
      node->name = reader.qualifiedName().toString();
      for (const QXmlStreamAttribute& a : reader.attributes())
        if (!a.qualifiedName().startsWith(u"xmlns")) node->attributes[a.qualifiedName().toString()] = a.value().toString();
      stack.push_back(node);
    } else if (reader.isCharacters() && !stack.empty()) {
      stack.back()->text += reader.text();
    } else if (reader.isEndElement()) {
      stack.pop_back();
    }
  }
  if (reader.hasError()) return XmlNode{"error", reader.errorString(), {}, {}};
  return root;
}

long long Hundredths(const QString& text) {
  static const QRegularExpression number("^-?\\d+(\\.\\d{1,2})?$");
  if (!number.match(text).hasMatch()) return LLONG_MIN;
  const qsizetype dot = text.indexOf('.');
  const bool negative = text.startsWith('-');
  const QString whole = (dot < 0 ? text : text.left(dot)).mid(negative ? 1 : 0);
  QString fraction = dot < 0 ? QString() : text.mid(dot + 1);
  while (fraction.size() < 2) fraction += '0';
  const long long v = whole.toLongLong() * 100 + fraction.toLongLong();
  return negative ? -v : v;
}

QStringList BrokenJpPintRules(const std::string& xml) {
  QStringList broken;
  const XmlNode inv = ParseXml(xml);
  if (inv.name != "Invoice") return {"not an invoice: " + inv.name + " " + inv.text};
  CheckTree(inv, QString(), broken);
  // The UBL 2.1 namespaces of the invoice and of its two prefixes.
  QXmlStreamReader root(QByteArray::fromStdString(xml));
  while (!root.isStartElement() && !root.atEnd()) root.readNext();
  if (!root.namespaceUri().toString().endsWith(u":ubl:schema:xsd:Invoice-2") ||
      !root.namespaceUri().startsWith(u"urn:oasis:names:"))
    broken << "UBL invoice namespace " + root.namespaceUri().toString();
  std::map<QString, QString> prefixes;
  for (const QXmlStreamNamespaceDeclaration& d : root.namespaceDeclarations())
    prefixes[d.prefix().toString()] = d.namespaceUri().toString();
  if (!prefixes["cac"].endsWith(u":ubl:schema:xsd:CommonAggregateComponents-2") ||
      !prefixes["cbc"].endsWith(u":ubl:schema:xsd:CommonBasicComponents-2") || prefixes["cac"].left(30) != root.namespaceUri().left(30))
    broken << "UBL component namespaces";

  if (Text(inv, "cbc:CustomizationID") != "urn:peppol:pint:billing-1@jp-1") broken << "ibr-001 CustomizationID";
  if (Text(inv, "cbc:ProfileID") != "urn:peppol:bis:billing") broken << "ibr-076 ProfileID";
  if (Text(inv, "cbc:ID").isEmpty()) broken << "ibr-002 ID";
  if (!IsDate(Text(inv, "cbc:IssueDate"))) broken << "ibr-003 IssueDate";
  if (Text(inv, "cbc:InvoiceTypeCode") != "380") broken << "aligned-ibrp-cl-02-jp type code";
  if (Text(inv, "cbc:DocumentCurrencyCode") != "JPY") broken << "ibr-005 currency";
  const auto periods = inv.All("cac:InvoicePeriod");
  if (periods.size() != 1) broken << "aligned-ibrp-052 / ibr-097 one invoice period";
  else {
    const QString start = Text(*periods[0], "cbc:StartDate"), end = Text(*periods[0], "cbc:EndDate");
    if ((start.isEmpty() && end.isEmpty()) || (!start.isEmpty() && !IsDate(start)) || (!end.isEmpty() && !IsDate(end)))
      broken << "ibr-co-19 period dates";
    else if (!start.isEmpty() && !end.isEmpty() && end < start) broken << "ibr-029 period end before start";
  }

  for (const char* side : {"cac:AccountingSupplierParty", "cac:AccountingCustomerParty"}) {
    const XmlNode* party = inv.Find(QString(side) + "/cac:Party");
    if (!party) {
      broken << QString("missing ") + side;
      continue;
    }
    const XmlNode* endpoint = party->Find("cbc:EndpointID");
    if (!endpoint || endpoint->text.trimmed().isEmpty()) broken << QString("ibr-080/081 endpoint of ") + side;
    else if (!QRegularExpression("^\\d{4}$").match(endpoint->attributes.count("schemeID") ? endpoint->attributes.at("schemeID") : "").hasMatch())
      broken << QString("ibr-062/063 endpoint scheme of ") + side;
    if (Text(*party, "cac:PostalAddress/cac:Country/cbc:IdentificationCode") != "JP")
      broken << QString("ibr-009/011 country of ") + side;
    if (Text(*party, "cac:PartyLegalEntity/cbc:RegistrationName").isEmpty()) broken << QString("ibr-006/007 name of ") + side;
    const QString zip = Text(*party, "cac:PostalAddress/cbc:PostalZone");
    if (!zip.isEmpty() && !QRegularExpression("^\\d+$").match(zip).hasMatch()) broken << "postal zone digits only";
  }
  const XmlNode* seller = inv.Find("cac:AccountingSupplierParty/cac:Party");
  if (seller) {
    const auto schemes = seller->All("cac:PartyTaxScheme");
    if (schemes.size() != 1) broken << "aligned-ibr-jp-04 / aligned-ibrp-009 one seller tax scheme";
    else {
      if (!QRegularExpression("^T[0-9]{13}$").match(Text(*schemes[0], "cbc:CompanyID")).hasMatch())
        broken << "aligned-ibr-jp-01 registration number " + Text(*schemes[0], "cbc:CompanyID");
      if (Text(*schemes[0], "cac:TaxScheme/cbc:ID") != "VAT") broken << "seller tax scheme VAT";
    }
  }
  if (const XmlNode* means = inv.Find("cac:PaymentMeans")) {
    const QString code = Text(*means, "cbc:PaymentMeansCode");
    if ((code == "30" || code == "58") && Text(*means, "cac:PayeeFinancialAccount/cbc:ID").isEmpty())
      broken << "aligned-ibrp-016 account";
  }
  if (inv.All("cac:PaymentTerms").size() > 1) broken << "ibr-sr-05 one payment terms";

  // Tax: one total, whole yen, the sum of the subtotals, each within floor … ceiling.
  const auto taxTotals = inv.All("cac:TaxTotal");
  long long taxSum = 0;
  std::map<QString, long long> taxableByCategory;
  if (taxTotals.size() != 1) broken << "aligned-ibrp-053-jp one tax total";
  else {
    const XmlNode& total = *taxTotals[0];
    if (total.All("cbc:TaxAmount").size() != 1) broken << "aligned-ibrp-053-jp one tax amount";
    const QString taxText = Text(total, "cbc:TaxAmount");
    if (taxText.contains('.')) broken << "aligned-ibr-jp-06 tax total in whole yen";
    std::set<QString> categories;
    for (const XmlNode* sub : total.All("cac:TaxSubtotal")) {
      const QString id = Text(*sub, "cac:TaxCategory/cbc:ID");
      if (!std::set<QString>{"S", "AA", "E", "G", "O"}.count(id)) broken << "aligned-ibrp-cl-01-jp category " + id;
      if (!categories.insert(id).second) broken << "one subtotal per category " + id;
      if (Text(*sub, "cac:TaxCategory/cac:TaxScheme/cbc:ID") != "VAT") broken << "aligned-ibr-jp-03 VAT";
      const QString amountText = Text(*sub, "cbc:TaxAmount");
      if (amountText.contains('.')) broken << "aligned-ibr-jp-06 whole yen " + id;
      const long long taxable = Hundredths(Text(*sub, "cbc:TaxableAmount")), tax = Hundredths(amountText);
      taxableByCategory[id] = taxable;
      taxSum += tax;
      const XmlNode* percent = sub->Find("cac:TaxCategory/cbc:Percent");
      if (id == "O") {
        if (percent) broken << "O has no percent";
        if (tax != 0) broken << "aligned-ibrp-o-09 O tax is 0";
        continue;
      }
      if (!percent) {
        broken << "percent of " + id;
        continue;
      }
      const double rate = percent->text.toDouble();
      const long double exact = static_cast<long double>(taxable) * rate / 100.0L / 100.0L;  // yen
      const long double yen = static_cast<long double>(tax) / 100.0L;
      if (yen < std::floor(exact) || yen > std::ceil(exact))
        broken << QString("aligned-ibrp-051-jp %1: %2 outside floor/ceiling of %3")
                      .arg(id)
                      .arg(static_cast<double>(yen))
                      .arg(static_cast<double>(exact));
    }
    if (Hundredths(taxText) != taxSum) broken << "ibr-co-14 tax total is the sum of the subtotals";
  }

  // Lines: quantity, amount, name, category, price not negative, units from the table.
  long long lineSum = 0;
  std::map<QString, long long> lineByCategory;
  const auto lines = inv.All("cac:InvoiceLine");
  if (lines.empty()) broken << "ibr-016 at least one line";
  std::set<QString> ids;
  for (const XmlNode* line : lines) {
    const QString id = Text(*line, "cbc:ID");
    if (!ids.insert(id).second) broken << "line id twice " + id;
    const XmlNode* q = line->Find("cbc:InvoicedQuantity");
    const QString unit = q && q->attributes.count("unitCode") ? q->attributes.at("unitCode") : QString();
    if (!UnitCodes().count(unit)) broken << "ibr-cl-23 unit code " + unit + " on line " + id;
    const long long amount = Hundredths(Text(*line, "cbc:LineExtensionAmount"));
    if (amount == LLONG_MIN) broken << "ibr-024 line amount " + id;
    lineSum += amount;
    const QString category = Text(*line, "cac:Item/cac:ClassifiedTaxCategory/cbc:ID");
    lineByCategory[category] += amount;
    if (Text(*line, "cac:Item/cbc:Name").isEmpty()) broken << "ibr-025 item name " + id;
    const QString price = Text(*line, "cac:Price/cbc:PriceAmount");
    if (price.isEmpty() || price.startsWith('-')) broken << "ibr-026/027 price of line " + id;
    if (const XmlNode* base = line->Find("cac:Price/cbc:BaseQuantity")) {
      if (base->text.toDouble() <= 0) broken << "ibr-087 base quantity " + id;
      if (!base->attributes.count("unitCode") || base->attributes.at("unitCode") != unit)
        broken << "ibr-088 base quantity unit " + id;
    }
    // The price times the quantity is the line's amount (to the hundredth).
    const double qty = q ? q->text.toDouble() : 0;
    const double base = line->Find("cac:Price/cbc:BaseQuantity") ? Text(*line, "cac:Price/cbc:BaseQuantity").toDouble() : 1;
    const double computed = price.toDouble() * qty / base;
    if (std::fabs(computed * 100 - static_cast<double>(amount)) > 0.5) broken << "price × quantity on line " + id;
    for (const XmlNode* property : line->Find("cac:Item") ? line->Find("cac:Item")->All("cac:AdditionalItemProperty")
                                                          : std::vector<const XmlNode*>{})
      if (Text(*property, "cbc:Name").isEmpty() || Text(*property, "cbc:Value").isEmpty()) broken << "ibr-054 property";
  }
  for (const auto& [category, sum] : lineByCategory)
    if (!taxableByCategory.count(category)) broken << "no subtotal for the lines of " + category;
    else if (taxableByCategory.at(category) != sum) broken << "taxable amount of " + category + " is its lines' sum";

  // The totals by the rules' arithmetic.
  const XmlNode* m = inv.Find("cac:LegalMonetaryTotal");
  if (!m) return broken << "ibr-012 … no monetary total";
  const auto amount = [&](const char* name) {
    const QString t = Text(*m, name);
    return t.isEmpty() ? 0LL : Hundredths(t);
  };
  for (const char* required : {"cbc:LineExtensionAmount", "cbc:TaxExclusiveAmount", "cbc:TaxInclusiveAmount",
                               "cbc:PayableAmount"})
    if (Text(*m, required).isEmpty()) broken << QString("missing ") + required;
  if (amount("cbc:LineExtensionAmount") != lineSum) broken << "ibr-co-10 line extension is the lines' sum";
  if (amount("cbc:TaxExclusiveAmount") !=
      amount("cbc:LineExtensionAmount") - amount("cbc:AllowanceTotalAmount") + amount("cbc:ChargeTotalAmount"))
    broken << "ibr-co-13 tax exclusive amount";
  if (amount("cbc:TaxInclusiveAmount") != amount("cbc:TaxExclusiveAmount") + taxSum) broken << "ibr-co-15 inclusive";
  if (amount("cbc:PayableAmount") !=
      amount("cbc:TaxInclusiveAmount") - amount("cbc:PrepaidAmount") + amount("cbc:PayableRoundingAmount"))
    broken << "ibr-co-16 payable";
  return broken;
}

std::pair<int, QString> XmlLint(const std::string& xml) {
  QTemporaryFile file;
  if (!file.open()) return {-1, "cannot write a temporary file"};
  file.write(QByteArray::fromStdString(xml));
  file.flush();
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start("xmllint", {"--noout", file.fileName()});
  if (!p.waitForFinished(30000)) return {-1, "xmllint did not finish"};
  return {p.exitCode(), QString::fromUtf8(p.readAll())};
}

}  // namespace qmtest
