#!/usr/bin/env bash
# Runs one command on a private real desktop and tears the desktop down again.
#
#   desktop-session.sh [--desktop NAME] [--no-tray] [--no-taskbar] [--screen WxH]
#                      [--] COMMAND [ARGS...]
#
# Starts Xvfb on a free display (chosen by the server itself, so parallel
# sessions never collide; a screen of 1024x768 unless --screen says
# otherwise) with a private HOME, XDG_RUNTIME_DIR (mode 0700) and
# XDG_CONFIG_HOME, then the desktop NAME, waits until each of its parts is
# up, and runs COMMAND with DISPLAY set. The desktops:
#   openbox  (the default) the openbox window manager, the trayer tray host
#            (XEmbed) at the bottom right and a tint2 taskbar at the top
#            (tasks only, no tray of its own); no session bus
#   xfce     a private session bus (dbus-daemon --session) and the settings
#            daemon xfconfd on it, keeping its settings in the scratch
#            XDG_CONFIG_HOME; the xfwm4 window manager (no compositor) and
#            one xfce4-panel at the bottom with a task list and the
#            notification-area plugin, which hosts StatusNotifierItem items
#            on the bus and XEmbed icons alike
#   icewm    the icewm window manager with its own taskbar and tray at the
#            bottom; no session bus
#   fluxbox  the fluxbox window manager with its toolbar at the bottom: the
#            task list and the system tray; no session bus
# --no-tray leaves the tray out (trayer, the panel's plugin, icewm's or
# fluxbox's tray); --no-taskbar leaves out tint2 on openbox and the task
# list elsewhere. Exits with COMMAND's status, or 77 (the test is skipped)
# when a tool is missing. The command sees:
#   MIRTO_DESKTOP         the desktop's NAME
#   MIRTO_DESKTOP_DIR     a scratch folder removed at the end
#   MIRTO_DESKTOP_LIB     desktop-lib.sh, the helpers to source
#   MIRTO_TRAY_PID        the tray host's process id (empty with --no-tray;
#                         on icewm and fluxbox the window manager's own)
#   MIRTO_TRAY_CLASS      the class of the window that holds the embedded
#                         tray icons (empty with --no-tray)
#   DBUS_SESSION_BUS_ADDRESS  the private session bus (xfce only; unset on
#                         the others)
# Everything started here is stopped by process id on exit.
set -uo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
desktop=openbox
tray=1
taskbar=1
screen=1024x768
usage="usage: $0 [--desktop openbox|xfce|icewm|fluxbox] [--no-tray] [--no-taskbar] [--screen WxH] [--] COMMAND [ARGS...]"
while [ $# -gt 0 ]; do
  case "$1" in
    --desktop) desktop="${2:-}"; shift 2 ;;
    --no-tray) tray=0; shift ;;
    --no-taskbar) taskbar=0; shift ;;
    --screen) screen="$2"; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
if [ $# -eq 0 ]; then
  echo "$usage" >&2
  exit 2
fi

tools=(Xvfb xdotool xprop xwininfo)
case "$desktop" in
  openbox)
    tools+=(openbox)
    [ "$tray" = 1 ] && tools+=(trayer)
    [ "$taskbar" = 1 ] && tools+=(tint2)
    ;;
  xfce) tools+=(dbus-daemon xfwm4 xfce4-panel) ;;
  icewm) tools+=(icewm) ;;
  fluxbox) tools+=(fluxbox) ;;
  *)
    echo "desktop-session: unknown desktop '$desktop'; $usage" >&2
    exit 2
    ;;
esac
for tool in "${tools[@]}"; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: '$tool' is not installed (scripts/setup.sh installs it); the real-desktop test does not run." >&2
    exit 77
  fi
done
xfconfd=""
if [ "$desktop" = xfce ]; then
  for xfconfd in /usr/lib/*/xfce4/xfconf/xfconfd /usr/lib/xfce4/xfconf/xfconfd ""; do
    [ -x "$xfconfd" ] && break
  done
  if [ -z "$xfconfd" ]; then
    echo "SKIP: 'xfconfd' is not installed (scripts/setup.sh installs xfconf); the real-desktop test does not run." >&2
    exit 77
  fi
fi

scratch="$(mktemp -d "${TMPDIR:-/tmp}/mirto-desktop.XXXXXX")"
mkdir -p "$scratch/home" "$scratch/config" "$scratch/runtime"
chmod 0700 "$scratch/runtime"
session_name="desktop-session"
# shellcheck source-path=SCRIPTDIR source=session-lib.sh
source "$here/session-lib.sh"

# started NAME COMMAND...: starts COMMAND in the background, its output in
# $scratch/NAME.log, and keeps its process id (also in $started_pid).
started() {
  local name="$1"
  shift
  "$@" >"$scratch/$name.log" 2>&1 &
  started_pid=$!
  pids+=("$started_pid")
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
export MIRTO_DESKTOP="$desktop"
export MIRTO_DESKTOP_DIR="$scratch"
export MIRTO_DESKTOP_LIB="$here/desktop-lib.sh"
export MIRTO_TRAY_PID=""
export MIRTO_TRAY_CLASS=""
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS XDG_CURRENT_DESKTOP DESKTOP_SESSION
export NO_AT_BRIDGE=1

wm_is_up() { xprop -root -notype _NET_SUPPORTING_WM_CHECK | grep -q "window id"; }
start_openbox() {
  started openbox openbox --sm-disable
  desk_wait 10 wm_is_up || die "openbox did not start: $(cat "$scratch/openbox.log")"
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
    started tint2 tint2 -c "$scratch/tint2rc"
  fi
  if [ "$tray" = 1 ]; then
    started trayer trayer --edge bottom --align right --widthtype pixel --width 120 --height 28 \
      --SetDockType true --transparent false
    MIRTO_TRAY_PID=$started_pid
    MIRTO_TRAY_CLASS=trayer
  fi
  if [ "$taskbar" = 1 ]; then
    desk_wait 10 xdotool search --classname tint2 \
      || die "tint2 did not start: $(cat "$scratch/tint2.log")"
  fi
  if [ "$tray" = 1 ]; then
    desk_wait 10 xdotool search --classname trayer \
      || die "trayer did not start: $(cat "$scratch/trayer.log")"
  fi
}

start_xfce() {
  # The session bus writes its address to fd 3 once it takes connections.
  dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$scratch/bus" \
    >"$scratch/dbus.log" 2>&1 &
  pids+=($!)
  desk_wait 10 test -s "$scratch/bus" || die "the session bus did not start: $(cat "$scratch/dbus.log")"
  DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "$scratch/bus")"
  export DBUS_SESSION_BUS_ADDRESS
  # The panel's layout, read by xfconfd from the scratch XDG_CONFIG_HOME:
  # the task list, a spacer and the notification area.
  local channel="$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml" plugins="" ids=""
  mkdir -p "$channel"
  [ "$taskbar" = 1 ] && plugins+='<property name="plugin-1" type="string" value="tasklist"/>' \
    && ids+='<value type="int" value="1"/>'
  plugins+='<property name="plugin-2" type="string" value="separator"><property name="expand" type="bool" value="true"/><property name="style" type="uint" value="0"/></property>'
  ids+='<value type="int" value="2"/>'
  [ "$tray" = 1 ] && plugins+='<property name="plugin-3" type="string" value="systray"/>' \
    && ids+='<value type="int" value="3"/>'
  cat >"$channel/xfce4-panel.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=8;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="30"/>
      <property name="plugin-ids" type="array">$ids</property>
    </property>
  </property>
  <property name="plugins" type="empty">$plugins</property>
</channel>
XML
  started xfconfd "$xfconfd"
  desk_wait 10 sh -c 'dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner string:org.xfce.Xfconf | grep -q "boolean true"' \
    || die "xfconfd did not start: $(cat "$scratch/xfconfd.log")"
  started xfwm4 xfwm4 --compositor=off --sm-client-disable
  desk_wait 10 wm_is_up || die "xfwm4 did not start: $(cat "$scratch/xfwm4.log")"
  started xfce4-panel xfce4-panel --sm-client-disable --disable-wm-check
  desk_wait 15 xdotool search --classname xfce4-panel \
    || die "xfce4-panel did not start: $(cat "$scratch/xfce4-panel.log")"
  if [ "$tray" = 1 ]; then
    MIRTO_TRAY_PID=$started_pid
    MIRTO_TRAY_CLASS=xfce4-panel
    # The notification area is up when it hosts status notifier items.
    desk_wait 15 sh -c 'dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher | grep -q "boolean true"' \
      || die "the panel's notification area did not start: $(cat "$scratch/xfce4-panel.log")"
  fi
}

start_icewm() {
  mkdir -p "$HOME/.icewm"
  cat >"$HOME/.icewm/preferences" <<PREFS
ShowTaskBar=$((taskbar | tray))
TaskBarShowTasks=$taskbar
TaskBarShowTray=$tray
TaskBarEnableSystemTray=$tray
TaskBarShowWorkspaces=0
TaskBarShowClock=0
TaskBarShowCPUStatus=0
TaskBarShowMEMStatus=0
TaskBarShowNetStatus=0
TaskBarShowMailboxStatus=0
TaskBarShowAPMStatus=0
TaskBarShowStartMenu=0
TaskBarShowWindowListMenu=0
TaskBarShowShowDesktopButton=0
TaskBarAtTop=0
PREFS
  started icewm icewm --no-runonce --config="$HOME/.icewm/preferences"
  desk_wait 10 wm_is_up || die "icewm did not start: $(cat "$scratch/icewm.log")"
  if [ "$tray" = 1 ]; then
    MIRTO_TRAY_PID=$started_pid
    MIRTO_TRAY_CLASS=icewm
  fi
}

start_fluxbox() {
  # A style whose background is a plain colour: a picture would need a
  # wallpaper setter, whose absence fluxbox reports in a window of its own.
  local toolbar="iconbar" visible=true
  [ "$taskbar" = 1 ] || toolbar=""
  [ "$tray" = 1 ] && toolbar="${toolbar:+$toolbar, }systemtray"
  [ -n "$toolbar" ] || visible=false
  mkdir -p "$HOME/.fluxbox"
  cp /etc/X11/fluxbox/keys "$HOME/.fluxbox/keys" 2>/dev/null || : >"$HOME/.fluxbox/keys"
  : >"$HOME/.fluxbox/menu"
  : >"$HOME/.fluxbox/apps"
  cat >"$HOME/.fluxbox/init" <<INIT
session.configVersion: 13
session.menuFile: $HOME/.fluxbox/menu
session.keyFile: $HOME/.fluxbox/keys
session.appsFile: $HOME/.fluxbox/apps
session.styleFile: /usr/share/fluxbox/styles/Flux
session.screen0.toolbar.visible: $visible
session.screen0.toolbar.tools: ${toolbar:-iconbar}
session.screen0.toolbar.placement: BottomCenter
session.screen0.toolbar.widthPercent: 100
session.screen0.toolbar.height: 28
session.screen0.workspaces: 1
INIT
  started fluxbox fluxbox -no-slit -rc "$HOME/.fluxbox/init"
  desk_wait 10 wm_is_up || die "fluxbox did not start: $(cat "$scratch/fluxbox.log")"
  if [ "$tray" = 1 ]; then
    MIRTO_TRAY_PID=$started_pid
    MIRTO_TRAY_CLASS=fluxbox
  fi
}

"start_$desktop"

"$@"
