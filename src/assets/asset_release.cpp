#include "assets/asset_release.h"

namespace assets {

// Nothing is cached or loaded yet; the texture cache and the model library
// fill these in.
void ClearTextureCache() {}
void DestroyModelLibrary() {}

}  // namespace assets
