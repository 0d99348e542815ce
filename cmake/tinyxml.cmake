# TinyXML, as the imported target tinyxml::tinyxml.
#
# Native builds link Debian's libtinyxml-dev. With TINYXML_SOURCE_DIR set (the Windows build, the
# fuzzers) the same Debian source, fetched by scripts/fetch_tinyxml_source.sh, is compiled here as
# a static library. It must be Debian's: its patches make TinyXML escape every '&', without which
# a name holding the text "&#x41;" would reach the client as "A" (the tests would fail).
set(TINYXML_SOURCE_DIR "" CACHE PATH "TinyXML source folder to build instead of the system library")
option(TINYXML_ASSERTS "Keep TinyXML's assertions in a source build, as Debian's library has them"
       OFF)

if(TARGET tinyxml::tinyxml)
  return()
endif()

if(TINYXML_SOURCE_DIR)
  if(NOT EXISTS ${TINYXML_SOURCE_DIR}/tinyxmlparser.cpp)
    message(
      FATAL_ERROR
        "No TinyXML source in ${TINYXML_SOURCE_DIR}. Fetch Debian's with "
        "scripts/fetch_tinyxml_source.sh build/tinyxml-source and point "
        "TINYXML_SOURCE_DIR at its tinyxml-2.6.2 folder.")
  endif()
  add_library(
    tinyxml_from_source STATIC
    ${TINYXML_SOURCE_DIR}/tinystr.cpp ${TINYXML_SOURCE_DIR}/tinyxml.cpp
    ${TINYXML_SOURCE_DIR}/tinyxmlerror.cpp ${TINYXML_SOURCE_DIR}/tinyxmlparser.cpp)
  target_include_directories(tinyxml_from_source SYSTEM PUBLIC ${TINYXML_SOURCE_DIR})
  target_compile_definitions(tinyxml_from_source PUBLIC TIXML_USE_STL)
  if(NOT TINYXML_ASSERTS)
    target_compile_definitions(tinyxml_from_source PRIVATE NDEBUG)
  endif()
  # Not our code: its warnings are not ours to fix.
  target_compile_options(tinyxml_from_source PRIVATE -w)
  add_library(tinyxml::tinyxml ALIAS tinyxml_from_source)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(TINYXML REQUIRED IMPORTED_TARGET tinyxml)
  add_library(tinyxml::tinyxml ALIAS PkgConfig::TINYXML)
endif()
