#!/usr/bin/env bash
# Builds Plexa and starts it under Wine, on a virtual display when there is none.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${RUN_PACKAGES[@]}"
build_windows OFF --target Plexa

cleanup() { stop_wine; stop_display; }
trap cleanup EXIT

ensure_display
# On a virtual display there is no window manager to frame the window.
setup_wine "$ROOT/build/wineprefix-run" "$([[ -n "$XVFB_PID" ]] && echo unmanaged)"
echo "Plexa runs on DISPLAY=$DISPLAY; close its window to end."
wine "$BUILD/bin/Plexa.exe"
