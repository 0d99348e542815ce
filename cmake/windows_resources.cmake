# The Windows programs' resources: a version resource from the project's version, a message table
# where the program reports to the event log, and no manifest.
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
      WORKING_DIRECTORY ${POS_VIDEO_NO_MANIFEST_DIR} RESULT_VARIABLE no_manifest_result)
    if(NOT no_manifest_result EQUAL 0)
      message(FATAL_ERROR "Cannot compile the empty default-manifest.o")
    endif()
  endif()
endif()

# Gives TARGET a version resource saying DESCRIPTION, and keeps any manifest out of it. With
# MESSAGE_TABLE file.mc, also the message table that file describes, compiled by binutils' windmc
# when CMake configures (again whenever the file changes), so that Event Viewer finds the text of
# the program's events in the program itself.
function(pos_video_windows_resources target description)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "MESSAGE_TABLE" "")
  set(POS_VIDEO_FILE_DESCRIPTION "${description}")
  set(POS_VIDEO_FILE_NAME "${target}.exe")
  set(POS_VIDEO_MORE_RESOURCES "")
  if(arg_MESSAGE_TABLE)
    set(messages ${CMAKE_BINARY_DIR}/windows_resources/${target}-messages)
    pos_video_compile_message_table(${arg_MESSAGE_TABLE} ${messages})
    # windmc names the table's file after the language in the .mc file: English (U.S.) only.
    set(POS_VIDEO_MORE_RESOURCES "LANGUAGE 0x9, 0x1\n1 MESSAGETABLE \"${messages}/MSG00409.bin\"")
  endif()
  set(rc ${CMAKE_BINARY_DIR}/windows_resources/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows_version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  if(arg_MESSAGE_TABLE)
    # The table's binary is not a source CMake tracks: recompile the .rc when it changes.
    set_source_files_properties(${rc} TARGET_DIRECTORY ${target}
                                PROPERTIES OBJECT_DEPENDS ${messages}/MSG00409.bin)
  endif()
  if(MINGW)
    target_link_options(${target} PRIVATE -B${POS_VIDEO_NO_MANIFEST_DIR}/)
  endif()
endfunction()

# Compiles the message file MC into OUT_DIR now, at configure time.
function(pos_video_compile_message_table mc out_dir)
  find_program(POS_VIDEO_WINDMC NAMES ${MINGW_TRIPLET}-windmc windmc REQUIRED)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${mc})
  file(MAKE_DIRECTORY ${out_dir})
  execute_process(COMMAND ${POS_VIDEO_WINDMC} -h ${out_dir} -r ${out_dir} ${mc}
                  RESULT_VARIABLE windmc_result ERROR_VARIABLE windmc_errors)
  if(NOT windmc_result EQUAL 0 OR NOT EXISTS ${out_dir}/MSG00409.bin)
    message(FATAL_ERROR "windmc could not compile ${mc}: ${windmc_errors}")
  endif()
endfunction()
