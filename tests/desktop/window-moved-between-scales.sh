#!/usr/bin/env bash
# The main window moved from a screen of 100 % to one of 200 % and back
# keeps its logical size (615 x 336, so 1230 x 672 screen pixels at 200 %)
# and its place, and paints at each screen's factor: on the 200 % screen the
# title's letters use every pixel instead of being enlarged. Run inside
# desktop-session.sh --screen 3840x2048 with the launcher's executable as
# argument: the one X screen is split into two monitors side by side,
# "left" (1280 x 1024 at 100 %) and "right" (2560 x 2048 at 200 %).
set -uo pipefail
source "$MIRTO_DESKTOP_LIB"

command -v xrandr >/dev/null 2>&1 || {
  echo "SKIP: 'xrandr' is not installed (scripts/setup.sh installs it)" >&2
  exit 77
}
[ -x "${MIRTO_CELL_CHECK:-}" ] || desk_fail "MIRTO_CELL_CHECK does not name the cell checker"

output="$(xrandr | awk '/ connected/ {print $1; exit}')"
if ! xrandr --setmonitor '*left' 1280/338x1024/270+0+0 "$output" >/dev/null \
  || ! xrandr --setmonitor right 2560/676x2048/541+1280+0 none; then
  desk_fail "xrandr could not split the screen into two monitors"
fi
monitors="$(xrandr --listmonitors)"
[ "$(head -n 1 <<<"$monitors")" = "Monitors: 2" ] \
  || desk_fail "the screen is not split into two monitors: $(tr '\n' ' ' <<<"$monitors")"
export QT_SCREEN_SCALE_FACTORS="left=1;right=2"

# desk_size WIN: "WIDTH HEIGHT" of the window in screen pixels.
desk_size() { xwininfo -id "$1" | awk '/^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print w, h}'; }
has_size() { [ "$(desk_size "$main")" = "$1 $2" ]; }
# settle_at WHAT X Y W H: the window reaches W x H screen pixels and stays at (X, Y).
settle_at() {
  desk_wait 5 has_size "$4" "$5" \
    || desk_fail "$1: the window is $(desk_size "$main" | tr ' ' x) screen pixels, not ${4}x$5"
  sleep 0.3
  has_size "$4" "$5" || desk_fail "$1: the window did not keep ${4}x$5 (now $(desk_size "$main" | tr ' ' x))"
  read -r wx wy < <(desk_position "$main")
  desk_expect_near "$1: the window left the place it was moved to" "$wx" "$wy" "$2" "$3"
}

# The window opens centred on the screen under the pointer.
xdotool mousemove 640 512
desk_start "$MIRTO_DESKTOP_DIR/mirto.log" "$1"
main="$(desk_window 10 '^Mirto 2\.21 \[64-bit\]')" || exit 1
desk_until 5 "the main window never became Normal" desk_is_wm_state "$main" Normal
read -r x y < <(desk_position "$main")
settle_at "opened on the 100 % screen" "$x" "$y" 615 336

xdotool windowmove "$main" 1800 300
settle_at "moved to the 200 % screen" 1800 300 1230 672
# The title's letters sit between the menu and the window buttons, in the
# logical area 150..465 x 5..36.
cells="$(env -u QT_SCREEN_SCALE_FACTORS "$MIRTO_CELL_CHECK" "$main" 2 150 5 315 31)" \
  || desk_fail "could not grab the title on the 200 % screen"
split="$(sed -n 's/^split cells: \([0-9]*\) of .*/\1/p' <<<"$cells")"
[ "${split:-0}" -ge 200 ] \
  || desk_fail "on the 200 % screen the title is enlarged from a picture of 100 % ($cells, expected at least 200 split cells)"

xdotool windowmove "$main" 200 150
settle_at "moved back to the 100 % screen" 200 150 615 336
echo "PASS: the window keeps its size and paints at each screen's factor ($cells on the 200 % screen)"
