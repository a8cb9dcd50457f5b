#include "ui/app/contents_tab.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <algorithm>

#include "base/amount_text.h"
#include "ui/app/line_area.h"
#include "ui/pictures/picture_preview.h"
#include "ui/app/main_messages.h"
#include "ui/common/document_view.h"
#include "ui/common/guarded.h"
#include "ui/controls/ss_edit.h"
#include "ui/resources/icons.h"

namespace qm::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

const QColor kAreaColour(255, 250, 200);

// Rounding rules in the order the boxes list them.
TCalcDecimal RuleOfIndex(int index) {
  switch (index) {
    case 1: return TCalcDecimal::cdRoundUP;
    case 2: return TCalcDecimal::cdRoundOff;
    default: return TCalcDecimal::cdRoundDown;
  }
}

int IndexOfRule(TCalcDecimal rule) {
  switch (rule) {
    case TCalcDecimal::cdRoundUP: return 1;
    case TCalcDecimal::cdRoundOff: return 2;
    case TCalcDecimal::cdRoundDown: break;
  }
  return 0;
}

// Writing a control only when its value changes keeps a refresh of many rows cheap.
void SetText(QLineEdit* e, const QString& text) {
  if (e->text() != text) e->setText(text);
}
void SetEnabled(QWidget* w, bool on) {
  if (w->isEnabled() != on) w->setEnabled(on);
}

}  // namespace

TContentsTab::TContentsTab(AppSession& session, DocumentView& view, QWidget* parent)
    : QWidget(parent), session_(session), view_(view) {
  setObjectName("TabContents");
  PMItem = new QMenu(this);
  PMItem->setObjectName("PMItem");
  PMUnit = new QMenu(this);
  PMUnit->setObjectName("PMUnit");
  Build();
}

void TContentsTab::Build() {
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(4, 4, 4, 4);
  v->addWidget(BuildCalcPanel());
  v->addWidget(BuildHeadingPanel());
  lineArea_ = new TLineInputArea(this);
  lineArea_->SetPickMenus(PMItem, PMUnit);
  v->addWidget(lineArea_, 1);
  connect(lineArea_, &TLineInputArea::cellEntered, this, [this](int n, QWidget* w) { EditEnter(n, w); });
  connect(lineArea_, &TLineInputArea::cellLeft, this,
          [this](int n, QWidget*) { Guarded(this, [&] { EditExit(n, true, true); }); });
  connect(lineArea_, &TLineInputArea::taxlessClicked, this,
          [this](int n) { Guarded(this, [&] { EditExit(n, false, false); }); });
  v->addLayout(BuildButtonBar());
}

QWidget* TContentsTab::BuildCalcPanel() {
  auto* panelWidget = new QWidget(this);
  auto* panel = new QHBoxLayout(panelWidget);
  panel->setContentsMargins(0, 0, 0, 0);
  const auto roundingBox = [&](QWidget* parent, const char* name) {
    auto* b = new QComboBox(parent);
    b->setObjectName(name);
    b->addItems({QStringLiteral("切り捨て"), QStringLiteral("切り上げ"), QStringLiteral("四捨五入")});
    return b;
  };
  GBTaxCalc = new QGroupBox(QStringLiteral("消費税の計算方法"), panelWidget);
  auto* g1 = new QGridLayout(GBTaxCalc);
  CBCalcUnit = new QComboBox(GBTaxCalc);
  CBCalcUnit->setObjectName("CBCalcUnit");
  CBCalcUnit->addItems({QStringLiteral("小計"), QStringLiteral("行毎")});
  CBUnderOne = roundingBox(GBTaxCalc, "CBUnderOne");
  g1->addWidget(new QLabel(QStringLiteral("計算基準")), 0, 0);
  g1->addWidget(CBCalcUnit, 0, 1);
  g1->addWidget(new QLabel(QStringLiteral("円未満")), 1, 0);
  g1->addWidget(CBUnderOne, 1, 1);
  GBTaxInput = new QGroupBox(QStringLiteral("消費税の入力方法"), panelWidget);
  auto* g2 = new QVBoxLayout(GBTaxInput);
  CBTaxIn = new QCheckBox(QStringLiteral("税込みにする"), GBTaxInput);
  CBTaxIn->setObjectName("CBTaxIn");
  g2->addWidget(CBTaxIn);
  GBSubTotal = new QGroupBox(QStringLiteral("小計の計算方法"), panelWidget);
  auto* g3 = new QGridLayout(GBSubTotal);
  CBSubTotalUnderOne = roundingBox(GBSubTotal, "CBSubTotalUnderOne");
  g3->addWidget(new QLabel(QStringLiteral("円未満")), 0, 0);
  g3->addWidget(CBSubTotalUnderOne, 0, 1);
  auto* mode = new QGroupBox(QStringLiteral("作成モード"), panelWidget);
  auto* g4 = new QVBoxLayout(mode);
  LblMode = new QLabel(QStringLiteral("通常"), mode);
  LblMode->setObjectName("LblMode");
  g4->addWidget(LblMode);
  auto* totals = new QGridLayout;
  const auto total = [&](const char* name, const char* caption, int row) {
    auto* e = new QLineEdit(panelWidget);
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignRight);
    e->setText(QStringLiteral("0"));
    totals->addWidget(new QLabel(QString::fromUtf8(caption)), row, 0);
    totals->addWidget(e, row, 1);
    return e;
  };
  EdSubTotal = total("EdSubTotal", "小計", 0);
  MMTax = total("MMTax", "消費税", 1);
  EdGrandTotal = total("EdGrandTotal", "合計", 2);
  panel->addWidget(GBTaxCalc);
  panel->addWidget(GBTaxInput);
  panel->addWidget(GBSubTotal);
  panel->addWidget(mode);
  preview_ = new TPicturePreview(panelWidget);
  panel->addWidget(preview_);
  panel->addStretch();
  panel->addLayout(totals);
  for (QComboBox* b : {CBCalcUnit, CBUnderOne, CBSubTotalUnderOne})
    connect(b, &QComboBox::currentIndexChanged, this, [this] { ConfigChange(); });
  connect(CBTaxIn, &QCheckBox::toggled, this, [this] { ConfigChange(); });
  return panelWidget;
}

QWidget* TContentsTab::BuildHeadingPanel() {
  // The headings over the rows, at the columns of the row controls.
  auto* heading = new QWidget(this);
  heading->setObjectName("PanelHeader");
  heading->setFixedHeight(20);
  heading->setAutoFillBackground(true);
  QPalette p = heading->palette();
  p.setColor(QPalette::Window, kAreaColour);
  heading->setPalette(p);
  const int lefts[] = {3, 43, 119, 201, 350, 419, 489, 566, 644, 761, 844, 885};
  const int widths[] = {30, 73, 78, 145, 65, 65, 73, 73, 113, 78, 32, 40};
  for (int i = 0; i < 12; ++i) {
    auto* l = new QLabel(heading);
    l->setGeometry(lefts[i], 2, widths[i], 16);
    l->setAlignment(Qt::AlignCenter);
    headLabels_.push_back(l);
  }
  return heading;
}

QLayout* TContentsTab::BuildButtonBar() {
  auto* buttons = new QHBoxLayout;
  const auto button = [&](QPushButton*& b, const char* name, const char* caption, const char* icon,
                          void (TContentsTab::*click)()) {
    b = new QPushButton(Icon(QString::fromUtf8(icon)), QString::fromUtf8(caption), this);
    b->setObjectName(name);
    b->setToolTip(QString::fromUtf8(caption));
    buttons->addWidget(b);
    if (click) connect(b, &QPushButton::clicked, this, [this, click] { Guarded(this, [&] { (this->*click)(); }); });
  };
  button(BtnDelLine, "BtnDelLine", "行削除", "delete_line", &TContentsTab::DeleteLineClick);
  button(BtnUp, "BtnUp", "上へ移動", "move_up", &TContentsTab::MoveUpClick);
  button(BtnDown, "BtnDown", "下へ移動", "move_down", &TContentsTab::MoveDownClick);
  buttons->addStretch();
  button(BtnAddRows, "BtnAddRows", "入力欄を追加", "rows_add", &TContentsTab::AddRowsClick);
  button(BtnDelRows, "BtnDelRows", "入力欄を削除", "rows_remove", &TContentsTab::RemoveRowsClick);
  button(BtnExport, "BtnExport", "内容出力", "save", nullptr);
  return buttons;
}

// ---------------------------------------------------------------------------------------
// Showing the document

void TContentsTab::RefreshContentHeader() {
  const TMxConfigInfo& c = session_.Config();
  const std::string texts[] = {"No.",
                               c.PrintHeadClassNo(),
                               c.PrintHeadFreeEdit(),
                               c.PrintHeadItemName(),
                               c.PrintHeadNum(),
                               c.PrintHeadItemUnit(),
                               c.PrintHeadUnitPrice(),
                               c.PrintHeadCost(),
                               c.PrintHeadPrice(),
                               c.PrintHeadNote(),
                               "画像",
                               "非課税"};
  for (std::size_t i = 0; i < headLabels_.size(); ++i) headLabels_[i]->setText(Q(texts[i]));
}

void TContentsTab::RefreshInputArea() {
  const TMxEstimateObjectList& doc = session_.Document();
  const bool totalClaim = doc.TotalClaimMode();
  const bool decimals = session_.Config().PrintDecimalPoint();
  const int rows = std::min(lineArea_->RowCount(), doc.Count());
  for (int n = 0; n < rows; ++n) {
    const TMxEstimateObject& line = doc.Items(n);
    TLineInputArea::Row& r = lineArea_->RowAt(n);
    if (totalClaim) {
      for (QWidget* w : r.Cells()) SetEnabled(w, false);
    } else {
      const bool priced = !line.SubTotalLineFlg();
      for (QWidget* w : {static_cast<QWidget*>(r.CBClass), static_cast<QWidget*>(r.EditFree),
                         static_cast<QWidget*>(r.EditItemName)})
        SetEnabled(w, true);
      for (QWidget* w : {static_cast<QWidget*>(r.MemoItemNum), static_cast<QWidget*>(r.MemoItemUnit),
                         static_cast<QWidget*>(r.MemoItemUnitPrice), static_cast<QWidget*>(r.MemoItemCost),
                         static_cast<QWidget*>(r.MemoItemTotalPrice), static_cast<QWidget*>(r.CBItemNoTax)})
        SetEnabled(w, priced);
      SetEnabled(r.EditItemEtc, true);
    }
    // A total invoice is read-only, its pictures too.
    SetEnabled(r.BtnItemPic, !totalClaim);
    if (r.CBClass->currentIndex() != line.ClassNo()) r.CBClass->setCurrentIndex(std::clamp(line.ClassNo(), 0, 2));
    SetText(r.EditFree, Q(line.FreeEdit()));
    SetText(r.EditItemName, Q(line.Name()));
    SetText(r.MemoItemNum, Q(CommaAdd(false, line.Num(), decimals)));
    SetText(r.MemoItemUnit, Q(line.ItemUnit()));
    SetText(r.MemoItemUnitPrice, Q(CommaAdd(false, line.Price(), decimals)));
    SetText(r.MemoItemCost, Q(CommaAdd(false, line.Cost(), decimals)));
    SetText(r.MemoItemTotalPrice, Q(CommaAdd(false, line.TotalPrice(), decimals)));
    SetText(r.EditItemEtc, Q(line.Note()));
    if (r.CBItemNoTax->isChecked() != line.Taxless()) r.CBItemNoTax->setChecked(line.Taxless());
    const QString picCaption = line.Pic().Empty() ? QStringLiteral("読込") : QStringLiteral("削除");
    if (r.BtnItemPic->text() != picCaption) {
      r.BtnItemPic->setText(picCaption);
      QPalette p = r.BtnItemPic->palette();
      p.setColor(QPalette::ButtonText, line.Pic().Empty() ? Qt::black : Qt::red);
      r.BtnItemPic->setPalette(p);
    }
  }
}

void TContentsTab::RefreshCalcResult() {
  const TMxEstimateObjectList& d = session_.Document();
  const bool decimals = session_.Config().PrintDecimalPoint();
  SetText(EdSubTotal, Q(CommaAdd(true, d.SubTotalPrice(), decimals)));
  const QString tax = Q(CommaAdd(true, d.TotalTax(), decimals));
  SetText(MMTax, d.TaxInputModeIncludeTax() ? "(" + tax + ")" : tax);
  SetText(EdGrandTotal, Q(CommaAdd(true, d.TotalPrice(), decimals)));
}

void TContentsTab::ShowCalcSettings() {
  const QScopedValueRollback<bool> quiet(inputEvents_, false);
  const TMxEstimateObjectList& d = session_.Document();
  CBCalcUnit->setCurrentIndex(d.TaxCalcLine() ? 1 : 0);
  CBUnderOne->setCurrentIndex(IndexOfRule(d.TaxDecimalMode()));
  CBTaxIn->setChecked(d.TaxInputModeIncludeTax());
  CBSubTotalUnderOne->setCurrentIndex(IndexOfRule(d.SubTotalDecimalMode()));
}

void TContentsTab::ResetCalcSettings() {
  const QScopedValueRollback<bool> quiet(inputEvents_, false);
  for (QGroupBox* g : {GBTaxCalc, GBTaxInput, GBSubTotal}) g->setVisible(true);
  CBCalcUnit->setCurrentIndex(0);
  CBUnderOne->setCurrentIndex(0);
  CBTaxIn->setChecked(false);
  CBSubTotalUnderOne->setCurrentIndex(0);
  LblMode->setText(QStringLiteral("通常"));
  for (QLineEdit* e : {EdSubTotal, MMTax, EdGrandTotal}) e->setText(QStringLiteral("0"));
}

void TContentsTab::SetTotalClaimMode(bool on) {
  for (QPushButton* b : {BtnDelLine, BtnUp, BtnDown, BtnAddRows, BtnDelRows}) b->setVisible(!on);
  for (QGroupBox* g : {GBTaxCalc, GBTaxInput, GBSubTotal}) g->setVisible(!on);
  LblMode->setText(on ? QStringLiteral("合計請求") : QStringLiteral("通常"));
}

void TContentsTab::ConfigChange() {
  if (!inputEvents_) return;
  Guarded(this, [this] {
    TMxEstimateObjectList& d = session_.Document();
    d.SetTaxCalcLine(CBCalcUnit->currentIndex() != 0);
    d.SetTaxDecimalMode(RuleOfIndex(CBUnderOne->currentIndex()));
    d.SetTaxInputModeIncludeTax(CBTaxIn->isChecked());
    d.SetSubTotalDecimalMode(RuleOfIndex(CBSubTotalUnderOne->currentIndex()));
    d.DoCalc();
    view_.Refresh();
  });
}

// ---------------------------------------------------------------------------------------
// Rows

void TContentsTab::AddInputAreaAndData(int count, bool rowsOnly) {
  if (!rowsOnly) AddBlankLines(session_.Document(), count);
  lineArea_->AddRows(count);
}

void TContentsTab::DelInputAreaAndData(int count, bool rowsOnly) {
  lineArea_->RemoveRows(count);
  if (!rowsOnly) RemoveLastLines(session_.Document(), count);
  if (FNowLineIndex >= lineArea_->RowCount()) FNowLineIndex = -1;
}

void TContentsTab::InitInputArea() {
  const TMxEstimateObjectList& doc = session_.Document();
  if (lineArea_->RowCount() < kMinimumLines && doc.Count() == 0) AddInputAreaAndData(kMinimumLines, false);
  const int lines = doc.Count();
  if (lineArea_->RowCount() < lines) lineArea_->AddRows(lines - lineArea_->RowCount());
  if (lineArea_->RowCount() > lines) lineArea_->RemoveRows(lineArea_->RowCount() - lines);
}

void TContentsTab::CommitCurrentEdit() {
  if (QWidget* focus = QApplication::focusWidget(); focus && lineArea_->isAncestorOf(focus)) focus->clearFocus();
  FNowLineIndex = -1;
}

void TContentsTab::ActiveInputArea(int n) {
  if (FNowLineIndex != n) NonActiveInputArea(FNowLineIndex);
  lineArea_->SetHighlighted(n, true);
  FNowLineIndex = n;
  emit lineActivated(n);
}

void TContentsTab::NonActiveInputArea(int n) {
  lineArea_->SetHighlighted(n, false);
  if (n >= 0) emit lineLeft(n);
}

void TContentsTab::EditEnter(int row, QWidget* cell) {
  if (auto* numeric = qobject_cast<TSsEdit*>(cell)) {
    numeric->setText(numeric->text().remove(','));
    numeric->selectAll();
  } else if (auto* edit = qobject_cast<QLineEdit*>(cell)) {
    edit->selectAll();
  }
  ActiveInputArea(row);
}

void TContentsTab::EditExit(int row, bool fillCost, bool unhighlight) {
  // A message box shown while a row is read takes the focus from the next cell; that
  // is no second edit to read.
  if (leavingRow_ || row < 0 || row >= session_.Document().Count()) return;
  const QScopedValueRollback<bool> reading(leavingRow_, true);
  TLineInputArea::Row& r = lineArea_->RowAt(row);
  for (TSsEdit* cell : r.NumericCells())
    if (cell->text().trimmed().isEmpty() && (fillCost || cell != r.MemoItemCost)) cell->setText(QStringLiteral("0"));
  CalcLine(row);
  session_.Document().DoCalc();
  view_.Refresh();
  if (unhighlight) NonActiveInputArea(row);
}

void TContentsTab::CalcLine(int n) {
  TMxEstimateObject& line = session_.Document().Items(n);
  TLineInputArea::Row& r = lineArea_->RowAt(n);
  line.SetClassNo(std::max(0, r.CBClass->currentIndex()));
  line.SetFreeEdit(S(r.EditFree->text()));
  line.SetName(S(r.EditItemName->text()));
  line.SetItemUnit(S(r.MemoItemUnit->text()));
  line.SetNote(S(r.EditItemEtc->text()));
  line.SetTaxless(r.CBItemNoTax->isChecked());
  const auto read = [](TSsEdit* cell) { return Currency::TryParseDecimal(S(cell->text().remove(','))); };
  // The cells are put right before the one message is shown, so that nothing reads the
  // refused text again while the message is open.
  bool refused = false;
  // A cost that is no number is reported like the other cells and taken as 0.
  if (auto cost = read(r.MemoItemCost)) {
    line.SetCost(*cost);
  } else {
    refused = true;
    line.SetCost(Currency());
    r.MemoItemCost->setText(QStringLiteral("0"));
  }
  if (auto amount = read(r.MemoItemTotalPrice)) {
    line.SetTotalPrice(*amount);
  } else {
    refused = true;
    line.SetTotalPrice(Currency());
  }
  const auto num = read(r.MemoItemNum);
  const auto price = read(r.MemoItemUnitPrice);
  if (!num || !price) {
    line.SetNum(Currency());
    line.SetPrice(Currency());
    line.SetCost(Currency());
    line.SetTotalPrice(Currency());
    for (TSsEdit* cell : r.NumericCells()) cell->setText(QStringLiteral("0"));
    ShowMessage(this, msg::kInputLimit);
    return;
  }
  line.SetNum(*num);
  line.SetPrice(*price);
  if (!line.DoCalc()) {
    refused = true;
    for (TSsEdit* cell : {r.MemoItemNum, r.MemoItemUnitPrice, r.MemoItemTotalPrice}) cell->setText(QStringLiteral("0"));
  }
  const bool decimals = session_.Config().PrintDecimalPoint();
  r.MemoItemNum->setText(Q(CommaAdd(false, line.Num(), decimals)));
  r.MemoItemUnitPrice->setText(Q(CommaAdd(false, line.Price(), decimals)));
  r.MemoItemTotalPrice->setText(Q(CommaAdd(false, line.TotalPrice(), decimals)));
  if (refused) ShowMessage(this, msg::kInputLimit);
}

void TContentsTab::AddRowsClick() {
  if (session_.Document().TotalClaimMode()) {
    ShowMessage(this, msg::kNotInTotalClaim);
    return;
  }
  const int current = FNowLineIndex;
  AddInputAreaAndData(kLineBlock, false);
  view_.Refresh();
  if (current >= 0) lineArea_->FocusItemName(current);
}

void TContentsTab::RemoveRowsClick() {
  TMxEstimateObjectList& doc = session_.Document();
  if (doc.TotalClaimMode()) {
    ShowMessage(this, msg::kNotInTotalClaim);
    return;
  }
  if (doc.Count() <= kMinimumLines) {
    ShowMessage(this, msg::kCannotRemoveMore);
    return;
  }
  const int current = FNowLineIndex;
  if (current >= 0) CalcLine(current);
  const int count = doc.Count();
  if (AnyFilled(doc, count - kLineBlock, count) && !AskYesNo(this, msg::kConfirmRemoveFilled)) return;
  DelInputAreaAndData(kLineBlock, false);
  doc.DoCalc();
  view_.Refresh();
  if (current >= 0 && current < doc.Count()) lineArea_->FocusItemName(current);
  else FNowLineIndex = -1;
}

// ---------------------------------------------------------------------------------------
// Editing commands

bool TContentsTab::Report(LineEdit result, const char* noLineMessage) {
  switch (result) {
    case LineEdit::Done: return true;
    case LineEdit::TotalClaim: ShowMessage(this, msg::kNotInTotalClaim); break;
    case LineEdit::NoCurrentLine: ShowMessage(this, noLineMessage); break;
    case LineEdit::CannotMove: ShowMessage(this, msg::kCannotMove); break;
    case LineEdit::NoRoom: ShowMessage(this, msg::kCannotInsert); break;
  }
  return false;
}

void TContentsTab::CopyLineClick() {
  if (Report(CopyLine(session_.Document(), FNowLineIndex, session_.CopyBuffer()), msg::kSelectToCopy))
    ShowMessage(this, msg::kCopied);
}

void TContentsTab::PasteLineClick() {
  if (!Report(PasteLine(session_.Document(), FNowLineIndex, session_.CopyBuffer()), msg::kSelectToPaste)) return;
  view_.Refresh();
  ShowMessage(this, msg::kPasted);
}

void TContentsTab::MoveCurrentLine(int delta) {
  TMxEstimateObjectList& doc = session_.Document();
  const int from = FNowLineIndex;
  const int to = from + delta;
  // The row's pending edit goes with the line.
  if (from >= 0 && from < doc.Count() && to >= 0 && to < doc.Count()) CalcLine(from);
  if (!Report(MoveLine(doc, from, delta), msg::kSelectToMove)) return;
  NonActiveInputArea(from);
  view_.Refresh();
  lineArea_->FocusItemName(to);
  FNowLineIndex = to;
  lineArea_->SetHighlighted(to, true);
}

void TContentsTab::MoveUpClick() { MoveCurrentLine(-1); }
void TContentsTab::MoveDownClick() { MoveCurrentLine(+1); }

void TContentsTab::InsertLineClick() {
  if (Report(InsertBlankLine(session_.Document(), FNowLineIndex), msg::kSelectToInsert)) view_.Refresh();
}

void TContentsTab::InsertSubTotalClick() {
  if (Report(InsertSubTotalLine(session_.Document(), FNowLineIndex), msg::kSelectToInsert)) view_.Refresh();
}

void TContentsTab::DeleteLineClick() {
  if (Report(DeleteLine(session_.Document(), FNowLineIndex), msg::kSelectToDelete)) {
    emit lineDeleted();
    view_.Refresh();
  }
}

// ---------------------------------------------------------------------------------------
// Pick menus

void TContentsTab::BuildPickMenus() {
  const auto build = [this](QMenu* menu, int count, const char* groupName, const char* groupCaption,
                            const char* entryName, auto caption, auto pick) {
    menu->clear();
    QMenu* group = nullptr;
    for (int i = 0; i < count; ++i) {
      if (i % 10 == 0) {
        const int g = i / 10;
        group = menu->addMenu(QString::fromUtf8(groupCaption) + QString::number(10 * g + 1) + " - " +
                              QString::number(10 * g + 10));
        group->setObjectName(groupName + QString::number(g));
      }
      QAction* a = group->addAction(caption(i));
      a->setObjectName(entryName + QString::number(i));
      connect(a, &QAction::triggered, this, [this, pick, i] { Guarded(this, [&] { (this->*pick)(i); }); });
    }
  };
  const TMxItemObjectList& items = session_.Items();
  const TMxItemUnitObjectList& units = session_.Units();
  build(PMItem, items.Count(), "MPItem", "アイテム", "MItemName",
        [&items](int i) { return Q(items.Items(i).ItemName()); }, &TContentsTab::PickItem);
  build(PMUnit, units.Count(), "MPUnit", "単位", "MUnit",
        [&units](int i) { return Q(units.Items(i).ItemUnit()); }, &TContentsTab::PickUnit);
}

void TContentsTab::PickItem(int index) {
  if (FNowLineIndex < 0 || FNowLineIndex >= lineArea_->RowCount()) return;
  const TMxItemObject& item = session_.Items().Items(index);
  TLineInputArea::Row& r = lineArea_->RowAt(FNowLineIndex);
  const bool decimals = session_.Config().PrintDecimalPoint();
  r.EditItemName->setText(Q(item.ItemName()));
  r.MemoItemUnit->setText(item.ItemUnit() == msg::kNoUnit ? QString() : Q(item.ItemUnit()));
  r.MemoItemUnitPrice->setText(Q(CommaAdd(false, item.ItemPrice(), decimals)));
  r.MemoItemCost->setText(Q(CommaAdd(false, item.ItemCost(), decimals)));
}

void TContentsTab::PickUnit(int index) {
  if (FNowLineIndex < 0 || FNowLineIndex >= lineArea_->RowCount()) return;
  lineArea_->RowAt(FNowLineIndex).MemoItemUnit->setText(Q(session_.Units().Items(index).ItemUnit()));
}

}  // namespace qm::ui
