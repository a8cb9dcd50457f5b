// The print dialogs of the receipt, the total invoice and the FAX cover sheet against a
// temporary data folder, and their buttons in the main window.
#include "ui/print/slip_dialogs.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "base/ini_file.h"
#include "support/images.h"
#include "support/key_table.h"
#include "support/pdf_tools.h"
#include "ui/app/main_window.h"
#include "ui/controls/ss_edit.h"
#include "ui/print/preview_dialog.h"
#include "ui/print/print_commands.h"
#include "print/printer_output.h"
#include "ui/support/scripted_messages.h"

namespace qm::ui {
namespace {

class SlipDialogTest : public ::testing::Test {
 protected:
  SlipDialogTest()
      : config_(dir_.filePath("img").toStdString()),
        companies_(dir_.filePath("img").toStdString()),
        receipt_(Ini()),
        total_(Ini()),
        fax_(Ini()) {
    QDir(dir_.path()).mkpath("img");
    config_.LoadConfig(dir_.filePath("conf.ini").toStdString());
    config_.SetPrintDecimalPoint(false);
    doc_.CustomerInfo().SetCustomerName1("山田建設");
    doc_.CustomerInfo().SetCustomerNameTitle("御中");
    doc_.SetTotalTax(Currency::FromYen(3181));
    doc_.SetTotalPrice(Currency::FromYen(35000));
  }

  std::string Ini() const { return dir_.filePath("print.ini").toStdString(); }
  IniFile ReadIni() const { return IniFile::Load(Ini()); }
  std::string IniBytes() const {
    QFile f(QString::fromStdString(Ini()));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
  }

  QTemporaryDir dir_;
  qmtest::ScriptedMessages messages_;
  TMxConfigInfo config_;
  TMxCampanyInfoManager companies_;
  TMxEstimateObjectList doc_;
  TFormPrintReceipt receipt_;
  TFormPrintTotalClaim total_;
  TFormPrintFaxSender fax_;
};

// Changes a control the way a user would: the next list entry, another tick, more text.
void Change(QWidget* control) {
  if (auto* check = qobject_cast<QCheckBox*>(control)) check->setChecked(!check->isChecked());
  else if (auto* box = qobject_cast<QComboBox*>(control)) box->setCurrentIndex((box->currentIndex() + 1) % box->count());
  else if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->setText(edit->text() + "1");
  else if (auto* spin = qobject_cast<QSpinBox*>(control)) spin->setValue(spin->value() + 1);
  else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) memo->setPlainText(memo->toPlainText() + "\n次");
}

// For each control: open, change it alone, 印刷: exactly its key changed (none for the
// inputs print.ini does not keep).
struct ControlKey {
  const char* control;
  const char* key;  // nullptr: nothing may change
};
void ExpectEachControlWritesItsKey(TFormPrintBase& dialog, const std::function<void()>& open, const std::string& ini,
                                   const char* section, std::initializer_list<ControlKey> cases) {
  open();
  dialog.BtnPrint->click();
  for (const ControlKey& c : cases) {
    const auto before = qmtest::SectionValues(IniFile::Load(ini), section);
    open();
    QWidget* control = dialog.findChild<QWidget*>(c.control);
    ASSERT_NE(control, nullptr) << c.control;
    Change(control);
    dialog.BtnPrint->click();
    const std::vector<std::string> want = c.key ? std::vector<std::string>{c.key} : std::vector<std::string>{};
    EXPECT_EQ(qmtest::ChangedKeys(before, qmtest::SectionValues(IniFile::Load(ini), section)), want)
        << section << " " << c.control;
  }
}

}  // namespace

TEST_F(SlipDialogTest, ReceiptOpensWithTheTaxBreakdownAndTheSavedSection) {
  receipt_.FormShow(doc_, companies_, config_);
  EXPECT_EQ(receipt_.windowTitle(), "領収書印刷");
  EXPECT_EQ(receipt_.Printer().pageLayout().orientation(), QPageLayout::Portrait);
  EXPECT_EQ(receipt_.CBUchi1->currentText(), "消費税");
  EXPECT_EQ(receipt_.EdtUchi1->text(), "3,181");
  for (QComboBox* label : {receipt_.CBUchi2, receipt_.CBUchi3, receipt_.CBUchi4}) EXPECT_EQ(label->currentText(), "");
  EXPECT_TRUE(receipt_.CBUchi2->isEditable());
  EXPECT_EQ(receipt_.CBUchi2->count(), 8);
  EXPECT_EQ(receipt_.CBUchi2->itemText(7), "相　殺");
  EXPECT_EQ(receipt_.EdtUchi1->Alignment(), Qt::AlignRight);
  EXPECT_EQ(receipt_.CBPersonalStamp->itemText(0), "印刷なし");
  // First use: the section's defaults win over the opening states.
  EXPECT_TRUE(receipt_.ChBPrintInshi->isChecked());
  EXPECT_TRUE(receipt_.ChbPrintStampArea->isChecked());
  EXPECT_TRUE(receipt_.ChbPrintGrandTotal->isChecked());
  EXPECT_FALSE(receipt_.ChBPrintName->isChecked());

  // Saved: the proviso and the boxes come back, the breakdown does not.
  receipt_.EdtTadashi->setText("工事代金として");
  receipt_.ChBPrintInshi->setChecked(false);
  receipt_.CBUchi2->setCurrentText("現　金");
  receipt_.EdtUchi2->setText("1,000");
  receipt_.BtnPrint->click();
  EXPECT_EQ(ReadIni().ReadString("RYOSYU", "PROVISO_TEXT", ""), "工事代金として");
  receipt_.FormShow(doc_, companies_, config_);
  EXPECT_EQ(receipt_.EdtTadashi->text(), "工事代金として");
  EXPECT_FALSE(receipt_.ChBPrintInshi->isChecked());
  EXPECT_EQ(receipt_.CBUchi2->currentText(), "");
  EXPECT_EQ(receipt_.EdtUchi2->text(), "");
}

TEST_F(SlipDialogTest, TypedAmountsAreNormalisedWhenLeft) {
  receipt_.FormShow(doc_, companies_, config_);
  receipt_.EdtUchi2->setText("(1,234)");
  emit receipt_.EdtUchi2->editingFinished();
  EXPECT_EQ(receipt_.EdtUchi2->text(), "1,234");
  receipt_.EdtUchi3->setText("abc");
  emit receipt_.EdtUchi3->editingFinished();
  EXPECT_EQ(receipt_.EdtUchi3->text(), "");
  // What is printed is what the fields show, even for a field not left yet.
  receipt_.EdtUchi4->setText("5000");
  const PrintJob job = receipt_.Job();
  const auto& o = std::get<ReceiptSources>(job.Sources()).options;
  EXPECT_EQ(o.UchiPrice[1], "1,234");
  EXPECT_EQ(o.UchiPrice[3], "5,000");

  doc_.SetTotalClaimMode(true);
  total_.FormShow(doc_, config_, companies_);
  EXPECT_EQ(total_.windowTitle(), "合計請求書印刷");
  for (TSsEdit* e : {total_.EdtPreClaim, total_.EdtPrePaid, total_.EdtResult}) EXPECT_EQ(e->text(), "0");
  EXPECT_TRUE(total_.EdtResult->isReadOnly());
  total_.EdtPreClaim->setText("100000");
  emit total_.EdtPreClaim->editingFinished();
  total_.EdtPrePaid->setText("60,000");
  emit total_.EdtPrePaid->editingFinished();
  EXPECT_EQ(total_.EdtPreClaim->text(), "100,000");
  EXPECT_EQ(total_.EdtResult->text(), "40,000");
  total_.EdtPreClaim->setText("百円");
  emit total_.EdtPreClaim->editingFinished();
  EXPECT_EQ(total_.EdtPreClaim->text(), "0");
  EXPECT_EQ(total_.EdtResult->text(), "-60,000");
  // The amounts are not remembered.
  total_.BtnPrint->click();
  total_.FormShow(doc_, config_, companies_);
  EXPECT_EQ(total_.EdtPrePaid->text(), "0");
}

TEST_F(SlipDialogTest, EachControlWritesExactlyItsOwnKey) {
  for (int slot : {0, 1}) ASSERT_TRUE(qmtest::WriteImageFile(config_.StampFileName(slot), "bmp", 8, 8));
  config_.LoadConfig(dir_.filePath("conf.ini").toStdString());
  doc_.SetTotalClaimMode(true);
  ExpectEachControlWritesItsKey(receipt_, [&] { receipt_.FormShow(doc_, companies_, config_); }, Ini(), "RYOSYU",
                                {{"CBPersonalStamp", "PERSONAL_STAMP"},
                                 {"CBCustomerInfo", "CUSTOMER_INFO"},
                                 {"CBPaperSize", "PAPER_SIZE"},
                                 {"ChBPrintName", "PRINT_NAME"},
                                 {"ChbPrintStampArea", "PRINT_STAMP_AREA"},
                                 {"ChBPrintInshi", "PRINT_REVENUE_STAMP_AREA"},
                                 {"EdtTadashi", "PROVISO_TEXT"},
                                 {"ChbPrintGrandTotal", "PRINT_GRAND_TOTAL"},
                                 {"CBUchi3", nullptr},
                                 {"EdtUchi2", nullptr}});
  ExpectEachControlWritesItsKey(total_, [&] { total_.FormShow(doc_, config_, companies_); }, Ini(), "GOUKEI_SEIKYU",
                                {{"CBCustomerInfo", "CUSTOMER_INFO"},
                                 {"CBPayBank", "PAY_BANK"},
                                 {"CBPaperSize", "PAPER_SIZE"},
                                 {"ChBPrintName", "PRINT_NAME"},
                                 {"ChBPrintBank", "PRINT_BANK"},
                                 {"EdtPreClaim", nullptr}});
  ExpectEachControlWritesItsKey(fax_, [&] { fax_.FormShow(doc_, companies_, config_); }, Ini(), "FAX",
                                {{"CBCustomerInfo", "CUSTOMER_INFO"},
                                 {"CBPaperSize", "PAPER_SIZE"},
                                 {"EdtTitle", "TITLE"},
                                 {"SEPaperNum", "PAPER_NUM"},
                                 {"ChBPrintName", "PRINT_NAME"},
                                 {"CBOptionSikyu", "OPTION1"},
                                 {"CBOptionSankou", "OPTION2"},
                                 {"CBOptionKakunin", "OPTION3"},
                                 {"CBOptionHenshin", "OPTION4"},
                                 {"MemoContent", "CONTENT"}});
  // The other sections stay as they were written.
  const IniFile ini = ReadIni();
  EXPECT_TRUE(ini.HasSection("RYOSYU") && ini.HasSection("GOUKEI_SEIKYU") && ini.HasSection("FAX"));
  EXPECT_TRUE(messages_.errors.isEmpty()) << messages_.errors.join('\n').toStdString();
}

TEST_F(SlipDialogTest, CancelWritesNothingAndPdfSavesLikePrint) {
  fax_.FormShow(doc_, companies_, config_);
  fax_.EdtTitle->setText("変更");
  fax_.BtnCancel->click();
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Ini())));
  fax_.FormShow(doc_, companies_, config_);
  fax_.EdtTitle->setText("御見積書の件");
  fax_.BtnPdf->click();
  EXPECT_EQ(ReadIni().ReadString("FAX", "TITLE", ""), "御見積書の件");
  const std::string saved = IniBytes();
  fax_.FormShow(doc_, companies_, config_);
  fax_.EdtTitle->setText("また変更");
  fax_.BtnCancel->click();
  EXPECT_EQ(IniBytes(), saved);
}

TEST_F(SlipDialogTest, FaxNotesKeepTheirLinesAndTheSheetCountStartsAtTwo) {
  fax_.FormShow(doc_, companies_, config_);
  EXPECT_EQ(fax_.windowTitle(), "FAX送信状印刷");
  EXPECT_EQ(fax_.SEPaperNum->value(), 2);
  EXPECT_EQ(fax_.SEPaperNum->minimum(), 1);
  EXPECT_EQ(fax_.SEPaperNum->maximum(), 1000);
  fax_.MemoContent->setPlainText("一行目\n\n三行目");
  fax_.BtnPrint->click();
  EXPECT_EQ(ReadIni().ReadString("FAX", "CONTENT", ""), "一行目#CRLF##CRLF#三行目");
  EXPECT_EQ(std::get<FaxSources>(fax_.Job().Sources()).options.Content, "一行目\r\n\r\n三行目");
  fax_.MemoContent->clear();
  fax_.FormShow(doc_, companies_, config_);
  EXPECT_EQ(fax_.MemoContent->toPlainText(), "一行目\n\n三行目");
}

TEST_F(SlipDialogTest, JobsTakeTheChosenCompanyBankAndSeal) {
  ASSERT_TRUE(qmtest::WriteImageFile(config_.StampFileName(2), "bmp", 8, 8));
  config_.LoadConfig(dir_.filePath("conf.ini").toStdString());
  receipt_.FormShow(doc_, companies_, config_);
  receipt_.CBCustomerInfo->setCurrentIndex(2);
  receipt_.CBPersonalStamp->setCurrentIndex(1);  // the only seal: slot 2
  const SlipSources r = std::get<ReceiptSources>(receipt_.Job().Sources()).src;
  EXPECT_EQ(r.companyIndex, 2);
  EXPECT_EQ(r.personalStampSlot, 2);
  EXPECT_EQ(r.printerDpiX, receipt_.Printer().logicalDpiX());
  EXPECT_EQ(std::get<ReceiptSources>(receipt_.PreviewJob().Sources()).src.printerDpiX, 300);

  doc_.SetTotalClaimMode(true);
  total_.FormShow(doc_, config_, companies_);
  total_.CBPayBank->setCurrentIndex(1);
  total_.CBCustomerInfo->setCurrentIndex(1);
  const SlipSources t = std::get<TotalClaimSources>(total_.Job().Sources()).src;
  EXPECT_EQ(t.bankIndex, 1);
  EXPECT_EQ(t.companyIndex, 1);
}

TEST_F(SlipDialogTest, ALogoProfileDisablesTheChargeName) {
  companies_.CampanyInfoArray(1).SetChkUseLogoImage(true);
  fax_.FormShow(doc_, companies_, config_);
  EXPECT_TRUE(fax_.ChBPrintName->isEnabled());
  fax_.CBCustomerInfo->setCurrentIndex(1);
  EXPECT_FALSE(fax_.ChBPrintName->isEnabled());
  // A saved choice of that profile disables it on opening.
  fax_.BtnPrint->click();
  fax_.FormShow(doc_, companies_, config_);
  EXPECT_EQ(fax_.CBCustomerInfo->currentIndex(), 1);
  EXPECT_FALSE(fax_.ChBPrintName->isEnabled());
}

TEST_F(SlipDialogTest, PreviewShowsTheOneSheetWithoutPageButtons) {
  receipt_.FormShow(doc_, companies_, config_);
  QTimer::singleShot(0, [&] {
    auto* preview = qobject_cast<TFormPreviewEtcSlip*>(QApplication::activeModalWidget());
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->BtnPrev->isVisible());
    EXPECT_FALSE(preview->BtnNext->isVisible());
    EXPECT_FALSE(preview->LblPage->isVisible());
    EXPECT_EQ(preview->MaxPage, 1);
    EXPECT_NE(preview->ShownPageOps().find("山田建設 御中"), std::string::npos);
    EXPECT_NE(preview->ShownPageOps().find("領 収 書(控)"), std::string::npos);
    // Portrait: taller than wide.
    EXPECT_GT(preview->ShownBitmap().height(), preview->ShownBitmap().width());
    preview->reject();
  });
  receipt_.BtnPreview->click();
  EXPECT_TRUE(messages_.errors.isEmpty()) << messages_.errors.join('\n').toStdString();
}

TEST_F(SlipDialogTest, PrintingThroughQtPrintSupportGivesTheOnePage) {
  receipt_.FormShow(doc_, companies_, config_);
  receipt_.EdtTadashi->setText("工事代金として");
  QPrinter& printer = receipt_.Printer();
  const QString out = dir_.filePath("printed.pdf");
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(out);
  PrintJobOn(printer, receipt_.Job());
  qmtest::ExpectValidPdf(out);
  EXPECT_EQ(qmtest::PdfPageCount(out), 1);
}

// The main window's three buttons.
TEST(SlipButtonsTest, TotalInvoiceOnlyForATotalClaimDocumentAndPdfOfEachSheet) {
  QTemporaryDir dir;
  qmtest::ScriptedMessages messages;
  TFormMain window({dir.path().toStdString(), dir.filePath("history.ini").toStdString()});
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  TMxEstimateObjectList& doc = window.Document();
  doc.CustomerInfo().SetCustomerName1("山田建設");
  doc.Items(0).SetName("足場");
  doc.Items(0).SetTotalPrice(Currency::FromYen(35000));
  doc.DoCalc();

  // A normal document: the message, and no dialog.
  bool dialogSeen = false;
  QTimer::singleShot(0, [&] {
    if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      dialogSeen = true;
      d->reject();
    }
  });
  window.findChild<QAction*>("BtnGoukeiSeikyu")->trigger();
  QApplication::processEvents();
  EXPECT_EQ(messages.shown.value(0), "この機能は合計請求モード以外では使用できません。");
  EXPECT_FALSE(dialogSeen);

  const struct {
    const char* button;
    const char* caption;
    const char* file;
    const char* text;
  } sheets[] = {
      {"BtnRyosyu", "領収書印刷", "receipt.pdf", "38,500※"},
      {"BtnFax", "FAX送信状印刷", "fax.pdf", "FAX送信のご案内"},
  };
  for (const auto& s : sheets) {
    const QString out = dir.filePath(s.file);
    messages.SaveAs(out);
    QString caption;
    QTimer::singleShot(0, [&] {
      if (auto* dialog = qobject_cast<TFormPrintBase*>(QApplication::activeModalWidget())) {
        caption = dialog->windowTitle();
        dialog->BtnPdf->click();
      }
    });
    window.findChild<QAction*>(s.button)->trigger();
    EXPECT_EQ(caption, QString::fromUtf8(s.caption));
    ASSERT_TRUE(QFile::exists(out)) << s.file << messages.errors.join('\n').toStdString();
    qmtest::ExpectValidPdf(out);
    EXPECT_TRUE(qmtest::PdfText(out).remove(' ').contains(QString::fromUtf8(s.text)))
        << s.file << qmtest::PdfText(out).toStdString();
  }

  // In total-claim mode the total invoice opens its dialog.
  doc.SetTotalClaimMode(true);
  const QString out = dir.filePath("total.pdf");
  messages.SaveAs(out);
  QTimer::singleShot(0, [&] {
    if (auto* dialog = qobject_cast<TFormPrintTotalClaim*>(QApplication::activeModalWidget())) {
      dialog->EdtPreClaim->setText("1,000");
      dialog->BtnPdf->click();
    }
  });
  window.findChild<QAction*>("BtnGoukeiSeikyu")->trigger();
  ASSERT_TRUE(QFile::exists(out)) << messages.errors.join('\n').toStdString();
  EXPECT_TRUE(qmtest::PdfText(out).contains("39,500")) << qmtest::PdfText(out).toStdString();  // 1,000 + 38,500
  EXPECT_TRUE(messages.errors.isEmpty()) << messages.errors.join('\n').toStdString();
}

}  // namespace qm::ui

namespace qm::ui {
namespace {

TEST_F(SlipDialogTest, ReceiptAndTotalInvoiceOfferTheRegistrationNumber) {
  companies_.CampanyInfoArray(0).SetRegistNo("T1234567890123");
  receipt_.FormShow(doc_, companies_, config_);
  ASSERT_TRUE(receipt_.ChkPrintRegistNo->isVisibleTo(&receipt_));
  EXPECT_TRUE(receipt_.ChkPrintRegistNo->isChecked());
  EXPECT_NE(receipt_.Job().MakePage(0).Describe().find("登録番号 T1234567890123"), std::string::npos);
  receipt_.ChkPrintRegistNo->click();
  EXPECT_EQ(receipt_.Job().MakePage(0).Describe().find("登録番号"), std::string::npos);
  receipt_.BtnPrint->click();
  EXPECT_EQ(ReadIni().ReadString("RYOSYU", "PRINT_REGIST_NO", ""), "0");
  receipt_.FormShow(doc_, companies_, config_);
  EXPECT_FALSE(receipt_.ChkPrintRegistNo->isChecked());

  total_.FormShow(doc_, config_, companies_);
  ASSERT_TRUE(total_.ChkPrintRegistNo->isVisibleTo(&total_));
  EXPECT_TRUE(total_.ChkPrintRegistNo->isChecked());
  total_.BtnPrint->click();
  EXPECT_EQ(ReadIni().ReadString("GOUKEI_SEIKYU", "PRINT_REGIST_NO", ""), "1");
  // The FAX cover sheet is no bill.
  fax_.FormShow(doc_, companies_, config_);
  EXPECT_FALSE(fax_.ChkPrintRegistNo->isVisibleTo(&fax_));
  EXPECT_TRUE(messages_.errors.isEmpty()) << messages_.errors.join('\n').toStdString();
}

}  // namespace
}  // namespace qm::ui
