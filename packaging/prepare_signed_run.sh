#!/usr/bin/env bash
# Makes sure a signed run of build_packages.sh can sign, before anything is built:
#
#   prepare_signed_run.sh VERSION OUT_DIR
#
# A run is signed when any POS_VIDEO_SIGN_* variable is set (see build_packages.sh); with none set
# this does nothing. A signed run first removes OUT_DIR's packages of VERSION, so that one that
# fails leaves no package under the release's names (an unsigned one from an earlier build would
# otherwise pass for the release). Then it refuses, with the reason on stderr and exit status 1:
# - half the settings (a password file or a time-stamp URL without a PKCS#12 file, or a PKCS#12
#   file without a password file), naming the missing variable: a typo in a variable's name must
#   not quietly give unsigned packages;
# - a PKCS#12 file that cannot be read with the password;
# - a certificate that cannot sign code: not valid now (expired or not yet valid), an extended key
#   usage without code signing, or a key usage without digital signature. Windows would refuse
#   such signatures, while osslsigncode makes them without a word. A certificate without these
#   extensions may sign anything, for Windows as here.
# The password goes from its file to openssl through a pipe: it is on no command line.
set -euo pipefail
usage="usage: prepare_signed_run.sh VERSION OUT_DIR"
version=${1:?$usage}
out=${2:?$usage}
pkcs12=${POS_VIDEO_SIGN_PKCS12:-}
password_file=${POS_VIDEO_SIGN_PASSWORD_FILE:-}
timestamp_url=${POS_VIDEO_SIGN_TIMESTAMP_URL:-}

refuse() {
  echo "$*" >&2
  exit 1
}

remove_release_packages() {
  rm -f "$out/pos-video-launcher-$version.msi" "$out/pos-video-launcher-$version.zip"
}

refuse_half_settings() {
  if [ -z "$pkcs12" ]; then
    refuse "POS_VIDEO_SIGN_PKCS12 is not set, but POS_VIDEO_SIGN_PASSWORD_FILE or" \
      "POS_VIDEO_SIGN_TIMESTAMP_URL is: it must name the PKCS#12 file to sign with"
  fi
  [ -n "$password_file" ] || refuse "POS_VIDEO_SIGN_PASSWORD_FILE is not set: it must name the file" \
    "holding the password of $pkcs12"
  [ -f "$pkcs12" ] || refuse "POS_VIDEO_SIGN_PKCS12: no such file: $pkcs12"
  [ -f "$password_file" ] || refuse "POS_VIDEO_SIGN_PASSWORD_FILE: no such file: $password_file"
  local tool
  for tool in openssl osslsigncode; do
    command -v "$tool" >/dev/null ||
      refuse "$tool is needed to sign: run scripts/install_dependencies.sh"
  done
}

# Runs openssl pkcs12 on the PKCS#12 file, adding the further arguments, with the password as
# osslsigncode reads it: the file's text without the line ends after it (CR LF too, as Notepad
# writes them), where openssl's own "file:" would keep a CR. It goes through a pipe, not argv.
open_pkcs12() {
  openssl pkcs12 -in "$pkcs12" -passin fd:3 "$@" 3< <(sed -z 's/[\r\n]*$//' "$password_file")
}

# Reads the certificate that goes with the private key, in PEM, into $certificate. OpenSSL 3 reads
# files in the older encryption (RC2, 3DES, as older tools and Windows export them) only with its
# legacy provider, and osslsigncode signs with them: such a file is read again with it.
read_certificate() {
  local reason
  certificate=$(open_pkcs12 -nokeys -clcerts 2>/dev/null) && return 0
  certificate=$(open_pkcs12 -nokeys -clcerts -legacy 2>/dev/null) && return 0
  # Read once more for openssl's reason, which the failed attempts kept quiet: its first line in
  # words (a wrong password's "Mac verify error"), not the codes of its error stack, which are
  # all it says of a file that is no PKCS#12 file.
  reason=$(open_pkcs12 -nokeys -clcerts -legacy 2>&1 >/dev/null |
    grep -v -m 1 -E '^[0-9A-F]+:error:' || true)
  refuse "cannot read $pkcs12 with the password in $password_file: ${reason:-not a PKCS#12 file}"
}

# The certificate's start (-startdate) or end (-enddate) of validity, in UTC as
# "YYYY-MM-DD HH:MM:SS" (fractions of a second, which a certificate may hold, left off).
validity_date() {
  local line
  line=$(openssl x509 -noout "$1" -dateopt iso_8601 <<<"$certificate")
  line=${line#*=}
  echo "${line:0:19}"
}

# The values of the certificate's extension NAME (extendedKeyUsage, keyUsage), as openssl names
# them, comma-separated on one line; nothing when it has no such extension.
extension_values() {
  openssl x509 -noout -ext "$1" <<<"$certificate" 2>/dev/null | sed -n 's/^ \+//p'
}

# Succeeds when the time A is before the time B (both as validity_date prints them).
before() {
  ((10#${1//[^0-9]/} < 10#${2//[^0-9]/}))
}

# Succeeds when the comma-separated LIST holds VALUE.
holds() {
  [[ ", $1," == *", $2,"* ]]
}

cannot_sign() {
  refuse "cannot sign with $pkcs12: its certificate $*"
}

# The signatures are made, and time-stamped, now: Windows checks the certificate against that time.
check_validity() {
  local now not_before not_after
  now=$(date -u '+%Y-%m-%d %H:%M:%S')
  not_before=$(validity_date -startdate)
  not_after=$(validity_date -enddate)
  ! before "$not_after" "$now" || cannot_sign "expired on $not_after UTC"
  ! before "$now" "$not_before" || cannot_sign "is not valid before $not_before UTC"
}

check_usages() {
  local usage
  usage=$(extension_values extendedKeyUsage)
  [ -z "$usage" ] || holds "$usage" "Code Signing" ||
    cannot_sign "has an extended key usage ($usage) without code signing"
  usage=$(extension_values keyUsage)
  [ -z "$usage" ] || holds "$usage" "Digital Signature" ||
    cannot_sign "has a key usage ($usage) without digital signature"
}

[ -n "$pkcs12$password_file$timestamp_url" ] || exit 0
remove_release_packages
refuse_half_settings
read_certificate
openssl x509 -noout <<<"$certificate" 2>/dev/null ||
  refuse "$pkcs12 holds no certificate with its private key"
check_validity
check_usages
