// Composition of one frame.
#pragma once

namespace scene {

struct FadeState {
  float elapsed = 0.0f;        // start-up fade's elapsed counter, ticks × 0.5
  float alpha = 1.0f;          // opacity of the black cover at start-up
  float snapshotAlpha = 0.0f;  // opacity of the cross-fade snapshot
};

extern FadeState Fades;

// Draws and presents one whole frame.
void DrawFrame();

// The fade counters of a frame: the elapsed counter with the previous dt,
// then the snapshot and cover opacities with the new one.
void AdvanceElapsedFade(float dt);
void AdvanceFadeAlphas(float dt);

// Forgets the first-frame state, for a new run in the same process.
void ResetFrameComposition();

}  // namespace scene
