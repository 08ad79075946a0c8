// The wall clock's dial: cream enamel, a chapter ring of minute ticks and
// hour marks, and Arabic numerals drawn with a small stroke font so they stay
// crisp and readable from across the room.
#include <cmath>
#include <string>
#include <vector>

#include "model_texture_parts.h"
#include "procedural_noise.h"

namespace content {

namespace {

struct Point {
  float x, y;
};
using Polyline = std::vector<Point>;

// Glyphs live in a 6 x 10 box, y down; angles count anticlockwise as seen.
constexpr float kGlyphWidth = 6.0f, kGlyphHeight = 10.0f;

void AppendArc(Polyline& line, float cx, float cy, float rx, float ry, float fromDeg, float toDeg) {
  const int steps = std::max(4, static_cast<int>(std::fabs(toDeg - fromDeg) / 10.0f));
  for (int i = 0; i <= steps; ++i) {
    const float a = (fromDeg + (toDeg - fromDeg) * i / steps) * kPi / 180.0f;
    line.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
  }
}

Polyline Arc(float cx, float cy, float rx, float ry, float fromDeg, float toDeg) {
  Polyline line;
  AppendArc(line, cx, cy, rx, ry, fromDeg, toDeg);
  return line;
}

std::vector<Polyline> Glyph(char digit) {
  switch (digit) {
    case '0':
      return {Arc(3, 5, 2.6f, 4.7f, 0, 360)};
    case '1':
      return {{{1.4f, 2.2f}, {3.4f, 0.3f}, {3.4f, 9.7f}}, {{1.6f, 9.7f}, {5.2f, 9.7f}}};
    case '2': {
      Polyline line = Arc(3, 2.9f, 2.5f, 2.5f, 165, -35);
      line.push_back({0.4f, 9.7f});
      line.push_back({5.7f, 9.7f});
      return {line};
    }
    case '3': {
      Polyline line = Arc(3, 2.6f, 2.3f, 2.3f, 155, -90);
      AppendArc(line, 3, 7.25f, 2.45f, 2.45f, 90, -155);
      return {line};
    }
    case '4':
      return {{{4.3f, 9.7f}, {4.3f, 0.3f}, {0.3f, 7.0f}, {5.8f, 7.0f}}};
    case '5': {
      Polyline line{{5.3f, 0.3f}, {1.2f, 0.3f}, {1.0f, 4.6f}};
      AppendArc(line, 3, 6.85f, 2.85f, 2.85f, 128, -145);
      return {line};
    }
    case '6':
      return {Arc(3, 7.0f, 2.7f, 2.7f, 0, 360), Arc(6.2f, 7.0f, 5.9f, 6.6f, 180, 110)};
    case '7':
      return {{{0.3f, 0.3f}, {5.7f, 0.3f}, {2.3f, 9.7f}}};
    case '8':
      return {Arc(3, 2.6f, 2.25f, 2.25f, 0, 360), Arc(3, 7.3f, 2.6f, 2.6f, 0, 360)};
    case '9': {
      // A six turned half round.
      std::vector<Polyline> lines = Glyph('6');
      for (Polyline& line : lines)
        for (Point& p : line) p = {kGlyphWidth - p.x, kGlyphHeight - p.y};
      return lines;
    }
    default:
      return {};
  }
}

// Ink coverage built from antialiased round-capped strokes.
struct InkLayer {
  int size;
  std::vector<float> cover;
  explicit InkLayer(int s) : size(s), cover(static_cast<size_t>(s) * s, 0.0f) {}

  void Segment(Point a, Point b, float halfWidth) {
    const int x0 = std::max(0, static_cast<int>(std::min(a.x, b.x) - halfWidth - 2));
    const int x1 = std::min(size - 1, static_cast<int>(std::max(a.x, b.x) + halfWidth + 2));
    const int y0 = std::max(0, static_cast<int>(std::min(a.y, b.y) - halfWidth - 2));
    const int y1 = std::min(size - 1, static_cast<int>(std::max(a.y, b.y) + halfWidth + 2));
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        const float d = SegmentDistance(x + 0.5f, y + 0.5f, a.x, a.y, b.x, b.y);
        float& c = cover[static_cast<size_t>(y) * size + x];
        c = std::max(c, Clamp01(halfWidth + 0.5f - d));
      }
  }

  // A numeral centred on (cx, cy), glyphHeight texels tall.
  void Numeral(const std::string& text, float cx, float cy, float glyphHeight, float halfWidth) {
    const float scale = glyphHeight / kGlyphHeight;
    const float advance = (kGlyphWidth + 1.4f) * scale;
    const float total = advance * text.size() - 1.4f * scale;
    float left = cx - total * 0.5f;
    const float top = cy - glyphHeight * 0.5f;
    for (char digit : text) {
      for (const Polyline& line : Glyph(digit))
        for (size_t i = 1; i < line.size(); ++i)
          Segment({left + line[i - 1].x * scale, top + line[i - 1].y * scale},
                  {left + line[i].x * scale, top + line[i].y * scale}, halfWidth);
      left += advance;
    }
  }

  void Ring(float cx, float cy, float radius, float halfWidth) {
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        const float d = std::fabs(std::hypot(x + 0.5f - cx, y + 0.5f - cy) - radius);
        float& c = cover[static_cast<size_t>(y) * size + x];
        c = std::max(c, Clamp01(halfWidth + 0.5f - d));
      }
  }
};

}  // namespace

RgbaImage DrawClockFace() {
  constexpr int kSize = 256;
  constexpr float kCentre = 128.0f;
  const Rgb enamel = FromHex(0xf2e8cc), aged = FromHex(0xd8c8a0), ink = FromHex(0x17120c);
  InkLayer layer(kSize);
  layer.Ring(kCentre, kCentre, 119.0f, 1.0f);
  layer.Ring(kCentre, kCentre, 106.0f, 0.6f);
  for (int minute = 0; minute < 60; ++minute) {
    // Angles run clockwise from twelve at the top of the picture.
    const float angle = minute * kTwoPi / 60.0f;
    const float s = std::sin(angle), c = -std::cos(angle);
    const bool hour = minute % 5 == 0;
    const bool quarter = minute % 15 == 0;
    const float inner = hour ? 99.0f : 108.0f;
    const float half = quarter ? 2.6f : hour ? 1.9f : 0.7f;
    layer.Segment({kCentre + s * inner, kCentre + c * inner}, {kCentre + s * 116.0f, kCentre + c * 116.0f}, half);
  }
  for (int hour = 1; hour <= 12; ++hour) {
    const float angle = hour * kTwoPi / 12.0f;
    const float radius = 80.0f;
    layer.Numeral(std::to_string(hour), kCentre + std::sin(angle) * radius, kCentre - std::cos(angle) * radius,
                  24.0f, 1.45f);
  }
  // The centre boss the hands turn on.
  layer.Segment({kCentre, kCentre}, {kCentre, kCentre}, 4.0f);

  RgbaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const float r = std::hypot(x + 0.5f - kCentre, y + 0.5f - kCentre) / kCentre;
      const float mottle = TilingFbm(u, v, 6, 6, 3, 0xc10cu);
      Rgb paper = Mix(enamel, aged, Clamp01(0.25f * SmoothStep(0.6f, 1.0f, r) + 0.15f * mottle + 0.05f));
      const Rgb c = Mix(paper, ink, layer.cover[static_cast<size_t>(y) * kSize + x]);
      StorePixel(image, x, y, c);
    }
  return image;
}

}  // namespace content
