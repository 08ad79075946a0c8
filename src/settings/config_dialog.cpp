#include "settings/config_dialog.h"

#include "app/run_mode.h"
#include "platform/platform.h"

namespace settings {

void RunConfigureDialog() {
  platform::Os().RunConfigureDialog();
  app::RunMode = app::kModeLeaving;
}

}  // namespace settings
