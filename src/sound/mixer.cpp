#include "sound/mixer.h"

#include <algorithm>

namespace sound {

// Sample and channel share the number: each sample has exactly one voice.
Mixer::Voice* Mixer::Find(uint32_t handle) {
  if (handle == 0 || handle > voices_.size()) return nullptr;
  Voice& voice = voices_[handle - 1];
  return voice.freed ? nullptr : &voice;
}

uint32_t Mixer::AddSample(PcmBuffer pcm) {
  std::lock_guard<std::mutex> lock(mutex_);
  Voice voice;
  voice.pcm = std::move(pcm);
  voices_.push_back(std::move(voice));
  return static_cast<uint32_t>(voices_.size());
}

uint32_t Mixer::ChannelOf(uint32_t sample) {
  std::lock_guard<std::mutex> lock(mutex_);
  return Find(sample) ? sample : 0;
}

bool Mixer::IsActive(uint32_t channel) {
  std::lock_guard<std::mutex> lock(mutex_);
  const Voice* voice = Find(channel);
  return voice && voice->playing;
}

void Mixer::Play(uint32_t channel, bool restart) {
  std::lock_guard<std::mutex> lock(mutex_);
  Voice* voice = Find(channel);
  if (!voice || voice->pcm.Frames() == 0) return;
  if (restart) voice->position = 0;
  voice->playing = true;
}

void Mixer::SetLooping(uint32_t channel, bool loop) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Voice* voice = Find(channel)) voice->looping = loop;
}

void Mixer::PlayFrom(uint32_t channel, size_t frame) {
  std::lock_guard<std::mutex> lock(mutex_);
  Voice* voice = Find(channel);
  if (!voice || voice->pcm.Frames() == 0) return;
  voice->position = frame % voice->pcm.Frames();
  voice->playing = true;
}

void Mixer::StopSample(uint32_t sample) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Voice* voice = Find(sample)) voice->playing = false;
}

void Mixer::FreeSample(uint32_t sample) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Voice* voice = Find(sample)) {
    voice->playing = false;
    voice->freed = true;
    voice->pcm.samples.clear();
    voice->pcm.samples.shrink_to_fit();
  }
}

void Mixer::SetGain(float gain) {
  std::lock_guard<std::mutex> lock(mutex_);
  gain_ = std::clamp(gain, 0.0f, 1.0f);
}

float Mixer::Gain() {
  std::lock_guard<std::mutex> lock(mutex_);
  return gain_;
}

void Mixer::Render(float* out, size_t frames) {
  std::fill(out, out + frames * kOutputChannels, 0.0f);
  std::lock_guard<std::mutex> lock(mutex_);
  for (Voice& voice : voices_) {
    if (!voice.playing || voice.freed) continue;
    const size_t length = voice.pcm.Frames();
    const float* source = voice.pcm.samples.data();
    size_t done = 0;
    while (done < frames && voice.playing) {
      const size_t run = std::min(frames - done, length - voice.position);
      const float* from = source + voice.position * kOutputChannels;
      float* to = out + done * kOutputChannels;
      for (size_t i = 0; i < run * kOutputChannels; ++i) to[i] += from[i];
      done += run;
      voice.position += run;
      if (voice.position >= length) {
        // The frame after the last is the first again, inside the same
        // block: the joint has no gap.
        voice.position = 0;
        if (!voice.looping) voice.playing = false;
      }
    }
  }
  for (size_t i = 0; i < frames * kOutputChannels; ++i) out[i] *= gain_;
}

}  // namespace sound
