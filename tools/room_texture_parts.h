// The painters behind MakeRoomTextures, one per material, grouped by the file
// that draws them. Each returns a finished picture at its final size.
#pragma once

#include "image.h"

namespace content {

// Boards and mouldings (texture_wood.cpp).
RgbaImage DrawFloorOak();
RgbaImage DrawBeamWood();
RgbaImage DrawMantelWood();
RgbaImage DrawSkirting();

// Joinery (texture_joinery.cpp).
RgbaImage DrawDoorWood();
RgbaImage DrawWindowFrame();
RgbaImage DrawSillWood();
RgbaImage DrawFrameGold();

// Masonry and plaster (texture_masonry.cpp).
RgbaImage DrawBrick();
RgbaImage DrawHearthStone();
RgbaImage DrawFireboxSoot();
RgbaImage DrawFireboxGlow();
RgbaImage DrawPlasterCeiling();

// Paper and cloth (texture_fabric.cpp).
RgbaImage DrawWallpaper();
RgbaImage DrawRug();
RgbaImage DrawCurtainFabric();

// The view through the windows (texture_outdoor.cpp).
RgbaImage DrawGlass();
RgbaImage DrawSnowGround();
RgbaImage DrawFirSilhouette();
RgbaImage DrawNightSky();
RgbaImage DrawMoon();

// Cut-outs and lights (texture_cutouts.cpp).
RgbaImage DrawFireguard();
RgbaImage DrawGarland();
RgbaImage DrawFairyLights();

// Pictures on the walls (texture_paintings.cpp).
RgbaImage DrawWinterPainting();
RgbaImage DrawStillLifePainting();

}  // namespace content
