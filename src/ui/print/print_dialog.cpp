#include "ui/print/print_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "print/qualified_invoice.h"
#include "ui/common/guarded.h"
#include "ui/print/preview_dialog.h"

namespace qm::ui {
namespace {

using D = TFormPrintMitsu;
using O = TPrintMitsuOptions;

// Each option of print.ini and the control that shows it, in the order the dialog
// restores them: the landscape box comes before the other boxes whose change writes
// [SETTING] YOKO, so YOKO ends as the landscape box shows it. The printer is restored
// apart from these: only a stored name selects one.
constexpr ComboBinding<D, O> kComboOptions[] = {
    {&D::CBCheckStamp, &O::CheckStamp},     {&D::CBPersonalStamp, &O::PersonalStamp},
    {&D::CBCustomerInfo, &O::CustomerInfo}, {&D::CBPayBank, &O::PayBank},
    {&D::CBPaperSize, &O::PaperSize},
};
constexpr EditBinding<D, O> kTextOptions[] = {{&D::EdtCheckStampMsg, &O::CheckStampMsg}};
constexpr CheckBinding<D, O> kCheckOptions[] = {
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
    : TFormPrintBase(std::move(printIni), "FormPrintMitsu", "ChkPrintName", parent) {
  ChkPrintName = PrintNameBox();
  BuildControls();
}

TFormPrintMitsu::~TFormPrintMitsu() = default;

void TFormPrintMitsu::BuildControls() {
  auto* root = new QVBoxLayout(this);
  root->addWidget(PrinterBox());

  sealBox_ = new QGroupBox(QStringLiteral("■捺印"), this);
  auto* sl = new QGridLayout(sealBox_);
  sl->addWidget(new QLabel(QStringLiteral("■検印"), sealBox_), 0, 0);
  CBCheckStamp = ComboBox(sealBox_, "CBCheckStamp");
  sl->addWidget(CBCheckStamp, 0, 1);
  sl->addWidget(new QLabel(QStringLiteral("■担当者印"), sealBox_), 1, 0);
  CBPersonalStamp = ComboBox(sealBox_, "CBPersonalStamp");
  sl->addWidget(CBPersonalStamp, 1, 1);
  sl->addWidget(new QLabel(QStringLiteral("■検印欄の見出し"), sealBox_), 2, 0);
  EdtCheckStampMsg = new QLineEdit(sealBox_);
  EdtCheckStampMsg->setObjectName("EdtCheckStampMsg");
  EdtCheckStampMsg->setMaxLength(8);
  sl->addWidget(EdtCheckStampMsg, 2, 1);
  root->addWidget(sealBox_);

  root->addWidget(CompanyBox());

  bankBox_ = new QGroupBox(QStringLiteral("■振込先"), this);
  auto* bl = new QGridLayout(bankBox_);
  CBPayBank = ComboBox(bankBox_, "CBPayBank");
  ChkPrintBank = CheckBox(bankBox_, "ChkPrintBank", "振込先を印刷する");
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
  ChkPrintStampArea = CheckBox(options, "ChkPrintStampArea", "捺印欄を印刷する");
  ChkPrintDirection = CheckBox(options, "ChkPrintDirection", "横向に印刷する");
  ChkPrintNote = CheckBox(options, "ChkPrintNote", "備考を印刷する");
  ChkChangeSR = CheckBox(options, "ChkChangeSR", "宛先と自社情報の位置を入れ替える");
  ChkPrintCopy = CheckBox(options, "ChkPrintCopy", "控えを印刷する");
  ChkPrintGrandTotalFrame = CheckBox(options, "ChkPrintGrandTotalFrame", "総合計金額欄を印刷する");
  ChkPrintGrandTotal = CheckBox(options, "ChkPrintGrandTotal", "総合計金額を印刷する");
  ChkPrintSubtotalTotal = CheckBox(options, "ChkPrintSubtotalTotal", "小計・合計金額を印刷する");
  ChkPrintFreeEdit = CheckBox(options, "ChkPrintFreeEdit", "自由項目を印刷する");
  ChkPrintCost = CheckBox(options, "ChkPrintCost", "原価を印刷する");
  ChkPrintPic = CheckBox(options, "ChkPrintPic", "画像を印刷する");
  ChkPrintBunrui = CheckBox(options, "ChkPrintBunrui", "分類ごとに品名の位置を変更する");
  int n = 0;
  for (QCheckBox* c : {ChkPrintStampArea, ChkPrintDirection, ChkPrintNote, ChkChangeSR, ChkPrintCopy,
                       ChkPrintGrandTotalFrame, ChkPrintGrandTotal, ChkPrintSubtotalTotal, ChkPrintFreeEdit,
                       ChkPrintCost, ChkPrintPic, ChkPrintBunrui}) {
    ol->addWidget(c, n / 2, n % 2);
    ++n;
  }
  root->addWidget(options);
  root->addLayout(ButtonRow());

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
  ShowEInvoice(bank);  // the invoice and the invoice detail
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
  Guarded(this, [this] { ChkPrintDirection->setChecked(LoadYoko(PrintIni())); });
  FillPrinters();
  SetLandscape(Landscape());
  FillSealLists();
  FillCompanyList(companies);
  CBPayBank->clear();
  for (const std::string& entry : BankListEntries()) CBPayBank->addItem(QString::fromStdString(entry));
  CBPayBank->setCurrentIndex(0);
  DeriveTax();
  ChkPrintPic->setVisible(!doc.TotalClaimMode());
  PrepareRegistNo(TakesRegistNo(kind), &doc);
  LoadPrintConfig(kind);
}

ModalResult TFormPrintMitsu::ShowModal(const TMxEstimateObjectList& doc, const TMxConfigInfo& config,
                                       const TMxCampanyInfoManager& companies, TChartType kind) {
  FormShow(doc, config, companies, kind);
  return ExecModal(*this);
}

void TFormPrintMitsu::FillSealLists() {
  const std::vector<SealEntry> seals = SealList(*config_);
  for (QComboBox* box : {CBCheckStamp, CBPersonalStamp}) {
    box->clear();
    // Each entry carries the seal slot it names.
    for (const SealEntry& s : seals) box->addItem(QString::fromStdString(s.caption), s.slot);
    box->setCurrentIndex(0);
  }
}

void TFormPrintMitsu::OrientationOptionChanged() {
  Guarded(this, [this] { SaveYoko(PrintIni(), Landscape()); });
  SetLandscape(Landscape());
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
  Guarded(this, [&] { o = qm::LoadPrintConfig(PrintIni(), kind); });
  RestorePrinter(o.Printer);
  for (const auto& k : kComboOptions) SelectText(this->*k.control, o.*k.field);
  CompanyChanged();  // the company list's own signal may not have fired
  RestoreRegistNo(o.PrintRegistNo);
  for (const auto& k : kTextOptions) (this->*k.control)->setText(QString::fromStdString(o.*k.field));
  for (const auto& k : kCheckOptions) (this->*k.control)->setChecked(o.*k.field);
}

void TFormPrintMitsu::SavePrintConfig(TChartType kind) { qm::SavePrintConfig(PrintIni(), kind, Options()); }

TPrintMitsuOptions TFormPrintMitsu::Options() const {
  TPrintMitsuOptions o;
  o.Printer = TextOf(CBPrinter);
  for (const auto& k : kComboOptions) o.*k.field = TextOf(this->*k.control);
  for (const auto& k : kTextOptions) o.*k.field = (this->*k.control)->text().toStdString();
  for (const auto& k : kCheckOptions) o.*k.field = (this->*k.control)->isChecked();
  o.PrintRegistNo = RegistNoOption();
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
  src.printerDpiX = Printer().logicalDpiX();
  src.printerDpiY = Printer().logicalDpiY();
  return src;
}

PrintJob TFormPrintMitsu::Job() const { return PrintJob::Chart(Sources(), kind_); }

PrintJob TFormPrintMitsu::PreviewJob() const {
  ChartPageSources src = Sources();
  src.printerDpiX = src.printerDpiY = 300;
  return PrintJob::Chart(src, kind_, PageNumbering::ItemPagesOnly);
}

TFormPreview& TFormPrintMitsu::Preview() {
  if (!preview_) preview_ = new TFormPreviewMitsu(this);
  return *preview_;
}

bool TFormPrintMitsu::Landscape() const { return ChkPrintDirection->isChecked(); }

}  // namespace qm::ui
