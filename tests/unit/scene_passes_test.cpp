#include <cmath>

#include "app/renderer_state.h"
#include "scene/scene_renderer.h"
#include "scene_fixture.h"

namespace scene_test {
namespace {

using scene::FaceGroup;
using scene::SceneRenderer;

GLuint SolidTexture(uint8_t r, uint8_t g, uint8_t b) {
  uint8_t filled[4 * 4 * 3];
  for (size_t i = 0; i < sizeof filled; i += 3) {
    filled[i] = r;
    filled[i + 1] = g;
    filled[i + 2] = b;
  }
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, filled);
  return texture;
}

class PassesTest : public SceneTest {
 protected:
  // A screen-filling quad of two triangles in the shared vertex array, seen
  // through identity matrices.
  void SetUp() override {
    SceneTest::SetUp();
    const float corners[6][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, -1}, {1, 1}, {-1, 1}};
    for (const auto& c : corners) {
      scene::SceneVertex v;
      v.position = {c[0], c[1], 0.0f};
      v.normal = {0, 0, 1};
      v.u = v.lightmapU = (c[0] + 1) / 2;
      v.v = v.lightmapV = (c[1] + 1) / 2;
      vertices_.push_back(v);
    }
    group_.firstVertex = 0;
    group_.vertexCount = 6;
    glViewport(0, 0, 64, 64);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }

  void DrawGroup() {
    glVertexPointer(3, GL_FLOAT, sizeof(scene::SceneVertex), &vertices_[0].position);
    glTexCoordPointer(2, GL_FLOAT, sizeof(scene::SceneVertex), &vertices_[0].u);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glColor4d(1, 1, 1, 1);
    SceneRenderer::DrawFaceGroup(group_, false);
  }

  float Red() {
    uint8_t pixel[4] = {};
    glReadPixels(32, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return pixel[0] / 255.0f;
  }

  FaceGroup group_;
};

TEST_F(PassesTest, BaseThenGlowThenLightmapMultiply) {
  group_.diffuseTexture = SolidTexture(100, 0, 0);
  group_.hasIllumination = true;
  group_.illuminationTexture = SolidTexture(128, 0, 0);
  group_.hasLightmap = true;
  group_.lightmapTexture = SolidTexture(128, 0, 0);
  DrawGroup();
  const float d = 100 / 255.0f, i = 128 / 255.0f, l = 128 / 255.0f;
  // The glow adds its colour times itself; the lightmap multiplies the sum.
  EXPECT_NEAR(Red(), (d + i * i) * l, 2.5f / 255);
  // Each pass leaves the state the next one relies on.
  GLint depthFunction = 0;
  glGetIntegerv(GL_DEPTH_FUNC, &depthFunction);
  EXPECT_EQ(depthFunction, GL_LESS);
  GLboolean depthWrites = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
  EXPECT_EQ(depthWrites, GL_TRUE);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(PassesTest, AdditiveGroupsAddToTheFrameWithoutWritingDepth) {
  glClearColor(0.2f, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  group_.diffuseTexture = SolidTexture(51, 0, 0);
  group_.additive = true;
  DrawGroup();
  EXPECT_NEAR(Red(), 0.4f, 2.0f / 255);
  float depth = 0;
  glReadPixels(32, 32, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  EXPECT_FLOAT_EQ(depth, 1.0f);
}

TEST_F(PassesTest, NodeLightsStayWithinTheDriversLightsAndLeaveLightingOn) {
  scene::SceneNode node;
  scene::SceneLight light;
  node.lights.assign(12, &light);  // a name listed twelve times
  GLint maxLights = 0;
  glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
  SceneRenderer::EnableNodeLights(node);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  int enabled = 0;
  for (GLint i = 0; i < maxLights; ++i) enabled += glIsEnabled(GL_LIGHT0 + i) ? 1 : 0;
  EXPECT_EQ(enabled, std::min<GLint>(12, maxLights));
  SceneRenderer::DisableNodeLights(node);
  for (GLint i = 0; i < maxLights; ++i) EXPECT_FALSE(glIsEnabled(GL_LIGHT0 + i));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));

  scene::SceneNode unlit;
  glDisable(GL_LIGHTING);
  SceneRenderer::EnableNodeLights(unlit);
  SceneRenderer::DisableNodeLights(unlit);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

TEST_F(PassesTest, AFrameWithoutCamerasDrawsOnlyTheOverlay) {
  BssScene file;
  file.objects.push_back(Box("room", "Scene Root", {-500, -400, 0}, {500, 400, 320}, "wall.tga"));
  vertices_.clear();
  Load(file);
  app::RendererState.clientRect = {0, 0, 64, 64};
  app::RendererState.snapshotSize = 64;
  scene::CameraDirector::Start(scene_);
  for (int frame = 0; frame < 3; ++frame) SceneRenderer::DrawFrame();
  EXPECT_TRUE(scene_.opaqueList.empty());
  EXPECT_TRUE(scene::ScreenQuadQueue.empty());  // drawn and emptied
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace scene_test
