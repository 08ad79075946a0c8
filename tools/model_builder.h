// Builds the geometry of static models (BsmMesh) from simple solids: boxes,
// frustums and cones, surfaces of revolution, spheres, tori, extruded
// outlines, tubes along paths and free quads. Every solid is made in its own
// frame and carried into model space by a Transform; normals come out smooth
// on round surfaces, flat on planar ones, and always point outwards.
#pragma once

#include <vector>

#include "bsm_writer.h"
#include "lightmap_vector.h"

namespace content {

// A point of a flat outline (extrusions) or of a lathe profile (x = radius,
// y = height).
struct Point2 {
  float x = 0, y = 0;
};

// An affine map of model space. The building methods apply after what is
// already there, so Transform().Scale(2).RotateZ(90).Translate(p) scales
// first, then turns, then moves. Angles are degrees, right-handed about the
// named axis.
class Transform {
 public:
  Transform();
  Transform& Translate(Vec3 offset);
  Transform& RotateX(float degrees);
  Transform& RotateY(float degrees);
  Transform& RotateZ(float degrees);
  Transform& Scale(float factor);
  Transform& Scale(Vec3 factors);
  // This map followed by `after`.
  Transform& Then(const Transform& after);
  // A frame whose local x, y, z axes land on the given model-space vectors
  // (not necessarily unit) and whose origin lands on `origin`.
  static Transform Frame(Vec3 xAxis, Vec3 yAxis, Vec3 zAxis, Vec3 origin);

  Vec3 Point(Vec3 p) const;
  // Normals go through the inverse transpose, so non-uniform scales keep them
  // perpendicular to the surface; the result is unit length.
  Vec3 Normal(Vec3 n) const;
  // True when the map turns the surface inside out (negative determinant);
  // the builder then flips the winding so faces stay counter-clockwise.
  bool Mirrors() const;

 private:
  void Premultiply(const float m[3][4]);
  float m_[3][4];
};

// A rectangle of texture space that a solid's surface maps onto.
struct UvRect {
  float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
};

// A point on a surface in the solid's own frame. A zero normal asks the
// builder to work it out from the neighbouring grid points.
struct SurfacePoint {
  Vec3 position;
  Vec3 normal;
  Point2 uv;
};

// Adds geometry into one mesh. Several builders may feed the same mesh in
// turn; each call appends.
class ModelBuilder {
 public:
  explicit ModelBuilder(BsmMesh& mesh) : mesh_(mesh) {}

  // An axis-aligned box in its own frame from lo to hi. Each face is mapped
  // onto `uv` whole unless tile > 0, in which case texture coordinates are
  // the face's own sizes divided by tile.
  void Box(Vec3 lo, Vec3 hi, const Transform& transform = Transform(), UvRect uv = {}, float tile = 0);

  // A frustum along +z from z = 0 (radius r0) to z = height (radius r1);
  // r1 = 0 gives a cone. u runs round (uRepeat times), v up the side.
  void Frustum(float r0, float r1, float height, int segments, bool capBottom, bool capTop,
               const Transform& transform = Transform(), UvRect uv = {}, float uRepeat = 1);

  // A surface of revolution about +z of a profile from bottom to top (x =
  // radius, y = height); points on the axis close the surface there. Normals
  // are averaged along the profile, so keep a sharp edge by repeating a point.
  void Lathe(const std::vector<Point2>& profile, int segments, const Transform& transform = Transform(),
             UvRect uv = {}, float uRepeat = 1);

  // A UV sphere about the origin; the whole sphere maps onto uv.
  void Sphere(float radius, int rings, int segments, const Transform& transform = Transform(), UvRect uv = {});

  // A torus about +z: the tube's centre circle has radius majorRadius.
  // sweepDegrees < 360 gives an open arc starting on +x.
  void Torus(float majorRadius, float minorRadius, int majorSegments, int minorSegments,
             const Transform& transform = Transform(), UvRect uv = {}, float sweepDegrees = 360);

  // A flat outline (counter-clockwise seen from +z, may be concave) extruded
  // from z = 0 to z = depth with both caps. Caps map the outline's bounds
  // onto uv; sides use u along the perimeter, v across the depth.
  void Extrusion(const std::vector<Point2>& outline, float depth, const Transform& transform = Transform(),
                 UvRect uv = {});

  // A round tube along a polyline, with frames carried along the path so it
  // does not twist; open ends. u runs along the path (uPerUnit per unit of
  // length), v round the tube.
  void Tube(const std::vector<Vec3>& path, float radius, int sides, const Transform& transform = Transform(),
            float uPerUnit = 0.05f, UvRect uv = {});

  // A free surface: columns x rows points, row after row. Quads face the
  // side that cross(next column - point, next row - point) points to;
  // triangles that collapse (poles, tips) are left out.
  void Grid(std::vector<SurfacePoint> points, int columns, int rows, const Transform& transform = Transform());

  // One planar quad a, b, c, d (counter-clockwise seen from the side it
  // faces) with its own texture coordinates, the normal from its winding.
  void Quad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Point2 ta, Point2 tb, Point2 tc, Point2 td,
            const Transform& transform = Transform());

  // The lowest-level calls: a vertex with its texture coordinate and normal
  // (given in the solid's frame), and a triangle of vertices this builder
  // returned, counter-clockwise in the solid's frame.
  uint32_t Vertex(Vec3 position, Point2 uv, Vec3 normal, const Transform& transform);
  void Triangle(uint32_t a, uint32_t b, uint32_t c, const Transform& transform);

 private:
  struct Corner {
    uint32_t position, texCoord;
    Vec3 normal;  // model space
  };
  BsmMesh& mesh_;
  std::vector<Corner> corners_;
};

// Bounds of a mesh's positions (zero when empty).
struct Bounds {
  Vec3 lo, hi;
};
Bounds MeshBounds(const BsmMesh& mesh);
Bounds ModelBounds(const BsmModel& model);

// The usual pivots: the centre of the bounds, or the centre of their base.
Vec3 BoundsCentre(const BsmMesh& mesh);
Vec3 BaseCentre(const BsmMesh& mesh);

// A box mesh from lo to hi, named "CollMesh" under "Scene Root", that the
// saver uses for collisions and never draws.
BsmMesh CollisionBox(Vec3 lo, Vec3 hi, const std::string& diffuse);

size_t TriangleCount(const BsmModel& model);

}  // namespace content
