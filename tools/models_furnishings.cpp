// The room's smaller furnishings as models: the presents under the tree, the
// stockings on the mantel, the floor lamp and the side table; the teddy and
// the armchair come from their own file. Every model faces -y and stands on
// z = 0 at its origin, except the stocking, which hangs from it.
#include <cmath>

#include "furnishing_parts.h"
#include "lightmap_vector.h"
#include "room_models.h"

namespace content {

using namespace furnishing;

namespace {

struct PresentShape {
  const char* name;
  const char* paper;
  float width, depth, height;
  bool lid;          // a separate lid that overhangs the box a little
  float bowTurn;     // degrees about z, so the heap does not look stamped
};

constexpr PresentShape kPresents[] = {
    {"present01", "present_red.tga", 30, 30, 25, true, 0},
    {"present02", "present_green.tga", 22, 40, 18, false, 90},
    {"present03", "present_blue.tga", 45, 28, 30, true, 15},
    {"present04", "present_gold.tga", 18, 18, 35, false, 45},
};

// One ribbon band round the box across x (alongX) or across y, hugging the
// box below the lid and the lid above it.
void AddRibbonBand(BsmMesh& mesh, const PresentShape& p, float lidBottom, float top, bool alongX) {
  ModelBuilder builder(mesh);
  const float band = 0.09f * std::fmin(p.width, p.depth) + 1.2f;
  const float halfW = p.width / 2, halfD = p.depth / 2;
  auto bandBox = [&](float grow, float z0, float z1) {
    const Vec3 lo = alongX ? Vec3{-halfW - grow, -band / 2, z0} : Vec3{-band / 2, -halfD - grow, z0};
    const Vec3 hi = alongX ? Vec3{halfW + grow, band / 2, z1} : Vec3{band / 2, halfD + grow, z1};
    builder.Box(lo, hi);
  };
  if (p.lid) {
    bandBox(0.25f, 0.05f, lidBottom + 0.1f);
    bandBox(0.85f, lidBottom, top + 0.25f);
  } else {
    bandBox(0.25f, 0.05f, top + 0.25f);
  }
}

// Two upright loops, a knot and two tails, sitting on the top at z = top.
void AddBow(BsmMesh& mesh, float top, float size, float turn) {
  ModelBuilder builder(mesh);
  for (float side : {-1.0f, 1.0f}) {
    // A flat band bent into a loop: the tube is stretched along the torus
    // axis (the ribbon's width) and squashed into an oval loop.
    const Transform loop = Transform()
                               .Scale({1.0f, 0.62f, 2.3f})
                               .RotateX(90)
                               .RotateY(side * -28)
                               .Translate({side * 3.6f, 0, 2.6f})
                               .Scale(size)
                               .RotateZ(turn)
                               .Translate({0, 0, top});
    builder.Torus(4.0f, 0.65f, 12, 5, loop);
  }
  builder.Sphere(1.7f, 6, 8, Transform().Scale({1.1f, 1.2f, 0.85f}).Translate({0, 0, 1.2f}).Scale(size)
                                 .RotateZ(turn).Translate({0, 0, top}));
  for (float side : {-1.0f, 1.0f}) {
    const Transform tail = Transform()
                               .RotateZ(side > 0 ? -35.0f : 215.0f)
                               .Translate({0, 0, 0.3f})
                               .Scale(size)
                               .RotateZ(turn + 90)
                               .Translate({0, 0, top});
    builder.Box({0, -1.4f, 0}, {7.5f, 1.4f, 0.25f}, tail);
  }
}

BsmModel MakePresent(const PresentShape& p) {
  BsmModel model;
  BsmMesh paper = NewMesh("Hull", "Scene Root", p.paper);
  const float halfW = p.width / 2, halfD = p.depth / 2;
  const float lidHeight = p.lid ? std::fmin(6.0f, p.height * 0.2f) : 0;
  const float lidBottom = p.height - lidHeight;
  const float top = p.lid ? p.height + 0.4f : p.height;
  ModelBuilder wrap(paper);
  // The paper tiles by size, so the pattern has the same scale on every box.
  wrap.Box({-halfW, -halfD, 0}, {halfW, halfD, p.lid ? lidBottom + 0.5f : p.height}, Transform(), {}, 24);
  if (p.lid) wrap.Box({-halfW - 0.6f, -halfD - 0.6f, lidBottom}, {halfW + 0.6f, halfD + 0.6f, top}, Transform(), {}, 24);

  BsmMesh ribbon = NewMesh("ribbon", "Hull", "ribbon.tga");
  AddRibbonBand(ribbon, p, lidBottom, top, true);
  AddRibbonBand(ribbon, p, lidBottom, top, false);
  BsmMesh bow = NewMesh("bow", "Hull", "ribbon.tga");
  AddBow(bow, top + 0.25f, 0.55f + 0.018f * std::fmin(p.width, p.depth), p.bowTurn);

  model.meshes = {paper, ribbon, bow};
  SetPivotsToBases(model);
  model.meshes.push_back(CollisionBox({-halfW, -halfD, 0}, {halfW, halfD, top}, p.paper));
  return model;
}

// Path length along the section centres, for texture v.
void SpreadV(std::vector<Section>& sections, float vTop, float vBottom) {
  std::vector<float> along(sections.size(), 0);
  for (size_t i = 1; i < sections.size(); ++i)
    along[i] = along[i - 1] + Length(sections[i].centre - sections[i - 1].centre);
  const float total = along.back() > 0 ? along.back() : 1;
  for (size_t i = 0; i < sections.size(); ++i) sections[i].v = vTop + (vBottom - vTop) * along[i] / total;
}

BsmModel MakeStocking() {
  BsmModel model;
  BsmMesh knit = NewMesh("Hull", "Scene Root", "stocking_knit.tga");
  // The white cuff: the picture's top rows. Its lip rolls in at both ends.
  std::vector<Section> cuff = {
      {{0, 0, -3.5f}, 7.4f, 4.0f}, {{0, 0, -4.1f}, 8.1f, 4.7f}, {{0, 0, -7.8f}, 8.3f, 4.8f},
      {{0, 0, -11.5f}, 8.1f, 4.7f}, {{0, 0, -12.1f}, 7.3f, 4.0f}};
  SpreadV(cuff, 0.99f, 0.8f);
  SweptTube(knit, cuff, 16, true, false, 2);
  // The leg drops from inside the cuff, turns at the heel and runs out
  // sideways (+x) to a rounded toe.
  std::vector<Section> leg;
  leg.push_back({{0, 0, -11}, 6.3f, 3.7f});
  leg.push_back({{0, 0, -20}, 6.4f, 3.8f});
  leg.push_back({{0, 0, -27}, 6.6f, 3.9f});
  const float bendRadius = 7.5f, bendX = bendRadius, bendZ = -27;
  for (int k = 1; k <= 4; ++k) {
    const float a = 3.14159265f * (1 + 0.5f * k / 4);
    leg.push_back({{bendX + bendRadius * std::cos(a), 0, bendZ + bendRadius * std::sin(a)}, 6.6f, 3.9f});
  }
  const float footZ = bendZ - bendRadius;
  const float toe[][3] = {{12.5f, 6.4f, 3.8f}, {15.5f, 5.7f, 3.4f}, {17.8f, 4.3f, 2.7f},
                          {19.3f, 2.6f, 1.7f}, {20.0f, 0.7f, 0.5f}};
  for (const auto& t : toe) leg.push_back({{t[0], 0, footZ}, t[1], t[2]});
  SpreadV(leg, 0.8f, 0.02f);
  SweptTube(knit, leg, 16, false, true, 2);
  // The hanging loop, upright across the front above the cuff.
  ModelBuilder loop(knit);
  loop.Torus(2.2f, 0.45f, 12, 5, Transform().RotateX(90).Translate({-3.5f, 0, -2.7f}), {0, 0.85f, 1, 0.99f});
  model.meshes = {knit};
  model.meshes[0].pivot = {0, 0, 0};  // it swings, if ever, about the hook
  return model;
}

BsmModel MakeLamp() {
  BsmModel model;
  BsmMesh base = NewMesh("Hull", "Scene Root", "brass.tga");
  base.second = "env_sphere.tga";
  ModelBuilder baseBuilder(base);
  // A heavy domed foot with a sharp bottom edge.
  baseBuilder.Lathe({{0, 0}, {17, 0}, {17, 0}, {17.3f, 1.1f}, {16.4f, 2.5f}, {12.5f, 3.8f}, {6.5f, 4.7f},
                     {3.2f, 5.8f}, {2.4f, 7.2f}, {0, 7.2f}},
                    20);
  BsmMesh pole = NewMesh("pole", "Hull", "brass.tga");
  pole.second = "env_sphere.tga";
  ModelBuilder poleBuilder(pole);
  poleBuilder.Lathe({{0, 7}, {1.7f, 7}, {1.7f, 9.5f}, {1.15f, 10.5f}, {1.15f, 70}, {1.8f, 71}, {1.8f, 73},
                     {1.15f, 74}, {1.15f, 126}, {1.9f, 127}, {1.9f, 134}, {1.2f, 135}, {0.6f, 158}, {0, 158}},
                    12);
  // The spider that carries the shade from the top of the stem.
  for (int arm = 0; arm < 3; ++arm)
    poleBuilder.Box({0, -0.3f, -0.3f}, {15.2f, 0.3f, 0.3f},
                    Transform().RotateZ(arm * 120.0f + 30).Translate({0, 0, 157.5f}));
  poleBuilder.Torus(15.2f, 0.35f, 16, 3, Transform().Translate({0, 0, 157.5f}));
  poleBuilder.Sphere(1.3f, 6, 8, Transform().Scale({1, 1, 1.3f}).Translate({0, 0, 158.8f}));
  BsmMesh shade = NewMesh("shade", "Hull", "lamp_shade.tga");
  shade.third = "lamp_shade_i.tga";
  ModelBuilder shadeBuilder(shade);
  // An open cone with rolled rims; v runs up it, so the glow is brightest
  // at the bottom where the light spills out.
  shadeBuilder.Lathe({{23.0f, 124}, {23.9f, 124.7f}, {23.0f, 125.5f}, {15.0f, 157.0f}, {15.8f, 157.7f},
                      {15.0f, 158.5f}},
                     28, Transform(), {0, 0, 1, 1}, 3);
  // The bulb, lit by the same glow.
  shadeBuilder.Sphere(4.2f, 5, 8, Transform().Scale({1, 1, 1.25f}).Translate({0, 0, 140}), {0, 0.02f, 1, 0.3f});
  model.meshes = {base, pole, shade};
  SetPivotsToBases(model);
  model.meshes.push_back(CollisionBox({-17, -17, 0}, {17, 17, 159}, "brass.tga"));
  return model;
}

BsmModel MakeSideTable() {
  BsmModel model;
  // The round top, its candle standing on it at z = 62.
  BsmMesh top = NewMesh("Hull", "Scene Root", "mantel_wood.tga");
  ModelBuilder topBuilder(top);
  topBuilder.Lathe({{0, 59.2f}, {21.0f, 59.2f}, {21.0f, 59.2f}, {22.3f, 59.6f}, {22.6f, 60.6f}, {22.3f, 61.6f},
                    {21.6f, 62.0f}, {21.6f, 62.0f}, {0, 62.0f}},
                   28, Transform(), {0, 0, 1, 1}, 2);
  BsmMesh stand = NewMesh("pedestal", "Hull", "mantel_wood.tga");
  ModelBuilder standBuilder(stand);
  // A turned column: a vase, a neck with a bead, a collar under the top.
  standBuilder.Lathe({{0, 6},       {4.6f, 6},    {5.4f, 8},    {5.4f, 14},   {4.2f, 15.5f}, {3.0f, 17},
                      {3.4f, 20},   {4.6f, 24},   {5.2f, 28},   {4.6f, 32},   {2.8f, 36},    {2.2f, 42},
                      {2.4f, 46},   {3.4f, 47.5f}, {2.4f, 49},  {2.3f, 53},   {3.6f, 55.5f}, {5.4f, 57.2f},
                      {6.4f, 58.4f}, {6.4f, 59.3f}, {0, 59.3f}},
                     16, Transform(), {0, 0, 1, 1}, 1);
  // Three curved feet spring from the column's foot to the floor.
  const std::vector<Point2> foot = {{3.0f, 7.0f},  {8.0f, 5.8f},  {12.0f, 3.6f}, {16.0f, 1.4f},
                                    {19.0f, 0.0f}, {21.5f, 0.0f}, {21.6f, 1.4f}, {20.2f, 2.5f},
                                    {17.2f, 4.8f}, {13.2f, 8.8f}, {8.6f, 12.6f}, {3.0f, 14.8f}};
  for (int k = 0; k < 3; ++k) {
    const float a = (90 + k * 120.0f) * 3.14159265f / 180;
    const Vec3 radial{std::cos(a), std::sin(a), 0}, up{0, 0, 1};
    const Vec3 across = Cross(radial, up);
    standBuilder.Extrusion(foot, 3.2f, Transform::Frame(radial, up, across, across * -1.6f));
  }
  model.meshes = {top, stand};
  SetPivotsToBases(model);
  model.meshes.push_back(CollisionBox({-22.6f, -22.6f, 0}, {22.6f, 22.6f, 62}, "mantel_wood.tga"));
  return model;
}

}  // namespace

std::vector<NamedModel> MakeFurnishingModels() {
  std::vector<NamedModel> models;
  for (const PresentShape& p : kPresents) models.push_back({p.name, MakePresent(p)});
  models.push_back({"stocking", MakeStocking()});
  models.push_back({"teddy", MakeTeddy()});
  models.push_back({"lamp", MakeLamp()});
  models.push_back({"armchair", MakeArmchair()});
  models.push_back({"sidetable", MakeSideTable()});
  return models;
}

}  // namespace content
