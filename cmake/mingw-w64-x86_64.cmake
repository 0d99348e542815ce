# The same programs for 64-bit x86, built only to be tested under Wine on a machine whose kernel
# cannot run 32-bit code (and so not 32-bit Wine); what ships is the 32-bit build.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
