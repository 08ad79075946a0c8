// The background music: the tune's tables, the circular rendering and the
// reverb that make the loop seamless, and the encoded file as an ordinary
// Ogg Vorbis decoder (libvorbisfile) plays it back.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <vector>

#include "music_score.h"
#include "music_synth.h"
#include "music_track.h"

namespace {

using content::StereoLoop;

// libvorbisfile reading from memory.
struct Memory {
  const std::vector<uint8_t>* bytes;
  size_t at = 0;
};
size_t Read(void* out, size_t size, size_t count, void* source) {
  Memory& m = *static_cast<Memory*>(source);
  const size_t n = std::min(size * count, m.bytes->size() - m.at);
  std::memcpy(out, m.bytes->data() + m.at, n);
  m.at += n;
  return size ? n / size : 0;
}
int Seek(void* source, ogg_int64_t offset, int whence) {
  Memory& m = *static_cast<Memory*>(source);
  const ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? ogg_int64_t(m.at) : ogg_int64_t(m.bytes->size());
  if (base + offset < 0 || base + offset > ogg_int64_t(m.bytes->size())) return -1;
  m.at = static_cast<size_t>(base + offset);
  return 0;
}
long Tell(void* source) { return static_cast<long>(static_cast<Memory*>(source)->at); }

struct Decoded {
  bool opened = false;
  int channels = 0;
  long rate = 0;
  ogg_int64_t declaredFrames = 0;  // what the stream's last granule says
  StereoLoop pcm;                  // what decoding actually yields
};

Decoded Decode(const std::vector<uint8_t>& bytes) {
  Decoded d;
  Memory memory{&bytes};
  OggVorbis_File file;
  const ov_callbacks callbacks = {Read, Seek, nullptr, Tell};
  if (ov_open_callbacks(&memory, &file, nullptr, 0, callbacks) != 0) return d;
  d.opened = true;
  const vorbis_info* info = ov_info(&file, -1);
  d.channels = info->channels;
  d.rate = info->rate;
  d.declaredFrames = ov_pcm_total(&file, -1);
  for (;;) {
    float** samples = nullptr;
    int section = 0;
    const long n = ov_read_float(&file, &samples, 4096, &section);
    if (n <= 0) break;
    d.pcm.left.insert(d.pcm.left.end(), samples[0], samples[0] + n);
    d.pcm.right.insert(d.pcm.right.end(), samples[d.channels > 1 ? 1 : 0], samples[d.channels > 1 ? 1 : 0] + n);
  }
  ov_clear(&file);
  return d;
}

double Percentile(std::vector<double> values, double fraction) {
  const size_t k = static_cast<size_t>(fraction * (values.size() - 1));
  std::nth_element(values.begin(), values.begin() + k, values.end());
  return values[k];
}

// The step from the loop's last sample to its first, against the steps
// between neighbouring samples everywhere else: no larger than all but the
// rarest tenth of a percent of them (the codec's own noise reaches the
// joint as it reaches every other sample).
void ExpectSmoothJoint(const std::vector<float>& x, const char* what) {
  const size_t n = x.size();
  ASSERT_GT(n, 3u);
  std::vector<double> steps, bends;
  for (size_t i = 0; i + 2 < n; ++i) {
    steps.push_back(std::fabs(x[i + 1] - x[i]));
    bends.push_back(std::fabs(x[i + 2] - 2.0 * x[i + 1] + x[i]));
  }
  const double jointStep = std::fabs(x[0] - x[n - 1]);
  // The curvature across the joint: a waveform that restarts mid-swing
  // shows it even when the step itself happens to be small.
  const double jointBend = std::max(std::fabs(x[0] - 2.0 * x[n - 1] + x[n - 2]), std::fabs(x[1] - 2.0 * x[0] + x[n - 1]));
  EXPECT_LE(jointStep, Percentile(steps, 0.999)) << what;
  EXPECT_LE(jointBend, Percentile(bends, 0.999)) << what;
}

double RmsDb(const std::vector<float>& x, size_t from, size_t count) {
  double sum = 0;
  for (size_t i = from; i < from + count; ++i) sum += double(x[i]) * x[i];
  return 10.0 * std::log10(std::max(sum / count, 1e-24));
}

// The tune as written: every bar full, and every downbeat a tone of its
// bar's chord, which a slip in either table would break.
TEST(MusicScore, BarsAreFullAndDownbeatsSitInTheirChords) {
  const content::VerseTune tune = content::SilentNightVerse();
  ASSERT_EQ(tune.bars, 24);
  ASSERT_EQ(tune.chordTones.size(), 24u);
  std::vector<int> filled(tune.bars, 0);
  int expectedStart = 0;
  for (const content::VerseNote& note : tune.melody) {
    EXPECT_EQ(note.startEighth, expectedStart) << "the melody has a gap or overlap";
    expectedStart += note.lengthEighths;
    filled[note.startEighth / content::kEighthsPerBar] += note.lengthEighths;
    EXPECT_GE(note.midi, 60);
    EXPECT_LE(note.midi, 77);
    if (note.startEighth % content::kEighthsPerBar == 0) {
      const int bar = note.startEighth / content::kEighthsPerBar;
      std::set<int> classes = {tune.bassRoot[bar] % 12, tune.bassFifth[bar] % 12};
      for (int tone : tune.chordTones[bar]) classes.insert(tone % 12);
      EXPECT_TRUE(classes.count(note.midi % 12)) << "bar " << bar + 1 << " opens off its chord";
    }
  }
  for (int bar = 0; bar < tune.bars; ++bar) EXPECT_EQ(filled[bar], 6) << "bar " << bar + 1;
  // The loop ends on the key's tonic, so it leads back into the first bar.
  EXPECT_EQ(tune.melody.back().midi % 12, 0);
  EXPECT_EQ(tune.bassRoot.back() % 12, 0);
}

TEST(MusicScore, ArrangementFitsItsLoop) {
  const content::Arrangement arrangement = content::ArrangeFestiveLoop();
  const double seconds = double(arrangement.bars) * content::kBarFrames / content::kMusicSampleRate;
  EXPECT_GE(seconds, 60.0);
  EXPECT_LE(seconds, 120.0);
  std::set<content::Instrument> used;
  for (const content::ScoreNote& note : arrangement.notes) {
    EXPECT_GE(note.startEighth, 0);
    EXPECT_LE(note.startEighth + note.lengthEighths, arrangement.bars * content::kEighthsPerBar);
    used.insert(note.instrument);
  }
  EXPECT_EQ(used.size(), 5u) << "every instrument plays somewhere";
}

// A note that starts near the loop's end carries on at its start, sample
// for sample as if the loop had no end.
TEST(MusicSynth, NotesRunningPastTheEndWrapToTheStart) {
  const size_t frames = 4 * content::kMusicSampleRate;
  const size_t length = content::kEighthFrames;
  StereoLoop straight(frames), wrapped(frames);
  content::AddNote(straight, 0, length, 72, 1.0f, 0.3f, content::Instrument::kBell);
  const size_t start = 3 * content::kMusicSampleRate;
  content::AddNote(wrapped, start, length, 72, 1.0f, 0.3f, content::Instrument::kBell);
  for (size_t i = 0; i < frames; ++i) {
    ASSERT_EQ(wrapped.left[(start + i) % frames], straight.left[i]) << i;
    ASSERT_EQ(wrapped.right[(start + i) % frames], straight.right[i]) << i;
  }
  // The bell still rings at the wrap point, so the test saw the tail move.
  EXPECT_GT(RmsDb(wrapped.left, 0, 4410), -60.0);
}

// The reverb of the loop equals what it would be after the loop had played
// many times: a reverb started fresh would miss the tail at the start.
TEST(MusicSynth, ReverbIsInItsSteadyStateAtTheLoopStart) {
  const size_t frames = 3 * content::kMusicSampleRate;
  StereoLoop dry(frames);
  content::AddNote(dry, frames - content::kEighthFrames, content::kEighthFrames, 67, 1.0f, 0.0f,
                   content::Instrument::kBell);
  const StereoLoop wet = content::LoopReverb(dry);
  StereoLoop repeated(4 * frames);
  for (size_t copy = 0; copy < 4; ++copy) {
    std::copy(dry.left.begin(), dry.left.end(), repeated.left.begin() + copy * frames);
    std::copy(dry.right.begin(), dry.right.end(), repeated.right.begin() + copy * frames);
  }
  const StereoLoop longWet = content::LoopReverb(repeated);
  double peak = 0, worst = 0;
  for (size_t i = 0; i < frames; ++i) {
    peak = std::max(peak, double(std::fabs(wet.left[i])));
    worst = std::max(worst, double(std::fabs(wet.left[i] - longWet.left[3 * frames + i])));
    worst = std::max(worst, double(std::fabs(wet.right[i] - longWet.right[3 * frames + i])));
  }
  ASSERT_GT(peak, 0.0);
  EXPECT_LT(worst, 1e-3 * peak);
  // The room still answers the last bell at the start of the loop.
  EXPECT_GT(RmsDb(wet.left, 0, 2205), 20.0 * std::log10(peak) - 40.0);
  ExpectSmoothJoint(wet.left, "reverb left");
}

TEST(MusicSynth, MasteringReachesItsLevelAndBendsOnlyThePeaks) {
  const size_t frames = content::kMusicSampleRate;
  StereoLoop loop(frames);
  for (size_t i = 0; i < frames; ++i) loop.left[i] = loop.right[i] = 0.01f * std::sin(i * 0.05);
  loop.left[1000] = 0.5f;  // a strike far above the rest
  content::MasterLoop(loop, -16.0, -2.0);
  const content::LoopLevels levels = content::MeasureLevels(loop);
  EXPECT_NEAR(levels.rmsDb, -16.0, 1.0);
  EXPECT_LT(levels.peakDb, -2.0);
  // Quiet samples keep their shape: the ratio of two of them is unchanged.
  EXPECT_NEAR(loop.right[20] / loop.right[10], std::sin(20 * 0.05) / std::sin(10 * 0.05), 1e-4);
}

class MusicFile : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    bytes_ = new std::vector<uint8_t>(content::MakeMusic());
    decoded_ = new Decoded(Decode(*bytes_));
  }
  static void TearDownTestSuite() {
    delete bytes_;
    delete decoded_;
  }
  static std::vector<uint8_t>* bytes_;
  static Decoded* decoded_;
};
std::vector<uint8_t>* MusicFile::bytes_ = nullptr;
Decoded* MusicFile::decoded_ = nullptr;

TEST_F(MusicFile, DecodesToStereoOfExactlyTheLoopsLength) {
  ASSERT_TRUE(decoded_->opened);
  EXPECT_EQ(decoded_->channels, 2);
  EXPECT_EQ(decoded_->rate, 44100);
  const content::Arrangement arrangement = content::ArrangeFestiveLoop();
  const ogg_int64_t loopFrames = ogg_int64_t(arrangement.bars) * content::kBarFrames;
  EXPECT_EQ(decoded_->declaredFrames, loopFrames);
  EXPECT_EQ(ogg_int64_t(decoded_->pcm.frames()), loopFrames);
  const double seconds = double(decoded_->pcm.frames()) / 44100.0;
  EXPECT_GE(seconds, 60.0);
  EXPECT_LE(seconds, 120.0);
  EXPECT_LT(bytes_->size(), 2u * 1024 * 1024);
}

TEST_F(MusicFile, TheJointIsAsSmoothAsAnyOtherPlace) {
  ASSERT_GT(decoded_->pcm.frames(), 44100u);
  ExpectSmoothJoint(decoded_->pcm.left, "left");
  ExpectSmoothJoint(decoded_->pcm.right, "right");
  // Nothing drops out or swells across it either.
  const size_t n = decoded_->pcm.frames(), window = 2205;
  EXPECT_NEAR(RmsDb(decoded_->pcm.left, n - window, window), RmsDb(decoded_->pcm.left, 0, window), 6.0);
}

TEST_F(MusicFile, QuietBackgroundLevelsWithoutClippingOrHarshHighs) {
  const StereoLoop& pcm = decoded_->pcm;
  ASSERT_GT(pcm.frames(), 0u);
  const content::LoopLevels levels = content::MeasureLevels(pcm);
  EXPECT_GE(levels.rmsDb, -18.0);
  EXPECT_LE(levels.rmsDb, -14.0);
  EXPECT_LT(levels.peakDb, -1.0);
  // The signal's RMS frequency, from the energy of its first difference:
  // a mellow mix stays low; hiss or buzzing saws would raise it.
  double energy = 0, slope = 0;
  for (size_t i = 1; i < pcm.frames(); ++i) {
    energy += double(pcm.left[i]) * pcm.left[i];
    const double d = pcm.left[i] - pcm.left[i - 1];
    slope += d * d;
  }
  const double rmsHz = std::sqrt(slope / energy) * 44100.0 / (2.0 * 3.14159265358979);
  EXPECT_LT(rmsHz, 1500.0);
  EXPECT_GT(rmsHz, 80.0) << "more than a bass hum";
  // Not silent anywhere for long: every four seconds hold something.
  for (size_t at = 0; at + 4 * 44100 <= pcm.frames(); at += 4 * 44100)
    EXPECT_GT(RmsDb(pcm.left, at, 4 * 44100), -40.0) << "at " << at / 44100 << " s";
}

TEST_F(MusicFile, EveryBuildWritesTheSameBytes) {
  EXPECT_TRUE(content::MakeMusic() == *bytes_);
}

}  // namespace
