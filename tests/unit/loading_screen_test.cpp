// The loading screen in a 1024 x 768 window: the picture fills the window
// the right way up and each corner image covers 256 x 128 pixels flush with
// its corner. Solid-coloured stand-ins make every edge measurable.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/renderer_state.h"
#include "assets/texture_cache.h"
#include "egl_test_context.h"
#include "image.h"
#include "jpeg_writer.h"
#include "overlay/overlay_startup.h"
#include "platform/embedded_resources.h"
#include "platform/headless/headless_platform.h"
#include "tga_writer.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;

class LoadingScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    os_ = platform::CreateHeadlessPlatform(platform::HeadlessOptions());
    platform::SetOs(os_.get());
    ASSERT_TRUE(context_.ok()) << context_.error();
    glewExperimental = GL_TRUE;
    glewInit();
    glViewport(0, 0, kWidth, kHeight);
    glEnable(GL_DEPTH_TEST);
    app::RendererState.clientRect = {0, 0, kWidth, kHeight};
    // The picture: its top half blue, its bottom half green, as a JPEG
    // stores it (top row first).
    content::RgbaImage picture = content::FilledImage(64, 64, 0, 200, 0);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 64; ++x) picture.At(x, y)[1] = 0, picture.At(x, y)[2] = 200;
    jpeg_ = content::EncodeJpeg(picture, 95);
    corners_[0] = content::EncodeTga(content::FilledImage(4, 4, 255, 0, 0), 32);
    corners_[1] = content::EncodeTga(content::FilledImage(4, 4, 255, 255, 0), 32);
    corners_[2] = content::EncodeTga(content::FilledImage(4, 4, 255, 0, 255), 32);
    corners_[3] = content::EncodeTga(content::FilledImage(4, 4, 255, 255, 255), 32);
    table_ = {{"CustomData", 159, jpeg_.data(), static_cast<uint32_t>(jpeg_.size())},
              {"CustomData", 155, corners_[0].data(), static_cast<uint32_t>(corners_[0].size())},
              {"CustomData", 156, corners_[1].data(), static_cast<uint32_t>(corners_[1].size())},
              {"CustomData", 154, corners_[2].data(), static_cast<uint32_t>(corners_[2].size())},
              {"CustomData", 157, corners_[3].data(), static_cast<uint32_t>(corners_[3].size())}};
    platform::RegisterEmbeddedResources(table_.data(), table_.size());
  }
  void TearDown() override {
    assets::TextureCache::Clear();
    platform::RegisterEmbeddedResources(nullptr, 0);
    platform::SetOs(nullptr);
  }
  // The pixel at (x, y) counted from the window's top-left corner.
  std::vector<uint8_t> Pixel(int x, int y) {
    std::vector<uint8_t> rgba(4);
    glReadPixels(x, kHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return {rgba[0], rgba[1], rgba[2]};
  }

  std::unique_ptr<platform::Platform> os_;
  EglTestContext context_{kWidth, kHeight};
  std::vector<uint8_t> jpeg_, corners_[4];
  std::vector<platform::EmbeddedResource> table_;
};

TEST_F(LoadingScreen, PictureFillsTheWindowAndCornersAreFlush) {
  overlay::ShowLoadingScreen();
  // The picture the right way up: blue at the top, green at the bottom.
  EXPECT_GT(Pixel(512, 200)[2], 150);
  EXPECT_GT(Pixel(512, 560)[1], 150);
  struct Corner {
    int left, top;
    std::vector<uint8_t> colour;
  };
  const Corner corners[] = {{0, kHeight - 128, {255, 0, 0}},
                            {0, 0, {255, 255, 0}},
                            {kWidth - 256, kHeight - 128, {255, 0, 255}},
                            {kWidth - 256, 0, {255, 255, 255}}};
  for (const Corner& c : corners) {
    // Inside, at all four of its own corners.
    for (int dx : {1, 254})
      for (int dy : {1, 126}) EXPECT_EQ(Pixel(c.left + dx, c.top + dy), c.colour) << c.left << "," << c.top;
    // Just outside its inner edges the picture shows.
    const int outsideX = c.left == 0 ? 257 : c.left - 2;
    const int outsideY = c.top == 0 ? 129 : c.top - 2;
    EXPECT_NE(Pixel(outsideX, c.top + 64), c.colour);
    EXPECT_NE(Pixel(c.left + 128, outsideY), c.colour);
  }
}

}  // namespace
