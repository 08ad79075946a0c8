#include "overlay_textures.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "text_render.h"

namespace content {
namespace {

constexpr float kPi = 3.14159265f;

// The overlay shows its pictures on a 4:3 screen squeezed: a 256 x 32
// caption covers 0.424 x 0.053 of the screen's -1..1 span, so its texels
// stand 0.85 wide to 0.63 high. Letters set this much narrower look upright.
constexpr float kCaptionCondense = 0.63f / 0.85f;

// How the overlay places glyphs, in screen units: each image is this wide,
// the next stands one advance on, and a point is pulled back by the shift.
constexpr float kGlyphWidth = 0.08f, kGlyphAdvance = 0.0425f, kPointShift = 0.03125f;
constexpr int kGlyphSize = 64;
constexpr float kGlyphBaseline = 54, kGlyphInkHeight = 44, kGlyphInkWidth = 27;

const Colour kHalo{0.07f, 0.015f, 0.01f, 0.9f};

Colour Mix(const Colour& a, const Colour& b, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

// A vertical three-stop gradient between two rows, for fills with a lit top
// and a deeper foot.
std::function<Colour(int, int)> Gradient(Colour top, Colour middle, Colour bottom, float topRow, float bottomRow) {
  return [=](int, int y) {
    const float t = (y + 0.5f - topRow) / std::max(1.0f, bottomRow - topRow);
    return t < 0.5f ? Mix(top, middle, t * 2) : Mix(middle, bottom, t * 2 - 1);
  };
}

// Adds a light rim on the upper edges of the ink, where light from above
// would catch a raised letter: coverage that the row above lacks.
std::function<Colour(int, int)> WithTopLight(const CoverageMask& fill, std::function<Colour(int, int)> base,
                                              Colour light, float strength) {
  return [&fill, base, light, strength](int x, int y) {
    const float above = y >= 2 ? std::max(fill.At(x, y - 1), fill.At(x, y - 2) * 0.5f) : 0.0f;
    const float edge = std::clamp(fill.At(x, y) - above, 0.0f, 1.0f);
    return Mix(base(x, y), light, edge * strength);
  };
}

// The largest size, no larger than the style's, at which the text's ink and
// its halo fit inside the box (the picture's border must stay clear).
TextStyle FitToBox(const std::string& text, TextStyle style, float maxWidth, float maxHeight) {
  for (int step = 0; step < 200; ++step) {
    const TextExtent e = MeasureText(text, style);
    const float pad = 2 * (style.outlineRadius + 1);
    if (e.width + pad <= maxWidth && e.ascent + e.descent + pad <= maxHeight) break;
    style.pixelHeight *= 0.98f;
  }
  return style;
}

void DrawStyledText(RgbaImage& image, const std::string& text, float x, float baselineY, const TextStyle& style,
                    const std::function<Colour(int, int)>& fillColour) {
  const CoverageMask fill = RenderTextCoverage(text, image.width, image.height, x, baselineY, style);
  CompositeText(image, fill, SoftDilate(fill, style.outlineRadius), style.outline, fillColour);
}

// --- Procedural ornaments --------------------------------------------------

struct Point {
  float x, y;
};

bool InsidePolygon(const std::vector<Point>& polygon, float x, float y) {
  bool inside = false;
  for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const Point& a = polygon[i];
    const Point& b = polygon[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside;
}

// Coverage of a shape given by an inside test, 4 x 4 samples a pixel.
CoverageMask ShapeCoverage(int width, int height, const std::function<bool(float, float)>& inside) {
  CoverageMask mask{width, height, std::vector<float>(static_cast<size_t>(width) * height, 0.0f)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      int hits = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) hits += inside(x + (sx + 0.5f) / 4, y + (sy + 0.5f) / 4);
      mask.values[static_cast<size_t>(y) * width + x] = hits / 16.0f;
    }
  return mask;
}

std::vector<Point> Star(Point centre, float outer, float inner, float turn) {
  std::vector<Point> points;
  for (int i = 0; i < 10; ++i) {
    const float angle = turn + i * kPi / 5 - kPi / 2;
    const float r = i % 2 ? inner : outer;
    points.push_back({centre.x + r * std::cos(angle), centre.y + r * std::sin(angle)});
  }
  return points;
}

// A holly leaf: a long oval whose edge dips between spines, along a
// direction from its stem.
std::vector<Point> HollyLeaf(Point stem, float length, float angle) {
  const float cx = std::cos(angle), sy = std::sin(angle);
  std::vector<Point> points;
  const int spines = 4;
  for (int side = 0; side < 2; ++side)
    for (int i = 0; i <= spines * 4; ++i) {
      const float t = side == 0 ? i / float(spines * 4) : 1 - i / float(spines * 4);
      const float phase = t * spines * 2 * kPi;
      const float half = length * 0.24f * std::sin(t * kPi) * (0.78f + 0.22f * std::cos(phase));
      const float along = t * length, across = (side == 0 ? half : -half);
      points.push_back({stem.x + along * cx - across * sy, stem.y + along * sy + across * cx});
    }
  return points;
}

void PaintShape(RgbaImage& image, const CoverageMask& shape, float haloRadius,
                const std::function<Colour(int, int)>& colour) {
  CompositeText(image, shape, SoftDilate(shape, haloRadius), kHalo, colour);
}

// A soft round glow, laid under an ornament so a star seems to shine.
void PaintGlow(RgbaImage& image, Point centre, float radius, Colour colour) {
  CoverageMask glow{image.width, image.height, std::vector<float>(static_cast<size_t>(image.width) * image.height)};
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const float d = std::hypot(x + 0.5f - centre.x, y + 0.5f - centre.y) / radius;
      if (d < 1) glow.values[static_cast<size_t>(y) * image.width + x] = (1 - d) * (1 - d);
    }
  CompositeText(image, glow, CoverageMask{}, kHalo, [&](int, int) { return colour; });
}

void PaintStar(RgbaImage& image, Point centre, float size) {
  PaintGlow(image, centre, size * 2.2f, {1.0f, 0.85f, 0.45f, 0.55f});
  const std::vector<Point> star = Star(centre, size, size * 0.42f, 0);
  const CoverageMask shape =
      ShapeCoverage(image.width, image.height, [&](float x, float y) { return InsidePolygon(star, x, y); });
  PaintShape(image, shape, 1.5f,
             Gradient({1, 0.98f, 0.85f, 1}, {1, 0.84f, 0.35f, 1}, {0.9f, 0.55f, 0.12f, 1}, centre.y - size,
                      centre.y + size));
}

// Two holly leaves and three berries, centred on the point.
void PaintHolly(RgbaImage& image, Point centre, float size) {
  const std::vector<Point> left = HollyLeaf(centre, size, kPi * 1.1f);
  const std::vector<Point> right = HollyLeaf(centre, size, -kPi * 0.1f);
  const CoverageMask leaves = ShapeCoverage(image.width, image.height, [&](float x, float y) {
    return InsidePolygon(left, x, y) || InsidePolygon(right, x, y);
  });
  PaintShape(image, leaves, 1.5f,
             Gradient({0.35f, 0.72f, 0.3f, 1}, {0.1f, 0.5f, 0.18f, 1}, {0.04f, 0.3f, 0.1f, 1}, centre.y - size * 0.3f,
                      centre.y + size * 0.3f));
  const float r = size * 0.16f;
  const Point berries[] = {{centre.x - r * 1.05f, centre.y - r * 0.4f},
                           {centre.x + r * 1.05f, centre.y - r * 0.4f},
                           {centre.x, centre.y + r * 0.75f}};
  for (const Point& b : berries) {
    const CoverageMask berry = ShapeCoverage(image.width, image.height,
                                             [&](float x, float y) { return std::hypot(x - b.x, y - b.y) < r; });
    // Lit from the upper left: a bright spot off the berry's centre.
    PaintShape(image, berry, 1.0f, [&](int x, int y) {
      const float d = std::hypot(x + 0.5f - (b.x - r * 0.35f), y + 0.5f - (b.y - r * 0.35f)) / r;
      return Mix({1, 0.75f, 0.65f, 1}, {0.78f, 0.03f, 0.04f, 1}, std::clamp(d * 1.6f, 0.0f, 1.0f));
    });
  }
}

// --- The glyph font ---------------------------------------------------------

const Colour kGlyphTop{1.0f, 0.5f, 0.38f, 1}, kGlyphCore{1.0f, 0.19f, 0.125f, 1}, kGlyphFoot{0.78f, 0.07f, 0.04f, 1};

// The digits share one size and one condensing, chosen so the tallest digit
// spans the glyph's ink height and the widest stays narrow enough that
// neighbours one advance apart keep clear of each other.
TextStyle DigitStyle() {
  TextStyle style;
  style.face = TextFace::SansBold;
  style.outline = kHalo;
  style.outlineRadius = 2.5f;
  style.pixelHeight = 60;
  style.pixelHeight *= kGlyphInkHeight / MeasureText("0123456789", style).ascent;
  float widest = 0;
  for (char c : std::string("0123456789")) widest = std::max(widest, MeasureText(std::string(1, c), style).width);
  style.widthScale = std::min(1.0f, kGlyphInkWidth / widest);
  return style;
}

RgbaImage DrawGlyph(const std::string& text, const TextStyle& style, float centreX) {
  RgbaImage image(kGlyphSize, kGlyphSize);
  const TextExtent e = MeasureText(text, style);
  const float top = kGlyphBaseline - e.ascent;
  const CoverageMask fill = RenderTextCoverage(text, kGlyphSize, kGlyphSize, centreX, kGlyphBaseline, style);
  CompositeText(image, fill, SoftDilate(fill, style.outlineRadius), style.outline,
                WithTopLight(fill, Gradient(kGlyphTop, kGlyphCore, kGlyphFoot, top, kGlyphBaseline),
                             {1, 0.85f, 0.7f, 1}, 0.55f));
  return image;
}

void AddGlyphs(std::vector<NamedTexture>& out) {
  const TextStyle digits = DigitStyle();
  const float centre = kGlyphSize / 2.0f;
  for (char c = '0'; c <= '9'; ++c)
    out.push_back({std::string("tex_sym_") + c + ".tga", DrawGlyph(std::string(1, c), digits, centre), 32});
  // Small capitals for a.m. and p.m.: the clock reads "4:05 P.M." with the
  // letters lower than the figures, and none hangs below the baseline.
  TextStyle letters = digits;
  letters.pixelHeight = digits.pixelHeight * 0.72f;
  for (const char* letter : {"a", "m", "p"}) {
    std::string upper(1, static_cast<char>(letter[0] - 'a' + 'A'));
    TextStyle style = letters;
    const float width = MeasureText(upper, style).width;
    style.widthScale *= std::min(1.0f, (kGlyphInkWidth + 2) / width);
    out.push_back({std::string("tex_sym_") + letter + ".tga", DrawGlyph(upper, style, centre), 32});
  }
  out.push_back({"tex_sym_colon.tga", DrawGlyph(":", digits, centre), 32});
  // The overlay pulls a point back by the shift and sets the next character
  // closer, which puts the point's picture just right of the previous
  // glyph's centre. The dot goes where the gap between the two neighbours'
  // ink falls within that picture.
  const float nextCentre = 2 * kGlyphAdvance - 0.6f * kPointShift;
  const float gapCentre = nextCentre / 2;
  const float pointCentre = kGlyphAdvance - kPointShift;
  const float pointColumn = centre + (gapCentre - pointCentre) / kGlyphWidth * kGlyphSize;
  out.push_back({"tex_sym_point.tga", DrawGlyph(".", digits, pointColumn), 32});
  out.push_back({"tex_sym_space.tga", RgbaImage(kGlyphSize, kGlyphSize), 32});
}

// --- Captions, labels and greetings ----------------------------------------

const Colour kCreamTop{1.0f, 0.97f, 0.84f, 1}, kGold{1.0f, 0.82f, 0.42f, 1}, kGoldFoot{0.86f, 0.56f, 0.2f, 1};

TextStyle CaptionStyle(TextFace face, float pixelHeight) {
  TextStyle style;
  style.face = face;
  style.pixelHeight = pixelHeight;
  style.widthScale = kCaptionCondense;
  style.outline = kHalo;
  style.outlineRadius = 2;
  return style;
}

// A one-line caption in warm gold, centred, its baseline placed so that the
// ink's box sits in the middle of the picture.
RgbaImage DrawCaption(int width, int height, const std::string& text, const TextStyle& style) {
  RgbaImage image(width, height);
  const TextExtent e = MeasureText(text, style);
  const float baseline = std::round((height + e.ascent - e.descent) / 2);
  DrawStyledText(image, text, width / 2.0f, baseline, style,
                 Gradient(kCreamTop, kGold, kGoldFoot, baseline - e.ascent, baseline));
  return image;
}

// The unit labels stand between the countdown's pairs of figures; where the
// figures' ink leaves about 48 of a label's 64 columns.
void AddLabels(std::vector<NamedTexture>& out) {
  const char* const names[] = {"days", "hours", "mins", "secs", "day", "hour", "min", "sec"};
  TextStyle style = CaptionStyle(TextFace::SansBold, 22);
  for (const char* name : names) style = FitToBox(name, style, 46, 28);
  for (const char* name : names)
    out.push_back({std::string("tex_") + name + ".tga", DrawCaption(64, 32, name, style), 32});
}

void AddCaptions(std::vector<NamedTexture>& out) {
  TextStyle style = CaptionStyle(TextFace::SerifBold, 24);
  for (const char* text : {"Countdown to Christmas", "Countdown to the New Year"})
    style = FitToBox(text, style, 248, 28);
  out.push_back({"tex_countdown.tga", DrawCaption(256, 32, "Countdown to Christmas", style), 32});
  out.push_back({"tex_countdown2.tga", DrawCaption(256, 32, "Countdown to the New Year", style), 32});
  out.push_back({"tex_remaining.tga", DrawCaption(128, 32, "time remaining", FitToBox("time remaining", style, 120, 28)),
                 32});
}

// A greeting on two lines in red serif italic with a gold rim inside the dark
// halo, and an ornament beside it.
RgbaImage DrawGreeting(const std::string& first, const std::string& second, bool holly) {
  RgbaImage image(256, 128);
  TextStyle style = CaptionStyle(TextFace::SerifBoldItalic, 54);
  style.outlineRadius = 3;
  style = FitToBox(first, FitToBox(second, style, 236, 60), 236, 60);
  const TextExtent a = MeasureText(first, style), b = MeasureText(second, style);
  const float lineGap = 6;
  const float total = a.ascent + a.descent + lineGap + b.ascent + b.descent;
  const float firstBaseline = std::round((128 - total) / 2 + a.ascent);
  const float secondBaseline = std::round(firstBaseline + a.descent + lineGap + b.ascent);
  // The first line leans left and the second right, leaving room for the ornament.
  const float firstX = 128 - (236 - a.width) * 0.3f, secondX = 128 + (236 - b.width) * 0.35f;
  if (holly)
    PaintHolly(image, {firstX + a.width / 2 + 30, firstBaseline - a.ascent * 0.55f}, 34);
  else
    PaintStar(image, {firstX + a.width / 2 + 24, firstBaseline - a.ascent * 0.5f}, 13);
  const Colour red{0.93f, 0.12f, 0.09f, 1}, redTop{1.0f, 0.42f, 0.3f, 1}, redFoot{0.66f, 0.04f, 0.03f, 1};
  const std::pair<const std::string*, std::pair<float, float>> lines[] = {{&first, {firstX, firstBaseline}},
                                                                           {&second, {secondX, secondBaseline}}};
  for (const auto& [text, at] : lines) {
    const TextExtent e = MeasureText(*text, style);
    const CoverageMask fill = RenderTextCoverage(*text, 256, 128, at.first, at.second, style);
    const CoverageMask rim = SoftDilate(fill, 1.7f);
    // Halo, then a gold rim, then the red letters lit from above.
    CompositeText(image, rim, SoftDilate(fill, style.outlineRadius + 1), kHalo,
                  Gradient(kCreamTop, kGold, kGoldFoot, at.second - e.ascent, at.second));
    CompositeText(image, fill, CoverageMask{}, kHalo,
                  WithTopLight(fill, Gradient(redTop, red, redFoot, at.second - e.ascent, at.second),
                               {1, 0.9f, 0.7f, 1}, 0.6f));
  }
  return image;
}

}  // namespace

std::vector<NamedTexture> MakeOverlayTextures() {
  std::vector<NamedTexture> out;
  AddGlyphs(out);
  AddCaptions(out);
  AddLabels(out);
  out.push_back({"tex_greet.tga", DrawGreeting("Merry", "Christmas!", true), 32});
  out.push_back({"tex_hny.tga", DrawGreeting("Happy", "New Year!", false), 32});
  return out;
}

RgbaImage DrawLoaderLogo() {
  RgbaImage image(256, 128);
  TextStyle style = CaptionStyle(TextFace::SerifBold, 48);
  style.widthScale = 1;
  style.outlineRadius = 3;
  style = FitToBox("Glimmerhall", style, 236, 60);
  const TextExtent e = MeasureText("Glimmerhall", style);
  const float baseline = 84;
  PaintStar(image, {128 + e.width / 2 - 6, baseline - e.ascent - 14}, 11);
  DrawStyledText(image, "Glimmerhall", 128, baseline, style,
                 Gradient(kCreamTop, kGold, kGoldFoot, baseline - e.ascent, baseline + e.descent));
  // A thin gold rule under the name, fading out at both ends, in a dark halo.
  CoverageMask rule{256, 128, std::vector<float>(256 * 128)};
  const int ruleRow = static_cast<int>(baseline + e.descent + 7);
  for (int x = 0; x < 256; ++x) {
    const float t = std::abs(x + 0.5f - 128) / (e.width / 2);
    if (t < 1) rule.values[static_cast<size_t>(ruleRow) * 256 + x] = 1 - t * t;
  }
  CompositeText(image, rule, SoftDilate(rule, 1.5f), kHalo, [](int, int) { return kGold; });
  return image;
}

}  // namespace content
