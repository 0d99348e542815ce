#!/usr/bin/env bash
# Makes the Windows packages of one version from the built programs:
#   OUT_DIR/pos-video-launcher-VERSION.msi  installs per machine into
#                                           "Program Files\POS Video Launcher" (on 64-bit Windows
#                                           "Program Files (x86)"); a later version replaces it
#   OUT_DIR/pos-video-launcher-VERSION.zip  the same files in a folder of that name
#
#   build_packages.sh VERSION LAUNCHER_EXE CHECK_EXE OUT_DIR
#
# VERSION is the project's (MAJOR.MINOR.PATCH), which the programs' version resources carry too.
# Run by the build (the windows_packages target); scripts/package.sh is the command for people.
set -euo pipefail
usage="usage: build_packages.sh VERSION LAUNCHER_EXE CHECK_EXE OUT_DIR"
version=${1:?$usage}
launcher=${2:?$usage}
checker=${3:?$usage}
out=${4:?$usage}
here=$(cd "$(dirname "$0")" && pwd)
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "not a MAJOR.MINOR.PATCH version: $version" >&2; exit 1; }

name=pos-video-launcher-$version
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
files=$staging/$name
mkdir -p "$files/examples" "$out"
out=$(cd "$out" && pwd)
cp "$launcher" "$files/pos-video-launcher.exe"
cp "$checker" "$files/pos-video-check.exe"
# Text files with CR LF line ends, as Notepad on every Windows shows them.
sed -e "s/@VERSION@/$version/" -e 's/\r*$/\r/' "$here/README.txt" >"$files/README.txt"
sed -e 's/\r*$/\r/' "$here/../examples/termToInput.xml" >"$files/examples/termToInput.xml"

# wixl leaves the File table's Version column empty. Windows Installer then treats the programs
# as unversioned files and may keep an older copy it finds; with their version there, a newer
# package replaces them.
cd "$staging"
# wixl finds the files by paths relative to the current folder.
wixl --arch x86 --output "$name.msi" -D Version="$version" \
  -D Launcher="$name/pos-video-launcher.exe" -D Checker="$name/pos-video-check.exe" \
  -D ReadMe="$name/README.txt" -D SampleMapping="$name/examples/termToInput.xml" \
  "$here/pos-video-launcher.wxs"
msibuild "$name.msi" -q "UPDATE \`File\` SET \`Version\` = '$version.0'
  WHERE \`File\` = 'LauncherExe' OR \`File\` = 'CheckerExe'"

zip -q -X -r "$name.zip" "$name"
mv "$name.msi" "$name.zip" "$out/"
