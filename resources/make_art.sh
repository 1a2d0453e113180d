#!/usr/bin/env bash
# Regenerates Quennix's artwork: the window skin, the four caption-button images
# and the two icons. The outputs are committed; the program build only reads them
# and never needs this script or its tools.
#
# Needs: ImageMagick 6 (`convert`), icoutils (`icotool`), awk, and the fonts of the
# Debian packages fonts-dejavu-core and fonts-wqy-microhei:
#   apt-get install -y imagemagick icoutils fonts-dejavu-core fonts-wqy-microhei
#
# Usage: resources/make_art.sh [OUTPUT_DIR]   (default: the folder of this script)
# Intermediate PNGs go to a temporary folder that is removed at the end.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here}
mkdir -p "$out"

# One thread and fixed metadata, so that a rerun gives the same bytes.
export MAGICK_THREAD_LIMIT=1 OMP_NUM_THREADS=1 SOURCE_DATE_EPOCH=0

die() { echo "make_art.sh: $*" >&2; exit 1; }
command -v convert >/dev/null || die "convert not found (apt-get install -y imagemagick)"
convert -version | grep -q '^Version: ImageMagick 6' || die "convert is not ImageMagick 6"
command -v icotool >/dev/null || die "icotool not found (apt-get install -y icoutils)"

font_bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf   # fonts-dejavu-core
font_sans=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf        # fonts-dejavu-core
font_cjk=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc          # fonts-wqy-microhei
[ -f "$font_bold" ] && [ -f "$font_sans" ] || die "missing DejaVu fonts (apt-get install -y fonts-dejavu-core)"
[ -f "$font_cjk" ] || die "missing WenQuanYi Micro Hei (apt-get install -y fonts-wqy-microhei)"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Options that keep dates, profiles and comments out of every written file.
clean=(-strip +set date:create +set date:modify +set date:timestamp)
png_clean=(-define png:exclude-chunks=date,time,tIME,tEXt,zTXt,iTXt)
# Baseline JPEG, full-resolution chroma (sharp coloured edges on the small images).
jpeg_opts=(-interlace none -sampling-factor 1x1 -define jpeg:optimize-coding=true)

# ---------------------------------------------------------------------------
# Colours shared by the skin, the buttons and the icons.
title_top='#0a1d42'    # title strip, top
title_bottom='#16407c' # title strip, bottom
body_top='#1f5299'     # window body, top left
body_bottom='#0e2b5c'  # window body, bottom right
edge='#8fbcf0'         # the thin light border round the window
text_light='#ffffff'
text_soft='#b9d4f4'
text_dim='#86a9d6'

# awk arithmetic: scale "expr" by the size n.
calc() { awk -v n="$1" "BEGIN{printf \"%.2f\", $2}"; }

# ---------------------------------------------------------------------------
# The icon motif: a rounded blue square holding a glossy red lottery ball with a
# white "5" (five digits per draw). Drawn 8x larger and averaged down, so every
# size is properly anti-aliased.  icon_rgba SIZE OUT.png [flat]
# "flat" leaves out the gloss, which 16 colours cannot render well.
icon_rgba() {
    local s=$1 o=$2 n=$(($1 * 8)) flat=${3:-}
    local d="$tmp/icon$1$flat"; mkdir -p "$d"
    local inset rad rimw rimi rimr cx cy r glyph_pt glyph_dy
    inset=$(calc $n 'n*0.03'); rad=$(calc $n 'n*0.22')
    # rim: 1.8% of the size, never thinner than 0.9 px at the final size
    rimw=$(calc $n "(n*0.018 > 7.2 ? n*0.018 : 7.2)")
    rimi=$(calc $n "n*0.03 + $rimw/2"); rimr=$(calc $n "n*0.22 - $rimw/2")
    cx=$(calc $n 'n*0.5'); cy=$(calc $n 'n*0.5'); r=$(calc $n 'n*0.385')
    glyph_pt=$(calc $n "n*($s<=24 ? 0.62 : 0.56)"); glyph_dy=$(calc $n 'n*0.01')
    local far; far=$(calc $n "n*0.97")
    # square with a top-to-bottom gradient
    convert -size ${n}x${n} gradient:'#3f8ae0'-'#0c2b66' \
        \( -size ${n}x${n} xc:black -fill white \
           -draw "roundrectangle $inset,$inset,$far,$far,$rad,$rad" \) \
        -alpha off -compose CopyOpacity -composite "$d/bg.png"
    # light rim just inside the edge
    local rimfar; rimfar=$(calc $n "n*0.97 - $rimw/2")
    convert "$d/bg.png" \( -size ${n}x${n} xc:none -fill none -stroke '#9cc6f6' -strokewidth "$rimw" \
        -draw "roundrectangle $rimi,$rimi,$rimfar,$rimfar,$rimr,$rimr" \) \
        -compose src-atop -composite "$d/bg.png"
    # the ball: a radial gradient whose centre sits up and left of the ball's
    local crop_x crop_y top
    crop_x=$(calc $n 'n*0.88'); crop_y=$(calc $n 'n*0.86'); top=$(calc $n "n*0.5-n*0.385")
    convert -size $((n * 2))x$((n * 2)) radial-gradient:'#ff8070'-'#9c0a12' \
        -crop ${n}x${n}+${crop_x%.*}+${crop_y%.*} +repage \
        \( -size ${n}x${n} xc:black -fill white -draw "circle $cx,$cy $cx,$top" \) \
        -alpha off -compose CopyOpacity -composite "$d/ball.png"
    # soft shadow of the ball on the square
    convert "$d/ball.png" -alpha extract -background black -alpha shape \
        -channel A -evaluate multiply 0.45 +channel -blur 0x$(calc $n 'n*0.025') \
        -page +0+$(calc $n 'n*0.025' | cut -d. -f1) -background none -flatten "$d/shadow.png"
    # white digit with a faint dark edge, and a gloss highlight on the ball
    convert -size ${n}x${n} xc:none -font "$font_bold" -pointsize "$glyph_pt" -gravity center \
        -fill '#7d0910' -annotate +0+$(calc $n 'n*0.02 + n*0.01') 5 -blur 0x$(calc $n 'n*0.01') \
        -fill white -annotate +0+"$glyph_dy" 5 "$d/glyph.png"
    convert -size ${n}x${n} xc:none -fill 'rgba(255,255,255,0.50)' \
        -draw "ellipse $(calc $n 'n*0.41'),$(calc $n 'n*0.265') $(calc $n 'n*0.19'),$(calc $n 'n*0.08') 0,360" \
        -blur 0x$(calc $n 'n*0.02') "$d/gloss.png"
    [ -z "$flat" ] || convert -size ${n}x${n} xc:none "$d/gloss.png"
    convert "$d/bg.png" "$d/shadow.png" -compose over -composite "$d/ball.png" -composite \
        "$d/glyph.png" -composite "$d/gloss.png" -composite \
        -filter box -resize ${s}x${s} "${clean[@]}" "${png_clean[@]}" PNG32:"$o"
}

# Palette versions for the 4 and 8 bpp icon images: alpha cut to on/off (the AND
# mask), colours reduced to a palette of at most 16 or 256 entries. icotool picks
# each image's depth from its number of colours, so check_ico checks the result.
icon_palette() {
    local in=$1 colours=$2 o=$3
    convert "$in" -channel A -threshold 50% +channel -background none -alpha background \
        -dither None -colors "$colours" "${clean[@]}" "${png_clean[@]}" PNG8:"$o"
}

make_ico() {
    local o=$1; shift
    local files=() s
    for s in "$@"; do
        [ -f "$tmp/ico_$s.png" ] || icon_rgba "$s" "$tmp/ico_$s.png"
        [ "$s" = 256 ] && continue
        [ -f "$tmp/ico_${s}_flat.png" ] || icon_rgba "$s" "$tmp/ico_${s}_flat.png" flat
        icon_palette "$tmp/ico_${s}_flat.png" 16 "$tmp/ico_${s}_4.png"
        icon_palette "$tmp/ico_$s.png" 256 "$tmp/ico_${s}_8.png"
        files+=("$tmp/ico_${s}_4.png" "$tmp/ico_${s}_8.png" "$tmp/ico_$s.png")
    done
    if [[ " $* " == *" 256 "* ]]; then
        icotool -c -o "$o" "${files[@]}" -r "$tmp/ico_256.png"
    else
        icotool -c -o "$o" "${files[@]}"
    fi
}

# ---------------------------------------------------------------------------
# The skin: 516 x 298, the face of the borderless window. The program covers most
# of it with its frames and labels (see the layout below); what stays visible is
# the title strip (y 0..40), the margins, the gaps between the controls and the
# footer strip (y 261..297).
W=516 H=298
title_h=40   # rows 0..39 are the strip, row 40 its lower edge line

skin_png="$tmp/skin.png"
# body: a diagonal deep-blue gradient with a soft glow at the upper left
convert -size ${W}x${H} -define gradient:angle=135 gradient:"$body_top"-"$body_bottom" \
    \( -size 640x420 radial-gradient:'rgba(120,180,255,0.30)'-'rgba(120,180,255,0)' \
       -geometry -170-150 \) -compose over -composite \
    "$tmp/body.png"
# title strip: darker, with a glossy upper half and a light line below it
convert -size ${W}x${title_h} gradient:"$title_top"-"$title_bottom" \
    \( -size ${W}x$((title_h / 2)) gradient:'rgba(255,255,255,0.10)'-'rgba(255,255,255,0.02)' \) \
    -geometry +0+0 -compose over -composite "$tmp/title.png"
# the strip's lower edge: a light line that starts warm (the ball's red) at the left
convert -size 1x300 gradient:'#ff6a55'-'#5a93dc' -rotate -90 \
    -background '#5a93dc' -gravity West -extent ${W}x1 +repage "$tmp/edge_line.png"
convert "$tmp/body.png" "$tmp/title.png" -geometry +0+0 -compose over -composite \
    "$tmp/edge_line.png" -geometry +0+$title_h -composite \
    -fill 'rgba(0,0,0,0.25)' -draw "line 0,$((title_h + 1)) $W,$((title_h + 1))" \
    "$tmp/base.png"

# logo: the icon motif, 28 px, at the left of the strip
icon_rgba 28 "$tmp/logo.png"
# the program's name, with a faint shadow, then a divider and the subtitle
convert "$tmp/base.png" "$tmp/logo.png" -geometry +8+6 -compose over -composite \
    \( -size ${W}x${title_h} xc:none -font "$font_bold" -pointsize 21 -gravity NorthWest \
       -fill 'rgba(0,0,0,0.55)' -annotate +45+9 'Quennix' -blur 0x1.2 \
       -fill "$text_light" -annotate +44+8 'Quennix' \) -compose over -composite \
    -fill 'rgba(160,200,250,0.45)' -draw "line 151,12 151,29" \
    \( -size ${W}x${title_h} xc:none -font "$font_cjk" -pointsize 14 -gravity NorthWest \
       -fill 'rgba(0,0,0,0.5)' -annotate +162+13 '重庆时时彩开奖监视' -blur 0x1 \
       -fill "$text_soft" -annotate +161+12 '重庆时时彩开奖监视' \) -compose over -composite \
    "$tmp/titled.png"

# footer: a hint on the left, the version on the right
convert "$tmp/titled.png" \
    -fill 'rgba(255,255,255,0.10)' -draw "line 13,268 500,268" \
    -font "$font_cjk" -pointsize 12 -gravity NorthWest -fill "$text_dim" \
    -annotate +14+275 '数据每隔设定秒数自动刷新' \
    -font "$font_sans" -pointsize 11 -gravity NorthEast -annotate +15+276 'v1.0' \
    "$tmp/footed.png"

# the thin light border round the whole window
convert "$tmp/footed.png" -fill none -stroke "$edge" -strokewidth 1 \
    -draw "rectangle 0,0 $((W - 1)),$((H - 1))" \
    "${clean[@]}" "${png_clean[@]}" PNG24:"$skin_png"

convert "$skin_png" -quality 92 "${jpeg_opts[@]}" "${clean[@]}" "$out/skin.jpg"

# ---------------------------------------------------------------------------
# Caption buttons. The program puts them over the skin's top-right corner:
# minimise at (454,1) 26x17, close at (478,1) 37x17; the minimise button covers
# the close button's two leftmost columns. Each image starts from the skin's own
# pixels under it, so the normal state sits seamlessly on the strip.
button() {  # button NAME X WIDTH HOT_FILL GLYPH_COLOUR GLYPH_DRAW
    local name=$1 x=$2 w=$3 hot=$4 colour=$5 glyph=$6
    convert "$skin_png" -crop ${w}x17+${x}+1 +repage \
        \( -size ${w}x17 xc:"$hot" \) -compose over -composite \
        -fill none -stroke "$colour" -strokewidth 1.5 -draw "$glyph" \
        -quality 95 "${jpeg_opts[@]}" "${clean[@]}" "$out/$name.jpg"
}
min_glyph="stroke-linecap butt line 8,9.5 18,9.5"
# the close button's visible part is columns 2..36: the x is centred there
close_glyph="stroke-linecap round line 15.5,4.5 23.5,12.5 line 23.5,4.5 15.5,12.5"
button min_normal 454 26 'rgba(0,0,0,0)' '#dce9fb' "$min_glyph"
button min_hot 454 26 'rgba(255,255,255,0.22)' '#ffffff' "$min_glyph"
button close_normal 478 37 'rgba(0,0,0,0)' '#dce9fb' "$close_glyph"
button close_hot 478 37 '#e81123' '#ffffff' "$close_glyph"
echo "skin and buttons written"

# check_ico FILE SIZE...: every SIZE at 4, 8 and 32 bpp (256: 32 bpp only), no more.
check_ico() {
    local f=$1 s b want="" got; shift
    for s in "$@"; do
        if [ "$s" = 256 ]; then want+="${s}x${s}x32 "; continue; fi
        for b in 4 8 32; do want+="${s}x${s}x${b} "; done
    done
    got=$(icotool -l "$f" | sed -E 's/.*--width=([0-9]+) --height=([0-9]+) --bit-depth=([0-9]+).*/\1x\2x\3/' | sort | tr '\n' ' ')
    want=$(echo $want | tr ' ' '\n' | sort | tr '\n' ' ')
    [ "$got" = "$want" ] || die "$f holds [$got], expected [$want]"
}

make_ico "$out/app.ico" 256 64 48 40 32 24 22 16
make_ico "$out/tray.ico" 64 48 40 32
check_ico "$out/app.ico" 256 64 48 40 32 24 22 16
check_ico "$out/tray.ico" 64 48 40 32
echo "icons written"

# check the JPEGs: size and baseline (non-progressive) coding
for image in skin:516x298 min_normal:26x17 min_hot:26x17 close_normal:37x17 close_hot:37x17; do
    f="$out/${image%%:*}.jpg"
    got=$(identify -format '%wx%h %[interlace]' "$f")
    [ "$got" = "${image#*:} None" ] || die "$f is '$got', expected '${image#*:} None'"
done
echo "all artwork checked"
