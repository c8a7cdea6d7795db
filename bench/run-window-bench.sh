#!/usr/bin/env bash
# Window benchmark: 200,000 BOM headers in the main window and a BOM of
# 1,000,000 components in the component window, through the real windows.
# Prints figures; never fails because of them.
#
#   bench/run-window-bench.sh [build directory]    (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
headers=200000
components=1000000
work="$build/bench/window"
mkdir -p "$work"
headerdb="$work/headers-$headers.sqlite3"
expansiondb="$work/expansion-$components.sqlite3"

cmake --build "$build" --target generate_bomdb window_bench >/dev/null
# A header per made item, one component each; and a single BOM holding all
# the components, so that one expansion returns every one of them.
for database in "$headerdb $headers $headers" "$expansiondb 1 $components"; do
  set -- $database
  if [ ! -f "$1" ] || [ "$build/db/generate_bomdb" -nt "$1" ] || [ db/schema.sql -nt "$1" ]; then
    echo "generating $1 ($2 headers, $3 component rows)"
    "$build/db/generate_bomdb" "$1" "$2" "$3"
  fi
done
"$build/bench/window_bench" "$headerdb" "$expansiondb" "$work"
