#!/usr/bin/env bash
# The tray icon brings the window back normal and in front, even when it had
# been minimised to the taskbar and restored before it went to the tray.
# Run inside desktop-session.sh with the launcher's executable as argument.
set -uo pipefail
source "$MIRTO_DESKTOP_LIB"

desk_launcher_start "$1"
sleep 0.5
read -r x y < <(desk_position "$main")

desk_click $((x + 531)) $((y + 23))  # Minimize
desk_until 3 "Minimize did not make the window Iconic" desk_is_wm_state "$main" Iconic
xdotool windowactivate "$main"  # as a click on its taskbar entry
desk_until 3 "activating the minimised window did not restore it" desk_is_wm_state "$main" Normal
sleep 0.3

desk_click $((x + 561)) $((y + 23))  # Minimize to tray
desk_until 3 "Minimize to tray did not take the window off screen" \
  sh -c "! xwininfo -id $main | grep -q IsViewable"
desk_until 5 "no tray icon appeared in the tray host" desk_tray_icon mirto
read -r icon ix iy < <(desk_tray_icon mirto)
desk_click "$ix" "$iy"

desk_wait 3 desk_is_wm_state "$main" Normal \
  || desk_fail "after the tray icon's click the window is $(desk_wm_state "$main"), not Normal"
desk_until 3 "after the tray icon's click the window is not on screen" desk_viewable "$main"
case "$(desk_net_wm_state "$main")" in
  *_NET_WM_STATE_HIDDEN*) desk_fail "the window came back hidden: $(desk_net_wm_state "$main")" ;;
esac
desk_until 3 "the tray icon $icon stayed after the click" sh -c "! xwininfo -id $icon >/dev/null 2>&1 || ! xwininfo -id $icon | grep -q IsViewable"
echo "PASS: the tray icon brings a once-minimised window back normal"
