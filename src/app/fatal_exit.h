#pragma once

namespace app {

// Ends the process with exit code 0 after a loader met data it cannot use,
// leaving the display as the user had it: the gamma ramp and the display
// mode are restored first.
[[noreturn]] void EndAfterUnusableData();

}  // namespace app
