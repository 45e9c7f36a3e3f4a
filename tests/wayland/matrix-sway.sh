#!/usr/bin/env bash
# The launcher on sway, a tiling Wayland compositor, as a person uses it
# there: the window floats at its own size, a drag on the title bar moves it
# until the button is let go, keys and clicks start programs, the tray menu
# works while the window is hidden in swaybar's tray and the icon brings it
# back, minimising leaves it reachable, full screen and tiling leave its size
# alone, and Exit ends the launcher with status 0. Run inside
# sway-session.sh with the launcher's executable as argument.
set -uo pipefail
source "$MIRTO_SWAY_LIB"

sway_mirto_start "$1"

# expect_own_size WHAT: the window shows at 615 x 336, floating.
expect_own_size() {
  local x y w h kind
  read -r x y w h kind _ < <(sway_main) || desk_fail "$1: the window is not shown"
  [ "$w $h" = "615 336" ] || desk_fail "$1: the window is $w x $h, not 615 x 336"
  [ "$kind" = floating_con ] || desk_fail "$1: sway tiles the window ($kind) instead of floating it"
}

starts() {
  [ "$(sway_window_count)" -eq 1 ] || desk_fail "the launcher shows $(sway_window_count) windows"
  expect_own_size "at start"
}
desk_case StartsFloatingAtItsOwnSize starts

drag_and_release() {
  local x y nx ny px=150 py=20 dx=-120 dy=90 i
  read -r x y _ < <(sway_main)
  sway_drag $((x + px)) $((y + py)) "$dx" "$dy"
  read -r nx ny _ < <(sway_main)
  desk_expect_near "the window did not move with the pointer" "$nx" "$ny" $((x + dx)) $((y + dy))
  # With no button held the window stays where it was let go.
  for i in 1 2 3 4; do
    sway_input move $((x + px + dx + 20 * i)) $((y + py + dy + 15 * i))
    sleep 0.03
  done
  sleep 0.2
  read -r x y _ < <(sway_main)
  desk_expect_near "the window followed the pointer after the release" "$x" "$y" "$nx" "$ny" 0
}
desk_case DragOnTheTitleBarMovesTheWindowUntilTheRelease drag_and_release

keys_and_clicks() {
  sway_keys ctrl+3  # Flash Video Converters: 16 on the left
  sway_at left
  desk_expect_launch "Ctrl+3, then the left program button" 16
  sway_keys alt+Home
  sway_at cat10
  sleep 0.4
  sway_at left
  desk_expect_launch "the Video -> AVI category, then its first program button" 14
  sway_keys alt+Home
}
desk_case KeysAndClicksStartProgramsInTheirFolders keys_and_clicks

tray_menu() {
  local ix iy
  sway_at tray
  desk_until 3 "Minimize to tray did not take the window off the screen" sway_hidden
  read -r ix iy < <(sway_tray_icon)
  sway_click "$ix" "$iy" right
  desk_until 3 "a right click on the tray icon opened no menu" sway_frame 313131
  sway_keys Down Down Return  # MP4 -> AVI / MPG
  desk_expect_launch "the tray menu's second entry while hidden" 14
  desk_wait 2 sway_hidden || desk_fail "the window stayed on the screen after the tray menu closed"
  sway_click "$ix" "$iy"
  desk_until 3 "a click on the tray icon did not bring the window back" sway_main
  expect_own_size "back from the tray"
}
desk_case TrayMenuWhileHiddenStartsAProgramAndTheIconRestores tray_menu

minimise() {
  # sway has no minimised state: the request leaves the window on the
  # screen, and it must still take clicks.
  sway_at minimize
  sleep 0.3
  sway_main >/dev/null || desk_fail "after Minimize the window is gone, with nothing to bring it back"
  expect_own_size "after Minimize"
  sway_at cat30
  sleep 0.4
  sway_at left
  desk_expect_launch "a click after Minimize" 16
  sway_keys alt+Home
}
desk_case MinimiseLeavesTheWindowReachable minimise

# own_size_floating: the window floats at 615 x 336, not full screen, and
# stays where it is (sway has done placing it). Coming back from tiled, sway
# first floats it under a title bar of its own and takes that away a moment
# later, moving the window up by the bar's height: only without it is the
# window where a click can find it.
own_size_floating() {
  local before w h kind fullscreen border
  before="$(sway_main)" || return 1
  read -r _ _ w h kind fullscreen border _ <<<"$before"
  [ "$w $h $kind $fullscreen $border" = "615 336 floating_con 0 csd" ] \
    && sleep 0.1 && [ "$(sway_main)" = "$before" ]
}

keeps_its_size() {
  local criteria="[pid=$mirto_pid]" w h
  # The window leaves full screen again by itself (its size is fixed).
  swaymsg "$criteria fullscreen enable" >/dev/null
  desk_until 3 "full screen: the window is not back at its own size, floating: $(sway_main)" \
    own_size_floating
  swaymsg "$criteria floating disable" >/dev/null
  sleep 0.3
  read -r _ _ w h _ < <(sway_main)
  [ "$w $h" = "615 336" ] || desk_fail "tiled, the window became $w x $h"
  swaymsg "$criteria floating enable" >/dev/null
  desk_until 3 "floating again: the window is not at its own size: $(sway_main)" own_size_floating
}
desk_case FullScreenAndTilingLeaveItsSize keeps_its_size

closing() {
  sway_at close
  desk_until 5 "a click on Exit did not end the launcher" desk_ended "$mirto_pid"
}
desk_case ExitEndsTheLauncher closing
desk_launcher_wait
status=$?
exit_status() { [ "$status" = 0 ] || desk_fail "the launcher ended with status $status: $(cat "$MIRTO_DESKTOP_DIR/mirto.log")"; }
desk_case ExitStatusIsZero exit_status
desk_cases_done
