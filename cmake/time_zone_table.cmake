# The compiled-in time-zone table, generated at build time from the build host's tzdata and CLDR
# (Debian's tzdata and unicode-cldr-core packages, build dependencies) by a Python script, and
# remade when they change.
set(POS_VIDEO_ZONEINFO /usr/share/zoneinfo CACHE PATH "The tzdata the time-zone table is made from")
set(POS_VIDEO_CLDR /usr/share/unicode/cldr CACHE PATH "The CLDR whose Windows zone names it maps")
find_package(Python3 3.6 COMPONENTS Interpreter REQUIRED)

function(pos_video_time_zone_table output)
  set(generator ${PROJECT_SOURCE_DIR}/cmake/generate_time_zone_table.py)
  add_custom_command(
    OUTPUT ${output}
    COMMAND Python3::Interpreter ${generator} ${POS_VIDEO_ZONEINFO} ${POS_VIDEO_CLDR} ${output}
    DEPENDS ${generator} ${POS_VIDEO_ZONEINFO}/tzdata.zi
            ${POS_VIDEO_CLDR}/common/supplemental/windowsZones.xml
    COMMENT "Generating the time-zone table from ${POS_VIDEO_ZONEINFO} and ${POS_VIDEO_CLDR}"
    VERBATIM)
endfunction()
