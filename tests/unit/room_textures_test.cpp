// The room's generated material textures: the set the scene expects, and the
// visual properties that make each one read as its material.
#include "room_textures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

namespace {

using content::NamedTexture;
using content::RgbaImage;

struct Expected {
  const char* name;
  int width, height, bits;
};

const Expected kExpected[] = {
    {"wallpaper.tga", 512, 512, 24},      {"plaster_ceiling.tga", 256, 256, 24},
    {"floor_oak.tga", 512, 512, 24},      {"beam_wood.tga", 256, 256, 24},
    {"brick.tga", 512, 512, 24},          {"hearth_stone.tga", 256, 256, 24},
    {"mantel_wood.tga", 256, 256, 24},    {"firebox_soot.tga", 256, 256, 24},
    {"firebox_soot_i.tga", 256, 256, 24}, {"rug.tga", 512, 512, 24},
    {"window_frame.tga", 256, 256, 24},   {"glass.tga", 128, 128, 32},
    {"door_wood.tga", 256, 512, 24},      {"skirting.tga", 256, 64, 24},
    {"frame_gold.tga", 256, 256, 24},     {"painting_winter.tga", 256, 256, 24},
    {"painting_still.tga", 256, 256, 24}, {"fireguard.tga", 256, 256, 32},
    {"garland.tga", 256, 64, 32},         {"ad_fairylights.tga", 256, 64, 32},
    {"snow_ground.tga", 512, 512, 24},    {"fir_silhouette.tga", 512, 256, 32},
    {"night_sky.tga", 512, 512, 24},      {"moon.tga", 128, 128, 32},
    {"curtain_fabric.tga", 256, 256, 24}, {"sill_wood.tga", 256, 128, 24},
};

struct Mean {
  double r = 0, g = 0, b = 0, luminance = 0;
};

double Luma(const uint8_t* p) { return (0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2]) / 255.0; }

Mean MeanOfRows(const RgbaImage& image, int firstRow, int lastRow) {
  Mean m;
  double n = 0;
  for (int y = firstRow; y <= lastRow; ++y)
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = image.At(x, y);
      m.r += p[0] / 255.0;
      m.g += p[1] / 255.0;
      m.b += p[2] / 255.0;
      m.luminance += Luma(p);
      n += 1;
    }
  m.r /= n;
  m.g /= n;
  m.b /= n;
  m.luminance /= n;
  return m;
}

Mean MeanOf(const RgbaImage& image) { return MeanOfRows(image, 0, image.height - 1); }

double LuminanceDeviation(const RgbaImage& image) {
  const double mean = MeanOf(image).luminance;
  double sum = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) sum += std::pow(Luma(image.At(x, y)) - mean, 2.0);
  return std::sqrt(sum / (static_cast<double>(image.width) * image.height));
}

double ColumnDifference(const RgbaImage& image, int a, int b) {
  double sum = 0;
  for (int y = 0; y < image.height; ++y)
    for (int k = 0; k < 3; ++k) sum += std::abs(image.At(a, y)[k] - image.At(b, y)[k]);
  return sum / image.height;
}

double RowDifference(const RgbaImage& image, int a, int b) {
  double sum = 0;
  for (int x = 0; x < image.width; ++x)
    for (int k = 0; k < 3; ++k) sum += std::abs(image.At(x, a)[k] - image.At(x, b)[k]);
  return sum / image.width;
}

class RoomTexturesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { textures_ = new std::vector<NamedTexture>(content::MakeRoomTextures()); }
  static void TearDownTestSuite() {
    delete textures_;
    textures_ = nullptr;
  }
  static const RgbaImage& Get(const std::string& name) {
    for (const NamedTexture& t : *textures_)
      if (t.name == name) return t.image;
    ADD_FAILURE() << "missing " << name;
    static const RgbaImage empty(1, 1);
    return empty;
  }
  static std::vector<NamedTexture>* textures_;
};

std::vector<NamedTexture>* RoomTexturesTest::textures_ = nullptr;

TEST_F(RoomTexturesTest, ListsEveryMaterialOnceAtItsSizeAndDepth) {
  EXPECT_EQ(textures_->size(), std::size(kExpected));
  for (const Expected& e : kExpected) {
    const auto count = std::count_if(textures_->begin(), textures_->end(),
                                     [&](const NamedTexture& t) { return t.name == e.name; });
    ASSERT_EQ(count, 1) << e.name;
    const auto it = std::find_if(textures_->begin(), textures_->end(),
                                 [&](const NamedTexture& t) { return t.name == e.name; });
    EXPECT_EQ(it->image.width, e.width) << e.name;
    EXPECT_EQ(it->image.height, e.height) << e.name;
    EXPECT_EQ(it->bitsPerPixel, e.bits) << e.name;
    EXPECT_EQ(it->image.pixels.size(), static_cast<size_t>(e.width) * e.height * 4) << e.name;
  }
}

TEST_F(RoomTexturesTest, TwoRunsGiveIdenticalPictures) {
  const std::vector<NamedTexture> again = content::MakeRoomTextures();
  ASSERT_EQ(again.size(), textures_->size());
  for (size_t i = 0; i < again.size(); ++i) {
    EXPECT_EQ(again[i].name, (*textures_)[i].name);
    EXPECT_TRUE(again[i].image.pixels == (*textures_)[i].image.pixels) << again[i].name;
  }
}

TEST_F(RoomTexturesTest, CutOutsAreOpaqueOrClearWithLittleBetween) {
  for (const char* name : {"fireguard.tga", "garland.tga", "fir_silhouette.tga"}) {
    const RgbaImage& image = Get(name);
    size_t clear = 0, solid = 0, between = 0;
    for (size_t i = 3; i < image.pixels.size(); i += 4) {
      const uint8_t a = image.pixels[i];
      (a == 0 ? clear : a == 255 ? solid : between)++;
    }
    const double total = static_cast<double>(image.pixels.size() / 4);
    EXPECT_GT(clear / total, 0.05) << name;
    EXPECT_GT(solid / total, 0.05) << name;
    EXPECT_LT(between / total, 0.01) << name;
  }
  // The firs stand on ground that runs the whole width.
  const RgbaImage& firs = Get("fir_silhouette.tga");
  for (int y = firs.height - 4; y < firs.height; ++y)
    for (int x = 0; x < firs.width; ++x) ASSERT_EQ(firs.At(x, y)[3], 255) << x << "," << y;
  size_t skyInTopRow = 0;
  for (int x = 0; x < firs.width; ++x) skyInTopRow += firs.At(x, 0)[3] == 0;
  EXPECT_GT(skyInTopRow, static_cast<size_t>(firs.width * 3 / 4));
}

// Mipmaps average the colour of clear texels into the visible ones, so a
// cut-out's clear texels carry its own dark colour; the crowns themselves are
// nearly black, with only a little snow.
TEST_F(RoomTexturesTest, FirsAreDarkRightUpToTheirClearTexels) {
  const RgbaImage& firs = Get("fir_silhouette.tga");
  double crown = 0;
  size_t crownTexels = 0;
  for (int y = 0; y < firs.height - 24; ++y)
    for (int x = 0; x < firs.width; ++x) {
      const uint8_t* p = firs.At(x, y);
      if (p[3] == 0) {
        ASSERT_LT(Luma(p), 0.05) << x << "," << y;
        ASSERT_GE(p[2], p[0]) << x << "," << y;
      } else {
        crown += Luma(p);
        ++crownTexels;
      }
    }
  ASSERT_GT(crownTexels, 0u);
  EXPECT_LT(crown / crownTexels, 0.08);
}

TEST_F(RoomTexturesTest, GlassIsFaintButNeverInvisible) {
  const RgbaImage& glass = Get("glass.tga");
  int lowest = 255, highest = 0;
  double sum = 0;
  for (size_t i = 3; i < glass.pixels.size(); i += 4) {
    lowest = std::min<int>(lowest, glass.pixels[i]);
    highest = std::max<int>(highest, glass.pixels[i]);
    sum += glass.pixels[i];
  }
  const double mean = sum / (glass.pixels.size() / 4);
  EXPECT_GT(lowest, 0);
  EXPECT_LT(highest, 64) << "the reflections would veil the night outside";
  EXPECT_GE(mean, 30.0);
  EXPECT_LE(mean, 45.0);
  EXPECT_GT(highest - lowest, 8) << "no reflection streaks";
  const Mean tint = MeanOf(glass);
  EXPECT_GT(tint.b, tint.r);
  EXPECT_LT(tint.luminance, 0.45) << "a pale tint greys out the dark landscape";
}

TEST_F(RoomTexturesTest, MaterialsCarryVisibleDetail) {
  for (const char* name : {"floor_oak.tga", "beam_wood.tga", "mantel_wood.tga", "door_wood.tga", "brick.tga",
                           "hearth_stone.tga", "rug.tga", "wallpaper.tga", "frame_gold.tga", "skirting.tga"})
    EXPECT_GT(LuminanceDeviation(Get(name)), 0.03) << name;
  // Plaster and paint are meant to be quiet, but not a flat fill.
  for (const char* name : {"plaster_ceiling.tga", "window_frame.tga", "sill_wood.tga"}) {
    const double deviation = LuminanceDeviation(Get(name));
    EXPECT_GT(deviation, 0.004) << name;
    EXPECT_LT(deviation, 0.05) << name;
  }
}

TEST_F(RoomTexturesTest, MeanColoursSitInTheirHueFamilies) {
  const Mean brick = MeanOf(Get("brick.tga"));
  EXPECT_GT(brick.r, brick.g * 1.4);
  EXPECT_GT(brick.r, brick.b * 1.4);
  const Mean wallpaper = MeanOf(Get("wallpaper.tga"));
  EXPECT_GT(wallpaper.r, wallpaper.g * 1.5);
  const Mean oak = MeanOf(Get("floor_oak.tga"));
  EXPECT_GT(oak.r, oak.g);
  EXPECT_GT(oak.g, oak.b);
  EXPECT_GT(oak.luminance, 0.25);
  EXPECT_LT(oak.luminance, 0.65);
  const Mean plaster = MeanOf(Get("plaster_ceiling.tga"));
  EXPECT_GT(plaster.luminance, 0.75);
  EXPECT_GE(plaster.r, plaster.b);
  const Mean curtain = MeanOf(Get("curtain_fabric.tga"));
  EXPECT_GT(curtain.r, curtain.g * 2.0);
  const Mean rug = MeanOf(Get("rug.tga"));
  EXPECT_GT(rug.r, rug.g);
  const Mean gold = MeanOf(Get("frame_gold.tga"));
  EXPECT_GT(gold.r, gold.b * 1.5);
  EXPECT_GT(gold.g, gold.b);

  const Mean snow = MeanOf(Get("snow_ground.tga"));
  EXPECT_GT(snow.b, snow.r);
  // Nothing lights the snow but its own texture: it must already be night.
  EXPECT_GT(snow.luminance, 0.24);
  EXPECT_LT(snow.luminance, 0.36);
  const RgbaImage& sky = Get("night_sky.tga");
  const Mean zenith = MeanOfRows(sky, 0, 31);
  const Mean horizon = MeanOfRows(sky, sky.height - 32, sky.height - 1);
  EXPECT_GT(zenith.b, zenith.r * 1.5);
  EXPECT_LT(zenith.luminance, 0.12);
  EXPECT_GT(horizon.luminance, zenith.luminance + 0.15);
  EXPECT_GT(horizon.b, horizon.r);
  const Mean soot = MeanOf(Get("firebox_soot.tga"));
  EXPECT_LT(soot.luminance, 0.2);
}

TEST_F(RoomTexturesTest, TilingTexturesHaveNoSeams) {
  // The wrap from the last column back to the first should be no harsher
  // than the steps between neighbouring columns inside the picture; a
  // pattern that does not repeat jumps between unrelated values there.
  auto checkColumns = [](const char* name, const RgbaImage& image) {
    double inner = 0;
    for (int x = 0; x + 1 < image.width; ++x) inner = std::max(inner, ColumnDifference(image, x, x + 1));
    EXPECT_LE(ColumnDifference(image, image.width - 1, 0), inner + 1.0) << name;
  };
  auto checkRows = [](const char* name, const RgbaImage& image) {
    double inner = 0;
    for (int y = 0; y + 1 < image.height; ++y) inner = std::max(inner, RowDifference(image, y, y + 1));
    EXPECT_LE(RowDifference(image, image.height - 1, 0), inner + 1.0) << name;
  };
  for (const char* name : {"wallpaper.tga", "plaster_ceiling.tga", "brick.tga", "snow_ground.tga",
                           "beam_wood.tga", "mantel_wood.tga", "window_frame.tga", "hearth_stone.tga"}) {
    checkColumns(name, Get(name));
    checkRows(name, Get(name));
  }
  for (const char* name : {"night_sky.tga", "curtain_fabric.tga", "skirting.tga", "sill_wood.tga",
                           "frame_gold.tga", "garland.tga", "ad_fairylights.tga", "fir_silhouette.tga"})
    checkColumns(name, Get(name));
}

TEST_F(RoomTexturesTest, FireboxGlowRisesFromTheBottom) {
  const RgbaImage& glow = Get("firebox_soot_i.tga");
  const Mean upper = MeanOfRows(glow, 0, glow.height / 2 - 1);
  const Mean bottom = MeanOfRows(glow, glow.height - 16, glow.height - 1);
  EXPECT_LT(upper.luminance, 0.02);
  EXPECT_GT(bottom.luminance, 0.25);
  EXPECT_GT(bottom.r, bottom.b * 2.0);
}

TEST_F(RoomTexturesTest, FairyLightsAreSeparateBulbsOnBlack) {
  const RgbaImage& lights = Get("ad_fairylights.tga");
  size_t clear = 0;
  for (size_t i = 3; i < lights.pixels.size(); i += 4) clear += lights.pixels[i] == 0;
  EXPECT_GT(clear, lights.pixels.size() / 4 / 2);
  // Along the brightest row, the bright cores form separate runs: one per bulb.
  int bestRow = 0;
  long bestSum = -1;
  for (int y = 0; y < lights.height; ++y) {
    long sum = 0;
    for (int x = 0; x < lights.width; ++x) sum += lights.At(x, y)[3];
    if (sum > bestSum) bestSum = sum, bestRow = y;
  }
  int runs = 0;
  for (int x = 0; x < lights.width; ++x) {
    const bool bright = lights.At(x, bestRow)[3] > 200;
    const bool before = lights.At((x + lights.width - 1) % lights.width, bestRow)[3] > 200;
    runs += bright && !before;
  }
  EXPECT_GE(runs, 6);
  EXPECT_LE(runs, 10);
}

TEST_F(RoomTexturesTest, MoonIsAnOpaqueDiscFadingToNothing) {
  const RgbaImage& moon = Get("moon.tga");
  for (int i = 0; i < moon.width; ++i) {
    EXPECT_EQ(moon.At(i, 0)[3], 0);
    EXPECT_EQ(moon.At(i, moon.height - 1)[3], 0);
    EXPECT_EQ(moon.At(0, i)[3], 0);
    EXPECT_EQ(moon.At(moon.width - 1, i)[3], 0);
  }
  // Only alpha falls off: a dark colour under the clear texels would show
  // as a ring once mipmapped.
  for (int y = 0; y < moon.height; ++y)
    for (int x = 0; x < moon.width; ++x) ASSERT_GT(Luma(moon.At(x, y)), 0.6) << x << "," << y;
  const uint8_t* centre = moon.At(moon.width / 2, moon.height / 2);
  EXPECT_EQ(centre[3], 255);
  EXPECT_GT(Luma(centre), 0.6);
  EXPECT_GE(centre[0], centre[2]);
}

}  // namespace
