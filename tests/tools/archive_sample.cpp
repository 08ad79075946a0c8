// Helper of the archive end-to-end test.
//   archive_sample write DIR          writes DIR/sample.rar through the content
//                                     generator's writer, every member's bytes
//                                     under DIR/expected/, and the member names
//                                     (slash-separated) in DIR/members.txt and
//                                     DIR/files.txt
//   archive_sample extract ARCHIVE NAME FILE
//                                     extracts NAME with the saver's reader into
//                                     FILE; exit status 1 when not found
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "archive/archive_reader.h"
#include "rar_writer.h"

namespace {

std::vector<uint8_t> Varied(size_t size, uint32_t seed) {
  std::vector<uint8_t> bytes(size);
  for (auto& b : bytes) {
    seed = seed * 1664525u + 1013904223u;
    b = static_cast<uint8_t>(seed >> 24);
  }
  return bytes;
}

std::string Slashed(std::string name) {
  for (char& c : name)
    if (c == '\\') c = '/';
  return name;
}

bool Save(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

int Write(const std::filesystem::path& dir) {
  const std::string text = "A text member.\n";
  const std::vector<content::ArchiveMember> members = {
      {"Models", true, {}},
      {"Models\\UPPER.BSM", false, Varied(4099, 1)},
      {"Music", true, {}},
      {"Music\\big.bin", false, Varied(1 << 20, 2)},
      {"Textures", true, {}},
      {"Textures\\deep", true, {}},
      {"Textures\\deep\\a name with spaces.tga", false, Varied(777, 3)},
      {"Textures\\deep\\empty.bin", false, {}},
      {"Textures\\Empty Folder", true, {}},
      {"readme.txt", false, std::vector<uint8_t>(text.begin(), text.end())},
  };
  std::filesystem::create_directories(dir / "expected");
  std::ofstream names(dir / "members.txt"), files(dir / "files.txt");
  for (const auto& member : members) {
    const std::string name = Slashed(member.name);
    names << name << '\n';
    if (member.isDirectory) {
      std::filesystem::create_directories(dir / "expected" / name);
    } else {
      files << name << '\n';
      if (!Save(dir / "expected" / name, member.data)) return 1;
    }
  }
  return Save(dir / "sample.rar", content::BuildRarArchive(members)) && names && files ? 0 : 1;
}

int Extract(const char* archivePath, const char* name, const char* outPath) {
  std::ifstream in(archivePath, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.eof() && !in) return 2;
  archive::ArchiveView view{bytes.data(), static_cast<uint32_t>(bytes.size()), 0};
  archive::AssetBlob blob;
  if (!archive::ExtractMember(view, name, blob)) return 1;
  const bool saved = Save(outPath, std::vector<uint8_t>(blob.data, blob.data + blob.size));
  archive::FreeAssetBlob(blob);
  return saved ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "write") == 0) return Write(argv[2]);
  if (argc == 5 && std::strcmp(argv[1], "extract") == 0) return Extract(argv[2], argv[3], argv[4]);
  std::fprintf(stderr, "usage: archive_sample write DIR | archive_sample extract ARCHIVE NAME FILE\n");
  return 2;
}
