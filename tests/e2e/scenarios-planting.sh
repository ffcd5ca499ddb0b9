# Planting: users run the program from the folder the browser saved it to, where anything else a web
# page made them download lies beside it. Windows takes a DLL that is not a KnownDLL from the program's
# folder before System32, and the shell resolves a bare file name against the current directory. Here
# the program runs from a folder of its own, started the way Explorer starts it (that folder current),
# beside copies of planted.dll (built next to the recording stub) under the name of every DLL the
# program or the system DLLs working for it could look for there, and under the names of the three
# control-panel applets it opens. Wine is told to prefer a DLL found beside the program, as Windows
# does, and gets Windows' own open command for .cpl files. The program starts, is read by a screen
# reader, and opens the three applets from its menu: no copy may be loaded, which each would say with
# a file "<name>.loaded" beside it.
# Sourced by run-all, whose helpers it uses.

PLANTED_DLL=$(dirname "$STUB")/planted.dll
# Not KnownDLLs, so each is looked for in the program's folder first: what the program itself uses
# (comctl32, msimg32, oleacc, wtsapi32) and what the system DLLs load for it (themes, desktop
# composition, power information, sound, property and security helpers). Not version.dll: Wine's own
# user32 imports it, so Wine takes it from the program's folder while it starts the process, before
# the program's first line; Windows' user32 imports no such DLL, and its KnownDLLs' imports are
# KnownDLLs themselves.
PLANTED_NAMES=(comctl32 msimg32 oleacc uxtheme wtsapi32 dwmapi winmm powrprof propsys
  cryptbase userenv profapi sspicli secur32 dbghelp netapi32 winsta)
PLANTED_APPLETS=(timedate.cpl desk.cpl intl.cpl)

# The markers left in the folder, one name a line.
planted_markers() { # folder
  local f
  for f in "$1"/*.loaded; do [ -e "$f" ] && basename "$f" .loaded; done
}

scenario_planting() {
  [ -f "$PLANTED_DLL" ] || { fail "no planted DLL at $PLANTED_DLL"; return; }
  local dir=$WORK/downloads name
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$EXE" "$dir/zavrin4.exe"
  for name in "${PLANTED_NAMES[@]}"; do cp "$PLANTED_DLL" "$dir/$name.dll"; done
  for name in "${PLANTED_APPLETS[@]}"; do cp "$PLANTED_DLL" "$dir/$name"; done
  # Windows opens a .cpl through the control panel's loader; Wine has no open command for it at all.
  wine reg add 'HKCR\.cpl' /ve /d cplfile /f >/dev/null 2>&1
  wine reg add 'HKCR\cplfile\shell\cplopen\command' /ve /d 'rundll32.exe shell32.dll,Control_RunDLL "%1",%*' /f >/dev/null 2>&1
  wine reg add 'HKCR\cplfile\shell' /ve /d cplopen /f >/dev/null 2>&1

  # The planted copies must be loadable at all, else the run below proves nothing: a DLL loaded by its
  # full path leaves its marker.
  local check=$WORK/planted-check
  rm -rf "$check"
  mkdir -p "$check"
  cp "$PLANTED_DLL" "$check/probe.dll"
  wine rundll32.exe "$(to_windows_path "$check/probe.dll"),CPlApplet" >/dev/null 2>&1
  [ -e "$check/probe.dll.loaded" ] || { fail "a planted DLL leaves no marker when loaded, so this check would see nothing"; return; }

  local overrides exe=$EXE saved=$WINEDLLOVERRIDES
  overrides=$(IFS=,; echo "${PLANTED_NAMES[*]}")
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$overrides=n,b"
  EXE=$dir/zavrin4.exe
  pushd "$dir" >/dev/null || return
  start_app
  local started=$?
  popd >/dev/null || true
  EXE=$exe
  export WINEDLLOVERRIDES=$saved
  if [ "$started" -eq 0 ]; then
    local read=$WORK/acc-planting.txt
    probe "$MAIN_TITLE" "$read" || fail "the screen reader's probe read nothing of the main window"
    local entry
    for entry in 0 1 2; do
      click_main 420 290
      menu_keys 1 "$entry"
      sleep 1.5
    done
    # Give a control panel started last the time to load what it was given.
    sleep 3
    shot after-applets "$MAIN"
    alive "$APP" || fail "the program ended while it opened the applets"
  fi
  local found
  found=$(planted_markers "$dir" | paste -sd' ')
  [ -z "$found" ] || fail "planted copies beside the program were loaded: $found"
  [ "$started" -eq 0 ] && [ -z "$found" ] && say "nothing planted was loaded (${#PLANTED_NAMES[@]} DLLs, ${#PLANTED_APPLETS[@]} applets)"
  stop_app
  stop_control_panels
}

# The control panels the program started in this run's prefix: they may still show a window (or an
# error) that the scenarios after this one must not find in their way.
stop_control_panels() {
  local pid
  for pid in $(pgrep -f 'rundll32'); do
    grep -qz "^WINEPREFIX=$PFX\$" "/proc/$pid/environ" 2>/dev/null && kill "$pid" 2>/dev/null
  done
  return 0
}

ALL_SCENARIOS+=(planting)
