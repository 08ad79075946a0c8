#!/usr/bin/env bash
# `/p WINDOWID` on Linux, on a private Xvfb server: a host window of our own
# (the size of a control panel's preview) gets the saver's still picture at
# its top-left corner, redrawn after it was covered; the saver waits on
# next to no processor time and ends with exit code 0 when the host's window
# goes away or on SIGTERM; `/p` without a usable window ends at once with 1.
#
# Usage: x11_preview_test.sh PATH_TO_GLIMMERHALL PATH_TO_X11_PROBE
# Exit status: 0 all checks passed, 1 a check failed, 77 a needed tool is missing.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
. "$here/x11_lib.sh"

readonly SHOW_LIMIT_S=10
readonly EXIT_LIMIT_S=3
readonly PICTURE_W=154 PICTURE_H=112

binary=${1:?usage: x11_preview_test.sh PATH_TO_GLIMMERHALL PATH_TO_X11_PROBE}
probe=${2:?usage: x11_preview_test.sh PATH_TO_GLIMMERHALL PATH_TO_X11_PROBE}
for tool in Xvfb import convert timeout xwininfo; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

begin_x11_test preview
host_pid=""

start_host() {  # a 200 x 150 grey window; sets host_pid and host_window
  "$probe" window 200 150 >"$work/host.out" &
  host_pid=$!
  extra_pids=$host_pid
  wait_for 5 test -s "$work/host.out" || { echo "FAIL - the host window did not appear"; exit 1; }
  host_window=$(head -n 1 "$work/host.out")
}

stop_host() {
  kill -TERM "$host_pid" 2>/dev/null
  wait "$host_pid" 2>/dev/null
  host_pid=""
}



has_child() { xwininfo -children -id "$host_window" | grep -q "1 child:"; }

# The picture is the room (warm, far from the host's flat grey) over exactly
# 154 x 112 pixels from the corner; the rest of the host stays grey.
shows_picture() {
  import -window "$host_window" "$work/host.png" 2>/dev/null || return 1
  local inside outside corner
  inside=$(convert "$work/host.png" -crop "${PICTURE_W}x${PICTURE_H}+0+0" +repage -format '%[fx:standard_deviation]' info:)
  outside=$(convert "$work/host.png" -crop "40x30+$((PICTURE_W + 2))+$((PICTURE_H + 2))" +repage -format '%[fx:standard_deviation]' info:)
  corner=$(convert "$work/host.png" -crop "${PICTURE_W}x${PICTURE_H}+0+0" +repage -format '%[fx:mean.r - mean.b]' info:)
  awk -v i="$inside" -v o="$outside" -v c="$corner" 'BEGIN { exit !(i > 0.05 && o < 0.01 && c > 0.02) }'
}

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

case_host_goes_away() {
  local log=$work/preview.log before after
  start_host
  start_saver "$log" /p "$host_window"
  check "preview: a child window appears inside the host within ${SHOW_LIMIT_S} s" wait_for "$SHOW_LIMIT_S" has_child
  check "preview: the picture is at the host's top-left corner" wait_for "$SHOW_LIMIT_S" shows_picture
  check "preview: the log names the parent and the usual lines" lines_in_order "$log" "$host_window" \
    "Creating window..." "Window is create" "OpenGL initialized"
  # Covered and uncovered again: the picture comes back.
  "$probe" window 200 150 >"$work/cover.out" &
  local cover_pid=$!
  wait_for 5 test -s "$work/cover.out"
  kill -TERM "$cover_pid"
  wait "$cover_pid" 2>/dev/null
  check "preview: redrawn after being covered" wait_for "$SHOW_LIMIT_S" shows_picture
  before=$(cpu_ticks "$saver_pid")
  sleep 2
  after=$(cpu_ticks "$saver_pid")
  # Clock ticks are hundredths of a second: 2 s of waiting, under 5% of a core.
  echo "# waiting took $((after - before)) ticks of processor time in 2 s"
  check "preview: waiting costs under 5% of a core" [ $((after - before)) -lt 10 ]
  stop_host
  wait_exit "$EXIT_LIMIT_S"
  check "preview: the host's window going away ends it with exit code 0" [ "$exit_code" = 0 ]
}

case_sigterm() {
  start_host
  start_saver "$work/term.log" /p "$host_window"
  wait_for "$SHOW_LIMIT_S" has_child
  kill -TERM "$saver_pid"
  wait_exit "$EXIT_LIMIT_S"
  check "SIGTERM: the preview ends with exit code 0" [ "$exit_code" = 0 ]
  check "SIGTERM: the picture's window is gone from the host" bash -c "! xwininfo -children -id $host_window | grep -q '1 child:'"
  stop_host
}

case_no_window() {
  local log=$work/none.log
  start_saver "$log" /p
  wait_exit "$EXIT_LIMIT_S"
  check "/p without a number: ends at once with exit code 1" [ "$exit_code" = 1 ]
  check "/p without a number: \"Create Window failed!\"" grep -q -x "Create Window failed!" "$log"
  start_saver "$work/bad.log" /p 123456789
  wait_exit "$EXIT_LIMIT_S"
  check "/p with no such window: ends at once with exit code 1" [ "$exit_code" = 1 ]
}

case_host_goes_away
case_sigterm
case_no_window

report_stderr
finish
