#include "ui/masters/master_commands.h"

#include "ui/common/command_table.h"
#include "ui/common/document_view.h"
#include "ui/common/guarded.h"
#include "ui/masters/customer_dialogs.h"
#include "ui/masters/item_dialogs.h"
#include "ui/postal/postal_commands.h"
#include "ui/print/list_print_dialog.h"
#include "ui/print/print_commands.h"

namespace qm::ui {

MasterCommands::MasterCommands(AppSession& session, DocumentView& view, PostalCommands& postal, PrintCommands& print,
                               std::array<QLineEdit*, kCustomerColumns> customerBlock)
    : QObject(view.Window()),
      session_(session),
      view_(view),
      postal_(postal),
      print_(print),
      customerBlock_(customerBlock) {}

void MasterCommands::Install(CommandTable& commands) {
  commands.Add({"ItemListEdit", "品名リスト編集(&I)", nullptr, true, [this] { ItemListEditClick(); }});
}

TFormCustomer& MasterCommands::FormCustomer() {
  if (!customer_) customer_ = new TFormCustomer(*this, view_.Window());
  return *customer_;
}

TFormItemList& MasterCommands::FormItemList() {
  if (!itemList_) itemList_ = new TFormItemList(*this, session_.Folder().ItemUnitFile(), view_.Window());
  return *itemList_;
}

TFormPrintList& MasterCommands::FormPrintList(bool customers) {
  TFormPrintList*& dialog = customers ? printCustomers_ : printItems_;
  if (!dialog) dialog = new TFormPrintList(session_.Folder().PrintIni(), customers, view_.Window());
  return *dialog;
}

void MasterCommands::BtnCustomerClick() {
  view_.CommitCurrentEdit();
  FormCustomer().SetPeppolIds(&session_.PeppolIds());
  FormCustomer().ShowModal(session_.Customers());
  // However the dialog closed; a list read only in part is refused with the reason.
  Guarded(view_.Window(), [this] { session_.SaveCustomers(); });
}

void MasterCommands::ItemListEditClick() {
  view_.CommitCurrentEdit();
  const ModalResult result =
      FormItemList().ShowModal(session_.Items(), session_.Units(), session_.Config().PrintDecimalPoint());
  QWidget* window = view_.Window();
  if (result == ModalResult::Ok) {
    Guarded(window, [this] {
      session_.SaveItems();
      session_.SaveUnits();
    });
  } else {
    // Every change of this opening is dropped.
    Guarded(window, [this] { session_.LoadItems(); });
    Guarded(window, [this] { session_.LoadUnits(); });
  }
  view_.RebuildPickMenus();
}

void MasterCommands::LookupZip(QLineEdit* zip, QLineEdit* address) { postal_.BtnZipClick(zip, address); }

void MasterCommands::LookupAddress(QLineEdit* zip, QLineEdit* address, const char* notFound) {
  postal_.BtnAdd1Click(zip, address, notFound);
}

void MasterCommands::PrintList(bool customers) {
  TFormPrintList& dialog = FormPrintList(customers);
  ListSources src;
  src.doc = &session_.Document();
  src.config = &session_.Config();
  src.items = &session_.Items();
  src.customers = &session_.Customers();
  const ModalResult result = dialog.ShowModal(src);
  if (result == ModalResult::Ok) print_.PrintWith(dialog);
  else if (result == ModalResult::Pdf) print_.PdfWith(dialog);
}

}  // namespace qm::ui
