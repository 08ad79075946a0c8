#!/usr/bin/env bash
# The Linux settings store and command-line options end to end: the first
# run stores the defaults, options change one run, --save stores them, a
# garbled file is kept aside and the saver still starts, and the install
# puts the hack and its settings page where XScreenSaver looks.
set -u
bin="$1"
source_dir="$2"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
store="$XDG_CONFIG_HOME/glimmerhall/settings"

run() { # log-file, args...
  local log="$1"; shift
  GLIMMERHALL_LOG="$log" timeout 60 "$bin" --headless "$@" >"$work/stdout" 2>"$work/stderr"
}
stored() { grep -x "$1=$2" "$store" >/dev/null; }

# First run: the eleven defaults are stored; mouse movement does not end the run.
run "$work/first.log" --size 200x200 --dt 1 --frames 12 --event 4:move=150,150 --snapshot-every 1:"$work/first"
check "the first run stores all eleven values" test "$(grep -c '=' "$store")" = 11
check "the first run stores the shipped defaults" bash -c "grep -qx 'Resolution:=3' '$store' &&
  grep -qx 'Music volume:=35' '$store' && grep -qx 'ExitMM:=0' '$store' && grep -qx 'Usemon:=1' '$store'"
check "with the default, a mouse jump does not end the run" \
  test "$(find "$work/first" -name 'frame_*.png' | wc -l)" = 12
cp "$store" "$work/first.settings"

# Options change this run only.
run "$work/once.log" -exit-on-mouse-move -fps -gamma 1 --size 200x200 --dt 1 --frames 12 \
  --event 4:move=150,150 --snapshot-every 1:"$work/once"
check "an option-only run still runs the saver and the option takes effect" \
  test "$(find "$work/once" -name 'frame_*.png' | wc -l)" = 5
check "options without --save leave the store as it was" cmp -s "$store" "$work/first.settings"

# --save stores them, atomically: no temporary file is left beside the store.
run "$work/save.log" -no-music -gamma 2.84 -24h -mode 6 --save
check "--save ends like configure, with 1" test $? -eq 1
check "--save stores the options" bash -c "grep -qx 'Enable music:=0' '$store' &&
  grep -qx 'Gamma:=2' '$store' && grep -qx 'Resolution:=6' '$store' && grep -qx 'Usemon:=0' '$store'"
check "--save leaves only the store in its folder" test "$(ls -A "$(dirname "$store")")" = settings
check "--save prints the stored values" grep -q "^  Gamma: *2$" "$work/stdout"

# /c and --configure describe the store and how to change it.
run "$work/configure.log" --configure
check "--configure names the file" grep -qF "$store" "$work/stdout"
check "--configure tells how to change the values" grep -q -- "--save" "$work/stdout"
check "configure does not start the saver" bash -c "! grep -q Starting '$work/configure.log'"

# Malformed values are refused before anything is read or written.
for bad in "-volume loud" "-gamma 5" "-mode" "-mode 11"; do
  run "$work/bad.log" $bad
  check "'$bad' is refused with exit code 2" test $? -eq 2
  check "'$bad' is explained on stderr" grep -q "^glimmerhall: -" "$work/stderr"
done
check "refused options leave the store as it was" grep -qx 'Resolution:=6' "$store"

# A garbled file: kept as settings.bak, the saver starts from the defaults.
printf 'R\xe9solution=\x01\x02\nGamma:=lots\n\x00\x00\n' >"$store"
cp "$store" "$work/garbled"
run "$work/garbled.log" --size 64x64 --dt 1 --frames 3 --snapshot 2:"$work/garbled.png"
check "the saver still starts with a garbled settings file" test -s "$work/garbled.png"
check "the garbled file is kept byte for byte as settings.bak" \
  cmp -s "$work/garbled" "$(dirname "$store")/settings.bak"
check "the store holds the eleven defaults again" cmp -s "$store" "$work/first.settings"
check "the log says where the garbled file went" grep -q "kept as .*settings.bak" "$work/garbled.log"

# The install puts the hack and its settings page where XScreenSaver reads them.
build_dir="$(dirname "$bin")"
if cmake --install "$build_dir" --prefix "$work/prefix" >"$work/install.log" 2>&1; then
  check "the hack is installed in libexec/xscreensaver" test -x "$work/prefix/libexec/xscreensaver/glimmerhall"
  check "the settings page is installed in share/xscreensaver/config" \
    cmp -s "$work/prefix/share/xscreensaver/config/glimmerhall.xml" "$source_dir/resources/xscreensaver/glimmerhall.xml"
else
  fail "cmake --install failed: $(tail -1 "$work/install.log")"
fi
check "the settings page is well-formed XML" xmllint --noout "$source_dir/resources/xscreensaver/glimmerhall.xml"
# Every option the page passes is one the program takes.
for option in $(grep -o 'arg[a-z-]*="[^"]*"' "$source_dir/resources/xscreensaver/glimmerhall.xml" |
                sed 's/.*="\([^" ]*\).*/\1/' | grep -v -- '--root'); do
  check "the page's option $option is understood" bash -c "XDG_CONFIG_HOME='$work/opt' timeout 20 '$bin' --headless $option \
    $( [ "$option" = -gamma ] || [ "$option" = -volume ] || [ "$option" = -mode ] && echo 1) /c >/dev/null 2>&1; test \$? -eq 1"
done
finish
