#!/usr/bin/env bash
# Dragging the launcher's windows under a real window manager: the window
# follows the pointer while the left button is held, stays put once it is
# released however the pointer moves on, and the next click reaches the
# button under the pointer. Run inside desktop-session.sh with the
# launcher's executable as argument.
set -uo pipefail
source "$MIRTO_DESKTOP_LIB"

desk_launcher_start "$1"
sleep 0.5

desk_check_drag "$main" "title bar drag" 150 20 120 70
desk_check_drag "$main" "bottom bar drag" 100 324 -150 -40

read -r x y < <(desk_position "$main")
desk_click $((x + 501)) $((y + 23))
about="$(desk_window 3 '^About$')" || desk_fail "a click on About after two drags did not open the about window"
read -r nx ny < <(desk_position "$main")
desk_expect_near "the click on About moved the main window" "$nx" "$ny" "$x" "$y" 0
sleep 0.3

desk_check_drag "$about" "about window drag" 450 120 -60 40
xdotool key Escape
desk_until 3 "Esc after dragging the about window did not close it" \
  sh -c "! xwininfo -id $about | grep -q IsViewable"
echo "PASS: drags end with the release; the next click reaches its button"
