#pragma once

namespace assets {

// Deletes every cached texture.
void ClearTextureCache();
// Destroys every loaded static model and empties the library.
void DestroyModelLibrary();

}  // namespace assets
