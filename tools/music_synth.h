// The festive loop's instruments and room: notes rendered into a circular
// stereo buffer, so a tail running past the loop's end sounds at its start,
// and a reverb whose state at the start equals its state at the end.
#pragma once

#include <cstddef>
#include <vector>

#include "music_score.h"

namespace content {

struct StereoLoop {
  explicit StereoLoop(size_t frameCount = 0) : left(frameCount, 0.0f), right(frameCount, 0.0f) {}
  size_t frames() const { return left.size(); }
  std::vector<float> left, right;
};

// Adds one note into the loop, starting at startFrame (taken modulo the
// loop's length) and wrapping whatever rings past the end.
void AddNote(StereoLoop& loop, size_t startFrame, size_t lengthFrames, int midi, float velocity, float pan,
             Instrument instrument);

// Every note of the arrangement, dry, in a loop of its whole bars.
StereoLoop RenderDryLoop(const Arrangement& arrangement);

// The room's answer alone (no dry signal) for a loop played forever: the
// reverb runs over the loop twice and the second pass is kept, so its
// state entering the loop is the one it leaves with.
StereoLoop LoopReverb(const StereoLoop& dry);

struct LoopLevels {
  double rmsDb = 0;   // both channels together, dBFS
  double peakDb = 0;
};
LoopLevels MeasureLevels(const StereoLoop& loop);

// Scales the mix to a quiet background level and bends its few highest
// peaks under a ceiling, leaving headroom for the codec's overshoot.
void MasterLoop(StereoLoop& loop, double targetRmsDb, double ceilingPeakDb);

}  // namespace content
