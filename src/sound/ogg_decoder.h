// Ogg Vorbis from a byte range in memory, decoded whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "sound/pcm_buffer.h"

namespace sound {

// Decodes every frame of the stream into stereo at the output rate: a mono
// stream is doubled, channels beyond two are dropped, another rate is
// resampled linearly. Fails with a reason for bytes that are not Ogg Vorbis,
// a stream without a single frame, or damage that stops the decoder.
std::optional<PcmBuffer> DecodeOggVorbis(const uint8_t* data, size_t size, std::string& error);

}  // namespace sound
