#!/usr/bin/env bash
# Milliseconds from process start to the first presented frame, best of five.
set -euo pipefail
bin="${1:-build/linux/glimmerhall}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
best=""
for run in 1 2 3 4 5; do
  before=$(date +%s%3N)
  "$bin" --headless --size 1024x768 --frames 1 --frame-times "$work/times" >/dev/null || true
  first=$(awk '/^first_frame_unix_ms/ { printf "%.0f", $2 }' "$work/times")
  ms=$((first - before))
  if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
done
echo "startup ms to first frame (best of 5): $best"
