#!/usr/bin/env bash
# The Linux desktop program on a private Xvfb server: the full-screen window,
# which input ends the run and which does not, drawing into a window that
# another client owns (as under a screensaver daemon), and the end signals.
#
# Usage: x11_window_test.sh PATH_TO_GLIMMERHALL
# Exit status: 0 all checks passed, 1 a check failed, 77 a needed tool is missing.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
. "$here/x11_lib.sh"

readonly CASE_LIMIT_S=25   # each case runs under its own limit
readonly WINDOW_LIMIT_S=10 # for the window and the loading to appear
readonly EXIT_LIMIT_S=3    # for the run to end after the input that ends it

saver_pid=""

exits_with() { [ "$exit_code" = "$1" ]; }

saver_window() { xdotool search --name '^Glimmerhall$' 2>/dev/null | head -n 1; }
has_saver_window() { [ -n "$(saver_window)" ]; }

# The server paints its root grey, so a warm picture (far more red than
# blue) over the whole screen can only be the saver's room.
screen_shows_room() {
  import -window root "$work/screen.png" 2>/dev/null &&
    convert "$work/screen.png" -format '%[fx:mean.r - mean.b]' info: 2>/dev/null |
    awk '{ exit !($1 > 0.05) }'
}

covers_screen_unmanaged() {
  local info
  info=$(xwininfo -id "$1") || return 1
  grep -q "Absolute upper-left X:  0" <<<"$info" && grep -q "Absolute upper-left Y:  0" <<<"$info" &&
    grep -q "Width: 1024" <<<"$info" && grep -q "Height: 768" <<<"$info" &&
    grep -q "Override Redirect State: yes" <<<"$info"
}

is_managed_window() { xwininfo -id "$1" | grep -q "Override Redirect State: no"; }

wait_loaded() {  # the window is up and loading has finished
  check "$1: loading finishes within ${WINDOW_LIMIT_S} s" wait_for "$WINDOW_LIMIT_S" logged "$2" "OpenGL initialized"
}

case_full_screen_key() {
  local log=$work/full.log
  start_saver "$log" /s
  check "full screen: window appears within ${WINDOW_LIMIT_S} s" wait_for "$WINDOW_LIMIT_S" has_saver_window
  wait_loaded "full screen" "$log"
  check "full screen: window covers the screen, unmanaged" covers_screen_unmanaged "$(saver_window)"
  check "full screen: the room fades in over the whole screen" wait_for 15 screen_shows_room
  xdotool key x
  wait_exit "$EXIT_LIMIT_S"
  check "full screen: key x ends the run with exit code 1 within ${EXIT_LIMIT_S} s" exits_with 1
  check "full screen: log lines in order" lines_in_order "$log" "Starting..." "Creating window..." \
    "Window is create" "OpenGL initialized" "Max fps: " "Min fps: " "Fps: "
}

case_full_screen_mouse() {
  local log=$work/mouse.log
  start_saver "$log" /s
  check "space/click: window appears within ${WINDOW_LIMIT_S} s" wait_for "$WINDOW_LIMIT_S" has_saver_window
  wait_loaded "space/click" "$log"
  xdotool key space
  sleep 1
  check "space/click: still running 1 s after the space bar" running
  xdotool key alt+x
  sleep 0.5
  check "space/click: still running after Alt+X" running
  xdotool click 3
  sleep 0.5
  check "space/click: still running after a right click" running
  xdotool click 1
  wait_exit "$EXIT_LIMIT_S"
  check "space/click: a left click ends the run with exit code 1 within ${EXIT_LIMIT_S} s" exits_with 1
}

case_daemon_root() {
  local log=$work/root.log root
  root=$(xwininfo -root | awk '/Window id:/ { print $4 }')
  # Under the daemon the hack gets no switches, only the window in the environment.
  XSCREENSAVER_WINDOW=$root start_saver "$log"
  wait_loaded "root window $root" "$log"
  check "root window: the room is drawn into the root" wait_for 15 screen_shows_room
  check "root window: no window of its own" bash -c "! xdotool search --name '^Glimmerhall\$'"
  xdotool key x
  xdotool click 1
  sleep 1
  check "root window: still running after a key and a left click" running
  kill -TERM "$saver_pid" 2>/dev/null
  wait_exit "$EXIT_LIMIT_S"
  check "root window: SIGTERM ends the run with exit code 1 within ${EXIT_LIMIT_S} s" exits_with 1
  check "root window: shutdown wrote the frame-rate summary" logged "$log" "Fps: "
}

case_vanishing_window() {
  local owner_log=$work/owner.log guest_log=$work/guest.log owner_pid window
  start_saver "$owner_log" -window /s
  owner_pid=$saver_pid
  check "foreign window: the owner's ordinary window appears" wait_for "$WINDOW_LIMIT_S" has_saver_window
  window=$(saver_window)
  check "foreign window: the ordinary window is left to the window manager" is_managed_window "$window"
  start_saver "$guest_log" -window-id "$window" /s
  wait_loaded "foreign window" "$guest_log"
  sleep 0.5
  check "foreign window: the guest runs in window $window" running
  kill -TERM "$owner_pid" 2>/dev/null
  wait_for "$EXIT_LIMIT_S" bash -c "! kill -0 $owner_pid" || kill -KILL "$owner_pid" 2>/dev/null
  wait "$owner_pid" 2>/dev/null
  wait_exit "$EXIT_LIMIT_S"
  check "foreign window: the guest ends with exit code 1 within ${EXIT_LIMIT_S} s of the window going" exits_with 1
}

case_malformed_id() {
  local message
  message=$(timeout 5 "$binary" -window-id 0xZZ /s 2>&1 >/dev/null)
  exit_code=$?
  # A run that started anyway would go on until the limit (124).
  check "malformed id: refused at once with a non-zero exit code" bash -c "[ $exit_code -ne 0 ] && [ $exit_code -ne 124 ]"
  check "malformed id: the message names the id" grep -q -F "0xZZ" <<<"$message"
}

cleanup_case() {
  [ -n "$saver_pid" ] && kill -KILL "$saver_pid" 2>/dev/null
  exit 1
}

# One case, run as its own process under its own time limit.
if [ "${1:-}" = "--case" ]; then
  binary=$2 work=$3
  trap cleanup_case TERM INT
  "case_$4"
  exit "$failures"  # the number of failed checks
fi

binary=${1:?usage: x11_window_test.sh PATH_TO_GLIMMERHALL}
binary=$(cd "$(dirname "$binary")" && pwd)/$(basename "$binary")
[ -x "$binary" ] || { echo "FAIL - $binary is not an executable"; exit 1; }
for tool in Xvfb xdotool xwininfo import identify timeout; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

started_ms=$(now_ms)
work=$(mktemp -d "${TMPDIR:-/tmp}/glimmerhall-x11.XXXXXX")
xvfb_pid=""
cleanup() {
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

start_xvfb "$work"
export XDG_CONFIG_HOME=$work/config  # the user's own settings stay untouched
unset XSCREENSAVER_WINDOW GLIMMERHALL_LOG

for name in full_screen_key full_screen_mouse daemon_root vanishing_window malformed_id; do
  timeout -k 2 "$CASE_LIMIT_S" bash "$here/$(basename "$0")" --case "$binary" "$work" "$name"
  status=$?
  case $status in
    0) ;;
    124 | 137)
      echo "FAIL - case $name ran past its ${CASE_LIMIT_S} s limit"
      failures=$((failures + 1)) ;;
    *) failures=$((failures + status)) ;;
  esac
done

report_stderr
elapsed_ms=$(($(now_ms) - started_ms))
echo "# $((elapsed_ms / 1000)).$((elapsed_ms % 1000 / 100)) s"
finish
