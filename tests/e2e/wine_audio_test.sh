#!/usr/bin/env bash
# The cross-built sound libraries under Wine: our probe program decodes the
# archive's music through the Windows build of vorbisfile (from memory, as
# the saver does) and opens PortAudio's MME output; its frame count and
# levels must agree with what sox reads from the same file on Linux.
#
# Usage: wine_audio_test.sh PATH_TO_AUDIO_PROBE_EXE PATH_TO_PRIMARY_ARCHIVE
# Exit status: 0 all checks passed, 1 a check failed, 77 a needed tool or
# machine ability is missing.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

probe=${1:?usage: wine_audio_test.sh PATH_TO_AUDIO_PROBE_EXE PATH_TO_PRIMARY_ARCHIVE}
archive=${2:?usage: wine_audio_test.sh PATH_TO_AUDIO_PROBE_EXE PATH_TO_PRIMARY_ARCHIVE}
for tool in wine winepath wineserver sox soxi bsdtar timeout; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
if [ -x /lib/ld-linux.so.2 ] && ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  echo "skipped: this machine's kernel cannot run 32-bit x86 programs, so Wine cannot run the probe"
  exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/glimmerhall-wine-audio.XXXXXX")
export WINEPREFIX=$work/prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'timeout 10 wineserver -k >/dev/null 2>&1; rm -rf "$work"' EXIT

bsdtar -xOf "$archive" 'Music/Music.ogg' >"$work/music.ogg"
timeout 120 wine "$probe" "$(winepath -w "$work/music.ogg" 2>/dev/null)" >"$work/out.txt" 2>"$work/err.txt"
status=$?
sed 's/^/# /' "$work/out.txt"
value() { sed -n "s/^$1: //p" "$work/out.txt" | tr -d '\r'; }

check "the probe runs to its end (exit code $status)" test "$status" = 0
check "stereo at 44100 Hz" test "$(value channels)/$(value rate)" = "2/44100"
check "every frame is decoded, as many as sox counts" \
  test "$(value 'decoded frames')" = "$(soxi -s "$work/music.ogg")"
sox_peak=$(sox "$work/music.ogg" -n stat 2>&1 | awk '/Maximum amplitude/ { print $3 }')
check "the peak agrees with sox's ($(value peak) against $sox_peak)" \
  awk -v a="$(value peak)" -v b="$sox_peak" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d < 0.01) }'
check "PortAudio starts and answers for its devices" grep -q "^devices: " "$work/out.txt"
finish
