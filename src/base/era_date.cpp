#include "base/era_date.h"

#include <array>
#include <optional>
#include <cstdio>

namespace qm {
namespace {

struct Era {
  const char* name;
  int year, month, day;  // first day of the era
};

// Newest first. 明治 counts from the first day of 1868, the year it was proclaimed for.
constexpr std::array<Era, 5> kEras = {{
    {"令和", 2019, 5, 1},
    {"平成", 1989, 1, 8},
    {"昭和", 1926, 12, 25},
    {"大正", 1912, 7, 30},
    {"明治", 1868, 1, 1},
}};
// The letters the era names are abbreviated to, in the order of kEras.
constexpr std::array<char, 5> kEraLetters = {'R', 'H', 'S', 'T', 'M'};

// Full-width digits and letters made half width, blanks (of either width) dropped.
std::string Narrowed(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    // U+FF01..U+FF5E are EF BC 81 .. EF BD 9E in UTF-8.
    if (b == 0xEF && i + 2 < text.size()) {
      const auto b1 = static_cast<unsigned char>(text[i + 1]), b2 = static_cast<unsigned char>(text[i + 2]);
      if (b1 == 0xBC && b2 >= 0x81 && b2 <= 0xBF) {
        out += static_cast<char>(b2 - 0x81 + 0x21);
        i += 2;
        continue;
      }
      if (b1 == 0xBD && b2 >= 0x80 && b2 <= 0x9E) {
        out += static_cast<char>(b2 - 0x80 + 0x60);
        i += 2;
        continue;
      }
    }
    if (b == 0xE3 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80 &&
        static_cast<unsigned char>(text[i + 2]) == 0x80) {  // U+3000
      i += 2;
      continue;
    }
    if (b == ' ' || b == '\t') continue;
    out += static_cast<char>(b);
  }
  return out;
}

std::optional<int> Number(const std::string& text) {
  if (text.empty() || text.size() > 4) return std::nullopt;
  int v = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

// The western year of "令和08", "R8", "2026".
std::optional<int> WesternYear(const std::string& yy) {
  for (std::size_t e = 0; e < kEras.size(); ++e) {
    std::string rest;
    const std::string name = kEras[e].name;
    if (yy.rfind(name, 0) == 0) rest = yy.substr(name.size());
    else if (!yy.empty() && (yy[0] == kEraLetters[e] || yy[0] == kEraLetters[e] + 32)) rest = yy.substr(1);
    else continue;
    if (rest == "元") return kEras[e].year;
    const std::optional<int> n = Number(rest);
    if (!n || *n < 1) return std::nullopt;
    return kEras[e].year + *n - 1;
  }
  const std::optional<int> n = Number(yy);
  if (!n || yy.size() != 4) return std::nullopt;
  return n;
}

std::string TwoDigits(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

}  // namespace

EraDate ToEraDate(const QDate& date) {
  EraDate r;
  r.mm = TwoDigits(date.month());
  r.dd = TwoDigits(date.day());
  for (const Era& era : kEras) {
    if (date >= QDate(era.year, era.month, era.day)) {
      r.yy = std::string(era.name) + TwoDigits(date.year() - era.year + 1);
      return r;
    }
  }
  r.yy = std::to_string(date.year());
  return r;
}

QDate FromSlipDate(const std::string& yy, const std::string& mm, const std::string& dd) {
  const std::optional<int> year = WesternYear(Narrowed(yy));
  const std::optional<int> month = Number(Narrowed(mm)), day = Number(Narrowed(dd));
  if (!year || !month || !day) return {};
  const QDate date(*year, *month, *day);
  return date.isValid() ? date : QDate();
}

QDate ParseDateText(const std::string& text) {
  const std::string t = Narrowed(text);
  // Year, month and day, the separators any of - / . or 年 月 日.
  std::string parts[3];
  int part = 0;
  for (std::size_t i = 0; i < t.size() && part < 3;) {
    const std::string rest = t.substr(i);
    std::size_t skip = 0;
    if (t[i] == '-' || t[i] == '/' || t[i] == '.') skip = 1;
    else if (rest.rfind("年", 0) == 0 || rest.rfind("月", 0) == 0 || rest.rfind("日", 0) == 0) skip = 3;
    if (skip) {
      ++part;
      i += skip;
      continue;
    }
    parts[part] += t[i];
    ++i;
  }
  if (parts[0].empty() || parts[1].empty() || parts[2].empty()) return {};
  const std::string tail = t.substr(t.size() >= 3 ? t.size() - 3 : 0);
  const bool kanji = t.find("年") != std::string::npos;
  if (kanji && tail != "日") return {};
  // Nothing after the day but 日.
  std::size_t consumed = parts[0].size() + parts[1].size() + parts[2].size();
  consumed += kanji ? 9 : 2;
  if (consumed != t.size()) return {};
  return FromSlipDate(parts[0], parts[1], parts[2]);
}

}  // namespace qm
