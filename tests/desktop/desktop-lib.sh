# Helpers for scripts that run inside desktop-session.sh: start programs,
# find their windows, read window-manager state and drive the pointer.
# Sourced, not run. Every failure ends the script with "FAIL: <what>".
# Programs started with desk_start are stopped (by process id) on exit.

desk_pids=()
desk_stop_started() {
  local pid
  for pid in "${desk_pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${desk_pids[@]}"; do wait "$pid" 2>/dev/null; done
}
trap desk_stop_started EXIT

desk_fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# desk_start LOG PROGRAM [ARGS...]: starts PROGRAM in the background, its
# output in LOG; its process id in $desk_pid.
desk_start() {
  local log="$1"
  shift
  "$@" >"$log" 2>&1 &
  desk_pid=$!
  desk_pids+=("$desk_pid")
}

# desk_wait SECONDS COMMAND...: polls COMMAND every 50 ms until it succeeds;
# fails (status 1) after SECONDS.
desk_wait() {
  local deadline=$((${EPOCHREALTIME/./} + $1 * 1000000))
  shift
  until "$@" >/dev/null 2>&1; do
    [ "${EPOCHREALTIME/./}" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# desk_until SECONDS WHAT COMMAND...: desk_wait, failing the test with WHAT.
desk_until() {
  local seconds="$1" what="$2"
  shift 2
  desk_wait "$seconds" "$@" || desk_fail "$what (waited ${seconds} s)"
}

# desk_find_window REGEX: id (decimal) of the first viewable window whose
# name matches REGEX; fails when there is none.
desk_find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 | grep .; }

# desk_window SECONDS REGEX: waits for such a window and prints its id.
desk_window() {
  desk_until "$1" "no window named /$2/ appeared" desk_find_window "$2"
  desk_find_window "$2"
}

# desk_position WIN: "X Y", the window's top-left corner on the screen.
desk_position() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
                           END {print x, y}'
}

# desk_viewable WIN: succeeds while the window is mapped and visible.
desk_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q "Map State: IsViewable"; }

# desk_prop WIN PROPERTY: the property's value as xprop prints it (after "= "
# or ": "), empty when it is not set.
desk_prop() {
  xprop -id "$1" -notype "$2" 2>/dev/null | sed -n -e 's/^[^=:]*[=:] *//p' | head -n 1
}

# desk_wm_state WIN: Normal, Iconic or Withdrawn (WM_STATE; Withdrawn when
# the window manager has taken it off screen or never had it).
desk_wm_state() {
  local state
  state="$(xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/.*window state: *//p')"
  echo "${state:-Withdrawn}"
}

# desk_is_wm_state WIN STATE
desk_is_wm_state() { [ "$(desk_wm_state "$1")" = "$2" ]; }

# desk_net_wm_state WIN: the atoms of _NET_WM_STATE, comma separated.
desk_net_wm_state() { desk_prop "$1" _NET_WM_STATE; }

# desk_client_list: ids (hex) of the windows the window manager manages.
desk_client_list() { xprop -root -notype _NET_CLIENT_LIST | sed -n 's/^[^#]*# *//p'; }

# desk_hex WIN: the id as 0x... in the form xprop prints it.
desk_hex() { printf '0x%x\n' "$1"; }

# desk_click X Y [BUTTON]
desk_click() { xdotool mousemove --sync "$1" "$2" click "${3:-1}"; }

# desk_steps X Y DX DY: xdotool's commands that move the pointer from (X, Y)
# by (DX, DY) in eight steps, 30 ms apart (one xdotool call for all).
desk_steps() {
  local x="$1" y="$2" dx="$3" dy="$4" i
  for i in 1 2 3 4 5 6 7 8; do
    printf 'mousemove %d %d sleep 0.03 ' $((x + dx * i / 8)) $((y + dy * i / 8))
  done
}

# desk_drag X Y DX DY: presses the left button at (X, Y), moves the pointer
# by (DX, DY) (the first step a single pixel, so the move starts where the
# press was) and releases it.
desk_drag() {
  local x="$1" y="$2" dx="$3" dy="$4"
  # shellcheck disable=SC2046
  xdotool mousemove --sync "$x" "$y" mousedown 1 sleep 0.1 mousemove $((x + 1)) "$y" sleep 0.1 \
    $(desk_steps "$x" "$y" "$dx" "$dy") sleep 0.1 mouseup 1 sleep 0.2
}

# desk_glide X Y DX DY: moves the pointer from (X, Y) by (DX, DY) with no
# button held.
desk_glide() {
  # shellcheck disable=SC2046
  xdotool mousemove "$1" "$2" $(desk_steps "$@") sleep 0.2
}

# desk_expect_near WHAT ACTUAL_X ACTUAL_Y WANT_X WANT_Y [SLACK]: fails with
# WHAT when a coordinate is off by more than SLACK pixels (default 3).
desk_expect_near() {
  local what="$1" ax="$2" ay="$3" wx="$4" wy="$5" slack="${6:-3}"
  local ddx=$((ax - wx)) ddy=$((ay - wy))
  if [ "${ddx#-}" -gt "$slack" ] || [ "${ddy#-}" -gt "$slack" ]; then
    desk_fail "$what: at ($ax, $ay), expected ($wx, $wy)"
  fi
}

# desk_tray_icon CLASS: "ID X Y", the window of class CLASS that a tray host
# (trayer) has embedded, with the screen point of its centre; fails when
# the tray holds none.
desk_tray_icon() {
  xwininfo -root -tree | awk -v cls="(\"$1\" " '
    /"trayer"\)/ { depth = match($0, /[^ ]/); intray = 1; next }
    intray && match($0, /[^ ]/) <= depth { intray = 0 }
    intray && index($0, cls) {
      for (i = 1; i <= NF; i++) {
        if ($i ~ /^[0-9]+x[0-9]+[+-]/) size = $i
        if ($i ~ /^[+-]-?[0-9]+[+-]-?[0-9]+$/) at = $i
      }
      split(size, s, /[x+-]/)
      split(at, p, "+")
      print $1, p[2] + int(s[1] / 2), p[3] + int(s[2] / 2)
      found = 1
      exit
    }
    END { exit !found }'
}
