// Resources linked into a Linux executable: the build generates a table of
// them that registers itself when the program starts.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

struct EmbeddedResource {
  const char* type;
  int id;
  const uint8_t* data;
  uint32_t size;
};

void RegisterEmbeddedResources(const EmbeddedResource* table, size_t count);

// The registered resource of that type (exact name) and id, or null.
const EmbeddedResource* FindRegisteredResource(const char* type, int id);

}  // namespace platform
