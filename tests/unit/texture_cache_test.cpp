// The texture cache on a real (offscreen) OpenGL context, with its images in
// a test archive and in registered resources, and the log read back.
#include "assets/texture_cache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

// jpeglib.h relies on size_t and FILE being declared before it.
#include <jpeglib.h>

#include "app/log.h"
#include "archive/asset_store.h"
#include "egl_test_context.h"
#include "platform/embedded_resources.h"
#include "platform/headless/headless_platform.h"
#include "rar_writer.h"

namespace {

using assets::TextureCache;
using Bytes = std::vector<uint8_t>;
using Lines = std::vector<std::string>;

// Pixels in R, G, B (, A) order whose channels all differ from pixel to pixel.
Bytes Pattern(int width, int height, int channels, int seed) {
  Bytes pixels;
  for (int i = 0; i < width * height; ++i)
    for (int c = 0; c < channels; ++c) pixels.push_back(static_cast<uint8_t>(seed + i * 17 + c * 71));
  return pixels;
}

void PutU16(Bytes& out, unsigned v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutU32(Bytes& out, uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

Bytes TgaHeader(uint8_t type, int width, int height, int bits) {
  Bytes out = {0, 0, type, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  PutU16(out, width);
  PutU16(out, height);
  out.push_back(static_cast<uint8_t>(bits));
  out.push_back(bits == 32 ? 8 : 0);
  return out;
}

// Uncompressed true colour; the pixels are R, G, B (, A) in stored row order.
Bytes Tga(int width, int height, int bits, const Bytes& pixels) {
  Bytes out = TgaHeader(2, width, height, bits);
  const int channels = bits / 8;
  for (size_t i = 0; i < pixels.size(); i += channels) {
    out.insert(out.end(), {pixels[i + 2], pixels[i + 1], pixels[i]});
    if (channels == 4) out.push_back(pixels[i + 3]);
  }
  return out;
}

// 24 bits, rows bottom-up in the given order, padded to four bytes.
Bytes Bmp(int width, int height, const Bytes& rgb) {
  const uint32_t stride = (width * 3 + 3) / 4 * 4;
  Bytes out = {'B', 'M'};
  PutU32(out, 54 + stride * height);
  PutU32(out, 0);
  PutU32(out, 54);
  for (uint32_t v : {40u, uint32_t(width), uint32_t(height)}) PutU32(out, v);
  PutU16(out, 1);
  PutU16(out, 24);
  for (int i = 0; i < 6; ++i) PutU32(out, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &rgb[(y * width + x) * 3];
      out.insert(out.end(), {p[2], p[1], p[0]});
    }
    out.resize(out.size() + stride - width * 3, 0);
  }
  return out;
}

Bytes Jpeg(int width, int height, const Bytes& rgb) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  // Full-resolution colour, so that the busy test pattern survives closely.
  for (int c = 0; c < cinfo.num_components; ++c)
    cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<uint8_t*>(&rgb[cinfo.next_scanline * width * 3]);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

struct Level {
  GLint width = 0;
  GLint height = 0;
  GLint alphaBits = 0;
  Bytes rgba;  // rows as uploaded
};

Level ReadLevel(GLuint name, GLint level) {
  Level out;
  glBindTexture(GL_TEXTURE_2D, name);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &out.width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &out.height);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_ALPHA_SIZE, &out.alphaBits);
  out.rgba.resize(static_cast<size_t>(out.width) * out.height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, out.rgba.data());
  return out;
}

Bytes WithOpaqueAlpha(const Bytes& rgb) {
  Bytes rgba;
  for (size_t i = 0; i < rgb.size(); i += 3) rgba.insert(rgba.end(), {rgb[i], rgb[i + 1], rgb[i + 2], 255});
  return rgba;
}

GLint Parameter(GLuint name, GLenum which) {
  GLint value = 0;
  glBindTexture(GL_TEXTURE_2D, name);
  glGetTexParameteriv(GL_TEXTURE_2D, which, &value);
  return value;
}

// The images behind the tests, all with sides that are powers of two so that
// gluBuild2DMipmaps uploads them unscaled. The default texture has a size of
// its own, so that a texture can be recognised as the default by its width.
const Bytes kDefaultPixels = Pattern(8, 8, 3, 1);
const Bytes kFirePixels = Pattern(4, 2, 4, 2);
const Bytes kWallPixels = Pattern(4, 4, 3, 3);
const Bytes kNarrowPixels = Pattern(2, 4, 3, 4);  // 6-byte rows
const Bytes kPhotoPixels = Pattern(16, 8, 3, 5);
const Bytes kPlainPixels = Pattern(2, 2, 3, 6);  // rows padded in the file
const Bytes kLogoPixels = Pattern(4, 4, 4, 7);

Bytes HighColourTga() {
  Bytes out = TgaHeader(2, 2, 1, 16);
  PutU16(out, 0x7C00);  // pure red
  PutU16(out, 0x03FF);  // green and blue
  return out;
}

class TextureCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    os_ = platform::CreateHeadlessPlatform(platform::HeadlessOptions());
    platform::SetOs(os_.get());
    ASSERT_TRUE(context_.ok()) << context_.error();

    const Bytes wall = Tga(4, 4, 24, kWallPixels);
    const Bytes shortTga(wall.begin(), wall.end() - 1);
    Bytes grey = TgaHeader(3, 4, 4, 8);
    grey.resize(grey.size() + 16, 0x80);
    archive_ = content::BuildRarArchive({
        {"Sprites", true, {}},
        {"Textures", true, {}},
        {"Textures\\tex_default.tga", false, Tga(8, 8, 24, kDefaultPixels)},
        {"Sprites\\Fire.tga", false, Tga(4, 2, 32, kFirePixels)},
        {"Textures\\wall.tga", false, wall},
        {"Textures\\wall.old.tga", false, wall},
        {"Textures\\odd.Tga", false, wall},
        {"Textures\\narrow.tga", false, Tga(2, 4, 24, kNarrowPixels)},
        {"Textures\\hicolour.tga", false, HighColourTga()},
        {"Textures\\grey.tga", false, grey},
        {"Textures\\short.tga", false, shortTga},
        {"Textures\\photo.jpg", false, Jpeg(16, 8, kPhotoPixels)},
        {"Textures\\plain.bmp", false, Bmp(2, 2, kPlainPixels)},
        {"Textures\\broken.bmp", false, {'B', 'M', 1, 2, 3}},
    });
    archive::Assets().Open(archive::ArchiveView{archive_.data(), static_cast<uint32_t>(archive_.size()), 0},
                           archive::ArchiveView{});

    loadingJpeg_ = Jpeg(16, 8, kPhotoPixels);
    logoTga_ = Tga(4, 4, 32, kLogoPixels);
    resources_[0] = {"CustomData", 159, loadingJpeg_.data(), static_cast<uint32_t>(loadingJpeg_.size())};
    resources_[1] = {"CustomData", 155, logoTga_.data(), static_cast<uint32_t>(logoTga_.size())};
    platform::RegisterEmbeddedResources(resources_, 2);

    // Named after the test alone: a death test's child process opens the
    // same file, so the parent can read what the child logged.
    logPath_ = std::filesystem::temp_directory_path() /
               (std::string("glimmerhall-texture-cache-") +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log");
    std::filesystem::remove(logPath_);
    app::OpenLog(logPath_.string());
  }

  void TearDown() override {
    TextureCache::Clear();
    app::CloseLog();
    std::filesystem::remove(logPath_);
    archive::Assets().Open(archive::ArchiveView{}, archive::ArchiveView{});
    platform::RegisterEmbeddedResources(nullptr, 0);
    platform::SetOs(nullptr);
  }

  // The log lines written since the last call.
  Lines NewLogLines() {
    std::ifstream in(logPath_);
    Lines all;
    for (std::string line; std::getline(in, line);) all.push_back(line);
    Lines fresh(all.begin() + static_cast<long>(std::min(linesRead_, all.size())), all.end());
    linesRead_ = all.size();
    return fresh;
  }

  // Everything in the log file: a death test's child starts the file anew.
  Lines ChildLogLines() {
    linesRead_ = 0;
    return NewLogLines();
  }

  static Lines LoadedDirectly(const std::string& path) {
    return {"Start load " + path, "Try load original: " + path, "Texture " + path + " loaded"};
  }

  EglTestContext context_;
  std::unique_ptr<platform::Platform> os_;
  Bytes archive_;
  Bytes loadingJpeg_;
  Bytes logoTga_;
  platform::EmbeddedResource resources_[2];
  std::filesystem::path logPath_;
  size_t linesRead_ = 0;
};

TEST_F(TextureCacheTest, BmpNameResolvesToItsTgaSiblingAndIsCachedUnderTheBmpName) {
  const GLuint fire = TextureCache::Get("Sprites/Fire.bmp");
  ASSERT_NE(fire, 0u);
  EXPECT_EQ(NewLogLines(), (Lines{"Start load Sprites/Fire.bmp", "Try load original: Sprites/Fire.bmp",
                                  "Try load Sprites/Fire.bmp", "Try load Sprites/Fire.tga",
                                  "Texture Sprites/Fire.tga loaded"}));
  EXPECT_EQ(ReadLevel(fire, 0).rgba, kFirePixels);

  EXPECT_EQ(TextureCache::Get("Sprites/Fire.bmp"), fire);
  EXPECT_TRUE(NewLogLines().empty());
}

TEST_F(TextureCacheTest, PathsDifferingInLetterCaseAreSeparateTextures) {
  const GLuint lower = TextureCache::Get("Textures/wall.tga");
  const GLuint mixed = TextureCache::Get("textures/Wall.TGA");
  EXPECT_NE(lower, 0u);
  EXPECT_NE(mixed, 0u);
  EXPECT_NE(lower, mixed);
  Lines expected = LoadedDirectly("Textures/wall.tga");
  for (const std::string& line : LoadedDirectly("textures/Wall.TGA")) expected.push_back(line);
  EXPECT_EQ(NewLogLines(), expected);
  EXPECT_EQ(ReadLevel(mixed, 0).rgba, ReadLevel(lower, 0).rgba);
}

TEST_F(TextureCacheTest, ExtensionAfterTheFirstDotChoosesTheDecoderOrNothing) {
  // A mixed-case extension loads nothing: the slot stays 0 and is retried.
  EXPECT_EQ(TextureCache::Get("Textures/odd.Tga"), 0u);
  EXPECT_EQ(NewLogLines(), LoadedDirectly("Textures/odd.Tga"));
  EXPECT_EQ(TextureCache::Get("Textures/odd.Tga"), 0u);
  EXPECT_EQ(NewLogLines(), LoadedDirectly("Textures/odd.Tga"));
  // The extension starts at the first dot, so "old.tga" claims no decoder.
  EXPECT_EQ(TextureCache::Get("Textures/wall.old.tga"), 0u);
  EXPECT_EQ(NewLogLines(), LoadedDirectly("Textures/wall.old.tga"));
  // The alternative names keep everything before the last dot.
  const GLuint name = TextureCache::Get("Textures/wall.old.png");
  ASSERT_NE(name, 0u);
  EXPECT_EQ(NewLogLines(),
            (Lines{"Start load Textures/wall.old.png", "Try load original: Textures/wall.old.png",
                   "Try load Textures/wall.old.bmp", "Try load Textures/wall.old.tga",
                   "Texture Textures/wall.old.tga loaded"}));
  EXPECT_EQ(ReadLevel(name, 0).rgba, WithOpaqueAlpha(kWallPixels));
}

TEST_F(TextureCacheTest, MissingImageGetsTheDefaultTextureUnderItsOwnPath) {
  const GLuint name = TextureCache::Get("Textures/nothing.tga");
  ASSERT_NE(name, 0u);
  EXPECT_EQ(NewLogLines(),
            (Lines{"Start load Textures/nothing.tga", "Try load original: Textures/nothing.tga",
                   "Try load Textures/nothing.bmp", "Try load Textures/nothing.tga",
                   "Try load Textures/nothing.jpg",
                   "--Unable load Textures/nothing.tga-------------------------",
                   "Loading default texture"}));
  EXPECT_EQ(ReadLevel(name, 0).rgba, WithOpaqueAlpha(kDefaultPixels));
  EXPECT_EQ(TextureCache::Get("Textures/nothing.tga"), name);
  EXPECT_TRUE(NewLogLines().empty());
}

// What each format uploads: components, filters, a full mipmap chain and
// the pixels in stored row order.
TEST_F(TextureCacheTest, EachFormatUploadsItsComponentsAndFilters) {
  const GLuint fire = TextureCache::Get("Sprites/Fire.tga");
  const GLuint wall = TextureCache::Get("Textures/wall.tga");
  const GLuint high = TextureCache::Get("Textures/hicolour.tga");
  const GLuint photo = TextureCache::Get("Textures/photo.jpg");

  EXPECT_GT(ReadLevel(fire, 0).alphaBits, 0);
  EXPECT_EQ(ReadLevel(wall, 0).alphaBits, 0);
  EXPECT_EQ(ReadLevel(high, 0).alphaBits, 0);
  EXPECT_EQ(ReadLevel(high, 0).rgba, (Bytes{0xF8, 0, 0, 255, 0, 0xF8, 0xF8, 255}));
  EXPECT_EQ(ReadLevel(photo, 0).alphaBits, 0);
  EXPECT_EQ(ReadLevel(wall, 2).width, 1);  // 4, 2, 1
  for (GLuint name : {fire, wall, high, photo})
    EXPECT_EQ(Parameter(name, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);

  // JPEG at quality 100 comes back close to its source, top row first.
  const Level photoLevel = ReadLevel(photo, 0);
  ASSERT_EQ(photoLevel.width, 16);
  const Bytes source = WithOpaqueAlpha(kPhotoPixels);
  int worst = 0;
  for (size_t i = 0; i < source.size(); ++i) worst = std::max(worst, std::abs(photoLevel.rgba[i] - source[i]));
  EXPECT_LE(worst, 8);
  EXPECT_EQ(Parameter(photo, GL_TEXTURE_MAG_FILTER), GL_LINEAR);

  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4);
  const GLuint plain = TextureCache::Get("Textures/plain.bmp");
  const Level plainLevel = ReadLevel(plain, 0);
  EXPECT_EQ(plainLevel.alphaBits, 8);  // four components from RGB data
  EXPECT_EQ(plainLevel.rgba, WithOpaqueAlpha(kPlainPixels));
  EXPECT_EQ(Parameter(plain, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  EXPECT_EQ(Parameter(plain, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 1);
}

// Rows of 6 bytes under the default unpack alignment of 4, and again once a
// BMP has set it to 1: the picture arrives unsheared either way.
TEST_F(TextureCacheTest, RowsOfAnyLengthArriveIntact) {
  const GLuint before = TextureCache::Get("Textures/narrow.tga");
  TextureCache::Get("Textures/plain.bmp");
  const GLuint after = TextureCache::Get("textures/narrow.tga");
  EXPECT_EQ(ReadLevel(before, 0).rgba, WithOpaqueAlpha(kNarrowPixels));
  EXPECT_EQ(ReadLevel(after, 0).rgba, WithOpaqueAlpha(kNarrowPixels));
}

TEST_F(TextureCacheTest, ResourceIdsReadTheEmbeddedResources) {
  const GLuint loading = TextureCache::Get("Notification/loading.jpg", 159);
  ASSERT_NE(loading, 0u);
  EXPECT_EQ(ReadLevel(loading, 0).width, 16);
  const GLuint logo = TextureCache::Get("Logo/4loader_ld.tga", 155);
  ASSERT_NE(logo, 0u);
  EXPECT_EQ(ReadLevel(logo, 0).rgba, kLogoPixels);
  // The archive is not asked, so there is no fallback either.
  Lines expected = LoadedDirectly("Notification/loading.jpg");
  for (const std::string& line : LoadedDirectly("Logo/4loader_ld.tga")) expected.push_back(line);
  EXPECT_EQ(NewLogLines(), expected);
}

TEST_F(TextureCacheTest, ClearDeletesEveryTextureAndForgetsThePaths) {
  const GLuint wall = TextureCache::Get("Textures/wall.tga");
  const GLuint fire = TextureCache::Get("Sprites/Fire.tga");
  ASSERT_TRUE(glIsTexture(wall));
  ASSERT_TRUE(glIsTexture(fire));
  TextureCache::Clear();
  EXPECT_FALSE(glIsTexture(wall));
  EXPECT_FALSE(glIsTexture(fire));
  NewLogLines();
  EXPECT_NE(TextureCache::Get("Textures/wall.tga"), 0u);
  EXPECT_EQ(NewLogLines(), LoadedDirectly("Textures/wall.tga"));
}

// Images that are present but unusable end the process with exit code 0.
// The children are started afresh rather than forked: a fork would not
// carry over the GL driver's worker threads.
using TextureCacheDeathTest = TextureCacheTest;

TEST_F(TextureCacheDeathTest, UndecodableTgaShowsUnableOpenAndEnds) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(TextureCache::Get("Textures/grey.tga"), ::testing::ExitedWithCode(0),
              "Error: Unable open Textures/grey.tga");
  EXPECT_EXIT(TextureCache::Get("Textures/short.tga"), ::testing::ExitedWithCode(0),
              "Error: Unable open Textures/short.tga");
  // A resource id that does not exist gives the decoder no bytes.
  EXPECT_EXIT(TextureCache::Get("Logo/4loader_lu.tga", 156), ::testing::ExitedWithCode(0),
              "Error: Unable open Logo/4loader_lu.tga");
}

// One death test each: a child runs the test body from its start, so a
// check placed between two death tests would run in the second child too.
TEST_F(TextureCacheDeathTest, JpegLibjpegRejectsLogsTheReasonAndEnds) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(TextureCache::Get("Notification/loading.jpg", 999), ::testing::ExitedWithCode(0), "");
  const Lines lines = ChildLogLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().rfind("Unable decode Notification/loading.jpg: ", 0), 0u) << lines.back();
}

TEST_F(TextureCacheDeathTest, UnreadableBmpLogsTheReasonAndEnds) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(TextureCache::Get("Textures/broken.bmp"), ::testing::ExitedWithCode(0),
              "Error: Unable open Textures/broken.bmp");
  EXPECT_EQ(ChildLogLines(), (Lines{"Start load Textures/broken.bmp", "Try load original: Textures/broken.bmp",
                                    "Unable decode Textures/broken.bmp: not a BMP file",
                                    "Error: Unable open Textures/broken.bmp"}));
}

}  // namespace
