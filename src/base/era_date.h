#pragma once
// The slip date in the Japanese calendar: era name with two-digit era year, month, day.
#include <QDate>
#include <string>

namespace qm {

struct EraDate {
  std::string yy;  // "令和08"
  std::string mm;  // "12"
  std::string dd;  // "09"
};

// Eras from 明治 to 令和. Dates before the first day of 明治 keep the western year.
EraDate ToEraDate(const QDate& date);

}  // namespace qm
