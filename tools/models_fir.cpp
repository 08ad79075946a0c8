// The fir tree: tiers of drooping needle skirts with ridged branches that
// poke out past each rim, a trunk, a knitted tree skirt, baubles hung under
// the branch tips, tinsel wound round the tiers, candy canes, a star on top,
// and the light helpers at the branch tips.
#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>

#include "model_builder.h"
#include "models_centrepiece.h"
#include "procedural_noise.h"

namespace content {
namespace {

constexpr float kPi = 3.14159265358979f;
constexpr int kTierCount = 9;

// One layer of branches: where it leaves the trunk, how far out it reaches,
// how far its rim hangs below the attachment, and its branch pattern.
struct Tier {
  float attachZ, radius, droop;
  int branches;
  float phase;            // angle of the first branch
  float wobble[4];        // amplitudes and phases of the rim's irregularity
};

Tier MakeTier(int k) {
  const float t = static_cast<float>(k) / (kTierCount - 1);
  Pcg32 rng(0x51f0u + static_cast<uint64_t>(k) * 977u);
  Tier tier;
  tier.attachZ = 72 + (234 - 72) * t;
  tier.radius = kFirBaseRadius - 72 * std::pow(t, 0.9f);
  tier.droop = 0.42f * tier.radius + 6;
  tier.branches = static_cast<int>(std::lround(6 + 9 * (1 - t)));
  tier.phase = rng.Range(0, 2 * kPi);
  tier.wobble[0] = rng.Range(0.03f, 0.06f);
  tier.wobble[1] = rng.Range(0, 2 * kPi);
  tier.wobble[2] = rng.Range(0.02f, 0.04f);
  tier.wobble[3] = rng.Range(0, 2 * kPi);
  return tier;
}

// 1 at a branch's axis, falling to 0 halfway to the next one.
float Lobe(const Tier& tier, float angle) {
  const float c = 0.5f + 0.5f * std::cos(tier.branches * (angle - tier.phase));
  return c * c;
}

float RimRadius(const Tier& tier, float angle) {
  const float wobble = tier.wobble[0] * std::sin(3 * angle + tier.wobble[1]) +
                       tier.wobble[2] * std::sin(5 * angle + tier.wobble[3]);
  return tier.radius * (0.84f + 0.16f * Lobe(tier, angle) + wobble);
}

// The needle surface of a tier at an angle and a fraction s of the way from
// the trunk to the rim (s may run a little past 1 along a branch).
Vec3 TierPoint(const Tier& tier, float angle, float s) {
  const float r = RimRadius(tier, angle) * s;
  const float sag = 0.55f * s + 0.45f * std::pow(s, 2.2f);
  const float tipDrop = 4 * Lobe(tier, angle) * s * s * s;
  return {r * std::cos(angle), r * std::sin(angle), tier.attachZ - tier.droop * sag - tipDrop};
}

// The way out of the needles at a point: up and away from the trunk.
Vec3 TierNormal(const Tier& tier, float angle, float s) {
  const float ds = 0.01f, da = 0.01f;
  const Vec3 alongS = TierPoint(tier, angle, s + ds) - TierPoint(tier, angle, s - ds);
  const Vec3 round = TierPoint(tier, angle + da, s) - TierPoint(tier, angle - da, s);
  return Normalized(Cross(alongS, round));
}

float BranchAngle(const Tier& tier, int b) { return tier.phase + 2 * kPi * static_cast<float>(b) / tier.branches; }

void AddTierSkirt(ModelBuilder& builder, const Tier& tier) {
  constexpr int kAlong = 4;
  const int round = tier.branches * 3;
  const float uRepeat = std::max(2.0f, std::round(tier.radius / 14));
  std::vector<SurfacePoint> points;
  for (int r = 0; r <= round; ++r) {
    const float angle = tier.phase + 2 * kPi * static_cast<float>(r) / round;
    for (int c = 0; c < kAlong; ++c) {
      const float s = 0.05f + 0.95f * static_cast<float>(c) / (kAlong - 1);
      points.push_back({TierPoint(tier, angle, s), TierNormal(tier, angle, s),
                        {uRepeat * static_cast<float>(r) / round, 1 - s}});
    }
  }
  builder.Grid(points, kAlong, round + 1);
}

// A branch as a shallow ridge lying on the skirt: needles fray off both
// edges (v = 0 there) and the tip reaches past the rim.
void AddBranch(ModelBuilder& builder, const Tier& tier, float angle, float lengthScale) {
  constexpr int kAlong = 6;
  const float s0 = 0.3f, s1 = 1.0f + 0.12f * lengthScale;
  const float halfWidth = std::min(0.42f * 2 * kPi * tier.radius / tier.branches, 12.0f);
  const Vec3 side{-std::sin(angle), std::cos(angle), 0};
  std::vector<SurfacePoint> points;
  for (int across = 0; across < 3; ++across) {
    const float offset = static_cast<float>(across - 1);
    for (int c = 0; c < kAlong; ++c) {
      const float f = static_cast<float>(c) / (kAlong - 1);
      const float s = s0 + (s1 - s0) * f;
      const float width = halfWidth * std::pow(std::max(0.0f, std::sin(kPi * (0.08f + 0.92f * f))), 0.7f);
      const Vec3 normal = TierNormal(tier, angle, std::min(s, 1.0f));
      const Vec3 centre = TierPoint(tier, angle, s) + normal * 1.6f;
      const Vec3 edgeDrop = normal * (-0.45f * width * std::fabs(offset));
      points.push_back({centre + side * (width * offset) + edgeDrop, {},
                        {s * tier.radius / 22, across == 1 ? 1.0f : 0.0f}});
    }
  }
  builder.Grid(points, kAlong, 3);
}

void AddFoliage(BsmMesh& mesh, const std::vector<Tier>& tiers) {
  ModelBuilder builder(mesh);
  for (const Tier& tier : tiers) {
    AddTierSkirt(builder, tier);
    for (int b = 0; b < tier.branches; ++b) {
      const float jitter = HashUnit(b, static_cast<int>(tier.attachZ), 0x6a11u) - 0.5f;
      AddBranch(builder, tier, BranchAngle(tier, b) + jitter * 0.12f, 0.7f + 0.6f * HashUnit(b, 3, 0x77u));
    }
  }
  // The leader: a slim spire of needles above the last tier.
  const float topZ = tiers.back().attachZ;
  builder.Lathe({{7, topZ - 8}, {5, topZ + 2}, {2.5f, topZ + 12}, {0, kFirHeight - 10}}, 10, Transform(),
                {0, 0.05f, 2, 1});
}

// The tinsel winds once round each of several tiers, climbing from the rim
// towards the trunk, so that seen together the loops spiral up the tree. A
// strip lies on the needles and a second stands out of them, so it reads
// from above and from the side.
void AddTinsel(BsmMesh& mesh, const std::vector<Tier>& tiers) {
  ModelBuilder builder(mesh);
  constexpr int kSteps = 32;
  for (int k = 1; k <= 6; ++k) {
    const Tier& tier = tiers[k];
    const float start = 0.6f * static_cast<float>(k);
    for (int strip = 0; strip < 2; ++strip) {
      std::vector<SurfacePoint> points;
      for (int across = 0; across < 2; ++across) {
        for (int i = 0; i <= kSteps; ++i) {
          const float f = static_cast<float>(i) / kSteps;
          const float angle = start + 2 * kPi * f;
          const float swag = 0.06f * std::sin(tier.branches * (angle - tier.phase));
          const float s = 0.95f - 0.3f * f + swag;
          const Vec3 normal = TierNormal(tier, angle, s);
          const Vec3 centre = TierPoint(tier, angle, s) + normal * 2.2f;
          const Vec3 ahead = Normalized(TierPoint(tier, angle + 0.05f, s) - TierPoint(tier, angle - 0.05f, s));
          const Vec3 width = strip == 0 ? Normalized(Cross(normal, ahead)) : normal;
          const float half = 2.2f * (across == 0 ? -1.0f : 1.0f);
          points.push_back({centre + width * half, {}, {f * 2 * kPi * tier.radius * s / 24, across ? 1.0f : 0.0f}});
        }
      }
      builder.Grid(points, kSteps + 1, 2);
    }
  }
}

// Baubles hang just under the rim between branches; each maps its sphere
// into one colour band of the baubles texture.
void AddBaubles(BsmMesh& mesh, const std::vector<Tier>& tiers) {
  ModelBuilder builder(mesh);
  const int perTier[kTierCount] = {5, 5, 4, 4, 3, 3, 2, 2, 0};
  int made = 0;
  for (int k = 0; k < kTierCount; ++k) {
    const Tier& tier = tiers[k];
    for (int j = 0; j < perTier[k]; ++j) {
      const int b = (j * tier.branches) / std::max(1, perTier[k]) + (k % 2);
      const float angle = BranchAngle(tier, b) + kPi / tier.branches;
      const float radius = 5.5f - 2.0f * static_cast<float>(k) / kTierCount;
      const Vec3 rim = TierPoint(tier, angle, 0.93f);
      const int band = static_cast<int>(HashInt(static_cast<uint32_t>(made) * 2654435761u + 17u) % 4);
      const float v0 = 0.25f * static_cast<float>(band);
      builder.Sphere(radius, 6, 8, Transform().Translate(rim + Vec3{0, 0, -radius - 1.0f}),
                     {0, v0 + 0.02f, 1, v0 + 0.23f});
      ++made;
    }
  }
}

// Candy canes hooked over branch tips and two round lollipops on sticks.
void AddSweets(BsmMesh& mesh, const std::vector<Tier>& tiers) {
  ModelBuilder builder(mesh);
  const int caneTiers[3] = {2, 4, 6};
  for (int i = 0; i < 3; ++i) {
    const Tier& tier = tiers[caneTiers[i]];
    const float angle = BranchAngle(tier, 1 + 2 * i);
    const Vec3 tip = TierPoint(tier, angle, 0.98f);
    // In the cane's own frame x points out from the trunk, z up: the hook
    // sits over the branch and the shank hangs outside it.
    std::vector<Vec3> path;
    for (int p = 0; p <= 6; ++p) path.push_back({2.6f, 0, -13.0f + 13.0f * static_cast<float>(p) / 6});
    for (int p = 1; p <= 6; ++p) {
      const float a = kPi * static_cast<float>(p) / 6;
      path.push_back({2.6f * std::cos(a), 0, 2.6f * std::sin(a)});
    }
    builder.Tube(path, 0.8f, 6, Transform().RotateZ(angle * 180 / kPi).Translate(tip + Vec3{0, 0, 1.5f}), 0.12f);
  }
  const int lollyTiers[2] = {1, 3};
  for (int i = 0; i < 2; ++i) {
    const Tier& tier = tiers[lollyTiers[i]];
    const float angle = BranchAngle(tier, 3 + 4 * i) + kPi / tier.branches;
    const Vec3 at = TierPoint(tier, angle, 0.9f) + Vec3{0, 0, 2};
    const float degrees = angle * 180 / kPi;
    // The disc faces out of the tree, its stick pushed into the needles.
    builder.Frustum(3.6f, 3.6f, 1.2f, 12, true, true,
                    Transform().Translate({0, 0, -0.6f}).RotateY(90).RotateZ(degrees).Translate(at + Vec3{0, 0, 4}));
    builder.Frustum(0.35f, 0.35f, 5, 4, false, false, Transform().RotateZ(degrees).Translate(at), {0.9f, 0, 1, 1});
  }
}

// Two faceted stars crossed at right angles on a short stem.
void AddStar(BsmMesh& mesh) {
  ModelBuilder builder(mesh);
  const float centreZ = kFirHeight - 8;
  builder.Frustum(0.8f, 0.6f, 6, 6, false, false, Transform().Translate({0, 0, centreZ - 9}));
  for (int turn = 0; turn < 2; ++turn) {
    const Transform place = Transform().RotateZ(90.0f * turn).Translate({0, 0, centreZ});
    Vec3 rim[10];
    Point2 uv[10];
    for (int i = 0; i < 10; ++i) {
      const float a = kPi / 2 + kPi * static_cast<float>(i) / 5;
      const float r = i % 2 == 0 ? 8.0f : 3.4f;
      rim[i] = {r * std::cos(a), 0, r * std::sin(a)};
      uv[i] = {0.5f + 0.5f * std::cos(a) * r / 8, 0.5f + 0.5f * std::sin(a) * r / 8};
    }
    for (int face = 0; face < 2; ++face) {
      const Vec3 apex{0, face == 0 ? -2.2f : 2.2f, 0};
      for (int i = 0; i < 10; ++i) {
        const Vec3 a = rim[i], b = rim[(i + 1) % 10];
        // Seen from the apex's side the rim must run counter-clockwise.
        const Vec3 p = face == 0 ? b : a, q = face == 0 ? a : b;
        const Point2 tp = face == 0 ? uv[(i + 1) % 10] : uv[i], tq = face == 0 ? uv[i] : uv[(i + 1) % 10];
        const Vec3 corners[3] = {apex, p, q};
        const Vec3 n = FaceNormal(corners);
        const uint32_t ia = builder.Vertex(apex, {0.5f, 0.5f}, n, place), ib = builder.Vertex(p, tp, n, place),
                       ic = builder.Vertex(q, tq, n, place);
        builder.Triangle(ia, ib, ic, place);
      }
    }
  }
}

// A knitted skirt spread round the foot of the trunk, its white cuff at the hem.
void AddTreeSkirt(BsmMesh& mesh) {
  ModelBuilder builder(mesh);
  constexpr int kRound = 42, kAcross = 4;
  std::vector<SurfacePoint> points;
  for (int r = 0; r <= kRound; ++r) {
    const float angle = 2 * kPi * static_cast<float>(r) / kRound;
    const float hem = 66 + 3.5f * std::sin(7 * angle) + 1.5f * std::sin(3 * angle + 1);
    for (int c = 0; c < kAcross; ++c) {
      const float f = static_cast<float>(c) / (kAcross - 1);
      const float radius = kFirTrunkRadius + 1 + (hem - kFirTrunkRadius - 1) * f;
      const float z = 3.0f * (1 - f) * (1 - f) + 0.4f + 0.8f * f * (0.5f + 0.5f * std::sin(7 * angle));
      points.push_back({{radius * std::cos(angle), radius * std::sin(angle), z}, {},
                        {4 * static_cast<float>(r) / kRound, 0.1f + 0.88f * f}});
    }
  }
  builder.Grid(points, kAcross, kRound + 1);
}

// The tree's lights: spread over the tiers in proportion to their size, at
// branch tips and part-way in, lifted off the needles so they show.
std::vector<BsmHelper> MakeFirLights(const std::vector<Tier>& tiers) {
  static const char* const kColours[5] = {"red", "gre", "blu", "yel", "vio"};
  float total = 0;
  for (const Tier& tier : tiers) total += tier.radius;
  std::vector<int> counts;
  int assigned = 0;
  for (size_t k = 0; k < tiers.size(); ++k) {
    const int n = k + 1 == tiers.size() ? kFirLightCount - assigned
                                        : static_cast<int>(std::lround(kFirLightCount * tiers[k].radius / total));
    counts.push_back(n);
    assigned += n;
  }
  std::vector<BsmHelper> lights;
  for (size_t k = 0; k < tiers.size(); ++k) {
    const Tier& tier = tiers[k];
    for (int j = 0; j < counts[k]; ++j) {
      const float jitter = HashUnit(j, static_cast<int>(k), 0x11e7u) - 0.5f;
      const float angle = tier.phase + 2 * kPi * (static_cast<float>(j) + 0.5f * (k % 2) + 0.3f * jitter) / counts[k];
      const float s = j % 3 == 2 ? 0.7f : 0.99f;
      BsmHelper light;
      light.position = TierPoint(tier, angle, s) + TierNormal(tier, angle, s) * 3.0f;
      light.parentMesh = "Hull";
      light.kind = 2;
      lights.push_back(light);
    }
  }
  // The saver lights the helpers one after another in file order; a stride
  // coprime to the count scatters each run of blinks over the whole tree
  // instead of sweeping round one tier.
  std::vector<BsmHelper> scattered;
  const size_t count = lights.size();
  size_t stride = 29;
  while (count > 1 && std::gcd(stride, count) != 1) ++stride;
  for (size_t i = 0; i < count; ++i) {
    scattered.push_back(lights[(i * stride) % count]);
    scattered.back().name = std::string("emit ") + kColours[i % 5] + "_firlight";
  }
  return scattered;
}

BsmMesh NamedMesh(const std::string& name, const std::string& parent, const std::string& diffuse) {
  BsmMesh mesh;
  mesh.name = name;
  mesh.parentName = parent;
  mesh.diffuse = diffuse;
  return mesh;
}

}  // namespace

BsmModel MakeFirModel() {
  std::vector<Tier> tiers;
  for (int k = 0; k < kTierCount; ++k) tiers.push_back(MakeTier(k));

  BsmMesh hull = NamedMesh("Hull", "Scene Root", "stocking_knit.tga");
  AddTreeSkirt(hull);
  BsmMesh foliage = NamedMesh("foliage", "Hull", "fir_needles.tga");
  AddFoliage(foliage, tiers);
  BsmMesh sweets = NamedMesh("lollipops", "Hull", "lollipop.tga");
  AddSweets(sweets, tiers);
  BsmMesh decor = NamedMesh("firdecor", "Hull", "tinsel.tga");
  AddTinsel(decor, tiers);
  // A mesh carries one texture, so the star hangs below the tinsel as its own mesh.
  BsmMesh star = NamedMesh("firstar", "firdecor", "star_gold.tga");
  star.second = "env_sphere.tga";
  AddStar(star);
  BsmMesh trunk = NamedMesh("firtrunk", "Hull", "fir_trunk.tga");
  ModelBuilder(trunk).Frustum(kFirTrunkRadius, 3, 236, 10, false, false, Transform(), {0, 0, 2, 8});
  BsmMesh toys = NamedMesh("firtoys", "Hull", "baubles.tga");
  toys.second = "env_sphere.tga";
  AddBaubles(toys, tiers);

  BsmModel model;
  model.meshes = {hull, foliage, sweets, decor, star, trunk, toys};
  for (BsmMesh& mesh : model.meshes) mesh.pivot = {0, 0, 0};
  model.meshes.push_back(CollisionBox({-kFirBaseRadius, -kFirBaseRadius, 0}, {kFirBaseRadius, kFirBaseRadius, kFirHeight},
                                      "fir_needles.tga"));
  model.helpers = MakeFirLights(tiers);
  return model;
}

}  // namespace content
