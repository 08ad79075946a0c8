#include "sound/ogg_decoder.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

namespace sound {
namespace {

struct MemoryReader {
  const uint8_t* data;
  size_t size;
  size_t at;
};

size_t Read(void* into, size_t size, size_t count, void* source) {
  MemoryReader& reader = *static_cast<MemoryReader*>(source);
  if (size == 0) return 0;
  const size_t wanted = size * count;
  const size_t left = reader.size - reader.at;
  const size_t taken = std::min(wanted, left) / size * size;
  std::memcpy(into, reader.data + reader.at, taken);
  reader.at += taken;
  return taken / size;
}

int Seek(void* source, ogg_int64_t offset, int whence) {
  MemoryReader& reader = *static_cast<MemoryReader*>(source);
  ogg_int64_t base = 0;
  if (whence == SEEK_CUR) base = static_cast<ogg_int64_t>(reader.at);
  if (whence == SEEK_END) base = static_cast<ogg_int64_t>(reader.size);
  const ogg_int64_t target = base + offset;
  if (target < 0 || target > static_cast<ogg_int64_t>(reader.size)) return -1;
  reader.at = static_cast<size_t>(target);
  return 0;
}

long Tell(void* source) { return static_cast<long>(static_cast<MemoryReader*>(source)->at); }

// Linear interpolation to the output rate, for streams made at another one.
PcmBuffer Resampled(const PcmBuffer& in, long rate) {
  PcmBuffer out;
  const size_t inFrames = in.Frames();
  const size_t outFrames = static_cast<size_t>(static_cast<double>(inFrames) * kOutputRate / rate);
  out.samples.resize(outFrames * kOutputChannels);
  const double step = static_cast<double>(rate) / kOutputRate;
  for (size_t i = 0; i < outFrames; ++i) {
    const double at = i * step;
    const size_t below = std::min(static_cast<size_t>(at), inFrames - 1);
    const size_t above = std::min(below + 1, inFrames - 1);
    const float fraction = static_cast<float>(at - below);
    for (int c = 0; c < kOutputChannels; ++c) {
      const float a = in.samples[below * kOutputChannels + c];
      const float b = in.samples[above * kOutputChannels + c];
      out.samples[i * kOutputChannels + c] = a + (b - a) * fraction;
    }
  }
  return out;
}

}  // namespace

std::optional<PcmBuffer> DecodeOggVorbis(const uint8_t* data, size_t size, std::string& error) {
  if (!data || size == 0) {
    error = "no bytes";
    return std::nullopt;
  }
  MemoryReader reader{data, size, 0};
  OggVorbis_File file;
  const ov_callbacks callbacks = {Read, Seek, nullptr, Tell};
  if (ov_open_callbacks(&reader, &file, nullptr, 0, callbacks) != 0) {
    error = "not an Ogg Vorbis stream";
    return std::nullopt;
  }
  const vorbis_info* info = ov_info(&file, -1);
  const long rate = info ? info->rate : 0;
  const int channels = info ? info->channels : 0;
  if (rate <= 0 || channels <= 0) {
    ov_clear(&file);
    error = "no channels or no rate";
    return std::nullopt;
  }
  PcmBuffer pcm;
  const ogg_int64_t total = ov_pcm_total(&file, -1);
  if (total > 0) pcm.samples.reserve(static_cast<size_t>(total) * kOutputChannels);
  int section = 0;
  for (;;) {
    float** planes = nullptr;
    const long frames = ov_read_float(&file, &planes, 4096, &section);
    if (frames == 0) break;
    if (frames < 0) {
      if (frames == OV_HOLE) continue;  // a gap in the data: go on after it
      ov_clear(&file);
      error = "the stream is damaged";
      return std::nullopt;
    }
    // A chained stream may change its layout between sections.
    const vorbis_info* now = ov_info(&file, section);
    const int sectionChannels = now ? now->channels : channels;
    for (long i = 0; i < frames; ++i) {
      const float left = planes[0][i];
      const float right = sectionChannels > 1 ? planes[1][i] : left;
      pcm.samples.push_back(left);
      pcm.samples.push_back(right);
    }
  }
  ov_clear(&file);
  if (pcm.Frames() == 0) {
    error = "no sound in the stream";
    return std::nullopt;
  }
  if (rate != kOutputRate) return Resampled(pcm, rate);
  return pcm;
}

}  // namespace sound
