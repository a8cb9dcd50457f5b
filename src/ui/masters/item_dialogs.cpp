#include "ui/masters/item_dialogs.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "base/amount_text.h"
#include "print/list_pages.h"
#include "ui/common/dialog_button.h"
#include "ui/common/guarded.h"
#include "ui/common/message_box.h"
#include "ui/controls/cp932_input.h"
#include "ui/masters/master_host.h"

namespace qm::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr const char* kPriceInvalid = "単価の入力が不正です。";
constexpr const char* kCostInvalid = "原価の入力が不正です。";
constexpr const char* kDeleteTail = "　を削除します、よろしいですか？";

// The amount of a field's text, separators and surrounding blanks aside.
std::optional<Currency> AmountOf(const QString& text) { return TryCommaDel(text.trimmed().toStdString()); }

}  // namespace

// ---------------------------------------------------------------------------------------

void ItemListModel::SetList(const TMxItemObjectList* list, bool printDecimalPoint) {
  beginResetModel();
  list_ = list;
  decimals_ = printDecimalPoint;
  endResetModel();
}

void ItemListModel::Refresh() {
  beginResetModel();
  endResetModel();
}

int ItemListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !list_ ? 0 : list_->Count();
}

int ItemListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 4; }

QVariant ItemListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !list_) return {};
  if (role == Qt::TextAlignmentRole)
    return index.column() >= 2 ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  const TMxItemObject& item = list_->Items(index.row());
  switch (index.column()) {
    case 0: return Q(item.ItemName());
    case 1: return Q(item.ItemUnit());
    case 2: return Q(CommaAdd(false, item.ItemPrice(), decimals_));
    default: return Q(CommaAdd(false, item.ItemCost(), decimals_));
  }
}

QVariant ItemListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const kCaptions[] = {"品名", "単位", "単価", "原価"};
  return section >= 0 && section < 4 ? QString::fromUtf8(kCaptions[section]) : QVariant();
}

// ---------------------------------------------------------------------------------------

TFormItemInput::TFormItemInput(Mode mode, std::string unitFile, QWidget* parent)
    : QDialog(parent), unitFile_(std::move(unitFile)) {
  const bool add = mode == Mode::Add;
  setObjectName(add ? "FormItemAdd" : "FormItemEdit");
  setWindowTitle(add ? QStringLiteral("品名の追加") : QStringLiteral("品名の編集"));
  setFixedSize(277, 276);
  auto* grid = new QGridLayout(this);
  const auto edit = [&](const char* name, const char* caption, int row) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    RestrictToCp932(e);
    grid->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
    grid->addWidget(e, row, 1);
    return e;
  };
  EdtItemName = edit("EdtItemName", "品名", 0);
  CBItemUnit = new QComboBox(this);
  CBItemUnit->setObjectName("CBItemUnit");
  CBItemUnit->setEditable(true);
  grid->addWidget(new QLabel(QStringLiteral("単位"), this), 1, 0);
  grid->addWidget(CBItemUnit, 1, 1);
  EdtItemPrice = edit("EdtItemPrice", "単価", 2);
  EdtItemCost = edit("EdtItemCost", "原価", 3);
  for (QLineEdit* e : {EdtItemPrice, EdtItemCost}) {
    e->setAttribute(Qt::WA_InputMethodEnabled, false);
    e->setAlignment(Qt::AlignRight);
    e->installEventFilter(this);
  }
  BtnOk = DialogButton(this, "BtnOk", add ? "追加" : "変更");
  BtnCancel = DialogButton(this, "BtnCancel", "キャンセル");
  grid->addLayout(BottomButtons({BtnOk, BtnCancel}), 4, 0, 1, 2);

  connect(BtnOk, &QPushButton::clicked, this, [this] { OkClick(); });
  connect(BtnCancel, &QPushButton::clicked, this, [this] { CloseWith(*this, ModalResult::Cancel); });
  connect(EdtItemName, &QLineEdit::textChanged, this, [this] { UpdateOk(); });
  connect(CBItemUnit, &QComboBox::currentTextChanged, this, [this] { UpdateOk(); });
  for (QLineEdit* e : {EdtItemPrice, EdtItemCost}) {
    connect(e, &QLineEdit::textChanged, this, [this] { UpdateOk(); });
    connect(e, &QLineEdit::editingFinished, this, [this, e] { LeaveAmount(e); });
  }
  connect(EdtItemPrice, &QLineEdit::textEdited, this, [this] { priceEdited_ = true; });
  connect(EdtItemCost, &QLineEdit::textEdited, this, [this] { costEdited_ = true; });
}

void TFormItemInput::InitForm(const TMxItemObject* item, bool printDecimalPoint) {
  decimals_ = printDecimalPoint;
  priceEdited_ = costEdited_ = false;
  CBItemUnit->clear();
  // The units as last saved: units added in the open list dialog come after its OK.
  TMxItemUnitObjectList units;
  Guarded(this, [&] { units.LoadConfig(unitFile_); });
  CBItemUnit->addItem(QString::fromUtf8(kNoUnit));
  for (int i = 0; i < units.Count(); ++i) CBItemUnit->addItem(Q(units.Items(i).ItemUnit()));
  const Currency zero;
  EdtItemName->setText(item ? Q(item->ItemName()) : QString());
  CBItemUnit->setCurrentText(item ? Q(item->ItemUnit()) : QString::fromUtf8(kNoUnit));
  EdtItemPrice->setText(Q(CommaAdd(false, item ? item->ItemPrice() : zero, decimals_)));
  EdtItemCost->setText(Q(CommaAdd(false, item ? item->ItemCost() : zero, decimals_)));
  EdtItemName->setFocus();
  UpdateOk();
}

ModalResult TFormItemInput::ShowModal(const TMxItemObject* item, bool printDecimalPoint) {
  InitForm(item, printDecimalPoint);
  return ExecModal(*this);
}

void TFormItemInput::UpdateOk() { BtnOk->setEnabled(!EdtItemName->text().trimmed().isEmpty()); }

const char* TFormItemInput::MessageOf(const QLineEdit* field) const {
  return field == EdtItemPrice ? kPriceInvalid : kCostInvalid;
}

bool TFormItemInput::eventFilter(QObject* watched, QEvent* event) {
  auto* field = qobject_cast<QLineEdit*>(watched);
  if (field && (field == EdtItemPrice || field == EdtItemCost)) {
    if (event->type() == QEvent::KeyPress) {
      // Digits, the point and the minus sign; every other character typed is dropped.
      const QString text = static_cast<QKeyEvent*>(event)->text();
      if (!text.isEmpty() && text.at(0).isPrint()) {
        for (const QChar c : text)
          if (!(c.isDigit() && c.unicode() < 128) && c != QChar('.') && c != QChar('-')) return true;
      }
    } else if (event->type() == QEvent::FocusIn) {
      EnterAmount(field);
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFormItemInput::EnterAmount(QLineEdit* field) {
  QString text = field->text();
  text.remove(QChar(','));
  field->setText(text);
}

void TFormItemInput::LeaveAmount(QLineEdit* field) {
  const std::optional<Currency> amount = AmountOf(field->text());
  if (!amount) {
    ShowMessage(this, QString::fromUtf8(MessageOf(field)));
    field->setText(Q(CommaAdd(false, Currency(), decimals_)));
    return;
  }
  field->setText(Q(CommaAdd(false, *amount, decimals_)));
}

void TFormItemInput::OkClick() {
  if (!BtnOk->isEnabled()) return;
  // Each amount that is not empty must be a number; the dialog stays open otherwise.
  for (QLineEdit* field : {EdtItemPrice, EdtItemCost}) {
    if (field->text().trimmed().isEmpty()) continue;
    const std::optional<Currency> amount = AmountOf(field->text());
    if (!amount) {
      ShowMessage(this, QString::fromUtf8(MessageOf(field)));
      field->setFocus();
      return;
    }
    field->setText(Q(amount->ToDecimalText()));
  }
  CloseWith(*this, ModalResult::Ok);
}

TMxItemObject TFormItemInput::Item(const TMxItemObject* original) const {
  TMxItemObject item;
  item.SetItemName(EdtItemName->text().toStdString());
  item.SetItemUnit(CBItemUnit->currentText().toStdString());
  const auto read = [](const QLineEdit* field) { return AmountOf(field->text()).value_or(Currency()); };
  // An amount not edited keeps what was stored: the field shows at most two decimals.
  item.SetItemPrice(original && !priceEdited_ ? original->ItemPrice() : read(EdtItemPrice));
  item.SetItemCost(original && !costEdited_ ? original->ItemCost() : read(EdtItemCost));
  return item;
}

// ---------------------------------------------------------------------------------------

TFormUnitInput::TFormUnitInput(Mode mode, QWidget* parent) : QDialog(parent) {
  const bool add = mode == Mode::Add;
  setObjectName(add ? "FormUnitAdd" : "FormUnitEdit");
  setWindowTitle(add ? QStringLiteral("単位の追加") : QStringLiteral("単位の編集"));
  setFixedSize(237, 140);
  auto* v = new QVBoxLayout(this);
  LblPrompt = new QLabel(add ? QStringLiteral("追加する単位を入力してください。")
                             : QStringLiteral("変更する単位を入力してください。"),
                         this);
  v->addWidget(LblPrompt);
  EdtUnit = new QLineEdit(this);
  EdtUnit->setObjectName("EdtUnit");
  RestrictToCp932(EdtUnit);
  v->addWidget(EdtUnit);
  BtnOk = DialogButton(this, "BtnOk", add ? "追加" : "変更");
  BtnCancel = DialogButton(this, "BtnCancel", "キャンセル");
  v->addLayout(BottomButtons({BtnOk, BtnCancel}));
  const auto update = [this] { BtnOk->setEnabled(!EdtUnit->text().trimmed().isEmpty()); };
  connect(EdtUnit, &QLineEdit::textChanged, this, update);
  connect(EdtUnit, &QLineEdit::returnPressed, this, [this] {
    if (BtnOk->isEnabled()) CloseWith(*this, ModalResult::Ok);
  });
  connect(BtnOk, &QPushButton::clicked, this, [this] { CloseWith(*this, ModalResult::Ok); });
  connect(BtnCancel, &QPushButton::clicked, this, [this] { CloseWith(*this, ModalResult::Cancel); });
  update();
}

ModalResult TFormUnitInput::ShowModal(const QString& unit) {
  EdtUnit->setText(unit);
  BtnOk->setEnabled(!unit.trimmed().isEmpty());
  EdtUnit->setFocus();
  return ExecModal(*this);
}

// ---------------------------------------------------------------------------------------

TFormItemList::TFormItemList(MasterHost& host, std::string unitFile, QWidget* parent) : QDialog(parent), host_(host) {
  setObjectName("FormItemList");
  setWindowTitle(QStringLiteral("品名リスト編集"));
  resize(720, 420);
  auto* root = new QHBoxLayout(this);
  auto* itemSide = new QVBoxLayout;
  model_ = new ItemListModel(this);
  LVItemList = new QTableView(this);
  LVItemList->setObjectName("LVItemList");
  LVItemList->setModel(model_);
  LVItemList->setSelectionBehavior(QAbstractItemView::SelectRows);
  LVItemList->setSelectionMode(QAbstractItemView::SingleSelection);
  LVItemList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  LVItemList->verticalHeader()->hide();
  LVItemList->verticalHeader()->setDefaultSectionSize(LVItemList->fontMetrics().height() + 4);
  const int widths[] = {170, 70, 80, 80};
  for (int c = 0; c < 4; ++c) LVItemList->setColumnWidth(c, widths[c]);
  itemSide->addWidget(LVItemList, 1);
  auto* itemButtons = new QHBoxLayout;
  BtnItemAdd = DialogButton(this, "BtnItemAdd", "品名追加");
  BtnItemEdit = DialogButton(this, "BtnItemEdit", "品名編集");
  BtnItemDelete = DialogButton(this, "BtnItemDelete", "品名削除");
  BtnPrint = DialogButton(this, "BtnPrint", "印刷・PDF出力");
  for (QPushButton* b : {BtnItemAdd, BtnItemEdit, BtnItemDelete, BtnPrint}) itemButtons->addWidget(b);
  itemSide->addLayout(itemButtons);
  root->addLayout(itemSide, 3);

  auto* unitSide = new QVBoxLayout;
  LBItemUnit = new QListWidget(this);
  LBItemUnit->setObjectName("LBItemUnit");
  unitSide->addWidget(LBItemUnit, 1);
  auto* unitButtons = new QHBoxLayout;
  BtnUnitAdd = DialogButton(this, "BtnUnitAdd", "単位追加");
  BtnUnitEdit = DialogButton(this, "BtnUnitEdit", "単位編集");
  BtnUnitDelete = DialogButton(this, "BtnUnitDelete", "単位削除");
  for (QPushButton* b : {BtnUnitAdd, BtnUnitEdit, BtnUnitDelete}) unitButtons->addWidget(b);
  unitSide->addLayout(unitButtons);
  BtnOk = DialogButton(this, "BtnOk", "OK");
  BtnCancel = DialogButton(this, "BtnCancel", "キャンセル");
  unitSide->addLayout(BottomButtons({BtnOk, BtnCancel}));
  root->addLayout(unitSide, 1);

  itemAdd_ = new TFormItemInput(TFormItemInput::Mode::Add, unitFile, this);
  itemEdit_ = new TFormItemInput(TFormItemInput::Mode::Edit, unitFile, this);
  unitAdd_ = new TFormUnitInput(TFormUnitInput::Mode::Add, this);
  unitEdit_ = new TFormUnitInput(TFormUnitInput::Mode::Edit, this);

  const std::pair<QPushButton*, void (TFormItemList::*)()> commands[] = {
      {BtnItemAdd, &TFormItemList::ItemAddClick},       {BtnItemEdit, &TFormItemList::ItemEditClick},
      {BtnItemDelete, &TFormItemList::ItemDeleteClick}, {BtnUnitAdd, &TFormItemList::UnitAddClick},
      {BtnUnitEdit, &TFormItemList::UnitEditClick},     {BtnUnitDelete, &TFormItemList::UnitDeleteClick},
      {BtnPrint, &TFormItemList::PrintClick},
  };
  for (const auto& [b, run] : commands)
    connect(b, &QPushButton::clicked, this, [this, run = run] { Guarded(this, [&] { (this->*run)(); }); });
  connect(LVItemList, &QTableView::doubleClicked, this, [this] { Guarded(this, [this] { ItemEditClick(); }); });
  connect(LBItemUnit, &QListWidget::itemDoubleClicked, this, [this] { Guarded(this, [this] { UnitEditClick(); }); });
  connect(BtnOk, &QPushButton::clicked, this, [this] { CloseWith(*this, ModalResult::Ok); });
  connect(BtnCancel, &QPushButton::clicked, this, [this] { CloseWith(*this, ModalResult::Cancel); });
}

void TFormItemList::Prepare(TMxItemObjectList& items, TMxItemUnitObjectList& units, bool printDecimalPoint) {
  items_ = &items;
  units_ = &units;
  decimals_ = printDecimalPoint;
  model_->SetList(&items, printDecimalPoint);
  RefreshUnitList();
}

ModalResult TFormItemList::ShowModal(TMxItemObjectList& items, TMxItemUnitObjectList& units, bool printDecimalPoint) {
  Prepare(items, units, printDecimalPoint);
  return ExecModal(*this);
}

void TFormItemList::RefreshItemList() { model_->Refresh(); }

void TFormItemList::RefreshUnitList() {
  LBItemUnit->clear();
  for (int i = 0; i < units_->Count(); ++i) LBItemUnit->addItem(Q(units_->Items(i).ItemUnit()));
}

int TFormItemList::SelectedItem() const {
  const QModelIndexList rows = LVItemList->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.front().row();
}

int TFormItemList::SelectedUnit() const {
  const QList<QListWidgetItem*> selected = LBItemUnit->selectedItems();
  return selected.isEmpty() ? -1 : LBItemUnit->row(selected.front());
}

int TFormItemList::Chosen(int row, const char* message) {
  if (row < 0) ShowMessage(this, QString::fromUtf8(message));
  return row;
}

bool TFormItemList::ConfirmDelete(const std::string& what) {
  return AskYesNo(this, Q(what) + QString::fromUtf8(kDeleteTail));
}

void TFormItemList::ItemAddClick() {
  if (itemAdd_->ShowModal(nullptr, decimals_) != ModalResult::Ok) return;
  items_->Add(std::make_unique<TMxItemObject>(itemAdd_->Item(nullptr)));
  RefreshItemList();
}

void TFormItemList::ItemEditClick() {
  const int row = Chosen(SelectedItem(), "編集する品名を選択して下さい。");
  if (row < 0) return;
  const TMxItemObject& item = items_->Items(row);
  if (itemEdit_->ShowModal(&item, decimals_) != ModalResult::Ok) return;
  items_->Items(row) = itemEdit_->Item(&item);
  RefreshItemList();
  LVItemList->selectRow(row);
}

void TFormItemList::ItemDeleteClick() {
  const int row = Chosen(SelectedItem(), "削除する品名を選択して下さい。");
  if (row < 0) return;
  if (!ConfirmDelete(items_->Items(row).ItemName())) return;
  items_->Delete(row);
  LVItemList->selectionModel()->clear();
  RefreshItemList();
}

void TFormItemList::UnitAddClick() {
  if (unitAdd_->ShowModal(QString()) != ModalResult::Ok) return;
  auto unit = std::make_unique<TMxItemUnitObject>();
  unit->SetItemUnit(unitAdd_->EdtUnit->text().toStdString());  // as typed, untrimmed
  units_->Add(std::move(unit));
  RefreshUnitList();
}

void TFormItemList::UnitEditClick() {
  const int row = Chosen(SelectedUnit(), "編集する単位を選択して下さい。");
  if (row < 0) return;
  if (unitEdit_->ShowModal(Q(units_->Items(row).ItemUnit())) != ModalResult::Ok) return;
  units_->Items(row).SetItemUnit(unitEdit_->EdtUnit->text().toStdString());
  RefreshUnitList();
  LBItemUnit->setCurrentRow(row);
}

void TFormItemList::UnitDeleteClick() {
  const int row = Chosen(SelectedUnit(), "削除する単位を選択して下さい。");
  if (row < 0) return;
  if (!ConfirmDelete(units_->Items(row).ItemUnit())) return;
  units_->Delete(row);
  RefreshUnitList();
}

void TFormItemList::PrintClick() { host_.PrintList(false); }

}  // namespace qm::ui
