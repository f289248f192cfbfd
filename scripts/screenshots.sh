#!/usr/bin/env bash
# Makes the README's pictures under docs/: Plexa after a paste on each of its
# pages, and its two dialogs. Always on a virtual display of its own, so that
# every run gives pictures of the same size and look.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${TEST_PACKAGES[@]}"
build_windows ON --target readme_screenshots

cleanup() { stop_wine; stop_display; }
trap cleanup EXIT

unset DISPLAY
ensure_display
setup_wine "$ROOT/build/wineprefix-screenshots" unmanaged
mkdir -p "$ROOT/docs"
wine "$BUILD/bin/readme_screenshots.exe" "$(winepath -w "$ROOT/docs")"
