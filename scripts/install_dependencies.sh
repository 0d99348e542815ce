#!/usr/bin/env bash
# Installs, from Debian's archive, everything the builds and tests need. Safe to run again.
set -euo pipefail

packages=(
  # Native build and unit tests.
  cmake g++ pkg-config libtinyxml-dev libgtest-dev clang-format
  # The sanitizer build and the libFuzzer targets (clang with its sanitizer and fuzzer runtimes),
  # and the stress tests' memory measurement.
  clang libclang-rt-14-dev time
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
