# Shared set-up of the tests that run the real Windows screensaver under Wine:
# argument and tool checks, a private Xvfb screen, a fresh 32-bit prefix, the
# error-box watchdog and the helpers that start, wait for and end the saver.
# Sourced by the test scripts; set wine_work_name first to name the work folder.
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

# Wine runs the saver as a 32-bit x86 program; some kernels are built or
# booted without the 32-bit x86 personality, and there nothing 32-bit starts.
if [ -x /lib/ld-linux.so.2 ] && ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  echo "skipped: this machine's kernel cannot run 32-bit x86 programs, so Wine cannot run the saver"
  exit 77
fi

work="$(mktemp -d "/tmp/glimmerhall-${wine_work_name:-wine}.XXXXXX")"
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
