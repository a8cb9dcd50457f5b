#pragma once
// The archive's command of the main window: ファイル → 発行控えの検索. Its dialog is made
// on first use and kept.
#include <QObject>

#include "session/session.h"

namespace qm::ui {

class CommandTable;
class DocumentView;
class TFormIssuedSearch;

class ArchiveCommands : public QObject {
  Q_OBJECT
 public:
  ArchiveCommands(AppSession& session, DocumentView& view);
  void Install(CommandTable& commands);
  void IssuedSearchClick();
  TFormIssuedSearch& FormIssuedSearch();

 private:
  AppSession& session_;
  DocumentView& view_;
  TFormIssuedSearch* search_ = nullptr;
};

}  // namespace qm::ui
