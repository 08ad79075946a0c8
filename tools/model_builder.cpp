#include "model_builder.h"

#include <algorithm>
#include <cmath>

namespace content {
namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kDegrees = kPi / 180;

float Lerp(float a, float b, float t) { return a + (b - a) * t; }

bool Degenerate(Vec3 a, Vec3 b, Vec3 c) {
  const Vec3 n = Cross(b - a, c - a);
  return Dot(n, n) < 1e-12f;
}

void AddGrid(ModelBuilder& builder, const std::vector<SurfacePoint>& points, int columns, int rows,
             const Transform& transform) {
  builder.Grid(points, columns, rows, transform);
}

float Cross2(Point2 o, Point2 a, Point2 b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

bool InsideTriangle(Point2 p, Point2 a, Point2 b, Point2 c) {
  return Cross2(a, b, p) >= 0 && Cross2(b, c, p) >= 0 && Cross2(c, a, p) >= 0;
}

// Ear clipping of a simple counter-clockwise outline; returns index triples.
std::vector<Triple> TriangulateOutline(const std::vector<Point2>& outline) {
  std::vector<Triple> triangles;
  std::vector<uint32_t> left(outline.size());
  for (size_t i = 0; i < left.size(); ++i) left[i] = static_cast<uint32_t>(i);
  size_t guard = 0;
  while (left.size() > 3 && guard < outline.size() * outline.size()) {
    ++guard;
    bool clipped = false;
    for (size_t i = 0; i < left.size(); ++i) {
      const uint32_t ia = left[(i + left.size() - 1) % left.size()], ib = left[i], ic = left[(i + 1) % left.size()];
      const Point2 a = outline[ia], b = outline[ib], c = outline[ic];
      if (Cross2(a, b, c) <= 0) continue;  // a reflex corner is no ear
      bool blocked = false;
      for (uint32_t other : left) {
        if (other == ia || other == ib || other == ic) continue;
        if (InsideTriangle(outline[other], a, b, c)) {
          blocked = true;
          break;
        }
      }
      if (blocked) continue;
      triangles.push_back({ia, ib, ic});
      left.erase(left.begin() + static_cast<long>(i));
      clipped = true;
      break;
    }
    if (!clipped) break;  // not a simple outline: give up on the rest
  }
  if (left.size() == 3) triangles.push_back({left[0], left[1], left[2]});
  return triangles;
}

}  // namespace

Transform::Transform() {
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 4; ++c) m_[r][c] = r == c ? 1.0f : 0.0f;
}

void Transform::Premultiply(const float a[3][4]) {
  float out[3][4];
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) {
      float sum = c == 3 ? a[r][3] : 0.0f;
      for (int k = 0; k < 3; ++k) sum += a[r][k] * m_[k][c];
      out[r][c] = sum;
    }
  }
  std::copy(&out[0][0], &out[0][0] + 12, &m_[0][0]);
}

Transform& Transform::Translate(Vec3 offset) {
  const float a[3][4] = {{1, 0, 0, offset.x}, {0, 1, 0, offset.y}, {0, 0, 1, offset.z}};
  Premultiply(a);
  return *this;
}

Transform& Transform::RotateX(float degrees) {
  const float c = std::cos(degrees * kDegrees), s = std::sin(degrees * kDegrees);
  const float a[3][4] = {{1, 0, 0, 0}, {0, c, -s, 0}, {0, s, c, 0}};
  Premultiply(a);
  return *this;
}

Transform& Transform::RotateY(float degrees) {
  const float c = std::cos(degrees * kDegrees), s = std::sin(degrees * kDegrees);
  const float a[3][4] = {{c, 0, s, 0}, {0, 1, 0, 0}, {-s, 0, c, 0}};
  Premultiply(a);
  return *this;
}

Transform& Transform::RotateZ(float degrees) {
  const float c = std::cos(degrees * kDegrees), s = std::sin(degrees * kDegrees);
  const float a[3][4] = {{c, -s, 0, 0}, {s, c, 0, 0}, {0, 0, 1, 0}};
  Premultiply(a);
  return *this;
}

Transform& Transform::Scale(float factor) { return Scale(Vec3{factor, factor, factor}); }

Transform& Transform::Scale(Vec3 f) {
  const float a[3][4] = {{f.x, 0, 0, 0}, {0, f.y, 0, 0}, {0, 0, f.z, 0}};
  Premultiply(a);
  return *this;
}

Transform& Transform::Then(const Transform& after) {
  Premultiply(after.m_);
  return *this;
}

Transform Transform::Frame(Vec3 xAxis, Vec3 yAxis, Vec3 zAxis, Vec3 origin) {
  Transform t;
  const Vec3 axes[3] = {xAxis, yAxis, zAxis};
  for (int c = 0; c < 3; ++c) {
    t.m_[0][c] = axes[c].x;
    t.m_[1][c] = axes[c].y;
    t.m_[2][c] = axes[c].z;
  }
  t.m_[0][3] = origin.x;
  t.m_[1][3] = origin.y;
  t.m_[2][3] = origin.z;
  return t;
}

Vec3 Transform::Point(Vec3 p) const {
  return {m_[0][0] * p.x + m_[0][1] * p.y + m_[0][2] * p.z + m_[0][3],
          m_[1][0] * p.x + m_[1][1] * p.y + m_[1][2] * p.z + m_[1][3],
          m_[2][0] * p.x + m_[2][1] * p.y + m_[2][2] * p.z + m_[2][3]};
}

Vec3 Transform::Normal(Vec3 n) const {
  // The cofactor matrix is the inverse transpose times the determinant.
  const Vec3 c0{m_[0][0], m_[1][0], m_[2][0]}, c1{m_[0][1], m_[1][1], m_[2][1]}, c2{m_[0][2], m_[1][2], m_[2][2]};
  const Vec3 r0 = Cross(c1, c2), r1 = Cross(c2, c0), r2 = Cross(c0, c1);
  Vec3 out = r0 * n.x + r1 * n.y + r2 * n.z;
  if (Mirrors()) out = out * -1.0f;
  return Normalized(out);
}

bool Transform::Mirrors() const {
  const Vec3 c0{m_[0][0], m_[1][0], m_[2][0]}, c1{m_[0][1], m_[1][1], m_[2][1]}, c2{m_[0][2], m_[1][2], m_[2][2]};
  return Dot(c0, Cross(c1, c2)) < 0;
}

void ModelBuilder::Grid(std::vector<SurfacePoint> points, int columns, int rows, const Transform& transform) {
  if (columns < 2 || rows < 2 || points.size() < static_cast<size_t>(columns) * rows) return;
  auto at = [&](int c, int r) -> Vec3 { return points[static_cast<size_t>(r) * columns + c].position; };
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      SurfacePoint& p = points[static_cast<size_t>(r) * columns + c];
      if (Dot(p.normal, p.normal) > 0) continue;
      const Vec3 alongColumns = at(std::min(c + 1, columns - 1), r) - at(std::max(c - 1, 0), r);
      const Vec3 alongRows = at(c, std::min(r + 1, rows - 1)) - at(c, std::max(r - 1, 0));
      p.normal = Normalized(Cross(alongColumns, alongRows));
    }
  // Where a row or column collapses to a point (a tip), borrow the normal
  // of the nearest point along the row that has one.
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      SurfacePoint& p = points[static_cast<size_t>(r) * columns + c];
      for (int step = 1; Dot(p.normal, p.normal) == 0 && step < columns; ++step) {
        for (int cc : {c - step, c + step}) {
          if (cc < 0 || cc >= columns) continue;
          const Vec3 n = points[static_cast<size_t>(r) * columns + cc].normal;
          if (Dot(n, n) > 0) {
            p.normal = n;
            break;
          }
        }
      }
      if (Dot(p.normal, p.normal) == 0) p.normal = {0, 0, 1};
    }
  std::vector<uint32_t> ids(points.size());
  for (size_t i = 0; i < points.size(); ++i) ids[i] = Vertex(points[i].position, points[i].uv, points[i].normal, transform);
  for (int r = 0; r + 1 < rows; ++r) {
    for (int c = 0; c + 1 < columns; ++c) {
      const int a = r * columns + c, b = a + 1, d = a + columns, e = d + 1;
      if (!Degenerate(points[a].position, points[b].position, points[e].position)) Triangle(ids[a], ids[b], ids[e], transform);
      if (!Degenerate(points[a].position, points[e].position, points[d].position)) Triangle(ids[a], ids[e], ids[d], transform);
    }
  }
}

uint32_t ModelBuilder::Vertex(Vec3 position, Point2 uv, Vec3 normal, const Transform& transform) {
  Corner corner;
  corner.position = static_cast<uint32_t>(mesh_.positions.size());
  corner.texCoord = static_cast<uint32_t>(mesh_.texCoords.size());
  corner.normal = transform.Normal(normal);
  mesh_.positions.push_back(transform.Point(position));
  mesh_.texCoords.push_back({uv.x, uv.y, 0});
  corners_.push_back(corner);
  return static_cast<uint32_t>(corners_.size() - 1);
}

void ModelBuilder::Triangle(uint32_t a, uint32_t b, uint32_t c, const Transform& transform) {
  if (transform.Mirrors()) std::swap(b, c);
  const Corner& ca = corners_[a];
  const Corner& cb = corners_[b];
  const Corner& cc = corners_[c];
  mesh_.faces.push_back({ca.position, cb.position, cc.position});
  mesh_.texFaces.push_back({ca.texCoord, cb.texCoord, cc.texCoord});
  mesh_.normals.push_back(ca.normal);
  mesh_.normals.push_back(cb.normal);
  mesh_.normals.push_back(cc.normal);
}

void ModelBuilder::Quad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Point2 ta, Point2 tb, Point2 tc, Point2 td,
                        const Transform& transform) {
  const Vec3 normal = Normalized(Cross(c - a, d - b));
  const uint32_t ia = Vertex(a, ta, normal, transform), ib = Vertex(b, tb, normal, transform);
  const uint32_t ic = Vertex(c, tc, normal, transform), id = Vertex(d, td, normal, transform);
  Triangle(ia, ib, ic, transform);
  Triangle(ia, ic, id, transform);
}

void ModelBuilder::Box(Vec3 lo, Vec3 hi, const Transform& transform, UvRect uv, float tile) {
  const Vec3 faces[6][4] = {
      {{hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z}, {hi.x, lo.y, hi.z}},
      {{lo.x, hi.y, lo.z}, {lo.x, lo.y, lo.z}, {lo.x, lo.y, hi.z}, {lo.x, hi.y, hi.z}},
      {{hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z}, {lo.x, hi.y, hi.z}, {hi.x, hi.y, hi.z}},
      {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, lo.y, hi.z}, {lo.x, lo.y, hi.z}},
      {{lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}},
      {{lo.x, hi.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, lo.y, lo.z}, {lo.x, lo.y, lo.z}},
  };
  for (const auto& f : faces) {
    float u1 = uv.u1, v1 = uv.v1;
    if (tile > 0) {
      u1 = uv.u0 + Length(f[1] - f[0]) / tile;
      v1 = uv.v0 + Length(f[3] - f[0]) / tile;
    }
    Quad(f[0], f[1], f[2], f[3], {uv.u0, uv.v0}, {u1, uv.v0}, {u1, v1}, {uv.u0, v1}, transform);
  }
}

void ModelBuilder::Lathe(const std::vector<Point2>& profile, int segments, const Transform& transform, UvRect uv,
                         float uRepeat) {
  const int rows = static_cast<int>(profile.size());
  if (rows < 2 || segments < 3) return;
  // Outward normals of the profile's segments in the (radius, height) plane.
  std::vector<Point2> segmentNormal(rows - 1);
  std::vector<bool> segmentValid(rows - 1);
  std::vector<float> along(rows, 0);
  for (int j = 0; j + 1 < rows; ++j) {
    const float dr = profile[j + 1].x - profile[j].x, dz = profile[j + 1].y - profile[j].y;
    const float length = std::sqrt(dr * dr + dz * dz);
    segmentValid[j] = length > 1e-6f;
    segmentNormal[j] = segmentValid[j] ? Point2{dz / length, -dr / length} : Point2{};
    along[j + 1] = along[j] + length;
  }
  std::vector<SurfacePoint> points;
  points.reserve(static_cast<size_t>(rows) * (segments + 1));
  for (int j = 0; j < rows; ++j) {
    Point2 n{0, 0};
    if (j > 0 && segmentValid[j - 1]) n = {n.x + segmentNormal[j - 1].x, n.y + segmentNormal[j - 1].y};
    if (j + 1 < rows && segmentValid[j]) n = {n.x + segmentNormal[j].x, n.y + segmentNormal[j].y};
    if (profile[j].x <= 1e-6f) n = {0, n.y >= 0 ? 1.0f : -1.0f};  // on the axis the surface is level
    const float v = Lerp(uv.v0, uv.v1, along.back() > 0 ? along[j] / along.back() : 0);
    for (int i = 0; i <= segments; ++i) {
      const float angle = 2 * kPi * static_cast<float>(i) / static_cast<float>(segments);
      const float c = std::cos(angle), s = std::sin(angle);
      SurfacePoint p;
      p.position = {profile[j].x * c, profile[j].x * s, profile[j].y};
      p.normal = Normalized(Vec3{n.x * c, n.x * s, n.y});
      p.uv = {Lerp(uv.u0, uv.u1, uRepeat * static_cast<float>(i) / static_cast<float>(segments)), v};
      points.push_back(p);
    }
  }
  std::vector<uint32_t> ids(points.size());
  for (size_t i = 0; i < points.size(); ++i) ids[i] = Vertex(points[i].position, points[i].uv, points[i].normal, transform);
  // Rows joined by a zero-length segment share no triangles: that is a sharp edge.
  const int columns = segments + 1;
  for (int j = 0; j + 1 < rows; ++j) {
    if (!segmentValid[j]) continue;
    for (int c = 0; c < segments; ++c) {
      const int a = j * columns + c, b = a + 1, d = a + columns, e = d + 1;
      if (!Degenerate(points[a].position, points[b].position, points[e].position)) Triangle(ids[a], ids[b], ids[e], transform);
      if (!Degenerate(points[a].position, points[e].position, points[d].position)) Triangle(ids[a], ids[e], ids[d], transform);
    }
  }
}

void ModelBuilder::Frustum(float r0, float r1, float height, int segments, bool capBottom, bool capTop,
                           const Transform& transform, UvRect uv, float uRepeat) {
  Lathe({{r0, 0}, {r1, height}}, segments, transform, uv, uRepeat);
  const float uMid = (uv.u0 + uv.u1) / 2, vMid = (uv.v0 + uv.v1) / 2;
  const float uHalf = (uv.u1 - uv.u0) / 2, vHalf = (uv.v1 - uv.v0) / 2;
  auto cap = [&](float radius, float z, bool top) {
    if (radius <= 0) return;
    const Vec3 normal{0, 0, top ? 1.0f : -1.0f};
    const uint32_t centre = Vertex({0, 0, z}, {uMid, vMid}, normal, transform);
    std::vector<uint32_t> ring;
    for (int i = 0; i <= segments; ++i) {
      const float angle = 2 * kPi * static_cast<float>(i) / static_cast<float>(segments);
      const float c = std::cos(angle), s = std::sin(angle);
      ring.push_back(Vertex({radius * c, radius * s, z}, {uMid + uHalf * c, vMid + vHalf * s}, normal, transform));
    }
    for (int i = 0; i < segments; ++i) {
      if (top)
        Triangle(centre, ring[i], ring[i + 1], transform);
      else
        Triangle(centre, ring[i + 1], ring[i], transform);
    }
  };
  if (capBottom) cap(r0, 0, false);
  if (capTop) cap(r1, height, true);
}

void ModelBuilder::Sphere(float radius, int rings, int segments, const Transform& transform, UvRect uv) {
  if (rings < 2 || segments < 3) return;
  std::vector<SurfacePoint> points;
  for (int j = 0; j <= rings; ++j) {
    const float latitude = -kPi / 2 + kPi * static_cast<float>(j) / static_cast<float>(rings);
    for (int i = 0; i <= segments; ++i) {
      const float angle = 2 * kPi * static_cast<float>(i) / static_cast<float>(segments);
      const Vec3 n{std::cos(latitude) * std::cos(angle), std::cos(latitude) * std::sin(angle), std::sin(latitude)};
      points.push_back({n * radius, n,
                        {Lerp(uv.u0, uv.u1, static_cast<float>(i) / static_cast<float>(segments)),
                         Lerp(uv.v0, uv.v1, static_cast<float>(j) / static_cast<float>(rings))}});
    }
  }
  AddGrid(*this, points, segments + 1, rings + 1, transform);
}

void ModelBuilder::Torus(float majorRadius, float minorRadius, int majorSegments, int minorSegments,
                         const Transform& transform, UvRect uv, float sweepDegrees) {
  if (majorSegments < 1 || minorSegments < 3) return;
  std::vector<SurfacePoint> points;
  const float sweep = sweepDegrees * kDegrees;
  for (int k = 0; k <= minorSegments; ++k) {
    const float b = 2 * kPi * static_cast<float>(k) / static_cast<float>(minorSegments);
    for (int i = 0; i <= majorSegments; ++i) {
      const float a = sweep * static_cast<float>(i) / static_cast<float>(majorSegments);
      const Vec3 d{std::cos(b) * std::cos(a), std::cos(b) * std::sin(a), std::sin(b)};
      const Vec3 centre{majorRadius * std::cos(a), majorRadius * std::sin(a), 0};
      points.push_back({centre + d * minorRadius, d,
                        {Lerp(uv.u0, uv.u1, static_cast<float>(i) / static_cast<float>(majorSegments)),
                         Lerp(uv.v0, uv.v1, static_cast<float>(k) / static_cast<float>(minorSegments))}});
    }
  }
  AddGrid(*this, points, majorSegments + 1, minorSegments + 1, transform);
}

void ModelBuilder::Extrusion(const std::vector<Point2>& outline, float depth, const Transform& transform,
                             UvRect uv) {
  const size_t count = outline.size();
  if (count < 3) return;
  Point2 lo = outline[0], hi = outline[0];
  for (const Point2& p : outline) {
    lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
    hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
  }
  auto capUv = [&](Point2 p) {
    return Point2{Lerp(uv.u0, uv.u1, hi.x > lo.x ? (p.x - lo.x) / (hi.x - lo.x) : 0),
                  Lerp(uv.v0, uv.v1, hi.y > lo.y ? (p.y - lo.y) / (hi.y - lo.y) : 0)};
  };
  const std::vector<Triple> triangles = TriangulateOutline(outline);
  for (int side = 0; side < 2; ++side) {
    const bool top = side == 1;
    const float z = top ? depth : 0;
    std::vector<uint32_t> ids;
    for (const Point2& p : outline) ids.push_back(Vertex({p.x, p.y, z}, capUv(p), {0, 0, top ? 1.0f : -1.0f}, transform));
    for (const Triple& t : triangles) {
      if (top)
        Triangle(ids[t[0]], ids[t[1]], ids[t[2]], transform);
      else
        Triangle(ids[t[0]], ids[t[2]], ids[t[1]], transform);
    }
  }
  float perimeter = 0;
  for (size_t i = 0; i < count; ++i) {
    const Point2 a = outline[i], b = outline[(i + 1) % count];
    perimeter += std::hypot(b.x - a.x, b.y - a.y);
  }
  float walked = 0;
  for (size_t i = 0; i < count; ++i) {
    const Point2 a = outline[i], b = outline[(i + 1) % count];
    const float length = std::hypot(b.x - a.x, b.y - a.y);
    const float ua = Lerp(uv.u0, uv.u1, walked / perimeter), ub = Lerp(uv.u0, uv.u1, (walked + length) / perimeter);
    walked += length;
    if (length <= 1e-6f) continue;
    Quad({a.x, a.y, 0}, {b.x, b.y, 0}, {b.x, b.y, depth}, {a.x, a.y, depth}, {ua, uv.v0}, {ub, uv.v0}, {ub, uv.v1},
         {ua, uv.v1}, transform);
  }
}

void ModelBuilder::Tube(const std::vector<Vec3>& path, float radius, int sides, const Transform& transform,
                        float uPerUnit, UvRect uv) {
  const int count = static_cast<int>(path.size());
  if (count < 2 || sides < 3) return;
  std::vector<Vec3> tangents(count);
  for (int k = 0; k < count; ++k)
    tangents[k] = Normalized(path[std::min(k + 1, count - 1)] - path[std::max(k - 1, 0)]);
  // Start the frame on whichever axis is least along the first tangent.
  const Vec3 t0 = tangents[0];
  Vec3 seed = std::fabs(t0.x) < 0.6f ? Vec3{1, 0, 0} : (std::fabs(t0.y) < 0.6f ? Vec3{0, 1, 0} : Vec3{0, 0, 1});
  Vec3 normal = Normalized(seed - t0 * Dot(t0, seed));
  std::vector<SurfacePoint> points;
  float walked = 0;
  for (int k = 0; k < count; ++k) {
    const Vec3 t = tangents[k];
    if (k > 0) {
      walked += Length(path[k] - path[k - 1]);
      const Vec3 carried = normal - t * Dot(t, normal);
      if (Length(carried) > 1e-6f) normal = Normalized(carried);
    }
    const Vec3 binormal = Cross(t, normal);
    for (int i = 0; i <= sides; ++i) {
      const float angle = 2 * kPi * static_cast<float>(i) / static_cast<float>(sides);
      const Vec3 d = normal * std::cos(angle) + binormal * std::sin(angle);
      points.push_back({path[k] + d * radius, d,
                        {uv.u0 + walked * uPerUnit, Lerp(uv.v0, uv.v1, static_cast<float>(i) / static_cast<float>(sides))}});
    }
  }
  AddGrid(*this, points, sides + 1, count, transform);
}

Bounds MeshBounds(const BsmMesh& mesh) {
  if (mesh.positions.empty()) return {};
  Bounds b{mesh.positions[0], mesh.positions[0]};
  for (const Vec3& p : mesh.positions) {
    b.lo = {std::min(b.lo.x, p.x), std::min(b.lo.y, p.y), std::min(b.lo.z, p.z)};
    b.hi = {std::max(b.hi.x, p.x), std::max(b.hi.y, p.y), std::max(b.hi.z, p.z)};
  }
  return b;
}

Bounds ModelBounds(const BsmModel& model) {
  bool any = false;
  Bounds all;
  for (const BsmMesh& mesh : model.meshes) {
    if (mesh.positions.empty()) continue;
    const Bounds b = MeshBounds(mesh);
    if (!any) {
      all = b;
      any = true;
      continue;
    }
    all.lo = {std::min(all.lo.x, b.lo.x), std::min(all.lo.y, b.lo.y), std::min(all.lo.z, b.lo.z)};
    all.hi = {std::max(all.hi.x, b.hi.x), std::max(all.hi.y, b.hi.y), std::max(all.hi.z, b.hi.z)};
  }
  return all;
}

Vec3 BoundsCentre(const BsmMesh& mesh) {
  const Bounds b = MeshBounds(mesh);
  return (b.lo + b.hi) * 0.5f;
}

Vec3 BaseCentre(const BsmMesh& mesh) {
  const Bounds b = MeshBounds(mesh);
  return {(b.lo.x + b.hi.x) / 2, (b.lo.y + b.hi.y) / 2, b.lo.z};
}

BsmMesh CollisionBox(Vec3 lo, Vec3 hi, const std::string& diffuse) {
  BsmMesh mesh;
  mesh.name = "CollMesh";
  mesh.parentName = "Scene Root";
  mesh.diffuse = diffuse;
  ModelBuilder(mesh).Box(lo, hi);
  mesh.pivot = BoundsCentre(mesh);
  return mesh;
}

size_t TriangleCount(const BsmModel& model) {
  size_t count = 0;
  for (const BsmMesh& mesh : model.meshes) count += mesh.faces.size();
  return count;
}

}  // namespace content
