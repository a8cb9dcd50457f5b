#pragma once
// The edit field of numbers (quantities, prices, totals): the whole text is selected
// whenever the field receives the focus, so typing replaces it; the text itself is
// never reformatted. Input of CP932-less characters is refused (cp932_input.h).
#include <QLineEdit>

namespace qm::ui {

struct TSsEditOption {
  struct {
    int MaxLength = 0;  // characters; 0: no limit
    int DecLength = 0;  // digits after the point; kept for the caller, no effect here
  } Length;
};

class TSsEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TSsEdit(QWidget* parent = nullptr);

  // Horizontal alignment only: Qt::AlignLeft (default), Qt::AlignRight or Qt::AlignHCenter.
  Qt::Alignment Alignment() const;
  void SetAlignment(Qt::Alignment a);

  const TSsEditOption& EditOption() const { return FEditOption; }
  void SetEditOption(const TSsEditOption& option);

  // Off by default (numbers); on for a field that takes Japanese text. Kept across
  // setReadOnly(), which would otherwise switch the input method back on.
  bool ImeEnabled() const { return imeEnabled_; }
  void SetImeEnabled(bool on);

 protected:
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void ApplyIme();

  TSsEditOption FEditOption;
  bool imeEnabled_ = false;
  bool selectOnPress_ = false;  // the focus came with a mouse press still to be handled
  bool holdSelection_ = false;  // until that button is released, moves do not reselect
};

}  // namespace qm::ui
