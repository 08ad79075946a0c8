#pragma once

namespace app {

// Shows the still picture inside the host's preview window. Returns the
// exit code when it could not be shown.
int RunPreview();

}  // namespace app
