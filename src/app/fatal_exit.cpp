#include "app/fatal_exit.h"

#include <cstdlib>

#include "app/gamma.h"
#include "app/log.h"
#include "app/renderer_state.h"
#include "platform/platform.h"

namespace app {

void EndAfterUnusableData() {
  platform::Platform& os = platform::Os();
  RestoreGamma();
  if (RendererState.fullScreen && !os.DrawsIntoForeignWindow()) {
    os.RestoreDisplayMode();
    os.SetCursorVisible(true);
  }
  CloseLog();
  os.ExitProcess(0);
  std::exit(0);  // not reached: the platform's exit does not return
}

}  // namespace app
