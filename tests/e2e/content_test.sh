#!/usr/bin/env bash
# The content generator and the renderer of the room's pictures: the same
# bytes on every run, fast, and pictures that ImageMagick reads as what they
# claim to be. The renderer sits beside the generator unless named.
set -u
gen="$1"
stills="${2:-$(dirname "$1")/glimmerhall_stills}"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

start=$(date +%s)
"$gen" --out "$work/a"
check "the generator succeeds" test $? -eq 0
check "the whole run takes under a minute" test $(($(date +%s) - start)) -lt 60
start=$(date +%s)
"$stills" --archives "$work/a" --out "$work/a"
check "the room's pictures are rendered" test $? -eq 0
check "rendering them takes under 20 seconds" test $(($(date +%s) - start)) -lt 20
"$gen" --out "$work/b"
"$stills" --archives "$work/b" --out "$work/b"
check "a second run writes the same bytes" diff -r "$work/a" "$work/b"

picture() { identify -format '%m %wx%h' "$1" 2>/dev/null; }
check "the loading picture is a 512x512 JPEG" test "$(picture "$work/a/loading.jpg")" = "JPEG 512x512"
check "the corner logo is a 256x128 TGA" test "$(picture "$work/a/4loader_rd.tga")" = "TGA 256x128"
for corner in ld lu ru; do
  check "the $corner corner is a 1x1 TGA" test "$(picture "$work/a/4loader_$corner.tga")" = "TGA 1x1"
done
check "the logo has transparent and opaque parts" test \
  "$(convert "$work/a/4loader_rd.tga" -alpha extract -format '%[fx:minima] %[fx:maxima]' info:)" = "0 1"
check "the placeholders are fully transparent" test \
  "$(convert "$work/a/4loader_ld.tga" -alpha extract -format '%[fx:maxima]' info:)" = "0"
# The TGAs store the bottom row first: the logo's lights sit in its upper part.
check "the logo is stored the right way up" test "$(convert "$work/a/4loader_rd.tga" -crop 256x40+0+0 \
  -alpha off -format '%[fx:int(255*maxima)]' info:)" -gt 150
check "the icon holds 48, 32 and 16 pixel images" test \
  "$(identify -format '%wx%h ' "$work/a/glimmerhall.ico" 2>/dev/null)" = "48x48 32x32 16x16 "
check "the dialog picture is a 220x140 BMP" test "$(picture "$work/a/dialog.bmp")" = "BMP3 220x140"
check "the preview picture is a 154x112 BMP" test "$(picture "$work/a/preview.bmp")" = "BMP3 154x112"
for bitmap in dialog preview; do
  check "the $bitmap picture is 24 bits a pixel" test "$(od -An -tu2 -j28 -N2 "$work/a/$bitmap.bmp" | tr -d ' ')" = 24
  # A render of the room has light and shade; a flat fill or a black frame has not.
  check "the $bitmap picture is not flat" test \
    "$(convert "$work/a/$bitmap.bmp" -colorspace Gray -format '%[fx:int(1000*standard_deviation)]' info:)" -gt 40
done
# The fire's warm light: lit, and red outweighs blue.
check "the loading picture is lit" test \
  "$(convert "$work/a/loading.jpg" -colorspace Gray -format '%[fx:int(255*mean)]' info:)" -gt 20
check "the loading picture is warm" test \
  "$(convert "$work/a/loading.jpg" -format '%[fx:mean.r > mean.b + 0.05 ? 1 : 0]' info:)" = 1
bsdtar -xOf "$work/a/media148.rar" 'Textures/tex_default.tga' >"$work/default.tga" 2>/dev/null
check "the default texture in the primary archive is a 64x64 TGA" test "$(picture "$work/default.tga")" = "TGA 64x64"
check "the primary archive lists its five folders" test "$(bsdtar -tf "$work/a/media148.rar" 2>/dev/null | grep -c -v '\.')" = 5
check "the secondary archive holds its Textures folder" test "$(bsdtar -tf "$work/a/media150.rar" 2>/dev/null | head -n 1)" = "Textures"
check "the secondary archive holds the overlay's 29 images" \
  test "$(bsdtar -tf "$work/a/media150.rar" 2>/dev/null | grep -c '^Textures/tex_.*\.tga$')" = 29

# The looped music, as sox (not our decoder) reads it.
bsdtar -xOf "$work/a/media148.rar" 'Music/Music.ogg' >"$work/music.ogg" 2>/dev/null
check "the primary archive holds the music as Ogg Vorbis" test "$(soxi -t "$work/music.ogg" 2>/dev/null)" = vorbis
check "the music is stereo at 44.1 kHz" \
  test "$(soxi -c "$work/music.ogg" 2>/dev/null) $(soxi -r "$work/music.ogg" 2>/dev/null)" = "2 44100"
samples=$(soxi -s "$work/music.ogg" 2>/dev/null || echo 0)
check "the music lasts 60 to 120 seconds" test "$samples" -ge $((60 * 44100)) -a "$samples" -le $((120 * 44100))
# Bars of 6/8 at a dotted quarter of 60 last two seconds: the loop is whole bars.
check "the music loops on a whole bar" test $((samples % (2 * 44100))) -eq 0 -a "$samples" -gt 0
check "the music is under 2 MB" test "$(stat -c %s "$work/music.ogg")" -lt $((2 * 1024 * 1024))
stats=$(sox "$work/music.ogg" -n stats 2>&1)
level() { echo "$stats" | awk -v what="$1" 'index($0, what) == 1 { print $(NF - 2) }'; }
within() { awk -v v="$1" -v lo="$2" -v hi="$3" 'BEGIN { exit !(v != "" && v >= lo && v <= hi) }'; }
check "the music's RMS level is -18 to -14 dBFS" within "$(level 'RMS lev dB')" -18 -14
check "the music peaks below -1 dBFS" within "$(level 'Pk lev dB')" -60 -1
sox "$work/music.ogg" -n spectrogram -o /tmp/music_spectrogram.png 2>/dev/null
check "the music's spectrogram is drawn" test -s /tmp/music_spectrogram.png
# A raw spectrogram has the highest frequency in its top row: the mix is
# mellow, so the upper half (11 kHz and up) is dark beside the lowest eighth.
sox "$work/music.ogg" -n remix - spectrogram -r -x 400 -y 257 -o "$work/spectrum.png" 2>/dev/null
band() { convert "$work/spectrum.png" -colorspace Gray -crop "$1" +repage -format '%[fx:int(1000*mean)]' info: 2>/dev/null; }
high=$(band 400x128+0+0)
low=$(band 400x32+0+225)
check "the music has no wall of energy in its highs" test "${high:-1000}" -lt $((${low:-0} / 20))
# Held notes show as lines over a dark floor; hiss would fill the band
# evenly. The spread of the averaged spectrum against its mean tells them apart.
for at in 2.3 50.3; do
  sox "$work/music.ogg" -n trim "$at" 1.5 remix - rate 8k spectrogram -r -x 100 -y 257 -o "$work/slice.png" 2>/dev/null
  contrast=$(convert "$work/slice.png" -colorspace Gray -scale 1x257! \
    -format '%[fx:int(100*standard_deviation/max(mean,0.001))]' info: 2>/dev/null)
  check "the music at $at s is made of tones, not noise" test "${contrast:-0}" -gt 55
done
finish
