// Builds one mesh object of the room from planar quads: texture coordinates
// in world units, flat normals, faces grouped by material, and (for objects
// that carry a lightmap) one rectangle of the object's lightmap chart per
// quad, sized by the quad's area.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "bss_writer.h"
#include "lightmap_baker.h"

namespace content {

struct MeshMaterial {
  MeshMaterial(std::string diffuseName, bool drawBothSides = false, std::string glow = {})
      : diffuse(std::move(diffuseName)), twoSided(drawBothSides), illumination(std::move(glow)) {}
  std::string diffuse;
  bool twoSided;
  std::string illumination;
};

// A rectangle of a lightmap chart in pixels, padding not included.
struct ChartRect {
  int x = 0, y = 0, width = 0, height = 0;
};

struct BuiltObject {
  BssMeshObject mesh;
  std::vector<BakeTriangle> bakeTriangles;  // chart left at -1; the scene assigns it
  int chartSize = 0;                        // 0: no lightmap
  std::vector<ChartRect> chartRects;        // one per lightmapped quad
};

// The in-plane axes of an axis-aligned face: for floors and ceilings x then
// y, for walls facing x the pair y, z and for walls facing y the pair x, z.
// Texture u follows the first, v the second, unless the face is turned.
enum class Axis { X = 0, Y = 1, Z = 2 };

class MeshBuilder {
 public:
  MeshBuilder(std::string name, bool lightmapped);

  int Material(const MeshMaterial& material);

  // A planar quad whose corners run counter-clockwise seen from the side
  // that shows; uv per corner.
  void Quad(int material, const Vec3 corners[4], const Vec2 uv[4]);

  // A quad with texture coordinates measured in world units along its edges:
  // u along a->b divided by tileU, v along a->d divided by tileV.
  void TiledQuad(int material, Vec3 a, Vec3 b, Vec3 c, Vec3 d, float tileU, float tileV, Vec2 offset = {});

  // An axis-aligned rectangle in the plane `normal` = plane, facing the
  // positive or negative side, spanning [h0,h1] x [v0,v1] of the in-plane
  // axes. Texture coordinates are world positions divided by the tiles;
  // turned swaps which axis u follows.
  void Rect(int material, Axis normal, bool positive, float plane, float h0, float h1, float v0, float v1,
            float tileU, float tileV, bool turned = false);

  // The faces of a box named by the mask (bits: -x, +x, -y, +y, -z, +z),
  // facing out. grain: the axis that texture u follows where the face holds it.
  void Box(int material, Vec3 lo, Vec3 hi, unsigned faceMask, float tileU, float tileV, Axis grain = Axis::X);

  const std::string& Name() const { return name_; }
  size_t TriangleCount() const;

  BuiltObject Finish() const;

 private:
  struct Corner {
    Vec3 position;
    Vec2 uv;
  };
  struct QuadFace {
    int material;
    Corner corners[4];
  };
  std::string name_;
  bool lightmapped_;
  std::vector<MeshMaterial> materials_;
  std::vector<QuadFace> quads_;
};

constexpr unsigned kFaceNegX = 1, kFacePosX = 2, kFaceNegY = 4, kFacePosY = 8, kFaceNegZ = 16, kFacePosZ = 32;
constexpr unsigned kAllFaces = 63;

}  // namespace content
