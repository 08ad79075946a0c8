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
wine_work_name=wine-dialog
. "$(cd "$(dirname "$0")" && pwd)/wine_lib.sh"

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
