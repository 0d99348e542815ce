# The compiled-in time-zone table, generated at build time from the build host's tzdata (Debian's
# tzdata package, a build dependency) and remade when that changes.
set(POS_VIDEO_ZONEINFO /usr/share/zoneinfo CACHE PATH "The tzdata the time-zone table is made from")

function(pos_video_time_zone_table output)
  set(generator ${PROJECT_SOURCE_DIR}/cmake/generate_time_zone_table.cmake)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DZONEINFO=${POS_VIDEO_ZONEINFO} -DOUTPUT=${output} -P ${generator}
    DEPENDS ${generator} ${POS_VIDEO_ZONEINFO}/tzdata.zi
    COMMENT "Generating the time-zone table from ${POS_VIDEO_ZONEINFO}"
    VERBATIM)
endfunction()
