#pragma once
// The rows of input controls of the contents tab, one row per document line, in a
// scrolling area. The area only holds and lays out the controls and reports what the
// user does with them; the main window moves values between rows and lines.
#include <QScrollArea>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace qm::ui {

class TSsEdit;

class TLineInputArea : public QScrollArea {
  Q_OBJECT
 public:
  struct Row {
    QLabel* LblItemNo;
    QComboBox* CBClass;
    QLineEdit* EditFree;
    QLineEdit* EditItemName;
    TSsEdit* MemoItemNum;
    QLineEdit* MemoItemUnit;
    TSsEdit* MemoItemUnitPrice;
    TSsEdit* MemoItemCost;
    TSsEdit* MemoItemTotalPrice;
    QLineEdit* EditItemEtc;
    QPushButton* BtnItemPic;
    QCheckBox* CBItemNoTax;
    // The four numeric cells in the order quantity, unit price, cost, amount.
    std::vector<TSsEdit*> NumericCells() const;
    // Every control but the number label, in tab order.
    std::vector<QWidget*> Cells() const;
  };

  // Row geometry in pixels.
  static constexpr int kRowPitch = 25;
  static constexpr int kCellTop = 4;
  static constexpr int kCellHeight = 23;
  static constexpr int kWheelStep = 10;

  explicit TLineInputArea(QWidget* parent = nullptr);

  int RowCount() const { return static_cast<int>(rows_.size()); }
  Row& RowAt(int n) { return rows_.at(static_cast<std::size_t>(n)); }
  // The row a control belongs to, or -1.
  int RowOf(const QObject* control) const;

  // Creates `count` rows at the end; the area is hidden while they are made.
  void AddRows(int count);
  // Destroys the last `count` rows.
  void RemoveRows(int count);
  // Current-row colours and the bold number.
  void SetHighlighted(int n, bool on);
  void SetPickMenus(QMenu* itemMenu, QMenu* unitMenu);
  // Makes the row visible and puts the focus into its item name.
  void FocusItemName(int n);

 signals:
  void cellEntered(int row, QWidget* cell);
  void cellLeft(int row, QWidget* cell);
  void taxlessClicked(int row);
  void pictureClicked(int row);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  Row MakeRow(int n);
  void ShowMenu(QMenu* menu, QWidget* cell, const QPoint& pos);

  QWidget* canvas_;
  std::vector<Row> rows_;
  QMenu* itemMenu_ = nullptr;
  QMenu* unitMenu_ = nullptr;
};

}  // namespace qm::ui
