// How a list of visible nodes reaches the screen: the shared vertex arrays,
// per-node GL lights and the multipass material of each face group. Every
// extra layer is another pass over the same vertex range with depth test
// GL_EQUAL and depth writes off, on the one texture unit.
#include <cstddef>

#include "app/frame_timer.h"
#include "scene/instance_models.h"
#include "scene/scene_renderer.h"

namespace scene {

bool VertexBufferUnbound = false;
int32_t DrawnNodeCount = 0;

namespace {

constexpr GLsizei kStride = sizeof(SceneVertex);

const GLvoid* ArrayOffset(size_t offset) {
  if (TheScene.vertexBuffer) return reinterpret_cast<const GLvoid*>(offset);
  return reinterpret_cast<const uint8_t*>(SceneVertices.data()) + offset;
}

void SetUpArrays() {
  if (TheScene.vertexBuffer) {
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, TheScene.vertexBuffer);
    VertexBufferUnbound = false;
  }
  glVertexPointer(3, GL_FLOAT, kStride, ArrayOffset(0));
  glNormalPointer(GL_FLOAT, kStride, ArrayOffset(12));
  glTexCoordPointer(2, GL_FLOAT, kStride, ArrayOffset(24));
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

// The repeated-name rule can give a node more lights than the driver has.
size_t UsableLightCount(const SceneNode& node) {
  static GLint maxLights = 0;
  if (maxLights <= 0) glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
  const size_t limit = maxLights > 0 ? static_cast<size_t>(maxLights) : 8;
  return node.lights.size() < limit ? node.lights.size() : limit;
}

void DrawRange(const FaceGroup& group) {
  glDrawArrays(GL_TRIANGLES, static_cast<GLint>(group.firstVertex), static_cast<GLsizei>(group.vertexCount));
}

}  // namespace

void SceneRenderer::CreateVertexBuffer() {
  GLuint vbo = 0;
  glGenBuffersARB(1, &vbo);
  glBindBufferARB(GL_ARRAY_BUFFER_ARB, vbo);
  glBufferDataARB(GL_ARRAY_BUFFER_ARB, static_cast<GLsizeiptrARB>(SceneVertices.size() * sizeof(SceneVertex)),
                  SceneVertices.data(), GL_STATIC_DRAW_ARB);
  TheScene.vertexBuffer = vbo;
  glBindBufferARB(GL_ARRAY_BUFFER_ARB, vbo);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(3, GL_FLOAT, kStride, ArrayOffset(0));
  glNormalPointer(GL_FLOAT, kStride, ArrayOffset(12));
  glTexCoordPointer(2, GL_FLOAT, kStride, ArrayOffset(24));
  glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
}

void SceneRenderer::EnableNodeLights(const SceneNode& node) {
  static const GLfloat kSpecular[4] = {0.21f, 0.21f, 0.21f, 1.0f};
  const size_t count = UsableLightCount(node);
  for (size_t i = 0; i < count; ++i) {
    const SceneLight& light = *node.lights[i];
    const GLenum id = GL_LIGHT0 + static_cast<GLenum>(i);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kSpecular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 22.0f);
    glLightfv(id, GL_AMBIENT, light.ambient);
    glLightfv(id, GL_DIFFUSE, light.diffuse);
    glLightfv(id, GL_SPECULAR, light.specular);
    glLightf(id, GL_SPOT_EXPONENT, 30.0f);
    const GLfloat position[4] = {light.position[0], light.position[1], light.position[2], 1.0f};
    glLightfv(id, GL_POSITION, position);
    glLightf(id, GL_QUADRATIC_ATTENUATION, light.falloff * 0.000002f);
    glEnable(id);
  }
  glEnable(GL_LIGHTING);
}

void SceneRenderer::DisableNodeLights(const SceneNode& node) {
  const size_t count = UsableLightCount(node);
  for (size_t i = 0; i < count; ++i) glDisable(GL_LIGHT0 + static_cast<GLenum>(i));
  glEnable(GL_LIGHTING);
}

void SceneRenderer::DrawFaceGroup(const FaceGroup& group, bool untextured) {
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glDepthMask(GL_TRUE);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, group.diffuseTexture);
  if (untextured) glDisable(GL_TEXTURE_2D);
  if (group.hasSecond) {
    glBindTexture(GL_TEXTURE_2D, group.secondTexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_ADD);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_GEN_R);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_R, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  }
  if (group.twoSided) glDisable(GL_CULL_FACE);
  if (group.additive) {
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    glColor4d(1.0, 1.0, 1.0, 1.0);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  }
  DrawRange(group);
  if (group.additive) {
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }
  if (group.hasIllumination) {
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glBlendFunc(GL_SRC_COLOR, GL_ONE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, group.illuminationTexture);
    glDepthFunc(GL_EQUAL);
    DrawRange(group);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LIGHTING);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
  }
  if (group.hasLightmap) {
    glTexCoordPointer(2, GL_FLOAT, kStride, ArrayOffset(32));
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glDisable(GL_LIGHTING);
    // For an opaque lightmap: frame × lightmap colour.
    glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_COLOR);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, group.lightmapTexture);
    glDepthFunc(GL_EQUAL);
    DrawRange(group);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LIGHTING);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glTexCoordPointer(2, GL_FLOAT, kStride, ArrayOffset(24));
  }
  if (group.twoSided) glEnable(GL_CULL_FACE);
  if (group.hasSecond) {
    glDisable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_GEN_R);
  }
}

void SceneRenderer::DrawList(const std::vector<SceneNode*>& list, float alphaReference) {
  SetUpArrays();
  glColor4d(1.0, 1.0, 1.0, 1.0);
  glEnable(GL_BLEND);
  glDepthMask(GL_TRUE);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, alphaReference);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (SceneCamera* camera = CurrentCamera(TheScene)) camera->Apply();

  bool unboundThisList = false;
  for (SceneNode* node : list) {
    if (!node->hasLightmap)
      EnableNodeLights(*node);
    else
      glDisable(GL_LIGHTING);
    ++DrawnNodeCount;
    if (node->isStaticInstance) {
      DrawStaticInstance(*node);
    } else if (node->isAnimatedInstance) {
      // Animated models draw from their own arrays; they come last in every
      // list, so the buffer is unbound once, after all shared-buffer draws.
      if (!unboundThisList) {
        if (TheScene.vertexBuffer) glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
        VertexBufferUnbound = true;
        unboundThisList = true;
      }
      DrawAnimatedInstance(*node, app::Timer.dt);
    } else {
      for (const FaceGroup& group : node->faceGroups) DrawFaceGroup(group, false);
    }
    if (!node->hasLightmap) DisableNodeLights(*node);
  }
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  if (TheScene.vertexBuffer) glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
}

}  // namespace scene
