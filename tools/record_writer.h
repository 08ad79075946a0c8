// Appends the fields the scene and model files share: little-endian floats,
// length-prefixed strings, vectors and float-stored index triples.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "bss_writer.h"
#include "little_endian.h"

namespace content {

inline void PutF32(std::vector<uint8_t>& out, float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, 4);
  PutU32(out, bits);
}

inline void PutStr(std::vector<uint8_t>& out, const std::string& text) {
  PutU32(out, static_cast<uint32_t>(text.size()));
  out.insert(out.end(), text.begin(), text.end());
}

inline void PutVec3(std::vector<uint8_t>& out, const Vec3& v) {
  PutF32(out, v.x);
  PutF32(out, v.y);
  PutF32(out, v.z);
}

// Indices are stored as floats holding whole numbers.
inline void PutIndexTriples(std::vector<uint8_t>& out, const std::vector<Triple>& triples) {
  for (const Triple& t : triples)
    for (uint32_t index : t) PutF32(out, static_cast<float>(index));
}

}  // namespace content
