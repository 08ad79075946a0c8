// The one store of the program's data files: two archives embedded as
// resources, asked for members by path ("Textures/tex_default.tga"; letter
// case and slash direction do not matter).
#pragma once

#include "archive/archive_index.h"
#include "archive/archive_reader.h"
#include "archive/asset_blob.h"

namespace archive {

class AssetStore {
 public:
  // Once at start-up: logs whether the old loose data files are present
  // (they are never read), then opens the "MediaData" resources 148 and 150.
  void Init();

  // Uses the given archives instead of the resources and indexes them; the
  // bytes must outlive the store's use of them.
  void Open(const ArchiveView& primaryArchive, const ArchiveView& secondaryArchive);

  // A heap copy of the member, from the primary archive if it holds the
  // name, else from the secondary one; data null and size 0 when neither
  // does. A found member without bytes (a directory) has data non-null and
  // size 0. The caller releases the copy with FreeAssetBlob. Nothing is
  // logged either way.
  AssetBlob Find(const char* name);

  // The same answers by scanning each archive's block list from the start,
  // without the index.
  AssetBlob FindByScan(const char* name);

  // Empty views (null, 0) until Init or Open; a resource that is missing
  // leaves its view empty. Should a view be replaced directly, lookups in it
  // scan until Open indexes it again.
  ArchiveView primary;
  ArchiveView secondary;

 private:
  ArchiveIndex primaryIndex_;
  ArchiveIndex secondaryIndex_;
};

// The process-wide store, initialised by the start-up code before any loader
// asks for a file.
AssetStore& Assets();

}  // namespace archive
