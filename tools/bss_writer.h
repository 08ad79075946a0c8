// The room's scene file: records that mirror the file layout one to one, and
// the encoder that writes them. The saver's loader reads back exactly this.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace content {

struct Vec3 {
  float x = 0, y = 0, z = 0;
};

struct Quat {
  float x = 0, y = 0, z = 0, w = 1;
};

// One material record of a mesh object: its textures and the run of the
// object's triangle corners drawn with the material materialIndex names.
struct BssMaterialRun {
  std::string diffuse = "None";  // 4 characters or fewer: untextured
  bool twoSided = false;
  std::string second;        // empty: none (sphere-mapped reflection)
  std::string illumination;  // empty: none (added glow)
  uint32_t firstVertex = 0;  // corner index within this object
  uint32_t vertexCount = 0;  // a multiple of 3
  uint32_t materialIndex = 0;
};

using Triple = std::array<uint32_t, 3>;

struct BssMeshObject {
  std::string name;
  std::string parentName = "room";
  std::vector<BssMaterialRun> materials;
  std::string lightmap;  // empty: no lightmap
  std::vector<Vec3> positions;
  std::vector<Triple> faces;  // position indices per corner
  std::vector<Vec3> texCoords;
  std::vector<Vec3> lightmapCoords;
  std::vector<Triple> texFaces;       // texture-coordinate indices per corner
  std::vector<Triple> lightmapFaces;  // written even without a lightmap
  std::vector<Vec3> normals;          // three per face, corner order
};

struct BssOcclusionVolume {
  std::string name;
  std::string parentName;
  std::vector<Vec3> points;
  std::vector<Triple> triangles;
  Vec3 normal;
};

// Key rotations are stored as the saver expects them: it conjugates each one
// on loading and then looks along -Z with +Y up in the rotated frame. Use
// CameraKeyRotation to get them right. Field-of-view values are radians as
// stored; the saver's vertical angle in degrees is value * 28.648735.
struct BssCamera {
  std::vector<Vec3> positions;
  std::vector<Quat> rotations;
  std::vector<float> fovs;
};

struct BssInstance {
  std::string name;  // "instance fir", "emit snowfall", ...
  std::string parentName = "room";
  uint32_t type = 2;  // 3 static model, 4 animated model, 2 emitter, 1 other
  uint32_t holdCount = 0;
  std::vector<Vec3> positions;
  std::vector<Quat> rotations;
};

struct BssLight {
  Vec3 position;
  float r = 1, g = 1, b = 1;
  float range = 100;
  float spare = 0;
  float multiplier = 1;
  float falloff = 0;
  std::vector<std::string> names;
};

struct BssScene {
  std::vector<BssMeshObject> objects;
  std::vector<BssOcclusionVolume> volumes;
  std::vector<BssCamera> cameras;
  std::vector<BssInstance> instances;
  std::vector<BssLight> lights;
};

std::vector<uint8_t> EncodeBss(const BssScene& scene);

// The stored key rotation for a camera at any position looking along
// forward with the given up direction (neither needs unit length; up is
// made perpendicular to forward).
Quat CameraKeyRotation(Vec3 forward, Vec3 up);

}  // namespace content
