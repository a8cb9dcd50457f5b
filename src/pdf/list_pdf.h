#pragma once
// The customer list and the item list as PDF: one template page a printed page (15
// customers or 47 items), titled, dated with the open document's date and numbered.
#include "pdf/pdf_templates.h"
#include "print/list_pages.h"

namespace qm::pdf {

TemplatePage& InitCustomerListPDFTemplate(TFormPDFBase& base, const TMxConfigInfo& config);
TPRPage& MakePDFFileCustomerList(TFormPDFBase& base, const ListSources& src, int nowPage, int maxPage);

TemplatePage& InitItemListPDFTemplate(TFormPDFBase& base, const TMxConfigInfo& config);
TPRPage& MakePDFFileItemList(TFormPDFBase& base, const ListSources& src, int nowPage, int maxPage);

}  // namespace qm::pdf
