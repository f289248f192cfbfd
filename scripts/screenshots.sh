#!/usr/bin/env bash
# Makes the README's pictures under docs/: Plexa after a paste on each of its
# pages, its two dialogs, and the window after the paste again at 150 %; in
# Japanese, and in English under names ending in "-en".
# Always on a virtual display and in a Wine prefix of its own, so that every
# run gives pictures of the same size and look.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${TEST_PACKAGES[@]}"
build_windows ON --target readme_screenshots

cleanup() { stop_wine; stop_display; }
trap cleanup EXIT

unset DISPLAY
ensure_display 2048x1600x24  # room for the window at 150 %
setup_wine "$ROOT/build/wineprefix-screenshots" unmanaged
mkdir -p "$ROOT/docs"
docs="$(winepath -w "$ROOT/docs")"
scale() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
scale 96
for language in ja en; do
    wine "$BUILD/bin/readme_screenshots.exe" "$docs" "$language"
    # Wine reads the scale when a program starts.
    scale 144
    wine "$BUILD/bin/readme_screenshots.exe" "$docs" "$language" 144 plexa-150.png
    scale 96
done
