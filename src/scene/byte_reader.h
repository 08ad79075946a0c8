// Reads a scene or model file from its one in-memory copy with a moving
// offset. A read that would run past the end fails and marks the reader
// exhausted; every later read fails too, so a loader can stop cleanly at the
// first short record without ever touching bytes past the buffer.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace scene {

// The longest name a stored string gives; longer ones are cut to this many
// bytes and the rest of their bytes are skipped.
constexpr uint32_t kMaxNameBytes = 3000;

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(data ? size : 0) {}

  bool ok() const { return ok_; }
  bool AtEnd() const { return offset_ >= size_; }
  size_t Remaining() const { return ok_ ? size_ - offset_ : 0; }

  bool U8(uint8_t& value) { return Bytes(&value, 1); }
  bool U32(uint32_t& value) {
    uint8_t b[4];
    if (!Bytes(b, 4)) return false;
    value = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    return true;
  }
  bool F32(float& value) {
    uint32_t bits = 0;
    if (!U32(bits)) return false;
    std::memcpy(&value, &bits, 4);
    return true;
  }

  // count records of recordSize bytes, bulk-copied; fails (without
  // allocating) when they are not all there.
  template <typename T>
  bool Array(std::vector<T>& out, uint32_t count) {
    out.clear();
    if (!ok_) return false;
    if (static_cast<uint64_t>(count) * sizeof(T) > size_ - offset_) return Fail();
    out.resize(count);
    if (count) std::memcpy(out.data(), data_ + offset_, static_cast<size_t>(count) * sizeof(T));
    offset_ += static_cast<size_t>(count) * sizeof(T);
    return true;
  }

  // A u32 byte count and the bytes, as raw text (not yet turned into a name).
  bool Str(std::string& text) {
    text.clear();
    uint32_t count = 0;
    if (!U32(count)) return false;
    if (count > size_ - offset_) return Fail();
    const uint32_t kept = count < kMaxNameBytes ? count : kMaxNameBytes;
    text.assign(reinterpret_cast<const char*>(data_ + offset_), kept);
    offset_ += count;
    return true;
  }

 private:
  bool Bytes(void* out, size_t count) {
    if (!ok_ || count > size_ - offset_) return Fail();
    std::memcpy(out, data_ + offset_, count);
    offset_ += count;
    return true;
  }
  bool Fail() {
    ok_ = false;
    return false;
  }

  const uint8_t* data_;
  size_t size_;
  size_t offset_ = 0;
  bool ok_ = true;
};

// A stored string as a name: cut at its first NUL, then only the part after
// the last '\' or '/'.
inline std::string StoredName(const std::string& text) {
  std::string name = text.substr(0, text.find('\0'));
  const size_t slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  return name;
}

}  // namespace scene
