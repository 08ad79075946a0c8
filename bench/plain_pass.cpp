// The floor the room's renderer is measured against: every triangle of the
// shipped scene drawn in one plain textured, fogged pass from a vertex
// buffer, along the same camera paths, at the given size.
//   bench_plain_pass PRIMARY.rar SECONDARY.rar WIDTHxHEIGHT FRAMES
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "app/frame_timer.h"
#include "app/renderer_state.h"
#include "archive/asset_store.h"
#include "egl_test_context.h"
#include "platform/gl_api.h"
#include "platform/headless/headless_platform.h"
#include "scene/scene_camera.h"
#include "scene/scene_loader.h"

namespace {

std::vector<uint8_t> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
  int width = 0, height = 0, frames = 0;
  if (argc != 5 || std::sscanf(argv[3], "%dx%d", &width, &height) != 2 || std::sscanf(argv[4], "%d", &frames) != 1) {
    std::fprintf(stderr, "usage: bench_plain_pass PRIMARY.rar SECONDARY.rar WIDTHxHEIGHT FRAMES\n");
    return 2;
  }
  platform::HeadlessOptions options;
  options.width = width;
  options.height = height;
  std::unique_ptr<platform::Platform> os = platform::CreateHeadlessPlatform(options);
  platform::SetOs(os.get());
  EglTestContext context(width, height);
  if (!context.ok()) {
    std::fprintf(stderr, "no GL context: %s\n", context.error().c_str());
    return 1;
  }
  glewExperimental = GL_TRUE;
  glewInit();
  app::RendererState.screenWidth = width;
  app::RendererState.screenHeight = height;

  const std::vector<uint8_t> primary = ReadFile(argv[1]), secondary = ReadFile(argv[2]);
  archive::Assets().Open(archive::ArchiveView{primary.data(), static_cast<uint32_t>(primary.size()), 0},
                         archive::ArchiveView{secondary.data(), static_cast<uint32_t>(secondary.size()), 0});
  archive::AssetBlob blob = archive::Assets().Find("Models/test.BSS");
  scene::SceneLoader::Read(blob.data, blob.size, scene::TheScene, scene::SceneVertices, false);
  archive::FreeAssetBlob(blob);
  scene::Scene& room = scene::TheScene;
  if (room.cameras.empty() || scene::SceneVertices.empty()) {
    std::fprintf(stderr, "the scene has no cameras or no triangles\n");
    return 1;
  }
  GLuint texture = 0;
  for (const scene::SceneNode* node : room.nodes)
    if (!node->faceGroups.empty() && node->faceGroups[0].diffuseTexture) {
      texture = node->faceGroups[0].diffuseTexture;
      break;
    }

  GLuint vbo = 0;
  glGenBuffersARB(1, &vbo);
  glBindBufferARB(GL_ARRAY_BUFFER_ARB, vbo);
  const auto& vertices = scene::SceneVertices;
  glBufferDataARB(GL_ARRAY_BUFFER_ARB, static_cast<GLsizeiptrARB>(vertices.size() * sizeof(scene::SceneVertex)),
                  vertices.data(), GL_STATIC_DRAW_ARB);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(3, GL_FLOAT, sizeof(scene::SceneVertex), nullptr);
  glTexCoordPointer(2, GL_FLOAT, sizeof(scene::SceneVertex), reinterpret_cast<const GLvoid*>(24));

  glViewport(0, 0, width, height);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glEnable(GL_FOG);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogf(GL_FOG_START, 2720.0f);
  glFogf(GL_FOG_END, 12600.0f);

  scene::CameraDirector::Start(room);
  app::Timer.dt = 1.0f;
  std::vector<double> milliseconds;
  using Clock = std::chrono::steady_clock;
  for (int frame = 0; frame < frames; ++frame) {
    const Clock::time_point start = Clock::now();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    scene::CameraDirector::Step(room);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size()));
    glFinish();
    milliseconds.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  double total = 0;
  for (double ms : milliseconds) total += ms;
  std::sort(milliseconds.begin(), milliseconds.end());
  std::printf("plain pass: %zu triangles at %dx%d\n", vertices.size() / 3, width, height);
  std::printf("plain pass frames/s: %.1f\n", frames / (total / 1000.0));
  std::printf("plain pass median ms/frame: %.3f\n", milliseconds[milliseconds.size() / 2]);
  scene::ClearSceneRecords(room);
  platform::SetOs(nullptr);
  return 0;
}
