// The wall clock: an octagonal mahogany case, a dial, a brass bezel and three
// hands. The dial is built facing -Y and finally reflected to face +Y, its centre at the origin; each hand points
// to 12 (+Z) and turns about the Y axis through the centre.
#include <cmath>
#include <string>
#include <utility>

#include "model_builder.h"

#include "models_centrepiece.h"

namespace content {
namespace {

constexpr float kPi = 3.14159265f;
constexpr float kDialRadius = 24.5f;
constexpr float kDialY = -1.6f;  // the dial's plane, just in front of the case

BsmMesh ClockMesh(const std::string& name, const std::string& diffuse) {
  BsmMesh mesh;
  mesh.name = name;
  mesh.parentName = "Hull";
  mesh.diffuse = diffuse;
  return mesh;  // pivot at the dial's centre
}

// The saver turns a hand by a negative angle about +Y as time goes on, which
// seen from the front (-Y) sweeps it from 12 towards 9. So the numerals are
// laid round the other way: the picture is mapped mirrored across the
// dial, keeping the hands and the numbers they point at in step.
void AddDial(BsmMesh& mesh) {
  ModelBuilder builder(mesh);
  constexpr int kRim = 36;
  const Vec3 normal{0, -1, 0};
  const Transform none;
  const uint32_t centre = builder.Vertex({0, kDialY, 0}, {0.5f, 0.5f}, normal, none);
  std::vector<uint32_t> rim;
  for (int i = 0; i <= kRim; ++i) {
    const float a = 2 * kPi * static_cast<float>(i) / kRim;
    const float x = std::cos(a), z = std::sin(a);
    rim.push_back(builder.Vertex({kDialRadius * x, kDialY, kDialRadius * z}, {0.5f - 0.5f * x, 0.5f + 0.5f * z}, normal, none));
  }
  // From +x towards +z runs counter-clockwise seen from -Y.
  for (int i = 0; i < kRim; ++i) builder.Triangle(centre, rim[i], rim[i + 1], none);
}

void AddCase(BsmMesh& mesh) {
  ModelBuilder builder(mesh);
  // Octagonal body from the dial back to the wall, flats at top and bottom.
  const Transform body = Transform().RotateZ(22.5f).Translate({0, 0, -1.4f}).RotateX(-90);
  builder.Frustum(kClockRadius / std::cos(kPi / 8), kClockRadius / std::cos(kPi / 8) - 1.5f, 7, 8, true, true, body,
                  {0, 0, 1, 1}, 2);
  // A stepped moulding round the dial.
  const float inner = kDialRadius + 1.8f, outer = kDialRadius + 4.5f;
  builder.Lathe({{outer, 0}, {outer, 1.2f}, {outer, 1.2f}, {inner + 1.2f, 2.0f}, {inner, 1.2f}, {inner, 1.2f}, {inner, 0}},
                32, Transform().RotateX(90).Translate({0, -1.4f, 0}), {0, 0, 1, 0.2f}, 3);
  // A finial knob and a pendant below, as on a carved case.
  builder.Sphere(2.4f, 5, 8, Transform().Translate({0, 2, kClockRadius + 1.2f}));
  builder.Sphere(2.4f, 5, 8, Transform().Translate({0, 2, -kClockRadius - 1.2f}));
}

// A hand's flat outline (x across, y up towards 12) laid just in front of the
// dial at `gap`, a little thickness towards the viewer.
void AddHand(BsmMesh& mesh, const std::vector<Point2>& outline, float gap) {
  ModelBuilder builder(mesh);
  // Outline y becomes +Z; the extrusion depth runs towards -Y.
  builder.Extrusion(outline, 0.35f, Transform().RotateX(90).Translate({0, kDialY - gap, 0}));
}

}  // namespace

BsmModel MakeClockModel() {
  BsmMesh hull = ClockMesh("Hull", "clock_wood.tga");
  hull.parentName = "Scene Root";
  AddCase(hull);
  BsmMesh dial = ClockMesh("dial", "clock_face.tga");
  AddDial(dial);
  BsmMesh bezel = ClockMesh("bezel", "brass.tga");
  bezel.second = "env_sphere.tga";
  ModelBuilder(bezel).Torus(kDialRadius + 0.8f, 1.2f, 40, 6, Transform().RotateX(90).Translate({0, kDialY - 0.3f, 0}));

  BsmMesh minute = ClockMesh("Arrow01", "clock_hands.tga");
  AddHand(minute, {{-0.9f, -4}, {0.9f, -4}, {0.7f, 17}, {0, 21}, {-0.7f, 17}}, 0.9f);
  BsmMesh hour = ClockMesh("Arrow02", "clock_hands.tga");
  AddHand(hour, {{-1.4f, -3}, {1.4f, -3}, {1.0f, 8.5f}, {2.3f, 10.5f}, {0, 14}, {-2.3f, 10.5f}, {-1.0f, 8.5f}}, 0.3f);
  BsmMesh second = ClockMesh("Arrow03", "clock_hands.tga");
  AddHand(second, {{-0.3f, -6}, {0.3f, -6}, {0.2f, 22}, {-0.2f, 22}}, 1.5f);
  // The hub that caps all three hands.
  ModelBuilder(second).Frustum(1.3f, 1.1f, 0.6f, 10, false, true,
                               Transform().RotateX(90).Translate({0, kDialY - 1.85f, 0}));

  BsmModel model;
  model.meshes = {hull, dial, bezel, minute, hour, second};
  model.meshes.push_back(CollisionBox({-kClockRadius - 3, -4, -kClockRadius - 4}, {kClockRadius + 3, 6, kClockRadius + 4},
                                      "clock_wood.tga"));
  // The saver turns a hand right-handed about +Y by a negative angle as time
  // passes, which is clockwise only seen from +Y. Reflected through y = 0 the
  // clock faces +Y, and the picture laid round the other way above reads
  // the right way round from there.
  for (BsmMesh& mesh : model.meshes) {
    mesh.pivot.y = -mesh.pivot.y;
    for (Vec3& p : mesh.positions) p.y = -p.y;
    for (Vec3& n : mesh.normals) n.y = -n.y;
    for (Triple& face : mesh.faces) std::swap(face[1], face[2]);
    for (Triple& face : mesh.texFaces) std::swap(face[1], face[2]);
    for (size_t f = 0; f + 1 <= mesh.normals.size() / 3; ++f) std::swap(mesh.normals[f * 3 + 1], mesh.normals[f * 3 + 2]);
  }
  return model;
}

}  // namespace content
