// The animated fire in the firebox: crossed flame sheets that taper upwards,
// split between three bones that sway gently, while the flame texture
// scrolls up the sheets.
#include <cmath>

#include "room_models.h"
#include "texture_paint.h"

namespace content {

namespace {

constexpr int kColumns = 8, kRows = 6;  // vertices across and up each sheet
constexpr int kFrames = 100;

struct Sheet {
  float centreX, depthY, width, height, yaw;  // yaw: turn about Z, radians
  float bow;     // how far the middle bulges in y, a curved ribbon
  float vStart;  // texture phase, so sheets do not flicker in step
  int bone;
};

// The core pair crossed in the middle, the side tongues left and right, at
// depths mirrored front and back so the fire looks the same turned round.
const Sheet kSheets[] = {
    {0.0f, -4.0f, 60.0f, 55.0f, 0.35f, 3.0f, 0.00f, 0},
    {0.0f, 4.0f, 60.0f, 52.0f, -0.35f, -3.0f, 0.37f, 0},
    {-18.0f, -8.0f, 34.0f, 42.0f, -0.2f, 2.0f, 0.61f, 1},
    {-16.0f, 8.0f, 30.0f, 38.0f, 0.25f, -2.0f, 0.18f, 1},
    {18.0f, -8.0f, 34.0f, 44.0f, 0.2f, 2.0f, 0.83f, 2},
    {16.0f, 8.0f, 30.0f, 36.0f, -0.25f, -2.0f, 0.49f, 2},
};

const Vec3 kBoneOrigins[3] = {{0, 0, 0}, {-17, 0, 0}, {17, 0, 0}};

void AddSheet(BsaMesh& mesh, const Sheet& s) {
  const uint32_t first = static_cast<uint32_t>(mesh.positions.size());
  const float c = std::cos(s.yaw), sn = std::sin(s.yaw);
  const float facing = s.depthY < 0 ? -1.0f : 1.0f;
  const Vec3 normal{-sn * facing, c * facing, 0};
  for (int row = 0; row < kRows; ++row) {
    const float t = static_cast<float>(row) / (kRows - 1);
    // Narrowing towards the tip, a little belly just above the base.
    const float halfWidth = 0.5f * s.width * (1.0f - 0.8f * t) * (0.9f + 0.3f * std::sin(t * kPi));
    for (int col = 0; col < kColumns; ++col) {
      const float a = static_cast<float>(col) / (kColumns - 1) * 2.0f - 1.0f;
      const float localX = a * halfWidth;
      const float localY = s.bow * (1.0f - a * a);
      mesh.positions.push_back({s.centreX + localX * c - localY * sn, s.depthY + localX * sn + localY * c,
                                t * s.height});
      mesh.weights.push_back({1, 0, 0});
      mesh.boneIndices.push_back({static_cast<float>(s.bone), 0, 0});
      mesh.texCoords.push_back({(a + 1.0f) * 0.5f, s.vStart + t, 0});
    }
  }
  for (int row = 0; row + 1 < kRows; ++row)
    for (int col = 0; col + 1 < kColumns; ++col) {
      const uint32_t i = first + row * kColumns + col;
      const Triple lower{i, i + 1, i + kColumns + 1}, upper{i, i + kColumns + 1, i + kColumns};
      for (const Triple& face : {lower, upper}) {
        mesh.faces.push_back(face);
        mesh.texFaces.push_back(face);
        for (int k = 0; k < 3; ++k) mesh.normals.push_back(normal);
      }
    }
}

// A turn by ax about X then ay about Y, as the rows of a row-vector matrix.
BoneTransform Sway(float ax, float ay, Vec3 origin) {
  const float cx = std::cos(ax), sx = std::sin(ax), cy = std::cos(ay), sy = std::sin(ay);
  BoneTransform b;
  b.xAxis = {cy, 0, -sy};
  b.yAxis = {sx * sy, cx, sx * cy};
  b.zAxis = {cx * sy, -sx, cx * cy};
  b.origin = origin;
  return b;
}

}  // namespace

AnimatedModelFiles MakeFireplaceFire() {
  AnimatedModelFiles files;
  files.name = "fireplace_fire";
  BsaMesh& mesh = files.mesh;
  mesh.texture = "fire_flames.tga";
  mesh.scrollU = 0.0f;
  mesh.scrollV = 0.5f;
  for (const Sheet& sheet : kSheets) AddSheet(mesh, sheet);
  const char* names[3] = {"Bone03", "Bone01", "Bone02"};
  for (int b = 0; b < 3; ++b) {
    BsaBone bone;
    bone.name = names[b];
    bone.parentName = b == 0 ? "Scene Root" : "Bone03";
    bone.rest.origin = kBoneOrigins[b];
    mesh.bones.push_back(bone);
  }
  // Whole cycles per loop keep frame 99 flowing into frame 0. Each bone has
  // its own rhythm so the tongues never sway in step.
  const int cyclesX[3] = {2, 3, 4}, cyclesY[3] = {3, 2, 5};
  const float phase[3] = {0.0f, 1.3f, 2.6f};
  const float degree = kPi / 180.0f;
  files.animation.frameCount = kFrames;
  for (int b = 0; b < 3; ++b) {
    BsaTrack track;
    track.bone = b;
    for (int f = 0; f < kFrames; ++f) {
      const float loop = kTwoPi * f / kFrames;
      const float ax = 3.0f * degree * std::sin(cyclesX[b] * loop + phase[b]);
      const float ay = 4.0f * degree * std::sin(cyclesY[b] * loop + phase[b] * 0.7f);
      Vec3 origin = kBoneOrigins[b];
      if (b == 0) origin.z += 1.2f * std::sin(3.0f * loop);  // the whole fire breathes
      track.frames.push_back(Sway(ax, ay, origin));
    }
    files.animation.tracks.push_back(track);
  }
  return files;
}

}  // namespace content
