#!/usr/bin/env bash
# Checks the signing of the Windows packages (packaging/build_packages.sh) with a throwaway
# authority's code-signing certificate:
# - both programs, in the .msi and in the .zip, and the .msi itself carry Authenticode signatures
#   (SHA-256) that verify against that authority;
# - a program changed by one byte of its code after signing no longer verifies;
# - without a certificate the packages are unsigned, say so in one line, and hold the programs
#   exactly as built; half the settings (no password file) is refused.
# That signed programs still run, and the signed .msi still installs, is shown under Wine by
# wine_suite.sh.
#
#   check_signing.sh OBJDUMP LAUNCHER_EXE CHECK_EXE
set -euo pipefail
objdump=${1:?usage: check_signing.sh OBJDUMP LAUNCHER_EXE CHECK_EXE}
launcher=$(realpath "${2:?}")
checker=$(realpath "${3:?}")
here=$(cd "$(dirname "$0")" && pwd)
build_packages=$here/../../packaging/build_packages.sh

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
bash "$here/make_signing_certificate.sh" "$scratch/key"
status=0
fail() {
  echo "FAILED: $*"
  status=1
}
verifies() {
  osslsigncode verify -CAfile "$scratch/key/ca.pem" -in "$1" >"$scratch/verify.log" 2>&1
}
# Unpacks the .msi and .zip of version 1.2.3 in $1 into $1/msi and $1/zip.
unpack() {
  mkdir "$1/msi"
  (cd "$1/msi" && msiextract "$1/pos-video-launcher-1.2.3.msi" >/dev/null)
  unzip -q "$1/pos-video-launcher-1.2.3.zip" -d "$1/zip"
}

signed=$scratch/signed
said=$(POS_VIDEO_SIGN_PKCS12=$scratch/key/signer.p12 POS_VIDEO_SIGN_PASSWORD_FILE=$scratch/key/password \
  bash "$build_packages" 1.2.3 "$launcher" "$checker" "$signed")
[ "$said" == "Packages signed with $scratch/key/signer.p12" ] || fail "signed build said: $said"
unpack "$signed"
files=("$signed/pos-video-launcher-1.2.3.msi" "$signed"/msi/*/*/pos-video-*.exe
  "$signed"/zip/*/pos-video-*.exe)
[ ${#files[@]} -eq 5 ] || fail "expected the .msi and four programs, found: ${files[*]}"
for file in "${files[@]}"; do
  if verifies "$file" && grep -q -x 'Message digest algorithm *: SHA256' "$scratch/verify.log"; then
    echo "verified: ${file#"$signed"/}"
  else
    fail "does not verify: $file" && cat "$scratch/verify.log"
  fi
done

# One byte of the launcher's code, well inside its .text section.
tampered=$scratch/tampered.exe
cp "$signed"/zip/*/pos-video-launcher.exe "$tampered"
offset=$(($(LC_ALL=C "$objdump" -h "$tampered" | awk '$2 == ".text" { print "0x" $6 }') + 256))
byte=$(od -An -tu1 -j "$offset" -N 1 "$tampered" | tr -d ' ')
printf "\\$(printf %03o $(((byte + 1) % 256)))" | dd of="$tampered" bs=1 seek="$offset" conv=notrunc status=none
cmp -s "$tampered" "$signed"/zip/*/pos-video-launcher.exe && fail "the code was not changed"
verifies "$tampered" && fail "a program changed after signing still verifies"

unsigned=$scratch/unsigned
said=$(env -u POS_VIDEO_SIGN_PKCS12 bash "$build_packages" 1.2.3 "$launcher" "$checker" "$unsigned")
[ "$said" == "Packages not signed: POS_VIDEO_SIGN_PKCS12 names no certificate" ] ||
  fail "unsigned build said: $said"
unpack "$unsigned"
for program in "$unsigned"/msi/*/*/pos-video-launcher.exe "$unsigned"/zip/*/pos-video-launcher.exe; do
  cmp -s "$launcher" "$program" || fail "not the launcher as built: $program"
done
verifies "$unsigned/pos-video-launcher-1.2.3.msi" && fail "the unsigned .msi verifies"

if POS_VIDEO_SIGN_PKCS12=$scratch/key/signer.p12 env -u POS_VIDEO_SIGN_PASSWORD_FILE \
  bash "$build_packages" 1.2.3 "$launcher" "$checker" "$scratch/half" 2>/dev/null; then
  fail "packages were made with a certificate but no password file"
fi
[ ! -e "$scratch/half" ] || fail "a half-configured signing left packages"
exit $status
