#!/bin/sh
# Renders the SVG drawings in svg/ to the pictures in images/ at their exact sizes and formats.
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

# svg -> JPEG on a solid background: name width height quality chroma-sampling; the small
# pictures keep full colour resolution (1x1) so their thin coloured edges stay clean
jpg() {
    rsvg-convert -w "$2" -h "$3" "$src/$1.svg" -o "$tmp/$1.png"
    convert "$tmp/$1.png" -background white -flatten -alpha off -strip \
        -quality "$4" -sampling-factor "$5" -interlace none "$out/$1.jpg"
}

# svg -> single-frame opaque GIF with a palette fitted to the picture
gif() {
    rsvg-convert -w "$2" -h "$3" "$src/$1.svg" -o "$tmp/$1.png"
    convert "$tmp/$1.png" -background white -flatten -alpha off -strip \
        -dither FloydSteinberg -colors 256 "$out/$1.gif"
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

png btn_check "$out/btn_check.png" 16 16
png btn_clear "$out/btn_clear.png" 16 16
png btn_door "$out/btn_door.png" 16 16

# Program icon: the small sizes have their own hand-tuned drawings.
png velmora-16 "$out/icons/velmora-16.png" 16 16
png velmora-24 "$out/icons/velmora-24.png" 24 24
png velmora-32 "$out/icons/velmora-32.png" 32 32
for n in 48 64 128 256; do
    png velmora "$out/icons/velmora-$n.png" "$n" "$n"
done
cp "$src/velmora.svg" "$out/icons/velmora.svg"

echo "rendered into $out"
