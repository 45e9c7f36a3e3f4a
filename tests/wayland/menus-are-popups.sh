#!/usr/bin/env bash
# On Wayland every menu of the launcher is a popup beside its window, never
# a window of its own (which a tiling compositor would spread over the
# screen): the title bar's menus under their buttons, a program button's
# menu at the pointer, and the tray icon's menu while the window is hidden
# in the tray, which shows the window for as long as the menu is open and
# hides it again. Read back through sway's window tree (a popup is none of
# its windows) and the menu's frame in a picture of the output. Run inside
# sway-session.sh with the launcher's executable as argument; with
# MIRTO_SCREENSHOT_DIR set, the pictures of the video menu and the tray menu
# are left there.
set -uo pipefail
source "$MIRTO_SWAY_LIB"

sway_mirto_start "$1"
dark=313131 light=cbc9b4  # the border colours of the two menu styles
menu_size="$MIRTO_DESKTOP_DIR/video-menu-size"

# keep_picture NAME: the screen now, as NAME.png in MIRTO_SCREENSHOT_DIR.
keep_picture() {
  [ -n "${MIRTO_SCREENSHOT_DIR:-}" ] || return 0
  mkdir -p "$MIRTO_SCREENSHOT_DIR" && sway_screenshot "$MIRTO_SCREENSHOT_DIR/$1.png"
}

# expect_popup WHAT COLOUR X Y: a menu framed in COLOUR is open with its
# corner at (X, Y), or as near as the output lets it be (anywhere with X
# empty), and the launcher's only window is its main window; prints the
# menu's "X Y WIDTH HEIGHT".
expect_popup() {
  local what="$1" colour="$2" want_x="$3" want_y="$4" frame x y w h width height
  desk_until 3 "$what: no menu opened" sway_frame "$colour"
  frame="$(sway_frame "$colour")"
  read -r x y w h <<<"$frame"
  [ "$(sway_window_count)" -eq 1 ] && sway_main >/dev/null \
    || desk_fail "$what: the menu is a window of its own: $(sway_windows "$mirto_pid" | tr '\n' '|')"
  if [ -n "$want_x" ]; then
    # A menu that would stick out of the output is slid back onto it.
    read -r width height <<<"$MIRTO_SWAY_OUTPUT"
    want_x=$((want_x + w > width ? width - w : want_x))
    want_y=$((want_y + h > height ? height - h : want_y))
    desk_expect_near "$what: the menu is not where it belongs" "$x" "$y" "$want_x" "$want_y" 1
  fi
  echo "$frame"
}

# expect_closed_by_esc WHAT COLOUR
no_frame() { ! sway_frame "$1"; }
expect_closed_by_esc() {
  sway_input key Escape
  desk_until 3 "$1: Esc did not close the menu" no_frame "$2"
}

title_bar_menus() {
  local wx wy frame spot left
  read -r wx wy _ < <(sway_main)
  for spot in video audio; do
    [ "$spot" = video ] && left=6 || left=41
    sway_at "$spot"
    # 2 pixels under the button (top 12, 22 high), left-aligned with it.
    frame="$(expect_popup "the $spot menu" "$dark" $((wx + left)) $((wy + 36)))" || exit 1
    if [ "$spot" = video ]; then
      read -r _ _ w h <<<"$frame"
      echo "$w $h" >"$menu_size"
      keep_picture sway-video-menu
    fi
    expect_closed_by_esc "the $spot menu" "$dark"
  done
}
desk_case TitleBarMenusArePopupsUnderTheirButtons title_bar_menus

program_button_menu() {
  local wx wy x y
  sway_keys ctrl+3  # Flash Video Converters
  read -r wx wy _ < <(sway_main)
  read -r x y <<<"${desk_spot[left]}"
  sway_click $((wx + x)) $((wy + y)) right
  # At the pointer's x, under the button's bottom edge.
  expect_popup "the program button's menu" "$light" $((wx + x)) $((wy + 170)) >/dev/null || exit 1
  expect_closed_by_esc "the program button's menu" "$light"
  sway_keys alt+Home
}
desk_case ProgramButtonMenuIsAPopupAtThePointer program_button_menu

tray_menu_while_hidden() {
  local ix iy x y w h width height
  sway_at tray
  desk_until 3 "Minimize to tray did not take the window off the screen" sway_hidden
  read -r ix iy < <(sway_tray_icon)
  sway_click "$ix" "$iy" right
  read -r x y w h < <(expect_popup "the tray menu" "$dark" "" "") || exit 1
  [ "$w $h" = "$(cat "$menu_size")" ] \
    || desk_fail "the tray menu is $w x $h, the video menu $(cat "$menu_size")"
  read -r width height <<<"$MIRTO_SWAY_OUTPUT"
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$width" ] && [ $((y + h)) -le "$height" ] \
    || desk_fail "the tray menu at ($x, $y) is not all on the output"
  keep_picture sway-tray-menu
  expect_closed_by_esc "the tray menu" "$dark"
  desk_until 3 "the window stayed on the screen after the tray menu closed" sway_hidden
  sway_click "$ix" "$iy"
  desk_until 3 "a click on the tray icon did not bring the window back" sway_main
}
desk_case TrayMenuWhileHiddenIsAPopupOfTheWindow tray_menu_while_hidden

sway_at close
desk_until 5 "a click on Exit did not end the launcher" desk_ended "$mirto_pid"
desk_cases_done
