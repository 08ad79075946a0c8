// Writes RAR 2.x archives of stored (uncompressed) members.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace content {

struct ArchiveMember {
  std::string name;  // folders separated by backslashes, e.g. "Textures\\tex_default.tga"
  bool isDirectory = false;
  std::vector<uint8_t> data;
};

// Marker, archive header with flags 0, then one block per member in the
// order given; no end-of-archive block.
std::vector<uint8_t> BuildRarArchive(const std::vector<ArchiveMember>& members);

}  // namespace content
