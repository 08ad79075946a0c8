// Rounded boxes and swept oval tubes for the furnishing models.
#include "furnishing_parts.h"

#include <algorithm>
#include <cmath>

#include "lightmap_vector.h"

namespace content {
namespace furnishing {

namespace {

constexpr float kPi = 3.14159265f;

float Component(Vec3 v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

void SetComponent(Vec3& v, int axis, float value) {
  if (axis == 0)
    v.x = value;
  else if (axis == 1)
    v.y = value;
  else
    v.z = value;
}

// Coordinates along one side of a rounded box: denser over the rounded rims
// so that each rim step turns the surface by the same angle.
std::vector<float> RimSamples(float lo, float hi, float radius, int rimSteps) {
  std::vector<float> samples;
  for (int k = rimSteps; k >= 1; --k) samples.push_back(lo + radius - radius * std::tan(kPi / 4 * k / rimSteps));
  samples.push_back(lo + radius);
  samples.push_back(hi - radius);
  for (int k = 1; k <= rimSteps; ++k) samples.push_back(hi - radius + radius * std::tan(kPi / 4 * k / rimSteps));
  return samples;
}

// Adds a triangle wound so that its face (in model space, where the corners
// already are) agrees with the expected normal, whichever order the caller
// listed the corners in; the transform's mirroring is thereby settled too.
// The builder numbers its own corners from zero, one position each, after
// the positions the mesh held when it was made (firstPosition).
void OutwardTriangle(ModelBuilder& builder, const BsmMesh& mesh, size_t firstPosition, uint32_t a, uint32_t b,
                     uint32_t c, Vec3 expectedNormal) {
  const Vec3 pa = mesh.positions[firstPosition + a], pb = mesh.positions[firstPosition + b],
             pc = mesh.positions[firstPosition + c];
  const Vec3 face = Cross(pb - pa, pc - pa);
  if (Dot(face, expectedNormal) >= 0)
    builder.Triangle(a, b, c, Transform());
  else
    builder.Triangle(a, c, b, Transform());
}

}  // namespace

BsmMesh NewMesh(const std::string& name, const std::string& parent, const std::string& diffuse) {
  BsmMesh mesh;
  mesh.name = name;
  mesh.parentName = parent;
  mesh.diffuse = diffuse;
  return mesh;
}

// "Hull" keeps the model's origin as its pivot: the saver draws the root of
// the hierarchy relative to its own pivot, so any other pivot would move it.
void SetPivotsToBases(BsmModel& model) {
  for (BsmMesh& mesh : model.meshes) mesh.pivot = mesh.name == "Hull" ? Vec3{} : BaseCentre(mesh);
}

void RoundedBox(BsmMesh& mesh, Vec3 lo, Vec3 hi, float radius, int rimSteps, const Transform& transform,
                float tile) {
  const float smallest = std::min({hi.x - lo.x, hi.y - lo.y, hi.z - lo.z});
  radius = std::min(radius, smallest * 0.49f);
  rimSteps = std::max(rimSteps, 1);
  const Vec3 innerLo = lo + Vec3{radius, radius, radius}, innerHi = hi - Vec3{radius, radius, radius};
  const std::vector<float> samples[3] = {RimSamples(lo.x, hi.x, radius, rimSteps),
                                         RimSamples(lo.y, hi.y, radius, rimSteps),
                                         RimSamples(lo.z, hi.z, radius, rimSteps)};
  // Per face: the axis it faces along, its side, and the in-plane axes with
  // the signs that keep the texture upright on the sides.
  struct Face {
    int axis, side, uAxis, uSign, vAxis, vSign;
  };
  const Face faces[6] = {{0, +1, 1, +1, 2, +1}, {0, -1, 1, -1, 2, +1}, {1, +1, 0, -1, 2, +1},
                         {1, -1, 0, +1, 2, +1}, {2, +1, 0, +1, 1, +1}, {2, -1, 0, +1, 1, -1}};
  const size_t firstPosition = mesh.positions.size();
  ModelBuilder builder(mesh);
  for (const Face& f : faces) {
    const std::vector<float>& us = samples[f.uAxis];
    const std::vector<float>& vs = samples[f.vAxis];
    const size_t nu = us.size(), nv = vs.size();
    std::vector<uint32_t> index(nu * nv);
    std::vector<Vec3> normal(nu * nv);
    for (size_t j = 0; j < nv; ++j)
      for (size_t i = 0; i < nu; ++i) {
        Vec3 onCube;
        SetComponent(onCube, f.axis, f.side > 0 ? Component(hi, f.axis) : Component(lo, f.axis));
        SetComponent(onCube, f.uAxis, us[i]);
        SetComponent(onCube, f.vAxis, vs[j]);
        const Vec3 inner{std::clamp(onCube.x, innerLo.x, innerHi.x), std::clamp(onCube.y, innerLo.y, innerHi.y),
                         std::clamp(onCube.z, innerLo.z, innerHi.z)};
        const Vec3 n = Normalized(onCube - inner);
        const Vec3 position = inner + n * radius;
        const float cu = Component(onCube, f.uAxis) * f.uSign, cv = Component(onCube, f.vAxis) * f.vSign;
        Point2 uv;
        if (tile > 0) {
          uv = {cu / tile, cv / tile};
        } else {
          const float spanU = Component(hi, f.uAxis) - Component(lo, f.uAxis);
          const float spanV = Component(hi, f.vAxis) - Component(lo, f.vAxis);
          uv = {(us[i] - Component(lo, f.uAxis)) / spanU, (vs[j] - Component(lo, f.vAxis)) / spanV};
          if (f.uSign < 0) uv.x = 1 - uv.x;
          if (f.vSign < 0) uv.y = 1 - uv.y;
        }
        index[j * nu + i] = builder.Vertex(position, uv, n, transform);
        normal[j * nu + i] = n;
      }
    for (size_t j = 0; j + 1 < nv; ++j)
      for (size_t i = 0; i + 1 < nu; ++i) {
        const size_t a = j * nu + i, b = a + 1, c = a + nu + 1, d = a + nu;
        const Vec3 expected = Normalized(normal[a] + normal[b] + normal[c] + normal[d]);
        OutwardTriangle(builder, mesh, firstPosition, index[a], index[b], index[c], transform.Normal(expected));
        OutwardTriangle(builder, mesh, firstPosition, index[a], index[c], index[d], transform.Normal(expected));
      }
  }
}

void SweptTube(BsmMesh& mesh, const std::vector<Section>& sections, int sides, bool capStart,
               bool capEnd, float uRepeat) {
  const size_t firstPosition = mesh.positions.size();
  ModelBuilder builder(mesh);
  const size_t rings = sections.size();
  if (rings < 2 || sides < 3) return;
  const Vec3 depthAxis{0, 1, 0};
  std::vector<Vec3> tangents(rings), sides3(rings);
  for (size_t r = 0; r < rings; ++r) {
    const Vec3 ahead = sections[std::min(r + 1, rings - 1)].centre;
    const Vec3 behind = sections[r == 0 ? 0 : r - 1].centre;
    tangents[r] = Normalized(ahead - behind);
    sides3[r] = Normalized(Cross(depthAxis, tangents[r]));
  }
  // The surface as a grid first, so normals can come from its neighbours.
  const size_t columns = static_cast<size_t>(sides);
  std::vector<Vec3> grid(rings * columns);
  for (size_t r = 0; r < rings; ++r)
    for (size_t s = 0; s < columns; ++s) {
      const float angle = 2 * kPi * s / columns;
      grid[r * columns + s] = sections[r].centre + sides3[r] * (sections[r].width * std::cos(angle)) +
                              depthAxis * (sections[r].depth * std::sin(angle));
    }
  std::vector<Vec3> normals(rings * columns);
  for (size_t r = 0; r < rings; ++r)
    for (size_t s = 0; s < columns; ++s) {
      const Vec3 round = grid[r * columns + (s + 1) % columns] - grid[r * columns + (s + columns - 1) % columns];
      const Vec3 along = grid[std::min(r + 1, rings - 1) * columns + s] - grid[(r == 0 ? 0 : r - 1) * columns + s];
      Vec3 n = Normalized(Cross(round, along));
      const Vec3 outward = grid[r * columns + s] - sections[r].centre;
      if (Dot(n, outward) < 0) n = n * -1;
      if (Length(n) == 0) n = Normalized(outward);
      normals[r * columns + s] = n;
    }
  const Transform identity;
  std::vector<uint32_t> index(rings * (columns + 1));
  for (size_t r = 0; r < rings; ++r)
    for (size_t s = 0; s <= columns; ++s) {
      const size_t g = r * columns + s % columns;
      const Point2 uv{uRepeat * s / columns, sections[r].v};
      index[r * (columns + 1) + s] = builder.Vertex(grid[g], uv, normals[g], identity);
    }
  for (size_t r = 0; r + 1 < rings; ++r)
    for (size_t s = 0; s < columns; ++s) {
      const size_t a = r * (columns + 1) + s, b = a + 1, c = a + columns + 2, d = a + columns + 1;
      const Vec3 expected = normals[r * columns + s] + normals[(r + 1) * columns + (s + 1) % columns];
      OutwardTriangle(builder, mesh, firstPosition, index[a], index[b], index[c], expected);
      OutwardTriangle(builder, mesh, firstPosition, index[a], index[c], index[d], expected);
    }
  for (int end = 0; end < 2; ++end) {
    if ((end == 0 && !capStart) || (end == 1 && !capEnd)) continue;
    const size_t r = end == 0 ? 0 : rings - 1;
    const Vec3 facing = tangents[r] * (end == 0 ? -1.0f : 1.0f);
    const uint32_t centre = builder.Vertex(sections[r].centre, {0.5f * uRepeat, sections[r].v}, facing, identity);
    std::vector<uint32_t> rim(columns);
    for (size_t s = 0; s < columns; ++s)
      rim[s] = builder.Vertex(grid[r * columns + s], {uRepeat * s / columns, sections[r].v}, facing, identity);
    for (size_t s = 0; s < columns; ++s)
      OutwardTriangle(builder, mesh, firstPosition, centre, rim[s], rim[(s + 1) % columns], facing);
  }
}

}  // namespace furnishing
}  // namespace content
