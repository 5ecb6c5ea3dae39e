#!/usr/bin/env bash
# Draws every picture of the programs with ImageMagick and writes the PNGs next to
# this script. Not part of the build: run it by hand after a change, commit the PNGs.
set -euo pipefail
cd "$(dirname "$0")"

FONTS=/usr/share/fonts/truetype/dejavu
BOLD="$FONTS/DejaVuSans-Bold.ttf"
SANS="$FONTS/DejaVuSans.ttf"
MONO="$FONTS/DejaVuSansMono-Bold.ttf"

# Everything is drawn four times larger and averaged down, which gives clean edges.
SS=4

# render OUT WIDTH HEIGHT BASE BACKGROUND MVG
# The MVG uses a coordinate space BASE units wide that maps onto WIDTH pixels.
render() {
    local out=$1 w=$2 h=$3 base=$4 bg=$5 mvg=$6
    local k format=PNG32
    [ "$bg" = none ] || format=PNG24
    k=$(awk -v s="$SS" -v w="$w" -v b="$base" 'BEGIN { print s * w / b }')
    convert -size $((w * SS))x$((h * SS)) "xc:$bg" \
        -draw "scale $k,$k stroke-linejoin round $mvg" \
        -filter Box -resize "${w}x${h}!" \
        -strip -define png:exclude-chunk=date,time -define png:compression-level=9 \
        "$format:$out"
}

# ---------------------------------------------------------------- toolbar icons (32)

PAGE="
  fill white stroke '#6b7280' stroke-width 1.3
  path 'M 7,3 L 19,3 L 26,10 L 26,29 L 7,29 Z'
  fill '#d9dde3' path 'M 19,3 L 19,10 L 26,10 Z'"

OPEN="
  stroke '#8a5d00' stroke-width 1.2
  fill '#e3a21a' path 'M 3,6.5 L 11,6.5 L 13.5,9.5 L 25,9.5 L 25,26 L 3,26 Z'
  fill white stroke '#a0a7b0' rectangle 6.5,11.5 22,22
  fill '#ffcc4d' stroke '#8a5d00' path 'M 3,26 L 8,14.5 L 30,14.5 L 25,26 Z'"

SAVE="
  fill '#2d5fa3' stroke '#1b3d6e' stroke-width 1.2
  path 'M 4,5.5 Q 4,4 5.5,4 L 24,4 L 28,8 L 28,26.5 Q 28,28 26.5,28 L 5.5,28 Q 4,28 4,26.5 Z'
  stroke none fill '#d5dae0' rectangle 9,4.6 22,12
  fill '#2d5fa3' rectangle 17.5,6 20,10.5
  fill white roundrectangle 7.5,16 24.5,27.4 1,1
  fill none stroke '#9fb3cc' stroke-width 1.2
  line 10.5,20 21.5,20
  line 10.5,23.5 21.5,23.5"

EXIT="
  fill none stroke '#d32f2f' stroke-width 3.4 stroke-linecap round
  path 'M 22.4,9.3 A 10.5,10.5 0 1,1 9.6,9.3'
  line 16,3.5 16,15"

# info symbol, drawn on a 32 wide space
INFO="
  fill '#1e6fd0' stroke '#15529c' stroke-width 1
  circle 16,16 16,1.6
  fill white stroke none
  circle 16,9.2 16,7
  roundrectangle 14,12.8 18,25 0.8,0.8"

TRAY="
  fill '#cfd5dc' stroke '#5d6670' stroke-width 1.2
  roundrectangle 3,19 29,29 2,2
  stroke none fill '#3b4148' rectangle 6,25 13,26.5
  fill '#39c16a' circle 24.5,24.5 24.5,23"

UP="$TRAY
  fill '#2e9b3a' stroke '#1c6526' stroke-width 1
  path 'M 16,2 L 25,11 L 19.5,11 L 19.5,22 L 12.5,22 L 12.5,11 L 7,11 Z'"

DOWN="$TRAY
  fill '#2a7de1' stroke '#174f97' stroke-width 1
  path 'M 16,23 L 25,14 L 19.5,14 L 19.5,2 L 12.5,2 L 12.5,14 L 7,14 Z'"

render page_icon.png 32 32 32 none "$PAGE"
render open.png      32 32 32 none "$OPEN"
render save.png      32 32 32 none "$SAVE"
render exit_icon.png 32 32 32 none "$EXIT"
render info_icon.png 32 32 32 none "$INFO"
render up.png        32 32 32 none "$UP"
render down.png      32 32 32 none "$DOWN"
render InfoIcon.png  48 48 32 none "$INFO"

# ---------------------------------------------------------------- dialog icons (64)

SMALLUNIT="
  fill '#2b2d30' stroke none roundrectangle 47,5 53,30 3,3
  fill '#8a9097' rectangle 45.5,27 54.5,32
  fill '#e4e7eb' stroke '#5d6670' stroke-width 2
  roundrectangle 6,31 58,60 4,4
  stroke none
  fill '#39c16a' circle 13,53 13,51
  fill '#f0b429' circle 19.5,53 19.5,51
  fill '#e04848' circle 26,53 26,51
  fill '#3b4148' rectangle 37,52 52,54.5"

render icon_download.png 64 64 64 none "$SMALLUNIT
  fill '#2a7de1' stroke '#174f97' stroke-width 1.5
  path 'M 28,47 L 42,32 L 33,32 L 33,3 L 23,3 L 23,32 L 14,32 Z'"

render icon_upload.png 64 64 64 none "$SMALLUNIT
  fill '#2e9b3a' stroke '#1c6526' stroke-width 1.5
  path 'M 28,2 L 42,17 L 33,17 L 33,47 L 23,47 L 23,17 L 14,17 Z'"

# ---------------------------------------------------------------- unit pictures (250x365)

# text X Y SIZE FONT COLOUR STRING: centred text
text() {
    printf " stroke none font '%s' font-size %s fill '%s' text-anchor middle text %s,%s '%s'" \
        "$4" "$3" "$5" "$1" "$2" "$6"
}

# screw X Y R: slotted screw head
screw() {
    local x=$1 y=$2 r=$3
    printf " fill '#d7dbe0' stroke '#5d6670' stroke-width 1 circle %s,%s %s,%s" "$x" "$y" "$x" "$(echo "$y - $r" | bc)"
    printf " stroke-width 1.4 line %s,%s %s,%s" \
        "$(echo "$x - $r * 0.55" | bc)" "$(echo "$y + $r * 0.55" | bc)" \
        "$(echo "$x + $r * 0.55" | bc)" "$(echo "$y - $r * 0.55" | bc)"
}

# led X Y COLOUR LABEL: a front LED with its caption below
led() {
    printf " fill '%s' stroke '#5d6670' stroke-width 1 circle %s,%s %s,%s" "$3" "$1" "$2" "$1" "$(($2 - 5))"
    printf " fill white fill-opacity 0.7 stroke none circle %s,%s %s,%s fill-opacity 1" \
        "$(echo "$1 - 1.6" | bc)" "$(echo "$2 - 1.6" | bc)" "$(echo "$1 - 1.6" | bc)" "$(echo "$2 - 3" | bc)"
    text "$1" $(($2 + 17)) 8 "$SANS" '#4b5259' "$4"
}

# terminals X Y COUNT FIRST: green pluggable terminal block, numbered from FIRST
terminals() {
    local x=$1 y=$2 n=$3 first=$4 pitch=12.5 i cx
    printf " fill '#2e8b57' stroke '#1d5e3a' stroke-width 1.2 roundrectangle %s,%s %s,%s 2,2" \
        "$x" "$y" "$(echo "$x + $n * $pitch" | bc)" $((y + 34))
    for ((i = 0; i < n; i++)); do
        cx=$(echo "$x + ($i + 0.5) * $pitch" | bc)
        screw "$cx" $((y + 10)) 4.4
        printf " fill '#123b24' stroke none rectangle %s,%s %s,%s" \
            "$(echo "$cx - 3.5" | bc)" $((y + 21)) "$(echo "$cx + 3.5" | bc)" $((y + 30))
        text "$cx" $((y + 44)) 7 "$SANS" '#4b5259' $((first + i))
    done
}

# antenna X BOTTOM: rubber GSM antenna on its connector
antenna() {
    local x=$1 b=$2
    printf " fill '#2b2d30' stroke none roundrectangle %s,%s %s,%s 8,8" $((x - 8)) $((b - 68)) $((x + 8)) $((b - 14))
    printf " stroke '#4a4e54' stroke-width 1.2 line %s,%s %s,%s line %s,%s %s,%s line %s,%s %s,%s" \
        $((x - 7)) $((b - 28)) $((x + 7)) $((b - 28)) $((x - 7)) $((b - 23)) $((x + 7)) $((b - 23)) \
        $((x - 7)) $((b - 18)) $((x + 7)) $((b - 18))
    printf " stroke none fill '#a4aab0' rectangle %s,%s %s,%s" $((x - 6)) $((b - 15)) $((x + 6)) $((b - 6))
    printf " fill '#7d848c' rectangle %s,%s %s,%s" $((x - 11)) $((b - 8)) $((x + 11)) "$b"
}

# varlok_case BOTTOM PANELBOTTOM NAME: the shared grey wall box with its front panel and label
varlok_case() {
    local b=$1
    antenna 190 78
    printf " fill '#e4e7eb' stroke '#6f767e' stroke-width 2 roundrectangle 26,78 224,%s 10,10" "$b"
    for p in "40 92" "210 92" "40 $((b - 14))" "210 $((b - 14))"; do
        # shellcheck disable=SC2086
        screw $p 4
    done
    printf " fill '#f8f9fa' stroke '#b4bac1' stroke-width 1.2 roundrectangle 46,98 204,%s 6,6" "$2"
    printf " fill '#1f4e8c' stroke none roundrectangle 60,106 190,136 4,4"
    text 125 128 18 "$BOLD" white "$3"
}

sim_tray() {
    text 68 "$(($1 + 12))" 9 "$BOLD" '#4b5259' SIM
    printf " fill '#cfd3d8' stroke '#7d848c' stroke-width 1.2 roundrectangle 88,%s 188,%s 3,3" "$1" $(($1 + 16))
    printf " fill '#6b7280' stroke none circle 180,%s 180,%s" $(($1 + 8)) $(($1 + 6))
}

VARLOK2="$(varlok_case 342 252 VARLOK-2)
  $(text 125 154 10 "$SANS" '#5a6068' 'GSM')
  $(led 80 176 '#3ccf6e' PWR) $(led 110 176 '#3ccf6e' GSM)
  $(led 140 176 '#ff4d4d' R1) $(led 170 176 '#8b9096' R2)
  $(sim_tray 218)
  $(terminals 46 266 6 1) $(terminals 129 266 6 7)"

VARLOK1="$(varlok_case 312 254 VARLOK-1)
  fill '#b8cf9c' stroke '#6f8a55' stroke-width 1.5 roundrectangle 66,146 184,182 3,3
  $(text 125 172 22 "$MONO" '#26331a' '21.5°C')
  $(led 95 198 '#3ccf6e' PWR) $(led 125 198 '#3ccf6e' GSM) $(led 155 198 '#ff4d4d' REL)
  $(sim_tray 230)
  $(terminals 100 264 4 1)
  fill '#3b4148' stroke none roundrectangle 113,311 137,322 2,2
  fill none stroke '#2b2d30' stroke-width 5 stroke-linecap round
  path 'M 125,322 C 125,350 150,345 190,345'
  fill '#b9bec4' stroke '#6f767e' stroke-width 1.2 roundrectangle 186,339 234,351 6,6"

render varlok-2-softwin.png 250 365 250 white "$VARLOK2"
render varlok-1-softwin.png 250 365 250 white "$VARLOK1"

# pelk_box: the simple white box with its blue cap and serial socket
pelk_box() {
    printf " fill '#2b2d30' stroke none roundrectangle 66,8 78,46 6,6"
    printf " fill '#f3f1ec' stroke '#7b7f85' stroke-width 2 roundrectangle 50,40 200,330 16,16"
    printf " fill '#3d5a80' stroke none path 'M 51,102 L 51,56 Q 51,41 66,41 L 184,41 Q 199,41 199,56 L 199,102 Z'"
    printf " fill none stroke '#7b7f85' stroke-width 2 roundrectangle 50,40 200,330 16,16"
    text 125 80 21 "$BOLD" white PELK-310
    printf " fill '#e8eef5' stroke '#9aa7b6' stroke-width 3 circle 125,160 125,128"
    printf " fill '#3ccf6e' stroke '#2b8a4b' stroke-width 1.5 circle 125,160 125,148"
    printf " fill white fill-opacity 0.6 stroke none circle 121,156 121,152 fill-opacity 1"
    led 90 222 '#3ccf6e' POWER
    led 125 222 '#f0b429' GSM
    led 160 222 '#8b9096' ALARM
    # DB9 serial socket with its two posts
    printf " fill '#9aa0a6' stroke '#5d6670' stroke-width 1.5 path 'M 97,268 L 153,268 L 148,292 L 102,292 Z'"
    local i
    for ((i = 0; i < 5; i++)); do
        printf " fill '#3b4148' stroke none circle %s,275 %s,273.6" $((105 + i * 10)) $((105 + i * 10))
    done
    for ((i = 0; i < 4; i++)); do
        printf " fill '#3b4148' stroke none circle %s,285 %s,283.6" $((110 + i * 10)) $((110 + i * 10))
    done
    screw 84 280 5
    screw 166 280 5
}

# the same box with a serial cable plugged in
PELK_CABLE="
  fill '#3b4148' stroke '#24272b' stroke-width 1.5 roundrectangle 92,263 158,298 6,6
  fill '#9aa0a6' stroke '#5d6670' stroke-width 1.2 circle 84,280 84,273 circle 166,280 166,273
  stroke none fill '#2b2d30' roundrectangle 114,297 136,316 3,3
  fill none stroke '#4a4f57' stroke-width 9 stroke-linecap butt
  path 'M 125,314 C 125,340 145,345 152,365'"

render Pelk-310.png         250 365 250 white "$(pelk_box)"
render Pelk-310-softwin.png 250 365 250 white "$(pelk_box) $PELK_CABLE"

# ravo: dark DIN-rail module with terminal rows at top and bottom
ravo_terminals() {
    local y=$1 i
    for ((i = 0; i < 6; i++)); do
        screw $((65 + i * 24)) "$y" 7
    done
}

RAVO="
  fill '#c5cad0' stroke '#8a9097' stroke-width 1.2 rectangle -2,166 252,200
  fill '#aeb4bb' stroke none
  roundrectangle 6,178 22,188 5,5 roundrectangle 228,178 244,188 5,5
  fill '#4a4f57' stroke '#2b2e33' stroke-width 2 roundrectangle 40,16 210,348 8,8
  $(ravo_terminals 36)
  fill '#eef0f2' stroke '#a0a7b0' stroke-width 1.2 roundrectangle 52,58 198,304 6,6
  $(text 125 90 21 "$BOLD" '#e07b00' RAVO-450)
  fill '#2f6fb0' stroke '#1d4a78' stroke-width 1.5 roundrectangle 66,104 184,152 3,3
  $(text 125 124 12 "$MONO" white 'T1  21.5°C') $(text 125 143 12 "$MONO" white 'GSM   OK')
  fill '#d0d4d9' stroke '#7d848c' stroke-width 1.2
  circle 80,180 80,169 circle 110,180 110,169 circle 140,180 140,169 circle 170,180 170,169
  $(text 80 185 13 "$SANS" '#3b4148' '◄') $(text 110 185 13 "$SANS" '#3b4148' '▲')
  $(text 140 185 13 "$SANS" '#3b4148' '▼') $(text 170 185 13 "$SANS" '#3b4148' '►')
  $(led 95 226 '#3ccf6e' PWR) $(led 125 226 '#3ccf6e' GSM) $(led 155 226 '#8b9096' OUT)
  $(text 125 284 9 "$SANS" '#6b7280' 'GSM MODUL')
  $(ravo_terminals 328)"

render Ravo-450-szoftwin.png 250 365 250 white "$RAVO"

# ---------------------------------------------------------------- stamps (128)

# stamp OUT WORD COLOUR: round rubber stamp, tilted, with worn specks knocked out of the ink
stamp() {
    local out=$1 word=$2 ink=$3 mvg
    mvg="translate 64,64 rotate -14 translate -64,-64
      fill none stroke '$ink' stroke-width 5 circle 64,64 64,7
      stroke-width 2 circle 64,64 64,15
      fill '$ink' stroke none rectangle 8,48 120,80
      $(text 64 41 12 "$BOLD" "$ink" 'TULM-880')
      $(text 64 75 27 "$BOLD" white "$word")
      $(text 64 101 13 "$SANS" "$ink" '★ ★ ★')"
    render "$out" 128 128 128 none "$mvg"
    convert "$out" \( -size 128x128 xc:gray50 -seed "${#word}" +noise Random -colorspace gray \
        -blur 0x0.7 -threshold 28% -alpha copy \) -compose DstIn -composite \
        -strip -define png:exclude-chunk=date,time -define png:compression-level=9 "PNG32:$out"
}

stamp Tulm_880_stamp_high.png HIGH '#c62828'
stamp Tulm_880_stamp_low.png  LOW  '#1565c0'
