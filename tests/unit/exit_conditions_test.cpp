#include "app/exit_conditions.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/run_mode.h"
#include "platform/headless/headless_platform.h"
#include "settings/settings.h"

namespace {

class ExitConditions : public ::testing::Test {
 protected:
  void SetUp() override {
    os_ = platform::CreateHeadlessPlatform(platform::HeadlessOptions());
    platform::SetOs(os_.get());
    settings::InitialiseSettings(settings::Current);
    app::RunMode = app::kModeRun;
  }
  void TearDown() override { platform::SetOs(nullptr); }

  std::unique_ptr<platform::Platform> os_;
};

TEST_F(ExitConditions, SpaceBarDoesNotEndTheRunAnyOtherKeyDoes) {
  app::SaverEvents().OnKeyDown(platform::kKeySpace);
  EXPECT_EQ(app::RunMode, app::kModeRun);
  for (int key : {int('A'), platform::kKeyEscape, platform::kKeyUp, 0x0D, 0x70}) {
    app::RunMode = app::kModeRun;
    app::SaverEvents().OnKeyDown(key);
    EXPECT_EQ(app::RunMode, app::kModeLeaving) << "key " << key;
  }
}

TEST_F(ExitConditions, CloseEndsTheRun) {
  app::SaverEvents().OnClose();
  EXPECT_EQ(app::RunMode, app::kModeLeaving);
}

TEST_F(ExitConditions, JumpOfMoreThanThirtyPixelsOnEitherAxis) {
  EXPECT_FALSE(app::CursorJumped({100, 100}, {130, 70}));
  EXPECT_TRUE(app::CursorJumped({100, 100}, {131, 100}));
  EXPECT_TRUE(app::CursorJumped({100, 100}, {100, 69}));
}

TEST_F(ExitConditions, MouseMoveComparesConsecutiveFramesOnly) {
  app::ResetCursorTrack();
  platform::Point at = os_->CursorPosition();
  for (int frame = 0; frame < 20; ++frame) {  // a slow drift of 30 pixels a frame
    at.x += 30;
    os_->MoveCursor(at);
    app::TestMouseMoveExit();
  }
  EXPECT_EQ(app::RunMode, app::kModeRun);
  at.y += 31;
  os_->MoveCursor(at);
  app::TestMouseMoveExit();
  EXPECT_EQ(app::RunMode, app::kModeLeaving);
}

TEST_F(ExitConditions, MouseMoveIgnoredWhenTheSettingIsOff) {
  settings::Current.ExitOnMouseMove = false;
  app::ResetCursorTrack();
  os_->MoveCursor({5000, 5000});
  app::TestMouseMoveExit();
  EXPECT_EQ(app::RunMode, app::kModeRun);
}

TEST_F(ExitConditions, MovementBeforeTheTrackIsResetDoesNotCount) {
  app::ResetCursorTrack();
  os_->MoveCursor({900, 10});  // as if the cursor moved while the room loaded
  app::ResetCursorTrack();
  app::TestMouseMoveExit();
  EXPECT_EQ(app::RunMode, app::kModeRun);
}

}  // namespace
