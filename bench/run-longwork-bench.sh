#!/usr/bin/env bash
# Long-work benchmark: the longest time the window's thread stays away from
# its event loop during the 200,000-header query, the 1,000,000-component
# expansion, its RTF export and a statement a SQL Server never answers, and
# the time from Esc to a usable window. Prints figures; never fails because
# of them.
#
#   bench/run-longwork-bench.sh [build directory]    (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
source bench/window-databases.sh
cmake --build "$build" --target longwork_bench >/dev/null
"$build/bench/longwork_bench" "$headerdb" "$expansiondb" "$work"
