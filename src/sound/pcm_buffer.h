// Decoded sound, ready to mix: interleaved stereo floats at the output rate.
#pragma once

#include <cstddef>
#include <vector>

namespace sound {

constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;

struct PcmBuffer {
  std::vector<float> samples;  // left, right, left, right, ...
  size_t Frames() const { return samples.size() / kOutputChannels; }
};

}  // namespace sound
