#include "assets/tga_decoder.h"

#include <algorithm>

namespace assets {
namespace {

constexpr size_t kHeaderSize = 18;
constexpr uint8_t kRunLengthTrueColour = 10;

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// Files store B, G, R (, A); textures want R, G, B (, A). A 16-bit pixel is
// x RRRRR GGGGG BBBBB and keeps its five bits of each colour at the top of
// the byte; the top bit (attribute or alpha) is dropped.
void PutPixel(const uint8_t* in, size_t bytesPerPixel, uint8_t* out) {
  if (bytesPerPixel == 2) {
    const unsigned v = ReadU16(in);
    out[0] = static_cast<uint8_t>((v >> 7) & 0xF8);
    out[1] = static_cast<uint8_t>((v >> 2) & 0xF8);
    out[2] = static_cast<uint8_t>((v << 3) & 0xF8);
    return;
  }
  out[0] = in[2];
  out[1] = in[1];
  out[2] = in[0];
  if (bytesPerPixel == 4) out[3] = in[3];
}

bool ReadUncompressed(const uint8_t* data, size_t size, size_t pos, size_t bytesPerPixel,
                      DecodedImage& image) {
  const size_t pixelCount = static_cast<size_t>(image.width) * image.height;
  if ((size - pos) / bytesPerPixel < pixelCount) return false;
  image.pixels.resize(pixelCount * image.channels);
  const size_t channels = static_cast<size_t>(image.channels);
  const uint8_t* in = data + pos;
  uint8_t* out = image.pixels.data();
  for (size_t i = 0; i < pixelCount; ++i, in += bytesPerPixel, out += channels)
    PutPixel(in, bytesPerPixel, out);
  return true;
}

// Packets run across row ends, so the pixels are filled as one sequence. A
// packet reaching beyond the last pixel is cut short at it: its surplus
// pixels have nowhere to go and the picture is complete without them.
bool ReadRunLength(const uint8_t* data, size_t size, size_t pos, size_t bytesPerPixel,
                   DecodedImage& image) {
  const size_t pixelCount = static_cast<size_t>(image.width) * image.height;
  // Even runs of the longest kind, 128 pixels each, need this many bytes; a
  // header promising more pixels than that is refused before allocating.
  const size_t fewestPackets = (pixelCount + 127) / 128;
  if ((size - pos) / (1 + bytesPerPixel) < fewestPackets) return false;
  image.pixels.resize(pixelCount * image.channels);
  const size_t channels = static_cast<size_t>(image.channels);
  uint8_t* out = image.pixels.data();
  size_t done = 0;
  while (done < pixelCount) {
    if (pos >= size) return false;
    const uint8_t header = data[pos++];
    const bool run = header >= 128;
    const size_t count = std::min<size_t>(run ? header - 127u : header + 1u, pixelCount - done);
    if (run) {
      if (size - pos < bytesPerPixel) return false;
      for (size_t i = 0; i < count; ++i, out += channels) PutPixel(data + pos, bytesPerPixel, out);
      pos += bytesPerPixel;
    } else {
      if ((size - pos) / bytesPerPixel < count) return false;
      for (size_t i = 0; i < count; ++i, out += channels, pos += bytesPerPixel)
        PutPixel(data + pos, bytesPerPixel, out);
    }
    done += count;
  }
  return true;
}

}  // namespace

std::optional<DecodedImage> DecodeTga(const uint8_t* data, size_t size) {
  if (!data || size < kHeaderSize) return std::nullopt;
  const int bits = data[16];
  if (bits != 16 && bits != 24 && bits != 32) return std::nullopt;
  const size_t bytesPerPixel = static_cast<size_t>(bits / 8);

  // The colour-map fields and the descriptor are not consulted: the pixels
  // follow the ID field directly and keep their stored row order.
  const size_t pixelStart = kHeaderSize + data[0];
  if (pixelStart > size) return std::nullopt;

  DecodedImage image;
  image.width = ReadU16(data + 12);
  image.height = ReadU16(data + 14);
  image.channels = bits == 16 ? 3 : bits / 8;

  const bool ok = data[2] == kRunLengthTrueColour
                      ? ReadRunLength(data, size, pixelStart, bytesPerPixel, image)
                      : ReadUncompressed(data, size, pixelStart, bytesPerPixel, image);
  if (!ok) return std::nullopt;
  return image;
}

}  // namespace assets
