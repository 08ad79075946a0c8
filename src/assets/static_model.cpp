#include "assets/static_model.h"

#include <cmath>
#include <memory>

#include "archive/asset_store.h"
#include "assets/texture_cache.h"
#include "scene/byte_reader.h"
#include "scene/scene_types.h"

namespace assets {
namespace {

using scene::ByteReader;

std::vector<std::unique_ptr<StaticModel>>& Models() {
  static std::vector<std::unique_ptr<StaticModel>> models;
  return models;
}

GLuint ModelTexture(const std::string& name) { return TextureCache::Get("Textures/" + name); }

bool ReadName(ByteReader& in, std::string& name) {
  std::string text;
  if (!in.Str(text)) return false;
  name = scene::StoredName(text);
  return true;
}

bool ReadIndices(ByteReader& in, uint32_t triples, std::vector<uint32_t>& out) {
  std::vector<float> stored;
  if (static_cast<uint64_t>(triples) * 3 > 0xFFFFFFFFull || !in.Array(stored, triples * 3)) return false;
  out.resize(stored.size());
  for (size_t i = 0; i < stored.size(); ++i) {
    const float f = stored[i];
    out[i] = (f >= 0.0f && f < 4294967040.0f) ? static_cast<uint32_t>(f) : 0xFFFFFFFFu;
  }
  return true;
}

template <typename T>
T At(const std::vector<T>& values, uint32_t index) {
  return index < values.size() ? values[index] : T{};
}

struct Box {
  math::Vector3 max{-999999.0f, -999999.0f, -999999.0f};
  math::Vector3 min{999999.0f, 999999.0f, 999999.0f};
  void Add(const math::Vector3& p) {
    max = {std::fmax(max.x, p.x), std::fmax(max.y, p.y), std::fmax(max.z, p.z)};
    min = {std::fmin(min.x, p.x), std::fmin(min.y, p.y), std::fmin(min.z, p.z)};
  }
};

// One mesh record; false when the member ends inside it.
bool ReadMesh(ByteReader& in, ModelMesh& mesh, Box& box) {
  std::string diffuse, second, third;
  uint8_t flag = 0;
  if (!ReadName(in, diffuse) || !in.F32(mesh.scrollU) || !in.F32(mesh.scrollV) || !in.U8(flag)) return false;
  mesh.hasSecond = flag != 0;
  if (mesh.hasSecond && !ReadName(in, second)) return false;
  if (!in.U8(flag)) return false;
  mesh.hasThird = flag != 0;
  if (mesh.hasThird && !ReadName(in, third)) return false;
  if (!ReadName(in, mesh.name) || !ReadName(in, mesh.parentName)) return false;
  uint32_t counts[4] = {};  // positions, faces, texture coordinates, texture faces
  for (uint32_t& count : counts)
    if (!in.U32(count)) return false;
  for (uint32_t count : counts)
    if (count > 0x7FFFFFFF) return false;  // negative as the signed counts they are
  std::vector<math::Vector3> texCoords, normals;
  std::vector<uint32_t> faces, texFaces;
  if (!in.F32(mesh.pivot.x) || !in.F32(mesh.pivot.y) || !in.F32(mesh.pivot.z) ||
      !in.Array(mesh.positions, counts[0]) || !ReadIndices(in, counts[1], faces) || !in.Array(texCoords, counts[2]) ||
      !ReadIndices(in, counts[3], texFaces) || !in.Array(normals, counts[1] * 3))
    return false;
  mesh.isChild = mesh.parentName != "Scene Root";
  mesh.positionCount = static_cast<int32_t>(counts[0]);
  mesh.faceCount = static_cast<int32_t>(counts[1]);
  for (const math::Vector3& p : mesh.positions) box.Add(p);
  mesh.corners.resize(faces.size());
  for (size_t corner = 0; corner < faces.size(); ++corner) {
    const math::Vector3 p = At(mesh.positions, faces[corner]) - mesh.pivot;
    const math::Vector3 n = normals[corner];
    const math::Vector3 uv = At(texCoords, corner < texFaces.size() ? texFaces[corner] : 0xFFFFFFFFu);
    ModelCorner& c = mesh.corners[corner];
    c = ModelCorner{{p.x, p.y, p.z}, {n.x, n.y, n.z}, uv.x, uv.y, {0, 0, 0}};
  }
  mesh.diffuseTexture = ModelTexture(diffuse);
  if (mesh.hasSecond) mesh.secondTexture = ModelTexture(second);
  if (mesh.hasThird) mesh.thirdTexture = ModelTexture(third);
  return true;
}

bool ReadHelper(ByteReader& in, ModelHelper& helper) {
  uint32_t kind = 0;
  if (!in.F32(helper.position.x) || !in.F32(helper.position.y) || !in.F32(helper.position.z) ||
      !ReadName(in, helper.name) || !ReadName(in, helper.parentName) || !in.F32(helper.rotation.x) ||
      !in.F32(helper.rotation.y) || !in.F32(helper.rotation.z) || !in.F32(helper.rotation.w) || !in.U32(kind))
    return false;
  helper.kind = static_cast<int32_t>(kind);
  const size_t blank = helper.name.find(' ');
  helper.tail = blank == std::string::npos ? std::string() : helper.name.substr(blank + 1);
  return true;
}

}  // namespace

// A damaged member stops the reading where it ends: the meshes and helpers
// read completely before that point stay, the one cut short is dropped.
void ModelLibrary::Read(const uint8_t* data, size_t size, StaticModel& model) {
  ByteReader in(data, size);
  Box box;
  uint32_t count = 0;
  if (in.U32(count) && count <= 0x7FFFFFFF) {
    for (uint32_t i = 0; i < count; ++i) {
      ModelMesh mesh;
      if (!ReadMesh(in, mesh, box)) break;
      model.meshes.push_back(std::move(mesh));
    }
  }
  if (in.U32(count) && count <= 0x7FFFFFFF) {
    for (uint32_t i = 0; i < count; ++i) {
      ModelHelper helper;
      if (!ReadHelper(in, helper)) break;
      model.helpers.push_back(std::move(helper));
    }
  }
  model.size = (box.max - box.min) * 2.0f;
  model.meshCount = static_cast<int32_t>(model.meshes.size());

  std::vector<scene::SceneVertex>& vertices = scene::SceneVertices;
  for (ModelMesh& mesh : model.meshes) {
    mesh.first = static_cast<uint32_t>(vertices.size());
    for (const ModelCorner& c : mesh.corners) {
      scene::SceneVertex v;
      v.position = {c.position[0], c.position[1], c.position[2]};
      v.normal = {c.normal[0], c.normal[1], c.normal[2]};
      v.u = c.u;
      v.v = c.v;
      vertices.push_back(v);
    }
    mesh.end = static_cast<uint32_t>(vertices.size());
    mesh.indices.resize(mesh.end - mesh.first);
    for (uint32_t i = 0; i < mesh.indices.size(); ++i) mesh.indices[i] = mesh.first + i;
  }
}

StaticModel* ModelLibrary::Get(const std::string& name) {
  for (const auto& model : Models())
    if (model->name == name) return model.get();
  if (Models().size() >= kMaxModels) return nullptr;
  auto model = std::make_unique<StaticModel>();
  model->name = name;
  archive::AssetBlob blob = archive::Assets().Find(("Models/" + name + ".BSM").c_str());
  Read(blob.data, blob.size, *model);
  archive::FreeAssetBlob(blob);
  Models().push_back(std::move(model));
  return Models().back().get();
}

size_t ModelLibrary::Count() { return Models().size(); }

void ModelLibrary::Clear() { Models().clear(); }

}  // namespace assets
