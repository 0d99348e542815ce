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
#
# Signs both programs, before they go into the packages, and then the .msi, with Authenticode
# (SHA-256, by osslsigncode) when POS_VIDEO_SIGN_PKCS12 names a PKCS#12 file holding the
# code-signing certificate and its key, and POS_VIDEO_SIGN_PASSWORD_FILE a file holding its
# password (read by osslsigncode itself, so the password is on no command line). With
# POS_VIDEO_SIGN_TIMESTAMP_URL, each signature is time-stamped by that RFC 3161 server, and stays
# valid after the certificate expires. Without any of these variables the packages are unsigned;
# one line says which. prepare_signed_run.sh says which settings and certificates are refused.
# The packages are made in a staging folder and moved into OUT_DIR only when all is signed, so
# that a signed run that fails leaves no package of VERSION there.
set -euo pipefail
usage="usage: build_packages.sh VERSION LAUNCHER_EXE CHECK_EXE OUT_DIR"
version=${1:?$usage}
launcher=${2:?$usage}
checker=${3:?$usage}
out=${4:?$usage}
here=$(cd "$(dirname "$0")" && pwd)
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "not a MAJOR.MINOR.PATCH version: $version" >&2; exit 1; }

# A signed run checks its settings and certificate first, and clears the release's packages away.
bash "$here/prepare_signed_run.sh" "$version" "$out"
signing_key=${POS_VIDEO_SIGN_PKCS12:-}
password_file=${POS_VIDEO_SIGN_PASSWORD_FILE:-}
if [ -z "$signing_key" ]; then
  echo "Packages not signed: POS_VIDEO_SIGN_PKCS12 names no certificate"
else
  # The .msi is signed from the staging folder.
  signing_key=$(realpath "$signing_key")
  password_file=$(realpath "$password_file")
fi

# Signs FILE in place, when there is a certificate.
sign() {
  [ -n "$signing_key" ] || return 0
  local options=(-pkcs12 "$signing_key" -readpass "$password_file" -h sha256
    -n "POS audit to video launcher")
  [ -z "${POS_VIDEO_SIGN_TIMESTAMP_URL:-}" ] || options+=(-ts "$POS_VIDEO_SIGN_TIMESTAMP_URL")
  osslsigncode sign "${options[@]}" -in "$1" -out "$1.signed" >/dev/null ||
    { echo "could not sign $1" >&2; return 1; }
  mv "$1.signed" "$1"
}

name=pos-video-launcher-$version
mkdir -p "$out"
out=$(cd "$out" && pwd)
# In OUT_DIR, so that the finished packages are renamed into place, never half copied.
staging=$(mktemp -d "$out/.staging.XXXXXX")
trap 'rm -rf "$staging"' EXIT
files=$staging/$name
mkdir -p "$files/examples"
cp "$launcher" "$files/pos-video-launcher.exe"
cp "$checker" "$files/pos-video-check.exe"
sign "$files/pos-video-launcher.exe"
sign "$files/pos-video-check.exe"
# Text files with CR LF line ends, as Notepad on every Windows shows them.
sed -e "s/@VERSION@/$version/" -e 's/\r*$/\r/' "$here/README.txt" >"$files/README.txt"
sed -e 's/\r*$/\r/' "$here/../examples/termToInput.xml" >"$files/examples/termToInput.xml"
# The build servers' problem matcher beside the checker, as the repository keeps it.
cp "$here/../.github/pos-video-check.json" "$files/pos-video-check.json"

# wixl leaves the File table's Version column empty. Windows Installer then treats the programs
# as unversioned files and may keep an older copy it finds; with their version there, a newer
# package replaces them.
cd "$staging"
# wixl finds the files by paths relative to the current folder.
wixl --arch x86 --output "$name.msi" -D Version="$version" \
  -D Launcher="$name/pos-video-launcher.exe" -D Checker="$name/pos-video-check.exe" \
  -D ReadMe="$name/README.txt" -D SampleMapping="$name/examples/termToInput.xml" \
  -D ProblemMatcher="$name/pos-video-check.json" \
  "$here/pos-video-launcher.wxs"
msibuild "$name.msi" -q "UPDATE \`File\` SET \`Version\` = '$version.0'
  WHERE \`File\` = 'LauncherExe' OR \`File\` = 'CheckerExe'"
# wixl also writes an expandable registry value as a plain string; the Registry table marks
# REG_EXPAND_SZ with a leading "#%".
msibuild "$name.msi" -q "UPDATE \`Registry\` SET \`Value\` = '#%[#LauncherExe]'
  WHERE \`Name\` = 'EventMessageFile'"

# wixl drops AllowSameVersionUpgrades: the row that finds earlier versions to replace gets
# msidbUpgradeAttributesVersionMaxInclusive (0x200) here, so that a package rebuilt at the same
# version replaces the installed one, as a later version does, and Windows lists one entry.
# The attribute is part of the table's key, which an UPDATE cannot change: the table goes out and
# back in, the one row changed.
msiinfo export "$name.msi" Upgrade | awk -F '\t' -v OFS='\t' -v version="$version" '
  NR > 3 && $2 == "" && $3 == version { if (int($5 / 512) % 2 == 0) $5 += 512; rows++ }
  { print }
  END { exit rows != 1 }' >Upgrade.idt ||
  { echo "no single Upgrade row for versions up to $version" >&2; exit 1; }
msibuild "$name.msi" -i Upgrade.idt

# Signed last: the signature covers the finished package.
sign "$name.msi"

zip -q -X -r "$name.zip" "$name"
mv "$name.msi" "$name.zip" "$out/"
[ -z "$signing_key" ] || echo "Packages signed with $signing_key"
