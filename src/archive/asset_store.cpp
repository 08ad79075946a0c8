#include "archive/asset_store.h"

namespace archive {

// The archives are embedded by the content generator; until then there is
// nothing to open.
void InitAssetStore() {}

}  // namespace archive
