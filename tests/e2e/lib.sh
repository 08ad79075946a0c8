# Shared helpers of the end-to-end tests.
failures=0
pass() { echo "ok   - $*"; }
fail() { echo "FAIL - $*"; failures=$((failures + 1)); }
check() { # description, command...
  local what="$1"; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

# True when the lines appear in the file in this order (each as a prefix of a line).
lines_in_order() {
  local file="$1"; shift
  awk -v want="$(printf '%s\n' "$@")" '
    BEGIN { n = split(want, w, "\n"); i = 1 }
    i <= n && index($0, w[i]) == 1 { i++ }
    END { exit (i > n) ? 0 : 1 }' "$file"
}

# The brightest channel value of a picture, 0 to 255.
max_brightness() { convert "$1" -colorspace RGB -format '%[fx:int(255*maxima)]' info: 2>/dev/null; }

finish() {
  if [ "$failures" -gt 0 ]; then echo "$failures check(s) failed"; exit 1; fi
  echo "all checks passed"
}
