#!/usr/bin/env bash
# Runs a Windows program of the cross-build under Wine:
#
#   scripts/windows/wine-run.sh PROGRAM.exe [ARGUMENTS...]
#
# The program finds the Windows libraries (Qt, SQLite, zlib, libxlsxwriter)
# and the MinGW runtime DLLs through Wine's PATH; Qt finds its plug-ins beside
# its own DLLs. Wine's debug messages stay off unless WINEDEBUG is set.
#
# Wine keeps Linux variables named QT_* away from Windows programs (they
# would hold Linux paths) unless they are given as WINEQT_*: each QT_*
# variable set here is passed on that way, so QT_QPA_PLATFORM=offscreen
# reaches the program as it does on Linux.
#
# The run is ended after BOMQUERY_WINE_TIMEOUT seconds (default 600): ctest
# uses this script as its emulator and has its own time-outs, but a run by
# hand should not hang for ever on a dialog nobody sees.
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "usage: $0 PROGRAM.exe [ARGUMENTS...]" >&2
  exit 2
fi

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
prefix="${BOMQUERY_WINDEPS_PREFIX:-}"
if [ -z "$prefix" ]; then
  prefix="$(bash "$here/build-deps.sh" --print-prefix)" || {
    echo "$0: the Windows libraries are not built (scripts/windows/build-deps.sh)" >&2
    exit 2
  }
fi

# Wine's drive Z: is the Linux root.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

runtime_dir="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")"
pthread_dir="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")"
path="$(windows_path "$prefix/bin");$(windows_path "$runtime_dir");$(windows_path "$pthread_dir")"
export WINEPATH="$path${WINEPATH:+;$WINEPATH}"
export WINEDEBUG="${WINEDEBUG:--all}"
# A new Wine prefix would otherwise offer to download Mono and Gecko in a
# dialog that nobody answers on a virtual display.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"

# A new Wine prefix is made once, before the program, and only by one run
# at a time: tests started together would otherwise all set it up at once.
prefix_folder="${WINEPREFIX:-$HOME/.wine}"
if [ ! -f "$prefix_folder/system.reg" ]; then
  mkdir -p "$(dirname "$prefix_folder")"
  (
    flock -w 300 9 || { echo "$0: $prefix_folder is being set up elsewhere" >&2; exit 1; }
    if [ ! -f "$prefix_folder/system.reg" ]; then
      timeout 300 wineboot --init >/dev/null 2>&1
      # Qt 6 is made for Windows 10 and later; a new prefix says Windows 7.
      timeout 60 wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
      # A crash prints its backtrace instead of waiting in a dialog that
      # nobody sees on a virtual display.
      timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
        /t REG_DWORD /d 0 /f >/dev/null 2>&1
      timeout 60 wineserver --wait
    fi
  ) 9>"$prefix_folder.lock"
fi

for name in $(compgen -e); do
  case "$name" in
    QT_*) export "WINE$name=${!name}" ;;
  esac
done

exec timeout --kill-after=10 "${BOMQUERY_WINE_TIMEOUT:-600}" wine "$@"
