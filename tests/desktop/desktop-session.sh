#!/usr/bin/env bash
# Runs one command on a private real desktop and tears the desktop down again.
#
#   desktop-session.sh [--no-tray] [--no-taskbar] [--screen WxH] [--] COMMAND [ARGS...]
#
# Starts Xvfb on a free display (chosen by the server itself, so parallel
# sessions never collide; a screen of 1024x768 unless --screen says
# otherwise) with a private HOME, XDG_RUNTIME_DIR (mode 0700) and
# XDG_CONFIG_HOME, then the openbox window manager, the trayer tray host
# and a tint2 taskbar (tasks only, no tray of its own), waits until each one
# is up, and runs COMMAND with DISPLAY set. Exits with COMMAND's status, or
# 77 (the test is skipped) when a tool is missing. The command sees:
#   MIRTO_DESKTOP_DIR     a scratch folder removed at the end
#   MIRTO_DESKTOP_LIB     desktop-lib.sh, the helpers to source
#   MIRTO_TRAY_PID        the tray host's process id (empty with --no-tray)
# Everything started here is stopped by process id on exit.
set -uo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
tray=1
taskbar=1
screen=1024x768
while [ $# -gt 0 ]; do
  case "$1" in
    --no-tray) tray=0; shift ;;
    --no-taskbar) taskbar=0; shift ;;
    --screen) screen="$2"; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
if [ $# -eq 0 ]; then
  echo "usage: $0 [--no-tray] [--no-taskbar] [--screen WxH] [--] COMMAND [ARGS...]" >&2
  exit 2
fi

tools=(Xvfb openbox xdotool xprop xwininfo)
[ "$tray" = 1 ] && tools+=(trayer)
[ "$taskbar" = 1 ] && tools+=(tint2)
for tool in "${tools[@]}"; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: '$tool' is not installed (scripts/setup.sh installs it); the real-desktop test does not run." >&2
    exit 77
  fi
done

scratch="$(mktemp -d "${TMPDIR:-/tmp}/mirto-desktop.XXXXXX")"
mkdir -p "$scratch/home" "$scratch/config" "$scratch/runtime"
chmod 0700 "$scratch/runtime"
pids=()

teardown() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null
  done
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    wait "${pids[i]}" 2>/dev/null
  done
  rm -rf "$scratch"
}
trap teardown EXIT
trap 'exit 130' INT TERM

# desk_wait SECONDS CONDITION...: polls the command CONDITION every 50 ms.
# shellcheck source-path=SCRIPTDIR source=desktop-wait.sh
source "$here/desktop-wait.sh"

die() {
  echo "desktop-session: $*" >&2
  exit 1
}

# The X server writes its display number to fd 3 once it takes connections.
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$scratch/display" \
  >"$scratch/xvfb.log" 2>&1 &
pids+=($!)
desk_wait 10 test -s "$scratch/display" || die "Xvfb did not start: $(cat "$scratch/xvfb.log")"

export DISPLAY=":$(tr -d '[:space:]' <"$scratch/display")"
export HOME="$scratch/home"
export XDG_CONFIG_HOME="$scratch/config"
export XDG_RUNTIME_DIR="$scratch/runtime"
export MIRTO_DESKTOP_DIR="$scratch"
export MIRTO_DESKTOP_LIB="$here/desktop-lib.sh"
export MIRTO_TRAY_PID=""
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
export NO_AT_BRIDGE=1

openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
pids+=($!)
desk_wait 10 sh -c 'xprop -root -notype _NET_SUPPORTING_WM_CHECK | grep -q "window id"' \
  || die "openbox did not start: $(cat "$scratch/openbox.log")"

# The taskbar and the tray host start side by side.
if [ "$taskbar" = 1 ]; then
  # A taskbar of task buttons only: the tray belongs to trayer.
  cat >"$scratch/tint2rc" <<'RC'
panel_items = T
panel_position = top center horizontal
panel_size = 100% 30
panel_background_id = 0
taskbar_mode = single_desktop
task_maximum_size = 160 30
task_text = 1
RC
  tint2 -c "$scratch/tint2rc" >"$scratch/tint2.log" 2>&1 &
  pids+=($!)
fi
if [ "$tray" = 1 ]; then
  trayer --edge bottom --align right --widthtype pixel --width 120 --height 28 \
    --SetDockType true --transparent false >"$scratch/trayer.log" 2>&1 &
  pids+=($!)
  MIRTO_TRAY_PID=$!
fi
if [ "$taskbar" = 1 ]; then
  desk_wait 10 xdotool search --classname tint2 \
    || die "tint2 did not start: $(cat "$scratch/tint2.log")"
fi
if [ "$tray" = 1 ]; then
  desk_wait 10 xdotool search --classname trayer \
    || die "trayer did not start: $(cat "$scratch/trayer.log")"
fi

"$@"
