#!/usr/bin/env bash
# Starts the program on the demo database the build made: the settings
# store is a file in the build folder whose server is "embedded" and whose
# database is build/db/demo.sqlite3. With --empty the store starts empty
# instead (the program then asks for a connection; type "embedded" as the
# server and the demo file's path as the database).
#
#   scripts/start-demo.sh [build folder] [--empty]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
empty=no
for arg in "$@"; do
  case "$arg" in
    --empty) empty=yes ;;
    *) build=$arg ;;
  esac
done
build=$(realpath "$build")

if [ "$empty" = yes ]; then
  settings="$build/empty-settings.ini"
  rm -f "$settings"
else
  settings="$build/demo-settings.ini"
  scripts/demo-settings.sh "$build/db/demo.sqlite3" > "$settings"
fi

BOMQUERY_SETTINGS_FILE="$settings" exec "$build/src/prj_lorquin"
