// The playback engine behind the sound manager: decoded samples, one voice
// per sample (a sample plays at most once at a time), looping that wraps
// within the same output block, and one gain on the mixed stream. The main
// thread changes it; the output's thread renders from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "sound/pcm_buffer.h"

namespace sound {

class Mixer {
 public:
  // Handles are never 0, so 0 can mean failure to the caller.
  uint32_t AddSample(PcmBuffer pcm);
  // The channel a sample plays on; 0 for an unknown or freed sample.
  uint32_t ChannelOf(uint32_t sample);
  bool IsActive(uint32_t channel);
  // Starts the channel, from its beginning when `restart` is set.
  void Play(uint32_t channel, bool restart);
  void SetLooping(uint32_t channel, bool loop);
  // Starts the channel at the given frame (a test aid: far into the music).
  void PlayFrom(uint32_t channel, size_t frame);
  void StopSample(uint32_t sample);
  void FreeSample(uint32_t sample);

  // 0 silent .. 1 as decoded.
  void SetGain(float gain);
  float Gain();

  // Mixes `frames` stereo frames into `out` (interleaved), overwriting it.
  void Render(float* out, size_t frames);

 private:
  struct Voice {
    PcmBuffer pcm;
    bool freed = false;
    bool playing = false;
    bool looping = false;
    size_t position = 0;
  };
  Voice* Find(uint32_t handle);

  std::mutex mutex_;
  std::vector<Voice> voices_;
  float gain_ = 1.0f;
};

}  // namespace sound
