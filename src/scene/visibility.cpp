// Which nodes are drawn this frame, and the key animation of instance nodes.
// The room (a top-level node) is visible when the camera is inside its box;
// its visibility flows to its children through their flags. Static-model
// instances are culled further, by the frustum or by last frame's query.
#include <cmath>
#include <cstdint>

#include "app/frame_timer.h"
#include "effects/particle_manager.h"
#include "math/frustum.h"
#include "scene/scene_renderer.h"

namespace scene {
namespace {

bool StrictlyInside(const SceneNode& node, const math::Vector3& p) {
  return node.min.x < p.x && p.x < node.max.x && node.min.y < p.y && p.y < node.max.y && node.min.z < p.z &&
         p.z < node.max.z;
}

void ApplyCamera(SceneCamera* camera) {
  if (camera) camera->Apply();
}

void NodeVisibility(SceneNode& node, SceneCamera* camera);

// A portal narrows the view towards itself when the camera is far from it.
void PortalTest(OcclusionVolume& volume, SceneCamera* camera) {
  if (!volume.flag || !camera || volume.points.empty()) return;
  const math::Vector3 p = camera->position;
  if (!*volume.flag && math::Dot(p - volume.points[0], volume.normal) > 0.0f) {
    for (const math::Vector3& point : volume.points)
      *volume.flag = *volume.flag || math::ViewFrustum.TestSphere(point.x, point.y, point.z, 35.0f);
    *volume.flag = *volume.flag ||
                   math::ViewFrustum.TestCube(volume.centroid.x, volume.centroid.y, volume.centroid.z, 175.0f);
  }
  if (*volume.flag && volume.node) {
    const float dx = volume.centroid.x - p.x, dy = volume.centroid.y - p.y;
    if (std::sqrt(dx * dx + dy * dy) > 260.0f) {
      glMatrixMode(GL_PROJECTION);
      glLoadIdentity();
      gluPerspective(30.0, 1.333, 1.0, 3000.0);
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      const math::Vector3 towards = math::Normalized(dx, dy, 0.0f);
      gluLookAt(p.x, p.y, p.z, p.x + towards.x, p.y + towards.y, p.z, camera->up.x, camera->up.y, camera->up.z);
    } else {
      camera->Apply();
    }
    math::ViewFrustum.Extract();
    if (volume.node->unprocessed) NodeVisibility(*volume.node, camera);
  }
}

void NodeVisibility(SceneNode& node, SceneCamera* camera) {
  if (!node.isTopLevel || !node.visible) return;
  for (bool* flag : node.childFlags) *flag = node.visible;
  node.unprocessed = false;
  for (OcclusionVolume* volume : node.occlusionVolumes) {
    if (camera && StrictlyInside(node, camera->position)) camera->Apply();
    PortalTest(*volume, camera);
  }
}

GLint QueryResult(GLuint query) {
  GLint result = 0;
  if (query) glGetQueryObjectivARB(query, GL_QUERY_RESULT_ARB, &result);
  return result;
}

void QueryNodeVisibility(SceneNode& node) {
  node.unprocessed = false;
  if (!node.visible) return;
  if (node.isTopLevel)
    for (bool* flag : node.childFlags) *flag = node.visible;
  for (OcclusionVolume* volume : node.occlusionVolumes) {
    const GLint result = QueryResult(volume->queryId);
    if (volume->flag && result != 0) {
      *volume->flag = true;
      if (volume->node && volume->node->unprocessed) QueryNodeVisibility(*volume->node);
    }
  }
}

void WakeHelpers(Scene& scene) {
  for (SceneHelper* helper : scene.helpers) {
    if (helper->visible && helper->type == 2) effects::EmitForHelper(*helper);
    helper->visible = false;
  }
}

void BuildAndDrawLists(Scene& scene) {
  scene.opaqueList.clear();
  scene.glassList.clear();
  for (SceneNode* node : scene.nodes) {
    if (!node->visible) continue;
    (node->hasGlass ? scene.glassList : scene.opaqueList).push_back(node);
  }
  SceneRenderer::DrawList(scene.opaqueList, 0.001f);
}

// Six faces of a box of the given size centred at the origin.
void DrawSolidBox(const math::Vector3& size) {
  const float x = size.x * 0.5f, y = size.y * 0.5f, z = size.z * 0.5f;
  const float c[8][3] = {{-x, -y, -z}, {x, -y, -z}, {x, y, -z}, {-x, y, -z},
                         {-x, -y, z},  {x, -y, z},  {x, y, z},  {-x, y, z}};
  static const int kFaces[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4},
                                   {2, 3, 7, 6}, {1, 2, 6, 5}, {3, 0, 4, 7}};
  glBegin(GL_QUADS);
  for (const auto& face : kFaces)
    for (int corner : face) glVertex3fv(c[corner]);
  glEnd();
}

void QueryPass(Scene& scene) {
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glColor4d(0.0, 0.0, 0.0, 1.0);
  glEnable(GL_BLEND);
  glDisable(GL_FOG);
  glEnable(GL_CULL_FACE);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glDepthMask(GL_FALSE);
  for (SceneNode* node : scene.topLevelNodes) {
    if (!node->visible) continue;
    for (OcclusionVolume* volume : node->occlusionVolumes) {
      glBeginQueryARB(GL_SAMPLES_PASSED_ARB, volume->queryId);
      glEnable(GL_CULL_FACE);
      glBegin(GL_TRIANGLES);
      for (uint32_t index : volume->triangles) {
        const math::Vector3& p = volume->points[index];
        glVertex3f(p.x, p.y, p.z);
      }
      glEnd();
      glEndQueryARB(GL_SAMPLES_PASSED_ARB);
    }
  }
  glDisable(GL_CULL_FACE);
  for (SceneNode* node : scene.childNodes) {
    if (!node->parentVisible || !*node->parentVisible || !node->isStaticInstance) continue;
    glBeginQueryARB(GL_SAMPLES_PASSED_ARB, node->queryId);
    glTranslatef(node->centre.x, node->centre.y, node->centre.z);
    DrawSolidBox(node->size);
    glTranslatef(-node->centre.x, -node->centre.y, -node->centre.z);
    glEndQueryARB(GL_SAMPLES_PASSED_ARB);
  }
  glEnable(GL_CULL_FACE);
  glDisable(GL_BLEND);
  glDepthMask(GL_TRUE);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void DrawVisibleWithoutQueries(Scene& scene) {
  SceneCamera* camera = CurrentCamera(scene);
  for (SceneNode* node : scene.nodes) node->unprocessed = true;
  ApplyCamera(camera);
  for (SceneNode* node : scene.nodes) {
    if (camera && StrictlyInside(*node, camera->position) && node->isTopLevel) node->visible = true;
    NodeVisibility(*node, camera);
  }
  ApplyCamera(camera);
  for (SceneNode* node : scene.childNodes)
    if (node->isStaticInstance && node->visible)
      node->visible = math::ViewFrustum.TestCube(node->centre.x, node->centre.y, node->centre.z, node->extent);
  WakeHelpers(scene);
  BuildAndDrawLists(scene);
}

void DrawVisibleWithQueries(Scene& scene) {
  SceneCamera* camera = CurrentCamera(scene);
  for (SceneNode* node : scene.topLevelNodes) {
    if (camera && StrictlyInside(*node, camera->position)) node->visible = true;
    QueryNodeVisibility(*node);
  }
  WakeHelpers(scene);
  // Last frame's results: the pipeline never waits on this frame's queries.
  for (SceneNode* node : scene.childNodes)
    if (node->visible && node->isStaticInstance) node->visible = QueryResult(node->queryId) != 0;
  BuildAndDrawLists(scene);
  QueryPass(scene);
}

}  // namespace

void SceneRenderer::ResetVisibility(Scene& scene) {
  for (SceneNode* node : scene.nodes) {
    node->unprocessed = true;
    node->visible = false;
  }
}

void SceneRenderer::AnimateNodes(Scene& scene) {
  const float dt = app::Timer.dt;
  for (SceneNode* node : scene.nodes) {
    if (!node->isKeyAnimated || node->keyCount < 1) continue;
    SceneNode& n = *node;
    int32_t next = 0;
    if (n.holdCount <= 0) {
      next = n.currentKey + 1 < n.keyCount - 1 ? n.currentKey + 1 : 0;
    } else {
      n.currentKey = 0;
      next = 0;
    }
    const math::Vector3& from = n.keyPositions[n.currentKey];
    n.centre = from + (n.keyPositions[next] - from) * n.keyTime;
    n.rotation = math::Slerp(n.keyRotations[n.currentKey], n.keyRotations[next], n.keyTime);
    n.keyTime += dt * 0.05f;
    if (n.keyTime > 1.0f) {
      n.keyTime = 0.0f;
      n.currentKey += 1;
      // A stored 0x80000000 is the lowest count and must not wrap round.
      if (n.holdCount > INT32_MIN) n.holdCount -= 1;
    }
    if (n.currentKey > n.keyCount - 2) {
      n.currentKey = 0;
      n.keyTime = 0.0f;
      n.centre = n.keyPositions[0];
      n.rotation = n.keyRotations[0];
    }
  }
}

void SceneRenderer::DrawVisible(Scene& scene) {
  if (scene.occlusionQueriesInUse)
    DrawVisibleWithQueries(scene);
  else
    DrawVisibleWithoutQueries(scene);
}

}  // namespace scene
