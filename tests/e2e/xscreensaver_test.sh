#!/usr/bin/env bash
# The Linux program as a hack of the real XScreenSaver daemon on a private
# Xvfb server: the daemon starts it with -root when it blanks, the room shows
# in the daemon's own window (which covers the real root), the display's
# gamma is left to the daemon, and when the daemon unblanks it stops the hack
# with SIGTERM, which ends the run through the ordinary shutdown.
#
# Usage: xscreensaver_test.sh PATH_TO_GLIMMERHALL
# Exit status: 0 all checks passed, 1 a check failed, 77 a needed tool is missing.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
. "$here/x11_lib.sh"

readonly SHOW_LIMIT_S=25
readonly EXIT_LIMIT_S=5

binary=${1:?usage: xscreensaver_test.sh PATH_TO_GLIMMERHALL}
binary=$(cd "$(dirname "$binary")" && pwd)/$(basename "$binary")
for tool in Xvfb xscreensaver xscreensaver-command import convert xdotool pgrep timeout; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
# The daemon refuses to start hacks as root: as root the daemon and its
# commands run as the unprivileged user "nobody".
as_user=()
if [ "$(id -u)" = 0 ]; then
  command -v setpriv >/dev/null || { echo "skipped: running as root without setpriv"; exit 77; }
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi

begin_x11_test xscreensaver
daemon_pid=""
stop_daemon() {
  if [ -n "$daemon_pid" ]; then
    "${as_user[@]}" env HOME="$work/home" xscreensaver-command -exit >/dev/null 2>&1
    kill "$daemon_pid" 2>/dev/null
    wait "$daemon_pid" 2>/dev/null
  fi
  pkill -KILL -f "^$binary --root" 2>/dev/null
  end_x11_test
}
trap stop_daemon EXIT

mkdir -p "$work/home"
cat >"$work/home/.xscreensaver" <<CONFIG
mode:		one
selected:	0
timeout:	1:00:00
cycle:		0:00:00
lock:		False
fade:		False
unfade:		False
splash:		False
dpmsEnabled:	False
programs:	"Glimmerhall"  $binary --root \\n
CONFIG
log=$work/hack.log
[ "$(id -u)" = 0 ] && chown -R 65534:65534 "$work"

command_daemon() { "${as_user[@]}" env HOME="$work/home" xscreensaver-command "$@" >/dev/null 2>&1; }
hack_pid() { pgrep -f "^$binary --root" | head -n 1; }
hack_running() { [ -n "$(hack_pid)" ]; }
screen_shows_room() {
  import -window root "$work/screen.png" 2>/dev/null &&
    convert "$work/screen.png" -format '%[fx:mean.r - mean.b]' info: 2>/dev/null | awk '{ exit !($1 > 0.05) }'
}

"${as_user[@]}" env HOME="$work/home" GLIMMERHALL_LOG="$log" XDG_CONFIG_HOME="$work/home/.config" \
  xscreensaver -no-splash >"$work/daemon.log" 2>&1 &
daemon_pid=$!
check "the daemon answers within 10 s" wait_for 10 command_daemon -time
command_daemon -activate
check "blanking starts the hack" wait_for "$SHOW_LIMIT_S" hack_running
check "the hack loads within ${SHOW_LIMIT_S} s" wait_for "$SHOW_LIMIT_S" logged "$log" "OpenGL initialized"
check "the room shows in the daemon's window" wait_for 15 screen_shows_room
check "the hack makes no window of its own" bash -c "! xdotool search --name '^Glimmerhall\$' >/dev/null 2>&1"
check "the display's gamma is left to the daemon" logged "$log" "Gamma left as it is"
pid=$(hack_pid)
command_daemon -deactivate
check "unblanking ends the hack within ${EXIT_LIMIT_S} s" wait_for "$EXIT_LIMIT_S" bash -c "! kill -0 $pid 2>/dev/null"
check "the hack shut down the ordinary way (frame-rate summary)" logged "$log" "Fps: "
if ! logged "$log" "Fps: "; then sed 's/^/# daemon: /' "$work/daemon.log" | tail -n 20; fi
finish
