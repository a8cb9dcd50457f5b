#include "base/ini_values.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace qm {
namespace {

std::optional<std::int32_t> ParseInteger(std::string_view t) {
  bool negative = false;
  if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  int base = 10;
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    t.remove_prefix(2);
    base = 16;
  }
  std::int64_t v = 0;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v, base);
  if (t.empty() || ec != std::errc() || ptr != t.data() + t.size()) return std::nullopt;
  if (negative) v = -v;
  // Hexadecimal values fill all 32 bits, as a colour 0xFFFFFFFF does.
  if (base == 16 && v > INT32_MAX && v <= UINT32_MAX) return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
  if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(v);
}

}  // namespace

std::int32_t ReadIniInteger(const IniFile& ini, std::string_view section, std::string_view key, std::int32_t def) {
  const auto text = ini.Find(section, key);
  if (!text) return def;
  return ParseInteger(*text).value_or(def);
}

bool ReadIniBool(const IniFile& ini, std::string_view section, std::string_view key, bool def) {
  const auto text = ini.Find(section, key);
  if (!text) return def;
  if (auto v = ParseInteger(*text)) return *v != 0;
  return def;
}

Currency ReadIniRate(const IniFile& ini, std::string_view section, std::string_view key, Currency def) {
  const auto text = ini.Find(section, key);
  if (!text) return def;
  return Currency::TryParseFloat(*text).value_or(def);
}

double ReadIniDouble(const IniFile& ini, std::string_view section, std::string_view key, double def) {
  const auto text = ini.Find(section, key);
  if (!text || text->empty()) return def;
  std::string_view t = *text;
  if (t.front() == '+') t.remove_prefix(1);
  double v = 0;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || ptr != t.data() + t.size() || !std::isfinite(v)) return def;
  return v;
}

TColor ReadIniColor(const IniFile& ini, std::string_view section, std::string_view key, TColor def) {
  const auto text = ini.Find(section, key);
  if (!text) return def;
  return TextToColor(*text).value_or(def);
}

std::string IniBoolText(bool value) { return value ? "1" : "0"; }

std::string IniDoubleText(double value) {
  // to_chars ignores the locale: the file always uses a point.
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  return std::string(buf, ec == std::errc() ? end : buf);
}

std::string IniRateText(Currency value) { return value.ToDecimalText(); }

}  // namespace qm
