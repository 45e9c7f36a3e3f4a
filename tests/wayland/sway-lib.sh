# Helpers for scripts that run inside sway-session.sh: the launcher beside
# a demo collection, one virtual pointer and keyboard for the whole script,
# sway's view of the windows, and pictures of the screen. Sourced, not run;
# builds on desktop-lib.sh (the collection, the named cases, the start log).
# These need, besides the sway-session variables:
#   MIRTO_VIRTUAL_INPUT   the virtual pointer and keyboard (wayland_virtual_input)
#   MIRTO_PICTURE_BOX     where a frame of one colour is in a picture
#   MIRTO_PLACEHOLDER, MIRTO_MAKE_DEMO, MIRTO_FAILURE_DIR (desktop-lib.sh)

# shellcheck source-path=SCRIPTDIR source=../desktop/desktop-lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../desktop/desktop-lib.sh"

# The devices live as long as the script: a device made for each key or
# click would come and go between them, and the compositor would move the
# keyboard focus with it.
mkfifo "$MIRTO_DESKTOP_DIR/input.in" "$MIRTO_DESKTOP_DIR/input.out"
# shellcheck disable=SC2086  # the output's width and height
"$MIRTO_VIRTUAL_INPUT" $MIRTO_SWAY_OUTPUT <"$MIRTO_DESKTOP_DIR/input.in" \
  >"$MIRTO_DESKTOP_DIR/input.out" 2>"$MIRTO_DESKTOP_DIR/input.log" &
desk_pids+=($!)
exec {sway_input_to}>"$MIRTO_DESKTOP_DIR/input.in" {sway_input_from}<"$MIRTO_DESKTOP_DIR/input.out"

# sway_input COMMAND: one command of wayland_virtual_input (move X Y, press
# [BUTTON], release [BUTTON], key COMBO), answered once the compositor has
# taken it in.
sway_input() {
  local answer=""
  echo "$*" >&"$sway_input_to" && read -r -t 5 answer <&"$sway_input_from"
  [ "$answer" = ok ] || desk_fail "the virtual input did not take '$*': ${answer:-no answer} $(cat "$MIRTO_DESKTOP_DIR/input.log")"
}

# sway_click X Y [BUTTON]: the pointer comes from a pixel aside, as a hand
# brings it, then presses and lets go.
sway_click() {
  sway_input move $(($1 > 0 ? $1 - 1 : 1)) "$2"
  sway_input move "$1" "$2"
  sway_input press "${3:-left}"
  sleep 0.05
  sway_input release "${3:-left}"
}

# sway_keys COMBO...: keys for the focused window, letting the launcher's
# 150 ms view timer fire after them.
sway_keys() {
  local combo
  for combo in "$@"; do sway_input key "$combo"; done
  sleep 0.4
}

# --- sway's view of the windows ----------------------------------------------
# sway_windows PID: one line per top-level window of the process PID that
# sway manages: "X Y WIDTH HEIGHT KIND FULLSCREEN BORDER TITLE", the client
# area's corner on the output and the window's own size (a surface smaller
# than the place sway gives it is centred there), KIND con (tiled) or
# floating_con, BORDER csd once sway draws no title bar of its own above it.
sway_windows() {
  swaymsg -t get_tree | jq -r --argjson pid "$1" '
    .. | objects | select(.pid? == $pid and (.type == "con" or .type == "floating_con"))
    | (.rect.x + .window_rect.x + ([0, (.window_rect.width - .geometry.width) / 2] | max | floor)) as $x
    | (.rect.y + .window_rect.y + ([0, (.window_rect.height - .geometry.height) / 2] | max | floor)) as $y
    | "\($x) \($y) \(.geometry.width) \(.geometry.height) \(.type) \(.fullscreen_mode) \(.border) \(.name)"'
}

# sway_main: the main window's line of sway_windows; fails when it is not
# shown.
sway_main() { sway_windows "$mirto_pid" | grep -E ' Mirto 2\.21 \[64-bit\]$' | head -n 1 | grep .; }

# sway_main_ready: the main window has the keyboard focus and shows its
# first picture: from corner to corner, nothing of sway's background
# (3f3f3f) shows where it is.
sway_main_ready() {
  local x y w h
  read -r x y w h _ < <(sway_main) || return 1
  swaymsg -t get_tree | jq -e --argjson pid "$mirto_pid" \
    '.. | objects | select(.pid? == $pid and .focused == true)' >/dev/null \
    && [ "$(sway_drawn "$x,$y ${w}x$h" 3f3f3f)" = "0 0 $w $h" ]
}

# sway_window_count: how many top-level windows of the launcher sway shows.
sway_window_count() { sway_windows "$mirto_pid" | grep -c .; }

# sway_hidden: the launcher shows no window (minimised to the tray).
sway_hidden() { [ "$(sway_window_count)" -eq 0 ]; }

# sway_at SPOT|"X Y" [BUTTON]: clicks that point of the main window (the
# desk_spot names of desktop-lib.sh).
sway_at() {
  local x y wx wy
  read -r x y <<<"${desk_spot[$1]:-$1}"
  read -r wx wy _ < <(sway_main) || desk_fail "the main window is not shown"
  sway_click $((wx + x)) $((wy + y)) "${2:-left}"
}

# sway_tray_icon: "X Y", the centre of the launcher's icon in swaybar's tray,
# once the bar shows it: the tray's only icon sits at the right end of the
# bar (black), which takes the height of the output below the workspace.
sway_tray_icon() {
  local width height bar
  read -r width height <<<"$MIRTO_SWAY_OUTPUT"
  bar=$((height - $(swaymsg -t get_workspaces | jq '[.[] | select(.focused)][0].rect.height')))
  desk_until 5 "swaybar's tray shows no icon" sway_drawn \
    "$((width - bar)),$((height - bar)) ${bar}x${bar}" 000000
  echo $((width - bar / 2)) $((height - bar / 2))
}

# sway_drawn "X,Y WxH" COLOUR: something other than COLOUR is drawn in that
# area of the output.
sway_drawn() {
  grim -g "$1" "$MIRTO_DESKTOP_DIR/area.png" \
    && "$MIRTO_PICTURE_BOX" --other "$MIRTO_DESKTOP_DIR/area.png" "$2"
}

# sway_drag X Y DX DY: presses the left button at (X, Y), moves the pointer
# by (DX, DY) (the first step a single pixel, so that the move starts where
# the press was) and lets go.
sway_drag() {
  local x="$1" y="$2" dx="$3" dy="$4" i
  sway_input move "$x" "$y"
  sway_input press
  sleep 0.1
  sway_input move $((x + 1)) "$y"
  sleep 0.1
  for i in 1 2 3 4 5 6 7 8; do
    sway_input move $((x + dx * i / 8)) $((y + dy * i / 8))
    sleep 0.03
  done
  sleep 0.1
  sway_input release
  sleep 0.2
}

# --- Pictures -----------------------------------------------------------------
# sway_screenshot FILE: the whole output as a PNG file.
sway_screenshot() { grim "$1"; }

# sway_frame COLOUR: "X Y WIDTH HEIGHT" of the frame drawn in COLOUR (RRGGBB)
# on the screen now; fails when there is none.
sway_frame() {
  sway_screenshot "$MIRTO_DESKTOP_DIR/frame.png" && "$MIRTO_PICTURE_BOX" "$MIRTO_DESKTOP_DIR/frame.png" "$1"
}

# A failing case leaves a picture of the screen.
desk_screenshot() {
  [ -n "${MIRTO_FAILURE_DIR:-}" ] || return 0
  mkdir -p "$MIRTO_FAILURE_DIR"
  sway_screenshot "$MIRTO_FAILURE_DIR/$1.png" 2>/dev/null && echo "screenshot: $MIRTO_FAILURE_DIR/$1.png" >&2
}

# --- The launcher ---------------------------------------------------------------
# sway_mirto_start MIRTO: starts the launcher MIRTO beside a fresh demo
# collection and waits for its main window. Its process id in $mirto_pid.
sway_mirto_start() {
  local launcher
  launcher="$(desk_collection "$1")" || exit 1
  MIRTO_DEMO_QUIET=1 desk_start "$MIRTO_DESKTOP_DIR/mirto.log" "$launcher"
  mirto_pid="$desk_pid"
  desk_until 15 "the main window did not appear" sway_main
  desk_until 5 "the main window did not come up drawn and focused" sway_main_ready
  # The pointer over the window once, as a person's would be.
  local x y
  read -r x y _ < <(sway_main)
  sway_input move $((x + 300)) $((y + 200))
  # shellcheck disable=SC2317  # desk_case calls it
  desk_recover() { sway_mirto_recover; }
}

# sway_mirto_recover: after a failed case: closes an open menu (Esc), brings
# the window back from the tray and empties the start log.
sway_mirto_recover() {
  sway_input key Escape
  sleep 0.2
  if sway_hidden; then
    # shellcheck disable=SC2046
    sway_click $(sway_tray_icon)
    desk_wait 3 sway_main
  fi
  : >"$desk_launches"
}

