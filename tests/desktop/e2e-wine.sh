#!/usr/bin/env bash
# End to end on a real desktop, one launcher for all cases: a Windows
# program of the collection starts through Wine. The Windows stand-in
# (WineStandIn.cpp, built with the cross compiler) takes the place of
# program 21, Audio Converter & Extractor (group 200's only button, the audio
# menu's first entry and Alt+1), and logs each start to wine-stand-in.log in
# its folder. Wine runs under a private prefix. Run inside desktop-session.sh
# with the launcher's executable as argument.
set -uo pipefail
source "$MIRTO_DESKTOP_LIB"

missing=()
tools=()
for tool in wine wineboot wineserver winepath; do
  command -v "$tool" >/dev/null 2>&1 || tools+=("$tool")
done
[ "${#tools[@]}" -eq 0 ] || missing+=("Wine: ${tools[*]} (apt install wine wine64)")
[ -f "${MIRTO_WINE_STAND_IN:-}" ] \
  || missing+=("the Windows stand-in, built only when x86_64-w64-mingw32-g++-posix is found (apt install mingw-w64)")
if [ "${#missing[@]}" -gt 0 ]; then
  printf -v what '%s; ' "${missing[@]}"
  echo "SKIP: missing ${what%; } (scripts/setup.sh installs them); the test of Windows programs through Wine does not run." >&2
  exit 77
fi

export WINEPREFIX="$MIRTO_DESKTOP_DIR/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A fresh prefix takes many seconds to set up: once, before the cases. The
# server then stays up, so each start of the stand-in is quick, and takes
# every Wine process of the prefix with it at the end.
wineboot --init >"$MIRTO_DESKTOP_DIR/wineboot.log" 2>&1 \
  || desk_fail "wineboot could not set up the prefix: $(cat "$MIRTO_DESKTOP_DIR/wineboot.log")"
wineserver --wait
wineserver -p
wine_stop() {
  wineserver -k 2>/dev/null
  desk_stop_started
}
trap wine_stop EXIT

desk_mirto_start "$1"
apps="$MIRTO_DESKTOP_DIR/launcher/apps64"
folder="$apps/AudioExtractor"
exe="$(find "$folder" -maxdepth 1 -type f -name '*.exe' | head -n 1)"
[ -n "$exe" ] || desk_fail "the demo collection has no executable for program 21 in $folder"
# The demo collection's executables are links to one stand-in: a new file,
# not a write through the link.
rm -f "$exe"
cp "$MIRTO_WINE_STAND_IN" "$exe"
wine_log="$folder/wine-stand-in.log"
folder_win="$(winepath -w "$folder")"
exe_win="$(winepath -w "$exe")"

# expect_wine_start WHAT [FILE...]: waits for exactly one start of the
# Windows stand-in, in its own folder, its command line naming the program
# and the FILEs, each as the Windows path that winepath gives it and opened
# by the program. Empties its log for the next check.
expect_wine_start() {
  local what="$1" line fields i want
  shift
  desk_until 30 "$what: the Windows program did not start through Wine" test -s "$wine_log"
  sleep 0.3
  [ "$(wc -l <"$wine_log")" -eq 1 ] || desk_fail "$what: more than one start: $(cat "$wine_log")"
  line="$(cat "$wine_log")"
  : >"$wine_log"
  IFS=$'\t' read -r -a fields <<<"$line"
  [ "${fields[0]}" = "$folder_win" ] || desk_fail "$what: ran in '${fields[0]}', not in '$folder_win'"
  [ "${fields[2]}" = "$#" ] || desk_fail "$what: $# argument(s) expected, the command line was '${fields[1]}'"
  if [ "$#" -eq 0 ] && [ "${fields[1]}" != "\"$exe_win\"" ] && [ "${fields[1]}" != "$exe_win" ]; then
    desk_fail "$what: the command line was '${fields[1]}', not the program alone ($exe_win)"
  fi
  i=3
  for file in "$@"; do
    want="$(winepath -w "$file")"
    [ "${fields[i]}" = "$want" ] || desk_fail "$what: an argument was '${fields[i]}', not '$want'"
    [ "${fields[i + 1]}" = opened ] || desk_fail "$what: the program could not open '${fields[i]}'"
    i=$((i + 2))
  done
}

button_with_and_without_the_execute_bit() {
  local mode
  for mode in -x +x; do
    chmod "$mode" "$exe"
    desk_at cat200
    sleep 0.5
    desk_at left
    expect_wine_start "a click on its program button (chmod $mode)"
    desk_expect_no_launch "a click on its program button (chmod $mode)"
    desk_keys alt+Home
  done
  chmod -x "$exe"
}
desk_case ProgramButtonStartsItThroughWineWithAndWithoutTheExecuteBit \
  button_with_and_without_the_execute_bit

shortcut_and_menu() {
  desk_keys alt+1
  expect_wine_start "Alt+1"
  desk_at audio
  sleep 0.4
  xdotool key --delay 30 Down Return
  expect_wine_start "the audio menu's first entry"
}
desk_case ShortcutAndMenuStartItThroughWine shortcut_and_menu

files_dropped() {
  local drops="$MIRTO_DESKTOP_DIR/drops" source
  mkdir -p "$drops"
  touch "$drops/first clip.flv" "$drops/it's here.flv"
  desk_at cat200
  sleep 0.5
  desk_start "$MIRTO_DESKTOP_DIR/drag-source.log" "$MIRTO_DRAG_SOURCE" \
    "$drops/first clip.flv" "$drops/it's here.flv"
  source="$(desk_window 10 '^Drag source$')" || exit 1
  sleep 0.3
  desk_carry "$source" left
  expect_wine_start "two files dropped on its program button" \
    "$drops/first clip.flv" "$drops/it's here.flv"
  kill "$desk_pid" 2>/dev/null
  xdotool windowactivate --sync "$main"
  desk_keys alt+Home
}
desk_case FilesDroppedReachItAsWindowsPathsItOpens files_dropped

kill -0 "$mirto_pid" 2>/dev/null || desk_fail "the launcher ended during the cases: $(cat "$MIRTO_DESKTOP_DIR/mirto.log")"
desk_cases_done
