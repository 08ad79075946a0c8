#pragma once

#include "platform/platform.h"

namespace app {

// Preview up to the end of its message loop, on the given platform: the
// picture's window inside ParentWindow, then messages until a quit message
// or a close request turns RunMode to Leaving. Returns the exit code: 1 when
// the window could not be made, 0 once it has been closed and destroyed.
int ShowPreviewUntilClosed(platform::Platform& os);

// Shows the still picture inside the host's preview window. Returns the exit
// code when it could not be shown; once it was shown, the process ends with 0
// through the runtime's ordinary exit when the picture is closed.
int RunPreview();

}  // namespace app
