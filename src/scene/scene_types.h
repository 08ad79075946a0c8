// The loaded room: plain records owned by the one Scene, linked once after
// loading so that the per-frame code only walks lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "math/quaternion.h"
#include "math/vector3.h"
#include "platform/gl_api.h"
#include "scene/scene_camera.h"

namespace assets {
struct ModelInstance;
struct AnimatedModel;
}  // namespace assets

namespace scene {

// Interleaved, 40 bytes: position, normal, texture u v, lightmap u v.
struct SceneVertex {
  math::Vector3 position;
  math::Vector3 normal;
  float u = 0.0f, v = 0.0f;
  float lightmapU = 0.0f, lightmapV = 0.0f;
};
static_assert(sizeof(SceneVertex) == 40, "the vertex arrays assume a 40-byte stride");

struct FaceGroup {
  uint32_t firstVertex = 0;
  uint32_t vertexCount = 0;
  uint32_t materialIndex = 0;
  GLuint diffuseTexture = 0;
  GLuint secondTexture = 0;
  bool hasSecond = false;
  bool hasIllumination = false;
  bool additive = false;
  bool glass = false;
  bool twoSided = false;
  GLuint lightmapTexture = 0;
  GLuint illuminationTexture = 0;
  bool hasLightmap = false;
};

struct OcclusionVolume;
struct SceneLight;

struct SceneNode {
  math::Quaternion rotation;
  float keyTime = 0.0f;
  bool visible = false;
  bool* parentVisible = nullptr;
  std::string name;
  std::string parentName;
  GLuint lightmapTexture = 0;
  bool hasLightmap = false;
  bool isStaticInstance = false;
  bool isAnimatedInstance = false;
  bool isKeyAnimated = false;
  int32_t keyCount = 0;
  int32_t currentKey = 0;
  bool hasGlass = false;
  int32_t holdCount = 0;
  std::vector<math::Vector3> keyPositions;
  std::vector<math::Quaternion> keyRotations;
  GLuint queryId = 0;
  assets::ModelInstance* staticModel = nullptr;  // owned
  assets::AnimatedModel* animatedModel = nullptr;  // owned
  math::Vector3 centre;
  float extent = 0.0f;
  math::Vector3 size;
  math::Vector3 max;
  math::Vector3 min;
  bool unprocessed = false;
  bool isTopLevel = false;
  std::vector<bool*> childFlags;
  std::vector<FaceGroup> faceGroups;
  std::vector<OcclusionVolume*> occlusionVolumes;
  std::vector<SceneLight*> lights;

  virtual ~SceneNode() = default;
  virtual void Touch() {}
};

struct OcclusionVolume {
  math::Vector3 centroid;
  math::Vector3 normal;
  std::vector<math::Vector3> points;
  std::vector<uint32_t> triangles;  // three point indices per triangle
  uint32_t pointCount = 0;
  uint32_t triangleCount = 0;
  std::string name;
  std::string parentName;
  bool* flag = nullptr;
  SceneNode* node = nullptr;
  GLuint queryId = 0;
};

struct SceneHelper {
  std::string name;
  std::string shortName;
  std::string parentName;
  math::Vector3 position;
  math::Vector3 positionCopy;
  bool visible = false;
  uint32_t type = 0;
  math::Quaternion rotation;
  std::vector<math::Quaternion> keyRotations;
  std::vector<math::Vector3> keyPositions;
  uint32_t keyCount = 0;
  int32_t holdCount = 0;
};

constexpr size_t kMaxLightNames = 40;

struct SceneLight {
  float position[4] = {0, 0, 0, 1};
  float r = 0, g = 0, b = 0;
  float range = 0;
  float ambient[4] = {};
  float diffuse[4] = {};
  float specular[4] = {};
  float spare = 0;
  float falloff = 0;
  float multiplier = 0;
  std::vector<std::string> names;  // at most kMaxLightNames
  uint32_t nameCount = 0;
};

struct Scene {
  std::vector<SceneNode*> nodes;
  std::vector<SceneNode*> topLevelNodes;
  std::vector<SceneNode*> childNodes;
  std::vector<SceneNode*> opaqueList;
  std::vector<SceneNode*> glassList;
  std::vector<SceneCamera*> cameras;
  std::vector<OcclusionVolume*> occlusionVolumes;
  std::vector<SceneHelper*> helpers;
  std::vector<SceneLight*> lights;
  SceneNode* vismesh = nullptr;
  GLuint vertexBuffer = 0;
  int32_t currentCamera = 0;
  bool occlusionQueriesInUse = false;
  std::vector<int32_t> cameraBag;
};

// The one room of the program, and the one vertex array all of its mesh
// triangles (and every static model's) live in.
extern Scene TheScene;
extern std::vector<SceneVertex> SceneVertices;

// First node with exactly this name, or null.
SceneNode* FindNode(Scene& scene, const std::string& name);

// Deletes every record and empties every list (the GL names go with the context).
void ClearSceneRecords(Scene& scene);

}  // namespace scene
