// Scenes built with the content generator's writer and read by the saver's
// loader inside a small off-screen GL context, with a log to read back.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/frame_timer.h"
#include "app/log.h"
#include "archive/asset_store.h"
#include "assets/texture_cache.h"
#include "bss_writer.h"
#include "egl_test_context.h"
#include "platform/headless/headless_platform.h"
#include "platform/platform.h"
#include "rar_writer.h"
#include "scene/scene_loader.h"

namespace scene_test {

using content::BssMaterialRun;
using content::BssMeshObject;
using content::BssScene;
using content::Vec3;

// An axis-aligned box of 12 triangles (36 corners), one material run.
inline BssMeshObject Box(const std::string& name, const std::string& parent, Vec3 lo, Vec3 hi,
                         const std::string& texture = "None") {
  BssMeshObject o;
  o.name = name;
  o.parentName = parent;
  o.positions = {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z},
                 {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}};
  const uint32_t quads[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {2, 3, 7, 6}, {1, 2, 6, 5}, {3, 0, 4, 7}};
  o.texCoords = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  for (const auto& q : quads) {
    o.faces.push_back({q[0], q[1], q[2]});
    o.faces.push_back({q[0], q[2], q[3]});
    o.texFaces.push_back({0, 1, 2});
    o.texFaces.push_back({0, 2, 3});
  }
  o.lightmapFaces = o.texFaces;
  o.normals.assign(o.faces.size() * 3, Vec3{0, 0, 2});
  BssMaterialRun run;
  run.diffuse = texture;
  run.vertexCount = static_cast<uint32_t>(o.faces.size() * 3);
  o.materials.push_back(run);
  return o;
}

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    os_ = platform::CreateHeadlessPlatform(platform::HeadlessOptions());
    platform::SetOs(os_.get());
    ASSERT_TRUE(context_.ok()) << context_.error();
    glewExperimental = GL_TRUE;
    // Without an X display the GLX part of the set-up fails after the GL
    // entry points are loaded, which is all these tests need.
    glewInit();
    // A 2 x 2 default texture stands in for every texture the scenes name.
    std::vector<uint8_t> tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 24, 0};
    tga.resize(tga.size() + 12, 0x80);
    archive_ = content::BuildRarArchive({{"Textures", true, {}}, {"Textures\\tex_default.tga", false, tga}});
    archive::Assets().Open(archive::ArchiveView{archive_.data(), static_cast<uint32_t>(archive_.size()), 0},
                           archive::ArchiveView{});
    logPath_ = std::filesystem::temp_directory_path() /
               (std::string("glimmerhall-scene-") +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log");
    std::filesystem::remove(logPath_);
    app::OpenLog(logPath_.string());
    app::Timer.dt = 1.0f;
  }

  void TearDown() override {
    scene::ClearSceneRecords(scene_);
    vertices_.clear();
    assets::TextureCache::Clear();
    archive::Assets().Open(archive::ArchiveView{}, archive::ArchiveView{});
    app::CloseLog();
    std::filesystem::remove(logPath_);
    platform::SetOs(nullptr);
  }

  void Load(const BssScene& file, bool link = true) {
    bytes_ = content::EncodeBss(file);
    LoadBytes(bytes_, link);
  }

  void LoadBytes(const std::vector<uint8_t>& bytes, bool link = true) {
    scene::SceneLoader::Read(bytes.data(), bytes.size(), scene_, vertices_, false);
    if (!link) return;
    scene::SceneLoader::SortDrawOrder(scene_);
    scene::SceneLoader::Link(scene_, false);
    scene::SceneLoader::AssignLights(scene_);
  }

  std::vector<std::string> NodeNames() const {
    std::vector<std::string> names;
    for (const scene::SceneNode* node : scene_.nodes) names.push_back(node->name);
    return names;
  }

  int LogCount(const std::string& line) const {
    std::ifstream in(logPath_);
    int count = 0;
    for (std::string text; std::getline(in, text);) count += text == line;
    return count;
  }

  std::unique_ptr<platform::Platform> os_;
  EglTestContext context_{64, 64};
  std::filesystem::path logPath_;
  std::vector<uint8_t> archive_;
  std::vector<uint8_t> bytes_;
  // The program's own scene: the renderer draws from it and its vertices.
  scene::Scene& scene_ = scene::TheScene;
  std::vector<scene::SceneVertex>& vertices_ = scene::SceneVertices;
};

}  // namespace scene_test
