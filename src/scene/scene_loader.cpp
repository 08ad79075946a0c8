#include "scene/scene_loader.h"

#include <cmath>

#include "app/log.h"
#include "app/renderer_state.h"
#include "archive/asset_store.h"
#include "assets/texture_cache.h"
#include "platform/platform.h"
#include "scene/byte_reader.h"
#include "scene/instance_models.h"
#include "scene/scene_renderer.h"

namespace scene {
namespace {

GLuint LoadSceneTexture(const std::string& name) { return assets::TextureCache::Get("Textures/" + name); }

void TooMany() { platform::Os().ShowMessage("adas", "Error"); }

// Arrays indexed by stored (possibly damaged) indices: an index outside the
// array reads as zero instead of past it.
template <typename T>
T At(const std::vector<T>& values, uint32_t index) {
  return index < values.size() ? values[index] : T{};
}

std::vector<uint32_t> TruncatedIndices(const std::vector<float>& stored) {
  std::vector<uint32_t> indices(stored.size());
  for (size_t i = 0; i < stored.size(); ++i) {
    const float f = stored[i];
    // NaN and values outside the unsigned range become an index no array has.
    indices[i] = (f >= 0.0f && f < 4294967040.0f) ? static_cast<uint32_t>(f) : 0xFFFFFFFFu;
  }
  return indices;
}

struct MaterialRecord {
  std::string diffuse, second, illumination;
  bool twoSided = false, hasSecond = false, hasIllumination = false;
};

bool ReadMaterial(ByteReader& in, MaterialRecord& material, FaceGroup& group) {
  std::string text;
  uint8_t flag = 0;
  if (!in.Str(text)) return false;
  material.diffuse = StoredName(text);
  if (!in.U8(flag)) return false;
  material.twoSided = flag != 0;
  if (!in.U8(flag)) return false;
  material.hasSecond = flag != 0;
  if (material.hasSecond) {
    if (!in.Str(text)) return false;
    material.second = StoredName(text);
  }
  if (!in.U8(flag)) return false;
  material.hasIllumination = flag != 0;
  if (material.hasIllumination) {
    if (!in.Str(text)) return false;
    material.illumination = StoredName(text);
  }
  return in.U32(group.firstVertex) && in.U32(group.vertexCount) && in.U32(group.materialIndex);
}

void ApplyMaterial(FaceGroup& group, const MaterialRecord& m) {
  if (m.diffuse.size() > 4) {
    group.diffuseTexture = LoadSceneTexture(m.diffuse);
    group.twoSided = m.twoSided;
    group.additive = m.diffuse.compare(0, 2, "ad") == 0;
  }
  if (m.hasSecond) {
    group.secondTexture = LoadSceneTexture(m.second);
    group.hasSecond = true;
  }
  if (m.hasIllumination) {
    group.illuminationTexture = LoadSceneTexture(m.illumination);
    group.hasIllumination = true;
  }
}

void ComputeBox(SceneNode& node, const std::vector<math::Vector3>& positions) {
  math::Vector3 hi{-999999.0f, -999999.0f, -999999.0f};
  math::Vector3 lo{999999.0f, 999999.0f, 999999.0f};
  for (const math::Vector3& p : positions) {
    hi = {std::fmax(hi.x, p.x), std::fmax(hi.y, p.y), std::fmax(hi.z, p.z)};
    lo = {std::fmin(lo.x, p.x), std::fmin(lo.y, p.y), std::fmin(lo.z, p.z)};
  }
  node.max = hi;
  node.min = lo;
  node.size = hi - lo;
  node.centre = (hi + lo) * 0.5f;
  node.extent = math::Distance(hi, lo);
}

struct MeshArrays {
  std::vector<math::Vector3> positions, texCoords, lightmapCoords, normals;
  std::vector<uint32_t> faces, texFaces, lightmapFaces;
};

bool ReadIndexBlock(ByteReader& in, uint32_t tripleCount, std::vector<uint32_t>& out) {
  std::vector<float> stored;
  if (static_cast<uint64_t>(tripleCount) * 3 > 0xFFFFFFFFull) return false;
  if (!in.Array(stored, tripleCount * 3)) return false;
  out = TruncatedIndices(stored);
  return true;
}

// The arrays of one mesh object, after its counts and lightmap name.
bool ReadMeshArrays(ByteReader& in, const uint32_t counts[5], MeshArrays& a) {
  const uint32_t positionCount = counts[0], faceCount = counts[1], texCoordCount = counts[2],
                 lightmapCoordCount = counts[3], texFaceCount = counts[4];
  if (static_cast<uint64_t>(faceCount) * 3 > 0xFFFFFFFFull) return false;
  return in.Array(a.positions, positionCount) && ReadIndexBlock(in, faceCount, a.faces) &&
         in.Array(a.texCoords, texCoordCount) && in.Array(a.lightmapCoords, lightmapCoordCount) &&
         ReadIndexBlock(in, texFaceCount, a.texFaces) && ReadIndexBlock(in, texFaceCount, a.lightmapFaces) &&
         in.Array(a.normals, faceCount * 3);
}

void AppendVertices(const MeshArrays& a, bool hasLightmap, std::vector<SceneVertex>& vertices) {
  const size_t cornerCount = a.faces.size();
  for (size_t corner = 0; corner < cornerCount; ++corner) {
    SceneVertex v;
    v.position = At(a.positions, a.faces[corner]);
    math::Vector3 normal = a.normals[corner];
    math::Normalize(normal);
    v.normal = normal;
    const uint32_t texIndex = corner < a.texFaces.size() ? a.texFaces[corner] : 0xFFFFFFFFu;
    const math::Vector3 uv = At(a.texCoords, texIndex);
    v.u = uv.x;
    v.v = uv.y;
    if (hasLightmap) {
      const uint32_t lmIndex = corner < a.lightmapFaces.size() ? a.lightmapFaces[corner] : 0xFFFFFFFFu;
      const math::Vector3 lm = At(a.lightmapCoords, lmIndex);
      v.lightmapU = lm.x;
      v.lightmapV = lm.y;
    }
    vertices.push_back(v);
  }
}

// One mesh object; false when the file ends inside it (nothing of it is kept).
bool ReadMeshObject(ByteReader& in, Scene& scene, std::vector<SceneNode*>& meshNodes,
                    std::vector<SceneVertex>& vertices, uint32_t& verticesBefore) {
  std::string name, parentName;
  uint32_t materialCount = 0;
  if (!in.Str(name) || !in.Str(parentName) || !in.U32(materialCount)) return false;
  if (materialCount > kMaxMaterials - 1) TooMany();

  std::vector<MaterialRecord> materials;
  std::vector<FaceGroup> groups;
  for (uint32_t i = 0; i < materialCount; ++i) {
    MaterialRecord material;
    FaceGroup group;
    if (!ReadMaterial(in, material, group)) return false;
    // Records past the tables are read (to keep the layout) but not kept.
    if (i >= kMaxMaterials) continue;
    materials.push_back(material);
    groups.push_back(group);
  }

  uint32_t counts[5] = {};
  uint8_t hasLightmap = 0;
  std::string lightmapName;
  for (uint32_t& count : counts)
    if (!in.U32(count)) return false;
  if (!in.U8(hasLightmap)) return false;
  if (hasLightmap && !in.Str(lightmapName)) return false;
  MeshArrays arrays;
  if (!ReadMeshArrays(in, counts, arrays)) return false;

  auto* node = new SceneNode;
  node->name = StoredName(name);
  node->parentName = StoredName(parentName);
  const bool isGlass = node->name == "glass";
  const uint32_t objectVertices = counts[1] * 3;
  const uint32_t tableSize = static_cast<uint32_t>(materials.size());
  for (FaceGroup& group : groups) {
    if (group.materialIndex >= materialCount || group.materialIndex >= tableSize) group.materialIndex = 0;
    if (isGlass) {
      group.glass = true;
      node->hasGlass = true;
    }
    if (group.vertexCount < 1) continue;
    // A run reaching past the object's own corners would draw other objects'
    // vertices or read past the buffer: it is cut to the object.
    if (group.firstVertex >= objectVertices) continue;
    if (group.vertexCount > objectVertices - group.firstVertex)
      group.vertexCount = objectVertices - group.firstVertex;
    group.firstVertex += verticesBefore;
    ApplyMaterial(group, materials[group.materialIndex]);
    node->faceGroups.push_back(group);
  }
  if (hasLightmap) {
    node->hasLightmap = true;
    node->lightmapTexture = LoadSceneTexture(StoredName(lightmapName));
    for (FaceGroup& group : node->faceGroups) {
      group.hasLightmap = true;
      group.lightmapTexture = node->lightmapTexture;
    }
  }
  ComputeBox(*node, arrays.positions);
  node->isTopLevel = node->parentName == "Scene Root";
  if (node->name == "vismesh") {
    delete scene.vismesh;
    scene.vismesh = node;
  } else {
    meshNodes.push_back(node);
  }
  AppendVertices(arrays, node->hasLightmap, vertices);
  verticesBefore += objectVertices;
  return true;
}

bool ReadOcclusionVolume(ByteReader& in, Scene& scene, bool occlusionQueries) {
  std::string name, parentName;
  uint32_t pointCount = 0, triangleCount = 0;
  std::vector<math::Vector3> points;
  std::vector<uint32_t> triangles;
  math::Vector3 normal;
  if (!in.Str(name) || !in.Str(parentName) || !in.U32(pointCount) || !in.Array(points, pointCount) ||
      !in.U32(triangleCount) || !ReadIndexBlock(in, triangleCount, triangles) || !in.F32(normal.x) ||
      !in.F32(normal.y) || !in.F32(normal.z))
    return false;
  auto* volume = new OcclusionVolume;
  volume->name = StoredName(name);
  volume->parentName = StoredName(parentName);
  volume->points = std::move(points);
  volume->pointCount = pointCount;
  // Triangles naming a point the volume does not have are dropped.
  for (size_t t = 0; t + 2 < triangles.size(); t += 3) {
    if (triangles[t] >= pointCount || triangles[t + 1] >= pointCount || triangles[t + 2] >= pointCount) continue;
    volume->triangles.insert(volume->triangles.end(), triangles.begin() + t, triangles.begin() + t + 3);
  }
  volume->triangleCount = static_cast<uint32_t>(volume->triangles.size() / 3);
  volume->normal = normal;
  math::Vector3 sum;
  for (const math::Vector3& p : volume->points) sum = sum + p;
  if (pointCount) volume->centroid = sum * (1.0f / static_cast<float>(pointCount));
  if (occlusionQueries) glGenQueriesARB(1, &volume->queryId);
  scene.occlusionVolumes.push_back(volume);
  return true;
}

bool ReadCamera(ByteReader& in, Scene& scene) {
  uint32_t keyCount = 0;
  auto* camera = new SceneCamera;
  if (!in.U32(keyCount) || !in.Array(camera->keyPositions, keyCount) ||
      !in.Array(camera->keyRotations, keyCount) || !in.Array(camera->keyFieldOfView, keyCount)) {
    delete camera;
    return false;
  }
  camera->keyCount = static_cast<int32_t>(keyCount & 0x7FFFFFFF);
  for (math::Quaternion& q : camera->keyRotations) q = math::Conjugate(q);
  camera->SetUp(keyCount ? camera->keyPositions[0] : math::ZeroVector);
  if (keyCount) {
    camera->orientation = camera->keyRotations[0];
    camera->fieldOfView = camera->keyFieldOfView[0] * 57.32484f;
  }
  scene.cameras.push_back(camera);
  return true;
}

// The model name of an instance: its name after the first space, cut
// before the last space of that.
std::string ShortName(const std::string& name) {
  const size_t space = name.find(' ');
  return space == std::string::npos ? name : name.substr(space + 1);
}

std::string ModelName(const std::string& shortName) {
  const size_t space = shortName.rfind(' ');
  return space == std::string::npos ? shortName : shortName.substr(0, space);
}

bool ReadInstance(ByteReader& in, Scene& scene, std::vector<SceneNode*>& statics,
                  std::vector<SceneNode*>& animated) {
  std::string name, parentName;
  uint32_t type = 0, holdCount = 0, keyCount = 0;
  std::vector<math::Vector3> positions;
  std::vector<math::Quaternion> rotations;
  if (!in.Str(name) || !in.Str(parentName) || !in.U32(type) || !in.U32(holdCount) || !in.U32(keyCount) ||
      !in.Array(positions, keyCount) || !in.Array(rotations, keyCount))
    return false;
  name = StoredName(name);
  parentName = StoredName(parentName);
  const std::string shortName = ShortName(name);
  const math::Vector3 position0 = keyCount ? positions[0] : math::ZeroVector;
  const math::Quaternion rotation0 = keyCount ? rotations[0] : math::IdentityQuaternion;

  if (type == 3 || type == 4) {
    auto* node = new SceneNode;
    node->name = name;
    node->parentName = parentName;
    node->extent = 1000.0f;
    node->centre = position0;
    node->min = {999999.0f, 999999.0f, 999999.0f};
    node->max = {-999999.0f, -999999.0f, -999999.0f};
    if (keyCount > 1) {
      node->isKeyAnimated = true;
      node->keyPositions = positions;
      node->keyRotations = rotations;
      node->keyCount = static_cast<int32_t>(keyCount & 0x7FFFFFFF);
      node->holdCount = static_cast<int32_t>(holdCount);
      node->currentKey = 0;
    }
    const std::string modelName = ModelName(shortName);
    if (type == 3) {
      node->isStaticInstance = true;
      AttachStaticModel(*node, modelName, rotation0);
      statics.push_back(node);
    } else {
      node->isAnimatedInstance = true;
      AttachAnimatedModel(*node, modelName, rotation0);
      animated.push_back(node);
    }
    return true;
  }

  auto* helper = new SceneHelper;
  helper->name = name;
  helper->shortName = shortName;
  helper->parentName = parentName;
  helper->position = helper->positionCopy = position0;
  helper->type = type;
  helper->rotation = rotation0;
  helper->keyRotations = rotations;
  helper->keyPositions = positions;
  helper->keyCount = keyCount;
  helper->holdCount = static_cast<int32_t>(holdCount);
  for (OcclusionVolume* volume : scene.occlusionVolumes)
    if (volume->parentName == helper->name) volume->flag = &helper->visible;
  scene.helpers.push_back(helper);
  return true;
}

bool ReadLight(ByteReader& in, Scene& scene) {
  math::Vector3 position;
  float values[7] = {};  // r g b range spare multiplier falloff
  uint32_t nameCount = 0;
  if (!in.F32(position.x) || !in.F32(position.y) || !in.F32(position.z)) return false;
  for (float& v : values)
    if (!in.F32(v)) return false;
  if (!in.U32(nameCount)) return false;
  if (nameCount > kMaxLightNames - 1) TooMany();
  std::vector<std::string> names;
  for (uint32_t i = 0; i < nameCount; ++i) {
    std::string text;
    if (!in.Str(text)) return false;
    if (names.size() < kMaxLightNames) names.push_back(StoredName(text));
  }
  auto* light = new SceneLight;
  light->position[0] = position.x;
  light->position[1] = position.y;
  light->position[2] = position.z;
  light->position[3] = 1.0f;
  light->r = values[0];
  light->g = values[1];
  light->b = values[2];
  light->range = values[3];
  light->spare = values[4];
  light->multiplier = values[5];
  light->falloff = values[6];
  const float m = light->multiplier;
  const float ambient[4] = {1.6f, 1.6f, 1.6f, 1.0f};
  const float colour[4] = {light->r, light->g, light->b, 1.0f};
  for (int i = 0; i < 4; ++i) {
    light->ambient[i] = ambient[i] * m;
    light->diffuse[i] = colour[i] * m;
    light->specular[i] = colour[i] * m;
  }
  light->names = std::move(names);
  light->nameCount = static_cast<uint32_t>(light->names.size());
  scene.lights.push_back(light);
  return true;
}

}  // namespace

void SceneLoader::Read(const uint8_t* data, size_t size, Scene& scene, std::vector<SceneVertex>& vertices,
                       bool occlusionQueries) {
  ByteReader in(data, size);
  std::vector<SceneNode*> meshNodes, statics, animated;
  uint32_t count = 0;
  uint32_t verticesBefore = 0;
  if (in.U32(count))
    for (uint32_t i = 0; i < count && ReadMeshObject(in, scene, meshNodes, vertices, verticesBefore); ++i) {
    }
  if (in.U32(count))
    for (uint32_t i = 0; i < count && ReadOcclusionVolume(in, scene, occlusionQueries); ++i) {
    }
  if (in.U32(count))
    for (uint32_t i = 0; i < count && ReadCamera(in, scene); ++i) {
    }
  if (in.U32(count))
    for (uint32_t i = 0; i < count && ReadInstance(in, scene, statics, animated); ++i) {
    }
  if (in.U32(count))
    for (uint32_t i = 0; i < count && ReadLight(in, scene); ++i) {
    }
  scene.nodes = meshNodes;
  scene.nodes.insert(scene.nodes.end(), statics.begin(), statics.end());
  scene.nodes.insert(scene.nodes.end(), animated.begin(), animated.end());
}

void SceneLoader::Load() {
  archive::AssetBlob blob = archive::Assets().Find("Models/test.BSS");
  const bool queries = app::RendererState.caps.occlusionQueries;
  Read(blob.data, blob.size, TheScene, SceneVertices, queries);
  archive::FreeAssetBlob(blob);
  SortDrawOrder(TheScene);
  Link(TheScene, queries);
  AssignLights(TheScene);
  TheScene.occlusionQueriesInUse = queries;
  if (app::RendererState.caps.vertexBufferObjects) SceneRenderer::CreateVertexBuffer();
  CameraDirector::Start(TheScene);
}

}  // namespace scene
