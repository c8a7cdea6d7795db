#!/usr/bin/env bash
# Header-query benchmark on a synthetic database of 100,000 BOM headers.
# Prints figures; never fails because of them.
#
#   bench/run-query-bench.sh [build directory]    (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
headers=100000
components=500000
work="$build/bench/query"
mkdir -p "$work"
db="$work/bom-$headers.sqlite3"
# The same size with a name of its own for every item: the hardest title
# click, since every text is distinct.
distinct_db="$work/bom-$headers-distinct.sqlite3"

cmake --build "$build" --target generate_bomdb bench_query bench_plainqt >/dev/null
if [ ! -f "$db" ] || [ "$build/db/generate_bomdb" -nt "$db" ] || [ db/schema.sql -nt "$db" ]; then
  echo "generating $db ($headers headers, $components component rows)"
  "$build/db/generate_bomdb" "$db" "$headers" "$components"
fi
if [ ! -f "$distinct_db" ] || [ "$build/db/generate_bomdb" -nt "$distinct_db" ] || [ db/schema.sql -nt "$distinct_db" ]; then
  echo "generating $distinct_db (every name distinct)"
  "$build/db/generate_bomdb" "$distinct_db" "$headers" "$components" --distinct-names
fi
"$build/bench/bench_query" --print-sql >"$work/header.sql"
# The same query sorted by the server, for comparison with the client sort.
sed 's/;$/ order by cInvName;/' "$work/header.sql" >"$work/header-ordered.sql"

runs=3
# Best wall time in seconds of `runs` runs of a command.
best_time() {
  local best="" t
  for _ in $(seq $runs); do
    /usr/bin/time -f %e -o "$work/time.txt" "$@" >/dev/null 2>&1
    t=$(tail -1 "$work/time.txt")
    if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
  done
  echo "$best"
}
# Field `name` of the best run (least open_s) of a benchmark program.
best_run() {
  local best="" out
  for _ in $(seq $runs); do
    out=$("$@")
    if [ -z "$best" ] || awk "BEGIN{exit !($(field open_s "$out") < $(field open_s "$best"))}"; then
      best=$out
    fi
  done
  echo "$best"
}
field() { echo "$2" | awk -v k="$1" '$1 == k { print $2 }'; }

/usr/bin/time -f %M -o "$work/time.txt" sqlite3 "$db" <"$work/header.sql" >/dev/null
shell_peak=$(tail -1 "$work/time.txt")
shell=$(best_time sh -c "sqlite3 '$db' <'$work/header.sql'")
ordered=$(best_time sh -c "sqlite3 '$db' <'$work/header-ordered.sql'")
ours=$(best_run "$build/bench/bench_query" "$db")
distinct_ordered=$(best_time sh -c "sqlite3 '$distinct_db' <'$work/header-ordered.sql'")
distinct=$(best_run "$build/bench/bench_query" "$distinct_db")
plain=$(best_run "$build/bench/bench_plainqt" "$db" "$work/header.sql")

rows=$(field rows "$ours")
open=$(field open_s "$ours")
sort=$(field sort_s "$ours")
peak=$(field peak_mib "$ours")
distinct_sort=$(field sort_s "$distinct")
plain_open=$(field open_s "$plain")
plain_peak=$(field peak_mib "$plain")

echo "header query, all filters empty, $rows rows (best of $runs runs)"
printf '  %-44s %8.3f s  peak %6.1f MiB\n' "query service: open (fetch every row)" "$open" "$peak"
printf '  %-44s %8.3f s\n' "query service: sort by cInvName ASC" "$sort"
printf '  %-44s %8.3f s  peak %6.1f MiB\n' "sqlite3 shell to /dev/null" "$shell" "$(awk "BEGIN{print $shell_peak/1024}")"
printf '  %-44s %8.3f s\n' "sqlite3 shell, ORDER BY cInvName" "$ordered"
printf '  %-44s %8.3f s  peak %6.1f MiB\n' "plain Qt, QSqlQuery into QVector<QVariant>" "$plain_open" "$plain_peak"
printf '  %-44s %8.3f s\n' "every name distinct: sort by cInvName ASC" "$distinct_sort"
printf '  %-44s %8.3f s\n' "every name distinct: shell, ORDER BY" "$distinct_ordered"
echo "targets"
awk -v o="$open" -v s="$shell" -v p="$plain_open" -v m="$peak" -v pm="$plain_peak" \
    -v so="$sort" -v ob="$ordered" -v ds="$distinct_sort" -v dob="$distinct_ordered" 'BEGIN {
  printf "  open / shell           %5.2f  (aim <= 1.2)\n", o / s
  printf "  open / plain Qt        %5.2f  (aim < 1)\n", o / p
  printf "  peak / plain Qt peak   %5.2f  (aim <= 0.5)\n", m / pm
  printf "  ORDER BY / client sort %5.1f  (aim >= 5)\n", ob / so
  printf "  same, every name distinct %5.1f  (aim >= 8)\n", dob / ds
}'
