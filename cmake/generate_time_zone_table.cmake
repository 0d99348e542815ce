# Writes the compiled-in time-zone table from the tzdata installed on the build host:
#   cmake -DZONEINFO=/usr/share/zoneinfo -DOUTPUT=zone_table.cpp -P generate_time_zone_table.cmake
# Every zone and link that tzdata.zi lists gets the POSIX TZ rule that ends its TZif file; links
# name their target's record. The zones whose changes tzdata lists one by one instead of by a rule
# also get those changes, from the last one before this year on. Plain CMake, so that it runs on
# any host that builds the project, for the native and the Windows build alike.
cmake_minimum_required(VERSION 3.25)

set(listed_zones Africa/Casablanca Africa/El_Aaiun Asia/Gaza Asia/Hebron)
# Names tzdata.zi may list that are no place's time.
set(excluded_names Factory localtime posixrules)
# Changes after this second (3000-12-31 23:59:59 UTC) lie beyond every date the launcher accepts.
set(last_second 32535215999)

if(NOT EXISTS "${ZONEINFO}/tzdata.zi")
  message(FATAL_ERROR "${ZONEINFO}/tzdata.zi not found: install Debian's tzdata package")
endif()

string(TIMESTAMP build_year "%Y" UTC)
math(EXPR years_since_1970 "${build_year} - 1970")
# 1 January of the build year, UTC: whole days of 365, plus the leap days before it.
math(EXPR year_start
     "(${years_since_1970} * 365 + (${build_year} - 1969) / 4 - (${build_year} - 1901) / 100 + (${build_year} - 1601) / 400) * 86400")

# The bytes of `hex` (two digits each) from byte `offset`, `count` bytes, as an unsigned number.
function(read_unsigned hex offset count result)
  math(EXPR start "${offset} * 2")
  math(EXPR length "${count} * 2")
  string(SUBSTRING "${hex}" ${start} ${length} digits)
  math(EXPR value "0x${digits}")
  set(${result} ${value} PARENT_SCOPE)
endfunction()

function(hex_to_text hex result)
  string(LENGTH "${hex}" length)
  set(text "")
  set(i 0)
  while(i LESS length)
    string(SUBSTRING "${hex}" ${i} 2 pair)
    math(EXPR code "0x${pair}")
    string(ASCII ${code} character)
    string(APPEND text "${character}")
    math(EXPR i "${i} + 2")
  endwhile()
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

# The POSIX TZ rule on the last line of a TZif file: printable bytes between two line feeds at its
# end. A match that ends at the end has even length, so it starts on a byte.
function(read_footer file result)
  file(SIZE "${file}" size)
  set(offset 0)
  if(size GREATER 256)
    math(EXPR offset "${size} - 256")
  endif()
  file(READ "${file}" hex OFFSET ${offset} HEX)
  if(NOT hex MATCHES "0a(([2-7][0-9a-f])+)0a$")
    message(FATAL_ERROR "${file} ends without a POSIX TZ rule")
  endif()
  hex_to_text("${CMAKE_MATCH_1}" footer)
  set(${result} "${footer}" PARENT_SCOPE)
endfunction()

# The changes a TZif file lists in its 64-bit block, from the last one before the build year to the
# end of the accepted dates, as "{times}|{type indexes}|{types}|count" in C++.
function(read_listed_changes file result)
  file(READ "${file}" hex HEX)
  # The counts of a header: isutcnt, isstdcnt, leapcnt, timecnt, typecnt, charcnt.
  foreach(i RANGE 5)
    math(EXPR at "20 + ${i} * 4")
    read_unsigned("${hex}" ${at} 4 count${i})
  endforeach()
  math(EXPR header2 "44 + ${count3} * 5 + ${count4} * 6 + ${count5} + ${count2} * 8 + ${count1} + ${count0}")
  foreach(i RANGE 5)
    math(EXPR at "${header2} + 20 + ${i} * 4")
    read_unsigned("${hex}" ${at} 4 count${i})
  endforeach()
  math(EXPR times "${header2} + 44")
  math(EXPR type_indexes "${times} + ${count3} * 8")
  math(EXPR types "${type_indexes} + ${count3}")
  math(EXPR characters "${types} + ${count4} * 6")

  set(kept_times "")
  set(kept_types "")
  set(previous "")
  math(EXPR last "${count3} - 1")
  foreach(i RANGE ${last})
    math(EXPR at "${times} + ${i} * 8")
    math(EXPR start "${at} * 2")
    string(SUBSTRING "${hex}" ${start} 1 sign_digit)
    if(sign_digit MATCHES "[89a-f]")
      continue()  # Before 1970.
    endif()
    read_unsigned("${hex}" ${at} 8 time)
    math(EXPR at "${type_indexes} + ${i}")
    read_unsigned("${hex}" ${at} 1 type)
    if(time LESS year_start)
      set(previous "${time};${type}")
      continue()
    endif()
    if(time GREATER last_second)
      break()
    endif()
    if(previous AND NOT kept_times)
      list(GET previous 0 previous_time)
      list(GET previous 1 previous_type)
      list(APPEND kept_times ${previous_time})
      list(APPEND kept_types ${previous_type})
    endif()
    list(APPEND kept_times ${time})
    list(APPEND kept_types ${type})
  endforeach()

  # The local time types those changes use, renumbered in order of first use.
  set(used "")
  set(indexes "")
  foreach(type IN LISTS kept_types)
    list(FIND used ${type} index)
    if(index EQUAL -1)
      list(LENGTH used index)
      list(APPEND used ${type})
    endif()
    list(APPEND indexes ${index})
  endforeach()
  set(type_text "")
  foreach(type IN LISTS used)
    math(EXPR at "${types} + ${type} * 6")
    read_unsigned("${hex}" ${at} 4 offset)
    if(offset GREATER 2147483647)
      math(EXPR offset "${offset} - 4294967296")
    endif()
    math(EXPR at "${at} + 4")
    read_unsigned("${hex}" ${at} 1 daylight)
    math(EXPR at "${at} + 1")
    read_unsigned("${hex}" ${at} 1 abbreviation_index)
    math(EXPR start "(${characters} + ${abbreviation_index}) * 2")
    string(SUBSTRING "${hex}" ${start} 40 abbreviation_hex)
    string(REGEX MATCH "^(([1-9a-f][0-9a-f]|0[1-9a-f])*)" abbreviation_hex "${abbreviation_hex}")
    hex_to_text("${abbreviation_hex}" abbreviation)
    set(is_daylight false)
    if(daylight)
      set(is_daylight true)
    endif()
    string(APPEND type_text "{${offset}, ${is_daylight}, \"${abbreviation}\"}, ")
  endforeach()

  list(LENGTH kept_times count)
  string(REPLACE ";" ", " time_list "${kept_times}")
  string(REPLACE ";" ", " index_list "${indexes}")
  set(${result} "{${time_list}}|{${index_list}}|{${type_text}}|${count}" PARENT_SCOPE)
endfunction()

file(STRINGS "${ZONEINFO}/tzdata.zi" lines REGEX "^([ZL] |# version )")
set(version "")
set(zones "")
set(links "")
foreach(line IN LISTS lines)
  if(line MATCHES "^# version (.+)$")
    set(version "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^Z ([^ ]+) ")
    list(APPEND zones "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^L ([^ ]+) ([^ ]+)$")
    list(APPEND links "${CMAKE_MATCH_2}=${CMAKE_MATCH_1}")
  endif()
endforeach()
list(REMOVE_ITEM zones ${excluded_names})
if(NOT version OR NOT zones)
  message(FATAL_ERROR "${ZONEINFO}/tzdata.zi lists no version or no zones")
endif()

# One record per distinct rule, and one per distinct rule and listed changes: El Aaiun and Hebron
# share those of Casablanca and Gaza while they agree.
set(records "")
set(rule_text "")
set(listed_text "")
set(listed_records "")
foreach(zone IN LISTS zones)
  read_footer("${ZONEINFO}/${zone}" rule)
  set(key "${rule}")
  list(FIND listed_zones "${zone}" listed)
  if(NOT listed EQUAL -1)
    read_listed_changes("${ZONEINFO}/${zone}" changes)
    string(MD5 key "${rule}|${changes}")
  endif()
  list(FIND records "${key}" record)
  if(record EQUAL -1)
    list(LENGTH records record)
    list(APPEND records "${key}")
    string(APPEND rule_text "    \"${rule}\",\n")
    if(NOT listed EQUAL -1)
      string(REPLACE "|" ";" parts "${changes}")
      list(GET parts 0 times)
      list(GET parts 1 indexes)
      list(GET parts 2 types)
      list(GET parts 3 count)
      string(APPEND listed_text
             "const std::int64_t kChangeTimes${record}[] = ${times};\n"
             "const std::uint8_t kChangeTypes${record}[] = ${indexes};\n"
             "const ZoneType kTypes${record}[] = ${types};\n")
      string(APPEND listed_records
             "    {${record}, kChangeTimes${record}, kChangeTypes${record}, kTypes${record}, ${count}},\n")
    endif()
  endif()
  set(record_of_${zone} ${record})
  list(APPEND names "${zone}")
endforeach()
foreach(link IN LISTS links)
  string(REPLACE "=" ";" link "${link}")
  list(GET link 0 name)
  list(GET link 1 target)
  if(NOT DEFINED record_of_${target})
    message(FATAL_ERROR "link ${name} names ${target}, which tzdata.zi does not list as a zone")
  endif()
  set(record_of_${name} ${record_of_${target}})
  list(APPEND names "${name}")
endforeach()
list(REMOVE_ITEM names ${excluded_names})
list(SORT names)

# The names as one text, each ended by a NUL, and where each starts.
set(name_text "")
set(name_entries "")
set(offset 0)
foreach(name IN LISTS names)
  string(APPEND name_text "    \"${name}\\0\"\n")
  string(APPEND name_entries "    {${offset}, ${record_of_${name}}},\n")
  string(LENGTH "${name}" length)
  math(EXPR offset "${offset} + ${length} + 1")
endforeach()
if(offset GREATER 65535)
  message(FATAL_ERROR "the zone names no longer fit the table's 16-bit offsets")
endif()

file(WRITE "${OUTPUT}.new"
"// Generated at build time from tzdata ${version} by cmake/generate_time_zone_table.cmake.
#include \"time_zone/zone_table.h\"

namespace pos_video {

const char kTimeZoneDataVersion[] = \"${version}\";
const int kZoneTableYear = ${build_year};

const char* const kZoneRules[] = {
${rule_text}};

namespace {
${listed_text}}  // namespace

const ListedChanges kListedChanges[] = {
${listed_records}};
const std::size_t kListedChangesCount = sizeof(kListedChanges) / sizeof(kListedChanges[0]);

const char kZoneNameText[] =
${name_text};

const ZoneName kZoneNames[] = {
${name_entries}};
const std::size_t kZoneNameCount = sizeof(kZoneNames) / sizeof(kZoneNames[0]);

}  // namespace pos_video
")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
