#include "assets/animated_model.h"

#include <cmath>

#include "app/log.h"
#include "archive/asset_store.h"
#include "assets/texture_cache.h"
#include "scene/byte_reader.h"

namespace assets {
namespace {

using scene::ByteReader;

bool ReadTransform(ByteReader& in, math::Matrix4& m) {
  float f[12];
  for (float& value : f)
    if (!in.F32(value)) return false;
  m = math::IdentityMatrix4;
  // Row-vector layout: rows hold the X, Y, Z axes and the origin.
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 3; ++column) m[column * 4 + row] = f[row * 3 + column];
  return true;
}

bool ReadIndices(ByteReader& in, uint32_t count, std::vector<uint32_t>& out) {
  std::vector<float> stored;
  if (!in.Array(stored, count)) return false;
  out.resize(count);
  for (size_t i = 0; i < count; ++i)
    out[i] = (stored[i] >= 0.0f && stored[i] < 4294967040.0f) ? static_cast<uint32_t>(stored[i]) : 0xFFFFFFFFu;
  return true;
}

void ComputeWorld(AnimatedModel& model, int bone, const math::Matrix4& parentWorld, bool rest, int depth) {
  Bone& b = model.bones[bone];
  b.world = (rest ? b.rest : b.local) * parentWorld;
  b.worldPosition = {b.world[3], b.world[7], b.world[11]};
  b.worldRotation = math::FromRotationMatrix(b.world);
  b.skinRotation = b.worldRotation * b.inverseRestRotation;
  if (depth > kMaxBones) return;
  for (int child : b.children) ComputeWorld(model, child, b.world, rest, depth + 1);
}

// A frame's transform with its rotation replaced by a blend of two rotations.
math::Matrix4 WithRotation(const math::Matrix4& frame, const math::Quaternion& rotation) {
  math::Matrix4 m = frame;
  math::ToRotationMatrix(rotation, m);
  return m;
}

bool ReadMesh(ByteReader& in, AnimatedModel& model, std::string& textureName) {
  std::string text;
  uint32_t vertexCount = 0, unusedFaceCount = 0, textureVertexCount = 0, faceCount = 0;
  float reserved[3];
  if (!in.Str(text) || !in.F32(model.scrollU) || !in.F32(model.scrollV) || !in.U32(vertexCount) ||
      !in.U32(unusedFaceCount) || !in.U32(textureVertexCount) || !in.U32(faceCount))
    return false;
  textureName = scene::StoredName(text);
  for (float& r : reserved)
    if (!in.F32(r)) return false;
  std::vector<math::Vector3> boneIndexFloats;
  if (static_cast<uint64_t>(faceCount) * 9 > 0xFFFFFFFFull) return false;
  if (!in.Array(model.restPositions, vertexCount) || !in.Array(model.weights, vertexCount) ||
      !in.Array(boneIndexFloats, vertexCount) || !ReadIndices(in, faceCount * 3, model.triangles) ||
      !in.Array(model.textureVertices, textureVertexCount) || !ReadIndices(in, faceCount * 3, model.textureTriangles) ||
      !in.Array(model.cornerNormals, faceCount * 3))
    return false;
  for (math::Vector3& w : model.weights) {
    const float sum = w.x + w.y + w.z;
    if (sum != 0.0f) w = w * (1.0f / sum);
  }
  model.boneIndices.clear();
  for (const math::Vector3& b : boneIndexFloats)
    for (float f : {b.x, b.y, b.z}) model.boneIndices.push_back(f >= 0.0f && f < kMaxBones ? static_cast<int32_t>(f) : -1);
  uint32_t boneCount = 0;
  if (!in.U32(boneCount)) return false;
  for (uint32_t i = 0; i < boneCount; ++i) {
    Bone bone;
    std::string name, parent;
    if (!ReadTransform(in, bone.rest) || !in.Str(name) || !in.Str(parent)) return false;
    if (model.bones.size() >= static_cast<size_t>(kMaxBones)) continue;
    bone.name = scene::StoredName(name);
    bone.parentName = scene::StoredName(parent);
    bone.local = bone.rest;
    model.bones.push_back(bone);
  }
  return true;
}

void ReadAnimation(ByteReader& in, AnimatedModel& model, BoneAnimation& animation) {
  animation.frames.assign(static_cast<size_t>(kMaxBones) * kMaxFrames, math::IdentityMatrix4);
  std::vector<bool> filled(kMaxBones, false);
  uint32_t unused = 0, frameCount = 0, trackCount = 0;
  if (in.U32(unused) && in.U32(frameCount) && in.U32(trackCount)) {
    animation.frameCount = static_cast<int32_t>(frameCount <= kMaxFrames ? frameCount : kMaxFrames);
    for (uint32_t t = 0; t < trackCount; ++t) {
      uint32_t bone = 0;
      if (!in.U32(bone)) break;
      const bool kept = bone < static_cast<uint32_t>(kMaxBones);
      bool complete = true;
      for (uint32_t f = 0; f < frameCount && complete; ++f) {
        math::Matrix4 m;
        complete = ReadTransform(in, m);
        if (complete && kept && f < static_cast<uint32_t>(kMaxFrames)) animation.Frame(static_cast<int>(bone), static_cast<int>(f)) = m;
      }
      if (!complete) break;
      if (kept) {
        animation.trackBones.push_back(static_cast<int32_t>(bone));
        filled[bone] = true;
      }
    }
  }
  animation.trackCount = static_cast<int32_t>(animation.trackBones.size());
  // Bones the file leaves out hold their rest pose over the first 100 frames.
  for (size_t b = 0; b < model.bones.size(); ++b)
    if (!filled[b])
      for (int f = 0; f < 100; ++f) animation.Frame(static_cast<int>(b), f) = model.bones[b].rest;
  animation.speed = 1.0f;
}

}  // namespace

void AnimatedModel::Load(const std::string& name) {
  archive::AssetBlob mesh = archive::Assets().Find(("Models/" + name + ".BSA").c_str());
  app::Log("Animated model ", name, ".BSA", " mesh file loaded");
  app::Log("Num of Anims: ", 1);
  archive::AssetBlob animation = archive::Assets().Find(("Models/" + name + "_anim.BSA").c_str());
  LoadFrom(mesh.data, mesh.size, animation.data, animation.size);
  archive::FreeAssetBlob(mesh);
  archive::FreeAssetBlob(animation);
}

void AnimatedModel::LoadFrom(const uint8_t* mesh, size_t meshSize, const uint8_t* animation, size_t animationSize,
                             const std::string& textureRoot) {
  ByteReader in(mesh, meshSize);
  std::string textureName;
  // A mesh file that ends early leaves an empty model: nothing half-read is drawn.
  if (!ReadMesh(in, *this, textureName)) {
    restPositions.clear();
    weights.clear();
    boneIndices.clear();
    triangles.clear();
    textureTriangles.clear();
    textureVertices.clear();
    cornerNormals.clear();
    bones.clear();
  }
  if (mesh) texture = TextureCache::Get(textureRoot + textureName);
  for (size_t i = 0; i < bones.size(); ++i) {
    bool linked = false;
    for (size_t j = 0; j < bones.size(); ++j)
      if (i != j && bones[i].parentName == bones[j].name) {
        bones[j].children.push_back(static_cast<int>(i));
        linked = true;
        break;
      }
    if (!linked && bones[i].parentName == "Scene Root") roots.push_back(static_cast<int>(i));
  }
  for (Bone& bone : bones) bone.inverseRestRotation = math::IdentityQuaternion;
  for (int root : roots) ComputeWorld(*this, root, base, true, 0);
  for (Bone& bone : bones) {
    bone.restWorldPosition = bone.worldPosition;
    bone.inverseRestRotation = math::FromRotationMatrix(math::Inverse(bone.world));
  }
  math::Vector3 rootOffset;
  if (!roots.empty()) {
    math::Matrix4& rest = bones[roots[0]].rest;
    rootOffset = {rest[3], rest[7], rest[11]};
    rest[3] = rest[7] = rest[11] = 0.0f;
  }
  animations.resize(1);
  ByteReader animationIn(animation, animationSize);
  ReadAnimation(animationIn, *this, animations[0]);
  if (!roots.empty())
    for (int f = 0; f < 100; ++f) {
      math::Matrix4& m = animations[0].Frame(roots[0], f);
      m[3] -= rootOffset.x;
      m[7] -= rootOffset.y;
      m[11] -= rootOffset.z;
    }
  skinned.assign(restPositions.size(), math::ZeroVector);
  rotatedNormals.assign(cornerNormals.size(), math::ZeroVector);
  drawArray.assign(triangles.size() * 8, 0.0f);
}

void AnimatedModel::SetPosition(const math::Vector3& position) {
  base[3] = position.x;
  base[7] = position.y;
  base[11] = position.z;
}

void AnimatedModel::Update(float dt) {
  if (!animate || animations.empty()) return;
  BoneAnimation& current = animations[currentAnimation];
  if (blend) {
    BoneAnimation& next = animations[nextAnimation];
    for (int32_t bone : current.trackBones) {
      const math::Matrix4& frame = current.Frame(bone, current.currentFrame);
      const math::Quaternion a = math::FromRotationMatrix(frame);
      const math::Quaternion b = math::FromRotationMatrix(next.Frame(bone, 0));
      bones[bone].local = WithRotation(frame, math::Slerp(a, b, blendPosition));
    }
    blendPosition += blendSpeed * dt;
    if (blendPosition > 1.0f) {
      blend = false;
      blendPosition = 0.0f;
      currentAnimation = nextAnimation;
      animations[currentAnimation].currentFrame = 0;
      animations[currentAnimation].frameFraction = 0.0f;
    }
  } else if (current.frameCount > 0) {
    current.speed = playSpeed;
    for (int32_t bone : current.trackBones) {
      int32_t next = current.currentFrame + current.frameStep;
      if (next > current.frameCount - 1) next = 0;
      const math::Quaternion a = math::FromRotationMatrix(current.Frame(bone, current.currentFrame));
      const math::Quaternion b = math::FromRotationMatrix(current.Frame(bone, next));
      bones[bone].local = WithRotation(current.Frame(bone, next), math::Slerp(a, b, current.frameFraction));
    }
    current.frameFraction += current.speed * dt;
    if (current.frameFraction > 1.0f) {
      const int32_t whole = static_cast<int32_t>(current.frameFraction);
      current.frameStep = whole;
      current.currentFrame += whole;
      current.frameFraction = 0.0f;
    }
    if (current.currentFrame > current.frameCount - 1) current.currentFrame = 0;
  }

  for (int root : roots) {
    math::Matrix4& local = bones[root].local;
    local[3] = local[7] = local[11] = 0.0f;
    ComputeWorld(*this, root, base, false, 0);
  }
  for (size_t v = 0; v < restPositions.size(); ++v) {
    math::Vector3 sum;
    for (int k = 0; k < 3; ++k) {
      const int32_t bone = boneIndices[v * 3 + k];
      if (bone < 0 || bone >= static_cast<int32_t>(bones.size())) continue;
      const float w = k == 0 ? weights[v].x : k == 1 ? weights[v].y : weights[v].z;
      if (w == 0.0f) continue;
      const Bone& b = bones[bone];
      sum = sum + (math::Rotate(b.skinRotation, restPositions[v] - b.restWorldPosition) + b.worldPosition) * w;
    }
    skinned[v] = sum;
  }
  for (size_t corner = 0; corner < triangles.size(); ++corner) {
    const uint32_t vertex = triangles[corner];
    const int32_t bone = vertex < restPositions.size() ? boneIndices[vertex * 3] : -1;
    const math::Vector3 n = cornerNormals[corner];
    rotatedNormals[corner] = (bone >= 0 && bone < static_cast<int32_t>(bones.size()))
                                 ? math::Rotate(bones[bone].skinRotation, n)
                                 : n;
    const math::Vector3 p = vertex < skinned.size() ? skinned[vertex] : math::ZeroVector;
    const uint32_t tv = textureTriangles[corner];
    const math::Vector3 uv = tv < textureVertices.size() ? textureVertices[tv] : math::ZeroVector;
    float* out = &drawArray[corner * 8];
    out[0] = p.x;
    out[1] = p.y;
    out[2] = p.z;
    out[6] = uv.x;
    out[7] = uv.y;
  }
}

void AnimatedModel::Draw(float dt) {
  scrollOffset += dt * 0.03f;
  if (triangles.empty()) return;
  glEnable(GL_LIGHTING);
  glEnable(GL_ALPHA_TEST);
  glVertexPointer(3, GL_FLOAT, 32, drawArray.data());
  glNormalPointer(GL_FLOAT, 12, rotatedNormals.data());
  glTexCoordPointer(2, GL_FLOAT, 32, drawArray.data() + 6);
  glBindTexture(GL_TEXTURE_2D, texture);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glTranslatef(scrollU * scrollOffset, -scrollOffset * scrollV, 0.0f);
  glMatrixMode(GL_MODELVIEW);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glDepthMask(GL_FALSE);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(triangles.size()));
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
}

}  // namespace assets
