#include "platform/posix/posix_services.h"
#include "fake_platform.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class PosixServices : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/glimmerhall-posix-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    folder_ = folder;
    // A folder below the temporary one that does not exist yet: the store
    // must create it.
    setenv("XDG_CONFIG_HOME", (folder_ + "/config/deeper").c_str(), 1);
    setenv("TMPDIR", folder_.c_str(), 1);
    const char* home = getenv("HOME");
    hadHome_ = home != nullptr;
    if (home) home_ = home;
  }
  void TearDown() override {
    std::string command = "rm -rf '" + folder_ + "'";
    EXPECT_EQ(system(command.c_str()), 0);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("TMPDIR");
    if (hadHome_) setenv("HOME", home_.c_str(), 1); else unsetenv("HOME");
  }

  std::string folder_;
  std::string home_;
  bool hadHome_ = false;
  testing_support::FakePlatform os_;
};

TEST_F(PosixServices, TheSettingsFileLivesUnderTheConfigFolder) {
  EXPECT_EQ(platform::StoredSettingsPath(), folder_ + "/config/deeper/glimmerhall/settings");
  setenv("XDG_CONFIG_HOME", "relative/path", 1);
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(platform::StoredSettingsPath(), "/home/someone/.config/glimmerhall/settings");
}

TEST_F(PosixServices, StoredValuesRoundTripAndReplaceEachOther) {
  uint32_t value = 77;
  EXPECT_FALSE(os_.ReadStoredValue("Gamma", value));
  EXPECT_EQ(value, 77u);

  os_.WriteStoredValue("Gamma", 12);
  os_.WriteStoredValue("Music", 1);
  os_.WriteStoredValue("MusicVolume", 4294967295u);
  os_.WriteStoredValue("Gamma", 3);
  ASSERT_TRUE(os_.ReadStoredValue("Gamma", value));
  EXPECT_EQ(value, 3u);
  ASSERT_TRUE(os_.ReadStoredValue("MusicVolume", value));
  EXPECT_EQ(value, 4294967295u);
  // Registry value names ignore letter case.
  ASSERT_TRUE(os_.ReadStoredValue("music", value));
  EXPECT_EQ(value, 1u);

  EXPECT_EQ(ReadFile(platform::StoredSettingsPath()), "Gamma=3\nMusic=1\nMusicVolume=4294967295\n");
}

TEST_F(PosixServices, UnreadableLinesCountAsMissingAndTheFileIsKeptAsBackup) {
  const std::string path = platform::StoredSettingsPath();
  const std::string folder = folder_ + "/config/deeper/glimmerhall";
  os_.WriteStoredValue("ShowFPS", 1);  // creates the folders
  const std::string byHand = "# written by hand\nShowFPS=abc\nShowTime=-1\nSFX=99999999999\nGamma=8\n";
  std::ofstream(path) << byHand;
  uint32_t value = 5;
  EXPECT_FALSE(os_.ReadStoredValue("ShowFPS", value));
  EXPECT_FALSE(os_.ReadStoredValue("ShowTime", value));
  EXPECT_FALSE(os_.ReadStoredValue("SFX", value));
  EXPECT_EQ(value, 5u);
  ASSERT_TRUE(os_.ReadStoredValue("Gamma", value));
  EXPECT_EQ(value, 8u);

  os_.WriteStoredValue("ShowFPS", 0);
  EXPECT_EQ(ReadFile(path), "# written by hand\nGamma=8\nShowFPS=0\n");
  EXPECT_EQ(ReadFile(folder + "/settings.bak"), byHand);
  // A later write finds a clean file and leaves the backup alone.
  os_.WriteStoredValue("Gamma", 2);
  EXPECT_EQ(ReadFile(folder + "/settings.bak"), byHand);
  // Nothing but the two files: no temporary file is left beside them.
  std::string command = "test $(ls -A '" + folder + "' | wc -l) -eq 2";
  EXPECT_EQ(system(command.c_str()), 0);
}

TEST_F(PosixServices, AReadableFileGetsNoBackup) {
  os_.WriteStoredValue("Gamma", 3);
  os_.WriteStoredValue("Music", 1);
  struct stat info {};
  EXPECT_NE(stat((folder_ + "/config/deeper/glimmerhall/settings.bak").c_str(), &info), 0);
}

TEST_F(PosixServices, TempFilesAreNewEmptyFilesInTmpdirWithThePrefix) {
  const std::string first = os_.MakeTempFile("tex");
  const std::string second = os_.MakeTempFile("tex");
  ASSERT_FALSE(first.empty());
  EXPECT_NE(first, second);
  EXPECT_EQ(first.rfind(folder_ + "/tex", 0), 0u) << first;
  struct stat info {};
  ASSERT_EQ(stat(first.c_str(), &info), 0);
  EXPECT_EQ(info.st_size, 0);
  os_.RemoveFile(first);
  EXPECT_NE(access(first.c_str(), F_OK), 0);
  os_.RemoveFile(second);
}

TEST_F(PosixServices, TheCounterRunsInNanosecondsAndTheClocksAgree) {
  EXPECT_EQ(os_.CounterFrequency(), 1000000000);
  int64_t before = 0, after = 0;
  ASSERT_TRUE(os_.ReadCounter(before));
  const uint32_t startMs = os_.Milliseconds();
  os_.SleepMilliseconds(30);
  ASSERT_TRUE(os_.ReadCounter(after));
  const uint32_t elapsedMs = os_.Milliseconds() - startMs;
  EXPECT_GE(after - before, 30000000);
  EXPECT_LT(after - before, 2000000000);
  EXPECT_GE(elapsedMs, 29u);
  EXPECT_LT(elapsedMs, 2000u);
}

TEST_F(PosixServices, LocalTimeFollowsTheTimeZone) {
  setenv("TZ", "UTC0", 1);
  tzset();
  const time_t before = time(nullptr);
  const platform::LocalTime local = os_.LocalClock();
  tm expected{};
  gmtime_r(&before, &expected);
  EXPECT_EQ(local.year, expected.tm_year + 1900);
  EXPECT_EQ(local.month, expected.tm_mon + 1);
  EXPECT_EQ(local.dayOfWeek, expected.tm_wday);
  EXPECT_GE(local.hour * 60 + local.minute, expected.tm_hour * 60 + expected.tm_min);
  EXPECT_LT(local.milliseconds, 1000);
  unsetenv("TZ");
  tzset();
}

TEST_F(PosixServices, TheResourceTableIsEmpty) {
  const platform::ResourceBytes bytes = os_.FindEmbedded("CustomData", 153);
  EXPECT_EQ(bytes.data, nullptr);
  EXPECT_EQ(bytes.size, 0u);
}

}  // namespace
