#include "ui/print/print_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/common/guarded.h"
#include "ui/common/message_box.h"
#include "ui/common/dialog_button.h"
#include "ui/print/preview_dialog.h"

namespace qm::ui {
namespace {

// Selects the entry with exactly that text, else the first entry (none when empty).
void SelectText(QComboBox* box, const std::string& text) {
  const int index = box->findText(QString::fromStdString(text), Qt::MatchExactly);
  box->setCurrentIndex(index >= 0 ? index : (box->count() > 0 ? 0 : -1));
}

std::string TextOf(const QComboBox* box) { return box->currentText().toStdString(); }

QCheckBox* Check(QWidget* parent, const char* name, const char* caption) {
  auto* c = new QCheckBox(QString::fromUtf8(caption), parent);
  c->setObjectName(name);
  return c;
}

QComboBox* Combo(QWidget* parent, const char* name) {
  auto* c = new QComboBox(parent);
  c->setObjectName(name);
  return c;
}

// Each option of print.ini and the control that shows it, in the order the dialog
// restores them: the landscape box comes before the other boxes whose change writes
// [SETTING] YOKO, so YOKO ends as the landscape box shows it.
struct ComboOption {
  QComboBox* TFormPrintMitsu::*control;
  std::string TPrintMitsuOptions::*field;
};
struct TextOption {
  QLineEdit* TFormPrintMitsu::*control;
  std::string TPrintMitsuOptions::*field;
};
struct CheckOption {
  QCheckBox* TFormPrintMitsu::*control;
  bool TPrintMitsuOptions::*field;
};

using D = TFormPrintMitsu;
using O = TPrintMitsuOptions;

// The printer is restored apart from these: only a stored name selects one.
constexpr ComboOption kComboOptions[] = {
    {&D::CBCheckStamp, &O::CheckStamp},     {&D::CBPersonalStamp, &O::PersonalStamp},
    {&D::CBCustomerInfo, &O::CustomerInfo}, {&D::CBPayBank, &O::PayBank},
    {&D::CBPaperSize, &O::PaperSize},
};
constexpr TextOption kTextOptions[] = {{&D::EdtCheckStampMsg, &O::CheckStampMsg}};
constexpr CheckOption kCheckOptions[] = {
    {&D::ChkPrintName, &O::PrintName},
    {&D::ChkPrintStampArea, &O::PrintStampArea},
    {&D::ChkPrintDirection, &O::PrintDirection},
    {&D::ChkPrintNote, &O::PrintNote},
    {&D::ChkPrintBank, &O::PrintBank},
    {&D::ChkChangeSR, &O::ChangeSR},
    {&D::ChkPrintCopy, &O::PrintCopy},
    {&D::ChkPrintGrandTotalFrame, &O::PrintGrandTotalFrame},
    {&D::ChkPrintGrandTotal, &O::PrintGrandTotal},
    {&D::ChkPrintSubtotalTotal, &O::PrintSubtotalTotal},
    {&D::ChkPrintFreeEdit, &O::PrintFreeEdit},
    {&D::ChkPrintCost, &O::PrintCost},
    {&D::ChkPrintPic, &O::PrintPic},
    {&D::ChkPrintBunrui, &O::PrintBunrui},
};

}  // namespace

TFormPrintMitsu::TFormPrintMitsu(std::string printIni, QWidget* parent)
    : QDialog(parent), printIni_(std::move(printIni)), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setObjectName("FormPrintMitsu");
  setModal(true);
  BuildControls();
}

TFormPrintMitsu::~TFormPrintMitsu() = default;

void TFormPrintMitsu::BuildControls() {
  auto* root = new QVBoxLayout(this);

  auto* printerBox = new QGroupBox(QStringLiteral("■プリンタ"), this);
  auto* pl = new QGridLayout(printerBox);
  CBPrinter = Combo(printerBox, "CBPrinter");
  BtnPrinterSetup = DialogButton(printerBox, "BtnPrinterSetup", "設定");
  LblNoPrinter = new QLabel(QStringLiteral("プリンタが見つかりません。プレビューはできます。印刷すると、印刷ダイアログで PDF ファイルへの出力を選べます。"), printerBox);
  LblNoPrinter->setObjectName("LblNoPrinter");
  LblNoPrinter->setWordWrap(true);
  LblNoPrinter->setVisible(false);
  pl->addWidget(CBPrinter, 0, 0);
  pl->addWidget(BtnPrinterSetup, 0, 1);
  pl->addWidget(LblNoPrinter, 1, 0, 1, 2);
  pl->addWidget(new QLabel(QStringLiteral("■用紙サイズ"), printerBox), 2, 0);
  CBPaperSize = Combo(printerBox, "CBPaperSize");
  CBPaperSize->addItems({QStringLiteral("A4"), QStringLiteral("B5")});
  pl->addWidget(CBPaperSize, 3, 0);
  root->addWidget(printerBox);

  sealBox_ = new QGroupBox(QStringLiteral("■捺印"), this);
  auto* sl = new QGridLayout(sealBox_);
  sl->addWidget(new QLabel(QStringLiteral("■検印"), sealBox_), 0, 0);
  CBCheckStamp = Combo(sealBox_, "CBCheckStamp");
  sl->addWidget(CBCheckStamp, 0, 1);
  sl->addWidget(new QLabel(QStringLiteral("■担当者印"), sealBox_), 1, 0);
  CBPersonalStamp = Combo(sealBox_, "CBPersonalStamp");
  sl->addWidget(CBPersonalStamp, 1, 1);
  sl->addWidget(new QLabel(QStringLiteral("■検印欄の見出し"), sealBox_), 2, 0);
  EdtCheckStampMsg = new QLineEdit(sealBox_);
  EdtCheckStampMsg->setObjectName("EdtCheckStampMsg");
  EdtCheckStampMsg->setMaxLength(8);
  sl->addWidget(EdtCheckStampMsg, 2, 1);
  root->addWidget(sealBox_);

  auto* companyBox = new QGroupBox(QStringLiteral("■会社情報"), this);
  auto* cl = new QGridLayout(companyBox);
  CBCustomerInfo = Combo(companyBox, "CBCustomerInfo");
  cl->addWidget(CBCustomerInfo, 0, 0);
  ChkPrintName = Check(companyBox, "ChkPrintName", "担当者名を印刷する");
  cl->addWidget(ChkPrintName, 0, 1);
  root->addWidget(companyBox);

  bankBox_ = new QGroupBox(QStringLiteral("■振込先"), this);
  auto* bl = new QGridLayout(bankBox_);
  CBPayBank = Combo(bankBox_, "CBPayBank");
  ChkPrintBank = Check(bankBox_, "ChkPrintBank", "振込先を印刷する");
  bl->addWidget(CBPayBank, 0, 0);
  bl->addWidget(ChkPrintBank, 0, 1);
  root->addWidget(bankBox_);

  taxBox_ = new QGroupBox(QStringLiteral("■消費税"), this);
  auto* tl = new QHBoxLayout(taxBox_);
  RBNoTax = new QRadioButton(QStringLiteral("課税対象なし"), taxBox_);
  RBNoTax->setObjectName("RBNoTax");
  RBTaxExclusive = new QRadioButton(QStringLiteral("税別"), taxBox_);
  RBTaxExclusive->setObjectName("RBTaxExclusive");
  RBTaxIncluded = new QRadioButton(QStringLiteral("税込み"), taxBox_);
  RBTaxIncluded->setObjectName("RBTaxIncluded");
  for (QRadioButton* r : {RBNoTax, RBTaxExclusive, RBTaxIncluded}) tl->addWidget(r);
  root->addWidget(taxBox_);

  auto* options = new QGroupBox(QStringLiteral("■印刷オプション"), this);
  auto* ol = new QGridLayout(options);
  ChkPrintStampArea = Check(options, "ChkPrintStampArea", "捺印欄を印刷する");
  ChkPrintDirection = Check(options, "ChkPrintDirection", "横向に印刷する");
  ChkPrintNote = Check(options, "ChkPrintNote", "備考を印刷する");
  ChkChangeSR = Check(options, "ChkChangeSR", "宛先と自社情報の位置を入れ替える");
  ChkPrintCopy = Check(options, "ChkPrintCopy", "控えを印刷する");
  ChkPrintGrandTotalFrame = Check(options, "ChkPrintGrandTotalFrame", "総合計金額欄を印刷する");
  ChkPrintGrandTotal = Check(options, "ChkPrintGrandTotal", "総合計金額を印刷する");
  ChkPrintSubtotalTotal = Check(options, "ChkPrintSubtotalTotal", "小計・合計金額を印刷する");
  ChkPrintFreeEdit = Check(options, "ChkPrintFreeEdit", "自由項目を印刷する");
  ChkPrintCost = Check(options, "ChkPrintCost", "原価を印刷する");
  ChkPrintPic = Check(options, "ChkPrintPic", "画像を印刷する");
  ChkPrintBunrui = Check(options, "ChkPrintBunrui", "分類ごとに品名の位置を変更する");
  int n = 0;
  for (QCheckBox* c : {ChkPrintStampArea, ChkPrintDirection, ChkPrintNote, ChkChangeSR, ChkPrintCopy,
                       ChkPrintGrandTotalFrame, ChkPrintGrandTotal, ChkPrintSubtotalTotal, ChkPrintFreeEdit,
                       ChkPrintCost, ChkPrintPic, ChkPrintBunrui}) {
    ol->addWidget(c, n / 2, n % 2);
    ++n;
  }
  root->addWidget(options);

  auto* buttons = new QHBoxLayout;
  BtnPreview = DialogButton(this, "BtnPreview", "プレビュー");
  BtnPrint = DialogButton(this, "BtnPrint", "印刷");
  BtnPdf = DialogButton(this, "BtnPdf", "PDF出力");
  BtnCancel = DialogButton(this, "BtnCancel", "キャンセル");
  for (QPushButton* b : {BtnPreview, BtnPrint, BtnPdf, BtnCancel}) buttons->addWidget(b);
  root->addLayout(buttons);

  connect(BtnPreview, &QPushButton::clicked, this, [this] { PreviewClick(); });
  connect(BtnPrint, &QPushButton::clicked, this, [this] { PrintClick(); });
  connect(BtnPdf, &QPushButton::clicked, this, [this] { PdfClick(); });
  connect(BtnCancel, &QPushButton::clicked, this, [this] { CancelClick(); });
  connect(BtnPrinterSetup, &QPushButton::clicked, this, [this] { PrinterSetupClick(); });
  connect(CBPrinter, &QComboBox::currentTextChanged, this, [this](const QString& name) {
    if (!name.isEmpty()) printer_->setPrinterName(name);
  });
  connect(CBCustomerInfo, &QComboBox::currentIndexChanged, this, [this] { CompanyChanged(); });
  for (QCheckBox* c : {ChkPrintDirection, ChkPrintCopy, ChkPrintNote, ChkPrintGrandTotalFrame, ChkPrintGrandTotal,
                       ChkPrintSubtotalTotal, ChkPrintFreeEdit, ChkPrintCost, ChkPrintPic, ChkPrintBunrui})
    connect(c, &QCheckBox::toggled, this, [this] { OrientationOptionChanged(); });
}

void TFormPrintMitsu::PrepareForKind(TChartType kind) {
  kind_ = kind;
  setWindowTitle(QString::fromUtf8(KindOf(kind).caption));
  const bool seals = kind != TChartType::tcJyuryou;
  const bool bank = kind == TChartType::tcSeikyu || kind == TChartType::tcSeikyuMeisai;
  const bool totals = kind != TChartType::tcTankaMitumori;
  sealBox_->setVisible(seals);
  bankBox_->setVisible(bank);
  ChkChangeSR->setVisible(kind == TChartType::tcJyuryou);
  taxBox_->setVisible(totals);
  for (QCheckBox* c : {ChkPrintGrandTotalFrame, ChkPrintGrandTotal, ChkPrintSubtotalTotal}) c->setVisible(totals);
  ChkPrintName->setChecked(false);
  ChkPrintStampArea->setChecked(true);
  ChkPrintBank->setChecked(false);
  ChkChangeSR->setChecked(false);
}

void TFormPrintMitsu::FormShow(const TMxEstimateObjectList& doc, const TMxConfigInfo& config,
                               const TMxCampanyInfoManager& companies, TChartType kind) {
  doc_ = &doc;
  config_ = &config;
  companies_ = &companies;
  kind_ = kind;
  Guarded(this, [this] { ChkPrintDirection->setChecked(LoadYoko(printIni_)); });
  FillPrinters();
  ApplyOrientation();
  FillSealLists();
  {
    const QSignalBlocker block(CBCustomerInfo);
    CBCustomerInfo->clear();
    for (const std::string& entry : CompanyListEntries()) CBCustomerInfo->addItem(QString::fromStdString(entry));
    CBCustomerInfo->setCurrentIndex(0);
  }
  CompanyChanged();
  CBPayBank->clear();
  for (const std::string& entry : BankListEntries()) CBPayBank->addItem(QString::fromStdString(entry));
  CBPayBank->setCurrentIndex(0);
  DeriveTax();
  ChkPrintPic->setVisible(!doc.TotalClaimMode());
  LoadPrintConfig(kind);
}

ModalResult TFormPrintMitsu::ShowModal(const TMxEstimateObjectList& doc, const TMxConfigInfo& config,
                                       const TMxCampanyInfoManager& companies, TChartType kind) {
  FormShow(doc, config, companies, kind);
  return ExecModal(*this);
}

void TFormPrintMitsu::FillPrinters() {
  const QSignalBlocker block(CBPrinter);
  CBPrinter->clear();
  CBPrinter->addItems(QPrinterInfo::availablePrinterNames());
  const bool any = CBPrinter->count() > 0;
  LblNoPrinter->setVisible(!any);
  CBPrinter->setEnabled(any);
  BtnPrinterSetup->setEnabled(any);
  if (any) SelectPrinter(QPrinterInfo::defaultPrinterName());
}

void TFormPrintMitsu::SelectPrinter(const QString& name) {
  const int index = CBPrinter->findText(name, Qt::MatchExactly);
  if (index < 0) return;
  CBPrinter->setCurrentIndex(index);
  printer_->setPrinterName(name);
}

bool TFormPrintMitsu::HasPrinter() const { return CBPrinter->count() > 0; }

void TFormPrintMitsu::FillSealLists() {
  const std::vector<SealEntry> seals = SealList(*config_);
  for (QComboBox* box : {CBCheckStamp, CBPersonalStamp}) {
    box->clear();
    for (const SealEntry& s : seals) box->addItem(QString::fromStdString(s.caption), s.slot);
    box->setCurrentIndex(0);
  }
}

void TFormPrintMitsu::CompanyChanged() {
  if (!companies_) return;
  const int index = std::max(0, CBCustomerInfo->currentIndex());
  ChkPrintName->setEnabled(!companies_->CampanyInfoArray(index).ChkUseLogoImage());
}

void TFormPrintMitsu::OrientationOptionChanged() {
  Guarded(this, [this] { SaveYoko(printIni_, Landscape()); });
  ApplyOrientation();
}

void TFormPrintMitsu::ApplyOrientation() {
  printer_->setPageOrientation(Landscape() ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void TFormPrintMitsu::DeriveTax() {
  const TTaxChoice tax = DeriveTaxChoice(*doc_);
  RBNoTax->setEnabled(tax == TTaxChoice::NoTax);
  RBTaxExclusive->setEnabled(tax == TTaxChoice::Exclusive);
  RBTaxIncluded->setEnabled(tax != TTaxChoice::NoTax);
  if (tax == TTaxChoice::NoTax) RBNoTax->setChecked(true);
  else if (tax == TTaxChoice::Exclusive) RBTaxExclusive->setChecked(true);
  else RBTaxIncluded->setChecked(true);
}

void TFormPrintMitsu::LoadPrintConfig(TChartType kind) {
  TPrintMitsuOptions o;
  Guarded(this, [&] { o = qm::LoadPrintConfig(printIni_, kind); });
  if (!o.Printer.empty()) SelectPrinter(QString::fromStdString(o.Printer));
  for (const ComboOption& k : kComboOptions) SelectText(this->*k.control, o.*k.field);
  CompanyChanged();  // the company list's own signal may not have fired
  for (const TextOption& k : kTextOptions) (this->*k.control)->setText(QString::fromStdString(o.*k.field));
  for (const CheckOption& k : kCheckOptions) (this->*k.control)->setChecked(o.*k.field);
}

void TFormPrintMitsu::SavePrintConfig(TChartType kind) { qm::SavePrintConfig(printIni_, kind, Options()); }

TPrintMitsuOptions TFormPrintMitsu::Options() const {
  TPrintMitsuOptions o;
  o.Printer = TextOf(CBPrinter);
  for (const ComboOption& k : kComboOptions) o.*k.field = TextOf(this->*k.control);
  for (const TextOption& k : kTextOptions) o.*k.field = (this->*k.control)->text().toStdString();
  for (const CheckOption& k : kCheckOptions) o.*k.field = (this->*k.control)->isChecked();
  return o;
}

ChartPrintSettings TFormPrintMitsu::Settings() const {
  ChartPrintSettings s;
  s.options = Options();
  s.tax = RBTaxIncluded->isChecked() ? TTaxChoice::Included
          : RBTaxExclusive->isChecked() ? TTaxChoice::Exclusive
                                        : TTaxChoice::NoTax;
  s.companyIndex = std::max(0, CBCustomerInfo->currentIndex());
  s.bankIndex = std::max(0, CBPayBank->currentIndex());
  // Each entry carries the seal slot it names.
  s.checkStampSlot = CBCheckStamp->currentIndex() >= 0 ? CBCheckStamp->currentData().toInt() : -1;
  s.personalStampSlot = CBPersonalStamp->currentIndex() >= 0 ? CBPersonalStamp->currentData().toInt() : -1;
  return s;
}

ChartPageSources TFormPrintMitsu::Sources() const {
  ChartPageSources src;
  src.doc = doc_;
  src.config = config_;
  src.companies = companies_;
  src.settings = Settings();
  src.printerDpiX = printer_->logicalDpiX();
  src.printerDpiY = printer_->logicalDpiY();
  return src;
}

PrintJob TFormPrintMitsu::Job(PageNumbering numbering) const { return PrintJob::Chart(Sources(), kind_, numbering); }

bool TFormPrintMitsu::Landscape() const { return ChkPrintDirection->isChecked(); }
bool TFormPrintMitsu::PaperA4() const { return CBPaperSize->currentIndex() <= 0; }

TFormPreviewMitsu& TFormPrintMitsu::Preview() {
  if (!preview_) preview_ = new TFormPreviewMitsu(this);
  return *preview_;
}

void TFormPrintMitsu::PreviewClick() {
  ChartPageSources src = Sources();
  // The preview is a screen bitmap: a page laid out at 300 dpi is plenty.
  src.printerDpiX = src.printerDpiY = 300;
  Preview().ShowModal(PrintJob::Chart(src, kind_, PageNumbering::ItemPagesOnly));
}

void TFormPrintMitsu::PrintClick() { SaveAndClose(ModalResult::Ok); }

void TFormPrintMitsu::PdfClick() { SaveAndClose(ModalResult::Pdf); }

void TFormPrintMitsu::SaveAndClose(ModalResult result) {
  // Settings that cannot be written keep the dialog open: the user sees why and can retry.
  if (Guarded(this, [this] { SavePrintConfig(kind_); })) CloseWith(*this, result);
}

void TFormPrintMitsu::CancelClick() { CloseWith(*this, ModalResult::Cancel); }

void TFormPrintMitsu::PrinterSetupClick() {
  QPrintDialog dialog(printer_.get(), this);
  dialog.exec();
  SelectPrinter(printer_->printerName());
  ApplyOrientation();
}

}  // namespace qm::ui
