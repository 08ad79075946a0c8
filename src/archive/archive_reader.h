// Reads single members out of a RAR 2.x archive held in memory: marker,
// archive header, file blocks, stored members and their CRC-32. There is no
// decompressor, so compressed members (and, in a solid archive, anything
// behind a compressed member) count as not found.
#pragma once

#include <cstdint>

#include "archive/asset_blob.h"

namespace archive {

// One archive in memory. The bytes belong to whoever provided them (for the
// program, the executable's resource memory); offset is the read position,
// which every extraction resets.
struct ArchiveView {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  uint32_t offset = 0;
};

// Extracts the member whose name equals name under MemberNamesEqual. On
// success out holds a heap copy of the bytes (release with FreeAssetBlob)
// and the call returns true; a member with no bytes (a directory entry)
// succeeds with out.data non-null and out.size 0. Every failure - not an
// archive, damaged block list, unsupported member, CRC mismatch, name not
// present - returns false with out.data null and out.size 0.
bool ExtractMember(ArchiveView& archive, const char* name, AssetBlob& out);

// Member names are compared after keeping at most 511 characters, turning
// both slash directions into underscores and mapping to upper case, so
// "Textures/a.tga", "TEXTURES\A.TGA" and "textures_a.tga" are one name.
constexpr int kNormalisedNameSize = 512;
void NormaliseMemberName(const char* name, char (&out)[kNormalisedNameSize]);
bool MemberNamesEqual(const char* a, const char* b);

// The block-level steps ExtractMember is built from, for callers that walk
// an archive once (the asset store's index, tools that list members).

// A file block as the block scan reads it.
struct FileBlock {
  uint32_t start = 0;  // offset of the block's first byte
  uint16_t flags = 0;
  uint16_t headerSize = 0;
  uint32_t packedSize = 0;
  uint32_t unpackedSize = 0;
  uint32_t crc = 0;
  uint8_t version = 0;
  uint8_t method = 0;
  uint32_t dataStart = 0;  // read position right after the name
  uint32_t next = 0;       // where the following block starts, at most the archive size
  char name[260] = {};     // at most 259 bytes of the stored name, terminated
};

constexpr uint16_t kArchiveSolid = 0x0008;

// Checks the marker and the archive header and leaves the read position at
// the first block. archiveFlags receives the header's flags.
bool OpenArchive(ArchiveView& archive, uint16_t& archiveFlags);

// Reads the next file block from the read position, skipping blocks of other
// types, and leaves the read position right after its name. Returns false
// when the scan ends: too few bytes left for a block header, a header size
// below 7, a block that would not advance within a signed 32-bit offset, or
// a sub-block (type 0x77).
bool NextFileBlock(ArchiveView& archive, FileBlock& block);

// Moves the read position to the block that follows.
inline void SkipBlock(ArchiveView& archive, const FileBlock& block) { archive.offset = block.next; }

// Extracts the member of one block (version 13..20, stored, CRC checked).
bool ExtractBlock(ArchiveView& archive, const FileBlock& block, AssetBlob& out);

// Whether a solid archive's scan can go on past this block towards a later
// member: its version must be supported and, lacking a decompressor, its
// bytes must be stored.
bool PassesThrough(const FileBlock& block);

}  // namespace archive
