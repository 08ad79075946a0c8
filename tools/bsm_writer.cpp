#include "bsm_writer.h"

#include "record_writer.h"

namespace content {
namespace {

void PutNormals(std::vector<uint8_t>& out, const std::vector<Vec3>& normals, size_t faceCount) {
  for (size_t i = 0; i < faceCount * 3; ++i) PutVec3(out, i < normals.size() ? normals[i] : Vec3{0, 0, 1});
}

void PutBoneTransform(std::vector<uint8_t>& out, const BoneTransform& t) {
  PutVec3(out, t.xAxis);
  PutVec3(out, t.yAxis);
  PutVec3(out, t.zAxis);
  PutVec3(out, t.origin);
}

}  // namespace

std::vector<uint8_t> EncodeBsm(const BsmModel& model) {
  std::vector<uint8_t> out;
  PutU32(out, static_cast<uint32_t>(model.meshes.size()));
  for (const BsmMesh& mesh : model.meshes) {
    PutStr(out, mesh.diffuse);
    PutF32(out, mesh.scrollU);
    PutF32(out, mesh.scrollV);
    out.push_back(mesh.second.empty() ? 0 : 1);
    if (!mesh.second.empty()) PutStr(out, mesh.second);
    out.push_back(mesh.third.empty() ? 0 : 1);
    if (!mesh.third.empty()) PutStr(out, mesh.third);
    PutStr(out, mesh.name);
    PutStr(out, mesh.parentName);
    PutU32(out, static_cast<uint32_t>(mesh.positions.size()));
    PutU32(out, static_cast<uint32_t>(mesh.faces.size()));
    PutU32(out, static_cast<uint32_t>(mesh.texCoords.size()));
    PutU32(out, static_cast<uint32_t>(mesh.texFaces.size()));
    PutVec3(out, mesh.pivot);
    for (const Vec3& p : mesh.positions) PutVec3(out, p);
    PutIndexTriples(out, mesh.faces);
    for (const Vec3& t : mesh.texCoords) PutVec3(out, t);
    PutIndexTriples(out, mesh.texFaces);
    PutNormals(out, mesh.normals, mesh.faces.size());
  }
  PutU32(out, static_cast<uint32_t>(model.helpers.size()));
  for (const BsmHelper& helper : model.helpers) {
    PutVec3(out, helper.position);
    PutStr(out, helper.name);
    PutStr(out, helper.parentMesh);
    PutF32(out, helper.rotation.x);
    PutF32(out, helper.rotation.y);
    PutF32(out, helper.rotation.z);
    PutF32(out, helper.rotation.w);
    PutU32(out, static_cast<uint32_t>(helper.kind));
  }
  return out;
}

std::vector<uint8_t> EncodeBsaMesh(const BsaMesh& mesh) {
  std::vector<uint8_t> out;
  PutStr(out, mesh.texture);
  PutF32(out, mesh.scrollU);
  PutF32(out, mesh.scrollV);
  PutU32(out, static_cast<uint32_t>(mesh.positions.size()));
  PutU32(out, static_cast<uint32_t>(mesh.faces.size()));
  PutU32(out, static_cast<uint32_t>(mesh.texCoords.size()));
  PutU32(out, static_cast<uint32_t>(mesh.faces.size()));  // the reader's triangle count
  PutVec3(out, Vec3{});                                    // reserved
  for (const Vec3& p : mesh.positions) PutVec3(out, p);
  for (size_t i = 0; i < mesh.positions.size(); ++i) PutVec3(out, i < mesh.weights.size() ? mesh.weights[i] : Vec3{1, 0, 0});
  for (size_t i = 0; i < mesh.positions.size(); ++i)
    PutVec3(out, i < mesh.boneIndices.size() ? mesh.boneIndices[i] : Vec3{});
  PutIndexTriples(out, mesh.faces);
  for (const Vec3& t : mesh.texCoords) PutVec3(out, t);
  for (size_t i = 0; i < mesh.faces.size(); ++i) {
    const Triple t = i < mesh.texFaces.size() ? mesh.texFaces[i] : Triple{0, 0, 0};
    for (uint32_t index : t) PutF32(out, static_cast<float>(index));
  }
  PutNormals(out, mesh.normals, mesh.faces.size());
  PutU32(out, static_cast<uint32_t>(mesh.bones.size()));
  for (const BsaBone& bone : mesh.bones) {
    PutBoneTransform(out, bone.rest);
    PutStr(out, bone.name);
    PutStr(out, bone.parentName);
  }
  return out;
}

std::vector<uint8_t> EncodeBsaAnimation(const BsaAnimation& animation) {
  std::vector<uint8_t> out;
  PutU32(out, 3);
  PutU32(out, static_cast<uint32_t>(animation.frameCount));
  PutU32(out, static_cast<uint32_t>(animation.tracks.size()));
  for (const BsaTrack& track : animation.tracks) {
    PutU32(out, static_cast<uint32_t>(track.bone));
    for (int32_t f = 0; f < animation.frameCount; ++f)
      PutBoneTransform(out, f < static_cast<int32_t>(track.frames.size()) ? track.frames[f] : BoneTransform{});
  }
  return out;
}

}  // namespace content
