#!/usr/bin/env bash
# Runs the Windows screensaver's options dialog (/c) under Wine on a private
# Xvfb screen and drives it with the mouse: the dialog shows its German texts
# and its picture, OK writes the eleven registry values, Cancel leaves them as
# they were, Restore Defaults then OK stores the shipped defaults, and
# unticking "Enable music" greys the volume control at once.
#
# Usage: wine_dialog_test.sh path/to/Glimmerhall.scr
# Set GLIMMERHALL_SHOT_DIR to keep the screenshots.
# Prints one line per check and exits non-zero when any check fails.
set -u

if [ $# -ne 1 ] || [ ! -f "$1" ]; then
  echo "usage: $0 path/to/Glimmerhall.scr" >&2
  exit 2
fi
scr="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"

for tool in wine wineboot wineserver Xvfb xdotool xdpyinfo import convert timeout; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "FAIL: $tool is not installed" >&2
    exit 2
  fi
done

work="$(mktemp -d /tmp/glimmerhall-wine-dialog.XXXXXX)"
export WINEPREFIX="$work/prefix"
export WINEARCH=win32
export WINEDEBUG=-all
# No Mono or Gecko: their install prompts would block the prefix set-up.
export WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_pid=""
saver_pid=""
failures=0
script_start=$(date +%s)

cleanup() {
  if [ -n "$saver_pid" ] && kill -0 "$saver_pid" 2>/dev/null; then kill -9 "$saver_pid" 2>/dev/null; fi
  if [ -d "$WINEPREFIX" ]; then timeout 10 wineserver -k >/dev/null 2>&1; fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

pass() { echo "PASS: $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
check() {  # check "description" command...
  local what="$1"
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# --- A private X screen ------------------------------------------------------
# A white root makes a window that does not cover the screen visible in the
# screenshot.
for n in $(seq 91 110); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -nolisten tcp -screen 0 1024x768x24 -wr >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  # Another run may have taken the same number a moment earlier: the screen
  # is ours only if the lock names our server and that server still runs.
  ours() {
    kill -0 "$xvfb_pid" 2>/dev/null &&
      [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock")" = "$xvfb_pid" ] &&
      xdpyinfo -display ":$n" >/dev/null 2>&1
  }
  for _ in $(seq 50); do
    ours && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if ours; then
    export DISPLAY=":$n"
    break
  fi
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
done
if [ -z "$xvfb_pid" ]; then
  echo "FAIL: no Xvfb display could be started"
  exit 1
fi

# --- A fresh Wine prefix ------------------------------------------------------
boot_start=$(now_ms)
if ! timeout 90 wineboot -i >"$work/wineboot.log" 2>&1; then
  echo "FAIL: wineboot did not finish within 90 s"
  exit 1
fi
echo "INFO: wineboot took $(($(now_ms) - boot_start)) ms"

# Without a window manager, Wine waits two seconds for every managed window
# it unmaps; letting Wine place its windows itself removes that wait. The
# relay of the message-box calls records the text of any box that appears.
cat >"$work/test.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Debug]
"RelayInclude"="user32.MessageBoxA;user32.MessageBoxW;user32.MessageBoxExA;user32.MessageBoxExW"
REG
if ! timeout 30 wine regedit /S "$(printf 'Z:%s' "$work/test.reg" | tr / '\\')" >/dev/null 2>&1; then
  echo "FAIL: the test settings could not be written to the Wine registry"
  exit 1
fi
timeout 30 wineserver -w >/dev/null 2>&1

# --- Running the saver ----------------------------------------------------------
case_out=""   # Wine's stdout and stderr of the running case (relay lines included)
saver_rc=""

windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

start_saver() {  # start_saver label limit_seconds log_file [arguments...]
  local label="$1" limit="$2" log="$3"
  shift 3
  case_out="$work/$label.out"
  rm -f "$log"
  saver_rc=""
  GLIMMERHALL_LOG="$(windows_path "$log")" WINEDEBUG=-all,+relay \
    timeout -k 2 "$limit" wine "$scr" "$@" >"$case_out" 2>&1 &
  saver_pid=$!
}

saver_running() { [ -n "$saver_pid" ] && kill -0 "$saver_pid" 2>/dev/null; }

# Collects the exit code once the saver has gone.
reap_saver() {
  if [ -n "$saver_pid" ]; then
    wait "$saver_pid" 2>/dev/null
    saver_rc=$?
    saver_pid=""
  fi
}

# A box captioned "Error" is never expected: report it, end Wine, fail.
error_box_seen() {
  local box
  box="$(xdotool search --name '^Error$' 2>/dev/null | head -1)"
  [ -z "$box" ] && return 1
  local text
  text="$(grep -o 'MessageBox[A-Za-z]*([^)]*)' "$case_out" 2>/dev/null | head -3 | tr '\n' ' ')"
  fail "an unexpected \"Error\" box appeared: ${text:-(text not recorded)}"
  timeout 10 wineserver -k >/dev/null 2>&1
  reap_saver
  return 0
}

# Polls until the condition holds (0), the deadline passes (1), an error box
# shows up (2) or the saver ends while the condition is still false (3).
wait_until() {  # wait_until seconds command...
  local deadline=$(($(now_ms) + $1 * 1000))
  shift
  while :; do
    "$@" && return 0
    error_box_seen && return 2
    if ! saver_running; then
      "$@" && return 0
      return 3
    fi
    [ "$(now_ms)" -ge "$deadline" ] && return 1
    sleep 0.1
  done
}

saver_gone() { ! saver_running; }

# Waits for the saver to end by itself; past the limit it is killed.
wait_for_exit() {  # wait_for_exit seconds
  local status=0
  wait_until "$1" saver_gone || status=$?
  if [ $status -eq 1 ]; then
    timeout 10 wineserver -k >/dev/null 2>&1
  fi
  reap_saver
  return $status
}

log_has() { tr -d '\r' 2>/dev/null <"$1" | grep -qx -- "$2"; }
log_value() { tr -d '\r' 2>/dev/null <"$1" | sed -n "s/^$2//p" | head -1; }
is_positive_number() { awk -v v="$1" 'BEGIN { exit !(v ~ /^[0-9]+(\.[0-9]+)?(e[+-]?[0-9]+)?$/ && v + 0 > 0) }'; }

shots="${GLIMMERHALL_SHOT_DIR:-$work/shots}"
mkdir -p "$shots"

# --- Reading the registry -------------------------------------------------------
# One "name=decimal" line per value of the saver's key, sorted by name.
registry_values() {
  timeout 30 wine reg query 'HKCU\Software\Vantorel\Glimmerhall' 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *\(.*[^ ]\) *REG_DWORD *0x\([0-9a-fA-F]*\).*$/\1 \2/p' |
    while read -r line; do printf '%s=%d\n' "${line% *}" "0x${line##* }"; done | sort
}
set_value() {  # set_value name decimal
  timeout 30 wine reg add 'HKCU\Software\Vantorel\Glimmerhall' /v "$1" /t REG_DWORD /d "$2" /f \
    >/dev/null 2>&1
}
expect_values() {  # expect_values label "name=value;..."
  local want got
  want="$(echo "$2" | tr ';' '\n' | sort)"
  got="$(registry_values)"
  if [ "$got" = "$want" ]; then
    pass "$1"
  else
    fail "$1: registry holds [$(echo "$got" | tr '\n' ';')], expected [$(echo "$want" | tr '\n' ';')]"
  fi
}

# --- The dialog on screen ---------------------------------------------------------
# The caption comes from the text table, leading space included.
dialog_window() { xdotool search --name '^ Lumenhof Konfiguration$' 2>/dev/null | head -1; }
dialog_shown() { [ -n "$(dialog_window)" ] && xdotool search --onlyvisible --name '^ Lumenhof Konfiguration$' >/dev/null 2>&1; }

win_x=0
win_y=0
# Wine's own frame around the client area of an unmanaged dialog window.
frame=3
caption_height=19
# The template's client area in dialog units; the window is 45 pixels shorter
# than the template, which gives the vertical scale.
template_w=358
template_h=238
client_w=1
client_h=1

open_dialog() {  # open_dialog label
  start_saver "$1" 60 "$work/$1-log.txt" /c
  wait_until 30 dialog_shown
  case $? in
    0) ;;
    1) fail "$1: the dialog did not appear within 30 s"; return 1 ;;
    2) return 1 ;;
    3) fail "$1: the saver ended without showing the dialog"; return 1 ;;
  esac
  local geometry
  geometry="$(xdotool getwindowgeometry --shell "$(dialog_window)" 2>/dev/null)"
  win_x="$(echo "$geometry" | sed -n 's/^X=//p')"
  win_y="$(echo "$geometry" | sed -n 's/^Y=//p')"
  win_w="$(echo "$geometry" | sed -n 's/^WIDTH=//p')"
  win_h="$(echo "$geometry" | sed -n 's/^HEIGHT=//p')"
  # Dialog units to pixels follow from the font, as MapDialogRect scales them.
  client_w=$((win_w - 2 * frame))
  client_h=$((win_h + 45 - 2 * frame - caption_height))
  sleep 0.5
  return 0
}

# Screen position of a point given in dialog units of the client area.
du_x() { echo $((win_x + frame + ($1 * client_w + template_w / 2) / template_w)); }
du_y() { echo $((win_y + frame + caption_height + ($1 * client_h + template_h / 2) / template_h)); }
# Screenshot rectangle "x y w h" of a control rectangle in dialog units.
du_rect() {  # du_rect x y w h
  local x y
  x=$(du_x "$1")
  y=$(du_y "$2")
  echo "$x $y $(($(du_x $(($1 + $3))) - x)) $(($(du_y $(($2 + $4))) - y))"
}

click_at() {  # click_at x y
  xdotool mousemove "$1" "$2" click 1 >/dev/null 2>&1
  sleep 0.4
}
click_du() { click_at "$(du_x "$1")" "$(du_y "$2")"; }

# The bottom row of buttons sits at 295 pixels in client coordinates, 25 high.
button_y() { echo $((win_y + frame + caption_height + 295 + 12)); }
click_button() {  # click_button left_du width_du
  click_at "$(du_x $(($1 + $2 / 2)))" "$(button_y)"
}
click_restore() { click_button 13 86; }
click_ok() { click_button 217 61; }
click_cancel() { click_button 282 61; }

screenshot() {  # screenshot name
  import -window root "$shots/$1.png" 2>/dev/null
}
# The darkest channel value of a rectangle of a screenshot, 0 black to 1 white.
crop_minimum() {  # crop_minimum shot x y w h
  convert "$shots/$1.png" -crop "$4x$5+$2+$3" +repage -format '%[fx:minima]' info: 2>/dev/null
}
# The spread of colours in a rectangle: 0 for a flat area.
crop_spread() {  # crop_spread shot x y w h
  convert "$shots/$1.png" -crop "$4x$5+$2+$3" +repage -format '%[fx:standard_deviation]' info: \
    2>/dev/null
}

close_and_wait() {  # close_and_wait label
  wait_for_exit 10
  case $? in
    0) check "$1: the saver ends (exit code $saver_rc)" test "$saver_rc" = "1" ;;
    1) fail "$1: the saver was still running 10 s after the click" ;;
  esac
}

xdotool mousemove 1000 740 >/dev/null 2>&1

# --- Case a: first start; the dialog shows, Cancel leaves the first-run values --
# Starting /c on a fresh prefix is a first run: the defaults are stored before
# the dialog opens.
shown=0
if open_dialog shown; then
  shown=1
  screenshot dialog
  pass "/c: the dialog shows with the caption from the text table"
  # The picture (204, 8, 139, 92) is a drawing, not the dialog's flat face.
  spread="$(crop_spread dialog $(du_rect 210 14 120 70))"
  check "/c: the picture shows at the top right (spread $spread)" \
    awk -v v="$spread" 'BEGIN { exit !(v > 0.05) }'
  before="$(registry_values)"
  check "/c: the first run stored eleven values" test "$(echo "$before" | grep -c =)" = "11"
  # About... (282, 154, 61, 14) shows the About box with its own caption.
  click_du 312 161
  about_shown() { xdotool search --onlyvisible --name "^ $(printf '\xc3\x9c')ber\$" >/dev/null 2>&1; }
  wait_until 5 about_shown
  check "/c: About... shows the About box" test $? = 0
  screenshot about
  click_cancel
  close_and_wait "/c Cancel"
  after="$(registry_values)"
  check "/c Cancel: the registry is as it was" test "$after" = "$before"
else
  screenshot dialog
fi

if [ $shown -eq 1 ]; then
  # --- Case b: OK writes what the controls show ------------------------------------
  set_value "Resolution:" 5
  set_value "Gamma:" 2
  set_value "Fps:" 1
  set_value "Usemon:" 0
  set_value "Sound volume:" 80
  set_value "Enable sound:" 1
  set_value "Music volume:" 50
  if open_dialog ok; then
    screenshot ok
    click_ok
    close_and_wait "/c OK"
    expect_values "/c OK: the eleven values are written from the controls" \
      "Resolution:=5;Gamma:=2;Fps:=1;Clock:=1;ExitMM:=0;Enable sound:=0;Enable music:=1;Music volume:=0;Sound volume:=80;Usemon:=0;Style24h:=1"
  fi

  # --- Case c: unticking "Enable music" greys the volume, Cancel keeps the store --
  before="$(registry_values)"
  if open_dialog music; then
    screenshot music-on
    click_du 20 82
    screenshot music-off
    label="$(du_rect 15 62 40 10)"
    on="$(crop_minimum music-on $label)"
    off="$(crop_minimum music-off $label)"
    check "/c: the volume label is black while music is on ($on)" \
      awk -v v="$on" 'BEGIN { exit !(v < 0.2) }'
    check "/c: unticking \"Enable music\" greys the volume label ($off)" \
      awk -v v="$off" 'BEGIN { exit !(v > 0.3) }'
    track="$(du_rect 83 60 104 12)"
    read -r tx ty tw th <<<"$track"
    for f in music-on music-off; do
      convert "$shots/$f.png" -crop "${tw}x${th}+${tx}+${ty}" +repage "$work/$f-track.png" 2>/dev/null
    done
    changed="$(compare -metric AE "$work/music-on-track.png" "$work/music-off-track.png" null: 2>&1 | cut -d' ' -f1)"
    check "/c: unticking \"Enable music\" redraws the volume trackbar disabled ($changed pixels change)" \
      test "${changed:-0}" != "0"
    click_cancel
    close_and_wait "/c Cancel after changes"
    check "/c Cancel after changes: the registry is as it was" test "$(registry_values)" = "$before"
  fi

  # --- Case d: Restore Defaults, then OK, stores the shipped defaults ---------------
  if open_dialog defaults; then
    click_restore
    screenshot defaults
    click_ok
    close_and_wait "/c Restore Defaults, OK"
    # Desktop settings are on by default, so the stored index is the desktop's;
    # the dialog has no controls for sound effects and the music volume.
    expect_values "/c Restore Defaults, OK: the shipped defaults are stored" \
      "Resolution:=10;Gamma:=3;Fps:=0;Clock:=1;ExitMM:=0;Enable sound:=0;Enable music:=1;Music volume:=0;Sound volume:=35;Usemon:=1;Style24h:=1"
  fi
fi

echo "INFO: the whole test took $(($(date +%s) - script_start)) s"
if [ $failures -ne 0 ]; then
  echo "FAILED: $failures check(s)"
  exit 1
fi
echo "ALL PASSED"
