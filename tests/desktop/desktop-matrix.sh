#!/usr/bin/env bash
# The launcher on each desktop of the matrix (desktop-session.sh --desktop
# NAME): it starts with size hints that fix its size, is dragged and stops at
# the release, starts a program with a click, opens its tray menu and
# chooses from it, is minimised and restored, keeps its size against every
# way the window manager has of changing it (maximise, full screen, a resize
# request, Alt + right-drag) and ends with status 0. Run inside
# desktop-session.sh with the launcher's executable as argument.
set -uo pipefail
source "$MIRTO_DESKTOP_LIB"

desk_mirto_start "$1"
# A failed case leaves the window as a window manager may have left it:
# the next one starts from the window's own size and state.
desk_recover() {
  wmctrl -i -r "$main" -b remove,maximized_vert,maximized_horz 2>/dev/null
  wmctrl -i -r "$main" -b remove,fullscreen 2>/dev/null
  xdotool windowsize "$main" 615 336 2>/dev/null
  desk_mirto_recover
}

# desk_size WIN: "WIDTH HEIGHT" of the window's client area on the screen.
desk_size() { xwininfo -id "$1" | awk '/^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print w, h}'; }
has_size() { [ "$(desk_size "$1")" = "$2 $3" ]; }

# size_hints WIN: "MINW MINH MAXW MAXH" of the window's WM_NORMAL_HINTS.
size_hints() {
  xprop -id "$1" WM_NORMAL_HINTS | awk '
    /minimum size:/ {min = $(NF - 2) " " $NF}
    /maximum size:/ {max = $(NF - 2) " " $NF}
    END {print min, max}'
}

# expect_fixed WHAT WIN W H: the window's hints hold it to W x H, and the
# window manager offers neither a resize nor a maximise.
expect_fixed() {
  local what="$1" win="$2" w="$3" h="$4" actions
  [ "$(size_hints "$win")" = "$w $h $w $h" ] \
    || desk_fail "$what: the size hints are min/max $(size_hints "$win"), not $w $h $w $h"
  actions="$(desk_prop "$win" _NET_WM_ALLOWED_ACTIONS)"
  case "$actions" in
    *RESIZE* | *MAXIMIZE*) desk_fail "$what: the window manager offers $actions" ;;
  esac
}

# expect_kept WHAT: the main window is back to (or still at) 615 x 336 and
# neither maximised nor full screen, and stays so.
expect_kept() {
  desk_wait 3 has_size "$main" 615 336 \
    || desk_fail "$1: the window is $(desk_size "$main" | tr ' ' x), not 615x336"
  sleep 0.4
  has_size "$main" 615 336 || desk_fail "$1: the window became $(desk_size "$main" | tr ' ' x) again"
  case "$(desk_net_wm_state "$main")" in
    *MAXIMIZED* | *FULLSCREEN*) desk_fail "$1: the window stayed $(desk_net_wm_state "$main")" ;;
  esac
}

started() {
  expect_fixed "the main window" "$main" 615 336
  has_size "$main" 615 336 || desk_fail "the window opened $(desk_size "$main" | tr ' ' x)"
}
desk_case StartsWithAFixedSize started

drag() { desk_check_drag "$main" "drag by the title bar" 440 30 -60 40; }
desk_case DragByTheTitleBarEndsWithTheRelease drag

launch() {
  desk_at cat30
  sleep 0.5
  desk_expect_view "a click on a category button, then on a program button" 30
}
desk_case AClickOnAProgramButtonStartsIt launch

# The tray menu: XEmbed trays hand the launcher the right click and it draws
# its menu; xfce4-panel hosts the launcher's status notifier item and draws
# the item's menu itself, from the D-Bus menu the item exports.
open_menus() { xdotool search --onlyvisible --classname '.' 2>/dev/null | grep -c .; }
tray_menu() {
  local ix iy before
  desk_at tray
  desk_until 3 "Minimize to tray did not take the window off screen" sh -c "! xwininfo -id $main | grep -q IsViewable"
  desk_until 5 "no tray icon appeared in the tray" desk_tray_icon mirto
  read -r _ ix iy < <(desk_tray_icon mirto)
  before="$(open_menus)"
  desk_click "$ix" "$iy" 3
  desk_until 3 "a right click on the tray icon opened no menu" sh -c "[ \"\$(xdotool search --onlyvisible --classname . | grep -c .)\" -gt $before ]"
  sleep 0.3
  # shellcheck disable=SC2046
  xdotool key --delay 30 $(printf 'Down %.0s' $(seq 13)) Return  # Video -> FLV / SWF
  desk_expect_launch "the tray menu's Video to FLV entry" 16
  desk_click "$ix" "$iy"
  desk_until 3 "a click on the tray icon did not bring the window back" desk_viewable "$main"
  desk_wait 3 desk_is_wm_state "$main" Normal || desk_fail "the window came back $(desk_wm_state "$main")"
  xdotool windowactivate --sync "$main" 2>/dev/null
}
if [ -n "$MIRTO_TRAY_PID" ]; then desk_case TheTrayIconsMenuChoosesAProgramAndItsClickRestores tray_menu; fi

minimise() {
  local x y
  desk_at minimize
  desk_until 3 "Minimize did not make the window Iconic" desk_is_wm_state "$main" Iconic
  if read -r x y < <(desk_prop "$main" _NET_WM_ICON_GEOMETRY | tr -d , | grep -E '^[0-9]+ [0-9]+ [0-9]+ [0-9]+$' \
    | awk '$3 > 0 {print $1 + int($3 / 2), $2 + int($4 / 2)}' | grep .); then
    desk_click "$x" "$y"  # the window's button on the taskbar
  else
    wmctrl -i -a "$main"  # as a task list asks for it
  fi
  desk_until 3 "the window was not restored" desk_is_wm_state "$main" Normal
  desk_until 3 "the restored window is not on screen" desk_viewable "$main"
  expect_kept "after minimising and restoring"
}
desk_case MinimiseAndRestore minimise

maximise() {
  wmctrl -i -r "$main" -b add,maximized_vert,maximized_horz
  sleep 0.3
  expect_kept "after a maximise request"
  [ -n "${MIRTO_SHOT_AFTER_MAXIMISE:-}" ] && "$MIRTO_GRAB_SCREEN" "$MIRTO_SHOT_AFTER_MAXIMISE"
  wmctrl -i -r "$main" -b add,maximized_vert
  sleep 0.3
  expect_kept "after a request to maximise it vertically"
}
desk_case AMaximiseRequestLeavesTheSize maximise

full_screen() {
  wmctrl -i -r "$main" -b add,fullscreen
  sleep 0.3
  expect_kept "after a full-screen request"
}
desk_case AFullScreenRequestLeavesTheSize full_screen

resize() {
  xdotool windowsize "$main" 700 600
  sleep 0.3
  expect_kept "after a request to resize it to 700x600"
}
desk_case AResizeRequestLeavesTheSize resize

alt_right_drag() {
  local x y
  # From near the bottom-right corner: the window manager's own resize.
  read -r x y < <(desk_position "$main")
  # shellcheck disable=SC2046
  xdotool mousemove --sync $((x + 560)) $((y + 290)) keydown alt sleep 0.1 mousedown 3 sleep 0.1 \
    $(desk_steps $((x + 560)) $((y + 290)) 60 150) sleep 0.2 mouseup 3 sleep 0.1 keyup alt
  expect_kept "after an Alt + right-drag"
  desk_expect_view "a click after the attempts to resize" 30
}
desk_case AnAltRightDragLeavesTheSize alt_right_drag

about_window() {
  local about
  desk_at about
  about="$(desk_window 5 '^About$')" || exit 1
  expect_fixed "the about window" "$about" 566 389
  xdotool key Escape
  desk_until 3 "Esc did not close the about window" sh -c "! xwininfo -id $about | grep -q IsViewable"
}
desk_case TheAboutWindowHasAFixedSizeToo about_window

closing() {
  xdotool windowactivate --sync "$main" 2>/dev/null
  desk_at close
  desk_until 5 "a click on Exit did not end the launcher" \
    desk_ended "$mirto_pid"
}
desk_case ExitEnds closing
desk_launcher_wait
status=$?
exit_status() { [ "$status" = 0 ] || desk_fail "the launcher ended with status $status: $(cat "$MIRTO_DESKTOP_DIR/mirto.log")"; }
desk_case ExitEndsWithStatusZero exit_status

# The size hints at 150 % and 200 %, in the screen's pixels (the window
# manager has no part in them: one desktop shows them).
scaled() {
  local factor="$1" w="$2" h="$3"
  QT_SCALE_FACTOR="$factor" desk_launcher_start "$MIRTO_DESKTOP_DIR/launcher/mirto"
  trap 'kill "$mirto_pid"; wait "$mirto_pid"' EXIT
  desk_wait 3 has_size "$main" "$w" "$h" \
    || desk_fail "at $factor the window is $(desk_size "$main" | tr ' ' x), not ${w}x$h"
  expect_fixed "the main window at $factor" "$main" "$w" "$h"
}
if [ "$MIRTO_DESKTOP" = openbox ]; then
  desk_case AtOneAndAHalfTheSizeHintsFixTheSize scaled 1.5 923 504
  desk_case AtTwoTheSizeHintsFixTheSize scaled 2 1230 672
fi
desk_cases_done
