#!/usr/bin/env bash
# Runs the real Windows screensaver under Wine on a private Xvfb screen with
# Mesa's software OpenGL and checks the three ways a host starts it: /s (full
# screen until a key), /p without a window number and no arguments at all
# (Configure: the options dialog, closed with Cancel).
#
# Usage: wine_test.sh path/to/Glimmerhall.scr
# Prints one line per check and exits non-zero when any check fails.
wine_work_name=wine
. "$(cd "$(dirname "$0")" && pwd)/wine_lib.sh"

# The largest channel value of the whole screen, 0 (black) to 1 (white).
screen_maximum() {
  import -window root "$work/screen.png" 2>/dev/null &&
    convert "$work/screen.png" -format '%[fx:maxima]' info: 2>/dev/null
}
screen_mean() {
  import -window root "$work/screen.png" 2>/dev/null &&
    convert "$work/screen.png" -format '%[fx:mean]' info: 2>/dev/null
}
channel_mean() { convert "$work/screen.png" -format "%[fx:mean.$1]" info: 2>/dev/null; }
screen_minimum() {
  import -window root "$work/screen.png" 2>/dev/null &&
    convert "$work/screen.png" -format '%[fx:minima]' info: 2>/dev/null
}

# --- Case a: /s runs full screen until a key ------------------------------------
run_log="$work/run-log.txt"
# The cursor rests in the middle before the start, so that nothing moves it
# while the saver runs (a jump would end the run on its own) and the keys go
# to the window under it.
xdotool mousemove 512 384 >/dev/null 2>&1
check "/s: the screen is white before the saver starts" \
  test "$(screen_minimum)" = "1"

start_saver run 60 "$run_log" /s
started=0
wait_until 40 log_has "$run_log" "OpenGL initialized"
case $? in
  0) started=1 ;;
  1) fail "/s: \"OpenGL initialized\" was not logged within 40 s" ;;
  2) ;;
  3) fail "/s: the saver ended before \"OpenGL initialized\" was logged" ;;
esac

if [ $started -eq 1 ]; then
  window="$(xdotool search --name '^Glimmerhall$' 2>/dev/null | head -1)"
  if [ -n "$window" ]; then
    pass "/s: a window named Glimmerhall exists"
    geometry="$(xdotool getwindowgeometry --shell "$window" 2>/dev/null | tr '\n' ' ')"
    check "/s: the window covers the screen at (0,0) 1024x768 ($geometry)" \
      test "$(echo "$geometry" | grep -c 'X=0 Y=0 WIDTH=1024 HEIGHT=768')" = "1"
  else
    fail "/s: no window named Glimmerhall"
  fi

  # The room fades in from black within a few seconds.
  room_showing() { awk -v m="$(screen_mean)" 'BEGIN { exit !(m > 0.06) }'; }
  if ! error_box_seen; then
    wait_until 15 room_showing
    check "/s: the room fades in (screen mean $(screen_mean))" room_showing
    cp "$work/screen.png" "${GLIMMERHALL_WINE_SHOT:-/dev/null}" 2>/dev/null
    check "/s: the room is warm, more red than blue" \
      awk -v r="$(channel_mean r)" -v b="$(channel_mean b)" 'BEGIN { exit !(r > b) }'
  fi

  # The space bar is the one key that must not end the run.
  xdotool key space >/dev/null 2>&1
  wait_until 1 saver_gone
  status=$?
  case $status in
    1) pass "/s: the space bar leaves the saver running" ;;
    2) ;;
    *) fail "/s: the space bar ended the saver" ;;
  esac

  if saver_running; then
    pressed=$(now_ms)
    xdotool key Escape >/dev/null 2>&1
    wait_for_exit 5
    status=$?
    elapsed=$(($(now_ms) - pressed))
    if [ $status -eq 0 ]; then
      check "/s: a key press ends the saver within 2 s (took $elapsed ms)" test "$elapsed" -le 2000
      check "/s: the exit code is 1 (got $saver_rc)" test "$saver_rc" = "1"
    elif [ $status -eq 1 ]; then
      fail "/s: the saver was still running 5 s after a key press"
    fi
  fi
fi
if saver_running; then
  timeout 10 wineserver -k >/dev/null 2>&1
  reap_saver
fi

# The music is on by default: with or without a sound device the run goes on
# and ends normally.
for line in "Starting..." "Window is create" "OpenGL initialized" "VBO supported" "Sound initialized"; do
  check "/s: the log has \"$line\"" log_has "$run_log" "$line"
done
for key in "Max fps: " "Min fps: " "Fps: "; do
  value="$(log_value "$run_log" "$key")"
  check "/s: the log has \"$key\" with a positive number (\"$value\")" is_positive_number "$value"
done

# --- Case b: /p without a window number ends at once ----------------------------
start=$(now_ms)
start_saver preview 30 "$work/preview-log.txt" /p
wait_for_exit 20
status=$?
elapsed=$(($(now_ms) - start))
case $status in
  0)
    # Wine itself needs about a second to start a process.
    check "/p: the saver ends by itself (took $elapsed ms)" test "$elapsed" -le 10000
    check "/p: the exit code is 1 (got $saver_rc)" test "$saver_rc" = "1"
    ;;
  1) fail "/p: the saver was still running after 20 s" ;;
esac

# --- Case c: no argument is Configure: the options dialog waits for the user ----
# Its caption comes from the dialog's text table, leading space included.
dialog_window() { xdotool search --onlyvisible --name '^ Lumenhof Konfiguration$' 2>/dev/null | head -1; }
dialog_shown() { [ -n "$(dialog_window)" ]; }
xdotool mousemove 1000 740 >/dev/null 2>&1
start_saver configure 60 "$work/configure-log.txt"
wait_until 30 dialog_shown
case $? in
  0)
    pass "no argument: the options dialog appears"
    wait_until 1 saver_gone
    check "no argument: the dialog stays open until the user closes it" saver_running
    # Cancel, at its place in the bottom row (282, 217, 61, 14 dialog units,
    # moved to 295 pixels in the client area), scaled by the window's width.
    geometry="$(xdotool getwindowgeometry --shell "$(dialog_window)" 2>/dev/null)"
    wx="$(echo "$geometry" | sed -n 's/^X=//p')"
    wy="$(echo "$geometry" | sed -n 's/^Y=//p')"
    ww="$(echo "$geometry" | sed -n 's/^WIDTH=//p')"
    # Wine's frame is 3 pixels wide and its caption 19 pixels high.
    xdotool mousemove $((wx + 3 + (2 * 282 + 61) * (ww - 6) / (2 * 358))) $((wy + 3 + 19 + 295 + 12)) \
      click 1 >/dev/null 2>&1
    wait_for_exit 10
    case $? in
      0) check "no argument: Cancel ends the saver, exit code 1 (got $saver_rc)" test "$saver_rc" = "1" ;;
      1) fail "no argument: the saver was still running 10 s after Cancel" ;;
    esac
    ;;
  1) fail "no argument: the options dialog did not appear within 30 s" ;;
  2) ;;
  3) fail "no argument: the saver ended without showing the options dialog" ;;
esac
if saver_running; then
  timeout 10 wineserver -k >/dev/null 2>&1
  reap_saver
fi

echo "INFO: the whole test took $(($(date +%s) - script_start)) s"
if [ $failures -ne 0 ]; then
  echo "FAILED: $failures check(s)"
  exit 1
fi
echo "ALL PASSED"
