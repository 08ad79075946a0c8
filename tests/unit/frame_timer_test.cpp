#include "app/frame_timer.h"

#include <gtest/gtest.h>

namespace {

constexpr int64_t kFrequency = 1'000'000;

app::FrameTimer FreshTimer() {
  app::FrameTimer timer;
  app::ResetFrameTimer(timer);
  timer.counterFrequency = kFrequency;
  return timer;
}

// Counter counts for a raw frame time of `ticks` (elapsed seconds × 55).
int64_t CountsFor(double ticks) { return static_cast<int64_t>(ticks / 55.0 * kFrequency + 0.5); }

TEST(FrameTimer, FirstFrameAveragesWithTheHistoryOfOnes) {
  app::FrameTimer timer = FreshTimer();
  app::StepFrameTimer(timer, true, CountsFor(3.0), 0, false);
  EXPECT_NEAR(timer.dt, (15.0f + 3.0f) / 16.0f, 1e-4f);
  EXPECT_NEAR(timer.history[app::kFrameHistory - 1], 3.0f, 1e-4f);
  EXPECT_FLOAT_EQ(timer.history[0], 1.0f);
}

TEST(FrameTimer, SettlesToTheTrueFrameTimeOverSixteenFrames) {
  app::FrameTimer timer = FreshTimer();
  int64_t counter = 0;
  for (int frame = 1; frame <= 16; ++frame) {
    counter += CountsFor(2.2);
    app::StepFrameTimer(timer, true, counter, frame * 40, true);
    if (frame < 16) EXPECT_LT(timer.dt, 2.19f) << "frame " << frame;
  }
  EXPECT_NEAR(timer.dt, 2.2f, 1e-3f);
}

TEST(FrameTimer, CounterTimeIncludesTheElevenPercentFactor) {
  app::FrameTimer timer = FreshTimer();
  for (float& value : timer.history) value = 0.0f;
  app::StepFrameTimer(timer, true, kFrequency, 1000, false);  // one second
  EXPECT_NEAR(timer.history[app::kFrameHistory - 1], 55.0f, 1e-3f);
}

TEST(FrameTimer, FallbackClockHasNoElevenPercentFactor) {
  app::FrameTimer timer = FreshTimer();
  for (float& value : timer.history) value = 0.0f;
  app::StepFrameTimer(timer, false, 0, 2000, false);  // from 0 s to 2 s
  EXPECT_NEAR(timer.history[app::kFrameHistory - 1], 100.0f, 1e-3f);
  EXPECT_FLOAT_EQ(timer.fallbackClock, 2.0f);
  app::StepFrameTimer(timer, false, 0, 2500, false);
  EXPECT_NEAR(timer.history[app::kFrameHistory - 1], 25.0f, 1e-3f);
}

TEST(FrameTimer, FrameRateCountsTheFramesOfEachSecond) {
  app::FrameTimer timer = FreshTimer();
  // 30 frames 45 ms apart: the interval closes at the first frame past 1 s.
  for (int frame = 1; frame <= 30; ++frame) app::StepFrameTimer(timer, true, 0, frame * 45, true);
  EXPECT_FLOAT_EQ(timer.Fps, 23.0f);  // frame 23 is at 1.035 s
  EXPECT_FLOAT_EQ(timer.frameCount, 7.0f);
  EXPECT_FLOAT_EQ(timer.MaxFps, 23.0f);
  EXPECT_FLOAT_EQ(timer.MinFps, 23.0f);
}

TEST(FrameTimer, MinimumIgnoresRatesOfTenOrLessAndTheFirstFrame) {
  app::FrameTimer timer = FreshTimer();
  timer.Fps = 40.0f;
  app::StepFrameTimer(timer, true, 0, 100, false);  // fade not started: nothing counts
  EXPECT_FLOAT_EQ(timer.MinFps, 10000.0f);
  EXPECT_FLOAT_EQ(timer.MaxFps, 0.0f);

  app::FrameTimer slow = FreshTimer();
  uint32_t ms = 0;
  for (int second = 0; second < 5; ++second)
    for (int frame = 0; frame < 5; ++frame) app::StepFrameTimer(slow, true, 0, ms += 201, true);
  EXPECT_LE(slow.Fps, 10.0f);
  EXPECT_GT(slow.Fps, 0.0f);
  EXPECT_FLOAT_EQ(slow.MinFps, 10000.0f);
  EXPECT_FLOAT_EQ(slow.MaxFps, slow.Fps);
}

TEST(FrameTimer, ResetRestoresTheStartUpState) {
  app::FrameTimer timer;
  timer.MinFps = 3.0f;
  timer.MaxFps = 99.0f;
  timer.history[4] = 7.0f;
  app::ResetFrameTimer(timer);
  EXPECT_FLOAT_EQ(timer.MinFps, 10000.0f);
  EXPECT_FLOAT_EQ(timer.MaxFps, 0.0f);
  for (float value : timer.history) EXPECT_FLOAT_EQ(value, 1.0f);
}

}  // namespace
