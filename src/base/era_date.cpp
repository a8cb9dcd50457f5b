#include "base/era_date.h"

#include <array>
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

}  // namespace qm
