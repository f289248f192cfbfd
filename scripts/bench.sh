#!/usr/bin/env bash
# Builds the benchmarks and prints every performance figure of one run on
# this machine: one line "RATIO <name> <value> <goal>" a figure, each
# followed by indented lines of detail. Never part of the test run.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

BENCHMARKS=(capture_copy capture_driver hex_paint tree text_decode startup snapshot cli_dump checks)

ensure_packages "${TEST_PACKAGES[@]}"
# The build speaks only when it fails, so that the figures stand alone.
log="$BUILD/bench-build.log"
mkdir -p "$BUILD"
if ! build_windows ON --target "${BENCHMARKS[@]/%/_benchmark}" >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
fi

cleanup() { stop_wine; stop_display; }
trap cleanup EXIT

ensure_display
setup_wine "$BUILD/wineprefix" unmanaged
status=0
for benchmark in "${BENCHMARKS[@]}"; do
    wine "$BUILD/bin/${benchmark}_benchmark.exe" || { echo "${benchmark}_benchmark failed" >&2; status=1; }
done
exit $status
