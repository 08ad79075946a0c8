// The pictures the saver needs before the room itself can be rendered: the
// default texture, the loading picture and the corner logos.
#pragma once

#include "image.h"

namespace content {

// A soft two-tone check, so a missing texture is visible without shouting.
RgbaImage DrawDefaultTexture(int size);

// A warm room-at-night impression: fire glow, a fir tree with lights, a window.
RgbaImage DrawLoadingPicture(int size);

// Our mark for the loading screen's corner: a gold star and a ribbon of
// lights on a transparent ground.
RgbaImage DrawCornerLogo(int width, int height);

// The room impression at any size: the square picture cut to the middle.
RgbaImage DrawRoomPicture(int width, int height);

// A fully transparent 1 x 1 picture for the unused corners.
RgbaImage DrawTransparentPixel();

}  // namespace content
