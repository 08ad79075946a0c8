#include "room_textures.h"

#include "room_texture_parts.h"

namespace content {

std::vector<NamedTexture> MakeRoomTextures() {
  std::vector<NamedTexture> textures;
  textures.reserve(26);
  auto add = [&](const char* name, RgbaImage image, int bits) {
    textures.push_back({name, std::move(image), bits});
  };
  add("wallpaper.tga", DrawWallpaper(), 24);
  add("plaster_ceiling.tga", DrawPlasterCeiling(), 24);
  add("floor_oak.tga", DrawFloorOak(), 24);
  add("beam_wood.tga", DrawBeamWood(), 24);
  add("brick.tga", DrawBrick(), 24);
  add("hearth_stone.tga", DrawHearthStone(), 24);
  add("mantel_wood.tga", DrawMantelWood(), 24);
  add("firebox_soot.tga", DrawFireboxSoot(), 24);
  add("firebox_soot_i.tga", DrawFireboxGlow(), 24);
  add("rug.tga", DrawRug(), 24);
  add("window_frame.tga", DrawWindowFrame(), 24);
  add("glass.tga", DrawGlass(), 32);
  add("door_wood.tga", DrawDoorWood(), 24);
  add("skirting.tga", DrawSkirting(), 24);
  add("frame_gold.tga", DrawFrameGold(), 24);
  add("painting_winter.tga", DrawWinterPainting(), 24);
  add("painting_still.tga", DrawStillLifePainting(), 24);
  add("fireguard.tga", DrawFireguard(), 32);
  add("garland.tga", DrawGarland(), 32);
  add("ad_fairylights.tga", DrawFairyLights(), 32);
  add("snow_ground.tga", DrawSnowGround(), 24);
  add("fir_silhouette.tga", DrawFirSilhouette(), 32);
  add("night_sky.tga", DrawNightSky(), 24);
  add("moon.tga", DrawMoon(), 32);
  add("curtain_fabric.tga", DrawCurtainFabric(), 24);
  add("sill_wood.tga", DrawSillWood(), 24);
  return textures;
}

}  // namespace content
