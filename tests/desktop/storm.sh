#!/usr/bin/env bash
# A storm on a real desktop: for MIRTO_STORM_SECONDS (20) seconds xdotool
# sends the launcher shortcuts, clicks on category, program and title-bar
# buttons, program-button menus, title-bar menu choices, the about window
# and tray toggles, in rounds. The launcher must live through it, end with
# status 0 and no sanitizer report, and show as many controls and about the
# resident memory afterwards as before (both printed). Run inside
# desktop-session.sh with the launcher's executable as argument.
set -uo pipefail
source "$MIRTO_DESKTOP_LIB"

seconds="${MIRTO_STORM_SECONDS:-20}"
stats="$MIRTO_DESKTOP_DIR/stats"
export MIRTO_STATS_FILE="$stats"
desk_mirto_start "$1"
read -r wx wy < <(desk_position "$main")

# at SPOT: xdotool's commands that click SPOT of the main window ("X Y" or
# a name of desk_spot) with BUTTON (default 1).
at() {
  local x y
  read -r x y <<<"${desk_spot[$1]:-$1}"
  printf 'mousemove %d %d click %d ' $((wx + x)) $((wy + y)) "${2:-1}"
}
keys=()
for _ in $(seq 50); do
  keys+=(ctrl+1 ctrl+2 ctrl+3 ctrl+4 ctrl+5 ctrl+6 alt+2 alt+3 alt+4 alt+Home ctrl+Home Escape)
done
downs() { printf 'Down %.0s' $(seq "$1"); }
# One round of pointer work, starting and ending in the category view; it
# starts one program (the extractor, group 200's only button).
# shellcheck disable=SC2207
mouse=($(at cat30) sleep 0.2 $(at left 3) sleep 0.1 key Escape
       $(at right 2) sleep 0.1 key Escape $(at home) sleep 0.2
       $(at cat200) sleep 0.2 $(at left) $(at cat130) $(at cat10) $(at cat20)
       $(at video) sleep 0.1 key --delay 1 $(downs 12) Return sleep 0.05
       $(at audio) sleep 0.1 key --delay 1 $(downs 2) Return sleep 0.05
       $(at video) sleep 0.1 key Escape $(at about) sleep 0.2 key Escape
       key alt+Home sleep 0.2)
# Events per round: keys, and each click, key or key list of the pointer work.
per_round=$((${#keys[@]} + $(printf '%s\n' "${mouse[@]}" | grep -cxE 'click|Escape|Return|alt\+Home') + 12 + 2))

figures() {
  xdotool key alt+Home
  sleep 0.8
  local controls rss
  controls="$(sed -n 's/^controls //p' "$stats")"
  rss="$(awk '/^VmRSS/ {print $2}' "/proc/$mirto_pid/status")"
  echo "$controls $rss"
}

tray_toggle() {
  local icon ix iy
  xdotool mousemove $((wx + 561)) $((wy + 23)) click 1
  desk_wait 3 desk_tray_icon mirto || desk_fail "round $round: no tray icon after Minimize to tray"
  read -r icon ix iy < <(desk_tray_icon mirto)
  desk_click "$ix" "$iy"
  desk_wait 3 desk_viewable "$main" || desk_fail "round $round: the tray icon's click did not bring the window back"
  xdotool windowactivate --sync "$main" 2>/dev/null
  events=$((events + 2))
}

# The about window makes its list the first time it shows, so on a busy
# machine it may take the round's Esc a moment late: closed before going on.
about_open() { xdotool search --onlyvisible --name '^About$' >/dev/null 2>&1; }
no_about() { ! about_open; }
close_about() {
  local about
  about="$(xdotool search --onlyvisible --name '^About$' 2>/dev/null | head -n 1)"
  [ -n "$about" ] || return 0
  xdotool windowactivate --sync "$about" key Escape 2>/dev/null
  desk_wait 3 no_about || desk_fail "round $round: the about window does not close"
}

round=0
events=0
storm_round() {
  xdotool key --delay 1 "${keys[@]}"
  sleep 0.2
  xdotool "${mouse[@]}"
  close_about
  events=$((events + per_round))
  if [ $((round % 3)) = 0 ]; then tray_toggle; fi
  kill -0 "$mirto_pid" 2>/dev/null || desk_fail "the launcher died in round $round: $(tail -n 20 "$MIRTO_DESKTOP_DIR/mirto.log")"
  desk_viewable "$main" || desk_fail "the window is off screen after round $round"
  round=$((round + 1))
}

storm_round  # warm-up: every kind of event once
read -r controls_before rss_before < <(figures)
events=0
start="${EPOCHREALTIME/./}"
end=$((start + seconds * 1000000))
while [ "${EPOCHREALTIME/./}" -lt "$end" ]; do storm_round; done
elapsed_ms=$(((${EPOCHREALTIME/./} - start) / 1000))
read -r controls_after rss_after < <(figures)
echo "storm: $events events in $round rounds in $((elapsed_ms / 1000)).$((elapsed_ms % 1000 / 100)) s" \
  "($((events * 1000 / elapsed_ms)) events/s); controls $controls_before -> $controls_after;" \
  "resident memory $rss_before kB -> $rss_after kB"

[ -n "$controls_before" ] && [ -n "$controls_after" ] || desk_fail "the launcher wrote no control count to $stats"
[ "$controls_after" -le "$controls_before" ] \
  || desk_fail "the number of controls grew from $controls_before to $controls_after"
# Memory: the allocator and the toolkit's caches may settle a little higher;
# a leak of one button per rebuild would show as far more.
limit="${MIRTO_STORM_RSS_GROWTH_KB:-8192}"
[ $((rss_after - rss_before)) -le "$limit" ] \
  || desk_fail "resident memory grew by $((rss_after - rss_before)) kB (more than $limit kB)"

desk_at close
desk_until 10 "a click on Exit did not end the launcher after the storm" \
  desk_ended "$mirto_pid"
desk_launcher_wait
status=$?
if grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$MIRTO_DESKTOP_DIR/mirto.log"; then
  cat "$MIRTO_DESKTOP_DIR/mirto.log" >&2
  desk_fail "a sanitizer reported an error during the storm"
fi
[ "$status" = 0 ] || desk_fail "the launcher ended with status $status after the storm: $(tail -n 20 "$MIRTO_DESKTOP_DIR/mirto.log")"
echo "PASS: the launcher came through the storm with its controls and memory flat"
