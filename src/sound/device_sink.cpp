// The default audio device through PortAudio, pulling the mixer from
// PortAudio's own callback thread.
#include <portaudio.h>

#include "platform/platform.h"
#include "sound/audio_sink.h"

namespace sound {
namespace {

int PullFromMixer(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
                  PaStreamCallbackFlags, void* mixer) {
  static_cast<Mixer*>(mixer)->Render(static_cast<float*>(output), frames);
  return paContinue;
}

class DeviceSink : public AudioSink {
 public:
  ~DeviceSink() override { Close(); }

  bool Open(Mixer& mixer, std::string& error) override {
    if (!platform::Os().HasAudioDevice()) {
      error = "this runner has no audio device";
      return false;
    }
    platform::Os().QuietenAudioSystem();
    PaError result = Pa_Initialize();
    if (result != paNoError) {
      error = Pa_GetErrorText(result);
      return false;
    }
    initialised_ = true;
    if (Pa_GetDefaultOutputDevice() == paNoDevice) {
      error = "no audio output device";
      Close();
      return false;
    }
    result = Pa_OpenDefaultStream(&stream_, 0, kOutputChannels, paFloat32, kOutputRate,
                                  paFramesPerBufferUnspecified, PullFromMixer, &mixer);
    if (result == paNoError) result = Pa_StartStream(stream_);
    if (result != paNoError) {
      error = Pa_GetErrorText(result);
      Close();
      return false;
    }
    return true;
  }

  void Close() override {
    if (stream_) {
      Pa_StopStream(stream_);
      Pa_CloseStream(stream_);
      stream_ = nullptr;
    }
    if (initialised_) Pa_Terminate();
    initialised_ = false;
  }

 private:
  PaStream* stream_ = nullptr;
  bool initialised_ = false;
};

}  // namespace

std::unique_ptr<AudioSink> CreateDeviceSink() { return std::make_unique<DeviceSink>(); }

}  // namespace sound
