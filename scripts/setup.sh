# Shared by scripts/run and scripts/test: installs what is missing, then
# configures and builds one build folder. Sourced, not run.

MIRTO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Paths relative to the checkout let every clone and worktree on a machine
# share the compiler cache; without it a second clone compiles everything again.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$MIRTO_ROOT}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"

# Debian 12 packages the build, the tests and the program need.
MIRTO_PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev libpng-dev zlib1g-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libxcb1-dev
  xvfb xauth openbox trayer tint2 xdotool x11-utils
  # the move between screens of two scales: xrandr splits the virtual screen into two monitors
  x11-xserver-utils
  fonts-liberation2 fonts-open-sans fonts-inconsolata fontconfig libfontconfig-dev
  # the package test (cpack's shlibdeps, dpkg, the window found by xdotool) and the Wayland test
  dpkg-dev xdotool weston qt6-wayland
  # the desktop matrix: xfwm4 with xfce4-panel on a private session bus
  # (dbus-x11 brings dbus-send; xfconf the settings daemon), icewm, fluxbox;
  # wmctrl asks the window manager for states (maximised, full screen)
  xfwm4 xfce4-panel xfconf dbus-x11 icewm fluxbox wmctrl
  # the tray icon on a stand-in StatusNotifier panel: a private session bus
  # for the test program (dbus-run-session)
  dbus-daemon
  # the sway session: sway with swaybar, its screenshots and window tree, a
  # session bus, and the virtual pointer and keyboard built from the
  # Wayland client library and the wlroots protocols
  sway grim jq dbus libwayland-dev librust-wayland-protocols-dev
  # the end-to-end tests: xdg-open, through which the launcher opens folders and web addresses
  xdg-utils
  # what a screen reader reads, through a session bus of the test's own: the
  # accessibility bus and a client of it
  dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0
  # the real-desktop test of Windows programs started through Wine, and its
  # Windows stand-in built with the cross compiler
  wine wine64 mingw-w64
)

# What scripts/package adds: the checkers of the desktop entry, the AppStream
# data and the .deb.
MIRTO_PACKAGING_PACKAGES=(desktop-file-utils appstream lintian)

mirto_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

mirto_install_packages() {
  local missing=()
  local pkg
  for pkg in "${MIRTO_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    mirto_as_root apt-get update
    mirto_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
  fi
}

# One configuration for build/ whichever script runs first: with the same cache
# options scripts/test after scripts/run only compiles what the launcher did not need.
MIRTO_CMAKE_ARGS=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRTO_WERROR=ON)

# mirto_build BUILD_DIR TARGETS CMAKE_ARGUMENTS...
#   TARGETS: space-separated target names, or "all" for the whole tree.
mirto_build() {
  local build_dir="$1"
  local targets="$2"
  shift 2
  if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    mirto_first_build_note "$targets"
  fi
  cmake -S "$MIRTO_ROOT" -B "$build_dir" -G Ninja "$@"
  # shellcheck disable=SC2086 # the target list is split on purpose
  cmake --build "$build_dir" --target $targets
}

# A first build compiles from scratch and is slow on small machines; say so
# before it starts instead of leaving a silent terminal.
mirto_first_build_note() {
  local what="the launcher"
  local minutes="5"
  if [ "$1" = "all" ]; then
    what="the launcher, its tests and benchmarks"
    minutes="11"
  fi
  echo "First build in this folder: compiling $what takes about $minutes minutes on a"
  echo "2-core machine (less with more cores or a warm compiler cache); later builds only"
  echo "compile what changed."
}
