// The festive loop's tune and its arrangement: a public-domain carol
// ("Silent Night", Gruber 1818) in C major, 6/8, two verses, turned into
// timed notes for the instruments of music_synth.
#pragma once

#include <vector>

namespace content {

// One bar of 6/8 at a dotted quarter of 60 a minute lasts two seconds; an
// eighth is exactly 14700 frames at 44.1 kHz, so every note starts on a
// whole frame and the loop is a whole number of frames.
constexpr int kMusicSampleRate = 44100;
constexpr int kEighthFrames = kMusicSampleRate / 3;
constexpr int kEighthsPerBar = 6;
constexpr int kBarFrames = kEighthFrames * kEighthsPerBar;

enum class Instrument { kBell, kPad, kStrings, kBass, kFlute };

struct ScoreNote {
  int startEighth = 0;   // from the start of the loop
  int lengthEighths = 0;
  int midi = 60;         // 60 = middle C
  float velocity = 1.0f; // 0..1, scales the instrument's own level
  float pan = 0.0f;      // -1 left .. +1 right
  Instrument instrument = Instrument::kBell;
};

struct Arrangement {
  int bars = 0;  // the loop's length
  std::vector<ScoreNote> notes;
};

// The melody of one verse and its chords: what the arrangement is made of,
// kept apart so the tests can check the tune itself.
struct VerseNote {
  int startEighth;
  int lengthEighths;
  int midi;
};
struct VerseTune {
  int bars = 0;
  std::vector<VerseNote> melody;
  std::vector<std::vector<int>> chordTones;  // per bar, the pad's voicing
  std::vector<int> bassRoot;                 // per bar
  std::vector<int> bassFifth;                // per bar, played on beat 2
};
VerseTune SilentNightVerse();

// Two verses: the first on soft bells over a warm pad and a round bass, the
// second adding a flute-like lead, bells an octave up and a string pad.
Arrangement ArrangeFestiveLoop();

}  // namespace content
