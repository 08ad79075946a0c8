#!/usr/bin/env bash
# The room as a user sees it: every camera path shows a lit, warm room, the
# start fades in from black, both vertex paths and both visibility paths
# give the same picture, and a change of path cross-fades without a cut.
set -u
bin="$1"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"

run() { # log-file, args...
  local log="$1"; shift
  GLIMMERHALL_LOG="$log" timeout 120 "$bin" --headless --clock "2026-12-24 21:30:00" --seed 7 "$@" \
    >"$work/stdout" 2>"$work/stderr"
}
mean() { convert "$1" -format "%[fx:${2:-mean}]" info: 2>/dev/null; }
# Share of pixels darker than 4% grey.
dark_share() { convert "$1" -colorspace gray -threshold 4% -negate -format '%[fx:mean]' info: 2>/dev/null; }
# Mean absolute difference of two pictures, 0 to 1.
difference() { compare -metric MAE "$1" "$2" null: 2>&1 | sed 's/.*(\(.*\)).*/\1/'; }
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

# Each path a few seconds in, past the fade from black.
for camera in 0 1 2 3 4; do
  run "$work/camera$camera.log" --size 512x384 --dt 1 --frames 150 --camera $camera \
    --snapshot 150:"$work/camera$camera.png"
  shot="$work/camera$camera.png"
  check "camera $camera: the run ends normally" test -s "$shot"
  check "camera $camera: the picture is lit (mean above 0.08)" above "$(mean "$shot")" 0.08
  check "camera $camera: not blown out (mean below 0.8)" above 0.8 "$(mean "$shot")"
  check "camera $camera: little of it is black" above 0.25 "$(dark_share "$shot")"
  check "camera $camera: the room is warm (more red than blue)" above "$(mean "$shot" mean.r)" "$(mean "$shot" mean.b)"
done
check "the fireside view is brighter than the window view" above "$(mean "$work/camera1.png")" "$(mean "$work/camera2.png")"
# Late on its path the window camera looks out at the night.
run "$work/window.log" --size 256x192 --dt 4 --frames 700 --camera 2 --snapshot 700:"$work/window.png"
check "the view out of the window is the bluest" \
  above "$(mean "$work/window.png" 'mean.b/mean.r')" "$(mean "$work/camera1.png" 'mean.b/mean.r')"
check "the window view is darker than the fire side" above "$(mean "$work/camera1.png")" "$(mean "$work/window.png")"

check "the animated fire is loaded with its one animation" lines_in_order "$work/camera1.log" \
  "Animated model fireplace_fire.BSA mesh file loaded" "Num of Anims: 1"
check "the models' textures are loaded" grep -q "^Texture Textures/fir_needles.tga loaded" "$work/camera1.log"

# The fade from black: black at first, gone about 1.2 s (67 ticks) later.
run "$work/fade.log" --size 256x192 --dt 1 --frames 100 --camera 4 \
  --snapshot 2:"$work/fade2.png" --snapshot 35:"$work/fade35.png" --snapshot 80:"$work/fade80.png" \
  --snapshot 100:"$work/fade100.png"
# Frame 1 is the loading screen; the main loop starts black behind the texts.
convert "$work/fade2.png" -crop 256x120+0+24 +repage "$work/fade2-middle.png"
check "the first frame is black" test "$(max_brightness "$work/fade2-middle.png")" = 0
check "half way through the fade the room shows dimmed" above "$(mean "$work/fade80.png")" "$(mean "$work/fade35.png")"
check "half way the room already shows" above "$(mean "$work/fade35.png")" 0.02
check "the cover is gone by 80 ticks" above 0.04 "$(difference "$work/fade80.png" "$work/fade100.png")"

# Without the vertex buffer the picture is the same to the pixel; frustum
# culling instead of occlusion queries may differ at a few pixels where a
# query judged a model hidden (under 0.1 % of the picture).
paths() { # log, picture, options...
  local log="$1" picture="$2"; shift 2
  # Without particles: their random draws follow how many models each path
  # judged visible, so the flames would differ where the models do not.
  run "$log" --size 256x192 --dt 1 --frames 90 --camera 1 --snapshot 90:"$picture" --no-particles "$@"
}
pixels_apart() { compare -metric AE "$1" "$2" null: 2>&1; }
paths "$work/plain.log" "$work/paths.png"
paths "$work/novbo.log" "$work/paths-novbo.png" --no-vbo
paths "$work/noqueries.log" "$work/paths-noqueries.png" --no-vbo --no-queries
check "the vertex buffer can be switched off" grep -qx "VBO switched off on request" "$work/novbo.log"
check "occlusion queries can be switched off" grep -qx "Occlusion queries switched off on request" "$work/noqueries.log"
check "client arrays give the same picture" test "$(pixels_apart "$work/paths.png" "$work/paths-novbo.png")" = 0
check "frustum culling gives nearly the same picture" test "$(pixels_apart "$work/paths.png" "$work/paths-noqueries.png")" -lt 50
GLIMMERHALL_NO_VBO=1 GLIMMERHALL_NO_QUERIES=1 paths "$work/env.log" "$work/paths-env.png"
check "the environment switches the same paths off" grep -qx "VBO switched off on request" "$work/env.log"
check "and gives the picture of the options" test "$(pixels_apart "$work/paths-noqueries.png" "$work/paths-env.png")" = 0

# A path lasts 298 keys of 13.3 ticks, close to frame 900 at 5 ticks a frame.
# At its end the snapshot of the old view covers the screen for 20 ticks
# (the same picture frame after frame) and then fades out: no cut anywhere.
shots=()
for n in $(seq 860 960); do shots+=(--snapshot "$n:$work/switch_$n.png"); done
run "$work/switch.log" --size 400x300 --dt 5 --frames 960 --camera 0 "${shots[@]}"
held=0; longest=0; last_held=0; worst=0
for n in $(seq 860 959); do
  a="$work/switch_$n.png"; b="$work/switch_$((n + 1)).png"
  if [ "$(compare -metric AE "$a" "$b" null: 2>&1)" = 0 ]; then
    held=$((held + 1)); last_held=$n
  else
    held=0
    d=$(difference "$a" "$b"); above "$d" "$worst" && worst=$d
  fi
  [ $held -gt $longest ] && longest=$held
done
check "the old view stands still over the new one for about 20 ticks" test $longest -ge 3 -a $longest -le 5
check "no frame-to-frame cut around the change of path (worst $worst)" above 0.02 "$worst"
if [ $last_held -gt 0 ]; then
  before="$work/switch_$((last_held - longest - 1)).png"
  after="$work/switch_$((last_held + 30)).png"
  check "the new path shows another view once the old one has faded" above "$(difference "$before" "$after")" 0.03
else
  fail "the change of path was not found between frames 860 and 960"
fi

finish
