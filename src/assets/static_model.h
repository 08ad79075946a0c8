// Static models (.BSM): the furniture and props, loaded once per name into
// the model library; their triangles join the shared scene vertex array.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "math/quaternion.h"
#include "math/vector3.h"
#include "platform/gl_api.h"

namespace assets {

// A corner as the model keeps it: position relative to the pivot, normal,
// texture u v, and three floats nothing reads.
struct ModelCorner {
  float position[3];
  float normal[3];
  float u, v;
  float unused[3];
};

struct ModelMesh {
  std::string name;
  std::string parentName;
  bool isChild = false;
  GLuint diffuseTexture = 0, secondTexture = 0, thirdTexture = 0;
  bool hasSecond = false, hasThird = false;
  float scrollU = 0, scrollV = 0;
  math::Vector3 pivot;
  std::vector<math::Vector3> positions;
  std::vector<ModelCorner> corners;
  uint32_t first = 0, end = 0;  // range in the shared scene vertex array
  std::vector<uint32_t> indices;
  int32_t faceCount = 0, positionCount = 0;
};

struct ModelHelper {
  math::Vector3 position;
  std::string name;
  std::string parentName;
  math::Quaternion rotation;
  int32_t kind = 0;
  std::string tail;  // the name after its first blank ("candle" for "emit candle")
};

struct StaticModel {
  std::string name;
  std::vector<ModelMesh> meshes;
  std::vector<ModelHelper> helpers;
  math::Vector3 size;
  int32_t meshCount = 0;
};

constexpr size_t kMaxModels = 40;

class ModelLibrary {
 public:
  // The model of that name, loaded on first request. Null only when the
  // library's 40 places are taken by other names.
  static StaticModel* Get(const std::string& name);
  // Reads a model from bytes (the loader behind Get); appends its corners
  // to the shared scene vertex array.
  static void Read(const uint8_t* data, size_t size, StaticModel& model);
  static size_t Count();
  static void Clear();
};

}  // namespace assets
