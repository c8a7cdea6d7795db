#!/usr/bin/env bash
# Starts the program's windows on a virtual X display, runs the header query
# on the demo database, opens the first BOM and the connection dialog, and
# saves screenshots of the three windows as PNG files.
#
#   scripts/screenshots.sh [build folder [output folder]]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-$build/screenshots}")
mkdir -p "$out"

settings="$build/screenshots-settings.ini"
scripts/demo-settings.sh "$build/db/demo.sqlite3" > "$settings"

cd "$build"
BOMQUERY_SETTINGS_FILE="$settings" QT_QPA_PLATFORM=xcb LC_ALL=zh_CN.UTF-8 \
  timeout 120 xvfb-run -a -s "-screen 0 1280x800x24 -dpi 96" \
  "$build/scripts/tour/screenshot_tour" "$out"
