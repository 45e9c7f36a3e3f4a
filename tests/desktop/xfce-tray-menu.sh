#!/usr/bin/env bash
# The tray menu on xfce4-panel, whose notification area hosts the launcher's
# status notifier item: a right click on the item shows the video menu, drawn
# by the panel itself from the menu the item exports (not the panel's own
# menu of the plugin), and its entries do what the video menu's entries do;
# the launcher's own menu, asked for over the bus at a point, opens at that
# point while the request has already returned. With MIRTO_SHOT_TRAY_MENU
# set, the open menu is saved there as a screenshot. Run inside
# desktop-session.sh --desktop xfce (on a screen where the video menu fits
# below that point: 1280x1024) with the launcher's executable as argument.
set -uo pipefail
source "$MIRTO_DESKTOP_LIB"
if [ "${MIRTO_DESKTOP:-}" != xfce ]; then
  echo "SKIP: $(basename "$0") needs the xfce desktop (desktop-session.sh --desktop xfce)" >&2
  exit 77
fi

desk_mirto_start "$1"

# The panel's windows: its own and those of its plugins, which run in
# processes of their own (wrapper-2.0), the notification area's among them.
panel='^(xfce4-panel|wrapper-2\.0)$'

# new_window CLASS BEFORE: the first viewable window of CLASS that is not
# among the ids BEFORE (and not the main window).
new_window() {
  local id
  for id in $(xdotool search --onlyvisible --classname "$1" 2>/dev/null); do
    [ "$id" = "$main" ] || grep -qx "$id" <<<"$2" || { echo "$id"; return 0; }
  done
  return 1
}
windows_of() { xdotool search --onlyvisible --classname "$1" 2>/dev/null; }
height_of() { xwininfo -id "$1" | awk '/^ *Height:/ {print $2}'; }

to_tray() {
  desk_at tray
  desk_until 3 "Minimize to tray did not take the window off screen" sh -c "! xwininfo -id $main | grep -q IsViewable"
  desk_until 5 "the panel shows no item of the launcher" desk_tray_icon mirto
  read -r _ icon_x icon_y < <(desk_tray_icon mirto)
  # The item's bus name and object path, as the panel's watcher lists it
  # ("NAME/PATH").
  read -r item_service item_path < <(
    dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
      org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
      string:RegisteredStatusNotifierItems 2>/dev/null \
      | sed -n 's/.*string "\([^/]*\)\(\/.*\)"/\1 \2/p' | head -n 1)
  [ -n "$item_service" ] || desk_fail "no status notifier item is registered"
}

from_tray() {
  desk_click "$icon_x" "$icon_y"
  desk_until 3 "a click on the item did not bring the window back" desk_viewable "$main"
  xdotool windowactivate --sync "$main" 2>/dev/null
}

panel_draws_the_menu() {
  local before menu height
  to_tray
  before="$(windows_of "$panel")"
  desk_click "$icon_x" "$icon_y" 3
  desk_until 3 "a right click on the item opened no menu of the panel's" new_window "$panel" "$before"
  menu="$(new_window "$panel" "$before")"
  sleep 0.5  # drawn
  [ -n "${MIRTO_SHOT_TRAY_MENU:-}" ] && "$MIRTO_GRAB_SCREEN" "$MIRTO_SHOT_TRAY_MENU"
  # The video menu's 25 entries and 5 lines; the plugin's own menu has a
  # handful of entries.
  height="$(height_of "$menu")"
  [ "$height" -gt 400 ] || desk_fail "the panel's menu is $height pixels high: not the video menu"
  # shellcheck disable=SC2046
  xdotool key --delay 30 $(printf 'Down %.0s' $(seq 8)) Return  # CATEGORY: Video -> MP4
  desk_until 3 "choosing an entry left the panel's menu open" sh -c "! xwininfo -id $menu | grep -q IsViewable"
  sleep 0.4
  desk_viewable "$main" && desk_fail "choosing a group in the panel's menu showed the window"
  from_tray
  desk_expect_view "the group chosen in the panel's menu while hidden" 20
}
desk_case ThePanelDrawsTheVideoMenuAndItsGroupEntryShowsTheGroup panel_draws_the_menu

# What a host that leaves the drawing to the program asks for.
menu_at_a_point() {
  local before start answered menu x y
  to_tray
  before="$(windows_of mirto)"
  start="${EPOCHREALTIME/./}"
  # Should the answer wait for the menu to close, it would not come before
  # the time-out.
  dbus-send --session --print-reply --reply-timeout=3000 --dest="$item_service" "$item_path" \
    org.kde.StatusNotifierItem.ContextMenu int32:300 int32:200 >/dev/null \
    || desk_fail "the request for the menu got no answer"
  answered=$(((${EPOCHREALTIME/./} - start) / 1000))
  desk_until 3 "no menu opened at the request" new_window mirto "$before"
  menu="$(new_window mirto "$before")"
  read -r x y < <(desk_position "$menu")
  desk_expect_near "the menu asked for at (300, 200)" "$x" "$y" 300 200 0
  echo "the request for the menu was answered in $answered ms, the menu still open"
  xdotool key Escape
  desk_until 3 "Esc did not close the menu" sh -c "! xwininfo -id $menu 2>/dev/null | grep -q IsViewable"
  desk_expect_no_launch "closing the menu with Esc"
  from_tray
}
desk_case TheMenuAskedForAtAPointOpensThereAfterTheAnswer menu_at_a_point

desk_cases_done
