# The aarch64-w64-mingw32 toolchain the ARM64 Nomichron.exe is built with,
# made from Debian's archive alone, as Debian has none prebuilt: its clang,
# lld and LLVM tools as packages; the mingw-w64 headers and CRT (msvcrt, as
# for x64) from its mingw-w64 source package; compiler-rt's builtins and a
# static libunwind, libc++abi and libc++ from its llvm-toolchain-16 source
# package. Made once per machine into the cache (about 5 minutes on 2 cores,
# 150 MB of sources fetched); then it costs seconds.
#   source tools/arm64_toolchain.sh; arm64_toolchain   sets ARM64_TOOLCHAIN
# Sourced after common.sh by tools/test and tools/release.

ARM64_TRIPLE=aarch64-w64-mingw32
ARM64_LLVM=/usr/lib/llvm-16 # LLVM 14's libc++ lacks the ranges algorithms the code uses
ARM64_SOURCES=(mingw-w64 llvm-toolchain-16)

# apt-get source needs deb-src entries: the same mirrors and suites as the
# machine's deb entries, in a file of the project's own.
enable_source_packages() {
    [ -z "$(apt-cache showsrc --only-source "${ARM64_SOURCES[0]}" 2>/dev/null)" ] || return 0
    local list=/etc/apt/sources.list.d/nomichron-deb-src.list keyring=
    [ ! -f /usr/share/keyrings/debian-archive-keyring.gpg ] ||
        keyring=" [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]"
    apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' |
        sort -u | sed "s|^|deb-src$keyring |" >"$list"
    apt-get -o DPkg::Lock::Timeout=600 update -qq
}

# Runs a stage, saying what it is and, after, how long it took: a cold build
# is long, and its log is only read when it fails.
toolchain_stage() {
    local title=$1 started=$SECONDS
    shift
    echo "== ARM64 toolchain: $title"
    # In the background, not in an || list: there errexit would be off in
    # the stage too, and a failed step go unnoticed.
    ("$@") >>"$ARM64_LOG" 2>&1 &
    wait $! || { tail -30 "$ARM64_LOG" >&2; echo "== failed; the whole log: $ARM64_LOG" >&2; return 1; }
    echo "   done in $((SECONDS - started)) s"
}

# Only the runtimes' folders of the LLVM source (about 1.6 GB unpacked whole).
fetch_toolchain_sources() {
    local src=$1
    mkdir -p "$src"
    (cd "$src" && apt-get source --download-only "${ARM64_SOURCES[@]}")
    local name
    for name in "${ARM64_SOURCES[@]}"; do # the original tarball, not its signature
        ls "$src/${name}_"*.orig.tar.* | grep -v '\.asc$' | head -1 >"$src/$name.orig"
    done
    tar -xf "$(cat "$src/mingw-w64.orig")" -C "$src" --strip-components=1 --wildcards --no-wildcards-match-slash \
        '*/mingw-w64-headers' '*/mingw-w64-crt'
    tar -xf "$(cat "$src/llvm-toolchain-16.orig")" -C "$src" --strip-components=1 --wildcards \
        --no-wildcards-match-slash \
        '*/cmake' '*/llvm/cmake' '*/runtimes' '*/compiler-rt' '*/libunwind' '*/libcxxabi' '*/libcxx'
    rm -f "$src"/*.tar.* "$src"/*.dsc "$src"/*.orig
}

# Compiler drivers that know the target, the sysroot and the runtimes; the
# LLVM tools under the names CMake and autoconf look for; windres, whose
# preprocessor otherwise knows no sysroot.
write_toolchain_wrappers() {
    local prefix=$1
    mkdir -p "$prefix/bin" "$prefix/lib/clang/16"
    cp -r "$ARM64_LLVM/lib/clang/16/include" "$prefix/lib/clang/16/"
    # The runtimes' options only when linking: clang would call them unused
    # when compiling, an error with the warnings as errors.
    local tool stdlib
    for tool in clang clang++; do
        stdlib=
        [ $tool = clang ] || stdlib=" -stdlib=libc++"
        cat >"$prefix/bin/$ARM64_TRIPLE-$tool" <<EOF
#!/bin/sh
prefix=\$(cd "\$(dirname "\$0")/.." && pwd)
link="-rtlib=compiler-rt -unwindlib=libunwind -fuse-ld=lld"
for arg; do
    case \$arg in -c | -S | -E) link= ;; esac
done
exec $ARM64_LLVM/bin/$tool --target=$ARM64_TRIPLE --sysroot="\$prefix" -resource-dir="\$prefix/lib/clang/16"$stdlib \$link "\$@"
EOF
    done
    cat >"$prefix/bin/$ARM64_TRIPLE-windres" <<EOF
#!/bin/sh
prefix=\$(cd "\$(dirname "\$0")/.." && pwd)
exec $ARM64_LLVM/bin/llvm-windres --target=$ARM64_TRIPLE --preprocessor-arg=--sysroot="\$prefix" "\$@"
EOF
    chmod +x "$prefix/bin/"*
    for tool in ar ranlib nm dlltool strip objcopy; do
        ln -s "$ARM64_LLVM/bin/llvm-$tool" "$prefix/bin/$ARM64_TRIPLE-$tool"
    done
}

build_mingw_headers() {
    local src=$1 prefix=$2 work=$3
    mkdir -p "$work/headers"
    cd "$work/headers"
    "$src/mingw-w64-headers/configure" --host=$ARM64_TRIPLE --prefix="$prefix/$ARM64_TRIPLE" \
        --with-default-msvcrt=msvcrt
    make install
}

# As the tarball has it: autoreconf would bring a Debian patch's dlltool
# option that llvm-dlltool refuses.
build_mingw_crt() {
    local src=$1 prefix=$2 work=$3
    mkdir -p "$work/crt"
    cd "$work/crt"
    "$src/mingw-w64-crt/configure" --host=$ARM64_TRIPLE --prefix="$prefix/$ARM64_TRIPLE" \
        --with-sysroot="$prefix" --with-default-msvcrt=msvcrt --enable-libarm64 --disable-lib32 --disable-lib64 \
        --disable-dependency-tracking CFLAGS=-O2 CC=$ARM64_TRIPLE-clang AR=$ARM64_TRIPLE-ar \
        RANLIB=$ARM64_TRIPLE-ranlib DLLTOOL=$ARM64_TRIPLE-dlltool
    make -j"$(nproc)"
    make install
}

# The settings every runtime's CMake build shares. The compilers cannot link
# a program before the runtimes exist, hence *_COMPILER_WORKS.
toolchain_cmake() {
    local prefix=$1
    shift
    cmake -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release -DCMAKE_SYSTEM_NAME=Windows \
        -DCMAKE_SYSTEM_PROCESSOR=ARM64 -DCMAKE_C_COMPILER="$prefix/bin/$ARM64_TRIPLE-clang" \
        -DCMAKE_CXX_COMPILER="$prefix/bin/$ARM64_TRIPLE-clang++" -DCMAKE_AR="$ARM64_LLVM/bin/llvm-ar" \
        -DCMAKE_RANLIB="$ARM64_LLVM/bin/llvm-ranlib" -DCMAKE_C_COMPILER_WORKS=ON -DCMAKE_CXX_COMPILER_WORKS=ON \
        -DCMAKE_C_COMPILER_TARGET=$ARM64_TRIPLE -DCMAKE_CXX_COMPILER_TARGET=$ARM64_TRIPLE "$@"
}

build_builtins() {
    local src=$1 prefix=$2 work=$3
    toolchain_cmake "$prefix" -S "$src/compiler-rt/lib/builtins" -B "$work/builtins" \
        -DCMAKE_INSTALL_PREFIX="$prefix/lib/clang/16" -DCOMPILER_RT_DEFAULT_TARGET_ONLY=ON \
        -DCOMPILER_RT_USE_BUILTINS_LIBRARY=ON -DCOMPILER_RT_EXCLUDE_ATOMIC_BUILTIN=OFF -DLLVM_CONFIG_PATH=
    cmake --build "$work/builtins" -j"$(nproc)"
    cmake --install "$work/builtins"
}

# Static only, libc++abi merged into libc++, unwinding by libunwind over
# Windows' own unwind data.
build_cxx_runtimes() {
    local src=$1 prefix=$2 work=$3
    toolchain_cmake "$prefix" -S "$src/runtimes" -B "$work/runtimes" \
        -DCMAKE_INSTALL_PREFIX="$prefix/$ARM64_TRIPLE" -DLLVM_ENABLE_RUNTIMES="libunwind;libcxxabi;libcxx" \
        -DLIBUNWIND_USE_COMPILER_RT=ON -DLIBUNWIND_ENABLE_SHARED=OFF -DLIBUNWIND_ENABLE_STATIC=ON \
        -DLIBCXXABI_USE_COMPILER_RT=ON -DLIBCXXABI_USE_LLVM_UNWINDER=ON -DLIBCXXABI_ENABLE_SHARED=OFF \
        -DLIBCXX_USE_COMPILER_RT=ON -DLIBCXX_ENABLE_SHARED=OFF -DLIBCXX_ENABLE_STATIC=ON \
        -DLIBCXX_ENABLE_STATIC_ABI_LIBRARY=ON -DLIBCXX_CXX_ABI=libcxxabi -DLIBCXX_INCLUDE_TESTS=OFF \
        -DLIBCXX_INCLUDE_BENCHMARKS=OFF -DLIBCXX_ENABLE_ABI_LINKER_SCRIPT=OFF -DLLVM_INCLUDE_TESTS=OFF
    cmake --build "$work/runtimes" -j"$(nproc)"
    cmake --install "$work/runtimes"
}

make_arm64_toolchain() {
    local prefix=$1
    local src=$prefix/.work/src work=$prefix/.work/build
    echo "== ARM64 toolchain, once per machine (about 5 minutes): Debian has no aarch64-w64-mingw32 toolchain,"
    echo "   so it is built from Debian's source packages into $CACHE_ROOT"
    mkdir -p "$prefix/.work"
    ARM64_LOG=$prefix.log
    : >"$ARM64_LOG"
    PATH=$prefix/bin:$PATH
    toolchain_stage "the sources (apt-get source)" fetch_toolchain_sources "$src"
    toolchain_stage "the compiler drivers" write_toolchain_wrappers "$prefix"
    toolchain_stage "the mingw-w64 headers" build_mingw_headers "$src" "$prefix" "$work"
    toolchain_stage "the mingw-w64 CRT (about a minute)" build_mingw_crt "$src" "$prefix" "$work"
    toolchain_stage "compiler-rt's builtins" build_builtins "$src" "$prefix" "$work"
    toolchain_stage "libunwind, libc++abi, libc++ (about 2 minutes)" build_cxx_runtimes "$src" "$prefix" "$work"
    rm -rf "$prefix/.work" "$ARM64_LOG"
}

# Sets ARM64_TOOLCHAIN. The key: how the toolchain is made (this file's
# functions) and the versions of the packages and source packages it is
# made of.
arm64_toolchain() {
    install_missing_packages clang-16 lld-16 llvm-16 dpkg-dev xz-utils bzip2 cmake make
    enable_source_packages
    local key
    key="$(declare -f enable_source_packages toolchain_stage fetch_toolchain_sources write_toolchain_wrappers \
        build_mingw_headers build_mingw_crt toolchain_cmake build_builtins build_cxx_runtimes make_arm64_toolchain)
$ARM64_TRIPLE $ARM64_LLVM $(dpkg-query -W clang-16 lld-16 llvm-16)
$(apt-cache showsrc --only-source "${ARM64_SOURCES[@]}" | grep -E '^(Package|Version):')"
    cached arm64-toolchain "$key" make_arm64_toolchain
    ARM64_TOOLCHAIN=$CACHED
}
