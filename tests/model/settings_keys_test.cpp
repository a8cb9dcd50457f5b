// The key tables of conf.ini: [SETTING] and the three company profiles, against the
// committed fixtures in tests/data/settings, key by key.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "base/atomic_file.h"
#include "base/ini_file.h"
#include "base/ini_values.h"
#include "model/company_info.h"
#include "model/config_info.h"
#include "support/key_table.h"

using qm::Currency;
using qm::TMxCampanyInfo;
using qm::TMxCampanyInfoManager;
using qm::TMxConfigInfo;
using qmtest::KeyCase;

namespace {

using C = TMxConfigInfo;

#define NUMBER(key, Prop, value)                                                     \
  KeyCase<C> {                                                                        \
    key, value, [](C& c, const std::string& v) { c.Set##Prop(std::stoi(v)); },       \
        [](const C& c) { return std::to_string(c.Prop()); }                           \
  }
#define COLOUR(key, Prop, value)                                                                \
  KeyCase<C> {                                                                                   \
    key, value, [](C& c, const std::string& v) { c.Set##Prop(static_cast<qm::TColor>(std::stoul(v))); }, \
        [](const C& c) { return std::to_string(c.Prop()); }                                      \
  }

// Every key of [SETTING] as the fixture conf_setting.ini has it.
const std::vector<KeyCase<C>>& SettingCases() {
  static const std::vector<KeyCase<C>> cases = {
      KeyCase<C>{"TAX", "8.5", [](C& c, const std::string& v) { c.SetTaxRate(Currency::ParseDecimal(v)); },
                 [](const C& c) { return c.TaxRate().ToDecimalText(); }},
      qmtest::TextKey<C>("MONETARY", "＄", &C::SetCurrencyMark, &C::CurrencyMark),
      qmtest::FlagKey<C>("PRINTCUSCODE", "0", &C::SetPrintCheckCusCode, &C::PrintCheckCusCode),
      qmtest::FlagKey<C>("NOTAXNOSUB", "0", &C::SetTaxLessNotPrintSubTotal, &C::TaxLessNotPrintSubTotal),
      qmtest::FlagKey<C>("EXITALERT", "0", &C::SetConfirmExit, &C::ConfirmExit),
      qmtest::FlagKey<C>("OPENALERT", "0", &C::SetConfirmOpenOrMake, &C::ConfirmOpenOrMake),
      NUMBER("FONTSIZE", SenderFontSize, "14"),
      qmtest::FlagKey<C>("PRINTDECIMAL", "1", &C::SetPrintDecimalPoint, &C::PrintDecimalPoint),
      qmtest::FlagKey<C>("PRINTBUNRUI", "1", &C::SetPrintBunrui, &C::PrintBunrui),
      qmtest::TextKey<C>("EST_TITLE", "見積T", &C::SetPrintMsgEstimateTitle, &C::PrintMsgEstimateTitle),
      qmtest::TextKey<C>("EST_MSG", "見積M", &C::SetPrintMsgEstimateMessage, &C::PrintMsgEstimateMessage),
      qmtest::TextKey<C>("UNIT_PRICE_EST_TITLE", "単価T", &C::SetPrintMsgUnitPriceEstimateTitle, &C::PrintMsgUnitPriceEstimateTitle),
      qmtest::TextKey<C>("UNIT_PRICE_EST_MSG", "単価M", &C::SetPrintMsgUnitPriceEstimateMessage, &C::PrintMsgUnitPriceEstimateMessage),
      qmtest::TextKey<C>("DELIVER_TITLE", "納品T", &C::SetPrintMsgDeliverTitle, &C::PrintMsgDeliverTitle),
      qmtest::TextKey<C>("DELIVER_MSG", "納品M", &C::SetPrintMsgDeliverMessage, &C::PrintMsgDeliverMessage),
      qmtest::TextKey<C>("CLAIM_TITLE", "請求T", &C::SetPrintMsgClaimTitle, &C::PrintMsgClaimTitle),
      qmtest::TextKey<C>("CLAIM_MSG", "請求M", &C::SetPrintMsgClaimMessage, &C::PrintMsgClaimMessage),
      qmtest::TextKey<C>("CLAIM_DETAIL_TITLE", "明細T", &C::SetPrintMsgClaimDetailsTitle, &C::PrintMsgClaimDetailsTitle),
      qmtest::TextKey<C>("CLAIM_DETAIL_MSG", "明細M", &C::SetPrintMsgClaimDetailsMessage, &C::PrintMsgClaimDetailsMessage),
      qmtest::TextKey<C>("TOTAL_CLAIM_TITLE", "合計T", &C::SetPrintMsgTotalClaimTitle, &C::PrintMsgTotalClaimTitle),
      qmtest::TextKey<C>("TOTAL_CLAIM_MSG", "合計M", &C::SetPrintMsgTotalClaimMessage, &C::PrintMsgTotalClaimMessage),
      qmtest::TextKey<C>("RECEIVE_TITLE", "受領T", &C::SetPrintMsgReceiveTitle, &C::PrintMsgReceiveTitle),
      qmtest::TextKey<C>("RECEIVE_MSG", "受領M", &C::SetPrintMsgReceiveMessage, &C::PrintMsgReceiveMessage),
      qmtest::TextKey<C>("RECEIPT_TITLE", "領収T", &C::SetPrintMsgReceiptTitle, &C::PrintMsgReceiptTitle),
      qmtest::TextKey<C>("RECEIPT_MSG", "領収M", &C::SetPrintMsgReceiptMessage, &C::PrintMsgReceiptMessage),
      qmtest::TextKey<C>("FAX_TITLE", "送信T", &C::SetPrintMsgFaxSenderTitle, &C::PrintMsgFaxSenderTitle),
      qmtest::TextKey<C>("KOUJI_UTIWAKE_TITLE", "内訳T", &C::SetPrintMsgKoujiUtiwakeTitle, &C::PrintMsgKoujiUtiwakeTitle),
      qmtest::TextKey<C>("KOUJI_UTIWAKE_MSG", "内訳M", &C::SetPrintMsgKoujiUtiwakeMessage, &C::PrintMsgKoujiUtiwakeMessage),
      qmtest::TextKey<C>("KOUJI_NAME", "工事H", &C::SetPrintHeadKoujiName, &C::PrintHeadKoujiName),
      qmtest::TextKey<C>("PLACE", "場所H", &C::SetPrintHeadPlace, &C::PrintHeadPlace),
      qmtest::TextKey<C>("CONDITION", "条件H", &C::SetPrintHeadCondition, &C::PrintHeadCondition),
      qmtest::TextKey<C>("LIMIT", "期間H", &C::SetPrintHeadLimit, &C::PrintHeadLimit),
      qmtest::TextKey<C>("ITEM_NAME", "品名H", &C::SetPrintHeadItemName, &C::PrintHeadItemName),
      qmtest::TextKey<C>("ART", "数量H", &C::SetPrintHeadNum, &C::PrintHeadNum),
      qmtest::TextKey<C>("UNIT_NAME", "単位H", &C::SetPrintHeadItemUnit, &C::PrintHeadItemUnit),
      qmtest::TextKey<C>("UNIT_PRICE", "単価H", &C::SetPrintHeadUnitPrice, &C::PrintHeadUnitPrice),
      qmtest::TextKey<C>("PRICE", "金額H", &C::SetPrintHeadPrice, &C::PrintHeadPrice),
      qmtest::TextKey<C>("NOTE", "備考H", &C::SetPrintHeadNote, &C::PrintHeadNote),
      qmtest::TextKey<C>("FREEEDIT", "自由H", &C::SetPrintHeadFreeEdit, &C::PrintHeadFreeEdit),
      qmtest::TextKey<C>("COST", "原価H", &C::SetPrintHeadCost, &C::PrintHeadCost),
      qmtest::TextKey<C>("CLASSNO", "分類H", &C::SetPrintHeadClassNo, &C::PrintHeadClassNo),
      qmtest::TextKey<C>("NATSUIN_1", "印A", &C::SetNatsuinName1, &C::NatsuinName1),
      qmtest::TextKey<C>("NATSUIN_2", "印B", &C::SetNatsuinName2, &C::NatsuinName2),
      qmtest::TextKey<C>("NATSUIN_3", "印C", &C::SetNatsuinName3, &C::NatsuinName3),
      qmtest::TextKey<C>("NATSUIN_4", "印D", &C::SetNatsuinName4, &C::NatsuinName4),
      qmtest::TextKey<C>("NATSUIN_5", "印E", &C::SetNatsuinName5, &C::NatsuinName5),
      qmtest::TextKey<C>("NATSUIN_6", "印F", &C::SetNatsuinName6, &C::NatsuinName6),
      COLOUR("LINE_COLOR_ODD", LineColorOdd, "255"),
      COLOUR("LINE_COLOR_EVEN", LineColorEven, "65280"),
      qmtest::FlagKey<C>("PDF_EMBED_FONTS", "0", &C::SetPdfEmbedFonts, &C::PdfEmbedFonts),
      qmtest::FlagKey<C>("ISSUE_ARCHIVE", "0", &C::SetIssueArchive, &C::IssueArchive),
  };
  return cases;
}

#undef NUMBER
#undef COLOUR

using P = TMxCampanyInfo;

#define SIZE(key, Prop)                                                          \
  KeyCase<P> {                                                                    \
    key, "", [](P& c, const std::string& v) { c.Set##Prop(std::stod(v)); },       \
        [](const P& c) { return qm::IniDoubleText(c.Prop()); }            \
  }
#define BANK(key, account, Prop)                                                                    \
  KeyCase<P> {                                                                                       \
    key, "", [](P& c, const std::string& v) { c.PayBankAccount(account).Set##Prop(v); },            \
        [](const P& c) { return c.PayBankAccount(account).Prop(); }                                  \
  }

// Every key of profile `i` as the fixture conf_companies.ini has it.
std::vector<KeyCase<P>> ProfileCases(int i) {
  std::vector<KeyCase<P>> cases = {
      qmtest::TextKey<P>("ZipNo", "", &P::SetZipNo, &P::ZipNo),
      qmtest::TextKey<P>("Address1", "", &P::SetAddress1, &P::Address1),
      qmtest::TextKey<P>("Address2", "", &P::SetAddress2, &P::Address2),
      qmtest::TextKey<P>("CampanyName1", "", &P::SetCampanyName1, &P::CampanyName1),
      qmtest::TextKey<P>("CampanyName2", "", &P::SetCampanyName2, &P::CampanyName2),
      qmtest::TextKey<P>("CampanyName3", "", &P::SetCampanyName3, &P::CampanyName3),
      qmtest::TextKey<P>("ChargeName", "", &P::SetChargeName, &P::ChargeName),
      qmtest::TextKey<P>("TelFax", "", &P::SetTelFax, &P::TelFax),
      BANK("BankName1", 0, BankName),
      BANK("BankNo1", 0, BankNo),
      BANK("OwnerName1", 0, BankOwnerName),
      BANK("BankName2", 1, BankName),
      BANK("BankNo2", 1, BankNo),
      BANK("OwnerName2", 1, BankOwnerName),
      qmtest::FlagKey<P>("UseLogoImage", "1", &P::SetChkUseLogoImage, &P::ChkUseLogoImage),
      qmtest::FlagKey<P>("UseCampanyStamp", "1", &P::SetChkUseCampanyStamp, &P::ChkUseCampanyStamp),
      SIZE("CampanyStampWidth_A4", CampanyStampSizeWidth_A4),
      SIZE("CampanyStampHeight_A4", CampanyStampSizeHeight_A4),
      SIZE("CampanyStampDetailPosX_A4", CampanyStampPosDetail_X_A4),
      SIZE("CampanyStampDetailPosY_A4", CampanyStampPosDetail_Y_A4),
      SIZE("CampanyStampTotalClaimPosX_A4", CampanyStampPosTotalClaim_X_A4),
      SIZE("CampanyStampTotalClaimPosY_A4", CampanyStampPosTotalClaim_Y_A4),
      SIZE("CampanyStampPosReceiptPosX_A4", CampanyStampPosReceipt_X_A4),
      SIZE("CampanyStampPosReceiptPosY_A4", CampanyStampPosReceipt_Y_A4),
      SIZE("CampanyStampPosFaxSenderPosX_A4", CampanyStampPosFaxSender_X_A4),
      SIZE("CampanyStampPosFaxSenderPosY_A4", CampanyStampPosFaxSender_Y_A4),
      SIZE("CampanyStampWidth_B5", CampanyStampSizeWidth_B5),
      SIZE("CampanyStampHeight_B5", CampanyStampSizeHeight_B5),
      SIZE("CampanyStampDetailPosX_B5", CampanyStampPosDetail_X_B5),
      SIZE("CampanyStampDetailPosY_B5", CampanyStampPosDetail_Y_B5),
      SIZE("CampanyStampTotalClaimPosX_B5", CampanyStampPosTotalClaim_X_B5),
      SIZE("CampanyStampTotalClaimPosY_B5", CampanyStampPosTotalClaim_Y_B5),
      SIZE("CampanyStampPosReceiptPosX_B5", CampanyStampPosReceipt_X_B5),
      SIZE("CampanyStampPosReceiptPosY_B5", CampanyStampPosReceipt_Y_B5),
      SIZE("CampanyStampPosFaxSenderPosX_B5", CampanyStampPosFaxSender_X_B5),
      SIZE("CampanyStampPosFaxSenderPosY_B5", CampanyStampPosFaxSender_Y_B5),
      qmtest::FlagKey<P>("UseCampanyStampTrans", "1", &P::SetChkUseCampanyStampTrans, &P::ChkUseCampanyStampTrans),
      qmtest::TextKey<P>("CampanyStampTrans", "", &P::SetCampanyStampTransColor, &P::CampanyStampTransColor),
  };
  // The fixture's values: each names its profile, so profiles cannot be mixed up.
  const std::string n = std::to_string(i);
  const std::string texts[] = {"10" + n + "-0001", "住所" + n + "A", "住所" + n + "B", "社名" + n + "A",
                               "社名" + n + "B",  "社名" + n + "C", "担当" + n,       "TEL" + n,
                               "銀行" + n + "A",  "番号" + n + "A", "名義" + n + "A", "銀行" + n + "B",
                               "番号" + n + "B",  "名義" + n + "B"};
  for (std::size_t k = 0; k < std::size(texts); ++k) cases[k].value = texts[k];
  const char* sizes[] = {"1.5",  "2.5",  "3.5",   "4.5",   "5.5",   "6.5",   "7.5",   "8.5",   "9.5",  "10.25",
                         "11.25", "12.25", "13.25", "14.25", "15.25", "16.25", "17.25", "18.25", "19.25", "20.75"};
  for (std::size_t k = 0; k < std::size(sizes); ++k) cases[16 + k].value = std::to_string(i + 1) + sizes[k];
  cases.back().value = "clRed" + n;
  return cases;
}

#undef SIZE
#undef BANK

struct Folder {
  QTemporaryDir dir;
  Folder() { QDir(dir.path()).mkdir("img"); }
  std::string img() const { return dir.filePath("img").toStdString(); }
  std::string file(const char* name) const { return dir.filePath(name).toStdString(); }
};

TMxConfigInfo Defaults(const Folder& f) {
  TMxConfigInfo c(f.img());
  c.LoadConfig(f.file("missing.ini"));
  return c;
}

std::string WithoutLine(std::string bytes, const std::string& line) {
  const std::size_t at = bytes.find(line);
  if (at != std::string::npos) bytes.erase(at, line.size());
  return bytes;
}

}  // namespace

TEST(SettingKeys, TheFixtureReadsIntoTheRightFields) {
  Folder f;
  qm::WriteFileAtomically(f.file("conf.ini"), qmtest::Fixture("settings/conf_setting.ini"));
  TMxConfigInfo c(f.img());
  c.LoadConfig(f.file("conf.ini"));
  for (const auto& k : SettingCases()) EXPECT_EQ(k.get(c), k.value) << k.key;
}

TEST(SettingKeys, SavingWritesTheFixtureByteForByte) {
  Folder f;
  TMxConfigInfo c = Defaults(f);
  for (const auto& k : SettingCases()) k.set(c, k.value);
  c.SaveConfig(f.file("conf.ini"));
  // FAX_TITLE belongs to whoever edits the file by hand.
  const std::string expected =
      WithoutLine(qmtest::Fixture("settings/conf_setting.ini"), "FAX_TITLE=\x91\x97\x90\x4d\x54\r\n");
  EXPECT_EQ(qm::ReadWholeFile(f.file("conf.ini")), expected);
}

TEST(SettingKeys, EachFieldWritesOnlyItsOwnKeyAndEachKeyReadsOnlyIntoItsField) {
  Folder f;
  const TMxConfigInfo defaults = Defaults(f);
  defaults.SaveConfig(f.file("base.ini"));
  const auto base = qmtest::SectionValues(qm::IniFile::Load(f.file("base.ini")), "SETTING");
  for (const auto& k : SettingCases()) {
    // Writing: one field changed, one key changed.
    if (std::string(k.key) != "FAX_TITLE") {
      TMxConfigInfo one = Defaults(f);
      k.set(one, k.value);
      one.SaveConfig(f.file("one.ini"));
      EXPECT_EQ(qmtest::ChangedKeys(base, qmtest::SectionValues(qm::IniFile::Load(f.file("one.ini")), "SETTING")),
                std::vector<std::string>{k.key});
    }
    // Reading: a file with only this key changes only this field.
    qm::IniFile ini;
    ini.WriteString("SETTING", k.key, k.value);
    ini.Save(f.file("read.ini"));
    TMxConfigInfo read(f.img());
    read.LoadConfig(f.file("read.ini"));
    for (const auto& other : SettingCases()) {
      if (other.key == k.key) EXPECT_EQ(other.get(read), k.value) << k.key;
      else EXPECT_EQ(other.get(read), other.get(defaults)) << other.key << " changed by " << k.key;
    }
  }
}

TEST(CompanyKeys, TheFixtureReadsIntoTheRightProfilesAndFields) {
  Folder f;
  qm::WriteFileAtomically(f.file("conf.ini"), qmtest::Fixture("settings/conf_companies.ini"));
  TMxCampanyInfoManager m(f.img());
  m.LoadConfig(f.file("conf.ini"));
  for (int i = 0; i < 3; ++i)
    for (const auto& k : ProfileCases(i)) EXPECT_EQ(k.get(m.CampanyInfoArray(i)), k.value) << i << " " << k.key;
}

TEST(CompanyKeys, SavingWritesTheFixtureByteForByte) {
  Folder f;
  TMxCampanyInfoManager m(f.img());
  m.LoadConfig(f.file("missing.ini"));
  for (int i = 0; i < 3; ++i)
    for (const auto& k : ProfileCases(i)) k.set(m.CampanyInfoArray(i), k.value);
  m.SaveConfig(f.file("conf.ini"));
  EXPECT_EQ(qm::ReadWholeFile(f.file("conf.ini")), qmtest::Fixture("settings/conf_companies.ini"));
}

TEST(CompanyKeys, EachFieldWritesOnlyItsOwnKeyAndEachKeyReadsOnlyIntoItsField) {
  Folder f;
  TMxCampanyInfoManager defaults(f.img());
  defaults.LoadConfig(f.file("missing.ini"));
  defaults.SaveConfig(f.file("base.ini"));
  const qm::IniFile baseIni = qm::IniFile::Load(f.file("base.ini"));
  for (const auto& k : ProfileCases(1)) {
    TMxCampanyInfoManager one(f.img());
    one.LoadConfig(f.file("missing.ini"));
    k.set(one.CampanyInfoArray(1), k.value);
    one.SaveConfig(f.file("one.ini"));
    const qm::IniFile oneIni = qm::IniFile::Load(f.file("one.ini"));
    for (int s = 0; s < 3; ++s) {
      const std::string section = "CAMPANY_INFO" + std::to_string(s);
      const std::vector<std::string> expected = s == 1 ? std::vector<std::string>{k.key} : std::vector<std::string>{};
      EXPECT_EQ(qmtest::ChangedKeys(qmtest::SectionValues(baseIni, section), qmtest::SectionValues(oneIni, section)),
                expected)
          << k.key << " in " << section;
    }

    qm::IniFile ini;
    ini.WriteString("CAMPANY_INFO1", k.key, k.value);
    ini.Save(f.file("read.ini"));
    TMxCampanyInfoManager read(f.img());
    read.LoadConfig(f.file("read.ini"));
    for (const auto& other : ProfileCases(1))
      for (int s = 0; s < 3; ++s) {
        const bool changed = s == 1 && other.key == k.key;
        EXPECT_EQ(other.get(read.CampanyInfoArray(s)),
                  changed ? k.value : other.get(defaults.CampanyInfoArray(s)))
            << other.key << " of profile " << s << " after reading " << k.key;
      }
  }
}
