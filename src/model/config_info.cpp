#include "model/config_info.h"

#include <QFile>
#include <QFileInfo>
#include <variant>

#include "base/atomic_file.h"
#include "base/checked_index.h"
#include "base/ini_file.h"
#include "base/ini_values.h"
#include "model/settings_images.h"

namespace qm {
namespace {
constexpr const char* kSection = "SETTING";
}

// How one key of [SETTING] maps onto a field.
struct TMxConfigInfo::Key {
  const char* name;
  const char* property;
  std::variant<Currency TMxConfigInfo::*, std::string TMxConfigInfo::*, bool TMxConfigInfo::*,
               std::int32_t TMxConfigInfo::*, TColor TMxConfigInfo::*>
      field;
  const char* def;       // the default in the key's own text form
  bool written = true;   // FAX_TITLE is left to whoever edits the file by hand
};

const std::array<TMxConfigInfo::Key, 51>& TMxConfigInfo::Keys() {
  using C = TMxConfigInfo;
  static const std::array<Key, 51> keys = {{
      {"TAX", "TaxRate", &C::FTaxRate, "10"},
      {"MONETARY", "CurrencyMark", &C::FCurrencyMark, "￥"},
      {"PRINTCUSCODE", "PrintCheckCusCode", &C::FPrintCheckCusCode, "1"},
      {"NOTAXNOSUB", "TaxLessNotPrintSubTotal", &C::FTaxLessNotPrintSubTotal, "1"},
      {"EXITALERT", "ConfirmExit", &C::FConfirmExit, "1"},
      {"OPENALERT", "ConfirmOpenOrMake", &C::FConfirmOpenOrMake, "1"},
      {"FONTSIZE", "SenderFontSize", &C::FSenderFontSize, "12"},
      {"PRINTDECIMAL", "PrintDecimalPoint", &C::FPrintDecimalPoint, "0"},
      {"PRINTBUNRUI", "PrintBunrui", &C::FPrintBunrui, "0"},
      {"EST_TITLE", "PrintMsgEstimateTitle", &C::FPrintMsgEstimateTitle, "御 見 積 書"},
      {"EST_MSG", "PrintMsgEstimateMessage", &C::FPrintMsgEstimateMessage, "下記の通り御見積り申し上げます。"},
      {"UNIT_PRICE_EST_TITLE", "PrintMsgUnitPriceEstimateTitle", &C::FPrintMsgUnitPriceEstimateTitle, "単価見積書"},
      {"UNIT_PRICE_EST_MSG", "PrintMsgUnitPriceEstimateMessage", &C::FPrintMsgUnitPriceEstimateMessage, "下記の通り御見積り申し上げます。"},
      {"DELIVER_TITLE", "PrintMsgDeliverTitle", &C::FPrintMsgDeliverTitle, "納 品 書"},
      {"DELIVER_MSG", "PrintMsgDeliverMessage", &C::FPrintMsgDeliverMessage, "下記の通り納品致しました。"},
      {"CLAIM_TITLE", "PrintMsgClaimTitle", &C::FPrintMsgClaimTitle, "請 求 書"},
      {"CLAIM_MSG", "PrintMsgClaimMessage", &C::FPrintMsgClaimMessage, "下記の通り御請求致します。"},
      {"CLAIM_DETAIL_TITLE", "PrintMsgClaimDetailsTitle", &C::FPrintMsgClaimDetailsTitle, "請 求 明 細 書"},
      {"CLAIM_DETAIL_MSG", "PrintMsgClaimDetailsMessage", &C::FPrintMsgClaimDetailsMessage, "下記の通り御請求致します。"},
      {"TOTAL_CLAIM_TITLE", "PrintMsgTotalClaimTitle", &C::FPrintMsgTotalClaimTitle, "合 計 請 求 書"},
      {"TOTAL_CLAIM_MSG", "PrintMsgTotalClaimMessage", &C::FPrintMsgTotalClaimMessage, "毎度ありがとうございます。下記の通り御請求致します。"},
      {"RECEIVE_TITLE", "PrintMsgReceiveTitle", &C::FPrintMsgReceiveTitle, "物 品 受 領 書"},
      {"RECEIVE_MSG", "PrintMsgReceiveMessage", &C::FPrintMsgReceiveMessage, "下記の通り受領致しました。"},
      {"RECEIPT_TITLE", "PrintMsgReceiptTitle", &C::FPrintMsgReceiptTitle, "領 収 書"},
      {"RECEIPT_MSG", "PrintMsgReceiptMessage", &C::FPrintMsgReceiptMessage, "上記の金額正に領収致しました。"},
      {"FAX_TITLE", "PrintMsgFaxSenderTitle", &C::FPrintMsgFaxSenderTitle, "FAX送信のご案内", false},
      {"KOUJI_UTIWAKE_TITLE", "PrintMsgKoujiUtiwakeTitle", &C::FPrintMsgKoujiUtiwakeTitle, "内 訳 書"},
      {"KOUJI_UTIWAKE_MSG", "PrintMsgKoujiUtiwakeMessage", &C::FPrintMsgKoujiUtiwakeMessage, "下記の通り御見積り申し上げます。"},
      {"KOUJI_NAME", "PrintHeadKoujiName", &C::FPrintHeadKoujiName, "工事名称"},
      {"PLACE", "PrintHeadPlace", &C::FPrintHeadPlace, "納入場所"},
      {"CONDITION", "PrintHeadCondition", &C::FPrintHeadCondition, "支払条件"},
      {"LIMIT", "PrintHeadLimit", &C::FPrintHeadLimit, "工事期間"},
      {"ITEM_NAME", "PrintHeadItemName", &C::FPrintHeadItemName, "品名"},
      {"ART", "PrintHeadNum", &C::FPrintHeadNum, "数量"},
      {"UNIT_NAME", "PrintHeadItemUnit", &C::FPrintHeadItemUnit, "単位"},
      {"UNIT_PRICE", "PrintHeadUnitPrice", &C::FPrintHeadUnitPrice, "単価"},
      {"PRICE", "PrintHeadPrice", &C::FPrintHeadPrice, "金額"},
      {"NOTE", "PrintHeadNote", &C::FPrintHeadNote, "備考"},
      {"FREEEDIT", "PrintHeadFreeEdit", &C::FPrintHeadFreeEdit, "自由項目"},
      {"COST", "PrintHeadCost", &C::FPrintHeadCost, "原価"},
      {"CLASSNO", "PrintHeadClassNo", &C::FPrintHeadClassNo, "分類"},
      {"NATSUIN_1", "NatsuinName1", &C::FNatsuinName1, "捺印１"},
      {"NATSUIN_2", "NatsuinName2", &C::FNatsuinName2, "捺印２"},
      {"NATSUIN_3", "NatsuinName3", &C::FNatsuinName3, "捺印３"},
      {"NATSUIN_4", "NatsuinName4", &C::FNatsuinName4, "捺印４"},
      {"NATSUIN_5", "NatsuinName5", &C::FNatsuinName5, "捺印５"},
      {"NATSUIN_6", "NatsuinName6", &C::FNatsuinName6, "捺印６"},
      {"LINE_COLOR_ODD", "LineColorOdd", &C::FLineColorOdd, "15780518"},
      {"LINE_COLOR_EVEN", "LineColorEven", &C::FLineColorEven, "16777215"},
      {"PDF_EMBED_FONTS", "PdfEmbedFonts", &C::FPdfEmbedFonts, "1"},
      {"ISSUE_ARCHIVE", "IssueArchive", &C::FIssueArchive, "1"},
  }};
  return keys;
}

TMxConfigInfo::TMxConfigInfo(const std::string& imgDir) : FImgPath(WithTrailingSeparator(imgDir)) {}

TMxPicture& TMxConfigInfo::ImgStamp(int index) { return CheckedAt(FImgStamp, index, "捺印"); }

const TMxPicture& TMxConfigInfo::ImgStamp(int index) const { return CheckedAt(FImgStamp, index, "捺印"); }

std::string TMxConfigInfo::StampFileName(int index) const {
  return FImgPath + "pstamp" + std::to_string(index) + ".bmp";
}

void TMxConfigInfo::LoadConfig(const std::string& fileName) {
  const IniFile ini = IniFile::Load(fileName);
  for (const Key& k : Keys()) {
    std::visit(
        [&](auto member) {
          using T = std::remove_reference_t<decltype(this->*member)>;
          if constexpr (std::is_same_v<T, Currency>)
            this->*member = ReadIniRate(ini, kSection, k.name, Currency::ParseDecimal(k.def));
          else if constexpr (std::is_same_v<T, std::string>)
            this->*member = ini.ReadString(kSection, k.name, k.def);
          else if constexpr (std::is_same_v<T, bool>)
            this->*member = ReadIniBool(ini, kSection, k.name, std::string_view(k.def) != "0");
          else if constexpr (std::is_same_v<T, std::int32_t>)
            this->*member = ReadIniInteger(ini, kSection, k.name, std::stoi(k.def));
          else
            this->*member = ReadIniColor(ini, kSection, k.name, static_cast<TColor>(std::stoul(k.def)));
        },
        k.field);
  }
  for (int i = 0; i < kImgMaxRegistCount; ++i) LoadBitmapFile(StampFileName(i), FImgStamp[static_cast<std::size_t>(i)]);
}

std::vector<TMxConfigInfo::Entry> TMxConfigInfo::Entries() const {
  std::vector<Entry> entries;
  for (const Key& k : Keys())
    std::visit([&](auto member) { entries.push_back({k.name, k.property, Value(this->*member)}); }, k.field);
  return entries;
}

void TMxConfigInfo::SaveConfig(const std::string& fileName) const {
  IniFile ini = IniFile::Load(fileName);
  for (const Key& k : Keys()) {
    if (!k.written) continue;
    std::visit(
        [&](auto member) {
          using T = std::remove_cvref_t<decltype(this->*member)>;
          if constexpr (std::is_same_v<T, Currency>)
            ini.WriteString(kSection, k.name, IniRateText(this->*member));
          else if constexpr (std::is_same_v<T, std::string>)
            ini.WriteString(kSection, k.name, this->*member);
          else if constexpr (std::is_same_v<T, bool>)
            ini.WriteString(kSection, k.name, IniBoolText(this->*member));
          else  // integers and colours: decimal
            ini.WriteString(kSection, k.name, std::to_string(this->*member));
        },
        k.field);
  }
  ini.Save(fileName);
  for (int i = 0; i < kImgMaxRegistCount; ++i) SaveBitmapFile(StampFileName(i), FImgStamp[static_cast<std::size_t>(i)]);
}

}  // namespace qm
