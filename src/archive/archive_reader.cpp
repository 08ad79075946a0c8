#include "archive/archive_reader.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "archive/crc32.h"

namespace archive {
namespace {

const uint8_t kMarker[7] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
constexpr uint32_t kArchiveHeaderSize = 13;
constexpr uint32_t kBlockHeaderSize = 32;
constexpr uint32_t kMaxStoredName = 259;
constexpr uint8_t kFileBlock = 0x74;
constexpr uint8_t kSubBlock = 0x77;
constexpr uint16_t kHasDataArea = 0x8000;
constexpr uint8_t kStored = 0x30;
constexpr uint8_t kOldestVersion = 13;
constexpr uint8_t kNewestVersion = 20;
// Block positions are signed 32-bit in the format's own readers: a block
// whose successor lies beyond that does not advance the scan. Positions are
// summed in 64 bits here, so a huge packed size cannot wrap around to an
// earlier block.
constexpr uint64_t kLastReachableOffset = 0x7FFFFFFF;

// All-or-nothing read at the read position: n bytes when they are all there,
// otherwise nothing and 0. The sum is 64-bit so a huge n cannot wrap.
uint32_t Read(ArchiveView& archive, void* to, uint32_t n) {
  if (n == 0 || uint64_t(archive.offset) + n > archive.size) return 0;
  std::memcpy(to, archive.data + archive.offset, n);
  archive.offset += n;
  return n;
}

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

}  // namespace

void NormaliseMemberName(const char* name, char (&out)[kNormalisedNameSize]) {
  int i = 0;
  for (; name && name[i] != '\0' && i < kNormalisedNameSize - 1; ++i) {
    const char c = name[i];
    out[i] = (c == '\\' || c == '/') ? '_' : char(std::toupper(static_cast<unsigned char>(c)));
  }
  out[i] = '\0';
}

bool MemberNamesEqual(const char* a, const char* b) {
  char left[kNormalisedNameSize];
  char right[kNormalisedNameSize];
  NormaliseMemberName(a, left);
  NormaliseMemberName(b, right);
  return std::strcmp(left, right) == 0;
}

bool OpenArchive(ArchiveView& archive, uint16_t& archiveFlags) {
  uint8_t marker[sizeof kMarker];
  if (Read(archive, marker, sizeof marker) != sizeof marker) return false;
  if (std::memcmp(marker, kMarker, sizeof marker) != 0) return false;
  uint8_t header[kArchiveHeaderSize];
  if (Read(archive, header, sizeof header) != sizeof header) return false;
  archiveFlags = U16(header + 3);
  // The header's own size counts from its first byte; a size below 13 moves
  // the position back into the header, as the format's readers do. The
  // position never goes beyond the end.
  const uint64_t first = uint64_t(archive.offset) - kArchiveHeaderSize + U16(header + 5);
  archive.offset = first > archive.size ? archive.size : uint32_t(first);
  return true;
}

bool NextFileBlock(ArchiveView& archive, FileBlock& block) {
  for (;;) {
    if (archive.offset > archive.size || archive.size - archive.offset < kBlockHeaderSize) return false;
    const uint32_t start = archive.offset;
    uint8_t h[kBlockHeaderSize] = {};
    if (Read(archive, h, sizeof h) != sizeof h) return false;
    const uint8_t type = h[2];
    const uint16_t flags = U16(h + 3);
    const uint16_t headerSize = U16(h + 5);
    const uint32_t packedSize = U32(h + 7);
    if (headerSize < 7) return false;
    const uint64_t next = uint64_t(start) + headerSize + ((flags & kHasDataArea) ? packedSize : 0);
    if (next <= start || next > kLastReachableOffset) return false;
    const uint32_t clampedNext = next > archive.size ? archive.size : uint32_t(next);
    if (type == kSubBlock) return false;
    if (type != kFileBlock) {
      archive.offset = clampedNext;
      continue;
    }
    block.start = start;
    block.flags = flags;
    block.headerSize = headerSize;
    block.packedSize = packedSize;
    block.unpackedSize = U32(h + 11);
    block.crc = U32(h + 16);
    block.version = h[24];
    block.method = h[25];
    block.next = clampedNext;
    const uint16_t nameLength = U16(h + 26);
    const uint32_t kept = nameLength < kMaxStoredName ? nameLength : kMaxStoredName;
    // A name cut off by the end of the archive reads as empty, like any
    // other failed read.
    const uint32_t got = Read(archive, block.name, kept);
    block.name[got] = '\0';
    block.dataStart = archive.offset;
    return true;
  }
}

bool PassesThrough(const FileBlock& block) {
  return block.version >= kOldestVersion && block.version <= kNewestVersion && block.method == kStored;
}

bool ExtractBlock(ArchiveView& archive, const FileBlock& block, AssetBlob& out) {
  out = AssetBlob{};
  if (block.version < kOldestVersion || block.version > kNewestVersion) return false;
  // Without a decompressor only stored members can be extracted; the
  // format's 1 MiB decompression window is therefore never allocated.
  if (block.method != kStored) return false;
  // Zero-filled, and never of size 0: bytes the archive does not hold read
  // as zeros in the CRC check, and an empty member still has a non-null
  // buffer, which is how "found, empty" differs from "not found".
  uint8_t* buffer = static_cast<uint8_t*>(std::calloc(block.unpackedSize ? block.unpackedSize : 1, 1));
  if (!buffer) return false;
  archive.offset = block.dataStart;
  const uint32_t wanted = block.packedSize < block.unpackedSize ? block.packedSize : block.unpackedSize;
  const uint32_t copied = Read(archive, buffer, wanted);
  if (Crc32(buffer, block.unpackedSize) != block.crc) {
    std::free(buffer);
    return false;
  }
  out.data = buffer;
  out.size = copied;
  return true;
}

bool ExtractMember(ArchiveView& archive, const char* name, AssetBlob& out) {
  out = AssetBlob{};
  archive.offset = 0;
  uint16_t archiveFlags = 0;
  if (!name || !OpenArchive(archive, archiveFlags)) return false;
  const bool solid = (archiveFlags & kArchiveSolid) != 0;
  char wanted[kNormalisedNameSize];
  NormaliseMemberName(name, wanted);
  FileBlock block;
  while (NextFileBlock(archive, block)) {
    char stored[kNormalisedNameSize];
    NormaliseMemberName(block.name, stored);
    if (std::strcmp(stored, wanted) == 0) {
      const bool found = ExtractBlock(archive, block, out);
      SkipBlock(archive, block);
      return found;
    }
    // In a solid archive every member before the wanted one would have to
    // pass through the decompressor to rebuild its history.
    if (solid && !PassesThrough(block)) return false;
    SkipBlock(archive, block);
  }
  return false;
}

}  // namespace archive
