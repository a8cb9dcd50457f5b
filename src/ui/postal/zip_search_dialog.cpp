#include "ui/postal/zip_search_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/common/dialog_button.h"

namespace qm::ui {

void ZipHitModel::SetHits(std::shared_ptr<const postal::ZipTable> table, std::vector<std::size_t> lines) {
  beginResetModel();
  table_ = std::move(table);
  lines_ = std::move(lines);
  endResetModel();
}

postal::ZipHit ZipHitModel::HitAt(int row) const { return table_->Hit(lines_.at(static_cast<std::size_t>(row))); }

int ZipHitModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

int ZipHitModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant ZipHitModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || !table_) return {};
  const postal::ZipHit hit = HitAt(index.row());
  return QString::fromStdString(index.column() == 0 ? hit.zipCode : hit.address);
}

QVariant ZipHitModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return section == 0 ? QStringLiteral("郵便番号") : QStringLiteral("住所");
}

TFormZipSearch::TFormZipSearch(QWidget* parent) : QDialog(parent) {
  setObjectName("FormZipSearch");
  setWindowTitle(QStringLiteral("郵便番号・住所検索"));
  resize(400, 320);
  auto* v = new QVBoxLayout(this);
  Label1 = new QLabel(QStringLiteral("検索キー："), this);
  Label1->setObjectName("Label1");
  v->addWidget(Label1);
  model_ = new ZipHitModel(this);
  LVZip = new QTableView(this);
  LVZip->setObjectName("LVZip");
  LVZip->setModel(model_);
  LVZip->setSelectionBehavior(QAbstractItemView::SelectRows);
  LVZip->setSelectionMode(QAbstractItemView::SingleSelection);
  LVZip->setEditTriggers(QAbstractItemView::NoEditTriggers);
  LVZip->setShowGrid(false);
  LVZip->verticalHeader()->hide();
  LVZip->verticalHeader()->setDefaultSectionSize(LVZip->fontMetrics().height() + 4);
  LVZip->horizontalHeader()->setStretchLastSection(true);
  LVZip->setColumnWidth(0, 80);
  LVZip->setColumnWidth(1, 250);
  v->addWidget(LVZip, 1);
  BtnOk = DialogButton(this, "BtnOk", "OK");
  BtnClose = DialogButton(this, "BtnClose", "閉じる");
  v->addLayout(BottomButtons({BtnOk, BtnClose}));

  connect(BtnOk, &QPushButton::clicked, this, [this] { OkClick(); });
  connect(BtnClose, &QPushButton::clicked, this, [this] { CloseWith(*this, ModalResult::Cancel); });
  connect(LVZip->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { UpdateOk(); });
  connect(LVZip, &QTableView::clicked, this, [this] { UpdateOk(); });
  connect(LVZip, &QTableView::doubleClicked, this, [this] {
    if (Selected()) OkClick();
  });
}

void TFormZipSearch::Prepare(const QString& key, std::shared_ptr<const postal::ZipTable> table,
                             std::vector<std::size_t> lines) {
  Label1->setText(QStringLiteral("検索キー：") + key);
  model_->SetHits(std::move(table), std::move(lines));
  LVZip->setColumnWidth(0, 80);
  if (model_->rowCount() > 0) LVZip->selectRow(0);
  UpdateOk();
}

std::optional<postal::ZipHit> TFormZipSearch::Choose(const QString& key, std::shared_ptr<const postal::ZipTable> table,
                                                     std::vector<std::size_t> lines) {
  Prepare(key, std::move(table), std::move(lines));
  LVZip->setFocus();
  if (ExecModal(*this) != ModalResult::Ok) return std::nullopt;
  return Selected();
}

std::optional<postal::ZipHit> TFormZipSearch::Selected() const {
  const QModelIndexList rows = LVZip->selectionModel()->selectedRows();
  if (rows.isEmpty()) return std::nullopt;
  return model_->HitAt(rows.front().row());
}

void TFormZipSearch::OkClick() {
  if (Selected()) CloseWith(*this, ModalResult::Ok);
}

void TFormZipSearch::UpdateOk() { BtnOk->setEnabled(Selected().has_value()); }

}  // namespace qm::ui
