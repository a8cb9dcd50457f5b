#pragma once
// インポート: a CSV file shown as a grid, a column (or none) chosen for each customer
// field, and every row appended as a customer.
#include <QAbstractTableModel>
#include <QDialog>

#include "model/customer_import.h"
#include "ui/common/modal_result.h"

class QComboBox;
class QPushButton;
class QTableView;

namespace qm::ui {

// The file's values; the heading shows the column numbers in full-width digits.
class CsvGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit CsvGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
  void SetGrid(CsvGrid grid);
  const CsvGrid& Grid() const { return grid_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  CsvGrid grid_;
};

class TFormImport : public QDialog {
  Q_OBJECT
 public:
  explicit TFormImport(QWidget* parent = nullptr);

  // Reads `file` (OpenCSV) and shows the dialog; Ok after an import.
  ModalResult ShowModal(TMxCustomerObjectList& list, const QString& file);
  // Reads the file into the grid and sets the lists to their presets. A file that cannot
  // be read is reported and leaves the grid and the lists empty, so nothing of an earlier
  // file can be imported.
  void OpenCSV(const QString& file);
  // Appends one customer per row with the chosen columns and closes with Ok.
  void ImportCSV();
  // The choices as a mapping (column from 0, or none).
  ImportMapping Mapping() const;

  QTableView* SG_CSV = nullptr;
  QComboBox *CBCusCode = nullptr, *CBName1 = nullptr, *CBName2 = nullptr, *CBName3 = nullptr, *CBZip = nullptr,
            *CBAdd1 = nullptr, *CBAdd2 = nullptr, *CBTel = nullptr, *CBFax = nullptr;
  QPushButton *BtnImport = nullptr, *BtnCancel = nullptr;

 private:
  std::array<QComboBox*, kCustomerColumns> Lists() const;
  TMxCustomerObjectList* list_ = nullptr;
  CsvGridModel* model_ = nullptr;
};

}  // namespace qm::ui
