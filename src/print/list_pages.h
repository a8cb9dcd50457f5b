#pragma once
// The printed master lists: the item list (47 items a page) and the customer list (15
// customers a page), each dated with the open document's date and numbered "( n / m )".
#include "model/config_info.h"
#include "model/estimate_list.h"
#include "model/master_lists.h"
#include "print/page_image.h"

namespace qm {

// What the list pages read. The pointers must outlive the builder calls.
struct ListSources {
  const TMxEstimateObjectList* doc = nullptr;  // the date
  const TMxConfigInfo* config = nullptr;       // the band colours and decimals
  const TMxItemObjectList* items = nullptr;
  const TMxCustomerObjectList* customers = nullptr;
  int printerDpiX = 600;
  int printerDpiY = 600;
};

// The unit text that means an item has none.
inline constexpr const char* kNoUnit = "＜なし＞";

// Page `nowPage` of `maxPage`, A4 portrait.
PageImage MakeMetaFileItemListPrinter(const ListSources& src, int nowPage, int maxPage);
PageImage MakeMetaFileCustomerListPrinter(const ListSources& src, int nowPage, int maxPage);

// The date line of both lists: year + "年" + month + "月" + day + "日".
std::string ListDate(const TMxEstimateObjectList& doc);

}  // namespace qm
