// The season's countdown, the greetings, the digital clock and the frame
// rate over the picture: what is drawn where, and the images it takes.
#pragma once

#include <string>
#include <vector>

#include "app/time_of_day.h"
#include "overlay/glyph_font.h"
#include "platform/gl_api.h"

namespace overlay {

struct OverlayTextures {
  GlyphFont font;
  GLuint countdown = 0, countdownNewYear = 0, remaining = 0;
  GLuint days = 0, hours = 0, minutes = 0, seconds = 0;  // plural labels
  GLuint day = 0, hour = 0, minute = 0, second = 0;      // singular labels
  GLuint greeting = 0, newYearGreeting = 0;
};

extern OverlayTextures ClockTextures;

// Loads the glyphs first, then the captions, labels and greetings.
void LoadOverlayTextures(OverlayTextures& textures);

// One thing the overlay draws: a text in the glyph font at (x, y), or an
// image rectangle by centre and half sizes.
struct OverlayItem {
  bool isText = false;
  std::string text;
  float x = 0, y = 0, halfWidth = 0, halfHeight = 0;
  GLuint texture = 0;
};

struct OverlayChoices {
  bool showFps = false, showTime = true, twentyFourHour = true;
  float fps = 0;
};

// "09:05:07" or "9:05:07 p.m.".
std::string ClockText(const platform::LocalTime& time, bool twentyFourHour);
// "DD  HH   MM  SS", days with three digits from 100 on.
std::string CountdownText(const app::TimeOfDayRecord& time);
// The frame rate as the default stream formatting writes a float.
std::string FpsText(float fps);

// Everything the overlay draws this frame, in drawing order.
std::vector<OverlayItem> ClockOverlayItems(const OverlayTextures& textures, const app::TimeOfDayRecord& time,
                                           const OverlayChoices& choices);

// Draws the items of this frame with the settings and the frame timer.
void DrawClockOverlay();

}  // namespace overlay
