// デジタルインボイス出力 in the print dialogs: shown for the invoice, the invoice detail and
// the total invoice only; it writes the same file as qm einvoice over the same data
// folder, keeps the rules, and says a refusal without asking for a file.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include "support/jp_pint_rules.h"
#include "support/pdf_tools.h"
#include "ui/common/command_table.h"
#include "ui/print/print_dialog.h"
#include "ui/print/slip_dialogs.h"
#include "ui/support/scripted_messages.h"
#include "ui/support/window_tests.h"

namespace qm::ui {
namespace {

class EInvoiceDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = qmtest::ShowMainWindow(dir_);
    ASSERT_TRUE(window_);
    AppSession& s = window_->Session();
    TMxCampanyInfo& co = s.Companies().CampanyInfoArray(0);
    co.SetCampanyName1("ベロラ工務店");
    co.SetRegistNo("T1234567890123");
    co.SetPeppolId("0188:1234567890123");
    s.SaveCompanies();
    s.PeppolIds().Set("Y01", "0188:3210987654321");
    s.SaveCustomers();
    TMxEstimateObjectList& doc = s.Document();
    doc.CustomerInfo().SetCustomerName1("山田建設株式会社");
    doc.CustomerInfo().SetCustomerCode("Y01");
    doc.SetSlipCodeStr("INV-7");
    doc.SetSlipDateStrYY("令和08");
    doc.SetSlipDateStrMM("12");
    doc.SetSlipDateStrDD("10");
    doc.Items(0).SetName("足場");
    doc.Items(0).SetItemUnit("㎡");
    doc.Items(0).SetNum(Currency::FromYen(12));
    doc.Items(0).SetPrice(Currency::FromYen(1500));
    doc.Items(0).DoCalc();
    doc.Items(1).SetName("値引き");
    doc.Items(1).SetTotalPrice(Currency::FromYen(-2000));
    doc.DoCalc();
    file_ = dir_.filePath("data/data/請求.QM1");
    doc.SaveFile(file_.toStdString(), "");
  }

  // デジタルインボイス出力 of the dialog D opened with `button`; `period` typed first.
  template <class D>
  void EInvoiceFrom(const char* button, const QString& out, const QString& period = {}) {
    messages_.SaveAs(out);
    qmtest::OnModal<D>([period](D& d) {
      EXPECT_TRUE(d.BtnEInvoice->isVisibleTo(&d));
      d.EdtInvoicePeriod->setText(period);
      d.BtnEInvoice->click();
    });
    window_->Commands().Action(button)->trigger();
  }

  QByteArray Qm(const QStringList& args) {
    QProcess p;
    p.start(QM_CLI_PATH, QStringList{"--data", dir_.filePath("data")} + args);
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
  }

  QTemporaryDir dir_;
  qmtest::ScriptedMessages messages_;
  std::unique_ptr<TFormMain> window_;
  QString file_;
};

TEST_F(EInvoiceDialogTest, TheButtonWritesWhatQmEinvoiceWrites) {
  const QString out = dir_.filePath("dialog.xml");
  EInvoiceFrom<TFormPrintMitsu>("BtnSeikyu", out);
  ASSERT_TRUE(QFile::exists(out)) << messages_.shown.join('\n').toStdString();
  // The file name offered: the slip number on the desktop.
  ASSERT_EQ(messages_.saveRequests.size(), 1);
  EXPECT_TRUE(messages_.saveRequests[0].endsWith("/INV-7.xml")) << messages_.saveRequests[0].toStdString();
  const std::string xml = qmtest::ReadFileBytes(out);
  EXPECT_TRUE(qmtest::BrokenJpPintRules(xml).isEmpty()) << qmtest::BrokenJpPintRules(xml).join("; ").toStdString();
  EXPECT_EQ(qmtest::XmlLint(xml).first, 0);

  Qm({"einvoice", "tcSeikyu", file_, dir_.filePath("qm.xml")});
  EXPECT_EQ(qmtest::ReadFileBytes(dir_.filePath("qm.xml")), xml);

  // Another period, the invoice detail: the same as qm einvoice --period.
  EInvoiceFrom<TFormPrintMitsu>("BtnSeikyuMeisai", dir_.filePath("detail.xml"), "2026-11-21:2026-12-20");
  Qm({"einvoice", "tcSeikyuMeisai", file_, dir_.filePath("qm-detail.xml"), "--period", "2026-11-21:2026-12-20"});
  EXPECT_EQ(qmtest::ReadFileBytes(dir_.filePath("detail.xml")), qmtest::ReadFileBytes(dir_.filePath("qm-detail.xml")));
  EXPECT_NE(qmtest::ReadFileBytes(dir_.filePath("detail.xml")).find("<cbc:StartDate>2026-11-21</cbc:StartDate>"),
            std::string::npos);
  EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join('\n').toStdString();
}

TEST_F(EInvoiceDialogTest, OnlyTheThreeKindsShowTheButton) {
  for (const DocumentKind& kind : DocumentKinds()) {
    if (kind.family != KindFamily::Estimate) continue;
    TFormPrintMitsu dialog(window_->Session().Folder().PrintIni());
    dialog.PrepareForKind(kind.kind);
    const bool shown = kind.kind == TChartType::tcSeikyu || kind.kind == TChartType::tcSeikyuMeisai;
    EXPECT_EQ(dialog.BtnEInvoice->isVisibleTo(&dialog), shown) << kind.cliName;
    EXPECT_EQ(dialog.EdtInvoicePeriod->isVisibleTo(&dialog), shown) << kind.cliName;
  }
  TFormPrintTotalClaim total(window_->Session().Folder().PrintIni());
  EXPECT_TRUE(total.BtnEInvoice->isVisibleTo(&total));
  TFormPrintReceipt receipt(window_->Session().Folder().PrintIni());
  EXPECT_FALSE(receipt.BtnEInvoice->isVisibleTo(&receipt));
}

TEST_F(EInvoiceDialogTest, ARefusalIsSaidAndNoFileIsAskedFor) {
  window_->Session().PeppolIds().Set("Y01", "");
  EInvoiceFrom<TFormPrintMitsu>("BtnSeikyu", dir_.filePath("none.xml"));
  ASSERT_EQ(messages_.shown.size(), 1);
  EXPECT_EQ(messages_.shown[0], "得意先「山田建設株式会社」の Peppol ID がありません。得意先の登録で入力してください。");
  EXPECT_TRUE(messages_.saveRequests.isEmpty());
  EXPECT_FALSE(QFile::exists(dir_.filePath("none.xml")));

  window_->Session().PeppolIds().Set("Y01", "0188:3210987654321");
  EInvoiceFrom<TFormPrintMitsu>("BtnSeikyu", dir_.filePath("period.xml"), "12月");
  ASSERT_EQ(messages_.shown.size(), 2);
  EXPECT_TRUE(messages_.shown[1].startsWith("請求期間は")) << messages_.shown[1].toStdString();
  EXPECT_FALSE(QFile::exists(dir_.filePath("period.xml")));
}

}  // namespace
}  // namespace qm::ui
