# What the program asks of shutdown.exe as Windows' own would take it, against the strict recording
# stub: a local log-off accepted; a network log-off armed and sent to the machine's session service,
# never to shutdown.exe, and Wine's answer (it has no such service: error 120) shown to the user; a
# network restart sent as \\srv9; a network shut-down that the stub refuses (a machine it cannot find)
# shown to the user. Sourced by run-all, whose helpers these use.

click_kind() { # 1 shut down, 2 restart, 3 log off
  click_main $(( 256 + 8 + 40 )) $(( 16 + 24 * $1 + 8 ))
}
click_network() { click_main $(( 256 + 10 + 48 )) $(( 128 + 56 + 8 )); }
click_anuleaza() { click_main $(( 36 + 40 )) $(( 128 + 12 )); }

# Replaces the machine-name field's text with $1.
type_machine() {
  click_main $(( 256 + 8 + 64 )) $(( 128 + 96 + 10 ))
  xdotool key End
  local i
  for i in $(seq 24); do xdotool key BackSpace; done
  xdotool type --delay 20 "$1"
}

refused_lines() { [ -f "$REFUSED" ] && wc -l <"$REFUSED" || echo 0; }

# Waits for the program's warning and reads it from outside; WARNING holds the probe's report.
read_warning() { # timeout-ms [screenshot name]
  local box
  WARNING=""
  if ! box=$(wait_window 'Atentie' "$1"); then
    fail "no warning \"Atentie\" appeared within $1 ms"
    return 1
  fi
  shot "${2:-warning}" "$box"
  probe_window 'Atentie' || return 1
  WARNING=$PROBED
  say "warning: $(grep -F 'child Static' <<<"$WARNING" | grep -v '\"\"' | paste -sd' ')"
  xdotool windowfocus --sync "$box" 2>/dev/null
  xdotool key Return
  wait_hidden "$box" 3000 || fail "the warning did not go on Enter"
}

expect_warning_says() { # text
  grep -qF -- "$1" <<<"$WARNING" || fail "the warning does not say [$1]: [$(paste -sd'|' <<<"$WARNING")]"
}

scenario_request_local_logoff() {
  reg_forget
  start_app || return
  click_kind 3
  arm_seconds_ahead
  expect_fired_once_at_armed_second "-l"
  [ "$(refused_lines)" -eq 0 ] || fail "the stub refused: $(cat "$REFUSED")"
  [ -z "$(visible_window 'Atentie')" ] || fail "a log-off the stub accepted was reported as failed"
  stop_app
}

scenario_request_network() {
  reg_forget
  export ZV_SHUTDOWN_UNREACHABLE=srv-off
  start_app || { unset ZV_SHUTDOWN_UNREACHABLE; return; }
  unset ZV_SHUTDOWN_UNREACHABLE

  # A network log-off: armed like the other network actions, and at its moment sent to the session
  # service of \\srv9, which Wine does not have: its error is shown, and shutdown.exe is never asked.
  click_kind 3
  click_network
  type_machine //srv9
  arm_seconds_ahead
  while [ "$(ms)" -lt $(( ARMED_AT * 1000 - 200 )) ]; do
    if [ -n "$(visible_window 'Atentie')" ]; then
      fail "a warning came before the armed second: the network log-off was refused when armed"
      break
    fi
    sleep 0.1
  done
  if read_warning $(( ARMED_AT * 1000 + 6000 - $(ms) )) logoff-warning; then
    expect_warning_says 'Delogarea de pe sistemul \\srv9 nu a reusit.'
    expect_warning_says '(cod 120)'
  fi
  while [ "$(ms)" -lt $(( ARMED_AT * 1000 + 2500 )) ]; do sleep 0.1; done
  [ "$(log_lines)" -eq 0 ] && [ "$(refused_lines)" -eq 0 ] ||
    fail "a network log-off reached shutdown.exe: [$(cat "$LOG" "$REFUSED" 2>/dev/null | paste -sd'|')]"
  [ -z "$(visible_window 'Atentie')" ] || fail "the log-off was sent, or shown, more than once"

  # A network restart goes out as \\srv9, whatever the field's slashes. The arming left the time
  # picker as typed (an edited time no longer follows the clock), so it is brought back first: typing
  # only the seconds into a minute gone by would arm a moment already past.
  click_anuleaza
  sleep 1.2
  click_kind 2
  arm_seconds_ahead
  expect_fired_once_at_armed_second '-r -m \\srv9 -t 00'
  [ -z "$(visible_window 'Atentie')" ] || fail "a restart the stub accepted was reported as failed"

  # A machine the stub cannot find: exit code 53, shown to the user with the system's text.
  click_anuleaza
  sleep 1.2 # a tick brings the time picker back to the clock
  click_kind 1
  type_machine srv-off
  arm_seconds_ahead
  local deadline=$(( ARMED_AT * 1000 + 6000 ))
  until [ "$(refused_lines)" -gt 0 ] || [ "$(ms)" -ge "$deadline" ]; do sleep 0.05; done
  [ "$(cat "$REFUSED" 2>/dev/null)" = '53 -s -m \\srv-off -t 00' ] ||
    fail "the stub was not asked to shut \\\\srv-off down once: [$(paste -sd'|' "$REFUSED" 2>/dev/null)]"
  if read_warning 5000; then
    expect_warning_says 'Zavrina sistemului \\srv-off nu a reusit.'
    expect_warning_says '(cod 53)'
  fi
  [ "$(log_lines)" -eq 1 ] || fail "shutdown.exe recorded more than the restart: $(paste -sd'|' "$LOG")"
  alive "$APP" || fail "the program ended after the failure"
  shot main-after "$MAIN"
  stop_app
}

ALL_SCENARIOS+=(request-local-logoff request-network)
