#!/usr/bin/env bash
# Builds the Windows program on Debian in one command: the cross tools and
# the Windows libraries (scripts/windows/build-deps.sh, built once per
# machine and then reused), the program and its tests for Windows, and
# its portable folder, .zip and installer (package.sh).
#
#   scripts/windows/build.sh [BUILD_FOLDER]     (default build-windows)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build-windows}"

started=$(date +%s)
prefix="$("$here/build-deps.sh")"
echo "[windows] libraries in $prefix ($(( $(date +%s) - started )) s)"

export BOMQUERY_WINDEPS_PREFIX="$prefix"
started=$(date +%s)
# Optimised as handed out; the debugging information is line tables only
# (-g1): enough for a crash's backtrace under Wine, and a fifth less
# compiling than full information.
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
  -DBOMQUERY_BUILD_BENCH=OFF
cmake --build "$build"
echo "[windows] program and tests built ($(( $(date +%s) - started )) s)"

"$here/package.sh" "$build"
