# The compiled-in time-zone table, generated at build time from the build host's tzdata (Debian's
# tzdata package, a build dependency) by a Python script, and remade when that changes.
set(POS_VIDEO_ZONEINFO /usr/share/zoneinfo CACHE PATH "The tzdata the time-zone table is made from")
find_package(Python3 3.6 COMPONENTS Interpreter REQUIRED)

function(pos_video_time_zone_table output)
  set(generator ${PROJECT_SOURCE_DIR}/cmake/generate_time_zone_table.py)
  add_custom_command(
    OUTPUT ${output}
    COMMAND Python3::Interpreter ${generator} ${POS_VIDEO_ZONEINFO} ${output}
    DEPENDS ${generator} ${POS_VIDEO_ZONEINFO}/tzdata.zi
    COMMENT "Generating the time-zone table from ${POS_VIDEO_ZONEINFO}"
    VERBATIM)
endfunction()
