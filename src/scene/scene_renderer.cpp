#include "scene/scene_renderer.h"

#include "app/exit_conditions.h"
#include "app/frame_timer.h"
#include "platform/gl_api.h"
#include "platform/platform.h"

namespace scene {

FadeState Fades;

namespace {
bool g_firstFrameDone = false;

// The per-frame step of the main loop: dt, frame rate, mouse-move exit test,
// with the fade counters around the timer as their order requires.
void PerFrameStep() {
  platform::Platform& os = platform::Os();
  AdvanceElapsedFade(app::Timer.dt);
  int64_t counter = 0;
  const bool counterRead = os.ReadCounter(counter);
  app::StepFrameTimer(app::Timer, counterRead, counter, os.Milliseconds(), Fades.elapsed != 0.0f);
  AdvanceFadeAlphas(app::Timer.dt);
  app::TestMouseMoveExit();
}
}  // namespace

void AdvanceElapsedFade(float dt) { Fades.elapsed += dt * 0.5f; }

void AdvanceFadeAlphas(float dt) {
  Fades.snapshotAlpha -= dt * 0.01f;
  if (Fades.elapsed > 1.0f) Fades.alpha -= dt * 0.015f;
}

void ResetFrameComposition() { g_firstFrameDone = false; }

void DrawFrame() {
  if (!g_firstFrameDone) {
    app::ResetCursorTrack();
    g_firstFrameDone = true;
  }
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  PerFrameStep();
  // The room, its particles, glass and overlay are drawn here as they arrive.
  glLoadIdentity();
  platform::Os().SwapBuffers();
}

}  // namespace scene
