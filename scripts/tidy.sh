#!/usr/bin/env bash
# clang-tidy, with the checks .clang-tidy names, over the program sources (src/) of a configured
# build's compile database, two files at a time. Any finding fails.
#   scripts/tidy.sh [BUILD_FOLDER]    (build/native by default: run `cmake --preset native` first)
# The tests are left out: GoogleTest's macros are most of what tidy would read there, and slow.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/native}
if [ ! -f "$build/compile_commands.json" ]; then
  echo "No $build/compile_commands.json: configure that build first." >&2
  exit 1
fi
run-clang-tidy-14 -p "$build" -j 2 -quiet "^$PWD/src/"
