#include "ui/app/line_area.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

#include "ui/common/focus_next.h"
#include "ui/controls/cp932_input.h"
#include "ui/controls/ss_edit.h"

namespace qm::ui {
namespace {

const QColor kAreaColour(255, 250, 200);
const QColor kCurrentColour(255, 196, 96);

// Left edge and width of each control, in row order.
struct Column {
  int left, width;
};
constexpr Column kNo{3, 30}, kClass{43, 73}, kFree{119, 78}, kName{201, 145}, kNum{350, 65}, kUnit{419, 65},
    kPrice{489, 73}, kCost{566, 73}, kTotal{644, 113}, kEtc{761, 78}, kPic{844, 32}, kTax{895, 15};

void SetCellColour(QWidget* w, const QColor& colour) {
  QPalette p = w->palette();
  if (p.color(QPalette::Base) == colour) return;
  p.setColor(QPalette::Base, colour);
  w->setPalette(p);
}

}  // namespace

std::vector<TSsEdit*> TLineInputArea::Row::NumericCells() const {
  return {MemoItemNum, MemoItemUnitPrice, MemoItemCost, MemoItemTotalPrice};
}

std::vector<QWidget*> TLineInputArea::Row::Cells() const {
  return {CBClass, EditFree, EditItemName, MemoItemNum, MemoItemUnit, MemoItemUnitPrice, MemoItemCost,
          MemoItemTotalPrice, EditItemEtc, BtnItemPic, CBItemNoTax};
}

TLineInputArea::TLineInputArea(QWidget* parent) : QScrollArea(parent), canvas_(new QWidget) {
  setObjectName("ScrollBoxInput");
  QPalette p = palette();
  p.setColor(QPalette::Window, kAreaColour);
  setPalette(p);
  canvas_->setAutoFillBackground(true);
  canvas_->setPalette(p);
  setWidget(canvas_);
  setWidgetResizable(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  canvas_->resize(kTax.left + 30, 0);
}

TLineInputArea::Row TLineInputArea::MakeRow(int n) {
  const QString suffix = QString::number(n);
  const int top = kRowPitch * n + kCellTop;
  const auto place = [&](QWidget* w, const char* prefix, Column c, int y, int h) {
    w->setObjectName(prefix + suffix);
    w->setProperty("tag", n);
    w->setGeometry(c.left, y, c.width, h);
    return w;
  };
  const auto textEdit = [&](const char* prefix, Column c) {
    auto* e = new QLineEdit(canvas_);
    place(e, prefix, c, top, kCellHeight);
    RestrictToCp932(e);
    return e;
  };
  const auto numEdit = [&](const char* prefix, Column c) {
    auto* e = new TSsEdit(canvas_);
    place(e, prefix, c, top, kCellHeight);
    e->SetAlignment(Qt::AlignRight);
    e->SetImeEnabled(false);
    e->setText(QStringLiteral("0"));
    RestrictToCp932(e);
    return e;
  };

  Row r{};
  r.LblItemNo = new QLabel(QString::number(n + 1), canvas_);
  place(r.LblItemNo, "LblItemNo_", kNo, kRowPitch * n + 8, 15);
  r.LblItemNo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  r.CBClass = new QComboBox(canvas_);
  place(r.CBClass, "CBClass_", kClass, top, kCellHeight);
  r.CBClass->addItems({QStringLiteral("大分類"), QStringLiteral("中分類"), QStringLiteral("小分類")});
  r.EditFree = textEdit("EditFree_", kFree);
  r.EditItemName = textEdit("EditItemName_", kName);
  r.MemoItemNum = numEdit("MemoItemNum_", kNum);
  r.MemoItemUnit = textEdit("MemoItemUnit_", kUnit);
  r.MemoItemUnitPrice = numEdit("MemoItemUnitPrice_", kPrice);
  r.MemoItemCost = numEdit("MemoItemCost_", kCost);
  r.MemoItemTotalPrice = numEdit("MemoItemTotalPrice_", kTotal);
  r.EditItemEtc = textEdit("EditItemEtc_", kEtc);
  r.BtnItemPic = new QPushButton(QStringLiteral("読込"), canvas_);
  place(r.BtnItemPic, "BtnItemPic_", kPic, top, kCellHeight);
  QFont small = r.BtnItemPic->font();
  small.setPointSize(9);
  r.BtnItemPic->setFont(small);
  r.CBItemNoTax = new QCheckBox(canvas_);
  place(r.CBItemNoTax, "CBItemNoTax_", kTax, kRowPitch * n + 7, 17);

  for (QWidget* w : r.Cells()) {
    w->installEventFilter(this);
    w->show();
  }
  r.LblItemNo->show();
  connect(r.CBItemNoTax, &QCheckBox::clicked, this, [this, n] { emit taxlessClicked(n); });
  connect(r.BtnItemPic, &QPushButton::clicked, this, [this, n] { emit pictureClicked(n); });
  for (QWidget* w : {static_cast<QWidget*>(r.CBClass), static_cast<QWidget*>(r.EditFree),
                     static_cast<QWidget*>(r.EditItemName), static_cast<QWidget*>(r.MemoItemUnit)}) {
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    const bool unit = w == r.MemoItemUnit;
    connect(w, &QWidget::customContextMenuRequested, this,
            [this, w, unit](const QPoint& pos) { ShowMenu(unit ? unitMenu_ : itemMenu_, w, pos); });
  }
  return r;
}

void TLineInputArea::AddRows(int count) {
  if (count <= 0) return;
  canvas_->setUpdatesEnabled(false);
  canvas_->hide();
  const int first = RowCount();
  rows_.reserve(rows_.size() + static_cast<std::size_t>(count));
  for (int n = first; n < first + count; ++n) rows_.push_back(MakeRow(n));
  canvas_->resize(canvas_->width(), kRowPitch * RowCount() + kCellTop);
  // Tab order follows the rows: every cell after the one before it.
  QWidget* previous = first > 0 ? rows_[static_cast<std::size_t>(first - 1)].CBItemNoTax : nullptr;
  for (int n = first; n < RowCount(); ++n)
    for (QWidget* w : rows_[static_cast<std::size_t>(n)].Cells()) {
      if (previous) QWidget::setTabOrder(previous, w);
      previous = w;
    }
  canvas_->show();
  canvas_->setUpdatesEnabled(true);
}

void TLineInputArea::RemoveRows(int count) {
  count = std::min(count, RowCount());
  if (count <= 0) return;
  canvas_->setUpdatesEnabled(false);
  for (int i = 0; i < count; ++i) {
    Row& r = rows_.back();
    delete r.LblItemNo;
    for (QWidget* w : r.Cells()) {
      w->removeEventFilter(this);
      delete w;
    }
    rows_.pop_back();
  }
  canvas_->resize(canvas_->width(), kRowPitch * RowCount() + kCellTop);
  canvas_->setUpdatesEnabled(true);
}

int TLineInputArea::RowOf(const QObject* control) const {
  const QVariant tag = control ? control->property("tag") : QVariant();
  if (!tag.isValid()) return -1;
  const int n = tag.toInt();
  return n >= 0 && n < RowCount() ? n : -1;
}

void TLineInputArea::SetHighlighted(int n, bool on) {
  if (n < 0 || n >= RowCount()) return;
  Row& r = RowAt(n);
  QFont f = r.LblItemNo->font();
  if (f.bold() != on) {
    f.setBold(on);
    r.LblItemNo->setFont(f);
  }
  const QColor colour = on ? kCurrentColour : QColor(Qt::white);
  for (QWidget* w : r.Cells())
    if (w != r.BtnItemPic && w != r.CBItemNoTax) SetCellColour(w, colour);
}

void TLineInputArea::SetPickMenus(QMenu* itemMenu, QMenu* unitMenu) {
  itemMenu_ = itemMenu;
  unitMenu_ = unitMenu;
}

void TLineInputArea::FocusItemName(int n) {
  if (n < 0 || n >= RowCount()) return;
  ensureWidgetVisible(RowAt(n).EditItemName, 0, kRowPitch);
  RowAt(n).EditItemName->setFocus(Qt::OtherFocusReason);
}

void TLineInputArea::ShowMenu(QMenu* menu, QWidget* cell, const QPoint& pos) {
  if (!menu || !cell->isEnabled()) return;
  cell->setFocus(Qt::PopupFocusReason);
  menu->popup(cell->mapToGlobal(pos));
}

bool TLineInputArea::eventFilter(QObject* watched, QEvent* event) {
  const int n = RowOf(watched);
  if (n >= 0) {
    auto* w = static_cast<QWidget*>(watched);
    switch (event->type()) {
      case QEvent::FocusIn:
        emit cellEntered(n, w);
        break;
      case QEvent::FocusOut:
        // A pick menu opening is not leaving the cell.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) emit cellLeft(n, w);
        break;
      case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && w != RowAt(n).BtnItemPic) {
          FocusNext(w);
          return true;
        }
        break;
      }
      default:
        break;
    }
  }
  return QScrollArea::eventFilter(watched, event);
}

void TLineInputArea::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / 120;
  if (notches == 0) return;
  QScrollBar* bar = verticalScrollBar();
  bar->setValue(bar->value() - notches * kWheelStep);
  event->accept();
}

}  // namespace qm::ui
