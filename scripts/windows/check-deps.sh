#!/usr/bin/env bash
# Checks the Windows libraries that build-deps.sh built: cross-builds the
# program in scripts/windows/depcheck with cmake/mingw-w64-x86_64.cmake
# and runs it under Wine through ctest.
#
#   scripts/windows/check-deps.sh [BUILD_FOLDER]   (default build-windepcheck)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build-windepcheck}"

prefix="$("$here/build-deps.sh" --print-prefix)" || {
  echo "$0: the Windows libraries are not built: run scripts/windows/build-deps.sh" >&2
  exit 1
}
export BOMQUERY_WINDEPS_PREFIX="$prefix"

cmake -S "$here/depcheck" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
cmake --build "$build" --parallel "${BOMQUERY_WINDEPS_JOBS:-2}"
ctest --test-dir "$build" --output-on-failure --timeout 300
