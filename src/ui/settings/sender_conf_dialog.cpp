#include "ui/settings/sender_conf_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <charconv>

#include "base/error.h"
#include "model/peppol_ids.h"
#include "ui/common/dialog_button.h"
#include "ui/common/guarded.h"
#include "ui/common/message_box.h"
#include "ui/controls/cp932_input.h"
#include "ui/settings/setting_controls.h"

namespace qm::ui {
namespace {

using P = TMxCampanyInfo;
using D = TFormSenderConf;
using B = TMxPayBankAccount;

QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr TextBinding<D, P> kTexts[] = {
    {&D::EdtZip, &P::ZipNo, &P::SetZipNo},
    {&D::EdtAdd1, &P::Address1, &P::SetAddress1},
    {&D::EdtAdd2, &P::Address2, &P::SetAddress2},
    {&D::EdtCompany1, &P::CampanyName1, &P::SetCampanyName1},
    {&D::EdtCompany2, &P::CampanyName2, &P::SetCampanyName2},
    {&D::EdtCompany3, &P::CampanyName3, &P::SetCampanyName3},
    {&D::EdtName, &P::ChargeName, &P::SetChargeName},
    {&D::EdtTel, &P::TelFax, &P::SetTelFax},
};

struct BankBinding {
  QLineEdit* D::*control;
  int account;
  const std::string& (B::*get)() const;
  void (B::*set)(std::string);
};
constexpr BankBinding kBanks[] = {
    {&D::EdtBank1, 0, &B::BankName, &B::SetBankName},          {&D::EdtAccount1, 0, &B::BankNo, &B::SetBankNo},
    {&D::EdtAccName1, 0, &B::BankOwnerName, &B::SetBankOwnerName}, {&D::EdtBank2, 1, &B::BankName, &B::SetBankName},
    {&D::EdtAccount2, 1, &B::BankNo, &B::SetBankNo},          {&D::EdtAccName2, 1, &B::BankOwnerName, &B::SetBankOwnerName},
};

// The twenty numbers in the order of StampFields.
struct NumberBinding {
  const char* name;
  const double& (P::*get)() const;
  void (P::*set)(double);
};
constexpr std::array<NumberBinding, 20> kNumbers = {{
    {"EdtPSizeWidA4", &P::CampanyStampSizeWidth_A4, &P::SetCampanyStampSizeWidth_A4},
    {"EdtPSizeHigA4", &P::CampanyStampSizeHeight_A4, &P::SetCampanyStampSizeHeight_A4},
    {"EdtPPosDetailLeftA4", &P::CampanyStampPosDetail_X_A4, &P::SetCampanyStampPosDetail_X_A4},
    {"EdtPPosDetailTopA4", &P::CampanyStampPosDetail_Y_A4, &P::SetCampanyStampPosDetail_Y_A4},
    {"EdtPPosClaimLeftA4", &P::CampanyStampPosTotalClaim_X_A4, &P::SetCampanyStampPosTotalClaim_X_A4},
    {"EdtPPosClaimTopA4", &P::CampanyStampPosTotalClaim_Y_A4, &P::SetCampanyStampPosTotalClaim_Y_A4},
    {"EdtPPosReceiptLeftA4", &P::CampanyStampPosReceipt_X_A4, &P::SetCampanyStampPosReceipt_X_A4},
    {"EdtPPosReceiptTopA4", &P::CampanyStampPosReceipt_Y_A4, &P::SetCampanyStampPosReceipt_Y_A4},
    {"EdtPPosFaxSenderLeftA4", &P::CampanyStampPosFaxSender_X_A4, &P::SetCampanyStampPosFaxSender_X_A4},
    {"EdtPPosFaxSenderTopA4", &P::CampanyStampPosFaxSender_Y_A4, &P::SetCampanyStampPosFaxSender_Y_A4},
    {"EdtPSizeWidB5", &P::CampanyStampSizeWidth_B5, &P::SetCampanyStampSizeWidth_B5},
    {"EdtPSizeHigB5", &P::CampanyStampSizeHeight_B5, &P::SetCampanyStampSizeHeight_B5},
    {"EdtPPosDetailLeftB5", &P::CampanyStampPosDetail_X_B5, &P::SetCampanyStampPosDetail_X_B5},
    {"EdtPPosDetailTopB5", &P::CampanyStampPosDetail_Y_B5, &P::SetCampanyStampPosDetail_Y_B5},
    {"EdtPPosClaimLeftB5", &P::CampanyStampPosTotalClaim_X_B5, &P::SetCampanyStampPosTotalClaim_X_B5},
    {"EdtPPosClaimTopB5", &P::CampanyStampPosTotalClaim_Y_B5, &P::SetCampanyStampPosTotalClaim_Y_B5},
    {"EdtPPosReceiptLeftB5", &P::CampanyStampPosReceipt_X_B5, &P::SetCampanyStampPosReceipt_X_B5},
    {"EdtPPosReceiptTopB5", &P::CampanyStampPosReceipt_Y_B5, &P::SetCampanyStampPosReceipt_Y_B5},
    {"EdtPPosFaxSenderLeftB5", &P::CampanyStampPosFaxSender_X_B5, &P::SetCampanyStampPosFaxSender_X_B5},
    {"EdtPPosFaxSenderTopB5", &P::CampanyStampPosFaxSender_Y_B5, &P::SetCampanyStampPosFaxSender_Y_B5},
}};

// The shortest decimal text that reads back as the same number.
QString NumberText(double v) {
  char buf[64];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  return QString::fromLatin1(buf, ec == std::errc() ? static_cast<int>(end - buf) : 0);
}

std::optional<double> ReadNumber(const QString& text) {
  const std::string s = text.trimmed().toStdString();
  double v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

constexpr TColor kWhite = 0x00FFFFFF;  // the swatch of a colour text that does not read

}  // namespace

TFormSenderConf::TFormSenderConf(QWidget* parent) : QDialog(parent) {
  setObjectName("FormSenderConf");
  setWindowTitle(QStringLiteral("自社情報の登録"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);  // no close box
  resize(419, 605);
  auto* v = new QVBoxLayout(this);
  auto* radios = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    RBCompany[static_cast<std::size_t>(i)] = new QRadioButton(QStringLiteral("会社情報%1").arg(QChar(0xFF11 + i)), this);
    RBCompany[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("RBCompany%1").arg(i + 1));
    radios->addWidget(RBCompany[static_cast<std::size_t>(i)]);
    connect(RBCompany[static_cast<std::size_t>(i)], &QRadioButton::clicked, this, [this, i] { SwitchProfile(i + 1); });
  }
  RBCompany[0]->setChecked(true);
  v->addLayout(radios);
  PageControl = new QTabWidget(this);
  PageControl->addTab(BasicTab(), QStringLiteral("基本情報"));
  PageControl->addTab(LogoTab(), QStringLiteral("社判"));
  PageControl->addTab(StampTab(), QStringLiteral("会社印"));
  v->addWidget(PageControl, 1);
  BtnOk = DialogButton(this, "BtnOk", "OK");
  BtnCancel = DialogButton(this, "BtnCancel", "キャンセル");
  v->addLayout(BottomButtons({BtnOk, BtnCancel}));
  connect(BtnOk, &QPushButton::clicked, this, [this] { OkClick(); });
  connect(BtnCancel, &QPushButton::clicked, this, [this] { CancelClick(); });
}

QWidget* TFormSenderConf::BasicTab() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  const struct {
    const char* label;
    QLineEdit* D::*field;
    const char* name;
  } fields[] = {
      {"郵便番号", &D::EdtZip, "EdtZip"},         {"住所１", &D::EdtAdd1, "EdtAdd1"},
      {"住所２", &D::EdtAdd2, "EdtAdd2"},         {"会社名１", &D::EdtCompany1, "EdtCompany1"},
      {"会社名２", &D::EdtCompany2, "EdtCompany2"}, {"会社名３", &D::EdtCompany3, "EdtCompany3"},
      {"担当者名", &D::EdtName, "EdtName"},         {"TEL/FAX", &D::EdtTel, "EdtTel"},
  };
  int row = 0;
  for (const auto& f : fields) {
    grid->addWidget(new QLabel(QString::fromUtf8(f.label), page), row, 0);
    this->*f.field = TextField(page, f.name);
    grid->addWidget(this->*f.field, row++, 1);
  }
  const auto bank = [&](const char* title, QLineEdit* D::*name, const char* nameId, QLineEdit* D::*account,
                        const char* accountId, QLineEdit* D::*owner, const char* ownerId) {
    auto* box = new QGroupBox(QString::fromUtf8(title), page);
    auto* g = new QGridLayout(box);
    const std::pair<const char*, std::pair<QLineEdit* D::*, const char*>> rows[] = {
        {"銀行/支店名", {name, nameId}}, {"口座番号", {account, accountId}}, {"口座名義人", {owner, ownerId}}};
    int r = 0;
    for (const auto& [label, field] : rows) {
      g->addWidget(new QLabel(QString::fromUtf8(label), box), r, 0);
      this->*field.first = TextField(box, field.second);
      g->addWidget(this->*field.first, r++, 1);
    }
    grid->addWidget(box, row++, 0, 1, 2);
  };
  grid->addWidget(new QLabel(QStringLiteral("登録番号"), page), row, 0);
  EdtRegistNo = TextField(page, "EdtRegistNo");
  EdtRegistNo->setPlaceholderText(QStringLiteral("T1234567890123"));
  EdtRegistNo->setToolTip(QStringLiteral("適格請求書発行事業者の登録番号（「T」と13桁の数字）"));
  grid->addWidget(EdtRegistNo, row++, 1);
  grid->addWidget(new QLabel(QStringLiteral("Peppol ID"), page), row, 0);
  EdtPeppolId = TextField(page, "EdtPeppolId");
  EdtPeppolId->setPlaceholderText(QStringLiteral("0188:1234567890123"));
  EdtPeppolId->setToolTip(
      QStringLiteral("デジタルインボイスの送信元の電子アドレス（スキーム:ID。法人番号なら 0188:13桁、登録番号なら 0221:T13桁）"));
  grid->addWidget(EdtPeppolId, row++, 1);
  bank("振込先情報１", &D::EdtBank1, "EdtBank1", &D::EdtAccount1, "EdtAccount1", &D::EdtAccName1, "EdtAccName1");
  bank("振込先情報２", &D::EdtBank2, "EdtBank2", &D::EdtAccount2, "EdtAccount2", &D::EdtAccName2, "EdtAccName2");
  grid->setRowStretch(row, 1);
  return page;
}

QWidget* TFormSenderConf::LogoTab() {
  auto* page = new QWidget(this);
  auto* g = new QVBoxLayout(page);
  ImgLogo = new PictureBox(QSize(285, 77), page);
  ImgLogo->setObjectName("ImgLogo");
  g->addWidget(ImgLogo);
  CBLogoUse = new QCheckBox(QStringLiteral("社判を使用する"), page);
  CBLogoUse->setObjectName("CBLogoUse");
  g->addWidget(CBLogoUse);
  auto* buttons = new QHBoxLayout;
  BtnLogoSelect = DialogButton(page, "BtnLogoSelect", "画像を選択");
  BtnLogoDelete = DialogButton(page, "BtnLogoDelete", "画像を削除");
  buttons->addWidget(BtnLogoSelect);
  buttons->addWidget(BtnLogoDelete);
  buttons->addStretch();
  g->addLayout(buttons);
  g->addWidget(new QLabel(QStringLiteral("社判を使用すると\n基本情報・担当者名は印刷されません。"), page));
  g->addStretch();
  connect(BtnLogoSelect, &QPushButton::clicked, this, [this] { Guarded(this, [this] { LogoSelectClick(); }); });
  connect(BtnLogoDelete, &QPushButton::clicked, this, [this] { LogoDeleteClick(); });
  return page;
}

QWidget* TFormSenderConf::StampTab() {
  auto* page = new QWidget(this);
  auto* g = new QGridLayout(page);
  ImgStamp = new PictureBox(QSize(105, 105), page);
  ImgStamp->setObjectName("ImgStamp");
  g->addWidget(ImgStamp, 0, 0, 3, 1);
  BtnStampSelect = DialogButton(page, "BtnStampSelect", "画像を選択");
  BtnStampDelete = DialogButton(page, "BtnStampDelete", "画像を削除");
  CBStampUse = new QCheckBox(QStringLiteral("会社印を印刷する"), page);
  CBStampUse->setObjectName("CBStampUse");
  g->addWidget(BtnStampSelect, 0, 1);
  g->addWidget(BtnStampDelete, 1, 1);
  g->addWidget(CBStampUse, 2, 1);
  const char* rows[] = {"印刷サイズ", "各種明細", "合計請求", "領収書", "送信状"};
  for (int paper = 0; paper < 2; ++paper) {
    auto* box = new QGroupBox(paper == 0 ? QStringLiteral("A4用紙の印刷設定") : QStringLiteral("B5用紙の印刷設定"), page);
    auto* b = new QGridLayout(box);
    b->addWidget(new QLabel(QStringLiteral("横(mm)"), box), 0, 1);
    b->addWidget(new QLabel(QStringLiteral("縦(mm)"), box), 0, 2);
    for (int r = 0; r < 5; ++r) {
      b->addWidget(new QLabel(QString::fromUtf8(rows[r]), box), r + 1, 0);
      for (int xy = 0; xy < 2; ++xy) {
        const std::size_t index = static_cast<std::size_t>(paper * 10 + r * 2 + xy);
        auto* field = new QLineEdit(box);
        field->setObjectName(kNumbers[index].name);
        field->setAttribute(Qt::WA_InputMethodEnabled, false);
        field->setAlignment(Qt::AlignRight);
        AllowKeys(field, QStringLiteral("0123456789-."));
        StampFields[index] = field;
        b->addWidget(field, r + 1, xy + 1);
      }
    }
    g->addWidget(box, 3 + paper, 0, 1, 2);
  }
  g->addWidget(new QLabel(QStringLiteral("用紙左上を基準として\n印刷する位置を指定してください。"), page), 5, 0, 1, 2);
  auto* trans = new QHBoxLayout;
  CBTransColor = new QCheckBox(QStringLiteral("透明色を設定"), page);
  CBTransColor->setObjectName("CBTransColor");
  ShapeTransColor = new ColourSwatch(page);
  ShapeTransColor->setObjectName("ShapeTransColor");
  BtnTransColor = DialogButton(page, "BtnTransColor", "変更");
  trans->addWidget(CBTransColor);
  trans->addWidget(ShapeTransColor);
  trans->addWidget(BtnTransColor);
  trans->addStretch();
  g->addLayout(trans, 6, 0, 1, 2);
  g->setRowStretch(7, 1);
  connect(BtnStampSelect, &QPushButton::clicked, this, [this] { Guarded(this, [this] { StampSelectClick(); }); });
  connect(BtnStampDelete, &QPushButton::clicked, this, [this] { StampDeleteClick(); });
  connect(CBStampUse, &QCheckBox::clicked, this, [this](bool on) { RefreshStampConfigInputFiled(on); });
  connect(BtnTransColor, &QPushButton::clicked, this, [this] { TransColourClick(); });
  connect(ImgStamp, &PictureBox::released, this, [this](QPoint p) { StampReleased(p); });
  return page;
}

ModalResult TFormSenderConf::ShowModal(TMxCampanyInfoManager& companies) {
  companies_ = &companies;
  InitConf();
  return ExecModal(*this);
}

void TFormSenderConf::InitConf() {
  RBCompany[static_cast<std::size_t>(FCampanyInfoNo - 1)]->setChecked(true);
  RefreshForm(FCampanyInfoNo - 1);
  PageControl->setCurrentIndex(0);
}

void TFormSenderConf::RefreshForm(int index) {
  if (!companies_) return;
  const P& p = companies_->CampanyInfoArray(index);
  for (const auto& b : kTexts) (this->*b.control)->setText(Q((p.*b.get)()));
  for (const auto& b : kBanks) (this->*b.control)->setText(Q((p.PayBankAccount(b.account).*b.get)()));
  EdtRegistNo->setText(Q(p.RegistNo()));
  EdtPeppolId->setText(Q(p.PeppolId()));
  CBLogoUse->setChecked(p.ChkUseLogoImage());
  CBStampUse->setChecked(p.ChkUseCampanyStamp());
  for (std::size_t i = 0; i < kNumbers.size(); ++i) StampFields[i]->setText(NumberText((p.*kNumbers[i].get)()));
  CBTransColor->setChecked(p.ChkUseCampanyStampTrans());
  ShapeTransColor->SetColour(TextToColor(p.CampanyStampTransColor()).value_or(kWhite));
  RefreshStampConfigInputFiled(CBStampUse->isChecked());
  ImgLogo->SetPicture(p.LogoImage());
  CBLogoUse->setEnabled(!ImgLogo->IsEmpty());
  BtnLogoDelete->setEnabled(!ImgLogo->IsEmpty());
  ImgStamp->SetPicture(p.CampanyStampImage());
  CBStampUse->setEnabled(!ImgStamp->IsEmpty());
  BtnStampDelete->setEnabled(!ImgStamp->IsEmpty());
}

bool TFormSenderConf::FormContent2Object(int index) {
  // Every number is read first: a profile is taken over whole or not at all.
  std::array<double, 20> numbers{};
  for (std::size_t i = 0; i < kNumbers.size(); ++i) {
    const std::optional<double> v = ReadNumber(StampFields[i]->text());
    if (!v) {
      ShowMessage(this, QStringLiteral("会社印の印刷サイズと位置は数値で入力してください。"));
      PageControl->setCurrentIndex(2);
      StampFields[i]->setFocus();
      return false;
    }
    numbers[i] = *v;
  }
  std::string registNo, peppolId;
  QLineEdit* typed = EdtRegistNo;
  try {
    registNo = NormaliseRegistNo(EdtRegistNo->text().toStdString());
    typed = EdtPeppolId;
    peppolId = NormalisePeppolId(EdtPeppolId->text().toStdString());
  } catch (const Error& e) {
    ShowMessage(this, Q(e.what()));
    PageControl->setCurrentIndex(0);
    typed->setFocus();
    return false;
  }
  P& p = companies_->CampanyInfoArray(index);
  p.SetRegistNo(registNo);
  p.SetPeppolId(peppolId);
  for (const auto& b : kTexts) (p.*b.set)((this->*b.control)->text().toStdString());
  for (const auto& b : kBanks) (p.PayBankAccount(b.account).*b.set)((this->*b.control)->text().toStdString());
  p.SetChkUseLogoImage(CBLogoUse->isChecked());
  p.SetChkUseCampanyStamp(CBStampUse->isChecked());
  for (std::size_t i = 0; i < kNumbers.size(); ++i) (p.*kNumbers[i].set)(numbers[i]);
  p.SetChkUseCampanyStampTrans(CBTransColor->isChecked());
  // The stored text is kept while the colour is the one it shows, so an opening that
  // changes nothing writes nothing new.
  const TColor trans = ShapeTransColor->Colour();
  if (TextToColor(p.CampanyStampTransColor()).value_or(kWhite) != trans) p.SetCampanyStampTransColor(ColorToText(trans));
  p.LogoImage() = ImgLogo->Picture();
  p.CampanyStampImage() = ImgStamp->Picture();
  return true;
}

void TFormSenderConf::SwitchProfile(int number) {
  if (number == FCampanyInfoNo) return;
  if (!FormContent2Object(FCampanyInfoNo - 1)) {
    // Stays on the profile with the bad number.
    RBCompany[static_cast<std::size_t>(FCampanyInfoNo - 1)]->setChecked(true);
    return;
  }
  FCampanyInfoNo = number;
  RefreshForm(number - 1);
  PageControl->setCurrentIndex(0);
}

void TFormSenderConf::OkClick() {
  if (FormContent2Object(FCampanyInfoNo - 1)) CloseWith(*this, ModalResult::Ok);
}

void TFormSenderConf::CancelClick() { CloseWith(*this, ModalResult::Cancel); }

void TFormSenderConf::LogoSelectClick() {
  const QString file = ChooseOpenFile(this, QString::fromUtf8(kImageFilter), QString());
  if (file.isEmpty()) return;
  const TMxPicture picture = LoadAsBitmap(file.toStdString());
  companies_->CampanyInfoArray(FCampanyInfoNo - 1).LogoImage() = picture;
  ImgLogo->SetPicture(picture);
  CBLogoUse->setEnabled(true);
  BtnLogoDelete->setEnabled(true);
}

void TFormSenderConf::LogoDeleteClick() {
  if (!AskYesNo(this, QStringLiteral("社判を削除します、よろしいですか？"))) return;
  ImgLogo->Clear();
  CBLogoUse->setChecked(false);
  CBLogoUse->setEnabled(false);
  BtnLogoDelete->setEnabled(false);
}

void TFormSenderConf::StampSelectClick() {
  const QString file = ChooseOpenFile(this, QString::fromUtf8(kImageFilter), QString());
  if (file.isEmpty()) return;
  const TMxPicture picture = LoadAsBitmap(file.toStdString());
  companies_->CampanyInfoArray(FCampanyInfoNo - 1).CampanyStampImage() = picture;
  ImgStamp->SetPicture(picture);
  CBStampUse->setEnabled(true);
  BtnStampDelete->setEnabled(true);
}

void TFormSenderConf::StampDeleteClick() {
  if (!AskYesNo(this, QStringLiteral("会社印を削除します、よろしいですか？"))) return;
  ImgStamp->Clear();
  CBStampUse->setChecked(false);
  CBStampUse->setEnabled(false);
  RefreshStampConfigInputFiled(false);
  BtnStampDelete->setEnabled(false);
}

void TFormSenderConf::TransColourClick() {
  const QColor chosen = ChooseColour(this, ToQColor(ShapeTransColor->Colour()));
  if (chosen.isValid()) ShapeTransColor->SetColour(FromQColor(chosen));
}

void TFormSenderConf::StampReleased(QPoint point) {
  if (!CBTransColor->isChecked()) return;
  if (const std::optional<TColor> colour = ImgStamp->ColourAt(point)) ShapeTransColor->SetColour(*colour);
}

void TFormSenderConf::RefreshStampConfigInputFiled(bool enabled) {
  for (QLineEdit* field : StampFields) field->setEnabled(enabled);
}

}  // namespace qm::ui
