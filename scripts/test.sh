#!/usr/bin/env bash
# Installs what the tests need, builds, and runs every test. Fails when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install_dependencies.sh

# Native build: unit tests and the black-box test of the launcher.
cmake --preset native
cmake --build --preset native
ctest --preset native
