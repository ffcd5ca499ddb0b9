#!/bin/bash
# signing_test.sh <program.exe> <scripts/release-sign.sh>: the release's Authenticode signing, with a
# throwaway certificate made here. The program is signed through the very function the release uses,
# verified, and signed again from the same bytes to the same bytes; a wrong password, a missing
# certificate file and a changed byte each fail.
set -u
PROGRAM=$(realpath "$1")
SIGN_LIB=$(realpath "$2")
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
PASSED=0 FAILED=0
ok() { PASSED=$((PASSED + 1)); }
bad() { FAILED=$((FAILED + 1)); echo "FAIL: $*"; }
for tool in openssl osslsigncode; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/common.sh installs it)"; exit 1; }
done

# A self-signed code-signing certificate, valid for a day, in a PKCS#12 file with a password.
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$T/key.pem" -out "$T/cert.pem" -days 1 \
  -subj "/CN=Zavrin 4 throwaway signer" -addext "extendedKeyUsage=codeSigning" \
  -addext "keyUsage=digitalSignature" >/dev/null 2>&1 || { echo "FAIL: openssl made no certificate"; exit 1; }
openssl pkcs12 -export -inkey "$T/key.pem" -in "$T/cert.pem" -out "$T/signer.pfx" -passout pass:'pass word' ||
  { echo "FAIL: openssl made no PKCS#12 file"; exit 1; }

# As the release calls it: a shell that sourced the library, the certificate given through the
# environment. Each call runs in a shell of its own, since a failing one ends its shell.
sign() { # file epoch [pfx password]
  ( export ZV_SIGN_PFX=${3:-$T/signer.pfx} ZV_SIGN_PASSWORD=${4-pass word}
    source "$SIGN_LIB"; zv_sign_requested && zv_sign_program "$1" "$2" ) >"$T/out" 2>&1
}
verify() { osslsigncode verify -in "$1" -CAfile "$T/cert.pem" >"$T/verify" 2>&1; }

# The commit's time of some day, fixed: the signing time is what the release gives.
EPOCH=1767225600 # 2026-01-01 00:00:00 UTC
cp "$PROGRAM" "$T/a.exe"
cp "$PROGRAM" "$T/b.exe"
verify "$T/a.exe" && bad "the unsigned program verifies: the check below would prove nothing" || ok
if sign "$T/a.exe" "$EPOCH" && sign "$T/b.exe" "$EPOCH"; then
  ok
  if verify "$T/a.exe"; then ok; else bad "the signed program does not verify: $(tail -n3 "$T/verify" | paste -sd' ')"; fi
  grep -q "Signing time: Jan  1 00:00:00 2026 GMT" "$T/verify" && ok ||
    bad "the signing time is not the one given: $(grep 'Signing time' "$T/verify")"
  grep -q "Text description: Zavrin 4" "$T/verify" && ok || bad "the signature does not name the program"
  cmp -s "$T/a.exe" "$T/b.exe" && ok || bad "two signings of the same program, certificate and time differ"
  # The program's own bytes are what was built; only the header's checksum and the place of the
  # signature change, and the signature follows them.
  size=$(stat -c %s "$PROGRAM")
  cmp -s -i 1024 -n $((size - 1024)) "$PROGRAM" "$T/a.exe" && ok || bad "signing changed the program's bytes past the header"
  [ "$(stat -c %s "$T/a.exe")" -gt "$(stat -c %s "$PROGRAM")" ] && ok || bad "the signed program is no larger than the unsigned one"
  # A byte of the program changed after signing breaks the signature.
  cp "$T/a.exe" "$T/c.exe"
  printf '\x55' | dd of="$T/c.exe" bs=1 seek=1024 conv=notrunc status=none
  verify "$T/c.exe" && bad "a program changed after signing still verifies" || ok
  # Another signing time gives other bytes, and still verifies.
  cp "$PROGRAM" "$T/d.exe"
  sign "$T/d.exe" $((EPOCH + 1)) && verify "$T/d.exe" && ! cmp -s "$T/a.exe" "$T/d.exe" && ok ||
    bad "a second signing time did not give a different, valid signature"
else
  bad "signing failed: $(paste -sd' ' "$T/out")"
fi

# A wrong password or a missing file stops the release, and the program stays as it was.
cp "$PROGRAM" "$T/e.exe"
if sign "$T/e.exe" "$EPOCH" "$T/signer.pfx" "wrong"; then bad "a wrong password signed"; else ok; fi
cmp -s "$PROGRAM" "$T/e.exe" && ok || bad "a failed signing changed the program"
grep -q "signing .* failed" "$T/out" && ok || bad "a failed signing did not say so: $(paste -sd' ' "$T/out")"
if sign "$T/e.exe" "$EPOCH" "$T/missing.pfx"; then bad "a missing certificate file signed"; else ok; fi
grep -q "cannot be read" "$T/out" && ok || bad "a missing certificate file was not named: $(paste -sd' ' "$T/out")"
# Without a certificate nothing is asked of osslsigncode.
( unset ZV_SIGN_PFX; source "$SIGN_LIB"; zv_sign_requested ) && bad "signing was requested without ZV_SIGN_PFX" || ok

echo "signing: $PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
