#include "pdf/list_pdf.h"

#include "base/amount_text.h"
#include "pdf/pdf_blocks.h"

namespace qm::pdf {
namespace {

constexpr int kCustomersPerPage = 15;
constexpr int kItemsPerPage = 47;

std::string PageNo(int nowPage, int maxPage) {
  return "( " + std::to_string(nowPage) + " / " + std::to_string(maxPage) + " )";
}

}  // namespace

TemplatePage& InitCustomerListPDFTemplate(TFormPDFBase& base, const TMxConfigInfo& config) {
  return base.ResetTemplate(PdfTemplate::CustomerList, config);
}

TPRPage& MakePDFFileCustomerList(TFormPDFBase& base, const ListSources& src, int nowPage, int maxPage) {
  TemplatePage& t = InitCustomerListPDFTemplate(base, *src.config);
  const TemplateItems items(t, "CustomerList");
  items.Caption("Title", "お客様一覧");
  items.Caption("Date", ListDate(*src.doc));
  const TMxCustomerObjectList& customers = *src.customers;
  for (int n = 1; n <= kCustomersPerPage; ++n) {
    const int index = (nowPage - 1) * kCustomersPerPage + n - 1;
    if (index >= customers.Count()) break;
    const TMxCustomerObject& c = customers.Items(index);
    const TemplateItems block(t, "CustomerList", std::to_string(n));
    block.Caption("Code", c.CustomerCode());
    block.Caption("Office1_", c.CustomerName1());
    block.Caption("Office2_", c.CustomerName2());
    block.Caption("Office3_", c.CustomerName3());
    block.Caption("Zip", c.ZipNo());
    block.Caption("Address1_", c.Address1());
    block.Caption("Address2_", c.Address2());
    block.Caption("Tel", c.TelNo());
    block.Caption("Fax", c.FaxNo());
  }
  items.Caption("PageNo", PageNo(nowPage, maxPage));
  CentreTitle(items);
  return t.Page();
}

TemplatePage& InitItemListPDFTemplate(TFormPDFBase& base, const TMxConfigInfo& config) {
  return base.ResetTemplate(PdfTemplate::ItemList, config);
}

TPRPage& MakePDFFileItemList(TFormPDFBase& base, const ListSources& src, int nowPage, int maxPage) {
  TemplatePage& t = InitItemListPDFTemplate(base, *src.config);
  const TemplateItems items(t, "ItemList");
  items.Caption("Title", "品名リスト");
  items.Caption("Date", ListDate(*src.doc));
  const TMxItemObjectList& list = *src.items;
  const bool decimals = src.config->PrintDecimalPoint();
  for (int n = 1; n <= kItemsPerPage; ++n) {
    const int index = (nowPage - 1) * kItemsPerPage + n - 1;
    if (index >= list.Count()) break;
    const TMxItemObject& item = list.Items(index);
    const TemplateItems row(t, "ItemList", std::to_string(n));
    row.Caption("ItemName", item.ItemName());
    row.Caption("ItemUnit", item.ItemUnit() == kNoUnit ? std::string() : item.ItemUnit());
    row.Caption("ItemUnitPrice", CommaAdd(false, item.ItemPrice(), decimals));
    row.Caption("ItemUnitCost", CommaAdd(false, item.ItemCost(), decimals));
  }
  items.Caption("PageNo", PageNo(nowPage, maxPage));
  CentreTitle(items);
  return t.Page();
}

}  // namespace qm::pdf
