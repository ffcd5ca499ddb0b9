# Shared by scripts/run and scripts/test: packages, build, and the project's own Wine prefix.
set -euo pipefail
ZV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# The build that is run and tested here: the 64-bit one, the program users get first, which every
# machine with 64-bit Wine can run. The 32-bit build of the same sources (the second zip, for 32-bit
# Windows) is built and checked beside it, and its end-to-end run goes where 32-bit Wine runs
# (scripts/test). ZV_ARCH=i686 runs and tests the 32-bit build instead.
zv_select_arch() {
  ZV_ARCH=${ZV_ARCH:-x86_64}
  # Wine's own launcher picks its 32-bit loader whenever it is installed, runnable or not: the 64-bit
  # build gets the 64-bit loader by name, the 32-bit one the launcher as it is.
  PATH=${PATH//":$ZV_ROOT/scripts/wine64"/}
  PATH=${PATH#"$ZV_ROOT/scripts/wine64:"}
  if [ "$ZV_ARCH" = x86_64 ]; then
    ZV_PRESET=windows-x86_64
    ZV_BUILD=$ZV_ROOT/build/x86_64
    ZV_EXE=$ZV_BUILD/bin/zavrin4.exe
    export WINEARCH=win64
    export WINEPREFIX="${WINEPREFIX_OVERRIDE:-$ZV_ROOT/build/wineprefix64}"
    export WINELOADER=/usr/lib/wine/wine64
    export PATH="$ZV_ROOT/scripts/wine64:$PATH"
  else
    ZV_PRESET=windows-i686
    ZV_BUILD=$ZV_ROOT/build/i686
    ZV_EXE=$ZV_ROOT/build/windows/zavrin4.exe
    export WINEARCH=win32
    export WINEPREFIX="${WINEPREFIX_OVERRIDE:-$ZV_ROOT/build/wineprefix}"
    unset WINELOADER
  fi
  ZV_STANDIN=$(dirname "$(dirname "$ZV_EXE")")/wine/shutdown.exe
  export ZV_ARCH
}
zv_select_arch
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Consent to end a session of this Linux machine is for scripts/run alone: tests and measurements never
# carry it, whatever the calling shell has set.
ZV_CONSENT=${ZV_HOST_ACTIONS:-}
unset ZV_HOST_ACTIONS

# What the 64-bit build needs to be built, signed, run and tested: without any of these the set-up stops.
ZV_PACKAGES=(python3 wine wine64 g++-mingw-w64-x86-64-posix
  fonts-wine xvfb xauth xdotool imagemagick x11-utils cmake ninja-build googletest zopfli
  osslsigncode openssl)
# What the 32-bit build adds: its compiler, and 32-bit Wine to run it. Without them the set-up says so
# and goes on with the 64-bit build (an i386 package list a mirror has left stale is enough to lose
# wine32:i386).
ZV_PACKAGES_32=(g++-mingw-w64-i686-posix wine32:i386)
# The loader that must start for 32-bit Wine to count as running (a kernel without 32-bit support, as
# in some virtual machines, cannot start it).
ZV_WINE32_LOADER=${ZV_WINE32_LOADER:-/usr/lib/wine/wine}

zv_sudo() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

zv_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

# apt-get update, tried a second time when it fails. One list that does not come (a mirror in the middle
# of a sync, a list of the wrong size) must not stop the set-up: apt keeps the lists it had and goes on
# with the others, and so does this. ZV_LISTS_STALE says whether the lists may be out of date.
zv_apt_update() {
  local try out
  ZV_LISTS_STALE=""
  for try in 1 2; do
    if out=$(zv_sudo apt-get update -qq 2>&1); then
      return 0
    fi
    out=$(printf '%s\n' "$out" | grep -m1 '^[EW]:' || printf '%s\n' "$out" | tail -n1)
    if [ "$try" = 1 ]; then
      echo "Set-up: apt-get update failed (${out:-no message}); trying once more."
    else
      echo "Set-up: apt-get update failed again; going on with the package lists apt has."
    fi
  done
  ZV_LISTS_STALE=1
}

zv_apt_install() {
  zv_sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@"
}

# Installs the packages named, at once and, when that fails, one by one, so that only the packages that
# really cannot be installed are left in ZV_FAILED.
zv_install_each() {
  local p
  ZV_FAILED=()
  [ $# -gt 0 ] || return 0
  zv_apt_install "$@" && return 0
  for p in "$@"; do
    zv_installed "$p" || zv_apt_install "$p" || zv_installed "$p" || ZV_FAILED+=("$p")
  done
}

# Fails, naming them, when a package the 64-bit build needs could not be installed. What the 32-bit
# build adds is tried after it, and what of that is missing or does not run is said on one line, and
# the set-up goes on. Sets ZV_HAVE_I686 (the 32-bit program can be built) and ZV_WINE32 (and run).
zv_install_packages() {
  local missing=() missing32=() lost=() p i386=1
  for p in "${ZV_PACKAGES[@]}"; do zv_installed "$p" || missing+=("$p"); done
  for p in "${ZV_PACKAGES_32[@]}"; do zv_installed "$p" || missing32+=("$p"); done
  if [ ${#missing32[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    zv_sudo dpkg --add-architecture i386 >/dev/null 2>&1 || i386=""
  fi
  if [ ${#missing[@]} -gt 0 ] || [ ${#missing32[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]} ${missing32[*]}"
    zv_apt_update
  fi
  zv_install_each "${missing[@]}"
  if [ ${#ZV_FAILED[@]} -gt 0 ]; then
    echo "Set-up: could not install: ${ZV_FAILED[*]}." >&2
    if [ -n "$ZV_LISTS_STALE" ]; then
      echo "Set-up: the package lists may be out of date (apt-get update failed); run 'apt-get update' and try again." >&2
    else
      echo "Set-up: the package lists may be out of date, or lack these packages; run 'apt-get update' and try again." >&2
    fi
    return 1
  fi
  if [ -z "$i386" ]; then # dpkg takes no i386 packages here
    local keep=()
    for p in "${missing32[@]}"; do
      if [ "${p%:i386}" = "$p" ]; then keep+=("$p"); else lost+=("$p"); fi
    done
    missing32=("${keep[@]}")
  fi
  # apt's own complaints about these would only repeat the one line below.
  zv_install_each "${missing32[@]}" >/dev/null 2>&1
  lost+=("${ZV_FAILED[@]}")
  ZV_HAVE_I686="" ZV_WINE32=""
  zv_installed g++-mingw-w64-i686-posix && ZV_HAVE_I686=1
  [ -n "$ZV_HAVE_I686" ] && zv_installed wine32:i386 && "$ZV_WINE32_LOADER" --version >/dev/null 2>&1 && ZV_WINE32=1
  local built="is built but not run"
  [ -n "$ZV_HAVE_I686" ] || built="is neither built nor run"
  if [ ${#lost[@]} -gt 0 ]; then
    echo "Set-up: could not install ${lost[*]}; going on with the 64-bit build (the 32-bit program $built)."
  elif [ -z "$ZV_WINE32" ]; then
    echo "Set-up: 32-bit Wine does not run on this machine; going on with the 64-bit build (the 32-bit program $built)."
  fi
  if [ "$ZV_ARCH" = i686 ] && [ -z "$ZV_WINE32" ]; then
    echo "Set-up: ZV_ARCH=i686 asks for the 32-bit build, which needs 32-bit Wine." >&2
    return 1
  fi
}

# Everything: the program, its stand-ins and every test.
zv_build() {
  cd "$ZV_ROOT"
  cmake --preset "$ZV_PRESET" >/dev/null
  cmake --build --preset "$ZV_PRESET"
}

# The program and the stand-in shutdown.exe that scripts/run puts into the prefix, nothing else.
zv_build_program() {
  cd "$ZV_ROOT"
  cmake --preset "$ZV_PRESET" >/dev/null
  cmake --build --preset "$ZV_PRESET" --target zavrin4 shutdown_standin
}

# The prefix is made once; the crash dialog is switched off so a failing test never waits for a click.
zv_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w || true
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    # Wine draws the title bars and frames itself, so windows look as on Windows without a window manager.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 || true
    # Wine's own fonts (MS Sans Serif, Marlett for the caption buttons, ...) are not picked up from its
    # font folder here; in the prefix's Fonts folder they are.
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    # MS Sans Serif for the other character sets (the program's group boxes ask for Cyrillic).
    local fonts='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
    for cs in "Cyrillic:sserifer" "Central European:sserifee" "Greek:sserifeg" "Turkish:sserifet"; do
      wine reg add "$fonts" /v "MS Sans Serif 8,10,12,14,18,24 (${cs%%:*})" /t REG_SZ /d "${cs#*:}.fon" /f >/dev/null 2>&1 || true
    done
    wineserver -w || true
  fi
  # Past 96 dpi the program asks for "Microsoft Sans Serif", the TrueType design of MS Sans Serif that
  # Windows ships and Wine does not. Tahoma, its close relative that Wine does ship, stands in for it the
  # way Windows substitutes a face (FontSubstitutes), so the face is TrueType at the height asked, in the
  # character set asked, and answers to its own name. Added to prefixes made before it, too.
  if ! grep -q '^"Microsoft Sans Serif"="Tahoma"' "$WINEPREFIX/system.reg" 2>/dev/null; then
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v "Microsoft Sans Serif" \
      /t REG_SZ /d Tahoma /f >/dev/null 2>&1 || true
    wineserver -w || true
  fi
}

# Wine's own shutdown.exe only logs its switches. Ours hands the request to this Linux machine when the
# user consents (ZV_HOST_ACTIONS=1) and otherwise logs it to build/host-actions.log and says so.
zv_install_shutdown() {
  local sysdir=$WINEPREFIX/drive_c/windows/system32
  [ "$WINEARCH" = win32 ] && [ -d "$WINEPREFIX/drive_c/windows/syswow64" ] && sysdir=$WINEPREFIX/drive_c/windows/syswow64
  cp "$ZV_STANDIN" "$sysdir/shutdown.exe"
  # Wine prefers its built-in programs to files in the system directory; ours must win.
  wine reg add 'HKCU\Software\Wine\DllOverrides' /v shutdown.exe /t REG_SZ /d native /f >/dev/null 2>&1 || true
  # The program must get a server of its own that knows the display, not this one lingering.
  wineserver -w || true
}
