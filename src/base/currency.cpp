#include "base/currency.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "base/error.h"

namespace qm {
namespace {

const char kOverflow[] = "金額が扱える範囲を超えています。";

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string Quoted(std::string_view text) { return "「" + std::string(text) + "」"; }

}  // namespace

Currency Currency::FromYen(std::int64_t yen) {
  std::int64_t raw;
  if (__builtin_mul_overflow(yen, kScale, &raw)) throw Error(kOverflow);
  return Currency(raw);
}

std::optional<Currency> Currency::TryFromLongDouble(long double yen) { return TryFromScaled(yen * kScale); }

Currency Currency::FromScaled(long double raw) {
  if (auto c = TryFromScaled(raw)) return *c;
  throw Error(kOverflow);
}

std::optional<Currency> Currency::TryFromScaled(long double raw) {
  const long double scaled = std::nearbyint(raw);  // default mode: ties to even
  // 2^63 is exact in long double; anything at or above it does not fit.
  constexpr long double kLimit = 9223372036854775808.0L;
  if (!(scaled < kLimit && scaled >= -kLimit)) return std::nullopt;
  return Currency(static_cast<std::int64_t>(scaled));
}

Currency Currency::FromLongDouble(long double yen) {
  if (auto c = TryFromLongDouble(yen)) return *c;
  throw Error(kOverflow);
}

std::string Currency::ToDecimalText() const {
  // Work on the magnitude as unsigned so that INT64_MIN does not overflow.
  const bool negative = raw_ < 0;
  const std::uint64_t mag = negative ? 0 - static_cast<std::uint64_t>(raw_) : static_cast<std::uint64_t>(raw_);
  std::string s = negative ? "-" : "";
  s += std::to_string(mag / kScale);
  std::uint64_t frac = mag % kScale;
  if (frac != 0) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04llu", static_cast<unsigned long long>(frac));
    std::string f(digits);
    while (f.back() == '0') f.pop_back();
    s += '.';
    s += f;
  }
  return s;
}

std::optional<Currency> Currency::TryParseDecimal(std::string_view text) {
  std::string_view s = Trim(text);
  bool negative = false;
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  const std::size_t point = s.find('.');
  std::string_view whole = s.substr(0, point);
  std::string_view frac = point == std::string_view::npos ? std::string_view() : s.substr(point + 1);
  if (whole.empty() && frac.empty()) return std::nullopt;
  if (point != std::string_view::npos && frac.empty() && whole.empty()) return std::nullopt;
  for (char c : whole)
    if (c < '0' || c > '9') return std::nullopt;
  for (char c : frac)
    if (c < '0' || c > '9') return std::nullopt;

  // Accumulate the magnitude in units of 1/10000; 2^63 is the largest magnitude a
  // negative value may have, so whole yen beyond 2^63 / 10000 cannot fit either way.
  constexpr std::uint64_t kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + 1;
  std::uint64_t yen = 0;
  for (char c : whole) {
    yen = yen * 10 + static_cast<unsigned>(c - '0');
    if (yen > kMax / kScale) return std::nullopt;
  }
  std::uint64_t mag = yen * kScale;
  std::uint64_t unit = kScale / 10;
  std::size_t i = 0;
  for (; i < frac.size() && i < 4; ++i, unit /= 10) mag += static_cast<unsigned>(frac[i] - '0') * unit;
  if (i < frac.size()) {
    // More than four places: round to nearest, ties to even.
    const int next = frac[i] - '0';
    bool beyond = false;
    for (std::size_t k = i + 1; k < frac.size(); ++k) beyond |= frac[k] != '0';
    if (next > 5 || (next == 5 && (beyond || (mag & 1) != 0))) ++mag;
  }
  if (mag > kMax || (!negative && mag == kMax)) return std::nullopt;
  const std::int64_t raw = negative ? static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(mag))
                                    : static_cast<std::int64_t>(mag);
  return Currency(raw);
}

Currency Currency::ParseDecimal(std::string_view text) {
  if (auto c = TryParseDecimal(text)) return *c;
  throw Error(Quoted(text) + " は数値ではありません。");
}

std::string Currency::ToFloatText() const {
  // The value in yen has at most 19 digits; general format keeps 15 significant ones.
  // to_chars ignores the locale (a Qt program runs under the user's LC_NUMERIC).
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, ToLongDouble(), std::chars_format::general, 15);
  std::string s(buf, ec == std::errc() ? end : buf);
  const std::size_t e = s.find('e');
  if (e != std::string::npos) {
    // Exponent form as the legacy writer wrote it: "1.5E15", no plus sign, no padding.
    std::string mant = s.substr(0, e);
    int exp = std::atoi(s.c_str() + e + 1);
    s = mant + "E" + std::to_string(exp);
  }
  // Fifteen digits hold every amount a document carries. A value of more significant
  // digits would come back changed, so it is written exactly instead (every reader of
  // the field takes a plain decimal too); the extremes read back from their rounded form.
  if (TryParseFloat(s) != *this) return ToDecimalText();
  return s;
}

std::optional<Currency> Currency::TryParseFloat(std::string_view text) {
  std::string_view s = Trim(text);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return std::nullopt;
  // from_chars is locale-independent and exact; the Currency fits in a double's range
  // but not its precision, so parse digits beyond 15 through the Decimal route first.
  if (auto exact = TryParseDecimal(s)) return exact;
  double v = 0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
  if (ec != std::errc() || ptr != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
  if (auto c = TryFromLongDouble(static_cast<long double>(v))) return c;
  // Fifteen digits round the extremes of the range outward ("922337203685478"); read
  // such text back as the extreme it was written from, so a saved file always reloads.
  constexpr double kWrittenMax = 922337203685478.0;
  if (v > 0 && v <= kWrittenMax) return Currency(std::numeric_limits<std::int64_t>::max());
  if (v < 0 && v >= -kWrittenMax) return Currency(std::numeric_limits<std::int64_t>::min());
  return std::nullopt;
}

Currency Currency::ParseFloat(std::string_view text) {
  if (auto c = TryParseFloat(text)) return *c;
  throw Error(Quoted(text) + " は数値ではありません。");
}

Currency Currency::operator-() const {
  if (raw_ == std::numeric_limits<std::int64_t>::min()) throw Error(kOverflow);
  return Currency(-raw_);
}

Currency operator+(Currency a, Currency b) {
  std::int64_t r;
  if (__builtin_add_overflow(a.raw_, b.raw_, &r)) throw Error(kOverflow);
  return Currency(r);
}

Currency operator-(Currency a, Currency b) {
  std::int64_t r;
  if (__builtin_sub_overflow(a.raw_, b.raw_, &r)) throw Error(kOverflow);
  return Currency(r);
}

}  // namespace qm
