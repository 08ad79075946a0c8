#!/usr/bin/env bash
# What is drawn over the room, checked on snapshots of the headless runner
# with a fixed clock: the countdown's digits and labels change exactly where
# the figures change, the greetings replace the countdown on the holidays,
# the clock and the frame rate stand where they should, and the loading
# screen's corner images sit flush with the window's corners.
set -u
bin="$1"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib.sh"
work="$(mktemp -d)"
trap '[ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
W=512 H=384

shoot() { # name, clock, frame, options...
  local name="$1" clock="$2" frame="$3"; shift 3
  GLIMMERHALL_LOG="$work/$name.log" timeout 120 "$bin" --headless --clock "$clock" --seed 3 --size ${W}x$H \
    --dt 2 --frames "$frame" --camera 1 --snapshot "$frame:$work/$name.png" "$@" >/dev/null 2>&1
  test -s "$work/$name.png"
}
# The crop geometry of a box given in overlay coordinates (x left to right,
# y bottom to top, -1..1 each).
box() { # x0 x1 y0 y1
  awk -v W=$W -v H=$H -v x0="$1" -v x1="$2" -v y0="$3" -v y1="$4" 'BEGIN {
    l = int((x0 + 1) / 2 * W); r = int((x1 + 1) / 2 * W); t = int((1 - y1) / 2 * H); b = int((1 - y0) / 2 * H)
    printf "%dx%d+%d+%d", r - l, b - t, l, t }'
}
# Share of the box's pixels that differ between two snapshots.
changed() { # a b x0 x1 y0 y1
  convert "$work/$1.png" "$work/$2.png" -compose difference -composite -crop "$(box "$3" "$4" "$5" "$6")" +repage \
    -channel RGB -separate -evaluate-sequence max -threshold 8% -format '%[fx:mean]' info: 2>/dev/null
}
# Share of the box's pixels where red clearly leads (the glyphs are red).
red_ink() { # picture x0 x1 y0 y1
  convert "$work/$1.png" -crop "$(box "$2" "$3" "$4" "$5")" +repage -fx 'r > 0.45 && r > 2.2*g && r > 2.2*b ? 1 : 0' \
    -format '%[fx:mean]' info: 2>/dev/null
}
above() {
  [[ "$1" =~ ^[0-9.e+-]+$ && "$2" =~ ^[0-9.e+-]+$ ]] && awk -v a="$1" -v b="$2" 'BEGIN { exit !(a + 0 > b + 0) }'
}
slot() { awk -v s="$1" -v x="${2:--0.94}" 'BEGIN { printf "%.4f", x + s * 0.0425 }'; }
# Glyph slot n of a text starting at x: its centre +- half a glyph.
slot_box() { # slot, start x
  local c; c=$(slot "$1" "${2:-}")
  awk -v c="$c" 'BEGIN { printf "%.4f %.4f", c - 0.018, c + 0.018 }'
}

plain=(-no-clock -no-fps)
shoot eve "2026-12-24 18:30:00" 60 "${plain[@]}"
shoot eve1 "2026-12-24 18:30:01" 60 "${plain[@]}"
shoot twodays "2026-12-22 18:30:00" 60 "${plain[@]}"
shoot christmas "2026-12-25 10:00:00" 60 "${plain[@]}"
shoot boxing "2026-12-26 10:00:00" 60 "${plain[@]}"
shoot newyear "2026-12-27 00:00:00" 60 "${plain[@]}"
shoot jan7 "2027-01-07 10:00:00" 60 "${plain[@]}"
shoot jan8 "2027-01-08 10:00:00" 60 "${plain[@]}"
shoot autumn "2026-09-01 12:00:00" 60 "${plain[@]}"
for name in eve eve1 twodays christmas boxing newyear jan7 jan8 autumn; do
  check "$name: the run ends with a picture" test -s "$work/$name.png"
done

band="-0.92 -0.82"   # the digits' row
# One second apart (58 against 57 when the snapshot is taken): only the
# last glyph, slot 14, changes.
check "countdown: the seconds' last digit changes" above "$(changed eve eve1 $(slot_box 14) $band)" 0.05
check "countdown: nothing left of it changes" above 0.002 "$(changed eve eve1 -1 "$(slot 13.5)" -1 -0.7)"
check "countdown: the digits are red glyphs" above "$(red_ink eve $(slot_box 0) $band)" 0.03
# Two days instead of none: the days' digits and the day label (plural now) change.
check "countdown: the days' digit changes" above "$(changed eve twodays $(slot_box 1) $band)" 0.05
check "countdown: the day label turns plural" above "$(changed eve twodays -0.87 -0.79 -0.89 -0.83)" 0.05
check "countdown: hours, minutes and seconds stay" above 0.002 "$(changed eve twodays -0.74 -0.2 -0.92 -0.82)"
# The holidays: the greeting instead of the countdown.
check "Christmas Day and the day after look alike" above 0.002 "$(changed christmas boxing -1 0 -1 -0.6)"
check "Christmas shows no seconds' digits" above 0.01 "$(red_ink christmas $(slot_box 14) $band)"
check "the greeting replaces the countdown" above "$(changed eve christmas -0.9 -0.48 -0.94 -0.74)" 0.1
check "27 December counts to the New Year (another caption)" above "$(changed eve newyear -0.8 -0.38 -0.8 -0.76)" 0.05
check "7 January shows the New Year greeting" above "$(changed jan7 christmas -0.9 -0.48 -0.94 -0.74)" 0.05
check "8 January counts down again" above "$(red_ink jan8 $(slot_box 14) $band)" 0.03
check "7 January shows no countdown" above 0.01 "$(red_ink jan7 $(slot_box 14) $band)"
# 114 days: three digits from x = -0.98.
check "a hundred days and more start further left" above "$(red_ink autumn $(slot_box 0 -0.98) $band)" 0.03
check "...and the countdown holds one glyph more" above "$(red_ink autumn $(slot_box 15 -0.98) $band)" 0.03

# The clock: 24-hour text from x = 0.64, 12-hour text from x = 0.5.
shoot clock24 "2026-12-24 00:15:00" 60 -24h -no-fps
shoot clock12 "2026-12-24 00:15:00" 60 -12h -no-fps
clock_band="-0.97 -0.87"
check "24-hour clock: its first glyph at x = 0.64" above "$(red_ink clock24 $(slot_box 0 0.64) $clock_band)" 0.03
check "24-hour clock: nothing at x = 0.5" above 0.01 "$(red_ink clock24 $(slot_box 0 0.5) $clock_band)"
check "12-hour clock: its first glyph at x = 0.5" above "$(red_ink clock12 $(slot_box 0 0.5) $clock_band)" 0.03
# "0:15:00 a.m." is twelve glyphs: the last ("." of "m.") stands in slot 11.
check "12-hour clock: the suffix reaches slot 10" above "$(red_ink clock12 $(slot_box 10 0.5) $clock_band)" 0.03
check "the clock can be switched off" above 0.01 "$(red_ink eve 0.45 1 $clock_band)"

# The frame rate in the top-left corner: 0 in the first second, two digits later.
shoot fps_early "2026-12-24 18:30:00" 20 -fps -no-clock
shoot fps_late "2026-12-24 18:30:00" 150 -fps -no-clock
shoot fps_off "2026-12-24 18:30:00" 150 -no-fps -no-clock
fps_band="0.87 0.97"
check "frame rate: one glyph during the first second" above "$(red_ink fps_early $(slot_box 0 -0.95) $fps_band)" 0.03
check "frame rate: no second glyph in the first second" above 0.01 "$(red_ink fps_early $(slot_box 1 -0.95) $fps_band)"
check "frame rate: two glyphs later on" above "$(red_ink fps_late $(slot_box 1 -0.95) $fps_band)" 0.03
check "frame rate: off draws nothing" above 0.01 "$(red_ink fps_off -1 -0.8 $fps_band)"
check "frame rate: off still logs the statistics" grep -qi "^Fps: " "$work/fps_off.log"

# The loading screen: presented once before the main loop, after the black
# picture the window shows when it opens.
W=1024 H=768
GLIMMERHALL_LOG=/dev/null timeout 120 "$bin" --headless --size 1024x768 --dt 2 --frames 3 \
  --snapshot 1:"$work/loading.png" >/dev/null 2>&1
check "loading screen: a picture before the first frame" test -s "$work/loading.png"
check "loading screen: the room picture fills the window" above "$(convert "$work/loading.png" -crop 600x400+212+184 -format '%[fx:mean]' info:)" 0.08
# The logo in the bottom-right corner covers exactly 256 x 128 pixels: its
# box holds ink, the strips just outside it hold the loading picture.
corner="$(convert "$work/loading.png" -crop 256x128+768+640 +repage -format '%[fx:standard_deviation]' info:)"
check "loading screen: the corner logo is there" above "$corner" 0.02
finish
