# Authenticode signing of the release programs, sourced by scripts/release and by its test.
#
# The maintainer gives a code-signing certificate through the environment:
#   ZV_SIGN_PFX        the PKCS#12 file (certificate, its chain, and the private key)
#   ZV_SIGN_PASSWORD   its password (read by osslsigncode from a pipe, never from its command line)
# Without ZV_SIGN_PFX nothing is signed. The signing time is the one given (the commit's), and no time
# stamp server is asked, so the same program, certificate and time give the same signed bytes.

# Whether the maintainer asked for signed programs; fails, saying why, when what was given cannot sign.
zv_sign_requested() {
  [ -n "${ZV_SIGN_PFX:-}" ] || return 1
  if [ ! -r "$ZV_SIGN_PFX" ]; then
    echo "release: ZV_SIGN_PFX names $ZV_SIGN_PFX, which cannot be read" >&2
    exit 1
  fi
  command -v osslsigncode >/dev/null || { echo "release: signing needs osslsigncode, which is missing" >&2; exit 1; }
  return 0
}

# zv_sign_program <program.exe> <signing time, seconds since 1970>: signs the program in place, after
# every other step that rewrites it. Stops the release when signing fails: a release asked to be signed
# is never made unsigned.
zv_sign_program() {
  local exe=$1 epoch=$2 signed="$1.signing"
  rm -f "$signed"
  if ! printf '%s' "${ZV_SIGN_PASSWORD:-}" | osslsigncode sign -pkcs12 "$ZV_SIGN_PFX" -readpass - \
       -h sha256 -n "Zavrin 4" -time "$epoch" -in "$exe" -out "$signed" >"$signed.log" 2>&1; then
    echo "release: signing $exe failed:" >&2
    sed 's/^/  /' "$signed.log" >&2
    rm -f "$signed" "$signed.log"
    exit 1
  fi
  rm -f "$signed.log"
  mv -f "$signed" "$exe"
}
