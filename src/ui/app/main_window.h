#pragma once
// The program's main window: the frame around the two tabs. It owns the session for the
// whole run, builds the menus and the toolbar from the command table that each feature
// fills, and runs start-up, new document and exit.
#include <QMainWindow>

#include <memory>
#include <string>

#include "session/session.h"
#include "ui/common/document_view.h"

class QTabWidget;

namespace qm::ui {

class CommandTable;
class ArchiveCommands;
class FileCommands;
class MasterCommands;
class PostalCommands;
class PrintCommands;
class SettingsCommands;
class LinePictures;
class TContentsTab;
class TCustomerTab;

// Where the window finds its files; tests point both at temporary folders.
struct MainWindowSetup {
  std::string dataDir;          // the data folder; created with its subfolders when missing
  std::string historyFileName;  // the input-history store
  static MainWindowSetup Default();
};

class TFormMain : public QMainWindow, public DocumentView {
  Q_OBJECT
 public:
  explicit TFormMain(MainWindowSetup setup = MainWindowSetup::Default(), QWidget* parent = nullptr);
  ~TFormMain() override;

  AppSession& Session() { return *session_; }
  TMxEstimateObjectList& Document() { return session_->Document(); }
  TCustomerTab& Customer() { return *customerTab_; }
  TContentsTab& Contents() { return *contentsTab_; }
  CommandTable& Commands() { return *commands_; }
  FileCommands& Files() { return *files_; }
  ArchiveCommands& Archive() { return *archive_; }
  PrintCommands& Print() { return *print_; }
  PostalCommands& Postal() { return *postal_; }
  MasterCommands& Masters() { return *masters_; }
  SettingsCommands& Settings() { return *settings_; }
  LinePictures& Pictures() { return *pictures_; }

  // An empty normal document on screen, as when the window is first shown.
  void InitAll();
  void New1Click();
  // Headings, rows, totals and the mode switch from the document.
  void RefreshMainForm();
  void InitMainForm(bool totalClaimMode);
  // The document header and calculation settings into the controls.
  void Object2FormContent();

  // DocumentView.
  QWidget* Window() override { return this; }
  void CommitCurrentEdit() override;
  void ShowDocument() override;
  void Refresh() override { RefreshMainForm(); }
  void RebuildPickMenus() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void InstallCommands();
  void BuildMenus();
  void BuildToolbar();
  void ShowAbout();

  std::unique_ptr<AppSession> session_;
  CommandTable* commands_ = nullptr;
  FileCommands* files_ = nullptr;
  ArchiveCommands* archive_ = nullptr;
  PrintCommands* print_ = nullptr;
  PostalCommands* postal_ = nullptr;
  MasterCommands* masters_ = nullptr;
  SettingsCommands* settings_ = nullptr;
  LinePictures* pictures_ = nullptr;
  QTabWidget* PageControl = nullptr;
  TCustomerTab* customerTab_ = nullptr;
  TContentsTab* contentsTab_ = nullptr;
  bool shownOnce_ = false;
};

}  // namespace qm::ui
