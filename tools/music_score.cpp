#include "music_score.h"

#include <cstddef>

namespace content {
namespace {

// Note names as MIDI numbers, octave 4 holding middle C.
enum : int {
  C2 = 36, D2 = 38, F2 = 41, G2 = 43,
  D3 = 50, E3 = 52, F3 = 53, G3 = 55, A3 = 57, B3 = 59,
  C4 = 60, D4 = 62, E4 = 64, F4 = 65, G4 = 67, A4 = 69, B4 = 71,
  C5 = 72, D5 = 74, E5 = 76, F5 = 77
};

// The melody bar by bar as (pitch, eighths) pairs; every bar sums to six.
struct Step {
  int midi;
  int eighths;
};
const std::vector<std::vector<Step>>& MelodyBars() {
  static const std::vector<std::vector<Step>> bars = {
      {{G4, 3}, {A4, 1}, {G4, 2}}, {{E4, 6}}, {{G4, 3}, {A4, 1}, {G4, 2}}, {{E4, 6}},
      {{D5, 4}, {D5, 2}}, {{B4, 6}}, {{C5, 4}, {C5, 2}}, {{G4, 6}},
      {{A4, 4}, {A4, 2}}, {{C5, 3}, {B4, 1}, {A4, 2}}, {{G4, 3}, {A4, 1}, {G4, 2}}, {{E4, 6}},
      {{A4, 4}, {A4, 2}}, {{C5, 3}, {B4, 1}, {A4, 2}}, {{G4, 3}, {A4, 1}, {G4, 2}}, {{E4, 6}},
      {{D5, 4}, {D5, 2}}, {{F5, 3}, {D5, 1}, {B4, 2}}, {{C5, 6}}, {{E5, 6}},
      {{C5, 3}, {G4, 1}, {E4, 2}}, {{G4, 3}, {F4, 1}, {D4, 2}}, {{C4, 6}}, {{C4, 6}}};
  return bars;
}

enum class Chord { kC, kF, kG, kG7 };
const std::vector<Chord>& ChordBars() {
  using C = Chord;
  static const std::vector<Chord> chords = {
      C::kC, C::kC, C::kC,  C::kC,  C::kG7, C::kG,  C::kC, C::kC, C::kF, C::kF, C::kC,  C::kC,
      C::kF, C::kF, C::kC,  C::kC,  C::kG7, C::kG7, C::kC, C::kC, C::kC, C::kG7, C::kC, C::kC};
  return chords;
}

// Close voicings under the melody, each a small step from the last, so the
// pad moves without jumps.
std::vector<int> Voicing(Chord chord) {
  switch (chord) {
    case Chord::kC: return {E3, G3, C4};
    case Chord::kF: return {F3, A3, C4};
    case Chord::kG: return {D3, G3, B3};
    case Chord::kG7: return {D3, F3, B3};
  }
  return {};
}
int Root(Chord chord) {
  switch (chord) {
    case Chord::kC: return C2;
    case Chord::kF: return F2;
    case Chord::kG:
    case Chord::kG7: return G2;
  }
  return C2;
}
// The fifth below the root keeps the bass in one low octave.
int Fifth(Chord chord) {
  switch (chord) {
    case Chord::kC: return G2;  // the one fifth above its root
    case Chord::kF: return C2;
    case Chord::kG:
    case Chord::kG7: return D2;
  }
  return G2;
}

void Add(Arrangement& out, Instrument instrument, int start, int length, int midi, float velocity, float pan) {
  ScoreNote note;
  note.startEighth = start;
  note.lengthEighths = length;
  note.midi = midi;
  note.velocity = velocity;
  note.pan = pan;
  note.instrument = instrument;
  out.notes.push_back(note);
}

}  // namespace

VerseTune SilentNightVerse() {
  VerseTune tune;
  const auto& bars = MelodyBars();
  const auto& chords = ChordBars();
  tune.bars = static_cast<int>(bars.size());
  for (size_t bar = 0; bar < bars.size(); ++bar) {
    int at = static_cast<int>(bar) * kEighthsPerBar;
    for (const Step& step : bars[bar]) {
      tune.melody.push_back({at, step.eighths, step.midi});
      at += step.eighths;
    }
    tune.chordTones.push_back(Voicing(chords[bar]));
    tune.bassRoot.push_back(Root(chords[bar]));
    tune.bassFifth.push_back(Fifth(chords[bar]));
  }
  return tune;
}

Arrangement ArrangeFestiveLoop() {
  const VerseTune tune = SilentNightVerse();
  Arrangement out;
  const int verses = 2;
  out.bars = tune.bars * verses;
  for (int verse = 0; verse < verses; ++verse) {
    const int offset = verse * tune.bars * kEighthsPerBar;
    const bool second = verse == 1;
    // The melody: a bell that rings past its written length, slightly right.
    for (const VerseNote& n : tune.melody) {
      if (!second) {
        Add(out, Instrument::kBell, offset + n.startEighth, n.lengthEighths, n.midi, 0.9f, 0.15f);
      } else {
        Add(out, Instrument::kFlute, offset + n.startEighth, n.lengthEighths, n.midi, 0.75f, -0.1f);
        Add(out, Instrument::kBell, offset + n.startEighth, n.lengthEighths, n.midi + 12, 0.45f, 0.35f);
      }
    }
    // The pad holds each chord as long as it lasts: repeated bars of one
    // chord become one long note rather than restarting every bar.
    const Instrument pad = second ? Instrument::kStrings : Instrument::kPad;
    int bar = 0;
    while (bar < tune.bars) {
      int end = bar + 1;
      while (end < tune.bars && tune.chordTones[end] == tune.chordTones[bar]) ++end;
      const std::vector<int>& tones = tune.chordTones[bar];
      for (size_t i = 0; i < tones.size(); ++i) {
        // The voices spread across the stereo field, low left, high right.
        const float pan = tones.size() > 1 ? -0.4f + 0.8f * static_cast<float>(i) / (tones.size() - 1) : 0.0f;
        Add(out, pad, offset + bar * kEighthsPerBar, (end - bar) * kEighthsPerBar, tones[i], 0.8f, pan);
      }
      bar = end;
    }
    // The bass: root on the first beat, fifth on the second.
    for (int b = 0; b < tune.bars; ++b) {
      const int start = offset + b * kEighthsPerBar;
      Add(out, Instrument::kBass, start, 3, tune.bassRoot[b], 0.9f, -0.05f);
      Add(out, Instrument::kBass, start + 3, 3, tune.bassFifth[b], 0.7f, -0.05f);
    }
  }
  return out;
}

}  // namespace content
