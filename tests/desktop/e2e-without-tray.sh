#!/usr/bin/env bash
# End to end on a desktop without a tray host: "Minimize to tray" minimises
# the window to the taskbar, where it can be brought back; the tray icon's
# place is never needed. Run inside desktop-session.sh --no-tray with the
# launcher's executable as argument.
set -uo pipefail
source "$MIRTO_DESKTOP_LIB"

[ -z "$MIRTO_TRAY_PID" ] || desk_fail "the session has a tray host"
desk_mirto_start "$1"

minimise_to_tray_without_tray() {
  local x y
  desk_keys ctrl+6
  desk_at tray
  desk_until 3 "Minimize to tray without a tray host did not minimise the window" \
    desk_is_wm_state "$main" Iconic
  read -r x y < <(desk_task_button "$main")
  desk_click "$x" "$y"
  desk_until 3 "a click on the taskbar button did not restore the window" desk_is_wm_state "$main" Normal
  desk_until 3 "the restored window is not on screen" desk_viewable "$main"
  desk_expect_view "the view after coming back" 60
}
desk_case MinimiseToTrayWithoutATrayHostGoesToTheTaskbar minimise_to_tray_without_tray
desk_cases_done
