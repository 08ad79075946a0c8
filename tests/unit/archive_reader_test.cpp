#include "archive/archive_reader.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "archive/crc32.h"
#include "archive_builder.h"
#include "rar_writer.h"

using archive_test::Block;
using archive_test::Build;
using archive_test::File;
using archive_test::Folder;

namespace {

// The member's bytes, or nullopt when not found. A failed extraction must
// hand back nothing at all.
std::optional<std::string> Extract(const std::vector<uint8_t>& bytes, const char* name) {
  archive::ArchiveView view{bytes.data(), static_cast<uint32_t>(bytes.size()), 0};
  archive::AssetBlob blob;
  blob.data = reinterpret_cast<uint8_t*>(&view);  // stale contents must be overwritten
  blob.size = 77;
  if (!archive::ExtractMember(view, name, blob)) {
    EXPECT_EQ(blob.data, nullptr) << name;
    EXPECT_EQ(blob.size, 0u) << name;
    return std::nullopt;
  }
  EXPECT_NE(blob.data, nullptr) << name;
  std::string text(reinterpret_cast<const char*>(blob.data), blob.size);
  archive::FreeAssetBlob(blob);
  return text;
}

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

TEST(Crc32, GivesTheStandardCheckValueAndContinuesAcrossPieces) {
  const std::vector<uint8_t> digits = Bytes("123456789");
  EXPECT_EQ(archive::Crc32(digits.data(), digits.size()), 0xCBF43926u);
  EXPECT_EQ(archive::Crc32(digits.data() + 4, 5, archive::Crc32(digits.data(), 4)), 0xCBF43926u);
  EXPECT_EQ(archive::Crc32(nullptr, 0), 0u);
}

TEST(ArchiveReader, NamesIgnoreLetterCaseAndSlashDirection) {
  const auto bytes = Build({Folder("Music"), File("Music\\Music.ogg", "vorbis"), File("Textures\\tex_a.tga", "tga")});
  for (const char* name : {"Music/music.ogg", "MUSIC\\MUSIC.OGG", "music_Music.ogg", "Music/Music.ogg"})
    EXPECT_EQ(Extract(bytes, name), "vorbis") << name;
  EXPECT_EQ(Extract(bytes, "textures/TEX_A.tga"), "tga");
  EXPECT_EQ(Extract(bytes, "Music/music.og"), std::nullopt);
  EXPECT_EQ(Extract(bytes, "Music/music.ogg "), std::nullopt);
  EXPECT_EQ(Extract(bytes, "Music.ogg"), std::nullopt);
}

TEST(ArchiveReader, DirectoryEntryIsFoundWithNoBytes) {
  const auto bytes = Build({Folder("Models"), File("Models\\a.bsm", "m")});
  EXPECT_EQ(Extract(bytes, "models"), std::string());
  EXPECT_EQ(Extract(bytes, "Models/"), std::nullopt);
}

TEST(ArchiveReader, NamesCountOnlyTheirFirst511Characters) {
  const std::string base(600, 'a');
  std::string lateDifference = base, earlyDifference = base;
  lateDifference[550] = 'b';
  earlyDifference[500] = 'b';
  EXPECT_TRUE(archive::MemberNamesEqual(base.c_str(), lateDifference.c_str()));
  EXPECT_FALSE(archive::MemberNamesEqual(base.c_str(), earlyDifference.c_str()));
  // A stored name is read up to 259 bytes, so a longer wanted name never
  // matches it, even when it begins with the whole stored name.
  const auto bytes = Build({File(base.substr(0, 259), "x")});
  EXPECT_EQ(Extract(bytes, base.c_str()), std::nullopt);
  EXPECT_EQ(Extract(bytes, base.substr(0, 259).c_str()), "x");
}

TEST(ArchiveReader, MemberWhoseBytesDoNotMatchItsCrcIsNotFound) {
  Block bad = File("a.bin", "payload");
  bad.crc = archive::Crc32(bad.data.data(), bad.data.size()) ^ 1;
  const auto bytes = Build({bad, File("b.bin", "fine")});
  EXPECT_EQ(Extract(bytes, "a.bin"), std::nullopt);
  EXPECT_EQ(Extract(bytes, "b.bin"), "fine");
}

TEST(ArchiveReader, DataAreaRunningPastTheEndCopiesNothing) {
  auto cut = Build({File("first", "1"), File("last.bin", "abc")});
  cut.pop_back();
  EXPECT_EQ(Extract(cut, "last.bin"), std::nullopt);
  EXPECT_EQ(Extract(cut, "first"), "1");
  // Nothing copied is still right for a member that has no bytes.
  Block empty = File("empty", "");
  empty.packedSize = 100;
  EXPECT_EQ(Extract(Build({empty}), "empty"), std::string());
}

TEST(ArchiveReader, BufferThatIsNotAnArchiveFindsNothing) {
  const auto good = Build({File("a", "1")});
  auto wrongMarker = good;
  wrongMarker[3] = '?';
  EXPECT_EQ(Extract(wrongMarker, "a"), std::nullopt);
  const std::vector<uint8_t> cutInHeader(good.begin(), good.begin() + 7 + 12);
  EXPECT_EQ(Extract(cutInHeader, "a"), std::nullopt);
  EXPECT_EQ(Extract(archive_test::Marker(), "a"), std::nullopt);
  archive::ArchiveView empty;
  archive::AssetBlob blob;
  EXPECT_FALSE(archive::ExtractMember(empty, "a", blob));
  EXPECT_EQ(blob.data, nullptr);
}

TEST(ArchiveReader, ShortTailAfterTheLastMemberEndsTheScanNormally) {
  auto bytes = Build({File("a", "one"), File("b", "two")});
  EXPECT_EQ(Extract(bytes, "b"), "two");  // its data ends on the last byte
  const auto tail = Build({File("c", "")});
  bytes.insert(bytes.end(), tail.begin() + 20, tail.begin() + 20 + 31);  // 31 bytes of c's header
  EXPECT_EQ(Extract(bytes, "a"), "one");
  EXPECT_EQ(Extract(bytes, "b"), "two");
  EXPECT_EQ(Extract(bytes, "c"), std::nullopt);
}

TEST(ArchiveReader, DamagedBlockListEndsTheScan) {
  const Block target = File("target", "t");
  Block tooSmall = File("x", "");
  tooSmall.headerSize = 6;
  EXPECT_EQ(Extract(Build({tooSmall, target}), "target"), std::nullopt);

  // A data area that would take the next block beyond any reachable offset.
  Block runaway = File("runaway", "r");
  runaway.packedSize = 0xFFFFFFFFu;
  EXPECT_EQ(Extract(Build({runaway, target}), "target"), std::nullopt);
  EXPECT_EQ(Extract(Build({runaway}), "runaway"), std::nullopt);

  Block subBlock = File("sub", "");
  subBlock.type = 0x77;
  EXPECT_EQ(Extract(Build({subBlock, target}), "target"), std::nullopt);

  // Other block types are stepped over, the packed size counting only when
  // the block says a data area follows.
  Block comment = File("note", "");
  comment.type = 0x75;
  comment.flags = 0;
  comment.packedSize = 0xFFFFFFFFu;
  Block withData = File("other", "zzzz");
  withData.type = 0x7A;
  withData.flags = 0x8000;
  EXPECT_EQ(Extract(Build({comment, withData, target}), "target"), "t");
  EXPECT_EQ(Extract(Build({comment}), "note"), std::nullopt);
}

TEST(ArchiveReader, OnlyVersions13To20AreExtracted) {
  std::vector<Block> blocks;
  for (int version : {12, 13, 20, 21}) {
    Block block = File("v" + std::to_string(version), "data");
    block.version = static_cast<uint8_t>(version);
    blocks.push_back(block);
  }
  const auto bytes = Build(blocks);
  EXPECT_EQ(Extract(bytes, "v12"), std::nullopt);
  EXPECT_EQ(Extract(bytes, "v13"), "data");
  EXPECT_EQ(Extract(bytes, "v20"), "data");
  EXPECT_EQ(Extract(bytes, "v21"), std::nullopt);
}

TEST(ArchiveReader, EncryptedAndCompressedMembersAreNotFound) {
  Block encrypted = File("secret", "plain text");
  encrypted.flags |= 0x0004;
  encrypted.crc = archive::Crc32(encrypted.data.data(), encrypted.data.size());
  for (uint8_t& b : encrypted.data) b ^= 0x5A;  // stored as ciphertext
  Block compressed = File("packed", "well formed bytes");
  compressed.method = 0x33;
  const auto bytes = Build({encrypted, compressed, File("after", "a")});
  EXPECT_EQ(Extract(bytes, "secret"), std::nullopt);
  EXPECT_EQ(Extract(bytes, "packed"), std::nullopt);
  EXPECT_EQ(Extract(bytes, "after"), "a");  // not solid: nothing before matters
}

TEST(ArchiveReader, SolidArchivePassesStoredMembersOnly) {
  const uint16_t solid = 0x0008;
  EXPECT_EQ(Extract(Build({File("a", "1"), Folder("d"), File("c", "3")}, solid), "c"), "3");
  Block compressed = File("z", "1");
  compressed.method = 0x35;
  Block newer = File("n", "1");
  newer.version = 29;
  for (const Block& blocker : {compressed, newer}) {
    const std::vector<Block> blocks = {File("a", "1"), blocker, File("c", "3")};
    EXPECT_EQ(Extract(Build(blocks, solid), "a"), "1") << blocker.name;
    EXPECT_EQ(Extract(Build(blocks, solid), "c"), std::nullopt) << blocker.name;
    EXPECT_EQ(Extract(Build(blocks), "c"), "3") << blocker.name;
  }
  // Passing through does not check CRCs: only the wanted member's is checked.
  Block damaged = File("x", "1");
  damaged.crc = 0;
  EXPECT_EQ(Extract(Build({damaged, File("c", "3")}, solid), "c"), "3");
}

TEST(ArchiveReader, FirstBlockOfANameDecides) {
  const auto bytes = Build({File("Dup.txt", "first"), File("DUP.TXT", "second")});
  EXPECT_EQ(Extract(bytes, "dup.txt"), "first");
  Block damaged = File("dup.txt", "first");
  damaged.crc = 1;
  EXPECT_EQ(Extract(Build({damaged, File("dup.txt", "second")}), "dup.txt"), std::nullopt);
}

TEST(ArchiveReader, ExtraArchiveHeaderBytesAreSkippedAndEachLookupStartsAfresh) {
  const auto bytes = Build({File("a", "1"), File("b", "22")}, 0, 40);
  archive::ArchiveView view{bytes.data(), static_cast<uint32_t>(bytes.size()), 12345};
  archive::AssetBlob blob;
  ASSERT_TRUE(archive::ExtractMember(view, "b", blob));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(blob.data), blob.size), "22");
  archive::FreeAssetBlob(blob);
  ASSERT_TRUE(archive::ExtractMember(view, "a", blob));  // lies before the last read position
  EXPECT_EQ(std::string(reinterpret_cast<char*>(blob.data), blob.size), "1");
  archive::FreeAssetBlob(blob);
  EXPECT_EQ(blob.data, nullptr);
}

// The content generator's writer, read back by the saver's reader.
TEST(RarWriter, ReaderGetsBackEveryMemberItWrote) {
  std::vector<uint8_t> large(300000);
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<uint8_t>(i * 7 + (i >> 11));
  std::vector<content::ArchiveMember> members = {
      {"Textures", true, {}},
      {"Textures\\deep\\er\\file name.tga", false, Bytes("nested")},
      {"Textures\\empty.bin", false, {}},
      {"large.bin", false, large},
  };
  const auto bytes = content::BuildRarArchive(members);
  EXPECT_EQ(bytes, content::BuildRarArchive(members)) << "the same content must give the same bytes";
  EXPECT_EQ(Extract(bytes, "Textures"), std::string());
  EXPECT_EQ(Extract(bytes, "textures/deep/er/FILE NAME.tga"), "nested");
  EXPECT_EQ(Extract(bytes, "Textures/empty.bin"), std::string());
  EXPECT_EQ(Extract(bytes, "large.bin"), std::string(large.begin(), large.end()));
}

TEST(RarWriter, RefusesNamesTheReaderCannotTakeWhole) {
  EXPECT_THROW(content::BuildRarArchive({{"", false, {}}}), std::invalid_argument);
  EXPECT_THROW(content::BuildRarArchive({{std::string(260, 'n'), false, {}}}), std::invalid_argument);
  EXPECT_NO_THROW(content::BuildRarArchive({{std::string(259, 'n'), false, {}}}));
  EXPECT_THROW(content::BuildRarArchive({{"dir", true, Bytes("x")}}), std::invalid_argument);
}

}  // namespace
