#!/usr/bin/env bash
# The music of headless runs, captured by the test back end
# (GLIMMERHALL_AUDIO_OUT) and measured with sox: it plays, the volume is a
# gain on the stream (35 is 0.35 of 100, 0 plays silently),
# the loop's joint is the file's end followed by its start, sample for
# sample, and with music off nothing about sound happens. (35.9 playing as 35
# is a unit test: the options take whole volumes only.)
#
# Usage: sound_test.sh PATH_TO_GLIMMERHALL PATH_TO_PRIMARY_ARCHIVE
# Exit status: 0 all checks passed, 1 a check failed, 77 a needed tool is missing.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

binary=${1:?usage: sound_test.sh PATH_TO_GLIMMERHALL PATH_TO_PRIMARY_ARCHIVE}
archive=${2:?usage: sound_test.sh PATH_TO_GLIMMERHALL PATH_TO_PRIMARY_ARCHIVE}
for tool in sox soxi bsdtar od awk timeout; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/glimmerhall-sound.XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config
unset GLIMMERHALL_MUSIC_START

# A headless run of SECONDS of real time; the capture lasts as long as the
# run's music does (from the end of loading to the shutdown).
run() {  # run NAME SECONDS ARGS...
  local name=$1 seconds=$2
  shift 2
  GLIMMERHALL_AUDIO_OUT=$work/$name.wav GLIMMERHALL_LOG=$work/$name.log \
    timeout 120 "$binary" --headless --size 160x120 --frames 1000000 --run-seconds "$seconds" \
    "$@" >/dev/null 2>"$work/$name.err"
  echo $? >"$work/$name.rc"
}

rms() { sox "$1" -n trim 0 "${2:-3}" stat 2>&1 | awk '/RMS +amplitude/ { print $3 }'; }
seconds_of() { soxi -D "$1" 2>/dev/null; }
ratio_near() {  # ratio_near A B WANT TOLERANCE: |A/B - WANT| <= TOLERANCE * WANT
  awk -v a="$1" -v b="$2" -v w="$3" -v t="$4" 'BEGIN { if (b <= 0) exit 1; r = a / b; d = r - w; if (d < 0) d = -d; exit !(d <= t * w) }'
}

bsdtar -xOf "$archive" 'Music/Music.ogg' >"$work/music.ogg" 2>/dev/null
check "the archive holds the music" test -s "$work/music.ogg"

# Loading takes a second or two of the run before the music starts.
run loud 6 -music -volume 100
run quiet 6 -music -volume 35
run mute 6 -music -volume 0
check "runs with music end normally (exit code 1)" \
  bash -c "[ \$(cat '$work/loud.rc') = 1 ] && [ \$(cat '$work/quiet.rc') = 1 ] && [ \$(cat '$work/mute.rc') = 1 ]"
check "the music's start-up is logged" lines_in_order "$work/loud.log" "OpenGL initialized" "Sound initialized"
check "no audio noise on stderr" test ! -s "$work/loud.err"

loud=$(rms "$work/loud.wav")
quiet=$(rms "$work/quiet.wav")
echo "# RMS over the first 3 s: volume 100 $loud, 35 $quiet; captured $(seconds_of "$work/loud.wav") s"
check "the capture lasts the run (at least 3 s)" awk -v s="$(seconds_of "$work/loud.wav")" 'BEGIN { exit !(s >= 3) }'
check "at volume 100 the music is not silent" awk -v r="$loud" 'BEGIN { exit !(r > 0.01) }'
check "volume 35 is 0.35 of volume 100 (within 1%)" ratio_near "$quiet" "$loud" 0.35 0.01
check "volume 0 plays silently but plays" bash -c "
  awk -v s=\"\$(soxi -D '$work/mute.wav')\" 'BEGIN { exit !(s >= 3) }' &&
  sox '$work/mute.wav' -n stat 2>&1 | awk '/Maximum amplitude/ { exit !(\$3 == 0) }'"

# The joint: the run starts one second before the end of the music.
frames=$(soxi -s "$work/music.ogg")
lead=44100
GLIMMERHALL_MUSIC_START=$(awk -v f="$frames" -v l="$lead" 'BEGIN { printf "%.6f", (f - l) / 44100 }') \
  run joint 5 -music -volume 100
# Both sides as 16-bit integers, one frame (left right) per line: the
# decoded file without dither, and the capture.
sox -D "$work/music.ogg" -t s16 -c 2 - 2>/dev/null | od -An -v -td2 -w4 >"$work/decoded.txt"
sox "$work/joint.wav" -t s16 - 2>/dev/null | od -An -v -td2 -w4 >"$work/captured.txt"
# The capture begins with the silence of the music's loading; from its first
# sound on, captured frame k + i is decoded frame (start + i) mod length.
# Compare 2000 frames either side of the joint, allowing the two decoders'
# rounding.
joint_matches() {
  awk -v start=$((frames - lead)) -v total="$frames" -v lead="$lead" '
    NR == FNR { dl[NR - 1] = $1; dr[NR - 1] = $2; next }
    { c = FNR - 1
      if (k == "" && ($1 != 0 || $2 != 0)) k = c
      if (k == "") next
      i = c - k
      if (i < lead - 2000 || i >= lead + 2000) next
      j = (start + i) % total
      d = $1 - dl[j]; if (d < 0) d = -d; e = $2 - dr[j]; if (e < 0) e = -e
      if (d > worst) worst = d; if (e > worst) worst = e; compared++ }
    END { printf "# music from captured frame %d; compared %d frames across the joint; largest difference %d\n", k, compared, worst
          exit !(compared == 4000 && worst <= 2) }' "$work/decoded.txt" "$work/captured.txt"
}
check "across the loop point the capture is the file's end, then its start" joint_matches
step_at_joint() {
  awk -v lead="$lead" '
    k == "" && ($1 != 0 || $2 != 0) { k = NR - 1 }
    { l[NR - 1] = $1 }
    END { s = l[k + lead] - l[k + lead - 1]; if (s < 0) s = -s
          for (i = 1; i < NR; i++) { t = l[i] - l[i - 1]; if (t < 0) t = -t; sum += t }
          printf "# step at the joint %d, mean step %.1f\n", s, sum / (NR - 1)
          exit !(s <= 6 * sum / (NR - 1) + 50) }' "$work/captured.txt"
}
check "no click at the joint" step_at_joint

run off 2 -no-music
check "music off: no sound start-up in the log" bash -c "! grep -q -E 'Sound initialized|No sound output' '$work/off.log'"
check "music off: nothing captured" test ! -e "$work/off.wav"
finish
