#pragma once

namespace archive {

// Opens the embedded archives for lookups by member path.
void InitAssetStore();

}  // namespace archive
