#include "ui/files/file_dialogs.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "files/file_name_check.h"
#include "ui/common/dialog_button.h"
#include "ui/common/guarded.h"
#include "ui/common/message_box.h"
#include "ui/controls/cp932_input.h"
#include "ui/files/file_list_view.h"

namespace qm::ui {
namespace {

QPushButton* AddButton(QBoxLayout* row, QWidget* parent, const char* name, const char* caption) {
  auto* b = DialogButton(parent, name, caption);
  row->addWidget(b);
  return b;
}

// The frame of the two list dialogs: title, fixed size, the file list and a button row
// under it (returned, already in the layout).
QHBoxLayout* FileListFrame(QDialog* dialog, const char* name, const char* title, QSize size,
                           QAbstractItemView::SelectionMode mode, TFileListView*& list) {
  dialog->setObjectName(name);
  dialog->setWindowTitle(QString::fromUtf8(title));
  dialog->setFixedSize(size);
  auto* v = new QVBoxLayout(dialog);
  list = new TFileListView(dialog);
  list->setSelectionMode(mode);
  v->addWidget(list);
  auto* row = new QHBoxLayout;
  v->addLayout(row);
  return row;
}

// 条件絞込み of a list dialog: the search dialog, then the list narrowed to its condition.
void SearchInto(QWidget* dialog, TFormSearchFile& search, TFileListView* list, const std::string& saveDir) {
  search.Prepare();
  if (search.exec() != QDialog::Accepted) return;
  Guarded(dialog, [&] { list->Show(SearchEstimateFiles(saveDir, search.Field(), search.Word())); });
}

}  // namespace

// ---------------------------------------------------------------------------------------

TFormSearchFile::TFormSearchFile(QWidget* parent) : QDialog(parent) {
  setObjectName("FormSearchFile");
  setWindowTitle(QStringLiteral("条件絞込み"));
  setFixedSize(484, 136);
  auto* v = new QVBoxLayout(this);
  auto* line = new QHBoxLayout;
  CBHead = new QComboBox(this);
  CBHead->setObjectName("CBHead");
  CBHead->addItems({QStringLiteral("会社名"), QStringLiteral("コメント"), QStringLiteral("ファイル名"),
                    QStringLiteral("モード"), QStringLiteral("保存日")});
  EdtWord = new QLineEdit(this);
  EdtWord->setObjectName("EdtWord");
  RestrictToCp932(EdtWord);
  CBMode = new QComboBox(this);
  CBMode->setObjectName("CBMode");
  CBMode->addItems({QStringLiteral("通常"), QStringLiteral("合計請求")});
  DateTimePicker1 = new QDateEdit(this);
  DateTimePicker1->setObjectName("DateTimePicker1");
  DateTimePicker1->setCalendarPopup(true);
  DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
  LblChange = new QLabel(this);
  line->addWidget(CBHead);
  line->addWidget(new QLabel(QStringLiteral("が"), this));
  line->addWidget(EdtWord, 1);
  line->addWidget(CBMode, 1);
  line->addWidget(DateTimePicker1);
  line->addWidget(LblChange);
  v->addLayout(line);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  BtnSearch = AddButton(buttons, this, "BtnSearch", "絞り込む");
  QPushButton* close = AddButton(buttons, this, "BtnClose", "閉じる");
  v->addLayout(buttons);
  connect(BtnSearch, &QPushButton::clicked, this, &QDialog::accept);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(EdtWord, &QLineEdit::textChanged, this, [this] { BtnSearch->setEnabled(!EdtWord->text().isEmpty()); });
  connect(CBHead, &QComboBox::currentIndexChanged, this, [this] { HeadChange(); });
  connect(CBMode, &QComboBox::currentTextChanged, this, [this](const QString& t) { EdtWord->setText(t); });
  connect(DateTimePicker1, &QDateEdit::dateChanged, this,
          [this](const QDate& d) { EdtWord->setText(d.toString(QStringLiteral("yyyy/MM/dd"))); });
  Prepare();
}

void TFormSearchFile::Prepare() {
  const QSignalBlocker block(CBHead);
  CBHead->setCurrentIndex(0);
  EdtWord->clear();
  EdtWord->setVisible(true);
  {
    const QSignalBlocker blockDate(DateTimePicker1);
    DateTimePicker1->setDate(QDate::currentDate());
  }
  DateTimePicker1->setVisible(false);
  {
    const QSignalBlocker blockMode(CBMode);
    CBMode->setCurrentIndex(0);
  }
  CBMode->setVisible(false);
  LblChange->setText(QStringLiteral("を含む"));
  BtnSearch->setEnabled(false);
}

void TFormSearchFile::HeadChange() {
  const int i = CBHead->currentIndex();
  DateTimePicker1->setVisible(i == 4);
  if (i == 3) {
    {
      const QSignalBlocker block(CBMode);
      CBMode->setCurrentIndex(0);
    }
    CBMode->setVisible(true);
    EdtWord->setText(CBMode->currentText());
    EdtWord->setVisible(false);
  } else {
    CBMode->setVisible(false);
    EdtWord->setVisible(true);
    EdtWord->clear();
  }
  LblChange->setText(i <= 2 ? QStringLiteral("を含む") : QStringLiteral("である"));
}

SearchField TFormSearchFile::Field() const { return static_cast<SearchField>(CBHead->currentIndex()); }
std::string TFormSearchFile::Word() const { return EdtWord->text().toStdString(); }

// ---------------------------------------------------------------------------------------

TFormOpen::TFormOpen(std::string saveDir, TFormSearchFile& search, QWidget* parent)
    : QDialog(parent), saveDir_(std::move(saveDir)), search_(search) {
  QHBoxLayout* row = FileListFrame(this, "FormOpen", "ファイルを開く", QSize(832, 361),
                                   QAbstractItemView::ExtendedSelection, LVFileList);
  QPushButton* narrow = AddButton(row, this, "BtnSearch", "条件絞込み");
  QPushButton* clear = AddButton(row, this, "BtnClearSearch", "絞込み解除");
  QPushButton* remove = AddButton(row, this, "BtnDelete", "削除");
  row->addStretch();
  QPushButton* open = AddButton(row, this, "BtnOpen", "開く");
  QPushButton* close = AddButton(row, this, "BtnClose", "閉じる");
  connect(open, &QPushButton::clicked, this, [this] { OpenClick(); });
  connect(LVFileList, &QTreeWidget::itemDoubleClicked, this, [this] { OpenClick(); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(remove, &QPushButton::clicked, this, [this] { DeleteClick(); });
  connect(narrow, &QPushButton::clicked, this, [this] { SearchClick(); });
  connect(clear, &QPushButton::clicked, this, [this] { ClearSearchClick(); });
}

void TFormOpen::Prepare(TMxEstimateObjectList& document) {
  FMxEstimateList = &document;
  LVFileList->RefreshFileListView(saveDir_);
}

ModalResult TFormOpen::ShowModal(TMxEstimateObjectList& document) {
  Prepare(document);
  return ExecModal(*this);
}

void TFormOpen::OpenClick() {
  const std::vector<FileListRow> selected = LVFileList->SelectedRows();
  if (selected.size() != 1) {
    ShowMessage(this, QStringLiteral("開くファイルを１つ選択してください。"));
    return;
  }
  // The document reads into a scratch copy: a file that fails leaves it as it was.
  if (!Guarded(this, [&] { FMxEstimateList->LoadFile(EstimateFilePath(saveDir_, selected.front().fileName)); }))
    return;
  CloseWith(*this, ModalResult::Ok);
}

void TFormOpen::DeleteClick() {
  const std::vector<FileListRow> selected = LVFileList->SelectedRows();
  if (selected.empty()) {
    ShowMessage(this, QStringLiteral("削除するファイルを1つ以上選択してください。"));
    return;
  }
  if (!AskYesNo(this, QStringLiteral("選択したファイルを削除します。\r\nよろしいですか？"))) return;
  bool all = true;
  for (auto it = selected.rbegin(); it != selected.rend(); ++it)
    all &= QFile::remove(QString::fromStdString(EstimateFilePath(saveDir_, it->fileName)));
  LVFileList->RefreshFileListView(saveDir_);
  ShowMessage(this, all ? QStringLiteral("選択したファイルを削除しました。")
                        : QStringLiteral("選択したファイルの削除に失敗しました。"));
}

void TFormOpen::SearchClick() { SearchInto(this, search_, LVFileList, saveDir_); }

void TFormOpen::ClearSearchClick() { LVFileList->RefreshFileListView(saveDir_); }

// ---------------------------------------------------------------------------------------

TFormTotalClaim::TFormTotalClaim(std::string saveDir, TFormSearchFile& search, QWidget* parent)
    : QDialog(parent), saveDir_(std::move(saveDir)), search_(search) {
  QHBoxLayout* row = FileListFrame(this, "FormTotalClaim", "ファイルの選択", QSize(832, 361),
                                   QAbstractItemView::ExtendedSelection, LVFileList);
  QPushButton* narrow = AddButton(row, this, "BtnSearch", "条件絞込み");
  QPushButton* clear = AddButton(row, this, "BtnClearSearch", "絞込み解除");
  row->addStretch();
  QPushButton* ok = AddButton(row, this, "BtnOk", "OK");
  QPushButton* close = AddButton(row, this, "BtnClose", "閉じる");
  connect(ok, &QPushButton::clicked, this, [this] { OkClick(); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(narrow, &QPushButton::clicked, this, [this] { SearchClick(); });
  connect(clear, &QPushButton::clicked, this, [this] { ClearSearchClick(); });
}

void TFormTotalClaim::Prepare() { LVFileList->RefreshFileListView(saveDir_); }

ModalResult TFormTotalClaim::ShowModal() {
  Prepare();
  return ExecModal(*this);
}

std::vector<TotalClaimSource> TFormTotalClaim::Chosen() const {
  std::vector<TotalClaimSource> chosen;
  for (const FileListRow& row : LVFileList->SelectedRows())
    chosen.push_back({row.fileName, EstimateFilePath(saveDir_, row.fileName)});
  return chosen;
}

void TFormTotalClaim::OkClick() {
  if (LVFileList->SelectedRows().empty()) {
    ShowMessage(this, QStringLiteral("データを選択してください。"));
    return;
  }
  CloseWith(*this, ModalResult::Ok);
}

void TFormTotalClaim::SearchClick() { SearchInto(this, search_, LVFileList, saveDir_); }

void TFormTotalClaim::ClearSearchClick() { LVFileList->RefreshFileListView(saveDir_); }

// ---------------------------------------------------------------------------------------

TFormSave::TFormSave(std::string saveDir, QWidget* parent) : QDialog(parent), saveDir_(std::move(saveDir)) {
  setObjectName("FormSave");
  setWindowTitle(QStringLiteral("保存"));
  setFixedSize(441, 161);
  setWindowFlag(Qt::WindowCloseButtonHint, false);
  auto* v = new QVBoxLayout(this);
  const auto field = [&](const char* name, const char* caption) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QString::fromUtf8(caption), this));
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    RestrictToCp932(e);
    row->addWidget(e, 1);
    v->addLayout(row);
    connect(e, &QLineEdit::returnPressed, this, [this] { SaveClick(); });
    return e;
  };
  EdtFileName = field("EdtFileName", "ファイル名");
  EdtComment = field("EdtComment", "コメント");
  auto* row = new QHBoxLayout;
  row->addStretch();
  QPushButton* save = AddButton(row, this, "BtnSave", "保存する");
  QPushButton* cancel = AddButton(row, this, "BtnCancel", "キャンセル");
  v->addLayout(row);
  connect(save, &QPushButton::clicked, this, [this] { SaveClick(); });
  connect(cancel, &QPushButton::clicked, this, [this] { CloseWith(*this, ModalResult::Cancel); });
}

void TFormSave::Prepare(const TMxEstimateObjectList& document, const QString& fileName, const QString& comment) {
  FMxEstimateList = &document;
  EdtFileName->setText(fileName);
  EdtComment->setText(comment);
  setResult(0);
}

ModalResult TFormSave::ShowModal(const TMxEstimateObjectList& document, const QString& fileName,
                                 const QString& comment) {
  Prepare(document, fileName, comment);
  return ExecModal(*this);
}

bool TFormSave::CheckFileName(const QString& name) {
  switch (CheckFileNameText(name.toStdString())) {
    case FileNameProblem::Empty:
      ShowMessage(this, QString::fromUtf8(kFileNameEmptyMessage));
      return false;
    case FileNameProblem::ForbiddenCharacter:
      ShowMessage(this, QString::fromUtf8(kFileNameForbiddenMessage));
      return false;
    case FileNameProblem::None:
      break;
  }
  if (QFile::exists(QString::fromStdString(EstimateFilePath(saveDir_, name.toStdString()))))
    return AskYesNo(this, name + QStringLiteral(" は既に存在します。\r\n上書きしますか？"));
  return true;
}

void TFormSave::SaveClick() {
  const QString name = EdtFileName->text();
  if (!CheckFileName(name)) return;
  const bool saved = Guarded(this, [&] {
    QDir().mkpath(QString::fromStdString(saveDir_));
    FMxEstimateList->SaveFile(EstimateFilePath(saveDir_, name.toStdString()), EdtComment->text().toStdString());
  });
  if (saved) CloseWith(*this, ModalResult::Ok);
}

// Escape and the window's close request are refused; only the two buttons close.
void TFormSave::reject() {}

// ---------------------------------------------------------------------------------------

TFormListFileSave::TFormListFileSave(std::string saveDir, TFormSave& save, QWidget* parent)
    : QDialog(parent), saveDir_(std::move(saveDir)), save_(save) {
  QHBoxLayout* row = FileListFrame(this, "FormListFileSave", "保存", QSize(832, 370),
                                   QAbstractItemView::SingleSelection, LVFileList);
  QPushButton* remove = AddButton(row, this, "BtnDelete", "削除");
  row->addStretch();
  QPushButton* saveNew = AddButton(row, this, "BtnNewSave", "新規保存");
  QPushButton* overwrite = AddButton(row, this, "BtnOverwrite", "上書き保存");
  QPushButton* close = AddButton(row, this, "BtnClose", "閉じる");
  connect(saveNew, &QPushButton::clicked, this, [this] { NewSaveClick(); });
  connect(overwrite, &QPushButton::clicked, this, [this] { OverwriteClick(); });
  connect(LVFileList, &QTreeWidget::itemDoubleClicked, this, [this] { OverwriteClick(); });
  connect(remove, &QPushButton::clicked, this, [this] { DeleteClick(); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormListFileSave::Prepare(const TMxEstimateObjectList& document) {
  FMxEstimateList = &document;
  LVFileList->RefreshFileListView(saveDir_);
}

ModalResult TFormListFileSave::ShowModal(const TMxEstimateObjectList& document) {
  Prepare(document);
  return ExecModal(*this);
}

void TFormListFileSave::NewSaveClick() {
  if (save_.ShowModal(*FMxEstimateList, QString(), QString::fromStdString(FMxEstimateList->MemoStr())) !=
      ModalResult::Cancel)
    LVFileList->RefreshFileListView(saveDir_);
}

void TFormListFileSave::OverwriteClick() {
  const std::vector<FileListRow> selected = LVFileList->SelectedRows();
  if (selected.empty()) {
    ShowMessage(this, QStringLiteral("上書きするファイルを選択してください。"));
    return;
  }
  if (save_.ShowModal(*FMxEstimateList, QString::fromStdString(selected.front().fileName),
                      QString::fromStdString(selected.front().comment)) != ModalResult::Cancel)
    LVFileList->RefreshFileListView(saveDir_);
}

void TFormListFileSave::DeleteClick() {
  const std::vector<FileListRow> selected = LVFileList->SelectedRows();
  if (selected.empty()) {
    ShowMessage(this, QStringLiteral("削除するファイルを選択してください。"));
    return;
  }
  const QString name = QString::fromStdString(selected.front().fileName);
  if (!AskYesNo(this, name + QStringLiteral(" を削除します。\r\nよろしいですか？"))) return;
  if (QFile::remove(QString::fromStdString(EstimateFilePath(saveDir_, selected.front().fileName)))) {
    LVFileList->RefreshFileListView(saveDir_);
    ShowMessage(this, QStringLiteral("削除しました。"));
  } else {
    ShowMessage(this, QStringLiteral("削除できませんでした。"));
  }
}

}  // namespace qm::ui
