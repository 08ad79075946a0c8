// The flat 2D pass over the finished 3D frame. Coordinates are normalised
// device coordinates: x -1 left to 1 right, y -1 bottom to 1 top; both
// matrices are identity during the pass.
#pragma once

#include "platform/gl_api.h"

namespace overlay {

void BeginOverlay();
void EndOverlay();
// A textured rectangle by centre and half sizes; a negative half height
// flips the image vertically.
void DrawRect(float x, float y, float halfWidth, float halfHeight, GLuint texture);
// The queued full-screen quads (fades) in queue order; empties the queue.
void DrawScreenQuadQueue();
// The clock, countdown and frame-rate texts over the picture.
void DrawTextOverlays();
// Off for pictures of the room made without the texts (the build's stills).
extern bool TextOverlaysShown;

}  // namespace overlay
