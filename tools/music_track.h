// The primary archive's looped background music, "Music\Music.ogg".
#pragma once

#include <cstdint>
#include <vector>

#include "music_synth.h"

namespace content {

// The mastered loop before encoding: whole bars, stereo, 44.1 kHz.
StereoLoop RenderFestiveLoop();

// The loop encoded as Ogg Vorbis, the same bytes on every run.
std::vector<uint8_t> MakeMusic();

}  // namespace content
