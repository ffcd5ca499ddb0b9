# Shared by scripts/run and scripts/test: packages, build, and the project's own Wine prefix.
set -euo pipefail
ZV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# The build that is tested here. The shipped program is 32-bit, but a Linux kernel that cannot run 32-bit
# programs (as in some virtual machines) cannot run 32-bit Wine either: there the 64-bit build of the same
# sources is built, tested and run, in a 64-bit prefix of its own. ZV_ARCH=i686 or x86_64 chooses by hand.
zv_select_arch() {
  if [ -z "${ZV_ARCH:-}" ]; then
    ZV_ARCH=i686
    if [ -e /usr/lib/wine/wine ] && [ -x /usr/lib/wine/wine64 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
      ZV_ARCH=x86_64
    fi
  fi
  if [ "$ZV_ARCH" = x86_64 ]; then
    ZV_PRESET=windows-x86_64
    ZV_BUILD=$ZV_ROOT/build/x86_64
    ZV_EXE=$ZV_BUILD/bin/zavrin4.exe
    export WINEARCH=win64
    export WINEPREFIX="${WINEPREFIX_OVERRIDE:-$ZV_ROOT/build/wineprefix64}"
    # Wine's own launcher picks its 32-bit loader whenever it is installed, runnable or not.
    export WINELOADER=/usr/lib/wine/wine64
    case ":$PATH:" in *":$ZV_ROOT/scripts/wine64:"*) ;; *) export PATH="$ZV_ROOT/scripts/wine64:$PATH" ;; esac
  else
    ZV_PRESET=windows-i686
    ZV_BUILD=$ZV_ROOT/build/i686
    ZV_EXE=$ZV_ROOT/build/windows/zavrin4.exe
    export WINEARCH=win32
    export WINEPREFIX="${WINEPREFIX_OVERRIDE:-$ZV_ROOT/build/wineprefix}"
  fi
  ZV_STANDIN=$(dirname "$(dirname "$ZV_EXE")")/wine/shutdown.exe
  export ZV_ARCH
}
ZV_ARCH_CHOSEN=${ZV_ARCH:-}
zv_select_arch
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Consent to end a session of this Linux machine is for scripts/run alone: tests and measurements never
# carry it, whatever the calling shell has set.
ZV_CONSENT=${ZV_HOST_ACTIONS:-}
unset ZV_HOST_ACTIONS

ZV_PACKAGES=(python3 wine wine32:i386 wine64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  fonts-wine xvfb xauth xdotool imagemagick x11-utils cmake ninja-build googletest)

zv_sudo() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

zv_install_packages() {
  local missing=()
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    zv_sudo dpkg --add-architecture i386
    missing+=(--update)
  fi
  for p in "${ZV_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    zv_sudo apt-get update -qq
    local pk=()
    for p in "${missing[@]}"; do [ "$p" = --update ] || pk+=("$p"); done
    [ ${#pk[@]} -eq 0 ] || zv_sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${pk[@]}"
  fi
  # Wine may have come just now: whether it runs 32-bit programs is known only from here on.
  [ -n "$ZV_ARCH_CHOSEN" ] || { unset ZV_ARCH; zv_select_arch; }
}

zv_build() {
  cd "$ZV_ROOT"
  [ "$ZV_ARCH" = i686 ] || echo "This machine cannot run 32-bit programs: building and testing the $ZV_ARCH build."
  cmake --preset "$ZV_PRESET" >/dev/null
  cmake --build --preset "$ZV_PRESET"
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
