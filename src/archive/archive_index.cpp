#include "archive/archive_index.h"

namespace archive {

void ArchiveIndex::Build(const ArchiveView& archive) {
  blocks_.clear();
  built_ = true;
  data_ = archive.data;
  size_ = archive.size;
  ArchiveView view{archive.data, archive.size, 0};
  uint16_t archiveFlags = 0;
  if (!OpenArchive(view, archiveFlags)) return;
  const bool solid = (archiveFlags & kArchiveSolid) != 0;
  FileBlock block;
  while (NextFileBlock(view, block)) {
    char key[kNormalisedNameSize];
    NormaliseMemberName(block.name, key);
    // The scan stops at the first block of a name, whether or not that
    // block then extracts, so later blocks of the same name are never seen.
    blocks_.emplace(key, block);
    if (solid && !PassesThrough(block)) return;
    SkipBlock(view, block);
  }
}

bool ArchiveIndex::Extract(ArchiveView& archive, const char* name, AssetBlob& out) const {
  out = AssetBlob{};
  if (!name) return false;
  char key[kNormalisedNameSize];
  NormaliseMemberName(name, key);
  const auto found = blocks_.find(key);
  if (found == blocks_.end()) return false;
  // The CRC check runs again on every lookup, as the scan's would.
  return ExtractBlock(archive, found->second, out);
}

}  // namespace archive
