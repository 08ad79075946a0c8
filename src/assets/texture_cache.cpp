#include "assets/texture_cache.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "app/fatal_exit.h"
#include "app/log.h"
#include "archive/asset_store.h"
#include "assets/bmp_decoder.h"
#include "assets/jpeg_decoder.h"
#include "assets/tga_decoder.h"
#include "platform/platform.h"

namespace assets {
namespace {

constexpr int kNoResource = -1;
constexpr char kDefaultTexture[] = "Textures/tex_default.tga";

// The bytes of one image: a heap copy from the archives, which is released
// with this object, or resource memory of the executable, which is only
// borrowed. A lookup that found nothing has no data.
class ImageBytes {
 public:
  explicit ImageBytes(archive::AssetBlob blob) : data(blob.data), size(blob.size), blob_(blob) {}
  explicit ImageBytes(platform::ResourceBytes resource) : data(resource.data), size(resource.size) {}
  ~ImageBytes() {
    if (blob_.data) archive::FreeAssetBlob(blob_);
  }
  ImageBytes(const ImageBytes&) = delete;
  ImageBytes& operator=(const ImageBytes&) = delete;

  bool found() const { return data != nullptr; }

  const uint8_t* const data;
  const size_t size;

 private:
  archive::AssetBlob blob_;
};

// The decoders deliver rows packed tight, but until the first BMP upload the
// unpack alignment is OpenGL's default of 4. A row whose length is no
// multiple of it would then be read with padding the buffer does not have,
// shearing the picture and reading past its end, so such rows are handed
// over padded to the alignment in force.
const uint8_t* RowsForUpload(const DecodedImage& image, std::vector<uint8_t>& padded) {
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  if (alignment < 1) alignment = 1;
  const size_t rowBytes = static_cast<size_t>(image.width) * image.channels;
  const size_t step = (rowBytes + alignment - 1) / alignment * alignment;
  if (step == rowBytes) return image.pixels.data();
  padded.assign(step * image.height, 0);
  for (int y = 0; y < image.height; ++y)
    std::copy_n(image.pixels.data() + rowBytes * y, rowBytes, padded.data() + step * y);
  return padded.data();
}

void Upload(const DecodedImage& image, GLint components, GLenum format, bool linearMagnification,
            GLuint& slot) {
  glGenTextures(1, &slot);
  glBindTexture(GL_TEXTURE_2D, slot);
  std::vector<uint8_t> padded;
  gluBuild2DMipmaps(GL_TEXTURE_2D, components, image.width, image.height, format,
                    GL_UNSIGNED_BYTE, RowsForUpload(image, padded));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  if (linearMagnification) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

[[noreturn]] void EndAfterDecodeFailure(const std::string& path, const std::string& reason) {
  app::Log("Unable decode ", path, ": ", reason);
  app::EndAfterUnusableData();
}

void LoadTga(const std::string& path, const ImageBytes& bytes, GLuint& slot) {
  const std::optional<DecodedImage> image = DecodeTga(bytes.data, bytes.size);
  if (!image) {
    platform::Os().ShowMessage(("Unable open " + path).c_str(), "Error");
    app::EndAfterUnusableData();
  }
  Upload(*image, image->channels, image->channels == 4 ? GL_RGBA : GL_RGB, false, slot);
}

void LoadJpeg(const std::string& path, const ImageBytes& bytes, GLuint& slot) {
  std::string error;
  const std::optional<DecodedImage> image = DecodeJpeg(bytes.data, bytes.size, error);
  if (!image) EndAfterDecodeFailure(path, error);
  Upload(*image, 3, GL_RGB, true, slot);
}

// Four components with RGB data: the texture gets an alpha of 1. From the
// first BMP on, every upload reads rows packed to single bytes.
void LoadBmp(const std::string& path, const ImageBytes& bytes, GLuint& slot) {
  std::string error;
  const std::optional<DecodedImage> image = DecodeBmp(bytes.data, bytes.size, error);
  if (!image) {
    // A BMP that cannot be read tells the user the way a TGA does.
    app::Log("Unable decode ", path, ": ", error);
    platform::Os().ShowMessage(("Unable open " + path).c_str(), "Error");
    app::EndAfterUnusableData();
  }
  Upload(*image, 4, GL_RGB, true, slot);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

// The extension is compared as written: only all-lower or all-upper forms
// are images, anything else loads nothing and leaves the slot at 0.
void LoadByExtension(const std::string& extension, const std::string& path,
                     const ImageBytes& bytes, GLuint& slot) {
  if (extension == "bmp" || extension == "BMP")
    LoadBmp(path, bytes, slot);
  else if (extension == "tga" || extension == "TGA")
    LoadTga(path, bytes, slot);
  else if (extension == "jpg" || extension == "JPG")
    LoadJpeg(path, bytes, slot);
  app::Log("Texture ", path, " loaded");
}

// Data files name some images by another format's extension (the particle
// systems ask for ".bmp" where the archive holds ".tga"), so the same base
// name is tried in each format before the default texture stands in.
void LoadAlternative(const std::string& path, const std::string& base, GLuint& slot) {
  using Loader = void (*)(const std::string&, const ImageBytes&, GLuint&);
  static const struct {
    const char* extension;
    Loader load;
  } kAlternatives[] = {{".bmp", LoadBmp}, {".tga", LoadTga}, {".jpg", LoadJpeg}};
  for (const auto& alternative : kAlternatives) {
    const std::string name = base + alternative.extension;
    app::Log("Try load ", name);
    const ImageBytes bytes(archive::Assets().Find(name.c_str()));
    if (!bytes.found()) continue;
    alternative.load(name, bytes, slot);
    app::Log("Texture ", name, " loaded");
    return;
  }
  app::Log("--Unable load ", path, "-------------------------");
  app::Log("Loading default texture");
  const ImageBytes fallback(archive::Assets().Find(kDefaultTexture));
  LoadTga(kDefaultTexture, fallback, slot);
}

// The bytes found by the existence test are the ones decoded, so each load
// extracts its member once.
void Load(const std::string& path, int resourceId, GLuint& slot) {
  const size_t firstDot = path.find('.');
  const std::string extension = firstDot == std::string::npos ? "" : path.substr(firstDot + 1);
  const std::string base = path.substr(0, path.rfind('.'));
  app::Log("Start load ", path);
  app::Log("Try load original: ", path);
  if (resourceId != kNoResource) {
    const ImageBytes bytes(platform::Os().FindEmbedded("CustomData", resourceId));
    LoadByExtension(extension, path, bytes, slot);
    return;
  }
  const ImageBytes bytes(archive::Assets().Find(path.c_str()));
  if (bytes.found())
    LoadByExtension(extension, path, bytes, slot);
  else
    LoadAlternative(path, base, slot);
}

}  // namespace

std::map<std::string, GLuint>& TextureCache::Entries() {
  static std::map<std::string, GLuint> entries;
  return entries;
}

GLuint TextureCache::Get(const std::string& path, int resourceId) {
  GLuint& slot = Entries()[path];
  if (slot == 0) Load(path, resourceId, slot);
  return slot;
}

void TextureCache::Clear() {
  for (auto& entry : Entries()) glDeleteTextures(1, &entry.second);
  Entries().clear();
}

}  // namespace assets
