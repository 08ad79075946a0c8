// The renderer of the room: frame composition, the scene pass, visibility,
// node key animation and the material passes of the mesh nodes.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gl_api.h"
#include "scene/scene_types.h"

namespace scene {

struct FadeState {
  float elapsed = 0.0f;        // start-up fade's elapsed counter, ticks × 0.5
  float alpha = 1.0f;          // opacity of the black cover at start-up
  float snapshotAlpha = 0.0f;  // opacity of the cross-fade snapshot
};

extern FadeState Fades;

// A full-screen quad of the overlay pass (fades), fields in record order.
struct ScreenQuad {
  float x = 0, y = 0, halfWidth = 0, halfHeight = 0;
  float colour[4] = {};
  GLenum blendSource = GL_SRC_ALPHA;
  GLenum blendDestination = GL_ONE_MINUS_SRC_ALPHA;
  GLuint texture = 0;
};

extern std::vector<ScreenQuad> ScreenQuadQueue;

// Set while an animated-model instance has unbound the vertex buffer during
// the current list; and the nodes drawn this frame.
extern bool VertexBufferUnbound;
extern int32_t DrawnNodeCount;

class SceneRenderer {
 public:
  static void DrawFrame();
  static void QueueScreenQuad(float x, float y, float halfWidth, float halfHeight, float r, float g, float b,
                              float a, GLuint texture, GLenum blendSource, GLenum blendDestination);
  static void ScenePass();

  static void CreateVertexBuffer();
  static void DrawList(const std::vector<SceneNode*>& list, float alphaReference);
  static void DrawFaceGroup(const FaceGroup& group, bool untextured);
  static void EnableNodeLights(const SceneNode& node);
  static void DisableNodeLights(const SceneNode& node);

  static void ResetVisibility(Scene& scene);
  static void AnimateNodes(Scene& scene);
  static void DrawVisible(Scene& scene);
};

// The fade counters of a frame: the elapsed counter with the previous dt,
// then the snapshot and cover opacities with the new one.
void AdvanceElapsedFade(float dt);
void AdvanceFadeAlphas(float dt);

// Forgets the per-run frame state, for a new run in the same process.
void ResetFrameComposition();

}  // namespace scene
