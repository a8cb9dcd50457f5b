#include "ui/controls/cp932_input.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <utility>
#include <vector>

#include "base/cp932.h"

namespace qm::ui {
namespace {

bool IsAscii(QStringView text) {
  for (QChar c : text)
    if (c.unicode() >= 0x80) return false;
  return true;
}

bool HasLoneSurrogate(QStringView text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      ++i;
    } else if (c.isSurrogate()) {
      return true;
    }
  }
  return false;
}

// How the document holds what toPlainText() gives back as a line end or a blank.
QChar PlainForm(QChar c) {
  switch (c.unicode()) {
    case QChar::ParagraphSeparator:
    case QChar::LineSeparator: return u'\n';
    case QChar::Nbsp: return u' ';
    default: return c;
  }
}

// Takes the characters CP932 cannot hold out of every insertion into a document.
class PlainTextFilter final : public QObject {
 public:
  static constexpr const char* kName = "qmCp932Filter";

  explicit PlainTextFilter(QPlainTextEdit* edit) : QObject(edit), doc_(edit->document()) {
    setObjectName(QLatin1String(kName));
    connect(doc_, &QTextDocument::contentsChange, this, &PlainTextFilter::OnChange);
  }

 private:
  // Runs (position, length) of characters to remove, in document order.
  std::vector<std::pair<int, int>> BadRuns(int from, int to) const {
    QString text;
    text.reserve(to - from);
    for (int i = from; i < to; ++i) text.append(PlainForm(doc_->characterAt(i)));
    std::vector<std::pair<int, int>> runs;
    if (IsCp932Text(text)) return runs;
    for (qsizetype i = 0; i < text.size();) {
      const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
      const qsizetype len = pair ? 2 : 1;
      if (!IsCp932Text(QStringView(text).mid(i, len))) {
        const int pos = from + static_cast<int>(i);
        if (!runs.empty() && runs.back().first + runs.back().second == pos)
          runs.back().second += static_cast<int>(len);
        else
          runs.emplace_back(pos, static_cast<int>(len));
      }
      i += len;
    }
    return runs;
  }

  // Called while the document still reports the change; the removal is merged into that
  // change (and into its undo step), so listeners see clean text only.
  void OnChange(int position, int /*removed*/, int added) {
    if (busy_ || added <= 0) return;
    const int end = std::min(position + added, doc_->characterCount());
    const auto runs = BadRuns(position, end);
    if (runs.empty()) return;
    const QScopedValueRollback guard(busy_, true);
    QTextCursor cursor(doc_);
    cursor.joinPreviousEditBlock();
    for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
      cursor.setPosition(it->first);
      cursor.setPosition(it->first + it->second, QTextCursor::KeepAnchor);
      cursor.removeSelectedText();
    }
    cursor.endEditBlock();
  }

  QTextDocument* doc_;
  bool busy_ = false;
};

}  // namespace

bool IsCp932Text(QStringView text) {
  if (IsAscii(text)) return true;
  if (HasLoneSurrogate(text)) return false;
  return cp932::IsRepresentable(text.toUtf8().toStdString());
}

Cp932Validator::Cp932Validator(const QValidator* inner, QObject* parent) : QValidator(parent), inner_(inner) {}

QValidator::State Cp932Validator::validate(QString& input, int& pos) const {
  if (!IsCp932Text(input)) return Invalid;
  return inner_ ? inner_->validate(input, pos) : Acceptable;
}

void Cp932Validator::fixup(QString& input) const {
  if (inner_) inner_->fixup(input);
}

void RestrictToCp932(QLineEdit* edit) {
  if (!edit || qobject_cast<const Cp932Validator*>(edit->validator())) return;
  edit->setValidator(new Cp932Validator(edit->validator(), edit));
}

void RestrictToCp932(QComboBox* box) {
  if (box) RestrictToCp932(box->lineEdit());
}

void RestrictToCp932(QPlainTextEdit* edit) {
  if (!edit || edit->findChild<QObject*>(QLatin1String(PlainTextFilter::kName), Qt::FindDirectChildrenOnly)) return;
  new PlainTextFilter(edit);
}

}  // namespace qm::ui
