#include "base/colour_text.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <span>

#include "base/ini_file.h"

namespace qm {
namespace {

struct Named {
  const char* name;
  TColor value;
};

// The colours that are written by name.
constexpr std::array<Named, 20> kNamed = {{
    {"clBlack", 0x000000},  {"clMaroon", 0x000080}, {"clGreen", 0x008000},     {"clOlive", 0x008080},
    {"clNavy", 0x800000},   {"clPurple", 0x800080}, {"clTeal", 0x808000},      {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},    {"clLime", 0x00FF00},      {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},     {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
}};

// System colours, read as the usual light desktop theme shows them (00BBGGRR).
constexpr std::array<Named, 32> kSystem = {{
    {"clScrollBar", 0xC8C8C8},        {"clBackground", 0x000000},       {"clActiveCaption", 0xD1B499},
    {"clInactiveCaption", 0xDBCDBF},  {"clMenu", 0xF0F0F0},             {"clWindow", 0xFFFFFF},
    {"clWindowFrame", 0x646464},      {"clMenuText", 0x000000},         {"clWindowText", 0x000000},
    {"clCaptionText", 0x000000},      {"clActiveBorder", 0xB4B4B4},     {"clInactiveBorder", 0xFCF7F4},
    {"clAppWorkSpace", 0xABABAB},     {"clHighlight", 0xFF9933},        {"clHighlightText", 0xFFFFFF},
    {"clBtnFace", 0xF0F0F0},          {"clBtnShadow", 0xA0A0A0},        {"clGrayText", 0x6D6D6D},
    {"clBtnText", 0x000000},          {"clInactiveCaptionText", 0x000000}, {"clBtnHighlight", 0xFFFFFF},
    {"cl3DDkShadow", 0x696969},       {"cl3DLight", 0xE3E3E3},          {"clInfoText", 0x000000},
    {"clInfoBk", 0xE1FFFF},           {"clHotLight", 0xCC6600},         {"clGradientActiveCaption", 0xEAD1B9},
    {"clGradientInactiveCaption", 0xF2E4D7}, {"clMenuHighlight", 0xFF9933}, {"clMenuBar", 0xF0F0F0},
    {"clNone", 0xFFFFFF},             {"clDefault", 0xFFFFFF},
}};

std::optional<TColor> ParseHex(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  TColor v = 0;
  auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v, 16);
  if (ec != std::errc() || ptr != digits.data() + digits.size()) return std::nullopt;
  return v;
}

}  // namespace

std::string ColorToText(TColor color) {
  for (const Named& n : kNamed)
    if (n.value == color) return n.name;
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(color));
  return buf;
}

std::optional<TColor> TextToColor(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  for (const auto& table : {std::span<const Named>(kNamed), std::span<const Named>(kSystem)})
    for (const Named& n : table)
      if (EqualsIgnoreAsciiCase(text, n.name)) return n.value;
  if (text.front() == '$') return ParseHex(text.substr(1));
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return ParseHex(text.substr(2));
  // Decimal, possibly negative as the 32-bit value was once written signed.
  std::int64_t v = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || ptr != text.data() + text.size() || v < INT32_MIN || v > UINT32_MAX) return std::nullopt;
  return static_cast<TColor>(v);
}

}  // namespace qm
