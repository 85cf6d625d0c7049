#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the SVG drawings in svg/ to the pictures in images/ at their exact sizes and formats, and
# each once more at twice the size as name@2x.ext, which Qt picks on screens scaled above 1.
# The rendered files are kept in the repository; run this only after changing a drawing.
# Needs rsvg-convert (librsvg2-bin), ImageMagick's convert, and the font "WenQuanYi Zen Hei"
# (fonts-wqy-zenhei) for the Chinese texts.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
src="$here/svg"
out="$here/images"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM
mkdir -p "$out/icons"

if ! fc-list | grep -q "WenQuanYi Zen Hei"; then
    echo "render.sh: the font WenQuanYi Zen Hei is missing (apt-get install fonts-wqy-zenhei)" >&2
    exit 1
fi

# Metadata that would change with every run (dates) is left out, so re-rendering an unchanged
# drawing gives the same bytes.
nodates="-strip -define png:exclude-chunks=date,time"

# svg -> PNG with alpha, width height
png() {
    rsvg-convert -w "$3" -h "$4" "$src/$1.svg" -o "$tmp/$1.png"
    convert "$tmp/$1.png" $nodates "PNG32:$2"
}

# svg -> JPEG on a solid background: name width height quality chroma-sampling [suffix]; the small
# pictures keep full colour resolution (1x1) so their thin coloured edges stay clean
jpg1() {
    rsvg-convert -w "$2" -h "$3" "$src/$1.svg" -o "$tmp/$1.png"
    convert "$tmp/$1.png" -background white -flatten -alpha off -strip \
        -quality "$4" -sampling-factor "$5" -interlace none "$out/$1${6:-}.jpg"
}
jpg() {
    jpg1 "$1" "$2" "$3" "$4" "$5"
    jpg1 "$1" $(($2 * 2)) $(($3 * 2)) "$4" "$5" @2x
}

# svg -> single-frame opaque GIF with a palette fitted to the picture: name width height [suffix]
gif1() {
    rsvg-convert -w "$2" -h "$3" "$src/$1.svg" -o "$tmp/$1.png"
    convert "$tmp/$1.png" -background white -flatten -alpha off -strip \
        -dither FloydSteinberg -colors 256 "$out/$1${4:-}.gif"
}
gif() {
    gif1 "$1" "$2" "$3"
    gif1 "$1" $(($2 * 2)) $(($3 * 2)) @2x
}

# svg -> PNG at 1x and 2x: name output-without-.png width height
png2() {
    png "$1" "$2.png" "$3" "$4"
    png "$1" "$2@2x.png" $(($3 * 2)) $(($4 * 2))
}

jpg banner 760 80 92 2x2
jpg scene 800 600 90 2x2
jpg portrait 150 150 93 1x1
jpg question 41 42 95 1x1
jpg service_im 37 39 95 1x1
jpg service_phone 35 29 95 1x1
jpg service_mascot 36 39 95 1x1

gif strip 794 39
gif frame 262 225

png2 btn_check "$out/btn_check" 16 16
png2 btn_clear "$out/btn_clear" 16 16
png2 btn_door "$out/btn_door" 16 16

# Program icon: the small sizes have their own hand-tuned drawings (the larger sizes serve as their
# own 2x renderings).
png2 velmora-16 "$out/icons/velmora-16" 16 16
png2 velmora-24 "$out/icons/velmora-24" 24 24
png2 velmora-32 "$out/icons/velmora-32" 32 32
for n in 48 64 128 256; do
    png velmora "$out/icons/velmora-$n.png" "$n" "$n"
done
cp "$src/velmora.svg" "$out/icons/velmora.svg"

echo "rendered into $out"
