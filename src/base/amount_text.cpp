#include "base/amount_text.h"

#include <cstdint>
#include <cstdio>

#include "base/error.h"

namespace qm {

std::string CommaAdd(bool withoutDecimalPoint, Currency value, bool printDecimalPoint) {
  const bool fixedTwo = !withoutDecimalPoint && printDecimalPoint;
  const std::int64_t raw = value.Raw();
  const bool negative = raw < 0;
  std::uint64_t mag = negative ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
  // Round to hundredths of a yen, half away from zero (on the magnitude: half up).
  std::uint64_t hundredths = mag / 100 + (mag % 100 >= 50 ? 1 : 0);
  std::string whole = std::to_string(hundredths / 100);
  const unsigned cents = static_cast<unsigned>(hundredths % 100);

  std::string grouped;
  grouped.reserve(whole.size() + whole.size() / 3);
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i != 0 && (whole.size() - i) % 3 == 0) grouped += ',';
    grouped += whole[i];
  }
  std::string text = (negative && hundredths != 0) ? "-" + grouped : grouped;
  if (fixedTwo || cents != 0) {
    char frac[4];
    std::snprintf(frac, sizeof frac, "%02u", cents);
    std::string f(frac);
    if (!fixedTwo && f.back() == '0') f.pop_back();
    text += '.';
    text += f;
  }
  return text;
}

std::optional<Currency> TryCommaDel(std::string_view text) {
  std::string plain;
  plain.reserve(text.size());
  for (char c : text)
    if (c != ',') plain += c;
  return Currency::TryParseDecimal(plain);
}

Currency CommaDel(std::string_view text) {
  if (auto c = TryCommaDel(text)) return *c;
  throw Error("「" + std::string(text) + "」 は数値ではありません。");
}

}  // namespace qm
