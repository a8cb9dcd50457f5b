// The customer master, the CSV import and the item master driven through the main window,
// against a temporary data folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "base/atomic_file.h"
#include "base/cp932.h"
#include "base/ini_file.h"
#include "support/pdf_tools.h"
#include "ui/app/customer_tab.h"
#include "ui/app/main_window.h"
#include "ui/masters/customer_dialogs.h"
#include "ui/masters/import_dialog.h"
#include "ui/masters/item_dialogs.h"
#include "ui/masters/master_commands.h"
#include "ui/postal/zip_search_dialog.h"
#include "ui/print/list_print_dialog.h"
#include "ui/support/scripted_messages.h"
#include "ui/support/window_tests.h"

namespace qm::ui {
namespace {

std::string Sjis(const std::string& utf8) { return cp932::EncodeOrThrow(utf8); }

class MastersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QDir(data_.path()).mkpath("data");
    WriteFileAtomically(DataPath("Customer.dat"), Sjis("9,九番建設,,,,,,,\r\n10,十番商事,,,,,,,\r\n100,百番工務店,,,,,,,\r\n"
                                                       "2,二番設計,,,,,,,\r\n30,三十番,,,,,,,\r\n"));
    WriteFileAtomically(DataPath("ItemList.dat"), Sjis("足場,式,1500,1000\r\n塗装,㎡,2.125,1\r\n"));
    WriteFileAtomically(DataPath("ItemUnit.dat"), Sjis("式\r\n㎡\r\n"));
    Open();
  }
  void Open() {
    window_ = qmtest::ShowMainWindow(data_);
    ASSERT_TRUE(window_);
  }
  std::string DataPath(const char* name) const { return data_.filePath(QString("data/") + name).toStdString(); }
  std::string Bytes(const char* name) const {
    QFile f(QString::fromStdString(DataPath(name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<missing>");
  }
  QLineEdit* Edit(const char* name) { return window_->findChild<QLineEdit*>(name); }
  MasterCommands& M() { return window_->Masters(); }
  std::vector<std::string> Codes() {
    std::vector<std::string> codes;
    for (int i = 0; i < window_->Session().Customers().Count(); ++i)
      codes.push_back(window_->Session().Customers().Items(i).CustomerCode());
    return codes;
  }
  void SelectCodes(TFormCustomer& d, const std::vector<std::string>& codes) {
    std::vector<const TMxCustomerObject*> objects;
    const TMxCustomerObjectList& list = window_->Session().Customers();
    for (int i = 0; i < list.Count(); ++i)
      if (std::find(codes.begin(), codes.end(), list.Items(i).CustomerCode()) != codes.end())
        objects.push_back(&list.Items(i));
    d.Select(objects);
  }
  std::vector<std::string> SelectedCodes(const TFormCustomer& d) {
    std::vector<std::string> codes;
    for (const TMxCustomerObject* c : d.SelectedCustomers()) codes.push_back(c->CustomerCode());
    return codes;
  }

  qmtest::ScriptedMessages messages_;
  QTemporaryDir data_;
  std::unique_ptr<TFormMain> window_;
};

}  // namespace

// ---------------------------------------------------------------------------------------
// お客様一覧

TEST_F(MastersTest, SortingFlipsOneDirectionKeepsTheSelectionAndIsSavedOnClose) {
  qmtest::OnModal<TFormCustomer>([this](TFormCustomer& d) {
    EXPECT_EQ(d.windowTitle(), "お客様一覧");
    EXPECT_EQ(d.LVCustomer->model()->rowCount(), 5);
    EXPECT_EQ(d.LVCustomer->model()->headerData(7, Qt::Horizontal).toString(), "TEL");
    // The first click of the run sorts ascending; codes are text.
    d.LVCustomer->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(Codes(), (std::vector<std::string>{"10", "100", "2", "30", "9"}));
    SelectCodes(d, {"2", "9"});
    // The next click on any header reverses the direction.
    d.SortClick(0);
    EXPECT_EQ(Codes(), (std::vector<std::string>{"9", "30", "2", "100", "10"}));
    EXPECT_EQ(SelectedCodes(d), (std::vector<std::string>{"9", "2"}));  // the same customers
    EXPECT_EQ(d.LVCustomer->model()->index(0, 1).data().toString(), "九番建設");
    d.SortClick(1);  // by name, ascending again
    EXPECT_EQ(d.SortAngle, 0);
    d.BtnClose->click();
  });
  window_->Customer().CustomerButton()->click();
  // Written however the dialog closed, in the order it shows.
  const std::vector<std::string> sorted = Codes();
  std::string expected;
  for (const std::string& code : sorted) {
    const TMxCustomerObjectList& list = window_->Session().Customers();
    for (int i = 0; i < list.Count(); ++i)
      if (list.Items(i).CustomerCode() == code)
        expected += Sjis(code + "," + list.Items(i).CustomerName1() + ",,,,,,,\r\n");
  }
  EXPECT_EQ(Bytes("Customer.dat"), expected);
  EXPECT_TRUE(messages_.errors.isEmpty()) << messages_.errors.join('\n').toStdString();
}

// The Peppol ID of the add and edit dialogs goes into PeppolID.dat under the customer's
// code, follows a changed code, and one that does not read keeps the dialog open.
TEST_F(MastersTest, ThePeppolIdOfACustomerIsKeptBesideTheMaster) {
  Edit("MMCusCode")->setText("77");
  Edit("EdtName1")->setText("新規建設");
  qmtest::OnModal<TFormCustomer>([this](TFormCustomer& d) {
    qmtest::OnModal<TFormCustomInput>([this](TFormCustomInput& add) {
      EXPECT_EQ(add.EdtPeppolId->text(), "");
      add.EdtPeppolId->setText("0188:12");
      add.BtnOk->click();
      EXPECT_TRUE(add.isVisible());
      EXPECT_TRUE(messages_.shown.value(0).contains("13桁")) << messages_.shown.value(0).toStdString();
      add.EdtPeppolId->setText("０１８８：３２１０９８７６５４３２１");
      add.BtnOk->click();
    });
    d.BtnAdd->click();
    SelectCodes(d, {"77"});
    qmtest::OnModal<TFormCustomInput>([](TFormCustomInput& edit) {
      EXPECT_EQ(edit.EdtPeppolId->text(), "0188:3210987654321");
      edit.MMCusCode->setText("78");
      edit.BtnOk->click();
    });
    d.BtnEdit->click();
    SelectCodes(d, {"9"});
    qmtest::OnModal<TFormCustomInput>([](TFormCustomInput& edit) {
      EXPECT_EQ(edit.EdtPeppolId->text(), "");
      edit.BtnOk->click();
    });
    d.BtnEdit->click();
    d.BtnClose->click();
  });
  window_->Customer().CustomerButton()->click();
  EXPECT_EQ(Bytes("PeppolID.dat"), "78,0188:3210987654321\r\n");
  EXPECT_EQ(window_->Session().PeppolIds().Find("77"), "");
  // Customer.dat keeps its nine fields.
  EXPECT_NE(Bytes("Customer.dat").find(Sjis("78,新規建設,,,,,,,\r\n")), std::string::npos);
}

TEST_F(MastersTest, AddEditDeleteAndSelect) {
  Edit("MMCusCode")->setText("77");
  Edit("EdtName1")->setText("新規建設");
  Edit("EdtTel")->setText("03-7777");
  qmtest::OnModal<TFormCustomer>([this](TFormCustomer& d) {
    // Add: opens with the customer of the document.
    qmtest::OnModal<TFormCustomInput>([](TFormCustomInput& add) {
      EXPECT_EQ(add.windowTitle(), "お客様の追加");
      EXPECT_EQ(add.MMCusCode->text(), "77");
      EXPECT_EQ(add.EdtName1->text(), "新規建設");
      EXPECT_EQ(add.EdtTel->text(), "03-7777");
      add.EdtAdd2->setText("3階");
      add.BtnOk->click();
    });
    d.BtnAdd->click();
    ASSERT_EQ(Codes().back(), "77");
    EXPECT_EQ(window_->Session().Customers().Items(5).Address2(), "3階");

    // Edit: one row only.
    messages_.shown.clear();
    d.LVCustomer->clearSelection();
    d.BtnEdit->click();
    EXPECT_EQ(messages_.shown.value(0), "編集するお客様情報を1つ選択して下さい。");
    SelectCodes(d, {"10"});
    qmtest::OnModal<TFormCustomInput>([](TFormCustomInput& edit) {
      EXPECT_EQ(edit.windowTitle(), "編集");
      EXPECT_EQ(edit.EdtName1->text(), "十番商事");
      edit.EdtName1->setText("十番商事株式会社");
      edit.BtnOk->click();
    });
    d.BtnEdit->click();
    EXPECT_EQ(window_->Session().Customers().Items(1).CustomerName1(), "十番商事株式会社");

    // Delete: three of six, after the question.
    d.LVCustomer->clearSelection();
    d.BtnDelete->click();
    EXPECT_EQ(messages_.shown.value(1), "削除するお客様情報を1つ以上選択して下さい。");
    SelectCodes(d, {"10", "2", "77"});
    messages_.Answer(false);
    d.BtnDelete->click();
    EXPECT_EQ(Codes().size(), 6u);
    messages_.Answer(true);
    d.BtnDelete->click();
    EXPECT_EQ(messages_.asked.value(1), "選択したお客様情報を削除します。よろしいですか？");
    EXPECT_EQ(Codes(), (std::vector<std::string>{"9", "100", "30"}));

    // Select: into the document's customer block, then the dialog closes.
    SelectCodes(d, {"9", "30"});
    d.BtnSelect->click();
    EXPECT_EQ(messages_.shown.value(2), "お客様情報を１つ選択して下さい。");
    SelectCodes(d, {"100"});
    d.BtnSelect->click();
  });
  window_->Customer().CustomerButton()->click();
  EXPECT_EQ(Edit("MMCusCode")->text(), "100");
  EXPECT_EQ(Edit("EdtName1")->text(), "百番工務店");
  EXPECT_EQ(Edit("EdtTel")->text(), "");
  EXPECT_EQ(window_->Document().CustomerInfo().CustomerName1(), "百番工務店");
  EXPECT_EQ(Bytes("Customer.dat"), Sjis("9,九番建設,,,,,,,\r\n100,百番工務店,,,,,,,\r\n30,三十番,,,,,,,\r\n"));
}

TEST_F(MastersTest, PostalLookupsOfTheAddDialog) {
  QDir(data_.path()).mkpath("data/zip");
  WriteFileAtomically(DataPath("zip/zip.dat"), Sjis("1000001,東京都千代田区千代田\r\n"));
  qmtest::OnModal<TFormCustomer>([this](TFormCustomer& d) {
    qmtest::OnModal<TFormCustomInput>([this](TFormCustomInput& add) {
      add.EdtZip->setText("100-0001");
      qmtest::OnModal<TFormZipSearch>([](TFormZipSearch& list) { list.BtnOk->click(); });
      add.BtnZip->click();
      EXPECT_EQ(add.EdtAdd1->text(), "東京都千代田区千代田");
      add.BtnClose->click();
    });
    d.BtnAdd->click();
    // The edit dialog says the code is unknown when no address matches.
    SelectCodes(d, {"9"});
    qmtest::OnModal<TFormCustomInput>([this](TFormCustomInput& edit) {
      edit.EdtAdd1->setText("札幌");
      edit.BtnAdd1->click();
      EXPECT_EQ(messages_.shown.value(0), "郵便番号が不明です。");
      edit.BtnClose->click();
    });
    d.BtnEdit->click();
    d.BtnClose->click();
  });
  window_->Customer().CustomerButton()->click();
  EXPECT_EQ(Codes().size(), 5u);  // both closed without a change
}

TEST_F(MastersTest, ExportThenImportWithTheDialogsChoices) {
  const QString csv = data_.filePath("customers.csv");
  qmtest::OnModal<TFormCustomer>([&](TFormCustomer& d) {
    messages_.SaveAs(csv);
    d.BtnExport->click();
    // The file read back: the heading line becomes a customer too.
    messages_.Open(csv);
    qmtest::OnModal<TFormImport>([](TFormImport& import) {
      EXPECT_EQ(import.SG_CSV->model()->rowCount(), 6);
      EXPECT_EQ(import.SG_CSV->model()->headerData(8, Qt::Horizontal).toString(), "９");
      EXPECT_EQ(import.CBName1->currentText(), "１");  // presets
      EXPECT_EQ(import.CBCusCode->currentText(), "なし");
      EXPECT_EQ(import.CBZip->currentText(), "６");
      import.CBCusCode->setCurrentIndex(0);
      import.CBName1->setCurrentIndex(1);
      import.CBName2->setCurrentIndex(import.CBName2->count() - 1);
      import.BtnImport->click();
    });
    d.BtnImport->click();
    EXPECT_EQ(d.LVCustomer->model()->rowCount(), 11);

    // A file that cannot be read: the error, and nothing of the last file to import.
    messages_.Open(data_.filePath("missing.csv"));
    qmtest::OnModal<TFormImport>([](TFormImport& import) {
      EXPECT_EQ(import.SG_CSV->model()->rowCount(), 0);
      EXPECT_EQ(import.CBName1->count(), 1);
      import.BtnImport->click();
    });
    d.BtnImport->click();
    EXPECT_EQ(d.LVCustomer->model()->rowCount(), 11);
    d.BtnClose->click();
  });
  window_->Customer().CustomerButton()->click();
  ASSERT_EQ(messages_.errors.size(), 1);
  EXPECT_TRUE(messages_.errors[0].contains("missing.csv"));
  const TMxCustomerObjectList& list = window_->Session().Customers();
  EXPECT_EQ(list.Items(5).CustomerCode(), "お客様コード");
  EXPECT_EQ(list.Items(5).CustomerName1(), "会社名１");
  EXPECT_EQ(list.Items(6).CustomerCode(), "9");
  EXPECT_EQ(list.Items(6).CustomerName1(), "九番建設");
  EXPECT_TRUE(messages_.saveRequests.value(0).startsWith("CSVファイル(*.csv)|csv|"));
}

TEST_F(MastersTest, ListsPrintAsPdf) {
  const QString pdf = data_.filePath("customers.pdf");
  qmtest::OnModal<TFormCustomer>([&](TFormCustomer& d) {
    messages_.SaveAs(pdf);
    qmtest::OnModal<TFormPrintList>([](TFormPrintList& print) {
      EXPECT_EQ(print.windowTitle(), "お客様一覧印刷");
      EXPECT_FALSE(print.CBCustomerInfo->isVisible());
      print.BtnPdf->click();
    });
    d.BtnPrint->click();
    d.BtnClose->click();
  });
  window_->Customer().CustomerButton()->click();
  qmtest::ExpectValidPdf(pdf);
  EXPECT_TRUE(qmtest::PdfText(pdf).contains("百番工務店"));

  const QString items = data_.filePath("items.pdf");
  qmtest::OnModal<TFormItemList>([&](TFormItemList& d) {
    messages_.SaveAs(items);
    qmtest::OnModal<TFormPrintList>([](TFormPrintList& print) {
      EXPECT_EQ(print.windowTitle(), "品名リスト印刷");
      print.CBPaperSize->setCurrentIndex(1);
      print.BtnPdf->click();
    });
    d.BtnPrint->click();
    d.BtnCancel->click();
  });
  window_->findChild<QAction*>("ItemListEdit")->trigger();
  qmtest::ExpectValidPdf(items);
  EXPECT_TRUE(qmtest::PdfText(items).contains("足場"));
  EXPECT_EQ(IniFile::Load(DataPath("print.ini")).ReadString("ITEM_LIST", "PAPER_SIZE", ""), "B5");
  EXPECT_TRUE(messages_.errors.isEmpty()) << messages_.errors.join('\n').toStdString();
}

TEST_F(MastersTest, AMasterReadInPartIsNeverWritten) {
  const std::string partial = Sjis("1,一番,,,,,,,\r\n2,short\r\n3,三番,,,,,,,\r\n");
  WriteFileAtomically(DataPath("Customer.dat"), partial);
  messages_.errors.clear();
  Open();
  ASSERT_FALSE(messages_.errors.isEmpty());  // said at start
  messages_.errors.clear();
  qmtest::OnModal<TFormCustomer>([](TFormCustomer& d) {
    EXPECT_EQ(d.LVCustomer->model()->rowCount(), 1);
    d.BtnClose->click();
  });
  window_->Customer().CustomerButton()->click();
  ASSERT_EQ(messages_.errors.size(), 1);
  EXPECT_TRUE(messages_.errors[0].contains("Customer.dat")) << messages_.errors[0].toStdString();
  EXPECT_EQ(Bytes("Customer.dat"), partial);
}

// ---------------------------------------------------------------------------------------
// 品名リスト編集

TEST_F(MastersTest, ItemAmountsAreCheckedAndStoredAsTyped) {
  qmtest::OnModal<TFormItemList>([this](TFormItemList& d) {
    EXPECT_EQ(d.LVItemList->model()->index(0, 2).data().toString(), "1,500");
    EXPECT_EQ(d.LVItemList->model()->index(1, 2).data().toString(), "2.13");  // at most two decimals
    qmtest::OnModal<TFormItemInput>([this](TFormItemInput& add) {
      EXPECT_EQ(add.windowTitle(), "品名の追加");
      EXPECT_FALSE(add.BtnOk->isEnabled());
      EXPECT_EQ(add.CBItemUnit->currentText(), "＜なし＞");
      EXPECT_EQ(add.CBItemUnit->itemText(2), "㎡");
      add.EdtItemName->setText("配管");
      EXPECT_TRUE(add.BtnOk->isEnabled());
      // Typed keys: letters are dropped.
      add.EdtItemPrice->clear();
      add.EdtItemPrice->setFocus();
      QTest::keyClicks(add.EdtItemPrice, "1a,234.5");
      EXPECT_EQ(add.EdtItemPrice->text(), "1234.5");
      add.EdtItemPrice->setText("1,234.5");
      add.LeaveAmount(add.EdtItemPrice);
      EXPECT_EQ(add.EdtItemPrice->text(), "1,234.5");
      add.EnterAmount(add.EdtItemPrice);
      EXPECT_EQ(add.EdtItemPrice->text(), "1234.5");
      add.EdtItemCost->setText("abc");  // pasted
      add.LeaveAmount(add.EdtItemCost);
      EXPECT_EQ(messages_.shown.value(0), "原価の入力が不正です。");
      EXPECT_EQ(add.EdtItemCost->text(), "0");
      // Checked on OK whenever not empty: the dialog stays open.
      add.EdtItemCost->setText("12x");
      add.OkClick();
      EXPECT_EQ(messages_.shown.value(1), "原価の入力が不正です。");
      EXPECT_TRUE(add.isVisible());
      add.EdtItemCost->setText("");
      add.BtnOk->click();
    });
    d.BtnItemAdd->click();
    const TMxItemObject& added = window_->Session().Items().Items(2);
    EXPECT_EQ(added.ItemName(), "配管");
    EXPECT_EQ(added.ItemPrice(), Currency::ParseDecimal("1234.5"));
    EXPECT_EQ(added.ItemCost(), Currency());
    EXPECT_EQ(added.ItemUnit(), "＜なし＞");

    // Renaming keeps the stored 2.125 although the field showed 2.13.
    d.LVItemList->selectRow(1);
    qmtest::OnModal<TFormItemInput>([](TFormItemInput& edit) {
      EXPECT_EQ(edit.EdtItemPrice->text(), "2.13");
      edit.EdtItemName->setText("塗装工事");
      edit.BtnOk->click();
    });
    d.BtnItemEdit->click();
    EXPECT_EQ(window_->Session().Items().Items(1).ItemName(), "塗装工事");
    EXPECT_EQ(window_->Session().Items().Items(1).ItemPrice(), Currency::ParseDecimal("2.125"));
    // A price typed anew goes through the field's amount form: 2.135 is shown and stored
    // as 2.14.
    qmtest::OnModal<TFormItemInput>([](TFormItemInput& edit) {
      QTest::keyClicks(edit.EdtItemPrice, "5");  // appended to the shown 2.13
      edit.LeaveAmount(edit.EdtItemPrice);
      EXPECT_EQ(edit.EdtItemPrice->text(), "2.14");
      edit.BtnOk->click();
    });
    d.BtnItemEdit->click();
    EXPECT_EQ(window_->Session().Items().Items(1).ItemPrice(), Currency::ParseDecimal("2.14"));
    d.BtnOk->click();
  });
  window_->findChild<QAction*>("ItemListEdit")->trigger();
  EXPECT_EQ(Bytes("ItemList.dat"), Sjis("足場,式,1500,1000\r\n塗装工事,㎡,2.14,1\r\n配管,＜なし＞,1234.5,0\r\n"));
  // The pick menu knows the new item.
  EXPECT_NE(window_->findChild<QAction*>("MItemName2"), nullptr);
}

TEST_F(MastersTest, CancelDropsEveryChangeAndUnitsComeAfterOk) {
  const std::string items = Bytes("ItemList.dat"), units = Bytes("ItemUnit.dat");
  qmtest::OnModal<TFormItemList>([this](TFormItemList& d) {
    for (const char* name : {"一", "二", "三"}) {
      qmtest::OnModal<TFormItemInput>([name](TFormItemInput& add) {
        add.EdtItemName->setText(QString::fromUtf8(name));
        add.BtnOk->click();
      });
      d.BtnItemAdd->click();
    }
    qmtest::OnModal<TFormUnitInput>([](TFormUnitInput& unit) {
      EXPECT_FALSE(unit.BtnOk->isEnabled());
      unit.EdtUnit->setText("本 ");
      QTest::keyClick(unit.EdtUnit, Qt::Key_Return);  // Enter acts as OK
    });
    d.BtnUnitAdd->click();
    EXPECT_EQ(d.LBItemUnit->count(), 3);
    // Not among the item dialog's choices before OK.
    qmtest::OnModal<TFormItemInput>([](TFormItemInput& add) {
      EXPECT_EQ(add.CBItemUnit->findText("本 "), -1);
      add.BtnCancel->click();
    });
    d.BtnItemAdd->click();
    d.BtnCancel->click();
  });
  window_->findChild<QAction*>("ItemListEdit")->trigger();
  EXPECT_EQ(Bytes("ItemList.dat"), items);
  EXPECT_EQ(Bytes("ItemUnit.dat"), units);
  EXPECT_EQ(window_->Session().Items().Count(), 2);
  EXPECT_EQ(window_->Session().Units().Count(), 2);

  // Units edited and deleted on OK; items keep the unit they use.
  qmtest::OnModal<TFormItemList>([this](TFormItemList& d) {
    d.BtnUnitEdit->click();
    EXPECT_EQ(messages_.shown.value(0), "編集する単位を選択して下さい。");
    d.LBItemUnit->setCurrentRow(0);
    qmtest::OnModal<TFormUnitInput>([](TFormUnitInput& unit) {
      EXPECT_EQ(unit.EdtUnit->text(), "式");
      unit.EdtUnit->setText("一式");
      unit.BtnOk->click();
    });
    d.BtnUnitEdit->click();
    d.LBItemUnit->setCurrentRow(1);
    messages_.Answer(true);
    d.BtnUnitDelete->click();
    EXPECT_EQ(messages_.asked.value(0), "㎡　を削除します、よろしいですか？");
    d.LVItemList->selectRow(0);
    messages_.Answer(true);
    d.BtnItemDelete->click();
    EXPECT_EQ(messages_.asked.value(1), "足場　を削除します、よろしいですか？");
    d.BtnOk->click();
  });
  window_->findChild<QAction*>("ItemListEdit")->trigger();
  EXPECT_EQ(Bytes("ItemUnit.dat"), Sjis("一式\r\n"));
  EXPECT_EQ(Bytes("ItemList.dat"), Sjis("塗装,㎡,2.125,1\r\n"));
  EXPECT_TRUE(messages_.errors.isEmpty()) << messages_.errors.join('\n').toStdString();
}

}  // namespace qm::ui
