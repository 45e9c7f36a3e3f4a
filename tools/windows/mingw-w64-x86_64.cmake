# Cross-compiling for 64-bit Windows with Debian's mingw-w64, posix threads
# (the win32-threads compilers of gcc 12 have no std::thread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# The libraries built for Windows (zlib, libpng, Qt, GoogleTest) live in one
# prefix; programs are still looked up on the build machine.
if(DEFINED ENV{MIRTO_WINDOWS_SYSROOT})
  set(MIRTO_WINDOWS_SYSROOT "$ENV{MIRTO_WINDOWS_SYSROOT}")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${MIRTO_WINDOWS_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests and test discovery run the Windows programs under Wine.
find_program(MIRTO_WINE NAMES wine wine64)
if(MIRTO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${MIRTO_WINE}")
endif()
