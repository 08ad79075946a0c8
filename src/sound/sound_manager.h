// The sound manager: the music of the room, decoded from the archive and
// played in a loop at the chosen volume for the whole run.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "archive/asset_blob.h"
#include "sound/audio_sink.h"
#include "sound/mixer.h"

namespace sound {

struct SampleRecord {
  uint32_t handle = 0;
  bool loaded = false;  // the handle is not 0
  uint32_t channel = 0;  // the channel that last played the sample
};

struct SoundManagerRecord {
  // Cleared when there is no output to play on, and at shutdown; the volume
  // calls and the shutdown do nothing without it.
  int32_t Enabled = 1;
  uint8_t Volume = 100;       // 0-100
  uint8_t SavedVolume = 100;  // the output's volume found at start-up
  std::vector<SampleRecord> samples;
  int32_t musicSampleIndex = -1;

  Mixer* mixer = nullptr;
  std::unique_ptr<AudioSink> output;
  archive::AssetBlob musicBytes;
};

extern SoundManagerRecord SoundManager;

// Opens the output (the device, or the capture file of the tests) and sets
// the manager's volume on it.
void StartOutput();
// Decodes the bytes into a new sample record and returns its index; the
// record is not loaded when they cannot be decoded or there is no output.
int32_t LoadSampleFromMemory(const uint8_t* bytes, uint32_t count, uint32_t flags);
// Starts the sample unless it is still playing; nothing for a bad index or a
// sample that is not loaded.
void PlaySample(int32_t index, bool loop);
void SetVolume(uint8_t volume);
// Puts the output's volume back, frees every sample and closes the output.
void ShutdownOutput();

// The run's music: the output, then "Music/music.ogg" from the archive,
// looped, at the SoundVolume setting.
void StartMusic();
// The end of the run's sound.
void ShutdownSound();

}  // namespace sound
