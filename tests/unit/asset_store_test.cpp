#include "archive/asset_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/log.h"
#include "archive_builder.h"
#include "platform/embedded_resources.h"
#include "platform/headless/headless_platform.h"

using archive_test::Block;
using archive_test::Build;
using archive_test::File;
using archive_test::Folder;

namespace {

std::optional<std::string> Take(archive::AssetBlob blob) {
  if (!blob.data) {
    EXPECT_EQ(blob.size, 0u);
    return std::nullopt;
  }
  std::string text(reinterpret_cast<const char*>(blob.data), blob.size);
  archive::FreeAssetBlob(blob);
  return text;
}

archive::ArchiveView ViewOf(const std::vector<uint8_t>& bytes) {
  return archive::ArchiveView{bytes.data(), static_cast<uint32_t>(bytes.size()), 0};
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class AssetStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = std::filesystem::temp_directory_path() /
            ("asset_store_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(work_);
    std::filesystem::create_directories(work_);
    previousDir_ = std::filesystem::current_path();
    std::filesystem::current_path(work_);
    app::OpenLog((work_ / "log.txt").string());
  }
  void TearDown() override {
    app::CloseLog();
    std::filesystem::current_path(previousDir_);
    std::filesystem::remove_all(work_);
  }
  std::string Log() { return ReadText(work_ / "log.txt"); }

  // Same path in both: the primary's copy must win.
  const std::vector<uint8_t> primaryBytes_ = Build(
      {Folder("Textures"), File("Textures\\tex_default.tga", "primary default"), File("Music\\Music.ogg", "ogg")});
  const std::vector<uint8_t> secondaryBytes_ = Build({Folder("Textures"),
                                                      File("Textures\\tex_default.tga", "secondary default"),
                                                      File("Textures\\tex_sym_0.tga", "0")});
  std::filesystem::path work_;
  std::filesystem::path previousDir_;
};

TEST_F(AssetStoreTest, PrimaryArchiveFirstThenSecondaryThenNothing) {
  archive::AssetStore store;
  EXPECT_EQ(Take(store.Find("Textures/tex_default.tga")), std::nullopt) << "nothing before the archives are open";
  store.Open(ViewOf(primaryBytes_), ViewOf(secondaryBytes_));
  for (int pass = 0; pass < 2; ++pass) {
    auto find = [&](const char* name) { return Take(pass ? store.FindByScan(name) : store.Find(name)); };
    EXPECT_EQ(find("Textures/tex_default.tga"), "primary default");
    EXPECT_EQ(find("Music/music.ogg"), "ogg");
    EXPECT_EQ(find("Textures/tex_sym_0.tga"), "0");
    EXPECT_EQ(find("textures"), std::string());
    EXPECT_EQ(find("Textures/missing.tga"), std::nullopt);
  }
  EXPECT_EQ(Log(), "") << "lookups, found or not, log nothing";
}

// Every spelling of every stored name, and names that are not there, over
// archives with the awkward cases: duplicates, a damaged first copy,
// directories, foreign blocks, a blocked solid archive and a damaged tail.
TEST_F(AssetStoreTest, IndexAnswersEveryNameAsTheScanDoes) {
  Block damaged = File("Textures\\dup.tga", "bad");
  damaged.crc = 7;
  Block foreign = File("ignored", "");
  foreign.type = 0x7A;
  Block compressed = File("Models\\packed.bsm", "p");
  compressed.method = 0x33;
  Block oldVersion = File("old.bin", "o");
  oldVersion.version = 12;
  Block subBlock = File("Textures\\beyond.tga", "");
  subBlock.type = 0x77;
  const std::vector<Block> blocks = {Folder("Models"), File("Models\\a.bsm", "a"), damaged,
                                     File("TEXTURES/DUP.TGA", "good"), foreign, File("models\\A.BSM", "a again"),
                                     compressed, oldVersion, File("Sprites\\s.tga", "s"), subBlock,
                                     File("Textures\\beyond.tga", "b")};
  const std::vector<const char*> names = {
      "Models",        "models/a.bsm",       "Models\\A.BSM",   "Textures/dup.tga", "ignored",
      "Models/packed.bsm", "old.bin",        "sprites/S.TGA",   "Textures/beyond.tga", "Sprites",
      "",              "Textures/nothing.tga", "Models_a.bsm",  "Textures/tex_sym_0.tga"};
  int found = 0, lookups = 0;
  for (const uint16_t archiveFlags : {uint16_t(0), uint16_t(0x0008)}) {
    const auto primary = Build(blocks, archiveFlags);
    auto cut = Build({File("Textures\\tex_sym_0.tga", "0"), File("cut.bin", "xyz")});
    cut.pop_back();
    archive::AssetStore store;
    store.Open(ViewOf(primary), ViewOf(cut));
    for (const char* name : names) {
      const auto indexed = Take(store.Find(name));
      EXPECT_EQ(indexed, Take(store.FindByScan(name))) << "'" << name << "' flags " << archiveFlags;
      found += indexed.has_value();
      ++lookups;
    }
    EXPECT_EQ(Take(store.Find("cut.bin")), std::nullopt);
  }
  EXPECT_GT(found, 8);
  EXPECT_LT(found, lookups);
}

TEST_F(AssetStoreTest, ReplacedViewIsSearchedAsItIsNow) {
  archive::AssetStore store;
  store.Open(ViewOf(primaryBytes_), ViewOf(secondaryBytes_));
  const auto other = Build({File("Textures\\tex_default.tga", "replaced")});
  store.primary = ViewOf(other);
  EXPECT_EQ(Take(store.Find("Textures/tex_default.tga")), "replaced");
  EXPECT_EQ(Take(store.Find("Music/music.ogg")), std::nullopt);
}

class AssetStoreInit : public AssetStoreTest {
 protected:
  void SetUp() override {
    AssetStoreTest::SetUp();
    os_ = platform::CreateHeadlessPlatform(platform::HeadlessOptions());
    platform::SetOs(os_.get());
  }
  void TearDown() override {
    platform::RegisterEmbeddedResources(nullptr, 0);
    platform::SetOs(nullptr);
    AssetStoreTest::TearDown();
  }
  void Embed(bool withPrimary) {
    resources_.clear();
    if (withPrimary)
      resources_.push_back({"MediaData", 148, primaryBytes_.data(), static_cast<uint32_t>(primaryBytes_.size())});
    resources_.push_back({"MediaData", 150, secondaryBytes_.data(), static_cast<uint32_t>(secondaryBytes_.size())});
    resources_.push_back({"CustomData", 148, primaryBytes_.data(), 3});  // same id, other type
    platform::RegisterEmbeddedResources(resources_.data(), resources_.size());
  }
  void Touch(const char* path) {
    std::filesystem::create_directories(work_ / "Base");
    std::ofstream(work_ / path) << "x";
  }
  std::unique_ptr<platform::Platform> os_;
  std::vector<platform::EmbeddedResource> resources_;
};

TEST_F(AssetStoreInit, ProbesLogOnlyWhatIsMissingAndChangeNoLookup) {
  Embed(true);
  archive::AssetStore store;
  store.Init();
  EXPECT_EQ(Log(), "Data.pak not found\nBase.rar not found\n");
  EXPECT_EQ(Take(store.Find("Textures/tex_default.tga")), "primary default");
  EXPECT_EQ(Take(store.Find("Textures/tex_sym_0.tga")), "0");

  Touch("Base/Data.pak");
  store.Init();
  EXPECT_EQ(Log(), "Data.pak not found\nBase.rar not found\nBase.rar not found\n");

  Touch("Base/Base.rar");
  app::OpenLog((work_ / "present.txt").string());
  store.Init();
  EXPECT_EQ(ReadText(work_ / "present.txt"), "");
  EXPECT_EQ(Take(store.Find("Textures/tex_default.tga")), "primary default");
  EXPECT_EQ(Take(store.Find("Textures/tex_sym_0.tga")), "0");
}

TEST_F(AssetStoreInit, MissingResourceLeavesItsArchiveEmpty) {
  Embed(false);
  archive::AssetStore store;
  store.Init();
  EXPECT_EQ(store.primary.data, nullptr);
  EXPECT_EQ(store.primary.size, 0u);
  EXPECT_EQ(Take(store.Find("Textures/tex_default.tga")), "secondary default");
  EXPECT_EQ(Take(store.Find("Music/music.ogg")), std::nullopt);
  EXPECT_EQ(&archive::Assets(), &archive::Assets());
}

}  // namespace
