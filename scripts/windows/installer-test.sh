#!/usr/bin/env bash
# Tries the installer that package.sh made as an administrator would, in a
# new Wine prefix: a silent install with connection settings, the installed
# program started, then a silent uninstall.
#
#   scripts/windows/installer-test.sh [WINDOWS_BUILD]   (default build-windows)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="$(realpath "${1:-$root/build-windows}")"
setup="$build/package/bomquery-setup-x64.exe"
[ -f "$setup" ] || { echo "$0: no $setup: run package.sh first" >&2; exit 1; }

export WINEPREFIX="$build/installer-prefix" WINEDEBUG=-all
rm -rf "$WINEPREFIX"
folder="$WINEPREFIX/drive_c/Program Files/BOM查询"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/BOM查询/BOM查询.lnk"

fail() { echo "INSTALLER FAIL: $*"; exit 1; }

# The four connection settings as the program reads them from the
# registry, joined by "|".
settings() {
  QT_QPA_PLATFORM=offscreen "$here/wine-run.sh" \
    "$build/tests/e2e/e2e_reference.exe" settings | tr -d '\r' | paste -sd '|'
}

"$here/wine-run.sh" "$setup" /S /SERVER=embedded /USER=demo "/PASSWORD=p;w=1"
timeout 120 wineserver -w

[ -f "$folder/prj_lorquin.exe" ] || fail "no program in $folder"
[ -f "$folder/plugins/platforms/qwindows.dll" ] || fail "no platform plug-in"
[ -f "$shortcut" ] || fail "no Start-menu entry"
stored="$(settings)"
expected='embedded|C:\Program Files\BOM查询\db\demo.sqlite3|demo|p;w=1'
[ "$stored" = "$expected" ] || fail "the settings are [$stored], not [$expected]"

# The installed program finds every library and plug-in it needs (it has
# the windows platform only, so it gets a virtual display) and keeps
# running.
env -u QT_QPA_PLATFORM BOMQUERY_WINE_TIMEOUT=30 \
  xvfb-run -a -s "-screen 0 1280x800x24" \
  "$here/wine-run.sh" "$folder/prj_lorquin.exe" >"$build/installed-program.log" 2>&1 &
program=$!
sleep 10
kill -0 "$program" 2>/dev/null ||
  fail "the installed program ended at once: $(tail -n 5 "$build/installed-program.log")"
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
timeout 60 wineserver -k || true

"$here/wine-run.sh" "$folder/uninstall.exe" /S
timeout 120 wineserver -w
[ ! -e "$folder" ] || fail "the uninstaller left $folder"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start-menu entry"
stored="$(settings)"
[ "$stored" = '|||' ] || fail "the uninstaller left the settings [$stored]"
echo "installer: installed, started and uninstalled cleanly"
