#include "ui/files/file_commands.h"

#include <QDate>

#include "base/era_date.h"
#include "files/backup.h"
#include "files/file_messages.h"
#include "ui/common/command_table.h"
#include "ui/common/document_view.h"
#include "ui/common/guarded.h"
#include "ui/common/message_box.h"
#include "ui/files/file_dialogs.h"

namespace qm::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr const char* kConfirmOpen = "未保存の編集中のデータは失われます。\r\n他のファイルを開きますか？";
constexpr const char* kConfirmTotalClaim =
    "未保存の編集中のデータは失われます。\r\n合計請求データの作成を開始しますか？";
constexpr const char* kConfirmRestore = "バックアップから復元する場合、既存のファイルは全て削除されます。\r\n続行しますか？";
constexpr const char* kChooseBackupFolder = "バックアップデータを保存するフォルダーを選択してください";
constexpr const char* kChooseRestoreFolder = "復元するバックアップデータが存在するフォルダーを選択してください";

}  // namespace

FileCommands::FileCommands(AppSession& session, DocumentView& view)
    : QObject(view.Window()), session_(session), view_(view) {}

FileCommands::~FileCommands() = default;

void FileCommands::Install(CommandTable& commands) {
  commands.Add({"BtnOpen", "開く(&O)", "open", true, [this] { BtnOpenClick(); }});
  commands.Add({"BtnSave", "保存(&S)", "save", true, [this] { BtnSaveClick(); }});
  commands.Add({"TotalClaimPerFile", "ファイル単位で集計", nullptr, true,
                [this] { MakeTotalClaimClick(TotalClaimMode::PerFile); }});
  commands.Add({"TotalClaimPerLine", "各行単位で集計", nullptr, true,
                [this] { MakeTotalClaimClick(TotalClaimMode::PerLine); }});
  commands.Add({"B2", "バックアップする(&B)", nullptr, true, [this] { B2Click(); }});
  commands.Add({"R1", "バックアップを読み込む(&R)", nullptr, true, [this] { R1Click(); }});
}

TFormSearchFile& FileCommands::FormSearchFile() {
  if (!search_) search_ = new TFormSearchFile(view_.Window());
  return *search_;
}

TFormOpen& FileCommands::FormOpen() {
  if (!open_) open_ = new TFormOpen(session_.Folder().SaveDir(), FormSearchFile(), view_.Window());
  return *open_;
}

TFormTotalClaim& FileCommands::FormTotalClaim() {
  if (!totalClaim_) totalClaim_ = new TFormTotalClaim(session_.Folder().SaveDir(), FormSearchFile(), view_.Window());
  return *totalClaim_;
}

TFormSave& FileCommands::FormSave() {
  if (!save_) save_ = new TFormSave(session_.Folder().SaveDir(), view_.Window());
  return *save_;
}

TFormListFileSave& FileCommands::FormListFileSave() {
  if (!listSave_) listSave_ = new TFormListFileSave(session_.Folder().SaveDir(), FormSave(), view_.Window());
  return *listSave_;
}

void FileCommands::BtnOpenClick() {
  view_.CommitCurrentEdit();
  QWidget* window = view_.Window();
  if (session_.Config().ConfirmOpenOrMake() && !AskYesNo(window, QString::fromUtf8(kConfirmOpen))) return;
  if (FormOpen().ShowModal(session_.Document()) == ModalResult::Ok) {
    TMxEstimateObjectList& doc = session_.Document();
    doc.SetTaxRate(session_.Config().TaxRate());
    doc.DoCalc();
    view_.ShowDocument();
  }
  view_.CommitCurrentEdit();
}

void FileCommands::BtnSaveClick() {
  view_.CommitCurrentEdit();
  FormListFileSave().ShowModal(session_.Document());
  view_.CommitCurrentEdit();
}

void FileCommands::MakeTotalClaimClick(TotalClaimMode mode) {
  view_.CommitCurrentEdit();
  QWidget* window = view_.Window();
  if (session_.Config().ConfirmOpenOrMake() && !AskYesNo(window, QString::fromUtf8(kConfirmTotalClaim))) return;
  TFormTotalClaim& chooser = FormTotalClaim();
  if (chooser.ShowModal() != ModalResult::Ok) return;
  // Built completely before the document changes: an error leaves it as it was.
  MakeTotalClaim(mode, chooser.Chosen(), session_.Document(), ToEraDate(QDate::currentDate()));
  view_.ShowDocument();
}

void FileCommands::B2Click() {
  QWidget* window = view_.Window();
  const QString base = ChooseFolder(window, QString::fromUtf8(kChooseBackupFolder));
  if (base.isEmpty()) return;
  const BackupResult r = Backup(session_.Folder().SaveDir(), base.toStdString(), QDate::currentDate());
  if (!r.created) {
    ShowMessage(window, QString::fromUtf8(files_msg::kBackupFolderFailed));
    return;
  }
  QString said = Q(files_msg::BackupCreated(r.folder));
  Guarded(window, [&] {
    if (BackupArchive(session_.Archive().FolderPath(), r.folder) > 0)
      said += QStringLiteral("\r\n") + QString::fromUtf8(files_msg::kArchiveBackedUp);
  });
  ShowMessage(window, said);
}

void FileCommands::R1Click() {
  QWidget* window = view_.Window();
  if (!AskYesNo(window, QString::fromUtf8(kConfirmRestore))) return;
  const QString folder = ChooseFolder(window, QString::fromUtf8(kChooseRestoreFolder));
  if (folder.isEmpty()) return;
  const RestoreResult r = Restore(folder.toStdString(), session_.Folder().SaveDir());
  QString said = r.restored >= 1 ? Q(files_msg::Restored(r.restored)) : QString::fromUtf8(files_msg::kNoBackupData);
  Guarded(window, [&] {
    archive::IssueArchive& issued = session_.Archive();
    const bool hasRecords = !issued.Empty();
    issued.Close();
    switch (RestoreArchive(folder.toStdString(), issued.FolderPath(), hasRecords)) {
      case ArchiveRestore::Restored: said += QStringLiteral("\r\n") + QString::fromUtf8(files_msg::kArchiveRestored); break;
      case ArchiveRestore::KeptCurrent: said += QStringLiteral("\r\n") + QString::fromUtf8(files_msg::kArchiveKept); break;
      case ArchiveRestore::NoneInBackup: break;
    }
  });
  ShowMessage(window, said);
}

}  // namespace qm::ui
