// The centrepiece models, one maker per file, gathered by
// MakeCentrepieceModels; shared sizes that the tests check against.
#pragma once

#include "bsm_writer.h"

namespace content {

// The fir stands centred on the origin; the train's ring of track circles it.
constexpr float kFirHeight = 260, kFirBaseRadius = 90, kFirTrunkRadius = 9;
constexpr int kFirLightCount = 72;
constexpr float kRailroadRadius = 125;
// The cars' places round the ring, degrees behind the loco (counter-clockwise travel).
constexpr float kLocoAngle = 0, kWagon01Angle = -14, kWagon02Angle = -28;
constexpr float kClockRadius = 30;
constexpr int kLightChainBulbs = 49;
constexpr float kLightChainHalfLength = 110;

BsmModel MakeFirModel();
BsmModel MakeRailroadModel();
BsmModel MakeClockModel();
BsmModel MakeCandleModel();
BsmModel MakeFirewoodModel();
BsmModel MakeLightChainModel();

}  // namespace content
