#!/usr/bin/env bash
# Archives from our writer, read by programs nobody here wrote: bsdtar
# (libarchive, which also checks every header CRC) and lsar/unar list them and
# extract every member byte for byte, and the saver's own reader agrees.
# Then the same outside checks on the archives the build ships.
#   archive_tools_test.sh ARCHIVE_SAMPLE CONTENT_DIR
set -u
sample="$1"
content="$2"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for tool in bsdtar lsar unar; do
  command -v "$tool" >/dev/null || { fail "$tool is installed"; finish; }
done

"$sample" write "$work/s"
check "the sample archive is written" test -s "$work/s/sample.rar"
archive="$work/s/sample.rar"
expected="$work/s/expected"

# Listings: the same names as written, folders as folders.
bsdtar -tvf "$archive" >"$work/bsdtar.list" 2>"$work/bsdtar.err"
check "bsdtar lists the sample without complaint" test $? -eq 0 -a ! -s "$work/bsdtar.err"
check "bsdtar lists exactly the members written" \
  diff <(bsdtar -tf "$archive" | sort) <(sort "$work/s/members.txt")
check "bsdtar sees every folder as a folder" \
  test "$(grep -c '^d' "$work/bsdtar.list")" -eq $(($(wc -l <"$work/s/members.txt") - $(wc -l <"$work/s/files.txt")))
check "bsdtar shows the 1 MiB member's size" grep -qE ' 1048576 .* Music/big\.bin$' "$work/bsdtar.list"
lsar "$archive" | tail -n +2 | sed 's#/$##' | sort >"$work/lsar.list"
check "lsar lists exactly the members written" diff "$work/lsar.list" <(sort "$work/s/members.txt")
lsar -t "$archive" >"$work/lsar.test" 2>&1
check "lsar verifies every member's CRC" grep -qx "$(wc -l <"$work/s/members.txt") passed, 0 failed." "$work/lsar.test"

# Extraction, member by member and all at once.
bad=0
while IFS= read -r name; do
  bsdtar -xOf "$archive" "$name" | cmp -s - "$expected/$name" || { echo "bsdtar: $name differs"; bad=1; }
  # The saver's reader, asked the way the loaders ask: any case, either slash.
  "$sample" extract "$archive" "$(echo "$name" | tr 'a-z/' 'A-Z\\')" "$work/reader.out" &&
    cmp -s "$work/reader.out" "$expected/$name" || { echo "reader: $name differs"; bad=1; }
done <"$work/s/files.txt"
check "bsdtar and the reader extract every member byte for byte" test "$bad" -eq 0
unar -q -D -o "$work/unar" "$archive" >/dev/null 2>&1
check "unar extracts the sample" test $? -eq 0
check "unar's tree equals the written one, empty folders and files included" diff -r "$work/unar" "$expected"
"$sample" extract "$archive" "Textures/Empty Folder" "$work/folder.out"
check "the reader finds a folder with no bytes" test $? -eq 0 -a ! -s "$work/folder.out"
"$sample" extract "$archive" "Textures/deep/missing.bin" "$work/missing.out"
check "the reader reports a missing member" test $? -eq 1

# The shipped archives.
for file in media148.rar media150.rar; do
  if [ ! -f "$content/$file" ]; then
    fail "$content/$file exists (build the content target first)"
    continue
  fi
  bsdtar -tvf "$content/$file" >/dev/null 2>"$work/err"
  check "bsdtar lists $file without complaint" test $? -eq 0 -a ! -s "$work/err"
  check "lsar lists and verifies $file" bash -c "lsar -t '$content/$file' | grep -q ' 0 failed\.$'"
done
if [ -f "$content/media148.rar" ]; then
  bsdtar -xOf "$content/media148.rar" Textures/tex_default.tga >"$work/bsdtar.tga"
  unar -q -D -o "$work/shipped" "$content/media148.rar" Textures/tex_default.tga >/dev/null 2>&1
  "$sample" extract "$content/media148.rar" "textures/tex_default.tga" "$work/reader.tga"
  check "bsdtar extracts Textures/tex_default.tga" test -s "$work/bsdtar.tga"
  check "unar extracts the same bytes" cmp -s "$work/bsdtar.tga" "$work/shipped/Textures/tex_default.tga"
  check "the reader extracts the same bytes" cmp -s "$work/bsdtar.tga" "$work/reader.tga"
fi
finish
