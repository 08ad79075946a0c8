// Text set through FreeType: measuring, placing and the font check.
#include <gtest/gtest.h>

#include <string>

#include "text_render.h"

namespace {

using content::RgbaImage;
using content::TextStyle;

TEST(TextRender, MeasureGrowsWithTextAndSize) {
  TextStyle style;
  const content::TextExtent one = content::MeasureText("Merry", style);
  const content::TextExtent longer = content::MeasureText("Merry Christmas", style);
  EXPECT_GT(one.width, 0);
  EXPECT_GT(longer.width, one.width * 2);
  style.pixelHeight *= 2;
  const content::TextExtent bigger = content::MeasureText("Merry", style);
  EXPECT_NEAR(bigger.width, one.width * 2, one.width * 0.05);
  EXPECT_NEAR(bigger.ascent, one.ascent * 2, one.ascent * 0.05);
  EXPECT_GT(content::MeasureText("y", style).descent, 0);  // the tail hangs below the baseline
  EXPECT_EQ(content::MeasureText(" ", style).width, 0);
  style.widthScale = 0.5f;
  EXPECT_NEAR(content::MeasureText("Merry", style).width, bigger.width * 0.5, bigger.width * 0.05);
}

// The ink is centred on x and stands on the baseline; the outline spreads it.
TEST(TextRender, DrawsCentredOnTheBaselineAndRepeatably) {
  TextStyle style;
  style.pixelHeight = 40;
  RgbaImage image(200, 80), again(200, 80), bare(200, 80);
  content::DrawText(image, "Hi", 120, 60, style);
  content::DrawText(again, "Hi", 120, 60, style);
  EXPECT_EQ(image.pixels, again.pixels);
  style.outlineRadius = 0;
  content::DrawText(bare, "Hi", 120, 60, style);
  int left = 200, right = -1, top = 80, bottom = -1, bareCount = 0, count = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 200; ++x) {
      count += image.At(x, y)[3] > 0;
      if (bare.At(x, y)[3] < 128) continue;
      ++bareCount;
      left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
    }
  const float width = content::MeasureText("Hi", style).width;
  EXPECT_NEAR((left + right + 1) / 2.0, 120, 1.0);
  EXPECT_NEAR(right + 1 - left, width, 1.5);
  EXPECT_EQ(bottom, 59);
  EXPECT_GT(count, bareCount * 1.3);
  const uint8_t* core = bare.At(left + 2, (top + bottom) / 2);
  EXPECT_EQ(core[3], 255);
  EXPECT_GT(core[0], 200);  // the default fill is red
}

TEST(TextRender, FontCheckNamesTheMissingFile) {
  std::string missing;
  EXPECT_TRUE(content::FontsAvailable(missing)) << missing;
  EXPECT_TRUE(missing.empty());
  EXPECT_FALSE(content::FontsAvailable("/nonexistent/fonts", missing));
  EXPECT_EQ(missing.rfind("/nonexistent/fonts/DejaVu", 0), 0u) << missing;
}

}  // namespace
