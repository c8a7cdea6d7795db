#!/usr/bin/env bash
# Prints a settings file that points the program at the SQLite demo
# database given as the argument, exactly as the program itself writes it:
# UTF-8, a "[section]" line, then one "key=value" line per value, the value
# taken literally up to the end of the line except that "\" is written
# "\\" (and a line feed "\n", a carriage return "\r"). See the README.
set -euo pipefail
database=$(realpath "$1")
database=${database//\\/\\\\}
database=${database//$'\n'/\\n}
database=${database//$'\r'/\\r}
cat <<INI
[SOFTWARE]
TORVA\\BELKO\\DBLinkInfo\\dbserver=embedded
TORVA\\BELKO\\DBLinkInfo\\dbdatabase=$database
TORVA\\BELKO\\DBLinkInfo\\dbuser=demo
TORVA\\BELKO\\DBLinkInfo\\dbpassword=
INI
