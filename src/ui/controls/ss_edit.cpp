#include "ui/controls/ss_edit.h"

#include <QFocusEvent>
#include <QMouseEvent>

#include "ui/controls/cp932_input.h"

namespace qm::ui {
namespace {
constexpr int kNoMaxLength = 32767;  // QLineEdit's own default
}  // namespace

TSsEdit::TSsEdit(QWidget* parent) : QLineEdit(parent) {
  resize(121, 20);
  setFocusPolicy(Qt::StrongFocus);
  ApplyIme();
  RestrictToCp932(this);
}

Qt::Alignment TSsEdit::Alignment() const { return alignment() & Qt::AlignHorizontal_Mask; }

void TSsEdit::SetAlignment(Qt::Alignment a) { setAlignment((a & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter); }

void TSsEdit::SetEditOption(const TSsEditOption& option) {
  FEditOption = option;
  setMaxLength(option.Length.MaxLength > 0 ? option.Length.MaxLength : kNoMaxLength);
}

void TSsEdit::SetImeEnabled(bool on) {
  imeEnabled_ = on;
  ApplyIme();
}

void TSsEdit::ApplyIme() { setAttribute(Qt::WA_InputMethodEnabled, imeEnabled_ && !isReadOnly()); }

void TSsEdit::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  selectAll();
  // The press that brought the focus arrives next and would put the cursor under the
  // mouse; it selects all again instead.
  selectOnPress_ = e->reason() == Qt::MouseFocusReason;
}

void TSsEdit::focusOutEvent(QFocusEvent* e) {
  selectOnPress_ = false;
  holdSelection_ = false;
  QLineEdit::focusOutEvent(e);
}

void TSsEdit::mousePressEvent(QMouseEvent* e) {
  QLineEdit::mousePressEvent(e);
  if (!selectOnPress_) return;
  selectOnPress_ = false;
  holdSelection_ = true;
  selectAll();
}

void TSsEdit::mouseMoveEvent(QMouseEvent* e) {
  if (holdSelection_) return;  // a shaking hand must not turn it into a partial selection
  QLineEdit::mouseMoveEvent(e);
}

void TSsEdit::mouseReleaseEvent(QMouseEvent* e) {
  holdSelection_ = false;
  QLineEdit::mouseReleaseEvent(e);
}

void TSsEdit::changeEvent(QEvent* e) {
  QLineEdit::changeEvent(e);
  if (e->type() == QEvent::ReadOnlyChange) ApplyIme();
}

}  // namespace qm::ui
