# Shared by run.sh and test.sh: packages, build, virtual display, Wine.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build/windows"
NATIVE_BUILD="$ROOT/build/native"
FUZZ_BUILD="$ROOT/build/fuzz"

# What building Plexa for Windows and running it under Wine take; the tests
# add GoogleTest's sources and a native compiler for the sanitizer build.
RUN_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
              libz-mingw-w64-dev nlohmann-json3-dev wine wine64 xvfb fonts-ipafont locales)
# The fuzz targets take clang and its libFuzzer runtime (a package of its own
# for Debian 12's clang 14).
FUZZ_PACKAGES=(cmake make clang libclang-rt-14-dev zlib1g-dev nlohmann-json3-dev)
# xclip and GTK put real X11 programs' data on the clipboard through Wine's bridge.
TEST_PACKAGES=("${RUN_PACKAGES[@]}" g++ googletest clang libclang-rt-14-dev zlib1g-dev unzip zip python3 xclip
               python3-gi gir1.2-gtk-3.0)

# Usage: ensure_packages PACKAGE...
ensure_packages() {
    local missing=()
    for p in "$@"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [[ $(id -u) -ne 0 ]] && sudo=sudo
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
    fi
}

# Configures quietly, but shows everything CMake said when it fails.
# Usage: configure BUILD_DIR CMAKE_ARGUMENT...
configure() {
    local dir="$1" log
    shift
    mkdir -p "$dir"
    log="$dir/configure.log"
    if ! cmake -S "$ROOT" -B "$dir" "$@" >"$log" 2>&1; then
        cat "$log" >&2
        echo "Configuring $dir failed." >&2
        return 1
    fi
}

# Usage: build_windows TESTS(ON|OFF) [cmake --build arguments]
build_windows() {
    local tests="$1"
    shift
    configure "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
              -DCMAKE_BUILD_TYPE=Release -DPLEXA_BUILD_TESTS="$tests"
    cmake --build "$BUILD" -j"$(nproc)" "$@"
}

build_native() {
    configure "$NATIVE_BUILD" -DCMAKE_BUILD_TYPE=Debug
    cmake --build "$NATIVE_BUILD" -j"$(nproc)"
}

build_fuzz() {
    configure "$FUZZ_BUILD" -DPLEXA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
              -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
    cmake --build "$FUZZ_BUILD" -j"$(nproc)"
}

# Runs every fuzz target for SECONDS and prints its executions and crashes;
# fails when any target crashed. New inputs go to a scratch corpus under the
# build, never into the committed seeds; the last run's crash inputs and log
# stay beside it.
# Usage: run_fuzz_targets SECONDS
run_fuzz_targets() {
    local seconds="$1" source name work executions crashes failed=0
    for source in "$ROOT"/tests/fuzz/*Fuzz.cpp; do
        name="$(basename "$source" .cpp)"
        work="$FUZZ_BUILD/runs/$name"
        rm -rf "$work/crashes"
        mkdir -p "$work/corpus" "$work/crashes"
        crashes=0
        "$FUZZ_BUILD/tests/fuzz/$name" -max_total_time="$seconds" -max_len=2048 -timeout=10 \
            -print_final_stats=1 -artifact_prefix="$work/crashes/" \
            "$work/corpus" "$ROOT/tests/fuzz/corpus/$name" >"$work/log" 2>&1 || crashes=1
        executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log")"
        if ((crashes)); then
            crashes="$(find "$work/crashes" -type f | wc -l)"
            ((crashes)) || crashes=1
            failed=1
        fi
        printf '%-24s %12s executions %3d crashes\n' "$name" "${executions:-?}" "$crashes"
    done
    ((failed)) && echo "Crash inputs and logs: $FUZZ_BUILD/runs" >&2
    return "$failed"
}

XVFB_PID=""
# Starts a virtual display when there is none; stop_display ends only ours.
# Usage: ensure_display [WIDTHxHEIGHTxDEPTH]
ensure_display() {
    if [[ -n "${DISPLAY:-}" ]]; then return; fi
    local fifo
    fifo="$(mktemp -u)"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${1:-1280x1024x24}" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    local num
    read -r num <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$num"
}

stop_display() {
    if [[ -n "$XVFB_PID" ]]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}

# A glibc Japanese locale of our own, so that Wine can also turn Japanese
# file names into Unix ones; without it only the code page would be Japanese.
use_japanese_locale() {
    local dir="$ROOT/build/locale"
    if [[ ! -d "$dir/ja_JP.UTF-8" ]]; then
        mkdir -p "$dir"
        localedef -i ja_JP -f UTF-8 "$dir/ja_JP.UTF-8"
    fi
    export LOCPATH="$dir"
}

# A 64-bit prefix of our own; LC_ALL gives the Japanese ANSI code page 932.
# Usage: setup_wine PREFIX [unmanaged]
setup_wine() {
    use_japanese_locale
    export WINEPREFIX="$1"
    export WINEARCH=win64
    export WINEDEBUG=-all
    export LC_ALL=ja_JP.UTF-8
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        echo "Creating Wine prefix $WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    # A persistent server keeps process start-up cheap across tests. Starting
    # Wine's own services here, with their output discarded, keeps them from
    # holding the test runner's output pipes open after the tests end.
    wineserver -p 2>/dev/null || true  # already running for this prefix is fine
    wineboot >/dev/null 2>&1 </dev/null
    # Without a window manager, Wine otherwise waits two seconds for one at
    # every top-level window it hides; unmanaged windows get Wine's own frames.
    local managed=Y
    [[ "${2:-}" == unmanaged ]] && managed=N
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f >/dev/null 2>&1
}

stop_wine() {
    if [[ -n "${WINEPREFIX:-}" ]]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
    fi
}
