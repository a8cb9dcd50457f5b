#include "ui/app/main_window.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(MainWindow, ShowsTitledWindow) {
  qm::ui::TFormMain window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Velora Quillmark"));
  EXPECT_TRUE(window.isVisible());
}
