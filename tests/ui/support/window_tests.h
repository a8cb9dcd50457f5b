#pragma once
// What the tests that drive the main window share: the window over a temporary data
// folder, and running a check inside the next modal dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "ui/app/main_window.h"

namespace qmtest {

// The main window shown over `dir`: data folder DIR/data, input histories DIR/history.ini.
// Null (with a failure) when the window is not exposed.
inline std::unique_ptr<qm::ui::TFormMain> ShowMainWindow(const QTemporaryDir& dir) {
  auto window = std::make_unique<qm::ui::TFormMain>(
      qm::ui::MainWindowSetup{dir.filePath("data").toStdString(), dir.filePath("history.ini").toStdString()});
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) {
    ADD_FAILURE() << "the main window is not shown";
    return nullptr;
  }
  return window;
}

// Runs `f` on the dialog of type D once it is the active modal window; a failure (and
// the dialog rejected) when another one is open.
template <class D>
void OnModal(std::function<void(D&)> f) {
  QTimer::singleShot(0, [f] {
    auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
    if (!d) {
      ADD_FAILURE() << "the expected dialog is not open";
      if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget())) other->reject();
      return;
    }
    f(*d);
  });
}

}  // namespace qmtest
