#include "text_render.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BBOX_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <mutex>
#include <stdexcept>

namespace content {
namespace {

constexpr char kFontFolder[] = "/usr/share/fonts/truetype/dejavu";
constexpr TextFace kFaces[] = {TextFace::SansBold, TextFace::SerifBold, TextFace::SerifBoldItalic};

std::string FontPath(TextFace face, const std::string& folder = kFontFolder) {
  switch (face) {
    case TextFace::SansBold: return folder + "/DejaVuSans-Bold.ttf";
    case TextFace::SerifBold: return folder + "/DejaVuSerif-Bold.ttf";
    case TextFace::SerifBoldItalic: return folder + "/DejaVuSerif-BoldItalic.ttf";
  }
  return "";
}

// One FreeType library and one face per font for the whole process: the
// generator sets dozens of texts and opening a face parses the whole file.
// FreeType objects are not thread-safe, so every use holds the lock.
struct FontCache {
  std::mutex lock;
  FT_Library library = nullptr;
  std::map<TextFace, FT_Face> faces;

  FT_Face Face(TextFace face) {
    if (!library && FT_Init_FreeType(&library) != 0) throw std::runtime_error("FreeType does not start");
    auto found = faces.find(face);
    if (found != faces.end()) return found->second;
    FT_Face opened = nullptr;
    if (FT_New_Face(library, FontPath(face).c_str(), 0, &opened) != 0)
      throw std::runtime_error(std::string("cannot open the font ") + FontPath(face));
    faces[face] = opened;
    return opened;
  }
};

FontCache& Fonts() {
  static FontCache cache;
  return cache;
}

// Code points of a UTF-8 string; a malformed byte stands for itself.
std::vector<uint32_t> CodePoints(const std::string& text) {
  std::vector<uint32_t> points;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    uint32_t point = extra == 0 ? lead : lead & (0x3F >> extra);
    bool valid = i + extra < text.size();
    for (int k = 1; valid && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      point = (point << 6) | (next & 0x3F);
    }
    if (!valid) point = lead, i += 1;
    else i += 1 + extra;
    points.push_back(point);
  }
  return points;
}

// The text's glyph outlines, scaled, condensed and placed on a baseline at
// y = 0 (y up, in 26.6 pixels) with the pen starting at x = 0, and the exact
// box of their ink. Unhinted outlines keep every size and position exact,
// so a shrunken caption keeps its shapes and the letters don't jitter.
struct LaidOutText {
  std::vector<FT_Outline> outlines;  // owned; freed by the destructor
  FT_Library library = nullptr;
  FT_BBox ink{0, 0, 0, 0};
  bool hasInk = false;

  LaidOutText() = default;
  LaidOutText(const LaidOutText&) = delete;
  LaidOutText& operator=(const LaidOutText&) = delete;
  ~LaidOutText() {
    for (FT_Outline& outline : outlines) FT_Outline_Done(library, &outline);
  }
};

// Called with the cache locked.
void LayOut(FontCache& fonts, const std::string& text, const TextStyle& style, LaidOutText& out) {
  FT_Face face = fonts.Face(style.face);
  out.library = fonts.library;
  FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(style.pixelHeight * 64)), 72, 72);
  const FT_Matrix condense{static_cast<FT_Fixed>(std::lround(style.widthScale * 65536.0)), 0, 0, 0x10000};
  const bool kerns = FT_HAS_KERNING(face);
  double pen = 0;  // 26.6 units, kept fractional
  FT_UInt previous = 0;
  for (uint32_t point : CodePoints(text)) {
    const FT_UInt index = FT_Get_Char_Index(face, point);
    if (kerns && previous && index) {
      FT_Vector kern{0, 0};
      FT_Get_Kerning(face, previous, index, FT_KERNING_UNFITTED, &kern);
      pen += kern.x * style.widthScale;
    }
    previous = index;
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) continue;
    FT_GlyphSlot slot = face->glyph;
    const double advance = slot->linearHoriAdvance / 1024.0 * style.widthScale;  // 16.16 to 26.6
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE && slot->outline.n_points > 0) {
      FT_Outline copy;
      FT_Outline_New(fonts.library, slot->outline.n_points, slot->outline.n_contours, &copy);
      FT_Outline_Copy(&slot->outline, &copy);
      FT_Outline_Transform(&copy, &condense);
      FT_Outline_Translate(&copy, static_cast<FT_Pos>(std::lround(pen)), 0);
      FT_BBox box;
      FT_Outline_Get_BBox(&copy, &box);
      if (!out.hasInk) out.ink = box;
      out.ink.xMin = std::min(out.ink.xMin, box.xMin);
      out.ink.yMin = std::min(out.ink.yMin, box.yMin);
      out.ink.xMax = std::max(out.ink.xMax, box.xMax);
      out.ink.yMax = std::max(out.ink.yMax, box.yMax);
      out.hasInk = true;
      out.outlines.push_back(copy);
    }
    pen += advance;
  }
}

struct SpanTarget {
  CoverageMask* mask;
  int originY;  // the mask row of outline y = 0 (rows run down)
};

// Overlapping glyphs (kerned pairs, an italic's swash) take the larger
// coverage rather than adding up to a dark seam.
void CollectSpans(int y, int count, const FT_Span* spans, void* user) {
  auto* target = static_cast<SpanTarget*>(user);
  const int row = target->originY - 1 - y;
  if (row < 0 || row >= target->mask->height) return;
  for (int i = 0; i < count; ++i)
    for (int k = 0; k < spans[i].len; ++k) {
      const int column = spans[i].x + k;
      if (column < 0 || column >= target->mask->width) continue;
      float& value = target->mask->values[static_cast<size_t>(row) * target->mask->width + column];
      value = std::max(value, spans[i].coverage / 255.0f);
    }
}

// Composites a premultiplied colour over one pixel and stores it straight
// (unpremultiplied), so a caption on a transparent picture keeps its true
// colours up to its soft edge.
void CompositeOver(uint8_t* p, float r, float g, float b, float a) {
  if (a <= 0) return;
  const float below = p[3] / 255.0f;
  const float outA = a + below * (1 - a);
  auto channel = [&](float top, uint8_t old) {
    const float value = (top + old / 255.0f * below * (1 - a)) / outA;
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
  };
  p[0] = channel(r, p[0]);
  p[1] = channel(g, p[1]);
  p[2] = channel(b, p[2]);
  p[3] = static_cast<uint8_t>(std::lround(std::clamp(outA, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

CoverageMask RenderTextCoverage(const std::string& text, int width, int height, float x, float baselineY,
                                const TextStyle& style) {
  CoverageMask mask{width, height, std::vector<float>(static_cast<size_t>(width) * height, 0.0f)};
  FontCache& fonts = Fonts();
  std::lock_guard<std::mutex> hold(fonts.lock);
  LaidOutText laid;
  LayOut(fonts, text, style, laid);
  if (!laid.hasInk) return mask;
  // Outline coordinates: x as the picture's, y up from the picture's bottom.
  const double inkCentre = (laid.ink.xMin + laid.ink.xMax) / 2.0;
  const FT_Pos shiftX = static_cast<FT_Pos>(std::lround(x * 64 - inkCentre));
  const FT_Pos shiftY = static_cast<FT_Pos>(std::lround((height - baselineY) * 64));
  SpanTarget target{&mask, height};
  for (FT_Outline& outline : laid.outlines) {
    FT_Outline_Translate(&outline, shiftX, shiftY);
    FT_Raster_Params params{};
    params.source = &outline;
    params.flags = FT_RASTER_FLAG_AA | FT_RASTER_FLAG_DIRECT | FT_RASTER_FLAG_CLIP;
    params.gray_spans = CollectSpans;
    params.user = &target;
    params.clip_box = {0, 0, width, height};
    FT_Outline_Render(fonts.library, &outline, &params);
  }
  return mask;
}

CoverageMask SoftDilate(const CoverageMask& coverage, float radius) {
  CoverageMask out{coverage.width, coverage.height, coverage.values};
  if (radius <= 0) return out;
  // Full strength out to half the radius, then a smooth fade to nothing a
  // pixel past it: a halo rather than a hard stroke.
  const int reach = static_cast<int>(std::ceil(radius + 1));
  const float inner = radius * 0.5f, outer = radius + 1;
  std::vector<std::pair<int, float>> weights;  // offset index, weight
  std::vector<std::pair<int, int>> offsets;
  for (int dy = -reach; dy <= reach; ++dy)
    for (int dx = -reach; dx <= reach; ++dx) {
      const float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
      if (d >= outer) continue;
      const float t = std::clamp((d - inner) / (outer - inner), 0.0f, 1.0f);
      offsets.push_back({dx, dy});
      weights.push_back({static_cast<int>(offsets.size()) - 1, 1 - t * t * (3 - 2 * t)});
    }
  for (int y = 0; y < coverage.height; ++y)
    for (int x = 0; x < coverage.width; ++x) {
      float best = 0;
      for (const auto& [i, w] : weights) {
        const int sx = x + offsets[i].first, sy = y + offsets[i].second;
        if (sx < 0 || sy < 0 || sx >= coverage.width || sy >= coverage.height) continue;
        best = std::max(best, coverage.At(sx, sy) * w);
      }
      out.values[static_cast<size_t>(y) * out.width + x] = best;
    }
  return out;
}

void CompositeText(RgbaImage& image, const CoverageMask& fill, const CoverageMask& halo, const Colour& haloColour,
                   const std::function<Colour(int x, int y)>& fillColour) {
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const float f = fill.At(x, y), h = halo.width ? halo.At(x, y) : 0.0f;
      if (f <= 0 && h <= 0) continue;
      // The halo lies under the fill: fill over halo, then both over the picture.
      const Colour c = f > 0 ? fillColour(x, y) : Colour{};
      const float fa = c.a * f, ha = haloColour.a * h * (1 - fa);
      CompositeOver(image.At(x, y), c.r * fa + haloColour.r * ha, c.g * fa + haloColour.g * ha,
                    c.b * fa + haloColour.b * ha, fa + ha);
    }
}

void DrawText(RgbaImage& image, const std::string& text, float x, float baselineY, const TextStyle& style) {
  const CoverageMask fill = RenderTextCoverage(text, image.width, image.height, x, baselineY, style);
  const CoverageMask halo = style.outlineRadius > 0 ? SoftDilate(fill, style.outlineRadius) : CoverageMask{};
  CompositeText(image, fill, halo, style.outline, [&](int, int) { return style.fill; });
}

TextExtent MeasureText(const std::string& text, const TextStyle& style) {
  FontCache& fonts = Fonts();
  std::lock_guard<std::mutex> hold(fonts.lock);
  LaidOutText laid;
  LayOut(fonts, text, style, laid);
  if (!laid.hasInk) return {};
  return {(laid.ink.xMax - laid.ink.xMin) / 64.0f, laid.ink.yMax / 64.0f, -laid.ink.yMin / 64.0f};
}

bool FontsAvailable(std::string& missingPath) { return FontsAvailable(kFontFolder, missingPath); }

bool FontsAvailable(const std::string& fontFolder, std::string& missingPath) {
  for (TextFace face : kFaces) {
    const std::string path = FontPath(face, fontFolder);
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
      std::fclose(file);
      continue;
    }
    missingPath = path;
    return false;
  }
  missingPath.clear();
  return true;
}

}  // namespace content
