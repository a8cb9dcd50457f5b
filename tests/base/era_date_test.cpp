#include "base/era_date.h"

#include <gtest/gtest.h>

TEST(EraDate, EraNameTwoDigitYearMonthAndDay) {
  struct Case {
    QDate date;
    const char* yy;
    const char* mm;
    const char* dd;
  } cases[] = {
      {QDate(2026, 12, 9), "令和08", "12", "09"},
      {QDate(2019, 5, 1), "令和01", "05", "01"},
      {QDate(2019, 4, 30), "平成31", "04", "30"},
      {QDate(1989, 1, 8), "平成01", "01", "08"},
      {QDate(1989, 1, 7), "昭和64", "01", "07"},
      {QDate(1926, 12, 25), "昭和01", "12", "25"},
      {QDate(1926, 12, 24), "大正15", "12", "24"},
      {QDate(1912, 7, 30), "大正01", "07", "30"},
      {QDate(1912, 7, 29), "明治45", "07", "29"},
      {QDate(1868, 1, 1), "明治01", "01", "01"},
      {QDate(1867, 12, 31), "1867", "12", "31"},
  };
  for (const auto& c : cases) {
    const qm::EraDate e = qm::ToEraDate(c.date);
    EXPECT_EQ(e.yy, c.yy) << c.date.toString().toStdString();
    EXPECT_EQ(e.mm, c.mm);
    EXPECT_EQ(e.dd, c.dd);
  }
}
