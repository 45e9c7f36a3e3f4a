#!/usr/bin/env bash
# End to end on a real desktop, one launcher for all cases: dragging the
# window by each of its surfaces and not by a button, the about window, and
# closing the launcher while a program it started still runs. The demo
# collection's stand-ins show their windows here. Run inside
# desktop-session.sh with the launcher's executable as argument.
set -uo pipefail
source "$MIRTO_DESKTOP_LIB"

MIRTO_DEMO_QUIET="" desk_mirto_start "$1"

drags() {
  desk_check_drag "$main" "drag by the title text" 307 22 -110 60
  desk_check_drag "$main" "drag by the empty main area" 560 290 90 -80
  desk_check_drag "$main" "drag by the title bar" 440 30 30 40
  desk_check_drag "$main" "drag by the bottom bar" 200 322 -40 -50
}
desk_case DragByTitleBarTitleTextBottomBarAndMainAreaEndsWithTheRelease drags

drag_by_a_button() {
  local x y nx ny
  read -r x y < <(desk_position "$main")
  desk_drag $((x + 106)) $((y + 104)) 120 70  # on the first category button
  read -r nx ny < <(desk_position "$main")
  desk_expect_near "pressing on a category button and moving moved the window" "$nx" "$ny" "$x" "$y" 0
  desk_expect_no_launch "the drag from a category button"
  desk_expect_categories "after the drag from a category button"
}
desk_case DragFromAButtonDoesNotMoveTheWindow drag_by_a_button

about_window() {
  local about
  desk_at about
  about="$(desk_window 5 '^About$')" || exit 1
  sleep 0.3
  desk_check_drag "$about" "drag of the about window" 300 110 -70 50
  read -r x y < <(desk_position "$about")
  desk_click $((x + 549)) $((y + 18))  # its close button
  desk_until 3 "the about window's close button did not close it" sh -c "! xwininfo -id $about | grep -q IsViewable"
  desk_at about
  about="$(desk_window 5 '^About$')" || exit 1
  desk_until 3 "the about window never became active" sh -c "[ \"\$(xdotool getactivewindow)\" = $about ]"
  xdotool key Escape
  desk_until 3 "Esc did not close the about window" sh -c "! xwininfo -id $about | grep -q IsViewable"
  desk_viewable "$main" || desk_fail "closing the about window took the main window off screen"
}
desk_case AboutWindowOpensDragsAndClosesWithItsButtonAndEsc about_window

stand_in=""
closing() {
  local win
  xdotool windowactivate --sync "$main"
  desk_keys alt+1
  win="$(desk_window 10 '^Quorvane Audio Extractor')" || exit 1
  xdotool getwindowpid "$win" >"$MIRTO_DESKTOP_DIR/stand-in.pid"
  xdotool windowactivate --sync "$main"
  desk_at close
  desk_until 5 "a click on Exit did not end the launcher" \
    desk_ended "$mirto_pid"
  sleep 0.3
  kill -0 "$(cat "$MIRTO_DESKTOP_DIR/stand-in.pid")" 2>/dev/null \
    || desk_fail "the program the launcher started ended with it"
  desk_viewable "$win" || desk_fail "the started program's window went away with the launcher"
}
desk_case ClosingEndsTheLauncherAndLeavesStartedProgramsRunning closing
desk_launcher_wait
status=$?
[ -s "$MIRTO_DESKTOP_DIR/stand-in.pid" ] && kill "$(cat "$MIRTO_DESKTOP_DIR/stand-in.pid")" 2>/dev/null
exit_status() { [ "$status" = 0 ] || desk_fail "the launcher ended with status $status: $(cat "$MIRTO_DESKTOP_DIR/mirto.log")"; }
desk_case ClosingEndsWithStatusZero exit_status
desk_cases_done
