// Decode and upload cost of textures, per megabyte of decoded pixels, on
// generated 512 x 512 and 1024 x 1024 pictures: the TGA, JPEG and BMP
// decoders from memory and gluBuild2DMipmaps with each upload's arguments.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

// jpeglib.h relies on size_t and FILE being declared before it.
#include <jpeglib.h>

#include "assets/bmp_decoder.h"
#include "assets/jpeg_decoder.h"
#include "assets/tga_decoder.h"
#include "platform/gl_api.h"
#include "platform/headless/egl_offscreen.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr double kMegabyte = 1024.0 * 1024.0;

// Something like a texture: smooth gradients and waves with a little grain,
// so that JPEG and run-length coding see realistic data rather than noise.
Bytes Picture(int size, int channels) {
  Bytes pixels;
  pixels.reserve(static_cast<size_t>(size) * size * channels);
  unsigned grain = 12345;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      grain = grain * 1103515245u + 12345u;
      const int noise = static_cast<int>((grain >> 16) % 9) - 4;
      const double u = double(x) / size, v = double(y) / size;
      const int values[4] = {static_cast<int>(255 * u) + noise,
                             static_cast<int>(128 + 100 * std::sin(12 * u + 7 * v)) + noise,
                             static_cast<int>(255 * v) + noise, static_cast<int>(255 * (1 - u * v))};
      for (int c = 0; c < channels; ++c) pixels.push_back(static_cast<uint8_t>(std::clamp(values[c], 0, 255)));
    }
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

Bytes Tga(int size, int channels, const Bytes& pixels) {
  Bytes out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  PutU16(out, size);
  PutU16(out, size);
  out.push_back(static_cast<uint8_t>(channels * 8));
  out.push_back(channels == 4 ? 8 : 0);
  for (size_t i = 0; i < pixels.size(); i += channels) {
    out.insert(out.end(), {pixels[i + 2], pixels[i + 1], pixels[i]});
    if (channels == 4) out.push_back(pixels[i + 3]);
  }
  return out;
}

// Run-length coding of whole rows: runs of equal pixels, literals between.
Bytes TgaRunLength(int size, const Bytes& rgb) {
  Bytes out = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  PutU16(out, size);
  PutU16(out, size);
  out.push_back(24);
  out.push_back(0);
  const size_t count = rgb.size() / 3;
  auto same = [&](size_t a, size_t b) { return std::equal(&rgb[a * 3], &rgb[a * 3 + 3], &rgb[b * 3]); };
  for (size_t i = 0; i < count;) {
    size_t run = 1;
    while (i + run < count && run < 128 && same(i, i + run)) ++run;
    if (run > 1) {
      out.push_back(static_cast<uint8_t>(127 + run));
      out.insert(out.end(), {rgb[i * 3 + 2], rgb[i * 3 + 1], rgb[i * 3]});
    } else {
      while (i + run < count && run < 128 && !same(i + run - 1, i + run)) ++run;
      out.push_back(static_cast<uint8_t>(run - 1));
      for (size_t k = i; k < i + run; ++k) out.insert(out.end(), {rgb[k * 3 + 2], rgb[k * 3 + 1], rgb[k * 3]});
    }
    i += run;
  }
  return out;
}

Bytes Bmp(int size, const Bytes& rgb) {
  const uint32_t stride = (size * 3 + 3) / 4 * 4;
  Bytes out = {'B', 'M'};
  PutU32(out, 54 + stride * size);
  PutU32(out, 0);
  PutU32(out, 54);
  for (uint32_t v : {40u, uint32_t(size), uint32_t(size)}) PutU32(out, v);
  PutU16(out, 1);
  PutU16(out, 24);
  for (int i = 0; i < 6; ++i) PutU32(out, 0);
  for (size_t i = 0; i < rgb.size(); i += 3) out.insert(out.end(), {rgb[i + 2], rgb[i + 1], rgb[i]});
  return out;
}

Bytes Jpeg(int size, const Bytes& rgb) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long length = 0;
  jpeg_mem_dest(&cinfo, &buffer, &length);
  cinfo.image_width = cinfo.image_height = static_cast<JDIMENSION>(size);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<uint8_t*>(&rgb[static_cast<size_t>(cinfo.next_scanline) * size * 3]);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes out(buffer, buffer + length);
  std::free(buffer);
  return out;
}

// Repeats the work for at least a quarter of a second (and at least three
// times) and returns the mean seconds per repetition.
double SecondsPerRun(const std::function<void()>& work) {
  using Clock = std::chrono::steady_clock;
  work();  // warm caches and the allocator
  int runs = 0;
  const Clock::time_point start = Clock::now();
  double elapsed = 0;
  do {
    work();
    ++runs;
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  } while (elapsed < 0.25 || runs < 3);
  return elapsed / runs;
}

void Report(const char* what, int size, size_t pixelBytes, double seconds) {
  const double megabytes = pixelBytes / kMegabyte;
  std::printf("%-28s %4d x %-4d  %8.2f ms/MB  %8.1f MB/s  (%.2f ms per picture)\n", what, size, size,
              seconds * 1000 / megabytes, megabytes / seconds, seconds * 1000);
}

template <typename Decode>
void BenchDecode(const char* what, int size, const Bytes& file, Decode decode) {
  size_t pixelBytes = 0;
  const double seconds = SecondsPerRun([&] {
    const auto image = decode(file);
    if (!image) {
      std::fprintf(stderr, "%s: decoding failed\n", what);
      std::exit(1);
    }
    pixelBytes = image->pixels.size();
  });
  Report(what, size, pixelBytes, seconds);
}

// One texture per repetition, as the cache makes them; glFinish so the
// driver's share of the work is counted.
void BenchUpload(const char* what, int size, GLint components, GLenum format, int channels) {
  const Bytes pixels = Picture(size, channels);
  const double seconds = SecondsPerRun([&] {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    gluBuild2DMipmaps(GL_TEXTURE_2D, components, size, size, format, GL_UNSIGNED_BYTE, pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glFinish();
    glDeleteTextures(1, &name);
  });
  Report(what, size, pixels.size(), seconds);
}

}  // namespace

int main() {
  std::printf("Texture decode and upload, per megabyte (2^20 bytes) of decoded pixels\n");
  for (int size : {512, 1024}) {
    const Bytes rgb = Picture(size, 3);
    const Bytes rgba = Picture(size, 4);
    const auto tga = [](const Bytes& f) { return assets::DecodeTga(f.data(), f.size()); };
    std::string error;
    const auto jpeg = [&](const Bytes& f) { return assets::DecodeJpeg(f.data(), f.size(), error); };
    const auto bmp = [&](const Bytes& f) { return assets::DecodeBmp(f.data(), f.size(), error); };
    BenchDecode("decode TGA 24-bit", size, Tga(size, 3, rgb), tga);
    BenchDecode("decode TGA 32-bit", size, Tga(size, 4, rgba), tga);
    BenchDecode("decode TGA 24-bit RLE", size, TgaRunLength(size, rgb), tga);
    BenchDecode("decode JPEG quality 90", size, Jpeg(size, rgb), jpeg);
    BenchDecode("decode BMP 24-bit", size, Bmp(size, rgb), bmp);
  }

  platform::EglOffscreen context;
  std::string error;
  if (!context.ChooseConfig(error) || !context.CreateContext(64, 64, error)) {
    std::fprintf(stderr, "no OpenGL context for the upload figures: %s\n", error.c_str());
    return 1;
  }
  std::printf("Upload with gluBuild2DMipmaps on %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (int size : {512, 1024}) {
    BenchUpload("upload RGB (TGA 24, JPEG)", size, 3, GL_RGB, 3);
    BenchUpload("upload RGBA (TGA 32)", size, 4, GL_RGBA, 4);
    BenchUpload("upload RGB as 4 (BMP)", size, 4, GL_RGB, 3);
  }
  return 0;
}
