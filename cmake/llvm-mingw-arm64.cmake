# Cross build for Windows on ARM64 with the aarch64-w64-mingw32 toolchain that
# tools/arm64_toolchain.sh makes from Debian's LLVM; its folder comes as
# NOMICHRON_ARM64_TOOLCHAIN. No emulator for CTest: the ARM64 programs run
# under arm64 Wine in an arm64 Debian, by tools/arm64_smoke.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ARM64)
if(NOT NOMICHRON_ARM64_TOOLCHAIN)
    message(FATAL_ERROR "Give -DNOMICHRON_ARM64_TOOLCHAIN=<the folder tools/arm64_toolchain.sh made>")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES NOMICHRON_ARM64_TOOLCHAIN)
set(tools ${NOMICHRON_ARM64_TOOLCHAIN}/bin/aarch64-w64-mingw32-)
set(CMAKE_C_COMPILER ${tools}clang)
set(CMAKE_CXX_COMPILER ${tools}clang++)
set(CMAKE_RC_COMPILER ${tools}windres)
set(CMAKE_AR ${tools}ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${tools}ranlib CACHE FILEPATH "")
set(CMAKE_NM ${tools}nm CACHE FILEPATH "")
set(CMAKE_DLLTOOL ${tools}dlltool CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH ${NOMICHRON_ARM64_TOOLCHAIN}/aarch64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
