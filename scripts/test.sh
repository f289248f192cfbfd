#!/usr/bin/env bash
# Checks that includes point down the layers, builds Plexa and every test,
# then runs them: natively with sanitizers for the byte-layout readers,
# briefly each of their fuzz targets, and under Wine for everything else.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/packaging.sh"

"$ROOT/scripts/check_layers.sh"
ensure_packages "${TEST_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
build_native
build_fuzz
build_windows ON
echo "== packages"
package_release "$BUILD/bin/Plexa.exe"
package_next_version "$BUILD/bin/Plexa.exe" "$BUILD/package-test/Plexa-next-x64.msi"

cleanup() { stop_wine; stop_display; }
trap cleanup EXIT

echo "== native tests (AddressSanitizer, UBSan)"
ctest --test-dir "$NATIVE_BUILD" --output-on-failure
echo "== fuzz targets (3 seconds each)"
run_fuzz_targets 3

ensure_display
setup_wine "$BUILD/wineprefix" unmanaged
unpack_zip_for_test
echo "== Windows tests under Wine (DISPLAY=$DISPLAY)"
ctest --test-dir "$BUILD" --output-on-failure --timeout 1200
