# Sourced by the window benchmarks: makes (once, and again when the
# generator or the schema changed) the two databases they share, in
# $build/bench/window, and sets $work, $headerdb and $expansiondb.
# A header per made item, one component each; and a single BOM holding all
# the components, so that one expansion returns every one of them.
headers=200000
components=1000000
work="$build/bench/window"
mkdir -p "$work"
headerdb="$work/headers-$headers.sqlite3"
expansiondb="$work/expansion-$components.sqlite3"

cmake --build "$build" --target generate_bomdb >/dev/null
for database in "$headerdb $headers $headers" "$expansiondb 1 $components"; do
  set -- $database
  if [ ! -f "$1" ] || [ "$build/db/generate_bomdb" -nt "$1" ] || [ db/schema.sql -nt "$1" ]; then
    echo "generating $1 ($2 headers, $3 component rows)"
    "$build/db/generate_bomdb" "$1" "$2" "$3"
  fi
done
