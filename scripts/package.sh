#!/usr/bin/env bash
# Builds the shipped Windows programs (32-bit, Release) and packages them for Windows 7 and later:
#   build/package/pos-video-launcher-VERSION.msi   the installer (per machine, upgrades in place)
#   build/package/pos-video-launcher-VERSION.zip   the same files, to copy by hand
# VERSION is the project's version, from project() in CMakeLists.txt. Installs what it needs from
# Debian's archive first, like the other scripts.
#
# Signs both programs and the installer with Authenticode when POS_VIDEO_SIGN_PKCS12 and
# POS_VIDEO_SIGN_PASSWORD_FILE are set (POS_VIDEO_SIGN_TIMESTAMP_URL: an RFC 3161 time stamp);
# see packaging/build_packages.sh. It says in one line whether they are signed. Half the settings,
# or a certificate that cannot sign code, fail the run before the programs are built
# (packaging/prepare_signed_run.sh), and a signed run that fails leaves no package of VERSION.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install_dependencies.sh >/dev/null
scripts/fetch_tinyxml_source.sh build/tinyxml-source >/dev/null
cmake --preset windows >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
[ -n "$version" ] || { echo "no project version in build/windows/CMakeCache.txt" >&2; exit 1; }
# Checked before the build, not after it: a certificate that cannot sign should cost no build.
bash packaging/prepare_signed_run.sh "$version" build/package
cmake --build --preset windows --target pos-video-launcher pos-video-check >/dev/null

# Made every time, not only when the programs changed, so that they are signed as asked now.
bash packaging/build_packages.sh "$version" build/windows/bin/pos-video-launcher.exe \
  build/windows/bin/pos-video-check.exe build/package
for package in build/package/pos-video-launcher-"$version".{msi,zip}; do
  [ -f "$package" ] || { echo "not built: $package" >&2; exit 1; }
  echo "$package ($(stat -c %s "$package") bytes)"
done
