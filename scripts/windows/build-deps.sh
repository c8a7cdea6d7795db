#!/usr/bin/env bash
# Builds the libraries the Windows program links, for x86_64-w64-mingw32,
# from Debian's source packages of the very versions the Linux build uses:
# zlib, SQLite, Qt (qtbase, trimmed to what the program uses),
# libxlsxwriter and GoogleTest. Everything is installed into one prefix,
# kept outside any build folder under a key made of those versions, the
# cross compiler's version and this recipe, so that a second run finds it
# and returns at once.
#
#   scripts/windows/build-deps.sh                 build what is missing, print the prefix
#   scripts/windows/build-deps.sh --print-prefix  print the prefix if it is complete,
#                                                 else exit with status 1; changes nothing
#
# Environment: BOMQUERY_WINDEPS_CACHE (default /var/cache/bomquery/windeps),
# BOMQUERY_WINDEPS_JOBS (parallel compile jobs, default 2).
#
# Each library is one step with its own stamp: a run that stops part-way
# starts again at the first step without a stamp. Logs are kept in
# <cache>/<key>/logs. Installing the cross tools needs root (or sudo).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
cache_root="${BOMQUERY_WINDEPS_CACHE:-/var/cache/bomquery/windeps}"
jobs="${BOMQUERY_WINDEPS_JOBS:-2}"
triple=x86_64-w64-mingw32

mode=build
case "${1:-}" in
  "") ;;
  --print-prefix) mode=print ;;
  -h|--help) sed -n '2,20p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
  *) echo "$0: unknown option $1" >&2; exit 2 ;;
esac

say() { printf '[windeps] %s\n' "$*" >&2; }
die() { printf '[windeps] error: %s\n' "$*" >&2; exit 1; }

# --- tools --------------------------------------------------------------------

# The cross compilers, Wine to run what they make, NSIS for the installer,
# Debian's Qt of the same version for the tools that run at build time
# (moc, rcc, uic), and what unpacks and builds the sources.
tool_packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev mingw-w64-tools
  wine wine64 libwine fonts-wine nsis zip locales xvfb procps
  dpkg-dev cmake ninja-build make pkg-config perl tcl bzip2 xz-utils
  qt6-base-dev qt6-base-dev-tools
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# apt waits on the network and on other apt runs: bound both. Its output
# goes to standard error; standard output carries the prefix alone.
apt_options=(-q -o Acquire::http::Timeout=30 -o Acquire::Retries=3
             -o DPkg::Lock::Timeout=600)

apt_updated=0
apt_update() {
  if [ "$apt_updated" -eq 0 ]; then
    as_root timeout 900 apt-get "${apt_options[@]}" update >&2
    apt_updated=1
  fi
}

installed() {
  dpkg-query -W -f='${db:Status-Abbrev}' "$1" 2>/dev/null | grep -q '^ii'
}

install_tools() {
  local missing=() p
  for p in "${tool_packages[@]}"; do installed "$p" || missing+=("$p"); done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing ${missing[*]}"
  apt_update
  as_root env DEBIAN_FRONTEND=noninteractive timeout 1800 \
    apt-get "${apt_options[@]}" install -y --no-install-recommends "${missing[@]}" >&2
}

# Wine takes the system's locale from the environment; the Windows tests
# run it in zh_CN.UTF-8 for Chinese regional settings, which must exist.
ensure_chinese_locale() {
  locale -a 2>/dev/null | grep -qix 'zh_CN.utf8' && return 0
  say "generating the zh_CN.UTF-8 locale"
  as_root sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen ||
    echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >&2
}

# apt-get source needs a deb-src entry for the suites the machine installs
# from; add Debian's own if there is none.
src_list=/etc/apt/sources.list.d/bomquery-deb-src.sources
ensure_deb_src() {
  if apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base'; then
    return 0
  fi
  say "adding $src_list"
  as_root tee "$src_list" >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  apt_updated=0
  apt_update
}

# --- versions and the cache key -------------------------------------------------

# Each source package is taken at the version of the Linux package the
# program's Linux build uses (installed, or else the one apt would install).
declare -A witness=(
  [zlib]=zlib1g-dev
  [sqlite3]=libsqlite3-dev
  [qt6-base]=qt6-base-dev-tools
  [libxlsxwriter]=libxlsxwriter-dev
  [googletest]=libgtest-dev
)
sources=(zlib sqlite3 qt6-base libxlsxwriter googletest)

source_version() {
  local pkg="$1" line
  line="$(dpkg-query -W -f='${db:Status-Abbrev} ${source:Version}' "$pkg" 2>/dev/null || true)"
  if [[ "$line" == ii* ]]; then
    printf '%s\n' "${line##* }"
    return 0
  fi
  apt-cache show --no-all-versions "$pkg" 2>/dev/null | awk '
    /^Version:/ { v = $2 }
    /^Source:/ && NF >= 3 { s = $3; gsub(/[()]/, "", s) }
    END { if (s != "") print s; else if (v != "") print v }'
}

declare -A version
collect_versions() {
  local s
  for s in "${sources[@]}"; do
    version[$s]="$(source_version "${witness[$s]}")"
    [ -n "${version[$s]}" ] || return 1
  done
}

key_text() {
  local s
  for s in "${sources[@]}"; do printf '%s=%s\n' "$s" "${version[$s]}"; done
  printf 'compiler=%s\n' "$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix 2>/dev/null)"
  printf 'runtime=%s\n' "$(dpkg-query -W -f='${Version}' mingw-w64-x86-64-dev 2>/dev/null)"
  # The recipe: the build steps and options as bash reads them (without
  # comments), and the toolchain file they build with.
  declare -f build_zlib build_sqlite build_qt build_xlsxwriter build_googletest cross_cmake
  declare -p qt_options
  grep -v -e '^[[:space:]]*#' -e '^[[:space:]]*$' "$toolchain"
}

# A step runs in its own log; its stamp records how long it took.
step() {
  local name="$1" start
  shift
  if [ -f "$stamps/$name" ]; then
    say "$name: done before ($(cat "$stamps/$name") s)"
    return 0
  fi
  say "$name: building (log: $logs/$name.log)"
  start=$(date +%s)
  # In the background, so that a failing command inside stops the step
  # (errexit does not hold inside a tested subshell).
  ( "$@" ) > "$logs/$name.log" 2>&1 &
  if ! wait $!; then
    tail -n 40 "$logs/$name.log" >&2
    die "$name failed; see $logs/$name.log"
  fi
  echo $(( $(date +%s) - start )) > "$stamps/$name"
  say "$name: $(cat "$stamps/$name") s"
}

# Unpacks one source package (with Debian's patches applied) into
# $work/src/<name>; prints nothing.
fetch() {
  local s="$1" dir="$work/src/$1"
  rm -rf "$dir"
  mkdir -p "$dir"
  cd "$dir"
  # apt's download user must be able to write here.
  chmod 0777 "$dir"
  timeout 1800 apt-get "${apt_options[@]}" source "$s=${version[$s]}"
  chmod 0755 "$dir"
}

srcdir() {
  local d
  d="$(find "$work/src/$1" -mindepth 1 -maxdepth 1 -type d | head -n 1)"
  [ -n "$d" ] || die "no unpacked source of $1"
  printf '%s\n' "$d"
}

fetch_all() {
  ensure_deb_src
  local s
  for s in "${sources[@]}"; do fetch "$s"; done
}

cross_cmake() {
  cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DBOMQUERY_WINDEPS_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release "$@"
}

# --- zlib -----------------------------------------------------------------------
# One zlib1.dll, shared by Qt (its archive and image code) and libxlsxwriter.
# Debian's source leaves out zlib's Windows makefiles and resource file, so
# the library's sources are compiled here directly, with Debian's -O3.
build_zlib() {
  local src build="$work/build/zlib" files=() f
  src="$(srcdir zlib)"
  for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite \
           infback inffast inflate inftrees trees uncompr zutil; do
    files+=("$src/$f.c")
  done
  rm -rf "$build"
  mkdir -p "$build"
  cd "$build"
  $triple-gcc-posix -O3 -Wall -D_REENTRANT -I"$src" -shared -o zlib1.dll \
    "${files[@]}" -Wl,--out-implib,libz.dll.a
  install -D -m 0755 zlib1.dll "$prefix/bin/zlib1.dll"
  install -D -m 0644 libz.dll.a "$prefix/lib/libz.dll.a"
  install -D -m 0644 "$src/zlib.h" "$prefix/include/zlib.h"
  install -D -m 0644 "$src/zconf.h" "$prefix/include/zconf.h"
}

# --- SQLite ---------------------------------------------------------------------
# Debian's source is SQLite's full tree: its own build makes the one-file
# amalgamation (with Debian's patches in it) on Linux, then the DLL is
# compiled from it with the options Debian compiles its library with, so
# both systems run the same SQLite. Qt's SQLite driver links this DLL and
# the program reads through the same library.
build_sqlite() {
  local src host flags
  src="$(srcdir sqlite3)"
  host="$work/build/sqlite-host"
  rm -rf "$host"
  mkdir -p "$host"
  cd "$host"
  # Debian's configure options (debian/rules) for the features they choose.
  "$src/configure" --enable-threadsafe --enable-load-extension --enable-json \
    --enable-fts4 --enable-fts5 --disable-tcl --disable-readline
  make sqlite3.c
  # The feature flags configure chose, then the ones debian/rules adds.
  flags="$(sed -n 's/^OPT_FEATURE_FLAGS *= *//p' Makefile)"
  flags+=" $(sed -n '/^export CFLAGS += /,/^$/p' "$src/debian/rules" \
    | grep -o -- '-DSQLITE_[A-Z0-9_]*\(=[0-9A-Za-z_]*\)\{0,1\}' | tr '\n' ' ')"
  printf '%s\n' "$flags" > sqlite-flags.txt
  echo "SQLite options: $flags"
  # shellcheck disable=SC2086
  $triple-gcc-posix -O2 -shared $flags -DSQLITE_API='__declspec(dllexport)' \
    -o sqlite3.dll sqlite3.c \
    -Wl,--out-implib,libsqlite3.dll.a
  install -D -m 0755 sqlite3.dll "$prefix/bin/sqlite3.dll"
  install -D -m 0644 libsqlite3.dll.a "$prefix/lib/libsqlite3.dll.a"
  install -D -m 0644 sqlite3.h "$prefix/include/sqlite3.h"
  install -D -m 0644 sqlite3ext.h "$prefix/include/sqlite3ext.h"
  install -D -m 0644 sqlite-flags.txt "$prefix/share/bomquery/sqlite-flags.txt"
}

# --- Qt -------------------------------------------------------------------------
# qtbase, shared, release: Core, Gui, Widgets, Sql (the SQLite driver),
# Network and Test, the windows, offscreen and minimal platforms and the
# windowsvista style. What the program does not use is off: the other SQL
# drivers (the SQL Server path calls ODBC itself), the widgets and dialogs
# it never shows, graphics view, PDF, undo.
# Two limits of this version and source: Debian's source has no Wintab
# header (no tablet events), and the windows platform needs OpenGL on (it
# becomes dynamic OpenGL, loaded only when asked for). Direct2D stays on
# too: without it Gui leaves out the DirectWrite font database that the
# windows platform still links against; only the separate Direct2D
# platform plug-in is left out.
qt_options=(
  -DQT_HOST_PATH=/usr
  -DQT_QMAKE_TARGET_MKSPEC=win32-g++
  -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DQT_BUILD_MANUAL_TESTS=OFF -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF
  -DFEATURE_tabletevent=OFF
  -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_printsupport=OFF
  -DFEATURE_sql=ON -DFEATURE_sql_odbc=OFF -DFEATURE_sql_sqlite=ON
  -DFEATURE_system_sqlite=ON
  -DFEATURE_sql_psql=OFF -DFEATURE_sql_mysql=OFF -DFEATURE_sql_ibase=OFF
  -DFEATURE_sql_oci=OFF -DFEATURE_sql_db2=OFF
  -DFEATURE_system_zlib=ON
  -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_doubleconversion=OFF
  -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_brotli=OFF
  -DFEATURE_pkg_config=OFF
  -DFEATURE_ssl=OFF -DFEATURE_openssl=OFF -DFEATURE_schannel=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_tuiotouch=OFF -DFEATURE_mimetype_database=ON
  -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF
  -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_direct2d1_1=OFF -DFEATURE_pdf=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF
  -DFEATURE_undocommand=OFF -DFEATURE_undostack=OFF -DFEATURE_undogroup=OFF
  -DFEATURE_undoview=OFF -DFEATURE_graphicsview=OFF -DFEATURE_mdiarea=OFF
  -DFEATURE_calendarwidget=OFF -DFEATURE_datetimeedit=OFF -DFEATURE_wizard=OFF
  -DFEATURE_fontdialog=OFF -DFEATURE_colordialog=OFF -DFEATURE_fontcombobox=OFF
  -DFEATURE_keysequenceedit=OFF -DFEATURE_lcdnumber=OFF -DFEATURE_dial=OFF
  -DFEATURE_splashscreen=OFF -DFEATURE_toolbox=OFF -DFEATURE_columnview=OFF
)
build_qt() {
  local src build="$work/build/qtbase" multiarch
  src="$(srcdir qt6-base)"
  multiarch="$(dpkg-architecture -qDEB_HOST_MULTIARCH)"
  rm -rf "$build"
  cross_cmake -S "$src" -B "$build" "${qt_options[@]}" \
    -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$multiarch/cmake" \
    -DQt6HostInfo_DIR="/usr/lib/$multiarch/cmake/Qt6HostInfo"
  cmake --build "$build" --parallel "$jobs"
  cmake --install "$build"
}

# --- libxlsxwriter ----------------------------------------------------------------
# With the minizip and tmpfileplus it carries. Two changes for MinGW: the
# library opens files by UTF-8 names through the wide Windows calls, as its
# Windows build with Microsoft's compiler does (its source turns that off
# for MinGW, leaving the ANSI code page); and numbers are printed with
# MinGW's C99 printf, which writes what glibc writes (the system's would
# write e.g. 1E+020 for 1E+20).
build_xlsxwriter() {
  local src build="$work/build/libxlsxwriter"
  src="$(srcdir libxlsxwriter)"
  perl -0pi -e 's/#ifdef __MINGW32__\n#undef _WIN32\n#endif\n//g' \
    "$src/src/packager.c" "$src/src/utility.c"
  ! grep -q '__MINGW32__' "$src/src/packager.c" "$src/src/utility.c" \
    || die "libxlsxwriter: its MinGW branch is still there"
  perl -0pi -e 's/if\(MSVC\)(\s*list\(APPEND LXW_SOURCES third_party\/minizip\/iowin32\.c\))/if(WIN32)$1/' \
    "$src/CMakeLists.txt"
  grep -q 'if(WIN32)' "$src/CMakeLists.txt" \
    || die "libxlsxwriter: cannot add iowin32.c for Windows"
  rm -rf "$build"
  cross_cmake -S "$src" -B "$build" -DBUILD_SHARED_LIBS=ON \
    -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF -DUSE_SYSTEM_MINIZIP=OFF \
    -DCMAKE_C_FLAGS="-D__USE_MINGW_ANSI_STDIO=1"
  cmake --build "$build" --parallel "$jobs"
  cmake --install "$build"
}

# --- GoogleTest -------------------------------------------------------------------
# Static gtest and gmock with Windows' own threads (not winpthreads), as
# GoogleTest is meant to be built on Windows.
build_googletest() {
  local src build="$work/build/googletest"
  src="$(srcdir googletest)"
  rm -rf "$build"
  cross_cmake -S "$src" -B "$build" -DBUILD_SHARED_LIBS=OFF \
    -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON -Dgtest_disable_pthreads=ON
  cmake --build "$build" --parallel "$jobs"
  cmake --install "$build"
}

# --- run ----------------------------------------------------------------------------

if [ "$mode" = print ]; then
  collect_versions || exit 1
  text="$(key_text)"
  key="$(printf '%s' "$text" | sha256sum | cut -c1-12)"
  [ -f "$cache_root/$key/complete" ] || exit 1
  printf '%s\n' "$cache_root/$key/prefix"
  exit 0
fi

install_tools
ensure_chinese_locale
collect_versions || die "cannot tell the versions of ${sources[*]}"
text="$(key_text)"
key="$(printf '%s' "$text" | sha256sum | cut -c1-12)"
top="$cache_root/$key"
prefix="$top/prefix"
work="$top/work"
stamps="$top/stamps"
logs="$top/logs"

if [ -f "$top/complete" ]; then
  say "up to date ($key)"
  printf '%s\n' "$prefix"
  exit 0
fi

as_root mkdir -p "$cache_root"
as_root mkdir -p "$top"
[ -w "$top" ] || as_root chown "$(id -u):$(id -g)" "$top"
mkdir -p "$prefix" "$work" "$stamps" "$logs"
printf '%s\n' "$text" > "$top/key.txt"

# Two runs for the same key build it once: the second waits for the first.
exec 9> "$top/lock"
flock -w 7200 9 || die "another build of $top has held its lock for two hours"
if [ -f "$top/complete" ]; then
  printf '%s\n' "$prefix"
  exit 0
fi


say "key $key: $(printf '%s' "$text" | head -n ${#sources[@]} | tr '\n' ' ')"
step fetch fetch_all
step zlib build_zlib
step sqlite build_sqlite
step qtbase build_qt
step libxlsxwriter build_xlsxwriter
step googletest build_googletest

{
  printf '%s\n' "$text"
  for s in fetch zlib sqlite qtbase libxlsxwriter googletest; do
    printf 'seconds.%s=%s\n' "$s" "$(cat "$stamps/$s")"
  done
} > "$prefix/windeps.txt"
# The sources and build trees are not needed any more.
rm -rf "$work"
touch "$top/complete"
say "complete: $(du -sh "$prefix" | cut -f1) in $prefix"
printf '%s\n' "$prefix"
