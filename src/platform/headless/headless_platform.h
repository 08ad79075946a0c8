#pragma once

#include <memory>

#include "platform/headless/headless_options.h"
#include "platform/platform.h"

namespace platform {

// Runs the saver's own frame code offscreen with a virtual clock and
// scripted input, writing PNG snapshots of chosen frames.
std::unique_ptr<Platform> CreateHeadlessPlatform(const HeadlessOptions& options);

}  // namespace platform
