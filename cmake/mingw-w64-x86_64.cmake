# Cross-builds for 64-bit Windows on Debian with MinGW-w64 (the posix-threads
# compilers), against the libraries that scripts/windows/build-deps.sh builds
# from Debian's source packages: Qt, SQLite, zlib, libxlsxwriter, GoogleTest.
#
#   cmake -S . -B build-win -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# The libraries' folder is taken from BOMQUERY_WINDEPS_PREFIX (a CMake or
# environment variable) or else asked of build-deps.sh --print-prefix, which
# names it only once it is complete. Qt's code generators (moc, rcc, uic) are
# the Linux ones of Debian's Qt of the same version (QT_HOST_PATH=/usr).
# Programs built here run under Wine, so ctest runs the tests there through
# scripts/windows/wine-run.sh.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BOMQUERY_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BOMQUERY_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BOMQUERY_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BOMQUERY_MINGW_TRIPLE}-windres)

get_filename_component(_bomquery_source_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

if(NOT BOMQUERY_WINDEPS_PREFIX AND DEFINED ENV{BOMQUERY_WINDEPS_PREFIX})
  set(BOMQUERY_WINDEPS_PREFIX "$ENV{BOMQUERY_WINDEPS_PREFIX}")
endif()
if(NOT BOMQUERY_WINDEPS_PREFIX)
  execute_process(
    COMMAND bash "${_bomquery_source_root}/scripts/windows/build-deps.sh" --print-prefix
    OUTPUT_VARIABLE BOMQUERY_WINDEPS_PREFIX
    OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE _bomquery_prefix_result
    TIMEOUT 120)
  if(NOT _bomquery_prefix_result EQUAL 0 OR NOT BOMQUERY_WINDEPS_PREFIX)
    message(FATAL_ERROR
      "The Windows libraries are not built yet: run scripts/windows/build-deps.sh "
      "(or set BOMQUERY_WINDEPS_PREFIX to their folder)")
  endif()
endif()
if(NOT IS_DIRECTORY "${BOMQUERY_WINDEPS_PREFIX}")
  message(FATAL_ERROR "BOMQUERY_WINDEPS_PREFIX: no folder ${BOMQUERY_WINDEPS_PREFIX}")
endif()
set(BOMQUERY_WINDEPS_PREFIX "${BOMQUERY_WINDEPS_PREFIX}" CACHE PATH
  "Folder of the Windows libraries built by scripts/windows/build-deps.sh")
# try_compile projects read this file again without the cache: the
# environment carries the folder to them.
set(ENV{BOMQUERY_WINDEPS_PREFIX} "${BOMQUERY_WINDEPS_PREFIX}")

# Headers, libraries and CMake packages come from the prefix and the MinGW
# runtime only; programs (compilers, code generators, pkg-config) from Linux.
set(CMAKE_FIND_ROOT_PATH "${BOMQUERY_WINDEPS_PREFIX}" /usr/${BOMQUERY_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
list(APPEND CMAKE_PREFIX_PATH "${BOMQUERY_WINDEPS_PREFIX}")
if(EXISTS "${BOMQUERY_WINDEPS_PREFIX}/lib/cmake/Qt6")
  set(Qt6_DIR "${BOMQUERY_WINDEPS_PREFIX}/lib/cmake/Qt6" CACHE PATH "")
endif()

# pkg-config must never hand out the Linux libraries' flags: it sees only
# the prefix's .pc files.
set(ENV{PKG_CONFIG_LIBDIR} "${BOMQUERY_WINDEPS_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Debian's Qt of the same version supplies the tools that run at build time.
set(QT_HOST_PATH /usr CACHE PATH "Qt for the build machine")
file(GLOB _bomquery_host_info /usr/lib/*-linux-gnu*/cmake/Qt6HostInfo)
if(_bomquery_host_info)
  list(GET _bomquery_host_info 0 _bomquery_host_info)
  get_filename_component(_bomquery_host_cmake "${_bomquery_host_info}" DIRECTORY)
  set(QT_HOST_PATH_CMAKE_DIR "${_bomquery_host_cmake}" CACHE PATH "")
  set(Qt6HostInfo_DIR "${_bomquery_host_info}" CACHE PATH "")
endif()

set(CMAKE_CROSSCOMPILING_EMULATOR
  "${_bomquery_source_root}/scripts/windows/wine-run.sh" CACHE FILEPATH
  "Runs the Windows programs built here")
