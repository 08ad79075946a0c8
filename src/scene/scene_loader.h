// Reads the room's scene file into the Scene and links its graph.
#pragma once

#include <cstddef>
#include <cstdint>

#include "scene/scene_types.h"

namespace scene {

// The loader's material tables and a light's name table.
constexpr uint32_t kMaxMaterials = 320;

class SceneLoader {
 public:
  // Reads "Models/test.BSS" into TheScene, links it and sets up the
  // renderer (vertex buffer, first camera).
  static void Load();

  // The reading alone, from bytes: fills scene and appends to vertices.
  // Stops at the first record that runs past the end; every record read
  // completely before it stays.
  static void Read(const uint8_t* data, size_t size, Scene& scene, std::vector<SceneVertex>& vertices,
                   bool occlusionQueries);

  // The steps after reading, in their order.
  static void SortDrawOrder(Scene& scene);
  static void Link(Scene& scene, bool occlusionQueries);
  static void AssignLights(Scene& scene);
};

}  // namespace scene
