#!/usr/bin/env bash
# Preview mode of the Windows screensaver under Wine on a private Xvfb screen:
# preview_host.exe plays the control panel (a window with a 152x112 client
# area, the saver started with "/p <handle>") and checks the child window, the
# picture, the CPU time while waiting, WM_CLOSE, TerminateProcess and /p
# without a number. This script adds what only the X side sees: the picture on
# the screen, the CPU time of the saver's Linux process and the log lines.
#
# Usage: wine_preview_test.sh path/to/Glimmerhall.scr
# Set GLIMMERHALL_SHOT_DIR to keep the screenshot.
# Prints one line per check and exits non-zero when any check fails.
wine_work_name=wine-preview
. "$(cd "$(dirname "$0")" && pwd)/wine_lib.sh"

build_dir="$(dirname "$scr")"
host="$build_dir/preview_host.exe"
picture="$build_dir/content/preview.bmp"
for file in "$host" "$picture"; do
  [ -f "$file" ] || { echo "FAIL: $file is missing (build the win32 preset)"; exit 1; }
done
shots="${GLIMMERHALL_SHOT_DIR:-$work/shots}"
mkdir -p "$shots"

host_out="$work/host.out"
log="$work/preview-log.txt"
# The host is the process the watchdog helpers follow; the saver is its child.
GLIMMERHALL_LOG="$(windows_path "$log")" WINEDEBUG=-all,+relay \
  timeout -k 2 120 wine "$host" "$(windows_path "$scr")" "$(windows_path "$picture")" >"$host_out" 2>&1 &
saver_pid=$!
case_out="$host_out"

# The saver's Linux process: Wine names it after the program.
saver_unix_pid() { pgrep -n -f 'Glimmerhall\.scr /p [0-9]' 2>/dev/null; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null; }

host_said() { grep -q "^$1" "$host_out" 2>/dev/null; }

# While the host waits, the saver's whole Linux process (all of Wine's threads
# in it) is measured from outside; a busy loop would show as a whole core.
wait_until 60 host_said WAITING
case $? in
  0)
    pid="$(saver_unix_pid)"
    if [ -n "$pid" ]; then
      hz=$(getconf CLK_TCK)
      t0=$(cpu_ticks "$pid")
      sleep 2
      t1=$(cpu_ticks "$pid")
      percent=$(awk -v a="$t0" -v b="$t1" -v hz="$hz" 'BEGIN { printf "%.1f", 100 * (b - a) / hz / 2 }')
      check "the saver's Linux process waits without spinning ($percent % of a core over 2 s)" \
        awk -v p="$percent" 'BEGIN { exit !(p < 10) }'
    else
      fail "the saver's Linux process was not found"
    fi
    ;;
  1) fail "the host did not reach its waiting point within 60 s" ;;
  3) fail "the host ended before its waiting point" ;;
esac

# The template case: the saver's dialog in a host window of the host's own.
wait_until 60 host_said SHOT
case $? in
  0)
    import -window root "$work/screen.png" 2>/dev/null
    read -r ox oy < <(tr -d '\r' <"$host_out" | sed -n 's/^ORIGIN: //p')
    ox=$((${ox:-0} + 250))
    oy=${oy:-0}
    convert "$work/screen.png" -crop "200x160+$((ox - 20))+$((oy - 40))" +repage "$shots/wine_preview.png" 2>/dev/null
    magenta="$(convert "$work/screen.png" -crop "152x112+$ox+$oy" +repage -fill black +opaque '#FF00FF' \
      -format '%[fx:mean]' info: 2>/dev/null)"
    check "template: the host's magenta background is covered on the X screen (mean $magenta)" \
      awk -v m="$magenta" 'BEGIN { exit !(m < 0.02) }'
    ;;
  1) fail "the host did not reach the screenshot point within 60 s" ;;
  3) fail "the host ended before the screenshot point" ;;
esac

wait_for_exit 90
status=$?
[ $status -eq 1 ] && fail "the host was still running after 90 s"
tr -d '\r' <"$host_out" | grep -E '^(PASS|FAIL|INFO|CPU|ORIGIN)' | sed 's/^/host: /'
host_failures=$(tr -d '\r' <"$host_out" | grep -c '^FAIL')
host_passes=$(tr -d '\r' <"$host_out" | grep -c '^PASS')
check "the host ran all its checks ($host_passes passed, $host_failures failed, exit code $saver_rc)" \
  test "$saver_rc" = "0" -a "$host_failures" = "0" -a "$host_passes" -ge 20

# Three runs wrote to the same log: the first two to the waiting loop, the
# last one failing at once.
if [ -f "$log" ]; then
  lines="$(tr -d '\r' <"$log")"
  handle="$(tr -d '\r' <"$host_out" | sed -n 's/^INFO: started .* \/p \([0-9][0-9]*\)$/\1/p' | head -1)"
  # The data loader's own lines may come first.
  first_run="$(echo "$lines" | sed -n "/^$handle\$/,\$p" | head -4 | tr '\n' '|')"
  check "the log has the shown run's lines in order ($first_run)" \
    test "$first_run" = "$handle|Creating window...|Window is create|OpenGL initialized|"
  check "the log ends with /p alone: 0, Creating window..., Create Window failed!" \
    test "$(echo "$lines" | tail -3 | tr '\n' '|')" = "0|Creating window...|Create Window failed!|"
else
  fail "no log was written"
fi

echo "INFO: the whole test took $(($(date +%s) - script_start)) s"
if [ $failures -ne 0 ]; then
  echo "FAILED: $failures check(s)"
  exit 1
fi
echo "ALL PASSED"
