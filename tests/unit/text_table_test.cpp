#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "settings/text_table.h"

namespace {

std::vector<std::string> Read(const std::string& table, size_t count) {
  return settings::ReadTextBlocks(reinterpret_cast<const uint8_t*>(table.data()), table.size(),
                                  count);
}

std::string ShippedTable() {
  std::ifstream in(RESOURCES_DIR "/text_table.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(TextTable, ShippedTableGivesEachTargetItsText) {
  const std::string table = ShippedTable();
  ASSERT_FALSE(table.empty());
  const std::vector<std::string> texts = Read(table, settings::kTextTableBlockCount);
  ASSERT_EQ(texts.size(), 31u);
  const char* expected[] = {
      " Lumenhof Konfiguration",  // caption
      " Videomodus",              // 1048
      " Audio",                   // 1049
      " Grafik",                  // 1050
      " Produkte",                // 1051
      " Verschiedene Optionen",   // 1053
      " Desktopeinstellungen",    // 1015
      " Musik aktivieren",        // 1012
      " Lautst\xE4rke:",          // 1047, Windows-1252
      " Gammakontrolle:",         // 1054
      nullptr,                    // 1055: the web-site sentence, checked below
      " Besuchen...",             // 1028
      " \xDC" "ber...",           // 1019
      " Ursprungseinstellungen",  // 1031
      " OK",                      // 1032
      " Abbrechen",               // 1034
      " FPS anzeigen",            // 1008
      " Mit Maus beenden",        // 1010
      " Zeit anzeigen",           // 1037
      " 24 St",                   // 1038
      " 12 St",                   // 1024
      " OK",                      // About 1
      " Lumenhof",                // About 1062
      " Programmierung:",         // About 1056
      " 3D-Modelle:",             // About 1057
      "",                         // About 1058
      nullptr,                    // About 1063: the notice
      nullptr,                    // About 1059
      nullptr,                    // About 1060
      "",                         // About 1061
      " \xDC" "ber",              // About caption
  };
  for (size_t i = 0; i < texts.size(); ++i) {
    if (expected[i]) EXPECT_EQ(texts[i], expected[i]) << "block " << i;
  }
  EXPECT_NE(texts[10].find("Webseite"), std::string::npos);
  EXPECT_NE(texts[26].find("Glimmerhall"), std::string::npos);
  EXPECT_NE(texts[27].find("Glimmerhall"), std::string::npos);
  EXPECT_NE(texts[28].find("Glimmerhall"), std::string::npos);
}

TEST(TextTable, ShippedTableIsWindowsTextWithCrLfLines) {
  const std::string table = ShippedTable();
  ASSERT_GE(table.size(), 3u);
  EXPECT_EQ(table.substr(table.size() - 3), "#\r\n");  // a lone '#' closes the last block
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i] == '\n') {
      ASSERT_GT(i, 0u);
      EXPECT_EQ(table[i - 1], '\r') << "bare LF at byte " << i;
    }
  }
}

TEST(TextTable, WhiteSpaceRunsBecomeSingleSpaces) {
  const auto texts = Read("#A#\r\n  one\t two\r\n\r\nthree \r\n#B#\r\n#C#\r\nfour\r\n#\r\n", 3);
  EXPECT_EQ(texts[0], " one two three");
  EXPECT_EQ(texts[1], "");
  EXPECT_EQ(texts[2], " four");
}

TEST(TextTable, StrayHashWordShiftsTheFollowingTargets) {
  const auto texts = Read("#A#\r\nalpha #oops beta\r\n#B#\r\nbravo\r\n#C#\r\ncharlie\r\n#\r\n", 4);
  EXPECT_EQ(texts[0], " alpha");
  EXPECT_EQ(texts[1], " beta");   // B's target gets what followed the stray word
  EXPECT_EQ(texts[2], " bravo");  // and every later target one block late
  EXPECT_EQ(texts[3], " charlie");
}

TEST(TextTable, EndOfDataClosesAnOpenBlock) {
  const auto texts = Read("#A#\r\nalpha\r\n#B#\r\nbravo two", 3);
  EXPECT_EQ(texts[0], " alpha");
  EXPECT_EQ(texts[1], " bravo two");
  EXPECT_EQ(texts[2], "");
}

TEST(TextTable, NoDataGivesEmptyTexts) {
  EXPECT_EQ(settings::ReadTextBlocks(nullptr, 0, 2), std::vector<std::string>(2));
  EXPECT_EQ(Read("", 2), std::vector<std::string>(2));
  EXPECT_EQ(Read("#only#", 1), std::vector<std::string>(1));
}

}  // namespace
