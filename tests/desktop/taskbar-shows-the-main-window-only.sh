#!/usr/bin/env bash
# What the window manager and the taskbar see: the main window's caption is
# exactly the launcher's own, and the about window (the main window's modal
# child) has no taskbar entry of its own: it is transient for the main
# window and a dialog (or skips the taskbar), and tint2 gives it no task
# button (tint2 writes the place of a window's task button to the window's
# _NET_WM_ICON_GEOMETRY; the about window's would be the second, at 160, 0).
# Run inside desktop-session.sh with the launcher's executable as argument.
set -uo pipefail
source "$MIRTO_DESKTOP_LIB"

title='"Mirto 2.21 [64-bit]"'
desk_launcher_start "$1"
sleep 0.5
for prop in _NET_WM_NAME WM_NAME; do
  [ "$(desk_prop "$main" "$prop")" = "$title" ] \
    || desk_fail "the main window's $prop is $(desk_prop "$main" "$prop"), not $title"
done
desk_client_list | grep -qi "$(desk_hex "$main")" \
  || desk_fail "the main window is not among the window manager's clients"

read -r x y < <(desk_position "$main")
desk_click $((x + 501)) $((y + 23))  # About
about="$(desk_window 3 '^About$')" || exit 1
sleep 0.5
transient="$(desk_prop "$about" WM_TRANSIENT_FOR | sed 's/.*# *//')"
[ "$((transient))" = "$main" ] \
  || desk_fail "the about window is transient for '${transient:-nothing}', not for the main window $(desk_hex "$main")"
type="$(desk_prop "$about" _NET_WM_WINDOW_TYPE) $(desk_net_wm_state "$about")"
case "$type" in
  *_NET_WM_WINDOW_TYPE_DIALOG* | *_NET_WM_STATE_SKIP_TASKBAR*) ;;
  *) desk_fail "the about window is neither a dialog nor kept off the taskbar: $type" ;;
esac
sleep 0.5
if xprop -id "$about" _NET_WM_ICON_GEOMETRY | grep -q =; then
  desk_fail "tint2 gave the about window a task button of its own"
fi
echo "PASS: the caption is the launcher's own and the about window has no taskbar entry"
