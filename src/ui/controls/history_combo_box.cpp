#include "ui/controls/history_combo_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include "ui/controls/cp932_input.h"

namespace qm::ui {

THistoryComboBox::THistoryComboBox(HistoryStore& store, QWidget* parent) : QComboBox(parent), FHistory(store) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);  // recording is the owner's decision
  RestrictToCp932(this);
}

QString THistoryComboBox::RegistryKey() const { return QString::fromStdString(FHistory.RegistryKey()); }

void THistoryComboBox::SetRegistryKey(const QString& key) { FHistory.SetRegistryKey(key.toStdString()); }

QString THistoryComboBox::SubKey() const { return QString::fromStdString(FHistory.SubKey()); }

void THistoryComboBox::SetSubKey(const QString& key) { FHistory.SetSubKey(key.toStdString()); }

void THistoryComboBox::TakeItems() {
  std::vector<std::string> items;
  items.reserve(static_cast<std::size_t>(count()));
  for (int i = 0; i < count(); ++i) items.push_back(itemText(i).toStdString());
  FHistory.SetItems(std::move(items));
  FHistory.SetOwnerName(objectName().toStdString());
}

void THistoryComboBox::ShowItems() {
  const QString text = currentText();
  const int cursor = lineEdit()->cursorPosition();
  {
    // The text ends as it began; nobody is told about the steps in between.
    const QSignalBlocker block(this);
    clear();
    for (const std::string& item : FHistory.Items()) addItem(QString::fromStdString(item));
    setCurrentIndex(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    if (currentText() != text) setEditText(text);
  }
  lineEdit()->setCursorPosition(cursor);
}

void THistoryComboBox::LoadHistory() {
  TakeItems();
  FHistory.LoadHistory();
  ShowItems();
}

void THistoryComboBox::AddHistory() {
  TakeItems();
  if (FHistory.AddHistory(currentText().toStdString())) ShowItems();
}

void THistoryComboBox::ClearHistory() {
  TakeItems();
  FHistory.ClearHistory();
  ShowItems();
}

void THistoryComboBox::SaveHistory() {
  TakeItems();
  FHistory.SaveHistory();
}

void THistoryComboBox::keyPressEvent(QKeyEvent* e) {
  const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
  QComboBox::keyPressEvent(e);
  if (enter) emit committed();
}

void THistoryComboBox::focusOutEvent(QFocusEvent* e) {
  QComboBox::focusOutEvent(e);
  // Neither its own drop-down list (which takes the focus while open) nor a switch to
  // another window leaves the box.
  const QWidget* to = QApplication::focusWidget();
  const bool toOwnList = to && to->window() == view()->window();
  if (!toOwnList && e->reason() != Qt::PopupFocusReason && e->reason() != Qt::ActiveWindowFocusReason)
    emit committed();
}

}  // namespace qm::ui
