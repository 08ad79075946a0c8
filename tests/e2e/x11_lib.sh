# Helpers of the end-to-end tests that run on a private Xvfb server.
now_ms() { date +%s%3N; }

wait_for() {  # wait_for SECONDS COMMAND...: true once the command succeeds
  local deadline=$(($(now_ms) + $1 * 1000))
  shift
  until "$@" >/dev/null 2>&1; do
    [ "$(now_ms)" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# Starts Xvfb on a free display (it picks the number itself), exports DISPLAY
# and sets xvfb_pid; the caller's EXIT trap should call stop_xvfb. -retro
# paints the root grey, so a picture can only come from the program tested;
# -noreset keeps what the tests set up (a gamma ramp) when the last client
# leaves.
start_xvfb() {  # start_xvfb WORK_DIR [SCREEN]
  Xvfb -displayfd 3 -screen 0 "${2:-1024x768x24}" -nolisten tcp -noreset -retro 3>"$1/display" 2>"$1/xvfb.log" &
  xvfb_pid=$!
  if ! wait_for 10 test -s "$1/display"; then
    echo "FAIL - Xvfb did not start"
    cat "$1/xvfb.log"
    exit 1
  fi
  export DISPLAY=":$(head -n 1 "$1/display")"
  echo "# Xvfb on $DISPLAY"
}

stop_xvfb() { [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null; }

# The program under test in the background with its log; sets saver_pid.
# Needs binary and work set; the program's stderr collects in $work/stderr.
start_saver() {  # start_saver LOG ARGS...
  local log=$1
  shift
  GLIMMERHALL_LOG=$log "$binary" "$@" 2>>"$work/stderr" &
  saver_pid=$!
}

running() { [ -n "${saver_pid:-}" ] && kill -0 "$saver_pid" 2>/dev/null; }

# Waits up to LIMIT seconds for the program to end; sets exit_code (124 when
# it did not end in time, after which it is killed).
wait_exit() {  # wait_exit LIMIT
  if wait_for "$1" bash -c "! kill -0 $saver_pid"; then
    wait "$saver_pid"
    exit_code=$?
  else
    kill -KILL "$saver_pid" 2>/dev/null
    wait "$saver_pid" 2>/dev/null
    exit_code=124
  fi
  saver_pid=""
}

logged() { grep -q -F -- "$2" "$1" 2>/dev/null; }

report_stderr() {
  if [ -s "$work/stderr" ]; then
    echo "# the program wrote to stderr:"
    sed 's/^/#   /' "$work/stderr"
  fi
}

# The usual start of a test on its own server: a work folder named after the
# test, a private Xvfb, a settings folder of its own (the user's settings stay
# untouched), and on exit the program and any helper in extra_pids killed,
# the server stopped and the folder removed.
begin_x11_test() {  # begin_x11_test NAME
  work=$(mktemp -d "${TMPDIR:-/tmp}/glimmerhall-$1.XXXXXX")
  saver_pid=""
  extra_pids=""
  trap end_x11_test EXIT
  start_xvfb "$work"
  export XDG_CONFIG_HOME=$work/config
  unset XSCREENSAVER_WINDOW GLIMMERHALL_LOG
}

end_x11_test() {
  [ -n "${saver_pid:-}" ] && kill -KILL "$saver_pid" 2>/dev/null
  for pid in ${extra_pids:-}; do kill -KILL "$pid" 2>/dev/null; done
  stop_xvfb
  rm -rf "$work"
}
