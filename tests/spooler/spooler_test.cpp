// Printing through the system's print spooler, end to end: the main window's print
// buttons, their dialogs' 印刷 and `qm print` send jobs to the private CUPS scheduler of
// tools/test_spooler.sh (ctest starts it), and what the spooler wrote is read back with
// pdfinfo and pdftotext and compared with `qm calc`.
#include <cups/cups.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include "base/amount_text.h"
#include "base/ini_file.h"
#include "support/pdf_tools.h"
#include "ui/archive/issued_dialog.h"
#include "ui/common/command_table.h"
#include "ui/controls/ss_edit.h"
#include "ui/print/print_dialog.h"
#include "ui/print/slip_dialogs.h"
#include "ui/support/scripted_messages.h"
#include "ui/support/window_tests.h"

namespace qm::ui {
namespace {

using qmtest::PdfPageCount;
using qmtest::PdfPageSize;
using qmtest::PdfText;

struct QmResult {
  int exit = -1;
  QByteArray out, err;
  QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
};

class SpoolerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    spoolOut_ = qEnvironmentVariable("QM_SPOOL_OUT");
    // The scheduler of ctest's spooler fixture (tools/test_spooler.sh start).
    ASSERT_TRUE(QFileInfo(spoolOut_).isDir()) << "no spooler at " << spoolOut_.toStdString()
                                               << "; run through ctest, which starts it";
    QDir(dir_.path()).mkpath("data");
    QFile::remove(Spooled());
  }

  QmResult Qm(QStringList args) const {
    QProcess p;
    args.prepend(dir_.filePath("data"));
    args.prepend("--data");
    p.start(QStringLiteral(QM_CLI_PATH), args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
  }

  // A document of three priced lines, saved as FILE.QM1 in the temporary folder.
  QString Document(const char* extra = "") {
    QFile json(dir_.filePath("doc.json"));
    EXPECT_TRUE(json.open(QIODevice::WriteOnly));
    json.write(QByteArray(R"({"CustomerInfo": {"CustomerName1": "山田建設", "CustomerNameTitle": "御中"}, )") + extra +
               R"("Lines": [{"Name": "足場", "Num": 12, "ItemUnit": "m2", "Price": 1500},
                            {"Name": "外壁塗装", "Num": 1, "ItemUnit": "式", "Price": 348000},
                            {"Name": "諸経費", "Num": 1, "ItemUnit": "式", "Price": 25000}]})");
    json.close();
    const QString file = dir_.filePath("doc.QM1");
    EXPECT_EQ(Qm({"build", json.fileName(), file, "--calc"}).exit, 0);
    return file;
  }

  // The main window over the temporary data folder with `file` as its document.
  std::unique_ptr<TFormMain> Window(const QString& file) {
    auto window = qmtest::ShowMainWindow(dir_);
    if (window) {
      window->Session().Document().LoadFile(file.toStdString());
      window->Session().Document().DoCalc();
    }
    return window;
  }

  // Opens the print dialog D with the main window's button, lets `choose` set it up,
  // presses 印刷 and waits for the spooler.
  template <class D>
  static void PrintFrom(TFormMain& window, const char* button, std::function<void(D&)> choose) {
    qmtest::OnModal<D>([choose](D& d) {
      choose(d);
      d.BtnPrint->click();
    });
    window.Commands().Action(button)->trigger();
    WaitForTheSpooler();
  }

  // The file the default printer's queue writes.
  QString Spooled() const { return spoolOut_ + "/QM-PDF.pdf"; }

  // Waits until the spooler has no job left to process.
  static void WaitForTheSpooler() {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000) {
      cups_job_t* jobs = nullptr;
      const int active = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ACTIVE);
      cupsFreeJobs(active, jobs);
      if (active == 0) return;
      QTest::qWait(200);
    }
    ADD_FAILURE() << "the spooler did not finish its jobs within a minute";
  }

  // The amounts of `qm calc` for the document, as the printed pages write them.
  QStringList CalcAmounts(const QString& file) const {
    const QJsonObject calc = Qm({"calc", file}).json();
    QStringList amounts;
    for (const char* key : {"SubTotalPrice", "TotalTax", "TotalPrice"})
      amounts << QString::fromStdString(
          CommaAdd(true, Currency::FromLongDouble(calc.value(key).toString().toDouble()), false));
    return amounts;
  }

  QTemporaryDir dir_;
  QString spoolOut_;
  qmtest::ScriptedMessages messages_;
};

TEST_F(SpoolerTest, TheEstimateDialogListsTheSpoolersPrintersAndPrintsOnTheDefaultOne) {
  const QString file = Document();
  auto window = Window(file);
  ASSERT_TRUE(window);
  PrintFrom<TFormPrintMitsu>(*window, "BtnMitsu", [](TFormPrintMitsu& d) {
    QStringList listed;
    for (int i = 0; i < d.CBPrinter->count(); ++i) listed << d.CBPrinter->itemText(i);
    EXPECT_TRUE(listed.contains("QM-Archive") && listed.contains("QM-PDF") && listed.contains("QM-Refusing"))
        << listed.join(", ").toStdString();
    // The default printer is chosen, not the first in the list.
    EXPECT_EQ(d.CBPrinter->currentText(), "QM-PDF");
    EXPECT_NE(d.CBPrinter->currentIndex(), 0);
  });
  ASSERT_TRUE(QFile::exists(Spooled())) << "nothing reached the printer";
  EXPECT_EQ(PdfPageCount(Spooled()), Qm({"pages", "0", file}).json().value("ItemPages").toInt());
  EXPECT_TRUE(PdfPageSize(Spooled(), 1).startsWith("595 x 842")) << PdfPageSize(Spooled(), 1).toStdString();
  const QString text = PdfText(Spooled());
  for (const QString& amount : CalcAmounts(file)) EXPECT_TRUE(text.contains(amount)) << amount.toStdString();
  EXPECT_TRUE(text.contains("外壁塗装"));
  EXPECT_TRUE(messages_.errors.isEmpty()) << messages_.errors.join("\n").toStdString();
}

TEST_F(SpoolerTest, ALandscapeEstimateIsTurnedOntoTheA4SheetWithEveryAmount) {
  const QString file = Document();
  auto window = Window(file);
  ASSERT_TRUE(window);
  PrintFrom<TFormPrintMitsu>(*window, "BtnMitsu", [](TFormPrintMitsu& d) {
    d.ChkPrintDirection->setChecked(true);
  });
  ASSERT_TRUE(QFile::exists(Spooled()));
  // The queue's paper is A4 portrait: the landscape page is turned onto it.
  EXPECT_TRUE(PdfPageSize(Spooled(), 1).startsWith("595 x 842")) << PdfPageSize(Spooled(), 1).toStdString();
  EXPECT_EQ(PdfPageCount(Spooled()),
            Qm({"pages", "0", file, "--set", "PRINT_DIRECTION=1"}).json().value("ItemPages").toInt());
  const QString text = PdfText(Spooled());
  for (const QString& amount : CalcAmounts(file)) EXPECT_TRUE(text.contains(amount)) << amount.toStdString();
}

TEST_F(SpoolerTest, AReceiptOnB5ComesOutOnB5WithTheTotal) {
  const QString file = Document();
  auto window = Window(file);
  ASSERT_TRUE(window);
  PrintFrom<TFormPrintReceipt>(*window, "BtnRyosyu", [](TFormPrintReceipt& d) {
    d.CBPaperSize->setCurrentText("B5");
  });
  ASSERT_TRUE(QFile::exists(Spooled()));
  EXPECT_EQ(PdfPageCount(Spooled()), 1);
  // JIS B5 as the printer description gives it.
  EXPECT_TRUE(PdfPageSize(Spooled(), 1).startsWith("518 x 727")) << PdfPageSize(Spooled(), 1).toStdString();
  const QString text = PdfText(Spooled());
  EXPECT_TRUE(text.contains(CalcAmounts(file).last() + "※")) << text.toStdString();
  EXPECT_EQ(text.count("領収致しました"), 2);  // the receipt and its copy
}

TEST_F(SpoolerTest, ATotalInvoiceAddsTheCarriedBalanceToTheDocumentsTotal) {
  const QString file = Document(R"("TotalClaimMode": true, )");
  auto window = Window(file);
  ASSERT_TRUE(window);
  ASSERT_TRUE(window->Session().Document().TotalClaimMode());
  PrintFrom<TFormPrintTotalClaim>(*window, "BtnGoukeiSeikyu", [](TFormPrintTotalClaim& d) {
    d.EdtPreClaim->setText("100000");
    d.EdtPrePaid->setText("60000");
    d.CalcResult();
  });
  ASSERT_TRUE(QFile::exists(Spooled()));
  EXPECT_TRUE(PdfPageSize(Spooled(), 1).startsWith("595 x 842"));
  const QStringList amounts = CalcAmounts(file);
  const QString text = PdfText(Spooled());
  EXPECT_TRUE(text.contains(amounts[0])) << text.toStdString();  // 御買上額
  EXPECT_TRUE(text.contains(amounts[1]));                          // 消費税額
  const QJsonObject calc = Qm({"calc", file}).json();
  const QString nowInvoiced = QString::fromStdString(
      CommaAdd(true, Currency::FromLongDouble(calc.value("TotalPrice").toString().toDouble() + 40000), false));
  EXPECT_TRUE(text.contains(nowInvoiced)) << nowInvoiced.toStdString();  // 今回御請求額
}

TEST_F(SpoolerTest, TheChosenPrinterIsRememberedAndACupsPdfQueuePrintsTheJob) {
  const QString file = Document();
  auto window = Window(file);
  ASSERT_TRUE(window);
  const QDir out(spoolOut_);
  const QStringList before = out.entryList({"*-job_*.pdf"});
  PrintFrom<TFormPrintMitsu>(*window, "BtnMitsu", [](TFormPrintMitsu& d) {
    d.CBPrinter->setCurrentText("QM-Archive");
  });
  EXPECT_EQ(IniFile::Load(dir_.filePath("data/print.ini").toStdString()).ReadString("MITSU", "PRINTER", ""),
            "QM-Archive");
  QStringList made = out.entryList({"*-job_*.pdf"});
  for (const QString& old : before) made.removeAll(old);
  ASSERT_EQ(made.size(), 1) << made.join(", ").toStdString();
  EXPECT_EQ(PdfPageCount(out.filePath(made.front())), 1);
  EXPECT_TRUE(PdfPageSize(out.filePath(made.front()), 1).startsWith("595 x 842"));
  EXPECT_FALSE(QFile::exists(Spooled()));  // not the default printer

  // Opened again, the dialog has the printer chosen last.
  qmtest::OnModal<TFormPrintMitsu>([](TFormPrintMitsu& d) {
    EXPECT_EQ(d.CBPrinter->currentText(), "QM-Archive");
    d.BtnCancel->click();
  });
  window->Commands().Action("BtnMitsu")->trigger();
}

TEST_F(SpoolerTest, APrinterThatRefusesJobsIsSaidWithTheSpoolersReason) {
  const QString file = Document();
  auto window = Window(file);
  ASSERT_TRUE(window);
  PrintFrom<TFormPrintMitsu>(*window, "BtnMitsu", [](TFormPrintMitsu& d) { d.CBPrinter->setCurrentText("QM-Refusing"); });
  ASSERT_EQ(messages_.errors.size(), 1);
  EXPECT_TRUE(messages_.errors.front().contains("QM-Refusing")) << messages_.errors.front().toStdString();
  EXPECT_TRUE(messages_.errors.front().contains("用紙がありません")) << messages_.errors.front().toStdString();
}

TEST_F(SpoolerTest, QmPrintSendsTheDialogsJobToTheDefaultOrTheNamedPrinter) {
  const QString file = Document();
  const QmResult printed = Qm({"print", "0", file});
  ASSERT_EQ(printed.exit, 0) << printed.err.toStdString();
  EXPECT_EQ(printed.json().value("Printer").toString(), "QM-PDF");
  WaitForTheSpooler();
  ASSERT_TRUE(QFile::exists(Spooled()));
  const QString text = PdfText(Spooled());
  for (const QString& amount : CalcAmounts(file)) EXPECT_TRUE(text.contains(amount)) << amount.toStdString();

  // The print settings apply as in the dialog: B5.
  ASSERT_EQ(Qm({"print", "0", file, "--printer", "QM-PDF", "--set", "PAPER_SIZE=B5"}).exit, 0);
  WaitForTheSpooler();
  EXPECT_TRUE(PdfPageSize(Spooled(), 1).startsWith("518 x 727")) << PdfPageSize(Spooled(), 1).toStdString();

  const QmResult refused = Qm({"print", "0", file, "--printer", "QM-Refusing"});
  EXPECT_EQ(refused.exit, 1);
  EXPECT_TRUE(QString::fromUtf8(refused.err).contains("用紙がありません")) << refused.err.toStdString();
  const QmResult unknown = Qm({"print", "0", file, "--printer", "No-Such-Printer"});
  EXPECT_EQ(unknown.exit, 1);
  EXPECT_TRUE(QString::fromUtf8(unknown.err).contains("No-Such-Printer")) << unknown.err.toStdString();
}

// 印刷 in the dialog and qm print keep the job's PDF in the archive, named by the printer,
// and 発行控えの検索 finds both.
TEST_F(SpoolerTest, PrintingKeepsTheIssuedCopyAndTheSearchFindsIt) {
  const QString file = Document(R"("SlipCodeStr": "P-1", )");
  auto window = Window(file);
  ASSERT_TRUE(window);
  PrintFrom<TFormPrintMitsu>(*window, "BtnSeikyu", [](TFormPrintMitsu&) {});
  ASSERT_TRUE(QFile::exists(Spooled()));
  ASSERT_EQ(Qm({"print", "tcSeikyu", file, "--printer", "QM-PDF"}).exit, 0);
  WaitForTheSpooler();

  const QmResult ls = Qm({"issued", "ls"});
  ASSERT_EQ(ls.exit, 0) << ls.err.toStdString();
  const QJsonArray records = QJsonDocument::fromJson(ls.out).array();
  ASSERT_EQ(records.size(), 2);
  const QJsonObject printed = records[0].toObject(), scripted = records[1].toObject();
  EXPECT_EQ(printed.value("Via").toString(), "print");
  EXPECT_EQ(scripted.value("Via").toString(), "qm");
  for (const QJsonObject& r : {printed, scripted}) {
    EXPECT_EQ(r.value("Target").toString(), "QM-PDF");
    EXPECT_EQ(r.value("Kind").toString(), "tcSeikyu");
    EXPECT_EQ(r.value("SlipNo").toString(), "P-1");
    EXPECT_EQ(r.value("Source").toString(), "doc.QM1");
    // The copy kept shows what the printer printed.
    const QString kept = dir_.filePath("data/" + r.value("File").toString());
    qmtest::ExpectValidPdf(kept);
    const QString text = PdfText(kept);
    for (const QString& amount : CalcAmounts(file)) EXPECT_TRUE(text.contains(amount)) << amount.toStdString();
  }
  EXPECT_EQ(scripted.value("Corrects").toInt(), printed.value("Id").toInt());
  EXPECT_EQ(Qm({"issued", "verify"}).exit, 0);

  int rows = -1;
  qmtest::OnModal<TFormIssuedSearch>([&rows](TFormIssuedSearch& d) {
    rows = d.LVIssued->rowCount();
    d.BtnClose->click();
  });
  window->Commands().Action("IssuedSearch")->trigger();
  EXPECT_EQ(rows, 2);
  EXPECT_TRUE(messages_.errors.isEmpty()) << messages_.errors.join("\n").toStdString();
}

}  // namespace
}  // namespace qm::ui
