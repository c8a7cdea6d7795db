#!/usr/bin/env bash
# Assembles the Windows program of a cross-build into a portable folder, a
# .zip of that folder and an installer:
#
#   scripts/windows/package.sh [BUILD_FOLDER]     (default build-windows)
#
# gives BUILD_FOLDER/package/bomquery/ (prj_lorquin.exe, the DLLs it loads
# that are not the system's, Qt's platform, style and SQLite plug-ins,
# Qt's Chinese translations, the help files and the demo database),
# BUILD_FOLDER/package/bomquery-windows-x64.zip and
# BUILD_FOLDER/package/bomquery-setup-x64.exe (makensis).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="$(realpath "${1:-$root/build-windows}")"
triple=x86_64-w64-mingw32

prefix="${BOMQUERY_WINDEPS_PREFIX:-$("$here/build-deps.sh" --print-prefix)}" || {
  echo "$0: the Windows libraries are not built: run scripts/windows/build-deps.sh" >&2
  exit 1
}
program="$build/src/prj_lorquin.exe"
[ -f "$program" ] || { echo "$0: no $program: build the program first" >&2; exit 1; }

out="$build/package"
folder="$out/bomquery"
rm -rf "$out"
mkdir -p "$folder"

# The folders a DLL of ours can come from; any other DLL is the system's.
search=("$prefix/bin"
        "$(dirname "$($triple-g++-posix -print-file-name=libstdc++-6.dll)")"
        "$(dirname "$($triple-g++-posix -print-file-name=libwinpthread-1.dll)")")

imports() { $triple-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'; }

find_dll() {
  local d found
  for d in "${search[@]}"; do
    # Windows matches DLL names without regard to case.
    found="$(find "$d" -maxdepth 1 -iname "$1" -print -quit)"
    if [ -n "$found" ]; then
      printf '%s\n' "$found"
      return 0
    fi
  done
}

# Copies $1 into $2 and every DLL it needs, directly or not, beside the
# program.
declare -A copied
deploy() {
  local file="$1" dest="$2" name dll
  install -D -m 0755 "$file" "$dest/$(basename "$file")"
  for name in $(imports "$file"); do
    [ -n "${copied[${name,,}]:-}" ] && continue
    dll="$(find_dll "$name")"
    [ -n "$dll" ] || continue
    copied[${name,,}]=1
    deploy "$dll" "$folder"
  done
}

deploy "$program" "$folder"
# The build keeps debugging information; the program handed out does not.
$triple-strip --strip-debug "$folder/prj_lorquin.exe"
# Plug-ins Qt loads by name: the windows platform, the native style, and the
# SQLite driver the embedded engine opens its database through.
for plugin in platforms/qwindows.dll styles/qwindowsvistastyle.dll \
              sqldrivers/qsqlite.dll; do
  deploy "$prefix/plugins/$plugin" "$folder/plugins/$(dirname "$plugin")"
done
printf '%s\r\n' '[Paths]' 'Prefix = .' 'Plugins = plugins' \
  'Translations = translations' > "$folder/qt.conf"
install -D -m 0644 /usr/share/qt6/translations/qtbase_zh_CN.qm \
  "$folder/translations/qtbase_zh_CN.qm"
cp -r "$build/src/hlp" "$folder/hlp"
install -D -m 0644 "$build/db/demo.sqlite3" "$folder/db/demo.sqlite3"

(cd "$out" && rm -f bomquery-windows-x64.zip &&
  zip -qr -X bomquery-windows-x64.zip bomquery)
makensis -V2 -INPUTCHARSET UTF8 -DSOURCE_FOLDER="$folder" \
  -DOUTPUT_FILE="$out/bomquery-setup-x64.exe" "$here/installer.nsi"

echo "$folder"
echo "$out/bomquery-windows-x64.zip ($(du -h "$out/bomquery-windows-x64.zip" | cut -f1))"
echo "$out/bomquery-setup-x64.exe ($(du -h "$out/bomquery-setup-x64.exe" | cut -f1))"
