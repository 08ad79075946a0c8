// glimmerhall_content --out DIR: writes every generated data file into DIR.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "icon_writer.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(path.parent_path());
  const std::filesystem::path temporary = path.string() + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) return false;
  }
  std::filesystem::rename(temporary, path);
  return true;
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
  const auto icon = content::EncodeIcon({content::DrawAppIcon(32), content::DrawAppIcon(16)});
  if (!WriteFile(out / "glimmerhall.ico", icon)) {
    std::fprintf(stderr, "glimmerhall_content: cannot write into %s\n", outDir.c_str());
    return 1;
  }
  return 0;
}
