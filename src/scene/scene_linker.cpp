// The steps that turn the records read from the scene file into the graph
// the per-frame code walks: draw order, parent/child flags, lights.
#include <utility>

#include "platform/gl_api.h"
#include "scene/instance_models.h"
#include "scene/scene_loader.h"

namespace scene {
namespace {

// One exchange-sort pass over the nodes with face groups, keyed by a flag of
// their first group. Nodes without face groups never move.
template <typename Key>
void ExchangeSort(std::vector<SceneNode*>& nodes, Key key) {
  const size_t n = nodes.size();
  for (size_t i = 0; i < n; ++i)
    for (size_t j = 0; j < n; ++j) {
      if (nodes[i]->faceGroups.empty() || nodes[j]->faceGroups.empty()) continue;
      if (!key(nodes[i]->faceGroups.front()) && key(nodes[j]->faceGroups.front())) std::swap(nodes[i], nodes[j]);
    }
}

}  // namespace

void SceneLoader::SortDrawOrder(Scene& scene) {
  ExchangeSort(scene.nodes, [](const FaceGroup& g) { return g.glass; });
  ExchangeSort(scene.nodes, [](const FaceGroup& g) { return g.additive; });
}

void SceneLoader::Link(Scene& scene, bool occlusionQueries) {
  for (SceneNode* node : scene.nodes) {
    for (SceneNode* other : scene.nodes)
      if (other->parentName == node->name) {
        node->childFlags.push_back(&other->visible);
        other->parentVisible = &node->visible;
      }
    for (OcclusionVolume* volume : scene.occlusionVolumes) {
      if (volume->name == node->name) node->occlusionVolumes.push_back(volume);
      if (volume->parentName == node->name) {
        volume->flag = &node->visible;
        volume->node = node;
      }
    }
    for (SceneHelper* helper : scene.helpers)
      if (helper->type != 1 && helper->parentName == node->name) node->childFlags.push_back(&helper->visible);
  }
  for (SceneNode* node : scene.nodes) {
    if (node->isTopLevel) {
      scene.topLevelNodes.push_back(node);
    } else {
      scene.childNodes.push_back(node);
      if (occlusionQueries) glGenQueriesARB(1, &node->queryId);
    }
  }
}

void SceneLoader::AssignLights(Scene& scene) {
  for (SceneNode* node : scene.nodes) {
    if (node->hasLightmap) continue;
    for (SceneLight* light : scene.lights) {
      const float w = light->position[3];
      const float p[3] = {light->position[0] / w, light->position[1] / w, light->position[2] / w};
      const float lo[3] = {node->min.x, node->min.y, node->min.z};
      const float hi[3] = {node->max.x, node->max.y, node->max.z};
      const float reach = 2.0f * light->range;
      bool inside = true;
      for (int axis = 0; axis < 3; ++axis)
        inside = inside && lo[axis] - reach < p[axis] && p[axis] < hi[axis] + reach;
      if (inside) {
        node->lights.push_back(light);
        continue;
      }
      for (const std::string& name : light->names)
        if (name == node->name) node->lights.push_back(light);
    }
  }
}

Scene TheScene;
std::vector<SceneVertex> SceneVertices;

SceneNode* FindNode(Scene& scene, const std::string& name) {
  for (SceneNode* node : scene.nodes)
    if (node->name == name) return node;
  return nullptr;
}

void ClearSceneRecords(Scene& scene) {
  for (SceneNode* node : scene.nodes) {
    ReleaseInstanceModels(*node);
    delete node;
  }
  delete scene.vismesh;
  for (SceneCamera* camera : scene.cameras) delete camera;
  for (OcclusionVolume* volume : scene.occlusionVolumes) delete volume;
  for (SceneHelper* helper : scene.helpers) delete helper;
  for (SceneLight* light : scene.lights) delete light;
  scene = Scene();
}

}  // namespace scene
