#pragma once
// The master commands of the main window: the customer button (お客様一覧) and the menu
// entry 品名リスト編集, with the printed and PDF lists. Customer.dat is written whenever
// the customer dialog closes; the item and unit files on OK of the item dialog, and read
// again on its cancel. A master that was read only in part is never written.
#include <QObject>

#include <array>

#include "session/session.h"
#include "ui/masters/master_host.h"

namespace qm::ui {

class CommandTable;
class DocumentView;
class PostalCommands;
class PrintCommands;
class TFormCustomer;
class TFormItemList;
class TFormPrintList;

class MasterCommands : public QObject, public MasterHost {
  Q_OBJECT
 public:
  MasterCommands(AppSession& session, DocumentView& view, PostalCommands& postal, PrintCommands& print,
                 std::array<QLineEdit*, kCustomerColumns> customerBlock);

  // Adds 品名リスト編集.
  void Install(CommandTable& commands);

  void BtnCustomerClick();
  void ItemListEditClick();

  TFormCustomer& FormCustomer();
  TFormItemList& FormItemList();
  TFormPrintList& FormPrintList(bool customers);

  // MasterHost
  std::array<QLineEdit*, kCustomerColumns> CustomerBlock() override { return customerBlock_; }
  void LookupZip(QLineEdit* zip, QLineEdit* address) override;
  void LookupAddress(QLineEdit* zip, QLineEdit* address, const char* notFound) override;
  void PrintList(bool customers) override;

 private:
  AppSession& session_;
  DocumentView& view_;
  PostalCommands& postal_;
  PrintCommands& print_;
  std::array<QLineEdit*, kCustomerColumns> customerBlock_;
  TFormCustomer* customer_ = nullptr;
  TFormItemList* itemList_ = nullptr;
  TFormPrintList* printItems_ = nullptr;
  TFormPrintList* printCustomers_ = nullptr;
};

}  // namespace qm::ui
