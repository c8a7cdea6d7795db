#!/usr/bin/env bash
# Window benchmark: 200,000 BOM headers in the main window and a BOM of
# 1,000,000 components in the component window, through the real windows.
# Prints figures; never fails because of them.
#
#   bench/run-window-bench.sh [build directory]    (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
source bench/window-databases.sh
cmake --build "$build" --target window_bench >/dev/null
"$build/bench/window_bench" "$headerdb" "$expansiondb" "$work"
