#pragma once
// The command boundary: a command that fails ends in the general error box with the
// error's message, and the program goes on.
#include <QString>

#include <exception>
#include <utility>

#include "ui/common/message_box.h"

namespace qm::ui {

// Runs `command`; false when it threw (the error has been shown).
template <typename F>
bool Guarded(QWidget* parent, F&& command) {
  try {
    std::forward<F>(command)();
    return true;
  } catch (const std::exception& e) {
    ShowError(parent, QString::fromUtf8(e.what()));
    return false;
  }
}

}  // namespace qm::ui
