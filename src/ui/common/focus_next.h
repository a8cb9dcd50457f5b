#pragma once
// Enter moves to the next control, as Tab does.
#include <QWidget>

namespace qm::ui {

inline void FocusNext(QWidget* from) {
  for (QWidget* next = from->nextInFocusChain(); next && next != from; next = next->nextInFocusChain()) {
    if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() && next->isVisibleTo(from->window()) &&
        !next->focusProxy()) {
      next->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

}  // namespace qm::ui
