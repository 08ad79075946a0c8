// The local time read once per frame and the countdown figures derived from it.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace app {

struct TimeOfDayRecord {
  platform::LocalTime local;
  int32_t days = 0;
  int32_t hours = 0;
  int32_t minutes = 0;
  int32_t seconds = 0;
};

// Days to Christmas Eve (to the New Year from 27 December on) and the time
// left in the day, as the overlay shows them.
void UpdateCountdown(TimeOfDayRecord& time);

extern TimeOfDayRecord TimeOfDay;

}  // namespace app
