#!/usr/bin/env bash
# Frames per second, median milliseconds per frame and process CPU seconds per
# frame of 600 headless frames (real clock, no fixed frame time).
#   frames.sh BINARY [WIDTHxHEIGHT] [runner options...]
set -euo pipefail
bin="${1:-build/linux/glimmerhall}"
size="${2:-1024x768}"
shift $(( $# < 2 ? $# : 2 ))
frames=600
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
start=$(date +%s.%N)
/usr/bin/time -f '%U %S' -o "$work/cpu" "$bin" --headless --size "$size" --frames $frames "$@" \
  --seed 1 --frame-times "$work/times" >/dev/null || true
end=$(date +%s.%N)
read -r user sys < <(tail -n 1 "$work/cpu")
tail -n +3 "$work/times" | sort -g >"$work/sorted"
count=$(wc -l <"$work/sorted")
median=$(awk -v n="$count" 'NR == int((n + 1) / 2) { print; exit }' "$work/sorted")
total=$(awk '{ s += $1 } END { print s }' "$work/sorted")
awk -v n="$count" -v total="$total" -v median="$median" -v user="$user" -v sys="$sys" \
    -v frames="$frames" -v size="$size" -v extra="$*" -v wall="$(echo "$end - $start" | bc)" 'BEGIN {
  printf "frames: %d at %s %s, %.1f s wall\n", frames, size, extra, wall
  printf "frames/s: %.1f\n", n / (total / 1000)
  printf "median ms/frame: %.3f\n", median
  printf "CPU s/frame: %.5f\n", (user + sys) / frames
}'
