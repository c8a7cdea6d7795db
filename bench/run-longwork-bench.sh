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
headers=200000
components=1000000
work="$build/bench/window"
mkdir -p "$work"
headerdb="$work/headers-$headers.sqlite3"
expansiondb="$work/expansion-$components.sqlite3"

cmake --build "$build" --target generate_bomdb longwork_bench >/dev/null
# The databases of the window benchmark, shared with it.
for database in "$headerdb $headers $headers" "$expansiondb 1 $components"; do
  set -- $database
  if [ ! -f "$1" ] || [ "$build/db/generate_bomdb" -nt "$1" ] || [ db/schema.sql -nt "$1" ]; then
    echo "generating $1 ($2 headers, $3 component rows)"
    "$build/db/generate_bomdb" "$1" "$2" "$3"
  fi
done
"$build/bench/longwork_bench" "$headerdb" "$expansiondb" "$work"
