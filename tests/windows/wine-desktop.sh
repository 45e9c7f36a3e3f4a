#!/usr/bin/env bash
# The Windows build on a real desktop: mirto.exe under Wine on Xvfb with
# openbox, trayer and tint2 (desktop-session.sh), beside a demo collection of
# Windows stand-ins, driven by xdotool. One launcher for the cases, in
# order: its window, its first frame, starting programs, dropping files,
# the tray, a second start, dragging, and Exit.
#
#   wine-desktop.sh MIRTO_EXE
#
# Besides desktop-session.sh's variables it needs WINEPREFIX (a prepared
# prefix) and:
#   MIRTO_PLACEHOLDER        the Windows stand-in (mirto-placeholder.exe)
#   MIRTO_MAKE_DEMO          tools/make-demo-collection
#   MIRTO_SCREENSHOT         the Windows screenshot tool (mirto-screenshot.exe)
#   MIRTO_LAYOUT_CHECK       the Windows picture comparison (windows_layout_check.exe)
#   MIRTO_LINUX_FIRST_FRAME  the Linux build's first frame (docs/screenshots/categories.png)
#   MIRTO_DRAG_SOURCE        the Windows drag source (windows_drag_source.exe)
#   MIRTO_MAP_TIME, MIRTO_FLOOR_WIN32, MIRTO_FLOOR_QT
#                            the start-up comparison (bench/windows)
set -uo pipefail
source "$MIRTO_DESKTOP_LIB"

for tool in wine winepath; do
  command -v "$tool" >/dev/null 2>&1 || {
    echo "SKIP: '$tool' is not installed (scripts/test --windows installs it)" >&2
    exit 77
  }
done
[ -n "${WINEPREFIX:-}" ] || desk_fail "WINEPREFIX is not set"

# Wine's shell process serves the display of the first program of a prefix
# for as long as its server runs: the check starts a server of its own for
# this display and ends it with every Windows program it left.
wineserver -k 2>/dev/null
wineserver -w
trap 'desk_stop_started; wineserver -k 2>/dev/null' EXIT

# The launcher and its collection in a folder of their own.
dir="$MIRTO_DESKTOP_DIR/launcher"
mkdir -p "$dir"
cp -f "$1" "$dir/mirto.exe"
"$MIRTO_MAKE_DEMO" "$dir" "$MIRTO_PLACEHOLDER" >/dev/null || desk_fail "could not lay out the demo collection"
: >"$dir/apps64/launches.log"
export MIRTO_DEMO_QUIET=1

# The stand-ins log Windows paths; the checks read them as this system's,
# and hand Windows programs theirs.
unix_path() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }
windows_path() { winepath -w "$1" 2>/dev/null | tr -d '\r'; }

# wine_expect_launch WHAT ID [FILE...]: one new start of program ID in its
# own folder, with exactly FILE... as its arguments (as Windows paths).
wine_expect_launch() {
  local what="$1" id="$2" line got exe cwd rest want=() file
  shift 2
  for file in "$@"; do want+=("$(windows_path "$file")"); done
  desk_until 15 "$what: program $id was not started" test -s "$desk_launches"
  sleep 0.3
  [ "$(wc -l <"$desk_launches")" -eq 1 ] \
    || desk_fail "$what: more than one start: $(tr '\t\n' ' |' <"$desk_launches")"
  line="$(tr -d '\r' <"$desk_launches")"
  : >"$desk_launches"
  IFS=$'\t' read -r got exe cwd rest <<<"$line"
  [ "$got" = "$id" ] || desk_fail "$what: started program ${got:-?} ($exe), not $id"
  [ "$(unix_path "$cwd")" = "$(dirname "$(unix_path "$exe")")" ] \
    || desk_fail "$what: $exe ran in $cwd, not in its own folder"
  [ "$rest" = "$(IFS=$'\t'; echo "${want[*]}")" ] \
    || desk_fail "$what: $exe was given the arguments '$rest', not '${want[*]}'"
}

desk_start "$MIRTO_DESKTOP_DIR/mirto.log" wine "$dir/mirto.exe"
mirto_pid="$desk_pid"
# A new prefix starts slowly the first time.
main="$(desk_window 60 '^Mirto 2\.21 \[64-bit\]$')" || exit 1
desk_until 10 "the main window never became Normal" desk_is_wm_state "$main" Normal
sleep 1

window_shell() {
  local name width height x y
  name="$(xdotool getwindowname "$main")"
  [ "$name" = "Mirto 2.21 [64-bit]" ] || desk_fail "the caption is '$name'"
  read -r width height < <(xwininfo -id "$main" | awk '/^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print w, h}')
  [ "$width x $height" = "615 x 336" ] || desk_fail "the window is $width x $height, not 615 x 336"
  read -r x y < <(desk_position "$main")
  # Centred on the screen, or on what the taskbar and the tray leave of it.
  local sx=$(((1024 - 615) / 2)) sy=$(((768 - 336) / 2)) wy=$(((30 + 768 - 28 - 336) / 2))
  { [ "$((x - sx))" -ge -2 ] && [ "$((x - sx))" -le 2 ]; } || desk_fail "not centred: x $x, expected $sx"
  { [ "$((y - sy))" -ge -16 ] && [ "$((y - sy))" -le 16 ]; } || [ "$((y - wy))" -eq 0 ] \
    || desk_fail "not centred: y $y, expected $sy"
}
desk_case WindowShowsItsCaptionAt615x336Centred window_shell

first_frame() {
  local picture="$MIRTO_DESKTOP_DIR/windows-first-frame.png"
  (cd "$dir" && wine "$MIRTO_SCREENSHOT" "$(windows_path "$picture")") \
    >"$MIRTO_DESKTOP_DIR/screenshot.log" 2>&1 \
    || desk_fail "the screenshot tool failed: $(cat "$MIRTO_DESKTOP_DIR/screenshot.log")"
  wine "$MIRTO_LAYOUT_CHECK" "$(windows_path "$picture")" \
    "$(windows_path "$MIRTO_LINUX_FIRST_FRAME")" \
    || desk_fail "the first frame under Wine differs in layout from Linux's"
  [ -z "${MIRTO_WINDOWS_SHOTS:-}" ] || cp "$picture" "$MIRTO_WINDOWS_SHOTS/"
}
desk_case FirstFrameHasTheLayoutOfTheLinuxBuild first_frame

xdotool windowactivate --sync "$main" 2>/dev/null
launching() {
  desk_at cat10
  sleep 0.5
  desk_at left
  wine_expect_launch "category then program button" 14
  desk_keys alt+1
  wine_expect_launch "Alt+1" 21
  desk_keys alt+Home
}
desk_case CategoryThenProgramButtonAndAlt1StartTheStandIn launching

files_dropped() {
  local drops="$MIRTO_DESKTOP_DIR/drops" source
  mkdir -p "$drops"
  touch "$drops/first clip.flv" "$drops/-second.flv"
  desk_keys ctrl+3  # Flash Video Converters: 16 on the left
  desk_start "$MIRTO_DESKTOP_DIR/drag-source.log" wine "$MIRTO_DRAG_SOURCE" \
    "$(windows_path "$drops/first clip.flv")" "$(windows_path "$drops/-second.flv")"
  source="$(desk_window 30 '^Drag source$')" || exit 1
  sleep 0.5
  desk_carry "$source" left
  wine_expect_launch "two files dropped on a program button" 16 \
    "$drops/first clip.flv" "$drops/-second.flv"
  kill "$desk_pid" 2>/dev/null
  xdotool windowactivate --sync "$main"
  desk_keys alt+Home
}
desk_case FilesDroppedOnAProgramButtonArriveAsTwoArguments files_dropped

tray() {
  local icon ix iy
  desk_at tray
  desk_until 5 "Minimize to tray did not take the window off screen" \
    sh -c "! xwininfo -id $main | grep -q IsViewable"
  # Wine's own shell (explorer.exe) docks the icons of Windows programs.
  desk_until 10 "no tray icon appeared in the tray host" desk_tray_icon explorer.exe
  read -r icon ix iy < <(desk_tray_icon explorer.exe)
  desk_click "$ix" "$iy"
  desk_until 5 "after the tray icon's click the window is not on screen" desk_viewable "$main"
}
desk_case MinimiseToTheTrayAndTheIconBringsItBack tray

second_start() {
  local rc=0
  (cd "$MIRTO_DESKTOP_DIR" && timeout 30 wine "$dir/mirto.exe") >"$MIRTO_DESKTOP_DIR/second.log" 2>&1 || rc=$?
  [ "$rc" -eq 0 ] || desk_fail "the second start exited with $rc: $(cat "$MIRTO_DESKTOP_DIR/second.log")"
  sleep 0.5
  [ "$(desk_visible_windows 'Mirto 2.21 \[64-bit\]' | grep -c .)" -eq 1 ] \
    || desk_fail "a second start left $(desk_visible_windows 'Mirto 2.21 \[64-bit\]' | grep -c .) windows"
}
desk_case SecondStartHandsOverAndExitsZero second_start

xdotool windowactivate --sync "$main" 2>/dev/null
dragging() { desk_check_drag "$main" "drag by the title bar" 440 30 60 40; }
desk_case DragByTheTitleBarMovesTheWindowAndStopsAtTheRelease dragging

closing() {
  desk_at close
  desk_until 10 "a click on Exit did not end the launcher" sh -c "! kill -0 $mirto_pid 2>/dev/null"
}
desk_case ExitEndsTheLauncher closing
wait "$mirto_pid"
status=$?
exit_status() {
  [ "$status" = 0 ] || desk_fail "the launcher ended with status $status: $(cat "$MIRTO_DESKTOP_DIR/mirto.log")"
}
desk_case ExitEndsWithStatusZero exit_status

# Start-up on this display: the launcher against a bare Win32 window and a
# bare Qt window built the same way; ratios only, nothing to pass or fail
# but the measuring itself.
startup() {
  [ -n "${MIRTO_MAP_TIME:-}" ] || return 0
  (cd "$dir" && wine "$MIRTO_MAP_TIME" "${MIRTO_STARTUP_ROUNDS:-7}" \
    "$(windows_path "$MIRTO_FLOOR_WIN32")" "$(windows_path "$MIRTO_FLOOR_QT")" \
    "$(windows_path "$dir/mirto.exe")") | tr -d '\r' | tee "$MIRTO_DESKTOP_DIR/startup.txt"
  [ "$(grep -c ' ms ' "$MIRTO_DESKTOP_DIR/startup.txt")" -eq 3 ] || desk_fail "the start-up times were not taken"
}
desk_case StartUpAgainstABareWin32AndABareQtWindow startup
desk_cases_done
