#!/usr/bin/env bash
# End to end on a real desktop, one launcher for all cases: the category and
# program buttons, a program button's menu by right and middle click and
# the bottom-bar link, read back through what the
# demo collection's stand-ins and the desktop's stand-in opener were asked
# to do. Run inside desktop-session.sh with the launcher's executable as
# argument.
set -uo pipefail
source "$MIRTO_DESKTOP_LIB"

desk_mirto_start "$1"
apps="$MIRTO_DESKTOP_DIR/launcher/apps64"

category_then_program() {
  local group
  for group in 10 200 130; do
    desk_at "cat$group"
    sleep 0.5
    desk_at left
    desk_expect_launch "category $group, then its first program button" "${desk_row[$group]% *}"
    desk_keys alt+Home
  done
}
desk_case CategoryThenProgramButtonStartsTheProgramInItsFolder category_then_program

# program_menu MOUSE_BUTTON SPOT ENTRY: opens a program button's menu with
# MOUSE_BUTTON and chooses ENTRY (1 Run program, 2 Open program folder,
# 3 the home page), by clicking it (right button) or with the keys (middle).
program_menu() {
  local button="$1" spot="$2" entry="$3" x y wx wy
  read -r x y <<<"${desk_spot[$spot]}"
  read -r wx wy < <(desk_position "$main")
  desk_click $((wx + x)) $((wy + y)) "$button"
  sleep 0.4
  if [ "$button" = 3 ]; then
    # The menu opens under the pointer at the button's bottom edge (y 170).
    local offsets=(13 45 70)
    desk_click $((wx + x + 40)) $((wy + 170 + offsets[entry - 1]))
  else
    local keys=(Down Down Down)
    xdotool key --delay 40 "${keys[@]:0:entry}" Return
  fi
}

button_menus() {
  desk_keys ctrl+3  # Flash Video Converters: 16 on the left, 12 on the right
  local button spot id folder url
  for button in 3 2; do
    if [ "$button" = 3 ]; then
      spot=left id=16 folder="Video to FLV" url=https://quorvane.example/video-to-flv-swf/
    else
      spot=right id=12 folder=FlvConverter url=https://quorvane.example/flv-to-avi-mpg/
    fi
    program_menu "$button" "$spot" 1
    desk_expect_launch "mouse button $button, Run program" "$id"
    program_menu "$button" "$spot" 2
    desk_expect_opened "mouse button $button, Open program folder" "$apps/$folder"
    desk_expect_no_launch "mouse button $button, Open program folder"
    program_menu "$button" "$spot" 3
    desk_expect_opened "mouse button $button, the home page" "$url"
  done
  desk_keys alt+Home
}
desk_case RightAndMiddleClickMenuRunsOpensTheFolderAndTheHomePage button_menus

files_dropped() {
  local drops="$MIRTO_DESKTOP_DIR/drops" source
  mkdir -p "$drops"
  touch "$drops/first clip.flv" "$drops/-second.flv"
  desk_keys ctrl+3  # Flash Video Converters: 16 on the left
  desk_start "$MIRTO_DESKTOP_DIR/drag-source.log" "$MIRTO_DRAG_SOURCE" \
    "$drops/first clip.flv" "$drops/-second.flv"
  source="$(desk_window 10 '^Drag source$')" || exit 1
  sleep 0.3
  desk_carry "$source" left
  desk_expect_launch "two files dropped on a program button" 16 \
    "$drops/first clip.flv" "$drops/-second.flv"
  kill "$desk_pid" 2>/dev/null
  xdotool windowactivate --sync "$main"
  desk_keys alt+Home
}
desk_case FilesDroppedOnAProgramButtonStartItWithThem files_dropped

bottom_link() {
  desk_at link
  desk_expect_opened "the bottom-bar link" https://quorvane.example/
  desk_expect_no_launch "the bottom-bar link"
}
desk_case BottomBarLinkOpensThePublishersPage bottom_link

kill -0 "$mirto_pid" 2>/dev/null || desk_fail "the launcher ended during the cases: $(cat "$MIRTO_DESKTOP_DIR/mirto.log")"
desk_cases_done
