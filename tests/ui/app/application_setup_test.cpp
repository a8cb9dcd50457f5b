// What the desktop program sets on its application: its names, and Qt's own texts in
// Japanese (the real message boxes and the edit fields' context menu).
#include "ui/app/application_setup.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

#include "ui/common/message_box.h"

namespace {

TEST(ApplicationSetup, NamesTheProgramAndSpeaksJapaneseInQtsOwnTexts) {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  ASSERT_NE(app, nullptr);
  const auto before = app->findChildren<QTranslator*>();
  ASSERT_TRUE(qm::ui::SetUpApplication(*app));
  EXPECT_EQ(QApplication::applicationName(), "Velora Quillmark");
  EXPECT_EQ(QApplication::desktopFileName(), "io.velora.Quillmark");

  // A question of the program, in the real message box: はい and いいえ.
  QStringList buttons;
  QTimer::singleShot(0, [&buttons] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    for (const QAbstractButton* b : box->buttons()) buttons << b->text();
    box->button(QMessageBox::No)->click();
  });
  EXPECT_FALSE(qm::ui::AskYesNo(nullptr, QStringLiteral("上書きしますか？")));
  buttons.sort();
  ASSERT_EQ(buttons.size(), 2) << buttons.join(',').toStdString();
  EXPECT_TRUE(buttons[0].startsWith(QStringLiteral("いいえ"))) << buttons[0].toStdString();
  EXPECT_TRUE(buttons[1].startsWith(QStringLiteral("はい"))) << buttons[1].toStdString();

  // The context menu of every edit field.
  QLineEdit edit;
  const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  QStringList items;
  for (const QAction* a : menu->actions()) items << a->text();
  const QString all = items.join('|');
  for (const char* want : {"元に戻す", "切り取り", "コピー", "貼り付け", "すべてを選択"})
    EXPECT_TRUE(all.contains(QString::fromUtf8(want))) << want << " in " << all.toStdString();

  // The other tests of this program run with Qt's own texts as they were.
  for (QTranslator* t : app->findChildren<QTranslator*>())
    if (!before.contains(t)) {
      QCoreApplication::removeTranslator(t);
      delete t;
    }
}

}  // namespace
