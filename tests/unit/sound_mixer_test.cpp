#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sound/mixer.h"
#include "sound/ogg_decoder.h"
#include "sound/sound_manager.h"

namespace {

// A sample whose left channel counts frames (1, 2, 3, ...) and whose right
// channel is the negative, so every output frame tells where it came from.
sound::PcmBuffer Ramp(size_t frames) {
  sound::PcmBuffer pcm;
  for (size_t i = 0; i < frames; ++i) {
    pcm.samples.push_back(static_cast<float>(i + 1) / 1000.0f);
    pcm.samples.push_back(-static_cast<float>(i + 1) / 1000.0f);
  }
  return pcm;
}

std::vector<float> RenderLeft(sound::Mixer& mixer, size_t frames) {
  std::vector<float> out(frames * 2, 99.0f);
  mixer.Render(out.data(), frames);
  std::vector<float> left;
  for (size_t i = 0; i < frames; ++i) left.push_back(out[2 * i]);
  return left;
}

TEST(SoundMixer, ALoopJoinsItsEndToItsStartInsideOneBlock) {
  sound::Mixer mixer;
  const uint32_t sample = mixer.AddSample(Ramp(5));
  const uint32_t channel = mixer.ChannelOf(sample);
  ASSERT_NE(channel, 0u);
  mixer.Play(channel, true);
  mixer.SetLooping(channel, true);
  const std::vector<float> left = RenderLeft(mixer, 12);
  const float expected[] = {1, 2, 3, 4, 5, 1, 2, 3, 4, 5, 1, 2};
  for (size_t i = 0; i < 12; ++i) EXPECT_FLOAT_EQ(left[i], expected[i] / 1000.0f) << "frame " << i;
  // The next block goes on where this one stopped.
  EXPECT_FLOAT_EQ(RenderLeft(mixer, 1)[0], 3 / 1000.0f);
  EXPECT_TRUE(mixer.IsActive(channel));
}

TEST(SoundMixer, WithoutLoopingItEndsInSilence) {
  sound::Mixer mixer;
  const uint32_t channel = mixer.ChannelOf(mixer.AddSample(Ramp(3)));
  mixer.Play(channel, true);
  const std::vector<float> left = RenderLeft(mixer, 6);
  EXPECT_FLOAT_EQ(left[2], 3 / 1000.0f);
  for (size_t i = 3; i < 6; ++i) EXPECT_EQ(left[i], 0.0f);
  EXPECT_FALSE(mixer.IsActive(channel));
  // Played again without restart, it starts from the beginning: the end
  // already moved it there.
  mixer.Play(channel, false);
  EXPECT_FLOAT_EQ(RenderLeft(mixer, 1)[0], 1 / 1000.0f);
}

TEST(SoundMixer, GainScalesTheMixAndAFreedSampleIsGone) {
  sound::Mixer mixer;
  const uint32_t sample = mixer.AddSample(Ramp(100));
  const uint32_t channel = mixer.ChannelOf(sample);
  mixer.SetLooping(channel, true);
  mixer.PlayFrom(channel, 110);  // past the end: wraps to frame 10
  mixer.SetGain(0.35f);
  std::vector<float> out(4);
  mixer.Render(out.data(), 2);
  EXPECT_FLOAT_EQ(out[0], 0.35f * 11 / 1000.0f);
  EXPECT_FLOAT_EQ(out[1], -0.35f * 11 / 1000.0f);
  mixer.SetGain(0.0f);
  mixer.Render(out.data(), 2);
  EXPECT_EQ(out[0], 0.0f);
  EXPECT_TRUE(mixer.IsActive(channel));  // silent, but playing

  mixer.FreeSample(sample);
  EXPECT_EQ(mixer.ChannelOf(sample), 0u);
  EXPECT_FALSE(mixer.IsActive(channel));
  mixer.SetGain(1.0f);
  mixer.Render(out.data(), 2);
  EXPECT_EQ(out[0], 0.0f);
  EXPECT_EQ(mixer.ChannelOf(0), 0u);
  EXPECT_EQ(mixer.ChannelOf(77), 0u);
}

TEST(SoundDecoder, RefusesWhatIsNotOggVorbis) {
  std::string error;
  EXPECT_FALSE(sound::DecodeOggVorbis(nullptr, 0, error));
  const std::string text = "OggS but not really a stream of any kind, just text";
  EXPECT_FALSE(sound::DecodeOggVorbis(reinterpret_cast<const uint8_t*>(text.data()), text.size(), error));
  EXPECT_FALSE(error.empty());
}

class SoundManagerRules : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = std::move(sound::SoundManager);
    sound::SoundManager = sound::SoundManagerRecord();
    sound::SoundManager.mixer = &mixer_;
  }
  void TearDown() override { sound::SoundManager = std::move(saved_); }
  sound::Mixer mixer_;
  sound::SoundManagerRecord saved_;
};

TEST_F(SoundManagerRules, PlayIgnoresBadIndicesAndUnloadedSamples) {
  // An undecodable sample still gets its record, not loaded.
  const uint8_t junk[] = {1, 2, 3, 4};
  const int32_t bad = sound::LoadSampleFromMemory(junk, sizeof junk, 0);
  ASSERT_EQ(bad, 0);
  EXPECT_FALSE(sound::SoundManager.samples[0].loaded);
  sound::PlaySample(bad, true);
  sound::PlaySample(-1, true);
  sound::PlaySample(5, true);
  EXPECT_EQ(sound::SoundManager.samples[0].channel, 0u);

  // A good one by hand: played once, then left alone while it plays.
  sound::SampleRecord good;
  good.handle = mixer_.AddSample(Ramp(50));
  good.loaded = true;
  sound::SoundManager.samples.push_back(good);
  sound::PlaySample(1, true);
  const uint32_t channel = sound::SoundManager.samples[1].channel;
  ASSERT_NE(channel, 0u);
  EXPECT_TRUE(mixer_.IsActive(channel));
  std::vector<float> out(20);
  mixer_.Render(out.data(), 10);
  sound::PlaySample(1, true);  // still playing: no restart
  mixer_.Render(out.data(), 1);
  EXPECT_FLOAT_EQ(out[0], 11 / 1000.0f);
}

TEST_F(SoundManagerRules, WithoutOutputTheVolumeAndShutdownDoNothing) {
  sound::SoundManager.Enabled = 0;
  mixer_.SetGain(0.8f);
  sound::SetVolume(10);
  EXPECT_FLOAT_EQ(mixer_.Gain(), 0.8f);
  sound::ShutdownOutput();
  EXPECT_FLOAT_EQ(mixer_.Gain(), 0.8f);

  sound::SoundManager.Enabled = 1;
  sound::SoundManager.SavedVolume = 100;
  sound::SetVolume(35);
  EXPECT_FLOAT_EQ(mixer_.Gain(), 0.35f);
  sound::ShutdownOutput();
  EXPECT_FLOAT_EQ(mixer_.Gain(), 1.0f);  // the volume found at start-up
  EXPECT_EQ(sound::SoundManager.Enabled, 0);
}

}  // namespace

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

#include "archive/asset_store.h"
#include "archive_builder.h"
#include "music_encoder.h"
#include "settings/settings.h"

namespace {

// A second of a soft chord, encoded as the archive's music would be.
std::vector<uint8_t> ShortMusic() {
  std::vector<float> left(44100), right(44100);
  for (size_t i = 0; i < left.size(); ++i) {
    left[i] = 0.3f * std::sin(2.0 * M_PI * 440.0 * i / 44100.0);
    right[i] = 0.3f * std::sin(2.0 * M_PI * 660.0 * i / 44100.0);
  }
  return content::EncodeOggVorbis(left.data(), right.data(), left.size(), 44100, 0.3f, 7);
}

class MusicStartUp : public ::testing::Test {
 protected:
  void SetUp() override {
    capture_ = ::testing::TempDir() + "music_start_" + std::to_string(getpid()) + ".wav";
    setenv("GLIMMERHALL_AUDIO_OUT", capture_.c_str(), 1);
    saved_ = std::move(sound::SoundManager);
    sound::SoundManager = sound::SoundManagerRecord();
    volume_ = settings::Current.SoundVolume;
  }
  void TearDown() override {
    sound::ShutdownSound();
    sound::SoundManager = std::move(saved_);
    unsetenv("GLIMMERHALL_AUDIO_OUT");
    std::remove(capture_.c_str());
    settings::Current.SoundVolume = volume_;
    archive::Assets().Open(archive::ArchiveView{}, archive::ArchiveView{});
  }
  void OpenArchiveWith(std::vector<uint8_t> music) {
    std::vector<archive_test::Block> blocks = {archive_test::Folder("Music")};
    archive_test::Block file;
    file.name = "Music\\Music.ogg";
    file.data = std::move(music);
    blocks.push_back(file);
    primary_ = archive_test::Build(blocks);
    archive::ArchiveView view;
    view.data = primary_.data();
    view.size = static_cast<uint32_t>(primary_.size());
    archive::Assets().Open(view, archive::ArchiveView{});
  }

  std::string capture_;
  std::vector<uint8_t> primary_;
  sound::SoundManagerRecord saved_;
  float volume_ = 0;
};

TEST_F(MusicStartUp, PlaysTheArchivesMusicLoopedAtTheTruncatedVolume) {
  OpenArchiveWith(ShortMusic());
  settings::Current.SoundVolume = 35.9f;
  sound::StartMusic();
  const sound::SoundManagerRecord& manager = sound::SoundManager;
  ASSERT_EQ(manager.Enabled, 1);
  EXPECT_EQ(manager.Volume, 35);
  EXPECT_FLOAT_EQ(manager.mixer->Gain(), 0.35f);
  ASSERT_EQ(manager.musicSampleIndex, 0);
  const sound::SampleRecord& music = manager.samples[0];
  EXPECT_TRUE(music.loaded);
  EXPECT_TRUE(manager.mixer->IsActive(music.channel));

  sound::ShutdownSound();
  EXPECT_EQ(sound::SoundManager.Enabled, 0);
  EXPECT_FLOAT_EQ(sound::SoundManager.mixer->Gain(), 1.0f);  // the volume found at start-up
  std::ifstream wav(capture_, std::ios::binary);
  char riff[4] = {};
  wav.read(riff, 4);
  EXPECT_EQ(std::string(riff, 4), "RIFF");
}

TEST_F(MusicStartUp, MissingOrDamagedMusicLeavesARunInSilence) {
  OpenArchiveWith({});  // the member is there, without bytes
  sound::StartMusic();
  ASSERT_EQ(sound::SoundManager.samples.size(), 1u);
  EXPECT_FALSE(sound::SoundManager.samples[0].loaded);
  sound::ShutdownSound();

  sound::SoundManager = sound::SoundManagerRecord();
  std::vector<uint8_t> damaged = ShortMusic();
  for (size_t i = 60; i < damaged.size(); i += 7) damaged[i] ^= 0x5A;
  OpenArchiveWith(damaged);
  sound::StartMusic();
  ASSERT_EQ(sound::SoundManager.samples.size(), 1u);
  EXPECT_FALSE(sound::SoundManager.samples[0].loaded);
  EXPECT_EQ(sound::SoundManager.Enabled, 1);  // the output itself is fine
}

TEST(SoundDecoder, DecodesEveryFrameOfAStream) {
  const std::vector<uint8_t> bytes = ShortMusic();
  std::string error;
  const std::optional<sound::PcmBuffer> pcm = sound::DecodeOggVorbis(bytes.data(), bytes.size(), error);
  ASSERT_TRUE(pcm) << error;
  EXPECT_EQ(pcm->Frames(), 44100u);
  float peak = 0;
  for (float s : pcm->samples) peak = std::max(peak, std::fabs(s));
  EXPECT_NEAR(peak, 0.3f, 0.03f);
  // A stream cut in half still decodes what it holds, and no more.
  const std::optional<sound::PcmBuffer> half = sound::DecodeOggVorbis(bytes.data(), bytes.size() / 2, error);
  if (half) EXPECT_LT(half->Frames(), 44100u);
}

}  // namespace
