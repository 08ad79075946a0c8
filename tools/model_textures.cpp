// The textures the room's models name, gathered in one list, and the helpers
// the model painters share.
#include <cmath>
#include <cstdint>
#include <deque>

#include "model_texture_parts.h"
#include "room_models.h"

namespace content {

float SegmentDistance(float px, float py, float ax, float ay, float bx, float by) {
  const float dx = bx - ax, dy = by - ay;
  const float lengthSq = dx * dx + dy * dy;
  float t = lengthSq > 0.0f ? ((px - ax) * dx + (py - ay) * dy) / lengthSq : 0.0f;
  t = Clamp01(t);
  return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

void BleedVisibleColour(RgbaImage& image, bool wrapX) {
  const int w = image.width, h = image.height;
  std::vector<uint8_t> known(static_cast<size_t>(w) * h, 0);
  std::deque<int> frontier;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (image.At(x, y)[3] != 0) {
        known[static_cast<size_t>(y) * w + x] = 1;
        frontier.push_back(y * w + x);
      }
  if (frontier.empty()) return;
  // Breadth-first growth from the visible texels: each clear texel takes the
  // colour of the first visible region that reaches it.
  while (!frontier.empty()) {
    const int index = frontier.front();
    frontier.pop_front();
    const int x = index % w, y = index / w;
    const uint8_t* source = image.At(x, y);
    const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& step : steps) {
      int nx = x + step[0];
      const int ny = y + step[1];
      if (ny < 0 || ny >= h) continue;
      if (nx < 0 || nx >= w) {
        if (!wrapX) continue;
        nx = WrapIndex(nx, w);
      }
      const size_t n = static_cast<size_t>(ny) * w + nx;
      if (known[n]) continue;
      known[n] = 1;
      uint8_t* target = image.At(nx, ny);
      target[0] = source[0];
      target[1] = source[1];
      target[2] = source[2];
      target[3] = 0;
      frontier.push_back(static_cast<int>(n));
    }
  }
}

std::vector<NamedTexture> MakeModelTextures() {
  std::vector<NamedTexture> textures;
  auto add = [&](const char* name, RgbaImage image, int bits) {
    textures.push_back({name, std::move(image), bits});
  };
  add("fir_needles.tga", DrawFirNeedles(), 32);
  add("fir_trunk.tga", DrawFirTrunk(), 24);
  add("baubles.tga", DrawBaubles(), 24);
  add("env_sphere.tga", DrawEnvSphere(), 24);
  add("star_gold.tga", DrawStarGold(), 24);
  add("lollipop.tga", DrawLollipop(), 24);
  add("tinsel.tga", DrawTinsel(), 32);
  add("rail_metal.tga", DrawRailMetal(), 24);
  add("sleeper_wood.tga", DrawSleeperWood(), 24);
  add("train_red.tga", DrawTrainPaint(FromHex(0xa8121a), 0x7a11u), 24);
  add("train_green.tga", DrawTrainPaint(FromHex(0x0f4a26), 0x7a22u), 24);
  add("train_black.tga", DrawTrainBlack(), 24);
  add("teddy_fur.tga", DrawTeddyFur(), 24);
  add("teddy_face.tga", DrawTeddyFace(), 24);
  add("clock_face.tga", DrawClockFace(), 24);
  add("clock_wood.tga", DrawClockWood(), 24);
  add("clock_hands.tga", DrawClockHands(), 24);
  add("brass.tga", DrawBrass(), 24);
  add("candle_wax.tga", DrawCandleWax(), 24);
  add("candle_wax_i.tga", DrawCandleWaxGlow(), 24);
  add("firewood.tga", DrawFirewood(), 24);
  add("firewood_i.tga", DrawFirewoodEmbers(), 24);
  add("present_red.tga", DrawPresentRed(), 24);
  add("present_green.tga", DrawPresentGreen(), 24);
  add("present_blue.tga", DrawPresentBlue(), 24);
  add("present_gold.tga", DrawPresentGold(), 24);
  add("ribbon.tga", DrawRibbon(), 24);
  add("stocking_knit.tga", DrawStockingKnit(), 24);
  add("lamp_shade.tga", DrawLampShade(), 24);
  add("lamp_shade_i.tga", DrawLampShadeGlow(), 24);
  add("armchair_fabric.tga", DrawArmchairFabric(), 24);
  add("lightchain.tga", DrawLightChain(), 32);
  add("fire_flames.tga", DrawFireFlames(), 32);
  return textures;
}

}  // namespace content
