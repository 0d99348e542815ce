#!/usr/bin/env bash
# Installs, from Debian's archive, everything the builds and tests need. Safe to run again.
set -euo pipefail

packages=(
  # Native build and unit tests.
  cmake g++ pkg-config libtinyxml-dev libgtest-dev clang-format
  # The checks of the sources beside the build: CMake files' layout, and clang-tidy's findings.
  cmake-format clang-tidy
  # The time zones compiled into both builds are made from its tzdata.zi and TZif files, and the
  # Windows zone names from CLDR's windowsZones.xml, by a Python script; the time-zone test compares
  # them with Python's zoneinfo.
  tzdata unicode-cldr-core python3
  # The sanitizer build and the libFuzzer targets (clang with its sanitizer and fuzzer runtimes).
  clang libclang-rt-14-dev
)

# The Windows program, 32-bit (MinGW-w64 for i686; dpkg-dev unpacks Debian's TinyXML source for
# it), its tests under Wine on a virtual display (wine32 runs the 32-bit program in Wine's 64-bit
# prefix, as on 64-bit Windows), and its packages (wixl and msitools make the .msi, zip the .zip,
# osslsigncode signs them, openssl makes the signing tests' certificates). Installed with their
# recommended packages: Wine draws its message boxes with the fonts and X extensions it
# recommends, and zip brings unzip.
# MinGW-w64 for x86_64 builds the same programs for 64-bit Wine, which tests them where the kernel
# cannot run 32-bit code.
windows_packages=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix dpkg-dev wine wine64
  wine32:i386 xvfb wixl msitools zip osslsigncode openssl)

missing_of() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      echo "$package"
  done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing_windows < <(missing_of "${windows_packages[@]}")
if [ ${#missing[@]} -gt 0 ] || [ ${#missing_windows[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  # wine32 is an i386 package: the machine must take that architecture's packages first.
  if [[ " ${missing_windows[*]} " == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -q
fi
if [ ${#missing[@]} -gt 0 ]; then
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
if [ ${#missing_windows[@]} -gt 0 ]; then
  apt-get install -y -q "${missing_windows[@]}"
fi
