#pragma once
// The file commands of the main window: open, save, backup and restore. The open and
// save dialogs are made on first use and kept, so their list order persists.
#include <QObject>

#include <memory>

#include "model/session.h"

namespace qm::ui {

class CommandTable;
class DocumentView;
class TFormSearchFile;
class TFormOpen;
class TFormSave;
class TFormListFileSave;

class FileCommands : public QObject {
  Q_OBJECT
 public:
  FileCommands(AppSession& session, DocumentView& view);
  ~FileCommands() override;

  // Adds 開く, 保存, バックアップする and バックアップを読み込む.
  void Install(CommandTable& commands);

  void BtnOpenClick();
  void BtnSaveClick();
  void B2Click();  // backup
  void R1Click();  // restore

  TFormOpen& FormOpen();
  TFormSave& FormSave();
  TFormListFileSave& FormListFileSave();

 private:
  AppSession& session_;
  DocumentView& view_;
  TFormSearchFile* search_ = nullptr;
  TFormOpen* open_ = nullptr;
  TFormSave* save_ = nullptr;
  TFormListFileSave* listSave_ = nullptr;
};

}  // namespace qm::ui
