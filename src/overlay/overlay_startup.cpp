#include "overlay/overlay_startup.h"

namespace overlay {

// The loading picture and the glyph textures come with their images.
void ShowLoadingScreen() {}
void InitClockOverlay() {}

}  // namespace overlay
