#pragma once
// 品名リスト編集: the item and unit masters with their add and edit dialogs. The dialog
// edits the program's lists in place; whoever opens it saves both files on OK and reads
// them again on cancel.
#include <QAbstractTableModel>
#include <QDialog>

#include <string>

#include "model/master_lists.h"
#include "ui/common/modal_result.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;

namespace qm::ui {

class MasterHost;

// The items as rows: name, unit, price and cost as amounts.
class ItemListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit ItemListModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
  void SetList(const TMxItemObjectList* list, bool printDecimalPoint);
  void Refresh();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const TMxItemObjectList* list_ = nullptr;
  bool decimals_ = false;
};

// 品名の追加 and 品名の編集.
class TFormItemInput : public QDialog {
  Q_OBJECT
 public:
  enum class Mode { Add, Edit };
  TFormItemInput(Mode mode, std::string unitFile, QWidget* parent = nullptr);

  // Opening: the unit choices from the unit file as last saved, then the start values
  // (empty and zero for an add, the row's texts for an edit).
  void InitForm(const TMxItemObject* item, bool printDecimalPoint);
  ModalResult ShowModal(const TMxItemObject* item, bool printDecimalPoint);
  // The item as the fields give it; an amount whose field was not edited keeps the
  // stored value of `original`.
  TMxItemObject Item(const TMxItemObject* original) const;

  // A price or cost field entered (separators removed) and left (read and shown as an
  // amount, or reset to 0 with the message).
  void EnterAmount(QLineEdit* field);
  void LeaveAmount(QLineEdit* field);
  void OkClick();

  QLineEdit* EdtItemName = nullptr;
  QComboBox* CBItemUnit = nullptr;
  QLineEdit *EdtItemPrice = nullptr, *EdtItemCost = nullptr;
  QPushButton *BtnOk = nullptr, *BtnCancel = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UpdateOk();
  const char* MessageOf(const QLineEdit* field) const;

  std::string unitFile_;
  bool decimals_ = false;
  bool priceEdited_ = false, costEdited_ = false;
};

// 単位の追加 and 単位の編集.
class TFormUnitInput : public QDialog {
  Q_OBJECT
 public:
  enum class Mode { Add, Edit };
  TFormUnitInput(Mode mode, QWidget* parent = nullptr);
  ModalResult ShowModal(const QString& unit);

  QLabel* LblPrompt = nullptr;
  QLineEdit* EdtUnit = nullptr;
  QPushButton *BtnOk = nullptr, *BtnCancel = nullptr;
};

class TFormItemList : public QDialog {
  Q_OBJECT
 public:
  TFormItemList(MasterHost& host, std::string unitFile, QWidget* parent = nullptr);

  ModalResult ShowModal(TMxItemObjectList& items, TMxItemUnitObjectList& units, bool printDecimalPoint);
  void Prepare(TMxItemObjectList& items, TMxItemUnitObjectList& units, bool printDecimalPoint);
  void RefreshItemList();
  void RefreshUnitList();

  void ItemAddClick();
  void ItemEditClick();
  void ItemDeleteClick();
  void UnitAddClick();
  void UnitEditClick();
  void UnitDeleteClick();
  void PrintClick();

  // The selected item row and unit line, or -1.
  int SelectedItem() const;
  int SelectedUnit() const;

  QTableView* LVItemList = nullptr;
  QListWidget* LBItemUnit = nullptr;
  QPushButton *BtnItemAdd = nullptr, *BtnItemEdit = nullptr, *BtnItemDelete = nullptr, *BtnPrint = nullptr,
              *BtnUnitAdd = nullptr, *BtnUnitEdit = nullptr, *BtnUnitDelete = nullptr, *BtnOk = nullptr,
              *BtnCancel = nullptr;
  TFormItemInput& FormItemAdd() { return *itemAdd_; }
  TFormItemInput& FormItemEdit() { return *itemEdit_; }
  TFormUnitInput& FormUnitAdd() { return *unitAdd_; }
  TFormUnitInput& FormUnitEdit() { return *unitEdit_; }

 private:
  // The row, or -1 after asking the user to choose one.
  int Chosen(int row, const char* message);
  // "<what>　を削除します、よろしいですか？"
  bool ConfirmDelete(const std::string& what);

  MasterHost& host_;
  TMxItemObjectList* items_ = nullptr;
  TMxItemUnitObjectList* units_ = nullptr;
  bool decimals_ = false;
  ItemListModel* model_ = nullptr;
  TFormItemInput *itemAdd_ = nullptr, *itemEdit_ = nullptr;
  TFormUnitInput *unitAdd_ = nullptr, *unitEdit_ = nullptr;
};

}  // namespace qm::ui
