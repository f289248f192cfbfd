# Shared by package.sh and test.sh: what a Windows user downloads, made from
# a built Plexa.exe. Sourced after common.sh.

PACKAGE_PACKAGES=(wixl msitools zip)
DIST="$ROOT/dist"
PLEXA_VERSION="$(sed -n 's/^#define PLEXA_VERSION_TEXT "\(.*\)"$/\1/p' "$ROOT/common/Version.h")"

# The DLLs a bare Windows 10 or 11 has; Plexa.exe may import no other.
SYSTEM_DLLS=(advapi32.dll comctl32.dll gdi32.dll gdiplus.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll
             shell32.dll shlwapi.dll user32.dll uxtheme.dll)

# Fails, naming them, when EXE imports a DLL that is not the system's.
# Usage: check_imports EXE
check_imports() {
    local dll foreign=()
    while read -r dll; do
        [[ " ${SYSTEM_DLLS[*]} " == *" ${dll,,} "* ]] || foreign+=("$dll")
    done < <(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p')
    if ((${#foreign[@]})); then
        echo "$1 imports DLLs Windows does not have: ${foreign[*]}" >&2
        return 1
    fi
}

# The files both packages carry, laid out as in the ZIP, with Plexa.exe
# stripped of its symbols.
# Usage: stage_release EXE STAGE
stage_release() {
    local exe="$1" stage="$2"
    rm -rf "$stage"
    mkdir -p "$stage/docs"
    x86_64-w64-mingw32-strip -o "$stage/Plexa.exe" "$exe"
    check_imports "$stage/Plexa.exe"
    cp "$ROOT/README.md" "$ROOT/LICENSE" "$stage/"
    cp "$ROOT/docs/snapshot-format.md" "$stage/docs/"
}

# The installer of STAGE's files as VERSION. wixl takes the sources' paths
# relative to where it runs.
# Usage: make_msi VERSION STAGE OUT
make_msi() {
    local version="$1" stage="$2" out="$3" log
    log="$(mktemp)"
    cp "$ROOT/res/Plexa.ico" "$stage/Plexa.ico"
    if ! (cd "$stage" && wixl -a x64 -D Version="$version" -D Stage=. -o "$out" "$ROOT/scripts/Plexa.wxs") \
        >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log" "$stage/Plexa.ico"
        return 1
    fi
    rm -f "$log" "$stage/Plexa.ico"
    # wixl has no ShortcutProperty: the shortcut's application user model ID,
    # the running window's, so that the taskbar groups the two, comes as a table.
    msibuild "$out" -i "$ROOT/scripts/MsiShortcutProperty.idt"
}

# Writes the ZIP, the MSI and their checksums into dist/ from EXE.
# Usage: package_release EXE
package_release() {
    local stage="$DIST/stage" base="Plexa-$PLEXA_VERSION-x64"
    rm -f "$DIST/$base.zip" "$DIST/$base.msi" "$DIST/SHA256SUMS"
    stage_release "$1" "$stage"
    (cd "$stage" && zip -q -X -r "$DIST/$base.zip" Plexa.exe README.md LICENSE docs/snapshot-format.md)
    make_msi "$PLEXA_VERSION" "$stage" "$DIST/$base.msi"
    (cd "$DIST" && sha256sum "$base.zip" "$base.msi" >SHA256SUMS)
    rm -rf "$stage"
    echo "Packaged Plexa $PLEXA_VERSION into $DIST: $base.zip, $base.msi, SHA256SUMS"
}

# The installer again as the next version (its third number one higher),
# for the test that a newer package replaces an older one.
# Usage: package_next_version EXE OUT
package_next_version() {
    local stage major minor patch build
    stage="$(dirname "$2")/stage"
    IFS=. read -r major minor patch build <<<"$PLEXA_VERSION"
    stage_release "$1" "$stage"
    make_msi "$major.$minor.$((patch + 1)).$build" "$stage" "$2"
    rm -rf "$stage"
}

# The ZIP as a user unpacks it, into a folder of the Wine prefix whose path
# holds spaces and Japanese, where the package test runs it.
unpack_zip_for_test() {
    local folder="$WINEPREFIX/drive_c/Program Files (x86)/テスト フォルダ"
    rm -rf "$folder"
    mkdir -p "$folder"
    unzip -q "$DIST/Plexa-$PLEXA_VERSION-x64.zip" -d "$folder"
}
