#include "app/time_of_day.h"

namespace app {

TimeOfDayRecord TimeOfDay;

namespace {

bool IsListedLeapYear(int year) {
  return year == 2004 || year == 2008 || year == 2012 || year == 2016 || year == 2020;
}

int NonNegative(int value) { return value < 0 ? 0 : value; }

}  // namespace

void UpdateCountdown(TimeOfDayRecord& time) {
  // January counts 30 days here; the days figure is one short in January.
  int monthLength[12] = {30, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int yearLength = 365;
  const int year = time.local.year;
  const int month = time.local.month;
  const int day = time.local.day;
  if (IsListedLeapYear(year)) {
    monthLength[1] = 29;
    yearLength = 366;
  }
  int monthsBefore = 0;
  for (int m = 1; m < month && m <= 12; ++m) monthsBefore += monthLength[m - 1];

  time.days = NonNegative(yearLength - day - monthsBefore - 8);
  time.hours = NonNegative(23 - time.local.hour);
  time.minutes = NonNegative(59 - time.local.minute);
  time.seconds = NonNegative(60 - time.local.second);
  if (day > 26 && month == 12) time.days = 31 - day;
}

}  // namespace app
