#include "ui/app/customer_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "base/era_date.h"
#include "ui/app/main_messages.h"
#include "ui/common/focus_next.h"
#include "ui/common/guarded.h"
#include "ui/controls/cp932_input.h"
#include "ui/controls/history_combo_box.h"
#include "ui/resources/icons.h"

namespace qm::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

constexpr const char* kRegistryKey = "Software\\Norvel\\Brevik\\";

}  // namespace

TCustomerTab::TCustomerTab(AppSession& session, QWidget* parent) : QWidget(parent), session_(session) {
  setObjectName("TabCustomer");
  Build();
  ConnectControls();
}

void TCustomerTab::Build() {
  auto* grid = new QGridLayout(this);
  const auto edit = [&](const char* name, int maxLength = 0) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    if (maxLength > 0) e->setMaxLength(maxLength);
    RestrictToCp932(e);
    return e;
  };
  const auto label = [&](const QString& text) { return new QLabel(text, this); };
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
  EdtZip->setAttribute(Qt::WA_InputMethodEnabled, false);
  // The two postal lookups: the button beside each field looks up from that field.
  BtnZip = new QPushButton(QStringLiteral("郵便番号"), this);
  BtnZip->setObjectName("BtnZip");
  BtnZip->setToolTip(QStringLiteral("郵便番号から住所を検索"));
  grid->addWidget(BtnZip, ++row, 0);
  grid->addWidget(EdtZip, row, 1);
  BtnCustomer = new QPushButton(Icon(u"customer"), QStringLiteral("お客様"), this);
  BtnCustomer->setObjectName("BtnCustomer");
  BtnCustomer->setToolTip(QStringLiteral("お客様"));
  grid->addWidget(BtnCustomer, row, 3);
  EdtAdd1 = edit("EdtAdd1");
  EdtAdd2 = edit("EdtAdd2");
  BtnAdd1 = new QPushButton(QStringLiteral("住所１"), this);
  BtnAdd1->setObjectName("BtnAdd1");
  BtnAdd1->setToolTip(QStringLiteral("住所から郵便番号を検索"));
  grid->addWidget(BtnAdd1, ++row, 0);
  grid->addWidget(EdtAdd1, row, 1, 1, 3);
  grid->addWidget(label(QStringLiteral("住所２")), ++row, 0);
  grid->addWidget(EdtAdd2, row, 1, 1, 3);
  EdtName1 = edit("EdtName1");
  EdtName2 = edit("EdtName2");
  EdtName3 = edit("EdtName3");
  grid->addWidget(label(QStringLiteral("会社名１")), ++row, 0);
  grid->addWidget(EdtName1, row, 1, 1, 2);
  CBNameTitle = new QComboBox(this);
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
    box = new THistoryComboBox(session_.Histories(), this);
    box->setObjectName(name);
    box->SetHistoryCount(10);
    box->SetRegistryKey(kRegistryKey);
    box->SetSubKey(subKey);
    heading = label(QString());
    check = new QCheckBox(QStringLiteral("印刷する"), this);
    check->setObjectName(QString("ChB") + subKey);
    auto* clear = new QPushButton(QStringLiteral("履歴削除"), this);
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

  MMEtc = new QPlainTextEdit(this);
  MMEtc->setObjectName("MMEtc");
  RestrictToCp932(MMEtc);
  grid->addWidget(label(QStringLiteral("備考")), ++row, 0, Qt::AlignTop);
  grid->addWidget(MMEtc, row, 1, 1, 3);
  grid->addWidget(label(msg::kEtcNote), ++row, 1, 1, 3);
  EdtMemo = edit("EdtMemo");
  grid->addWidget(label(QStringLiteral("メモ")), ++row, 0);
  grid->addWidget(EdtMemo, row, 1, 1, 3);
  grid->setRowStretch(++row, 1);
}

void TCustomerTab::ConnectControls() {
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
      Guarded(this, [box] {
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

void TCustomerTab::ContentsChange() {
  if (inputEvents_) FormContent2Object();
}

void TCustomerTab::FormContent2Object() {
  TMxEstimateObjectList& d = session_.Document();
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

void TCustomerTab::Object2FormContent() {
  const bool events = inputEvents_;
  InputEventEnable(false);
  const TMxEstimateObjectList& d = session_.Document();
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
  InputEventEnable(events);
}

void TCustomerTab::Clear() {
  const bool events = inputEvents_;
  InputEventEnable(false);
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
  InputEventEnable(events);
}

void TCustomerTab::RefreshHeadings() {
  const TMxConfigInfo& c = session_.Config();
  LblKoujiName->setText(Q(c.PrintHeadKoujiName()));
  LblLimit->setText(Q(c.PrintHeadLimit()));
  LblPlace->setText(Q(c.PrintHeadPlace()));
  LblCondition->setText(Q(c.PrintHeadCondition()));
}

void TCustomerTab::LoadHistories(const std::function<void(const std::string&)>& failed) {
  for (THistoryComboBox* box : {CBKoujiName, CBPlace, CBCondition, CBLimit}) {
    try {
      box->LoadHistory();
    } catch (const std::exception& e) {
      failed(e.what());
    }
  }
}

void TCustomerTab::ClearHistoryClick(THistoryComboBox* box, const char* heading) {
  const QString h = QString::fromUtf8(heading);
  if (!AskYesNo(this, h + msg::kConfirmClearHistoryTail)) return;
  if (!Guarded(this, [box] { box->ClearHistory(); })) return;
  ShowMessage(this, h + msg::kHistoryClearedTail);
}

bool TCustomerTab::eventFilter(QObject* watched, QEvent* event) {
  // In the header controls Enter moves to the next control.
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (auto* box = qobject_cast<THistoryComboBox*>(watched)) emit box->committed();
      if (auto* w = qobject_cast<QWidget*>(watched)) FocusNext(w);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace qm::ui
