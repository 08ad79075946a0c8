// The overlay's pictures: the names and sizes the clock loads, clear borders,
// and glyphs that fit the overlay's tight character spacing.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "overlay_textures.h"

namespace {

using content::NamedTexture;
using content::RgbaImage;

struct InkBox {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive; right < 0 when empty
};

// The box of texels that are more than faintly visible.
InkBox Ink(const RgbaImage& image) {
  InkBox box;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.At(x, y)[3] > 24) {
        box.left = std::min(box.left, x), box.right = std::max(box.right, x);
        box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
      }
  return box;
}

class OverlayTextures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (NamedTexture& t : content::MakeOverlayTextures()) byName_[t.name] = t;
  }
  static const RgbaImage& Image(const std::string& name) { return byName_.at(name).image; }
  static std::map<std::string, NamedTexture> byName_;
};
std::map<std::string, NamedTexture> OverlayTextures::byName_;

const char* const kGlyphs[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "a", "m", "p", "colon", "point"};

TEST_F(OverlayTextures, NamesSizesAlphaAndClearBorders) {
  std::map<std::string, std::pair<int, int>> expected = {
      {"tex_countdown.tga", {256, 32}}, {"tex_countdown2.tga", {256, 32}}, {"tex_remaining.tga", {128, 32}},
      {"tex_greet.tga", {256, 128}},    {"tex_hny.tga", {256, 128}},       {"tex_sym_space.tga", {64, 64}}};
  for (const char* unit : {"day", "hour", "min", "sec"}) {
    expected[std::string("tex_") + unit + ".tga"] = {64, 32};
    expected[std::string("tex_") + unit + "s.tga"] = {64, 32};
  }
  for (const char* glyph : kGlyphs) expected[std::string("tex_sym_") + glyph + ".tga"] = {64, 64};
  EXPECT_EQ(byName_.size(), expected.size());
  for (const auto& [name, size] : expected) {
    ASSERT_EQ(byName_.count(name), 1u) << name;
    const NamedTexture& t = byName_.at(name);
    EXPECT_EQ(t.bitsPerPixel, 32) << name;
    EXPECT_EQ(t.image.width, size.first) << name;
    EXPECT_EQ(t.image.height, size.second) << name;
    for (int y = 0; y < t.image.height; ++y)
      for (int x = 0; x < t.image.width; ++x)
        if (x == 0 || y == 0 || x == t.image.width - 1 || y == t.image.height - 1)
          ASSERT_EQ(t.image.At(x, y)[3], 0) << name << " at " << x << "," << y;
    if (name != "tex_sym_space.tga") EXPECT_GE(Ink(t.image).right, 0) << name << " is empty";
  }
  const RgbaImage& space = Image("tex_sym_space.tga");
  for (size_t i = 3; i < space.pixels.size(); i += 4) ASSERT_EQ(space.pixels[i], 0);
}

// Glyphs overlap by almost half their width on screen: the figures must stay
// in the middle columns and fill the height, and each must look different.
TEST_F(OverlayTextures, DigitsAreNarrowTallRedAndDistinct) {
  for (char c = '0'; c <= '9'; ++c) {
    const std::string name = std::string("tex_sym_") + c + ".tga";
    const InkBox ink = Ink(Image(name));
    EXPECT_GE(ink.left, 13) << name;
    EXPECT_LE(ink.right, 50) << name;
    EXPECT_LE(ink.top, 11) << name;
    EXPECT_GE(ink.bottom, 52) << name;
    EXPECT_GE(ink.top, 5) << name;
    EXPECT_LE(ink.bottom, 59) << name;
    for (char d = '0'; d < c; ++d)
      EXPECT_NE(Image(name).pixels, Image(std::string("tex_sym_") + d + ".tga").pixels) << c << " vs " << d;
  }
  for (const char* glyph : kGlyphs) {
    double red = 0, green = 0, blue = 0;
    for (size_t i = 0; i < Image(std::string("tex_sym_") + glyph + ".tga").pixels.size(); i += 4) {
      const uint8_t* p = &Image(std::string("tex_sym_") + glyph + ".tga").pixels[i];
      red += p[0] * p[3], green += p[1] * p[3], blue += p[2] * p[3];
    }
    EXPECT_GT(red, 1.8 * green) << glyph;
    EXPECT_GT(red, 1.8 * blue) << glyph;
  }
}

// A point is pulled back under the previous glyph's right half; its dot must
// still land in the gap before the next glyph, low like a full stop.
TEST_F(OverlayTextures, PointSitsInTheGapOnTheBaseline) {
  const InkBox dot = Ink(Image("tex_sym_point.tga"));
  const InkBox digit = Ink(Image("tex_sym_0.tga"));
  EXPECT_GT(dot.left, 32);
  EXPECT_LT(dot.right, 62);
  EXPECT_NEAR(dot.bottom, digit.bottom, 2);
  const InkBox colon = Ink(Image("tex_sym_colon.tga"));
  EXPECT_NEAR((colon.left + colon.right) / 2.0, 31.5, 1.5);
}

TEST_F(OverlayTextures, LogoIsSizedWithAlphaAndRepeatable) {
  const RgbaImage logo = content::DrawLoaderLogo();
  EXPECT_EQ(logo.width, 256);
  EXPECT_EQ(logo.height, 128);
  const InkBox ink = Ink(logo);
  EXPECT_GT(ink.left, 0);
  EXPECT_LT(ink.right, 255);
  EXPECT_GT(ink.right - ink.left, 128);  // the name spans much of the width
  EXPECT_EQ(logo.At(0, 0)[3], 0);
  EXPECT_EQ(content::DrawLoaderLogo().pixels, logo.pixels);
  for (NamedTexture& t : content::MakeOverlayTextures()) EXPECT_EQ(t.image.pixels, Image(t.name).pixels) << t.name;
}

}  // namespace
