#pragma once
// The document: header, customer block and an ordered list of lines it owns.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"
#include "base/currency.h"
#include "model/estimate_object.h"

namespace qm {

// What an estimate file says about itself besides the document (fields 1, 2 and 4).
struct EstimateFileInfo {
  std::string version;  // the tag as read
  std::string savedAt;  // "yyyy/mm/dd hh:nn"
  std::string comment;
};

class TMxEstimateObjectList {
 public:
  TMxEstimateObjectList();
  ~TMxEstimateObjectList();
  TMxEstimateObjectList(TMxEstimateObjectList&&) noexcept;
  TMxEstimateObjectList& operator=(TMxEstimateObjectList&&) noexcept;
  TMxEstimateObjectList(const TMxEstimateObjectList&) = delete;
  TMxEstimateObjectList& operator=(const TMxEstimateObjectList&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  // Appends and takes ownership; returns the index.
  int Add(std::unique_ptr<TMxEstimateObject> line);
  TMxEstimateObject& Items(int index);
  const TMxEstimateObject& Items(int index) const;
  // Puts `line` at `index` and hands the line it replaced back to the caller.
  std::unique_ptr<TMxEstimateObject> SetItems(int index, std::unique_ptr<TMxEstimateObject> line);
  void Insert(int index, std::unique_ptr<TMxEstimateObject> line);
  std::unique_ptr<TMxEstimateObject> Extract(int index);
  // Frees every line; the header stays.
  void Clear();
  // Turns a line into a subtotal line; it keeps class, free item, cost and picture.
  void ToSubTotalLine(int index);
  // Recalculates subtotal lines and the document totals (nothing in total-claim mode).
  void DoCalc();

  // Copies every header field and the customer block, not the lines.
  void AssignHeader(const TMxEstimateObjectList& other);

  // Reads an estimate file (versions 2 to 5). On failure throws qm::Error naming the
  // file and the problem, and the document stays exactly as it was.
  void LoadFile(const std::string& fileName, EstimateFileInfo* info = nullptr);
  // The same from the bytes of a file; errors do not name a file.
  void LoadFromBytes(std::string_view bytes, EstimateFileInfo* info = nullptr);
  // Writes the document as version 5, replacing the file atomically.
  void SaveFile(const std::string& fileName, const std::string& comment, const Clock& clock = SystemClock()) const;
  // The bytes SaveFile writes.
  std::string Serialize(const std::string& comment, const Clock& clock = SystemClock()) const;
  // The same with the saved time as given ("yyyy/mm/dd hh:nn" as a file holds it), to
  // write a document again exactly as it was.
  void SaveFile(const std::string& fileName, const std::string& comment, std::string_view savedAt) const;
  std::string Serialize(const std::string& comment, std::string_view savedAt) const;

  // The file the document was last read from or saved to; empty for a new document.
  const std::string& FileName() const { return FFileName; }
  void SetFileName(std::string v) const { FFileName = std::move(v); }

  Currency TaxRate() const { return FTaxRate; }
  void SetTaxRate(Currency v) { FTaxRate = v; }
  Currency SubTotalPrice() const { return FSubTotalPrice; }
  void SetSubTotalPrice(Currency v) { FSubTotalPrice = v; }
  Currency TotalPrice() const { return FTotalPrice; }
  void SetTotalPrice(Currency v) { FTotalPrice = v; }
  Currency TotalTax() const { return FTotalTax; }
  void SetTotalTax(Currency v) { FTotalTax = v; }
  bool TotalClaimMode() const { return FTotalClaimMode; }
  void SetTotalClaimMode(bool v) { FTotalClaimMode = v; }
  bool TaxCalcLine() const { return FTaxCalcLine; }
  void SetTaxCalcLine(bool v) { FTaxCalcLine = v; }
  TCalcDecimal TaxDecimalMode() const { return FTaxDecimalMode; }
  void SetTaxDecimalMode(TCalcDecimal v) { FTaxDecimalMode = v; }
  bool TaxInputModeIncludeTax() const { return FTaxInputModeIncludeTax; }
  void SetTaxInputModeIncludeTax(bool v) { FTaxInputModeIncludeTax = v; }
  TCalcDecimal SubTotalDecimalMode() const { return FSubTotalDecimalMode; }
  void SetSubTotalDecimalMode(TCalcDecimal v) { FSubTotalDecimalMode = v; }
  // The bytes of the header's and the customer's text fields (and of the comment) as the
  // file held them, for writing them back unchanged.
  TextOrigins& FileTexts() { return FFileTexts; }
  const TextOrigins& FileTexts() const { return FFileTexts; }
  TMxCustomerObject& CustomerInfo() { return *FCustomerInfo; }
  const TMxCustomerObject& CustomerInfo() const { return *FCustomerInfo; }
  const std::string& SlipDateStrYY() const { return FSlipDateStrYY; }
  void SetSlipDateStrYY(std::string v) { FSlipDateStrYY = std::move(v); }
  const std::string& SlipDateStrMM() const { return FSlipDateStrMM; }
  void SetSlipDateStrMM(std::string v) { FSlipDateStrMM = std::move(v); }
  const std::string& SlipDateStrDD() const { return FSlipDateStrDD; }
  void SetSlipDateStrDD(std::string v) { FSlipDateStrDD = std::move(v); }
  const std::string& SlipCodeStr() const { return FSlipCodeStr; }
  void SetSlipCodeStr(std::string v) { FSlipCodeStr = std::move(v); }
  const std::string& DeliveryPlaceStr() const { return FDeliveryPlaceStr; }
  void SetDeliveryPlaceStr(std::string v) { FDeliveryPlaceStr = std::move(v); }
  bool DeliveryPlacePrintCheck() const { return FDeliveryPlacePrintCheck; }
  void SetDeliveryPlacePrintCheck(bool v) { FDeliveryPlacePrintCheck = v; }
  const std::string& PayConditionStr() const { return FPayConditionStr; }
  void SetPayConditionStr(std::string v) { FPayConditionStr = std::move(v); }
  bool PayConditionPrintCheck() const { return FPayConditionPrintCheck; }
  void SetPayConditionPrintCheck(bool v) { FPayConditionPrintCheck = v; }
  const std::string& SlipLimitStr() const { return FSlipLimitStr; }
  void SetSlipLimitStr(std::string v) { FSlipLimitStr = std::move(v); }
  bool SlipLimitPrintCheck() const { return FSlipLimitPrintCheck; }
  void SetSlipLimitPrintCheck(bool v) { FSlipLimitPrintCheck = v; }
  const std::string& KoujiNameStr() const { return FKoujiNameStr; }
  void SetKoujiNameStr(std::string v) { FKoujiNameStr = std::move(v); }
  bool KoujiNamePrintCheck() const { return FKoujiNamePrintCheck; }
  void SetKoujiNamePrintCheck(bool v) { FKoujiNamePrintCheck = v; }
  const std::string& EtcStr() const { return FEtcStr; }
  void SetEtcStr(std::string v) { FEtcStr = std::move(v); }
  const std::string& MemoStr() const { return FMemoStr; }
  void SetMemoStr(std::string v) { FMemoStr = std::move(v); }

 private:
  std::vector<std::unique_ptr<TMxEstimateObject>> FItems;
  mutable std::string FFileName;  // where it is, not what it holds: a save changes it

  Currency FTaxRate;
  Currency FSubTotalPrice;
  Currency FTotalPrice;
  Currency FTotalTax;
  bool FTotalClaimMode = false;
  bool FTaxCalcLine = false;
  TCalcDecimal FTaxDecimalMode = TCalcDecimal::cdRoundDown;
  bool FTaxInputModeIncludeTax = false;
  TCalcDecimal FSubTotalDecimalMode = TCalcDecimal::cdRoundDown;
  std::unique_ptr<TMxCustomerObject> FCustomerInfo;
  std::string FSlipDateStrYY;
  std::string FSlipDateStrMM;
  std::string FSlipDateStrDD;
  std::string FSlipCodeStr;
  std::string FDeliveryPlaceStr;
  bool FDeliveryPlacePrintCheck = false;
  std::string FPayConditionStr;
  bool FPayConditionPrintCheck = false;
  std::string FSlipLimitStr;
  bool FSlipLimitPrintCheck = false;
  std::string FKoujiNameStr;
  bool FKoujiNamePrintCheck = false;
  std::string FEtcStr;
  std::string FMemoStr;
  TextOrigins FFileTexts;
};

}  // namespace qm
