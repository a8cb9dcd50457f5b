#pragma once
// "郵便番号・住所検索": the hits of a postal lookup, one row each (postal code, address);
// OK takes the selected row. The rows come from a table model over the postal table,
// decoded only when shown, so tens of thousands of hits open at once.
#include <QAbstractTableModel>
#include <QDialog>

#include <memory>
#include <optional>
#include <vector>

#include "postal/zip_table.h"
#include "ui/common/modal_result.h"

class QLabel;
class QPushButton;
class QTableView;

namespace qm::ui {

class ZipHitModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit ZipHitModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
  void SetHits(std::shared_ptr<const postal::ZipTable> table, std::vector<std::size_t> lines);
  postal::ZipHit HitAt(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::shared_ptr<const postal::ZipTable> table_;
  std::vector<std::size_t> lines_;
};

class TFormZipSearch : public QDialog {
  Q_OBJECT
 public:
  explicit TFormZipSearch(QWidget* parent = nullptr);

  // The label "検索キー：" + the key as typed and one row a hit; the first row selected.
  void Prepare(const QString& key, std::shared_ptr<const postal::ZipTable> table, std::vector<std::size_t> lines);
  // Shown modally: the chosen hit on OK, nothing on 閉じる.
  std::optional<postal::ZipHit> Choose(const QString& key, std::shared_ptr<const postal::ZipTable> table,
                                      std::vector<std::size_t> lines);
  // The hit of the selected row, when one is selected.
  std::optional<postal::ZipHit> Selected() const;

  void OkClick();

  QLabel* Label1 = nullptr;
  QTableView* LVZip = nullptr;
  QPushButton *BtnOk = nullptr, *BtnClose = nullptr;

 private:
  void UpdateOk();
  ZipHitModel* model_ = nullptr;
};

}  // namespace qm::ui
