#include "assets/model_instance.h"

#include <cmath>

namespace assets {
namespace {

constexpr char kHull[] = "Hull";

// Degrees to a half-angle with pi taken as 3.14, as the models were authored.
float HalfAngle(float degrees) { return degrees * 3.14f / 360.0f; }

void TransformNode(ModelInstance& instance, size_t index, const math::Quaternion& parentRotation,
                   const math::Vector3& parentPivot, const math::Vector3& parentPosition, int depth) {
  ModelNode& node = instance.nodes[index];
  const float ax = HalfAngle(node.angleX), ay = HalfAngle(node.angleY), az = HalfAngle(node.angleZ);
  const math::Quaternion qx{std::sin(ax), 0, 0, std::cos(ax)};
  const math::Quaternion qy{0, std::sin(ay), 0, std::cos(ay)};
  const math::Quaternion qz{0, 0, std::sin(az), std::cos(az)};
  node.localRotation = (qy * qz) * qx;
  node.worldRotation = parentRotation * node.localRotation;
  node.worldPosition = parentPosition + math::Rotate(parentRotation, node.pivot - parentPivot);
  math::ToRotationMatrix(math::Conjugate(node.localRotation), node.drawMatrix);
  math::ToRotationMatrix(node.localRotation, node.undoMatrix);
  // A damaged model could name its own descendant as its parent.
  if (depth > 64) return;
  for (size_t child : node.children)
    TransformNode(instance, child, node.worldRotation, node.pivot, node.worldPosition, depth + 1);
}

void PlaceHelpers(ModelInstance& instance, size_t index, float dt, HelperEmitter emit, int depth) {
  ModelNode& node = instance.nodes[index];
  const math::Quaternion turn = math::Conjugate(instance.rotation);
  for (InstanceHelper& h : node.helpers) {
    if (h.helper.name == "emit locosteam") continue;  // the train places its own steam
    h.worldPosition = math::Rotate(turn, h.helper.position) + node.worldPosition + instance.position;
  }
  const size_t count = node.helpers.size();
  // Nodes with many helpers (the tree's lights) hand over one per frame in
  // turn; twenty is taken as many.
  if (count < 20) {
    for (const InstanceHelper& h : node.helpers)
      if (h.helper.kind == 2 && emit) emit(h);
  } else {
    size_t at = static_cast<size_t>(instance.helperCursor);
    if (at >= count) at = 0;
    if (node.helpers[at].helper.kind == 2 && emit) emit(node.helpers[at]);
    instance.helperCursor += dt * 0.4f;
    if (instance.helperCursor >= static_cast<float>(count)) instance.helperCursor = 0;
  }
  if (depth > 64) return;
  for (size_t child : node.children) PlaceHelpers(instance, child, dt, emit, depth + 1);
}

void DrawLayer(const ModelNode& node) {
  glDepthFunc(GL_EQUAL);
  glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(node.indices->size()), GL_UNSIGNED_INT, node.indices->data());
  glEnable(GL_LIGHTING);
  glDepthFunc(GL_LESS);
  glBlendFunc(GL_SRC_COLOR, GL_ONE_MINUS_SRC_ALPHA);
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
}

void LayerSetUp(GLuint texture) {
  glDepthMask(GL_FALSE);
  glEnable(GL_BLEND);
  glDisable(GL_LIGHTING);
  glBlendFunc(GL_SRC_COLOR, GL_ONE);
  glBindTexture(GL_TEXTURE_2D, texture);
}

void DrawGeometry(const ModelNode& node) {
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, node.diffuseTexture);
  const bool scrolls = node.scrollU != 0.0f || node.scrollV != 0.0f;
  if (scrolls) {
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glTranslatef(node.offsetU, -node.offsetV, 0.0f);
    glMatrixMode(GL_MODELVIEW);
  }
  glDisable(GL_CULL_FACE);
  glEnable(GL_ALPHA_TEST);
  if (node.indices && !node.indices->empty()) {
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(node.indices->size()), GL_UNSIGNED_INT, node.indices->data());
    if (node.hasSecond) {
      LayerSetUp(node.secondTexture);
      glEnable(GL_TEXTURE_GEN_S);
      glEnable(GL_TEXTURE_GEN_T);
      glEnable(GL_TEXTURE_GEN_R);
      glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
      glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
      glTexGeni(GL_R, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
      DrawLayer(node);
      glDisable(GL_TEXTURE_GEN_S);
      glDisable(GL_TEXTURE_GEN_T);
      glDisable(GL_TEXTURE_GEN_R);
    }
    if (node.hasThird) {
      LayerSetUp(node.thirdTexture);
      DrawLayer(node);
    }
  }
  glEnable(GL_CULL_FACE);
  if (scrolls) {
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
  }
}

void DrawNode(const ModelInstance& instance, size_t index, const math::Vector3& parentPivot, int depth) {
  const ModelNode& node = instance.nodes[index];
  const math::Vector3 d = node.pivot - parentPivot;
  glTranslatef(d.x, d.y, d.z);
  glMultMatrixf(node.drawMatrix.m);
  DrawGeometry(node);
  if (depth <= 64)
    for (size_t child : node.children) DrawNode(instance, child, node.pivot, depth + 1);
  glMultMatrixf(node.undoMatrix.m);
  glTranslatef(-d.x, -d.y, -d.z);
}

ModelNode* FindHull(ModelInstance& instance) { return FindInstanceNode(instance, kHull); }

}  // namespace

ModelNode* FindInstanceNode(ModelInstance& instance, const std::string& name) {
  for (ModelNode& node : instance.nodes)
    if (node.name == name) return &node;
  return nullptr;
}

void CreateInstance(ModelInstance& instance, const StaticModel& model) {
  instance.size = model.size;
  for (const ModelMesh& mesh : model.meshes) {
    ModelNode node;
    node.name = mesh.name;
    node.parentName = mesh.parentName;
    node.isChild = mesh.isChild;
    node.pivot = mesh.pivot;
    node.diffuseTexture = mesh.diffuseTexture;
    node.secondTexture = mesh.secondTexture;
    node.thirdTexture = mesh.thirdTexture;
    node.hasSecond = mesh.hasSecond;
    node.hasThird = mesh.hasThird;
    node.scrollU = mesh.scrollU;
    node.scrollV = mesh.scrollV;
    node.first = mesh.first;
    node.end = mesh.end;
    node.indices = &mesh.indices;
    node.drawMatrix = node.undoMatrix = math::IdentityMatrix4;
    if (mesh.name == "CollMesh") {
      instance.collisionMesh = &mesh.corners;
      instance.collisionVertexCount = mesh.end - mesh.first;
    }
    for (const ModelHelper& helper : model.helpers)
      if (helper.parentName == mesh.name) {
        InstanceHelper copy{helper, {}};
        copy.helper.position = helper.position - mesh.pivot;
        node.helpers.push_back(copy);
      }
    instance.nodes.push_back(std::move(node));
  }
  for (size_t i = 0; i < instance.nodes.size(); ++i)
    for (size_t j = 0; j < instance.nodes.size(); ++j)
      if (i != j && instance.nodes[j].isChild && instance.nodes[j].parentName == instance.nodes[i].name)
        instance.nodes[i].children.push_back(j);
}

void SetNodeAngleZ(ModelInstance& instance, const std::string& node, float degrees) {
  if (ModelNode* found = FindInstanceNode(instance, node)) found->angleZ = degrees;
}

void SetNodeAngleY(ModelInstance& instance, const std::string& node, float degrees) {
  if (ModelNode* found = FindInstanceNode(instance, node)) found->angleY = degrees;
}

void UpdateInstance(ModelInstance& instance, float dt, HelperEmitter emit) {
  if (ModelNode* hull = FindHull(instance)) {
    const size_t index = static_cast<size_t>(hull - instance.nodes.data());
    TransformNode(instance, index, math::IdentityQuaternion, math::ZeroVector, math::ZeroVector, 0);
    PlaceHelpers(instance, index, dt, emit, 0);
  }
  for (ModelNode& node : instance.nodes) {
    node.offsetU += dt * 0.03f * node.scrollU;
    node.offsetV += dt * 0.03f * node.scrollV;
  }
}

void DrawInstance(const ModelInstance& instance) {
  ModelInstance& self = const_cast<ModelInstance&>(instance);
  const ModelNode* hull = FindHull(self);
  if (!hull) return;
  math::Matrix4 turn = math::IdentityMatrix4, back = math::IdentityMatrix4;
  math::ToRotationMatrix(instance.rotation, turn);
  math::ToRotationMatrix(math::Conjugate(instance.rotation), back);
  glTranslatef(instance.position.x, instance.position.y, instance.position.z);
  glMultMatrixf(turn.m);
  DrawNode(instance, static_cast<size_t>(hull - instance.nodes.data()), hull->pivot, 0);
  glMultMatrixf(back.m);
  glTranslatef(-instance.position.x, -instance.position.y, -instance.position.z);
}

}  // namespace assets
