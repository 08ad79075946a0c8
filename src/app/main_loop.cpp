#include "app/main_loop.h"

#include "app/exit_conditions.h"
#include "app/frame_timer.h"
#include "app/gamma.h"
#include "app/gl_context.h"
#include "app/log.h"
#include "app/run_mode.h"
#include "app/time_of_day.h"
#include "archive/asset_store.h"
#include "assets/asset_release.h"
#include "platform/platform.h"
#include "scene/scene.h"
#include "scene/scene_renderer.h"
#include "settings/settings.h"
#include "sound/sound_manager.h"

namespace app {

void RunMainLoop() {
  platform::Platform& os = platform::Os();
  Timer.dt = 0.0f;
  Timer.counterFrequency = os.CounterFrequency();
  if (Timer.counterFrequency <= 0) Timer.counterFrequency = 1;
  os.ReadCounter(Timer.previousCounter);

  while (RunMode == kModeRun) {
    const platform::PumpResult pumped = os.PumpMessage();
    if (pumped == platform::PumpResult::Quit) break;
    if (pumped == platform::PumpResult::Dispatched) continue;
    TimeOfDay.local = os.LocalClock();
    UpdateCountdown(TimeOfDay);
    scene::SceneRenderer::DrawFrame();
    PollInput();
  }
  ShutdownRun();
}

void ShutdownRun() {
  if (settings::Current.Music) sound::ShutdownSound();
  RestoreGamma();
  scene::ClearScene();
  assets::ClearTextureCache();
  assets::DestroyModelLibrary();
  // The log stays open through the OpenGL shutdown so that the frame-rate
  // summary it writes reaches a named log file.
  ShutdownOpenGL();
  CloseLog();
  platform::Os().DestroySaverWindow();
}

}  // namespace app
