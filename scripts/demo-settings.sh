#!/usr/bin/env bash
# Prints a settings file (the INI form of the per-machine store) that
# points the program at the SQLite demo database given as the argument.
set -euo pipefail
database=$(realpath "$1")
cat <<INI
[SOFTWARE]
TORVA\\BELKO\\DBLinkInfo\\dbserver=embedded
TORVA\\BELKO\\DBLinkInfo\\dbdatabase=$database
TORVA\\BELKO\\DBLinkInfo\\dbuser=demo
TORVA\\BELKO\\DBLinkInfo\\dbpassword=
INI
