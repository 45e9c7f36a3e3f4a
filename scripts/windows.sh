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

# The libraries for Windows are built once per machine, into a folder named
# after everything that decides their build: the script and toolchain that
# build them, and the versions of the Debian packages whose sources or
# compilers go in.
mirto_windows_sysroot() {
  local cache="${MIRTO_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/mirto-windows}"
  local key
  key="$(
    {
      cat "$MIRTO_ROOT/tools/windows/build-deps" "$MIRTO_ROOT/tools/windows/mingw-w64-x86_64.cmake"
      dpkg-query -W -f='${Package} ${Version}\n' qt6-base-dev zlib1g-dev libpng-dev googletest \
        gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
    } | sha256sum | cut -c1-16
  )"
  echo "$cache/sysroot-$key"
}

mirto_windows_build_deps() {
  local sysroot="$1"
  if [ -f "$sysroot/.mirto-complete" ]; then
    return
  fi
  local cache
  cache="$(dirname "$sysroot")"
  echo "Building zlib, libpng, Qt and GoogleTest for Windows into $sysroot,"
  echo "once per machine: about 25 minutes on a 2-core machine."
  "$MIRTO_ROOT/tools/windows/build-deps" "$sysroot" "$cache/work"
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
  mirto_build "$build_dir" "$targets" \
    -DCMAKE_TOOLCHAIN_FILE="$MIRTO_ROOT/tools/windows/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DMIRTO_WERROR=ON -DMIRTO_BUILD_BENCHMARKS=OFF \
    -DCMAKE_PREFIX_PATH="$sysroot" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
}
