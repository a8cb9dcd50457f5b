#include "base/currency.h"

#include <gtest/gtest.h>

#include <limits>

#include "base/amount_text.h"
#include "base/error.h"

using qm::Currency;

namespace {
Currency Raw(std::int64_t r) { return Currency::FromRaw(r); }
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
}  // namespace

TEST(CurrencyDecimalText, WritesPlainTextWithoutTrailingZeros) {
  struct Case {
    std::int64_t raw;
    const char* text;
  } cases[] = {
      {0, "0"},
      {15000000, "1500"},
      {25000, "2.5"},
      {-2500, "-0.25"},
      {1, "0.0001"},
      {-1, "-0.0001"},
      {12345678, "1234.5678"},
      {10, "0.001"},
      {kMax, "922337203685477.5807"},
      {kMin, "-922337203685477.5808"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Raw(c.raw).ToDecimalText(), c.text);
    EXPECT_EQ(Currency::ParseDecimal(c.text), Raw(c.raw)) << c.text;
  }
}

TEST(CurrencyDecimalText, ParsesLenientFormsAndRoundsExtraPlacesToEven) {
  struct Case {
    const char* text;
    std::int64_t raw;
  } cases[] = {
      {"+7", 70000}, {" 12 ", 120000}, {"5.", 50000}, {".5", 5000}, {"-0", 0},
      {"0.00005", 0},   // tie: to even
      {"0.00015", 2},   // tie: to even
      {"0.000051", 1},  // beyond the tie
      {"1.23456", 12346},
      {"007.10", 71000},
  };
  for (const auto& c : cases) EXPECT_EQ(Currency::ParseDecimal(c.text), Raw(c.raw)) << c.text;
}

TEST(CurrencyDecimalText, RejectsWhatIsNotANumberOrDoesNotFit) {
  for (const char* bad : {"", " ", "-", ".", "1,000", "1e3", "abc", "1.2.3", "--1", "0x10", "１２",
                          "922337203685477.5808", "-922337203685477.5809", "99999999999999999999"}) {
    EXPECT_FALSE(Currency::TryParseDecimal(bad).has_value()) << bad;
    EXPECT_THROW(Currency::ParseDecimal(bad), qm::Error) << bad;
  }
}

TEST(CurrencyFloatText, GeneralFormatWithFifteenSignificantDigits) {
  struct Case {
    std::int64_t raw;
    const char* text;
  } cases[] = {
      {15000000, "1500"},
      {7615000, "761.5"},
      {0, "0"},
      {-2500, "-0.25"},
      {1, "0.0001"},
      {123456789012346000, "12345678901234.6"},  // 15 significant digits
      {999999999999999, "99999999999.9999"},
      {kMax, "922337203685478"},                 // rounded outward, read back as the extreme
      {kMin, "-922337203685478"},
      // Digits beyond fifteen would be lost: such values are written exactly.
      {123456789012345678, "12345678901234.5678"},
      {kMax - 20000000000, "922337201685477.5807"},
      {-1234567890123456, "-123456789012.3456"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Raw(c.raw).ToFloatText(), c.text);
    EXPECT_EQ(Currency::ParseFloat(c.text), Raw(c.raw)) << c.text;
  }
}

TEST(CurrencyFloatText, ParsesAndRoundsToTheNearestTenThousandth) {
  struct Case {
    const char* text;
    std::int64_t raw;
  } cases[] = {
      {"1500", 15000000},   {"761.5", 7615000},   {"-0.25", -2500},   {"1E3", 10000000},
      {"1.5E2", 1500000},   {"2.5e-3", 25},       {"0.00006", 1},     {"12345678901234.6", 123456789012346000},
      {"3.14159", 31416},
  };
  for (const auto& c : cases) EXPECT_EQ(Currency::ParseFloat(c.text), Raw(c.raw)) << c.text;
  // The extremes of the range are written rounded outward and must read back.
  for (std::int64_t raw : {kMax, kMin})
    EXPECT_EQ(Currency::ParseFloat(Raw(raw).ToFloatText()), Raw(raw)) << raw;
  for (const char* bad : {"", "abc", "1,5", "nan", "inf", "1e400", "1e16", "922337203685479"})
    EXPECT_THROW(Currency::ParseFloat(bad), qm::Error) << bad;
}

TEST(CurrencyArithmetic, OverflowIsAnErrorNotAWrap) {
  EXPECT_EQ(Raw(5) + Raw(7), Raw(12));
  EXPECT_EQ(Raw(5) - Raw(7), Raw(-2));
  EXPECT_THROW(Raw(kMax) + Raw(1), qm::Error);
  EXPECT_THROW(Raw(kMin) - Raw(1), qm::Error);
  EXPECT_THROW(-Raw(kMin), qm::Error);
  EXPECT_THROW(Currency::FromYen(922337203685478), qm::Error);
  EXPECT_EQ(Currency::FromYen(-3), Raw(-30000));
  EXPECT_EQ(Currency::FromLongDouble(0.00005L), Raw(0));   // ties to even
  EXPECT_EQ(Currency::FromLongDouble(0.00015L), Raw(2));
  EXPECT_FALSE(Currency::TryFromLongDouble(1e15L).has_value());
}

TEST(AmountText, CommaAddShortAndLongPatterns) {
  struct Case {
    std::int64_t raw;
    bool withoutDecimalPoint;
    bool printDecimalPoint;
    const char* text;
  } cases[] = {
      {12000005000, true, true, "1,200,000.5"},
      {12000005000, false, true, "1,200,000.50"},
      {12000005000, false, false, "1,200,000.5"},
      {12000000000, true, true, "1,200,000"},
      {12000000000, false, true, "1,200,000.00"},
      {0, true, false, "0"},
      {0, false, true, "0.00"},
      {9990000, true, false, "999"},
      {10000000, true, false, "1,000"},
      {-12345000, true, false, "-1,234.5"},
      {12345, true, false, "1.23"},       // 1.2345 to two places
      {12355, true, false, "1.24"},       // half away from zero
      {-12355, true, false, "-1.24"},
      {50, true, false, "0.01"},
      {-10, true, false, "0"},            // -0.001 shows as 0, not -0
      {kMax, true, false, "922,337,203,685,477.58"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(qm::CommaAdd(c.withoutDecimalPoint, Raw(c.raw), c.printDecimalPoint), c.text) << c.raw;
}

TEST(AmountText, CommaDelReadsBackWhatCommaAddWrote) {
  EXPECT_EQ(qm::CommaDel("1,200,000.5"), Raw(12000005000));
  EXPECT_EQ(qm::CommaDel("-1,234"), Raw(-12340000));
  EXPECT_EQ(qm::CommaDel("12,,3"), Raw(1230000));
  for (std::int64_t raw : {0LL, 15000000LL, -2500LL, 12000005000LL, 98765432100LL})
    EXPECT_EQ(qm::CommaDel(qm::CommaAdd(false, Raw(raw), true)), Raw(raw));
  EXPECT_THROW(qm::CommaDel("12a"), qm::Error);
  EXPECT_THROW(qm::CommaDel(""), qm::Error);
  EXPECT_THROW(qm::CommaDel("9,999,999,999,999,999"), qm::Error);
}
