#!/usr/bin/env bash
# End-to-end test of the built program. Starts prj_lorquin on a virtual
# display (Xvfb, 1280x800, 96 dpi) with a light window manager (openbox) and
# drives it only through the X server, as a user would: clicks, typed text
# and keys (xdotool). It checks what the user gets:
#   - with an empty settings store the program says it cannot connect; the
#     connection dialog (Enter for "确定") connects to the demo database and
#     stores the four settings (read back by the program's own reader);
#   - "查询" fills the header grid, the bottom bar shows the count;
#   - "输出" in each of the file types of the save dialog, chosen in the
#     dialog's own type list, writes the file the library's writer of that
#     type gives for the same grid, byte for byte (e2e_reference); a name
#     typed without an extension gets the one of the type chosen;
#   - a class typed into 存货大类 filters the grid;
#   - a double click asks "是否到末级？", "是" opens "BOM查询_细表" with the
#     components down to the last level, and its export works; its "帮助"
#     hands the help file beside the program to the desktop, though the
#     program was started from another folder;
#   - "退出" ends the program with status 0; a second start reads the stored
#     settings, and a class typed at once goes into 存货大类 and filters.
# Every wait has a deadline. A failure prints "E2E FAIL <step>: <what>";
# the screenshots of the run stay in <build>/e2e/screenshots.
#
#   tests/e2e/run-e2e.sh <build folder>
#   tests/e2e/run-e2e.sh --windows <Windows build folder>
#
# With --windows it drives the Windows program of a cross-build (its
# portable folder, from scripts/windows/package.sh) under Wine in a new
# Wine prefix, the same way; wine-program.sh says what differs there.
#
# Exit status 0 passed, 1 failed, 77 skipped (a tool it needs is missing).
set -uo pipefail

windows=
if [ "${1:-}" = --windows ]; then
  windows=1
  shift
fi

tools=(Xvfb openbox xdotool xmodmap xprop import python3)
if [ -n "$windows" ]; then tools+=(wine); else tools+=(xdg-open xdg-mime); fi
for tool in "${tools[@]}"; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done

source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "${1:-$source_dir/build}")
program=$build/src/prj_lorquin
reference=$build/tests/e2e/e2e_reference
database=$build/db/demo.sqlite3
help_file=$build/src/hlp/bomdetail_hlp.chm
work=$build/e2e
shots=$work/screenshots

rm -rf "$work"
mkdir -p "$shots" "$work/out" "$work/ref" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"

# The same surroundings for the program and the reference: C locale (the
# program then uses the Chinese regional formats), the X display, no scaling;
# Qt's own settings (the file dialog's state) in the work folder.
export LC_ALL=C.UTF-8 LANG=C.UTF-8 TZ=UTC QT_QPA_PLATFORM=xcb
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
export XDG_RUNTIME_DIR=$work/runtime
export BOMQUERY_SETTINGS_FILE=$work/settings.ini
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI QT_QPA_PLATFORMTHEME \
  QT_STYLE_OVERRIDE XDG_CURRENT_DESKTOP SESSION_MANAGER

# A viewer for the help, as a desktop has one: the desktop's opener
# (xdg-open) starts it with the file, and it notes which file that was.
help_opened=$work/help-opened
mkdir -p "$XDG_CONFIG_HOME" "$HOME/.local/share/applications"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >"%s"\n' "$help_opened" >"$work/help-viewer"
chmod +x "$work/help-viewer"
printf '%s\n' "[Desktop Entry]" "Type=Application" "Name=Help viewer" \
  "Exec=$work/help-viewer %f" "MimeType=application/vnd.ms-htmlhelp;text/html;" \
  >"$HOME/.local/share/applications/bomquery-help-viewer.desktop"
printf '%s\n' "[Default Applications]" \
  "application/vnd.ms-htmlhelp=bomquery-help-viewer.desktop" \
  "text/html=bomquery-help-viewer.desktop" >"$XDG_CONFIG_HOME/mimeapps.list"

# The program and the reference program, run in these surroundings.
run_program() { timeout 120 "$program"; }
run_reference() { "$reference" "$@"; }
# A path as the user types it into the program's dialogs.
typed_path() { printf '%s' "$1"; }

step=setup
shot_number=0
failures=()
program_pid=
xvfb_pid=
wm_pid=

cleanup() {
  for pid in $program_pid $wm_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null
  done
  wait 2>/dev/null
}
trap cleanup EXIT

shot() {
  shot_number=$((shot_number + 1))
  [ -n "${DISPLAY:-}" ] &&
    import -window root "$shots/$(printf %02d "$shot_number")-$1.png" 2>/dev/null
}

# Ends the run at a step that cannot go on.
fail() {
  echo "E2E FAIL $step: $1"
  shot "failed-$step"
  if [ -s "$work/program.log" ]; then
    echo "program output:"
    tail -n 20 "$work/program.log"
  fi
  echo "screenshots: $shots"
  exit 1
}

# A wrong result the run can go on after; reported at the end.
mismatch() {
  echo "E2E FAIL $step: $1"
  failures+=("$step: $1")
  shot "mismatch-$step"
}

now_ms() {
  local micro=${EPOCHREALTIME/[.,]/}
  echo $((micro / 1000))
}
started_ms=$(now_ms)

# Names the step that follows; the line shows the seconds since the start.
begin() {
  step=$1
  local ms=$(($(now_ms) - started_ms))
  printf '%3d.%ds %s\n' $((ms / 1000)) $((ms % 1000 / 100)) "$1"
}

# wait_for <seconds> <command...>: polls until the command succeeds; fails
# (status 1) when it has not within that time.
wait_for() {
  local deadline=$(($(now_ms) + $1 * 1000))
  shift
  until "$@"; do
    (($(now_ms) < deadline)) || return 1
    sleep 0.1
  done
}

# wait_until <seconds> <what> <command...>: polls until the command succeeds.
wait_until() {
  local seconds=$1 what=$2
  shift 2
  local deadline=$(($(now_ms) + seconds * 1000))
  until "$@"; do
    (($(now_ms) < deadline)) || fail "no $what within ${seconds}s"
    sleep 0.1
  done
}

# The visible window whose title is exactly $1 ("" when none).
window_named() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

display_open() { xdotool getdisplaygeometry >/dev/null 2>&1; }
window_manager_running() {
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"
}
window_gone() { [ -z "$(window_named "$1")" ]; }
window_active() {
  local id
  id=$(window_named "$1")
  [ -n "$id" ] && [ "$(xdotool getactivewindow 2>/dev/null)" = "$id" ]
}

# Waits until the window titled $1 is shown and has the keyboard; sets $win.
wait_active() {
  wait_until "${2:-10}" "active window \"$1\"" window_active "$1"
  win=$(window_named "$1")
}

click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
double_click() {
  xdotool mousemove --window "$1" "$2" "$3" click --repeat 2 --delay 80 1
}
keys() { xdotool key --delay 30 "$@"; }
type_text() { xdotool type --delay 15 -- "$1"; }

# Gives each character of $1 that the keymap lacks a key of its own. Else
# xdotool binds a spare key for each such character and unbinds it right
# after, and a busy program may read the key with the keymap of after.
bind_characters() {
  local text=$1 free code c i=0
  mapfile -t free < <(xmodmap -pke | awk 'NF == 3 { print $2 }')
  for ((c = 0; c < ${#text}; c++)); do
    [[ ${text:c:1} == [[:ascii:]] ]] && continue
    printf -v code 'U%04X' "'${text:c:1}"
    ((i < ${#free[@]})) || fail "no free key for the characters of \"$text\""
    xmodmap -e "keycode ${free[i]} = $code" || fail "xmodmap cannot bind $code"
    i=$((i + 1))
  done
}

# text_in <window> <x> <y> <width> <height> <text> [box]: the window shows
# the text in that rectangle (negative y counts from the bottom).
text_in() {
  local window=$1 x=$2 y=$3 HEIGHT=0
  eval "$(xdotool getwindowgeometry --shell "$window" | grep '^HEIGHT=')"
  ((y < 0)) && y=$((HEIGHT + y))
  import -window "$window" "$work/look.png" 2>/dev/null &&
    run_reference find-text "$work/look.png" "$x" "$y" "$4" "$5" "$6" ${7:+"$7"}
}

wait_text() {
  wait_until "${8:-10}" "text \"$6\" in window \"$1\"" \
    text_in "$(window_named "$1")" "$2" "$3" "$4" "$5" "$6" "${7:-}"
}

start_program() {
  # From a folder of its own: nothing may depend on the working folder.
  (cd "$work/home" && run_program) >"$work/program.log" 2>&1 &
  program_pid=$!
}

program_ended() { ! kill -0 "$program_pid" 2>/dev/null; }

# Waits for the program to end; fails unless its status is 0.
wait_exit() {
  wait_until 10 "end of the program" program_ended
  wait "$program_pid"
  local status=$?
  program_pid=
  ((status == 0)) || fail "the program ended with status $status"
}

# Prints the file the desktop's help viewer was given, once it has been
# (status 1 when none is within 10 s).
help_shown() {
  wait_for 10 test -s "$help_opened" && head -n 1 "$help_opened"
}

# The save dialog's file types in order, their writers and the extension
# typed for each.
type_names=("" "Excel 文档" "Word 文档" "Html 网页" "纯文本 文档" "Excel 工作簿")
writer_names=("" XLS RTF HTML text XLSX)
extensions=("" xls rtf html txt xlsx)

# save_in_dialog <window title> <type> <path>: in the save dialog that
# window just opened, chooses the type (1 the first) in the dialog's own
# type list, types the path as the file name and saves.
save_in_dialog() {
  wait_active "另存为"
  # Alt+N puts the keyboard into the file name; Tab goes on to the file type
  # list, where Home selects the first type and each Down the next one.
  keys alt+n Tab Home
  for ((i = 1; i < $2; i++)); do keys Down; done
  keys alt+n ctrl+a
  type_text "$3"
  shot "$step"
  keys Return
  wait_until 10 "closed save dialog" window_gone "另存为"
}

# same_export <file> <reference>: the same bytes; for a workbook (a zip
# archive) the same members with the same bytes, but for the time of
# writing that it records in docProps/core.xml.
same_export() { python3 "$source_dir/tests/e2e/same_export.py" "$1" "$2"; }

# export_grid <window title> <type> <name> [typed]: "输出" in that window,
# the type (1 the first) chosen in the dialog's type list, the file typed as
# work/out/<name>-<type> without an extension (or with it, given "typed");
# the file work/out/<name>-<type>.<extension> is compared with work/ref/ of
# the same name.
export_grid() {
  local title=$1 type=$2 file typed
  file=$3-$type.${extensions[$type]}
  typed=$3-$type
  [ "${4:-}" = typed ] && typed=$file
  begin "export-$3-$type"
  click "$(window_named "$title")" "$toolbar_export_x" "$toolbar_y"
  save_in_dialog "$title" "$type" "$(typed_path "$work/out/$typed")"
  wait_active "$title"
  if ! wait_for 10 test -e "$work/out/$file"; then
    mismatch "\"${type_names[$type]}\" with $typed typed wrote no $file; out/ holds: $(ls "$work/out" | tr '\n' ' ')"
    return
  fi
  same_export "$work/out/$file" "$work/ref/$file" && return
  local got t
  got="first bytes$(head -c 8 "$work/out/$file" | od -An -tx1 | tr -s ' ')"
  for ((t = 1; t < ${#extensions[@]}; t++)); do
    same_export "$work/out/$file" "$work/ref/$3-$t.${extensions[$t]}" &&
      got="but what the ${writer_names[$t]} writer gives"
  done
  mismatch "\"${type_names[$type]}\" wrote $file: not what the ${writer_names[$type]} writer gives, $got"
}

# Positions inside the windows, from their layout at 96 dpi: the toolbar
# buttons of both windows ("查询", "输出", the third, "退出": at least 42 px
# wide each, a separator between) in the 45 px band; the class box (x 54,
# y 52 in the 79 px filter panel below the band); the first data row of the
# header grid, below the panel and the grid's title row; the connection
# dialog's edit boxes (x 88, 209 px wide).
toolbar_y=22
toolbar_query_x=25
toolbar_export_x=75
toolbar_third_x=125
toolbar_exit_x=175
class_box=(94 107)
first_header_row=(150 152)
link_edit_x=190
link_edit_y=(36 66 97 128)

[ -n "$windows" ] && source "$source_dir/tests/e2e/wine-program.sh"

for file in "$program" "$reference" "$database"; do
  [ -e "$file" ] || fail "$file is missing: build the project first"
done

begin display
# -noreset: the server keeps its keymap when its last client leaves.
Xvfb -displayfd 3 -screen 0 1280x800x24 -dpi 96 -nolisten tcp -noreset \
  3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_until 10 "virtual display" test -s "$work/display"
display=$(head -n 1 "$work/display")
export DISPLAY=:$display
wait_until 10 "connection to the virtual display" display_open
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
wait_until 10 "window manager" window_manager_running

# The class typed into 存货大类.
class_name=减速机

begin reference
for grid in "main main" "main class $class_name" "detail detail $class_name"; do
  read -r kind name class <<<"$grid"
  run_reference "$kind" "$database" "${class:-}" "$work/ref/$name" \
    >"$work/ref/$name.count" || fail "e2e_reference could not write $name-*"
done
all_count=$(cat "$work/ref/main.count")
class_count=$(cat "$work/ref/class.count")
detail_count=$(cat "$work/ref/detail.count")

# The program reads the keymap when it starts.
bind_characters "$class_name"

begin start-empty
rm -f "$BOMQUERY_SETTINGS_FILE"
start_program
wait_active "提示" 20
wait_text "提示" 0 0 2000 2000 "数据库连接失败,请点击连接重新设置!" box
shot "$step"
keys Return
wait_until 10 "closed message" window_gone "提示"
wait_active "BOM查询"
main=$win

begin connect
click "$main" "$toolbar_third_x" "$toolbar_y"
wait_active "数据库连接"
link=$win
values=(embedded "$(typed_path "$database")" demo "")
for i in 0 1 2 3; do
  click "$link" "$link_edit_x" "${link_edit_y[$i]}"
  keys ctrl+a BackSpace
  [ -n "${values[$i]}" ] && type_text "${values[$i]}"
done
shot "$step"
# Enter in the password box presses "确定".
keys Return
wait_active "提示"
wait_text "提示" 0 0 2000 2000 "登录成功！" box
keys Return
wait_until 10 "closed connection dialog" window_gone "数据库连接"

begin stored-settings
expected=$(printf '%s\n' "${values[@]}")
stored=$(run_reference settings) || fail "the stored settings cannot be read"
[ "$stored" = "$expected" ] ||
  mismatch "stored settings are [${stored//$'\n'/|}], not [${expected//$'\n'/|}]"
if [ -z "$windows" ]; then
  # The settings file scripts/demo-settings.sh writes reads back the same.
  "$source_dir/scripts/demo-settings.sh" "$database" >"$work/demo-settings.ini"
  demo=$(BOMQUERY_SETTINGS_FILE=$work/demo-settings.ini run_reference settings)
  [ "$demo" = "$expected" ] ||
    mismatch "scripts/demo-settings.sh gives [${demo//$'\n'/|}], not what the program stores"
fi

begin query
click "$main" "$toolbar_query_x" "$toolbar_y"
wait_text "BOM查询" 0 -28 260 28 "记录数为：$all_count"
shot "$step"

for ((type = 1; type < ${#extensions[@]}; type++)); do
  [ -e "$work/ref/main-$type.${extensions[$type]}" ] ||
    fail "e2e_reference wrote no main-$type.${extensions[$type]}: the file types differ"
  export_grid "BOM查询" "$type" main
done

begin class-filter
click "$main" "${class_box[@]}"
type_text "$class_name"
wait_text "BOM查询" 0 -28 260 28 "记录数为：$class_count"
shot "$step"
export_grid "BOM查询" 1 class typed

begin open-components
double_click "$main" "${first_header_row[@]}"
wait_active "提示"
wait_text "提示" 0 0 2000 2000 "是否到末级？" box
shot "$step"
keys y
wait_active "BOM查询_细表"
wait_text "BOM查询_细表" 0 -30 300 30 "记录数为：$detail_count"
shot "$step-open"
export_grid "BOM查询_细表" 2 detail typed

begin help
rm -f "$help_opened"
click "$(window_named "BOM查询_细表")" "$toolbar_third_x" "$toolbar_y"
if opened=$(help_shown); then
  [ "$opened" = "$(typed_path "$help_file")" ] ||
    mismatch "帮助 opened $opened, not the help file beside the program"
else
  mismatch "帮助 opened nothing"
  window_active "提示" && keys Return
fi
wait_active "BOM查询_细表"

begin close
click "$(window_named "BOM查询_细表")" "$toolbar_exit_x" "$toolbar_y"
wait_until 10 "closed component window" window_gone "BOM查询_细表"
click "$main" "$toolbar_exit_x" "$toolbar_y"
wait_exit

begin restart
start_program
wait_active "BOM查询" 20
main=$win
# Typing right after the start goes into 存货大类, which filters at once:
# the connection made from the stored settings works.
type_text "$class_name"
wait_text "BOM查询" 0 -28 260 28 "记录数为：$class_count"
shot "$step"
click "$main" "$toolbar_exit_x" "$toolbar_y"
wait_exit

if ((${#failures[@]})); then
  echo "E2E FAILED: ${#failures[@]} check(s), listed above; screenshots: $shots"
  exit 1
fi
echo "E2E PASSED; screenshots: $shots"
