#!/usr/bin/env bash
# Installs what the tests need, builds, and runs every test. Fails when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install_dependencies.sh

# Sources exactly as clang-format writes them, and CMake files as cmake-format does
# (.cmake-format.py).
find src tests fuzz bench demo -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run -Werror
git ls-files -- '*CMakeLists.txt' '*.cmake' | xargs cmake-format --check --
# A quoted include is looked up beside its file first, so one that climbs ("../") would reach
# a folder the build keeps from it.
if grep -rnE '^\s*#\s*include\s*"[^"]*\.\./' src tests fuzz bench demo; then
  echo 'Include through the folder, as "base/platform.h", never climbing out with "../".' >&2
  exit 1
fi

# Native build: the unit tests and the checker's SARIF check.
cmake --preset native
cmake --build --preset native
ctest --preset native
# clang-tidy over the native build's sources (.clang-tidy), from its compile database.
scripts/tidy.sh build/native

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer (clang), with TinyXML
# built from Debian's source so that the sanitizers see inside it too; any report fails the test.
scripts/fetch_tinyxml_source.sh build/tinyxml-source >/dev/null
cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize

# Each libFuzzer target for a minute from its seed corpus; any finding fails the run.
scripts/fuzz.sh 60

# The Windows program, 32-bit, built with MinGW-w64 against Debian's TinyXML source, with its
# installer and zip; checked for what it imports and holds, and tested end to end under Wine,
# installer included.
scripts/fetch_tinyxml_source.sh build/tinyxml-source >/dev/null
cmake --preset windows
cmake --build --preset windows
ctest --preset windows
# On a machine whose kernel cannot run 32-bit code (so not 32-bit Wine either), the end-to-end
# suite skips the 32-bit build and runs on a 64-bit build of the same sources instead.
source demo/wine_session.sh
if ! wine_session_runs_32_bit; then
  cmake --preset windows-x64
  cmake --build --preset windows-x64
  ctest --preset windows-x64
fi
