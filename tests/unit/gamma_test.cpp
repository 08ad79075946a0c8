#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <exception>
#include <memory>
#include <fstream>
#include <sstream>
#include <string>

#include "app/gamma.h"
#include "app/fatal_exit.h"
#include "app/gamma_ramp.h"
#include "app/log.h"
#include "fake_platform.h"
#include "platform/headless/headless_options.h"
#include "platform/headless/headless_platform.h"
#include "settings/settings.h"

namespace {

constexpr int kChannel = platform::kGammaRampSize / 3;

// A calibrated display: three different curves, none a power curve.
void FillCalibrated(uint16_t* ramp) {
  for (int i = 0; i < kChannel; ++i) {
    ramp[i] = static_cast<uint16_t>(std::min(65535.0, i * 250.0 + 900.0 * std::sin(i / 20.0) + 1000.0));
    ramp[i + kChannel] = static_cast<uint16_t>(i * 257);
    ramp[i + 2 * kChannel] = static_cast<uint16_t>(65535.0 * std::sqrt(i / 255.0));
  }
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class GammaRamp : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetOs(&os_);
    logPath_ = ::testing::TempDir() + "gamma_test_" + std::to_string(getpid()) + ".log";
    app::OpenLog(logPath_);
    savedGamma_ = settings::Current.Gamma;
  }
  void TearDown() override {
    app::RestoreGamma();
    app::CloseLog();
    std::remove(logPath_.c_str());
    std::remove((logPath_ + ".more").c_str());
    platform::SetOs(nullptr);
    settings::Current.Gamma = savedGamma_;
  }
  std::string Logged() {
    app::CloseLog();
    const std::string text = ReadAll(logPath_);
    app::OpenLog(logPath_ + ".more");
    return text;
  }
  void ExpectAllChannels(int index, uint16_t value) {
    for (int channel = 0; channel < 3; ++channel)
      EXPECT_EQ(os_.ramp[index + channel * kChannel], value) << "index " << index << " channel " << channel;
  }

  testing_support::FakePlatform os_;
  std::string logPath_;
  float savedGamma_ = 3.0f;
};

TEST_F(GammaRamp, TheSettingPicksTheExponentFourMinusGamma) {
  settings::Current.Gamma = 3.0f;  // exponent 1: i x 256, the top at 65280
  app::ApplyGammaAtStartup();
  for (int i : {0, 1, 128, 255}) ExpectAllChannels(i, static_cast<uint16_t>(i * 256));
  app::RestoreGamma();

  settings::Current.Gamma = 4.0f;  // exponent 0: washed out to white
  app::ApplyGammaAtStartup();
  for (int i : {0, 77, 255}) ExpectAllChannels(i, 65535);
  app::RestoreGamma();

  settings::Current.Gamma = 0.0f;  // exponent 4: very dark
  app::ApplyGammaAtStartup();
  ExpectAllChannels(128, 4096);
  ExpectAllChannels(0, 0);
  ExpectAllChannels(255, static_cast<uint16_t>(std::pow(255.0 / 256.0, 4.0) * 65536.0));
}

TEST_F(GammaRamp, EstimatesTheExponentOfTheRampFound) {
  uint16_t ramp[platform::kGammaRampSize];
  for (int c = 0; c < 3; ++c)
    for (int i = 0; i < kChannel; ++i) ramp[i + c * kChannel] = static_cast<uint16_t>(i * 257);
  // The entries near the top pull the mean of a linear ramp below 1.
  EXPECT_NEAR(app::EstimateGamma(ramp), 0.978, 0.001);

  app::BuildPowerRamp(2.2, ramp);
  EXPECT_NEAR(app::EstimateGamma(ramp), 2.2, 0.02);

  // A channel with nothing but zeros counts as 1.
  for (int i = 0; i < kChannel; ++i) ramp[i + kChannel] = 0;
  const double red = 2.2;
  EXPECT_NEAR(app::EstimateGamma(ramp), (red + 1.0 + red) / 3.0, 0.02);
  uint16_t zero[platform::kGammaRampSize] = {};
  EXPECT_DOUBLE_EQ(app::EstimateGamma(zero), 1.0);
}

TEST_F(GammaRamp, TheRampFoundComesBackEntryForEntryOnce) {
  FillCalibrated(os_.ramp);
  uint16_t calibrated[platform::kGammaRampSize];
  std::memcpy(calibrated, os_.ramp, sizeof(calibrated));
  settings::Current.Gamma = 1.5f;

  app::ApplyGammaAtStartup();
  EXPECT_NE(std::memcmp(os_.ramp, calibrated, sizeof(calibrated)), 0);
  app::RestoreGamma();
  EXPECT_EQ(std::memcmp(os_.ramp, calibrated, sizeof(calibrated)), 0);
  EXPECT_EQ(os_.rampWrites, 2);

  // Every exit path may restore; only the first one writes.
  app::RestoreGamma();
  EXPECT_EQ(os_.rampWrites, 2);

  const std::string log = Logged();
  const size_t old = log.find("Old Gamma: ");
  const size_t wanted = log.find("New Gamma: 2.5\n");
  const size_t back = log.find("Set old Gamma: ");
  ASSERT_NE(old, std::string::npos) << log;
  ASSERT_NE(wanted, std::string::npos) << log;
  ASSERT_NE(back, std::string::npos) << log;
  EXPECT_LT(old, wanted);
  EXPECT_LT(wanted, back);
  EXPECT_EQ(log.find("Set old Gamma: ", back + 1), std::string::npos) << "restored twice";
}

TEST_F(GammaRamp, AnUnreadableRampIsRestoredAsTheEstimatedCurve) {
  os_.rampReadable = false;
  settings::Current.Gamma = 0.0f;
  app::ApplyGammaAtStartup();
  ExpectAllChannels(128, 4096);
  app::RestoreGamma();
  // Nothing could be read: the estimate is 1, the curve i x 256.
  for (int i : {0, 100, 255}) ExpectAllChannels(i, static_cast<uint16_t>(i * 256));
  EXPECT_NE(Logged().find("Old Gamma: 1\n"), std::string::npos);
}

TEST_F(GammaRamp, AnotherProgramsWindowLeavesTheDisplayAlone) {
  os_.foreignWindow = true;
  FillCalibrated(os_.ramp);
  settings::Current.Gamma = 0.0f;
  app::ApplyGammaAtStartup();
  app::RestoreGamma();
  EXPECT_EQ(os_.rampWrites, 0);
  EXPECT_EQ(Logged().find("Gamma: "), std::string::npos);
}

TEST_F(GammaRamp, AProcessEndingThroughTerminateRestoresFirst) {
  const std::string childLog = logPath_ + ".child";
  EXPECT_DEATH(
      {
        app::CloseLog();
        app::OpenLog(childLog);
        settings::Current.Gamma = 0.0f;
        app::ApplyGammaAtStartup();
        std::terminate();
      },
      "");
  const std::string log = ReadAll(childLog);
  std::remove(childLog.c_str());
  EXPECT_NE(log.find("New Gamma: 4"), std::string::npos) << log;
  EXPECT_NE(log.find("Set old Gamma: "), std::string::npos) << log;
}

}  // namespace

namespace {

// The headless runner's stand-in for the display keeps the ramp in a file,
// so a process that ends through the fatal path can be looked at afterwards.
TEST(GammaExitPaths, AnImageThatCannotBeDecodedEndsTheRunWithTheRampRestored) {
  const std::string rampFile = ::testing::TempDir() + "gamma_exit_" + std::to_string(getpid()) + ".ramp";
  uint16_t calibrated[platform::kGammaRampSize];
  FillCalibrated(calibrated);
  {
    std::ofstream out(rampFile, std::ios::binary);
    for (uint16_t entry : calibrated) out.put(static_cast<char>(entry & 0xFF)).put(static_cast<char>(entry >> 8));
  }
  platform::HeadlessOptions options;
  options.gammaRampFile = rampFile;
  std::unique_ptr<platform::Platform> os = platform::CreateHeadlessPlatform(options);
  platform::SetOs(os.get());
  EXPECT_EXIT(
      {
        settings::Current.Gamma = 0.0f;
        app::ApplyGammaAtStartup();
        uint16_t during[platform::kGammaRampSize];
        if (!os->GetGammaRamp(during) || during[128] != 4096) std::_Exit(3);
        app::EndAfterUnusableData();
      },
      ::testing::ExitedWithCode(0), "");
  platform::SetOs(nullptr);

  uint16_t after[platform::kGammaRampSize] = {};
  std::ifstream in(rampFile, std::ios::binary);
  for (uint16_t& entry : after) {
    const int low = in.get();
    const int high = in.get();
    entry = static_cast<uint16_t>(low | high << 8);
  }
  ASSERT_TRUE(in.good());
  std::remove(rampFile.c_str());
  EXPECT_EQ(std::memcmp(after, calibrated, sizeof(after)), 0);
}

}  // namespace
