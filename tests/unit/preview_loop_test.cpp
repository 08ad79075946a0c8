#include <gtest/gtest.h>

#include "app/preview.h"
#include "app/run_mode.h"
#include "fake_platform.h"

namespace {

class PreviewLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    app::RunMode = app::kModePreview;
    app::ParentWindow = 4242;
  }
  testing_support::FakePlatform os_;
};

TEST_F(PreviewLoop, WaitsSleepingEveryPassUntilTheCloseRequest) {
  os_.pumps = {platform::PumpResult::Empty, platform::PumpResult::Dispatched, platform::PumpResult::Empty};
  os_.closeAtPass = 5;
  EXPECT_EQ(app::ShowPreviewUntilClosed(os_), 0);
  EXPECT_EQ(os_.previewParent, 4242);
  EXPECT_EQ(app::RunMode, app::kModeLeaving);
  EXPECT_EQ(os_.passes, 6);
  // A sleep after every pass, with or without a message: the wait costs
  // next to nothing.
  EXPECT_EQ(os_.sleeps, 6);
  EXPECT_EQ(os_.calls, (std::vector<std::string>{"create", "show", "destroy"}));
}

TEST_F(PreviewLoop, AQuitMessageEndsItAtOnce) {
  os_.pumps = {platform::PumpResult::Empty, platform::PumpResult::Quit};
  EXPECT_EQ(app::ShowPreviewUntilClosed(os_), 0);
  EXPECT_EQ(app::RunMode, app::kModeLeaving);
  EXPECT_EQ(os_.passes, 2);
  EXPECT_EQ(os_.calls.back(), "destroy");
}

TEST_F(PreviewLoop, NoWindowMeansExitCodeOneAndNoLoop) {
  os_.previewCreatable = false;
  app::ParentWindow = 0;
  EXPECT_EQ(app::ShowPreviewUntilClosed(os_), 1);
  EXPECT_EQ(os_.passes, 0);
  EXPECT_EQ(os_.calls, (std::vector<std::string>{"create"}));
  EXPECT_EQ(app::RunMode, app::kModePreview);
}

}  // namespace
