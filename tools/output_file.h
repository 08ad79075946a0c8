// Files of the build-time tools: every output appears whole or not at all, so
// an interrupted build never leaves a truncated archive for the next one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace content {

// Writes beside the target first and renames it into place; creates the
// folders on the way. False when any step fails.
bool WriteFileWhole(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

}  // namespace content
