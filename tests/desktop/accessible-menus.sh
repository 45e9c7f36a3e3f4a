#!/usr/bin/env bash
# What a screen reader finds in the launcher's video menu, through AT-SPI:
# the open menu among the application's children with its entries (names,
# shortcuts, enabled), the focus following the highlight by keyboard and by
# pointer, an entry's press action doing what its click does, and the menu
# gone once it closed. Run inside desktop-session.sh with the launcher's
# executable as argument; the script gives itself a session bus of its own,
# on which the accessibility bus starts.
set -uo pipefail

if [ -z "${MIRTO_OWN_SESSION_BUS:-}" ]; then
  for tool in dbus-run-session dbus-send /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
    if [ ! -x "$(command -v "$tool")" ]; then
      echo "SKIP: '$tool' is not installed (scripts/setup.sh installs it)" >&2
      exit 77
    fi
  done
  if ! /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null; then
    echo "SKIP: the AT-SPI library for Python is not installed (scripts/setup.sh installs it)" >&2
    exit 77
  fi
  MIRTO_OWN_SESSION_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi

source "$MIRTO_DESKTOP_LIB"
client() { /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/atspi-client.py" "$@"; }

# The session bus starts the accessibility bus when first asked for it and
# ends it with the session; the launcher speaks on it whether or not a
# screen reader asked for it.
desk_until 5 "the accessibility bus did not start" \
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
desk_mirto_start "$1"

# menu_shown: a window of the launcher besides its main window is on screen.
menu_shown() { xdotool search --onlyvisible --class mirto | grep -qvx "$main"; }
menu_closed() { ! menu_shown; }
open_video_menu() {
  desk_at video
  desk_until 3 "the video menu did not open" menu_shown
  sleep 0.3
}

tree="$MIRTO_DESKTOP_DIR/tree.txt"
video_menu_in_the_tree() {
  open_video_menu
  client tree "$mirto_pid" >"$tree" || desk_fail "the accessible tree could not be read"
  echo "The accessible tree with the video menu open:"
  cat "$tree"
  [ "$(grep -c '^  popup menu ""$' "$tree")" -eq 1 ] \
    || desk_fail "the open menu is not one of the application's children"
  # The menu's children: the lines below it, one level deeper.
  awk '/^  [^ ]/ { inmenu = ($0 ~ /^  popup menu/); next } inmenu' "$tree" >"$tree.menu"
  [ "$(grep -c '^    menu item "' "$tree.menu")" -eq 25 ] || desk_fail "the menu does not hold its 25 entries"
  [ "$(grep -c '^    separator ""$' "$tree.menu")" -eq 5 ] || desk_fail "the menu does not hold its 5 separators"
  [ "$(head -n 1 "$tree.menu")" = '    menu item "CATEGORY:   Video -> AVI / MPG" [Ctrl+1]' ] \
    || desk_fail "the first entry is not named by its caption with its shortcut"
  ! grep -q ' disabled$' "$tree.menu" || desk_fail "an entry of the video menu reads as disabled"
  xdotool key Escape
  desk_until 3 "the video menu did not close" menu_closed
  client tree "$mirto_pid" | grep -q 'popup menu' && desk_fail "the closed menu is still in the tree"
  return 0
}
desk_case TheOpenVideoMenuIsInTheTreeWithItsEntries video_menu_in_the_tree

focus_follows_the_highlight() {
  local got x y
  open_video_menu
  got="$(client focus "$mirto_pid" xdotool key --delay 60 Down Down Down | tr '\n' '|')"
  [ "$got" = 'menu item "CATEGORY:   Video -> AVI / MPG" [Ctrl+1]|menu item "MP4 -> AVI / MPG"|menu item "MKV -> AVI / MPG"|' ] \
    || desk_fail "the focus did not follow the keys: $got"
  read -r x y < <(client spot "$mirto_pid" "AVI -> MP4") || desk_fail "no place for the entry AVI -> MP4"
  got="$(client focus "$mirto_pid" xdotool mousemove "$x" "$y" | tail -n 1)"
  [ "$got" = 'menu item "AVI -> MP4"' ] || desk_fail "the focus did not follow the pointer: ${got:-no focus}"
  xdotool key Escape
}
desk_case TheFocusFollowsTheHighlightByKeysAndPointer focus_follows_the_highlight

press_does_what_a_click_does() {
  open_video_menu
  client press "$mirto_pid" "CATEGORY:   Flash Video Converters" || exit 1
  sleep 0.5
  desk_expect_view "the press of the Flash group's entry" 30
  open_video_menu
  client press "$mirto_pid" "Video -> FLV / SWF" || exit 1
  desk_expect_launch "the press of the Video to FLV entry" 16
}
desk_case ThePressOfAnEntryDoesWhatItsClickDoes press_does_what_a_click_does

kill -0 "$mirto_pid" 2>/dev/null || desk_fail "the launcher ended during the cases: $(cat "$MIRTO_DESKTOP_DIR/mirto.log")"
desk_cases_done
