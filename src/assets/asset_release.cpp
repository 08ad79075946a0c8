#include "assets/asset_release.h"

#include "assets/texture_cache.h"

namespace assets {

void ClearTextureCache() { TextureCache::Clear(); }

// Nothing is loaded yet; the model library fills this in.
void DestroyModelLibrary() {}

}  // namespace assets
