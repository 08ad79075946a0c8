#include "bss_writer.h"

#include <cmath>

#include "record_writer.h"

namespace content {
namespace {

void PutQuat(std::vector<uint8_t>& out, const Quat& q) {
  PutF32(out, q.x);
  PutF32(out, q.y);
  PutF32(out, q.z);
  PutF32(out, q.w);
}

void PutMeshObject(std::vector<uint8_t>& out, const BssMeshObject& object) {
  PutStr(out, object.name);
  PutStr(out, object.parentName);
  PutU32(out, static_cast<uint32_t>(object.materials.size()));
  for (const BssMaterialRun& m : object.materials) {
    PutStr(out, m.diffuse);
    out.push_back(m.twoSided ? 1 : 0);
    out.push_back(m.second.empty() ? 0 : 1);
    if (!m.second.empty()) PutStr(out, m.second);
    out.push_back(m.illumination.empty() ? 0 : 1);
    if (!m.illumination.empty()) PutStr(out, m.illumination);
    PutU32(out, m.firstVertex);
    PutU32(out, m.vertexCount);
    PutU32(out, m.materialIndex);
  }
  PutU32(out, static_cast<uint32_t>(object.positions.size()));
  PutU32(out, static_cast<uint32_t>(object.faces.size()));
  PutU32(out, static_cast<uint32_t>(object.texCoords.size()));
  PutU32(out, static_cast<uint32_t>(object.lightmapCoords.size()));
  PutU32(out, static_cast<uint32_t>(object.texFaces.size()));
  out.push_back(object.lightmap.empty() ? 0 : 1);
  if (!object.lightmap.empty()) PutStr(out, object.lightmap);
  for (const Vec3& p : object.positions) PutVec3(out, p);
  PutIndexTriples(out, object.faces);
  for (const Vec3& t : object.texCoords) PutVec3(out, t);
  for (const Vec3& t : object.lightmapCoords) PutVec3(out, t);
  PutIndexTriples(out, object.texFaces);
  // The lightmap index block has texFaces' length, whatever it holds.
  for (size_t i = 0; i < object.texFaces.size(); ++i) {
    const Triple t = i < object.lightmapFaces.size() ? object.lightmapFaces[i] : Triple{0, 0, 0};
    for (uint32_t index : t) PutF32(out, static_cast<float>(index));
  }
  for (size_t i = 0; i < object.faces.size() * 3; ++i)
    PutVec3(out, i < object.normals.size() ? object.normals[i] : Vec3{0, 0, 1});
}

Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

Vec3 Unit(Vec3 v) {
  const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return length > 0 ? Vec3{v.x / length, v.y / length, v.z / length} : v;
}

}  // namespace

std::vector<uint8_t> EncodeBss(const BssScene& scene) {
  std::vector<uint8_t> out;
  PutU32(out, static_cast<uint32_t>(scene.objects.size()));
  for (const BssMeshObject& object : scene.objects) PutMeshObject(out, object);

  PutU32(out, static_cast<uint32_t>(scene.volumes.size()));
  for (const BssOcclusionVolume& v : scene.volumes) {
    PutStr(out, v.name);
    PutStr(out, v.parentName);
    PutU32(out, static_cast<uint32_t>(v.points.size()));
    for (const Vec3& p : v.points) PutVec3(out, p);
    PutU32(out, static_cast<uint32_t>(v.triangles.size()));
    PutIndexTriples(out, v.triangles);
    PutVec3(out, v.normal);
  }

  PutU32(out, static_cast<uint32_t>(scene.cameras.size()));
  for (const BssCamera& c : scene.cameras) {
    PutU32(out, static_cast<uint32_t>(c.positions.size()));
    for (const Vec3& p : c.positions) PutVec3(out, p);
    for (size_t i = 0; i < c.positions.size(); ++i) PutQuat(out, i < c.rotations.size() ? c.rotations[i] : Quat{});
    for (size_t i = 0; i < c.positions.size(); ++i) PutF32(out, i < c.fovs.size() ? c.fovs[i] : 1.9f);
  }

  PutU32(out, static_cast<uint32_t>(scene.instances.size()));
  for (const BssInstance& instance : scene.instances) {
    PutStr(out, instance.name);
    PutStr(out, instance.parentName);
    PutU32(out, instance.type);
    PutU32(out, instance.holdCount);
    PutU32(out, static_cast<uint32_t>(instance.positions.size()));
    for (const Vec3& p : instance.positions) PutVec3(out, p);
    for (size_t i = 0; i < instance.positions.size(); ++i)
      PutQuat(out, i < instance.rotations.size() ? instance.rotations[i] : Quat{});
  }

  PutU32(out, static_cast<uint32_t>(scene.lights.size()));
  for (const BssLight& light : scene.lights) {
    PutVec3(out, light.position);
    PutF32(out, light.r);
    PutF32(out, light.g);
    PutF32(out, light.b);
    PutF32(out, light.range);
    PutF32(out, light.spare);
    PutF32(out, light.multiplier);
    PutF32(out, light.falloff);
    PutU32(out, static_cast<uint32_t>(light.names.size()));
    for (const std::string& name : light.names) PutStr(out, name);
  }
  return out;
}

Quat CameraKeyRotation(Vec3 forward, Vec3 up) {
  // The camera frame looks along -Z with +Y up and +X to the right; the
  // rotation o takes that frame onto the world's, and the file keeps its
  // conjugate.
  const Vec3 back = Unit(Vec3{-forward.x, -forward.y, -forward.z});
  const Vec3 right = Unit(Cross(up, back));
  const Vec3 trueUp = Cross(back, right);
  // Columns of o's matrix: right, trueUp, back.
  const float m00 = right.x, m01 = trueUp.x, m02 = back.x;
  const float m10 = right.y, m11 = trueUp.y, m12 = back.y;
  const float m20 = right.z, m21 = trueUp.z, m22 = back.z;
  Quat o;
  const float trace = m00 + m11 + m22;
  if (trace > 0) {
    const float s = std::sqrt(trace + 1.0f) * 2.0f;
    o = {(m21 - m12) / s, (m02 - m20) / s, (m10 - m01) / s, 0.25f * s};
  } else if (m00 > m11 && m00 > m22) {
    const float s = std::sqrt(1.0f + m00 - m11 - m22) * 2.0f;
    o = {0.25f * s, (m01 + m10) / s, (m02 + m20) / s, (m21 - m12) / s};
  } else if (m11 > m22) {
    const float s = std::sqrt(1.0f + m11 - m00 - m22) * 2.0f;
    o = {(m01 + m10) / s, 0.25f * s, (m12 + m21) / s, (m02 - m20) / s};
  } else {
    const float s = std::sqrt(1.0f + m22 - m00 - m11) * 2.0f;
    o = {(m02 + m20) / s, (m12 + m21) / s, 0.25f * s, (m10 - m01) / s};
  }
  return {-o.x, -o.y, -o.z, o.w};
}

}  // namespace content
