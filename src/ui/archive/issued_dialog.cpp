#include "ui/archive/issued_dialog.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <iterator>

#include "base/amount_text.h"
#include "base/atomic_file.h"
#include "base/era_date.h"
#include "ui/common/dialog_button.h"
#include "ui/common/guarded.h"
#include "ui/common/message_box.h"

namespace qm::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// An item that sorts by a value of its own (amounts, numbers, dates) whatever it shows.
class SortedItem final : public QTableWidgetItem {
 public:
  SortedItem(const QString& text, const QVariant& key) : QTableWidgetItem(text) { setData(Qt::UserRole, key); }
  bool operator<(const QTableWidgetItem& other) const override {
    const QVariant a = data(Qt::UserRole), b = other.data(Qt::UserRole);
    if (a.typeId() == QMetaType::LongLong && b.typeId() == QMetaType::LongLong) return a.toLongLong() < b.toLongLong();
    return a.toString() < b.toString();
  }
};

const char* const kColumns[] = {"番号",     "取引年月日", "書類",   "伝票番号", "取引先",     "取引先コード",
                                "合計金額", "消費税",     "登録番号", "発行日時", "発行方法",   "出力先",
                                "元の書類", "PDFファイル", "SHA-256", "訂正元"};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));

QString ViaCaption(archive::IssueVia via) {
  switch (via) {
    case archive::IssueVia::Print: return QStringLiteral("印刷");
    case archive::IssueVia::Pdf: return QStringLiteral("PDF出力");
    case archive::IssueVia::Qm: return QStringLiteral("qm");
  }
  return {};
}

}  // namespace

TFormIssuedSearch::TFormIssuedSearch(archive::IssueArchive& archive, std::string dataRoot, QWidget* parent)
    : QDialog(parent), archive_(archive), dataRoot_(std::move(dataRoot)) {
  setObjectName("FormIssuedSearch");
  setWindowTitle(QStringLiteral("発行控えの検索"));
  OpenFile = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };

  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout();
  const auto field = [this](const char* name, const QString& placeholder) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    e->setPlaceholderText(placeholder);
    return e;
  };
  EdtFrom = field("EdtFrom", QStringLiteral("2026-12-01 / 令和8年12月1日"));
  EdtTo = field("EdtTo", QStringLiteral("2026-12-31"));
  EdtMin = field("EdtMin", QStringLiteral("0"));
  EdtMax = field("EdtMax", QString());
  EdtCustomer = field("EdtCustomer", QStringLiteral("会社名の一部"));
  CBKind = new QComboBox(this);
  CBKind->setObjectName("CBKind");
  CBKind->addItem(QStringLiteral("すべて"), -1);
  for (const DocumentKind& k : DocumentKinds())
    if (archive::IsArchivedKind(k.kind)) CBKind->addItem(QString::fromUtf8(k.name), static_cast<int>(k.kind));
  grid->addWidget(new QLabel(QStringLiteral("取引年月日"), this), 0, 0);
  grid->addWidget(EdtFrom, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("～"), this), 0, 2);
  grid->addWidget(EdtTo, 0, 3);
  grid->addWidget(new QLabel(QStringLiteral("金額"), this), 1, 0);
  grid->addWidget(EdtMin, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("～"), this), 1, 2);
  grid->addWidget(EdtMax, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("取引先"), this), 2, 0);
  grid->addWidget(EdtCustomer, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("書類"), this), 2, 2);
  grid->addWidget(CBKind, 2, 3);
  BtnSearch = DialogButton(this, "BtnSearch", "検索");
  grid->addWidget(BtnSearch, 2, 4);
  layout->addLayout(grid);

  LVIssued = new QTableWidget(0, kColumnCount, this);
  LVIssued->setObjectName("LVIssued");
  QStringList headings;
  for (const char* c : kColumns) headings << QString::fromUtf8(c);
  LVIssued->setHorizontalHeaderLabels(headings);
  LVIssued->setSelectionBehavior(QAbstractItemView::SelectRows);
  LVIssued->setSelectionMode(QAbstractItemView::SingleSelection);
  LVIssued->setEditTriggers(QAbstractItemView::NoEditTriggers);
  LVIssued->verticalHeader()->hide();
  LVIssued->setSortingEnabled(true);
  layout->addWidget(LVIssued, 1);

  auto* buttons = new QHBoxLayout();
  LblCount = new QLabel(this);
  LblCount->setObjectName("LblCount");
  buttons->addWidget(LblCount);
  buttons->addStretch();
  BtnOpen = DialogButton(this, "BtnOpen", "開く");
  BtnCsv = DialogButton(this, "BtnCsv", "CSV出力");
  BtnVerify = DialogButton(this, "BtnVerify", "検証");
  BtnClose = DialogButton(this, "BtnClose", "閉じる");
  for (QPushButton* b : {BtnOpen, BtnCsv, BtnVerify, BtnClose}) buttons->addWidget(b);
  layout->addLayout(buttons);
  resize(1000, 560);

  connect(BtnSearch, &QPushButton::clicked, this, &TFormIssuedSearch::SearchClick);
  connect(BtnOpen, &QPushButton::clicked, this, &TFormIssuedSearch::OpenClick);
  connect(LVIssued, &QTableWidget::cellDoubleClicked, this, [this] { OpenClick(); });
  connect(BtnCsv, &QPushButton::clicked, this, &TFormIssuedSearch::CsvClick);
  connect(BtnVerify, &QPushButton::clicked, this, &TFormIssuedSearch::VerifyClick);
  connect(BtnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void TFormIssuedSearch::ShowModal() {
  SearchClick();
  exec();
}

std::optional<archive::IssueFilter> TFormIssuedSearch::Filter() {
  archive::IssueFilter f;
  const auto date = [this](QLineEdit* edit, std::optional<QDate>& into) {
    const std::string text = edit->text().trimmed().toStdString();
    if (text.empty()) return true;
    const QDate d = ParseDateText(text);
    if (!d.isValid()) {
      ShowMessage(this, QStringLiteral("取引年月日は 2026-12-10 や 令和8年12月10日 のように入力してください。"));
      edit->setFocus();
      return false;
    }
    into = d;
    return true;
  };
  const auto amount = [this](QLineEdit* edit, std::optional<Currency>& into) {
    const std::string text = edit->text().trimmed().toStdString();
    if (text.empty()) return true;
    const std::optional<Currency> v = TryCommaDel(text);
    if (!v) {
      ShowMessage(this, QStringLiteral("金額は数値で入力してください。"));
      edit->setFocus();
      return false;
    }
    into = *v;
    return true;
  };
  if (!date(EdtFrom, f.from) || !date(EdtTo, f.to) || !amount(EdtMin, f.min) || !amount(EdtMax, f.max))
    return std::nullopt;
  f.customer = EdtCustomer->text().trimmed().toStdString();
  if (const int kind = CBKind->currentData().toInt(); kind >= 0) f.kind = static_cast<TChartType>(kind);
  return f;
}

void TFormIssuedSearch::SearchClick() {
  const std::optional<archive::IssueFilter> filter = Filter();
  if (!filter) return;
  Guarded(this, [&] {
    hits_ = archive_.Find(*filter);
    Fill();
  });
}

void TFormIssuedSearch::Fill() {
  LVIssued->setSortingEnabled(false);
  LVIssued->setRowCount(static_cast<int>(hits_.size()));
  for (int row = 0; row < static_cast<int>(hits_.size()); ++row) {
    const archive::IssuedRecord& r = hits_[static_cast<std::size_t>(row)];
    const auto number = [](std::int64_t v) { return QVariant(static_cast<qlonglong>(v)); };
    const QString date = r.slipDate.toString("yyyy-MM-dd");
    QTableWidgetItem* cells[] = {
        new SortedItem(QString::number(r.id), number(r.id)),
        new SortedItem(date, date),
        new SortedItem(QString::fromUtf8(KindOf(r.kind).name), static_cast<qlonglong>(static_cast<int>(r.kind))),
        new SortedItem(Q(r.slipNo), Q(r.slipNo)),
        new SortedItem(Q(r.customer), Q(r.customer)),
        new SortedItem(Q(r.customerCode), Q(r.customerCode)),
        new SortedItem(Q(CommaAdd(false, r.total, false)), number(r.total.Raw())),
        new SortedItem(Q(CommaAdd(false, r.tax, false)), number(r.tax.Raw())),
        new SortedItem(Q(r.registNo), Q(r.registNo)),
        new SortedItem(r.issuedAt.toString("yyyy-MM-dd HH:mm:ss"), r.issuedAt.toString("yyyy-MM-dd HH:mm:ss")),
        new SortedItem(ViaCaption(r.via), ViaCaption(r.via)),
        new SortedItem(Q(r.target), Q(r.target)),
        new SortedItem(Q(r.source), Q(r.source)),
        new SortedItem(Q(r.file), Q(r.file)),
        new SortedItem(Q(r.sha256), Q(r.sha256)),
        new SortedItem(r.corrects ? QString::number(*r.corrects) : QString(), number(r.corrects.value_or(0))),
    };
    for (int c = 0; c < kColumnCount; ++c) {
      QTableWidgetItem* cell = cells[c];
      cell->setData(Qt::UserRole + 1, row);  // the hit it shows, whatever the order
      if (c == 0 || c == 6 || c == 7) cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      LVIssued->setItem(row, c, cell);
    }
  }
  // A new search shows its hits in the archive's order (slip date, then number), whatever
  // column the list was sorted by before; a click on a heading sorts them anew.
  LVIssued->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  LVIssued->setSortingEnabled(true);
  LVIssued->resizeColumnsToContents();
  LblCount->setText(QStringLiteral("%1 件").arg(hits_.size()));
}

void TFormIssuedSearch::OpenClick() {
  const QList<QTableWidgetItem*> chosen = LVIssued->selectedItems();
  if (chosen.isEmpty()) {
    ShowMessage(this, QStringLiteral("開く控えを選択してください。"));
    return;
  }
  const int hit = chosen.front()->data(Qt::UserRole + 1).toInt();
  const QString path = Q(dataRoot_ + hits_.at(static_cast<std::size_t>(hit)).file);
  if (!OpenFile(path)) ShowError(this, QStringLiteral("ファイル %1 を開けません。").arg(path));
}

void TFormIssuedSearch::CsvClick() {
  const QString path = ChooseFileToWrite(this, QStringLiteral("CSVファイル(*.csv)"), QStringLiteral("csv"), ExportFolder());
  if (path.isEmpty()) return;
  Guarded(this, [&] { WriteFileAtomically(path.toStdString(), archive::IssuedCsv(hits_)); });
}

void TFormIssuedSearch::VerifyClick() {
  Guarded(this, [&] {
    const archive::VerifyResult result = archive_.Verify();
    if (result.bad.empty()) {
      ShowMessage(this, QStringLiteral("発行控え %1 件を確かめました。問題はありません。").arg(result.records));
      return;
    }
    QString text = QStringLiteral("発行控え %1 件のうち、次の控えに問題があります。").arg(result.records);
    for (const archive::VerifyProblem& p : result.bad)
      text += QStringLiteral("\r\n") + (p.id > 0 ? QStringLiteral("番号 %1: ").arg(p.id) : QString()) + Q(p.reason);
    ShowError(this, text);
  });
}

}  // namespace qm::ui
