# Sourced by run-e2e.sh --windows: what differs when the program under test
# is the Windows program of a cross-build, run under Wine.
#   - The program is the portable folder's prj_lorquin.exe (package.sh), as
#     a user unpacks it: its DLLs, plug-ins, translations and help files
#     beside it. The reference is the Windows build's e2e_reference.exe.
#   - Both run in a new Wine prefix of the run's own, in Chinese regional
#     settings (Wine takes them from the locale), with the system colours of
#     Wine, on the windows platform with the FreeType font engine, as
#     Windows draws text.
#   - The settings store is Wine's registry; the paths typed are Windows
#     paths (drive Z: is the Linux root).
#   - The save dialog is the system's own, driven by its keys; the help file
#     goes to the system's help viewer (hh.exe).
# shellcheck shell=bash

package=$build/package/bomquery
program=$package/prj_lorquin.exe
reference=$build/tests/e2e/e2e_reference.exe
database=$package/db/demo.sqlite3
help_file=$package/hlp/bomdetail_hlp.chm
wine_run=$source_dir/scripts/windows/wine-run.sh

export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8
export WINEPREFIX=$work/wineprefix
export QT_QPA_PLATFORM=windows:fontengine=freetype
unset E2E_FIXED_SYSTEM_COLOURS

run_program() { BOMQUERY_WINE_TIMEOUT=120 "$wine_run" "$program"; }

# Windows programs end their lines with CR LF.
run_reference() {
  BOMQUERY_WINE_TIMEOUT=120 "$wine_run" "$reference" "$@" | tr -d '\r'
}

typed_path() {
  local path=${1//\//\\}
  printf 'Z:%s' "$path"
}

# Every Wine program of the prefix ends before the display does.
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  timeout 30 wineserver -k 2>/dev/null
  for pid in $wm_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null
  done
  wait 2>/dev/null
}

# The system's save dialog has no title of the program's: it is the window
# that takes the keyboard from the program's window titled $1.
save_dialog_open() {
  local active
  active=$(xdotool getactivewindow 2>/dev/null) || return 1
  [ "$active" != "$(window_named "$1")" ] || return 1
  save_dialog=$active
}
save_dialog_closed() { ! xdotool getwindowname "$save_dialog" >/dev/null 2>&1; }

# The keyboard starts in the file name; Tab goes on to the file type list,
# where Home selects the first type and each Down the next one; Shift+Tab
# goes back. The name box is emptied with its own keys (End, Shift+Home).
save_in_dialog() {
  wait_until 20 "the save dialog" save_dialog_open "$1"
  keys Tab Home
  for ((i = 1; i < $2; i++)); do keys Down; done
  keys shift+Tab End shift+Home BackSpace
  type_text "$3"
  shot "$step"
  keys Return
  wait_until 10 "closed save dialog" save_dialog_closed
  # Wine hands the keyboard back to the program's window by asking the
  # window manager, which may leave no window active; the user clicks the
  # window then.
  wait_for 3 window_active "$1" ||
    xdotool windowactivate "$(window_named "$1")" 2>/dev/null
}

# The help viewer started by the shell: its command line names the file.
help_viewer_pid() { pgrep -f -i 'hh\.exe' | head -n 1; }
help_viewer_running() { [ -n "$(help_viewer_pid)" ]; }
help_shown() {
  local pid
  wait_for 20 help_viewer_running || return 1
  pid=$(help_viewer_pid)
  tr '\0' '\n' <"/proc/$pid/cmdline" | grep -i -m 1 '\.chm$'
  kill "$pid" 2>/dev/null
}
