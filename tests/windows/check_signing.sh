#!/usr/bin/env bash
# Checks the signing of the Windows packages (packaging/build_packages.sh) with a throwaway
# authority's certificates (make_signing_certificate.sh):
# - with a code-signing certificate, both programs, in the .msi and in the .zip, and the .msi
#   itself carry Authenticode signatures (SHA-256) that verify against that authority;
# - the password file may end its line as Windows does;
# - a certificate that cannot sign code (expired, without digital signature), a wrong password,
#   half the settings and an unreachable time-stamp server fail the run with the reason, and leave
#   no package of the release, not even an earlier build's;
# - without any signing setting the packages are unsigned, say so in one line, and hold the
#   programs exactly as built;
# - the password is in nothing the runs say.
# That signed programs still run, and the signed .msi still installs, is shown under Wine by
# wine_suite.sh.
#
#   check_signing.sh LAUNCHER_EXE CHECK_EXE
set -euo pipefail
launcher=$(realpath "${1:?usage: check_signing.sh LAUNCHER_EXE CHECK_EXE}")
checker=$(realpath "${2:?}")
here=$(cd "$(dirname "$0")" && pwd)
build_packages=$here/../../packaging/build_packages.sh

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
key=$scratch/key
bash "$here/make_signing_certificate.sh" "$key"
status=0
fail() {
  echo "FAILED: $*"
  status=1
}
verifies() {
  osslsigncode verify -CAfile "$key/ca.pem" -in "$1" >"$scratch/verify.log" 2>&1
}
# Unpacks the .msi and .zip of version 1.2.3 in $1 into $1/msi and $1/zip.
unpack() {
  mkdir "$1/msi"
  (cd "$1/msi" && msiextract "$1/pos-video-launcher-1.2.3.msi" >/dev/null)
  unzip -q "$1/pos-video-launcher-1.2.3.zip" -d "$1/zip"
}

# Builds version 1.2.3 into OUT_DIR with the PKCS#12 file and password file of $key named, and the
# time-stamp URL; each one empty leaves its variable unset. What the run says, on stdout and
# stderr, is in $scratch/said, and added to $scratch/all_said.
build() {
  local out=$1 pkcs12=$2 password_file=$3 timestamp_url=$4 settings=() result=0
  [ -z "$pkcs12" ] || settings+=("POS_VIDEO_SIGN_PKCS12=$key/$pkcs12")
  [ -z "$password_file" ] || settings+=("POS_VIDEO_SIGN_PASSWORD_FILE=$key/$password_file")
  [ -z "$timestamp_url" ] || settings+=("POS_VIDEO_SIGN_TIMESTAMP_URL=$timestamp_url")
  env -u POS_VIDEO_SIGN_PKCS12 -u POS_VIDEO_SIGN_PASSWORD_FILE -u POS_VIDEO_SIGN_TIMESTAMP_URL \
    "${settings[@]}" bash "$build_packages" 1.2.3 "$launcher" "$checker" "$out" >"$scratch/said" 2>&1 ||
    result=$?
  cat "$scratch/said" >>"$scratch/all_said"
  return $result
}

signed=$scratch/signed
printf '%s\r\n' "$(cat "$key/password")" >"$key/password_crlf"
build "$signed" signer.p12 password_crlf "" || fail "the signed build failed: $(cat "$scratch/said")"
said=$(cat "$scratch/said")
[ "$said" == "Packages signed with $key/signer.p12" ] || fail "signed build said: $said"
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

# A run that must fail saying SAID, with the PKCS#12 file, password file and time-stamp URL as in
# build(). The output folder holds an earlier build's packages of the release, which must go, and
# another release's, which must stay.
refused() {
  local said=$1 out=$scratch/refused
  shift
  mkdir "$out"
  touch "$out"/pos-video-launcher-1.2.3.{msi,zip} "$out/pos-video-launcher-1.2.2.msi"
  if build "$out" "$@"; then
    fail "packages were made with: $*"
  elif ! grep -q -F -- "$said" "$scratch/said"; then
    fail "with $*, not said \"$said\", but: $(cat "$scratch/said")"
  fi
  [ -z "$(find "$out" -name '*1.2.3*')" ] || fail "with $*, left: $(find "$out" -name '*1.2.3*')"
  [ -f "$out/pos-video-launcher-1.2.2.msi" ] || fail "with $*, another release's package was removed"
  rm -rf "$out"
}
# Each: what the run says; the PKCS#12 file, the password file, the time-stamp URL ("": unset).
refused "its certificate expired on 2020-12-31 00:00:00 UTC" expired.p12 password ""
refused "key usage (Key Encipherment) without digital signature" no_digital_signature.p12 \
  password ""
refused "cannot read $key/signer.p12 with the password in $key/wrong_password: Mac verify error" \
  signer.p12 wrong_password ""
refused "POS_VIDEO_SIGN_PKCS12 is not set" "" password ""
refused "POS_VIDEO_SIGN_PKCS12 is not set" "" "" http://127.0.0.1:9
refused "POS_VIDEO_SIGN_PASSWORD_FILE is not set" signer.p12 "" ""
# Nothing listens on the discard port: the time stamp cannot be had.
refused "could not sign" signer.p12 password http://127.0.0.1:9

unsigned=$scratch/unsigned
build "$unsigned" "" "" "" || fail "the unsigned build failed: $(cat "$scratch/said")"
said=$(cat "$scratch/said")
[ "$said" == "Packages not signed: POS_VIDEO_SIGN_PKCS12 names no certificate" ] ||
  fail "unsigned build said: $said"
unpack "$unsigned"
for program in "$unsigned"/msi/*/*/pos-video-launcher.exe "$unsigned"/zip/*/pos-video-launcher.exe; do
  cmp -s "$launcher" "$program" || fail "not the launcher as built: $program"
done
verifies "$unsigned/pos-video-launcher-1.2.3.msi" && fail "the unsigned .msi verifies"

for password in password wrong_password; do
  ! grep -q -F -f "$key/$password" "$scratch/all_said" || fail "the $password was said"
done
exit $status
