#include "app/run_saver.h"

#include "app/exit_conditions.h"
#include "app/gl_context.h"
#include "app/log.h"
#include "app/main_loop.h"
#include "app/renderer_state.h"
#include "overlay/overlay_startup.h"
#include "scene/scene.h"
#include "settings/settings.h"
#include "sound/sound_manager.h"

namespace app {

void RunSaver() {
  Log("Starting...");
  Log("Starting init OpenGL");

  const settings::SettingsRecord& chosen = settings::Current;
  int32_t mode = chosen.CurrRes;
  if (mode < 0 || mode >= settings::kDisplayModeCount) mode = settings::kDesktopModeIndex;
  RendererState.screenWidth = chosen.DisplayModes[mode].width;
  RendererState.screenHeight = chosen.DisplayModes[mode].height;
  RendererState.colorDepth = chosen.DisplayModes[mode].bitsPerPixel;

  ResetCursorTrack();

  RendererState.fullScreen = true;
  const bool created = CreateWindowForSaver("Glimmerhall", RendererState.screenWidth,
                                            RendererState.screenHeight, true);
  Log("Creating window...");
  if (!created) {
    Log("Create Window failed!");
    return;
  }
  Log("Window is create");

  StartOpenGL();
  Log("initializing font...");
  Log("Loading data...");
  overlay::ShowLoadingScreen();
  overlay::InitClockOverlay();
  scene::LoadScene();
  Log("Loading models");
  Log("OpenGL initialized");

  if (chosen.Music) {
    sound::StartMusic();
    Log("Sound initialized");
  }

  RunMainLoop();
}

}  // namespace app
