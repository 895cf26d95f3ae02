# tools/test's ARM64 stage: Nomichron.exe built for Windows on ARM64, checked
# as the x64 one is (the same bytes from another folder, its hardening), and
# run: the smoke set under arm64 Wine in an arm64 Debian, through qemu.
# Sourced after common.sh, arm64_toolchain.sh and arm64_root.sh.

ARM64_BUILD=$BUILD_ROOT/arm64

# The toolchain and the arm64 Debian, from the cache; on a machine's first
# run they are made, and the run says so.
prepare_arm64() {
    arm64_toolchain
    arm64_root
}

build_arm64() {
    echo "== ARM64: Nomichron.exe and probe.exe"
    CROSS_ARCH=arm64 cross_build "$NOMICHRON_ROOT" "$ARM64_BUILD/build" Nomichron probe >/dev/null
    local exe=$ARM64_BUILD/build/bin/Nomichron.exe
    echo "== ARM64: the same bytes from another folder, and ASLR with high entropy, DEP and relocations"
    # The copy tools/test made for the x64 build.
    CROSS_ARCH=arm64 cross_build "$BUILD_ROOT/reproducible/source-copied-elsewhere" \
        "$BUILD_ROOT/reproducible/arm64" Nomichron >/dev/null
    if ! cmp "$exe" "$BUILD_ROOT/reproducible/arm64/bin/Nomichron.exe"; then
        echo "the ARM64 Nomichron.exe differs when built from another folder: it holds a time or a path" >&2
        return 1
    fi
    check_hardening "$exe" ARM64
}

# A prefix of the root's Wine, booted once (emulated, that takes half a
# minute of both cores) and kept in the cache beside the root; each build
# folder gets a copy. Booted in the build folder, which the root sees, then
# moved into place.
make_arm64_prefix() {
    local prefix=$1 boot=$ARM64_BUILD/prefix-booting
    rm -rf "$boot"
    mkdir -p "$ARM64_BUILD"
    WINEPREFIX=$boot WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        arm64_run sh -c 'wineboot -i; wineserver -w' </dev/null >/dev/null 2>&1
    mv -T "$boot" "$prefix"
}

# The smoke set drives the root's Wine through a "wine" first on PATH, with a
# prefix, wineserver and X server of its own: the x64 tests may run meanwhile.
smoke_test_arm64() {
    echo "== ARM64: the smoke set under arm64 Wine (emulated: slow, and its times mean nothing)"
    local bin=$ARM64_BUILD/build/bin
    mkdir -p "$ARM64_BUILD/wine" "$ARM64_BUILD/tmp"
    printf '#!/bin/sh\nexec "%s/tools/arm64_root.sh" run wine "$@"\n' "$NOMICHRON_ROOT" >"$ARM64_BUILD/wine/wine"
    chmod +x "$ARM64_BUILD/wine/wine"
    (
        export WINEPREFIX=$ARM64_BUILD/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
        export ARM64_ROOT PATH=$ARM64_BUILD/wine:$PATH TMPDIR=$ARM64_BUILD/tmp
        unset DISPLAY
        trap 'arm64_run wineserver -k 2>/dev/null || true; stop_display' EXIT
        start_display
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            cached arm64-wineprefix "$ARM64_ROOT $(declare -f make_arm64_prefix)" make_arm64_prefix
            rm -rf "$WINEPREFIX"
            cp -a "$CACHED" "$WINEPREFIX"
        fi
        arm64_run wineserver -p 2>/dev/null || true
        arm64_run wine cmd /c exit </dev/null >/dev/null 2>&1 || true
        arm64_run wine "$bin/probe.exe" hold </dev/null >/dev/null 2>&1 &
        python3 "$NOMICHRON_ROOT/tests/windows/arm64_smoke_test.py" "$bin/Nomichron.exe" "$bin/probe.exe"
    )
}

test_arm64() {
    local started=$SECONDS
    prepare_arm64
    build_arm64
    smoke_test_arm64
    echo "== ARM64: done in $((SECONDS - started)) s"
}
