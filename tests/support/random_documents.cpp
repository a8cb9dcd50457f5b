#include "support/random_documents.h"

#include <iterator>

namespace qmtest {

using namespace qm;

std::string RandomTexts::Text(int maxChars) {
  static const char* const pool[] = {"見", "積", "工", "事", "Ａ", "１", "a", "Z", "7", " ", "-", "ｱ", "ｶﾞ", "㈱", "（", "）", "＃"};
  const int chars = Pick(0, maxChars);
  std::string s;
  for (int i = 0; i < chars; ++i) s += pool[Pick(0, static_cast<int>(std::size(pool)) - 1)];
  return s;
}

long long RandomTexts::Amount(int digits) {
  long long v = 0;
  const int n = Pick(0, digits);
  for (int i = 0; i < n; ++i) v = v * 10 + Pick(0, 9);
  return v;
}

void FillDocument(RandomTexts& r, TMxEstimateObjectList& doc, TMxCampanyInfoManager& companies) {
  doc.Clear();
  const int lines = r.Pick(1, 70);
  for (int i = 0; i < lines; ++i) {
    auto line = std::make_unique<TMxEstimateObject>();
    line->SetName(r.Text(70));
    line->SetNum(Currency::FromYen(r.Amount(4)));  // 70 lines stay inside the amount range
    line->SetPrice(Currency::FromYen(r.Amount(9)));
    line->SetCost(Currency::FromYen(r.Amount(9)));
    line->SetItemUnit(r.Text(4));
    line->SetNote(r.Text(110));
    line->SetFreeEdit(r.Text(20));
    line->DoCalc();
    doc.Add(std::move(line));
  }
  doc.SetTaxRate(Currency::FromYen(10));
  doc.DoCalc();
  doc.SetEtcStr(r.Text(120) + "\r\n" + r.Text(120));
  doc.SetSlipCodeStr(r.Text(20));
  doc.SetSlipDateStrYY("令和8");
  doc.SetSlipDateStrMM("12");
  doc.SetSlipDateStrDD("9");
  TMxCustomerObject& cu = doc.CustomerInfo();
  cu.SetCustomerName1(r.Text(50));
  cu.SetCustomerName2(r.Text(50));
  cu.SetCustomerName3(r.Text(50));
  cu.SetCustomerNameTitle(r.Flip() ? "様" : "御中");
  cu.SetCustomerCode(r.Text(30));
  cu.SetZipNo(r.Text(12));
  cu.SetAddress1(r.Text(60));
  cu.SetAddress2(r.Text(60));
  TMxCampanyInfo& co = companies.CampanyInfoArray(0);
  co.SetCampanyName1(r.Text(50));
  co.SetCampanyName2(r.Text(50));
  co.SetCampanyName3(r.Text(50));
  co.SetZipNo(r.Text(12));
  co.SetAddress1(r.Text(60));
  co.SetAddress2(r.Text(60));
  co.SetChargeName(r.Text(30));
  co.SetTelFax(r.Text(50));
  co.PayBankAccount(0).SetBankName(r.Text(60));
  co.PayBankAccount(0).SetBankNo(r.Text(60));
  co.PayBankAccount(0).SetBankOwnerName(r.Text(60));
  // Half the time an issuer of qualified invoices, with taxless lines and either way of
  // entering the tax.
  co.SetRegistNo("");
  if (r.Flip()) {
    std::string number = "T";
    for (int i = 0; i < 13; ++i) number += static_cast<char>('0' + r.Pick(0, 9));
    co.SetRegistNo(number);
    for (int i = 0; i < doc.Count(); ++i) doc.Items(i).SetTaxless(r.Pick(0, 3) == 0);
    doc.SetTaxInputModeIncludeTax(r.Flip());
    doc.DoCalc();
  }
}

void FillMasters(RandomTexts& r, TMxItemObjectList& items, TMxCustomerObjectList& customers) {
  items.Clear();
  customers.Clear();
  for (int i = 0; i < 20; ++i) {
    auto item = std::make_unique<TMxItemObject>();
    item->SetItemName(r.Text(80));
    item->SetItemUnit(r.Text(8));
    item->SetItemPrice(Currency::FromYen(r.Amount(12)));
    item->SetItemCost(Currency::FromYen(r.Amount(12)));
    items.Add(std::move(item));
    auto c = std::make_unique<TMxCustomerObject>();
    c->SetCustomerCode(r.Text(15));
    c->SetCustomerName1(r.Text(40));
    c->SetCustomerName2(r.Text(40));
    c->SetCustomerName3(r.Text(40));
    c->SetZipNo(r.Text(12));
    c->SetAddress1(r.Text(70));
    c->SetAddress2(r.Text(70));
    c->SetTelNo(r.Text(25));
    c->SetFaxNo(r.Text(25));
    customers.Add(std::move(c));
  }
}

TPrintMitsuOptions RandomChartOptions(RandomTexts& r) {
  TPrintMitsuOptions o;
  o.PrintFreeEdit = r.Flip();
  o.PrintCost = r.Flip();
  o.PrintNote = r.Flip();
  o.PrintBank = r.Flip();
  o.ChangeSR = r.Flip();
  o.PrintName = r.Flip();
  o.PrintStampArea = r.Flip();
  o.CheckStampMsg = r.Text(8);
  return o;
}

TPrintReceiptOptions RandomReceiptOptions(RandomTexts& r) {
  TPrintReceiptOptions o;
  o.ProvisoText = r.Text(60);
  o.PrintName = r.Flip();
  o.PrintRevenueStampArea = r.Flip();
  for (int i = 0; i < 4; ++i) {
    o.UchiLabel[i] = r.Text(25);
    o.UchiPrice[i] = r.Flip() ? std::to_string(r.Amount(12)) : std::string();
  }
  return o;
}

TPrintTotalClaimOptions RandomTotalClaimOptions(RandomTexts& r) {
  TPrintTotalClaimOptions o;
  o.PreClaim = std::to_string(r.Amount(12));
  o.PrePaid = std::to_string(r.Amount(12));
  o.PrintBank = r.Flip();
  o.PrintName = r.Flip();
  CalcResult(o);
  return o;
}

TPrintFaxOptions RandomFaxOptions(RandomTexts& r) {
  TPrintFaxOptions o;
  o.Title = r.Text(80);
  o.PaperNum = r.Pick(1, 1000);
  o.Option1 = o.Option2 = o.Option3 = o.Option4 = r.Flip();
  o.Content = r.Text(90) + "\r\n" + r.Text(90);
  return o;
}

}  // namespace qmtest
