#!/usr/bin/env bash
# Builds the fuzz targets of the readers of captured bytes and stored text
# (clang, libFuzzer, AddressSanitizer, UBSan) and runs each for SECONDS
# (default 5), printing its executions and crashes. Fails on any crash.
# Usage: scripts/fuzz.sh [SECONDS]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${FUZZ_PACKAGES[@]}"
build_fuzz
run_fuzz_targets "${1:-5}"
