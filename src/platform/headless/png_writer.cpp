#include "platform/headless/png_writer.h"

#include <png.h>

#include <algorithm>
#include <cstdio>

#include "platform/gl_api.h"

namespace platform {

bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba,
              std::string& error) {
  if (width <= 0 || height <= 0 || rgba.size() < static_cast<size_t>(width) * height * 4) {
    error = "no picture to write";
    return false;
  }
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    error = "cannot open " + path + " for writing";
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    error = "libpng failed writing " + path;
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y)
    png_write_row(png, const_cast<png_bytep>(&rgba[static_cast<size_t>(y) * width * 4]));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  const bool closed = std::fclose(file) == 0;
  if (!closed) error = "cannot finish writing " + path;
  return closed;
}

std::vector<uint8_t> ReadFramebuffer(int width, int height) {
  const size_t row = static_cast<size_t>(width) * 4;
  std::vector<uint8_t> bottomUp(row * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  std::vector<uint8_t> topDown(bottomUp.size());
  for (int y = 0; y < height; ++y)
    std::copy_n(&bottomUp[row * (height - 1 - y)], row, &topDown[row * y]);
  // A screen shows no framebuffer alpha; blending leaves it below 1 where
  // glass or soft edges were drawn, and viewers would show those parts lighter.
  for (size_t i = 3; i < topDown.size(); i += 4) topDown[i] = 255;
  return topDown;
}

}  // namespace platform
