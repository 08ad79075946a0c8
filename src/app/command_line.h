#pragma once

#include <cstdint>

namespace app {

// Reads the screensaver switches from the whole command line, program path
// included, and returns the run mode. `/c` and `/p` may set parentWindow.
int32_t ParseCommandLine(const char* commandLine, int32_t& parentWindow);

}  // namespace app
