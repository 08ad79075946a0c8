// Asset lookups per second on the shipped archives: hits in the primary
// archive, hits that only the secondary one holds, and misses, each by
// scanning the block lists and through the index. Then the same on archives
// with the block counts of the finished data set (190 and 30 blocks) and
// small members, where the scan's share of a lookup shows best.
//   bench_lookups PRIMARY.rar SECONDARY.rar
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "archive/archive_reader.h"
#include "archive/asset_store.h"
#include "rar_writer.h"

namespace {

std::vector<uint8_t> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The names of the archive's file members, spelt as the loaders ask for
// them (forward slashes).
std::vector<std::string> FileNames(const std::vector<uint8_t>& bytes) {
  std::vector<std::string> names;
  archive::ArchiveView view{bytes.data(), static_cast<uint32_t>(bytes.size()), 0};
  uint16_t flags = 0;
  if (!archive::OpenArchive(view, flags)) return names;
  archive::FileBlock block;
  while (archive::NextFileBlock(view, block)) {
    if ((block.flags & 0xE0) != 0xE0) {
      std::string name = block.name;
      for (char& c : name)
        if (c == '\\') c = '/';
      names.push_back(name);
    }
    archive::SkipBlock(view, block);
  }
  return names;
}

struct Rate {
  double perSecond = 0;
  double bytesPerLookup = 0;
  size_t found = 0;
  size_t lookups = 0;
};

// Cycles through the names for at least a third of a second.
template <typename Lookup>
Rate Measure(const std::vector<std::string>& names, Lookup lookup) {
  using Clock = std::chrono::steady_clock;
  Rate rate;
  if (names.empty()) return rate;
  double bytes = 0;
  const auto start = Clock::now();
  double elapsed = 0;
  do {
    for (const std::string& name : names) {
      archive::AssetBlob blob = lookup(name.c_str());
      rate.found += blob.data != nullptr;
      bytes += blob.size;
      archive::FreeAssetBlob(blob);
      ++rate.lookups;
    }
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  } while (elapsed < 0.33);
  rate.perSecond = rate.lookups / elapsed;
  rate.bytesPerLookup = bytes / rate.lookups;
  return rate;
}

void Report(const char* what, archive::AssetStore& store, const std::vector<std::string>& names) {
  const Rate scan = Measure(names, [&](const char* n) { return store.FindByScan(n); });
  const Rate index = Measure(names, [&](const char* n) { return store.Find(n); });
  std::printf("%-16s %4zu names  %6.1f%% found  %10.0f KiB/lookup  scan %12.0f/s  index %12.0f/s  x%.1f\n", what,
              names.size(), names.empty() ? 0.0 : 100.0 * index.found / index.lookups, index.bytesPerLookup / 1024,
              scan.perSecond, index.perSecond, scan.perSecond > 0 ? index.perSecond / scan.perSecond : 0.0);
  if (scan.found != 0 && index.found * scan.lookups != scan.found * index.lookups)
    std::printf("  warning: scan and index found different members\n");
}

// Folders, then files of 2 to 6 KiB spread over them, as the data set's
// archives hold them.
std::vector<uint8_t> Modelled(const std::vector<const char*>& folders, const char* stem, int files) {
  std::vector<content::ArchiveMember> members;
  for (const char* folder : folders) members.push_back({folder, true, {}});
  for (int i = 0; i < files; ++i) {
    const std::string folder = folders[i % folders.size()];
    std::vector<uint8_t> data(2048 + (i * 977) % 4096, static_cast<uint8_t>(i));
    members.push_back({folder + "\\" + stem + std::to_string(i) + ".bin", false, std::move(data)});
  }
  return content::BuildRarArchive(members);
}

void Run(const char* title, const std::vector<uint8_t>& primary, const std::vector<uint8_t>& secondary) {
  std::printf("%s\n", title);
  archive::AssetStore store;
  store.Open({primary.data(), static_cast<uint32_t>(primary.size()), 0},
             {secondary.data(), static_cast<uint32_t>(secondary.size()), 0});

  const std::vector<std::string> primaryNames = FileNames(primary);
  std::vector<std::string> small;  // without the music, whose copy dwarfs every lookup
  for (const std::string& name : primaryNames) {
    archive::AssetBlob blob = store.Find(name.c_str());
    if (blob.size <= 1024 * 1024) small.push_back(name);
    archive::FreeAssetBlob(blob);
  }
  std::vector<std::string> secondaryOnly;
  for (const std::string& name : FileNames(secondary)) {
    archive::ArchiveView view = store.primary;
    archive::AssetBlob blob;
    if (!archive::ExtractMember(view, name.c_str(), blob)) secondaryOnly.push_back(name);
    archive::FreeAssetBlob(blob);
  }
  std::vector<std::string> misses;
  for (int i = 0; i < 64; ++i) misses.push_back("Textures/missing_" + std::to_string(i) + ".tga");

  std::printf("primary %zu bytes, %zu files; secondary %zu bytes, %zu files not in the primary\n", primary.size(),
              primaryNames.size(), secondary.size(), secondaryOnly.size());
  Report("primary hits", store, primaryNames);
  if (small.size() != primaryNames.size()) Report("  up to 1 MiB", store, small);
  Report("secondary hits", store, secondaryOnly);
  Report("misses", store, misses);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_lookups PRIMARY.rar SECONDARY.rar\n");
    return 2;
  }
  const std::vector<uint8_t> primary = ReadFile(argv[1]);
  const std::vector<uint8_t> secondary = ReadFile(argv[2]);
  if (primary.empty() || secondary.empty()) {
    std::fprintf(stderr, "bench_lookups: cannot read %s or %s (build the content target first)\n", argv[1], argv[2]);
    return 1;
  }
  Run("shipped archives", primary, secondary);
  Run("modelled on the finished data set's block counts",
      Modelled({"Models", "Music", "Particles", "Sprites", "Textures"}, "file_", 185),
      Modelled({"Textures"}, "tex_sym_", 29));
  return 0;
}
