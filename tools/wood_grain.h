// Wood grain shared by the wooden textures: growth rings seen from the side of
// a board, with fibre streaks, running along u.
#pragma once

#include <cstdint>

#include "texture_paint.h"

namespace content {

struct WoodLook {
  Rgb light;            // early wood, between rings
  Rgb dark;             // late wood, the ring lines
  float ringsAcross;    // ring bands across the board's width
  float warp;           // how far the rings wander (in ring bands)
  float fibreContrast;  // strength of the fine streaks
  uint32_t seed;
};

// The colour of a board at board-local coordinates: along runs with the grain
// and across spans the board's width, both in texture units where tiling
// needs them to (integers repeat the pattern). alongCells and acrossCells set
// the period of the wander noise, so the grain tiles when the board does.
Rgb WoodColour(const WoodLook& look, float along, float across, int alongCells, int acrossCells);

}  // namespace content
