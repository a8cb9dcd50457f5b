#include "ui/app/main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "base/data_folders.h"
#include "model/line_editing.h"
#include "ui/app/contents_tab.h"
#include "ui/app/customer_tab.h"
#include "ui/app/line_area.h"
#include "ui/app/main_messages.h"
#include "ui/archive/archive_commands.h"
#include "ui/common/command_table.h"
#include "ui/common/guarded.h"
#include "ui/common/message_box.h"
#include "ui/files/file_commands.h"
#include "ui/masters/master_commands.h"
#include "ui/postal/postal_commands.h"
#include "ui/print/print_commands.h"
#include "ui/settings/settings_commands.h"
#include "ui/pictures/line_pictures.h"

namespace qm::ui {
namespace {

// The menus and the toolbar, by command id.
const std::vector<const char*> kFileMenu = {"New1", "BtnOpen", "BtnSave"};
const std::vector<const char*> kTotalClaimMenu = {"TotalClaimPerFile", "TotalClaimPerLine"};
const std::vector<const char*> kFileMenuTail = {kSeparator, "B2", "R1", kSeparator, "IssuedSearch", kSeparator, "Exit"};
const std::vector<const char*> kEditMenu = {"CopyLine",   "PasteLine",  "MoveUp",        "MoveDown",
                                            "InsertLine", "DeleteLine", "InsertSubTotal"};
const std::vector<const char*> kSettingsMenu = {"SenderConf", "Conf", "ItemListEdit", "ZipUpdate"};
const std::vector<const char*> kToolbar = {"BtnOpen",         "BtnSave",    kSeparator,    "BtnMitsu",
                                           "BtnTankaMitsu",   "BtnNouhin",  "BtnSeikyu",   "BtnSeikyuMeisai",
                                           "BtnJyuryou",      "BtnRyosyu",  "BtnGoukeiSeikyu", "BtnFax",
                                           "BtnKoujiUtiwake"};

}  // namespace

MainWindowSetup MainWindowSetup::Default() { return {DefaultDataDir(), DefaultHistoryFileName()}; }

TFormMain::TFormMain(MainWindowSetup setup, QWidget* parent)
    : QMainWindow(parent), session_(std::make_unique<AppSession>(DataFolder(setup.dataDir), setup.historyFileName)) {
  setWindowTitle(msg::kAppTitle);
  setObjectName("FormMain");
  const auto failed = [this](const std::string& message) { ShowError(this, QString::fromStdString(message)); };
  session_->Start(failed);

  customerTab_ = new TCustomerTab(*session_);
  contentsTab_ = new TContentsTab(*session_, *this);
  PageControl = new QTabWidget(this);
  PageControl->addTab(customerTab_, QStringLiteral("お客様情報"));
  PageControl->addTab(contentsTab_, QStringLiteral("内容"));
  connect(PageControl, &QTabWidget::currentChanged, this, [this] { CommitCurrentEdit(); });
  setCentralWidget(PageControl);

  InstallCommands();
  BuildMenus();
  BuildToolbar();
  contentsTab_->BuildPickMenus();
  customerTab_->LoadHistories(failed);
  contentsTab_->RefreshContentHeader();
  customerTab_->RefreshHeadings();
  // Fixed size: a client area of 947 x 626 below the menu bar.
  setFixedSize(947, 626 + menuBar()->sizeHint().height());
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
}

TFormMain::~TFormMain() {
  // The controls go first: closing the window moves the focus out of a cell, and that
  // must reach neither the window nor the document any more.
  contentsTab_->LineArea().disconnect(contentsTab_);
  customerTab_->InputEventEnable(false);
  delete takeCentralWidget();
}

// ---------------------------------------------------------------------------------------
// Commands, menus and toolbar

void TFormMain::InstallCommands() {
  commands_ = new CommandTable(this);
  CommandTable& c = *commands_;
  c.Add({"New1", "新規作成(&N)", nullptr, true, [this] { New1Click(); }});
  files_ = new FileCommands(*session_, *this);
  files_->Install(c);
  archive_ = new ArchiveCommands(*session_, *this);
  archive_->Install(c);
  c.Add({"Exit", "終了(&X)", nullptr, true, [this] { close(); }});

  TContentsTab* t = contentsTab_;
  c.Add({"CopyLine", "選択行をコピー(&C)", nullptr, false, [t] { t->CopyLineClick(); }});
  c.Add({"PasteLine", "選択行に貼り付け(&P)", nullptr, false, [t] { t->PasteLineClick(); }});
  c.Add({"MoveUp", "選択行を上へ移動(&T)", nullptr, false, [t] { t->MoveUpClick(); }});
  c.Add({"MoveDown", "選択行を下へ移動(&B)", nullptr, false, [t] { t->MoveDownClick(); }});
  c.Add({"InsertLine", "選択行に一行挿入(&I)", nullptr, false, [t] { t->InsertLineClick(); }});
  c.Add({"DeleteLine", "選択行を削除(&D)", nullptr, false, [t] { t->DeleteLineClick(); }});
  c.Add({"InsertSubTotal", "選択行に小計欄を挿入(&S)", nullptr, false, [t] { t->InsertSubTotalClick(); }});

  c.Add({"About", "バージョン情報(&V)", nullptr, true, [this] { ShowAbout(); }});

  print_ = new PrintCommands(*session_, *this);
  print_->Install(c);
  postal_ = new PostalCommands(*session_, *this);
  postal_->Install(c);
  TCustomerTab* customer = customerTab_;
  connect(customer->ZipButton(), &QPushButton::clicked, this,
          [this, customer] { postal_->BtnZipClick(customer->ZipEdit(), customer->Add1Edit()); });
  connect(customer->Add1Button(), &QPushButton::clicked, this,
          [this, customer] { postal_->BtnAdd1Click(customer->ZipEdit(), customer->Add1Edit()); });
  LineRows rows{[this](int n) { contentsTab_->SetCurrentLine(n); },
                [this](int n) { contentsTab_->LineArea().RowAt(n).EditItemEtc->setFocus(); }};
  pictures_ = new LinePictures(*session_, *this, std::move(rows), contentsTab_->PicturePreview(), contentsTab_);
  connect(&contentsTab_->LineArea(), &TLineInputArea::pictureClicked, pictures_,
          [this](int n) { Guarded(this, [&] { pictures_->BtnItemPicClick(n); }); });
  connect(contentsTab_, &TContentsTab::lineActivated, pictures_, [this](int n) { pictures_->LineActivated(n); });
  connect(contentsTab_, &TContentsTab::lineLeft, pictures_, [this](int n) { pictures_->LineLeft(n); });
  connect(contentsTab_, &TContentsTab::lineDeleted, pictures_, [this] { pictures_->ClearPreview(); });
  connect(contentsTab_->ExportButton(), &QPushButton::clicked, pictures_,
          [this] { Guarded(this, [this] { pictures_->ExportContentsClick(); }); });
  settings_ = new SettingsCommands(*session_, *this, *print_);
  settings_->Install(c);
  masters_ = new MasterCommands(*session_, *this, *postal_, *print_, customer->CustomerBlock());
  masters_->Install(c);
  customer->CustomerButton()->setEnabled(true);
  connect(customer->CustomerButton(), &QPushButton::clicked, this, [this] { masters_->BtnCustomerClick(); });
}

void TFormMain::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  commands_->Fill(file, kFileMenu);
  commands_->Fill(file->addMenu(QStringLiteral("合計請求データ作成(&G)")), kTotalClaimMenu);
  commands_->Fill(file, kFileMenuTail);
  commands_->Fill(menuBar()->addMenu(QStringLiteral("編集(&E)")), kEditMenu);
  commands_->Fill(menuBar()->addMenu(QStringLiteral("設定(&C)")), kSettingsMenu);
  menuBar()->addAction(commands_->Action("About"));
}

void TFormMain::BuildToolbar() {
  QToolBar* bar = addToolBar(QStringLiteral("ツールバー"));
  bar->setObjectName("ToolBar");
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  bar->setIconSize(QSize(24, 24));
  commands_->Fill(bar, kToolbar);
}

void TFormMain::ShowAbout() {
  QDialog box(this);
  box.setWindowTitle(QStringLiteral("バージョン情報"));
  auto* v = new QVBoxLayout(&box);
  auto* name = new QLabel(msg::kAppTitle, &box);
  QFont f = name->font();
  f.setPointSize(f.pointSize() + 6);
  f.setBold(true);
  name->setFont(f);
  v->addWidget(name);
  v->addWidget(new QLabel(QStringLiteral("建設業の見積書・請求書作成ソフト\nPDF 出力は本プログラム独自の PDF 作成機能によります。"), &box));
  auto* close = new QPushButton(QStringLiteral("閉じる"), &box);
  connect(close, &QPushButton::clicked, &box, &QDialog::accept);
  v->addWidget(close, 0, Qt::AlignRight);
  box.exec();
}

// ---------------------------------------------------------------------------------------
// Lifecycle

void TFormMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  Guarded(this, [this] { InitAll(); });
}

void TFormMain::InitAll() {
  customerTab_->InputEventEnable(false);
  PageControl->setCurrentIndex(0);
  customerTab_->Clear();
  contentsTab_->ResetCalcSettings();
  SetDefaultCalculation(session_->Document());
  customerTab_->InputEventEnable(true);
  customerTab_->FormContent2Object();
  contentsTab_->InitInputArea();
  RefreshMainForm();
}

void TFormMain::New1Click() {
  if (session_->Config().ConfirmOpenOrMake() && !AskYesNo(this, msg::kConfirmNew)) return;
  CommitCurrentEdit();
  ResetToNewDocument(session_->Document());
  pictures_->ClearPreview();
  contentsTab_->InitInputArea();
  InitAll();
}

void TFormMain::closeEvent(QCloseEvent* event) {
  if (session_->Config().ConfirmExit() && !AskYesNo(this, QString(msg::kAppTitle) + msg::kConfirmExitTail)) {
    event->ignore();
    return;
  }
  event->accept();
}

void TFormMain::InitMainForm(bool totalClaimMode) {
  contentsTab_->SetTotalClaimMode(totalClaimMode);
  commands_->SetTotalClaimMode(totalClaimMode);
}

void TFormMain::RefreshMainForm() {
  contentsTab_->RefreshContentHeader();
  customerTab_->RefreshHeadings();
  contentsTab_->RefreshInputArea();
  contentsTab_->RefreshCalcResult();
  InitMainForm(session_->Document().TotalClaimMode());
}

void TFormMain::Object2FormContent() {
  customerTab_->Object2FormContent();
  contentsTab_->ShowCalcSettings();
}

void TFormMain::CommitCurrentEdit() { contentsTab_->CommitCurrentEdit(); }

void TFormMain::RebuildPickMenus() { contentsTab_->BuildPickMenus(); }

void TFormMain::ShowDocument() {
  pictures_->ClearPreview();
  contentsTab_->InitInputArea();
  contentsTab_->CommitCurrentEdit();
  Object2FormContent();
  RefreshMainForm();
}

}  // namespace qm::ui
