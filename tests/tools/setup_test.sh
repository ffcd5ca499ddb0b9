#!/bin/bash
# setup_test.sh <scripts/common.sh>: the package set-up against a stand-in apt-get, dpkg and dpkg-query
# first on the PATH (the real apt is never run). Each case starts from some packages missing, sets how
# the stand-in apt fails, runs zv_install_packages the way scripts/test does (under set -e) and checks
# what was said, what was tried and how it ended.
set -u
COMMON=$(realpath "$1")
# Each case runs with the build chosen by default, whatever the calling shell chose.
unset ZV_ARCH
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
mkdir -p "$T/bin"
PASSED=0 FAILED=0

# The stand-ins keep their state in $FAKE: installed (one package a line), calls (one call a line).
cat >"$T/bin/apt-get" <<'STUB'
#!/bin/bash
echo "apt-get $*" >>"$FAKE/calls"
if [ "$1" = update ] || [ "$2" = update ]; then
  n=$(grep -c '^apt-get .*update' "$FAKE/calls")
  if [ "$n" -le "${FAKE_UPDATE_FAILS:-0}" ]; then
    echo "Get:1 http://mirror.invalid/debian-security bookworm-security InRelease [48.0 kB]"
    echo "E: Failed to fetch http://mirror.invalid/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (101 != 202). Mirror sync in progress? [IP: 192.0.2.1 80]" >&2
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
    exit 100
  fi
  exit 0
fi
pkgs=()
for a in "$@"; do case "$a" in -*|install) ;; *) pkgs+=("$a") ;; esac; done
for p in "${pkgs[@]}"; do
  for u in ${FAKE_UNAVAILABLE:-}; do
    [ "$p" = "$u" ] && { echo "E: Unable to locate package $p" >&2; exit 100; }
  done
done
printf '%s\n' "${pkgs[@]}" >>"$FAKE/installed"
STUB
cat >"$T/bin/dpkg-query" <<'STUB'
#!/bin/bash
p=${!#}
grep -qxF "$p" "$FAKE/installed" 2>/dev/null || { echo "dpkg-query: no packages found matching $p" >&2; exit 1; }
echo -n "install ok installed"
STUB
cat >"$T/bin/dpkg" <<'STUB'
#!/bin/bash
[ "$1" = --print-foreign-architectures ] && echo i386
exit 0
STUB
printf '#!/bin/bash\nexec "$@"\n' >"$T/bin/sudo"
# 32-bit Wine's loader, on a machine that runs it and on one that cannot.
printf '#!/bin/bash\necho wine-8.0\n' >"$T/bin/wine32-runs"
printf '#!/bin/bash\necho "cannot execute binary file: Exec format error" >&2\nexit 126\n' >"$T/bin/wine32-fails"
chmod +x "$T/bin/"*

# run_case <installed packages> -> OUT (stdout and stderr), RC, CALLS
run_case() {
  export FAKE=$T/case
  rm -rf "$FAKE" && mkdir -p "$FAKE" && : >"$FAKE/calls"
  printf '%s\n' $1 >"$FAKE/installed"
  OUT=$(PATH="$T/bin:$PATH" ZV_WINE32_LOADER="$T/bin/${WINE32:-wine32-runs}" bash -c \
    'source "$1"; zv_install_packages; echo "set-up done (32-bit Wine: ${ZV_WINE32:-no})"' _ "$COMMON" 2>&1)
  RC=$?
  CALLS=$(cat "$FAKE/calls")
}
check() { # description 'condition' (a shell expression)
  local what=$1
  if eval "$2"; then PASSED=$((PASSED + 1)); else
    FAILED=$((FAILED + 1))
    printf 'FAIL: %s\n--- output ---\n%s\n--- apt calls ---\n%s\n' "$what" "$OUT" "$CALLS"
  fi
}
has() { grep -qF -- "$1" <<<"$OUT"; }
count() { grep -c -- "$1" <<<"$2"; }

ALL=$(bash -c 'source "$1"; printf "%s\n" "${ZV_PACKAGES[@]}" "${ZV_PACKAGES_32[@]}"' _ "$COMMON")
SOME_MISSING=$(grep -vx -e xdotool -e googletest <<<"$ALL")

# Nothing missing: apt is not touched, and nothing is said.
unset FAKE_UPDATE_FAILS FAKE_UNAVAILABLE
run_case "$ALL"
check "nothing missing: no apt call" \
  '[ -z "$CALLS" ]'
check "nothing missing: ends well, silently" \
  '[ "$RC" = 0 ] && [ "$OUT" = "set-up done (32-bit Wine: 1)" ]'

# One list fails once (the mirror mid-sync): one line about it, a second update, and on.
export FAKE_UPDATE_FAILS=1
run_case "$SOME_MISSING"
check "update fails once: ends well" \
  '[ "$RC" = 0 ] && has "set-up done"'
check "update fails once: tried twice" \
  '[ "$(count update "$CALLS")" = 2 ]'
check "update fails once: one line names the failure" \
  '[ "$(count "apt-get update failed" "$OUT")" = 1 ] && has "unexpected size"'
check "update fails once: apt's own lines are not all repeated" \
  '! has "Some index files failed"'
check "update fails once: the missing packages installed" \
  '[ "$(count "^apt-get install" "$CALLS")" = 1 ] && grep -q "xdotool googletest$" <<<"$CALLS"'

# The list keeps failing: the set-up goes on with the lists apt has, and installs.
export FAKE_UPDATE_FAILS=9
run_case "$SOME_MISSING"
check "update keeps failing: goes on and ends well" \
  '[ "$RC" = 0 ] && has "set-up done"'
check "update keeps failing: no third try" \
  '[ "$(count update "$CALLS")" = 2 ]'
check "update keeps failing: says it goes on with what apt has" \
  'has "going on with the package lists apt has"'

# An install that still fails after that names the packages and the likely cause, and fails.
export FAKE_UNAVAILABLE=googletest
run_case "$SOME_MISSING"
check "install fails: the set-up fails" \
  '[ "$RC" != 0 ] && ! has "set-up done"'
check "install fails: names the package that failed, only that one" \
  'has "could not install: googletest." && ! grep -q "could not install:.*xdotool" <<<"$OUT"'
check "install fails: the other package is installed all the same" \
  'grep -qx xdotool "$FAKE/installed"'
check "install fails: says the lists may be out of date, since the update failed" \
  'has "package lists may be out of date (apt-get update failed)"'

# With fresh lists an unknown package still fails the set-up, saying the lists may be the cause.
export FAKE_UPDATE_FAILS=0 FAKE_UNAVAILABLE="xdotool googletest"
run_case "$SOME_MISSING"
check "install fails, lists fresh: fails naming both" \
  '[ "$RC" != 0 ] && has "could not install: xdotool googletest."'
check "install fails, lists fresh: says the lists may be out of date" \
  'has "package lists may be out of date"'
check "install fails, lists fresh: no update failure claimed" \
  '! has "update failed"'

# 32-bit Wine cannot be had (the i386 list stale): one line says so, and the set-up goes on with the
# 64-bit build.
export FAKE_UPDATE_FAILS=0 FAKE_UNAVAILABLE="wine32:i386"
run_case "$(grep -vx -e googletest -e wine32:i386 <<<"$ALL")"
check "wine32 lost: ends well, without 32-bit Wine" \
  '[ "$RC" = 0 ] && has "set-up done (32-bit Wine: no)"'
check "wine32 lost: one line names it and goes on with the 64-bit build" \
  '[ "$(count "^Set-up:" "$OUT")" = 1 ] && grep "^Set-up:" <<<"$OUT" | grep -q "wine32:i386.*going on with the 64-bit build" && ! has "Unable to locate"'
check "wine32 lost: what the 64-bit build needs is installed" \
  'grep -qx googletest "$FAKE/installed"'

# A package the 64-bit build needs cannot be had: the set-up stops there and names it alone.
export FAKE_UNAVAILABLE="wine64"
run_case "$(grep -vx -e wine64 -e wine32:i386 <<<"$ALL")"
check "wine64 lost: the set-up fails" \
  '[ "$RC" != 0 ] && ! has "set-up done"'
check "wine64 lost: names it, and nothing of the 32-bit build" \
  'has "could not install: wine64." && ! grep -q "could not install:.*wine32" <<<"$OUT"'

# 32-bit Wine is installed but cannot run (a kernel without 32-bit support): said once, and on.
unset FAKE_UNAVAILABLE
WINE32=wine32-fails run_case "$ALL"
check "wine32 does not run: ends well, without 32-bit Wine" \
  '[ "$RC" = 0 ] && has "set-up done (32-bit Wine: no)"'
check "wine32 does not run: one line says so" \
  '[ "$(count "^Set-up:" "$OUT")" = 1 ] && has "32-bit Wine does not run on this machine; going on with the 64-bit build"'
check "wine32 does not run: apt is not touched" \
  '[ -z "$CALLS" ]'
# ... unless the 32-bit build was asked for by hand: that needs it.
WINE32=wine32-fails ZV_ARCH=i686 run_case "$ALL"
check "wine32 does not run, ZV_ARCH=i686: fails" \
  '[ "$RC" != 0 ] && ! has "set-up done"'

echo "setup: $PASSED passed, $FAILED failed"
[ "$FAILED" = 0 ]
