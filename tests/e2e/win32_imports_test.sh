#!/usr/bin/env bash
# Checks the shape of the Windows screensaver file: a 32-bit x86 PE image for
# the GUI subsystem that imports nothing but DLLs every Windows installation
# ships, so that the one file runs on a bare system.
#
# Usage: win32_imports_test.sh path/to/Glimmerhall.scr
set -u

if [ $# -ne 1 ] || [ ! -f "$1" ]; then
  echo "usage: $0 path/to/Glimmerhall.scr" >&2
  exit 2
fi
objdump=i686-w64-mingw32-objdump
if ! command -v "$objdump" >/dev/null 2>&1; then
  echo "FAIL: $objdump is not installed" >&2
  exit 2
fi

failures=0
pass() { echo "PASS: $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if ! headers="$("$objdump" -p "$1" 2>&1)"; then
  echo "FAIL: $objdump cannot read $1: $headers"
  exit 1
fi

if grep -q 'file format pei-i386$' <<<"$headers"; then
  pass "the file is a PE image for i386"
else
  fail "the file is not a PE image for i386 ($(grep -m1 -o 'file format .*' <<<"$headers"))"
fi

magic="$(awk '$1 == "Magic" { print $2; exit }' <<<"$headers")"
if [ "$magic" = "010b" ]; then
  pass "the optional header is PE32"
else
  fail "the optional header is not PE32 (magic ${magic:-missing})"
fi

subsystem="$(awk '$1 == "Subsystem" { print $2; exit }' <<<"$headers")"
if [ "$subsystem" = "00000002" ]; then
  pass "the subsystem is Windows GUI (2)"
else
  fail "the subsystem is not Windows GUI (${subsystem:-missing})"
fi

# The system DLLs the saver may use: all of them come with every Windows
# installation (the universal C runtime's forwarders from Windows 10 on).
# Anything else is either a DLL the user would have to install or a system
# DLL the saver has no reason to touch.
allowed() {
  case "${1,,}" in
    kernel32.dll | user32.dll | gdi32.dll | opengl32.dll | glu32.dll | winmm.dll | \
      advapi32.dll | shell32.dll | comctl32.dll | msvcrt.dll | api-ms-win-crt-*.dll)
      return 0 ;;
    *) return 1 ;;
  esac
}

mapfile -t dlls < <(sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p' <<<"$headers" | tr -d '\r')
if [ ${#dlls[@]} -eq 0 ]; then
  fail "the file imports no DLL at all (the import table is missing)"
fi
for dll in "${dlls[@]}"; do
  if allowed "$dll"; then
    pass "imports $dll, an allowed system DLL"
  else
    fail "imports $dll, which is not one of the allowed system DLLs"
  fi
done

if [ $failures -ne 0 ]; then
  echo "FAILED: $failures check(s)"
  exit 1
fi
echo "ALL PASSED"
