// The particle sprites: the names and sizes the particle systems load, and
// the alpha shapes that additive blending depends on.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "sprite_textures.h"

namespace {

using content::NamedTexture;
using content::RgbaImage;

const NamedTexture& Find(const std::vector<NamedTexture>& sprites, const std::string& name) {
  for (const NamedTexture& t : sprites)
    if (t.name == name) return t;
  ADD_FAILURE() << "no sprite " << name;
  static const NamedTexture kMissing{"", RgbaImage(1, 1), 32};
  return kMissing;
}

// The largest alpha on the border ring of the rectangle [x0, x0 + w) x [0, h).
int MaxBorderAlpha(const RgbaImage& image, int x0, int w) {
  int peak = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = x0; x < x0 + w; ++x)
      if (y == 0 || y == image.height - 1 || x == x0 || x == x0 + w - 1) peak = std::max<int>(peak, image.At(x, y)[3]);
  return peak;
}

// Mean colour channel weighted by alpha: what the sprite adds to the picture.
double WeightedChannel(const RgbaImage& image, int channel) {
  double sum = 0, weight = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = image.At(x, y);
      sum += p[channel] * p[3];
      weight += p[3];
    }
  return sum / weight;
}

// The additive contribution (luma x alpha) of one texel, 0..1.
double Added(const RgbaImage& image, int x, int y) {
  const uint8_t* p = image.At(x, y);
  return (0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2]) / 255.0 * p[3] / 255.0;
}

class SpriteTextures : public ::testing::Test {
 protected:
  const std::vector<NamedTexture> sprites_ = content::MakeSpriteTextures();
};

TEST_F(SpriteTextures, NamesSizesAndBordersFadeToNothing) {
  struct Expected {
    const char* name;
    int width, height;
  };
  const Expected expected[] = {{"fir_redlight.tga", 64, 64}, {"fir_grelight.tga", 64, 64},
                               {"fir_blulight.tga", 64, 64}, {"fir_yellight.tga", 64, 64},
                               {"fir_violight.tga", 64, 64}, {"fire2.tga", 64, 128},
                               {"fire.tga", 64, 64},         {"tex_prt_steam.tga", 64, 64},
                               {"tex_snowflake.tga", 256, 64}};
  ASSERT_EQ(sprites_.size(), std::size(expected));
  for (const Expected& e : expected) {
    const NamedTexture& t = Find(sprites_, e.name);
    EXPECT_EQ(t.bitsPerPixel, 32) << e.name;
    ASSERT_EQ(t.image.width, e.width) << e.name;
    ASSERT_EQ(t.image.height, e.height) << e.name;
    // Snowflake frames are bordered one by one so they never bleed into each other.
    const int frameWidth = std::string(e.name) == "tex_snowflake.tga" ? 64 : e.width;
    for (int x0 = 0; x0 < e.width; x0 += frameWidth)
      EXPECT_EQ(MaxBorderAlpha(t.image, x0, frameWidth), 0) << e.name << " frame at x " << x0;
  }
}

TEST_F(SpriteTextures, GlowsShowTheirColourAroundABrightCentre) {
  struct Glow {
    const char* name;
    std::vector<int> strong, weak;  // channels that must outweigh the others
  };
  const Glow glows[] = {{"fir_redlight.tga", {0}, {1, 2}}, {"fir_grelight.tga", {1}, {0, 2}},
                        {"fir_blulight.tga", {2}, {0, 1}}, {"fir_yellight.tga", {0, 1}, {2}},
                        {"fir_violight.tga", {0, 2}, {1}}};
  for (const Glow& g : glows) {
    const RgbaImage& image = Find(sprites_, g.name).image;
    for (int s : g.strong)
      for (int w : g.weak) EXPECT_GT(WeightedChannel(image, s), WeightedChannel(image, w) + 20) << g.name;
    EXPECT_GT(Added(image, 32, 32), 0.8) << g.name;
    EXPECT_GT(Added(image, 32, 32), 4 * Added(image, 32, 50)) << g.name << ": centre should stand out";
  }
}

TEST_F(SpriteTextures, FlamesAreBrightInsideAndPointUp) {
  const RgbaImage& candle = Find(sprites_, "fire.tga").image;
  // The round belly holds most of the light and the tip reaches far above it.
  double weight = 0, weightedRow = 0, brightest = 0;
  int top = candle.height, bottom = -1;
  for (int y = 0; y < candle.height; ++y)
    for (int x = 0; x < candle.width; ++x) {
      const double a = candle.At(x, y)[3];
      weight += a;
      weightedRow += a * y;
      brightest = std::max(brightest, Added(candle, x, y));
      if (a > 128) top = std::min(top, y), bottom = std::max(bottom, y);
    }
  const double centroid = weightedRow / weight;
  EXPECT_GT(brightest, 0.8);
  EXPECT_GT(centroid - top, 1.2 * (bottom - centroid)) << "the candle flame should point up";

  // The tongue is wide near its base (bottom rows) and narrow towards its tip.
  const RgbaImage& tongue = Find(sprites_, "fire2.tga").image;
  const auto rowLight = [&tongue](int y) {
    double sum = 0;
    for (int x = 0; x < tongue.width; ++x) sum += Added(tongue, x, y);
    return sum;
  };
  EXPECT_GT(Added(tongue, 32, 96), 0.5);
  EXPECT_GT(rowLight(100), 2 * rowLight(25)) << "the tongue should taper towards the top row";
}

TEST_F(SpriteTextures, DeterministicAndSnowflakeFramesDiffer) {
  const std::vector<NamedTexture> again = content::MakeSpriteTextures();
  ASSERT_EQ(again.size(), sprites_.size());
  for (size_t i = 0; i < again.size(); ++i) EXPECT_EQ(again[i].image.pixels, sprites_[i].image.pixels) << again[i].name;

  const RgbaImage& flake = Find(sprites_, "tex_snowflake.tga").image;
  for (int a = 0; a < 4; ++a)
    for (int b = a + 1; b < 4; ++b) {
      int changed = 0;
      for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
          for (int c = 0; c < 4; ++c) changed += flake.At(a * 64 + x, y)[c] != flake.At(b * 64 + x, y)[c];
      EXPECT_GT(changed, 100) << "frames " << a << " and " << b;
    }
}

}  // namespace
