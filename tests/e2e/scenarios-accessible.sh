# Screen readers: a probe of the tests' own (acc_probe.exe, built next to the recording stub) reads the
# main window and the countdown window from another process, as a reader does, and finds each item by
# its role, name, state and hint. oleacc.dll must not be in the program before the probe asks.
# Sourced by run-all, whose helpers it uses.

ACC_PROBE=$(dirname "$STUB")/acc_probe.exe

# The Linux processes of the running program (this run's prefix only).
app_processes() {
  local pid
  for pid in $(pgrep -f 'zavrin4\.exe'); do
    grep -qz "^WINEPREFIX=$PFX\$" "/proc/$pid/environ" 2>/dev/null && grep -q 'zavrin4\.exe' "/proc/$pid/maps" 2>/dev/null &&
      echo "$pid"
  done
}

app_maps() { # dll: how many of the program's processes have it mapped
  local pid n=0
  for pid in $(app_processes); do
    grep -qi "/$1\$" "/proc/$pid/maps" 2>/dev/null && n=$((n + 1))
  done
  echo "$n"
}

probe() { # title output-file
  wine "$ACC_PROBE" "$1" 2>>"$WORK/wine.log" | tr -d '\r' >"$2"
  [ -s "$2" ]
}

expect_line() { # file extended-regex what
  grep -Eq -- "$2" "$1" || fail "the reader does not find $3 (no line like /$2/ in $(basename "$1"))"
}

scenario_accessible() {
  [ -f "$ACC_PROBE" ] || { fail "no probe at $ACC_PROBE"; return; }
  start_app || return
  sleep 1
  if [ -z "$(app_processes)" ]; then
    fail "the program's process is not found, so its mapped files cannot be checked"
  elif [ "$(app_maps oleacc.dll)" != 0 ]; then
    fail "oleacc.dll is mapped into the program before any reader asked"
  fi

  local main=$WORK/acc-main.txt count=$WORK/acc-countdown.txt
  probe "$MAIN_TITLE" "$main" || { fail "the probe read nothing of the main window"; return; }
  [ "$(app_maps oleacc.dll)" != 0 ] || fail "oleacc.dll is not in the program although a reader asked"
  say "main window as a reader reads it:"
  sed 's/^/    /' "$main"

  expect_line "$main" '^client "Zavrin Computer v4.01"' "the main window"
  expect_line "$main" '^  static text "Ora actiunii:"' "the label of the time picker"
  expect_line "$main" '^  static text "Ora curenta este:"' "the current time's label"
  expect_line "$main" '^  static text "[0-9]{1,2}:[0-9]{2}:[0-9]{2}' "the current time"
  expect_line "$main" '^  static text "Ora zavrinii este:"' "the armed time's label"
  expect_line "$main" '^  static text "nestabilita"' "the armed time, not set yet"
  expect_line "$main" '^  link "email: [^"]*@[^"]*".*\{Deschide\}' "the mail link"
  # The pickers keep the system's own object (its role is the system's), named by their labels.
  local l
  for l in 'Ora actiunii:' 'Data actiunii:'; do
    grep -E "^  [a-z0-9 ]+ \"$l\"" "$main" | grep -vq '^  static text' ||
      fail "the reader does not find the picker named \"$l\""
  done
  expect_line "$main" '^  grouping "Tipul actiunii" \[expanded.* hint "Selectati tipul actiunii"' "the action kind group"
  expect_line "$main" '^  grouping "Zavrin in retea \(numai XP\)" \[expanded' "the network group"
  expect_line "$main" '^    editable text "Numele sistemului :" = "//"' "the machine name edit named by its label"
  local b
  for b in 'Valideaza|Apasati pentru a valida datele introduse' 'Anuleaza|Anulati datele introduse \(si implicit si zavrina\)' \
    'Iesire|Parasiti programul' 'Zavrin imediata|Opriti instantaneu sistemul' \
    'Temporizator|Selectati pentru trecerea in fereastra temporizatorului'; do
    expect_line "$main" "^  push button \"${b%%|*}\".* hint \"${b#*|}\"" "the button \"${b%%|*}\" with its hint"
  done
  expect_line "$main" '^    radio button "Zavrin" \[checked' "\"Zavrin\" checked"
  expect_line "$main" '^    radio button "Rebootare" \[focusable' "\"Rebootare\" not checked"
  expect_line "$main" '^    radio button "Delogare" \[focusable' "\"Delogare\" not checked"
  expect_line "$main" '^    radio button "Actiune locala" \[checked' "\"Actiune locala\" checked"
  expect_line "$main" '^    radio button "Actiune in retea" \[(focusable|unavailable)' "\"Actiune in retea\" not checked"

  # Armed, the time shows where "nestabilita" was. A moment already gone is refused, so it is armed an
  # hour and a year on: the hour field stepped up (the pickers stop following the clock), then the date
  # picker's year.
  click_main 140 26
  xdotool key Up
  click_main 138 58
  xdotool key Right Right Up
  click_valideaza
  sleep 1
  probe "$MAIN_TITLE" "$main.armed" || fail "the probe read nothing of the armed main window"
  grep -q '^  static text "nestabilita"' "$main.armed" && fail "the armed time still reads \"nestabilita\""
  [ "$(grep -Ec '^  static text "[0-9]{1,2}:[0-9]{2}:[0-9]{2}' "$main.armed")" -ge 2 ] ||
    fail "the reader does not find both the current and the armed time"

  # The countdown window, read while hidden as a reader may.
  probe 'Temporizator v4.01' "$count" || { fail "the probe read nothing of the countdown window"; return; }
  expect_line "$count" '^  progress bar "Timp trecut".* = "[0-9]{1,3} %".* hint "Raportul dintre timpul trecut si cel ramas pana la zavrin"' "the countdown's gauge named by its label, with its value"
  expect_line "$count" '^  editable text "Timpul pana la zavrin" = "1"' "the minutes named by their label"
  expect_line "$count" '^    spin button "Timpul pana la zavrin"' "the minutes' arrows, named after their field"
  expect_line "$count" '^      push button "Sus"' "the up arrow"
  expect_line "$count" '^      push button "Jos"' "the down arrow"
  expect_line "$count" '^  push button "Valideaza".* hint "Validati optiunile alese"' "the countdown's \"Valideaza\" with its hint"
}

ALL_SCENARIOS+=(accessible)
