#include "ui/print/print_frame.h"

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

#include "print/chart_page.h"
#include "print/qualified_invoice.h"
#include "ui/common/dialog_button.h"
#include "ui/common/guarded.h"
#include "ui/common/message_box.h"
#include "ui/print/preview_dialog.h"

namespace qm::ui {

QCheckBox* CheckBox(QWidget* parent, const char* name, const char* caption) {
  auto* c = new QCheckBox(QString::fromUtf8(caption), parent);
  c->setObjectName(name);
  return c;
}

QComboBox* ComboBox(QWidget* parent, const char* name) {
  auto* c = new QComboBox(parent);
  c->setObjectName(name);
  return c;
}

void SelectText(QComboBox* box, const std::string& text) {
  const int index = box->findText(QString::fromStdString(text), Qt::MatchExactly);
  box->setCurrentIndex(index >= 0 ? index : (box->count() > 0 ? 0 : -1));
}

std::string TextOf(const QComboBox* box) { return box->currentText().toStdString(); }

TFormPrintBase::TFormPrintBase(std::string printIni, const char* objectName, const char* printNameBox, QWidget* parent)
    : QDialog(parent), printIni_(std::move(printIni)), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setObjectName(objectName);
  setModal(true);

  printerBox_ = new QGroupBox(QStringLiteral("■プリンタ"), this);
  auto* pl = new QGridLayout(printerBox_);
  CBPrinter = ComboBox(printerBox_, "CBPrinter");
  BtnPrinterSetup = DialogButton(printerBox_, "BtnPrinterSetup", "設定");
  LblNoPrinter = new QLabel(QStringLiteral("プリンタが見つかりません。プレビューはできます。印刷すると、印刷ダイアログで PDF ファイルへの出力を選べます。"), printerBox_);
  LblNoPrinter->setObjectName("LblNoPrinter");
  LblNoPrinter->setWordWrap(true);
  LblNoPrinter->setVisible(false);
  pl->addWidget(CBPrinter, 0, 0);
  pl->addWidget(BtnPrinterSetup, 0, 1);
  pl->addWidget(LblNoPrinter, 1, 0, 1, 2);
  pl->addWidget(new QLabel(QStringLiteral("■用紙サイズ"), printerBox_), 2, 0);
  CBPaperSize = ComboBox(printerBox_, "CBPaperSize");
  CBPaperSize->addItems({QStringLiteral("A4"), QStringLiteral("B5")});
  pl->addWidget(CBPaperSize, 3, 0);

  companyBox_ = new QGroupBox(QStringLiteral("■会社情報"), this);
  auto* cl = new QGridLayout(companyBox_);
  CBCustomerInfo = ComboBox(companyBox_, "CBCustomerInfo");
  cl->addWidget(CBCustomerInfo, 0, 0);
  printName_ = CheckBox(companyBox_, printNameBox, "担当者名を印刷する");
  cl->addWidget(printName_, 0, 1);
  ChkPrintRegistNo = CheckBox(companyBox_, "ChkPrintRegistNo", "登録番号を印刷する");
  ChkPrintRegistNo->setToolTip(QStringLiteral("適格請求書として、登録番号と税率ごとの合計を印刷します。"));
  ChkPrintRegistNo->setVisible(false);
  cl->addWidget(ChkPrintRegistNo, 1, 0, 1, 2);
  LblRoundOnce = new QLabel(QStringLiteral("※消費税が明細ごとに端数処理されています。適格請求書では税率ごとに合計で1回の端数処理が必要です。"),
                            companyBox_);
  LblRoundOnce->setObjectName("LblRoundOnce");
  LblRoundOnce->setWordWrap(true);
  LblRoundOnce->setVisible(false);
  cl->addWidget(LblRoundOnce, 2, 0, 1, 2);

  buttons_ = new QHBoxLayout;
  BtnPreview = DialogButton(this, "BtnPreview", "プレビュー");
  BtnPrint = DialogButton(this, "BtnPrint", "印刷");
  BtnPdf = DialogButton(this, "BtnPdf", "PDF出力");
  BtnEInvoice = DialogButton(this, "BtnEInvoice", "デジタルインボイス出力");
  BtnEInvoice->setToolTip(QStringLiteral("JP PINT（Peppol）のデジタルインボイスを XML ファイルに書き出します。"));
  BtnCancel = DialogButton(this, "BtnCancel", "キャンセル");
  for (QPushButton* b : {BtnPreview, BtnPrint, BtnPdf, BtnEInvoice, BtnCancel}) buttons_->addWidget(b);
  EdtInvoicePeriod = new QLineEdit(companyBox_);
  EdtInvoicePeriod->setObjectName("EdtInvoicePeriod");
  EdtInvoicePeriod->setPlaceholderText(QStringLiteral("請求期間（空欄で伝票日付の月） 2026-12-01:2026-12-31"));
  cl->addWidget(EdtInvoicePeriod, 3, 0, 1, 2);
  ShowEInvoice(false);

  connect(BtnPreview, &QPushButton::clicked, this, [this] { PreviewClick(); });
  connect(BtnPrint, &QPushButton::clicked, this, [this] { PrintClick(); });
  connect(BtnPdf, &QPushButton::clicked, this, [this] { PdfClick(); });
  connect(BtnEInvoice, &QPushButton::clicked, this, [this] { SaveAndClose(ModalResult::EInvoice); });
  connect(BtnCancel, &QPushButton::clicked, this, [this] { CancelClick(); });
  connect(BtnPrinterSetup, &QPushButton::clicked, this, [this] { PrinterSetupClick(); });
  connect(CBPrinter, &QComboBox::currentTextChanged, this, [this](const QString& name) {
    if (!name.isEmpty()) printer_->setPrinterName(name);
  });
  connect(CBCustomerInfo, &QComboBox::currentIndexChanged, this, [this] { CompanyChanged(); });
  connect(ChkPrintRegistNo, &QCheckBox::clicked, this, [this](bool on) {
    storedRegistNo_ = on;
    RefreshRegistNo();
  });
}

TFormPrintBase::~TFormPrintBase() = default;

void TFormPrintBase::FillPrinters() {
  const QSignalBlocker block(CBPrinter);
  CBPrinter->clear();
  CBPrinter->addItems(QPrinterInfo::availablePrinterNames());
  const bool any = CBPrinter->count() > 0;
  LblNoPrinter->setVisible(!any);
  CBPrinter->setEnabled(any);
  BtnPrinterSetup->setEnabled(any);
  if (any) SelectPrinter(QPrinterInfo::defaultPrinterName());
}

void TFormPrintBase::SelectPrinter(const QString& name) {
  const int index = CBPrinter->findText(name, Qt::MatchExactly);
  if (index < 0) return;
  CBPrinter->setCurrentIndex(index);
  printer_->setPrinterName(name);
}

void TFormPrintBase::RestorePrinter(const std::string& name) {
  if (!name.empty()) SelectPrinter(QString::fromStdString(name));
}

bool TFormPrintBase::HasPrinter() const { return CBPrinter->count() > 0; }
bool TFormPrintBase::PaperA4() const { return CBPaperSize->currentIndex() <= 0; }

void TFormPrintBase::SetLandscape(bool landscape) {
  printer_->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void TFormPrintBase::FillCompanyList(const TMxCampanyInfoManager& companies) {
  companies_ = &companies;
  {
    const QSignalBlocker block(CBCustomerInfo);
    CBCustomerInfo->clear();
    for (const std::string& entry : CompanyListEntries()) CBCustomerInfo->addItem(QString::fromStdString(entry));
    CBCustomerInfo->setCurrentIndex(0);
  }
  CompanyChanged();
}

void TFormPrintBase::CompanyChanged() {
  if (!companies_) return;
  const int index = std::max(0, CBCustomerInfo->currentIndex());
  printName_->setEnabled(!companies_->CampanyInfoArray(index).ChkUseLogoImage());
  RefreshRegistNo();
}

void TFormPrintBase::PrepareRegistNo(bool shown, const TMxEstimateObjectList* doc) {
  ChkPrintRegistNo->setVisible(shown);
  roundingDoc_ = doc;
  RefreshRegistNo();
}

void TFormPrintBase::RestoreRegistNo(const std::optional<bool>& stored) {
  storedRegistNo_ = stored;
  RefreshRegistNo();
}

void TFormPrintBase::RefreshRegistNo() {
  const TMxCampanyInfo* company =
      companies_ ? &ProfileAt(*companies_, std::max(0, CBCustomerInfo->currentIndex())) : nullptr;
  const bool hasNumber = company && !company->RegistNo().empty();
  {
    const QSignalBlocker block(ChkPrintRegistNo);
    ChkPrintRegistNo->setEnabled(hasNumber);
    ChkPrintRegistNo->setChecked(hasNumber && RegistNoOptionOn(storedRegistNo_, *company));
  }
  LblRoundOnce->setVisible(RoundsPerLineQualified());
}

std::optional<bool> TFormPrintBase::RegistNoOption() const {
  if (ChkPrintRegistNo->isVisibleTo(this) && ChkPrintRegistNo->isEnabled()) return ChkPrintRegistNo->isChecked();
  return storedRegistNo_;
}

bool TFormPrintBase::RoundsPerLineQualified() const {
  return ChkPrintRegistNo->isVisibleTo(this) && ChkPrintRegistNo->isEnabled() && ChkPrintRegistNo->isChecked() &&
         roundingDoc_ && RoundsTaxPerLine(*roundingDoc_);
}

void TFormPrintBase::AskRoundOnce() {
  if (!OnRoundTaxOnTotal || !RoundsPerLineQualified()) return;
  if (!AskYesNo(this, QString::fromUtf8(kRoundOnceQuestion))) return;
  OnRoundTaxOnTotal();
  RefreshRegistNo();
}

void TFormPrintBase::PreviewClick() {
  Guarded(this, [this] { Preview().ShowModal(PreviewJob()); });
}

void TFormPrintBase::PrintClick() { SaveAndClose(ModalResult::Ok); }

void TFormPrintBase::PdfClick() { SaveAndClose(ModalResult::Pdf); }

void TFormPrintBase::ShowEInvoice(bool shown) {
  BtnEInvoice->setVisible(shown);
  EdtInvoicePeriod->setVisible(shown);
}

void TFormPrintBase::SaveAndClose(ModalResult result) {
  AskRoundOnce();
  // Settings that cannot be written keep the dialog open: the user sees why and can retry.
  if (Guarded(this, [this] { SavePrintConfig(); })) CloseWith(*this, result);
}

void TFormPrintBase::CancelClick() { CloseWith(*this, ModalResult::Cancel); }

void TFormPrintBase::PrinterSetupClick() {
  const QPageLayout::Orientation orientation = printer_->pageLayout().orientation();
  QPrintDialog dialog(printer_.get(), this);
  dialog.exec();
  SelectPrinter(printer_->printerName());
  printer_->setPageOrientation(orientation);
}

}  // namespace qm::ui
