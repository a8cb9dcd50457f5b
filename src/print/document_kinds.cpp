#include "print/document_kinds.h"

#include <charconv>

#include "base/error.h"

namespace qm {
namespace {

using C = TMxConfigInfo;
using K = TChartType;
using F = KindFamily;

constexpr RowsPerPage kPortraitRows{20, 25, 40, 35};
constexpr RowsPerPage kLandscapeRows{10, 15, 30, 25};
// The unit-price estimate has no total and page-total rows: they hold items.
constexpr RowsPerPage kTankaPortraitRows{23, 26, 41, 38};
constexpr RowsPerPage kTankaLandscapeRows{13, 16, 31, 28};
constexpr RowsPerPage kNoRows{};

}  // namespace

const std::vector<DocumentKind>& DocumentKinds() {
  static const std::vector<DocumentKind> kinds = {
      {K::tcMitumori, "tcMitumori", "MITSU", "見積書印刷", "見積書", "estimate", F::Estimate,
       &C::PrintMsgEstimateTitle, &C::PrintMsgEstimateMessage, kPortraitRows, kLandscapeRows},
      {K::tcTankaMitumori, "tcTankaMitumori", "TANKA", "単価見積書印刷", "単価見積書", "unit_price_estimate",
       F::Estimate, &C::PrintMsgUnitPriceEstimateTitle, &C::PrintMsgUnitPriceEstimateMessage, kTankaPortraitRows,
       kTankaLandscapeRows},
      {K::tcNouhin, "tcNouhin", "NOUHIN", "納品書印刷", "納品書", "delivery_note", F::Estimate,
       &C::PrintMsgDeliverTitle, &C::PrintMsgDeliverMessage, kPortraitRows, kLandscapeRows},
      {K::tcSeikyu, "tcSeikyu", "SEIKYU", "請求書印刷", "請求書", "invoice", F::Estimate, &C::PrintMsgClaimTitle,
       &C::PrintMsgClaimMessage, kPortraitRows, kLandscapeRows},
      {K::tcJyuryou, "tcJyuryou", "JYURYO", "受領書印刷", "物品受領書", "goods_receipt", F::Estimate,
       &C::PrintMsgReceiveTitle, &C::PrintMsgReceiveMessage, kPortraitRows, kLandscapeRows},
      {K::tcRyosyu, "tcRyosyu", "RYOSYU", "領収書印刷", "領収書", "receipt", F::Slip, &C::PrintMsgReceiptTitle,
       &C::PrintMsgReceiptMessage, kNoRows, kNoRows},
      {K::tcSeikyuMeisai, "tcSeikyuMeisai", "SEIKYU_MEISAI", "請求明細書印刷", "請求明細書", "invoice_detail",
       F::Estimate, &C::PrintMsgClaimDetailsTitle, &C::PrintMsgClaimDetailsMessage, kPortraitRows, kLandscapeRows},
      {K::tcGoukeiSeikyu, "tcGoukeiSeikyu", "GOUKEI_SEIKYU", "合計請求書印刷", "合計請求書", "total_invoice", F::Slip,
       &C::PrintMsgTotalClaimTitle, &C::PrintMsgTotalClaimMessage, kNoRows, kNoRows},
      {K::tcFaxSender, "tcFaxSender", "FAX", "FAX送信状印刷", "FAX送信状", "fax_cover", F::Slip,
       &C::PrintMsgFaxSenderTitle, nullptr, kNoRows, kNoRows},
      {K::tcItemList, "tcItemList", "ITEM_LIST", "品名リスト印刷", "品名リスト", "items", F::List, nullptr, nullptr,
       kNoRows, kNoRows},
      {K::tcCustomerList, "tcCustomerList", "CUSTOMER_LIST", "お客様一覧印刷", "お客様一覧", "customer", F::List,
       nullptr, nullptr, kNoRows, kNoRows},
      {K::tcKoujiUtiwake, "tcKoujiUtiwake", "KOUJI_UTIWAKE", "内訳書印刷", "内訳書", "breakdown", F::Estimate,
       &C::PrintMsgKoujiUtiwakeTitle, &C::PrintMsgKoujiUtiwakeMessage, kPortraitRows, kLandscapeRows},
  };
  return kinds;
}

const DocumentKind& KindOf(TChartType kind) {
  const std::size_t index = static_cast<std::size_t>(kind);
  if (index >= DocumentKinds().size()) throw Error("document kind " + std::to_string(index) + " does not exist");
  return DocumentKinds()[index];
}

std::optional<TChartType> FindKind(std::string_view text) {
  int number = -1;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  const bool numeric = ec == std::errc() && end == text.data() + text.size();
  for (const DocumentKind& k : DocumentKinds())
    if (text == k.cliName || (numeric && number == static_cast<int>(k.kind))) return k.kind;
  return std::nullopt;
}

bool IsEstimateFamily(TChartType kind) { return KindOf(kind).family == KindFamily::Estimate; }

const RowsPerPage& RowsOf(TChartType kind, bool landscape) {
  const DocumentKind& k = KindOf(kind);
  return landscape ? k.landscape : k.portrait;
}

void SetPageTitleAndMessage(TChartType kind, const TMxConfigInfo& config, std::string& title, std::string& msg) {
  const DocumentKind& k = KindOf(kind);
  if (!k.title) return;
  title = (config.*k.title)();
  if (k.message) msg = (config.*k.message)();
  else msg.clear();
}

}  // namespace qm
