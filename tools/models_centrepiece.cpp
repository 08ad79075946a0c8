// Gathers the centrepiece models under the names the scene asks for.
#include "models_centrepiece.h"

#include "room_models.h"

namespace content {

std::vector<NamedModel> MakeCentrepieceModels() {
  return {
      {"fir", MakeFirModel()},           {"railroad", MakeRailroadModel()}, {"Clock", MakeClockModel()},
      {"candle", MakeCandleModel()},     {"firewood", MakeFirewoodModel()}, {"lightchain", MakeLightChainModel()},
  };
}

}  // namespace content
