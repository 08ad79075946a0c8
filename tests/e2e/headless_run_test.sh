#!/usr/bin/env bash
# The headless runner end to end: exit codes, log order, snapshots and the
# scripted exit conditions of a real run.
set -u
bin="$1"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"

run() { # log-file, args...
  local log="$1"; shift
  GLIMMERHALL_LOG="$log" timeout 60 "$bin" --headless "$@" >"$work/stdout" 2>"$work/stderr"
}
frames_drawn() { find "$1" -name 'frame_*.png' | wc -l; }

# A key ends the run with exit code 1 and the log tells the whole story in order.
run "$work/key.log" --size 320x240 --dt 2 --event 5:key=65 --snapshot 3:"$work/three.png"
check "a key ends the run with exit code 1" test $? -eq 1
check "the log holds start-up and shutdown in order" lines_in_order "$work/key.log" \
  "Starting..." "Starting init OpenGL" "Creating window..." "Window is create" \
  "start init render" "Video card: " "Vendor: " "OpenGL version : " "Max Texture Units: " \
  "VBO supported" "ARB_Occlusion_querry supported" "Occlussion querry bit: " \
  "Model manager init" "initializing font..." "Loading data..." "Loading models" \
  "OpenGL initialized" "Max fps: " "Min fps: " "Fps: "
check "the snapshot is a 320x240 PNG" test "$(identify -format '%m %wx%h' "$work/three.png" 2>/dev/null)" = "PNG 320x240"
# Only the overlay's texts (countdown at the bottom) stand over the black cover.
convert "$work/three.png" -crop 320x150+0+30 +repage "$work/three-middle.png"
check "the first frames are black behind the texts" test "$(max_brightness "$work/three-middle.png")" = 0
check "the runner prints the snapshot's path" grep -qx "snapshot: $work/three.png" "$work/stdout"

# The space bar does not end the run; the frame limit does.
run "$work/space.log" --size 64x64 --dt 1 --frames 12 --event 2:key=space --snapshot-every 1:"$work/space"
check "the space bar does not end the run" test "$(frames_drawn "$work/space")" = 12

# A left click ends the run at the poll after the next frame.
run "$work/click.log" --size 64x64 --dt 1 --frames 50 --event 3:click --snapshot-every 1:"$work/click"
status=$?
check "a left click ends the run (exit 1)" test $status -eq 1
check "a left click ends the run after the next frame" test "$(frames_drawn "$work/click")" = 4

# A cursor jump of more than 30 pixels ends it; 30 does not.
# Mouse movement ends the run only when asked for; the shipped default is off.
run "$work/move.log" -exit-on-mouse-move --size 200x200 --dt 1 --frames 30 --event 4:move=130,100 --event 8:move=160,130 \
  --event 12:move=191,130 --snapshot-every 1:"$work/move"
check "a jump of 31 pixels ends the run and one of 30 does not" test "$(frames_drawn "$work/move")" = 13

# A fixed frame time gives the same frame-rate summary on every run.
run "$work/fixed1.log" --size 64x64 --dt 1.1 --frames 200
run "$work/fixed2.log" --size 64x64 --dt 1.1 --frames 200
check "a fixed frame time is repeatable" cmp -s <(grep fps "$work/fixed1.log") <(grep fps "$work/fixed2.log")
# 1.1 ticks is 20 ms; an interval closes only past one second, at 1.02 s: 51 frames.
check "1.1 ticks a frame counts 51 frames an interval" grep -qx "Max fps: 51" "$work/fixed1.log"

# Other modes and bad input.
run "$work/preview.log" /p
check "preview without a parent window ends at once with 1" test $? -eq 1
run "$work/configure.log" /c
check "configure ends with 1" test $? -eq 1
check "configure does not start the saver" bash -c "! grep -q Starting '$work/configure.log' 2>/dev/null"
run "$work/bad.log" --frames many
check "a malformed option is refused with exit code 2" test $? -eq 2
check "the refusal names the option" grep -q -- "--frames" "$work/stderr"
run "$work/bad.log" --clock "2026-02-30 10:00:00"
check "an impossible date is refused" test $? -eq 2
run "$work/bad.log" --unheard-of
check "an unknown option is refused" test $? -eq 2

finish
