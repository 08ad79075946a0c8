#include "wood_grain.h"

#include <algorithm>

#include "procedural_noise.h"

namespace content {

Rgb WoodColour(const WoodLook& look, float along, float across, int alongCells, int acrossCells) {
  // Rings: fine stripes running with the board, bent gently by noise that
  // changes slowly along the grain, so they sweep into long flames rather
  // than contour-map whorls.
  // Gradient noise is zero on its lattice lines; with a single cell along the
  // board those lines would pin every ring flat there, so the bend always
  // has at least two cells along the grain.
  const float bend = TilingFbm(along, across, std::max(2, alongCells), acrossCells * 2, 3, look.seed);
  const float wobble = TilingNoise(along * alongCells * 4.0f, across * acrossCells * 2.0f,
                                   alongCells * 4, acrossCells * 2, look.seed + 3u);
  // Growth varied year to year: ring spacing drifts across the board.
  const float spacing = TilingNoise(0.25f, across * acrossCells * 3.0f, 4, acrossCells * 3, look.seed + 7u);
  const float ringPos = across * look.ringsAcross + bend * look.warp + 0.15f * wobble + 0.8f * spacing + 0.5f;
  const float ring = Fract(ringPos);
  // Late wood: a narrow dark line with a soft leading edge.
  const float late = SmoothStep(0.45f, 0.9f, ring) * (1.0f - SmoothStep(0.9f, 1.0f, ring));
  // Fibres and pores: noise stretched hard along the grain.
  const float fibre = TilingNoise(along * alongCells * 3.0f, across * acrossCells * 48.0f,
                                  alongCells * 3, acrossCells * 48, look.seed + 11u);
  const float fine = TilingNoise(along * alongCells * 8.0f, across * acrossCells * 160.0f,
                                 alongCells * 8, acrossCells * 160, look.seed + 23u);
  // Broad tonal drift, as one board is never one colour.
  const float drift = TilingFbm(along, across, alongCells, acrossCells, 2, look.seed + 31u);

  Rgb c = Mix(look.light, look.dark, Clamp01(0.55f * late + 0.25f * (fibre * 0.5f + 0.5f)));
  const float streak = 1.0f + look.fibreContrast * (0.5f * fibre + 0.5f * fine);
  c = c * (streak * (1.0f + 0.08f * drift));
  return c;
}

}  // namespace content
