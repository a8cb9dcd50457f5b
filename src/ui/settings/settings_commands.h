#pragma once
// The settings commands of the main window: 動作環境設定 and 自社情報の登録. After OK of
// the operating settings conf.ini is written, the document takes the new tax rate and is
// recalculated, the window refreshed and the PDF templates recoloured; after OK of the
// company profiles conf.ini and the images are written, after cancel they are read again.
#include <QObject>

#include "session/session.h"

namespace qm::ui {

class CommandTable;
class DocumentView;
class PrintCommands;
class TFormConf;
class TFormSenderConf;

class SettingsCommands : public QObject {
  Q_OBJECT
 public:
  SettingsCommands(AppSession& session, DocumentView& view, PrintCommands& print);

  void Install(CommandTable& commands);
  void ConfClick();
  void SenderConfClick();

  TFormConf& FormConf();
  TFormSenderConf& FormSenderConf();

 private:
  AppSession& session_;
  DocumentView& view_;
  PrintCommands& print_;
  TFormConf* conf_ = nullptr;
  TFormSenderConf* senderConf_ = nullptr;
};

}  // namespace qm::ui
