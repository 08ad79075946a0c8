#!/usr/bin/env bash
# The particle effects as a user sees them: the same frames rendered with
# and without particles differ where the tree's lights, the steam, the
# candle flames, the fire's tongues and the falling snow are, in the colours
# those effects have, and nowhere they should not be (no snow in the room).
set -u
bin="$1"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"

shoot() { # camera, frame, name, extra options...
  local camera="$1" frame="$2" name="$3"; shift 3
  GLIMMERHALL_LOG=/dev/null timeout 180 "$bin" --headless --clock "2026-12-24 21:30:00" --seed 7 --size 512x384 \
    --dt 4 --frames "$frame" --camera "$camera" --snapshot "$frame:$work/$name.png" "$@" >/dev/null 2>&1
  test -s "$work/$name.png"
}
# Pictures of both runs, and their difference.
pair() { # camera, frame, name
  shoot "$1" "$2" "$3" && shoot "$1" "$2" "$3-off" --no-particles &&
    convert "$work/$3.png" "$work/$3-off.png" -compose difference -composite "$work/$3-diff.png"
}
crop() { convert "$1" -crop "$2" +repage "$3"; }
value() { convert "$1" -format "%[fx:$2]" info: 2>/dev/null; }
# Share of a picture's pixels brighter than 6% in any channel.
lit_share() { convert "$1" -channel RGB -separate -evaluate-sequence max -threshold 6% -format '%[fx:mean]' info:; }
# Share of pixels where one channel clearly leads the other two.
leading_share() { # file, channel expression (r, g or b)
  local c="$2" others
  case "$c" in r) others="g+b" ;; g) others="r+b" ;; b) others="r+g" ;; esac
  convert "$1" -fx "$c > 0.06 && $c > 0.6*($others) ? 1 : 0" -format '%[fx:mean]' info:
}
# Numbers only: a measurement that failed never passes.
above() {
  [[ "$1" =~ ^[0-9.e+-]+$ && "$2" =~ ^[0-9.e+-]+$ ]] && awk -v a="$1" -v b="$2" 'BEGIN { exit !(a + 0 > b + 0) }'
}

pair 0 150 tree
pair 1 800 fire
pair 2 600 window
for name in tree fire window; do check "$name: both runs end normally" test -s "$work/$name-diff.png"; done

# The tree's lights: glows of several colours over the branches.
crop "$work/tree-diff.png" 260x230+120+30 "$work/lights.png"
check "tree: lights glow over the tree" above "$(lit_share "$work/lights.png")" 0.01
for channel in r g b; do
  check "tree: some glows lead in $channel" above "$(leading_share "$work/lights.png" $channel)" 0.0005
done
check "tree: the lights add light" above "$(value "$work/tree.png" mean)" "$(value "$work/tree-off.png" mean)"

# Steam trailing from the locomotive's chimney: grey-white puffs.
crop "$work/tree-diff.png" 120x60+15+275 "$work/steam.png"
check "steam: puffs behind the locomotive" above "$(lit_share "$work/steam.png")" 0.01
check "steam: the puffs are grey, not coloured" above 0.25 \
  "$(value "$work/steam.png" 'abs(mean.r-mean.b)/(mean.r+mean.b+0.0001)')"

# The fire's tongues above the logs, and the candle flames on the mantel.
crop "$work/fire-diff.png" 90x55+215+235 "$work/streaks.png"
check "fire: tongues of flame rise in the firebox" above "$(lit_share "$work/streaks.png")" 0.05
check "fire: the tongues are warm" above "$(value "$work/streaks.png" mean.r)" "$(value "$work/streaks.png" '2*mean.b')"
crop "$work/fire-diff.png" 512x40+0+115 "$work/candles.png"
check "candles: flames burn on the mantel" above "$(lit_share "$work/candles.png")" 0.0005
check "candles: the flames are warm" above "$(value "$work/candles.png" mean.r)" "$(value "$work/candles.png" '1.5*mean.b')"

# Snow falls past the window and only outside it: the wall beside the
# window shows none.
crop "$work/window-diff.png" 165x270+345+20 "$work/snow.png"
crop "$work/window-diff.png" 290x384+40+0 "$work/wall.png"
check "window: snow falls outside" above "$(lit_share "$work/snow.png")" 0.01
check "window: the flakes are white" above "$(value "$work/snow.png" mean.b)" "$(value "$work/snow.png" '0.7*mean.r')"
check "window: no snow on the wall inside the room" above 0.0005 "$(lit_share "$work/wall.png")"
finish
