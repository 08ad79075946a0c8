#include "overlay/glyph_font.h"

#include "assets/texture_cache.h"
#include "overlay/overlay_pass.h"

namespace overlay {
namespace {

constexpr char kCharacters[] = "0123456789amp:. ";
const char* const kGlyphFiles[kGlyphCount] = {
    "Textures/tex_sym_0.tga", "Textures/tex_sym_1.tga",     "Textures/tex_sym_2.tga",     "Textures/tex_sym_3.tga",
    "Textures/tex_sym_4.tga", "Textures/tex_sym_5.tga",     "Textures/tex_sym_6.tga",     "Textures/tex_sym_7.tga",
    "Textures/tex_sym_8.tga", "Textures/tex_sym_9.tga",     "Textures/tex_sym_a.tga",     "Textures/tex_sym_m.tga",
    "Textures/tex_sym_p.tga", "Textures/tex_sym_colon.tga", "Textures/tex_sym_point.tga", "Textures/tex_sym_space.tga"};

}  // namespace

GlyphFont::GlyphFont() {
  for (int i = 0; i < kGlyphCount; ++i) characterMap_[kCharacters[i]] = i;
}

void GlyphFont::Load() {
  for (int i = 0; i < kGlyphCount; ++i) textures[i] = assets::TextureCache::Get(kGlyphFiles[i]);
}

int GlyphFont::IndexOf(char c) {
  auto found = characterMap_.find(c);
  if (found != characterMap_.end()) return found->second;
  characterMap_[c] = 0;
  return 0;
}

std::vector<PlacedGlyph> LayOutText(GlyphFont& font, float x, float y, const std::string& text) {
  std::vector<PlacedGlyph> placed;
  float pen = 0.0f;
  for (char c : text) {
    const float shift = c == '.' ? 0.03125f : 0.0f;
    placed.push_back({font.IndexOf(c), x + pen - shift, y});
    pen += kGlyphAdvance - shift * 0.6f;
  }
  return placed;
}

void DrawText(GlyphFont& font, float x, float y, const std::string& text) {
  for (const PlacedGlyph& glyph : LayOutText(font, x, y, text))
    DrawRect(glyph.x, glyph.y, kGlyphHalfWidth, kGlyphHalfHeight, font.textures[glyph.glyph]);
}

}  // namespace overlay
