#include "ui/settings/conf_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "model/line_picture.h"
#include "ui/common/dialog_button.h"
#include "ui/common/guarded.h"
#include "ui/common/message_box.h"
#include "ui/controls/cp932_input.h"
#include "ui/settings/setting_controls.h"

namespace qm::ui {
namespace {

using C = TMxConfigInfo;
using D = TFormConf;

QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr TextBinding<D, C> kTexts[] = {
    {&D::EdtEstTitle, &C::PrintMsgEstimateTitle, &C::SetPrintMsgEstimateTitle},
    {&D::EdtEstMsg, &C::PrintMsgEstimateMessage, &C::SetPrintMsgEstimateMessage},
    {&D::EdtUnitPriceEstTitle, &C::PrintMsgUnitPriceEstimateTitle, &C::SetPrintMsgUnitPriceEstimateTitle},
    {&D::EdtUnitPriceEstMsg, &C::PrintMsgUnitPriceEstimateMessage, &C::SetPrintMsgUnitPriceEstimateMessage},
    {&D::EdtDeliverTitle, &C::PrintMsgDeliverTitle, &C::SetPrintMsgDeliverTitle},
    {&D::EdtDeliverMsg, &C::PrintMsgDeliverMessage, &C::SetPrintMsgDeliverMessage},
    {&D::EdtClaimTitle, &C::PrintMsgClaimTitle, &C::SetPrintMsgClaimTitle},
    {&D::EdtClaimMsg, &C::PrintMsgClaimMessage, &C::SetPrintMsgClaimMessage},
    {&D::EdtClaimDetailTitle, &C::PrintMsgClaimDetailsTitle, &C::SetPrintMsgClaimDetailsTitle},
    {&D::EdtClaimDetailMsg, &C::PrintMsgClaimDetailsMessage, &C::SetPrintMsgClaimDetailsMessage},
    {&D::EdtTotalClaimTitle, &C::PrintMsgTotalClaimTitle, &C::SetPrintMsgTotalClaimTitle},
    {&D::EdtTotalClaimMsg, &C::PrintMsgTotalClaimMessage, &C::SetPrintMsgTotalClaimMessage},
    {&D::EdtReceiveTitle, &C::PrintMsgReceiveTitle, &C::SetPrintMsgReceiveTitle},
    {&D::EdtReceiveMsg, &C::PrintMsgReceiveMessage, &C::SetPrintMsgReceiveMessage},
    {&D::EdtReceiptTitle, &C::PrintMsgReceiptTitle, &C::SetPrintMsgReceiptTitle},
    {&D::EdtReceiptMsg, &C::PrintMsgReceiptMessage, &C::SetPrintMsgReceiptMessage},
    {&D::EdtKoujiUtiwakeTitle, &C::PrintMsgKoujiUtiwakeTitle, &C::SetPrintMsgKoujiUtiwakeTitle},
    {&D::EdtKoujiUtiwakeMsg, &C::PrintMsgKoujiUtiwakeMessage, &C::SetPrintMsgKoujiUtiwakeMessage},
    {&D::EdtKoujiName, &C::PrintHeadKoujiName, &C::SetPrintHeadKoujiName},
    {&D::EdtLimit, &C::PrintHeadLimit, &C::SetPrintHeadLimit},
    {&D::EdtPlace, &C::PrintHeadPlace, &C::SetPrintHeadPlace},
    {&D::EdtCondition, &C::PrintHeadCondition, &C::SetPrintHeadCondition},
    {&D::EdtFreeEdit, &C::PrintHeadFreeEdit, &C::SetPrintHeadFreeEdit},
    {&D::EdtItemName, &C::PrintHeadItemName, &C::SetPrintHeadItemName},
    {&D::EdtArt, &C::PrintHeadNum, &C::SetPrintHeadNum},
    {&D::EdtUnitName, &C::PrintHeadItemUnit, &C::SetPrintHeadItemUnit},
    {&D::EdtUnitPrice, &C::PrintHeadUnitPrice, &C::SetPrintHeadUnitPrice},
    {&D::EdtCost, &C::PrintHeadCost, &C::SetPrintHeadCost},
    {&D::EdtPrice, &C::PrintHeadPrice, &C::SetPrintHeadPrice},
    {&D::EdtNote, &C::PrintHeadNote, &C::SetPrintHeadNote},
};

struct CheckBinding {
  QCheckBox* D::*control;
  const bool& (C::*get)() const;
  void (C::*set)(bool);
};
constexpr CheckBinding kChecks[] = {
    {&D::CBPrintCusCode, &C::PrintCheckCusCode, &C::SetPrintCheckCusCode},
    {&D::CBNoTaxNoSub, &C::TaxLessNotPrintSubTotal, &C::SetTaxLessNotPrintSubTotal},
    {&D::CBExitAlert, &C::ConfirmExit, &C::SetConfirmExit},
    {&D::CBOpenAlert, &C::ConfirmOpenOrMake, &C::SetConfirmOpenOrMake},
    {&D::CBPrintDecimalPoint, &C::PrintDecimalPoint, &C::SetPrintDecimalPoint},
    {&D::CBPrintBunrui, &C::PrintBunrui, &C::SetPrintBunrui},
    {&D::CBPdfEmbedFonts, &C::PdfEmbedFonts, &C::SetPdfEmbedFonts},
    {&D::CBIssueArchive, &C::IssueArchive, &C::SetIssueArchive},
};

using NameGet = const std::string& (C::*)() const;
using NameSet = void (C::*)(std::string);
constexpr std::array<std::pair<NameGet, NameSet>, C::kImgMaxRegistCount> kStampNames = {{
    {&C::NatsuinName1, &C::SetNatsuinName1},
    {&C::NatsuinName2, &C::SetNatsuinName2},
    {&C::NatsuinName3, &C::SetNatsuinName3},
    {&C::NatsuinName4, &C::SetNatsuinName4},
    {&C::NatsuinName5, &C::SetNatsuinName5},
    {&C::NatsuinName6, &C::SetNatsuinName6},
}};

QCheckBox* Check(QWidget* parent, const char* name, const char* caption) {
  auto* c = new QCheckBox(QString::fromUtf8(caption), parent);
  c->setObjectName(name);
  return c;
}

}  // namespace

std::optional<Currency> ParseTaxRate(const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return std::nullopt;
  for (const QChar c : t)
    if (!(c.isDigit() && c.unicode() < 128) && c != QChar('.')) return std::nullopt;
  return Currency::TryParseDecimal(t.toStdString());
}

TFormConf::TFormConf(QWidget* parent) : QDialog(parent) {
  setObjectName("FormConf");
  setWindowTitle(QStringLiteral("動作環境の設定"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);  // no close box
  resize(632, 666);
  auto* v = new QVBoxLayout(this);
  PageControl = new QTabWidget(this);
  PageControl->setObjectName("PageControl");
  PageControl->addTab(BasicTab(), QStringLiteral("基本設定"));
  PageControl->addTab(MessageTab(), QStringLiteral("印刷メッセージ"));
  PageControl->addTab(HeadingTab(), QStringLiteral("印刷見出し"));
  PageControl->addTab(StampTab(), QStringLiteral("捺印"));
  v->addWidget(PageControl, 1);
  BtnOk = DialogButton(this, "BtnOk", "OK");
  BtnCancel = DialogButton(this, "BtnCancel", "キャンセル");
  v->addLayout(BottomButtons({BtnOk, BtnCancel}));
  connect(BtnOk, &QPushButton::clicked, this, [this] { OkClick(); });
  connect(BtnCancel, &QPushButton::clicked, this, [this] { CancelClick(); });
  InitConf();
}

QWidget* TFormConf::BasicTab() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  int row = 0;
  grid->addWidget(new QLabel(QStringLiteral("消費税率"), page), row, 0);
  EdtTax = TextField(page, "EdtTax");
  EdtTax->setAttribute(Qt::WA_InputMethodEnabled, false);
  AllowKeys(EdtTax, QStringLiteral("0123456789."));
  grid->addWidget(EdtTax, row, 1);
  grid->addWidget(new QLabel(QStringLiteral("％"), page), row, 2);
  grid->addWidget(new QLabel(QStringLiteral("通貨記号"), page), ++row, 0);
  CBMonetary = new QComboBox(page);
  CBMonetary->setObjectName("CBMonetary");
  CBMonetary->setEditable(true);
  CBMonetary->addItems({QStringLiteral("￥"), QStringLiteral("＄")});
  grid->addWidget(CBMonetary, row, 1);
  CBPrintCusCode = Check(page, "CBPrintCusCode", "お客様コードの印刷");
  CBNoTaxNoSub = Check(page, "CBNoTaxNoSub", "消費税なしの場合、小計欄の印刷をしない");
  CBExitAlert = Check(page, "CBExitAlert", "ソフト終了時に終了確認を行う");
  CBOpenAlert = Check(page, "CBOpenAlert", "新規作成・ファイルを開く・合計請求データ作成時に確認を行う");
  CBPrintDecimalPoint = Check(page, "CBPrintDecimalPoint", "整数も小数点以下を含めて表示・印刷する");
  for (QCheckBox* c : {CBPrintCusCode, CBNoTaxNoSub, CBExitAlert, CBOpenAlert, CBPrintDecimalPoint})
    grid->addWidget(c, ++row, 0, 1, 3);
  auto* font = new QHBoxLayout;
  font->addWidget(new QLabel(QStringLiteral("送り先名の文字サイズ"), page));
  Spin_FontSize = new QSpinBox(page);
  Spin_FontSize->setObjectName("Spin_FontSize");
  Spin_FontSize->setRange(10, 16);
  font->addWidget(Spin_FontSize);
  font->addWidget(new QLabel(QStringLiteral("ポイント"), page));
  font->addStretch();
  grid->addLayout(font, ++row, 0, 1, 3);
  const auto colour = [&](const char* title, const char* swatchName, const char* buttonName, ColourSwatch*& swatch,
                          QPushButton*& button) {
    auto* box = new QGroupBox(QString::fromUtf8(title), page);
    auto* h = new QHBoxLayout(box);
    swatch = new ColourSwatch(box);
    swatch->setObjectName(swatchName);
    button = DialogButton(box, buttonName, "変更");
    h->addWidget(swatch);
    h->addWidget(button);
    h->addStretch();
    connect(button, &QPushButton::clicked, this, [this, s = swatch] { ColourClick(s); });
    return box;
  };
  grid->addWidget(colour("帳票 背景色1", "ShapeLineColorOdd", "BtnColorOdd", ShapeLineColorOdd, BtnColorOdd), ++row, 0,
                  1, 3);
  grid->addWidget(colour("帳票 背景色2", "ShapeLineColorEven", "BtnColorEven", ShapeLineColorEven, BtnColorEven), ++row,
                  0, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("エクスポート"), page), ++row, 0);
  CBPrintBunrui = Check(page, "CBPrintBunrui", "分類ごとに品名の位置を変更する");
  grid->addWidget(CBPrintBunrui, ++row, 0, 1, 3);
  CBPdfEmbedFonts = Check(page, "CBPdfEmbedFonts", "PDFにフォントを埋め込む");
  grid->addWidget(CBPdfEmbedFonts, ++row, 0, 1, 3);
  CBIssueArchive = Check(page, "CBIssueArchive", "発行した書類の控えを保存する");
  grid->addWidget(CBIssueArchive, ++row, 0, 1, 3);
  grid->setRowStretch(++row, 1);
  return page;
}

QWidget* TFormConf::MessageTab() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  const struct {
    const char* label;
    QLineEdit* D::*title;
    const char* titleName;
    QLineEdit* D::*message;
    const char* messageName;
  } rows[] = {
      {"見積書　　（タイトル）", &D::EdtEstTitle, "EdtEstTitle", &D::EdtEstMsg, "EdtEstMsg"},
      {"単価見積書　　（タイトル）", &D::EdtUnitPriceEstTitle, "EdtUnitPriceEstTitle", &D::EdtUnitPriceEstMsg,
       "EdtUnitPriceEstMsg"},
      {"納品書　　（タイトル）", &D::EdtDeliverTitle, "EdtDeliverTitle", &D::EdtDeliverMsg, "EdtDeliverMsg"},
      {"請求書　　（タイトル）", &D::EdtClaimTitle, "EdtClaimTitle", &D::EdtClaimMsg, "EdtClaimMsg"},
      {"請求明細書　　（タイトル）", &D::EdtClaimDetailTitle, "EdtClaimDetailTitle", &D::EdtClaimDetailMsg,
       "EdtClaimDetailMsg"},
      {"合計請求書　　（タイトル）", &D::EdtTotalClaimTitle, "EdtTotalClaimTitle", &D::EdtTotalClaimMsg,
       "EdtTotalClaimMsg"},
      {"受領書　　（タイトル）", &D::EdtReceiveTitle, "EdtReceiveTitle", &D::EdtReceiveMsg, "EdtReceiveMsg"},
      {"領収書　　（タイトル）", &D::EdtReceiptTitle, "EdtReceiptTitle", &D::EdtReceiptMsg, "EdtReceiptMsg"},
      {"工事内訳書　　（タイトル）", &D::EdtKoujiUtiwakeTitle, "EdtKoujiUtiwakeTitle", &D::EdtKoujiUtiwakeMsg,
       "EdtKoujiUtiwakeMsg"},
  };
  int row = 0;
  for (const auto& r : rows) {
    grid->addWidget(new QLabel(QString::fromUtf8(r.label), page), row, 0);
    this->*r.title = TextField(page, r.titleName);
    grid->addWidget(this->*r.title, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("（メッセージ）"), page), row + 1, 0, Qt::AlignRight);
    this->*r.message = TextField(page, r.messageName);
    grid->addWidget(this->*r.message, row + 1, 1);
    row += 2;
  }
  grid->setRowStretch(row, 1);
  return page;
}

QWidget* TFormConf::HeadingTab() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  const struct {
    const char* label;
    QLineEdit* D::*field;
    const char* name;
  } fields[] = {
      {"工事名称", &D::EdtKoujiName, "EdtKoujiName"}, {"工事期間", &D::EdtLimit, "EdtLimit"},
      {"納入場所", &D::EdtPlace, "EdtPlace"},         {"支払条件", &D::EdtCondition, "EdtCondition"},
      {"自由項目", &D::EdtFreeEdit, "EdtFreeEdit"},   {"品名", &D::EdtItemName, "EdtItemName"},
      {"数量", &D::EdtArt, "EdtArt"},                 {"単位", &D::EdtUnitName, "EdtUnitName"},
      {"単価", &D::EdtUnitPrice, "EdtUnitPrice"},     {"原価", &D::EdtCost, "EdtCost"},
      {"金額", &D::EdtPrice, "EdtPrice"},             {"備考", &D::EdtNote, "EdtNote"},
  };
  // The document's fields on the left, the table's columns on the right.
  constexpr std::size_t kFieldsOnTheLeft = 4;
  for (std::size_t i = 0; i < std::size(fields); ++i) {
    const bool left = i < kFieldsOnTheLeft;
    const int row = static_cast<int>(left ? i : i - kFieldsOnTheLeft);
    const int column = left ? 0 : 2;
    grid->addWidget(new QLabel(QString::fromUtf8(fields[i].label), page), row, column);
    this->*fields[i].field = TextField(page, fields[i].name);
    grid->addWidget(this->*fields[i].field, row, column + 1);
  }
  grid->setRowStretch(8, 1);
  return page;
}

QWidget* TFormConf::StampTab() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  for (int n = 0; n < C::kImgMaxRegistCount; ++n) {
    auto* box = new QGroupBox(QStringLiteral("捺印%1").arg(n + 1), page);
    auto* g = new QGridLayout(box);
    ImgPStamp[n] = new PictureBox(QSize(80, 80), box);
    ImgPStamp[n]->setObjectName(QStringLiteral("ImgPStamp%1").arg(n + 1));
    EdtNatsuin[n] = TextField(box, QStringLiteral("EdtNatsuin%1").arg(n + 1).toUtf8().constData());
    EdtNatsuin[n]->setMaxLength(40);
    BtnStampAdd[n] = DialogButton(box, QStringLiteral("BtnStampAdd%1").arg(n + 1).toUtf8().constData(), "登録");
    BtnStampDelete[n] = DialogButton(box, QStringLiteral("BtnStampDelete%1").arg(n + 1).toUtf8().constData(), "削除");
    g->addWidget(ImgPStamp[n], 0, 0, 3, 1);
    g->addWidget(EdtNatsuin[n], 0, 1, 1, 2);
    g->addWidget(BtnStampAdd[n], 1, 1);
    g->addWidget(BtnStampDelete[n], 1, 2);
    grid->addWidget(box, n / 2, n % 2);
    connect(BtnStampAdd[n], &QPushButton::clicked, this, [this, n] { StampAddClick(n); });
    connect(BtnStampDelete[n], &QPushButton::clicked, this, [this, n] { StampDeleteClick(n); });
  }
  grid->setRowStretch(3, 1);
  return page;
}

ModalResult TFormConf::ShowModal(TMxConfigInfo& config) {
  config_ = &config;
  InitConf();
  return ExecModal(*this);
}

void TFormConf::InitConf() {
  PageControl->setCurrentIndex(0);
  if (!config_) return;
  const C& c = *config_;
  EdtTax->setText(Q(c.TaxRate().ToDecimalText()));
  CBMonetary->setCurrentText(Q(c.CurrencyMark()));
  for (const auto& b : kChecks) (this->*b.control)->setChecked((c.*b.get)());
  Spin_FontSize->setValue(c.SenderFontSize());
  for (const auto& b : kTexts) (this->*b.control)->setText(Q((c.*b.get)()));
  ShapeLineColorOdd->SetColour(c.LineColorOdd());
  ShapeLineColorEven->SetColour(c.LineColorEven());
  for (int n = 0; n < C::kImgMaxRegistCount; ++n) {
    EdtNatsuin[n]->setText(Q((c.*kStampNames[static_cast<std::size_t>(n)].first)()));
    ImgPStamp[n]->SetPicture(c.ImgStamp(n));
    BtnStampDelete[n]->setEnabled(!ImgPStamp[n]->IsEmpty());
  }
}

void TFormConf::OkClick() {
  // Checked before anything is taken over: a refused value loses no other edit.
  const std::optional<Currency> rate = ParseTaxRate(EdtTax->text());
  if (!rate) {
    ShowMessage(this, QStringLiteral("消費税率は数値で入力してください。"));
    PageControl->setCurrentIndex(0);
    EdtTax->setFocus();
    return;
  }
  C& c = *config_;
  c.SetTaxRate(*rate);
  c.SetCurrencyMark(CBMonetary->currentText().toStdString());
  for (const auto& b : kChecks) (c.*b.set)((this->*b.control)->isChecked());
  c.SetSenderFontSize(Spin_FontSize->value());
  for (const auto& b : kTexts) (c.*b.set)((this->*b.control)->text().toStdString());
  for (int n = 0; n < C::kImgMaxRegistCount; ++n) {
    (c.*kStampNames[static_cast<std::size_t>(n)].second)(EdtNatsuin[n]->text().toStdString());
    c.ImgStamp(n) = ImgPStamp[n]->Picture();
  }
  c.SetLineColorOdd(ShapeLineColorOdd->Colour());
  c.SetLineColorEven(ShapeLineColorEven->Colour());
  CloseWith(*this, ModalResult::Ok);
}

void TFormConf::CancelClick() {
  InitConf();
  CloseWith(*this, ModalResult::Cancel);
}

void TFormConf::ColourClick(ColourSwatch* swatch) {
  const QColor chosen = ChooseColour(this, ToQColor(swatch->Colour()));
  if (chosen.isValid()) swatch->SetColour(FromQColor(chosen));
}

void TFormConf::StampAddClick(int slot) {
  const QString file = ChooseOpenFile(this, QString::fromUtf8(kImageFilter), QString());
  if (file.isEmpty()) return;
  if (KindOfExtension(file.toStdString()) == PictureKind::None) {
    ShowMessage(this, QStringLiteral("対応している画像形式はBMP又はJPEG、PNGです。"));
    return;
  }
  Guarded(this, [&] {
    ImgPStamp[static_cast<std::size_t>(slot)]->SetPicture(LoadAsBitmap(file.toStdString()));
    BtnStampDelete[static_cast<std::size_t>(slot)]->setEnabled(true);
  });
}

void TFormConf::StampDeleteClick(int slot) {
  if (!AskYesNo(this, QStringLiteral("捺印%1を削除します、よろしいですか？").arg(slot + 1))) return;
  ImgPStamp[static_cast<std::size_t>(slot)]->Clear();
  BtnStampDelete[static_cast<std::size_t>(slot)]->setEnabled(false);
}

}  // namespace qm::ui
