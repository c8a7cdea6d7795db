#!/usr/bin/env bash
# Tests the Windows program under Wine, after scripts/windows/build.sh and
# the Linux build:
#   1. every test program of the Windows build (ctest; each runs under
#      scripts/windows/wine-run.sh on Qt's offscreen platform);
#   2. the same files on both systems: the demo grids (the header grid, a
#      class filtered, the components to the last level) written by every
#      export writer of the Windows build equal, byte for byte, what the
#      Linux build writes (a workbook but for its time of writing), with the
#      same system colours and Chinese regional settings on both;
#   3. the end-to-end test (tests/e2e/run-e2e.sh --windows): the portable
#      folder's program driven through the X server under Wine;
#   4. the installer (after package.sh): a silent install into a new Wine
#      prefix writes the program, its Start-menu entry and the four
#      connection settings, the program starts from there, and the
#      uninstaller removes all of it.
#
#   scripts/windows/test.sh [WINDOWS_BUILD] [LINUX_BUILD]
#                           (default build-windows and build)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
windows_build="$(realpath "${1:-$root/build-windows}")"
linux_build="$(realpath "${2:-$root/build}")"

started=$(date +%s)
ctest --test-dir "$windows_build" --output-on-failure
echo "[windows] tests under Wine passed ($(( $(date +%s) - started )) s)"

started=$(date +%s)
work="$windows_build/same-files"
rm -rf "$work"
mkdir -p "$work/linux" "$work/windows"
database="$linux_build/db/demo.sqlite3"
export LC_ALL=C.UTF-8 LANG=C.UTF-8 TZ=UTC QT_QPA_PLATFORM=offscreen
export WINEPREFIX="$windows_build/wineprefix" E2E_FIXED_SYSTEM_COLOURS=1
failed=0
for grid in "main main" "main class 减速机" "detail detail 减速机"; do
  read -r kind name class <<<"$grid"
  "$linux_build/tests/e2e/e2e_reference" "$kind" "$database" "${class:-}" \
    "$work/linux/$name" > "$work/linux/$name.count"
  # Wine takes the system's locale from the environment: zh_CN.UTF-8 gives
  # the Chinese regional settings the Linux side uses.
  LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8 \
    "$here/wine-run.sh" "$windows_build/tests/e2e/e2e_reference.exe" "$kind" \
    "$database" "${class:-}" "$work/windows/$name" > "$work/windows/$name.count"
  for file in "$work/linux/$name"-*; do
    if python3 "$root/tests/e2e/same_export.py" \
         "$work/windows/$(basename "$file")" "$file"; then
      echo "same: $name $(basename "$file")"
    else
      echo "DIFFERENT: $(basename "$file") of the Windows build (in $work)"
      failed=1
    fi
  done
done
[ "$failed" -eq 0 ] || exit 1
echo "[windows] the same files on both systems ($(( $(date +%s) - started )) s)"

started=$(date +%s)
"$root/tests/e2e/run-e2e.sh" --windows "$windows_build"
echo "[windows] the end-to-end test under Wine passed ($(( $(date +%s) - started )) s)"

started=$(date +%s)
"$here/installer-test.sh" "$windows_build"
echo "[windows] the installer installs and uninstalls ($(( $(date +%s) - started )) s)"
