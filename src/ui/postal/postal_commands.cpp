#include "ui/postal/postal_commands.h"

#include "ui/common/command_table.h"
#include "ui/common/document_view.h"
#include "ui/common/guarded.h"
#include "ui/postal/zip_lookup.h"
#include "ui/postal/zip_search_dialog.h"
#include "ui/postal/zip_update_dialog.h"

namespace qm::ui {

PostalCommands::PostalCommands(AppSession& session, DocumentView& view)
    : QObject(view.Window()), session_(session), view_(view) {}

void PostalCommands::Install(CommandTable& commands) {
  commands.Add({"ZipUpdate", "郵便番号データの更新(&Z)", nullptr, true, [this] { ZipUpdateClick(); }});
}

TFormZipSearch& PostalCommands::FormZipSearch() {
  if (!search_) search_ = new TFormZipSearch(view_.Window());
  return *search_;
}

Tzip_update& PostalCommands::FormZipUpdate() {
  if (!update_) update_ = new Tzip_update(session_.Folder(), session_.ZipTables(), view_.Window());
  return *update_;
}

void PostalCommands::BtnZipClick(QLineEdit* zip, QLineEdit* address) {
  Guarded(view_.Window(), [&] { LookupByZipCode(view_.Window(), session_.ZipTables(), FormZipSearch(), zip, address); });
}

void PostalCommands::BtnAdd1Click(QLineEdit* zip, QLineEdit* address, const char* notFound) {
  Guarded(view_.Window(), [&] {
    LookupByAddress(view_.Window(), session_.ZipTables(), FormZipSearch(), zip, address, notFound);
  });
}

void PostalCommands::ZipUpdateClick() { FormZipUpdate().ShowModal(); }

}  // namespace qm::ui
