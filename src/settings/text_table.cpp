#include "settings/text_table.h"

namespace settings {
namespace {

// The white space of a C text stream's word reading.
bool IsSpace(uint8_t c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Steps over white space and returns the next word; false at the end.
bool NextWord(const uint8_t* data, size_t size, size_t& at, std::string& word) {
  while (at < size && IsSpace(data[at])) ++at;
  if (at >= size) return false;
  const size_t start = at;
  while (at < size && !IsSpace(data[at])) ++at;
  word.assign(reinterpret_cast<const char*>(data) + start, at - start);
  return true;
}

}  // namespace

std::vector<std::string> ReadTextBlocks(const uint8_t* data, size_t size, size_t count) {
  std::vector<std::string> texts(count);
  if (!data) return texts;
  size_t at = 0;
  std::string word;
  // The first word is the first block's key.
  bool more = NextWord(data, size, at, word);
  for (size_t block = 0; block < count && more; ++block) {
    // Every word up to the next one that begins with '#', which is the next
    // block's key; running out of words ends the block just the same.
    while ((more = NextWord(data, size, at, word)) && word[0] != '#') {
      texts[block] += ' ';
      texts[block] += word;
    }
  }
  return texts;
}

}  // namespace settings
