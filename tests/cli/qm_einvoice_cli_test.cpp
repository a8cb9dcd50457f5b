// qm einvoice: the JP PINT invoice of a saved invoice with the print settings of
// print.ini and --set, the customer's Peppol ID from PeppolID.dat or --buyer-endpoint,
// another invoice period; every refusal is one line on stderr and writes nothing.
#include <QFile>

#include "base/cp932.h"
#include "cli_test_support.h"
#include "support/jp_pint_rules.h"

namespace qmtest {
namespace {

class QmEInvoiceTest : public CliTest {
 protected:
  void SetUp() override {
    // Profile 1 with its number and Peppol ID; profile 2 without either.
    const std::string conf =
        "[CAMPANY_INFO0]\r\nCampanyName1=ベロラ工務店\r\nZipNo=150-0001\r\nAddress1=東京都渋谷区神宮前1-2-3\r\n"
        "RegistNo=T1234567890123\r\nPeppolID=0188:1234567890123\r\nBankName1=ベロラ銀行 本店\r\nBankNo1=普通 1234567\r\n"
        "[CAMPANY_INFO1]\r\nCampanyName1=別会社\r\n";
    Write("conf.ini", QByteArray::fromStdString(qm::cp932::EncodeOrThrow(conf)));
    Write("doc.json", R"({"CustomerInfo": {"CustomerName1": "山田建設株式会社", "CustomerCode": "Y01"},
      "SlipCodeStr": "INV-42", "SlipDateStrYY": "令和08", "SlipDateStrMM": "12", "SlipDateStrDD": "10", "TaxRate": 10,
      "Lines": [{"Name": "足場", "Num": 12, "ItemUnit": "㎡", "Price": 1500},
                {"Name": "外壁塗装", "Num": 1, "ItemUnit": "式", "Price": 348000},
                {"Name": "印紙代", "TotalPrice": 400, "Taxless": true},
                {"Name": "値引き", "Num": 1, "Price": -8000}]})");
    ASSERT_EQ(Run({"build", "doc.json", "doc.QM1", "--calc"}).exit, 0);
  }

  void StoreBuyer(const std::string& line) {
    Write("PeppolID.dat", QByteArray::fromStdString(qm::cp932::EncodeOrThrow(line + "\r\n")));
  }
};

TEST_F(QmEInvoiceTest, TheInvoiceKeepsTheRulesWithTheStoredOrTheGivenBuyer) {
  StoreBuyer("Y01,0188:3210987654321");
  const CliResult r = Run({"einvoice", "tcSeikyu", "doc.QM1", "out.xml"});
  ASSERT_EQ(r.exit, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.isEmpty());
  const std::string xml = Read("out.xml").toStdString();
  EXPECT_TRUE(BrokenJpPintRules(xml).isEmpty()) << BrokenJpPintRules(xml).join("; ").toStdString();
  EXPECT_EQ(XmlLint(xml).first, 0) << XmlLint(xml).second.toStdString();
  const XmlNode inv = ParseXml(xml);
  EXPECT_EQ(inv.Find("cac:AccountingCustomerParty/cac:Party/cbc:EndpointID")->text, "3210987654321");
  // The totals as qm calc has them: 358,000 + 400 and 35,800 tax.
  const CliResult calc = Run({"calc", "doc.QM1"});
  EXPECT_EQ(Hundredths(inv.Find("cac:LegalMonetaryTotal/cbc:PayableAmount")->text),
            Hundredths(calc.json().value("TotalPrice").toString()));
  EXPECT_EQ(inv.Find("cac:TaxTotal/cbc:TaxAmount")->text, calc.json().value("TotalTax").toString());
  // UTF-8, the one file of the program that is not CP932.
  EXPECT_NE(xml.find("山田建設株式会社"), std::string::npos);

  // --buyer-endpoint in place of the stored one; another period; both kinds of the
  // invoice detail and the total invoice's refusal of a normal document.
  ASSERT_EQ(Run({"einvoice", "tcSeikyuMeisai", "doc.QM1", "detail.xml", "--buyer-endpoint", "0221:T9876543210987",
                 "--period", "2026-11-21:2026-12-20"})
                .exit,
            0);
  const XmlNode detail = ParseXml(Read("detail.xml").toStdString());
  EXPECT_EQ(detail.Find("cac:AccountingCustomerParty/cac:Party/cbc:EndpointID")->attributes.at("schemeID"), "0221");
  EXPECT_EQ(detail.Find("cac:InvoicePeriod/cbc:StartDate")->text, "2026-11-21");
  EXPECT_EQ(detail.Find("cac:InvoicePeriod/cbc:EndDate")->text, "2026-12-20");
  EXPECT_TRUE(BrokenJpPintRules(Read("detail.xml").toStdString()).isEmpty());
}

TEST_F(QmEInvoiceTest, EveryRefusalIsOneLineAndWritesNothing) {
  const struct {
    QStringList args;
    const char* says;
  } cases[] = {
      {{"einvoice", "tcMitumori", "doc.QM1", "x.xml", "--buyer-endpoint", "0188:3210987654321"}, "請求書・請求明細書・合計請求書"},
      {{"einvoice", "tcSeikyu", "doc.QM1", "x.xml"}, "得意先「山田建設株式会社」の Peppol ID がありません"},
      {{"einvoice", "tcSeikyu", "doc.QM1", "x.xml", "--buyer-endpoint", "3210987654321"}, "スキーム:ID"},
      {{"einvoice", "tcSeikyu", "doc.QM1", "x.xml", "--buyer-endpoint", "0188:32109876"}, "13桁"},
      {{"einvoice", "tcSeikyu", "doc.QM1", "x.xml", "--buyer-endpoint", "0188:3210987654321", "--period", "2026-12-31:2026-12-01"},
       "--period"},
      {{"einvoice", "tcSeikyu", "doc.QM1", "x.xml", "--buyer-endpoint", "0188:3210987654321", "--set", "CUSTOMER_INFO=会社情報2"},
       "登録番号がありません"},
      {{"einvoice", "tcGoukeiSeikyu", "doc.QM1", "x.xml", "--buyer-endpoint", "0188:3210987654321"}, "合計請求"},
  };
  for (const auto& c : cases) {
    const CliResult r = Run(c.args);
    EXPECT_EQ(r.exit, 1) << c.args.join(' ').toStdString();
    const QString err = QString::fromUtf8(r.err);
    EXPECT_TRUE(err.contains(QString::fromUtf8(c.says))) << c.args.join(' ').toStdString() << ": " << err.toStdString();
    EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("x.xml"))) << c.args.join(' ').toStdString();
  }
  // A slip date that is no date.
  Write("bad.json", R"({"CustomerInfo": {"CustomerName1": "山田建設株式会社"}, "SlipCodeStr": "1",
    "SlipDateStrYY": "令和08", "SlipDateStrMM": "13", "SlipDateStrDD": "1", "Lines": [{"Name": "a", "TotalPrice": 1}]})");
  ASSERT_EQ(Run({"build", "bad.json", "bad.QM1"}).exit, 0);
  const CliResult bad = Run({"einvoice", "tcSeikyu", "bad.QM1", "x.xml", "--buyer-endpoint", "0188:3210987654321"});
  EXPECT_EQ(bad.exit, 1);
  EXPECT_TRUE(QString::fromUtf8(bad.err).contains("日付として読めません")) << bad.err.toStdString();
  EXPECT_FALSE(QFile::exists(Path("x.xml")));
}

}  // namespace
}  // namespace qmtest
