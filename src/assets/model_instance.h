// A placed copy of a static model: per-node angles, transforms, helper
// positions and texture scrolling, drawn from the shared vertex array.
#pragma once

#include <string>
#include <vector>

#include "assets/static_model.h"
#include "math/matrix4.h"

namespace assets {

struct InstanceHelper {
  ModelHelper helper;          // position relative to the node's pivot
  math::Vector3 worldPosition;
};

struct ModelNode {
  std::string name, parentName;
  bool isChild = false;
  math::Vector3 pivot;
  GLuint diffuseTexture = 0, secondTexture = 0, thirdTexture = 0;
  bool hasSecond = false, hasThird = false;
  float scrollU = 0, scrollV = 0;
  float offsetU = 0, offsetV = 0;
  float angleX = 0, angleY = 0, angleZ = 0;  // degrees
  uint32_t first = 0, end = 0;
  const std::vector<uint32_t>* indices = nullptr;  // the mesh's index list
  math::Quaternion localRotation, worldRotation;
  math::Vector3 worldPosition;
  math::Matrix4 drawMatrix, undoMatrix;
  std::vector<size_t> children;
  std::vector<InstanceHelper> helpers;
};

struct ModelInstance {
  std::vector<ModelNode> nodes;
  math::Vector3 size;
  math::Vector3 position;
  math::Quaternion rotation;
  const std::vector<ModelCorner>* collisionMesh = nullptr;
  uint32_t collisionVertexCount = 0;
  float helperCursor = 0;
};

// Hands a kind-2 helper at its world position to the particle systems.
using HelperEmitter = void (*)(const InstanceHelper& helper);

void CreateInstance(ModelInstance& instance, const StaticModel& model);
void SetNodeAngleZ(ModelInstance& instance, const std::string& node, float degrees);
void SetNodeAngleY(ModelInstance& instance, const std::string& node, float degrees);
void UpdateInstance(ModelInstance& instance, float dt, HelperEmitter emit);
void DrawInstance(const ModelInstance& instance);

// The node of that exact name, or null.
ModelNode* FindInstanceNode(ModelInstance& instance, const std::string& name);

}  // namespace assets
