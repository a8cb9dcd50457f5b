#pragma once
// 品名リスト印刷 and お客様一覧印刷: printer and paper for the printed master lists,
// remembered in print.ini (ITEM_LIST, CUSTOMER_LIST), with their preview.
#include "print/list_pages.h"
#include "print/slip_options.h"
#include "ui/print/print_frame.h"

namespace qm::ui {

class TFormPreviewList;

class TFormPrintList : public TFormPrintBase {
  Q_OBJECT
 public:
  // `customers` false: the item list; true: the customer list.
  TFormPrintList(std::string printIni, bool customers, QWidget* parent = nullptr);

  // Opening: printers, portrait, the saved section. The sources must outlive the dialog's
  // jobs.
  void FormShow(const ListSources& src);
  ModalResult ShowModal(const ListSources& src);

  TPrintListOptions Options() const;
  PrintJob Job() const override;
  PrintJob PreviewJob() const override;

 protected:
  void SavePrintConfig() override;
  TFormPreview& Preview() override;

 private:
  PrintJob JobAt(int dpiX, int dpiY) const;

  bool customers_;
  ListSources src_;
  TFormPreviewList* preview_ = nullptr;
};

}  // namespace qm::ui
