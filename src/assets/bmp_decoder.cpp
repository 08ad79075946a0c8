#include "assets/bmp_decoder.h"

#include <cstring>

namespace assets {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitFields = 3;

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// One colour's place in a 16- or 32-bit pixel, widened or narrowed to 8 bits.
struct BitField {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;  // the field's largest value once shifted down

  explicit BitField(uint32_t m) : mask(m) {
    if (!mask) return;
    while (!((mask >> shift) & 1u)) ++shift;
    max = mask >> shift;
  }
  uint8_t Extract(uint32_t pixel) const {
    if (!max) return 0;
    const uint32_t value = (pixel & mask) >> shift;
    int bits = 0;
    while (max >> bits) ++bits;
    if (bits >= 8) return static_cast<uint8_t>(value >> (bits - 8));
    // Narrow fields repeat their bits down the byte, so that the largest
    // value becomes 255 and zero stays zero.
    uint32_t spread = 0;
    int filled = 0;
    for (; filled < 8; filled += bits) spread = spread << bits | value;
    return static_cast<uint8_t>(spread >> (filled - 8));
  }
};

struct Layout {
  int width = 0;
  int rows = 0;
  bool topDown = false;
  int bits = 0;
  size_t stride = 0;
  const uint8_t* pixels = nullptr;
  uint8_t palette[256][3] = {};  // R, G, B; indices past the file's palette read black
  BitField red{0}, green{0}, blue{0};
};

bool Fail(std::string& error, const std::string& why) {
  error = why;
  return false;
}

bool ReadPalette(const uint8_t* data, size_t size, size_t at, uint32_t used, Layout& layout,
                 std::string& error) {
  const uint32_t full = 1u << layout.bits;
  const uint32_t count = used == 0 || used > full ? full : used;
  if (at > size || (size - at) / 4 < count) return Fail(error, "palette cut short");
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* entry = data + at + 4 * i;  // B, G, R, reserved
    layout.palette[i][0] = entry[2];
    layout.palette[i][1] = entry[1];
    layout.palette[i][2] = entry[0];
  }
  return true;
}

bool ReadMasks(const uint8_t* data, size_t size, uint32_t compression, Layout& layout,
               std::string& error) {
  if (compression == kCompressionNone) {
    const bool sixteen = layout.bits == 16;
    layout.red = BitField(sixteen ? 0x7C00u : 0xFF0000u);
    layout.green = BitField(sixteen ? 0x03E0u : 0x00FF00u);
    layout.blue = BitField(sixteen ? 0x001Fu : 0x0000FFu);
    return true;
  }
  // The three masks follow a 40-byte header and sit at the same place inside
  // the longer headers, so one offset serves both.
  const size_t at = kFileHeaderSize + kInfoHeaderSize;
  if (size < at + 12) return Fail(error, "bit-field masks cut short");
  layout.red = BitField(ReadU32(data + at));
  layout.green = BitField(ReadU32(data + at + 4));
  layout.blue = BitField(ReadU32(data + at + 8));
  return true;
}

bool ReadLayout(const uint8_t* data, size_t size, Layout& layout, std::string& error) {
  if (!data || size < kFileHeaderSize + kInfoHeaderSize || data[0] != 'B' || data[1] != 'M')
    return Fail(error, "not a BMP file");
  const uint32_t pixelOffset = ReadU32(data + 10);
  const uint8_t* info = data + kFileHeaderSize;
  const uint32_t infoSize = ReadU32(info);
  if (infoSize < kInfoHeaderSize || infoSize > size - kFileHeaderSize)
    return Fail(error, "unsupported header size " + std::to_string(infoSize));
  const int32_t width = static_cast<int32_t>(ReadU32(info + 4));
  const int32_t height = static_cast<int32_t>(ReadU32(info + 8));
  layout.bits = ReadU16(info + 14);
  uint32_t compression = ReadU32(info + 16);
  const uint32_t paletteUsed = ReadU32(info + 32);
  if (width <= 0 || height == 0 || height == INT32_MIN)
    return Fail(error, "bad dimensions " + std::to_string(width) + " x " + std::to_string(height));
  layout.width = width;
  layout.topDown = height < 0;
  layout.rows = height < 0 ? -height : height;

  switch (layout.bits) {
    case 1:
    case 4:
    case 8:
      if (compression != kCompressionNone) break;
      if (!ReadPalette(data, size, kFileHeaderSize + infoSize, paletteUsed, layout, error))
        return false;
      compression = kCompressionNone;
      break;
    case 24:
      break;
    case 16:
    case 32:
      if (compression != kCompressionNone && compression != kCompressionBitFields) break;
      if (!ReadMasks(data, size, compression, layout, error)) return false;
      compression = kCompressionNone;
      break;
    default:
      return Fail(error, "unsupported bit count " + std::to_string(layout.bits));
  }
  if (compression != kCompressionNone)
    return Fail(error, "unsupported compression " + std::to_string(compression));

  // Rows are padded to whole 32-bit words. Wide enough arithmetic that no
  // header can wrap it round.
  const uint64_t stride = (static_cast<uint64_t>(width) * layout.bits + 31) / 32 * 4;
  const uint64_t end = pixelOffset + stride * static_cast<uint64_t>(layout.rows);
  if (end > size) return Fail(error, "pixel data cut short");
  layout.stride = static_cast<size_t>(stride);
  layout.pixels = data + pixelOffset;
  return true;
}

void ReadRow(const Layout& layout, const uint8_t* in, uint8_t* out) {
  for (int x = 0; x < layout.width; ++x, out += 3) {
    switch (layout.bits) {
      case 1:
      case 4:
      case 8: {
        const int bitOffset = x * layout.bits;
        const int shift = 8 - layout.bits - bitOffset % 8;  // leftmost pixel in the high bits
        const unsigned index = (in[bitOffset / 8] >> shift) & ((1u << layout.bits) - 1);
        std::memcpy(out, layout.palette[index], 3);
        break;
      }
      case 24:
        out[0] = in[3 * x + 2];
        out[1] = in[3 * x + 1];
        out[2] = in[3 * x];
        break;
      default: {
        const uint32_t pixel = layout.bits == 16 ? ReadU16(in + 2 * x) : ReadU32(in + 4 * x);
        out[0] = layout.red.Extract(pixel);
        out[1] = layout.green.Extract(pixel);
        out[2] = layout.blue.Extract(pixel);
      }
    }
  }
}

}  // namespace

std::optional<DecodedImage> DecodeBmp(const uint8_t* data, size_t size, std::string& error) {
  Layout layout;
  if (!ReadLayout(data, size, layout, error)) return std::nullopt;
  DecodedImage image;
  image.channels = 3;
  image.width = layout.width;
  image.height = layout.rows;
  const size_t outStride = static_cast<size_t>(layout.width) * 3;
  image.pixels.resize(outStride * layout.rows);
  for (int r = 0; r < layout.rows; ++r) {
    const int fileRow = layout.topDown ? layout.rows - 1 - r : r;
    ReadRow(layout, layout.pixels + layout.stride * fileRow, image.pixels.data() + outStride * r);
  }
  return image;
}

}  // namespace assets
