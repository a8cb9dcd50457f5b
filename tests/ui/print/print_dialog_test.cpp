// The estimate-family print dialog against a temporary data folder, and printing into a
// PDF file through Qt's print support (the same path a real printer takes).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "base/cp932.h"
#include "base/ini_file.h"
#include "support/images.h"
#include "support/key_table.h"
#include "support/pdf_readers.h"
#include "support/pdf_tools.h"
#include "ui/support/scripted_messages.h"
#include "ui/support/window_tests.h"
#include "ui/app/main_window.h"
#include "ui/print/print_dialog.h"
#include "print/qualified_invoice.h"
#include "print/printer_output.h"

namespace qm::ui {
namespace {

std::unique_ptr<TMxEstimateObject> PricedLine(int n, bool taxless = false) {
  auto line = std::make_unique<TMxEstimateObject>();
  line->SetName("品" + std::to_string(n));
  line->SetNum(Currency::FromYen(1));
  line->SetPrice(Currency::FromYen(100));
  line->SetTaxless(taxless);
  line->DoCalc();
  return line;
}

class PrintDialogTest : public ::testing::Test {
 protected:
  PrintDialogTest()
      : config_(dir_.filePath("img").toStdString()),
        companies_(dir_.filePath("img").toStdString()),
        dialog_(Ini()) {
    QDir(dir_.path()).mkpath("img");
    config_.LoadConfig(dir_.filePath("conf.ini").toStdString());
  }

  std::string Ini() const { return dir_.filePath("print.ini").toStdString(); }

  void AddLines(int count, bool taxless = false) {
    for (int i = 0; i < count; ++i) doc_.Add(PricedLine(doc_.Count() + 1, taxless));
    doc_.DoCalc();
  }

  void Show(TChartType kind) {
    dialog_.PrepareForKind(kind);
    dialog_.FormShow(doc_, config_, companies_, kind);
  }

  IniFile ReadIni() const { return IniFile::Load(Ini()); }

  QTemporaryDir dir_;
  qmtest::ScriptedMessages messages_;
  TMxConfigInfo config_;
  TMxCampanyInfoManager companies_;
  TMxEstimateObjectList doc_;
  TFormPrintMitsu dialog_;
};

TEST_F(PrintDialogTest, CaptionAndVisibleControlsFollowTheKind) {
  AddLines(1);
  struct Case {
    TChartType kind;
    const char* caption;
    bool seals, bank, swap, tax, totals;
  };
  const Case cases[] = {
      {TChartType::tcMitumori, "見積書印刷", true, false, false, true, true},
      {TChartType::tcTankaMitumori, "単価見積書印刷", true, false, false, false, false},
      {TChartType::tcNouhin, "納品書印刷", true, false, false, true, true},
      {TChartType::tcSeikyu, "請求書印刷", true, true, false, true, true},
      {TChartType::tcJyuryou, "受領書印刷", false, false, true, true, true},
      {TChartType::tcSeikyuMeisai, "請求明細書印刷", true, true, false, true, true},
      {TChartType::tcKoujiUtiwake, "内訳書印刷", true, false, false, true, true},
  };
  for (const Case& c : cases) {
    Show(c.kind);
    EXPECT_EQ(dialog_.windowTitle(), QString::fromUtf8(c.caption));
    EXPECT_EQ(dialog_.CBCheckStamp->isVisibleTo(&dialog_), c.seals) << c.caption;
    EXPECT_EQ(dialog_.EdtCheckStampMsg->isVisibleTo(&dialog_), c.seals) << c.caption;
    EXPECT_EQ(dialog_.CBPayBank->isVisibleTo(&dialog_), c.bank) << c.caption;
    EXPECT_EQ(dialog_.ChkPrintBank->isVisibleTo(&dialog_), c.bank) << c.caption;
    EXPECT_EQ(dialog_.ChkChangeSR->isVisibleTo(&dialog_), c.swap) << c.caption;
    EXPECT_EQ(dialog_.RBTaxExclusive->isVisibleTo(&dialog_), c.tax) << c.caption;
    EXPECT_EQ(dialog_.ChkPrintGrandTotalFrame->isVisibleTo(&dialog_), c.totals) << c.caption;
    EXPECT_EQ(dialog_.ChkPrintSubtotalTotal->isVisibleTo(&dialog_), c.totals) << c.caption;
    // Shown for every kind.
    EXPECT_TRUE(dialog_.CBCustomerInfo->isVisibleTo(&dialog_));
    EXPECT_TRUE(dialog_.ChkPrintName->isVisibleTo(&dialog_));
  }
}

TEST_F(PrintDialogTest, FirstUseDefaults) {
  AddLines(1);
  Show(TChartType::tcSeikyu);
  EXPECT_FALSE(dialog_.ChkPrintDirection->isChecked());
  EXPECT_EQ(dialog_.CBPaperSize->currentText(), "A4");
  EXPECT_TRUE(dialog_.PaperA4());
  for (QCheckBox* on : {dialog_.ChkPrintStampArea, dialog_.ChkPrintGrandTotalFrame, dialog_.ChkPrintGrandTotal,
                        dialog_.ChkPrintSubtotalTotal, dialog_.ChkPrintFreeEdit, dialog_.ChkPrintCost,
                        dialog_.ChkPrintBunrui, dialog_.ChkPrintNote})
    EXPECT_TRUE(on->isChecked()) << on->objectName().toStdString();
  for (QCheckBox* off : {dialog_.ChkPrintCopy, dialog_.ChkPrintPic, dialog_.ChkPrintBank, dialog_.ChkChangeSR,
                         dialog_.ChkPrintName})
    EXPECT_FALSE(off->isChecked()) << off->objectName().toStdString();
  EXPECT_EQ(dialog_.EdtCheckStampMsg->text(), "検　印");
  EXPECT_EQ(dialog_.CBCheckStamp->currentText(), "印刷なし");
  EXPECT_EQ(dialog_.CBCustomerInfo->currentText(), "会社情報1");
  EXPECT_EQ(dialog_.CBPayBank->currentText(), "振込先情報1");
  // Without a printer the dialog says so and still previews.
  EXPECT_EQ(dialog_.LblNoPrinter->isVisibleTo(&dialog_), !dialog_.HasPrinter());
  EXPECT_TRUE(dialog_.BtnPreview->isEnabled());
  EXPECT_TRUE(dialog_.BtnPdf->isEnabled());
}

TEST_F(PrintDialogTest, PrintWritesTheSectionAndCancelLeavesItAlone) {
  AddLines(1);
  QFile seed(dir_.filePath("print.ini"));
  ASSERT_TRUE(seed.open(QIODevice::WriteOnly));
  // print.ini is Shift-JIS, as every settings file.
  seed.write(QByteArray::fromStdString(
      cp932::Encode("[NOUHIN]\r\nPRINT_NOTE=0\r\n[MITSU]\r\nPRINT_COST=0\r\nCUSTOMER_INFO=会社情報3\r\n").bytes));
  seed.close();

  Show(TChartType::tcMitumori);
  EXPECT_FALSE(dialog_.ChkPrintCost->isChecked());
  EXPECT_EQ(dialog_.CBCustomerInfo->currentText(), "会社情報3");
  dialog_.ChkPrintCopy->setChecked(true);
  dialog_.BtnCancel->click();
  EXPECT_EQ(dialog_.result(), static_cast<int>(ModalResult::Cancel));
  IniFile ini = ReadIni();
  EXPECT_FALSE(ini.HasKey("MITSU", "PRINT_COPY"));
  EXPECT_EQ(ini.ReadString("MITSU", "PRINT_COST", ""), "0");
  EXPECT_EQ(ini.ReadString("NOUHIN", "PRINT_NOTE", ""), "0");
  EXPECT_TRUE(ini.HasKey("SETTING", "YOKO"));  // the copy box wrote it

  Show(TChartType::tcMitumori);
  dialog_.ChkPrintCopy->setChecked(true);
  dialog_.CBPaperSize->setCurrentText("B5");
  dialog_.EdtCheckStampMsg->setText("確認");
  dialog_.BtnPrint->click();
  EXPECT_EQ(dialog_.result(), static_cast<int>(ModalResult::Ok));
  ini = ReadIni();
  EXPECT_EQ(ini.ReadString("MITSU", "PRINT_COPY", ""), "1");
  EXPECT_EQ(ini.ReadString("MITSU", "PAPER_SIZE", ""), "B5");
  EXPECT_EQ(ini.ReadString("MITSU", "CHECK_STAMP_MSG", ""), "確認");
  EXPECT_EQ(ini.ReadString("MITSU", "CUSTOMER_INFO", ""), "会社情報3");
  EXPECT_EQ(ini.ReadString("NOUHIN", "PRINT_NOTE", ""), "0");
  EXPECT_EQ(ini.Keys("MITSU").size(), 21u);
}

TEST_F(PrintDialogTest, OptionBoxesRewriteYokoAndTheSavedDirectionWins) {
  AddLines(1);
  QFile seed(dir_.filePath("print.ini"));
  ASSERT_TRUE(seed.open(QIODevice::WriteOnly));
  seed.write("[SETTING]\r\nYOKO=1\r\n[MITSU]\r\nPRINT_DIRECTION=0\r\n");
  seed.close();
  Show(TChartType::tcMitumori);
  // YOKO opened the box landscape; the kind's own direction, loaded after it, wins.
  EXPECT_FALSE(dialog_.Landscape());
  EXPECT_EQ(ReadIni().ReadString("SETTING", "YOKO", ""), "0");
  EXPECT_EQ(dialog_.Printer().pageLayout().orientation(), QPageLayout::Portrait);

  IniFile ini = ReadIni();
  ini.EraseSection("SETTING");
  ini.Save(Ini());
  dialog_.ChkPrintCost->click();  // not the landscape box, still rewrites YOKO
  EXPECT_EQ(ReadIni().ReadString("SETTING", "YOKO", ""), "0");
  dialog_.ChkPrintDirection->click();
  EXPECT_EQ(ReadIni().ReadString("SETTING", "YOKO", ""), "1");
  EXPECT_EQ(dialog_.Printer().pageLayout().orientation(), QPageLayout::Landscape);
  // The charge-name box has no such effect.
  ini = ReadIni();
  ini.EraseSection("SETTING");
  ini.Save(Ini());
  dialog_.ChkPrintName->click();
  EXPECT_FALSE(ReadIni().HasSection("SETTING"));
}

TEST_F(PrintDialogTest, TaxChoiceIsForcedByTheDocument) {
  AddLines(2, /*taxless=*/true);
  Show(TChartType::tcMitumori);
  EXPECT_TRUE(dialog_.RBNoTax->isChecked());
  EXPECT_TRUE(dialog_.RBNoTax->isEnabled());
  EXPECT_FALSE(dialog_.RBTaxExclusive->isEnabled());
  EXPECT_FALSE(dialog_.RBTaxIncluded->isEnabled());
  EXPECT_EQ(dialog_.Settings().tax, TTaxChoice::NoTax);

  AddLines(1);
  Show(TChartType::tcMitumori);
  EXPECT_TRUE(dialog_.RBTaxExclusive->isChecked());
  EXPECT_FALSE(dialog_.RBNoTax->isEnabled());
  EXPECT_TRUE(dialog_.RBTaxIncluded->isEnabled());

  doc_.SetTaxInputModeIncludeTax(true);
  Show(TChartType::tcMitumori);
  EXPECT_TRUE(dialog_.RBTaxIncluded->isChecked());
  EXPECT_FALSE(dialog_.RBTaxExclusive->isEnabled());
  EXPECT_FALSE(dialog_.RBNoTax->isEnabled());
  EXPECT_EQ(dialog_.Settings().tax, TTaxChoice::Included);

  // Pictures are not offered in total-claim mode.
  EXPECT_TRUE(dialog_.ChkPrintPic->isVisibleTo(&dialog_));
  doc_.SetTotalClaimMode(true);
  Show(TChartType::tcMitumori);
  EXPECT_FALSE(dialog_.ChkPrintPic->isVisibleTo(&dialog_));
}

TEST_F(PrintDialogTest, ALogoProfileDisablesTheChargeName) {
  AddLines(1);
  companies_.CampanyInfoArray(1).SetChkUseLogoImage(true);
  Show(TChartType::tcMitumori);
  EXPECT_TRUE(dialog_.ChkPrintName->isEnabled());
  dialog_.CBCustomerInfo->setCurrentIndex(1);
  EXPECT_FALSE(dialog_.ChkPrintName->isEnabled());
  EXPECT_EQ(dialog_.Settings().companyIndex, 1);
  dialog_.CBCustomerInfo->setCurrentIndex(2);
  EXPECT_TRUE(dialog_.ChkPrintName->isEnabled());
}

TEST_F(PrintDialogTest, SealListsNameExistingSealsAndDrawTheSlotTheyName) {
  AddLines(1);
  config_.SetNatsuinName1("社長");
  config_.SetNatsuinName3("課長");
  for (int slot : {0, 2}) ASSERT_TRUE(qmtest::WriteImageFile(config_.StampFileName(slot), "bmp", 4, 4));
  Show(TChartType::tcMitumori);
  ASSERT_EQ(dialog_.CBCheckStamp->count(), 3);
  EXPECT_EQ(dialog_.CBPersonalStamp->itemText(2), "課長");
  dialog_.CBCheckStamp->setCurrentIndex(2);
  dialog_.CBPersonalStamp->setCurrentIndex(1);
  EXPECT_EQ(dialog_.Settings().checkStampSlot, 2);
  EXPECT_EQ(dialog_.Settings().personalStampSlot, 0);
  dialog_.BtnPrint->click();
  EXPECT_EQ(ReadIni().ReadString("MITSU", "CHECK_STAMP", ""), "課長");
}

// Pages of a PDF file as pdfinfo reads them.
int PdfPages(const QString& path, QString* info = nullptr) {
  QProcess p;
  p.start("pdfinfo", {path});
  if (!p.waitForFinished(30000)) return -1;
  const QString out = QString::fromUtf8(p.readAllStandardOutput());
  if (info) *info = out;
  for (const QString& line : out.split('\n'))
    if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
  return -1;
}

TEST_F(PrintDialogTest, PrintingThroughQtPrintSupportGivesEveryPageOfTheJob) {
  AddLines(70);  // three item pages in portrait
  for (int i : {0, 5, 9}) doc_.Items(i).Pic().Assign(PictureKind::Png, qmtest::EncodedImage("png", 60, 40));
  Show(TChartType::tcMitumori);
  dialog_.ChkPrintPic->setChecked(true);
  dialog_.ChkPrintCopy->setChecked(true);

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir_.filePath("job.pdf"));
  PrintJobOn(printer, dialog_.Job());
  EXPECT_EQ(printer.docName(), "Velora Quillmark");
  QString info;
  EXPECT_EQ(PdfPages(dir_.filePath("job.pdf"), &info), 10);
  EXPECT_TRUE(info.contains("595.276 x 841.89") || info.contains("595 x 842")) << info.toStdString();

  // Landscape B5 without pictures or copy: 70 lines take 2 + ceil(30 / 30) pages.
  dialog_.ChkPrintPic->setChecked(false);
  dialog_.ChkPrintCopy->setChecked(false);
  dialog_.ChkPrintDirection->setChecked(true);
  dialog_.CBPaperSize->setCurrentText("B5");
  QPrinter b5(QPrinter::HighResolution);
  b5.setOutputFormat(QPrinter::PdfFormat);
  b5.setOutputFileName(dir_.filePath("b5.pdf"));
  PrintJobOn(b5, dialog_.Job());
  EXPECT_EQ(PdfPages(dir_.filePath("b5.pdf"), &info), 3);
  // JIS B5 (182 × 257 mm), landscape.
  EXPECT_TRUE(info.contains("729 x 516")) << info.toStdString();
}

// Each control of the dialog, changed alone, changes exactly its own key of print.ini.
TEST_F(PrintDialogTest, EachControlWritesExactlyItsOwnKey) {
  AddLines(1);
  for (int slot : {0, 1}) ASSERT_TRUE(qmtest::WriteImageFile(config_.StampFileName(slot), "bmp", 8, 8));
  config_.LoadConfig(dir_.filePath("conf.ini").toStdString());
  const auto nextEntry = [](QComboBox* box) { box->setCurrentIndex((box->currentIndex() + 1) % box->count()); };
  struct Case {
    const char* control;
    const char* key;
  } cases[] = {
      {"CBCheckStamp", "CHECK_STAMP"},
      {"EdtCheckStampMsg", "CHECK_STAMP_MSG"},
      {"CBPersonalStamp", "PERSONAL_STAMP"},
      {"CBCustomerInfo", "CUSTOMER_INFO"},
      {"CBPayBank", "PAY_BANK"},
      {"CBPaperSize", "PAPER_SIZE"},
      {"ChkPrintName", "PRINT_NAME"},
      {"ChkPrintStampArea", "PRINT_STAMP_AREA"},
      {"ChkPrintDirection", "PRINT_DIRECTION"},
      {"ChkPrintNote", "PRINT_NOTE"},
      {"ChkPrintBank", "PRINT_BANK"},
      {"ChkChangeSR", "CHANGE_SR"},
      {"ChkPrintCopy", "PRINT_COPY"},
      {"ChkPrintGrandTotalFrame", "PRINT_GRAND_TOTAL_FRAME"},
      {"ChkPrintGrandTotal", "PRINT_GRAND_TOTAL"},
      {"ChkPrintSubtotalTotal", "PRINT_SUBTOTAL_TOTAL"},
      {"ChkPrintFreeEdit", "PRINT_FREEEDIT"},
      {"ChkPrintCost", "PRINT_COST"},
      {"ChkPrintPic", "PRINT_PIC"},
      {"ChkPrintBunrui", "PRINT_BUNRUI"},
  };
  Show(TChartType::tcSeikyu);
  dialog_.BtnPrint->click();
  for (const Case& c : cases) {
    const auto before = qmtest::SectionValues(ReadIni(), "SEIKYU");
    Show(TChartType::tcSeikyu);
    QWidget* control = dialog_.findChild<QWidget*>(c.control);
    ASSERT_NE(control, nullptr) << c.control;
    if (auto* check = qobject_cast<QCheckBox*>(control)) check->setChecked(!check->isChecked());
    else if (auto* box = qobject_cast<QComboBox*>(control)) nextEntry(box);
    else if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->setText(edit->text() + "印");
    dialog_.BtnPrint->click();
    EXPECT_EQ(qmtest::ChangedKeys(before, qmtest::SectionValues(ReadIni(), "SEIKYU")), std::vector<std::string>{c.key})
        << c.control;
  }
  EXPECT_TRUE(messages_.errors.isEmpty()) << messages_.errors.join('\n').toStdString();
}

TEST(PrintButtonsTest, EachButtonOpensTheDialogForItsKind) {
  QTemporaryDir dir;
  qmtest::ScriptedMessages messages;
  TFormMain window({dir.path().toStdString(), dir.filePath("history.ini").toStdString()});
  const std::pair<const char*, const char*> buttons[] = {
      {"BtnMitsu", "見積書印刷"},           {"BtnTankaMitsu", "単価見積書印刷"}, {"BtnNouhin", "納品書印刷"},
      {"BtnSeikyu", "請求書印刷"},          {"BtnSeikyuMeisai", "請求明細書印刷"},
      {"BtnJyuryou", "受領書印刷"},         {"BtnKoujiUtiwake", "内訳書印刷"}};
  for (const auto& [name, caption] : buttons) {
    QAction* action = window.findChild<QAction*>(name);
    ASSERT_NE(action, nullptr) << name;
    EXPECT_TRUE(action->isEnabled()) << name;
    QString seen;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<TFormPrintMitsu*>(QApplication::activeModalWidget());
      if (!dialog) return;
      seen = dialog->windowTitle();
      dialog->BtnCancel->click();
    });
    action->trigger();
    EXPECT_EQ(seen, QString::fromUtf8(caption));
  }
  // Cancelling printed nothing and wrote no section.
  EXPECT_FALSE(IniFile::Load(dir.filePath("print.ini").toStdString()).HasSection("MITSU"));
  EXPECT_TRUE(messages.errors.isEmpty()) << messages.errors.join('\n').toStdString();
}

// PDF出力 from the main window: the file goes where the save dialog points; an existing
// file is replaced only when the user says so; a folder that cannot be written gives the
// writer's error and nothing is left there.
TEST(PrintButtonsTest, PdfOutputWritesWhereTheSaveDialogPoints) {
  QTemporaryDir dir;
  qmtest::ScriptedMessages messages;
  TFormMain window({dir.path().toStdString(), dir.filePath("history.ini").toStdString()});
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  TMxEstimateObjectList& doc = window.Document();
  doc.Items(0).SetName("足場");
  doc.Items(0).SetTotalPrice(Currency::FromYen(35000));
  doc.DoCalc();
  QAction* button = window.findChild<QAction*>("BtnMitsu");
  const auto pdfFromDialog = [&] {
    QTimer::singleShot(0, [] {
      if (auto* dialog = qobject_cast<TFormPrintMitsu*>(QApplication::activeModalWidget())) dialog->BtnPdf->click();
    });
    button->trigger();
  };
  const QString out = dir.filePath("見積.pdf");
  messages.SaveAs(out);
  pdfFromDialog();
  ASSERT_TRUE(QFile::exists(out)) << messages.errors.join('\n').toStdString();
  qmtest::ExpectValidPdf(out);
  EXPECT_TRUE(qmtest::PdfText(out).contains("35,000"));
  ASSERT_EQ(messages.saveRequests.size(), 1);
  EXPECT_TRUE(messages.saveRequests[0].startsWith("PDFファイル(*.pdf)|pdf|"));
  EXPECT_TRUE(messages.asked.isEmpty());

  // Kept: the old bytes stay. Replaced: the new document is in it.
  QFile::remove(out);
  QFile old(out);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old");
  old.close();
  messages.SaveAs(out);
  messages.Answer(false);
  pdfFromDialog();
  EXPECT_EQ(messages.asked.value(0), "見積.pdf は既に存在します。\r\n上書きしますか？");
  EXPECT_EQ(qmtest::ReadFileBytes(out), "old");
  messages.SaveAs(out);
  messages.Answer(true);
  pdfFromDialog();
  qmtest::ExpectValidPdf(out);

  // Cancelled: nothing written, nothing said.
  const QStringList before = QDir(dir.path()).entryList(QDir::Files);
  pdfFromDialog();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);

  const QString unwritable = dir.filePath("missing/folder/見積.pdf");
  messages.SaveAs(unwritable);
  pdfFromDialog();
  ASSERT_EQ(messages.errors.size(), 1);
  EXPECT_TRUE(messages.errors[0].contains("見積.pdf")) << messages.errors[0].toStdString();
  EXPECT_FALSE(QDir(dir.filePath("missing")).exists());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
}

// PDF出力 of the running program writes the embedded form, which poppler draws as MuPDF
// does (no box over any character), unless the settings ask for the first form.
TEST(PrintButtonsTest, PdfOutputEmbedsThePageFontUnlessTheSettingsSayOtherwise) {
  QTemporaryDir dir;
  qmtest::ScriptedMessages messages;
  const auto shown = qmtest::ShowMainWindow(dir);
  ASSERT_TRUE(shown);
  TFormMain& window = *shown;
  TMxEstimateObjectList& doc = window.Document();
  doc.CustomerInfo().SetCustomerCode("C-0012");
  doc.Items(0).SetName("足場 組立 ｱｼﾊﾞ");
  doc.Items(0).SetTotalPrice(Currency::FromYen(35000));
  doc.Items(1).SetName("値引き");
  doc.Items(1).SetTotalPrice(Currency::FromYen(-18000));
  doc.DoCalc();
  const auto pdfFromDialog = [&](const QString& out) {
    messages.SaveAs(out);
    QTimer::singleShot(0, [] {
      if (auto* dialog = qobject_cast<TFormPrintMitsu*>(QApplication::activeModalWidget())) dialog->BtnPdf->click();
    });
    window.findChild<QAction*>("BtnMitsu")->trigger();
  };
  const QString embedded = dir.filePath("embedded.pdf");
  pdfFromDialog(embedded);
  ASSERT_TRUE(QFile::exists(embedded)) << messages.errors.join('\n').toStdString();
  EXPECT_EQ(qmtest::ReadFileBytes(embedded).rfind("%PDF-1.3 ", 0), 0u);
  const std::vector<qmtest::PdfFontRow> fonts = qmtest::ListPdfFonts(embedded);
  ASSERT_FALSE(fonts.empty());
  for (const auto& f : fonts) EXPECT_TRUE(f.embedded && f.unicode) << f.name;
  const qmtest::InkComparison c = qmtest::CompareBlackInk(qmtest::RenderPdfPage(qmtest::Reader::Poppler, embedded, 1, 144),
                                                          qmtest::RenderPdfPage(qmtest::Reader::MuPdf, embedded, 1, 144));
  EXPECT_GT(c.inkA, 1000);
  EXPECT_EQ(c.onlyA, 0);
  EXPECT_EQ(c.onlyB, 0);
  const QString text = qmtest::ExtractPdfText(qmtest::Reader::Poppler, embedded);
  for (const char* want : {"お客様コード: C-0012", "足場 組立 ｱｼﾊﾞ", "-18,000", "17,000"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(want))) << want << "\n" << text.toStdString();

  window.Session().Config().SetPdfEmbedFonts(false);
  const QString system = dir.filePath("system.pdf");
  pdfFromDialog(system);
  EXPECT_EQ(qmtest::ReadFileBytes(system).rfind("%PDF-1.2 ", 0), 0u);
  for (const auto& f : qmtest::ListPdfFonts(system)) EXPECT_FALSE(f.embedded) << f.name;
  EXPECT_TRUE(messages.errors.isEmpty()) << messages.errors.join('\n').toStdString();
}

}  // namespace
}  // namespace qm::ui

namespace qm::ui {
namespace {

// 登録番号を印刷する: on the bills only, usable only for a profile with a number, on by
// default for it, and remembered per kind once printed.
TEST_F(PrintDialogTest, RegistrationNumberBoxFollowsTheKindAndTheProfile) {
  AddLines(1);
  companies_.CampanyInfoArray(1).SetRegistNo("T1234567890123");
  for (const DocumentKind& kind : DocumentKinds()) {
    if (kind.family != KindFamily::Estimate) continue;
    Show(kind.kind);
    const bool bill = kind.kind == TChartType::tcNouhin || kind.kind == TChartType::tcSeikyu ||
                      kind.kind == TChartType::tcSeikyuMeisai;
    EXPECT_EQ(dialog_.ChkPrintRegistNo->isVisibleTo(&dialog_), bill) << kind.cliName;
  }
  Show(TChartType::tcSeikyu);
  // Profile 1 has no number: the box is off and cannot be ticked, and 印刷 stores nothing.
  EXPECT_FALSE(dialog_.ChkPrintRegistNo->isEnabled());
  EXPECT_FALSE(dialog_.ChkPrintRegistNo->isChecked());
  dialog_.BtnPrint->click();
  EXPECT_FALSE(ReadIni().HasKey("SEIKYU", "PRINT_REGIST_NO"));

  // Profile 2 has one: on by default, and stored when printed.
  Show(TChartType::tcSeikyu);
  dialog_.CBCustomerInfo->setCurrentIndex(1);
  EXPECT_TRUE(dialog_.ChkPrintRegistNo->isEnabled());
  EXPECT_TRUE(dialog_.ChkPrintRegistNo->isChecked());
  EXPECT_EQ(dialog_.Options().PrintRegistNo, std::optional<bool>(true));
  // The job prints it.
  EXPECT_TRUE(PrintJob::Chart(dialog_.Sources(), TChartType::tcSeikyu).MakePage(0).Describe().find("登録番号 T1234567890123") !=
              std::string::npos);
  dialog_.ChkPrintRegistNo->click();
  EXPECT_FALSE(dialog_.ChkPrintRegistNo->isChecked());
  EXPECT_EQ(PrintJob::Chart(dialog_.Sources(), TChartType::tcSeikyu).MakePage(0).Describe().find("登録番号"),
            std::string::npos);
  dialog_.BtnPrint->click();
  EXPECT_EQ(ReadIni().ReadString("SEIKYU", "PRINT_REGIST_NO", ""), "0");
  EXPECT_FALSE(ReadIni().HasKey("NOUHIN", "PRINT_REGIST_NO"));
  // Reopened: the stored choice wins over the default.
  Show(TChartType::tcSeikyu);
  dialog_.CBCustomerInfo->setCurrentIndex(1);
  EXPECT_FALSE(dialog_.ChkPrintRegistNo->isChecked());
  // Switching to the profile without a number and back keeps the choice.
  dialog_.CBCustomerInfo->setCurrentIndex(0);
  EXPECT_FALSE(dialog_.ChkPrintRegistNo->isEnabled());
  dialog_.ChkPrintRegistNo->setEnabled(true);  // a stale state must not leak into the options
  dialog_.CBCustomerInfo->setCurrentIndex(1);
  EXPECT_FALSE(dialog_.ChkPrintRegistNo->isChecked());
  EXPECT_TRUE(messages_.errors.isEmpty()) << messages_.errors.join('\n').toStdString();
}

TEST_F(PrintDialogTest, PerLineTaxShowsTheNoteOnlyWhileTheNumberIsPrinted) {
  AddLines(2);
  doc_.SetTaxCalcLine(true);
  doc_.DoCalc();
  companies_.CampanyInfoArray(0).SetRegistNo("T1234567890123");
  Show(TChartType::tcSeikyu);
  EXPECT_TRUE(dialog_.LblRoundOnce->isVisibleTo(&dialog_));
  dialog_.ChkPrintRegistNo->click();
  EXPECT_FALSE(dialog_.LblRoundOnce->isVisibleTo(&dialog_));
  dialog_.ChkPrintRegistNo->click();
  EXPECT_TRUE(dialog_.LblRoundOnce->isVisibleTo(&dialog_));
  Show(TChartType::tcMitumori);  // not a bill
  EXPECT_FALSE(dialog_.LblRoundOnce->isVisibleTo(&dialog_));
  doc_.SetTaxCalcLine(false);
  Show(TChartType::tcSeikyu);
  EXPECT_FALSE(dialog_.LblRoundOnce->isVisibleTo(&dialog_));
}

// From the main window: a per-line document printed as a qualified invoice asks once;
// No prints it as it is, Yes switches the document to tax on the total first.
TEST(PrintButtonsTest, RoundingOnceIsOfferedAndChangesTheDocumentOnlyWhenAgreed) {
  QTemporaryDir dir;
  qmtest::ScriptedMessages messages;
  QDir(dir.path()).mkpath("data");
  {
    QFile conf(dir.filePath("data/conf.ini"));
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write("[CAMPANY_INFO0]\r\nCampanyName1=Velora\r\nRegistNo=T1234567890123\r\n");
  }
  TFormMain window({dir.filePath("data").toStdString(), dir.filePath("history.ini").toStdString()});
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  ASSERT_EQ(window.Session().Companies().CampanyInfoArray(0).RegistNo(), "T1234567890123");
  TMxEstimateObjectList& doc = window.Document();
  doc.SetTaxRate(Currency::FromYen(5));
  doc.SetTaxDecimalMode(TCalcDecimal::cdRoundUP);
  doc.SetTaxCalcLine(true);
  doc.Items(0).SetTotalPrice(Currency::FromYen(105));
  doc.Items(1).SetTotalPrice(Currency::FromYen(106));
  doc.DoCalc();
  ASSERT_EQ(doc.TotalTax(), Currency::FromYen(12));  // 6 + 6, each line rounded up
  const auto pdfFromDialog = [&](const QString& out) {
    messages.SaveAs(out);
    QTimer::singleShot(0, [] {
      if (auto* dialog = qobject_cast<TFormPrintMitsu*>(QApplication::activeModalWidget())) dialog->BtnPdf->click();
    });
    window.findChild<QAction*>("BtnSeikyu")->trigger();
  };

  messages.Answer(false);
  pdfFromDialog(dir.filePath("as_is.pdf"));
  ASSERT_EQ(messages.asked.size(), 1);
  EXPECT_EQ(messages.asked[0], QString::fromUtf8(kRoundOnceQuestion));
  EXPECT_TRUE(doc.TaxCalcLine());
  EXPECT_TRUE(qmtest::PdfText(dir.filePath("as_is.pdf")).simplified().contains("消費税 ￥12"));

  messages.Answer(true);
  pdfFromDialog(dir.filePath("once.pdf"));
  ASSERT_EQ(messages.asked.size(), 2);
  EXPECT_FALSE(doc.TaxCalcLine());
  EXPECT_EQ(doc.TotalTax(), Currency::FromYen(11));  // 10.55 rounded up once
  const QString once = qmtest::PdfText(dir.filePath("once.pdf")).simplified();
  EXPECT_TRUE(once.contains("5%対象 ￥211")) << once.toStdString();
  EXPECT_TRUE(once.contains("消費税 ￥11 ")) << once.toStdString();
  EXPECT_TRUE(once.contains("登録番号 T1234567890123"));

  // Rounded once now: nothing more to ask.
  pdfFromDialog(dir.filePath("again.pdf"));
  EXPECT_EQ(messages.asked.size(), 2);
  EXPECT_TRUE(messages.unexpected.isEmpty()) << messages.unexpected.join('\n').toStdString();
  EXPECT_TRUE(messages.errors.isEmpty()) << messages.errors.join('\n').toStdString();
}

}  // namespace
}  // namespace qm::ui
