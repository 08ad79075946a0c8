#include "archive/asset_blob.h"

#include <cstdlib>

namespace archive {

// The reader allocates every blob with the C allocator, so it is released
// the same way; the blob is left empty so a second release is harmless.
void FreeAssetBlob(AssetBlob& blob) {
  std::free(blob.data);
  blob.data = nullptr;
  blob.size = 0;
}

}  // namespace archive
