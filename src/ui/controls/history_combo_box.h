#pragma once
// An editable box that offers the texts the user entered before, most recent first,
// kept in a HistoryStore under RegistryKey + SubKey (or the box's objectName()).
// The box never records a text by itself: its owner calls AddHistory() — typically on
// committed() — when the text is final.
#include <QComboBox>

#include "model/history_store.h"

namespace qm::ui {

class THistoryComboBox : public QComboBox {
  Q_OBJECT
 public:
  // `store` must outlive the box.
  explicit THistoryComboBox(HistoryStore& store, QWidget* parent = nullptr);

  int HistoryCount() const { return FHistory.HistoryCount(); }  // 10 when created
  void SetHistoryCount(int count) { FHistory.SetHistoryCount(count); }
  QString RegistryKey() const;
  // A trailing "\" is added when missing.
  void SetRegistryKey(const QString& key);
  QString SubKey() const;
  void SetSubKey(const QString& key);

  // The list's items are the history: items added with addItem() take part like any
  // other. Each call leaves the edit text as it was. Saving throws qm::Error when the
  // store cannot be written.
  //
  // Replaces the items with the stored list; a missing key leaves them as they are.
  void LoadHistory();
  // Puts the current text first (removing equal entries), selects it, keeps at most
  // HistoryCount items and saves. Blank text does nothing.
  void AddHistory();
  // Empties the list and saves it empty.
  void ClearHistory();
  void SaveHistory();

 signals:
  // Enter was pressed in the box, or the focus moved on to another control.
  void committed();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  // The history list takes the box's items and name; ShowItems puts the list back.
  void TakeItems();
  void ShowItems();

  THistoryList FHistory;
};

}  // namespace qm::ui
