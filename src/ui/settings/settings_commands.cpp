#include "ui/settings/settings_commands.h"

#include "ui/common/command_table.h"
#include "ui/common/document_view.h"
#include "ui/common/guarded.h"
#include "ui/print/print_commands.h"
#include "ui/settings/conf_dialog.h"
#include "ui/settings/sender_conf_dialog.h"

namespace qm::ui {

SettingsCommands::SettingsCommands(AppSession& session, DocumentView& view, PrintCommands& print)
    : QObject(view.Window()), session_(session), view_(view), print_(print) {}

void SettingsCommands::Install(CommandTable& commands) {
  commands.Add({"SenderConf", "自社情報の登録(&C)", nullptr, true, [this] { SenderConfClick(); }});
  commands.Add({"Conf", "動作環境設定(&E)", nullptr, true, [this] { ConfClick(); }});
}

TFormConf& SettingsCommands::FormConf() {
  if (!conf_) conf_ = new TFormConf(view_.Window());
  return *conf_;
}

TFormSenderConf& SettingsCommands::FormSenderConf() {
  if (!senderConf_) senderConf_ = new TFormSenderConf(view_.Window());
  return *senderConf_;
}

void SettingsCommands::ConfClick() {
  view_.CommitCurrentEdit();
  if (FormConf().ShowModal(session_.Config()) != ModalResult::Ok) return;
  QWidget* window = view_.Window();
  Guarded(window, [this] { session_.SaveConfig(); });
  TMxEstimateObjectList& doc = session_.Document();
  doc.SetTaxRate(session_.Config().TaxRate());
  doc.DoCalc();
  view_.Refresh();
  print_.UpdatePdfColours(session_.Config());
}

void SettingsCommands::SenderConfClick() {
  view_.CommitCurrentEdit();
  QWidget* window = view_.Window();
  if (FormSenderConf().ShowModal(session_.Companies()) == ModalResult::Ok) {
    Guarded(window, [this] { session_.SaveCompanies(); });
  } else {
    // Every edit of this opening, of all three profiles, is dropped.
    Guarded(window, [this] { session_.LoadCompanies(); });
  }
}

}  // namespace qm::ui
