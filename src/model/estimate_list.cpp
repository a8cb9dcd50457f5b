#include "model/estimate_list.h"

#include "base/error.h"

namespace qm {

namespace {
void CheckIndex(int index, int count) {
  if (index < 0 || index >= count)
    throw Error("行番号 " + std::to_string(index) + " は範囲外です (行数 " + std::to_string(count) + ")。");
}
}  // namespace

TMxEstimateObjectList::TMxEstimateObjectList() : FCustomerInfo(std::make_unique<TMxCustomerObject>()) {}
TMxEstimateObjectList::~TMxEstimateObjectList() = default;
TMxEstimateObjectList::TMxEstimateObjectList(TMxEstimateObjectList&&) noexcept = default;
TMxEstimateObjectList& TMxEstimateObjectList::operator=(TMxEstimateObjectList&&) noexcept = default;

int TMxEstimateObjectList::Add(std::unique_ptr<TMxEstimateObject> line) {
  FItems.push_back(std::move(line));
  return Count() - 1;
}

TMxEstimateObject& TMxEstimateObjectList::Items(int index) {
  CheckIndex(index, Count());
  return *FItems[static_cast<std::size_t>(index)];
}

const TMxEstimateObject& TMxEstimateObjectList::Items(int index) const {
  CheckIndex(index, Count());
  return *FItems[static_cast<std::size_t>(index)];
}

std::unique_ptr<TMxEstimateObject> TMxEstimateObjectList::SetItems(int index,
                                                                   std::unique_ptr<TMxEstimateObject> line) {
  CheckIndex(index, Count());
  std::swap(FItems[static_cast<std::size_t>(index)], line);
  return line;
}

void TMxEstimateObjectList::Insert(int index, std::unique_ptr<TMxEstimateObject> line) {
  if (index < 0 || index > Count()) CheckIndex(index, Count());
  FItems.insert(FItems.begin() + index, std::move(line));
}

std::unique_ptr<TMxEstimateObject> TMxEstimateObjectList::Extract(int index) {
  CheckIndex(index, Count());
  auto line = std::move(FItems[static_cast<std::size_t>(index)]);
  FItems.erase(FItems.begin() + index);
  return line;
}

void TMxEstimateObjectList::Clear() { FItems.clear(); }

void TMxEstimateObjectList::ToSubTotalLine(int index) {
  TMxEstimateObject& line = Items(index);
  line.SetName(kSubTotalLineName);
  line.SetNum(Currency());
  line.SetItemUnit("");
  line.SetPrice(Currency());
  line.SetTotalPrice(Currency());
  line.SetNote("");
  line.SetTaxless(false);
  line.SetSubTotalLineFlg(true);
}

void TMxEstimateObjectList::AssignHeader(const TMxEstimateObjectList& o) {
  FTaxRate = o.FTaxRate;
  FSubTotalPrice = o.FSubTotalPrice;
  FTotalPrice = o.FTotalPrice;
  FTotalTax = o.FTotalTax;
  FTotalClaimMode = o.FTotalClaimMode;
  FTaxCalcLine = o.FTaxCalcLine;
  FTaxDecimalMode = o.FTaxDecimalMode;
  FTaxInputModeIncludeTax = o.FTaxInputModeIncludeTax;
  FSubTotalDecimalMode = o.FSubTotalDecimalMode;
  *FCustomerInfo = *o.FCustomerInfo;
  FSlipDateStrYY = o.FSlipDateStrYY;
  FSlipDateStrMM = o.FSlipDateStrMM;
  FSlipDateStrDD = o.FSlipDateStrDD;
  FSlipCodeStr = o.FSlipCodeStr;
  FDeliveryPlaceStr = o.FDeliveryPlaceStr;
  FDeliveryPlacePrintCheck = o.FDeliveryPlacePrintCheck;
  FPayConditionStr = o.FPayConditionStr;
  FPayConditionPrintCheck = o.FPayConditionPrintCheck;
  FSlipLimitStr = o.FSlipLimitStr;
  FSlipLimitPrintCheck = o.FSlipLimitPrintCheck;
  FKoujiNameStr = o.FKoujiNameStr;
  FKoujiNamePrintCheck = o.FKoujiNamePrintCheck;
  FEtcStr = o.FEtcStr;
  FMemoStr = o.FMemoStr;
  FFileTexts = o.FFileTexts;
}

}  // namespace qm
