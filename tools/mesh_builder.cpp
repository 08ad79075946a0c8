#include "mesh_builder.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numeric>

namespace content {
namespace {

Vec3 Sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float Length(Vec3 v) { return std::sqrt(Dot(v, v)); }
Vec3 Scale(Vec3 v, float s) { return {v.x * s, v.y * s, v.z * s}; }
Vec3 Unit(Vec3 v) {
  const float length = Length(v);
  return length > 0 ? Scale(v, 1.0f / length) : Vec3{0, 0, 1};
}

float Component(Vec3 v, Axis axis) { return axis == Axis::X ? v.x : axis == Axis::Y ? v.y : v.z; }

Vec3 Point(Axis normal, float plane, Axis h, float hv, Axis v, float vv) {
  float c[3] = {0, 0, 0};
  c[static_cast<int>(normal)] = plane;
  c[static_cast<int>(h)] = hv;
  c[static_cast<int>(v)] = vv;
  return {c[0], c[1], c[2]};
}

// A quad's own flat coordinates in world units: s along its first edge, t
// across it in its plane.
struct Flat {
  float s[4], t[4];
  float width, height;
};

Flat Flatten(const Vec3 corners[4]) {
  const Vec3 e1 = Unit(Sub(corners[1], corners[0]));
  Vec3 d = Sub(corners[3], corners[0]);
  const Vec3 e2 = Unit(Sub(d, Scale(e1, Dot(d, e1))));
  Flat flat{};
  float sMin = 1e30f, sMax = -1e30f, tMin = 1e30f, tMax = -1e30f;
  for (int i = 0; i < 4; ++i) {
    const Vec3 r = Sub(corners[i], corners[0]);
    flat.s[i] = Dot(r, e1);
    flat.t[i] = Dot(r, e2);
    sMin = std::min(sMin, flat.s[i]);
    sMax = std::max(sMax, flat.s[i]);
    tMin = std::min(tMin, flat.t[i]);
    tMax = std::max(tMax, flat.t[i]);
  }
  for (int i = 0; i < 4; ++i) {
    flat.s[i] -= sMin;
    flat.t[i] -= tMin;
  }
  flat.width = sMax - sMin;
  flat.height = tMax - tMin;
  return flat;
}

constexpr int kPadding = 2;

// Shelf packing, tallest first; false when the rectangles do not fit.
bool ShelfPack(const std::vector<Flat>& flats, int size, float scale, std::vector<ChartRect>& rects) {
  rects.assign(flats.size(), {});
  std::vector<size_t> order(flats.size());
  std::iota(order.begin(), order.end(), 0);
  for (size_t i = 0; i < flats.size(); ++i) {
    rects[i].width = std::max(2, static_cast<int>(std::lround(flats[i].width * scale)) + 1);
    rects[i].height = std::max(2, static_cast<int>(std::lround(flats[i].height * scale)) + 1);
  }
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return rects[a].height > rects[b].height; });
  int x = 0, y = 0, shelf = 0;
  for (size_t i : order) {
    ChartRect& r = rects[i];
    const int w = r.width + 2 * kPadding, h = r.height + 2 * kPadding;
    if (w > size) return false;
    if (x + w > size) {
      x = 0;
      y += shelf;
      shelf = 0;
    }
    if (y + h > size) return false;
    r.x = x + kPadding;
    r.y = y + kPadding;
    x += w;
    shelf = std::max(shelf, h);
  }
  return true;
}

// The chart grows with the object's area (about three units a texel) within
// 64..256 pixels; the quads are then scaled up to fill it well.
int PackChart(const std::vector<Flat>& flats, std::vector<ChartRect>& rects, float& scale) {
  double area = 0;
  for (const Flat& f : flats) area += (f.width + 1.0) * (f.height + 1.0);
  int size = 64;
  while (size < 256 && area / 9.0 > 0.5 * size * size) size *= 2;
  scale = static_cast<float>(std::sqrt(0.7 * size * size / std::max(area, 1.0)));
  while (!ShelfPack(flats, size, scale, rects)) scale *= 0.93f;
  return size;
}

}  // namespace

MeshBuilder::MeshBuilder(std::string name, bool lightmapped) : name_(std::move(name)), lightmapped_(lightmapped) {}

int MeshBuilder::Material(const MeshMaterial& material) {
  for (size_t i = 0; i < materials_.size(); ++i) {
    const MeshMaterial& m = materials_[i];
    if (m.diffuse == material.diffuse && m.twoSided == material.twoSided && m.illumination == material.illumination)
      return static_cast<int>(i);
  }
  materials_.push_back(material);
  return static_cast<int>(materials_.size() - 1);
}

void MeshBuilder::Quad(int material, const Vec3 corners[4], const Vec2 uv[4]) {
  QuadFace face;
  face.material = material;
  for (int i = 0; i < 4; ++i) face.corners[i] = {corners[i], uv[i]};
  quads_.push_back(face);
}

void MeshBuilder::TiledQuad(int material, Vec3 a, Vec3 b, Vec3 c, Vec3 d, float tileU, float tileV, Vec2 offset) {
  const Vec3 corners[4] = {a, b, c, d};
  const Flat flat = Flatten(corners);
  Vec2 uv[4];
  for (int i = 0; i < 4; ++i) uv[i] = {offset.u + flat.s[i] / tileU, offset.v + flat.t[i] / tileV};
  Quad(material, corners, uv);
}

void MeshBuilder::Rect(int material, Axis normal, bool positive, float plane, float h0, float h1, float v0, float v1,
                       float tileU, float tileV, bool turned) {
  const Axis h = normal == Axis::Z ? Axis::X : normal == Axis::X ? Axis::Y : Axis::X;
  const Axis v = normal == Axis::Z ? Axis::Y : Axis::Z;
  Vec3 corners[4] = {Point(normal, plane, h, h0, v, v0), Point(normal, plane, h, h1, v, v0),
                     Point(normal, plane, h, h1, v, v1), Point(normal, plane, h, h0, v, v1)};
  // h x v points along +normal for floors and x walls, along -normal for y walls.
  const bool naturalFacesPositive = normal != Axis::Y;
  if (naturalFacesPositive != positive) std::swap(corners[1], corners[3]);
  Vec2 uv[4];
  for (int i = 0; i < 4; ++i) {
    const float a = Component(corners[i], h) / tileU, b = Component(corners[i], v) / tileV;
    uv[i] = turned ? Vec2{Component(corners[i], v) / tileU, Component(corners[i], h) / tileV} : Vec2{a, b};
  }
  Quad(material, corners, uv);
}

void MeshBuilder::Box(int material, Vec3 lo, Vec3 hi, unsigned mask, float tileU, float tileV, Axis grain) {
  // u follows the grain where the face holds it; on faces across the grain
  // the default pairing is kept.
  const bool grainZ = grain == Axis::Z, grainY = grain == Axis::Y;
  if (mask & kFaceNegX) Rect(material, Axis::X, false, lo.x, lo.y, hi.y, lo.z, hi.z, tileU, tileV, grainZ);
  if (mask & kFacePosX) Rect(material, Axis::X, true, hi.x, lo.y, hi.y, lo.z, hi.z, tileU, tileV, grainZ);
  if (mask & kFaceNegY) Rect(material, Axis::Y, false, lo.y, lo.x, hi.x, lo.z, hi.z, tileU, tileV, grainZ);
  if (mask & kFacePosY) Rect(material, Axis::Y, true, hi.y, lo.x, hi.x, lo.z, hi.z, tileU, tileV, grainZ);
  if (mask & kFaceNegZ) Rect(material, Axis::Z, false, lo.z, lo.x, hi.x, lo.y, hi.y, tileU, tileV, grainY);
  if (mask & kFacePosZ) Rect(material, Axis::Z, true, hi.z, lo.x, hi.x, lo.y, hi.y, tileU, tileV, grainY);
}

size_t MeshBuilder::TriangleCount() const { return quads_.size() * 2; }

BuiltObject MeshBuilder::Finish() const {
  BuiltObject built;
  BssMeshObject& mesh = built.mesh;
  mesh.name = name_;

  std::vector<Flat> flats;
  for (const QuadFace& q : quads_) {
    const Vec3 corners[4] = {q.corners[0].position, q.corners[1].position, q.corners[2].position,
                             q.corners[3].position};
    flats.push_back(Flatten(corners));
  }
  float scale = 1;
  if (lightmapped_ && !quads_.empty()) {
    built.chartSize = PackChart(flats, built.chartRects, scale);
    std::string file = "lm_" + name_ + ".tga";
    for (char& c : file) c = c == ' ' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    mesh.lightmap = file;
  }

  // Faces run material by material, in the order the materials were made.
  for (size_t m = 0; m < materials_.size(); ++m) {
    BssMaterialRun run;
    run.diffuse = materials_[m].diffuse;
    run.twoSided = materials_[m].twoSided;
    run.illumination = materials_[m].illumination;
    run.materialIndex = static_cast<uint32_t>(m);
    run.firstVertex = static_cast<uint32_t>(mesh.faces.size() * 3);
    for (size_t qi = 0; qi < quads_.size(); ++qi) {
      const QuadFace& q = quads_[qi];
      if (q.material != static_cast<int>(m)) continue;
      const uint32_t base = static_cast<uint32_t>(mesh.positions.size());
      Vec2 lm[4] = {};
      if (built.chartSize > 0) {
        const ChartRect& r = built.chartRects[qi];
        const Flat& f = flats[qi];
        const float n = static_cast<float>(built.chartSize);
        for (int i = 0; i < 4; ++i) {
          const float fs = f.width > 0 ? f.s[i] / f.width : 0, ft = f.height > 0 ? f.t[i] / f.height : 0;
          lm[i] = {(r.x + 0.5f + fs * (r.width - 1)) / n, (r.y + 0.5f + ft * (r.height - 1)) / n};
        }
      }
      for (int i = 0; i < 4; ++i) {
        mesh.positions.push_back(q.corners[i].position);
        mesh.texCoords.push_back({q.corners[i].uv.u, q.corners[i].uv.v, 0});
        mesh.lightmapCoords.push_back({lm[i].u, lm[i].v, 0});
      }
      const Vec3 normal =
          Unit(Cross(Sub(q.corners[1].position, q.corners[0].position), Sub(q.corners[3].position, q.corners[0].position)));
      const Triple triangles[2] = {{base, base + 1, base + 2}, {base, base + 2, base + 3}};
      for (const Triple& t : triangles) {
        mesh.faces.push_back(t);
        mesh.texFaces.push_back(t);
        mesh.lightmapFaces.push_back(t);
        for (int c = 0; c < 3; ++c) mesh.normals.push_back(normal);
        BakeTriangle bake;
        for (int c = 0; c < 3; ++c) {
          bake.corners[c] = mesh.positions[t[c]];
          bake.lightmapUv[c] = {mesh.lightmapCoords[t[c]].x, mesh.lightmapCoords[t[c]].y};
        }
        built.bakeTriangles.push_back(bake);
      }
    }
    run.vertexCount = static_cast<uint32_t>(mesh.faces.size() * 3) - run.firstVertex;
    if (run.vertexCount > 0) mesh.materials.push_back(run);
  }
  return built;
}

}  // namespace content
