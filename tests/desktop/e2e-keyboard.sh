#!/usr/bin/env bash
# End to end on a real desktop with the keyboard alone, one launcher for all
# cases: arrows, Enter and Space in the views, the program menu's keys, the
# title bar's and the link's keys, finding by typing, a second start that
# brings the window back from the tray and the taskbar, and Ctrl+Q. The
# pointer stays parked outside the window. Run inside desktop-session.sh
# with the launcher's executable as argument.
set -uo pipefail
source "$MIRTO_DESKTOP_LIB"

desk_mirto_start "$1"
launcher="$MIRTO_DESKTOP_DIR/launcher/mirto"
xdotool mousemove 1000 400
apps="$MIRTO_DESKTOP_DIR/launcher/apps64"

arrows_enter_space() {
  # No button has the focus at start: the first arrow goes to the first
  # category button.
  desk_keys Right Right Return  # the second category button: Video -> MP4
  desk_keys Down Right Return  # the first program button, then the second
  desk_expect_launch "arrows and Enter in the MP4 group" 35
  desk_keys space
  desk_expect_launch "Space on the focused program button" 35
}
desk_case ArrowsEnterAndSpaceOpenACategoryAndStartAProgram arrows_enter_space

program_menu_keys() {
  desk_keys shift+F10 Down Return
  desk_expect_launch "Shift+F10, Run program" 35
  desk_keys Menu Down Down Return
  desk_expect_opened "the menu key, Open program folder" "$apps/AviToMp4"
  desk_keys Menu Down Down Down Return
  desk_expect_opened "the menu key, the home page" https://quorvane.example/avi-to-mp4/
}
desk_case ShiftF10AndTheMenuKeyOpenTheFocusedProgramsMenu program_menu_keys

title_bar_keys() {
  local about
  desk_keys alt+v Down Down Return
  desk_expect_launch "Alt+V, the video menu's second entry" 14
  desk_keys alt+a Down Return
  desk_expect_launch "Alt+A, the audio menu's first entry" 21
  desk_keys F1
  about="$(desk_window 5 '^About$')" || exit 1
  desk_until 3 "the about window never became active" sh -c "[ \"\$(xdotool getactivewindow)\" = $about ]"
  xdotool key Escape
  desk_until 3 "Esc did not close the about window" sh -c "! xwininfo -id $about | grep -q IsViewable"
  desk_keys ctrl+l
  desk_expect_opened "Ctrl+L" https://quorvane.example/
}
desk_case AltVAltAF1AndCtrlLReachTheTitleBarAndTheLink title_bar_keys

find_by_typing() {
  xdotool windowactivate --sync "$main"
  xdotool type --delay 60 "3g2"
  sleep 0.4
  desk_keys Return
  desk_expect_launch "typing 3g2 and Enter" "$find_first"
  desk_keys Escape
  desk_keys ctrl+1
  desk_keys Down Return
  desk_expect_launch "Esc after finding, then Ctrl+1 and the first program" 14
}
find_first=13
desk_case TypingFindsProgramsAndEnterStartsTheFirst find_by_typing

# A category button holds the focus while the find's first view is still
# to be built: the blank and Enter are the find's all the same.
typing_speeds() {
  local delay
  for delay in 30 60 100; do
    desk_keys ctrl+Home
    desk_keys Right
    xdotool type --delay "$delay" "mkv mp4"
    xdotool key Return
    desk_expect_launch "typing mkv mp4 and Enter at $delay ms a key" 36
    desk_keys Escape
  done
}
desk_case TypingAtAnySpeedKeepsEveryKeyInTheFind typing_speeds

second_start() {
  local status
  desk_keys shift+ctrl+m
  desk_until 3 "Shift+Ctrl+M did not hide the window in the tray" sh -c "! xwininfo -id $main | grep -q IsViewable"
  timeout 10 "$launcher" >/dev/null 2>&1
  status=$?
  [ "$status" = 0 ] || desk_fail "a second start ended with status $status"
  desk_until 3 "a second start did not bring the window back from the tray" desk_viewable "$main"
  desk_keys ctrl+m
  desk_until 3 "Ctrl+M did not minimise the window" desk_is_wm_state "$main" Iconic
  timeout 10 "$launcher" >/dev/null 2>&1 || desk_fail "the second start ended with status $?"
  desk_until 3 "a second start did not bring the window back from the taskbar" desk_is_wm_state "$main" Normal
  desk_until 3 "the window brought back is not the active one" sh -c "[ \"\$(xdotool getactivewindow)\" = $main ]"
  [ "$(xdotool search --onlyvisible --name '^Mirto 2\.21 \[64-bit\]' | wc -l)" = 1 ] \
    || desk_fail "a second start left a second launcher window"
}
desk_case SecondStartBringsTheWindowBackFromTheTrayAndTheTaskbar second_start

ctrl_q() {
  desk_keys ctrl+q
  desk_until 5 "Ctrl+Q did not end the launcher" \
    desk_ended "$mirto_pid"
}
desk_case CtrlQEndsTheLauncher ctrl_q
desk_launcher_wait
status=$?
exit_status() { [ "$status" = 0 ] || desk_fail "Ctrl+Q ended the launcher with status $status"; }
desk_case CtrlQExitsWithStatusZero exit_status
desk_cases_done
