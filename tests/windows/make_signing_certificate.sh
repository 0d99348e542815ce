#!/usr/bin/env bash
# Makes a throwaway certificate authority and a code-signing certificate it issued, valid for two
# days, for the tests of the signed packages:
#   OUT_DIR/ca.pem        the authority's certificate, to verify signatures against
#   OUT_DIR/signer.p12    the code-signing certificate and its key, for POS_VIDEO_SIGN_PKCS12
#   OUT_DIR/password      the PKCS#12 file's password, for POS_VIDEO_SIGN_PASSWORD_FILE
#
#   make_signing_certificate.sh OUT_DIR
set -euo pipefail
out=${1:?usage: make_signing_certificate.sh OUT_DIR}
mkdir -p "$out"
cd "$out"
openssl rand -hex 16 >password
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 \
  -subj "/CN=POS Video Launcher Test CA" \
  -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign 2>/dev/null
openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr \
  -subj "/CN=POS Video Launcher Test Signer" 2>/dev/null
printf '%s\n' basicConstraints=CA:FALSE keyUsage=critical,digitalSignature \
  extendedKeyUsage=codeSigning >signer.ext
openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 \
  -extfile signer.ext -out signer.pem 2>/dev/null
openssl pkcs12 -export -inkey signer.key -in signer.pem -out signer.p12 -passout file:password
rm -f ca.key signer.key signer.csr signer.ext ca.srl
