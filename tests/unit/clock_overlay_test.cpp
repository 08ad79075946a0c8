// The overlay's text layout, the clock and countdown texts and what the
// countdown block shows on each day of the season.
#include <gtest/gtest.h>

#include "overlay/clock_overlay.h"

namespace {

using overlay::OverlayItem;

TEST(GlyphText, GlyphsStandApartAndPointsShift) {
  overlay::GlyphFont font;
  const auto placed = overlay::LayOutText(font, 0.3f, -0.5f, "12:05");
  ASSERT_EQ(placed.size(), 5u);
  const int glyphs[] = {1, 2, 13, 0, 5};
  for (size_t i = 0; i < placed.size(); ++i) {
    EXPECT_EQ(placed[i].glyph, glyphs[i]);
    EXPECT_FLOAT_EQ(placed[i].x, 0.3f + 0.0425f * static_cast<float>(i));
    EXPECT_FLOAT_EQ(placed[i].y, -0.5f);
  }
  const auto point = overlay::LayOutText(font, 0.0f, 0.0f, "1.5");
  EXPECT_FLOAT_EQ(point[1].x, 0.0425f - 0.03125f);
  EXPECT_FLOAT_EQ(point[2].x, 0.0425f + 0.0425f - 0.01875f);
  EXPECT_EQ(point[1].glyph, 14);
  // Characters the font lacks come out as the digit zero, every time.
  for (const auto& glyph : overlay::LayOutText(font, 0, 0, "-e-e")) EXPECT_EQ(glyph.glyph, 0);
  EXPECT_EQ(overlay::LayOutText(font, 0, 0, " a.m.p")[5].glyph, 12);
}

platform::LocalTime At(int month, int day, int hour, int minute, int second) {
  platform::LocalTime t;
  t.year = 2026;
  t.month = static_cast<uint16_t>(month);
  t.day = static_cast<uint16_t>(day);
  t.hour = static_cast<uint16_t>(hour);
  t.minute = static_cast<uint16_t>(minute);
  t.second = static_cast<uint16_t>(second);
  return t;
}

TEST(ClockText, TwentyFourAndTwelveHours) {
  EXPECT_EQ(overlay::ClockText(At(12, 1, 9, 5, 7), true), "09:05:07");
  EXPECT_EQ(overlay::ClockText(At(12, 1, 21, 5, 7), false), "9:05:07 p.m.");
  EXPECT_EQ(overlay::ClockText(At(12, 1, 0, 15, 0), false), "0:15:00 a.m.");
  EXPECT_EQ(overlay::ClockText(At(12, 1, 12, 15, 0), false), "12:15:00 p.m.");
  EXPECT_EQ(overlay::ClockText(At(12, 1, 11, 59, 59), false), "11:59:59 a.m.");
  EXPECT_EQ(overlay::FpsText(0), "0");
  EXPECT_EQ(overlay::FpsText(60), "60");
  EXPECT_EQ(overlay::FpsText(125), "125");
}

class CountdownBlock : public ::testing::Test {
 protected:
  CountdownBlock() {
    GLuint id = 100;
    for (GLuint* t : {&textures_.countdown, &textures_.countdownNewYear, &textures_.remaining, &textures_.days,
                      &textures_.hours, &textures_.minutes, &textures_.seconds, &textures_.day, &textures_.hour,
                      &textures_.minute, &textures_.second, &textures_.greeting, &textures_.newYearGreeting})
      *t = id++;
  }
  std::vector<OverlayItem> Items(int month, int day, int hour, int minute, int second, bool showTime = false,
                                 bool showFps = false) {
    app::TimeOfDayRecord time;
    time.local = At(month, day, hour, minute, second);
    app::UpdateCountdown(time);
    overlay::OverlayChoices choices;
    choices.showTime = showTime;
    choices.showFps = showFps;
    return overlay::ClockOverlayItems(textures_, time, choices);
  }
  static std::vector<GLuint> Images(const std::vector<OverlayItem>& items) {
    std::vector<GLuint> ids;
    for (const OverlayItem& item : items)
      if (!item.isText) ids.push_back(item.texture);
    return ids;
  }
  overlay::OverlayTextures textures_;
};

TEST_F(CountdownBlock, ChristmasEveEvening) {
  const auto items = Items(12, 24, 18, 30, 0);
  ASSERT_EQ(items.size(), 7u);
  EXPECT_TRUE(items[0].isText);
  EXPECT_EQ(items[0].text, "00  05   29  60");
  EXPECT_FLOAT_EQ(items[0].x, -0.94f);
  EXPECT_FLOAT_EQ(items[0].y, -0.87f);
  const auto& t = textures_;
  EXPECT_EQ(Images(items), (std::vector<GLuint>{t.countdown, t.day, t.hours, t.minutes, t.seconds, t.remaining}));
  EXPECT_FLOAT_EQ(items[2].x, -0.83f);
  EXPECT_FLOAT_EQ(items[5].x, -0.28f);
}

TEST_F(CountdownBlock, GreetingsOnTheHolidaysAndTheNewYearCountdownBetween) {
  const auto& t = textures_;
  for (int day : {25, 26}) EXPECT_EQ(Images(Items(12, day, 10, 0, 0)), std::vector<GLuint>{t.greeting}) << day;
  const auto newYear = Items(12, 27, 0, 0, 0);
  EXPECT_EQ(newYear[0].text, "04  23   59  60");
  EXPECT_EQ(Images(newYear)[0], t.countdownNewYear);
  EXPECT_EQ(Images(Items(1, 7, 23, 0, 0)), std::vector<GLuint>{t.newYearGreeting});
  const auto eighth = Items(1, 8, 0, 0, 0);
  EXPECT_TRUE(eighth[0].isText);
  EXPECT_EQ(Images(eighth)[0], t.countdown);
  // A hundred days and more: three digits, moved left.
  const auto september = Items(9, 1, 12, 0, 0);
  EXPECT_EQ(september[0].text.substr(0, 3), "114");
  EXPECT_FLOAT_EQ(september[0].x, -0.98f);
}

TEST_F(CountdownBlock, ClockAndFrameRateComeFirst) {
  const auto items = Items(12, 24, 0, 15, 0, true, true);
  ASSERT_GE(items.size(), 3u);
  EXPECT_EQ(items[0].text, "0");
  EXPECT_FLOAT_EQ(items[0].x, -0.95f);
  EXPECT_FLOAT_EQ(items[0].y, 0.92f);
  EXPECT_EQ(items[1].text, "00:15:00");
  EXPECT_FLOAT_EQ(items[1].x, 0.64f);
  EXPECT_FLOAT_EQ(items[1].y, -0.92f);
}

}  // namespace
