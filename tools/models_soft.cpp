// The soft furnishings: a sitting teddy bear and an upholstered wing-back
// armchair whose seat top lies at z = 45 over its origin (where a teddy is
// placed on it). Both face -y.
#include "furnishing_parts.h"
#include "lightmap_vector.h"

namespace content {
namespace furnishing {

namespace {

// An ellipsoid with radii r about centre.
Transform Ellipsoid(Vec3 radii, Vec3 centre) {
  return Transform().Scale(radii).Translate(centre);
}

// A limb: a unit sphere stretched along the line from a to b, thickness r.
Transform Limb(Vec3 a, Vec3 b, float r) {
  const Vec3 along = (b - a) * 0.5f;
  const Vec3 axis = Normalized(along);
  Vec3 side = Normalized(Cross(axis, Vec3{0, 0, 1}));
  if (Length(side) == 0) side = {1, 0, 0};
  const Vec3 third = Cross(side, axis);
  return Transform::Frame(side * r, third * r, along * 1.0f, (a + b) * 0.5f);
}

}  // namespace

BsmModel MakeTeddy() {
  BsmModel model;
  BsmMesh body = NewMesh("Hull", "Scene Root", "teddy_fur.tga");
  ModelBuilder(body).Sphere(1, 8, 12, Ellipsoid({10.5f, 9, 11.5f}, {0, 0, 11.5f}));
  BsmMesh head = NewMesh("head", "Hull", "teddy_fur.tga");
  ModelBuilder headBuilder(head);
  headBuilder.Sphere(1, 8, 12, Ellipsoid({8.2f, 7.6f, 7.8f}, {0, -1, 28}));
  for (float side : {-1.0f, 1.0f})
    headBuilder.Sphere(1, 5, 8, Ellipsoid({3.2f, 1.8f, 3.0f}, {side * 6.2f, 0, 34.2f}));
  BsmMesh face = NewMesh("muzzle", "head", "teddy_face.tga");
  ModelBuilder faceBuilder(face);
  faceBuilder.Sphere(1, 6, 10, Ellipsoid({4.2f, 3.2f, 3.0f}, {0, -7.2f, 26.2f}));
  for (float side : {-1.0f, 1.0f}) {
    faceBuilder.Sphere(1, 4, 6, Ellipsoid({2.0f, 0.6f, 1.8f}, {side * 6.2f, -1.4f, 34.0f}));  // inner ears
    faceBuilder.Sphere(1, 4, 6, Ellipsoid({3.4f, 1.0f, 3.4f}, {side * 6.2f, -17.6f, 4.6f}));  // foot pads
  }
  BsmMesh eyes = NewMesh("eyes", "head", "train_black.tga");
  eyes.second = "env_sphere.tga";
  ModelBuilder eyeBuilder(eyes);
  for (float side : {-1.0f, 1.0f}) eyeBuilder.Sphere(1.1f, 4, 6, Ellipsoid({1, 0.7f, 1}, {side * 3.0f, -7.6f, 30.4f}));
  eyeBuilder.Sphere(1, 4, 6, Ellipsoid({1.5f, 1.0f, 1.0f}, {0, -10.2f, 27.4f}));
  BsmMesh arms = NewMesh("arms", "Hull", "teddy_fur.tga");
  ModelBuilder armBuilder(arms);
  for (float side : {-1.0f, 1.0f})
    armBuilder.Sphere(1, 6, 8, Limb({side * 8.5f, -1, 19}, {side * 11.5f, -8.5f, 7.5f}, 3.4f));
  BsmMesh legs = NewMesh("legs", "Hull", "teddy_fur.tga");
  ModelBuilder legBuilder(legs);
  for (float side : {-1.0f, 1.0f})
    legBuilder.Sphere(1, 6, 8, Limb({side * 5.6f, -2, 4.8f}, {side * 6.2f, -17.2f, 4.6f}, 4.6f));
  // A red bow at the neck: a collar and two loops in front.
  BsmMesh bow = NewMesh("bow", "Hull", "present_red.tga");
  ModelBuilder bowBuilder(bow);
  bowBuilder.Torus(6.6f, 0.9f, 14, 4, Transform().Scale({1, 0.92f, 1.3f}).Translate({0, -0.6f, 21.6f}),
                   {0.3f, 0.3f, 0.5f, 0.5f});
  for (float side : {-1.0f, 1.0f})
    bowBuilder.Torus(2.2f, 0.55f, 10, 4,
                     Transform().Scale({1, 0.55f, 1.6f}).RotateX(90).RotateY(side * 15).Translate(
                         {side * 2.3f, -7.4f, 21.4f}),
                     {0.3f, 0.3f, 0.5f, 0.5f});
  bowBuilder.Sphere(1.1f, 4, 6, Transform().Translate({0, -7.6f, 21.4f}), {0.3f, 0.3f, 0.5f, 0.5f});
  model.meshes = {body, head, face, eyes, arms, legs, bow};
  SetPivotsToBases(model);
  model.meshes.push_back(CollisionBox({-12, -21, 0}, {12, 9, 36}, "teddy_fur.tga"));
  return model;
}

BsmModel MakeArmchair() {
  BsmModel model;
  const float tile = 30;  // velvet repeat, centimetres
  // The padded frame the seat sits in.
  BsmMesh frame = NewMesh("Hull", "Scene Root", "armchair_fabric.tga");
  RoundedBox(frame, {-40, -39, 9}, {40, 38, 35}, 4, 1, Transform(), tile);
  BsmMesh seat = NewMesh("seat", "Hull", "armchair_fabric.tga");
  RoundedBox(seat, {-30.5f, -41.5f, 33}, {30.5f, 24, 45}, 5, 2, Transform(), tile);
  // The back leans a little, turning about its bottom edge.
  BsmMesh back = NewMesh("back", "Hull", "armchair_fabric.tga");
  RoundedBox(back, {-34, -8, 0}, {34, 8, 66}, 6, 2, Transform().RotateX(-7).Translate({0, 26, 34}), tile);
  // Wings flare out from the back above the arms.
  BsmMesh wings = NewMesh("wings", "Hull", "armchair_fabric.tga");
  for (float side : {-1.0f, 1.0f})
    RoundedBox(wings, {-4.5f, -36, 0}, {4.5f, 0, 44}, 4.2f, 2,
               Transform().RotateZ(side * -7).Translate({side * 38.5f, 40, 56}), tile);
  // Rolled arms: a padded side with a cushioned roll along its top whose
  // front end shows a round scroll.
  BsmMesh arms = NewMesh("arms", "Hull", "armchair_fabric.tga");
  for (float side : {-1.0f, 1.0f}) {
    RoundedBox(arms, {side * 37.5f - 6, -41, 10}, {side * 37.5f + 6, 32, 56}, 3.5f, 1, Transform(), tile);
    ModelBuilder roll(arms);
    roll.Frustum(6.8f, 6.8f, 71, 12, false, false,
                 Transform().RotateX(-90).Translate({side * 38.5f, -40.5f, 56.5f}), {0, 0, 2.4f, 1});
    roll.Sphere(1, 4, 12, Transform().Scale({6.8f, 2.2f, 6.8f}).Translate({side * 38.5f, -40.5f, 56.5f}),
                {0, 0, 1, 0.6f});
  }
  // Short turned wooden legs at the corners.
  BsmMesh legs = NewMesh("legs", "Hull", "mantel_wood.tga");
  ModelBuilder legBuilder(legs);
  for (float x : {-36.0f, 36.0f})
    for (float y : {-35.0f, 34.0f})
      legBuilder.Lathe({{0, 0}, {1.6f, 0}, {1.6f, 0}, {2.2f, 3}, {2.9f, 7}, {3.2f, 9.5f}, {0, 9.5f}}, 8,
                       Transform().Translate({x, y, 0}));
  model.meshes = {frame, seat, back, wings, arms, legs};
  SetPivotsToBases(model);
  model.meshes.push_back(CollisionBox({-45, -43, 0}, {45, 43, 104}, "armchair_fabric.tga"));
  return model;
}

}  // namespace furnishing
}  // namespace content
