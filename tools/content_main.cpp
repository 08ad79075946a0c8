// glimmerhall_content --out DIR: writes every generated data file into DIR:
// the two data archives, the loading screen's corner images, the emblem and
// the program icon (the room's stills are rendered from the archives next).
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "basic_pictures.h"
#include "bmp_writer.h"
#include "icon_writer.h"
#include "jpeg_writer.h"
#include "lightmap_baker.h"
#include "music_track.h"
#include "output_file.h"
#include "overlay_textures.h"
#include "particle_systems.h"
#include "rar_writer.h"
#include "room_models.h"
#include "room_scene.h"
#include "room_textures.h"
#include "sprite_textures.h"
#include "tga_writer.h"

namespace {

content::ArchiveMember Folder(const char* name) {
  content::ArchiveMember member;
  member.name = name;
  member.isDirectory = true;
  return member;
}

content::ArchiveMember File(const char* name, std::vector<uint8_t> data) {
  content::ArchiveMember member;
  member.name = name;
  member.data = std::move(data);
  return member;
}

std::vector<uint8_t> PrimaryArchive() {
  std::vector<content::ArchiveMember> members = {
      Folder("Models"), Folder("Music"), Folder("Particles"), Folder("Sprites"), Folder("Textures")};
  members.push_back(File("Music\\Music.ogg", content::MakeMusic()));
  members.push_back(File("Textures\\tex_default.tga", content::EncodeTga(content::DrawDefaultTexture(64), 24)));
  // The room: its scene file, its material textures and the lightmaps baked
  // for it.
  const content::RoomScene room = content::BuildRoomScene();
  members.push_back(File("Models\\test.BSS", content::EncodeBss(room.scene)));
  for (const content::NamedTexture& texture : content::MakeRoomTextures())
    members.push_back(
        File(("Textures\\" + texture.name).c_str(), content::EncodeTga(texture.image, texture.bitsPerPixel)));
  const std::vector<content::RgbaImage> lightmaps = content::BakeLightmaps(room.bake);
  for (size_t i = 0; i < lightmaps.size() && i < room.lightmapNames.size(); ++i)
    members.push_back(File(("Textures\\" + room.lightmapNames[i]).c_str(), content::EncodeTga(lightmaps[i], 24)));
  // The furniture and props, their textures and the animated fire.
  std::vector<content::NamedModel> models = content::MakeCentrepieceModels();
  for (content::NamedModel& model : content::MakeFurnishingModels()) models.push_back(std::move(model));
  for (const content::NamedModel& model : models)
    members.push_back(File(("Models\\" + model.name + ".BSM").c_str(), content::EncodeBsm(model.model)));
  for (const content::NamedTexture& texture : content::MakeModelTextures())
    members.push_back(
        File(("Textures\\" + texture.name).c_str(), content::EncodeTga(texture.image, texture.bitsPerPixel)));
  const content::AnimatedModelFiles fire = content::MakeFireplaceFire();
  members.push_back(File(("Models\\" + fire.name + ".BSA").c_str(), content::EncodeBsaMesh(fire.mesh)));
  members.push_back(File(("Models\\" + fire.name + "_anim.BSA").c_str(), content::EncodeBsaAnimation(fire.animation)));
  // The particle systems and their sprites.
  for (const content::ParticleSystemFile& system : content::MakeParticleSystems())
    members.push_back(File(("Particles\\" + system.name + ".bin").c_str(), content::EncodeParticleSystem(system.emitters)));
  for (const content::NamedTexture& sprite : content::MakeSpriteTextures())
    members.push_back(
        File(("Sprites\\" + sprite.name).c_str(), content::EncodeTga(sprite.image, sprite.bitsPerPixel)));
  return content::BuildRarArchive(members);
}

// The clock's and countdown's glyphs, captions, labels and greetings.
std::vector<uint8_t> SecondaryArchive() {
  std::vector<content::ArchiveMember> members = {Folder("Textures")};
  for (const content::NamedTexture& texture : content::MakeOverlayTextures())
    members.push_back(
        File(("Textures\\" + texture.name).c_str(), content::EncodeTga(texture.image, texture.bitsPerPixel)));
  return content::BuildRarArchive(members);
}

}  // namespace

int main(int argc, char** argv) {
  std::string outDir;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) outDir = argv[++i];
  }
  if (outDir.empty()) {
    std::fprintf(stderr, "usage: glimmerhall_content --out DIR\n");
    return 2;
  }
  const std::filesystem::path out(outDir);
  const content::RgbaImage pixel = content::DrawTransparentPixel();
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
  } files[] = {
      {"glimmerhall.ico", content::EncodeIcon({content::DrawAppIcon(48), content::DrawAppIcon(32),
                                               content::DrawAppIcon(16)})},
      {"emblem.bmp", content::EncodeBmp(content::DrawRoomPicture(64, 64))},
      {"media148.rar", PrimaryArchive()},
      {"media150.rar", SecondaryArchive()},
      {"4loader_rd.tga", content::EncodeTga(content::DrawLoaderLogo(), 32)},
      {"4loader_ld.tga", content::EncodeTga(pixel, 32)},
      {"4loader_lu.tga", content::EncodeTga(pixel, 32)},
      {"4loader_ru.tga", content::EncodeTga(pixel, 32)},
  };
  for (const auto& file : files) {
    if (!content::WriteFileWhole(out / file.name, file.bytes)) {
      std::fprintf(stderr, "glimmerhall_content: cannot write %s into %s\n", file.name, outDir.c_str());
      return 1;
    }
  }
  return 0;
}
