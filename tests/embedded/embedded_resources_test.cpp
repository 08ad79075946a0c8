// The resources linked into the program are the generator's files, byte for
// byte, and the asset store finds the archives' members through them.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "archive/asset_store.h"
#include "platform/embedded_resources.h"
#include "platform/headless/headless_platform.h"

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(EmbeddedResources, EveryResourceHoldsItsGeneratedFile) {
  const struct {
    const char* type;
    int id;
    const char* file;
  } expected[] = {{"MediaData", 148, "media148.rar"},   {"MediaData", 150, "media150.rar"},
                  {"CustomData", 159, "loading.jpg"},   {"CustomData", 154, "4loader_rd.tga"},
                  {"CustomData", 155, "4loader_ld.tga"}, {"CustomData", 156, "4loader_lu.tga"},
                  {"CustomData", 157, "4loader_ru.tga"}};
  for (const auto& e : expected) {
    const std::vector<uint8_t> bytes = ReadFile(std::string(CONTENT_DIR) + "/" + e.file);
    ASSERT_FALSE(bytes.empty()) << e.file;
    const platform::EmbeddedResource* resource = platform::FindRegisteredResource(e.type, e.id);
    ASSERT_NE(resource, nullptr) << e.type << " " << e.id;
    ASSERT_EQ(resource->size, bytes.size()) << e.file;
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), resource->data)) << e.file;
  }
  EXPECT_EQ(platform::FindRegisteredResource("MediaData", 159), nullptr);
  EXPECT_EQ(platform::FindRegisteredResource("CustomData", 148), nullptr);
}

TEST(EmbeddedResources, TheStoreFindsTheDefaultTextureInTheLinkedArchive) {
  std::unique_ptr<platform::Platform> os = platform::CreateHeadlessPlatform(platform::HeadlessOptions());
  platform::SetOs(os.get());
  archive::Assets().Init();
  archive::AssetBlob blob = archive::Assets().Find("textures/TEX_DEFAULT.TGA");
  ASSERT_NE(blob.data, nullptr);
  EXPECT_EQ(blob.size, 18u + 64u * 64u * 3u);
  EXPECT_EQ(blob.data[2], 2);   // uncompressed true colour
  EXPECT_EQ(blob.data[16], 24);
  archive::FreeAssetBlob(blob);
  blob = archive::Assets().Find("Models");
  EXPECT_NE(blob.data, nullptr);
  EXPECT_EQ(blob.size, 0u);
  archive::FreeAssetBlob(blob);
  platform::SetOs(nullptr);
}

}  // namespace
