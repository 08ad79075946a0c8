// Static and animated model files: records that mirror the layouts the
// saver's model loaders read, and their encoders.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "bss_writer.h"

namespace content {

// One textured triangle mesh of a static model. Positions are in model
// space (Z up, centimetres); the mesh turns about its pivot.
struct BsmMesh {
  std::string diffuse;       // texture file name under "Textures\"
  float scrollU = 0, scrollV = 0;
  std::string second;        // empty: none (sphere-mapped reflection)
  std::string third;         // empty: none (self-illumination)
  std::string name;
  std::string parentName = "Scene Root";
  Vec3 pivot;
  std::vector<Vec3> positions;
  std::vector<Triple> faces;      // position indices, counter-clockwise seen from outside
  std::vector<Vec3> texCoords;    // u, v, unused
  std::vector<Triple> texFaces;   // one per face
  std::vector<Vec3> normals;      // three per face, corner order
};

struct BsmHelper {
  Vec3 position;  // model space
  std::string name;  // "emit candle"
  std::string parentMesh;
  Quat rotation;
  int32_t kind = 2;
};

struct BsmModel {
  std::vector<BsmMesh> meshes;
  std::vector<BsmHelper> helpers;
};

std::vector<uint8_t> EncodeBsm(const BsmModel& model);

// A bone's transform relative to its parent: its X, Y and Z axes and its
// origin, as the file stores them (row-vector convention: p' = p * M).
struct BoneTransform {
  Vec3 xAxis{1, 0, 0}, yAxis{0, 1, 0}, zAxis{0, 0, 1};
  Vec3 origin;
};

struct BsaBone {
  BoneTransform rest;
  std::string name;
  std::string parentName = "Scene Root";
};

// The skinned mesh file of an animated model.
struct BsaMesh {
  std::string texture;
  float scrollU = 0, scrollV = 0;
  std::vector<Vec3> positions;    // rest pose
  std::vector<Vec3> weights;      // three per vertex (normalised by the loader)
  std::vector<Vec3> boneIndices;  // three per vertex, matching the weights
  std::vector<Triple> faces;
  std::vector<Vec3> texCoords;
  std::vector<Triple> texFaces;   // one per face
  std::vector<Vec3> normals;      // three per face
  std::vector<BsaBone> bones;
};

struct BsaTrack {
  int32_t bone = 0;
  std::vector<BoneTransform> frames;  // one per frame of the animation
};

struct BsaAnimation {
  int32_t frameCount = 0;
  std::vector<BsaTrack> tracks;
};

std::vector<uint8_t> EncodeBsaMesh(const BsaMesh& mesh);
std::vector<uint8_t> EncodeBsaAnimation(const BsaAnimation& animation);

}  // namespace content
