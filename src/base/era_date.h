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

// The date of a slip's year, month and day as typed: the era form ("令和08", "令和8",
// "R8") or a western year ("2026"), digits half or full width, blanks ignored. Null
// when they do not name a day of the calendar.
QDate FromSlipDate(const std::string& yy, const std::string& mm, const std::string& dd);

// A date typed as a date: "2026-12-10", "2026/12/10", "2026年12月10日", "令和8年12月10日",
// "R8.12.10", "R08/12/10"; null when it is none.
QDate ParseDateText(const std::string& text);

}  // namespace qm
