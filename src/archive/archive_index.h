// A lookup table over one archive's block list, so that finding a member
// costs one hash lookup instead of a scan from the first block. It answers
// every name exactly as ExtractMember would on the same bytes.
#pragma once

#include <string>
#include <unordered_map>

#include "archive/archive_reader.h"

namespace archive {

class ArchiveIndex {
 public:
  // Walks the archive once. The bytes must stay unchanged for as long as the
  // index is used with them.
  void Build(const ArchiveView& archive);

  // Whether the index was built over exactly these bytes.
  bool BuiltFor(const ArchiveView& archive) const {
    return built_ && archive.data == data_ && archive.size == size_;
  }

  // The same result as ExtractMember(archive, name, out).
  bool Extract(ArchiveView& archive, const char* name, AssetBlob& out) const;

  size_t Names() const { return blocks_.size(); }

 private:
  bool built_ = false;
  const uint8_t* data_ = nullptr;
  uint32_t size_ = 0;
  // Normalised name -> the block the scan would stop at for it. Names the
  // scan can never reach (behind the end of a damaged block list, or behind
  // a member a solid archive cannot pass) are left out: they are not found.
  std::unordered_map<std::string, FileBlock> blocks_;
};

}  // namespace archive
