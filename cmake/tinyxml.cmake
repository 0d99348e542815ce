# TinyXML comes from the system: Debian's libtinyxml-dev on the native build.
# Provides the imported target tinyxml::tinyxml.
if(NOT TARGET tinyxml::tinyxml)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(TINYXML REQUIRED IMPORTED_TARGET tinyxml)
  add_library(tinyxml::tinyxml ALIAS PkgConfig::TINYXML)
endif()
