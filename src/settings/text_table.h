// The localised text table of the options dialog: a run of white-space
// separated words in which every word that begins with '#' opens a new block.
// The blocks are handed to the dialog's controls strictly one after the other,
// so a stray '#' word inside a text shifts every following control by one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace settings {

// The number of blocks the shipped table holds: 21 for the options dialog,
// 10 for the About box.
constexpr size_t kTextTableBlockCount = 31;

// Reads `count` block texts from the table bytes. The first word is the first
// block's key and is skipped; each text is its words joined in order, every
// word preceded by one space, so a block without words gives "". The end of the
// data closes a block that is still open; blocks beyond the data stay empty.
std::vector<std::string> ReadTextBlocks(const uint8_t* data, size_t size, size_t count);

}  // namespace settings
