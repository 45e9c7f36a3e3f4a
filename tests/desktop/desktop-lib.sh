# Helpers for scripts that run inside desktop-session.sh: start programs,
# find their windows, read window-manager state and drive the pointer.
# Sourced, not run. Every failure ends the script with "FAIL: <what>".
# Programs started with desk_start are stopped (by process id) on exit.

desk_pids=()
desk_stop_started() {
  local pid
  for pid in "${desk_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${desk_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  return 0  # what the stopped programs answer is not the test's result
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

# desk_wait SECONDS COMMAND...
# shellcheck source-path=SCRIPTDIR source=desktop-wait.sh
source "$(dirname "${BASH_SOURCE[0]}")/desktop-wait.sh"

# desk_until SECONDS WHAT COMMAND...: desk_wait, failing the test with WHAT.
desk_until() {
  local seconds="$1" what="$2"
  shift 2
  desk_wait "$seconds" "$@" || desk_fail "$what (waited ${seconds} s)"
}

# desk_find_window REGEX: id (decimal) of the first viewable window whose
# name matches REGEX; fails when there is none.
# desk_visible_windows NAME: ids of the viewable windows called exactly NAME.
desk_visible_windows() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }

# desk_wait_windows COUNT NAME [TENTHS]: waits until exactly COUNT such
# windows are viewable (5 s unless TENTHS of a second are given).
desk_wait_windows() {
  local count="$1" name="$2" tenths="${3:-50}"
  for _ in $(seq "$tenths"); do
    [ "$(desk_visible_windows "$name" | grep -c .)" -eq "$count" ] && return 0
    sleep 0.1
  done
  return 1
}

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

# desk_click X Y [BUTTON]. (xdotool's mousemove --sync waits for a motion
# that never comes when the pointer is already there.)
desk_click() {
  if [ "$(xdotool getmouselocation | sed 's/^x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/')" = "$1 $2" ]; then
    xdotool click "${3:-1}"
  else
    xdotool mousemove --sync "$1" "$2" click "${3:-1}"
  fi
}

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

# desk_check_drag WIN WHAT X Y DX DY: drags WIN from (X, Y) in its client
# area by (DX, DY): the window moves by the pointer's distance; then glides
# the pointer on with no button held: the window stays where it is.
desk_check_drag() {
  local win="$1" what="$2" px="$3" py="$4" dx="$5" dy="$6" x y nx ny
  read -r x y < <(desk_position "$win")
  desk_drag $((x + px)) $((y + py)) "$dx" "$dy"
  read -r nx ny < <(desk_position "$win")
  desk_expect_near "$what: the window did not move with the pointer" "$nx" "$ny" \
    $((x + dx)) $((y + dy))
  desk_glide $((x + px + dx)) $((y + py + dy)) 90 60
  read -r x y < <(desk_position "$win")
  desk_expect_near "$what: the window followed the pointer after the release" "$x" "$y" \
    "$nx" "$ny" 0
}

# desk_carry SOURCE SPOT: presses the drag source window SOURCE (which then
# starts dragging its files), carries the drag onto SPOT of the main window
# ($main; a desk_spot name or "X Y") and lets go there.
desk_carry() {
  local source="$1" x y bx by dx dy
  read -r x y < <(desk_position "$source")
  read -r bx by < <(desk_position "$main")
  read -r dx dy <<<"${desk_spot[$2]:-$2}"
  # shellcheck disable=SC2046
  xdotool mousemove --sync $((x + 40)) $((y + 40)) mousedown 1 sleep 0.2 \
    $(desk_steps $((x + 40)) $((y + 40)) $((bx + dx - x - 40)) $((by + dy - y - 40))) \
    sleep 0.3 mousemove $((bx + dx + 2)) $((by + dy)) sleep 0.3 mouseup 1
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

# desk_tray_icon CLASS: "ID X Y", the tray icon of the program whose windows
# have the class CLASS, with the screen point of its centre; fails when the
# tray shows none. An XEmbed icon is a window of that class that a tray host
# has taken into a window of its own (the program's other windows are
# top-level ones); on xfce the notification area draws the program's status
# notifier item itself, and the place is that of the area (the plugin's
# window, which holds the one item of the session), once the item is there.
desk_tray_icon() {
  # The whole tree first: awk stops at the first match, which would cut
  # xwininfo off with a broken pipe and fail the pipeline.
  local tree
  tree="$(xwininfo -root -tree)" || return 1
  if [ "${MIRTO_DESKTOP:-}" = xfce ] && ! desk_tray_embedded "$1" <<<"$tree" >/dev/null; then
    desk_tray_item_registered || return 1
    awk '
      /\("xfce4-panel" / { inpanel = 1; depth = match($0, /[^ ]/); next }
      inpanel && match($0, /[^ ]/) <= depth { inpanel = 0 }
      inpanel && /\("wrapper-2\.0" / {
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^[0-9]+x[0-9]+[+-]/) size = $i
          if ($i ~ /^[+-]-?[0-9]+[+-]-?[0-9]+$/) at = $i
        }
        split(size, s, /[x+-]/)
        split(at, p, "+")
        if (s[1] < 8) exit 1
        print $1, p[2] + int(s[1] / 2), p[3] + int(s[2] / 2)
        found = 1
        exit
      }
      END { exit !found }' <<<"$tree"
    return
  fi
  desk_tray_embedded "$1" <<<"$tree"
}

# desk_tray_embedded CLASS: reads a window tree (xwininfo -root -tree) and
# prints "ID X Y" of the first window of class CLASS below a top-level one.
desk_tray_embedded() {
  awk -v cls="(\"$1\" " '
    /^     0x/ { next }
    index($0, cls) && match($0, /[^ ]/) > 6 {
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

# desk_tray_item_registered: a status notifier item is registered on the
# session bus (xfce's notification area hosts it).
desk_tray_item_registered() {
  dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
    string:RegisteredStatusNotifierItems 2>/dev/null | grep -q 'string "'
}

# --- The launcher beside a demo collection, and a stand-in opener ---------
# These need, besides the desktop-session variables:
#   MIRTO_PLACEHOLDER     the demo collection's stand-in program
#   MIRTO_MAKE_DEMO       tools/make-demo-collection
#   MIRTO_FAILURE_DIR     where failing cases leave their screenshots
#   MIRTO_GRAB_SCREEN     the program that saves the screen as a PNG file

# desk_collection MIRTO: lays out $MIRTO_DESKTOP_DIR/launcher with a link to
# (or copy of) the launcher MIRTO and a demo collection beside it; prints the
# launcher's path there. The stand-ins log each start, one line per start
# (ID, executable, working folder, arguments; tab separated), to
# $desk_launches.
desk_collection() {
  local dir="$MIRTO_DESKTOP_DIR/launcher"
  mkdir -p "$dir"
  ln -f "$1" "$dir/mirto" 2>/dev/null || cp -f "$1" "$dir/mirto"
  "$MIRTO_MAKE_DEMO" "$dir" "$MIRTO_PLACEHOLDER" >/dev/null \
    || desk_fail "could not lay out the demo collection"
  : >"$dir/apps64/launches.log"
  echo "$dir/mirto"
}
desk_launches="$MIRTO_DESKTOP_DIR/launcher/apps64/launches.log"

# desk_opener: registers a stand-in opener for folders and web addresses
# through the desktop's MIME defaults (mimeapps.list in XDG_CONFIG_HOME, the
# desktop entry in a private XDG_DATA_HOME), so that what the launcher asks
# the desktop to open lands, one line per request, in $desk_opened.
desk_opened="$MIRTO_DESKTOP_DIR/opened.log"
desk_opener() {
  command -v xdg-open >/dev/null 2>&1 || {
    echo "SKIP: 'xdg-open' is not installed (scripts/setup.sh installs it)" >&2
    exit 77
  }
  export XDG_DATA_HOME="$MIRTO_DESKTOP_DIR/data"
  unset XDG_CURRENT_DESKTOP DESKTOP_SESSION BROWSER GNOME_DESKTOP_SESSION_ID KDE_FULL_SESSION
  mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME"
  local opener="$MIRTO_DESKTOP_DIR/stand-in-opener"
  printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\n' "$desk_opened" >"$opener"
  chmod +x "$opener"
  cat >"$XDG_DATA_HOME/applications/mirto-test-opener.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Name=Stand-in opener
Exec=$opener %u
MimeType=inode/directory;x-scheme-handler/http;x-scheme-handler/https;
NoDisplay=true
ENTRY
  cat >"$XDG_CONFIG_HOME/mimeapps.list" <<LIST
[Default Applications]
inode/directory=mirto-test-opener.desktop
x-scheme-handler/http=mirto-test-opener.desktop
x-scheme-handler/https=mirto-test-opener.desktop
LIST
  : >"$desk_opened"
}

# --- Named cases -----------------------------------------------------------
# desk_case NAME COMMAND...: runs COMMAND in a subshell as the case NAME; a
# failing case leaves a screenshot in $MIRTO_FAILURE_DIR and the script goes
# on with the next case. desk_cases_done ends the script: status 1 when a
# case failed.
desk_failed=()
desk_case() {
  local name="$1" start="${EPOCHREALTIME/./}"
  shift
  if ("$@"); then
    printf 'CASE %s: PASS (%d ms)\n' "$name" $(((${EPOCHREALTIME/./} - start) / 1000))
  else
    echo "CASE $name: FAIL"
    desk_screenshot "$(basename "$0" .sh)-$name"
    desk_failed+=("$name")
    desk_recover 2>/dev/null
  fi
}
# Scripts may set desk_recover to a function that puts things back after a
# failed case (closes menus, shows the window).
desk_recover() { :; }

desk_cases_done() {
  [ "${#desk_failed[@]}" -eq 0 ] || desk_fail "${#desk_failed[@]} case(s) failed: ${desk_failed[*]}"
  echo "PASS: every case of $(basename "$0" .sh)"
}

# desk_screenshot NAME: saves the screen as $MIRTO_FAILURE_DIR/NAME.png.
desk_screenshot() {
  [ -n "${MIRTO_FAILURE_DIR:-}" ] && [ -x "${MIRTO_GRAB_SCREEN:-}" ] || return 0
  mkdir -p "$MIRTO_FAILURE_DIR"
  "$MIRTO_GRAB_SCREEN" "$MIRTO_FAILURE_DIR/$1.png" >/dev/null 2>&1 \
    && echo "screenshot: $MIRTO_FAILURE_DIR/$1.png" >&2
}

# --- What the launcher started and opened -----------------------------------
# desk_expect_launch WHAT ID [ARG...]: waits for exactly one new start in
# the start log: program ID, run from its own folder, with exactly the
# arguments ARG (none when none are given). Empties the log for the next
# check.
desk_expect_launch() {
  local what="$1" id="$2" line got exe cwd rest want
  shift 2
  want="$(IFS=$'\t'; echo "$*")"
  desk_until 5 "$what: program $id was not started" test -s "$desk_launches"
  sleep 0.2
  [ "$(wc -l <"$desk_launches")" -eq 1 ] \
    || desk_fail "$what: more than one start: $(tr '\t\n' ' |' <"$desk_launches")"
  line="$(cat "$desk_launches")"
  : >"$desk_launches"
  IFS=$'\t' read -r got exe cwd rest <<<"$line"
  [ "$got" = "$id" ] || desk_fail "$what: started program ${got:-?} ($exe), not $id"
  [ "$cwd" = "$(dirname "$exe")" ] || desk_fail "$what: $exe ran in $cwd, not in its own folder"
  [ "$rest" = "$want" ] || desk_fail "$what: $exe was given the arguments '$rest', not '$want'"
}

# desk_expect_no_launch WHAT: nothing was started.
desk_expect_no_launch() {
  sleep 0.3
  [ ! -s "$desk_launches" ] || {
    local line
    line="$(tr '\t\n' ' |' <"$desk_launches")"
    : >"$desk_launches"
    desk_fail "$1: something was started: $line"
  }
}

# desk_expect_opened WHAT TARGET: waits for the stand-in opener to be asked
# to open exactly TARGET (a folder or a web address). Empties its log.
desk_expect_opened() {
  local what="$1" want="$2" got
  desk_until 5 "$what: the desktop was not asked to open $want" test -s "$desk_opened"
  sleep 0.2
  got="$(cat "$desk_opened")"
  : >"$desk_opened"
  [ "$got" = "$want" ] || desk_fail "$what: the desktop was asked to open '$got', not '$want'"
}

# --- The launcher's window ---------------------------------------------------
# Points in the main window's client area (615 x 336): title-bar buttons,
# the bottom-bar link, the category buttons and the two program-button
# columns of a group view (first row).
declare -A desk_spot=(
  [video]="17 23" [audio]="52 23" [about]="501 23" [minimize]="531 23"
  [tray]="561 23" [close]="594 24" [home]="48 15" [link]="546 321"
  [cat10]="106 104" [cat20]="307 104" [cat30]="508 104"
  [cat40]="106 147" [cat50]="307 147" [cat60]="508 147"
  [cat200]="106 230" [cat110]="307 230" [cat120]="508 230" [cat130]="106 273"
  [left]="240 153" [right]="370 153"
)
# The programs in the first row of each group view: left and right column.
declare -A desk_row=(
  [10]="14 25" [20]="27 35" [30]="16 12" [40]="17 13" [50]="28 29" [60]="19 18"
  [200]="21 -" [110]="21 30" [120]="21 31" [130]="30 37"
)

# desk_launcher_start MIRTO [SECONDS]: starts the launcher MIRTO as it is
# and waits SECONDS (10) for its main window, then until the window is
# Normal. The window's id in $main, the process id in $mirto_pid.
desk_launcher_start() {
  desk_start "$MIRTO_DESKTOP_DIR/mirto.log" "$1"
  mirto_pid="$desk_pid"
  main="$(desk_window "${2:-10}" '^Mirto 2\.21 \[64-bit\]')" || exit 1
  desk_until 5 "the main window never became Normal" desk_is_wm_state "$main" Normal
}

# desk_ended PID: the process PID has ended (or is a zombie not yet waited
# for).
desk_ended() { ! [ -e "/proc/$1" ] || grep -q '^State:.*Z' "/proc/$1/status"; }

# desk_launcher_wait: waits for the launcher's end and answers its exit
# status. A launcher still running (its exit case failed) is stopped first,
# so that the script reports the failure instead of waiting for ever.
desk_launcher_wait() {
  desk_ended "$mirto_pid" || kill "$mirto_pid" 2>/dev/null
  wait "$mirto_pid"
}

# desk_mirto_start MIRTO: starts the launcher MIRTO beside a fresh demo
# collection (stand-ins that only log, unless MIRTO_DEMO_QUIET is set empty)
# with the stand-in opener registered; waits until its window is Normal and
# active. The window's id in $main, the process id in $mirto_pid. A case
# that fails then recovers with desk_mirto_recover.
desk_mirto_start() {
  local launcher
  launcher="$(desk_collection "$1")" || exit 1
  desk_opener
  MIRTO_DEMO_QUIET="${MIRTO_DEMO_QUIET-1}" desk_launcher_start "$launcher" 15
  xdotool windowactivate --sync "$main" 2>/dev/null
  sleep 0.3
  # shellcheck disable=SC2317  # desk_case calls it
  desk_recover() { desk_mirto_recover; }
}

# desk_mirto_recover: puts the launcher back after a failed case: closes an
# open menu or window (Esc), brings the main window back from the tray when
# it is hidden there, activates it and empties the start and opener logs.
desk_mirto_recover() {
  xdotool key Escape
  sleep 0.2
  desk_viewable "$main" || { read -r _ ix iy < <(desk_tray_icon mirto) && desk_click "$ix" "$iy"; }
  xdotool windowactivate --sync "$main"
  : >"$desk_launches"
  : >"$desk_opened"
}

# desk_at SPOT|"X Y" [BUTTON]: clicks that point of the main window.
desk_at() {
  local x y wx wy
  read -r x y <<<"${desk_spot[$1]:-$1}"
  read -r wx wy < <(desk_position "$main")
  desk_click $((wx + x)) $((wy + y)) "${2:-1}"
}

# desk_keys KEY...: sends keys to the focused window, letting the launcher's
# 150 ms view timer fire after them.
desk_keys() { xdotool key --delay 40 "$@" && sleep 0.5; }

# desk_expect_view WHAT GROUP: the main area shows GROUP's view: a click on
# its right-hand (for group 200, its only) program button starts the
# program expected there.
desk_expect_view() {
  local left right
  read -r left right <<<"${desk_row[$2]}"
  if [ "$right" = - ]; then
    desk_at left
    desk_expect_launch "$1 (group $2's view)" "$left"
  else
    desk_at right
    desk_expect_launch "$1 (group $2's view)" "$right"
  fi
}

# desk_expect_categories WHAT: the main area shows the category view: the
# category button where 3GP Video Converters sits opens that group.
desk_expect_categories() {
  desk_at cat40
  desk_expect_no_launch "$1: the category view is not shown (a program button sits where a category button belongs)"
  sleep 0.3
  desk_expect_view "$1 (the category view)" 40
}

# desk_task_button WIN: "X Y", the centre of WIN's button on the tint2
# taskbar: where tint2 says it is (_NET_WM_ICON_GEOMETRY), else the first
# task button's place (the session's taskbar is 30 high at the top, its task
# buttons 160 wide).
desk_task_button() {
  local x y w h
  if read -r x y w h < <(desk_prop "$1" _NET_WM_ICON_GEOMETRY | tr -d , | grep -E '^[0-9]+ [0-9]+ [0-9]+ [0-9]+$'); then
    echo $((x + w / 2)) $((y + h / 2))
  else
    echo 80 15
  fi
}
