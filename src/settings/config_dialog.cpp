#include "settings/config_dialog.h"

#include "app/run_mode.h"

namespace settings {

// The options dialog has no template yet: Configure ends at once.
void RunConfigureDialog() { app::RunMode = app::kModeLeaving; }

}  // namespace settings
