#!/usr/bin/env bash
# The gamma setting on a private Xvfb server, read back through the server's
# own CRTC gamma: the saver's full-screen window loads the power curve the
# setting asks for, and the calibrated ramp the display had before comes back
# entry for entry however the run ends (a key, SIGTERM). In another program's
# window, and in an ordinary window, the display's ramp is never touched.
#
# Usage: x11_gamma_test.sh PATH_TO_GLIMMERHALL PATH_TO_X11_PROBE
# Exit status: 0 all checks passed, 1 a check failed, 77 a needed tool is missing.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
. "$here/x11_lib.sh"

readonly LOAD_LIMIT_S=20
readonly EXIT_LIMIT_S=5

binary=${1:?usage: x11_gamma_test.sh PATH_TO_GLIMMERHALL PATH_TO_X11_PROBE}
probe=${2:?usage: x11_gamma_test.sh PATH_TO_GLIMMERHALL PATH_TO_X11_PROBE}
for tool in Xvfb xdotool timeout; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

begin_x11_test gamma

if ! "$probe" gamma-print >"$work/plain.txt" 2>"$work/probe.err"; then
  echo "skipped: this X server has no CRTC gamma ($(cat "$work/probe.err"))"
  exit 77
fi
"$probe" gamma-calibrate
"$probe" gamma-print >"$work/calibrated.txt"
echo "# the server's ramps have $(head -n 1 "$work/calibrated.txt" | cut -d' ' -f2) entries"
check "the calibrated ramp differs from the server's plain one" bash -c "! cmp -s '$work/plain.txt' '$work/calibrated.txt'"



same_as_calibrated() { "$probe" gamma-print >"$work/now.txt" && cmp -s "$work/calibrated.txt" "$work/now.txt"; }

# Gamma 1 is the exponent 3: every channel the same cube curve, so the entry
# half way up is an eighth of full scale.
is_cube_curve() {
  awk 'NR == 1 { size = $2; next }
       { r[$1] = $2; g[$1] = $3; b[$1] = $4 }
       END {
         if (size < 2) exit 1
         for (i = 0; i < size; i++) if (r[i] != g[i] || g[i] != b[i]) exit 1
         mid = int(size / 2); x = mid / (size - 1)
         want = 65536 * x * x * x
         exit !(r[mid] > want * 0.95 - 300 && r[mid] < want * 1.05 + 300)
       }' "$1"
}

case_key_ends() {
  local log=$work/key.log
  start_saver "$log" -gamma 1 /s
  check "key: the setting is loaded within ${LOAD_LIMIT_S} s" wait_for "$LOAD_LIMIT_S" logged "$log" "New Gamma: 3"
  "$probe" gamma-print >"$work/during.txt"
  check "key: while running the display has the cube curve in all channels" is_cube_curve "$work/during.txt"
  echo "# $(grep "^Old Gamma: " "$log")"
  check "key: loading finishes" wait_for "$LOAD_LIMIT_S" logged "$log" "OpenGL initialized"
  sleep 0.5
  xdotool key x
  wait_exit "$EXIT_LIMIT_S"
  check "key: the run ends with exit code 1" [ "$exit_code" = 1 ]
  check "key: the calibrated ramp is back entry for entry" same_as_calibrated
  check "key: the three gamma lines in order" lines_in_order "$log" "Old Gamma: " "New Gamma: 3" "Set old Gamma: "
}

case_sigterm_ends() {
  local log=$work/term.log
  start_saver "$log" -gamma 0 /s
  check "SIGTERM: the setting is loaded" wait_for "$LOAD_LIMIT_S" logged "$log" "New Gamma: 4"
  check "SIGTERM: the display is darker while running" bash -c "! cmp -s '$work/calibrated.txt' <('$probe' gamma-print)"
  kill -TERM "$saver_pid"
  wait_exit "$EXIT_LIMIT_S"
  check "SIGTERM: the run ends with exit code 1" [ "$exit_code" = 1 ]
  check "SIGTERM: the calibrated ramp is back entry for entry" same_as_calibrated
}

case_foreign_window() {
  local log=$work/foreign.log root
  root=$(xwininfo -root | awk '/Window id:/ { print $4 }')
  XSCREENSAVER_WINDOW=$root start_saver "$log" -gamma 0
  check "daemon's window: loading finishes" wait_for "$LOAD_LIMIT_S" logged "$log" "OpenGL initialized"
  check "daemon's window: the ramp is left to the daemon" logged "$log" "Gamma left as it is"
  check "daemon's window: the display's ramp is untouched while running" same_as_calibrated
  kill -TERM "$saver_pid"
  wait_exit "$EXIT_LIMIT_S"
  check "daemon's window: still untouched after the run" same_as_calibrated
}

case_ordinary_window() {
  local log=$work/window.log
  start_saver "$log" -window -gamma 0 /s
  check "ordinary window: loading finishes" wait_for "$LOAD_LIMIT_S" logged "$log" "OpenGL initialized"
  check "ordinary window: the rest of the desktop keeps its ramp" same_as_calibrated
  kill -TERM "$saver_pid"
  wait_exit "$EXIT_LIMIT_S"
  check "ordinary window: still untouched after the run" same_as_calibrated
}

case_key_ends
case_sigterm_ends
case_foreign_window
case_ordinary_window

report_stderr
finish
