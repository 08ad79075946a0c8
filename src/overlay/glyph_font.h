// The bitmap font of the overlay: sixteen glyph images, one texture per
// character, covering the digits, "a", "m", "p", ":", "." and the space.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/gl_api.h"

namespace overlay {

constexpr int kGlyphCount = 16;
constexpr float kGlyphHalfWidth = 0.04f, kGlyphHalfHeight = 0.053f, kGlyphAdvance = 0.0425f;

class GlyphFont {
 public:
  GlyphFont();
  // Loads the sixteen glyph textures from the archives, in glyph order.
  void Load();
  // The glyph of a character; one the font lacks is drawn as the digit zero
  // (and remembered as such).
  int IndexOf(char c);

  GLuint textures[kGlyphCount] = {};

 private:
  std::map<char, int> characterMap_;
};

// One glyph of a laid-out text: which glyph and its centre.
struct PlacedGlyph {
  int glyph = 0;
  float x = 0, y = 0;
};

// Where each character of the text goes when it starts at (x, y): glyphs
// stand 0.0425 apart, a point sits 0.03125 further left and takes less room.
std::vector<PlacedGlyph> LayOutText(GlyphFont& font, float x, float y, const std::string& text);

// Draws the text with the glyph font (inside the overlay pass).
void DrawText(GlyphFont& font, float x, float y, const std::string& text);

}  // namespace overlay
