// The finishing of the room's renders: the framing cut from a frame and the
// filtered downscale the small pictures are made with.
#include <gtest/gtest.h>

#include "still_pictures.h"

namespace {

TEST(StillPicturesTest, CropKeepsTheAspectAndStaysInsideTheFrame) {
  content::RgbaImage frame = content::FilledImage(400, 300, 0, 0, 0);
  frame.At(399, 150)[0] = 200;  // a mark on the right edge
  const content::RgbaImage square = content::CropToAspect(frame, 1.0f, 0.5f, 0.5f);
  EXPECT_EQ(square.width, 300);
  EXPECT_EQ(square.height, 300);
  // Centred too far right, the crop is moved back inside and ends at the edge.
  const content::RgbaImage right = content::CropToAspect(frame, 1.0f, 0.95f, 0.5f);
  EXPECT_EQ(right.At(299, 150)[0], 200);
  const content::RgbaImage wide = content::CropToAspect(frame, 220.0f / 140.0f, 0.5f, 0.5f, 0.5f);
  EXPECT_EQ(wide.width, 200);
  EXPECT_NEAR(wide.height, 127, 1);
}

TEST(StillPicturesTest, ResizeKeepsFlatColourAndAveragesInLinearLight) {
  const content::RgbaImage flat = content::Resize(content::FilledImage(90, 60, 180, 90, 30), 30, 20);
  ASSERT_EQ(flat.width, 30);
  ASSERT_EQ(flat.height, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) {
      EXPECT_NEAR(flat.At(x, y)[0], 180, 1);
      EXPECT_NEAR(flat.At(x, y)[2], 30, 1);
    }
  // Fine black and white stripes shrink to an even grey, not to stripes
  // (aliasing) and not to the darker grey of averaging the stored values.
  content::RgbaImage stripes = content::FilledImage(120, 120, 0, 0, 0);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 120; x += 2) stripes.At(x, y)[0] = 255;
  const content::RgbaImage grey = content::Resize(stripes, 20, 20);
  for (int x = 2; x < 18; ++x) EXPECT_NEAR(grey.At(x, 10)[0], 188, 4) << x;
}

}  // namespace
