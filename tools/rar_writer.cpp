#include "rar_writer.h"

#include <stdexcept>

#include "archive/crc32.h"
#include "little_endian.h"

namespace content {
namespace {

const uint8_t kMarker[7] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
constexpr uint16_t kDirectoryFlags = 0x80E0;  // data area present (empty), directory
constexpr uint16_t kFileFlags = 0x8040;       // data area present, 256 KiB dictionary
constexpr uint8_t kHostWin32 = 2;
constexpr uint8_t kVersion20 = 20;
constexpr uint8_t kStored = 0x30;
constexpr uint32_t kDirectoryAttributes = 0x10;
constexpr uint32_t kFileAttributes = 0x20;
// The longest name the saver's reader takes in full.
constexpr size_t kMaxNameLength = 259;

// Every member carries the same time stamp, so that the same content always
// gives the same archive bytes: Christmas Eve 2024, 18:00:00, in MS-DOS form
// (time in the low half, date in the high half).
constexpr uint32_t kDosTime = (18u << 11) | (0u << 5) | (0u / 2);
constexpr uint32_t kDosDate = ((2024u - 1980u) << 9) | (12u << 5) | 24u;
constexpr uint32_t kDosDateTime = (kDosDate << 16) | kDosTime;

// Appends a header whose first two bytes are left for its CRC: the low half
// of the CRC-32 of everything after them.
void AppendHeader(std::vector<uint8_t>& archive, std::vector<uint8_t> header) {
  const uint32_t crc = archive::Crc32(header.data() + 2, header.size() - 2);
  header[0] = crc & 0xFF;
  header[1] = (crc >> 8) & 0xFF;
  archive.insert(archive.end(), header.begin(), header.end());
}

void AppendMember(std::vector<uint8_t>& archive, const ArchiveMember& member) {
  if (member.name.empty() || member.name.size() > kMaxNameLength)
    throw std::invalid_argument("archive member name must be 1 to 259 bytes: " + member.name);
  if (member.isDirectory && !member.data.empty())
    throw std::invalid_argument("archive directory entry with data: " + member.name);
  if (member.data.size() > 0xFFFFFFFFu) throw std::invalid_argument("archive member too large: " + member.name);
  const uint32_t size = static_cast<uint32_t>(member.data.size());
  std::vector<uint8_t> header;
  PutU16(header, 0);
  header.push_back(0x74);
  PutU16(header, member.isDirectory ? kDirectoryFlags : kFileFlags);
  PutU16(header, static_cast<uint32_t>(32 + member.name.size()));
  PutU32(header, size);  // packed
  PutU32(header, size);  // unpacked
  header.push_back(kHostWin32);
  PutU32(header, archive::Crc32(member.data.data(), member.data.size()));
  PutU32(header, kDosDateTime);
  header.push_back(kVersion20);
  header.push_back(kStored);
  PutU16(header, static_cast<uint32_t>(member.name.size()));
  PutU32(header, member.isDirectory ? kDirectoryAttributes : kFileAttributes);
  header.insert(header.end(), member.name.begin(), member.name.end());
  AppendHeader(archive, std::move(header));
  archive.insert(archive.end(), member.data.begin(), member.data.end());
}

}  // namespace

std::vector<uint8_t> BuildRarArchive(const std::vector<ArchiveMember>& members) {
  std::vector<uint8_t> archive(std::begin(kMarker), std::end(kMarker));
  std::vector<uint8_t> header;
  PutU16(header, 0);
  header.push_back(0x73);
  PutU16(header, 0);   // flags: not solid, no comment, no lock
  PutU16(header, 13);  // header size
  PutU16(header, 0);
  PutU32(header, 0);
  AppendHeader(archive, std::move(header));
  for (const ArchiveMember& member : members) AppendMember(archive, member);
  // The saver reads archives through 32-bit offsets.
  if (archive.size() > 0x7FFFFFFFu) throw std::length_error("archive larger than 2 GiB");
  return archive;
}

}  // namespace content
