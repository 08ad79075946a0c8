// Where the mixed stream goes: the default audio device, or, for tests, a WAV
// file that receives what the device would have played, in real time.
#pragma once

#include <memory>
#include <string>

#include "sound/mixer.h"

namespace sound {

class AudioSink {
 public:
  virtual ~AudioSink() = default;
  // Starts pulling the mixer's stream. False, with a reason, when there is
  // no output to play on.
  virtual bool Open(Mixer& mixer, std::string& error) = 0;
  // Stops pulling; safe to call when Open failed or twice.
  virtual void Close() = 0;
};

std::unique_ptr<AudioSink> CreateDeviceSink();
std::unique_ptr<AudioSink> CreateCaptureSink(const std::string& path);

// The capture when GLIMMERHALL_AUDIO_OUT names a file, the device otherwise.
std::unique_ptr<AudioSink> CreateAudioSink();

}  // namespace sound
