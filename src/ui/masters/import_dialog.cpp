#include "ui/masters/import_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/common/dialog_button.h"
#include "ui/common/guarded.h"

namespace qm::ui {
namespace {

constexpr const char* kNone = "なし";

}  // namespace

void CsvGridModel::SetGrid(CsvGrid grid) {
  beginResetModel();
  grid_ = std::move(grid);
  endResetModel();
}

int CsvGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(grid_.rows.size());
}

int CsvGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.columns; }

QVariant CsvGridModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const auto& row = grid_.rows[static_cast<std::size_t>(index.row())];
  const auto column = static_cast<std::size_t>(index.column());
  return column < row.size() ? QString::fromStdString(row[column]) : QString();
}

QVariant CsvGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return QString::fromStdString(Han2Zen(section + 1));
}

TFormImport::TFormImport(QWidget* parent) : QDialog(parent) {
  setObjectName("FormImport");
  setWindowTitle(QStringLiteral("インポート"));
  resize(720, 480);
  auto* v = new QVBoxLayout(this);
  auto* lists = new QGridLayout;
  const auto list = [&](const char* name, const char* caption, int n) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    lists->addWidget(new QLabel(QString::fromUtf8(caption), this), (n / 5) * 2, n % 5);
    lists->addWidget(box, (n / 5) * 2 + 1, n % 5);
    return box;
  };
  CBCusCode = list("CBCusCode", "お客様コード", 0);
  CBName1 = list("CBName1", "会社名１", 1);
  CBName2 = list("CBName2", "会社名２", 2);
  CBName3 = list("CBName3", "会社名３", 3);
  CBZip = list("CBZip", "郵便番号", 4);
  CBAdd1 = list("CBAdd1", "住所１", 5);
  CBAdd2 = list("CBAdd2", "住所２", 6);
  CBTel = list("CBTel", "TEL", 7);
  CBFax = list("CBFax", "FAX", 8);
  v->addLayout(lists);
  BtnImport = DialogButton(this, "BtnImport", "インポート");
  BtnCancel = DialogButton(this, "BtnCancel", "キャンセル");
  v->addLayout(BottomButtons({BtnImport, BtnCancel}));
  model_ = new CsvGridModel(this);
  SG_CSV = new QTableView(this);
  SG_CSV->setObjectName("SG_CSV");
  SG_CSV->setModel(model_);
  SG_CSV->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SG_CSV->horizontalHeader()->setDefaultSectionSize(100);
  SG_CSV->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  SG_CSV->verticalHeader()->setDefaultSectionSize(SG_CSV->fontMetrics().height() + 4);
  v->addWidget(SG_CSV, 1);

  connect(BtnImport, &QPushButton::clicked, this, [this] { Guarded(this, [this] { ImportCSV(); }); });
  connect(BtnCancel, &QPushButton::clicked, this, [this] { CloseWith(*this, ModalResult::Cancel); });
}

std::array<QComboBox*, kCustomerColumns> TFormImport::Lists() const {
  return {CBCusCode, CBName1, CBName2, CBName3, CBZip, CBAdd1, CBAdd2, CBTel, CBFax};
}

ModalResult TFormImport::ShowModal(TMxCustomerObjectList& list, const QString& file) {
  list_ = &list;
  OpenCSV(file);
  return ExecModal(*this);
}

void TFormImport::OpenCSV(const QString& file) {
  CsvGrid grid;
  const bool read = Guarded(this, [&] { grid = ReadImportCsvFile(file.toStdString()); });
  if (!read) grid = CsvGrid{{}, 0};  // nothing of an earlier file stays behind
  model_->SetGrid(grid);
  const ImportMapping preset = PresetMapping(grid.columns);
  const auto lists = Lists();
  for (std::size_t f = 0; f < lists.size(); ++f) {
    QComboBox* box = lists[f];
    box->clear();
    for (int c = 1; c <= grid.columns; ++c) box->addItem(QString::fromStdString(Han2Zen(c)));
    box->addItem(QString::fromUtf8(kNone));
    box->setCurrentIndex(preset[f] == kNoColumn ? box->count() - 1 : preset[f]);
  }
}

ImportMapping TFormImport::Mapping() const {
  ImportMapping mapping{};
  const auto lists = Lists();
  for (std::size_t f = 0; f < lists.size(); ++f) {
    const QComboBox* box = lists[f];
    mapping[f] = box->currentIndex() < 0 || box->currentIndex() == box->count() - 1 ? kNoColumn : box->currentIndex();
  }
  return mapping;
}

void TFormImport::ImportCSV() {
  if (list_) ImportCustomers(model_->Grid(), Mapping(), *list_);
  CloseWith(*this, ModalResult::Ok);
}

}  // namespace qm::ui
