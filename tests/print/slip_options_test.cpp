#include "print/slip_options.h"

#include <gtest/gtest.h>

#include "support/key_table.h"

namespace {

using qmtest::FlagKey;
using qmtest::KeyCase;
using qmtest::TextKey;
using R = qm::TPrintReceiptOptions;
using T = qm::TPrintTotalClaimOptions;
using F = qm::TPrintFaxOptions;

// Every stored key of the three sections as the fixture print_slips.ini has it.
const std::vector<KeyCase<R>>& ReceiptCases() {
  static const std::vector<KeyCase<R>> cases = {
      TextKey<R>("PRINTER", "PDF-Printer", &R::Printer),
      TextKey<R>("PERSONAL_STAMP", "印B", &R::PersonalStamp),
      TextKey<R>("CUSTOMER_INFO", "会社情報2", &R::CustomerInfo),
      TextKey<R>("PAPER_SIZE", "B5", &R::PaperSize),
      FlagKey<R>("PRINT_NAME", "1", &R::PrintName),
      FlagKey<R>("PRINT_STAMP_AREA", "0", &R::PrintStampArea),
      FlagKey<R>("PRINT_REVENUE_STAMP_AREA", "0", &R::PrintRevenueStampArea),
      TextKey<R>("PROVISO_TEXT", "工事代金として", &R::ProvisoText),
      FlagKey<R>("PRINT_GRAND_TOTAL", "0", &R::PrintGrandTotal),
  };
  return cases;
}

const std::vector<KeyCase<T>>& TotalClaimCases() {
  static const std::vector<KeyCase<T>> cases = {
      TextKey<T>("PRINTER", "事務所", &T::Printer),         TextKey<T>("CUSTOMER_INFO", "会社情報3", &T::CustomerInfo),
      TextKey<T>("PAY_BANK", "振込先情報2", &T::PayBank), TextKey<T>("PAPER_SIZE", "B5", &T::PaperSize),
      FlagKey<T>("PRINT_NAME", "1", &T::PrintName),        FlagKey<T>("PRINT_BANK", "1", &T::PrintBank),
  };
  return cases;
}

const std::vector<KeyCase<F>>& FaxCases() {
  static const std::vector<KeyCase<F>> cases = {
      TextKey<F>("PRINTER", "FAX-Printer", &F::Printer),
      TextKey<F>("CUSTOMER_INFO", "会社情報2", &F::CustomerInfo),
      TextKey<F>("PAPER_SIZE", "B5", &F::PaperSize),
      TextKey<F>("TITLE", "お見積書送付の件", &F::Title),
      {"PAPER_NUM", "7", [](F& o, const std::string& v) { o.PaperNum = std::stoi(v); },
       [](const F& o) { return std::to_string(o.PaperNum); }},
      FlagKey<F>("PRINT_NAME", "1", &F::PrintName),
      FlagKey<F>("OPTION1", "1", &F::Option1),
      FlagKey<F>("OPTION2", "1", &F::Option2),
      FlagKey<F>("OPTION3", "1", &F::Option3),
      FlagKey<F>("OPTION4", "1", &F::Option4),
      // The notes keep their line breaks as CR LF; the file as "#CRLF#".
      {"CONTENT", "一行目#CRLF#二行目",
       [](F& o, const std::string& v) { o.Content = v == "一行目#CRLF#二行目" ? "一行目\r\n二行目" : v; },
       [](const F& o) { return o.Content == "一行目\r\n二行目" ? "一行目#CRLF#二行目" : o.Content; }},
  };
  return cases;
}

// One section's table: the fixture section reads into the right fields, and each field
// alone writes exactly its key and each key alone reads exactly into its field.
template <class O>
void CheckSection(const char* section, const std::vector<KeyCase<O>>& cases, O (*load)(const qm::IniFile&),
                  void (*save)(qm::IniFile&, const O&)) {
  const qm::IniFile fixture = qm::IniFile::FromBytes(qmtest::Fixture("settings/print_slips.ini"));
  const O read = load(fixture);
  for (const auto& k : cases) EXPECT_EQ(k.get(read), k.value) << section << " " << k.key;

  qm::IniFile baseIni;
  save(baseIni, O{});
  const auto base = qmtest::SectionValues(baseIni, section);
  EXPECT_EQ(base.size(), cases.size()) << section << ": a key is written that the table does not know";
  const O defaults;
  for (const auto& k : cases) {
    O one;
    k.set(one, k.value);
    qm::IniFile ini;
    save(ini, one);
    EXPECT_EQ(qmtest::ChangedKeys(base, qmtest::SectionValues(ini, section)), std::vector<std::string>{k.key})
        << section;

    qm::IniFile single;
    single.WriteString(section, k.key, k.value);
    const O back = load(single);
    for (const auto& other : cases)
      EXPECT_EQ(other.get(back), other.key == k.key ? k.value : other.get(defaults))
          << section << " " << other.key << " after reading " << k.key;
  }
}

}  // namespace

TEST(SlipOptionKeys, EachSectionKeyReachesExactlyItsField) {
  CheckSection<R>("RYOSYU", ReceiptCases(), &qm::LoadReceiptConfig, &qm::SaveReceiptConfig);
  CheckSection<T>("GOUKEI_SEIKYU", TotalClaimCases(), &qm::LoadTotalClaimConfig, &qm::SaveTotalClaimConfig);
  CheckSection<F>("FAX", FaxCases(), &qm::LoadFaxConfig, &qm::SaveFaxConfig);
}

TEST(SlipOptionKeys, TheThreeSectionsAreWrittenByteForByte) {
  R receipt;
  for (const auto& k : ReceiptCases()) k.set(receipt, k.value);
  T total;
  for (const auto& k : TotalClaimCases()) k.set(total, k.value);
  F fax;
  for (const auto& k : FaxCases()) k.set(fax, k.value);
  // What the dialogs do not keep stays out of the file.
  receipt.UchiLabel[0] = "消費税";
  receipt.UchiPrice[0] = "1,000";
  total.PreClaim = "100,000";
  total.PrePaid = "60,000";
  qm::IniFile ini;
  qm::SaveReceiptConfig(ini, receipt);
  qm::SaveTotalClaimConfig(ini, total);
  qm::SaveFaxConfig(ini, fax);
  EXPECT_EQ(ini.ToBytes(), qmtest::Fixture("settings/print_slips.ini"));
}

TEST(SlipOptions, FirstUseGivesTheDefaultsOfEachSection) {
  const qm::IniFile none;
  const R r = qm::LoadReceiptConfig(none);
  EXPECT_FALSE(r.PrintName);
  EXPECT_TRUE(r.PrintStampArea && r.PrintRevenueStampArea && r.PrintGrandTotal);
  EXPECT_EQ(r.ProvisoText, "");
  const T t = qm::LoadTotalClaimConfig(none);
  EXPECT_FALSE(t.PrintName || t.PrintBank);
  EXPECT_EQ(t.PreClaim, "0");
  const F f = qm::LoadFaxConfig(none);
  EXPECT_EQ(f.PaperNum, 2);
  EXPECT_FALSE(f.Option1 || f.Option2 || f.Option3 || f.Option4);
  EXPECT_FALSE(f.B5());
}

TEST(SlipOptions, FaxNotesKeepTheirLineBreaksWhateverTheCaseOfTheMarker) {
  qm::IniFile ini;
  ini.WriteString("FAX", "CONTENT", "a#crlf#b#CrLf#c#CRLF#");
  EXPECT_EQ(qm::LoadFaxConfig(ini).Content, "a\r\nb\r\nc\r\n");

  F notes;
  notes.Content = "一行目\r\n\r\n三行目";
  qm::IniFile written;
  qm::SaveFaxConfig(written, notes);
  EXPECT_EQ(written.ReadString("FAX", "CONTENT", ""), "一行目#CRLF##CRLF#三行目");
  EXPECT_EQ(qm::LoadFaxConfig(written).Content, notes.Content);
}

TEST(SlipOptions, SetOptionsTakeTheInputsPrintIniDoesNotKeep) {
  R r;
  qm::SetReceiptOption(r, "UCHI2", "現　金");
  qm::SetReceiptOption(r, "UCHI_PRICE4", "500");
  qm::SetReceiptOption(r, "PRINT_NAME", "1");
  EXPECT_EQ(r.UchiLabel[1], "現　金");
  EXPECT_EQ(r.UchiPrice[3], "500");
  EXPECT_EQ(r.UchiPrice[1], "");
  EXPECT_TRUE(r.PrintName);

  T t;
  qm::SetTotalClaimOption(t, "PRE_CLAIM", "100000");
  qm::SetTotalClaimOption(t, "PRE_PAID", "60,000");
  EXPECT_EQ(t.Result, "40,000");  // the balance follows every change
  EXPECT_EQ(t.PreClaim, "100,000");

  EXPECT_ANY_THROW(qm::SetReceiptOption(r, "UCHI5", "x"));
  EXPECT_ANY_THROW(qm::SetFaxOption(*std::make_unique<F>(), "PAPER_NUM", "many"));
}

TEST(SlipOptions, TypedAmountsAreNormalised) {
  const std::pair<const char*, const char*> receipt[] = {
      {"(1,234)", "1,234"}, {"1234", "1,234"},     {"12.5", "12.5"},   {"1234567.891", "1,234,567.89"},
      {"abc", ""},          {"", ""},              {"-300", "-300"},   {"1,2,3,4", "1,234"},
  };
  for (const auto& [typed, shown] : receipt) EXPECT_EQ(qm::SetComma(typed), shown) << typed;

  struct Balance {
    const char* pre;
    const char* paid;
    const char* shownPre;
    const char* shownPaid;
    const char* result;
  };
  const Balance balances[] = {
      {"100,000", "60000", "100,000", "60,000", "40,000"},
      {"abc", "500", "0", "500", "-500"},
      {"", "", "0", "0", "0"},
      {"1000.5", "0.25", "1,000.5", "0.25", "1,000.25"},
  };
  for (const Balance& b : balances) {
    T t;
    t.PreClaim = b.pre;
    t.PrePaid = b.paid;
    qm::CalcResult(t);
    EXPECT_EQ(t.PreClaim, b.shownPre);
    EXPECT_EQ(t.PrePaid, b.shownPaid);
    EXPECT_EQ(t.Result, b.result) << b.pre << " - " << b.paid;
  }
}
