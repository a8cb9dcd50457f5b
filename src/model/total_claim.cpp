#include "model/total_claim.h"

#include "base/error.h"
#include "model/line_editing.h"

namespace qm {
namespace {

// Adds `b` to `sum`; false when the sum leaves the amount range.
bool AddTo(Currency& sum, Currency b) {
  const auto result = Currency::TryFromScaled(static_cast<long double>(sum.Raw()) + static_cast<long double>(b.Raw()));
  if (!result) return false;
  sum = *result;
  return true;
}

// The line fields a per-line bill copies (not the picture).
std::unique_ptr<TMxEstimateObject> CopyOfLine(const TMxEstimateObject& from) {
  auto line = std::make_unique<TMxEstimateObject>();
  line->SetClassNo(from.ClassNo());
  line->SetFreeEdit(from.FreeEdit());
  line->SetName(from.Name());
  line->SetNum(from.Num());
  line->SetItemUnit(from.ItemUnit());
  line->SetPrice(from.Price());
  line->SetCost(from.Cost());
  line->SetTotalPrice(from.TotalPrice());
  line->SetNote(from.Note());
  line->SetTaxless(from.Taxless());
  line->SetSubTotalLineFlg(from.SubTotalLineFlg());
  return line;
}

}  // namespace

void MakeTotalClaim(TotalClaimMode mode, const std::vector<TotalClaimSource>& sources, TMxEstimateObjectList& doc,
                    const EraDate& today) {
  // Everything is read and summed into a new document first; `doc` changes only at the end.
  TMxEstimateObjectList bill;
  std::vector<std::unique_ptr<TMxEstimateObject>> lines;
  Currency grand, taxSum, subtotalSum;
  bool taxIncluded = false;
  bool first = true;
  TMxCustomerObject customer;
  customer.SetCustomerNameTitle("御中");
  for (const TotalClaimSource& source : sources) {
    TMxEstimateObjectList scratch;
    scratch.LoadFile(source.path);  // the error names the file
    if (first) {
      customer = scratch.CustomerInfo();
      first = false;
    }
    const bool included = scratch.TaxInputModeIncludeTax();
    bool inRange = AddTo(taxSum, scratch.TotalTax()) && AddTo(subtotalSum, scratch.SubTotalPrice());
    if (mode == TotalClaimMode::PerFile) {
      Currency amount = scratch.SubTotalPrice();
      if (!included) inRange = inRange && AddTo(amount, scratch.TotalTax());
      auto line = std::make_unique<TMxEstimateObject>();
      line->SetName(source.name);
      line->SetTotalPrice(amount);
      lines.push_back(std::move(line));
      inRange = inRange && AddTo(grand, amount);
    } else {
      for (int i = 0; i < scratch.Count(); ++i) {
        const TMxEstimateObject& line = scratch.Items(i);
        if (line.SubTotalLineFlg() || line.Uninput()) continue;
        lines.push_back(CopyOfLine(line));
      }
      inRange = inRange && AddTo(grand, scratch.SubTotalPrice());
      if (!included) inRange = inRange && AddTo(grand, scratch.TotalTax());
    }
    if (!inRange) throw Error(source.path + ": 合計が金額の範囲を超えます。");
    taxIncluded = taxIncluded || included;
  }

  // The new total invoice, then in place of the document.
  bill.AssignHeader(doc);  // the tax rate and the four print switches stay the document's
  ResetToNewDocument(bill);
  SetNewHeader(bill, today);
  bill.SetTotalClaimMode(true);
  bill.CustomerInfo() = customer;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    if (static_cast<int>(k) < kMinimumLines) bill.SetItems(static_cast<int>(k), std::move(lines[k]));
    else bill.Add(std::move(lines[k]));
  }
  bill.SetTaxInputModeIncludeTax(taxIncluded);
  bill.SetTotalPrice(grand);
  bill.SetTotalTax(taxSum);
  bill.SetSubTotalPrice(subtotalSum);
  doc = std::move(bill);
}

}  // namespace qm
