// The arithmetic of gamma ramps, free of any display: building the power
// curve the gamma setting asks for and estimating the exponent of a ramp read
// from the display.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace app {

constexpr int kGammaChannelSize = platform::kGammaRampSize / 3;

// pow(i / 256, exponent) scaled to 16 bits, the same curve in all three
// channels (red, green, blue one after another).
void BuildPowerRamp(double exponent, uint16_t ramp[platform::kGammaRampSize]);

// The mean, over the three channels, of each channel's average exponent;
// a channel with no non-zero entry counts as 1.
double EstimateGamma(const uint16_t ramp[platform::kGammaRampSize]);

}  // namespace app
