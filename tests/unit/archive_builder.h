// Hand-built archives for the reader's tests, with every field under the
// test's control so that damaged and unusual blocks can be made too. Header
// CRCs are left 0: the reader does not look at them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "archive/crc32.h"

namespace archive_test {

struct Block {
  std::string name;
  std::vector<uint8_t> data;
  uint8_t type = 0x74;
  uint16_t flags = 0x8040;
  uint8_t version = 20;
  uint8_t method = 0x30;
  // Unset: derived from name and data as a well-formed block would have them.
  std::optional<uint32_t> crc;
  std::optional<uint32_t> packedSize;
  std::optional<uint32_t> unpackedSize;
  std::optional<uint16_t> headerSize;
};

inline Block File(std::string name, std::string text) {
  Block block;
  block.name = std::move(name);
  block.data.assign(text.begin(), text.end());
  return block;
}

inline Block Folder(std::string name) {
  Block block;
  block.name = std::move(name);
  block.flags = 0x80E0;
  return block;
}

inline void PutU16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
inline void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

inline std::vector<uint8_t> Marker() { return {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00}; }

inline std::vector<uint8_t> Build(const std::vector<Block>& blocks, uint16_t archiveFlags = 0,
                                  uint16_t archiveHeaderSize = 13) {
  std::vector<uint8_t> out = Marker();
  PutU16(out, 0);
  out.push_back(0x73);
  PutU16(out, archiveFlags);
  PutU16(out, archiveHeaderSize);
  PutU16(out, 0);
  PutU32(out, 0);
  for (int i = 13; i < archiveHeaderSize; ++i) out.push_back(0xEE);
  for (const Block& b : blocks) {
    const uint32_t size = static_cast<uint32_t>(b.data.size());
    PutU16(out, 0);
    out.push_back(b.type);
    PutU16(out, b.flags);
    PutU16(out, b.headerSize.value_or(static_cast<uint16_t>(32 + b.name.size())));
    PutU32(out, b.packedSize.value_or(size));
    PutU32(out, b.unpackedSize.value_or(size));
    out.push_back(2);
    PutU32(out, b.crc.value_or(archive::Crc32(b.data.data(), b.data.size())));
    PutU32(out, 0x5998'9000);
    out.push_back(b.version);
    out.push_back(b.method);
    PutU16(out, static_cast<uint32_t>(b.name.size()));
    PutU32(out, (b.flags & 0xE0) == 0xE0 ? 0x10 : 0x20);
    out.insert(out.end(), b.name.begin(), b.name.end());
    out.insert(out.end(), b.data.begin(), b.data.end());
  }
  return out;
}

}  // namespace archive_test
