#include "ui/print/print_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

#include "base/error.h"
#include "print/page_renderer.h"
#include "ui/app/message_box.h"
#include "ui/controls/dialog_button.h"
#include "ui/print/preview_dialog.h"

namespace qm::ui {
namespace {

constexpr double kB5Scale = 0.87;

const char* CaptionOf(TChartType kind) {
  switch (kind) {
    case TChartType::tcMitumori: return "見積書印刷";
    case TChartType::tcTankaMitumori: return "単価見積書印刷";
    case TChartType::tcNouhin: return "納品書印刷";
    case TChartType::tcSeikyu: return "請求書印刷";
    case TChartType::tcJyuryou: return "受領書印刷";
    case TChartType::tcSeikyuMeisai: return "請求明細書印刷";
    case TChartType::tcKoujiUtiwake: return "内訳書印刷";
    default: return "印刷";
  }
}

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
  // PDF output of these documents comes with its page templates.
  BtnPdf->setEnabled(false);
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
  setWindowTitle(QString::fromUtf8(CaptionOf(kind)));
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
  try {
    ChkPrintDirection->setChecked(LoadYoko(printIni_));
  } catch (const Error& e) {
    ShowError(this, QString::fromUtf8(e.what()));
  }
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

int TFormPrintMitsu::ShowModal(const TMxEstimateObjectList& doc, const TMxConfigInfo& config,
                               const TMxCampanyInfoManager& companies, TChartType kind) {
  FormShow(doc, config, companies, kind);
  return exec();
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
  try {
    SaveYoko(printIni_, Landscape());
  } catch (const Error& e) {
    ShowError(this, QString::fromUtf8(e.what()));
  }
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
  try {
    o = qm::LoadPrintConfig(printIni_, kind);
  } catch (const Error& e) {
    ShowError(this, QString::fromUtf8(e.what()));
  }
  if (!o.Printer.empty()) SelectPrinter(QString::fromStdString(o.Printer));
  SelectText(CBCheckStamp, o.CheckStamp);
  EdtCheckStampMsg->setText(QString::fromStdString(o.CheckStampMsg));
  SelectText(CBPersonalStamp, o.PersonalStamp);
  SelectText(CBCustomerInfo, o.CustomerInfo);
  CompanyChanged();
  SelectText(CBPayBank, o.PayBank);
  SelectText(CBPaperSize, o.PaperSize);
  ChkPrintName->setChecked(o.PrintName);
  ChkPrintStampArea->setChecked(o.PrintStampArea);
  ChkPrintDirection->setChecked(o.PrintDirection);
  ChkPrintNote->setChecked(o.PrintNote);
  ChkPrintBank->setChecked(o.PrintBank);
  ChkChangeSR->setChecked(o.ChangeSR);
  ChkPrintCopy->setChecked(o.PrintCopy);
  ChkPrintGrandTotalFrame->setChecked(o.PrintGrandTotalFrame);
  ChkPrintGrandTotal->setChecked(o.PrintGrandTotal);
  ChkPrintSubtotalTotal->setChecked(o.PrintSubtotalTotal);
  ChkPrintFreeEdit->setChecked(o.PrintFreeEdit);
  ChkPrintCost->setChecked(o.PrintCost);
  ChkPrintPic->setChecked(o.PrintPic);
  ChkPrintBunrui->setChecked(o.PrintBunrui);
}

void TFormPrintMitsu::SavePrintConfig(TChartType kind) { qm::SavePrintConfig(printIni_, kind, Options()); }

TPrintMitsuOptions TFormPrintMitsu::Options() const {
  TPrintMitsuOptions o;
  o.Printer = TextOf(CBPrinter);
  o.CheckStamp = TextOf(CBCheckStamp);
  o.CheckStampMsg = EdtCheckStampMsg->text().toStdString();
  o.PersonalStamp = TextOf(CBPersonalStamp);
  o.CustomerInfo = TextOf(CBCustomerInfo);
  o.PayBank = TextOf(CBPayBank);
  o.PaperSize = TextOf(CBPaperSize);
  o.PrintName = ChkPrintName->isChecked();
  o.PrintStampArea = ChkPrintStampArea->isChecked();
  o.PrintDirection = ChkPrintDirection->isChecked();
  o.PrintNote = ChkPrintNote->isChecked();
  o.PrintBank = ChkPrintBank->isChecked();
  o.ChangeSR = ChkChangeSR->isChecked();
  o.PrintCopy = ChkPrintCopy->isChecked();
  o.PrintGrandTotalFrame = ChkPrintGrandTotalFrame->isChecked();
  o.PrintGrandTotal = ChkPrintGrandTotal->isChecked();
  o.PrintSubtotalTotal = ChkPrintSubtotalTotal->isChecked();
  o.PrintFreeEdit = ChkPrintFreeEdit->isChecked();
  o.PrintCost = ChkPrintCost->isChecked();
  o.PrintPic = ChkPrintPic->isChecked();
  o.PrintBunrui = ChkPrintBunrui->isChecked();
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
  Preview().ShowModal(src, kind_, printer_->pageLayout().orientation() == QPageLayout::Landscape);
}

void TFormPrintMitsu::PrintClick() { SaveAndClose(kResultPrint); }

void TFormPrintMitsu::PdfClick() { SaveAndClose(kResultPdf); }

void TFormPrintMitsu::SaveAndClose(int result) {
  // Settings that cannot be written keep the dialog open: the user sees why and can retry.
  try {
    SavePrintConfig(kind_);
  } catch (const Error& e) {
    ShowError(this, QString::fromUtf8(e.what()));
    return;
  }
  done(result);
}

void TFormPrintMitsu::CancelClick() { done(kResultCancel); }

void TFormPrintMitsu::PrinterSetupClick() {
  QPrintDialog dialog(printer_.get(), this);
  dialog.exec();
  SelectPrinter(printer_->printerName());
  ApplyOrientation();
}

// ---------------------------------------------------------------------------------

void PrintChart(QPrinter& printer, const ChartPageSources& src, TChartType kind) {
  const TPrintMitsuOptions& o = src.settings.options;
  const bool landscape = o.PrintDirection;
  const int itemPages = GetNecPage(*src.doc, kind, landscape);
  const int picturePages = o.PrintPic ? GetPicPage(*src.doc) : 0;
  const std::vector<JobPage> pages = PrintJobPages(itemPages, picturePages, o.PrintCopy);

  printer.setDocName(QStringLiteral("Velora Quillmark"));
  printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  printer.setPageSize(QPageSize(o.B5() ? QPageSize::JisB5 : QPageSize::A4));
  QPainter painter;
  if (!painter.begin(&printer)) throw Error("印刷を開始できません。プリンタの設定を確かめてください。");

  ChartPageSources job = src;
  // The page images take the printer's own resolution; in landscape the page builder
  // exchanges the two, so hand them over as the portrait sheet has them.
  job.printerDpiX = landscape ? printer.logicalDpiY() : printer.logicalDpiX();
  job.printerDpiY = landscape ? printer.logicalDpiX() : printer.logicalDpiY();
  const double scale = o.B5() ? kB5Scale : 1.0;
  // The unprintable margin: pages are laid out from the paper's edge.
  const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
  const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
  const double offX = printable.left() - paper.left();
  const double offY = printable.top() - paper.top();
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i > 0) printer.newPage();
    const PageImage page = MakeJobPage(job, kind, pages[i], itemPages);
    RenderPage(page, painter,
               QRectF(-offX, -offY, std::nearbyint(page.Width() * scale), std::nearbyint(page.Height() * scale)));
  }
  if (!painter.end()) throw Error("印刷を完了できません。");
}

}  // namespace qm::ui
