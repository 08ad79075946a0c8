// Shapes the furnishing models need beyond the model builder's solids
// (upholstered rounded boxes, tubes of changing oval section), the mesh
// bookkeeping they share, and the makers of the larger models that live in
// their own files.
#pragma once

#include <string>
#include <vector>

#include "bsm_writer.h"
#include "model_builder.h"

namespace content {
namespace furnishing {

// A mesh with its textures and place in the node tree; pivot left at zero.
BsmMesh NewMesh(const std::string& name, const std::string& parent, const std::string& diffuse);

// Sets every mesh's pivot to the centre of the base of its own bounds.
void SetPivotsToBases(BsmModel& model);

// A box from lo to hi whose edges and corners are rounded with `radius`
// (clamped below half the smallest side), as a cushion or a padded frame.
// rimSteps quads span each quarter round. tile > 0 maps texture space by
// size (units per repeat); otherwise each face takes the whole texture.
void RoundedBox(BsmMesh& mesh, Vec3 lo, Vec3 hi, float radius, int rimSteps,
                const Transform& transform = Transform(), float tile = 0);

// One cross-section of a swept tube: an oval about `centre`, `width` along
// the in-plane side axis and `depth` along model y, with texture v.
struct Section {
  Vec3 centre;
  float width = 1, depth = 1;
  float v = 0;
};

// A tube through sections whose centres lie in the x-z plane, each oval
// turned square to the path; capStart/capEnd close the ends with fans.
// u runs round the tube uRepeat times.
void SweptTube(BsmMesh& mesh, const std::vector<Section>& sections, int sides, bool capStart,
               bool capEnd, float uRepeat = 1);

// The models built in their own files.
BsmModel MakeTeddy();
BsmModel MakeArmchair();

}  // namespace furnishing
}  // namespace content
