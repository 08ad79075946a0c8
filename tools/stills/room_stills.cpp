// glimmerhall_stills --archives DIR --out DIR: renders the room from the
// data archives in DIR with the saver's own frame code, offscreen, and
// writes the loading picture (loading.jpg) and the options dialog's and
// control panel's pictures (dialog.bmp, preview.bmp) into the out folder.
// Seed, frame time and clock are fixed, so every run writes the same bytes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/frame_timer.h"
#include "app/gl_context.h"
#include "app/renderer_state.h"
#include "app/time_of_day.h"
#include "archive/asset_store.h"
#include "assets/asset_release.h"
#include "assets/texture_cache.h"
#include "basic_pictures.h"
#include "bmp_writer.h"
#include "jpeg_writer.h"
#include "output_file.h"
#include "overlay/overlay_pass.h"
#include "platform/gl_api.h"
#include "platform/headless/headless_platform.h"
#include "platform/headless/png_writer.h"
#include "scene/scene.h"
#include "scene/scene_camera.h"
#include "scene/scene_loader.h"
#include "scene/scene_renderer.h"
#include "still_pictures.h"
#include "text_render.h"

namespace {

// The frame is rendered at 4:3, the aspect the cameras project with, and
// large enough that every picture is a downscale of it.
constexpr int kFrameWidth = 1280;
constexpr int kFrameHeight = 960;
// Twenty frames a second of virtual time (the timer counts 50 ticks a second).
constexpr double kTicksPerFrame = 2.5;
constexpr float kKeysPerTick = 0.075f;  // the camera's pace along its keys
constexpr unsigned kSeed = 1224;

// Where a picture looks from: a camera path, the key it rests on and the
// part of the frame that is kept.
struct View {
  int camera;
  float key;
  float centreX, centreY;  // of the crop, as fractions of the frame
  float zoom;              // 1 keeps the largest crop, more keeps less of the frame
};

// Christmas Eve by the fire: the dolly has settled on the stockings, the
// candles on the mantel and the flames.
constexpr View kLoadingView{1, 168.0f, 0.5f, 0.56f, 1.0f};
// The tree with its lights and the train's ring, a little from the side.
constexpr View kRoomView{4, 115.0f, 0.47f, 0.44f, 1.2f};

// Long enough for the start-up fade to clear and the fire, the tree's lights
// and the snow outside to be in full flow before the first picture is taken.
constexpr int kWarmUpFrames = 90;
// After a change of camera: the visibility of the new view settles.
constexpr int kSettleFrames = 4;

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Pictures {
  content::RgbaImage loading, dialog, preview;
};

// Puts the camera so many frames before its key, so that it arrives there
// moving as it always does.
void PlaceCamera(const View& view, int framesBefore) {
  scene::Scene& room = scene::TheScene;
  if (view.camera >= static_cast<int>(room.cameras.size())) return;
  room.currentCamera = view.camera;
  scene::SceneCamera& camera = *room.cameras[static_cast<size_t>(view.camera)];
  float key = view.key - static_cast<float>(framesBefore * kTicksPerFrame) * kKeysPerTick;
  if (key < 0.0f) key = 0.0f;
  camera.finished = false;
  camera.currentKey = static_cast<int32_t>(key);
  scene::CameraKeyT = key - static_cast<float>(camera.currentKey);
}

void DrawFrames(platform::Platform& os, int count) {
  for (int i = 0; i < count; ++i) {
    app::TimeOfDay.local = os.LocalClock();
    app::UpdateCountdown(app::TimeOfDay);
    scene::SceneRenderer::DrawFrame();
  }
}

content::RgbaImage Frame() {
  return content::FromPixels(kFrameWidth, kFrameHeight, platform::ReadFramebuffer(kFrameWidth, kFrameHeight));
}

content::RgbaImage Finish(const content::RgbaImage& frame, const View& view, int width, int height,
                          float vignette) {
  const content::RgbaImage largest =
      content::CropToAspect(frame, static_cast<float>(width) / height, view.centreX, view.centreY);
  const content::RgbaImage kept =
      view.zoom > 1.0f ? content::CropToAspect(largest, static_cast<float>(width) / height, 0.5f, 0.5f, 1.0f / view.zoom)
                       : largest;
  content::RgbaImage picture = content::Resize(kept, width, height);
  content::Vignette(picture, vignette);
  return picture;
}

// Renders both views; false when no offscreen OpenGL context came up.
bool RenderPictures(const std::vector<uint8_t>& primary, const std::vector<uint8_t>& secondary, Pictures& out) {
  platform::HeadlessOptions options;
  options.width = kFrameWidth;
  options.height = kFrameHeight;
  options.frames = 1L << 30;  // the program ends the run, not the platform
  options.fixedFrameTime = true;
  options.frameTimeTicks = kTicksPerFrame;
  options.fixedClock = true;
  platform::ParseLocalTime("2024-12-24 21:30:00", options.clock);
  options.seeded = true;
  options.seed = kSeed;
  std::srand(kSeed);
  std::unique_ptr<platform::Platform> os = platform::CreateHeadlessPlatform(options);
  platform::SetOs(os.get());

  app::RendererState.screenWidth = kFrameWidth;
  app::RendererState.screenHeight = kFrameHeight;
  app::RendererState.colorDepth = 32;
  // The pictures show the room alone: no clock, countdown or frame rate.
  overlay::TextOverlaysShown = false;
  scene::ForcedFirstCamera = kLoadingView.camera;
  bool rendered = false;
  if (app::CreateWindowForSaver("Glimmerhall stills", kFrameWidth, kFrameHeight, true)) {
    app::StartOpenGL();
    rendered = glGetString(GL_VERSION) != nullptr;
  }
  if (rendered) {
    archive::Assets().Open(archive::ArchiveView{primary.data(), static_cast<uint32_t>(primary.size()), 0},
                           archive::ArchiveView{secondary.data(), static_cast<uint32_t>(secondary.size()), 0});
    scene::LoadScene();
    rendered = !scene::TheScene.cameras.empty();
  }
  if (rendered) {
    // The main loop's start: the timer counts from here.
    app::Timer.dt = 0.0f;
    app::Timer.counterFrequency = os->CounterFrequency();
    os->ReadCounter(app::Timer.previousCounter);
    PlaceCamera(kLoadingView, kWarmUpFrames);
    DrawFrames(*os, kWarmUpFrames);
    const content::RgbaImage fire = Frame();
    out.loading = Finish(fire, kLoadingView, 512, 512, 0.35f);
    content::SetLoadingCaption(out.loading, "Loading\xE2\x80\xA6");

    PlaceCamera(kRoomView, kSettleFrames);
    DrawFrames(*os, kSettleFrames);
    const content::RgbaImage tree = Frame();
    out.dialog = Finish(tree, kRoomView, 220, 140, 0.25f);
    out.preview = Finish(tree, kRoomView, 154, 112, 0.25f);
  }
  scene::ClearScene();
  assets::ClearTextureCache();
  assets::DestroyModelLibrary();
  os.reset();
  platform::SetOs(nullptr);
  return rendered;
}

}  // namespace

int main(int argc, char** argv) {
  std::string archives, outDir;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--archives") == 0) archives = argv[++i];
    else if (std::strcmp(argv[i], "--out") == 0) outDir = argv[++i];
  }
  if (archives.empty() || outDir.empty()) {
    std::fprintf(stderr, "usage: glimmerhall_stills --archives DIR --out DIR\n");
    return 2;
  }
  const std::vector<uint8_t> primary = ReadFile(std::filesystem::path(archives) / "media148.rar");
  const std::vector<uint8_t> secondary = ReadFile(std::filesystem::path(archives) / "media150.rar");
  if (primary.empty() || secondary.empty()) {
    std::fprintf(stderr, "glimmerhall_stills: no media148.rar and media150.rar in %s\n", archives.c_str());
    return 1;
  }
  std::string missingFont;
  if (!content::FontsAvailable(missingFont)) {
    std::fprintf(stderr, "glimmerhall_stills: the caption's font is missing: %s\n", missingFont.c_str());
    return 1;
  }

  Pictures pictures;
  if (!RenderPictures(primary, secondary, pictures)) {
    // Without offscreen OpenGL on the build machine the saver still gets
    // pictures, the drawn impressions of the room.
    std::fprintf(stderr, "glimmerhall_stills: warning: the room could not be rendered offscreen; "
                         "writing the drawn pictures instead\n");
    pictures.loading = content::DrawLoadingPicture(512);
    content::SetLoadingCaption(pictures.loading, "Loading\xE2\x80\xA6");
    pictures.dialog = content::DrawRoomPicture(220, 140);
    pictures.preview = content::DrawRoomPicture(154, 112);
  }
  const std::filesystem::path out(outDir);
  if (!content::WriteFileWhole(out / "loading.jpg", content::EncodeJpeg(pictures.loading, 92)) ||
      !content::WriteFileWhole(out / "dialog.bmp", content::EncodeBmp(pictures.dialog)) ||
      !content::WriteFileWhole(out / "preview.bmp", content::EncodeBmp(pictures.preview))) {
    std::fprintf(stderr, "glimmerhall_stills: cannot write the pictures into %s\n", outDir.c_str());
    return 1;
  }
  return 0;
}
