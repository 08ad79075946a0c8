// Frame time `dt` in ticks of 1/55 second, smoothed over 16 frames, and the
// frame-rate figures of the last second.
#pragma once

#include <cstdint>

namespace app {

constexpr int kFrameHistory = 15;

struct FrameTimer {
  float dt = 0.0f;
  float timeScale = 50.0f;
  int64_t counterFrequency = 1;
  int64_t previousCounter = 0;
  float history[kFrameHistory] = {};  // raw frame times, oldest first
  float fallbackClock = 0.0f;         // seconds, from the millisecond clock
  float frameCount = 0.0f;
  float lastRateUpdate = 0.0f;  // seconds
  float Fps = 0.0f;
  float MinFps = 10000.0f;
  float MaxFps = 0.0f;
};

// The state OpenGL start-up leaves the timer in.
void ResetFrameTimer(FrameTimer& timer);

// Advances the timer by one frame. counterRead tells whether the
// high-resolution counter could be read (and then holds its reading);
// milliseconds is the multimedia clock. fadeHasStarted is false only while
// the start-up fade's elapsed counter is still 0, which keeps the first frame
// out of the minimum and maximum.
void StepFrameTimer(FrameTimer& timer, bool counterRead, int64_t counter, uint32_t milliseconds,
                    bool fadeHasStarted);

extern FrameTimer Timer;

}  // namespace app
