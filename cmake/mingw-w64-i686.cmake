# Cross-compiles the Windows program on Debian with MinGW-w64 for 32-bit x86.
#
# The program ships as a 32-bit .exe: it runs on 32- and 64-bit Windows alike, and as a 32-bit
# program without a requested execution level it keeps Windows' file virtualization for standard
# users. The "posix" flavour of the compilers is the one Debian's g++-mingw-w64-i686-posix package
# installs; the program needs none of its threading. A Windows developer with a native toolchain
# configures without this file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

# Libraries and headers come from the MinGW sysroot only, never from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
