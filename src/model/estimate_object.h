#pragma once
// One line of a document and the customer block.
#include <cstdint>
#include <string>

#include "base/currency.h"
#include "model/picture.h"
#include "model/text_origins.h"

namespace qm {

// Rounding of fractions of one yen.
enum class TCalcDecimal { cdRoundUP = 0, cdRoundDown = 1, cdRoundOff = 2 };

const char* CalcDecimalName(TCalcDecimal rule);  // "cdRoundUP", …

// The label of every subtotal line.
inline constexpr const char* kSubTotalLineName = "■ 小計 ■";

class TMxEstimateObject {
 public:
  TMxEstimateObject() = default;

  // True when name, unit and remark are empty and quantity, price and amount zero.
  bool Uninput() const;
  // Line amount from quantity and unit price; false (and amount, price and quantity
  // cleared) when the amount does not fit.
  bool DoCalc();

  const std::string& Name() const { return FName; }
  void SetName(std::string v) { FName = std::move(v); }
  Currency Num() const { return FNum; }
  void SetNum(Currency v) { FNum = v; }
  std::int32_t ClassNo() const { return FClassNo; }
  void SetClassNo(std::int32_t v) { FClassNo = v; }
  const std::string& FreeEdit() const { return FFreeEdit; }
  void SetFreeEdit(std::string v) { FFreeEdit = std::move(v); }
  const std::string& ItemUnit() const { return FItemUnit; }
  void SetItemUnit(std::string v) { FItemUnit = std::move(v); }
  Currency Price() const { return FPrice; }
  void SetPrice(Currency v) { FPrice = v; }
  Currency Cost() const { return FCost; }
  void SetCost(Currency v) { FCost = v; }
  Currency TotalPrice() const { return FTotalPrice; }
  void SetTotalPrice(Currency v) { FTotalPrice = v; }
  const std::string& Note() const { return FNote; }
  void SetNote(std::string v) { FNote = std::move(v); }
  bool Taxless() const { return FTaxless; }
  void SetTaxless(bool v) { FTaxless = v; }
  bool SubTotalLineFlg() const { return FSubTotalLineFlg; }
  void SetSubTotalLineFlg(bool v) { FSubTotalLineFlg = v; }
  TMxPicture& Pic() { return FPic; }
  const TMxPicture& Pic() const { return FPic; }
  // The bytes of its text fields as the file held them, for writing them back unchanged.
  TextOrigins& FileTexts() { return FFileTexts; }
  const TextOrigins& FileTexts() const { return FFileTexts; }

 private:
  std::string FName;
  Currency FNum;
  std::int32_t FClassNo = 0;
  std::string FFreeEdit;
  std::string FItemUnit;
  Currency FPrice;
  Currency FCost;
  Currency FTotalPrice;
  std::string FNote;
  bool FTaxless = false;
  bool FSubTotalLineFlg = false;
  TMxPicture FPic;
  TextOrigins FFileTexts;
};

class TMxCustomerObject {
 public:
  const std::string& CustomerCode() const { return FCustomerCode; }
  void SetCustomerCode(std::string v) { FCustomerCode = std::move(v); }
  const std::string& CustomerName1() const { return FCustomerName1; }
  void SetCustomerName1(std::string v) { FCustomerName1 = std::move(v); }
  const std::string& CustomerName2() const { return FCustomerName2; }
  void SetCustomerName2(std::string v) { FCustomerName2 = std::move(v); }
  const std::string& CustomerName3() const { return FCustomerName3; }
  void SetCustomerName3(std::string v) { FCustomerName3 = std::move(v); }
  const std::string& CustomerNameTitle() const { return FCustomerNameTitle; }
  void SetCustomerNameTitle(std::string v) { FCustomerNameTitle = std::move(v); }
  const std::string& ZipNo() const { return FZipNo; }
  void SetZipNo(std::string v) { FZipNo = std::move(v); }
  const std::string& Address1() const { return FAddress1; }
  void SetAddress1(std::string v) { FAddress1 = std::move(v); }
  const std::string& Address2() const { return FAddress2; }
  void SetAddress2(std::string v) { FAddress2 = std::move(v); }
  const std::string& TelNo() const { return FTelNo; }
  void SetTelNo(std::string v) { FTelNo = std::move(v); }
  const std::string& FaxNo() const { return FFaxNo; }
  void SetFaxNo(std::string v) { FFaxNo = std::move(v); }

  friend bool operator==(const TMxCustomerObject&, const TMxCustomerObject&) = default;

 private:
  std::string FCustomerCode;
  std::string FCustomerName1;
  std::string FCustomerName2;
  std::string FCustomerName3;
  std::string FCustomerNameTitle;
  std::string FZipNo;
  std::string FAddress1;
  std::string FAddress2;
  std::string FTelNo;
  std::string FFaxNo;
};

}  // namespace qm
