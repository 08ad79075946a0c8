#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "app/log.h"
#include "platform/headless/headless_platform.h"
#include "platform/platform.h"
#include "platform/posix/posix_services.h"
#include "settings/default_settings.h"
#include "settings/settings.h"
#include "settings/settings_options.h"

namespace {

const char kShippedDefaults[] =
    "Music = true;\r\nShowTime = true;\r\nShowFPS = false;\r\nUseDktpSet = true;\r\n"
    "ExitOnMouseMove = false;\r\nDigClock_24H = true;\r\nMusicVolume = 35;\r\nSFX = true;\r\n"
    "CurrRes = 3;\r\nGamma = 3;\r\nmain_web_site_url = https://glimmerhall.example/;\r\n";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The stored file as name -> value.
std::map<std::string, std::string> StoredFile() {
  std::map<std::string, std::string> values;
  std::istringstream lines(ReadFile(platform::StoredSettingsPath()));
  for (std::string line; std::getline(lines, line);) {
    const size_t equals = line.rfind('=');
    if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return values;
}

class SettingsStore : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/glimmerhall-settings-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    folder_ = folder;
    setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    platform::HeadlessOptions options;
    options.width = 1366;
    options.height = 700;
    os_ = platform::CreateHeadlessPlatform(options);
    platform::SetOs(os_.get());
    settings::ParseDefaultSettings(reinterpret_cast<const uint8_t*>(kShippedDefaults), sizeof kShippedDefaults - 1);
    app::OpenLog(folder_ + "/log");
    settings::InitialiseSettings(s_);
  }
  void TearDown() override {
    app::CloseLog();
    settings::ParseDefaultSettings(nullptr, 0);
    platform::SetOs(nullptr);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(system(("rm -rf '" + folder_ + "'").c_str()), 0);
  }
  void Store(const char* name, uint32_t value) { os_->WriteStoredValue(name, value); }
  // A complete store as a user might have left it.
  void StoreAll() {
    const uint32_t values[] = {5, 1, 1, 1, 1, 0, 1, 60, 70, 0, 0};
    for (int i = 0; i < settings::kStoredValueCount; ++i) Store(settings::kStoredValueNames[i], values[i]);
  }
  void Load() {
    settings::InitialiseSettings(s_);
    settings::LoadSettings(s_);
  }
  std::string Log() { return ReadFile(folder_ + "/log"); }

  std::string folder_;
  std::unique_ptr<platform::Platform> os_;
  settings::SettingsRecord s_;
};

TEST_F(SettingsStore, FirstRunStoresAllElevenDefaultsAndRunsInTheDesktopSize) {
  Load();
  const std::map<std::string, std::string> expected = {
      {"Resolution:", "3"},   {"Gamma:", "3"},         {"Fps:", "0"},           {"Clock:", "1"},
      {"ExitMM:", "0"},       {"Enable sound:", "1"},  {"Enable music:", "1"},  {"Music volume:", "35"},
      {"Sound volume:", "35"}, {"Usemon:", "1"},       {"Style24h:", "1"}};
  EXPECT_EQ(StoredFile(), expected);
  EXPECT_EQ(s_.CurrRes, 10);
  EXPECT_EQ(s_.DisplayModes[10].width, 1366);
  EXPECT_EQ(s_.DisplayModes[10].height, 700);
  EXPECT_EQ(s_.DisplayModes[10].bitsPerPixel, 16);
  EXPECT_FLOAT_EQ(s_.SoundVolume, 35.0f);
  EXPECT_FALSE(s_.ExitOnMouseMove);
}

TEST_F(SettingsStore, StoredValuesAreReadAndAMissingOneIsZero) {
  StoreAll();
  Store("Clock:", 0);
  std::ofstream(platform::StoredSettingsPath()) << "Resolution:=5\nGamma:=1\nFps:=1\nExitMM:=1\n"
                                                   "Enable music:=1\nMusic volume:=60\nSound volume:=70\n";
  Load();
  EXPECT_EQ(s_.CurrRes, 5);
  EXPECT_FLOAT_EQ(s_.Gamma, 1.0f);
  EXPECT_TRUE(s_.ShowFPS);
  EXPECT_FALSE(s_.ShowTime);   // missing, although the default is on
  EXPECT_FALSE(s_.SFX);        // missing
  EXPECT_FALSE(s_.UseDktpSet); // missing
  EXPECT_FLOAT_EQ(s_.MusicVolume, 60.0f);
  EXPECT_FLOAT_EQ(s_.SoundVolume, 70.0f);
  EXPECT_EQ(StoredFile().count("Clock:"), 0u);  // loading writes nothing back
}

TEST_F(SettingsStore, DesktopSizeSelectsEntryTenWhateverResolutionHolds) {
  StoreAll();
  Store("Usemon:", 1);
  Load();
  EXPECT_EQ(s_.CurrRes, 10);
  EXPECT_EQ(StoredFile()["Resolution:"], "5");
}

TEST_F(SettingsStore, WithoutResolutionTheNextStartIsAFirstRun) {
  StoreAll();
  std::ofstream(platform::StoredSettingsPath()) << "Gamma:=1\nFps:=1\nMusic volume:=60\n";
  Load();
  EXPECT_EQ(StoredFile()["Resolution:"], "3");
  EXPECT_EQ(StoredFile()["Fps:"], "0");
  EXPECT_EQ(StoredFile()["Music volume:"], "35");
  EXPECT_FLOAT_EQ(s_.Gamma, 3.0f);
}

TEST_F(SettingsStore, GammaIsStoredAsAWholeNumber) {
  Load();
  s_.Gamma = 2.84f;
  settings::SaveSettings(s_);
  Load();
  EXPECT_FLOAT_EQ(s_.Gamma, 2.0f);
}

TEST_F(SettingsStore, OutOfRangeValuesAreMendedAndLogged) {
  StoreAll();
  Store("Resolution:", 57);
  Store("Gamma:", 9);
  Store("Music volume:", 250);
  Store("Sound volume:", 4294967295u);
  Load();
  EXPECT_EQ(s_.CurrRes, 3);
  EXPECT_FLOAT_EQ(s_.Gamma, 4.0f);
  EXPECT_FLOAT_EQ(s_.MusicVolume, 100.0f);
  EXPECT_FLOAT_EQ(s_.SoundVolume, 100.0f);
  EXPECT_NE(Log().find("display mode index 57 is out of range; using 3"), std::string::npos) << Log();
  EXPECT_NE(Log().find("gamma 9 is out of range; using 4"), std::string::npos);
  // Mending changes the run, not the store.
  EXPECT_EQ(StoredFile()["Resolution:"], "57");
}

TEST_F(SettingsStore, StoredDesktopEntryWithoutDesktopSettingIsNeverEmpty) {
  StoreAll();
  Store("Resolution:", 10);
  Load();
  EXPECT_EQ(s_.CurrRes, 10);
  EXPECT_EQ(s_.DisplayModes[10].width, 1366);
}

TEST(SettingsOptions, OptionsAreTakenOutAndTheRestStays) {
  std::vector<std::string> args = {"glimmerhall", "-fps", "-no-clock", "/s", "-12h", "-volume", "40",
                                   "-gamma", "2.5", "-mode", "7", "--save", "-root"};
  settings::SettingsOverrides o;
  std::string error;
  ASSERT_TRUE(settings::TakeSettingsOptions(args, o, error)) << error;
  EXPECT_EQ(args, (std::vector<std::string>{"glimmerhall", "/s", "-root"}));
  EXPECT_EQ(o.showFps, true);
  EXPECT_EQ(o.showTime, false);
  EXPECT_EQ(o.clock24h, false);
  EXPECT_EQ(o.volume, 40.0f);
  EXPECT_EQ(o.gamma, 2.5f);
  EXPECT_EQ(o.mode, 7);
  EXPECT_EQ(o.useDesktopSize, false);
  EXPECT_FALSE(o.music.has_value());
  EXPECT_TRUE(o.save);
}

TEST(SettingsOptions, MalformedValuesAreRefusedWithTheOptionNamed) {
  const std::vector<std::vector<std::string>> bad = {
      {"g", "-volume"}, {"g", "-volume", "101"}, {"g", "-volume", "4.5"}, {"g", "-gamma", "-1"},
      {"g", "-gamma", "x"}, {"g", "-mode", "11"}, {"g", "-music-volume", "35%"}};
  for (std::vector<std::string> args : bad) {
    settings::SettingsOverrides o;
    std::string error;
    EXPECT_FALSE(settings::TakeSettingsOptions(args, o, error)) << args[1];
    EXPECT_EQ(error.rfind(args[1], 0), 0u) << error;
  }
}

TEST_F(SettingsStore, SavedOverridesKeepTheStoredModeUnlessOneIsGiven) {
  Load();  // first run: Resolution: 3, desktop size in memory
  std::vector<std::string> args = {"g", "-no-music", "-gamma", "1", "--save"};
  settings::SettingsOverrides o;
  std::string error;
  ASSERT_TRUE(settings::TakeSettingsOptions(args, o, error));
  settings::ApplyOverrides(o, s_);
  EXPECT_FALSE(s_.Music);
  EXPECT_EQ(s_.CurrRes, 10);
  EXPECT_EQ(StoredFile()["Resolution:"], "3");
  EXPECT_EQ(StoredFile()["Enable music:"], "0");
  EXPECT_EQ(StoredFile()["Gamma:"], "1");

  args = {"g", "-mode", "6", "--save"};
  o = settings::SettingsOverrides();
  ASSERT_TRUE(settings::TakeSettingsOptions(args, o, error));
  settings::ApplyOverrides(o, s_);
  EXPECT_EQ(s_.CurrRes, 6);
  EXPECT_EQ(StoredFile()["Resolution:"], "6");
  EXPECT_EQ(StoredFile()["Usemon:"], "0");
}

}  // namespace
