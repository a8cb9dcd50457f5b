#include "ui/app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QWheelEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "base/era_date.h"
#include "base/error.h"
#include "base/ini_file.h"
#include "ui/support/scripted_messages.h"
#include "ui/support/window_tests.h"
#include "ui/app/contents_tab.h"
#include "ui/common/command_table.h"
#include "ui/app/line_area.h"
#include "ui/settings/conf_dialog.h"
#include "ui/controls/history_combo_box.h"
#include "ui/controls/ss_edit.h"

using qm::Currency;
using qm::TCalcDecimal;
using qm::ui::TFormConf;
using qm::ui::TFormMain;
using qm::ui::TLineInputArea;

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(); }

  void Start() {
    window_.reset();
    window_ = qmtest::ShowMainWindow(data_);
    ASSERT_TRUE(window_);
    QApplication::setActiveWindow(window_.get());
  }
  void WriteData(const char* name, const std::string& bytes) {
    QDir(data_.path()).mkpath("data");
    qm::WriteFileAtomically(data_.filePath(QString("data/") + name).toStdString(), bytes);
  }

  TFormMain& W() { return *window_; }
  TLineInputArea::Row& Row(int n) { return W().Contents().LineArea().RowAt(n); }
  template <typename T>
  T* Find(const char* name) {
    T* w = W().findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QString Text(const char* name) { return Find<QLineEdit>(name)->text(); }

  // Types into a cell the way a user does: focus it, replace its text, leave it.
  void Type(QLineEdit* cell, const QString& text) {
    W().Contents().LineArea().ensureWidgetVisible(cell);
    cell->setFocus(Qt::TabFocusReason);
    cell->selectAll();
    QTest::keyClicks(cell, text);
  }
  void Leave() { Find<QLineEdit>("EdtMemo")->setFocus(Qt::TabFocusReason); }
  // Types quantity and unit price of line n and leaves the row.
  void Price(int n, const QString& num, const QString& price) {
    Type(Row(n).MemoItemNum, num);
    Type(Row(n).MemoItemUnitPrice, price);
    Type(Row(n).EditItemName, "item " + QString::number(n + 1));
    Leave();
  }
  void Amount(int n, const QString& amount) {
    Type(Row(n).MemoItemTotalPrice, amount);
    Type(Row(n).EditItemName, "item " + QString::number(n + 1));
    Leave();
  }
  void Select(int n) {
    Row(n).EditItemName->setFocus(Qt::MouseFocusReason);
    ASSERT_EQ(W().Contents().NowLineIndex(), n);
  }

  qmtest::ScriptedMessages messages_;
  QTemporaryDir data_;
  std::unique_ptr<TFormMain> window_;
};

}  // namespace

TEST_F(MainWindowTest, StartsWithAnEmptyDocumentOfOneHundredRows) {
  EXPECT_EQ(W().windowTitle(), "Velora Quillmark");
  EXPECT_EQ(W().Contents().LineArea().RowCount(), 100);
  EXPECT_EQ(W().Document().Count(), 100);
  for (const char* folder : {"data", "data/img", "data/data", "data/zip"})
    EXPECT_TRUE(QDir(data_.filePath(folder)).exists()) << folder;
  const qm::EraDate today = qm::ToEraDate(QDate::currentDate());
  EXPECT_EQ(Text("MMYear").toStdString(), today.yy);
  EXPECT_EQ(W().Document().SlipDateStrMM(), today.mm);
  EXPECT_EQ(Find<QComboBox>("CBNameTitle")->currentText(), "御中");
  EXPECT_EQ(W().Document().CustomerInfo().CustomerNameTitle(), "御中");
  EXPECT_EQ(Text("EdGrandTotal"), "0");
  EXPECT_EQ(Find<QLabel>("LblMode")->text(), "通常");
  EXPECT_EQ(Row(99).LblItemNo->text(), "100");
  EXPECT_EQ(Row(7).MemoItemNum->objectName(), "MemoItemNum_7");
  EXPECT_EQ(Row(7).MemoItemNum->geometry().top(), 25 * 7 + 4);
  // Every command is available.
  EXPECT_TRUE(Find<QAction>("BtnOpen")->isEnabled());
  EXPECT_TRUE(Find<QAction>("BtnMitsu")->isEnabled());
  EXPECT_TRUE(Find<QAction>("BtnRyosyu")->isEnabled());
  EXPECT_TRUE(Find<QAction>("TotalClaimPerLine")->isEnabled());
  EXPECT_TRUE(Find<QAction>("SenderConf")->isEnabled());
  EXPECT_EQ(Find<QAction>("BtnMitsu")->toolTip(), "見積書");
  EXPECT_TRUE(messages_.errors.isEmpty()) << messages_.errors.join("\n").toStdString();
  // A first start needs no postal table and says nothing: no message, no question.
  EXPECT_FALSE(QFile::exists(data_.filePath("data/zip/zip.dat")));
  EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join("\n").toStdString();
  EXPECT_TRUE(messages_.asked.isEmpty()) << messages_.asked.join("\n").toStdString();
}

TEST_F(MainWindowTest, AFirstStartRunsOnTheDefaultSettingsAndWritesNoSettingsFile) {
  // The folder tree is there (see above); the settings are every default, and conf.ini
  // is written only when the user confirms a settings dialog.
  EXPECT_FALSE(QFile::exists(data_.filePath("data/conf.ini")));
  qm::TMxConfigInfo defaults(data_.filePath("data/img").toStdString());
  defaults.LoadConfig(data_.filePath("no-such.ini").toStdString());
  const auto got = W().Session().Config().Entries(), want = defaults.Entries();
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < got.size(); ++i) EXPECT_TRUE(got[i].value == want[i].value) << got[i].key;
  EXPECT_EQ(W().Document().TaxRate(), defaults.TaxRate());
  // The standard rate since October 2019, in the window and in the settings dialog.
  EXPECT_EQ(W().Document().TaxRate(), Currency::FromYen(10));
  qmtest::OnModal<TFormConf>([](TFormConf& d) {
    EXPECT_EQ(d.EdtTax->text(), "10");
    d.BtnCancel->click();
  });
  W().findChild<QAction*>("Conf")->trigger();
  EXPECT_FALSE(QFile::exists(data_.filePath("data/conf.ini")));
}

TEST_F(MainWindowTest, AStartRemovesWhatAWriteKilledHalfWayLeftBehind) {
  WriteData("img/.pstamp0.bmp.abc123.tmp", "half a seal");
  WriteData(".conf.ini.abc124.tmp", "being written");
  QFile stale(data_.filePath("data/img/.pstamp0.bmp.abc123.tmp"));
  ASSERT_TRUE(stale.open(QIODevice::ReadWrite));
  ASSERT_TRUE(stale.setFileTime(QDateTime::currentDateTime().addSecs(-11 * 60), QFileDevice::FileModificationTime));
  stale.close();
  Start();
  EXPECT_FALSE(QFile::exists(data_.filePath("data/img/.pstamp0.bmp.abc123.tmp")));
  EXPECT_TRUE(QFile::exists(data_.filePath("data/.conf.ini.abc124.tmp")));  // not ten minutes old
}

TEST_F(MainWindowTest, HeaderControlsAreTheDocumentHeader) {
  Find<QLineEdit>("EdtName1")->setText("山田建設株式会社");
  Find<QComboBox>("CBNameTitle")->setCurrentText("様");
  Find<QComboBox>("CBKoujiName")->setEditText("外壁塗装工事");
  Find<QCheckBox>("ChBKoujiName")->setChecked(true);
  Find<QPlainTextEdit>("MMEtc")->setPlainText("一行目\n二行目");
  const qm::TMxEstimateObjectList& d = W().Document();
  EXPECT_EQ(d.CustomerInfo().CustomerName1(), "山田建設株式会社");
  EXPECT_EQ(d.CustomerInfo().CustomerNameTitle(), "様");
  EXPECT_EQ(d.KoujiNameStr(), "外壁塗装工事");
  EXPECT_TRUE(d.KoujiNamePrintCheck());
  EXPECT_EQ(d.EtcStr(), "一行目\r\n二行目");
  // And back: a document's header shows on screen.
  W().Document().CustomerInfo().SetCustomerNameTitle("殿");
  W().Document().SetSlipCodeStr("A-12");
  W().Object2FormContent();
  EXPECT_EQ(Find<QComboBox>("CBNameTitle")->currentText(), "殿");
  EXPECT_EQ(Text("MMSlipCode"), "A-12");
}

TEST_F(MainWindowTest, AmountsAndTotalsFollowEveryEdit) {
  Price(0, "3", "333.333");
  EXPECT_EQ(Row(0).MemoItemTotalPrice->text(), "999.99");
  EXPECT_EQ(W().Document().Items(0).TotalPrice(), Currency::ParseDecimal("999.99"));
  EXPECT_EQ(Text("EdSubTotal"), "999");
  EXPECT_EQ(Text("MMTax"), "99");  // 10 %, the rate of a first start
  EXPECT_EQ(Text("EdGrandTotal"), "1,098");

  // A quantity typed with a separator reads as the number; entering shows it plain.
  Price(1, "1,500", "2");
  EXPECT_EQ(W().Document().Items(1).Num(), Currency::FromYen(1500));
  EXPECT_EQ(Row(1).MemoItemNum->text(), "1,500");
  Row(1).MemoItemNum->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(Row(1).MemoItemNum->text(), "1500");
  Leave();

  // A cleared quantity comes back as 0 and the amount typed directly stands.
  Type(Row(2).MemoItemTotalPrice, "5000");
  Type(Row(2).MemoItemNum, "");
  Leave();
  EXPECT_EQ(Row(2).MemoItemNum->text(), "0");
  EXPECT_EQ(W().Document().Items(2).TotalPrice(), Currency::FromYen(5000));
  EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join("|").toStdString();
}

TEST_F(MainWindowTest, TextThatIsNoNumberIsRefused) {
  Type(Row(0).MemoItemUnitPrice, "100");
  Type(Row(0).MemoItemTotalPrice, "7");
  Type(Row(0).MemoItemNum, "12x");
  Leave();
  ASSERT_FALSE(messages_.shown.isEmpty());
  EXPECT_EQ(messages_.shown.front(), "入力の制限を超えています。");
  for (qm::ui::TSsEdit* cell : Row(0).NumericCells()) EXPECT_EQ(cell->text(), "0");
  EXPECT_TRUE(W().Document().Items(0).TotalPrice().IsZero());

  messages_.shown.clear();
  Price(1, "100000000", "100000000");  // beyond the amount range
  ASSERT_FALSE(messages_.shown.isEmpty());
  EXPECT_EQ(messages_.shown.front(), "入力の制限を超えています。");
  EXPECT_EQ(Row(1).MemoItemTotalPrice->text(), "0");
}

TEST_F(MainWindowTest, CalculationSettingsChangeTheTotalsAtOnce) {
  Amount(0, "1000");
  EXPECT_EQ(Text("MMTax"), "100");
  Find<QCheckBox>("CBTaxIn")->setChecked(true);
  EXPECT_TRUE(W().Document().TaxInputModeIncludeTax());
  EXPECT_EQ(Text("MMTax"), "(90)");  // 1,000 - 1,000 / 1.1 = 90.9
  EXPECT_EQ(Text("EdGrandTotal"), "1,000");
  Find<QComboBox>("CBUnderOne")->setCurrentIndex(2);  // 四捨五入
  EXPECT_EQ(W().Document().TaxDecimalMode(), TCalcDecimal::cdRoundOff);
  EXPECT_EQ(Text("MMTax"), "(91)");
  Find<QComboBox>("CBCalcUnit")->setCurrentIndex(1);
  EXPECT_TRUE(W().Document().TaxCalcLine());
  Find<QComboBox>("CBSubTotalUnderOne")->setCurrentIndex(1);
  EXPECT_EQ(W().Document().SubTotalDecimalMode(), TCalcDecimal::cdRoundUP);
}

TEST_F(MainWindowTest, RowsGrowAndShrinkInBlocksOfTen) {
  QPushButton* add = Find<QPushButton>("BtnAddRows");
  QPushButton* remove = Find<QPushButton>("BtnDelRows");
  remove->click();
  EXPECT_EQ(messages_.shown.value(0), "これ以上削除できません。");
  add->click();
  add->click();
  EXPECT_EQ(W().Contents().LineArea().RowCount(), 120);
  EXPECT_EQ(W().Document().Count(), 120);
  remove->click();
  EXPECT_EQ(W().Contents().LineArea().RowCount(), 110);

  Amount(104, "5");
  Amount(107, "8");
  remove->click();  // asked once; No keeps all 110
  EXPECT_EQ(messages_.asked, QStringList{"削除するデータ中に入力済みのアイテムがあります。削除してもよろしいですか？"});
  EXPECT_EQ(W().Document().Count(), 110);
  messages_.Answer(true);
  remove->click();
  EXPECT_EQ(W().Document().Count(), 100);
  EXPECT_EQ(W().Contents().LineArea().RowCount(), 100);
  EXPECT_EQ(Text("EdSubTotal"), "0");
}

TEST_F(MainWindowTest, InsertMoveDeleteAndSubtotals) {
  Amount(0, "100");
  Amount(1, "200");
  Amount(2, "300");
  Select(2);
  W().Contents().InsertSubTotalClick();
  EXPECT_TRUE(W().Document().Items(2).SubTotalLineFlg());
  EXPECT_EQ(Row(2).MemoItemTotalPrice->text(), "300");  // 100 + 200
  EXPECT_EQ(W().Document().Items(3).TotalPrice(), Currency::FromYen(300));
  EXPECT_FALSE(Row(2).MemoItemNum->isEnabled());
  EXPECT_FALSE(Row(2).CBItemNoTax->isEnabled());
  EXPECT_EQ(W().Document().Count(), 100);

  Select(0);
  W().Contents().MoveUpClick();
  EXPECT_EQ(messages_.shown.value(0), "これ以上移動できません。");
  W().Contents().MoveDownClick();
  EXPECT_EQ(W().Document().Items(1).TotalPrice(), Currency::FromYen(100));
  EXPECT_EQ(W().Contents().NowLineIndex(), 1);

  Select(4);
  W().Contents().DeleteLineClick();
  EXPECT_EQ(W().Document().Count(), 100);
  Select(0);
  W().Contents().DeleteLineClick();
  EXPECT_EQ(W().Document().Items(0).TotalPrice(), Currency::FromYen(100));
  EXPECT_EQ(W().Document().Count(), 100);

  // Insert needs an empty last line and a current line other than the last.
  Amount(99, "9");
  Select(3);
  messages_.shown.clear();
  W().Contents().InsertLineClick();
  EXPECT_EQ(messages_.shown.value(0), "これ以上挿入する場合は、入力欄を追加してから行ってください。");
  W().CommitCurrentEdit();
  messages_.shown.clear();
  W().Contents().InsertLineClick();
  EXPECT_EQ(messages_.shown.value(0), "挿入する行を1つ選択してください。");
}

TEST_F(MainWindowTest, CopyAndPasteCarryThePicture) {
  Amount(0, "100");
  W().Document().Items(0).Pic().Assign(qm::PictureKind::Png, "picture bytes");
  W().RefreshMainForm();
  EXPECT_EQ(Row(0).BtnItemPic->text(), "削除");
  Select(0);
  W().Contents().CopyLineClick();
  EXPECT_EQ(messages_.shown.value(0), "選択行をコピーしました。");
  Select(5);
  W().Contents().PasteLineClick();
  EXPECT_EQ(messages_.shown.value(1), "選択行に貼り付けました。");
  Select(0);
  W().Contents().DeleteLineClick();
  EXPECT_EQ(W().Document().Items(4).Pic().Bytes(), "picture bytes");
  EXPECT_EQ(W().Document().Items(4).TotalPrice(), Currency::FromYen(100));
  EXPECT_EQ(Text("EdSubTotal"), "100");
}

TEST_F(MainWindowTest, PickMenusGroupTheMastersByTen) {
  std::string items;
  for (int i = 1; i <= 25; ++i) items += "item" + std::to_string(i) + "," + (i == 3 ? "\x81\x83\x82\xc8\x82\xb5\x81\x84" : "m") + ",1200,800\r\n";
  WriteData("ItemList.dat", items);
  WriteData("ItemUnit.dat", "\x8e\xae\r\nm\r\n");
  Start();
  QMenu* menu = W().Contents().ItemMenu();
  const QList<QAction*> groups = menu->actions();
  ASSERT_EQ(groups.size(), 3);
  EXPECT_EQ(groups[0]->text(), "アイテム1 - 10");
  EXPECT_EQ(groups[2]->text(), "アイテム21 - 30");
  EXPECT_EQ(groups[2]->menu()->actions().size(), 5);
  EXPECT_EQ(groups[2]->menu()->actions()[4]->objectName(), "MItemName24");

  Select(0);
  groups[0]->menu()->actions()[2]->trigger();  // item3, unit ＜なし＞
  EXPECT_EQ(Row(0).EditItemName->text(), "item3");
  EXPECT_EQ(Row(0).MemoItemUnit->text(), "");
  EXPECT_EQ(Row(0).MemoItemUnitPrice->text(), "1,200");
  W().Contents().UnitMenu()->actions()[0]->menu()->actions()[0]->trigger();
  EXPECT_EQ(Row(0).MemoItemUnit->text(), "式");
}

TEST_F(MainWindowTest, HistoryBoxesRememberAndForget) {
  auto* box = Find<qm::ui::THistoryComboBox>("CBPlace");
  for (const char* t : {"A", "B", "A"}) {
    box->setFocus(Qt::TabFocusReason);
    box->setEditText(t);
    QTest::keyClick(box, Qt::Key_Return);
  }
  ASSERT_EQ(box->count(), 2);
  EXPECT_EQ(box->itemText(0), "A");
  EXPECT_EQ(box->itemText(1), "B");
  messages_.Answer(true);
  Find<QPushButton>("BtnClearPlace")->click();
  EXPECT_EQ(messages_.asked.value(0), "納入場所の履歴を削除してよろしいですか？");
  EXPECT_EQ(messages_.shown.value(0), "納入場所の履歴を削除しました。");
  EXPECT_EQ(box->count(), 0);
  const qm::IniFile store = qm::IniFile::Load(data_.filePath("history.ini").toStdString());
  EXPECT_TRUE(store.HasSection("Software\\Norvel\\Brevik\\Place"));
  EXPECT_TRUE(store.Keys("Software\\Norvel\\Brevik\\Place").empty());
}

TEST_F(MainWindowTest, NewResetsTheDocumentButKeepsThePrintBoxes) {
  Find<QComboBox>("CBCalcUnit")->setCurrentIndex(1);
  Find<QComboBox>("CBUnderOne")->setCurrentIndex(1);
  Find<QCheckBox>("ChBPlace")->setChecked(true);
  Find<QLineEdit>("EdtName1")->setText("old");
  Amount(0, "100");
  Find<QPushButton>("BtnAddRows")->click();
  messages_.Answer(false);
  W().New1Click();
  EXPECT_EQ(messages_.asked.value(0), "未保存の編集中のデータは失われます。\r\n新規作成してよろしいですか？");
  EXPECT_EQ(W().Document().Count(), 110);  // No: nothing changes
  messages_.Answer(true);
  W().New1Click();
  EXPECT_EQ(W().Document().Count(), 100);
  EXPECT_EQ(W().Contents().LineArea().RowCount(), 100);
  EXPECT_TRUE(W().Document().Items(0).Uninput());
  EXPECT_FALSE(W().Document().TaxCalcLine());
  EXPECT_EQ(W().Document().TaxDecimalMode(), TCalcDecimal::cdRoundDown);
  EXPECT_EQ(Find<QComboBox>("CBCalcUnit")->currentIndex(), 0);
  EXPECT_EQ(Text("EdtName1"), "");
  EXPECT_TRUE(Find<QCheckBox>("ChBPlace")->isChecked());
  EXPECT_TRUE(W().Document().DeliveryPlacePrintCheck());
}

TEST_F(MainWindowTest, QuestionsFollowTheConfiguration) {
  WriteData("conf.ini", "[SETTING]\r\nOPENALERT=0\r\nEXITALERT=1\r\n");
  Start();
  W().New1Click();
  EXPECT_TRUE(messages_.asked.isEmpty());
  messages_.Answer(false);
  EXPECT_FALSE(W().close());
  EXPECT_EQ(messages_.asked.value(0), "Velora Quillmarkを終了してもよろしいですか？");
  EXPECT_TRUE(W().isVisible());
  messages_.Answer(true);
  EXPECT_TRUE(W().close());
}

TEST_F(MainWindowTest, TotalClaimDocumentsAreReadOnly) {
  W().Document().SetTotalClaimMode(true);
  W().RefreshMainForm();
  for (QWidget* w : Row(0).Cells()) EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  EXPECT_TRUE(Row(0).LblItemNo->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("BtnAddRows")->isVisible());
  EXPECT_EQ(Find<QLabel>("LblMode")->text(), "合計請求");
  W().Contents().CopyLineClick();
  EXPECT_EQ(messages_.shown.value(0), "この機能は合計請求モードでは使用できません。");
}

TEST_F(MainWindowTest, EnterMovesOnAndTheWheelScrollsTenPixels) {
  W().findChild<QTabWidget*>()->setCurrentIndex(1);
  Row(3).EditFree->setFocus(Qt::TabFocusReason);
  QTest::keyClick(Row(3).EditFree, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), Row(3).EditItemName);
  QTest::keyClick(Row(3).EditItemName, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), Row(3).MemoItemNum);
  W().findChild<QTabWidget*>()->setCurrentIndex(0);
  Find<QLineEdit>("EdtName1")->setFocus(Qt::TabFocusReason);
  QTest::keyClick(Find<QLineEdit>("EdtName1"), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>("EdtName2"));

  W().findChild<QTabWidget*>()->setCurrentIndex(1);
  TLineInputArea& area = W().Contents().LineArea();
  QScrollBar* bar = area.verticalScrollBar();
  bar->setValue(100);
  QWheelEvent down(QPointF(50, 50), area.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -240), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(area.viewport(), &down);
  EXPECT_EQ(bar->value(), 120);
}

TEST_F(MainWindowTest, NewClearsTheTotalsWhicheverControlHadTheFocus) {
  // The control that has the focus, and its tab.
  const std::vector<std::pair<std::function<QWidget*()>, int>> focus = {
      {[&]() -> QWidget* { return Row(1).MemoItemTotalPrice; }, 1},
      {[&]() -> QWidget* { return Find<QLineEdit>("EdtName1"); }, 0},
      {[&]() -> QWidget* { return Find<QComboBox>("CBUnderOne"); }, 1},
      {[&]() -> QWidget* { return nullptr; }, 0},
  };
  for (std::size_t i = 0; i < focus.size(); ++i) {
    Amount(0, "1000000");
    Amount(1, "35000");
    ASSERT_EQ(Text("EdGrandTotal"), "1,138,500");
    if (QWidget* w = focus[i].first()) {
      W().findChild<QTabWidget*>()->setCurrentIndex(focus[i].second);
      if (W().Contents().LineArea().isAncestorOf(w)) W().Contents().LineArea().ensureWidgetVisible(w);
      w->setFocus(Qt::MouseFocusReason);
    }
    messages_.Answer(true);
    W().New1Click();
    for (const char* total : {"EdSubTotal", "MMTax", "EdGrandTotal"}) EXPECT_EQ(Text(total), "0") << total << " " << i;
    EXPECT_TRUE(W().Document().SubTotalPrice().IsZero()) << i;
    EXPECT_TRUE(W().Document().TotalTax().IsZero()) << i;
    EXPECT_TRUE(W().Document().TotalPrice().IsZero()) << i;
    EXPECT_TRUE(W().Document().Items(0).Uninput()) << i;
    W().CommitCurrentEdit();
    EXPECT_TRUE(W().Document().TotalPrice().IsZero()) << i;
  }
  EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join('|').toStdString();
}

TEST_F(MainWindowTest, ABadEntryIsReportedOnceThoughTheMessageTakesTheFocus) {
  // The first box takes the focus from the cell that was about to receive it; a box
  // shown while one is open takes nothing more.
  bool boxOpen = false;
  messages_.whileShown = [&boxOpen] {
    if (boxOpen) return;
    boxOpen = true;
    if (QWidget* w = QApplication::focusWidget()) {
      QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
      QApplication::sendEvent(w, &out);
    }
  };
  W().findChild<QTabWidget*>()->setCurrentIndex(1);
  for (qm::ui::TSsEdit* cell : {Row(0).MemoItemNum, Row(1).MemoItemCost}) {
    messages_.shown.clear();
    boxOpen = false;
    Type(cell, "abc");
    QTest::keyClick(cell, Qt::Key_Tab);
    EXPECT_EQ(messages_.shown, QStringList{"入力の制限を超えています。"}) << cell->objectName().toStdString();
    EXPECT_EQ(cell->text(), "0");
  }
}

TEST_F(MainWindowTest, MenusAndToolbarComeFromTheCommandTable) {
  qm::ui::CommandTable& commands = W().Commands();
  // Every menu entry and toolbar button is a command of the table, under its caption.
  QStringList inMenus;
  std::function<void(QMenu*)> walk = [&](QMenu* menu) {
    for (QAction* a : menu->actions()) {
      if (a->menu()) walk(a->menu());
      else if (!a->isSeparator()) inMenus << a->objectName();
    }
  };
  for (QAction* top : W().menuBar()->actions()) {
    if (top->menu()) walk(top->menu());
    else inMenus << top->objectName();
  }
  for (const QString& id : inMenus) EXPECT_TRUE(commands.Has(id.toStdString())) << id.toStdString();
  EXPECT_EQ(inMenus.size(), 21);
  EXPECT_TRUE(inMenus.contains("IssuedSearch"));
  EXPECT_EQ(commands.Action("IssuedSearch")->text(), "発行控えの検索(&I)");
  EXPECT_EQ(commands.Action("New1")->text(), "新規作成(&N)");
  EXPECT_EQ(commands.Action("BtnOpen")->iconText(), "開く");
  EXPECT_EQ(commands.Action("InsertSubTotal")->text(), "選択行に小計欄を挿入(&S)");

  // Every command is there; edit commands are disabled in a total-claim document and the
  // others stay.
  for (const QString& id : inMenus) EXPECT_TRUE(commands.Action(id.toStdString())->isEnabled()) << id.toStdString();
  W().Document().SetTotalClaimMode(true);
  W().RefreshMainForm();
  for (const char* id : {"CopyLine", "PasteLine", "MoveUp", "MoveDown", "InsertLine", "DeleteLine", "InsertSubTotal"})
    EXPECT_FALSE(commands.Action(id)->isEnabled()) << id;
  for (const char* id : {"New1", "BtnOpen", "BtnSave", "BtnMitsu", "B2", "IssuedSearch", "About"})
    EXPECT_TRUE(commands.Action(id)->isEnabled()) << id;
  W().Document().SetTotalClaimMode(false);
  W().RefreshMainForm();
  EXPECT_TRUE(commands.Action("CopyLine")->isEnabled());

  // A failing command ends in the general error box, and the program goes on.
  W().Document().Items(0).SetName("kept");
  QAction* failing = commands.Add({"Failing", "失敗", nullptr, true, [] { throw qm::Error("壊れています"); }});
  failing->trigger();
  EXPECT_EQ(messages_.errors, QStringList{"壊れています"});
  EXPECT_EQ(W().Document().Items(0).Name(), "kept");
}
