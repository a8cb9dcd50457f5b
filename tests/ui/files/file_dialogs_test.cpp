#include "ui/files/file_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "ui/support/scripted_messages.h"
#include "ui/support/window_tests.h"
#include "ui/app/contents_tab.h"
#include "ui/app/line_area.h"
#include "ui/app/main_window.h"
#include "ui/files/file_commands.h"
#include "ui/files/file_list_view.h"

using qm::ui::TFormMain;

namespace {

class FileDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = qmtest::ShowMainWindow(data_);
    ASSERT_TRUE(window_);
  }
  TFormMain& W() { return *window_; }
  QString SaveDir() const { return data_.filePath("data/data/"); }
  // A saved document with a customer name and comment, written by the program itself.
  void Saved(const char* name, const char* company, const char* comment, bool totalClaim = false) {
    qm::TMxEstimateObjectList doc;
    doc.CustomerInfo().SetCustomerName1(company);
    doc.SetTotalClaimMode(totalClaim);
    doc.Add(std::make_unique<qm::TMxEstimateObject>());
    doc.Items(0).SetName(std::string("line of ") + name);
    doc.SaveFile((SaveDir() + name + ".QM1").toStdString(), comment);
  }
  template <typename T>
  T* In(QWidget* dialog, const char* name) {
    T* w = dialog->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  // Runs `answer` inside the next modal loop (the nested save dialog).
  void WhenModal(std::function<void()> answer) { QTimer::singleShot(0, std::move(answer)); }
  void SelectRows(qm::ui::TFileListView* list, std::initializer_list<int> rows) {
    list->clearSelection();
    for (int r : rows) list->topLevelItem(r)->setSelected(true);
  }
  int RowOf(qm::ui::TFileListView* list, const char* name) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      if (list->topLevelItem(i)->text(1) == name) return i;
    return -1;
  }

  qmtest::ScriptedMessages messages_;
  QTemporaryDir data_;
  std::unique_ptr<TFormMain> window_;
};

}  // namespace

TEST_F(FileDialogsTest, SaveNewAndOverwriteFromTheListDialog) {
  W().Document().SetMemoStr("memo as comment");
  W().Document().CustomerInfo().SetCustomerName1("山田建設");
  qm::ui::TFormListFileSave& list = W().Files().FormListFileSave();
  list.Prepare(W().Document());
  list.show();
  EXPECT_EQ(list.LVFileList->topLevelItemCount(), 0);
  WhenModal([&] {
    qm::ui::TFormSave& save = W().Files().FormSave();
    EXPECT_EQ(save.EdtComment->text(), "memo as comment");
    save.EdtFileName->setText(" 見積A");
    In<QPushButton>(&save, "BtnSave")->click();
  });
  In<QPushButton>(&list, "BtnNewSave")->click();
  ASSERT_TRUE(QFile::exists(SaveDir() + " 見積A.QM1"));  // the leading blank is kept
  ASSERT_EQ(list.LVFileList->topLevelItemCount(), 1);
  EXPECT_EQ(list.LVFileList->topLevelItem(0)->text(2), "山田建設");

  // Overwrite: the row's name and stored comment; the question answered Yes.
  messages_.Answer(true);
  SelectRows(list.LVFileList, {0});
  WhenModal([&] {
    qm::ui::TFormSave& save = W().Files().FormSave();
    EXPECT_EQ(save.EdtFileName->text(), " 見積A");
    EXPECT_EQ(save.EdtComment->text(), "memo as comment");
    save.EdtComment->setText("second");
    In<QPushButton>(&save, "BtnSave")->click();
  });
  In<QPushButton>(&list, "BtnOverwrite")->click();
  EXPECT_EQ(messages_.asked.value(0), " 見積A は既に存在します。\r\n上書きしますか？");
  EXPECT_EQ(list.LVFileList->topLevelItem(0)->text(3), "second");
  list.close();
}

TEST_F(FileDialogsTest, FileNamesAreCheckedBeforeAnythingIsWritten) {
  Saved("exists", "A", "old");
  qm::ui::TFormSave& save = W().Files().FormSave();
  save.Prepare(W().Document(), "   ", "");
  save.show();
  save.SaveClick();
  EXPECT_EQ(messages_.shown.value(0), "ファイル名を入力してください。");
  save.EdtFileName->setText("a/b");
  save.SaveClick();
  EXPECT_EQ(messages_.shown.value(1), "ファイル名に【\\ / : * ? \" < > |】を含めることは出来ません。");
  messages_.Answer(false);
  save.EdtFileName->setText("exists");
  save.SaveClick();
  EXPECT_EQ(messages_.asked.size(), 1);
  EXPECT_TRUE(save.isVisible());  // No keeps the dialog open
  EXPECT_EQ(QDir(SaveDir()).entryList(QDir::Files), QStringList{"exists.QM1"});
  qm::TMxEstimateObjectList reread;
  qm::EstimateFileInfo info;
  reread.LoadFile((SaveDir() + "exists.QM1").toStdString(), &info);
  EXPECT_EQ(info.comment, "old");
  In<QPushButton>(&save, "BtnCancel")->click();
  EXPECT_EQ(save.result(), 2);
}

TEST_F(FileDialogsTest, OpenLoadsExactlyOneChosenFile) {
  Saved("first", "会社一", "c1");
  Saved("second", "会社二", "c2", /*totalClaim=*/true);
  W().Document().CustomerInfo().SetCustomerName1("before");
  qm::ui::TFormOpen& open = W().Files().FormOpen();
  open.Prepare(W().Document());
  open.show();
  ASSERT_EQ(open.LVFileList->topLevelItemCount(), 2);
  const int second = RowOf(open.LVFileList, "second");
  EXPECT_EQ(open.LVFileList->topLevelItem(second)->text(0), "合");
  SelectRows(open.LVFileList, {0, 1});
  open.OpenClick();
  EXPECT_EQ(messages_.shown.value(0), "開くファイルを１つ選択してください。");
  EXPECT_EQ(W().Document().CustomerInfo().CustomerName1(), "before");
  // A file whose extension is written in lower case opens like any other.
  QFile::rename(SaveDir() + "first.QM1", SaveDir() + "first.qm1");
  open.Prepare(W().Document());
  SelectRows(open.LVFileList, {RowOf(open.LVFileList, "first")});
  open.OpenClick();
  EXPECT_EQ(open.result(), 1);
  EXPECT_EQ(W().Document().CustomerInfo().CustomerName1(), "会社一");
}

TEST_F(FileDialogsTest, ADamagedFileIsReportedOnceAndHidesNothing) {
  Saved("good1", "A", "");
  qm::WriteFileAtomically((SaveDir() + "broken.QM1").toStdString(), std::string("\x0f\x00\x00\x00KEST", 8));
  Saved("good2", "B", "");
  qm::ui::TFormOpen& open = W().Files().FormOpen();
  open.Prepare(W().Document());
  EXPECT_EQ(open.LVFileList->topLevelItemCount(), 2);
  ASSERT_EQ(messages_.errors.size(), 1);
  EXPECT_TRUE(messages_.errors.front().contains("broken")) << messages_.errors.front().toStdString();
}

TEST_F(FileDialogsTest, DeletingFromTheOpenDialog) {
  Saved("one", "A", "");
  Saved("two", "B", "");
  qm::ui::TFormOpen& open = W().Files().FormOpen();
  open.Prepare(W().Document());
  open.LVFileList->clearSelection();
  open.DeleteClick();
  EXPECT_EQ(messages_.shown.value(0), "削除するファイルを1つ以上選択してください。");
  messages_.Answer(true);
  SelectRows(open.LVFileList, {RowOf(open.LVFileList, "one")});
  open.DeleteClick();
  EXPECT_EQ(messages_.asked.value(0), "選択したファイルを削除します。\r\nよろしいですか？");
  EXPECT_EQ(messages_.shown.value(1), "選択したファイルを削除しました。");
  EXPECT_EQ(open.LVFileList->topLevelItemCount(), 1);
  EXPECT_FALSE(QFile::exists(SaveDir() + "one.QM1"));
}

TEST_F(FileDialogsTest, ColumnSortSharesOneDirectionFlag) {
  Saved("b", "x", "");
  Saved("A", "y", "");
  Saved("c", "z", "");
  qm::ui::TFormOpen& open = W().Files().FormOpen();
  open.Prepare(W().Document());
  qm::ui::TFileListView* list = open.LVFileList;
  list->SortByColumn(1);  // first click: ascending, A-Z folded
  EXPECT_EQ(list->topLevelItem(0)->text(1), "A");
  EXPECT_EQ(list->topLevelItem(2)->text(1), "c");
  list->SortByColumn(2);  // any further click reverses
  EXPECT_EQ(list->topLevelItem(0)->text(2), "z");
}

TEST_F(FileDialogsTest, BackupAndRestoreThroughTheMainWindow) {
  Saved("a", "A", "");
  Saved("b", "B", "");
  QTemporaryDir target;
  messages_.Choose(target.path());
  W().Files().B2Click();
  const QString name = "Backup" + QDate::currentDate().toString("yyyyMMdd");
  ASSERT_TRUE(QDir(target.filePath(name)).exists());
  EXPECT_TRUE(messages_.shown.value(0).startsWith("バックアップファイルを[")) << messages_.shown.value(0).toStdString();
  messages_.Choose(target.path());
  W().Files().B2Click();
  EXPECT_TRUE(QDir(target.filePath(name + "(1)")).exists());

  QFile::remove(SaveDir() + "a.QM1");
  Saved("new", "N", "");
  messages_.Answer(true);
  messages_.Choose(target.filePath(name));
  W().Files().R1Click();
  EXPECT_EQ(messages_.shown.last(), "2件のデータを復元しました。");
  QStringList files = QDir(SaveDir()).entryList(QDir::Files);
  files.sort();
  EXPECT_EQ(files, (QStringList{"a.QM1", "b.QM1"}));

  // A folder without estimate files changes nothing.
  QTemporaryDir empty;
  messages_.Answer(true);
  messages_.Choose(empty.path());
  W().Files().R1Click();
  EXPECT_EQ(messages_.shown.last(), "バックアップデータが存在しません。");
  EXPECT_EQ(QDir(SaveDir()).entryList(QDir::Files).size(), 2);
  // No to the question, or a cancelled folder choice, does nothing either.
  messages_.Answer(false);
  W().Files().R1Click();
  EXPECT_EQ(messages_.prompts.size(), 4);
}

TEST_F(FileDialogsTest, SearchDialogControlsFollowTheFieldChoice) {
  qm::ui::TFormSearchFile search;
  search.Prepare();
  EXPECT_EQ(search.CBHead->currentText(), "会社名");
  EXPECT_FALSE(search.BtnSearch->isEnabled());
  EXPECT_EQ(search.LblChange->text(), "を含む");
  search.EdtWord->setText("山田");
  EXPECT_TRUE(search.BtnSearch->isEnabled());
  search.CBHead->setCurrentIndex(3);  // モード
  EXPECT_EQ(search.EdtWord->text(), "通常");
  EXPECT_TRUE(search.EdtWord->isHidden());
  EXPECT_FALSE(search.CBMode->isHidden());
  EXPECT_EQ(search.LblChange->text(), "である");
  search.CBMode->setCurrentIndex(1);
  EXPECT_EQ(search.Word(), "合計請求");
  search.CBHead->setCurrentIndex(4);  // 保存日
  EXPECT_FALSE(search.DateTimePicker1->isHidden());
  EXPECT_TRUE(search.EdtWord->text().isEmpty());
  search.DateTimePicker1->setDate(QDate(2026, 3, 7));
  EXPECT_EQ(search.Word(), "2026/03/07");
  EXPECT_EQ(search.Field(), qm::SearchField::SavedAt);
}

TEST_F(FileDialogsTest, OpenAsksFirstAndNoShowsNoDialog) {
  Saved("doc", "A", "");
  messages_.Answer(false);
  W().Files().BtnOpenClick();  // answered No: returns without a modal dialog
  EXPECT_EQ(messages_.asked.value(0), "未保存の編集中のデータは失われます。\r\n他のファイルを開きますか？");
  EXPECT_FALSE(W().Files().FormOpen().isVisible());
  // Yes: the dialog opens; choosing the file loads it and the window shows it.
  messages_.Answer(true);
  WhenModal([&] {
    qm::ui::TFormOpen& open = W().Files().FormOpen();
    SelectRows(open.LVFileList, {0});
    open.OpenClick();
  });
  W().Files().BtnOpenClick();
  EXPECT_EQ(W().Document().CustomerInfo().CustomerName1(), "A");
  EXPECT_EQ(W().findChild<QLineEdit*>("EdtName1")->text(), "A");
  EXPECT_EQ(W().Contents().LineArea().RowCount(), 1);
}

TEST_F(FileDialogsTest, AFileThatFailsToOpenLeavesTheDocumentAsItWas) {
  Saved("whole", "A", "");
  // A header that lists fine, with the rest of the file cut off.
  const std::string bytes = qm::ReadWholeFile((SaveDir() + "whole.QM1").toStdString());
  qm::WriteFileAtomically((SaveDir() + "cut.QM1").toStdString(), bytes.substr(0, bytes.size() - 20));
  W().Document().CustomerInfo().SetCustomerName1("kept");
  qm::ui::TFormOpen& open = W().Files().FormOpen();
  open.Prepare(W().Document());
  open.show();
  ASSERT_EQ(open.LVFileList->topLevelItemCount(), 2);
  SelectRows(open.LVFileList, {RowOf(open.LVFileList, "cut")});
  open.OpenClick();
  ASSERT_EQ(messages_.errors.size(), 1);
  EXPECT_TRUE(messages_.errors.front().contains("cut.QM1")) << messages_.errors.front().toStdString();
  EXPECT_TRUE(open.isVisible());
  EXPECT_EQ(W().Document().CustomerInfo().CustomerName1(), "kept");
  EXPECT_EQ(W().Document().Count(), 100);
  open.close();
}

TEST_F(FileDialogsTest, DeletingFromTheSaveListDialog) {
  Saved("only", "A", "");
  qm::ui::TFormListFileSave& list = W().Files().FormListFileSave();
  list.Prepare(W().Document());
  list.LVFileList->clearSelection();
  list.DeleteClick();
  EXPECT_EQ(messages_.shown.value(0), "削除するファイルを選択してください。");
  list.OverwriteClick();
  EXPECT_EQ(messages_.shown.value(1), "上書きするファイルを選択してください。");
  messages_.Answer(true);
  SelectRows(list.LVFileList, {0});
  list.DeleteClick();
  EXPECT_EQ(messages_.asked.value(0), "only を削除します。\r\nよろしいですか？");
  EXPECT_EQ(messages_.shown.value(2), "削除しました。");
  EXPECT_EQ(list.LVFileList->topLevelItemCount(), 0);
}

// ---------------------------------------------------------------------------------------
// 合計請求データ作成

namespace {

// A saved document with priced lines and the figures its calculation stored.
void SavedBill(const QString& saveDir, const char* name, const char* company,
               const std::vector<std::pair<std::string, int>>& items) {
  qm::TMxEstimateObjectList doc;
  doc.CustomerInfo().SetCustomerName1(company);
  for (const auto& [item, yen] : items) {
    auto line = std::make_unique<qm::TMxEstimateObject>();
    line->SetName(item);
    line->SetTotalPrice(qm::Currency::FromYen(yen));
    doc.Add(std::move(line));
  }
  doc.SetTaxRate(qm::Currency::FromYen(5));
  doc.DoCalc();
  doc.SaveFile((saveDir + name + ".QM1").toStdString(), "");
}

}  // namespace

TEST_F(FileDialogsTest, TotalInvoicePerFileFromTheChosenRows) {
  SavedBill(SaveDir(), "4月分", "山田建設", {{"基礎", 6000}, {"型枠", 4000}});
  SavedBill(SaveDir(), "5月分", "別の会社", {{"塗装", 5000}});
  SavedBill(SaveDir(), "6月分", "選ばない", {{"足場", 9000}});
  W().Document().SetKoujiNameStr("編集中");
  qm::ui::TFormTotalClaim& chooser = W().Files().FormTotalClaim();

  // Answered No: nothing is shown, nothing changes.
  messages_.Answer(false);
  W().Files().MakeTotalClaimClick(qm::TotalClaimMode::PerFile);
  EXPECT_EQ(messages_.asked.value(0), "未保存の編集中のデータは失われます。\r\n合計請求データの作成を開始しますか？");
  EXPECT_FALSE(chooser.isVisible());
  EXPECT_FALSE(W().Document().TotalClaimMode());

  messages_.Answer(true);
  WhenModal([&] {
    EXPECT_EQ(chooser.windowTitle(), "ファイルの選択");
    ASSERT_EQ(chooser.LVFileList->topLevelItemCount(), 3);
    // OK with nothing chosen says so and stays open.
    chooser.LVFileList->clearSelection();
    chooser.OkClick();
    EXPECT_EQ(messages_.shown.value(0), "データを選択してください。");
    EXPECT_TRUE(chooser.isVisible());
    // The list sorted by file name, descending: 5月分 comes first and gives the customer.
    chooser.LVFileList->SortByColumn(1);
    chooser.LVFileList->SortByColumn(1);
    SelectRows(chooser.LVFileList, {RowOf(chooser.LVFileList, "4月分"), RowOf(chooser.LVFileList, "5月分")});
    chooser.OkClick();
  });
  W().Files().MakeTotalClaimClick(qm::TotalClaimMode::PerFile);

  const qm::TMxEstimateObjectList& doc = W().Document();
  ASSERT_TRUE(doc.TotalClaimMode());
  EXPECT_EQ(doc.Items(0).Name(), "5月分");
  EXPECT_EQ(doc.Items(0).TotalPrice(), qm::Currency::FromYen(5250));
  EXPECT_EQ(doc.Items(1).Name(), "4月分");
  EXPECT_EQ(doc.Items(1).TotalPrice(), qm::Currency::FromYen(10500));
  EXPECT_EQ(doc.KoujiNameStr(), "");
  // The window shows the bill: customer, mode, rows, totals; editing commands are off.
  EXPECT_EQ(W().findChild<QLineEdit*>("EdtName1")->text(), "別の会社");
  EXPECT_EQ(W().findChild<QLabel*>("LblMode")->text(), "合計請求");
  EXPECT_EQ(W().findChild<QLineEdit*>("EdGrandTotal")->text(), "15,750");
  EXPECT_EQ(W().Contents().LineArea().RowAt(1).EditItemName->text(), "4月分");
  EXPECT_FALSE(W().Contents().LineArea().RowAt(1).EditItemName->isEnabled());
  EXPECT_FALSE(W().findChild<QAction*>("CopyLine")->isEnabled());
  EXPECT_TRUE(W().findChild<QAction*>("BtnGoukeiSeikyu")->isEnabled());
  EXPECT_TRUE(messages_.errors.isEmpty()) << messages_.errors.join('\n').toStdString();
}

TEST_F(FileDialogsTest, TotalInvoicePerLineAddsRowsBeyondTheHundred) {
  std::vector<std::pair<std::string, int>> items;
  for (int i = 0; i < 60; ++i) items.emplace_back("品" + std::to_string(i), 100);
  SavedBill(SaveDir(), "a", "A", items);
  SavedBill(SaveDir(), "b", "B", items);
  messages_.Answer(true);
  WhenModal([&] {
    qm::ui::TFormTotalClaim& chooser = W().Files().FormTotalClaim();
    SelectRows(chooser.LVFileList, {0, 1});
    chooser.OkClick();
  });
  W().Files().MakeTotalClaimClick(qm::TotalClaimMode::PerLine);
  EXPECT_EQ(W().Document().Count(), 120);
  EXPECT_EQ(W().Contents().LineArea().RowCount(), 120);
  EXPECT_EQ(W().Contents().LineArea().RowAt(119).EditItemName->text(), "品59");
  EXPECT_EQ(W().findChild<QLineEdit*>("EdGrandTotal")->text(), "12,600");
}

TEST_F(FileDialogsTest, ATotalInvoiceOverAnUnreadableFileChangesNothing) {
  SavedBill(SaveDir(), "good", "A", {{"基礎", 1000}});
  const std::string bytes = qm::ReadWholeFile((SaveDir() + "good.QM1").toStdString());
  qm::WriteFileAtomically((SaveDir() + "cut.QM1").toStdString(), bytes.substr(0, bytes.size() - 20));
  W().Document().CustomerInfo().SetCustomerName1("kept");
  messages_.Answer(true);
  WhenModal([&] {
    qm::ui::TFormTotalClaim& chooser = W().Files().FormTotalClaim();
    SelectRows(chooser.LVFileList, {0, 1});
    chooser.OkClick();
  });
  W().findChild<QAction*>("TotalClaimPerLine")->trigger();
  ASSERT_EQ(messages_.errors.size(), 1);
  EXPECT_TRUE(messages_.errors.front().contains("cut.QM1")) << messages_.errors.front().toStdString();
  EXPECT_FALSE(W().Document().TotalClaimMode());
  EXPECT_EQ(W().Document().CustomerInfo().CustomerName1(), "kept");
  EXPECT_EQ(W().findChild<QLabel*>("LblMode")->text(), "通常");
}
