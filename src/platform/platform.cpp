#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {
Platform* g_platform = nullptr;
}

Platform& Os() {
  if (!g_platform) {
    std::fputs("glimmerhall: no platform installed\n", stderr);
    std::abort();
  }
  return *g_platform;
}

void SetOs(Platform* platform) { g_platform = platform; }

}  // namespace platform
