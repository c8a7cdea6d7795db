#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan (benchmarks left out) and runs every test there once. Leaks in
# system libraries that keep memory for the life of the process are listed
# in tests/lsan.supp.
#
#   scripts/sanitized-tests.sh
set -euo pipefail
cd "$(dirname "$0")/.."
# -O1, as the sanitizers advise, and line tables only (-g1), which their
# reports need: a third less compiling than -O2 with full debugging
# information.
cmake -S . -B build-asan -G Ninja -DBOMQUERY_SANITIZE=ON -DBOMQUERY_BUILD_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" \
UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure
