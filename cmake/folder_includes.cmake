# Dependencies between the source folders point one way, and the compiler enforces it: a folder's
# library sees, on its include path, only its own folder and the folders it may use, so that an
# include of any other folder fails to compile. The sources keep writing "base/platform.h": the
# include path is a folder in the build tree holding a link named after each allowed source folder.
#
# A library's include path reaches everything that links it, and its headers are compiled there
# too. So a folder may only use folders whose own allowed folders it may use as well: checked here,
# which also means a folder is set up after those it uses.
function(pos_video_folder_includes library)
  set(allowed ${library} ${ARGN})
  foreach(used IN LISTS ARGN)
    get_property(theirs GLOBAL PROPERTY pos_video_folder_includes_${used})
    if(NOT theirs)
      message(FATAL_ERROR "${library} may use ${used}, which is not set up yet: add it first")
    endif()
    foreach(folder IN LISTS theirs)
      if(NOT folder IN_LIST allowed)
        message(FATAL_ERROR "${library} may use ${used}, which may use ${folder}: "
                            "${library} must then be allowed ${folder} too")
      endif()
    endforeach()
  endforeach()
  set_property(GLOBAL PROPERTY pos_video_folder_includes_${library} ${allowed})

  # Made afresh at each configure, so that a folder taken off the list is gone from the path.
  # Removing the links leaves the source folders they point to untouched.
  set(view ${CMAKE_BINARY_DIR}/folder_includes/${library})
  file(REMOVE_RECURSE ${view})
  file(MAKE_DIRECTORY ${view})
  foreach(folder IN LISTS allowed)
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${view}/${folder} SYMBOLIC)
  endforeach()
  target_include_directories(${library} PUBLIC ${view})
endfunction()
