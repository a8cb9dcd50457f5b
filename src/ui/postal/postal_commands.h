#pragma once
// The postal commands of the main window: the two lookups of the customer block and the
// menu entry 郵便番号データの更新. The dialogs are made on first use and kept.
#include <QObject>

#include "session/session.h"
#include "postal/zip_table.h"

class QLineEdit;

namespace qm::ui {

class CommandTable;
class DocumentView;
class TFormZipSearch;
class Tzip_update;

class PostalCommands : public QObject {
  Q_OBJECT
 public:
  PostalCommands(AppSession& session, DocumentView& view);

  // Adds 郵便番号データの更新.
  void Install(CommandTable& commands);

  // The lookups of a form's postal-code field and first address line.
  void BtnZipClick(QLineEdit* zip, QLineEdit* address);
  void BtnAdd1Click(QLineEdit* zip, QLineEdit* address, const char* notFound = postal::kUnknownAddress);
  void ZipUpdateClick();

  TFormZipSearch& FormZipSearch();
  Tzip_update& FormZipUpdate();

 private:
  AppSession& session_;
  DocumentView& view_;
  TFormZipSearch* search_ = nullptr;
  Tzip_update* update_ = nullptr;
};

}  // namespace qm::ui
