#!/usr/bin/env bash
# Runs one command on a private headless sway session and tears the
# session down again.
#
#   sway-session.sh [--float APP_ID] [--] COMMAND [ARGS...]
#
# Starts a session bus of its own, then sway with its headless back end (one
# output of 1280 x 1024, no input devices but the ones a test creates) and
# swaybar at the bottom with its tray (the StatusNotifierItem host) and no
# status line, waits until both are up and runs COMMAND against them.
# --float APP_ID has sway float that program's windows whatever their size
# hints say (for tests of something else than how sway places the window).
# sway refuses to run as root: started by root it runs as the user nobody,
# with a runtime folder of its own, and everything else stays root's.
# Exits with COMMAND's status, or 77 (the test is skipped) when a tool is
# missing. The command sees:
#   WAYLAND_DISPLAY       the compositor's socket (a full path)
#   SWAYSOCK              sway's IPC socket, for swaymsg
#   DBUS_SESSION_BUS_ADDRESS   the session bus that swaybar's tray uses
#   MIRTO_DESKTOP_DIR     a scratch folder removed at the end
#   MIRTO_SWAY_LIB        sway-lib.sh, the helpers to source
#   MIRTO_SWAY_OUTPUT     the output's size, "1280 1024"
# Everything started here is stopped by process id on exit.
set -uo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
float=""
while [ $# -gt 0 ]; do
  case "$1" in
    --float) float="$2"; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
if [ $# -eq 0 ]; then
  echo "usage: $0 [--float APP_ID] [--] COMMAND [ARGS...]" >&2
  exit 2
fi

for tool in sway swaybar swaymsg grim jq dbus-daemon; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: '$tool' is not installed (scripts/setup.sh installs it); the sway session does not run." >&2
    exit 77
  fi
done
as_sway=()
if [ "$(id -u)" -eq 0 ]; then
  if ! command -v setpriv >/dev/null 2>&1 || ! id nobody >/dev/null 2>&1; then
    echo "SKIP: run as root without setpriv or the user nobody, sway cannot start." >&2
    exit 77
  fi
  as_sway=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
fi

scratch="$(mktemp -d "${TMPDIR:-/tmp}/mirto-sway.XXXXXX")"
chmod 0755 "$scratch"
mkdir -p "$scratch/home" "$scratch/config" "$scratch/runtime" "$scratch/sway-runtime" "$scratch/sway-home"
chmod 0700 "$scratch/runtime" "$scratch/sway-runtime"
[ "${#as_sway[@]}" -gt 0 ] && chown nobody "$scratch/sway-runtime" "$scratch/sway-home"
session_name="sway-session"
# shellcheck source-path=SCRIPTDIR source=../desktop/session-lib.sh
source "$here/../desktop/session-lib.sh"

# A session bus that both sway's user and this one may use.
cat >"$scratch/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$scratch/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
dbus-daemon --config-file="$scratch/bus.conf" --nofork --nopidfile >"$scratch/bus.log" 2>&1 &
pids+=($!)
desk_wait 10 test -S "$scratch/bus" || die "the session bus did not start: $(cat "$scratch/bus.log")"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$scratch/bus"

width=1280 height=1024
cat >"$scratch/sway.conf" <<CONF
output HEADLESS-1 resolution ${width}x${height} position 0 0
bar {
  position bottom
  tray_output *
}
CONF
[ -n "$float" ] && echo "for_window [app_id=\"$float\"] floating enable" >>"$scratch/sway.conf"
chmod 0644 "$scratch/sway.conf"
env -u DISPLAY -u WAYLAND_DISPLAY -u SWAYSOCK HOME="$scratch/sway-home" \
  XDG_RUNTIME_DIR="$scratch/sway-runtime" XDG_CONFIG_HOME="$scratch/sway-home" \
  WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=1 WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  "${as_sway[@]}" sway --config "$scratch/sway.conf" >"$scratch/sway.log" 2>&1 &
pids+=($!)
sway_socket() { compgen -G "$scratch/sway-runtime/sway-ipc.*.sock" | head -n 1 | grep .; }
desk_wait 10 sway_socket || die "sway did not start: $(cat "$scratch/sway.log")"
export SWAYSOCK
SWAYSOCK="$(sway_socket)"
export WAYLAND_DISPLAY
WAYLAND_DISPLAY="$(compgen -G "$scratch/sway-runtime/wayland-*[0-9]" | head -n 1)"
[ -S "$WAYLAND_DISPLAY" ] || die "sway opened no Wayland socket: $(cat "$scratch/sway.log")"
# swaybar's tray is up once it watches for items on the bus.
desk_wait 10 sh -c 'dbus-send --session --print-reply --dest=org.freedesktop.DBus \
  /org/freedesktop/DBus org.freedesktop.DBus.ListNames | grep -q StatusNotifierWatcher' \
  || die "swaybar's tray did not start: $(cat "$scratch/sway.log")"

export HOME="$scratch/home"
export XDG_CONFIG_HOME="$scratch/config"
export XDG_RUNTIME_DIR="$scratch/runtime"
export MIRTO_DESKTOP_DIR="$scratch"
export MIRTO_SWAY_LIB="$here/sway-lib.sh"
export MIRTO_SWAY_OUTPUT="$width $height"
export QT_QPA_PLATFORM=wayland
unset DISPLAY
export NO_AT_BRIDGE=1

"$@"
