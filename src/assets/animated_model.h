// The skinned, keyframed fire: a mesh bound to a few bones, posed and
// skinned on the processor every frame, drawn additively with a scrolling
// texture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "math/matrix4.h"
#include "math/quaternion.h"
#include "math/vector3.h"
#include "platform/gl_api.h"

namespace assets {

constexpr int kMaxBones = 60;
constexpr int kMaxFrames = 500;

struct Bone {
  std::string name, parentName;
  math::Matrix4 rest, local, world;
  math::Vector3 worldPosition;
  math::Quaternion worldRotation;
  math::Vector3 restWorldPosition;
  math::Quaternion inverseRestRotation;
  math::Quaternion skinRotation;
  std::vector<int> children;
};

struct BoneAnimation {
  int32_t frameCount = 0;
  int32_t trackCount = 0;
  std::vector<int32_t> trackBones;
  std::vector<math::Matrix4> frames;  // kMaxBones x kMaxFrames, bone-major
  int32_t currentFrame = 0;
  int32_t frameStep = 0;
  float frameFraction = 0;
  float speed = 0;

  math::Matrix4& Frame(int bone, int frame) { return frames[static_cast<size_t>(bone) * kMaxFrames + frame]; }
};

struct AnimatedModel {
  math::Matrix4 base = math::IdentityMatrix4;
  GLuint texture = 0;
  float scrollU = 0, scrollV = 0, scrollOffset = 0;
  std::vector<math::Vector3> restPositions, weights;
  std::vector<int32_t> boneIndices;  // three per vertex
  std::vector<uint32_t> triangles, textureTriangles;
  std::vector<math::Vector3> textureVertices, cornerNormals;
  std::vector<math::Vector3> skinned, rotatedNormals;
  std::vector<float> drawArray;  // 8 floats per corner: position, 3 unused, u, v
  std::vector<Bone> bones;
  std::vector<int> roots;
  std::vector<BoneAnimation> animations;
  bool animate = false;
  int32_t currentAnimation = 0, nextAnimation = 0;
  float playSpeed = 1, blendSpeed = 0, blendPosition = 0;
  bool blend = false;

  // Reads "Models/<name>.BSA" and its "_anim.BSA" through the asset store.
  void Load(const std::string& name);
  // The same from bytes (a missing file is null, 0).
  void LoadFrom(const uint8_t* mesh, size_t meshSize, const uint8_t* animation, size_t animationSize,
                const std::string& textureRoot = "Textures/");
  void SetPosition(const math::Vector3& position);
  void Update(float dt);
  void Draw(float dt);
};

}  // namespace assets
