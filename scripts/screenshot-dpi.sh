#!/usr/bin/env bash
# Takes a picture of Plexa at a chosen scale: the window after "全形式貼り付け"
# with a PNG picture on the clipboard, as docs/plexa-after-paste.png shows it
# at 100 %, the window 960 x 768 pixels at 96 DPI and scaled like every size.
#
#   scripts/screenshot-dpi.sh [DPI [OUTPUT]]
#
# DPI is Wine's LogPixels (144 is 150 %, 192 is 200 %; default 144); OUTPUT
# defaults to docs/plexa-150.png. It runs on a virtual display of its own
# (number SHOT_DISPLAY when set, else the first free one) and in a Wine prefix
# of its own (build/wineprefix-shot), so neither your display nor the tests'
# prefix is touched; both are stopped when it ends.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

DPI="${1:-144}"
OUTPUT="${2:-$ROOT/docs/plexa-150.png}"
scaled() { echo $(( ($1 * DPI + 48) / 96 )); }

ensure_packages "${RUN_PACKAGES[@]}" imagemagick xdotool xclip
build_windows OFF --target Plexa

XCLIP_PID=""
WORK="$(mktemp -d)"
cleanup() {
    [[ -n "$XCLIP_PID" ]] && kill "$XCLIP_PID" 2>/dev/null
    stop_wine
    stop_display
    rm -rf "$WORK"
}
trap cleanup EXIT

# A screen of our own, large enough for the window at 200 %.
fifo="$WORK/display"
mkfifo "$fifo"
Xvfb ${SHOT_DISPLAY:+":$SHOT_DISPLAY"} -displayfd 3 -screen 0 2048x1600x24 -nolisten tcp \
    3>"$fifo" >/dev/null 2>&1 &
XVFB_PID=$!
read -r num <"$fifo"
export DISPLAY=":$num"

setup_wine "$ROOT/build/wineprefix-shot" unmanaged
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$DPI" /f >/dev/null 2>&1
# A fresh start at a known place: the settings say where the window goes.
wine reg delete 'HKCU\Software\Plexa' /f >/dev/null 2>&1 || true
frame='HKCU\Software\Plexa\Plexa\Frame'
for entry in "Initialized 1" "Left 0" "Top 0" "Right $(scaled 960)" "Bottom $(scaled 768)" "Maximized 0"; do
    set -- $entry
    wine reg add "$frame" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1
done

convert -size 64x48 gradient:'#4a90d9-#f5f7fa' "$WORK/picture.png"
xclip -quiet -selection clipboard -t image/png -i "$WORK/picture.png" >/dev/null 2>&1 &
XCLIP_PID=$!

wine "$BUILD/bin/Plexa.exe" >/dev/null 2>&1 &
for _ in $(seq 50); do
    xdotool search --name ' - Plexa$' >/dev/null 2>&1 && break
    sleep 0.2
done
sleep 1
# "全形式貼り付け", the first toolbar button, then the first captured format,
# and its property page: F6 to the pages, Ctrl+Tab from the last to the first,
# which needs no tab's position.
xdotool mousemove "$(scaled 28)" "$(scaled 68)" click 1
sleep 2
xdotool mousemove "$(scaled 75)" "$(scaled 121)" click 1
sleep 1
xdotool key F6 ctrl+Tab
sleep 1
xdotool mousemove "$(scaled 1100)" "$(scaled 900)"
sleep 0.5
import -window root -crop "$(scaled 960)x$(scaled 768)+0+0" +repage "$OUTPUT"
echo "Wrote $OUTPUT ($(identify -format '%wx%h' "$OUTPUT") at $DPI DPI)"
