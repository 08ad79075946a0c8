#include "app/frame_timer.h"

namespace app {

FrameTimer Timer;

void ResetFrameTimer(FrameTimer& timer) {
  for (float& value : timer.history) value = 1.0f;
  timer.MinFps = 10000.0f;
  timer.MaxFps = 0.0f;
}

void StepFrameTimer(FrameTimer& timer, bool counterRead, int64_t counter, uint32_t milliseconds,
                    bool fadeHasStarted) {
  float raw = 0.0f;
  if (counterRead) {
    const double elapsed = static_cast<double>(counter - timer.previousCounter);
    raw = static_cast<float>(elapsed * timer.timeScale * 1.1 /
                             static_cast<double>(timer.counterFrequency));
    timer.previousCounter = counter;
  }
  const float now = static_cast<float>(milliseconds) * 0.001f;
  if (!counterRead) raw = (now - timer.fallbackClock) * timer.timeScale;
  timer.fallbackClock = now;

  timer.frameCount += 1.0f;
  if (now - timer.lastRateUpdate > 1.0f) {
    timer.lastRateUpdate = now;
    timer.Fps = timer.frameCount;
    timer.frameCount = 0.0f;
  }

  if (fadeHasStarted) {
    if (timer.Fps < timer.MinFps && timer.Fps > 10.0f) timer.MinFps = timer.Fps;
    if (timer.Fps > timer.MaxFps) timer.MaxFps = timer.Fps;
  }

  float sum = raw;
  for (float value : timer.history) sum += value;
  timer.dt = sum / 16.0f;

  for (int i = 0; i + 1 < kFrameHistory; ++i) timer.history[i] = timer.history[i + 1];
  timer.history[kFrameHistory - 1] = raw;
}

}  // namespace app
