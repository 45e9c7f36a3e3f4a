#!/usr/bin/env bash
# End to end on a real desktop, one launcher for all cases: the title bar's
# video and audio menus, the tray icon's menu while the window is hidden in
# the tray, and minimising to the taskbar and back through the taskbar's
# own button. Run inside desktop-session.sh (with its tray host and
# taskbar) with the launcher's executable as argument.
set -uo pipefail
source "$MIRTO_DESKTOP_LIB"

desk_mirto_start "$1"

# choose MENU_OPENER N: opens a menu (a title-bar SPOT, or "tray X Y" for a
# right click on the tray icon) and chooses its Nth entry, separators not
# counted, with the keys.
choose() {
  if [ "$1" = tray ]; then
    desk_click "$2" "$3" 3
    shift 2
  else
    desk_at "$1"
  fi
  sleep 0.4
  xdotool key --delay 30 $(printf 'Down %.0s' $(seq "$2")) Return
  sleep 0.5
}

title_bar_menus() {
  choose video 12  # CATEGORY: Flash Video Converters
  desk_expect_view "the video menu's Flash group" 30
  choose video 2  # MP4 -> AVI / MPG
  desk_expect_launch "the video menu's second entry" 14
  choose video 25  # the last entry, the PSP converter
  desk_expect_launch "the video menu's last entry" 20
  choose audio 1  # Audio Converter & Extractor
  desk_expect_launch "the audio menu's first entry" 21
  choose audio 13  # CATEGORY: CUE Sheet Splitters
  desk_expect_view "the audio menu's CUE group" 130
  choose audio 9  # MP4, M4V -> MP3 / WAV
  desk_expect_launch "the audio menu's MP4 to MP3 entry" 31
}
desk_case TitleBarMenusChooseGroupsAndPrograms title_bar_menus

tray_menu_while_hidden() {
  local icon ix iy
  desk_at tray
  desk_until 3 "Minimize to tray did not take the window off screen" sh -c "! xwininfo -id $main | grep -q IsViewable"
  desk_until 5 "no tray icon appeared in the tray host" desk_tray_icon mirto
  read -r icon ix iy < <(desk_tray_icon mirto)
  choose tray "$ix" "$iy" 8  # CATEGORY: Video -> MP4
  desk_viewable "$main" && desk_fail "choosing a group in the tray menu showed the hidden window"
  choose tray "$ix" "$iy" 13  # Video -> FLV / SWF
  desk_expect_launch "the tray menu's Video to FLV entry while hidden" 16
  desk_viewable "$main" && desk_fail "starting a program from the tray menu showed the hidden window"
  desk_click "$ix" "$iy"
  desk_until 3 "a click on the tray icon did not bring the window back" desk_viewable "$main"
  desk_wait 3 desk_is_wm_state "$main" Normal || desk_fail "the window came back $(desk_wm_state "$main")"
  xdotool windowactivate --sync "$main"
  desk_expect_view "the group chosen in the tray menu while hidden" 20
}
desk_case TrayMenuWhileHiddenChoosesAGroupAndAProgramAndTheIconRestores tray_menu_while_hidden

minimise_and_restore() {
  local x y
  desk_at minimize
  desk_until 3 "Minimize did not make the window Iconic" desk_is_wm_state "$main" Iconic
  read -r x y < <(desk_task_button "$main")
  desk_click "$x" "$y"
  desk_until 3 "a click on the taskbar button did not restore the window" desk_is_wm_state "$main" Normal
  desk_until 3 "the restored window is not on screen" desk_viewable "$main"
  desk_expect_view "the view after minimising and restoring" 20
}
desk_case MinimiseAndRestoreThroughTheTaskbar minimise_and_restore

kill -0 "$mirto_pid" 2>/dev/null || desk_fail "the launcher ended during the cases: $(cat "$MIRTO_DESKTOP_DIR/mirto.log")"
desk_cases_done
