#!/usr/bin/env bash
# A window hidden in the tray comes back when the tray host ends: the program
# never becomes unreachable. Run inside desktop-session.sh (with its tray
# host) with the launcher's executable as argument.
set -uo pipefail
source "$MIRTO_DESKTOP_LIB"

[ -n "$MIRTO_TRAY_PID" ] || desk_fail "the session has no tray host"
desk_launcher_start "$1"
sleep 0.5
read -r x y < <(desk_position "$main")

desk_click $((x + 561)) $((y + 23))  # Minimize to tray
desk_until 3 "Minimize to tray did not take the window off screen" \
  sh -c "! xwininfo -id $main | grep -q IsViewable"
desk_until 5 "no tray icon appeared in the tray host" desk_tray_icon mirto
kill "$MIRTO_TRAY_PID"
desk_until 5 "the tray host ended but the hidden window did not come back" desk_viewable "$main"
desk_wait 3 desk_is_wm_state "$main" Normal \
  || desk_fail "the window came back $(desk_wm_state "$main"), not Normal"
echo "PASS: the window hidden in the tray comes back when the tray host ends"
