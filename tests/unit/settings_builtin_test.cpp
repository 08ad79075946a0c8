#include <gtest/gtest.h>

#include "app/gl_context.h"
#include "settings/settings.h"

namespace {

TEST(BuiltInSettings, DisplayModeTableInDialogOrder) {
  settings::SettingsRecord s;
  settings::InitialiseSettings(s);
  EXPECT_EQ(s.DisplayModes[4].width, 1280);
  EXPECT_EQ(s.DisplayModes[6].width, 1152);  // 1280 x 1024 comes before 1152 x 864
  EXPECT_EQ(s.DisplayModes[9].bitsPerPixel, 32);
  EXPECT_EQ(s.DisplayModes[10].width, 0);  // the desktop entry stays empty until chosen
  EXPECT_FLOAT_EQ(s.Gamma, 3.0f);
  EXPECT_TRUE(s.UseDktpSet);
  EXPECT_TRUE(s.ExitOnMouseMove);
  EXPECT_FALSE(s.Music);
}

TEST(BuiltInSettings, DesktopModeIsTheDesktopSizeAtSixteenBits) {
  settings::SettingsRecord s;
  settings::InitialiseSettings(s);
  settings::SelectDesktopMode(s, 1920, 1080);
  EXPECT_EQ(s.CurrRes, 10);
  EXPECT_EQ(s.DisplayModes[10].width, 1920);
  EXPECT_EQ(s.DisplayModes[10].height, 1080);
  EXPECT_EQ(s.DisplayModes[10].bitsPerPixel, 16);
}

TEST(SnapshotTexture, SideFollowsTheScreenHeight) {
  EXPECT_EQ(app::SnapshotSizeFor(768), 512);
  EXPECT_EQ(app::SnapshotSizeFor(1200), 1024);
  EXPECT_EQ(app::SnapshotSizeFor(1024), 1024);
  EXPECT_EQ(app::SnapshotSizeFor(480), 256);
  EXPECT_EQ(app::SnapshotSizeFor(512), 512);
}

}  // namespace
