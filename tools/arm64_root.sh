#!/usr/bin/env bash
# An arm64 Debian 12 with its own Wine (arm64 Wine 8), run here through
# qemu-user-static and binfmt-support: where the ARM64 Nomichron.exe runs in
# the tests. Made once with debootstrap into the cache (about 6 minutes), as
# a clone of no project need be in it.
#   source tools/arm64_root.sh; arm64_root    sets ARM64_ROOT, making it first
#   tools/arm64_root.sh run COMMAND...         runs COMMAND in it (see arm64_run)
# Sourced by tools/test after common.sh; run for one command by the smoke set.

ARM64_SUITE=bookworm
ARM64_PACKAGES=(wine faketime)

# The machine's own Debian mirror, the one apt-get uses for the suite.
debian_mirror() {
    apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 2>/dev/null |
        awk -v suite="$ARM64_SUITE" '$2 == suite { print $1; exit }'
}

# binfmt-support registers qemu for arm64 programs; in a container the
# kernel's binfmt_misc may need mounting first, and the entry enabling.
enable_arm64_programs() {
    install_missing_packages qemu-user-static binfmt-support debootstrap
    [ -e /proc/sys/fs/binfmt_misc/register ] ||
        mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    [ -e /proc/sys/fs/binfmt_misc/qemu-aarch64 ] || update-binfmts --enable qemu-aarch64
}

make_arm64_root() {
    local root=$1
    local started=$SECONDS
    echo "== arm64 Debian, once per machine (about 6 minutes, emulated): only there does arm64 Wine run"
    echo "   debootstrap --arch=arm64 into $root"
    debootstrap --arch=arm64 --variant=minbase "$ARM64_SUITE" "$root" "$(debian_mirror)" >"$root.log" 2>&1 ||
        { tail -20 "$root.log" >&2; return 1; }
    echo "   its Wine and faketime ($((SECONDS - started)) s so far)"
    ARM64_ROOT=$root arm64_run sh -c "apt-get -qq update && DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends ${ARM64_PACKAGES[*]} && apt-get clean" >"$root.log" 2>&1 ||
        { tail -20 "$root.log" >&2; return 1; }
    rm -f "$root.log"
    echo "   done in $((SECONDS - started)) s"
}

# Sets ARM64_ROOT. The key: how the root is made (the functions and lists
# above, not this whole file: how it is run changes nothing in it), the
# mirror, and the versions the archive holds of what the root is made of
# (the same for amd64 and arm64).
arm64_root() {
    enable_arm64_programs
    local key
    key="$ARM64_SUITE ${ARM64_PACKAGES[*]} $(declare -f make_arm64_root) $(debian_mirror)
$(apt-cache policy "${ARM64_PACKAGES[@]}" qemu-user-static | grep -E '^\S|Candidate')"
    cached arm64-debian "$key" make_arm64_root
    ARM64_ROOT=$CACHED
}

# arm64_run COMMAND...: COMMAND in ARM64_ROOT, with /proc, /dev, the X server's
# sockets and the build folder (at the same path) mounted in a mount namespace
# of its own. The kernel unmounts them when the last process in it ends,
# however it ends (even killed, where no trap runs), and not before: a
# wineserver left running by "wineserver -p" keeps its /proc and prefix. The
# cached root's folder, seen from outside, never holds a mount, so removing it
# cannot reach through one. With FAKETIME or FAKETIME_TIMESTAMP_FILE set, the
# root's own (arm64) libfaketime is preloaded.
arm64_run() {
    unshare --mount --propagation private -- /bin/bash -euo pipefail -c '
        root=$1 build=$2
        shift 2
        mount -t proc proc "$root/proc"
        mount --rbind /dev "$root/dev"
        mkdir -p "$root/tmp/.X11-unix" "$root$build"
        [ ! -d /tmp/.X11-unix ] || mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
        [ ! -d "$build" ] || mount --bind "$build" "$root$build"
        preload=
        [ -z "${FAKETIME:-}${FAKETIME_TIMESTAMP_FILE:-}" ] ||
            preload=/usr/lib/aarch64-linux-gnu/faketime/libfaketime.so.1
        here=/
        [ ! -d "$root$PWD" ] || here=$PWD
        # The root'"'"'s own PATH: the host'"'"'s may name folders mounted here.
        chroot "$root" /usr/bin/env -C "$here" PATH=/usr/sbin:/usr/bin:/sbin:/bin ${preload:+LD_PRELOAD=$preload} "$@"
    ' arm64_run "$ARM64_ROOT" "$BUILD_ROOT" "$@"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
    case "${1:-}" in
    run)
        shift
        [ -n "${ARM64_ROOT:-}" ] || arm64_root
        arm64_run "$@"
        ;;
    *) echo "usage: tools/arm64_root.sh run COMMAND..." >&2; exit 2 ;;
    esac
fi
