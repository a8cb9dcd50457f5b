// The archive in the running program: PDF出力 of the print dialogs keeps its copy, the
// preview and the FAX cover sheet keep none, a copy that cannot be kept is said while the
// PDF stays written, and 発行控えの検索 finds, sorts, opens, exports and verifies records.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "archive/issue_archive.h"
#include "base/atomic_file.h"
#include "base/cp932.h"
#include "support/pdf_tools.h"
#include "ui/archive/issued_dialog.h"
#include "ui/common/command_table.h"
#include "ui/print/preview_dialog.h"
#include "ui/print/print_dialog.h"
#include "ui/print/slip_dialogs.h"
#include "ui/support/scripted_messages.h"
#include "ui/support/window_tests.h"

namespace qm::ui {
namespace {

int ArchivedPdfs(const std::string& folder) {
  int n = 0;
  QDirIterator it(QString::fromStdString(folder), {"*.pdf"}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    it.next();
    ++n;
  }
  return n;
}

class IssuedWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = qmtest::ShowMainWindow(dir_);
    ASSERT_TRUE(window_);
    TMxEstimateObjectList& doc = window_->Document();
    doc.CustomerInfo().SetCustomerName1("山田建設株式会社");
    doc.CustomerInfo().SetCustomerCode("Y-01");
    doc.SetSlipCodeStr("W-5");
    doc.SetSlipDateStrYY("令和08");
    doc.SetSlipDateStrMM("12");
    doc.SetSlipDateStrDD("10");
    doc.Items(0).SetName("足場");
    doc.Items(0).SetTotalPrice(Currency::FromYen(35000));
    doc.DoCalc();
  }

  archive::IssueArchive& Archive() { return window_->Session().Archive(); }

  // PDF出力 of the dialog D opened with the window's `button`.
  template <class D>
  void PdfFrom(const char* button, const QString& out) {
    messages_.SaveAs(out);
    qmtest::OnModal<D>([](D& d) { d.BtnPdf->click(); });
    window_->Commands().Action(button)->trigger();
  }

  QTemporaryDir dir_;
  qmtest::ScriptedMessages messages_;
  std::unique_ptr<TFormMain> window_;
};

TEST_F(IssuedWindowTest, PdfOutputKeepsWhatItWroteThePreviewAndTheFaxSheetNothing) {
  const QString out = dir_.filePath("請求.pdf");
  PdfFrom<TFormPrintMitsu>("BtnSeikyu", out);
  ASSERT_TRUE(QFile::exists(out)) << messages_.errors.join('\n').toStdString();
  std::vector<archive::IssuedRecord> all = Archive().All();
  ASSERT_EQ(all.size(), 1u);
  const archive::IssuedRecord& r = all[0];
  EXPECT_EQ(r.kind, TChartType::tcSeikyu);
  EXPECT_EQ(r.via, archive::IssueVia::Pdf);
  EXPECT_EQ(r.target, out.toStdString());
  EXPECT_EQ(r.slipNo, "W-5");
  EXPECT_EQ(r.slipDate, QDate(2026, 12, 10));
  EXPECT_EQ(r.customer, "山田建設株式会社");
  EXPECT_EQ(r.customerCode, "Y-01");
  EXPECT_EQ(r.total, window_->Document().TotalPrice());
  EXPECT_EQ(r.tax, window_->Document().TotalTax());
  EXPECT_EQ(r.source, "");  // never saved
  EXPECT_EQ(ReadWholeFile(window_->Session().Folder().Root() + r.file), qmtest::ReadFileBytes(out));

  // The preview, and the FAX cover sheet as PDF: no record.
  qmtest::OnModal<TFormPrintMitsu>([](TFormPrintMitsu& d) {
    QTimer::singleShot(0, [] {
      if (auto* preview = qobject_cast<TFormPreview*>(QApplication::activeModalWidget())) preview->reject();
    });
    d.BtnPreview->click();
    d.reject();
  });
  window_->Commands().Action("BtnSeikyu")->trigger();
  PdfFrom<TFormPrintFaxSender>("BtnFax", dir_.filePath("fax.pdf"));
  ASSERT_TRUE(QFile::exists(dir_.filePath("fax.pdf")));
  EXPECT_EQ(Archive().All().size(), 1u);

  // The receipt is kept; with 発行した書類の控えを保存する off nothing is.
  PdfFrom<TFormPrintReceipt>("BtnRyosyu", dir_.filePath("領収.pdf"));
  all = Archive().All();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[1].kind, TChartType::tcRyosyu);
  window_->Session().Config().SetIssueArchive(false);
  PdfFrom<TFormPrintMitsu>("BtnMitsu", dir_.filePath("見積.pdf"));
  ASSERT_TRUE(QFile::exists(dir_.filePath("見積.pdf")));
  EXPECT_EQ(Archive().All().size(), 2u);
  EXPECT_EQ(ArchivedPdfs(Archive().FolderPath()), 2);
  EXPECT_TRUE(messages_.errors.isEmpty()) << messages_.errors.join('\n').toStdString();
}

TEST_F(IssuedWindowTest, ACopyThatCannotBeKeptIsSaidAndThePdfStaysWritten) {
  const std::string index = Archive().IndexPath();
  for (const bool pdfFails : {true, false}) {
    SCOPED_TRACE(pdfFails ? "the copy's write fails" : "the record's insert fails");
    messages_.errors.clear();
    SetWriteFaultHook([&](WriteStep step, const std::string& target) {
      if (pdfFails) return step == WriteStep::Rename && target.find("/issued/2026/") != std::string::npos;
      return step == WriteStep::Write && target == index;
    });
    const QString out = dir_.filePath(pdfFails ? "a.pdf" : "b.pdf");
    PdfFrom<TFormPrintMitsu>("BtnSeikyu", out);
    SetWriteFaultHook({});
    EXPECT_TRUE(QFile::exists(out));
    ASSERT_EQ(messages_.errors.size(), 1);
    EXPECT_TRUE(messages_.errors[0].startsWith("PDFを書き出しましたが、発行控えを保存できませんでした。"))
        << messages_.errors[0].toStdString();
    EXPECT_TRUE(Archive().All().empty());
    EXPECT_EQ(ArchivedPdfs(Archive().FolderPath()), 0);
  }
  // The next issue is kept as if nothing had happened.
  PdfFrom<TFormPrintMitsu>("BtnSeikyu", dir_.filePath("c.pdf"));
  EXPECT_EQ(Archive().All().size(), 1u);
  EXPECT_TRUE(Archive().Verify().bad.empty());
}

// The dialog over records put into the window's own archive.
class IssuedSearchTest : public IssuedWindowTest {
 protected:
  void SetUp() override {
    IssuedWindowTest::SetUp();
    ASSERT_TRUE(window_);
    const struct {
      TChartType kind;
      QDate date;
      const char* customer;
      long long total;
    } rows[] = {
        {TChartType::tcSeikyu, {2026, 12, 10}, "山田建設株式会社", 702487},
        {TChartType::tcMitumori, {2026, 11, 2}, "鈴木設備", 9000},
        {TChartType::tcSeikyu, {2026, 12, 20}, "鈴木設備", 120000},
        {TChartType::tcRyosyu, {2026, 12, 10}, "佐藤電気", 55000},
    };
    int n = 0;
    for (const auto& row : rows) {
      archive::IssueFacts f;
      f.kind = row.kind;
      f.slipNo = "N" + std::to_string(++n);
      f.slipDate = row.date;
      f.customer = row.customer;
      f.total = Currency::FromYen(row.total);
      Archive().Archive(f, "%PDF-1.3\n% " + f.slipNo + "\n%%EOF\n");
    }
  }

  // Opens the dialog from the ファイル menu, runs `f` in it, and closes it.
  void InDialog(std::function<void(TFormIssuedSearch&)> f) {
    bool ran = false;
    qmtest::OnModal<TFormIssuedSearch>([&](TFormIssuedSearch& d) {
      f(d);
      ran = true;
      d.BtnClose->click();
    });
    window_->Commands().Action("IssuedSearch")->trigger();
    EXPECT_TRUE(ran);
  }

  static QStringList Column(const TFormIssuedSearch& d, int column) {
    QStringList out;
    for (int row = 0; row < d.LVIssued->rowCount(); ++row) out << d.LVIssued->item(row, column)->text();
    return out;
  }
};

TEST_F(IssuedSearchTest, FiltersTypedInTheDialogFindTheRecordsBySlipDate) {
  InDialog([](TFormIssuedSearch& d) {
    // Opened: everything, by slip date.
    EXPECT_EQ(Column(d, 0), (QStringList{"2", "1", "4", "3"}));
    EXPECT_EQ(d.LblCount->text(), "4 件");
    EXPECT_EQ(Column(d, 1), (QStringList{"2026-11-02", "2026-12-10", "2026-12-10", "2026-12-20"}));
    EXPECT_EQ(Column(d, 6), (QStringList{"9,000", "702,487", "55,000", "120,000"}));

    // An era date and an amount range, edges included.
    d.EdtFrom->setText("令和8年12月10日");
    d.EdtMin->setText("55,000");
    d.EdtMax->setText("702487");
    d.BtnSearch->click();
    EXPECT_EQ(Column(d, 0), (QStringList{"1", "4", "3"}));
    d.EdtMax->setText("120,000");
    d.BtnSearch->click();
    EXPECT_EQ(Column(d, 0), (QStringList{"4", "3"}));
    d.EdtMax->setText("702487");
    d.EdtCustomer->setText("佐藤");
    d.BtnSearch->click();
    EXPECT_EQ(Column(d, 0), (QStringList{"4"}));
    EXPECT_EQ(Column(d, 4), (QStringList{"佐藤電気"}));
    d.EdtCustomer->clear();
    d.CBKind->setCurrentText("請求書");
    d.EdtFrom->clear();
    d.EdtMin->clear();
    d.EdtMax->clear();
    d.BtnSearch->click();
    EXPECT_EQ(Column(d, 0), (QStringList{"1", "3"}));
    EXPECT_EQ(Column(d, 2), (QStringList{"請求書", "請求書"}));

    // Sorting by the total orders by the amount, not by its text.
    d.CBKind->setCurrentIndex(0);
    d.BtnSearch->click();
    d.LVIssued->sortByColumn(6, Qt::AscendingOrder);
    EXPECT_EQ(Column(d, 6), (QStringList{"9,000", "55,000", "120,000", "702,487"}));
  });
}

TEST_F(IssuedSearchTest, AFilterThatDoesNotReadIsSaidAndTheHitsStay) {
  InDialog([this](TFormIssuedSearch& d) {
    d.EdtTo->setText("12月10日");
    d.BtnSearch->click();
    EXPECT_EQ(messages_.shown.value(0), "取引年月日は 2026-12-10 や 令和8年12月10日 のように入力してください。");
    EXPECT_EQ(d.LVIssued->rowCount(), 4);
    d.EdtTo->clear();
    d.EdtMin->setText("千円");
    d.BtnSearch->click();
    EXPECT_EQ(messages_.shown.value(1), "金額は数値で入力してください。");
    EXPECT_EQ(d.LVIssued->rowCount(), 4);
  });
}

TEST_F(IssuedSearchTest, OpenCsvAndVerify) {
  const std::string root = window_->Session().Folder().Root();
  InDialog([&](TFormIssuedSearch& d) {
    QStringList opened;
    d.OpenFile = [&](const QString& path) {
      opened << path;
      return true;
    };
    // After sorting, the selected row still opens its own record.
    d.LVIssued->sortByColumn(6, Qt::DescendingOrder);  // 702,487 first
    d.LVIssued->selectRow(0);
    d.BtnOpen->click();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].toStdString(), root + Archive().All()[0].file);
    EXPECT_TRUE(QFile::exists(opened[0]));

    d.EdtCustomer->setText("鈴木");
    d.BtnSearch->click();
    const QString csv = dir_.filePath("hits.csv");
    messages_.SaveAs(csv);
    d.BtnCsv->click();
    const std::string bytes = ReadWholeFile(csv.toStdString());
    EXPECT_EQ(bytes, archive::IssuedCsv(d.Hits()));
    EXPECT_EQ(d.Hits().size(), 2u);
    const QString text = QString::fromStdString(cp932::Decode(bytes));
    EXPECT_TRUE(text.startsWith("番号,発行日時,取引年月日")) << text.toStdString();
    EXPECT_EQ(text.count("\r\n"), 3);

    d.BtnVerify->click();
    EXPECT_EQ(messages_.shown.value(0), "発行控え 4 件を確かめました。問題はありません。");
    // One byte of record 3's PDF changed.
    const std::string file = root + Archive().All()[2].file;
    std::string pdf = ReadWholeFile(file);
    pdf[0] = 'X';
    WriteFileAtomically(file, pdf);
    d.BtnVerify->click();
    ASSERT_EQ(messages_.errors.size(), 1);
    EXPECT_EQ(messages_.errors[0], "発行控え 4 件のうち、次の控えに問題があります。\r\n番号 3: PDFが変更されています");
  });
}

}  // namespace
}  // namespace qm::ui
