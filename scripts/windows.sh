# The Windows half: shared by scripts/run --windows and scripts/test --windows.
# Sourced after setup.sh, not run.

# Debian 12 packages the cross build and its tests under Wine need.
MIRTO_WINDOWS_PACKAGES=(
  mingw-w64 wine wine64 dpkg-dev
  # the host tools (moc, rcc) the Windows Qt is built against, and its build
  cmake ninja-build qt6-base-dev libgtest-dev googletest
  xvfb xauth openbox trayer xdotool x11-utils
)

mirto_windows_install_packages() {
  local linux_packages=("${MIRTO_PACKAGES[@]}")
  MIRTO_PACKAGES=("${MIRTO_WINDOWS_PACKAGES[@]}")
  mirto_install_packages
  MIRTO_PACKAGES=("${linux_packages[@]}")
}

# The libraries for Windows are built once per machine into one folder,
# $MIRTO_WINDOWS_CACHE/sysroot, and built again when anything that decides
# their build changes: the script and toolchain that build them, and the
# versions of the Debian packages whose sources or compilers go in. That is
# the key, kept in the folder once it is complete.
mirto_windows_cache() {
  echo "${MIRTO_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/mirto-windows}"
}

mirto_windows_sysroot() { echo "$(mirto_windows_cache)/sysroot"; }

mirto_windows_key() {
  {
    cat "$MIRTO_ROOT/tools/windows/build-deps" "$MIRTO_ROOT/tools/windows/mingw-w64-x86_64.cmake"
    dpkg-query -W -f='${Package} ${Version}\n' qt6-base-dev zlib1g-dev libpng-dev googletest \
      gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
  } | sha256sum | cut -c1-16
}

mirto_windows_build_deps() {
  local sysroot="$1" key
  key="$(mirto_windows_key)"
  if [ "$(cat "$sysroot/.mirto-complete" 2>/dev/null)" = "$key" ]; then
    return
  fi
  echo "Building zlib, libpng, Qt and GoogleTest for Windows into $sysroot,"
  echo "once per machine: about 25 minutes on a 2-core machine."
  "$MIRTO_ROOT/tools/windows/build-deps" "$sysroot" "$(mirto_windows_cache)/work" "$key"
}

# Wine for the build's Windows programs: a prefix of the build's own, quiet,
# without the browser and .NET installers a new prefix would offer.
mirto_windows_wine_env() {
  local build_dir="$1"
  export WINEPREFIX="$build_dir/wine"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing a Wine prefix in $WINEPREFIX."
    wineboot --init >/dev/null 2>&1 || true
    wineserver --wait || true
  fi
}

# mirto_windows_build BUILD_DIR TARGETS: the cross build against the
# libraries of mirto_windows_sysroot, building them first when needed.
mirto_windows_build() {
  local build_dir="$1"
  local targets="$2"
  local sysroot
  sysroot="$(mirto_windows_sysroot)"
  mirto_windows_build_deps "$sysroot"
  export MIRTO_WINDOWS_SYSROOT="$sysroot"
  # -O2 as on Linux: at -O3 gcc 12 reports overflows in the standard library
  # that are not there, and -Werror stops the build on them.
  mirto_build "$build_dir" "$targets" \
    -DCMAKE_TOOLCHAIN_FILE="$MIRTO_ROOT/tools/windows/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DMIRTO_WERROR=ON -DMIRTO_BUILD_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DCMAKE_PREFIX_PATH="$sysroot" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
}
