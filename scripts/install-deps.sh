#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need on Debian 12.
# Safe to run again: packages already present are left as they are.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev libqt6sql6-sqlite libqt6sql6-odbc
  unixodbc-dev unixodbc odbcinst tdsodbc libsqliteodbc sqlite3 libsqlite3-dev
  libgtest-dev libgmock-dev fonts-wqy-zenhei xvfb xauth python3
  qt6-translations-l10n xdg-utils libxlsxwriter-dev python3-openpyxl
  # the end-to-end test: input, keymap, window manager, screenshots
  xdotool x11-xserver-utils openbox x11-utils imagemagick
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  # tdsodbc registers the FreeTDS driver with odbcinst only when its debconf
  # question is answered yes; preseed it so the non-interactive install does it.
  echo "tdsodbc tdsodbc/addtoodbc boolean true" | $SUDO debconf-set-selections
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
