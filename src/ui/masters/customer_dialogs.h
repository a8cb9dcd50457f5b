#pragma once
// お客様一覧 (the customer master) with its add and edit dialogs. The dialog edits the
// program's customer list in place; whoever opens it saves Customer.dat when it closes.
#include <QAbstractTableModel>
#include <QDialog>

#include <array>
#include <string>
#include <vector>

#include "model/master_lists.h"
#include "model/master_sort.h"
#include "ui/common/modal_result.h"

class QLineEdit;
class QPushButton;
class QTableView;

namespace qm {
class PeppolIdBook;
}

namespace qm::ui {

class MasterHost;
class TFormImport;

// The customers as rows of nine columns, filled when shown.
class CustomerListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit CustomerListModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
  void SetList(TMxCustomerObjectList* list);
  // The list changed: every row is read again.
  void Refresh();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  TMxCustomerObjectList* list_ = nullptr;
};

// お客様の追加 and 編集: the nine fields with the two postal lookups.
class TFormCustomInput : public QDialog {
  Q_OBJECT
 public:
  enum class Mode { Add, Edit };
  TFormCustomInput(Mode mode, MasterHost& host, QWidget* parent = nullptr);

  // The fields' texts in column order.
  void InitForm(const std::array<QString, kCustomerColumns>& values);
  std::array<std::string, kCustomerColumns> Values() const;
  // `peppolId` is the customer's e-invoice address as stored.
  ModalResult ShowModal(const std::array<QString, kCustomerColumns>& values, const QString& peppolId);
  // The Peppol ID typed, in its stored form ("" for none); the dialog closes with 登録
  // only when it reads.
  std::string PeppolIdText() const;

  QLineEdit *MMCusCode = nullptr, *EdtName1 = nullptr, *EdtName2 = nullptr, *EdtName3 = nullptr, *EdtZip = nullptr,
            *EdtAdd1 = nullptr, *EdtAdd2 = nullptr, *EdtTel = nullptr, *EdtFax = nullptr, *EdtPeppolId = nullptr;
  QPushButton *BtnZip = nullptr, *BtnAdd1 = nullptr, *BtnOk = nullptr, *BtnClose = nullptr;

 private:
  std::array<QLineEdit*, kCustomerColumns> Fields() const;
};

class TFormCustomer : public QDialog {
  Q_OBJECT
 public:
  TFormCustomer(MasterHost& host, QWidget* parent = nullptr);

  ModalResult ShowModal(TMxCustomerObjectList& list);
  // The customers' Peppol IDs the add and edit dialogs show and change (none: no field
  // is stored).
  void SetPeppolIds(PeppolIdBook* book) { peppolIds_ = book; }
  // Shows `list` without running modally (ShowModal = Prepare + exec).
  void Prepare(TMxCustomerObjectList& list);
  void RefreshListView();

  // A header click: the direction flips (the first click of a run sorts ascending) and
  // the list is sorted by the column; the same customers stay selected.
  void SortClick(int column);
  void AddClick();
  void ImportClick();
  void EditClick();
  void DeleteClick();
  void ExportClick();
  void PrintClick();
  void SelectClick();

  // The selected customers, in list order.
  std::vector<const TMxCustomerObject*> SelectedCustomers() const;
  void Select(const std::vector<const TMxCustomerObject*>& customers);

  int SortAngle = 1;  // 0 ascending; kept for the whole run
  QTableView* LVCustomer = nullptr;
  QPushButton *BtnAdd = nullptr, *BtnImport = nullptr, *BtnEdit = nullptr, *BtnDelete = nullptr, *BtnExport = nullptr,
              *BtnPrint = nullptr, *BtnSelect = nullptr, *BtnClose = nullptr;
  TFormCustomInput& FormCustomAdd() { return *add_; }
  TFormCustomInput& FormCustomEdit() { return *edit_; }
  TFormImport& FormImport() { return *import_; }

 private:
  MasterHost& host_;
  TMxCustomerObjectList* list_ = nullptr;
  CustomerListModel* model_ = nullptr;
  TFormCustomInput* add_ = nullptr;
  TFormCustomInput* edit_ = nullptr;
  TFormImport* import_ = nullptr;
  PeppolIdBook* peppolIds_ = nullptr;
};

}  // namespace qm::ui
