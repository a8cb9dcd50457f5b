#include "ui/print/list_print_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include "base/ini_file.h"
#include "ui/common/guarded.h"
#include "ui/print/preview_dialog.h"

namespace qm::ui {

TFormPrintList::TFormPrintList(std::string printIni, bool customers, QWidget* parent)
    : TFormPrintBase(std::move(printIni), customers ? "FormPrintCustomerList" : "FormPrintItemList",
                     "ChkPrintName", parent),
      customers_(customers) {
  setWindowTitle(customers ? QStringLiteral("お客様一覧印刷") : QStringLiteral("品名リスト印刷"));
  setMinimumWidth(420);
  auto* root = new QVBoxLayout(this);
  root->addWidget(PrinterBox());
  CompanyBox()->hide();  // a list prints no company
  root->addLayout(ButtonRow());
}

void TFormPrintList::FormShow(const ListSources& src) {
  src_ = src;
  FillPrinters();
  SetLandscape(false);
  TPrintListOptions o;
  Guarded(this, [&] { o = LoadListConfig(IniFile::Load(PrintIni()), customers_); });
  RestorePrinter(o.Printer);
  SelectText(CBPaperSize, o.PaperSize);
}

ModalResult TFormPrintList::ShowModal(const ListSources& src) {
  FormShow(src);
  return ExecModal(*this);
}

TPrintListOptions TFormPrintList::Options() const {
  TPrintListOptions o;
  o.Printer = TextOf(CBPrinter);
  o.PaperSize = TextOf(CBPaperSize);
  return o;
}

void TFormPrintList::SavePrintConfig() {
  IniFile ini = IniFile::Load(PrintIni());
  SaveListConfig(ini, customers_, Options());
  ini.Save(PrintIni());
}

PrintJob TFormPrintList::JobAt(int dpiX, int dpiY) const {
  ListSources src = src_;
  src.printerDpiX = dpiX;
  src.printerDpiY = dpiY;
  return customers_ ? PrintJob::CustomerList(src, Options()) : PrintJob::ItemList(src, Options());
}

PrintJob TFormPrintList::Job() const { return JobAt(Printer().logicalDpiX(), Printer().logicalDpiY()); }

PrintJob TFormPrintList::PreviewJob() const { return JobAt(300, 300); }

TFormPreview& TFormPrintList::Preview() {
  if (!preview_) preview_ = new TFormPreviewList(this);
  return *preview_;
}

}  // namespace qm::ui
