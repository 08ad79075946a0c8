#include "music_track.h"

#include "music_encoder.h"
#include "music_score.h"

namespace content {
namespace {

// How much of the room joins the dry instruments.
constexpr float kWetLevel = 0.9f;
// A quiet background level that leaves room under full scale.
constexpr double kTargetRmsDb = -16.0;
constexpr double kCeilingPeakDb = -1.8;
// Quality 0.3 keeps a minute and a half of stereo well under 2 MB.
constexpr float kQuality = 0.3f;
constexpr int kSerialNumber = 0x47484d31;  // fixed, so builds repeat

}  // namespace

StereoLoop RenderFestiveLoop() {
  StereoLoop loop = RenderDryLoop(ArrangeFestiveLoop());
  const StereoLoop wet = LoopReverb(loop);
  for (size_t i = 0; i < loop.frames(); ++i) {
    loop.left[i] += kWetLevel * wet.left[i];
    loop.right[i] += kWetLevel * wet.right[i];
  }
  MasterLoop(loop, kTargetRmsDb, kCeilingPeakDb);
  return loop;
}

std::vector<uint8_t> MakeMusic() {
  const StereoLoop loop = RenderFestiveLoop();
  return EncodeOggVorbis(loop.left.data(), loop.right.data(), loop.frames(), kMusicSampleRate, kQuality,
                         kSerialNumber);
}

}  // namespace content
