# Cross-builds the 64-bit Windows module with Debian's MinGW-w64 (the posix
# thread model, whose C++ runtime has std::thread and std::mutex) and runs the
# test programs under Wine:
#
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ferrulith_mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ferrulith_mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ferrulith_mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${ferrulith_mingw_triple}-windres)

# Libraries and headers come from the MinGW tree only; programs from the build
# machine.
set(CMAKE_FIND_ROOT_PATH /usr/${ferrulith_mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under Wine, in a prefix of their own inside the build
# tree. Debian keeps the 64-bit loader off PATH.
find_program(FERRULITH_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(FERRULITH_WINE64 NAMES wine64)
# Wine stays quiet, and offers no browser or .NET runtime to install.
if(FERRULITH_WINE64)
  set(FERRULITH_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${CMAKE_COMMAND} -E env WINEPREFIX=${FERRULITH_WINE_PREFIX} WINEDEBUG=-all
      WINEDLLOVERRIDES=mscoree,mshtml= ${FERRULITH_WINE64})
endif()

# pkg-config would otherwise offer the build machine's Linux libraries.
set(ENV{PKG_CONFIG_LIBDIR} ${CMAKE_FIND_ROOT_PATH}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
