#pragma once

#include <QHBoxLayout>
#include <QPushButton>
#include <QString>

#include <initializer_list>

namespace qm::ui {

// A dialog push button with an object name that never turns into the default button, so
// Enter in an edit field does not press it.
inline QPushButton* DialogButton(QWidget* parent, const char* name, const char* caption) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

// The bottom row of a dialog: its buttons on the right, in the order given.
inline QHBoxLayout* BottomButtons(std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* b : buttons) row->addWidget(b);
  return row;
}

}  // namespace qm::ui
