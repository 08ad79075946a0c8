#include "platform/embedded_resources.h"

#include <cstring>

namespace platform {
namespace {
const EmbeddedResource* g_table = nullptr;
size_t g_count = 0;
}  // namespace

void RegisterEmbeddedResources(const EmbeddedResource* table, size_t count) {
  g_table = table;
  g_count = count;
}

const EmbeddedResource* FindRegisteredResource(const char* type, int id) {
  if (!type) return nullptr;
  for (size_t i = 0; i < g_count; ++i)
    if (g_table[i].id == id && std::strcmp(g_table[i].type, type) == 0) return &g_table[i];
  return nullptr;
}

}  // namespace platform
