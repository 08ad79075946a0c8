#include "platform/x11/x11_platform.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "platform/x11/x11_keys.h"

namespace {

// Each test starts without a daemon window in the environment.
class X11Options : public ::testing::Test {
 protected:
  void SetUp() override { unsetenv("XSCREENSAVER_WINDOW"); }
  void TearDown() override { unsetenv("XSCREENSAVER_WINDOW"); }

  bool Take(std::vector<std::string> args) {
    args_ = std::move(args);
    options_ = platform::X11Options();
    error_.clear();
    return platform::TakeX11Options(args_, options_, error_);
  }

  std::vector<std::string> args_;
  platform::X11Options options_;
  std::string error_;
};

TEST_F(X11Options, NoSwitchesMeanFullScreenAndLeaveTheArgumentsAlone) {
  ASSERT_TRUE(Take({"glimmerhall", "/s"}));
  EXPECT_FALSE(options_.useExistingWindow);
  EXPECT_FALSE(options_.ordinaryWindow);
  EXPECT_EQ(args_, (std::vector<std::string>{"glimmerhall", "/s"}));
}

TEST_F(X11Options, RootIsAnExistingWindowWithoutId) {
  for (const char* root : {"-root", "--root"}) {
    ASSERT_TRUE(Take({"glimmerhall", root, "/s"})) << root;
    EXPECT_TRUE(options_.useExistingWindow);
    EXPECT_EQ(options_.existingWindow, 0u);
    EXPECT_EQ(args_, (std::vector<std::string>{"glimmerhall", "/s"}));
  }
}

TEST_F(X11Options, WindowIdIsReadInHexAndDecimal) {
  ASSERT_TRUE(Take({"glimmerhall", "-window-id", "0x1a00007"}));
  EXPECT_TRUE(options_.useExistingWindow);
  EXPECT_EQ(options_.existingWindow, 0x1a00007u);
  EXPECT_EQ(args_, (std::vector<std::string>{"glimmerhall"}));

  ASSERT_TRUE(Take({"glimmerhall", "/s", "--window-id", "2097154"}));
  EXPECT_EQ(options_.existingWindow, 2097154u);
  EXPECT_EQ(args_, (std::vector<std::string>{"glimmerhall", "/s"}));

  ASSERT_TRUE(Take({"glimmerhall", "--window-id=0X2A"}));
  EXPECT_EQ(options_.existingWindow, 42u);
}

TEST_F(X11Options, MalformedOrMissingIdsAreRefusedWithTheirText) {
  for (const char* bad : {"0xZZ", "12ab", "-5", "", "0x", "0x100000000", "99999999999"}) {
    EXPECT_FALSE(Take({"glimmerhall", "-window-id", bad})) << bad;
    EXPECT_NE(error_.find(std::string("\"") + bad + "\""), std::string::npos) << error_;
  }
  EXPECT_FALSE(Take({"glimmerhall", "-window-id"}));
  EXPECT_NE(error_.find("-window-id"), std::string::npos) << error_;
}

TEST_F(X11Options, WindowAsksForAnOrdinaryWindow) {
  ASSERT_TRUE(Take({"glimmerhall", "-window", "/s"}));
  EXPECT_TRUE(options_.ordinaryWindow);
  EXPECT_FALSE(options_.useExistingWindow);
  EXPECT_EQ(args_, (std::vector<std::string>{"glimmerhall", "/s"}));
}

TEST_F(X11Options, TheDaemonsWindowComesFromTheEnvironment) {
  setenv("XSCREENSAVER_WINDOW", "0x400001", 1);
  ASSERT_TRUE(Take({"glimmerhall"}));
  EXPECT_TRUE(options_.useExistingWindow);
  EXPECT_EQ(options_.existingWindow, 0x400001u);

  setenv("XSCREENSAVER_WINDOW", " 4194305 ", 1);
  ASSERT_TRUE(Take({"glimmerhall"}));
  EXPECT_EQ(options_.existingWindow, 4194305u);

  // The daemon starts hacks with -root and means its own window, which
  // covers the real root.
  ASSERT_TRUE(Take({"glimmerhall", "-root"}));
  EXPECT_TRUE(options_.useExistingWindow);
  EXPECT_EQ(options_.existingWindow, 4194305u);
}

TEST_F(X11Options, ASwitchOnTheCommandLineOutranksTheEnvironment) {
  setenv("XSCREENSAVER_WINDOW", "0x400001", 1);
  ASSERT_TRUE(Take({"glimmerhall", "-window"}));
  EXPECT_TRUE(options_.ordinaryWindow);
  EXPECT_FALSE(options_.useExistingWindow);

  setenv("XSCREENSAVER_WINDOW", "garbage", 1);
  EXPECT_TRUE(Take({"glimmerhall", "-root"}));
  EXPECT_FALSE(Take({"glimmerhall"}));
  EXPECT_NE(error_.find("XSCREENSAVER_WINDOW"), std::string::npos) << error_;
}

TEST(X11Keys, KeysymsBecomeWindowsVirtualKeys) {
  EXPECT_EQ(platform::VirtualKeyFromKeysym(0x0020), platform::kKeySpace);  // XK_space
  EXPECT_EQ(platform::VirtualKeyFromKeysym(0xff1b), platform::kKeyEscape);
  EXPECT_EQ(platform::VirtualKeyFromKeysym(0xff51), platform::kKeyLeft);
  EXPECT_EQ(platform::VirtualKeyFromKeysym(0xff52), platform::kKeyUp);
  EXPECT_EQ(platform::VirtualKeyFromKeysym(0xff53), platform::kKeyRight);
  EXPECT_EQ(platform::VirtualKeyFromKeysym(0xff54), platform::kKeyDown);
  EXPECT_EQ(platform::VirtualKeyFromKeysym('x'), 'X');
  EXPECT_EQ(platform::VirtualKeyFromKeysym('X'), 'X');
  EXPECT_EQ(platform::VirtualKeyFromKeysym('a'), 0x41);
  EXPECT_EQ(platform::VirtualKeyFromKeysym('0'), 0x30);
  EXPECT_EQ(platform::VirtualKeyFromKeysym('9'), 0x39);
  EXPECT_EQ(platform::VirtualKeyFromKeysym(0xffbe), 0x70);  // F1
  EXPECT_EQ(platform::VirtualKeyFromKeysym(0xff0d), 0x0D);  // Return
}

TEST(X11Keys, EveryOtherKeyStillGetsANonzeroCodeApartFromSpace) {
  for (unsigned long keysym : {0x0000ul, 0x002cul, 0x00e9ul, 0x1008ff13ul, 0xfe03ul}) {
    const int key = platform::VirtualKeyFromKeysym(keysym);
    EXPECT_GT(key, 0) << std::hex << keysym;
    EXPECT_LT(key, 256) << std::hex << keysym;
    EXPECT_NE(key, platform::kKeySpace) << std::hex << keysym;
  }
}

TEST(X11Keys, AltKeysAreSystemKeysExceptAltF4WhichCloses) {
  using platform::KeyPressKind;
  EXPECT_EQ(platform::ClassifyKeyPress('x', false), KeyPressKind::Ordinary);
  EXPECT_EQ(platform::ClassifyKeyPress('x', true), KeyPressKind::System);
  EXPECT_EQ(platform::ClassifyKeyPress(0xffe9, false), KeyPressKind::System);  // Alt_L going down
  EXPECT_EQ(platform::ClassifyKeyPress(0xffc7, false), KeyPressKind::System);  // F10
  EXPECT_EQ(platform::ClassifyKeyPress(0xffc1, true), KeyPressKind::Close);    // Alt+F4
  EXPECT_EQ(platform::ClassifyKeyPress(0xffc1, false), KeyPressKind::Ordinary);
}

}  // namespace
