#include "model/line_editing.h"

#include <memory>

namespace qm {
namespace {

bool IsLine(const TMxEstimateObjectList& doc, int index) { return index >= 0 && index < doc.Count(); }

// The insert test and move shared by both inserts.
LineEdit PullLastLineTo(TMxEstimateObjectList& doc, int current) {
  if (doc.TotalClaimMode()) return LineEdit::TotalClaim;
  if (!IsLine(doc, current)) return LineEdit::NoCurrentLine;
  const int last = doc.Count() - 1;
  if (!doc.Items(last).Uninput() || current == last) return LineEdit::NoRoom;
  doc.Insert(current, doc.Extract(last));
  return LineEdit::Done;
}

}  // namespace

void CopyLineContent(const TMxEstimateObject& from, TMxEstimateObject& to) {
  if (&from != &to) to = from;  // the picture bytes are copied, not shared
}

LineEdit CopyLine(const TMxEstimateObjectList& doc, int current, TMxEstimateObject& buffer) {
  if (doc.TotalClaimMode()) return LineEdit::TotalClaim;
  if (!IsLine(doc, current)) return LineEdit::NoCurrentLine;
  CopyLineContent(doc.Items(current), buffer);
  return LineEdit::Done;
}

LineEdit PasteLine(TMxEstimateObjectList& doc, int current, const TMxEstimateObject& buffer) {
  if (doc.TotalClaimMode()) return LineEdit::TotalClaim;
  if (!IsLine(doc, current)) return LineEdit::NoCurrentLine;
  CopyLineContent(buffer, doc.Items(current));
  doc.DoCalc();
  return LineEdit::Done;
}

LineEdit MoveLine(TMxEstimateObjectList& doc, int current, int delta) {
  if (!IsLine(doc, current)) return LineEdit::NoCurrentLine;
  const int to = current + delta;
  if (!IsLine(doc, to)) return LineEdit::CannotMove;
  doc.Insert(to, doc.Extract(current));
  doc.DoCalc();
  return LineEdit::Done;
}

LineEdit InsertBlankLine(TMxEstimateObjectList& doc, int current) { return PullLastLineTo(doc, current); }

LineEdit InsertSubTotalLine(TMxEstimateObjectList& doc, int current) {
  const LineEdit result = PullLastLineTo(doc, current);
  if (result != LineEdit::Done) return result;
  doc.ToSubTotalLine(current);
  doc.DoCalc();
  return LineEdit::Done;
}

LineEdit DeleteLine(TMxEstimateObjectList& doc, int current) {
  if (doc.TotalClaimMode()) return LineEdit::TotalClaim;
  if (!IsLine(doc, current)) return LineEdit::NoCurrentLine;
  doc.Extract(current);
  doc.Add(std::make_unique<TMxEstimateObject>());
  doc.DoCalc();
  return LineEdit::Done;
}

bool AnyFilled(const TMxEstimateObjectList& doc, int first, int end) {
  for (int i = std::max(first, 0); i < end && i < doc.Count(); ++i)
    if (!doc.Items(i).Uninput()) return true;
  return false;
}

void AddBlankLines(TMxEstimateObjectList& doc, int count) {
  for (int i = 0; i < count; ++i) doc.Add(std::make_unique<TMxEstimateObject>());
}

void RemoveLastLines(TMxEstimateObjectList& doc, int count) {
  for (int i = 0; i < count && doc.Count() > 0; ++i) doc.Extract(doc.Count() - 1);
}

void SetNewHeader(TMxEstimateObjectList& doc, const EraDate& today) {
  TMxCustomerObject customer;
  customer.SetCustomerNameTitle("御中");
  doc.CustomerInfo() = customer;
  doc.SetSlipCodeStr({});
  doc.SetSlipDateStrYY(today.yy);
  doc.SetSlipDateStrMM(today.mm);
  doc.SetSlipDateStrDD(today.dd);
  doc.SetKoujiNameStr({});
  doc.SetSlipLimitStr({});
  doc.SetDeliveryPlaceStr({});
  doc.SetPayConditionStr({});
  doc.SetEtcStr({});
  doc.SetMemoStr({});
}

void SetDefaultCalculation(TMxEstimateObjectList& doc) {
  doc.SetTaxCalcLine(false);
  doc.SetTaxDecimalMode(TCalcDecimal::cdRoundDown);
  doc.SetTaxInputModeIncludeTax(false);
  doc.SetSubTotalDecimalMode(TCalcDecimal::cdRoundDown);
}

void ResetToNewDocument(TMxEstimateObjectList& doc) {
  doc.SetFileName("");
  doc.SetTotalClaimMode(false);
  doc.Clear();
  AddBlankLines(doc, kMinimumLines);
  SetDefaultCalculation(doc);
  doc.SetSubTotalPrice(Currency());
  doc.SetTotalTax(Currency());
  doc.SetTotalPrice(Currency());
  doc.DoCalc();
}

}  // namespace qm
