#pragma once
// The customer, item and unit masters.
#include <string>

#include "base/currency.h"
#include "model/estimate_object.h"
#include "model/master_list.h"

namespace qm {

class TMxItemObject {
 public:
  const std::string& ItemName() const { return FItemName; }
  void SetItemName(std::string v) { FItemName = std::move(v); }
  const std::string& ItemUnit() const { return FItemUnit; }
  void SetItemUnit(std::string v) { FItemUnit = std::move(v); }
  Currency ItemPrice() const { return FItemPrice; }  // unit price
  void SetItemPrice(Currency v) { FItemPrice = v; }
  Currency ItemCost() const { return FItemCost; }  // cost price
  void SetItemCost(Currency v) { FItemCost = v; }

  friend bool operator==(const TMxItemObject&, const TMxItemObject&) = default;

 private:
  std::string FItemName;
  std::string FItemUnit;
  Currency FItemPrice;
  Currency FItemCost;
};

class TMxItemUnitObject {
 public:
  const std::string& ItemUnit() const { return FItemUnit; }
  void SetItemUnit(std::string v) { FItemUnit = std::move(v); }

  friend bool operator==(const TMxItemUnitObject&, const TMxItemUnitObject&) = default;

 private:
  std::string FItemUnit;
};

// Customer.dat: one customer per line, nine comma-text fields (the honorific is not
// kept). Loading appends to what the list holds.
class TMxCustomerObjectList : public MasterList<TMxCustomerObject> {
 public:
  // Appends one customer per line; a missing file adds nothing. A line with fewer than
  // nine fields stops loading with qm::Error; the customers before it stay.
  void LoadConfig(const std::string& fileName);
  // Replaces the file with the whole list; refused after an incomplete load.
  void SaveConfig(const std::string& fileName) const;
  // A heading line, then the customers as in Customer.dat.
  void ExportCSV(const std::string& fileName) const;
};

// ItemList.dat: name, unit, price and cost per line, amounts as Decimal text.
class TMxItemObjectList : public MasterList<TMxItemObject> {
 public:
  // Frees every item, then reads the file when it exists. A line with fewer than two
  // fields stops loading with qm::Error; a price or cost that is no number reads as 0.
  void LoadConfig(const std::string& fileName);
  void SaveConfig(const std::string& fileName) const;
};

// ItemUnit.dat: one unit per line, the text as it stands.
class TMxItemUnitObjectList : public MasterList<TMxItemUnitObject> {
 public:
  void LoadConfig(const std::string& fileName);
  void SaveConfig(const std::string& fileName) const;
};

}  // namespace qm
