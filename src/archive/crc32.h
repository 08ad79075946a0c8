// CRC-32 as the archive format uses it: the reflected polynomial 0xEDB88320,
// initial value 0xFFFFFFFF, result complemented. Shared by the reader and the
// content generator's archive writer, so both sides agree by construction.
#pragma once

#include <cstddef>
#include <cstdint>

namespace archive {

// The CRC-32 of size bytes. Passing the CRC of the bytes before as previous
// continues it, so Crc32(b, nb, Crc32(a, na)) equals the CRC of a then b.
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t previous = 0);

}  // namespace archive
