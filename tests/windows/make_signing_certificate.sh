#!/usr/bin/env bash
# Makes a throwaway certificate authority and certificates it issued for the tests of the signed
# packages, each with the same key in a PKCS#12 file (for POS_VIDEO_SIGN_PKCS12):
#   OUT_DIR/ca.pem                    the authority's certificate, to verify signatures against
#   OUT_DIR/signer.p12                code signing, valid for two days: the one to sign with
#   OUT_DIR/expired.p12               code signing, valid in 2020 only
#   OUT_DIR/no_digital_signature.p12  code signing, but key usage keyEncipherment only
#   OUT_DIR/password                  their password, for POS_VIDEO_SIGN_PASSWORD_FILE
#   OUT_DIR/wrong_password            a password that opens none of them
#
#   make_signing_certificate.sh OUT_DIR
set -euo pipefail
out=${1:?usage: make_signing_certificate.sh OUT_DIR}
mkdir -p "$out/authority"
cd "$out"
openssl rand -hex 16 >password
openssl rand -hex 16 >wrong_password
openssl req -x509 -newkey rsa:2048 -nodes -keyout authority/ca.key -out ca.pem -days 2 \
  -subj "/CN=POS Video Launcher Test CA" \
  -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign 2>/dev/null
openssl req -newkey rsa:2048 -nodes -keyout authority/signer.key -out authority/signer.csr \
  -subj "/CN=POS Video Launcher Test Signer" 2>/dev/null

# `openssl ca` rather than `openssl x509 -req`: OpenSSL 3.0 sets a certificate's validity to a
# chosen past or future only there (-startdate, -enddate), and it needs a database and this file.
cat >authority/ca.cnf <<'EOF'
[ca]
default_ca = test_ca
[test_ca]
dir = authority
database = $dir/index.txt
serial = $dir/serial
new_certs_dir = $dir
certificate = ca.pem
private_key = $dir/ca.key
default_md = sha256
policy = any_name
unique_subject = no
[any_name]
commonName = supplied
[code_signing]
basicConstraints = CA:FALSE
keyUsage = critical,digitalSignature
extendedKeyUsage = codeSigning
[no_digital_signature]
basicConstraints = CA:FALSE
keyUsage = critical,keyEncipherment
extendedKeyUsage = codeSigning
EOF
: >authority/index.txt
echo 01 >authority/serial

# Issues NAME.p12 for the signer's key; the further arguments go to `openssl ca` (extensions,
# validity; without -extensions the certificate has none).
issue() {
  local name=$1
  shift
  openssl ca -config authority/ca.cnf -batch -notext -in authority/signer.csr \
    -out "authority/$name.pem" "$@" 2>/dev/null
  openssl pkcs12 -export -inkey authority/signer.key -in "authority/$name.pem" -out "$name.p12" \
    -passout file:password
}
issue signer -extensions code_signing -days 2
issue expired -extensions code_signing -startdate 20200101000000Z -enddate 20201231000000Z
issue no_digital_signature -extensions no_digital_signature -days 2
rm -rf authority
