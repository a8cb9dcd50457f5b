#pragma once
// Text controls that refuse characters CP932 cannot hold, so that no document, master
// or history ever contains one (every file the program writes is CP932).
#include <QPointer>
#include <QValidator>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace qm::ui {

// True when every character of `text` has a CP932 form (lone surrogates have none).
bool IsCp932Text(QStringView text);

// Invalid for text holding a character CP932 cannot hold; otherwise the answer of the
// inner validator, if any (it stays owned by whoever owned it), else Acceptable.
class Cp932Validator final : public QValidator {
  Q_OBJECT
 public:
  explicit Cp932Validator(const QValidator* inner = nullptr, QObject* parent = nullptr);
  State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;
  const QValidator* Inner() const { return inner_; }

 private:
  QPointer<const QValidator> inner_;
};

// Typing, pasting, dropping and input-method commits that would bring in such a
// character are refused as a whole. The edit's current validator keeps working inside
// the new one; a validator set afterwards replaces it (call again to restore). Text set
// by the program (setText) is not checked. Calling twice does nothing more.
void RestrictToCp932(QLineEdit* edit);
// The same for an editable combo box's line edit; call it after setEditable(true) or
// setLineEdit(), which bring a new line edit. A non-editable box needs nothing.
void RestrictToCp932(QComboBox* box);
// Multi-line text has no validator: whatever is inserted — typed, pasted, committed or
// set by the program — loses the characters CP932 cannot hold, and the removal is part
// of the same undo step. Applies to the edit's current document from now on.
void RestrictToCp932(QPlainTextEdit* edit);

}  // namespace qm::ui
