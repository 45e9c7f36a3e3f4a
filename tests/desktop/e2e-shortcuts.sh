#!/usr/bin/env bash
# End to end on a real desktop, one launcher for all cases: every keyboard
# shortcut of the main window, read back through the program buttons of the
# view it leads to (a click starts the demo collection's stand-in expected
# there). Run inside desktop-session.sh with the launcher's executable as
# argument.
set -uo pipefail
source "$MIRTO_DESKTOP_LIB"

desk_mirto_start "$1"

group_shortcuts() {
  local key group
  for key in ctrl+1:10 ctrl+2:20 ctrl+3:30 ctrl+4:40 ctrl+5:50 ctrl+6:60 alt+2:110 alt+3:120 alt+4:130; do
    group="${key#*:}"
    desk_keys "${key%:*}"
    desk_expect_view "${key%:*}" "$group"
  done
}
desk_case CtrlOneToSixAndAltTwoToFourOpenTheirGroups group_shortcuts

other_shortcuts() {
  desk_keys ctrl+4
  desk_keys alt+1
  desk_expect_launch "Alt+1" 21
  desk_keys Escape
  desk_expect_view "Esc in a group view" 40
  desk_viewable "$main" || desk_fail "Esc took the window off screen"
  desk_keys alt+Home
  desk_expect_categories "Alt+Home"
  desk_keys ctrl+Home
  desk_expect_categories "Ctrl+Home"
  desk_keys alt+Home Escape
  desk_expect_categories "Esc in the category view"
  desk_keys ctrl+1 ctrl+5
  desk_expect_view "Ctrl+1 then Ctrl+5 within 150 ms" 50
}
desk_case AltOneStartsTheExtractorHomeKeysReturnEscDoesNothing other_shortcuts

kill -0 "$mirto_pid" 2>/dev/null || desk_fail "the launcher ended during the cases: $(cat "$MIRTO_DESKTOP_DIR/mirto.log")"
desk_cases_done
