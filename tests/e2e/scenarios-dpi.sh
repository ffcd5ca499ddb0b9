# The program at 144 and 192 dpi (150 % and 200 %), each in a prefix of its own whose screen is set to
# that dpi (HKCU\Control Panel\Desktop, LogPixels): every window scaled from its 96-dpi layout, client
# sizes and child places as MulDiv rounds them, label texts compared pixel for pixel with the probe's
# drawing at that height in the face the program must ask for there (the layouts' raster MS Sans Serif
# as its TrueType design, Microsoft Sans Serif: a label left in the raster face, smaller and blocky,
# differs), and a screenshot of every window (e2e-dpi-<dpi>-*.png).
# Each runs on a virtual screen of its own, large enough for the scaled windows.
# Sourced by run-all, whose helpers it uses.

sc() { echo $(( ($1 * DPI + 48) / 96 )); } # MulDiv(v, dpi, 96) for v >= 0
scn() { echo $(( -( (-$1 * DPI + 48) / 96 ) )); } # the same for a negative font height

# A screen of $1 x $2 of its own for the scenario (a 1024 x 768 screen at 150 % holds less than the
# version history): DISPLAY points at it, XVFB_PID is its process. Returns 1 when it does not come up.
start_screen() { # width height
  local numfile=$WORK/xvfb-display n=""
  rm -f "$numfile"
  Xvfb -displayfd 3 -screen 0 "$1x$2x24" -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  STARTED+=("$XVFB_PID")
  local deadline=$(( $(ms) + 10000 ))
  while [ -z "$n" ] && [ "$(ms)" -lt "$deadline" ]; do
    sleep 0.1
    n=$(tr -dc 0-9 <"$numfile" 2>/dev/null)
  done
  [ -n "$n" ] || return 1
  export DISPLAY=:$n
}

stop_screen() {
  alive "$XVFB_PID" && kill "$XVFB_PID" 2>/dev/null
  wait "$XVFB_PID" 2>/dev/null
  return 0
}

# Runs the checks at $1 dpi, on a screen of $2 x $3, in a copy of the project's prefix with that dpi
# and the recording stub.
dpi_scenario() { # dpi width height
  DPI=$1
  local pfx=$OUT/e2e-wineprefix-dpi$DPI saved=$WINEPREFIX saved_display=$DISPLAY
  start_screen "$2" "$3" || { fail "no screen of $2 x $3 for $DPI dpi"; stop_screen; export DISPLAY=$saved_display; return; }
  case "$pfx" in "$OUT"/*) ;; *) fail "refusing to use $pfx"; return ;; esac
  rm -rf "$pfx"
  if ! cp -a "$SOURCE_PREFIX" "$pfx" 2>/dev/null; then
    fail "could not copy $SOURCE_PREFIX"
    export DISPLAY=$saved_display
    stop_screen
    return
  fi
  export WINEPREFIX=$pfx
  local sysdir=$pfx/drive_c/windows/system32
  [ "$SYSDIR" != "$PFX/drive_c/windows/system32" ] && sysdir=$pfx/drive_c/windows/syswow64
  cp "$STUB" "$sysdir/shutdown.exe"
  wine reg add 'HKCU\Software\Wine\DllOverrides' /v shutdown.exe /t REG_SZ /d native /f >/dev/null 2>&1
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$DPI" /f >/dev/null 2>&1
  wineserver -w
  wineserver -p >/dev/null 2>&1
  dpi_checks
  stop_app
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  export WINEPREFIX=$saved DISPLAY=$saved_display
  stop_screen
  rm -rf "$pfx"
}

# The window titled $1, opened from the main window's menu: column $2, entry $3 (keyboard, as in
# pick_menu, after a click on an empty spot of the main window at this dpi).
dpi_open_menu() { # title column entry
  click_client "$MAIN" "$MAIN_SW" "$MAIN_SH" "$(sc 420)" "$(sc 290)"
  menu_keys "$2" "$3"
  OPENED=$(wait_window "$1" 5000) || { fail "the menu did not show \"$1\" at $DPI dpi"; return 1; }
}

# The client size the probe reads for the window titled $1 must be $2 x $3 at 96 dpi, scaled.
dpi_expect_client() { # title w h
  probe_window "$1" || return 1
  expect_probed "\"$1\" at $DPI dpi" "client $(sc "$2")x$(sc "$3")"
}

dpi_checks() {
  SPLASH_SIZE="$(sc 399)x$(sc 316)"
  MAIN_SW=$(sc "$MAIN_W") MAIN_SH=$(sc "$MAIN_H")
  start_app
  local started=$?
  SPLASH_SIZE=""
  [ "$started" -eq 0 ] || return
  # The main window: client size, the buttons' places, label texts in the scaled font.
  if dpi_expect_client "$MAIN_TITLE" "$MAIN_W" "$MAIN_H"; then
    expect_child "main window at $DPI dpi" Valideaza "$(sc 36),$(sc 96)" "$(sc 177)x$(sc 25)"
    expect_child "main window at $DPI dpi" Iesire "$(sc 132),$(sc 128)" "$(sc 81)x$(sc 25)"
    expect_child "main window at $DPI dpi" Temporizator "$(sc 36),$(sc 192)" "$(sc 177)x$(sc 25)"
  fi
  expect_label "$MAIN" "$MAIN_SW" "$MAIN_SH" main "$(sc 32)" "$(sc 22)" 'Microsoft Sans Serif' "$(scn -11)" 0 'Ora actiunii:'
  expect_label "$MAIN" "$MAIN_SW" "$MAIN_SH" main "$(sc 32)" "$(sc 264)" 'Microsoft Sans Serif' "$(scn -11)" 0 'Ora curenta este:'

  # The information windows, from the "Despre" menu.
  if dpi_open_menu "$INFO_TITLE" 2 0; then
    shot info "$OPENED"
    dpi_expect_client "$INFO_TITLE" "$INFO_W" "$INFO_H"
    click_client "$OPENED" "$(sc "$INFO_W")" "$(sc "$INFO_H")" "$(sc $((24 + 148)))" "$(sc $((152 + 12)))"
    wait_hidden "$OPENED" 2000 || fail "\"OK\" did not hide the system information window at $DPI dpi"
  fi
  if dpi_open_menu "$VERSIUNI_TITLE" 2 1; then
    shot versiuni "$OPENED"
    if dpi_expect_client "$VERSIUNI_TITLE" "$VERSIUNI_W" "$VERSIUNI_H"; then
      expect_child "version history at $DPI dpi" OK "$(sc 16),$(sc 568)" "$(sc 497)x$(sc 25)"
    fi
    expect_label "$OPENED" "$(sc "$VERSIUNI_W")" "$(sc "$VERSIUNI_H")" versiuni "$(sc 128)" "$(sc 32)" 'Microsoft Sans Serif' \
      "$(scn -21)" 1 'Zavrin computer - Versiuni'
    xdotool key Return
    wait_hidden "$OPENED" 2000 || fail "Enter did not hide the version history at $DPI dpi"
  fi
  if dpi_open_menu "$DESPRE_TITLE" 2 2; then
    shot despre "$OPENED"
    if probe_window 'Despre ... '; then
      expect_child "About window at $DPI dpi" Ok "$(sc 168),$(sc 80)" "$(sc 75)x$(sc 25)"
    fi
    local client_w client_h
    read -r client_w client_h < <(sed -n 's/^client \([0-9]*\)x\([0-9]*\)$/\1 \2/p' <<<"$PROBED")
    expect_label "$OPENED" "${client_w:-0}" "${client_h:-0}" despre "$(sc 16)" "$(sc 24)" Arial "$(scn -13)" 1 \
      'Zavrin computer v4.01'
    click_client "$OPENED" "${client_w:-0}" "${client_h:-0}" "$(sc $((168 + 37)))" "$(sc $((80 + 12)))"
    wait_hidden "$OPENED" 2000 || fail "\"Ok\" did not hide the About window at $DPI dpi"
  fi
  if dpi_open_menu "$SETARI_TITLE" 1 3; then
    shot setari "$OPENED"
    if probe_window "$SETARI_TITLE"; then
      expect_child "settings window at $DPI dpi" 'Arata dialog atentionare la iesire' "$(sc 48),$(sc 64)" \
        "$(sc 177)x$(sc 17)"
      read -r client_w client_h < <(sed -n 's/^client \([0-9]*\)x\([0-9]*\)$/\1 \2/p' <<<"$PROBED")
      click_close_box "$OPENED" "${client_w:-0}" "${client_h:-0}"
      wait_hidden "$OPENED" 2000 || fail "the settings window did not close from its title bar at $DPI dpi"
    fi
  fi

  # The exit prompt, answered "NU".
  click_client "$MAIN" "$MAIN_SW" "$MAIN_SH" "$(sc $((132 + 40)))" "$(sc $((128 + 12)))"
  local prompt
  if prompt=$(wait_window 'Iesire' 5000); then
    shot prompt "$prompt"
    if dpi_expect_client 'Iesire' "$PROMPT_W" "$PROMPT_H"; then
      expect_child "exit prompt at $DPI dpi" NU "$(sc 16),$(sc 56)" "$(sc 129)x$(sc 25)"
    fi
    expect_label "$prompt" "$(sc "$PROMPT_W")" "$(sc "$PROMPT_H")" prompt "$(sc 64)" "$(sc 32)" 'Microsoft Sans Serif' \
      "$(scn -13)" 1 'Doriti sa parasiti programul ?'
    click_client "$prompt" "$(sc "$PROMPT_W")" "$(sc "$PROMPT_H")" "$(sc $((16 + 64)))" "$(sc $((56 + 12)))"
    MAIN=$(wait_window "$MAIN_TITLE" 5000) || fail "\"NU\" did not bring the main window back at $DPI dpi"
  else
    fail "\"Iesire\" showed no prompt at $DPI dpi"
  fi

  # The countdown window and its strip, shown by "Temporizator"; nothing is armed.
  click_client "$MAIN" "$MAIN_SW" "$MAIN_SH" "$(sc $((36 + 88)))" "$(sc $((192 + 12)))"
  local count strip
  if count=$(wait_window "$COUNT_TITLE" 5000); then
    shot countdown "$count"
    dpi_expect_client "$COUNT_TITLE" "$COUNT_W" "$COUNT_H"
    if strip=$(wait_window 'Ramas' 5000); then
      shot strip "$strip"
      eval "$(xdotool getwindowgeometry --shell "$strip")"
      [ "${WIDTH}x$HEIGHT" = "$(sc "$STRIP_W")x$(sc "$STRIP_H")" ] ||
        fail "the strip is ${WIDTH}x$HEIGHT at $DPI dpi, expected $(sc "$STRIP_W")x$(sc "$STRIP_H")"
    fi
  else
    fail "\"Temporizator\" did not show the countdown window at $DPI dpi"
  fi
  alive "$APP" || fail "the program ended at $DPI dpi"
}

# 150 % on a full-HD screen, 200 % on a 2560 x 1440 one.
scenario_dpi_144() { dpi_scenario 144 1920 1080; }
scenario_dpi_192() { dpi_scenario 192 2560 1440; }

ALL_SCENARIOS+=(dpi-144 dpi-192)
