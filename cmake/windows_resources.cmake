# The Windows programs' resources: a version resource from the project's version, and no manifest.
#
# No manifest on purpose. Without a requested execution level a 32-bit program keeps Windows' file
# virtualization for standard users, and without a DPI declaration the pointer position it reads
# is in the same coordinates as the client's window, the client not being DPI-aware either. GCC
# links MinGW-w64's default-manifest.o, which requests "asInvoker", whenever the toolchain has that
# file (Debian's does not, MSYS2's does); an empty object of that name, found first through -B (an
# absolute folder: GCC does not look for it in a relative one), takes its place.
# tests/windows/check_resources.sh fails on any manifest that gets in all the same.
#
# None of the version strings, nor the file names, may hold "setup", "install", "update" or
# "patch": Windows would take the program for an installer and ask for an administrator.
enable_language(RC)

if(MINGW)
  set(POS_VIDEO_NO_MANIFEST_DIR ${CMAKE_BINARY_DIR}/no-default-manifest)
  if(NOT EXISTS ${POS_VIDEO_NO_MANIFEST_DIR}/default-manifest.o)
    file(WRITE ${POS_VIDEO_NO_MANIFEST_DIR}/empty.cpp "")
    execute_process(
      COMMAND ${CMAKE_CXX_COMPILER} -c empty.cpp -o default-manifest.o
      WORKING_DIRECTORY ${POS_VIDEO_NO_MANIFEST_DIR}
      RESULT_VARIABLE no_manifest_result)
    if(NOT no_manifest_result EQUAL 0)
      message(FATAL_ERROR "Cannot compile the empty default-manifest.o")
    endif()
  endif()
endif()

# Gives TARGET a version resource saying DESCRIPTION, and keeps any manifest out of it.
function(pos_video_windows_resources target description)
  set(POS_VIDEO_FILE_DESCRIPTION "${description}")
  set(POS_VIDEO_FILE_NAME "${target}.exe")
  set(rc ${CMAKE_BINARY_DIR}/windows_resources/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows_version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  if(MINGW)
    target_link_options(${target} PRIVATE -B${POS_VIDEO_NO_MANIFEST_DIR}/)
  endif()
endfunction()
