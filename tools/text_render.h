// Text set in a font that Debian packages (DejaVu, through FreeType), for
// the overlay's glyphs and captions and the loading picture's caption.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "image.h"

namespace content {

enum class TextFace { SansBold, SerifBold, SerifBoldItalic };

struct TextStyle {
  TextFace face = TextFace::SansBold;
  float pixelHeight = 32;        // the font's nominal size in pixels
  Colour fill{1, 0.1f, 0.08f, 1};
  Colour outline{0.08f, 0.0f, 0.0f, 0.85f};
  float outlineRadius = 2;       // a soft dark edge so text reads over a bright fire; 0 for none
  float widthScale = 1;          // below 1 condenses the letters (and their spacing) horizontally
};

// Draws the text antialiased into the image, its baseline at y and its ink
// horizontally centred on x (x, y in pixels, y down). Pixels it covers are
// blended over what is there.
void DrawText(RgbaImage& image, const std::string& text, float x, float baselineY, const TextStyle& style);

// The width and the ascent/descent of the ink of the text, in pixels.
struct TextExtent {
  float width = 0, ascent = 0, descent = 0;
};
TextExtent MeasureText(const std::string& text, const TextStyle& style);

// Whether the packaged font files are present (the content generator fails
// with a clear message otherwise); names the first missing file.
bool FontsAvailable(std::string& missingPath);
// The same check for the DejaVu files in another folder.
bool FontsAvailable(const std::string& fontFolder, std::string& missingPath);

// For fills a flat colour can't give (gradients, highlights): the text's
// coverage (0..1) over a width x height picture, placed as DrawText places it.
struct CoverageMask {
  int width = 0, height = 0;
  std::vector<float> values;  // top row first
  float At(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
};
CoverageMask RenderTextCoverage(const std::string& text, int width, int height, float x, float baselineY,
                                const TextStyle& style);
// The coverage grown by the radius with a soft falloff: the outline's shape.
CoverageMask SoftDilate(const CoverageMask& coverage, float radius);
// Blends the halo in its colour and, over it, the fill in the colour that
// fillColour gives per pixel, over the picture. An empty halo is skipped.
void CompositeText(RgbaImage& image, const CoverageMask& fill, const CoverageMask& halo, const Colour& haloColour,
                   const std::function<Colour(int x, int y)>& fillColour);

}  // namespace content
