// Finishing the renders of the room into the saver's pictures: the framing
// cut out of a frame, a filtered downscale and the loading caption.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

namespace content {

// Pixels read back from the frame (RGBA, top row first) as a picture.
RgbaImage FromPixels(int width, int height, std::vector<uint8_t> topDownRgba);

// A rectangle of the given aspect (width / height): the largest that fits
// in the picture, scaled by size (0..1], centred on (centreX, centreY) as
// fractions of the picture and moved inside where it would cross an edge.
RgbaImage CropToAspect(const RgbaImage& image, float aspect, float centreX, float centreY, float size = 1.0f);

// A windowed-sinc (Lanczos, three lobes) resize to the given size, filtered
// in linear light, so that edges come out smooth and fine detail does not
// shimmer into aliasing.
RgbaImage Resize(const RgbaImage& image, int width, int height);

// Darkens the edges and corners a little (strength 0..1), which keeps the
// eye on the middle of the picture.
void Vignette(RgbaImage& image, float strength);

// The loading caption, set in the serif bold italic in cream and gold with
// a soft dark outline over a faint shadow band, centred in the lower part.
void SetLoadingCaption(RgbaImage& image, const std::string& text);

}  // namespace content
