#include "ui/archive/archive_commands.h"

#include "ui/archive/issued_dialog.h"
#include "ui/common/command_table.h"
#include "ui/common/document_view.h"

namespace qm::ui {

ArchiveCommands::ArchiveCommands(AppSession& session, DocumentView& view)
    : QObject(view.Window()), session_(session), view_(view) {}

void ArchiveCommands::Install(CommandTable& commands) {
  commands.Add({"IssuedSearch", "発行控えの検索(&I)", nullptr, true, [this] { IssuedSearchClick(); }});
}

TFormIssuedSearch& ArchiveCommands::FormIssuedSearch() {
  if (!search_) search_ = new TFormIssuedSearch(session_.Archive(), session_.Folder().Root(), view_.Window());
  return *search_;
}

void ArchiveCommands::IssuedSearchClick() { FormIssuedSearch().ShowModal(); }

}  // namespace qm::ui
