# Shared by tools/run and tools/test: packages, builds, Wine prefix and X server.
# Sourced, not run.

NOMICHRON_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_ROOT=${NOMICHRON_BUILD_ROOT:-$NOMICHRON_ROOT/build}
# What takes many minutes to make and depends on no clone (the ARM64 toolchain,
# the arm64 Debian for its tests) is kept here, so that fresh clones on this
# machine, CI's among them, find it made.
CACHE_ROOT=${NOMICHRON_CACHE:-$HOME/.cache/nomichron}

# Installs the Debian packages given that are missing; by default those the
# builds and tests need.
install_missing_packages() {
    local wanted=("$@")
    [ $# -gt 0 ] || wanted=(cmake make g++ clang googletest libgtest-dev g++-mingw-w64-x86-64 wine wine64
                  xvfb xdotool x11-utils fonts-wine fonts-ipafont-gothic fonts-horai-umefont fonts-dejavu-extra
                  imagemagick python3-gi gir1.2-gtk-3.0 faketime python3 e2fsprogs clang-format llvm-16)
    local missing=()
    local package
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing the Debian packages that are missing (a minute or two): ${missing[*]}" >&2
    local sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    # Another apt-get may hold the lock for a while: wait for it, not fail.
    $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# cached NAME KEY MAKER: sets CACHED to the folder $CACHE_ROOT/NAME-<hash of
# KEY>, made first by "MAKER FOLDER" when missing. MAKER works in a temporary
# folder renamed into place only once it succeeds: a failed or interrupted run
# leaves no folder that looks complete, and the next run starts it again. A
# lock makes a second run (another clone's) wait for the first, not race it.
CACHED=
cached() {
    local name=$1 key=$2 maker=$3
    local folder
    folder="$CACHE_ROOT/$name-$(sha256sum <<<"$key" | cut -c1-16)"
    mkdir -p "$CACHE_ROOT"
    if [ ! -d "$folder" ]; then
        exec {lock}>"$folder.lock"
        flock "$lock"
        if [ ! -d "$folder" ]; then
            # What a stopped run left; never through a mount, should one remain.
            rm -rf --one-file-system "$folder.partial"
            "$maker" "$folder.partial" >&2
            mv -T "$folder.partial" "$folder"
        fi
        exec {lock}>&-
    fi
    CACHED=$folder
}

# Fails, naming them, when tracked C++ sources are not as clang-format lays
# them out with the root's .clang-format. Only tracked files: never a build's.
check_format() {
    local report files
    report=$(cd "$NOMICHRON_ROOT" && git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror 2>&1) \
        && return 0
    files=$(sed -n 's/:[0-9]*:[0-9]*: error: code should be clang-formatted.*//p' <<<"$report" | sort -u | paste -sd ' ' -)
    if [ -z "$files" ]; then
        echo "$report" >&2
        return 1
    fi
    echo "Not formatted as .clang-format asks: $files" >&2
    echo "Format them with, in $NOMICHRON_ROOT: clang-format -i $files" >&2
    return 1
}

# check_hardening EXE [MACHINE]: fails, naming each, when the exe has lost a
# hardening flag the toolchain gives it (ASLR with high entropy, DEP, and the
# relocations ASLR moves it by) or is not for MACHINE (AMD64 unless given:
# ARM64). llvm-readobj reads both; mingw-w64's objdump knows no ARM64.
check_hardening() {
    local exe=$1 machine=${2:-AMD64}
    local header missing=()
    header=$(llvm-readobj-16 --file-headers "$exe")
    grep -q "Machine: IMAGE_FILE_MACHINE_$machine " <<<"$header" || missing+=("machine $machine")
    local flag
    for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
        grep -q -x -E "\s*IMAGE_DLL_CHARACTERISTICS_$flag \(0x[0-9A-F]+\)" <<<"$header" || missing+=("$flag")
    done
    grep -q -E "BaseRelocationTableSize: 0x0*[1-9A-F]" <<<"$header" || missing+=("relocations")
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "$(basename "$exe") lacks its hardening: ${missing[*]} (see llvm-readobj-16 --file-headers)" >&2
    return 1
}

build_windows() {
    cross_build "$NOMICHRON_ROOT" "$BUILD_ROOT/windows"
}

# cross_build SOURCE BUILD [TARGET...]: the Windows build of the tree at SOURCE
# in the folder BUILD, every target unless some are named. The release and the
# test build share it, so that the released Nomichron.exe is the tested one.
# For x64 with Debian's mingw-w64; with CROSS_ARCH=arm64, for ARM64 with the
# toolchain in ARM64_TOOLCHAIN (see tools/arm64_toolchain.sh).
cross_build() {
    local source=$1 build=$2
    shift 2
    local toolchain=(-DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-w64.cmake")
    if [ "${CROSS_ARCH:-x64}" = arm64 ]; then
        toolchain=(-DCMAKE_TOOLCHAIN_FILE="$source/cmake/llvm-mingw-arm64.cmake"
            -DNOMICHRON_ARM64_TOOLCHAIN="$ARM64_TOOLCHAIN")
        # CMake keeps the compilers a build folder was first made with: one
        # made with another toolchain (an older cache entry, perhaps gone)
        # starts afresh.
        [ "$(cat "$build/arm64_toolchain" 2>/dev/null)" = "$ARM64_TOOLCHAIN" ] || rm -rf "$build"
    fi
    cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=MinSizeRel "${toolchain[@]}" >/dev/null
    [ "${CROSS_ARCH:-x64}" = x64 ] || echo "$ARM64_TOOLCHAIN" >"$build/arm64_toolchain"
    local targets=()
    [ $# -eq 0 ] || targets=(--target "$@")
    cmake --build "$build" -j"$(nproc)" "${targets[@]}"
}

# A Wine prefix of the build's own, booted once. Debian's Wine does not look
# in fonts-wine's folder by itself: the prefix names it, so that Tahoma and
# the Marlett of the caption buttons are found. The faces the window names
# that Debian lacks map to installed ones: "ＭＳ Ｐゴシック" to Ume P Gothic,
# made to its widths (the labels, sized to their text, then fit), the
# Japanese UI to IPA Gothic, "Impact" to a condensed sans. Wine draws the
# windows' frames itself, as there is no window manager: screenshots show them.
prepare_wine() {
    export WINEPREFIX="$BUILD_ROOT/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1 </dev/null
        wineserver -w
    fi
    local fonts="$BUILD_ROOT/fonts.reg"
    { printf '\xff\xfe'
      { echo 'Windows Registry Editor Version 5.00'
        dpkg-query -W -f='; ${Package} ${Version}\n' fonts-wine fonts-ipafont-gothic fonts-horai-umefont \
            fonts-dejavu-extra 2>/dev/null || true
        printf '%s\n' '' \
          '[HKEY_CURRENT_USER\Software\Wine\Fonts]' '"Path"="Z:\\usr\\share\\wine\\fonts"' '' \
          '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
          '"Tahoma"=-' '"MS UI Gothic"="IPAGothic"' '"MS Shell Dlg"="IPAGothic"' '"MS Shell Dlg 2"="IPAGothic"' \
          '"ＭＳ Ｐゴシック"="Ume P Gothic"' '"MS PGothic"="Ume P Gothic"' '"Impact"="DejaVu Sans Condensed"' '' \
          '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"'
      } | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } >"$fonts.new"
    # The file names the font packages' versions: when a font comes or goes,
    # the prefix's server is ended, as it keeps the fonts it found first (a
    # persistent one, or one still running when the package came, would show
    # the caption buttons as letters until it ends).
    if ! cmp -s "$fonts.new" "$fonts"; then
        wine regedit /S "$(winepath -w "$fonts.new")" </dev/null >/dev/null 2>&1
        wineserver -k 2>/dev/null || true
        timeout 30 wineserver -w || true
        mv "$fonts.new" "$fonts"
    fi
}

# Starts a private X server when there is no display; stop_display ends it.
XVFB_PID=
start_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    local number
    for number in $(seq 91 120); do
        [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
        Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$number"
        local tries
        for tries in $(seq 50); do
            xdpyinfo >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null
        XVFB_PID=
        unset DISPLAY
    done
    echo "no X server could be started" >&2
    return 1
}

stop_display() {
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    XVFB_PID=
}
