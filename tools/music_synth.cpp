#include "music_synth.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace content {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = kMusicSampleRate;

// A table sine: the partials of a long loop need tens of millions of
// sines, which the library's sin makes too slow for a build step.
class SineTable {
 public:
  SineTable() {
    for (int i = 0; i <= kSize; ++i) table_[i] = static_cast<float>(std::sin(2.0 * kPi * i / kSize));
  }
  // phase in cycles, any value in [0, 1)
  float operator()(double phase) const {
    const double x = phase * kSize;
    const int i = static_cast<int>(x);
    const float f = static_cast<float>(x - i);
    return table_[i] + (table_[i + 1] - table_[i]) * f;
  }

 private:
  static constexpr int kSize = 4096;
  std::array<float, kSize + 1> table_{};
};
const SineTable& Sine() {
  static const SineTable table;
  return table;
}

double Wrap(double phase) { return phase - std::floor(phase); }

double MidiHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

// A fixed starting phase per pitch and voice: no randomness, yet unison
// voices do not start in step and cancel.
double StartPhase(int midi, int voice) { return Wrap(midi * 0.6180339887 + voice * 0.3819660113); }

// Attack rises as a raised cosine, the note holds, then decays from its
// written end with the given time constant. Values 0..1.
double Envelope(double t, double attack, double heldFor, double release) {
  double a = t < attack ? 0.5 - 0.5 * std::cos(kPi * t / attack) : 1.0;
  if (t > heldFor) a *= std::exp(-(t - heldFor) / release);
  return a;
}

// The celesta-like bell: a nearly harmonic fundamental and octave, and a few
// stretched upper partials that die quickly, as struck metal bars do.
void Bell(std::vector<float>& out, double hz, double held) {
  struct Partial {
    double ratio, amp, decay;
  };
  static const Partial partials[] = {
      {1.0, 1.0, 1.5}, {2.0, 0.30, 0.6}, {3.01, 0.09, 0.35}, {4.17, 0.05, 0.2}, {5.43, 0.025, 0.12}};
  const SineTable& sine = Sine();
  for (const Partial& p : partials) {
    const double f = hz * p.ratio;
    if (f > 9000.0) continue;  // nothing glassy above the ear's comfort
    const double step = f / kRate;
    double phase = StartPhase(static_cast<int>(hz), static_cast<int>(p.ratio * 7));
    const double fall = std::exp(-1.0 / (p.decay * kRate));
    // The damper lands at the written end: everything then falls faster.
    const double damp = std::exp(-1.0 / (0.35 * kRate));
    double amp = p.amp;
    const size_t heldFrames = static_cast<size_t>(held * kRate);
    for (size_t i = 0; i < out.size(); ++i) {
      const double t = i / kRate;
      const double attack = t < 0.004 ? 0.5 - 0.5 * std::cos(kPi * t / 0.004) : 1.0;
      out[i] += static_cast<float>(amp * attack * sine(phase));
      amp *= i < heldFrames ? fall : fall * damp;
      if (amp < 1e-5) break;
      phase = Wrap(phase + step);
    }
  }
}

// A sawtooth with its step smoothed (polyBLEP), so it has no aliasing hiss.
struct Saw {
  double phase = 0;
  double Next(double step) {
    double v = 2.0 * phase - 1.0;
    if (phase < step) {
      const double t = phase / step;
      v -= t + t - t * t - 1.0;
    } else if (phase > 1.0 - step) {
      const double t = (phase - 1.0) / step;
      v -= t * t + t + t + 1.0;
    }
    phase += step;
    if (phase >= 1.0) phase -= 1.0;
    return v;
  }
};

// The pad and the strings: two detuned saws a voice, softened by two
// one-pole low-passes; the strings are brighter and sway in pitch.
void Pad(std::vector<float>& out, int midi, double hz, double held, bool strings) {
  const double cutoff = strings ? 1700.0 : 850.0;
  const double k = 1.0 - std::exp(-2.0 * kPi * cutoff / kRate);
  const double attack = strings ? 0.5 : 0.8;
  const double release = strings ? 0.7 : 0.9;
  const double detune[2] = {std::pow(2.0, -7.0 / 1200.0), std::pow(2.0, 7.0 / 1200.0)};
  Saw saws[2];
  for (int v = 0; v < 2; ++v) saws[v].phase = StartPhase(midi, v);
  const SineTable& sine = Sine();
  double lp1 = 0, lp2 = 0, vibrato = StartPhase(midi, 5);
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = i / kRate;
    const double sway = strings ? 1.0 + 0.0025 * std::min(1.0, t / 1.5) * sine(vibrato) : 1.0;
    vibrato = Wrap(vibrato + 4.8 / kRate);
    double x = 0;
    for (int v = 0; v < 2; ++v) x += saws[v].Next(hz * detune[v] * sway / kRate);
    lp1 += k * (x - lp1);
    lp2 += k * (lp1 - lp2);
    out[i] += static_cast<float>(0.5 * lp2 * Envelope(t, attack, held, release));
  }
}

// The bass: a round sine with a touch of its octave, plucked and fading.
void Bass(std::vector<float>& out, double hz, double held) {
  const SineTable& sine = Sine();
  double phase = 0, phase2 = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = i / kRate;
    const double env = Envelope(t, 0.006, held, 0.12) * std::exp(-t / 0.9);
    out[i] += static_cast<float>(env * (sine(phase) + 0.22 * sine(phase2)));
    phase = Wrap(phase + hz / kRate);
    phase2 = Wrap(phase2 + 2.0 * hz / kRate);
  }
}

// The flute-like lead: nearly a sine, a little second and third harmonic,
// a breathy slow attack and a vibrato that grows into long notes.
void Flute(std::vector<float>& out, int midi, double hz, double held) {
  const SineTable& sine = Sine();
  double phase = StartPhase(midi, 2), vibrato = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = i / kRate;
    const double depth = 0.004 * std::min(1.0, std::max(0.0, (t - 0.25) / 0.5));
    const double f = hz * (1.0 + depth * sine(vibrato));
    vibrato = Wrap(vibrato + 5.2 / kRate);
    const double p2 = Wrap(2.0 * phase), p3 = Wrap(3.0 * phase);
    const double v = sine(phase) + 0.18 * sine(p2) + 0.06 * sine(p3);
    out[i] += static_cast<float>(v * Envelope(t, 0.07, held, 0.18));
    phase = Wrap(phase + f / kRate);
  }
}

// How long each instrument rings past its written end, and its level.
double TailSeconds(Instrument instrument) {
  switch (instrument) {
    case Instrument::kBell: return 2.5;
    case Instrument::kPad: return 4.0;
    case Instrument::kStrings: return 3.5;
    case Instrument::kBass: return 0.8;
    case Instrument::kFlute: return 1.0;
  }
  return 1.0;
}
double Level(Instrument instrument) {
  switch (instrument) {
    case Instrument::kBell: return 0.30;
    case Instrument::kPad: return 0.09;
    case Instrument::kStrings: return 0.08;
    case Instrument::kBass: return 0.30;
    case Instrument::kFlute: return 0.17;
  }
  return 0.1;
}

// One comb of the reverb, damped in its loop so the highs die first.
struct Comb {
  explicit Comb(size_t length) : line(length, 0.0f) {}
  float Process(float in, float feedback, float damp) {
    const float out = line[at];
    store = out * (1.0f - damp) + store * damp;
    line[at] = in + store * feedback;
    if (++at == line.size()) at = 0;
    return out;
  }
  std::vector<float> line;
  size_t at = 0;
  float store = 0;
};
struct Allpass {
  explicit Allpass(size_t length) : line(length, 0.0f) {}
  float Process(float in) {
    const float delayed = line[at];
    line[at] = in + delayed * 0.5f;
    if (++at == line.size()) at = 0;
    return delayed - in;
  }
  std::vector<float> line;
  size_t at = 0;
};

// Parallel combs into serial allpasses, with mutually prime lengths; the
// right channel's are a little longer so the two sides decorrelate.
struct ReverbChannel {
  explicit ReverbChannel(size_t spread) {
    for (size_t length : {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617}) combs.emplace_back(length + spread);
    for (size_t length : {556, 441, 341, 225}) allpasses.emplace_back(length + spread);
  }
  float Process(float in) {
    float sum = 0;
    for (Comb& comb : combs) sum += comb.Process(in, 0.88f, 0.3f);
    for (Allpass& allpass : allpasses) sum = allpass.Process(sum);
    return sum;
  }
  std::vector<Comb> combs;
  std::vector<Allpass> allpasses;
};

}  // namespace

void AddNote(StereoLoop& loop, size_t startFrame, size_t lengthFrames, int midi, float velocity, float pan,
             Instrument instrument) {
  const size_t frames = loop.frames();
  if (frames == 0) return;
  const double held = lengthFrames / kRate;
  const size_t total = lengthFrames + static_cast<size_t>(TailSeconds(instrument) * kRate);
  std::vector<float> voice(total, 0.0f);
  const double hz = MidiHz(midi);
  switch (instrument) {
    case Instrument::kBell: Bell(voice, hz, held); break;
    case Instrument::kPad: Pad(voice, midi, hz, held, false); break;
    case Instrument::kStrings: Pad(voice, midi, hz, held, true); break;
    case Instrument::kBass: Bass(voice, hz, held); break;
    case Instrument::kFlute: Flute(voice, midi, hz, held); break;
  }
  // The rendered tail ends in a short fade so cutting it never clicks.
  const size_t fade = std::min<size_t>(total, static_cast<size_t>(0.05 * kRate));
  for (size_t i = 0; i < fade; ++i) voice[total - 1 - i] *= static_cast<float>(i) / fade;
  // Constant-power panning keeps a note's loudness wherever it sits.
  const double angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0) * kPi / 4.0;
  const float gain = static_cast<float>(Level(instrument) * velocity);
  const float gainLeft = gain * static_cast<float>(std::cos(angle));
  const float gainRight = gain * static_cast<float>(std::sin(angle));
  size_t at = startFrame % frames;
  for (size_t i = 0; i < total; ++i) {
    loop.left[at] += voice[i] * gainLeft;
    loop.right[at] += voice[i] * gainRight;
    if (++at == frames) at = 0;
  }
}

StereoLoop RenderDryLoop(const Arrangement& arrangement) {
  StereoLoop loop(static_cast<size_t>(arrangement.bars) * kBarFrames);
  for (const ScoreNote& note : arrangement.notes)
    AddNote(loop, static_cast<size_t>(note.startEighth) * kEighthFrames,
            static_cast<size_t>(note.lengthEighths) * kEighthFrames, note.midi, note.velocity, note.pan,
            note.instrument);
  return loop;
}

StereoLoop LoopReverb(const StereoLoop& dry) {
  const size_t frames = dry.frames();
  StereoLoop wet(frames);
  ReverbChannel left(0), right(23);
  // The room hears a mono, slightly low-passed sum; its first pass only
  // fills the delay lines with what the loop's end leaves ringing.
  const float k = static_cast<float>(1.0 - std::exp(-2.0 * kPi * 5000.0 / kRate));
  float tone = 0;
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t i = 0; i < frames; ++i) {
      tone += k * (0.5f * (dry.left[i] + dry.right[i]) - tone);
      const float in = tone * 0.05f;
      const float l = left.Process(in), r = right.Process(in);
      if (pass == 1) {
        wet.left[i] = l;
        wet.right[i] = r;
      }
    }
  }
  return wet;
}

LoopLevels MeasureLevels(const StereoLoop& loop) {
  double sum = 0, peak = 0;
  for (size_t i = 0; i < loop.frames(); ++i) {
    sum += double(loop.left[i]) * loop.left[i] + double(loop.right[i]) * loop.right[i];
    peak = std::max({peak, std::fabs(double(loop.left[i])), std::fabs(double(loop.right[i]))});
  }
  LoopLevels levels;
  const double rms = std::sqrt(sum / std::max<size_t>(1, 2 * loop.frames()));
  levels.rmsDb = 20.0 * std::log10(std::max(rms, 1e-12));
  levels.peakDb = 20.0 * std::log10(std::max(peak, 1e-12));
  return levels;
}

void MasterLoop(StereoLoop& loop, double targetRmsDb, double ceilingPeakDb) {
  const LoopLevels levels = MeasureLevels(loop);
  const float gain = static_cast<float>(std::pow(10.0, (targetRmsDb - levels.rmsDb) / 20.0));
  // The rare bell strikes that stack on a loud chord are rounded off by a
  // soft knee rather than turning the whole mix down: below the knee the
  // samples pass untouched, above it they bend smoothly (matching slope)
  // towards the ceiling, never reaching it. Having no memory, it keeps the
  // loop's joint as smooth as it was.
  const double ceiling = std::pow(10.0, ceilingPeakDb / 20.0);
  const double knee = ceiling * 0.5;
  auto shape = [&](float x) {
    const double y = x * gain;
    const double magnitude = std::fabs(y);
    if (magnitude <= knee) return static_cast<float>(y);
    const double bent = knee + (ceiling - knee) * std::tanh((magnitude - knee) / (ceiling - knee));
    return static_cast<float>(y < 0 ? -bent : bent);
  };
  for (size_t i = 0; i < loop.frames(); ++i) {
    loop.left[i] = shape(loop.left[i]);
    loop.right[i] = shape(loop.right[i]);
  }
}

}  // namespace content
