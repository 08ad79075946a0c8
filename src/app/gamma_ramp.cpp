#include "app/gamma_ramp.h"

#include <cmath>

namespace app {

void BuildPowerRamp(double exponent, uint16_t ramp[platform::kGammaRampSize]) {
  for (int i = 0; i < kGammaChannelSize; ++i) {
    double value = std::pow(i / 256.0, exponent) * 65536.0;
    if (value < 0.0) value = 0.0;
    if (value > 65535.0) value = 65535.0;
    const uint16_t entry = static_cast<uint16_t>(value);
    ramp[i] = entry;
    ramp[i + kGammaChannelSize] = entry;
    ramp[i + 2 * kGammaChannelSize] = entry;
  }
}

namespace {

double ChannelExponent(const uint16_t* channel) {
  double sum = 0.0;
  int count = 0;
  for (int i = 0; i < kGammaChannelSize; ++i) {
    if (channel[i] == 0) continue;
    // At index 0 both logarithms are taken of 1 and 0: the quotient would
    // be 0/0 or x/-inf; the entry is counted with an exponent of 0.
    const double input = std::log(i / 256.0);
    const double output = std::log(channel[i] / 65536.0);
    if (i != 0 && input != 0.0) sum += output / input;
    ++count;
  }
  return count > 0 ? sum / count : 1.0;
}

}  // namespace

double EstimateGamma(const uint16_t ramp[platform::kGammaRampSize]) {
  double total = 0.0;
  for (int channel = 0; channel < 3; ++channel) total += ChannelExponent(ramp + channel * kGammaChannelSize);
  return total / 3.0;
}

}  // namespace app
