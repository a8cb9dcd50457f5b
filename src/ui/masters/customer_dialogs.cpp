#include "ui/masters/customer_dialogs.h"

#include "base/error.h"
#include "model/peppol_ids.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/common/dialog_button.h"
#include "ui/common/guarded.h"
#include "ui/common/message_box.h"
#include "ui/controls/cp932_input.h"
#include "ui/masters/import_dialog.h"
#include "ui/masters/master_host.h"

namespace qm::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

struct ColumnHead {
  const char* caption;
  int width;
};
constexpr ColumnHead kColumns[kCustomerColumns] = {
    {"お客様コード", 80}, {"会社名１", 125}, {"会社名２", 125}, {"会社名３", 125}, {"郵便番号", 65},
    {"住所１", 190},      {"住所２", 190},   {"TEL", 95},       {"FAX", 95},
};

constexpr const char* kChooseOneToEdit = "編集するお客様情報を1つ選択して下さい。";
constexpr const char* kChooseToDelete = "削除するお客様情報を1つ以上選択して下さい。";
constexpr const char* kConfirmDelete = "選択したお客様情報を削除します。よろしいですか？";
constexpr const char* kChooseOne = "お客様情報を１つ選択して下さい。";
constexpr const char* kCsvFilter = "CSVファイル(*.csv)";

}  // namespace

// ---------------------------------------------------------------------------------------

void CustomerListModel::SetList(TMxCustomerObjectList* list) {
  beginResetModel();
  list_ = list;
  endResetModel();
}

void CustomerListModel::Refresh() {
  beginResetModel();
  endResetModel();
}

int CustomerListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !list_ ? 0 : list_->Count();
}

int CustomerListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kCustomerColumns; }

QVariant CustomerListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || !list_) return {};
  return Q(CustomerField(list_->Items(index.row()), static_cast<CustomerColumn>(index.column())));
}

QVariant CustomerListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kCustomerColumns) return {};
  return QString::fromUtf8(kColumns[section].caption);
}

// ---------------------------------------------------------------------------------------

TFormCustomInput::TFormCustomInput(Mode mode, MasterHost& host, QWidget* parent) : QDialog(parent) {
  const bool add = mode == Mode::Add;
  setObjectName(add ? "FormCustomAdd" : "FormCustomEdit");
  setWindowTitle(add ? QStringLiteral("お客様の追加") : QStringLiteral("編集"));
  auto* grid = new QGridLayout(this);
  const auto field = [&](const char* name, int row, const char* caption) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    RestrictToCp932(e);
    if (caption) grid->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
    grid->addWidget(e, row, 1, 1, 2);
    return e;
  };
  MMCusCode = field("MMCusCode", 0, "お客様コード");
  MMCusCode->setAlignment(Qt::AlignRight);
  EdtName1 = field("EdtName1", 1, "会社名１");
  EdtName2 = field("EdtName2", 2, "会社名２");
  EdtName3 = field("EdtName3", 3, "会社名３");
  EdtZip = field("EdtZip", 4, nullptr);
  EdtZip->setMaxLength(8);
  EdtZip->setAttribute(Qt::WA_InputMethodEnabled, false);
  // Digits and hyphens only; the edit dialog takes the same care.
  EdtZip->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9-]*"), EdtZip));
  BtnZip = DialogButton(this, "BtnZip", "郵便番号");
  grid->addWidget(BtnZip, 4, 0);
  EdtAdd1 = field("EdtAdd1", 5, nullptr);
  BtnAdd1 = DialogButton(this, "BtnAdd1", "住所１");
  grid->addWidget(BtnAdd1, 5, 0);
  EdtAdd2 = field("EdtAdd2", 6, "住所２");
  EdtTel = field("EdtTel", 7, "TEL");
  EdtFax = field("EdtFax", 8, "FAX");
  EdtPeppolId = field("EdtPeppolId", 9, "Peppol ID");
  EdtPeppolId->setPlaceholderText(QStringLiteral("0188:1234567890123"));
  EdtPeppolId->setToolTip(QStringLiteral("デジタルインボイスの送信先の電子アドレス（スキーム:ID）"));
  BtnOk = DialogButton(this, "BtnOk", add ? "登録" : "編集");
  BtnClose = DialogButton(this, "BtnClose", "閉じる");
  grid->addLayout(BottomButtons({BtnOk, BtnClose}), 10, 0, 1, 3);
  grid->setColumnMinimumWidth(1, 320);

  connect(BtnOk, &QPushButton::clicked, this, [this] {
    // A Peppol ID that does not read is said, and the dialog stays open.
    try {
      NormalisePeppolId(EdtPeppolId->text().toStdString());
    } catch (const Error& e) {
      ShowMessage(this, QString::fromUtf8(e.what()));
      EdtPeppolId->setFocus();
      return;
    }
    CloseWith(*this, ModalResult::Ok);
  });
  connect(BtnClose, &QPushButton::clicked, this, [this] { CloseWith(*this, ModalResult::Cancel); });
  connect(BtnZip, &QPushButton::clicked, this, [this, &host] { host.LookupZip(EdtZip, EdtAdd1); });
  // The edit dialog says the postal code is unknown when no address matches.
  const char* notFound = add ? "住所が不明です。" : "郵便番号が不明です。";
  connect(BtnAdd1, &QPushButton::clicked, this, [this, &host, notFound] { host.LookupAddress(EdtZip, EdtAdd1, notFound); });
}

std::array<QLineEdit*, kCustomerColumns> TFormCustomInput::Fields() const {
  return {MMCusCode, EdtName1, EdtName2, EdtName3, EdtZip, EdtAdd1, EdtAdd2, EdtTel, EdtFax};
}

void TFormCustomInput::InitForm(const std::array<QString, kCustomerColumns>& values) {
  const auto fields = Fields();
  for (std::size_t i = 0; i < fields.size(); ++i) fields[i]->setText(values[i]);
  EdtName1->setFocus();
}

std::array<std::string, kCustomerColumns> TFormCustomInput::Values() const {
  std::array<std::string, kCustomerColumns> values;
  const auto fields = Fields();
  for (std::size_t i = 0; i < fields.size(); ++i) values[i] = fields[i]->text().toStdString();
  // The code is its first line.
  values[0] = values[0].substr(0, values[0].find_first_of("\r\n"));
  return values;
}

ModalResult TFormCustomInput::ShowModal(const std::array<QString, kCustomerColumns>& values, const QString& peppolId) {
  InitForm(values);
  EdtPeppolId->setText(peppolId);
  return ExecModal(*this);
}

std::string TFormCustomInput::PeppolIdText() const { return NormalisePeppolId(EdtPeppolId->text().toStdString()); }

// ---------------------------------------------------------------------------------------

TFormCustomer::TFormCustomer(MasterHost& host, QWidget* parent) : QDialog(parent), host_(host) {
  setObjectName("FormCustomer");
  setWindowTitle(QStringLiteral("お客様一覧"));
  resize(889, 331);
  setMinimumSize(889, 331);
  auto* v = new QVBoxLayout(this);
  model_ = new CustomerListModel(this);
  LVCustomer = new QTableView(this);
  LVCustomer->setObjectName("LVCustomer");
  LVCustomer->setModel(model_);
  LVCustomer->setSelectionBehavior(QAbstractItemView::SelectRows);
  LVCustomer->setSelectionMode(QAbstractItemView::ExtendedSelection);
  LVCustomer->setEditTriggers(QAbstractItemView::NoEditTriggers);
  LVCustomer->verticalHeader()->hide();
  LVCustomer->verticalHeader()->setDefaultSectionSize(LVCustomer->fontMetrics().height() + 4);
  LVCustomer->horizontalHeader()->setSectionsClickable(true);
  LVCustomer->horizontalHeader()->setHighlightSections(false);
  for (int c = 0; c < kCustomerColumns; ++c) LVCustomer->setColumnWidth(c, kColumns[c].width);
  v->addWidget(LVCustomer, 1);

  auto* row = new QHBoxLayout;
  const auto button = [&](const char* name, const char* caption) {
    QPushButton* b = DialogButton(this, name, caption);
    row->addWidget(b);
    return b;
  };
  BtnAdd = button("BtnAdd", "追加登録");
  BtnImport = button("BtnImport", "インポート");
  BtnEdit = button("BtnEdit", "編集");
  BtnDelete = button("BtnDelete", "削除");
  BtnExport = button("BtnExport", "エクスポート");
  BtnPrint = button("BtnPrint", "印刷・PDF出力");
  BtnSelect = button("BtnSelect", "選択した得意先を入力");
  row->addStretch();
  BtnClose = button("BtnClose", "閉じる");
  v->addLayout(row);

  add_ = new TFormCustomInput(TFormCustomInput::Mode::Add, host_, this);
  edit_ = new TFormCustomInput(TFormCustomInput::Mode::Edit, host_, this);
  import_ = new TFormImport(this);

  connect(LVCustomer->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int c) { SortClick(c); });
  connect(LVCustomer, &QTableView::doubleClicked, this, [this] { SelectClick(); });
  const std::pair<QPushButton*, void (TFormCustomer::*)()> commands[] = {
      {BtnAdd, &TFormCustomer::AddClick},       {BtnImport, &TFormCustomer::ImportClick},
      {BtnEdit, &TFormCustomer::EditClick},     {BtnDelete, &TFormCustomer::DeleteClick},
      {BtnExport, &TFormCustomer::ExportClick}, {BtnPrint, &TFormCustomer::PrintClick},
      {BtnSelect, &TFormCustomer::SelectClick},
  };
  for (const auto& [b, run] : commands)
    connect(b, &QPushButton::clicked, this, [this, run = run] { Guarded(this, [&] { (this->*run)(); }); });
  connect(BtnClose, &QPushButton::clicked, this, [this] { CloseWith(*this, ModalResult::Cancel); });
}

void TFormCustomer::Prepare(TMxCustomerObjectList& list) {
  list_ = &list;
  model_->SetList(&list);
  RefreshListView();
}

ModalResult TFormCustomer::ShowModal(TMxCustomerObjectList& list) {
  Prepare(list);
  return ExecModal(*this);
}

void TFormCustomer::RefreshListView() {
  const std::vector<const TMxCustomerObject*> selected = SelectedCustomers();
  model_->Refresh();
  Select(selected);
}

std::vector<const TMxCustomerObject*> TFormCustomer::SelectedCustomers() const {
  std::vector<const TMxCustomerObject*> selected;
  if (!list_) return selected;
  QModelIndexList rows = LVCustomer->selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  for (const QModelIndex& r : rows)
    if (r.row() < list_->Count()) selected.push_back(&list_->Items(r.row()));
  return selected;
}

void TFormCustomer::Select(const std::vector<const TMxCustomerObject*>& customers) {
  QItemSelection selection;
  int current = -1;
  for (const TMxCustomerObject* c : customers) {
    const int row = list_ ? list_->IndexOf(c) : -1;
    if (row < 0) continue;
    selection.select(model_->index(row, 0), model_->index(row, kCustomerColumns - 1));
    if (current < 0) current = row;
  }
  QItemSelectionModel* m = LVCustomer->selectionModel();
  m->select(selection, QItemSelectionModel::ClearAndSelect);
  if (current >= 0) {
    m->setCurrentIndex(model_->index(current, 0), QItemSelectionModel::NoUpdate);
    LVCustomer->scrollTo(model_->index(current, 0));
  }
}

void TFormCustomer::SortClick(int column) {
  if (!list_ || column < 0 || column >= kCustomerColumns) return;
  // The selection is kept by the customers it holds, not by row numbers.
  const std::vector<const TMxCustomerObject*> selected = SelectedCustomers();
  SortAngle = SortAngle == 0 ? 1 : 0;
  SortCustomers(*list_, static_cast<CustomerColumn>(column), SortAngle != 0);
  model_->Refresh();
  Select(selected);
}

void TFormCustomer::AddClick() {
  std::array<QString, kCustomerColumns> values;
  const auto block = host_.CustomerBlock();
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = block[i] ? block[i]->text() : QString();
  if (add_->ShowModal(values, QString()) != ModalResult::Ok) return;
  auto customer = std::make_unique<TMxCustomerObject>();
  const auto entered = add_->Values();
  for (std::size_t i = 0; i < entered.size(); ++i) SetCustomerField(*customer, static_cast<CustomerColumn>(i), entered[i]);
  if (peppolIds_)
    peppolIds_->Set(PeppolIdBook::KeyOf(customer->CustomerCode(), customer->CustomerName1()), add_->PeppolIdText());
  list_->Add(std::move(customer));
  RefreshListView();
}

void TFormCustomer::ImportClick() {
  const QString file = ChooseOpenFile(this, QString::fromUtf8(kCsvFilter), ExportFolder());
  if (file.isEmpty()) return;
  if (import_->ShowModal(*list_, file) == ModalResult::Ok) RefreshListView();
}

void TFormCustomer::EditClick() {
  const std::vector<const TMxCustomerObject*> selected = SelectedCustomers();
  if (selected.size() != 1) {
    ShowMessage(this, QString::fromUtf8(kChooseOneToEdit));
    return;
  }
  std::array<QString, kCustomerColumns> values;
  for (std::size_t i = 0; i < values.size(); ++i)
    values[i] = Q(CustomerField(*selected.front(), static_cast<CustomerColumn>(i)));
  const std::string oldKey = PeppolIdBook::KeyOf(selected.front()->CustomerCode(), selected.front()->CustomerName1());
  const QString peppolId = peppolIds_ ? Q(peppolIds_->Find(oldKey)) : QString();
  if (edit_->ShowModal(values, peppolId) != ModalResult::Ok) return;
  TMxCustomerObject& customer = list_->Items(list_->IndexOf(selected.front()));
  const auto entered = edit_->Values();
  for (std::size_t i = 0; i < entered.size(); ++i) SetCustomerField(customer, static_cast<CustomerColumn>(i), entered[i]);
  // The Peppol ID follows the customer when its code or name changes.
  if (peppolIds_) {
    peppolIds_->Set(oldKey, std::string());
    peppolIds_->Set(PeppolIdBook::KeyOf(customer.CustomerCode(), customer.CustomerName1()), edit_->PeppolIdText());
  }
  RefreshListView();
}

void TFormCustomer::DeleteClick() {
  const std::vector<const TMxCustomerObject*> selected = SelectedCustomers();
  if (selected.empty()) {
    ShowMessage(this, QString::fromUtf8(kChooseToDelete));
    return;
  }
  if (!AskYesNo(this, QString::fromUtf8(kConfirmDelete))) return;
  // From the last one down, so the indexes of the others stay.
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) list_->Delete(list_->IndexOf(*it));
  LVCustomer->selectionModel()->clear();
  RefreshListView();
}

void TFormCustomer::ExportClick() {
  const QString file = ChooseFileToWrite(this, QString::fromUtf8(kCsvFilter), QStringLiteral("csv"), ExportFolder());
  if (file.isEmpty()) return;
  list_->ExportCSV(file.toStdString());
}

void TFormCustomer::PrintClick() { host_.PrintList(true); }

void TFormCustomer::SelectClick() {
  const std::vector<const TMxCustomerObject*> selected = SelectedCustomers();
  if (selected.size() != 1) {
    ShowMessage(this, QString::fromUtf8(kChooseOne));
    return;
  }
  const auto block = host_.CustomerBlock();
  for (std::size_t i = 0; i < block.size(); ++i)
    if (block[i]) block[i]->setText(Q(CustomerField(*selected.front(), static_cast<CustomerColumn>(i))));
  CloseWith(*this, ModalResult::Ok);
}

}  // namespace qm::ui
