#include "ui/app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "base/data_folders.h"
#include "base/era_date.h"
#include "base/amount_text.h"
#include "base/error.h"
#include "ui/app/focus_next.h"
#include "ui/app/line_area.h"
#include "ui/app/main_messages.h"
#include "ui/app/message_box.h"
#include "ui/controls/cp932_input.h"
#include "ui/files/file_dialogs.h"
#include "files/backup.h"
#include "files/file_messages.h"
#include "ui/controls/history_combo_box.h"
#include "ui/controls/ss_edit.h"
#include "ui/print/print_dialog.h"
#include "ui/resources/icons.h"

namespace qm::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

const QColor kAreaColour(255, 250, 200);
constexpr int kInitialLines = 100;
constexpr int kRowBlock = 10;
constexpr const char* kRegistryKey = "Software\\Norvel\\Brevik\\";

// Rounding rules in the order the boxes list them.
TCalcDecimal RuleOfIndex(int index) {
  switch (index) {
    case 1: return TCalcDecimal::cdRoundUP;
    case 2: return TCalcDecimal::cdRoundOff;
    default: return TCalcDecimal::cdRoundDown;
  }
}

int IndexOfRule(TCalcDecimal rule) {
  switch (rule) {
    case TCalcDecimal::cdRoundUP: return 1;
    case TCalcDecimal::cdRoundOff: return 2;
    case TCalcDecimal::cdRoundDown: break;
  }
  return 0;
}

// Writing a control only when its value changes keeps a refresh of many rows cheap.
void SetText(QLineEdit* e, const QString& text) {
  if (e->text() != text) e->setText(text);
}
void SetEnabled(QWidget* w, bool on) {
  if (w->isEnabled() != on) w->setEnabled(on);
}

}  // namespace

MainWindowSetup MainWindowSetup::Default() { return {DefaultDataDir(), DefaultHistoryFileName()}; }

template <typename F>
void TFormMain::Guarded(F&& command) {
  try {
    command();
  } catch (const std::exception& e) {
    ShowError(this, QString::fromUtf8(e.what()));
  }
}

TFormMain::TFormMain(MainWindowSetup setup, QWidget* parent) : QMainWindow(parent), setup_(std::move(setup)) {
  setWindowTitle(msg::kAppTitle);
  setObjectName("FormMain");
  InitDataFolders();
  historyStore_ = std::make_unique<IniHistoryStore>(setup_.historyFileName);
  FMxConfigInfo = std::make_unique<TMxConfigInfo>(GetImgDir());
  FMxCampanyInfo = std::make_unique<TMxCampanyInfoManager>(GetImgDir());

  PMItem = new QMenu(this);
  PMItem->setObjectName("PMItem");
  PMUnit = new QMenu(this);
  PMUnit->setObjectName("PMUnit");
  BuildMenus();
  BuildToolbar();
  PageControl = new QTabWidget(this);
  PageControl->addTab(BuildCustomerTab(), QStringLiteral("お客様情報"));
  PageControl->addTab(BuildContentsTab(), QStringLiteral("内容"));
  connect(PageControl, &QTabWidget::currentChanged, this, [this] { CommitCurrentEdit(); });
  setCentralWidget(PageControl);

  FormSearchFile_ = new TFormSearchFile(this);
  FormOpen_ = new TFormOpen(GetSaveDir(), *FormSearchFile_, this);
  FormSave_ = new TFormSave(GetSaveDir(), this);
  FormListFileSave_ = new TFormListFileSave(GetSaveDir(), *FormSave_, this);
  FormPrintMitsu_ = new TFormPrintMitsu(FConfigDir + "print.ini", this);
  LoadMastersAndSettings();
  ConnectHeaderControls();
  RefreshContentHeader();
  // Fixed size: a client area of 947 x 626 below the menu bar.
  setFixedSize(947, 626 + menuBar()->sizeHint().height());
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
}

TFormMain::~TFormMain() {
  // The controls go first: closing the window moves the focus out of a cell, and that
  // must not reach a document that is already gone.
  lineArea_->disconnect(this);
  inputEvents_ = false;
  delete takeCentralWidget();
}

void TFormMain::InitDataFolders() {
  // The folders are created when missing: a first start has none of them.
  FConfigDir = setup_.dataDir;
  if (!FConfigDir.empty() && FConfigDir.back() != '/') FConfigDir += '/';
  for (const std::string& folder : {FConfigDir, GetImgDir(), GetSaveDir(), GetZipDataDir()}) {
    try {
      EnsureFolder(folder);
    } catch (const Error& e) {
      ShowError(this, QString::fromUtf8(e.what()));
    }
  }
}

void TFormMain::LoadMastersAndSettings() {
  const auto attempt = [this](auto&& load) { Guarded(load); };
  attempt([&] { FMxCustomerList.LoadConfig(FConfigDir + kCustomerFileName); });
  attempt([&] { FMxItemList.LoadConfig(FConfigDir + kItemFileName); });
  attempt([&] { FMxItemUnitList.LoadConfig(FConfigDir + kItemUnitFileName); });
  BuildPickMenus();
  for (THistoryComboBox* box : {CBKoujiName, CBPlace, CBCondition, CBLimit}) attempt([&] { box->LoadHistory(); });
  attempt([&] { FMxConfigInfo->LoadConfig(FConfigDir + "conf.ini"); });
  FMxEstimateList.SetTaxRate(FMxConfigInfo->TaxRate());
  attempt([&] { FMxCampanyInfo->LoadConfig(FConfigDir + "conf.ini"); });
  FNowLineIndex = -1;
}

// ---------------------------------------------------------------------------------------
// Menus and toolbar

void TFormMain::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  file->addAction(QStringLiteral("新規作成(&N)"), this, [this] { Guarded([this] { New1Click(); }); });
  file->addAction(QStringLiteral("開く(&O)"), this, [this] { Guarded([this] { BtnOpenClick(); }); });
  file->addAction(QStringLiteral("保存(&S)"), this, [this] { Guarded([this] { BtnSaveClick(); }); });
  QMenu* claim = file->addMenu(QStringLiteral("合計請求データ作成(&G)"));
  claim->addAction(QStringLiteral("ファイル単位で集計"))->setEnabled(false);
  claim->addAction(QStringLiteral("各行単位で集計"))->setEnabled(false);
  file->addSeparator();
  file->addAction(QStringLiteral("バックアップする(&B)"), this, [this] { Guarded([this] { B2Click(); }); });
  file->addAction(QStringLiteral("バックアップを読み込む(&R)"), this, [this] { Guarded([this] { R1Click(); }); });
  file->addSeparator();
  file->addAction(QStringLiteral("終了(&X)"), this, &QWidget::close);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
  const auto editItem = [&](const char* caption, void (TFormMain::*command)()) {
    QAction* a = edit->addAction(QString::fromUtf8(caption), this, [this, command] { Guarded([&] { (this->*command)(); }); });
    editActions_.push_back(a);
  };
  editItem("選択行をコピー(&C)", &TFormMain::CopyLineClick);
  editItem("選択行に貼り付け(&P)", &TFormMain::PasteLineClick);
  editItem("選択行を上へ移動(&T)", &TFormMain::MoveUpClick);
  editItem("選択行を下へ移動(&B)", &TFormMain::MoveDownClick);
  editItem("選択行に一行挿入(&I)", &TFormMain::InsertLineClick);
  editItem("選択行を削除(&D)", &TFormMain::DeleteLineClick);
  editItem("選択行に小計欄を挿入(&S)", &TFormMain::InsertSubTotalClick);

  QMenu* settings = menuBar()->addMenu(QStringLiteral("設定(&C)"));
  for (const char* caption : {"自社情報の登録(&C)", "動作環境設定(&E)", "品名リスト編集(&I)", "郵便番号データの更新(&Z)"})
    settings->addAction(QString::fromUtf8(caption))->setEnabled(false);

  QAction* about = menuBar()->addAction(QStringLiteral("バージョン情報(&V)"));
  connect(about, &QAction::triggered, this, [this] { ShowAbout(); });
}

void TFormMain::BuildToolbar() {
  QToolBar* bar = addToolBar(QStringLiteral("ツールバー"));
  bar->setObjectName("ToolBar");
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  bar->setIconSize(QSize(24, 24));
  struct Button {
    const char* name;
    const char* caption;
    const char* icon;
    void (TFormMain::*click)();  // none: shown disabled until its dialog arrives
  };
  const Button buttons[] = {
      {"BtnOpen", "開く", "open", &TFormMain::BtnOpenClick},
      {"BtnSave", "保存", "save", &TFormMain::BtnSaveClick},
      {"BtnMitsu", "見積書", "estimate", &TFormMain::BtnMitsuClick},
      {"BtnTankaMitsu", "単価見積書", "unit_price_estimate", &TFormMain::PNGBtnTankaClick},
      {"BtnNouhin", "納品書", "delivery_note", &TFormMain::BtnNouhinClick},
      {"BtnSeikyu", "請求書", "invoice", &TFormMain::BtnSeikyuClick},
      {"BtnSeikyuMeisai", "請求明細書", "invoice_detail", &TFormMain::BtnSeikyuMeisaiClick},
      {"BtnJyuryou", "物品受領書", "goods_receipt", &TFormMain::BtnJuryoClick},
      {"BtnRyosyu", "領収書", "receipt", nullptr},
      {"BtnGoukeiSeikyu", "合計請求書", "total_invoice", nullptr},
      {"BtnFax", "FAX送信状", "fax_cover", nullptr},
      {"BtnKoujiUtiwake", "内訳書", "breakdown", &TFormMain::PNGBtnKoujiClick},
  };
  for (const Button& b : buttons) {
    QAction* a = bar->addAction(Icon(QString::fromUtf8(b.icon)), QString::fromUtf8(b.caption));
    a->setObjectName(b.name);
    a->setToolTip(QString::fromUtf8(b.caption));
    if (b.click) connect(a, &QAction::triggered, this, [this, click = b.click] { Guarded([this, click] { (this->*click)(); }); });
    else a->setEnabled(false);
    if (std::string_view(b.name) == "BtnSave") bar->addSeparator();
  }
}

// ---------------------------------------------------------------------------------------
// Customer tab

QWidget* TFormMain::BuildCustomerTab() {
  auto* page = new QWidget;
  page->setObjectName("TabCustomer");
  auto* grid = new QGridLayout(page);
  const auto edit = [&](const char* name, int maxLength = 0) {
    auto* e = new QLineEdit(page);
    e->setObjectName(name);
    if (maxLength > 0) e->setMaxLength(maxLength);
    RestrictToCp932(e);
    return e;
  };
  const auto label = [&](const QString& text) { return new QLabel(text, page); };
  int row = 0;
  MMYear = edit("MMYear");
  MMMonth = edit("MMMonth");
  MMDay = edit("MMDay");
  auto* date = new QHBoxLayout;
  date->addWidget(MMYear);
  date->addWidget(label(QStringLiteral("年")));
  date->addWidget(MMMonth);
  date->addWidget(label(QStringLiteral("月")));
  date->addWidget(MMDay);
  date->addWidget(label(QStringLiteral("日")));
  date->addStretch();
  grid->addLayout(date, row, 1, 1, 3);
  MMCusCode = edit("MMCusCode");
  MMSlipCode = edit("MMSlipCode");
  grid->addWidget(label(QStringLiteral("お客様コード")), ++row, 0);
  grid->addWidget(MMCusCode, row, 1);
  grid->addWidget(label(QStringLiteral("伝票番号")), row, 2);
  grid->addWidget(MMSlipCode, row, 3);
  EdtZip = edit("EdtZip", 8);
  grid->addWidget(label(QStringLiteral("〒")), ++row, 0);
  grid->addWidget(EdtZip, row, 1);
  auto* customerButton = new QPushButton(Icon(u"customer"), QStringLiteral("お客様"), page);
  customerButton->setObjectName("BtnCustomer");
  customerButton->setToolTip(QStringLiteral("お客様"));
  customerButton->setEnabled(false);
  grid->addWidget(customerButton, row, 3);
  EdtAdd1 = edit("EdtAdd1");
  EdtAdd2 = edit("EdtAdd2");
  grid->addWidget(label(QStringLiteral("住所１")), ++row, 0);
  grid->addWidget(EdtAdd1, row, 1, 1, 3);
  grid->addWidget(label(QStringLiteral("住所２")), ++row, 0);
  grid->addWidget(EdtAdd2, row, 1, 1, 3);
  EdtName1 = edit("EdtName1");
  EdtName2 = edit("EdtName2");
  EdtName3 = edit("EdtName3");
  grid->addWidget(label(QStringLiteral("会社名１")), ++row, 0);
  grid->addWidget(EdtName1, row, 1, 1, 2);
  CBNameTitle = new QComboBox(page);
  CBNameTitle->setObjectName("CBNameTitle");
  CBNameTitle->addItems({"", QStringLiteral("御中"), QStringLiteral("様"), QStringLiteral("殿"), QStringLiteral("宛")});
  grid->addWidget(CBNameTitle, row, 3);
  grid->addWidget(label(QStringLiteral("会社名２")), ++row, 0);
  grid->addWidget(EdtName2, row, 1, 1, 2);
  grid->addWidget(label(QStringLiteral("会社名３")), ++row, 0);
  grid->addWidget(EdtName3, row, 1, 1, 2);
  EdtTel = edit("EdtTel");
  EdtFax = edit("EdtFax");
  grid->addWidget(label(QStringLiteral("TEL")), ++row, 0);
  grid->addWidget(EdtTel, row, 1);
  grid->addWidget(label(QStringLiteral("FAX")), row, 2);
  grid->addWidget(EdtFax, row, 3);

  const auto historyRow = [&](THistoryComboBox*& box, QCheckBox*& check, QLabel*& heading, const char* name,
                              const char* subKey, const char* fixedHeading) {
    box = new THistoryComboBox(*historyStore_, page);
    box->setObjectName(name);
    box->SetHistoryCount(10);
    box->SetRegistryKey(kRegistryKey);
    box->SetSubKey(subKey);
    heading = label(QString());
    check = new QCheckBox(QStringLiteral("印刷する"), page);
    check->setObjectName(QString("ChB") + subKey);
    auto* clear = new QPushButton(QStringLiteral("履歴削除"), page);
    clear->setObjectName(QString("BtnClear") + subKey);
    connect(clear, &QPushButton::clicked, this, [this, &box, fixedHeading] { ClearHistoryClick(box, fixedHeading); });
    grid->addWidget(heading, ++row, 0);
    grid->addWidget(box, row, 1, 1, 2);
    auto* tail = new QHBoxLayout;
    tail->addWidget(check);
    tail->addWidget(clear);
    grid->addLayout(tail, row, 3);
  };
  historyRow(CBKoujiName, ChBKoujiName, LblKoujiName, "CBKoujiName", "KoujiName", "工事名称");
  historyRow(CBLimit, ChBLimit, LblLimit, "CBLimit", "Limit", "工事期間");
  historyRow(CBPlace, ChBPlace, LblPlace, "CBPlace", "Place", "納入場所");
  historyRow(CBCondition, ChBCondition, LblCondition, "CBCondition", "Condition", "支払条件");

  MMEtc = new QPlainTextEdit(page);
  MMEtc->setObjectName("MMEtc");
  RestrictToCp932(MMEtc);
  grid->addWidget(label(QStringLiteral("備考")), ++row, 0, Qt::AlignTop);
  grid->addWidget(MMEtc, row, 1, 1, 3);
  grid->addWidget(label(msg::kEtcNote), ++row, 1, 1, 3);
  EdtMemo = edit("EdtMemo");
  grid->addWidget(label(QStringLiteral("メモ")), ++row, 0);
  grid->addWidget(EdtMemo, row, 1, 1, 3);
  grid->setRowStretch(++row, 1);
  return page;
}

void TFormMain::ConnectHeaderControls() {
  for (QLineEdit* e : {MMYear, MMMonth, MMDay, MMCusCode, MMSlipCode, EdtZip, EdtAdd1, EdtAdd2, EdtName1, EdtName2,
                       EdtName3, EdtTel, EdtFax, EdtMemo}) {
    connect(e, &QLineEdit::textChanged, this, [this] { ContentsChange(); });
    e->installEventFilter(this);
  }
  connect(CBNameTitle, &QComboBox::currentIndexChanged, this, [this] { ContentsChange(); });
  CBNameTitle->installEventFilter(this);
  for (THistoryComboBox* box : {CBKoujiName, CBLimit, CBPlace, CBCondition}) {
    connect(box, &QComboBox::editTextChanged, this, [this] { ContentsChange(); });
    connect(box, &THistoryComboBox::committed, this, [this, box] {
      Guarded([box] {
        if (!box->currentText().trimmed().isEmpty()) box->AddHistory();
      });
    });
    box->installEventFilter(this);
  }
  for (QCheckBox* c : {ChBKoujiName, ChBLimit, ChBPlace, ChBCondition}) {
    connect(c, &QCheckBox::toggled, this, [this] { ContentsChange(); });
    c->installEventFilter(this);
  }
  connect(MMEtc, &QPlainTextEdit::textChanged, this, [this] { ContentsChange(); });
}

void TFormMain::ContentsChange() {
  if (inputEvents_) FormContent2Object();
}

void TFormMain::FormContent2Object() {
  TMxEstimateObjectList& d = FMxEstimateList;
  TMxCustomerObject& c = d.CustomerInfo();
  d.SetSlipDateStrYY(S(MMYear->text()));
  d.SetSlipDateStrMM(S(MMMonth->text()));
  d.SetSlipDateStrDD(S(MMDay->text()));
  c.SetCustomerCode(S(MMCusCode->text()));
  d.SetSlipCodeStr(S(MMSlipCode->text()));
  c.SetZipNo(S(EdtZip->text()));
  c.SetAddress1(S(EdtAdd1->text()));
  c.SetAddress2(S(EdtAdd2->text()));
  c.SetCustomerName1(S(EdtName1->text()));
  c.SetCustomerName2(S(EdtName2->text()));
  c.SetCustomerName3(S(EdtName3->text()));
  c.SetCustomerNameTitle(S(CBNameTitle->currentText()));
  c.SetTelNo(S(EdtTel->text()));
  c.SetFaxNo(S(EdtFax->text()));
  d.SetKoujiNameStr(S(CBKoujiName->currentText()));
  d.SetKoujiNamePrintCheck(ChBKoujiName->isChecked());
  d.SetSlipLimitStr(S(CBLimit->currentText()));
  d.SetSlipLimitPrintCheck(ChBLimit->isChecked());
  d.SetDeliveryPlaceStr(S(CBPlace->currentText()));
  d.SetDeliveryPlacePrintCheck(ChBPlace->isChecked());
  d.SetPayConditionStr(S(CBCondition->currentText()));
  d.SetPayConditionPrintCheck(ChBCondition->isChecked());
  // The remarks keep the CR LF line ends of the file and of print.
  d.SetEtcStr(S(MMEtc->toPlainText().replace('\n', QStringLiteral("\r\n"))));
  d.SetMemoStr(S(EdtMemo->text()));
}

void TFormMain::Object2FormContent() {
  InputEventEnable(false);
  const TMxEstimateObjectList& d = FMxEstimateList;
  const TMxCustomerObject& c = d.CustomerInfo();
  MMYear->setText(Q(d.SlipDateStrYY()));
  MMMonth->setText(Q(d.SlipDateStrMM()));
  MMDay->setText(Q(d.SlipDateStrDD()));
  MMCusCode->setText(Q(c.CustomerCode()));
  MMSlipCode->setText(Q(d.SlipCodeStr()));
  EdtZip->setText(Q(c.ZipNo()));
  EdtAdd1->setText(Q(c.Address1()));
  EdtAdd2->setText(Q(c.Address2()));
  EdtName1->setText(Q(c.CustomerName1()));
  EdtName2->setText(Q(c.CustomerName2()));
  EdtName3->setText(Q(c.CustomerName3()));
  const int title = CBNameTitle->findText(Q(c.CustomerNameTitle()));
  CBNameTitle->setCurrentIndex(title >= 0 ? title : 0);
  EdtTel->setText(Q(c.TelNo()));
  EdtFax->setText(Q(c.FaxNo()));
  CBKoujiName->setEditText(Q(d.KoujiNameStr()));
  ChBKoujiName->setChecked(d.KoujiNamePrintCheck());
  CBLimit->setEditText(Q(d.SlipLimitStr()));
  ChBLimit->setChecked(d.SlipLimitPrintCheck());
  CBPlace->setEditText(Q(d.DeliveryPlaceStr()));
  ChBPlace->setChecked(d.DeliveryPlacePrintCheck());
  CBCondition->setEditText(Q(d.PayConditionStr()));
  ChBCondition->setChecked(d.PayConditionPrintCheck());
  MMEtc->setPlainText(Q(d.EtcStr()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  EdtMemo->setText(Q(d.MemoStr()));
  CBCalcUnit->setCurrentIndex(d.TaxCalcLine() ? 1 : 0);
  CBUnderOne->setCurrentIndex(IndexOfRule(d.TaxDecimalMode()));
  CBTaxIn->setChecked(d.TaxInputModeIncludeTax());
  CBSubTotalUnderOne->setCurrentIndex(IndexOfRule(d.SubTotalDecimalMode()));
  InputEventEnable(true);
}

void TFormMain::ClearHistoryClick(THistoryComboBox* box, const char* heading) {
  const QString h = QString::fromUtf8(heading);
  if (!AskYesNo(this, h + msg::kConfirmClearHistoryTail)) return;
  Guarded([box] { box->ClearHistory(); });
  ShowMessage(this, h + msg::kHistoryClearedTail);
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  // In the header controls Enter moves to the next control.
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (auto* box = qobject_cast<THistoryComboBox*>(watched)) emit box->committed();
      if (auto* w = qobject_cast<QWidget*>(watched)) FocusNext(w);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------
// Contents tab

QWidget* TFormMain::BuildContentsTab() {
  auto* page = new QWidget;
  page->setObjectName("TabContents");
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(4, 4, 4, 4);

  auto* panel = new QHBoxLayout;
  const auto roundingBox = [&](const char* name) {
    auto* b = new QComboBox(page);
    b->setObjectName(name);
    b->addItems({QStringLiteral("切り捨て"), QStringLiteral("切り上げ"), QStringLiteral("四捨五入")});
    return b;
  };
  GBTaxCalc = new QGroupBox(QStringLiteral("消費税の計算方法"), page);
  auto* g1 = new QGridLayout(GBTaxCalc);
  CBCalcUnit = new QComboBox(GBTaxCalc);
  CBCalcUnit->setObjectName("CBCalcUnit");
  CBCalcUnit->addItems({QStringLiteral("小計"), QStringLiteral("行毎")});
  CBUnderOne = roundingBox("CBUnderOne");
  g1->addWidget(new QLabel(QStringLiteral("計算基準")), 0, 0);
  g1->addWidget(CBCalcUnit, 0, 1);
  g1->addWidget(new QLabel(QStringLiteral("円未満")), 1, 0);
  g1->addWidget(CBUnderOne, 1, 1);
  GBTaxInput = new QGroupBox(QStringLiteral("消費税の入力方法"), page);
  auto* g2 = new QVBoxLayout(GBTaxInput);
  CBTaxIn = new QCheckBox(QStringLiteral("税込みにする"), GBTaxInput);
  CBTaxIn->setObjectName("CBTaxIn");
  g2->addWidget(CBTaxIn);
  GBSubTotal = new QGroupBox(QStringLiteral("小計の計算方法"), page);
  auto* g3 = new QGridLayout(GBSubTotal);
  CBSubTotalUnderOne = roundingBox("CBSubTotalUnderOne");
  g3->addWidget(new QLabel(QStringLiteral("円未満")), 0, 0);
  g3->addWidget(CBSubTotalUnderOne, 0, 1);
  auto* mode = new QGroupBox(QStringLiteral("作成モード"), page);
  auto* g4 = new QVBoxLayout(mode);
  LblMode = new QLabel(QStringLiteral("通常"), mode);
  LblMode->setObjectName("LblMode");
  g4->addWidget(LblMode);
  auto* totals = new QGridLayout;
  const auto total = [&](const char* name, const char* caption, int row) {
    auto* e = new QLineEdit(page);
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignRight);
    e->setText(QStringLiteral("0"));
    totals->addWidget(new QLabel(QString::fromUtf8(caption)), row, 0);
    totals->addWidget(e, row, 1);
    return e;
  };
  EdSubTotal = total("EdSubTotal", "小計", 0);
  MMTax = total("MMTax", "消費税", 1);
  EdGrandTotal = total("EdGrandTotal", "合計", 2);
  panel->addWidget(GBTaxCalc);
  panel->addWidget(GBTaxInput);
  panel->addWidget(GBSubTotal);
  panel->addWidget(mode);
  panel->addStretch();
  panel->addLayout(totals);
  v->addLayout(panel);
  for (QComboBox* b : {CBCalcUnit, CBUnderOne, CBSubTotalUnderOne})
    connect(b, &QComboBox::currentIndexChanged, this, [this] { ConfigChange(); });
  connect(CBTaxIn, &QCheckBox::toggled, this, [this] { ConfigChange(); });

  // Heading panel over the rows, at the columns of the row controls.
  auto* heading = new QWidget(page);
  heading->setObjectName("PanelHeader");
  heading->setFixedHeight(20);
  heading->setAutoFillBackground(true);
  QPalette p = heading->palette();
  p.setColor(QPalette::Window, kAreaColour);
  heading->setPalette(p);
  const int lefts[] = {3, 43, 119, 201, 350, 419, 489, 566, 644, 761, 844, 885};
  const int widths[] = {30, 73, 78, 145, 65, 65, 73, 73, 113, 78, 32, 40};
  for (int i = 0; i < 12; ++i) {
    auto* l = new QLabel(heading);
    l->setGeometry(lefts[i], 2, widths[i], 16);
    l->setAlignment(Qt::AlignCenter);
    headLabels_.push_back(l);
  }
  v->addWidget(heading);

  lineArea_ = new TLineInputArea(page);
  lineArea_->SetPickMenus(PMItem, PMUnit);
  v->addWidget(lineArea_, 1);
  connect(lineArea_, &TLineInputArea::cellEntered, this, [this](int n, QWidget* w) { EditEnter(n, w); });
  connect(lineArea_, &TLineInputArea::cellLeft, this,
          [this](int n, QWidget* w) { Guarded([&] { EditExit(n, w); }); });
  connect(lineArea_, &TLineInputArea::taxlessClicked, this,
          [this](int n) { Guarded([&] { EditExit(n, nullptr, false, false); }); });

  auto* buttons = new QHBoxLayout;
  const auto button = [&](QPushButton*& b, const char* name, const char* caption, const char* icon) {
    b = new QPushButton(Icon(QString::fromUtf8(icon)), QString::fromUtf8(caption), page);
    b->setObjectName(name);
    b->setToolTip(QString::fromUtf8(caption));
    buttons->addWidget(b);
  };
  button(BtnDelLine, "BtnDelLine", "行削除", "delete_line");
  button(BtnUp, "BtnUp", "上へ移動", "move_up");
  button(BtnDown, "BtnDown", "下へ移動", "move_down");
  buttons->addStretch();
  button(BtnAddRows, "BtnAddRows", "入力欄を追加", "rows_add");
  button(BtnDelRows, "BtnDelRows", "入力欄を削除", "rows_remove");
  button(BtnExport, "BtnExport", "内容出力", "save");
  BtnExport->setEnabled(false);  // the contents export comes with the picture functions
  v->addLayout(buttons);
  connect(BtnDelLine, &QPushButton::clicked, this, [this] { Guarded([this] { DeleteLineClick(); }); });
  connect(BtnUp, &QPushButton::clicked, this, [this] { Guarded([this] { MoveUpClick(); }); });
  connect(BtnDown, &QPushButton::clicked, this, [this] { Guarded([this] { MoveDownClick(); }); });
  connect(BtnAddRows, &QPushButton::clicked, this, [this] { Guarded([this] { AddRowsClick(); }); });
  connect(BtnDelRows, &QPushButton::clicked, this, [this] { Guarded([this] { RemoveRowsClick(); }); });
  return page;
}

void TFormMain::RefreshContentHeader() {
  const TMxConfigInfo& c = *FMxConfigInfo;
  const std::string texts[] = {"No.",
                               c.PrintHeadClassNo(),
                               c.PrintHeadFreeEdit(),
                               c.PrintHeadItemName(),
                               c.PrintHeadNum(),
                               c.PrintHeadItemUnit(),
                               c.PrintHeadUnitPrice(),
                               c.PrintHeadCost(),
                               c.PrintHeadPrice(),
                               c.PrintHeadNote(),
                               "画像",
                               "非課税"};
  for (std::size_t i = 0; i < headLabels_.size(); ++i) headLabels_[i]->setText(Q(texts[i]));
  LblKoujiName->setText(Q(c.PrintHeadKoujiName()));
  LblLimit->setText(Q(c.PrintHeadLimit()));
  LblPlace->setText(Q(c.PrintHeadPlace()));
  LblCondition->setText(Q(c.PrintHeadCondition()));
}

// ---------------------------------------------------------------------------------------
// Lifecycle

void TFormMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  Guarded([this] { InitAll(); });
}

void TFormMain::InitAll() {
  InputEventEnable(false);
  PageControl->setCurrentIndex(0);
  MMCusCode->clear();
  MMSlipCode->clear();
  const EraDate today = ToEraDate(QDate::currentDate());
  MMYear->setText(Q(today.yy));
  MMMonth->setText(Q(today.mm));
  MMDay->setText(Q(today.dd));
  for (QLineEdit* e : {EdtZip, EdtAdd1, EdtAdd2, EdtTel, EdtFax, EdtName1, EdtName2, EdtName3}) e->clear();
  CBNameTitle->setCurrentIndex(CBNameTitle->findText(QStringLiteral("御中")));
  for (QComboBox* b : {static_cast<QComboBox*>(CBKoujiName), static_cast<QComboBox*>(CBPlace),
                       static_cast<QComboBox*>(CBCondition), static_cast<QComboBox*>(CBLimit)})
    b->setEditText(QString());
  MMEtc->clear();
  EdtMemo->clear();
  for (QGroupBox* g : {GBTaxCalc, GBTaxInput, GBSubTotal}) g->setVisible(true);
  CBCalcUnit->setCurrentIndex(0);
  CBUnderOne->setCurrentIndex(0);
  CBTaxIn->setChecked(false);
  CBSubTotalUnderOne->setCurrentIndex(0);
  LblMode->setText(QStringLiteral("通常"));
  for (QLineEdit* e : {EdSubTotal, MMTax, EdGrandTotal}) e->setText(QStringLiteral("0"));
  FMxEstimateList.SetTaxCalcLine(false);
  FMxEstimateList.SetTaxDecimalMode(TCalcDecimal::cdRoundDown);
  FMxEstimateList.SetTaxInputModeIncludeTax(false);
  FMxEstimateList.SetSubTotalDecimalMode(TCalcDecimal::cdRoundDown);
  InputEventEnable(true);
  FormContent2Object();
  InitInputArea();
  RefreshContentHeader();
  RefreshMainForm();
}

void TFormMain::New1Click() {
  if (FMxConfigInfo->ConfirmOpenOrMake() && !AskYesNo(this, msg::kConfirmNew)) return;
  CommitCurrentEdit();
  FMxEstimateList.SetTotalClaimMode(false);
  if (FMxEstimateList.Count() > kInitialLines) DelInputAreaAndData(FMxEstimateList.Count() - kInitialLines, false);
  FMxEstimateList.Clear();
  for (int i = 0; i < kInitialLines; ++i) FMxEstimateList.Add(std::make_unique<TMxEstimateObject>());
  FNowLineIndex = -1;
  InitInputArea();
  InitAll();
}

void TFormMain::closeEvent(QCloseEvent* event) {
  if (FMxConfigInfo->ConfirmExit() && !AskYesNo(this, QString(msg::kAppTitle) + msg::kConfirmExitTail)) {
    event->ignore();
    return;
  }
  event->accept();
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

void TFormMain::InitMainForm(bool totalClaimMode) {
  for (QPushButton* b : {BtnDelLine, BtnUp, BtnDown, BtnAddRows, BtnDelRows}) b->setVisible(!totalClaimMode);
  for (QAction* a : editActions_) a->setEnabled(!totalClaimMode);
  for (QGroupBox* g : {GBTaxCalc, GBTaxInput, GBSubTotal}) g->setVisible(!totalClaimMode);
  LblMode->setText(totalClaimMode ? QStringLiteral("合計請求") : QStringLiteral("通常"));
}

void TFormMain::RefreshMainForm() {
  RefreshContentHeader();
  RefreshInputArea();
  RefreshCalcResult();
  InitMainForm(FMxEstimateList.TotalClaimMode());
}

void TFormMain::CommitCurrentEdit() {
  if (QWidget* focus = QApplication::focusWidget(); focus && lineArea_->isAncestorOf(focus)) focus->clearFocus();
  FNowLineIndex = -1;
}

// ---------------------------------------------------------------------------------------
// Files

void TFormMain::BtnOpenClick() {
  CommitCurrentEdit();
  if (FMxConfigInfo->ConfirmOpenOrMake() && !AskYesNo(this, msg::kConfirmOpen)) return;
  if (FormOpen_->ShowModal(FMxEstimateList) == 1) {
    InitInputArea();
    FNowLineIndex = -1;
    Object2FormContent();
    FMxEstimateList.SetTaxRate(FMxConfigInfo->TaxRate());
    FMxEstimateList.DoCalc();
    RefreshMainForm();
    OldLineNo = -1;
  }
  CommitCurrentEdit();
}

void TFormMain::BtnSaveClick() {
  CommitCurrentEdit();
  FormListFileSave_->ShowModal(FMxEstimateList);
  CommitCurrentEdit();
}

void TFormMain::PrintButtonClick(TChartType kind) {
  CommitCurrentEdit();
  TFormPrintMitsu& dialog = *FormPrintMitsu_;
  dialog.PrepareForKind(kind);
  // The invoice detail names the person in charge only where the company does not
  // print as its logo.
  if (kind == TChartType::tcSeikyuMeisai)
    dialog.ChkPrintName->setEnabled(!FMxCampanyInfo->CampanyInfoArray(0).ChkUseLogoImage());
  const int result = dialog.ShowModal(FMxEstimateList, *FMxConfigInfo, *FMxCampanyInfo, kind);
  if (result == kResultPrint) PrintChart(kind);
}

void TFormMain::PrintChart(TChartType kind) {
  TFormPrintMitsu& dialog = *FormPrintMitsu_;
  QPrinter& printer = dialog.Printer();
  if (!dialog.HasPrinter()) {
    QPrintDialog system(&printer, this);
    if (system.exec() != QDialog::Accepted) return;
  }
  ui::PrintChart(printer, dialog.Sources(), kind);
}

void TFormMain::B2Click() {
  const QString base = ChooseFolder(this, QStringLiteral("バックアップデータを保存するフォルダーを選択してください"));
  if (base.isEmpty()) return;
  const BackupResult r = Backup(GetSaveDir(), S(base), QDate::currentDate());
  if (!r.created) {
    ShowMessage(this, QString::fromUtf8(files_msg::kBackupFolderFailed));
    return;
  }
  ShowMessage(this, Q(files_msg::BackupCreated(r.folder)));
}

void TFormMain::R1Click() {
  if (!AskYesNo(this, QStringLiteral("バックアップから復元する場合、既存のファイルは全て削除されます。\r\n続行しますか？")))
    return;
  const QString folder = ChooseFolder(this, QStringLiteral("復元するバックアップデータが存在するフォルダーを選択してください"));
  if (folder.isEmpty()) return;
  const RestoreResult r = Restore(S(folder), GetSaveDir());
  ShowMessage(this, r.restored >= 1 ? Q(files_msg::Restored(r.restored)) : QString::fromUtf8(files_msg::kNoBackupData));
}

// ---------------------------------------------------------------------------------------
// Rows and lines

void TFormMain::AddInputAreaAndData(int count, bool rowsOnly) {
  if (!rowsOnly)
    for (int i = 0; i < count; ++i) FMxEstimateList.Add(std::make_unique<TMxEstimateObject>());
  lineArea_->AddRows(count);
}

void TFormMain::DelInputAreaAndData(int count, bool rowsOnly) {
  lineArea_->RemoveRows(count);
  if (!rowsOnly)
    for (int i = 0; i < count && FMxEstimateList.Count() > 0; ++i) FMxEstimateList.Extract(FMxEstimateList.Count() - 1);
  if (FNowLineIndex >= lineArea_->RowCount()) FNowLineIndex = -1;
}

void TFormMain::InitInputArea() {
  if (lineArea_->RowCount() < kInitialLines && FMxEstimateList.Count() == 0)
    AddInputAreaAndData(kInitialLines, false);
  const int lines = FMxEstimateList.Count();
  if (lineArea_->RowCount() < lines) lineArea_->AddRows(lines - lineArea_->RowCount());
  if (lineArea_->RowCount() > lines) lineArea_->RemoveRows(lineArea_->RowCount() - lines);
}

void TFormMain::RefreshInputArea() {
  const bool totalClaim = FMxEstimateList.TotalClaimMode();
  const bool decimals = FMxConfigInfo->PrintDecimalPoint();
  const int rows = std::min(lineArea_->RowCount(), FMxEstimateList.Count());
  for (int n = 0; n < rows; ++n) {
    const TMxEstimateObject& line = FMxEstimateList.Items(n);
    TLineInputArea::Row& r = lineArea_->RowAt(n);
    if (totalClaim) {
      for (QWidget* w : r.Cells()) SetEnabled(w, false);
    } else {
      const bool priced = !line.SubTotalLineFlg();
      for (QWidget* w : {static_cast<QWidget*>(r.CBClass), static_cast<QWidget*>(r.EditFree),
                         static_cast<QWidget*>(r.EditItemName), static_cast<QWidget*>(r.BtnItemPic)})
        SetEnabled(w, true);
      for (QWidget* w : {static_cast<QWidget*>(r.MemoItemNum), static_cast<QWidget*>(r.MemoItemUnit),
                         static_cast<QWidget*>(r.MemoItemUnitPrice), static_cast<QWidget*>(r.MemoItemCost),
                         static_cast<QWidget*>(r.MemoItemTotalPrice), static_cast<QWidget*>(r.CBItemNoTax)})
        SetEnabled(w, priced);
      SetEnabled(r.EditItemEtc, true);
    }
    // Pictures are loaded and removed with the picture functions; until then the button
    // only shows whether the line has one.
    SetEnabled(r.BtnItemPic, false);
    if (r.CBClass->currentIndex() != line.ClassNo()) r.CBClass->setCurrentIndex(std::clamp(line.ClassNo(), 0, 2));
    SetText(r.EditFree, Q(line.FreeEdit()));
    SetText(r.EditItemName, Q(line.Name()));
    SetText(r.MemoItemNum, Q(CommaAdd(false, line.Num(), decimals)));
    SetText(r.MemoItemUnit, Q(line.ItemUnit()));
    SetText(r.MemoItemUnitPrice, Q(CommaAdd(false, line.Price(), decimals)));
    SetText(r.MemoItemCost, Q(CommaAdd(false, line.Cost(), decimals)));
    SetText(r.MemoItemTotalPrice, Q(CommaAdd(false, line.TotalPrice(), decimals)));
    SetText(r.EditItemEtc, Q(line.Note()));
    if (r.CBItemNoTax->isChecked() != line.Taxless()) r.CBItemNoTax->setChecked(line.Taxless());
    const QString picCaption = line.Pic().Empty() ? QStringLiteral("読込") : QStringLiteral("削除");
    if (r.BtnItemPic->text() != picCaption) {
      r.BtnItemPic->setText(picCaption);
      QPalette p = r.BtnItemPic->palette();
      p.setColor(QPalette::ButtonText, line.Pic().Empty() ? Qt::black : Qt::red);
      r.BtnItemPic->setPalette(p);
    }
  }
}

void TFormMain::RefreshCalcResult() {
  const TMxEstimateObjectList& d = FMxEstimateList;
  SetText(EdSubTotal, Q(CommaAdd(true, d.SubTotalPrice(), FMxConfigInfo->PrintDecimalPoint())));
  const QString tax = Q(CommaAdd(true, d.TotalTax(), FMxConfigInfo->PrintDecimalPoint()));
  SetText(MMTax, d.TaxInputModeIncludeTax() ? "(" + tax + ")" : tax);
  SetText(EdGrandTotal, Q(CommaAdd(true, d.TotalPrice(), FMxConfigInfo->PrintDecimalPoint())));
}

void TFormMain::ConfigChange() {
  if (!inputEvents_) return;
  Guarded([this] {
    FMxEstimateList.SetTaxCalcLine(CBCalcUnit->currentIndex() != 0);
    FMxEstimateList.SetTaxDecimalMode(RuleOfIndex(CBUnderOne->currentIndex()));
    FMxEstimateList.SetTaxInputModeIncludeTax(CBTaxIn->isChecked());
    FMxEstimateList.SetSubTotalDecimalMode(RuleOfIndex(CBSubTotalUnderOne->currentIndex()));
    FMxEstimateList.DoCalc();
    RefreshMainForm();
  });
}

void TFormMain::ActiveInputArea(int n) {
  if (FNowLineIndex != n) NonActiveInputArea(FNowLineIndex);
  lineArea_->SetHighlighted(n, true);
  FNowLineIndex = n;
}

void TFormMain::NonActiveInputArea(int n) { lineArea_->SetHighlighted(n, false); }

void TFormMain::EditEnter(int row, QWidget* cell) {
  if (auto* numeric = qobject_cast<TSsEdit*>(cell)) {
    numeric->setText(numeric->text().remove(','));
    numeric->selectAll();
  } else if (auto* edit = qobject_cast<QLineEdit*>(cell)) {
    edit->selectAll();
  }
  ActiveInputArea(row);
}

void TFormMain::EditExit(int row, QWidget*, bool fillCost, bool unhighlight) {
  if (row < 0 || row >= FMxEstimateList.Count()) return;
  TLineInputArea::Row& r = lineArea_->RowAt(row);
  for (TSsEdit* cell : r.NumericCells())
    if (cell->text().trimmed().isEmpty() && (fillCost || cell != r.MemoItemCost)) cell->setText(QStringLiteral("0"));
  CalcLine(row);
  FMxEstimateList.DoCalc();
  RefreshMainForm();
  if (unhighlight) NonActiveInputArea(row);
}

void TFormMain::CalcLine(int n) {
  TMxEstimateObject& line = FMxEstimateList.Items(n);
  TLineInputArea::Row& r = lineArea_->RowAt(n);
  line.SetClassNo(std::max(0, r.CBClass->currentIndex()));
  line.SetFreeEdit(S(r.EditFree->text()));
  line.SetName(S(r.EditItemName->text()));
  line.SetItemUnit(S(r.MemoItemUnit->text()));
  line.SetNote(S(r.EditItemEtc->text()));
  line.SetTaxless(r.CBItemNoTax->isChecked());
  const auto read = [](TSsEdit* cell) { return Currency::TryParseDecimal(S(cell->text().remove(','))); };
  // A cost that is no number is reported like the other cells and taken as 0.
  if (auto cost = read(r.MemoItemCost)) {
    line.SetCost(*cost);
  } else {
    ShowMessage(this, msg::kInputLimit);
    line.SetCost(Currency());
    r.MemoItemCost->setText(QStringLiteral("0"));
  }
  if (auto amount = read(r.MemoItemTotalPrice)) {
    line.SetTotalPrice(*amount);
  } else {
    ShowMessage(this, msg::kInputLimit);
    line.SetTotalPrice(Currency());
  }
  const auto num = read(r.MemoItemNum);
  const auto price = read(r.MemoItemUnitPrice);
  if (!num || !price) {
    ShowMessage(this, msg::kInputLimit);
    line.SetNum(Currency());
    line.SetPrice(Currency());
    line.SetCost(Currency());
    line.SetTotalPrice(Currency());
    for (TSsEdit* cell : r.NumericCells()) cell->setText(QStringLiteral("0"));
    return;
  }
  line.SetNum(*num);
  line.SetPrice(*price);
  if (!line.DoCalc()) {
    ShowMessage(this, msg::kInputLimit);
    for (TSsEdit* cell : {r.MemoItemNum, r.MemoItemUnitPrice, r.MemoItemTotalPrice}) cell->setText(QStringLiteral("0"));
  }
  const bool decimals = FMxConfigInfo->PrintDecimalPoint();
  r.MemoItemNum->setText(Q(CommaAdd(false, line.Num(), decimals)));
  r.MemoItemUnitPrice->setText(Q(CommaAdd(false, line.Price(), decimals)));
  r.MemoItemTotalPrice->setText(Q(CommaAdd(false, line.TotalPrice(), decimals)));
}

void TFormMain::AddRowsClick() {
  if (RefuseInTotalClaim()) return;
  const int current = FNowLineIndex;
  AddInputAreaAndData(kRowBlock, false);
  RefreshMainForm();
  if (current >= 0) lineArea_->FocusItemName(current);
}

void TFormMain::RemoveRowsClick() {
  if (RefuseInTotalClaim()) return;
  if (FMxEstimateList.Count() <= kInitialLines) {
    ShowMessage(this, msg::kCannotRemoveMore);
    return;
  }
  const int current = FNowLineIndex;
  if (current >= 0) CalcLine(current);
  const int count = FMxEstimateList.Count();
  bool filled = false;
  for (int i = count - kRowBlock; i < count; ++i) filled |= !FMxEstimateList.Items(i).Uninput();
  if (filled && !AskYesNo(this, msg::kConfirmRemoveFilled)) return;
  DelInputAreaAndData(kRowBlock, false);
  FMxEstimateList.DoCalc();
  RefreshMainForm();
  if (current >= 0 && current < FMxEstimateList.Count()) lineArea_->FocusItemName(current);
  else FNowLineIndex = -1;
}

// ---------------------------------------------------------------------------------------
// Editing commands

bool TFormMain::RefuseInTotalClaim() {
  if (!FMxEstimateList.TotalClaimMode()) return false;
  ShowMessage(this, msg::kNotInTotalClaim);
  return true;
}

bool TFormMain::RequireCurrentLine(const char* message) {
  if (FNowLineIndex >= 0 && FNowLineIndex < FMxEstimateList.Count()) return true;
  ShowMessage(this, message);
  return false;
}

namespace {
void CopyLine(const TMxEstimateObject& from, TMxEstimateObject& to) {
  to.SetName(from.Name());
  to.SetNum(from.Num());
  to.SetItemUnit(from.ItemUnit());
  to.SetPrice(from.Price());
  to.SetTotalPrice(from.TotalPrice());
  to.SetNote(from.Note());
  to.SetTaxless(from.Taxless());
  to.SetSubTotalLineFlg(from.SubTotalLineFlg());
  to.SetClassNo(from.ClassNo());
  to.SetFreeEdit(from.FreeEdit());
  to.SetCost(from.Cost());
  to.Pic() = from.Pic();  // an independent copy of the picture bytes
}
}  // namespace

void TFormMain::CopyLineClick() {
  if (RefuseInTotalClaim() || !RequireCurrentLine(msg::kSelectToCopy)) return;
  CopyLine(FMxEstimateList.Items(FNowLineIndex), FMxCopyEstimateObject);
  ShowMessage(this, msg::kCopied);
}

void TFormMain::PasteLineClick() {
  if (RefuseInTotalClaim() || !RequireCurrentLine(msg::kSelectToPaste)) return;
  CopyLine(FMxCopyEstimateObject, FMxEstimateList.Items(FNowLineIndex));
  FMxEstimateList.DoCalc();
  RefreshMainForm();
  ShowMessage(this, msg::kPasted);
}

void TFormMain::MoveCurrentLine(int delta) {
  if (!RequireCurrentLine(msg::kSelectToMove)) return;
  const int from = FNowLineIndex;
  const int to = from + delta;
  if (to < 0 || to >= FMxEstimateList.Count()) {
    ShowMessage(this, msg::kCannotMove);
    return;
  }
  CalcLine(from);
  FMxEstimateList.Insert(to, FMxEstimateList.Extract(from));
  FMxEstimateList.DoCalc();
  NonActiveInputArea(from);
  RefreshMainForm();
  lineArea_->FocusItemName(to);
  FNowLineIndex = to;
  lineArea_->SetHighlighted(to, true);
}

void TFormMain::MoveUpClick() { MoveCurrentLine(-1); }
void TFormMain::MoveDownClick() { MoveCurrentLine(+1); }

bool TFormMain::PullLastLineToCurrent() {
  const int last = FMxEstimateList.Count() - 1;
  if (!FMxEstimateList.Items(last).Uninput() || FNowLineIndex == last) {
    ShowMessage(this, msg::kCannotInsert);
    return false;
  }
  FMxEstimateList.Insert(FNowLineIndex, FMxEstimateList.Extract(last));
  return true;
}

void TFormMain::InsertLineClick() {
  if (RefuseInTotalClaim() || !RequireCurrentLine(msg::kSelectToInsert)) return;
  if (!PullLastLineToCurrent()) return;
  RefreshMainForm();
}

void TFormMain::InsertSubTotalClick() {
  if (RefuseInTotalClaim() || !RequireCurrentLine(msg::kSelectToInsert)) return;
  if (!PullLastLineToCurrent()) return;
  FMxEstimateList.ToSubTotalLine(FNowLineIndex);
  FMxEstimateList.DoCalc();
  RefreshMainForm();
}

void TFormMain::DeleteLineClick() {
  if (RefuseInTotalClaim() || !RequireCurrentLine(msg::kSelectToDelete)) return;
  FMxEstimateList.Extract(FNowLineIndex);
  FMxEstimateList.Add(std::make_unique<TMxEstimateObject>());
  FMxEstimateList.DoCalc();
  OldLineNo = -1;
  RefreshMainForm();
}

// ---------------------------------------------------------------------------------------
// Pick menus

void TFormMain::BuildPickMenus() {
  const auto build = [this](QMenu* menu, int count, const char* groupName, const char* groupCaption,
                            const char* entryName, auto caption, auto pick) {
    menu->clear();
    QMenu* group = nullptr;
    for (int i = 0; i < count; ++i) {
      if (i % 10 == 0) {
        const int g = i / 10;
        group = menu->addMenu(QString::fromUtf8(groupCaption) + QString::number(10 * g + 1) + " - " +
                              QString::number(10 * g + 10));
        group->setObjectName(groupName + QString::number(g));
      }
      QAction* a = group->addAction(caption(i));
      a->setObjectName(entryName + QString::number(i));
      connect(a, &QAction::triggered, this, [this, pick, i] { Guarded([&] { (this->*pick)(i); }); });
    }
  };
  build(PMItem, FMxItemList.Count(), "MPItem", "アイテム", "MItemName",
        [this](int i) { return Q(FMxItemList.Items(i).ItemName()); }, &TFormMain::PickItem);
  build(PMUnit, FMxItemUnitList.Count(), "MPUnit", "単位", "MUnit",
        [this](int i) { return Q(FMxItemUnitList.Items(i).ItemUnit()); }, &TFormMain::PickUnit);
}

void TFormMain::PickItem(int index) {
  if (FNowLineIndex < 0 || FNowLineIndex >= lineArea_->RowCount()) return;
  const TMxItemObject& item = FMxItemList.Items(index);
  TLineInputArea::Row& r = lineArea_->RowAt(FNowLineIndex);
  const bool decimals = FMxConfigInfo->PrintDecimalPoint();
  r.EditItemName->setText(Q(item.ItemName()));
  r.MemoItemUnit->setText(item.ItemUnit() == msg::kNoUnit ? QString() : Q(item.ItemUnit()));
  r.MemoItemUnitPrice->setText(Q(CommaAdd(false, item.ItemPrice(), decimals)));
  r.MemoItemCost->setText(Q(CommaAdd(false, item.ItemCost(), decimals)));
}

void TFormMain::PickUnit(int index) {
  if (FNowLineIndex < 0 || FNowLineIndex >= lineArea_->RowCount()) return;
  lineArea_->RowAt(FNowLineIndex).MemoItemUnit->setText(Q(FMxItemUnitList.Items(index).ItemUnit()));
}

}  // namespace qm::ui
