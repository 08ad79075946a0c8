#include <gtest/gtest.h>

#include "app/time_of_day.h"

namespace {

app::TimeOfDayRecord At(int year, int month, int day, int hour, int minute, int second) {
  app::TimeOfDayRecord time;
  time.local.year = static_cast<uint16_t>(year);
  time.local.month = static_cast<uint16_t>(month);
  time.local.day = static_cast<uint16_t>(day);
  time.local.hour = static_cast<uint16_t>(hour);
  time.local.minute = static_cast<uint16_t>(minute);
  time.local.second = static_cast<uint16_t>(second);
  app::UpdateCountdown(time);
  return time;
}

TEST(Countdown, LastSecondOfTheYear) {
  const auto t = At(2026, 12, 31, 23, 59, 59);
  EXPECT_EQ(t.days, 0);
  EXPECT_EQ(t.hours, 0);
  EXPECT_EQ(t.minutes, 0);
  EXPECT_EQ(t.seconds, 1);
}

TEST(Countdown, DaysToChristmasEve) {
  EXPECT_EQ(At(2026, 12, 1, 12, 0, 0).days, 23);
  EXPECT_EQ(At(2026, 12, 9, 12, 0, 0).days, 15);
  EXPECT_EQ(At(2026, 12, 24, 12, 0, 0).days, 0);
  EXPECT_EQ(At(2026, 12, 26, 12, 0, 0).days, 0);
  // January counts 30 days, so the figure there is one short.
  EXPECT_EQ(At(2026, 1, 1, 0, 0, 0).days, 365 - 1 - 8);
  EXPECT_EQ(At(2026, 3, 1, 0, 0, 0).days, 365 - 1 - 58 - 8);
}

TEST(Countdown, NewYearFromTheTwentySeventh) {
  EXPECT_EQ(At(2026, 12, 27, 8, 0, 0).days, 4);
  EXPECT_EQ(At(2026, 12, 30, 8, 0, 0).days, 1);
  EXPECT_EQ(At(2026, 11, 27, 8, 0, 0).days, 27);  // only December switches
}

TEST(Countdown, OnlyListedYearsAreLeapYears) {
  // The extra day of a listed year counts only before it has passed.
  EXPECT_EQ(At(2020, 2, 1, 0, 0, 0).days, 366 - 1 - 30 - 8);
  EXPECT_EQ(At(2024, 2, 1, 0, 0, 0).days, 365 - 1 - 30 - 8);  // 2024 is not in the list
  EXPECT_EQ(At(2020, 12, 1, 0, 0, 0).days, 23);
}

TEST(Countdown, TimeLeftInTheDayShowsAFullMinuteAsSixty) {
  const auto t = At(2026, 12, 5, 10, 0, 0);
  EXPECT_EQ(t.hours, 13);
  EXPECT_EQ(t.minutes, 59);
  EXPECT_EQ(t.seconds, 60);
}

}  // namespace
