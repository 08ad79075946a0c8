#include "assets/asset_release.h"

#include "assets/static_model.h"
#include "assets/texture_cache.h"

namespace assets {

void ClearTextureCache() { TextureCache::Clear(); }

void DestroyModelLibrary() { ModelLibrary::Clear(); }

}  // namespace assets
