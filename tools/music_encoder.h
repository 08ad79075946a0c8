// Ogg Vorbis encoding of a stereo loop through libvorbisenc and libogg.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace content {

// Variable bit rate at the given quality (-0.1 .. 1). The stream's serial
// number is fixed by the caller, so the same samples give the same bytes;
// the last page's granule position is exactly `frames`, so a decoder plays
// back no more and no less than the loop.
std::vector<uint8_t> EncodeOggVorbis(const float* left, const float* right, size_t frames, int sampleRate,
                                     float quality, int serialNumber);

}  // namespace content
