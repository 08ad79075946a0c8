// The models' textures: the names and formats the models ask for, and the
// properties that make the cut-outs, the fire and the clock dial work.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "room_models.h"

namespace {

using content::NamedTexture;
using content::RgbaImage;

struct Expected {
  const char* name;
  int width, height, bits;
};

const Expected kExpected[] = {
    {"fir_needles.tga", 256, 256, 32},    {"fir_trunk.tga", 128, 128, 24},
    {"baubles.tga", 256, 256, 24},        {"env_sphere.tga", 128, 128, 24},
    {"star_gold.tga", 128, 128, 24},      {"lollipop.tga", 128, 128, 24},
    {"tinsel.tga", 256, 64, 32},          {"rail_metal.tga", 64, 64, 24},
    {"sleeper_wood.tga", 128, 64, 24},    {"train_red.tga", 256, 256, 24},
    {"train_green.tga", 256, 256, 24},    {"train_black.tga", 128, 128, 24},
    {"teddy_fur.tga", 256, 256, 24},      {"teddy_face.tga", 128, 128, 24},
    {"clock_face.tga", 256, 256, 24},     {"clock_wood.tga", 256, 256, 24},
    {"clock_hands.tga", 64, 64, 24},      {"brass.tga", 128, 128, 24},
    {"candle_wax.tga", 128, 128, 24},     {"candle_wax_i.tga", 128, 128, 24},
    {"firewood.tga", 256, 256, 24},       {"firewood_i.tga", 256, 256, 24},
    {"present_red.tga", 256, 256, 24},    {"present_green.tga", 256, 256, 24},
    {"present_blue.tga", 256, 256, 24},   {"present_gold.tga", 256, 256, 24},
    {"ribbon.tga", 64, 64, 24},           {"stocking_knit.tga", 256, 256, 24},
    {"lamp_shade.tga", 256, 256, 24},     {"lamp_shade_i.tga", 256, 256, 24},
    {"armchair_fabric.tga", 256, 256, 24}, {"lightchain.tga", 256, 64, 32},
    {"fire_flames.tga", 256, 256, 32},
};

double Luma(const uint8_t* p) { return (0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2]) / 255.0; }

double MeanLumaOfRows(const RgbaImage& image, int first, int last) {
  double sum = 0;
  for (int y = first; y <= last; ++y)
    for (int x = 0; x < image.width; ++x) sum += Luma(image.At(x, y));
  return sum / ((last - first + 1) * image.width);
}

class ModelTexturesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { textures_ = new std::vector<NamedTexture>(content::MakeModelTextures()); }
  static void TearDownTestSuite() {
    delete textures_;
    textures_ = nullptr;
  }
  static const RgbaImage& Image(const std::string& name) {
    for (const NamedTexture& t : *textures_)
      if (t.name == name) return t.image;
    ADD_FAILURE() << "missing " << name;
    static RgbaImage empty(1, 1);
    return empty;
  }
  static std::vector<NamedTexture>* textures_;
};

std::vector<NamedTexture>* ModelTexturesTest::textures_ = nullptr;

TEST_F(ModelTexturesTest, ListsEveryTextureOnceAtItsSizeAndDepth) {
  EXPECT_EQ(textures_->size(), std::size(kExpected));
  for (const Expected& e : kExpected) {
    int found = 0;
    for (const NamedTexture& t : *textures_) {
      if (t.name != e.name) continue;
      ++found;
      EXPECT_EQ(t.image.width, e.width) << e.name;
      EXPECT_EQ(t.image.height, e.height) << e.name;
      EXPECT_EQ(t.bitsPerPixel, e.bits) << e.name;
      EXPECT_EQ(t.image.pixels.size(), static_cast<size_t>(e.width) * e.height * 4) << e.name;
    }
    EXPECT_EQ(found, 1) << e.name;
  }
}

TEST_F(ModelTexturesTest, TwoRunsGiveIdenticalPictures) {
  const std::vector<NamedTexture> again = content::MakeModelTextures();
  ASSERT_EQ(again.size(), textures_->size());
  for (size_t i = 0; i < again.size(); ++i) {
    EXPECT_EQ(again[i].name, (*textures_)[i].name);
    EXPECT_TRUE(again[i].image.pixels == (*textures_)[i].image.pixels) << again[i].name;
  }
}

TEST_F(ModelTexturesTest, CutOutsAreBinaryAndTheirClearTexelsKeepAVisibleColour) {
  for (const char* name : {"fir_needles.tga", "tinsel.tga", "lightchain.tga"}) {
    const RgbaImage& image = Image(name);
    std::set<uint32_t> visibleColours;
    auto packed = [](const uint8_t* p) { return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2]; };
    for (size_t i = 0; i < image.pixels.size(); i += 4)
      if (image.pixels[i + 3] != 0) visibleColours.insert(packed(&image.pixels[i]));
    double clear = 0, solid = 0, between = 0, strayClear = 0;
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x) {
        const uint8_t* p = image.At(x, y);
        if (p[3] == 0) {
          ++clear;
          // A background colour found nowhere in the visible part would
          // bleed into the edges as a fringe under mipmaps.
          if (!visibleColours.count(packed(p))) ++strayClear;
        } else if (p[3] == 255) {
          ++solid;
        } else {
          ++between;
        }
      }
    const double total = image.width * image.height;
    EXPECT_GT(clear / total, 0.05) << name;
    EXPECT_GT(solid / total, 0.05) << name;
    EXPECT_EQ(between, 0) << name;
    EXPECT_EQ(strayClear, 0) << name;
  }
  // The needles: a solid top, frayed towards the bottom rows (v near 0).
  const RgbaImage& needles = Image("fir_needles.tga");
  auto clearShare = [&](int y) {
    int clear = 0;
    for (int x = 0; x < needles.width; ++x) clear += needles.At(x, y)[3] == 0;
    return static_cast<double>(clear) / needles.width;
  };
  EXPECT_EQ(clearShare(0), 0.0);
  EXPECT_EQ(clearShare(60), 0.0);
  EXPECT_GT(clearShare(needles.height - 2), 0.8);
  const double middle = clearShare(190);
  EXPECT_GT(middle, 0.05);
  EXPECT_LT(middle, 0.95);
  // Its clear texels are green like the needles next to them.
  for (int x = 0; x < needles.width; ++x) {
    const uint8_t* p = needles.At(x, needles.height - 1);
    EXPECT_GT(p[1], p[0]) << x;
    EXPECT_GT(p[1], p[2]) << x;
  }
}

TEST_F(ModelTexturesTest, FlamesTileInVOnABlackBackgroundWithBrightCores) {
  const RgbaImage& flames = Image("fire_flames.tga");
  const int h = flames.height;
  // The top and bottom rows meet as smoothly as any neighbouring rows do.
  auto rowDifference = [&](int a, int b) {
    double sum = 0;
    for (int x = 0; x < flames.width; ++x)
      for (int c = 0; c < 4; ++c) sum += std::abs(flames.At(x, a)[c] - flames.At(x, b)[c]);
    return sum / flames.width;
  };
  double worstInside = 0;
  for (int y = 0; y + 1 < h; ++y) worstInside = std::max(worstInside, rowDifference(y, y + 1));
  EXPECT_LE(rowDifference(h - 1, 0), worstInside * 1.05 + 1.0);
  int background = 0, cores = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < flames.width; ++x) {
      const uint8_t* p = flames.At(x, y);
      if (p[3] < 8 && Luma(p) < 0.05) ++background;
      if (p[3] > 200 && p[0] > 240 && p[1] > 200) ++cores;  // yellow-white
    }
  const double total = flames.width * h;
  EXPECT_GT(background / total, 0.3);
  EXPECT_GT(cores / total, 0.01);
  // The side columns stay dark so the sheets' edges never show.
  for (int y = 0; y < h; ++y) EXPECT_LT(flames.At(0, y)[3], 8) << y;
}

TEST_F(ModelTexturesTest, EmbersTileInVAndGlowOnlyInTheirCracks) {
  const RgbaImage& embers = Image("firewood_i.tga");
  double seam = 0, dark = 0;
  for (int x = 0; x < embers.width; ++x) seam += std::abs(Luma(embers.At(x, 0)) - Luma(embers.At(x, embers.height - 1)));
  for (int y = 0; y < embers.height; ++y)
    for (int x = 0; x < embers.width; ++x) dark += Luma(embers.At(x, y)) < 0.05;
  EXPECT_LT(seam / embers.width, 0.05);
  EXPECT_GT(dark / (embers.width * embers.height), 0.6);
  // The wax glows only near its top rows, the shade most near its bottom.
  const RgbaImage& wax = Image("candle_wax_i.tga");
  EXPECT_GT(MeanLumaOfRows(wax, 0, 7), 0.3);
  EXPECT_LT(MeanLumaOfRows(wax, 64, 127), 0.02);
  const RgbaImage& shade = Image("lamp_shade_i.tga");
  EXPECT_GT(MeanLumaOfRows(shade, 200, 240), MeanLumaOfRows(shade, 16, 56) * 1.5);
}

TEST_F(ModelTexturesTest, ClockDialIsDarkInkOnLightWithAMarkAtEveryHour) {
  const RgbaImage& dial = Image("clock_face.tga");
  ASSERT_EQ(dial.width, 256);
  double paper = 0;
  int paperTexels = 0;
  // Between the numerals and the centre the dial is bare enamel.
  for (int y = 100; y < 120; ++y)
    for (int x = 100; x < 120; ++x, ++paperTexels) paper += Luma(dial.At(x, y));
  EXPECT_GT(paper / paperTexels, 0.75);
  // An hour mark is dark ink on the chapter ring at each of the twelve
  // positions, while halfway between two minute ticks it is light.
  for (int hour = 0; hour < 12; ++hour) {
    const double angle = hour * 2.0 * M_PI / 12.0;
    const int x = static_cast<int>(128.0 + std::sin(angle) * 103.0);
    const int y = static_cast<int>(128.0 - std::cos(angle) * 103.0);
    EXPECT_LT(Luma(dial.At(x, y)), 0.35) << "hour " << hour;
    const double between = angle + 2.0 * M_PI / 120.0;
    const int bx = static_cast<int>(128.0 + std::sin(between) * 103.0);
    const int by = static_cast<int>(128.0 - std::cos(between) * 103.0);
    EXPECT_GT(Luma(dial.At(bx, by)), 0.6) << "between " << hour;
  }
  // Each numeral puts real ink near its place inside the ring.
  for (int hour = 1; hour <= 12; ++hour) {
    const double angle = hour * 2.0 * M_PI / 12.0;
    const int cx = static_cast<int>(128.0 + std::sin(angle) * 80.0);
    const int cy = static_cast<int>(128.0 - std::cos(angle) * 80.0);
    int ink = 0;
    for (int y = cy - 12; y <= cy + 12; ++y)
      for (int x = cx - 14; x <= cx + 14; ++x) ink += Luma(dial.At(x, y)) < 0.3;
    EXPECT_GT(ink, 30) << "numeral " << hour;
    EXPECT_LT(ink, 400) << "numeral " << hour;
  }
}

TEST_F(ModelTexturesTest, BaubleBandsRunRedGoldBlueSilverFromTheTop) {
  const RgbaImage& baubles = Image("baubles.tga");
  auto meanOfBand = [&](int band, int channel) {
    double sum = 0;
    for (int y = band * 64; y < band * 64 + 64; ++y)
      for (int x = 0; x < baubles.width; ++x) sum += baubles.At(x, y)[channel];
    return sum / (64.0 * baubles.width);
  };
  EXPECT_GT(meanOfBand(0, 0), 2.0 * meanOfBand(0, 2));  // red
  EXPECT_GT(meanOfBand(1, 0), 1.5 * meanOfBand(1, 2));  // gold
  EXPECT_GT(meanOfBand(1, 1), 1.5 * meanOfBand(1, 2));
  EXPECT_GT(meanOfBand(2, 2), 1.8 * meanOfBand(2, 0));  // blue
  EXPECT_LT(std::abs(meanOfBand(3, 0) - meanOfBand(3, 2)), 20.0);  // silver: grey
  EXPECT_GT(meanOfBand(3, 1), 120.0);
}

TEST_F(ModelTexturesTest, WrappingPapersTileAcrossAndDown) {
  for (const char* name : {"present_red.tga", "present_green.tga", "present_blue.tga", "present_gold.tga",
                           "armchair_fabric.tga"}) {
    const RgbaImage& paper = Image(name);
    const int w = paper.width, h = paper.height;
    // The seam rows and columns differ no more than neighbours inside do
    // on average.
    auto rowStep = [&](int a, int b) {
      double sum = 0;
      for (int x = 0; x < w; ++x) sum += std::abs(Luma(paper.At(x, a)) - Luma(paper.At(x, b)));
      return sum / w;
    };
    auto columnStep = [&](int a, int b) {
      double sum = 0;
      for (int y = 0; y < h; ++y) sum += std::abs(Luma(paper.At(a, y)) - Luma(paper.At(b, y)));
      return sum / h;
    };
    double rowsInside = 0, columnsInside = 0;
    for (int i = 0; i + 1 < h; ++i) rowsInside += rowStep(i, i + 1) / (h - 1);
    for (int i = 0; i + 1 < w; ++i) columnsInside += columnStep(i, i + 1) / (w - 1);
    EXPECT_LE(rowStep(h - 1, 0), rowsInside * 2.0 + 0.004) << name;
    EXPECT_LE(columnStep(w - 1, 0), columnsInside * 2.0 + 0.004) << name;
  }
}

}  // namespace
