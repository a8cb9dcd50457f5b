#include "ui/postal/zip_update_dialog.h"

#include <QCloseEvent>
#include <QDir>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "base/cp932.h"
#include "postal/national_csv.h"
#include "postal/zip_table.h"
#include "ui/common/dialog_button.h"
#include "ui/common/guarded.h"
#include "ui/common/message_box.h"

namespace qm::ui {
namespace {

QString Q(const std::string& cp932Bytes) { return QString::fromStdString(cp932::Decode(cp932Bytes)); }
std::string Bytes(const QString& text) { return cp932::Encode(text.toStdString()).bytes; }

QLabel* Note(QWidget* parent, const char* text) { return new QLabel(QString::fromUtf8(text), parent); }

}  // namespace

Thread_ZipDL::Thread_ZipDL(std::string server, postal::HttpOptions http, std::string zipFolder, QObject* parent)
    : QThread(parent), server_(std::move(server)), http_(std::move(http)), zipFolder_(std::move(zipFolder)) {}

void Thread_ZipDL::run() {
  postal::DownloadResult r;
  try {
    r = postal::DownloadAndInstall(server_, http_, zipFolder_);
  } catch (const std::exception& e) {
    r.error = e.what();
  }
  if (r.ok) emit Send_ShowMessage1();
  else emit Send_ShowMessage0();
  emit DL_END();
}

Tzip_update::Tzip_update(DataFolder folder, postal::ZipTableCache& tables, QWidget* parent)
    : QDialog(parent), folder_(std::move(folder)), tables_(tables) {
  setObjectName("zip_update");
  setWindowTitle(QStringLiteral("新しい郵便番号データを更新"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);  // no close box
  setFixedSize(426, 284);

  auto* v = new QVBoxLayout(this);
  auto* now = new QHBoxLayout;
  now->addWidget(Note(this, "現在"));
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setReadOnly(true);
  now->addWidget(Edit1, 1);
  now->addWidget(Note(this, "が使用されています。"));
  v->addLayout(now);

  Button1 = new QPushButton(QStringLiteral("郵便番号データの更新を確認する"), this);
  Button1->setObjectName("Button1");
  Button1->setMinimumHeight(48);
  QFont big = Button1->font();
  big.setPointSize(big.pointSize() + 2);
  big.setBold(true);
  Button1->setFont(big);
  v->addWidget(Button1);
  v->addWidget(Note(this, "※インターネットに接続されている必要があります"));

  v->addWidget(Note(this, "プロキシサーバを使用する場合は下記に入力してください"));
  v->addWidget(Note(this, "（使用しない場合は空欄にしてください）"));
  auto* proxy = new QGridLayout;
  proxy->addWidget(Note(this, "アドレス"), 0, 0);
  proxy->addWidget(Note(this, "ポート"), 0, 1);
  LabeledEdit1 = new QLineEdit(this);
  LabeledEdit1->setObjectName("LabeledEdit1");
  LabeledEdit2 = new QLineEdit(this);
  LabeledEdit2->setObjectName("LabeledEdit2");
  LabeledEdit2->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), LabeledEdit2));
  for (QLineEdit* e : {LabeledEdit1, LabeledEdit2}) e->setAttribute(Qt::WA_InputMethodEnabled, false);
  proxy->addWidget(LabeledEdit1, 1, 0);
  proxy->addWidget(LabeledEdit2, 1, 1);
  proxy->setColumnStretch(0, 3);
  proxy->setColumnStretch(1, 1);
  v->addLayout(proxy);
  v->addStretch();
  auto* buttons = new QHBoxLayout;
  BtnImport = new QPushButton(QStringLiteral("全国版CSVを取り込む"), this);
  BtnImport->setObjectName("BtnImport");
  BtnImport->setToolTip(QStringLiteral("日本郵便の全国版郵便番号データ（CSV）から郵便番号データを作ります"));
  buttons->addWidget(BtnImport);
  buttons->addStretch();
  Btn_Cancel = DialogButton(this, "Btn_Cancel", "閉じる");
  buttons->addWidget(Btn_Cancel);
  v->addLayout(buttons);

  // Covers the controls while a download runs.
  Panel1 = new QLabel(QStringLiteral("更新データのダウンロード中です"), this);
  Panel1->setObjectName("Panel1");
  Panel1->setAlignment(Qt::AlignCenter);
  Panel1->setAutoFillBackground(true);
  Panel1->setFrameShape(QFrame::Panel);
  Panel1->setFont(big);
  Panel1->hide();

  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Btn_Cancel, &QPushButton::clicked, this, [this] { Btn_CancelClick(); });
  connect(BtnImport, &QPushButton::clicked, this, [this] { BtnImportClick(); });
}

Tzip_update::~Tzip_update() {
  if (thread_) thread_->wait();
}

void Tzip_update::FormShow() {
  canClose_ = true;
  Get_Local_Version();
  const postal::ProxySettings proxy = postal::ReadProxySettings(folder_.ProxyFile());
  if (!proxy.problem.empty()) {
    ShowError(this, QString::fromStdString(proxy.problem));
    return;
  }
  LabeledEdit1->setText(Q(proxy.address));
  LabeledEdit2->setText(Q(proxy.port));
}

ModalResult Tzip_update::ShowModal() {
  FormShow();
  return ExecModal(*this);
}

void Tzip_update::Get_Local_Version() {
  const postal::InstalledVersion v = postal::ReadInstalledVersion(folder_.ZipVersionFile());
  if (!v.problem.empty()) ShowError(this, QString::fromStdString(v.problem));
  installedKey_ = v.key;
  Edit1->setText(Q(v.description));
}

postal::HttpOptions Tzip_update::ProxyOptions() {
  const postal::ProxyChoice p = postal::ParseProxy(Bytes(LabeledEdit1->text()), Bytes(LabeledEdit2->text()));
  if (p.portCleared) LabeledEdit2->clear();
  postal::HttpOptions http = http_;
  http.proxyHost = p.host;
  http.proxyPort = p.port;
  return http;
}

int Tzip_update::Get_Host_Version() {
  const postal::CheckResult r = postal::CheckServer(postal::UpdateServer(folder_.ConfIni()), ProxyOptions(), installedKey_);
  return static_cast<int>(r.result);
}

void Tzip_update::Button1Click() {
  const int result = Get_Host_Version();
  if (result < 0) {
    ShowMessage(this, QString::fromUtf8(postal::kCheckFailed));
  } else if (result == 0) {
    ShowMessage(this, QString::fromUtf8(postal::kNoUpdate));
  } else if (AskYesNo(this, QString::fromUtf8(postal::kAskUpdate))) {
    Guarded(this, [this] { EnsureFolder(folder_.ZipDir()); });
    SetDownloading(true);
    thread_ = new Thread_ZipDL(postal::UpdateServer(folder_.ConfIni()), ProxyOptions(), folder_.ZipDir(), this);
    // Queued: the worker goes on without waiting for the window.
    connect(thread_, &Thread_ZipDL::Send_ShowMessage0, this, [this] { Show_ShowMessage(0); }, Qt::QueuedConnection);
    connect(thread_, &Thread_ZipDL::Send_ShowMessage1, this, [this] { Show_ShowMessage(1); }, Qt::QueuedConnection);
    connect(thread_, &Thread_ZipDL::DL_END, this, [this] { DL_END(); }, Qt::QueuedConnection);
    thread_->start();
  }
  Get_Local_Version();
}

void Tzip_update::Show_ShowMessage(int kind) {
  if (kind == 1) tables_.Invalidate();
  ShowMessage(this, QString::fromUtf8(kind == 1 ? postal::kUpdated : postal::kDownloadFailed));
}

void Tzip_update::DL_END() {
  if (thread_) {
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
  }
  Get_Local_Version();
  SetDownloading(false);
  emit DownloadEnded();
}

void Tzip_update::SetDownloading(bool downloading) {
  canClose_ = !downloading;
  for (QWidget* w : {static_cast<QWidget*>(LabeledEdit1), static_cast<QWidget*>(LabeledEdit2),
                     static_cast<QWidget*>(Btn_Cancel), static_cast<QWidget*>(Button1),
                     static_cast<QWidget*>(BtnImport)})
    w->setEnabled(!downloading);
  Panel1->setGeometry(rect().adjusted(20, 60, -20, -60));
  Panel1->setVisible(downloading);
  Panel1->raise();
}

void Tzip_update::BtnImportClick() {
  const QString csv = ChooseOpenFile(this, QStringLiteral("CSVファイル(*.csv *.CSV)"), QDir::homePath());
  if (csv.isEmpty()) return;
  std::size_t lines = 0;
  const bool done = Guarded(this, [&] {
    EnsureFolder(folder_.ZipDir());
    lines = postal::ImportNationalCsv(csv.toStdString(), folder_.ZipDir());
  });
  Get_Local_Version();
  if (!done) return;
  tables_.Invalidate();
  ShowMessage(this, QStringLiteral("%1 件の郵便番号データを取り込みました。").arg(lines));
}

void Tzip_update::Btn_CancelClick() {
  if (!canClose_) return;
  if (!Guarded(this, [this] {
        postal::WriteProxySettings(folder_.ProxyFile(), Bytes(LabeledEdit1->text()), Bytes(LabeledEdit2->text()));
      }))
    return;  // the fields stay as typed, to be saved again
  CloseWith(*this, ModalResult::Cancel);
}

void Tzip_update::closeEvent(QCloseEvent* event) {
  if (!canClose_) event->ignore();
  else QDialog::closeEvent(event);
}

void Tzip_update::reject() {
  if (canClose_) QDialog::reject();
}

void Tzip_update::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  Panel1->setGeometry(rect().adjusted(20, 60, -20, -60));
}

}  // namespace qm::ui
