#include "overlay/clock_overlay.h"

#include <cstdio>
#include <sstream>

#include "app/frame_timer.h"
#include "assets/texture_cache.h"
#include "overlay/overlay_pass.h"
#include "settings/settings.h"

namespace overlay {
namespace {

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

OverlayItem Text(float x, float y, std::string text) {
  OverlayItem item;
  item.isText = true;
  item.text = std::move(text);
  item.x = x;
  item.y = y;
  return item;
}

OverlayItem Rect(float x, float y, float halfWidth, float halfHeight, GLuint texture) {
  OverlayItem item;
  item.x = x;
  item.y = y;
  item.halfWidth = halfWidth;
  item.halfHeight = halfHeight;
  item.texture = texture;
  return item;
}

GLuint Label(int value, GLuint singular, GLuint plural) { return value < 2 ? singular : plural; }

}  // namespace

OverlayTextures ClockTextures;

void LoadOverlayTextures(OverlayTextures& t) {
  using assets::TextureCache;
  t.font.Load();
  t.countdown = TextureCache::Get("Textures/tex_countdown.tga");
  t.countdownNewYear = TextureCache::Get("Textures/tex_countdown2.tga");
  t.remaining = TextureCache::Get("Textures/tex_remaining.tga");
  t.days = TextureCache::Get("Textures/tex_days.tga");
  t.hours = TextureCache::Get("Textures/tex_hours.tga");
  t.minutes = TextureCache::Get("Textures/tex_mins.tga");
  t.seconds = TextureCache::Get("Textures/tex_secs.tga");
  t.day = TextureCache::Get("Textures/tex_day.tga");
  t.hour = TextureCache::Get("Textures/tex_hour.tga");
  t.minute = TextureCache::Get("Textures/tex_min.tga");
  t.second = TextureCache::Get("Textures/tex_sec.tga");
  t.greeting = TextureCache::Get("Textures/tex_greet.tga");
  t.newYearGreeting = TextureCache::Get("Textures/tex_hny.tga");
}

std::string ClockText(const platform::LocalTime& time, bool twentyFourHour) {
  const std::string rest = ":" + TwoDigits(time.minute) + ":" + TwoDigits(time.second);
  if (twentyFourHour) return TwoDigits(time.hour) + rest;
  int hour = time.hour;
  const char* suffix = hour > 11 ? " p.m." : " a.m.";
  if (hour > 12) hour -= 12;
  return std::to_string(hour) + rest + suffix;
}

std::string CountdownText(const app::TimeOfDayRecord& time) {
  // Every figure keeps at least two digits; days from 100 on take three.
  return TwoDigits(time.days) + "  " + TwoDigits(time.hours) + "   " + TwoDigits(time.minutes) + "  " +
         TwoDigits(time.seconds);
}

std::string FpsText(float fps) {
  std::ostringstream text;
  text << fps;
  return text.str();
}

std::vector<OverlayItem> ClockOverlayItems(const OverlayTextures& t, const app::TimeOfDayRecord& time,
                                           const OverlayChoices& choices) {
  std::vector<OverlayItem> items;
  if (choices.showFps) items.push_back(Text(-0.95f, 0.92f, FpsText(choices.fps)));
  if (choices.showTime)
    items.push_back(Text(choices.twentyFourHour ? 0.64f : 0.5f, -0.92f, ClockText(time.local, choices.twentyFourHour)));
  const int month = time.local.month, day = time.local.day;
  if (month == 1 && day >= 1 && day <= 7) {
    items.push_back(Rect(-0.69f, -0.84f, 0.212f, 0.106f, t.newYearGreeting));
    return items;
  }
  if (month == 12 && (day == 25 || day == 26)) {
    items.push_back(Rect(-0.69f, -0.84f, 0.212f, 0.106f, t.greeting));
    return items;
  }
  items.push_back(Text(time.days > 99 ? -0.98f : -0.94f, -0.87f, CountdownText(time)));
  const bool toNewYear = month == 12 && day >= 27;
  items.push_back(Rect(-0.59f, -0.78f, 0.212f, 0.0265f, toNewYear ? t.countdownNewYear : t.countdown));
  items.push_back(Rect(-0.83f, -0.86f, 0.053f, 0.0265f, Label(time.days, t.day, t.days)));
  items.push_back(Rect(-0.65f, -0.86f, 0.053f, 0.0265f, Label(time.hours, t.hour, t.hours)));
  items.push_back(Rect(-0.45f, -0.86f, 0.053f, 0.0265f, Label(time.minutes, t.minute, t.minutes)));
  items.push_back(Rect(-0.28f, -0.86f, 0.053f, 0.0265f, Label(time.seconds, t.second, t.seconds)));
  items.push_back(Rect(-0.59f, -0.93f, 0.106f, 0.0265f, t.remaining));
  return items;
}

void DrawClockOverlay() {
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  OverlayChoices choices;
  choices.showFps = settings::Current.ShowFPS;
  choices.showTime = settings::Current.ShowTime;
  choices.twentyFourHour = settings::Current.DigClock_24H;
  choices.fps = app::Timer.Fps;
  for (const OverlayItem& item : ClockOverlayItems(ClockTextures, app::TimeOfDay, choices)) {
    if (item.isText)
      DrawText(ClockTextures.font, item.x, item.y, item.text);
    else
      DrawRect(item.x, item.y, item.halfWidth, item.halfHeight, item.texture);
  }
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
}

}  // namespace overlay
