#pragma once

#include <cstdint>

namespace app {

// The process runs one mode; every exit condition anywhere sets Leaving.
enum RunModeValue : int32_t {
  kModePreview = 2,
  kModeRun = 3,
  kModeConfigure = 4,
  kModeLeaving = 5,
};

extern int32_t RunMode;
// The window number from the command line: Preview's parent window.
extern int32_t ParentWindow;
// The module handle WinMain received (opaque to portable code).
extern void* InstanceHandle;

}  // namespace app
