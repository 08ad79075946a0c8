#include "archive/asset_store.h"

#include <fstream>

#include "app/log.h"
#include "platform/platform.h"

namespace archive {
namespace {

// Data used to ship as loose files beside the program; their presence is
// still reported, though only the embedded archives are read.
void ProbeLooseFile(const char* path, const char* missingLine) {
  std::ifstream file(path, std::ios::binary);
  if (!file.is_open()) app::Log(missingLine);
}

ArchiveView EmbeddedArchive(int id) {
  const platform::ResourceBytes bytes = platform::Os().FindEmbedded("MediaData", id);
  if (!bytes.data) return ArchiveView{};
  return ArchiveView{bytes.data, bytes.size, 0};
}

bool FindIn(ArchiveView& archive, const ArchiveIndex& index, const char* name, AssetBlob& out) {
  if (index.BuiltFor(archive)) return index.Extract(archive, name, out);
  return ExtractMember(archive, name, out);
}

}  // namespace

void AssetStore::Init() {
  ProbeLooseFile("Base/Data.pak", "Data.pak not found");
  ProbeLooseFile("Base/Base.rar", "Base.rar not found");
  Open(EmbeddedArchive(148), EmbeddedArchive(150));
}

void AssetStore::Open(const ArchiveView& primaryArchive, const ArchiveView& secondaryArchive) {
  primary = primaryArchive;
  secondary = secondaryArchive;
  primaryIndex_.Build(primary);
  secondaryIndex_.Build(secondary);
}

AssetBlob AssetStore::Find(const char* name) {
  AssetBlob blob;
  if (FindIn(primary, primaryIndex_, name, blob)) return blob;
  if (FindIn(secondary, secondaryIndex_, name, blob)) return blob;
  return AssetBlob{};
}

AssetBlob AssetStore::FindByScan(const char* name) {
  AssetBlob blob;
  if (ExtractMember(primary, name, blob)) return blob;
  if (ExtractMember(secondary, name, blob)) return blob;
  return AssetBlob{};
}

AssetStore& Assets() {
  static AssetStore store;
  return store;
}

}  // namespace archive
