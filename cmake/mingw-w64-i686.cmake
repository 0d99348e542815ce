# The shipped Windows programs: 32-bit x86. One .exe runs on 32- and 64-bit Windows alike, and as
# a 32-bit program without a requested execution level it keeps Windows' file virtualization for
# standard users.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
