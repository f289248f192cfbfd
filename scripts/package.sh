#!/usr/bin/env bash
# Builds a release Plexa.exe and writes what a Windows user downloads into
# dist/: the portable ZIP, the per-user installer (MSI) and SHA256SUMS.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/packaging.sh"

ensure_packages "${RUN_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
build_windows OFF --target Plexa
package_release "$BUILD/bin/Plexa.exe"
