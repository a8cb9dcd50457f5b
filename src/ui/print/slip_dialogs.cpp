#include "ui/print/slip_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include <span>

#include "print/chart_page.h"
#include "ui/controls/ss_edit.h"
#include "ui/common/guarded.h"
#include "ui/print/preview_dialog.h"

namespace qm::ui {
namespace {

QLineEdit* LineEdit(QWidget* parent, const char* name) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  return e;
}

TSsEdit* AmountEdit(QWidget* parent, const char* name) {
  auto* e = new TSsEdit(parent);
  e->setObjectName(name);
  e->SetAlignment(Qt::AlignRight);
  return e;
}

QLabel* Heading(QWidget* parent, const char* text) { return new QLabel(QString::fromUtf8(text), parent); }

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The memo keeps the line breaks of print.ini (CR LF); the edit control works with LF.
QString MemoText(const std::string& stored) {
  QString text = Q(stored);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar('\r'), QChar('\n'));
  return text;
}

std::string StoredText(const QString& memo) {
  QString text = memo;
  text.replace(QChar('\n'), QStringLiteral("\r\n"));
  return text.toStdString();
}

using R = TFormPrintReceipt;
using RO = TPrintReceiptOptions;
using T = TFormPrintTotalClaim;
using TO = TPrintTotalClaimOptions;
using F = TFormPrintFaxSender;
using FO = TPrintFaxOptions;

// Each stored option and the control that shows it.
constexpr ComboBinding<R, RO> kReceiptCombos[] = {
    {&R::CBPersonalStamp, &RO::PersonalStamp}, {&R::CBCustomerInfo, &RO::CustomerInfo},
    {&R::CBPaperSize, &RO::PaperSize}};
constexpr EditBinding<R, RO> kReceiptEdits[] = {{&R::EdtTadashi, &RO::ProvisoText}};
constexpr CheckBinding<R, RO> kReceiptChecks[] = {{&R::ChBPrintName, &RO::PrintName},
                                                 {&R::ChbPrintStampArea, &RO::PrintStampArea},
                                                 {&R::ChBPrintInshi, &RO::PrintRevenueStampArea},
                                                 {&R::ChbPrintGrandTotal, &RO::PrintGrandTotal}};

constexpr ComboBinding<T, TO> kTotalClaimCombos[] = {
    {&T::CBCustomerInfo, &TO::CustomerInfo}, {&T::CBPayBank, &TO::PayBank}, {&T::CBPaperSize, &TO::PaperSize}};
constexpr CheckBinding<T, TO> kTotalClaimChecks[] = {{&T::ChBPrintName, &TO::PrintName},
                                                    {&T::ChBPrintBank, &TO::PrintBank}};

constexpr ComboBinding<F, FO> kFaxCombos[] = {{&F::CBCustomerInfo, &FO::CustomerInfo},
                                              {&F::CBPaperSize, &FO::PaperSize}};
constexpr EditBinding<F, FO> kFaxEdits[] = {{&F::EdtTitle, &FO::Title}};
constexpr CheckBinding<F, FO> kFaxChecks[] = {
    {&F::ChBPrintName, &FO::PrintName},     {&F::CBOptionSikyu, &FO::Option1}, {&F::CBOptionSankou, &FO::Option2},
    {&F::CBOptionKakunin, &FO::Option3}, {&F::CBOptionHenshin, &FO::Option4}};

template <class D, class O>
void ShowOptions(D& d, const O& o, std::span<const ComboBinding<D, O>> combos,
                 std::span<const EditBinding<D, O>> edits, std::span<const CheckBinding<D, O>> checks) {
  for (const auto& k : combos) SelectText(d.*k.control, o.*k.field);
  for (const auto& k : edits) (d.*k.control)->setText(Q(o.*k.field));
  for (const auto& k : checks) (d.*k.control)->setChecked(o.*k.field);
}

template <class D, class O>
void ReadOptions(const D& d, O& o, std::span<const ComboBinding<D, O>> combos,
                 std::span<const EditBinding<D, O>> edits, std::span<const CheckBinding<D, O>> checks) {
  o.Printer = TextOf(d.CBPrinter);
  for (const auto& k : combos) o.*k.field = TextOf(d.*k.control);
  for (const auto& k : edits) o.*k.field = (d.*k.control)->text().toStdString();
  for (const auto& k : checks) o.*k.field = (d.*k.control)->isChecked();
}

// Reads a section; a file that cannot be read leaves the defaults (the message says why).
template <class O>
O LoadSection(QWidget* dialog, const std::string& printIni, O (*load)(const IniFile&)) {
  O o;
  Guarded(dialog, [&] { o = load(IniFile::Load(printIni)); });
  return o;
}

template <class O>
void SaveSection(const std::string& printIni, const O& o, void (*save)(IniFile&, const O&)) {
  IniFile ini = IniFile::Load(printIni);
  save(ini, o);
  ini.Save(printIni);
}

}  // namespace

// ---------------------------------------------------------------------------------------

TFormPrintSlip::TFormPrintSlip(std::string printIni, const char* objectName, const char* caption,
                               const char* printNameBox, QWidget* parent)
    : TFormPrintBase(std::move(printIni), objectName, printNameBox, parent) {
  setWindowTitle(QString::fromUtf8(caption));
  setMinimumWidth(460);
}

void TFormPrintSlip::OpenFor(const TMxEstimateObjectList& doc, const TMxConfigInfo& config,
                             const TMxCampanyInfoManager& companies) {
  doc_ = &doc;
  config_ = &config;
  companies_ = &companies;
  FillPrinters();
  SetLandscape(false);
  FillCompanyList(companies);
}

SlipSources TFormPrintSlip::SourcesAt(int dpiX, int dpiY) const {
  SlipSources s;
  s.doc = doc_;
  s.config = config_;
  s.companies = companies_;
  s.companyIndex = std::max(0, CBCustomerInfo->currentIndex());
  s.printerDpiX = dpiX;
  s.printerDpiY = dpiY;
  return s;
}

PrintJob TFormPrintSlip::Job() const { return JobFrom(SourcesAt(Printer().logicalDpiX(), Printer().logicalDpiY())); }

PrintJob TFormPrintSlip::PreviewJob() const { return JobFrom(SourcesAt(300, 300)); }

TFormPreview& TFormPrintSlip::Preview() {
  if (!preview_) preview_ = new TFormPreviewEtcSlip(this);
  return *preview_;
}

// --- 領収書印刷 --------------------------------------------------------------------------

TFormPrintReceipt::TFormPrintReceipt(std::string printIni, QWidget* parent)
    : TFormPrintSlip(std::move(printIni), "FormPrintReceipt", "領収書印刷", "ChBPrintName", parent) {
  ChBPrintName = PrintNameBox();
  auto* root = new QVBoxLayout(this);
  root->addWidget(PrinterBox());

  auto* seal = new QGroupBox(QStringLiteral("■担当者印"), this);
  auto* sl = new QGridLayout(seal);
  CBPersonalStamp = ComboBox(seal, "CBPersonalStamp");
  sl->addWidget(CBPersonalStamp, 0, 0);
  root->addWidget(seal);
  root->addWidget(CompanyBox());

  auto* body = new QGroupBox(this);
  auto* bl = new QGridLayout(body);
  bl->addWidget(Heading(body, "■但し書き"), 0, 0, 1, 2);
  EdtTadashi = LineEdit(body, "EdtTadashi");
  bl->addWidget(EdtTadashi, 1, 0, 1, 2);
  bl->addWidget(Heading(body, "内訳"), 2, 0);
  bl->addWidget(Heading(body, "金額"), 2, 1);
  const char* labels[] = {"CBUchi1", "CBUchi2", "CBUchi3", "CBUchi4"};
  const char* amounts[] = {"EdtUchi1", "EdtUchi2", "EdtUchi3", "EdtUchi4"};
  QComboBox** labelBoxes[] = {&CBUchi1, &CBUchi2, &CBUchi3, &CBUchi4};
  TSsEdit** amountEdits[] = {&EdtUchi1, &EdtUchi2, &EdtUchi3, &EdtUchi4};
  for (int i = 0; i < 4; ++i) {
    QComboBox* label = *labelBoxes[i] = ComboBox(body, labels[i]);
    label->setEditable(true);
    for (const char* choice : {"", "税抜き", "消費税", "現　金", "小切手", "振込み", "手　形", "相　殺"})
      label->addItem(QString::fromUtf8(choice));
    TSsEdit* amount = *amountEdits[i] = AmountEdit(body, amounts[i]);
    bl->addWidget(label, 3 + i, 0);
    bl->addWidget(amount, 3 + i, 1);
    connect(amount, &QLineEdit::editingFinished, this, [this, i] { UchiExit(i); });
  }
  bl->setColumnStretch(0, 1);
  bl->setColumnStretch(1, 1);
  root->addWidget(body);

  auto* options = new QGroupBox(QStringLiteral("■印刷オプション"), this);
  auto* ol = new QVBoxLayout(options);
  ChBPrintInshi = CheckBox(options, "ChBPrintInshi", "収入印紙枠を印刷する");
  ChbPrintStampArea = CheckBox(options, "ChbPrintStampArea", "捺印欄を印刷する");
  ChbPrintGrandTotal = CheckBox(options, "ChbPrintGrandTotal", "合計金額を印刷する");
  for (QCheckBox* c : {ChBPrintInshi, ChbPrintStampArea, ChbPrintGrandTotal}) ol->addWidget(c);
  root->addWidget(options);
  root->addLayout(ButtonRow());
}

void TFormPrintReceipt::FormShow(const TMxEstimateObjectList& doc, const TMxCampanyInfoManager& companies,
                                 const TMxConfigInfo& config) {
  OpenFor(doc, config, companies);
  CBPersonalStamp->clear();
  // Each entry carries the seal slot it names.
  for (const SealEntry& s : SealList(config)) CBPersonalStamp->addItem(Q(s.caption), s.slot);
  CBPersonalStamp->setCurrentIndex(0);
  EdtTadashi->clear();
  TPrintReceiptOptions breakdown;
  DefaultBreakdown(breakdown, doc, config);
  QComboBox* labels[] = {CBUchi1, CBUchi2, CBUchi3, CBUchi4};
  TSsEdit* amounts[] = {EdtUchi1, EdtUchi2, EdtUchi3, EdtUchi4};
  for (std::size_t i = 0; i < 4; ++i) {
    labels[i]->setCurrentText(Q(breakdown.UchiLabel[i]));
    amounts[i]->setText(Q(breakdown.UchiPrice[i]));
  }
  ChBPrintInshi->setChecked(false);
  ChbPrintStampArea->setChecked(true);
  PrepareRegistNo(true, &doc);
  LoadPrintConfig();
}

ModalResult TFormPrintReceipt::ShowModal(const TMxEstimateObjectList& doc, const TMxCampanyInfoManager& companies,
                                         const TMxConfigInfo& config) {
  FormShow(doc, companies, config);
  return ExecModal(*this);
}

void TFormPrintReceipt::LoadPrintConfig() {
  const TPrintReceiptOptions o = LoadSection<TPrintReceiptOptions>(this, PrintIni(), &LoadReceiptConfig);
  RestorePrinter(o.Printer);
  ShowOptions<R, RO>(*this, o, kReceiptCombos, kReceiptEdits, kReceiptChecks);
  CompanyChanged();
  RestoreRegistNo(o.PrintRegistNo);
}

void TFormPrintReceipt::SavePrintConfig() { SaveSection(PrintIni(), Options(), &SaveReceiptConfig); }

TPrintReceiptOptions TFormPrintReceipt::Options() const {
  TPrintReceiptOptions o;
  ReadOptions<R, RO>(*this, o, kReceiptCombos, kReceiptEdits, kReceiptChecks);
  const QComboBox* labels[] = {CBUchi1, CBUchi2, CBUchi3, CBUchi4};
  const TSsEdit* amounts[] = {EdtUchi1, EdtUchi2, EdtUchi3, EdtUchi4};
  for (std::size_t i = 0; i < 4; ++i) {
    o.UchiLabel[i] = labels[i]->currentText().toStdString();
    o.UchiPrice[i] = amounts[i]->text().toStdString();
  }
  o.PrintRegistNo = RegistNoOption();
  return o;
}

void TFormPrintReceipt::UchiExit(int row) {
  TSsEdit* amounts[] = {EdtUchi1, EdtUchi2, EdtUchi3, EdtUchi4};
  TSsEdit* edit = amounts[row];
  edit->setText(Q(SetComma(edit->text().toStdString())));
}

PrintJob TFormPrintReceipt::JobFrom(SlipSources src) const {
  TPrintReceiptOptions o = Options();
  // What is printed is what leaving the fields shows.
  for (std::string& amount : o.UchiPrice) amount = SetComma(amount);
  src.personalStampSlot = CBPersonalStamp->currentIndex() >= 0 ? CBPersonalStamp->currentData().toInt() : -1;
  return PrintJob::Receipt(src, o);
}

// --- 合計請求書印刷 -----------------------------------------------------------------------

TFormPrintTotalClaim::TFormPrintTotalClaim(std::string printIni, QWidget* parent)
    : TFormPrintSlip(std::move(printIni), "FormPrintTotalClaim", "合計請求書印刷", "ChBPrintName", parent) {
  ChBPrintName = PrintNameBox();
  ShowEInvoice(true);
  auto* root = new QVBoxLayout(this);
  root->addWidget(PrinterBox());
  root->addWidget(CompanyBox());

  auto* bank = new QGroupBox(QStringLiteral("■振込先"), this);
  auto* bl = new QGridLayout(bank);
  CBPayBank = ComboBox(bank, "CBPayBank");
  ChBPrintBank = CheckBox(bank, "ChBPrintBank", "振込先を印刷する");
  bl->addWidget(CBPayBank, 0, 0);
  bl->addWidget(ChBPrintBank, 0, 1);
  root->addWidget(bank);

  auto* amounts = new QGroupBox(this);
  auto* al = new QGridLayout(amounts);
  EdtPreClaim = AmountEdit(amounts, "EdtPreClaim");
  EdtPrePaid = AmountEdit(amounts, "EdtPrePaid");
  EdtResult = AmountEdit(amounts, "EdtResult");
  EdtResult->setReadOnly(true);
  al->addWidget(Heading(amounts, "前回請求額"), 0, 0);
  al->addWidget(EdtPreClaim, 0, 1);
  al->addWidget(Heading(amounts, "入金額"), 1, 0);
  al->addWidget(EdtPrePaid, 1, 1);
  al->addWidget(Heading(amounts, "差引残高"), 2, 0);
  al->addWidget(EdtResult, 2, 1);
  root->addWidget(amounts);
  root->addLayout(ButtonRow());

  for (TSsEdit* e : {EdtPreClaim, EdtPrePaid}) connect(e, &QLineEdit::editingFinished, this, [this] { CalcResult(); });
}

void TFormPrintTotalClaim::FormShow(const TMxEstimateObjectList& doc, const TMxConfigInfo& config,
                                    const TMxCampanyInfoManager& companies) {
  OpenFor(doc, config, companies);
  CBPayBank->clear();
  for (const std::string& entry : BankListEntries()) CBPayBank->addItem(Q(entry));
  CBPayBank->setCurrentIndex(0);
  ChBPrintBank->setChecked(false);
  for (TSsEdit* e : {EdtPreClaim, EdtPrePaid, EdtResult}) e->setText(QStringLiteral("0"));
  // The figures of a total invoice come from the billed documents: nothing to round.
  PrepareRegistNo(true, nullptr);
  LoadPrintConfig();
}

ModalResult TFormPrintTotalClaim::ShowModal(const TMxEstimateObjectList& doc, const TMxConfigInfo& config,
                                            const TMxCampanyInfoManager& companies) {
  FormShow(doc, config, companies);
  return ExecModal(*this);
}

void TFormPrintTotalClaim::LoadPrintConfig() {
  const TPrintTotalClaimOptions o = LoadSection<TPrintTotalClaimOptions>(this, PrintIni(), &LoadTotalClaimConfig);
  RestorePrinter(o.Printer);
  ShowOptions<T, TO>(*this, o, kTotalClaimCombos, {}, kTotalClaimChecks);
  CompanyChanged();
  RestoreRegistNo(o.PrintRegistNo);
}

void TFormPrintTotalClaim::SavePrintConfig() { SaveSection(PrintIni(), Options(), &SaveTotalClaimConfig); }

TPrintTotalClaimOptions TFormPrintTotalClaim::Options() const {
  TPrintTotalClaimOptions o;
  ReadOptions<T, TO>(*this, o, kTotalClaimCombos, {}, kTotalClaimChecks);
  o.PreClaim = EdtPreClaim->text().toStdString();
  o.PrePaid = EdtPrePaid->text().toStdString();
  o.Result = EdtResult->text().toStdString();
  o.PrintRegistNo = RegistNoOption();
  return o;
}

void TFormPrintTotalClaim::CalcResult() {
  TPrintTotalClaimOptions o = Options();
  qm::CalcResult(o);
  EdtPreClaim->setText(Q(o.PreClaim));
  EdtPrePaid->setText(Q(o.PrePaid));
  EdtResult->setText(Q(o.Result));
}

PrintJob TFormPrintTotalClaim::JobFrom(SlipSources src) const {
  TPrintTotalClaimOptions o = Options();
  qm::CalcResult(o);  // the balance of what the fields show, left or not
  src.bankIndex = std::max(0, CBPayBank->currentIndex());
  return PrintJob::TotalClaim(src, o);
}

// --- FAX送信状印刷 ------------------------------------------------------------------------

TFormPrintFaxSender::TFormPrintFaxSender(std::string printIni, QWidget* parent)
    : TFormPrintSlip(std::move(printIni), "FormPrintFaxSender", "FAX送信状印刷", "ChBPrintName", parent) {
  ChBPrintName = PrintNameBox();
  auto* root = new QVBoxLayout(this);
  root->addWidget(PrinterBox());
  root->addWidget(CompanyBox());

  auto* body = new QGroupBox(this);
  auto* bl = new QGridLayout(body);
  bl->addWidget(Heading(body, "■要件"), 0, 0);
  EdtTitle = LineEdit(body, "EdtTitle");
  bl->addWidget(EdtTitle, 1, 0, 1, 2);
  bl->addWidget(Heading(body, "■送付枚数"), 2, 0);
  SEPaperNum = new QSpinBox(body);
  SEPaperNum->setObjectName("SEPaperNum");
  SEPaperNum->setRange(1, 1000);
  SEPaperNum->setValue(1);
  bl->addWidget(SEPaperNum, 3, 0);
  auto* requests = new QGroupBox(QStringLiteral("要望チェック"), body);
  auto* rl = new QGridLayout(requests);
  CBOptionSikyu = CheckBox(requests, "CBOptionSikyu", "至急");
  CBOptionSankou = CheckBox(requests, "CBOptionSankou", "ご参考まで");
  CBOptionKakunin = CheckBox(requests, "CBOptionKakunin", "ご確認ください");
  CBOptionHenshin = CheckBox(requests, "CBOptionHenshin", "ご返信ください");
  int n = 0;
  for (QCheckBox* c : {CBOptionSikyu, CBOptionSankou, CBOptionKakunin, CBOptionHenshin}) {
    rl->addWidget(c, n / 2, n % 2);
    ++n;
  }
  bl->addWidget(requests, 4, 0, 1, 2);
  bl->addWidget(Heading(body, "■連絡事項"), 5, 0);
  MemoContent = new QPlainTextEdit(body);
  MemoContent->setObjectName("MemoContent");
  MemoContent->setLineWrapMode(QPlainTextEdit::NoWrap);
  bl->addWidget(MemoContent, 6, 0, 1, 2);
  root->addWidget(body);
  root->addLayout(ButtonRow());
}

void TFormPrintFaxSender::FormShow(const TMxEstimateObjectList& doc, const TMxCampanyInfoManager& companies,
                                   const TMxConfigInfo& config) {
  OpenFor(doc, config, companies);
  LoadPrintConfig();
}

ModalResult TFormPrintFaxSender::ShowModal(const TMxEstimateObjectList& doc, const TMxCampanyInfoManager& companies,
                                           const TMxConfigInfo& config) {
  FormShow(doc, companies, config);
  return ExecModal(*this);
}

void TFormPrintFaxSender::LoadPrintConfig() {
  const TPrintFaxOptions o = LoadSection<TPrintFaxOptions>(this, PrintIni(), &LoadFaxConfig);
  RestorePrinter(o.Printer);
  ShowOptions<F, FO>(*this, o, kFaxCombos, kFaxEdits, kFaxChecks);
  CompanyChanged();
  SEPaperNum->setValue(o.PaperNum);
  MemoContent->setPlainText(MemoText(o.Content));
}

void TFormPrintFaxSender::SavePrintConfig() { SaveSection(PrintIni(), Options(), &SaveFaxConfig); }

TPrintFaxOptions TFormPrintFaxSender::Options() const {
  TPrintFaxOptions o;
  ReadOptions<F, FO>(*this, o, kFaxCombos, kFaxEdits, kFaxChecks);
  o.PaperNum = SEPaperNum->value();
  o.Content = StoredText(MemoContent->toPlainText());
  return o;
}

PrintJob TFormPrintFaxSender::JobFrom(SlipSources src) const { return PrintJob::FaxSender(src, Options()); }

}  // namespace qm::ui
