#include "sound/sound_manager.h"

#include <cstdlib>
#include <string>

#include "app/log.h"
#include "archive/asset_store.h"
#include "settings/settings.h"
#include "sound/ogg_decoder.h"

namespace sound {

SoundManagerRecord SoundManager;

namespace {

// Never destroyed: a run that ends through exit() closes the output in the
// manager's destructor, and the output's thread may render until then.
Mixer& TheMixer() {
  static Mixer* mixer = new Mixer;
  return *mixer;
}

// A test aid: GLIMMERHALL_MUSIC_START=SECONDS starts the music that far in,
// so that a short run can hear the joint of the loop.
size_t StartFrame() {
  const char* text = std::getenv("GLIMMERHALL_MUSIC_START");
  if (!text || !*text) return 0;
  char* end = nullptr;
  const double seconds = std::strtod(text, &end);
  if (end == text || !(seconds > 0.0) || seconds > 36000.0) return 0;
  return static_cast<size_t>(seconds * kOutputRate);
}

}  // namespace

void StartOutput() {
  SoundManagerRecord& sound = SoundManager;
  sound.mixer = &TheMixer();
  sound.output = CreateAudioSink();
  std::string error;
  if (sound.output->Open(*sound.mixer, error)) {
    sound.SavedVolume = static_cast<uint8_t>(sound.mixer->Gain() * 100.0f + 0.5f);
    if (sound.Enabled) sound.mixer->SetGain(sound.Volume / 100.0f);
  } else {
    app::Log("No sound output (", error, "); the run goes on in silence");
    sound.output.reset();
    sound.Enabled = 0;
  }
}

int32_t LoadSampleFromMemory(const uint8_t* bytes, uint32_t count, uint32_t /*flags*/) {
  SoundManagerRecord& sound = SoundManager;
  SampleRecord record;
  // Without an output nobody would hear it: the decoding is skipped.
  if (sound.Enabled && sound.mixer && bytes && count > 0) {
    std::string error;
    std::optional<PcmBuffer> pcm = DecodeOggVorbis(bytes, count, error);
    if (pcm)
      record.handle = sound.mixer->AddSample(std::move(*pcm));
    else
      app::Log("Sample not decoded: ", error);
  }
  record.loaded = record.handle != 0;
  sound.samples.push_back(record);
  return static_cast<int32_t>(sound.samples.size() - 1);
}

void PlaySample(int32_t index, bool loop) {
  SoundManagerRecord& sound = SoundManager;
  if (index < 0 || static_cast<size_t>(index) >= sound.samples.size()) return;
  SampleRecord& record = sound.samples[static_cast<size_t>(index)];
  if (!record.loaded || !sound.mixer) return;
  if (sound.mixer->IsActive(record.channel)) return;
  record.channel = sound.mixer->ChannelOf(record.handle);
  sound.mixer->Play(record.channel, true);
  sound.mixer->SetLooping(record.channel, loop);
}

void SetVolume(uint8_t volume) {
  SoundManagerRecord& sound = SoundManager;
  if (!sound.Enabled || !sound.mixer) return;
  sound.mixer->SetGain((volume > 100 ? 100 : volume) / 100.0f);
}

void ShutdownOutput() {
  SoundManagerRecord& sound = SoundManager;
  if (!sound.Enabled) return;
  SetVolume(sound.SavedVolume);
  if (sound.mixer) {
    for (const SampleRecord& record : sound.samples) {
      sound.mixer->StopSample(record.handle);
      sound.mixer->FreeSample(record.handle);
    }
  }
  if (sound.output) sound.output->Close();
  sound.output.reset();
  sound.Enabled = 0;
}

void StartMusic() {
  SoundManagerRecord& sound = SoundManager;
  StartOutput();
  sound.musicBytes = archive::Assets().Find("Music/music.ogg");
  if (!sound.musicBytes.data || sound.musicBytes.size == 0) app::Log("No music in the data: Music/music.ogg");
  sound.musicSampleIndex = LoadSampleFromMemory(sound.musicBytes.data, sound.musicBytes.size, 0);
  PlaySample(sound.musicSampleIndex, true);
  const size_t startFrame = StartFrame();
  const SampleRecord& music = sound.samples[static_cast<size_t>(sound.musicSampleIndex)];
  if (startFrame > 0 && music.loaded) {
    // Started again at once at that frame, before the output can take a
    // block from the beginning.
    sound.mixer->StopSample(music.handle);
    sound.mixer->PlayFrom(music.channel, startFrame);
  }
  if (sound.Enabled) {
    float chosen = settings::Current.SoundVolume;
    if (!(chosen >= 0.0f)) chosen = 0.0f;
    if (chosen > 100.0f) chosen = 100.0f;
    sound.Volume = static_cast<uint8_t>(chosen);  // 35.9 plays as 35
    SetVolume(sound.Volume);
  }
}

void ShutdownSound() {
  ShutdownOutput();
  archive::FreeAssetBlob(SoundManager.musicBytes);
}

}  // namespace sound
