#include "settings/default_settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "platform/headless/headless_platform.h"
#include "platform/platform.h"

namespace {

class DefaultSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    os_ = platform::CreateHeadlessPlatform(platform::HeadlessOptions());
    platform::SetOs(os_.get());
  }
  void TearDown() override {
    settings::ParseDefaultSettings(nullptr, 0);
    platform::SetOs(nullptr);
  }
  // Parses the text and returns what the message boxes printed.
  std::string Parse(const std::string& text) {
    testing::internal::CaptureStderr();
    settings::ParseDefaultSettings(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return testing::internal::GetCapturedStderr();
  }
  std::unique_ptr<platform::Platform> os_;
};

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST_F(DefaultSettings, CommentsAndSpacesAndCyrillicAreCleanedAway) {
  EXPECT_EQ(Parse("; heading\r\nCurrRes = 3;\t\xea\xee\xec\xec\xe5\xed\xf2\xe0\xf0\xe8\xe9\r\n\r\n"
                  "Gamma=3.5\r\nMusicVolume = 1 2 ; = not a value\r\n"),
            "");
  ASSERT_EQ(settings::DefaultEntryCount(), 3);
  EXPECT_EQ(settings::DefaultEntryAt(0).key, "CurrRes");
  EXPECT_EQ(settings::DefaultEntryAt(0).value, "3");
  EXPECT_EQ(settings::GetDefaultInteger("Gamma"), 3);          // integer conversion
  EXPECT_EQ(settings::GetDefaultText("MusicVolume"), "12");     // "1 2" reads as 12
}

TEST_F(DefaultSettings, KeysMatchInAnyCaseValuesKeepTheirs) {
  Parse("Url=HTTPS://Glimmerhall.Example/\rMusic=true\rSFX=TRUE\rShowFPS=false\rDelta=-17x\r");
  EXPECT_EQ(settings::GetDefaultText("uRL"), "HTTPS://Glimmerhall.Example/");
  EXPECT_EQ(settings::GetDefaultInteger("MUSIC"), 1);
  EXPECT_EQ(settings::GetDefaultInteger("sfx"), 0);  // only the exact "true" counts
  EXPECT_EQ(settings::GetDefaultInteger("ShowFPS"), 0);
  EXPECT_EQ(settings::GetDefaultInteger("delta"), -17);
  EXPECT_FALSE(settings::HasDefaultEntry("Delt"));
}

TEST_F(DefaultSettings, ALineWithoutEqualsRaisesTheFormatMessageOnceAndIsStored) {
  const std::string shown = Parse("this line explains things\r\nCurrRes=3\r\n");
  EXPECT_EQ(Count(shown, "def_settings.txt"), 1);
  EXPECT_NE(shown.find("\xed\xe5\xef\xf0\xe0\xe2\xe8\xeb\xfc\xed\xfb\xe9"), std::string::npos);
  ASSERT_EQ(settings::DefaultEntryCount(), 2);
  EXPECT_EQ(settings::DefaultEntryAt(0).key, "thislineexplainsthings");
  EXPECT_EQ(settings::DefaultEntryAt(0).value, "thislineexplainsthings");
}

TEST_F(DefaultSettings, FirstOfTwoEqualKeysWinsAndFurtherEqualsBelongToTheValue) {
  Parse("Gamma=1\r\ngamma=2\r\nurl=a=b\r\n");
  EXPECT_EQ(settings::GetDefaultInteger("Gamma"), 1);
  EXPECT_EQ(settings::GetDefaultText("url"), "a=b");
}

TEST_F(DefaultSettings, BareLineFeedsMakeOneLine) {
  Parse("Music=true\nShowFPS=false\nGamma=3\n");
  ASSERT_EQ(settings::DefaultEntryCount(), 1);
  EXPECT_EQ(settings::DefaultEntryAt(0).value, "trueShowFPS=falseGamma=3");
}

TEST_F(DefaultSettings, AMissingKeyShowsItsMessageCaptionedWithTheKey) {
  Parse("Music=true\r\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(settings::GetDefaultInteger("CurrRes"), 0);
  const std::string shown = testing::internal::GetCapturedStderr();
  EXPECT_EQ(shown.rfind("CurrRes: \xcd\xe5 \xed\xe0\xe9\xe4\xe5\xed", 0), 0u) << shown;
}

TEST_F(DefaultSettings, EntriesPastOneHundredAreLeftOut) {
  std::string text;
  for (int i = 0; i < 101; ++i) text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
  Parse(text);
  EXPECT_EQ(settings::DefaultEntryCount(), 100);
  EXPECT_EQ(settings::IgnoredDefaultEntryCount(), 1);
  EXPECT_EQ(settings::GetDefaultInteger("Key99"), 99);
  EXPECT_FALSE(settings::HasDefaultEntry("Key100"));
}

TEST_F(DefaultSettings, TheShippedTextHoldsEveryDefault) {
  std::ifstream in(std::string(RESOURCES_DIR) + "/def_settings.txt", std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  const std::string text = bytes.str();
  EXPECT_NE(text.find("\r\n"), std::string::npos);
  EXPECT_EQ(Parse(text), "");
  EXPECT_EQ(settings::GetDefaultText("main_web_site_url"), "https://glimmerhall.example/");
  EXPECT_EQ(settings::DefaultEntryCount(), 11);
  EXPECT_EQ(settings::GetDefaultInteger("CurrRes"), 3);
  EXPECT_EQ(settings::GetDefaultInteger("MusicVolume"), 35);
  EXPECT_EQ(settings::GetDefaultInteger("ExitOnMouseMove"), 0);
  EXPECT_EQ(settings::GetDefaultInteger("DigClock_24H"), 1);
}

}  // namespace
