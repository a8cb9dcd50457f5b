// The input controls: number fields, CP932-only text, history boxes.
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QIntValidator>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "base/ini_file.h"
#include "model/history_store.h"
#include "ui/controls/cp932_input.h"
#include "ui/controls/history_combo_box.h"
#include "ui/controls/ss_edit.h"

using qm::ui::IsCp932Text;
using qm::ui::RestrictToCp932;
using qm::ui::THistoryComboBox;
using qm::ui::TSsEdit;

namespace {

// QTest::keyClicks only types Latin-1; this sends one key press per character, as a
// keyboard or an input method in direct mode does (an emoji is one press, two units).
void TypeText(QWidget* w, const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, text.mid(i, len), Qt::NoModifier);
    i += len - 1;
  }
}

void CommitText(QWidget* w, const QString& text) {
  QInputMethodEvent e;
  e.setCommitString(text);
  QApplication::sendEvent(w, &e);
}

// A shown, active top-level window: focus changes only happen in one.
class Window {
 public:
  Window() : layout_(new QVBoxLayout(&top_)) {}
  template <class W, class... Args>
  W* Add(Args&&... args) {
    auto* w = new W(std::forward<Args>(args)...);
    layout_->addWidget(w);
    return w;
  }
  bool Show() {
    top_.show();
    top_.activateWindow();
    return QTest::qWaitForWindowActive(&top_);
  }

 private:
  QWidget top_;
  QVBoxLayout* layout_;
};

// Text outside CP932: an emoji (a surrogate pair), Hangul, a Latin letter with accent.
const QString kEmoji = QString::fromUtf8("😀");
const QString kOutside[] = {kEmoji, QString::fromUtf8("가"), QString::fromUtf8("é")};
// The forms Linux input methods give for marks CP932 holds in their fullwidth forms.
const QString kImeMarks = QString::fromUtf8("\u301C\u2212\u2016\u00A2\u00A3\u00AC");

}  // namespace

// ---------------------------------------------------------------------------------
// TSsEdit

TEST(SsEdit, CreatedAsAFocusableFieldWithoutInputMethod) {
  TSsEdit edit;
  EXPECT_EQ(edit.size(), QSize(121, 20));
  EXPECT_EQ(edit.focusPolicy(), Qt::StrongFocus);
  EXPECT_FALSE(edit.testAttribute(Qt::WA_InputMethodEnabled));
  // QLineEdit switches the input method on again when it stops being read-only.
  edit.setReadOnly(true);
  edit.setReadOnly(false);
  EXPECT_FALSE(edit.testAttribute(Qt::WA_InputMethodEnabled));

  edit.SetImeEnabled(true);
  EXPECT_TRUE(edit.testAttribute(Qt::WA_InputMethodEnabled));
  edit.setReadOnly(true);
  EXPECT_FALSE(edit.testAttribute(Qt::WA_InputMethodEnabled));
  edit.setReadOnly(false);
  EXPECT_TRUE(edit.testAttribute(Qt::WA_InputMethodEnabled));
}

TEST(SsEdit, AlignmentPlacesTheText) {
  Window window;
  auto* edit = window.Add<TSsEdit>();
  ASSERT_TRUE(window.Show());
  edit->setText("1");
  edit->setCursorPosition(1);
  // The text's offset is worked out when the field is painted.
  auto cursorX = [&] {
    edit->repaint();
    return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
  };
  const int third = edit->width() / 3;

  EXPECT_EQ(edit->Alignment(), Qt::AlignLeft);
  EXPECT_LT(cursorX(), third);
  edit->SetAlignment(Qt::AlignRight);
  EXPECT_EQ(edit->Alignment(), Qt::AlignRight);
  EXPECT_GT(cursorX(), 2 * third);
  edit->SetAlignment(Qt::AlignHCenter);
  EXPECT_EQ(edit->Alignment(), Qt::AlignHCenter);
  EXPECT_GT(cursorX(), third);
  EXPECT_LT(cursorX(), 2 * third);
  EXPECT_TRUE(edit->alignment() & Qt::AlignVCenter);
}

TEST(SsEdit, MaxLengthLimitsTypingAndZeroMeansNoLimit) {
  TSsEdit edit;
  qm::ui::TSsEditOption option;
  option.Length.MaxLength = 5;
  option.Length.DecLength = 2;
  edit.SetEditOption(option);
  EXPECT_EQ(edit.EditOption().Length.DecLength, 2);
  QTest::keyClicks(&edit, "1234567");
  EXPECT_EQ(edit.text(), "12345");

  option.Length.MaxLength = 0;
  edit.SetEditOption(option);
  const QString longText(200, u'9');
  QTest::keyClicks(&edit, longText);
  EXPECT_EQ(edit.text(), "12345" + longText);
}

namespace {

struct FocusWay {
  const char* name;
  std::function<void(QWidget* before, TSsEdit* edit, QWidget* after)> enter;
  friend void PrintTo(const FocusWay& way, std::ostream* os) { *os << way.name; }
};

class SsEditFocus : public ::testing::TestWithParam<FocusWay> {};

}  // namespace

TEST_P(SsEditFocus, SelectsTheWholeTextAndKeepsItExactly) {
  Window window;
  auto* before = window.Add<QLineEdit>();
  auto* edit = window.Add<TSsEdit>();
  auto* after = window.Add<QLineEdit>();
  ASSERT_TRUE(window.Show());
  edit->setText("1,500");

  GetParam().enter(before, edit, after);
  ASSERT_TRUE(edit->hasFocus());
  EXPECT_EQ(edit->selectedText(), "1,500");
  EXPECT_EQ(edit->text(), "1,500");

  after->setFocus();  // leaving does not format either
  EXPECT_EQ(edit->text(), "1,500");
}

INSTANTIATE_TEST_SUITE_P(
    SsEdit, SsEditFocus,
    ::testing::Values(
        FocusWay{"Tab", [](QWidget* before, TSsEdit*, QWidget*) {
                   before->setFocus();
                   QTest::keyClick(before, Qt::Key_Tab);
                 }},
        FocusWay{"Backtab", [](QWidget*, TSsEdit*, QWidget* after) {
                   after->setFocus();
                   QTest::keyClick(after, Qt::Key_Tab, Qt::ShiftModifier);
                 }},
        FocusWay{"Click", [](QWidget* before, TSsEdit* edit, QWidget*) {
                   before->setFocus();
                   QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
                 }},
        FocusWay{"ClickAndDrag", [](QWidget* before, TSsEdit* edit, QWidget*) {
                   before->setFocus();
                   const int y = edit->height() / 2;
                   QTest::mousePress(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, y));
                   QTest::mouseMove(edit, QPoint(2, y));
                   QTest::mouseRelease(edit, Qt::LeftButton, {}, QPoint(2, y));
                 }},
        FocusWay{"Program", [](QWidget* before, TSsEdit* edit, QWidget*) {
                   before->setFocus();
                   edit->setFocus();
                 }}),
    [](const ::testing::TestParamInfo<FocusWay>& info) { return std::string(info.param.name); });

TEST(SsEdit, TypingReplacesAndASecondClickPlacesTheCursor) {
  Window window;
  auto* before = window.Add<QLineEdit>();
  auto* edit = window.Add<TSsEdit>();
  ASSERT_TRUE(window.Show());
  edit->setText("1,500");
  before->setFocus();
  QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
  QTest::keyClicks(edit, "2000");
  EXPECT_EQ(edit->text(), "2000");

  QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(2, edit->height() / 2));
  EXPECT_FALSE(edit->hasSelectedText());
  EXPECT_EQ(edit->cursorPosition(), 0);
}

// ---------------------------------------------------------------------------------
// CP932-only input

TEST(Cp932Input, LineEditRefusesTypedAndCommittedCharactersOutsideCp932) {
  QLineEdit edit;
  RestrictToCp932(&edit);
  TypeText(&edit, QString::fromUtf8("見積😀"));
  EXPECT_EQ(edit.text(), QString::fromUtf8("見積"));
  for (const QString& c : kOutside) TypeText(&edit, c);
  EXPECT_EQ(edit.text(), QString::fromUtf8("見積"));

  CommitText(&edit, QString::fromUtf8("書") + kEmoji);  // one commit, refused as a whole
  EXPECT_EQ(edit.text(), QString::fromUtf8("見積"));
  CommitText(&edit, QString::fromUtf8("書①㈱"));
  EXPECT_EQ(edit.text(), QString::fromUtf8("見積書①㈱"));

  edit.clear();
  TypeText(&edit, kImeMarks);
  EXPECT_EQ(edit.text(), kImeMarks);
}

TEST(Cp932Input, LineEditRefusesPastedAndInsertedText) {
  QLineEdit edit;
  RestrictToCp932(&edit);
  edit.setText("A");
  edit.end(false);
  edit.insert(QString::fromUtf8("工事") + kEmoji);
  EXPECT_EQ(edit.text(), "A");
  QApplication::clipboard()->setText(QString::fromUtf8("가나"));
  edit.paste();
  EXPECT_EQ(edit.text(), "A");
  QApplication::clipboard()->setText(QString::fromUtf8("工事〜"));
  edit.paste();
  EXPECT_EQ(edit.text(), QString::fromUtf8("A工事〜"));
}

TEST(Cp932Input, ExistingValidatorKeepsWorking) {
  QLineEdit edit;
  auto* digits = new QIntValidator(0, 999, &edit);
  edit.setValidator(digits);
  RestrictToCp932(&edit);
  RestrictToCp932(&edit);
  const auto* outer = qobject_cast<const qm::ui::Cp932Validator*>(edit.validator());
  ASSERT_NE(outer, nullptr);
  EXPECT_EQ(outer->Inner(), digits);

  QTest::keyClicks(&edit, "12a34");
  EXPECT_EQ(edit.text(), "123");
  TypeText(&edit, kEmoji);
  EXPECT_EQ(edit.text(), "123");
}

TEST(Cp932Input, TextCheckHandlesSurrogates) {
  EXPECT_TRUE(IsCp932Text(QString::fromUtf8("見積 No.1 ｱｲｳ ①")));
  EXPECT_TRUE(IsCp932Text(kImeMarks));
  for (const QString& c : kOutside) EXPECT_FALSE(IsCp932Text(c)) << c.toStdString();
  EXPECT_FALSE(IsCp932Text(kEmoji.left(1)));   // a lone high surrogate
  EXPECT_FALSE(IsCp932Text(kEmoji.right(1)));  // a lone low surrogate
}

TEST(Cp932Input, PlainTextKeepsEverythingButTheUnrepresentable) {
  QPlainTextEdit edit;
  RestrictToCp932(&edit);
  RestrictToCp932(&edit);
  bool sawOutside = false;
  QObject::connect(&edit, &QPlainTextEdit::textChanged,
                   [&] { sawOutside = sawOutside || !IsCp932Text(edit.toPlainText()); });

  edit.insertPlainText(QString::fromUtf8("工事😀名称\n가備考") + kImeMarks);
  EXPECT_EQ(edit.toPlainText(), QString::fromUtf8("工事名称\n備考") + kImeMarks);
  EXPECT_EQ(edit.textCursor().position(), edit.document()->characterCount() - 1);

  edit.setPlainText(QString::fromUtf8("見積"));
  edit.moveCursor(QTextCursor::End);
  TypeText(&edit, QString::fromUtf8("書😀é"));
  CommitText(&edit, QString::fromUtf8("A😀B"));
  EXPECT_EQ(edit.toPlainText(), QString::fromUtf8("見積書AB"));

  QApplication::clipboard()->setText(QString::fromUtf8("c😀\n😀d"));
  edit.paste();
  EXPECT_EQ(edit.toPlainText(), QString::fromUtf8("見積書ABc\nd"));
  EXPECT_EQ(edit.blockCount(), 2);
  EXPECT_FALSE(sawOutside);

  // The removal is part of the paste's undo step: no emoji comes back either way.
  edit.undo();
  EXPECT_EQ(edit.toPlainText(), QString::fromUtf8("見積書AB"));
  edit.redo();
  EXPECT_EQ(edit.toPlainText(), QString::fromUtf8("見積書ABc\nd"));

  edit.setPlainText(kEmoji + "x" + kEmoji);
  EXPECT_EQ(edit.toPlainText(), "x");
  EXPECT_FALSE(sawOutside);
}

// ---------------------------------------------------------------------------------
// THistoryComboBox

namespace {

const QString kKey = "Software\\Norvel\\Brevik";
const std::string kSection = "Software\\Norvel\\Brevik\\";

struct HistoryFixture {
  QTemporaryDir dir;
  qm::IniHistoryStore store{dir.filePath("history.ini").toStdString()};

  std::unique_ptr<THistoryComboBox> Box(const QString& subKey, const QStringList& designItems = {}) {
    auto box = std::make_unique<THistoryComboBox>(store);
    box->SetRegistryKey(kKey);
    box->SetSubKey(subKey);
    box->addItems(designItems);
    return box;
  }
};

QStringList Items(const QComboBox& box) {
  QStringList items;
  for (int i = 0; i < box.count(); ++i) items << box.itemText(i);
  return items;
}

void Enter(THistoryComboBox& box, const QString& text) {
  box.setEditText(text);
  box.AddHistory();
}

}  // namespace

TEST(HistoryCombo, RecentFirstWithoutDuplicatesOrBlanks) {
  HistoryFixture f;
  auto box = f.Box("KoujiName");
  EXPECT_EQ(box->HistoryCount(), 10);
  EXPECT_EQ(box->RegistryKey(), kKey + "\\");
  Enter(*box, "A");
  Enter(*box, "B");
  Enter(*box, "A");
  EXPECT_EQ(Items(*box), (QStringList{"A", "B"}));
  EXPECT_EQ(box->currentIndex(), 0);
  EXPECT_EQ(box->currentText(), "A");

  Enter(*box, "  ");
  Enter(*box, "");
  EXPECT_EQ(Items(*box), (QStringList{"A", "B"}));
  Enter(*box, " a");  // compared exactly, untrimmed
  EXPECT_EQ(Items(*box), (QStringList{" a", "A", "B"}));
  EXPECT_EQ(box->currentText(), " a");
}

TEST(HistoryCombo, KeepsHistoryCountEntriesInTheStore) {
  HistoryFixture f;
  auto box = f.Box("Place");
  for (int i = 1; i <= 11; ++i) Enter(*box, QString::fromUtf8("現場%1").arg(i));
  ASSERT_EQ(box->count(), 10);
  EXPECT_EQ(box->itemText(0), QString::fromUtf8("現場11"));
  EXPECT_EQ(box->itemText(9), QString::fromUtf8("現場2"));

  const qm::IniFile ini = qm::IniFile::Load(f.store.FileName());
  EXPECT_EQ(ini.Keys(kSection + "Place"),
            (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
  EXPECT_EQ(ini.ReadString(kSection + "Place", "9", ""), "現場2");

  auto reread = f.Box("Place");
  reread->setEditText(QString::fromUtf8("入力中"));
  reread->LoadHistory();
  EXPECT_EQ(Items(*reread), Items(*box));
  EXPECT_EQ(reread->currentText(), QString::fromUtf8("入力中"));
}

TEST(HistoryCombo, MissingKeyKeepsDesignTimeItemsWhichJoinTheHistory) {
  HistoryFixture f;
  auto box = f.Box("Unit", {"m", "m2"});
  box->LoadHistory();
  EXPECT_EQ(Items(*box), (QStringList{"m", "m2"}));
  Enter(*box, "kg");
  EXPECT_EQ(Items(*box), (QStringList{"kg", "m", "m2"}));
  const auto stored = f.store.Read(kSection + "Unit", 10);
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(*stored, (std::vector<std::string>{"kg", "m", "m2"}));
}

TEST(HistoryCombo, ClearLeavesAnEmptyListThatLoadsEmpty) {
  HistoryFixture f;
  auto box = f.Box("Note");
  Enter(*box, "A");
  Enter(*box, "B");
  box->setEditText("typing");
  box->ClearHistory();
  EXPECT_EQ(box->count(), 0);
  EXPECT_EQ(box->currentText(), "typing");
  const qm::IniFile ini = qm::IniFile::Load(f.store.FileName());
  EXPECT_TRUE(ini.HasSection(kSection + "Note"));
  EXPECT_TRUE(ini.Keys(kSection + "Note").empty());

  auto fresh = f.Box("Note", {"design"});
  fresh->LoadHistory();
  EXPECT_EQ(fresh->count(), 0);
}

TEST(HistoryCombo, BoxesWithTheSameKeyShareOneList) {
  HistoryFixture f;
  auto first = f.Box("Place");
  auto second = f.Box("Place");
  second->setObjectName("SomethingElse");
  auto named = f.Box("");  // no SubKey: the control's name is the key
  named->setObjectName("Place");

  Enter(*first, "A");
  second->LoadHistory();
  Enter(*second, "B");
  named->LoadHistory();
  EXPECT_EQ(Items(*named), (QStringList{"B", "A"}));
  Enter(*named, "C");
  first->LoadHistory();
  EXPECT_EQ(Items(*first), (QStringList{"C", "B", "A"}));
  EXPECT_TRUE(first->SubKey() == "Place" && named->SubKey().isEmpty());
}

TEST(HistoryCombo, CommittedOnEnterAndOnLeavingButNothingIsRecorded) {
  HistoryFixture f;
  Window window;
  auto* box = window.Add<THistoryComboBox>(f.store);
  auto* next = window.Add<QLineEdit>();
  box->SetRegistryKey(kKey);
  box->setObjectName("Place");
  box->addItem("design");
  box->setEditText("");
  ASSERT_TRUE(window.Show());
  QSignalSpy committed(box, &THistoryComboBox::committed);

  box->setFocus();
  QTest::keyClicks(box, "abc");
  TypeText(box, kEmoji + QString::fromUtf8("邸"));  // the box's own text is CP932 too
  EXPECT_EQ(box->currentText(), QString::fromUtf8("abc邸"));
  EXPECT_EQ(committed.count(), 0);
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(committed.count(), 1);
  box->showPopup();  // its own list takes the focus but does not leave the box
  ASSERT_TRUE(box->view()->isVisible());
  box->hidePopup();
  ASSERT_TRUE(box->hasFocus());
  EXPECT_EQ(committed.count(), 1);
  QTest::keyClick(box, Qt::Key_Tab);
  EXPECT_TRUE(next->hasFocus());
  EXPECT_EQ(committed.count(), 2);

  EXPECT_EQ(Items(*box), QStringList{"design"});
  EXPECT_EQ(box->currentText(), QString::fromUtf8("abc邸"));
  EXPECT_FALSE(f.store.Read(kSection + "Place", 10).has_value());
}
