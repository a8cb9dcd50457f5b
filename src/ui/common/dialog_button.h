#pragma once

#include <QPushButton>
#include <QString>

namespace qm::ui {

// A dialog push button with an object name that never turns into the default button, so
// Enter in an edit field does not press it.
inline QPushButton* DialogButton(QWidget* parent, const char* name, const char* caption) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace qm::ui
