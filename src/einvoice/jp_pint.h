#pragma once
// Japan's e-invoice: a JP PINT invoice (Peppol PINT for Japan, a UBL 2.1 Invoice, in
// UTF-8) made from a document printed as 請求書, 請求明細書 or 合計請求書. The seller is
// the company profile of the print job, the buyer the document's customer block, one
// invoice line for every line with an amount, and per rate one tax subtotal whose tax is
// rounded once on the rate's sum, so that every total adds up by the rules' arithmetic.
#include <QDate>

#include <optional>
#include <string>
#include <vector>

#include "model/company_info.h"
#include "model/estimate_list.h"
#include "model/peppol_ids.h"
#include "print/document_kinds.h"
#include "print/print_job.h"

namespace qm::einvoice {

// The kinds an e-invoice is made from.
bool MakesEInvoice(TChartType kind);

struct Period {
  QDate start, end;
};
// "2026-12-01:2026-12-31" (either date in any form the program reads as a date); nullopt
// when it is not two dates with the end on or after the start.
std::optional<Period> ParsePeriod(const std::string& text);
// The calendar month of `date`.
Period MonthOf(const QDate& date);

struct Request {
  TChartType kind = TChartType::tcSeikyu;
  const TMxEstimateObjectList* doc = nullptr;
  const TMxCampanyInfo* seller = nullptr;
  std::optional<PeppolId> buyerEndpoint;  // the customer's, or the one given in its place
  std::optional<Period> period;           // the calendar month of the slip date when empty
  std::string documentName;               // the ID when the slip has no number
};

// The request of a print job of one of the three kinds (its document and company profile).
// Throws qm::Error (the refusal for the user) for any other kind.
Request RequestOf(const PrintJob& job);

// The UN/ECE Rec 20 code of a unit as typed; "H87" (piece) for a unit outside the table.
// A lump sum typed as an amount without a unit is "LS".
std::string UnitCodeOf(const std::string& unit);

// The invoice as it goes into the file. Throws qm::Error with the refusal for the user
// when it cannot be made: no registration number or no Peppol ID in the profile, no
// Peppol ID for the buyer, a slip date that is no date, another kind, an amount that two
// decimals cannot state.
std::string WriteJpPint(const Request& request);

// Refusals, as the dialog and qm say them.
namespace msg {
inline constexpr const char* kWrongKind =
    "デジタルインボイスは請求書・請求明細書・合計請求書から出力できます。";
inline constexpr const char* kNoRegistNo =
    "選択した自社情報に登録番号がありません。自社情報の登録で登録番号を入力してください。";
inline constexpr const char* kNoSellerEndpoint =
    "選択した自社情報に Peppol ID がありません。自社情報の登録で入力してください。";
std::string NoBuyerEndpoint(const std::string& customer);
std::string BadSlipDate(const std::string& yy, const std::string& mm, const std::string& dd);
std::string TooPrecise(const std::string& amount);
inline constexpr const char* kNoLine = "金額のある明細がありません。";
inline constexpr const char* kNoId = "伝票番号がありません。伝票番号を入力するか、書類を保存してください。";
inline constexpr const char* kNoCustomer = "得意先の会社名がありません。";
inline constexpr const char* kTotalClaimTaxless =
    "この合計請求書の消費税は明細の金額と税率から求まる額と合いません（非課税の金額を含む書類をファイル単位で"
    "まとめた場合など）。各行単位でまとめてください。";
inline constexpr const char* kMixedTotalClaim =
    "税込で入力した書類と税抜で入力した書類を各行単位でまとめた合計請求書からは出力できません。"
    "ファイル単位でまとめてください。";
}  // namespace msg

}  // namespace qm::einvoice
