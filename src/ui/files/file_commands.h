#pragma once
// The file commands of the main window: open, save, total-claim creation, backup and
// restore. The list dialogs are made on first use and kept, so their list order persists.
#include <QObject>

#include <memory>

#include "session/session.h"
#include "model/total_claim.h"

namespace qm::ui {

class CommandTable;
class DocumentView;
class TFormSearchFile;
class TFormOpen;
class TFormSave;
class TFormListFileSave;
class TFormTotalClaim;

class FileCommands : public QObject {
  Q_OBJECT
 public:
  FileCommands(AppSession& session, DocumentView& view);
  ~FileCommands() override;

  // Adds 開く, 保存, the two ways of 合計請求データ作成, バックアップする and
  // バックアップを読み込む.
  void Install(CommandTable& commands);

  void BtnOpenClick();
  void BtnSaveClick();
  // 合計請求データ作成: the question, the choice of saved documents, then the total
  // invoice in place of the document. A file that cannot be read changes nothing.
  void MakeTotalClaimClick(TotalClaimMode mode);
  void B2Click();  // backup
  void R1Click();  // restore

  TFormOpen& FormOpen();
  TFormSave& FormSave();
  TFormListFileSave& FormListFileSave();
  TFormTotalClaim& FormTotalClaim();

 private:
  AppSession& session_;
  DocumentView& view_;
  TFormSearchFile& FormSearchFile();

  TFormSearchFile* search_ = nullptr;
  TFormOpen* open_ = nullptr;
  TFormSave* save_ = nullptr;
  TFormListFileSave* listSave_ = nullptr;
  TFormTotalClaim* totalClaim_ = nullptr;
};

}  // namespace qm::ui
