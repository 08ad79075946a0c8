#pragma once

#include <cstdint>

namespace archive {

// A heap copy of one archive member's bytes; data is null when not found.
// The receiver owns the bytes and frees them with FreeAssetBlob.
struct AssetBlob {
  uint8_t* data = nullptr;
  uint32_t size = 0;
};

void FreeAssetBlob(AssetBlob& blob);

}  // namespace archive
