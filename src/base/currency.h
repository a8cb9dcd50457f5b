#pragma once
// Amounts, quantities, prices and rates: a signed 64-bit integer holding value x 10000.
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

class Currency {
 public:
  static constexpr std::int64_t kScale = 10000;

  constexpr Currency() = default;
  static constexpr Currency FromRaw(std::int64_t raw) { return Currency(raw); }
  // Whole yen; throws qm::Error when the value does not fit.
  static Currency FromYen(std::int64_t yen);
  // Rounds to the nearest 1/10000, ties to even; throws qm::Error when out of range.
  static Currency FromLongDouble(long double yen);
  static std::optional<Currency> TryFromLongDouble(long double yen);
  // The same for a value already scaled by 10000.
  static std::optional<Currency> TryFromScaled(long double raw);
  static Currency FromScaled(long double raw);

  constexpr std::int64_t Raw() const { return raw_; }
  long double ToLongDouble() const { return static_cast<long double>(raw_) / kScale; }
  constexpr bool IsZero() const { return raw_ == 0; }
  constexpr bool IsWhole() const { return raw_ % kScale == 0; }

  // The Decimal text of the estimate file: "0", "1500", "2.5", "-0.25".
  std::string ToDecimalText() const;
  // Optional sign, digits, optional point and fraction (rounded to four places, ties
  // to even), surrounding blanks allowed. Throws qm::Error on anything else.
  static Currency ParseDecimal(std::string_view text);
  static std::optional<Currency> TryParseDecimal(std::string_view text);

  // The Float text of the estimate file: general format, at most 15 significant digits,
  // or the exact decimal where 15 digits would not read back as this value.
  std::string ToFloatText() const;
  // Any decimal floating-point number, multiplied by 10000 and rounded to nearest.
  static Currency ParseFloat(std::string_view text);
  static std::optional<Currency> TryParseFloat(std::string_view text);

  friend constexpr auto operator<=>(Currency, Currency) = default;
  friend constexpr bool operator==(Currency, Currency) = default;

  // Arithmetic throws qm::Error on overflow instead of wrapping.
  Currency operator-() const;
  friend Currency operator+(Currency a, Currency b);
  friend Currency operator-(Currency a, Currency b);
  Currency& operator+=(Currency b) { return *this = *this + b; }
  Currency& operator-=(Currency b) { return *this = *this - b; }

 private:
  constexpr explicit Currency(std::int64_t raw) : raw_(raw) {}
  std::int64_t raw_ = 0;
};

}  // namespace qm
