# Scenarios with the Wine shutdown.exe of build/wine/ in place of the recording stub: what reaches the
# Linux machine with and without the user's consent. The host command is always a recorder here, so
# even with consent nothing is ended; the stub is put back after each scenario.

# Consent belongs to the scenario that gives it, never to the run.
unset ZV_HOST_ACTIONS ZV_HOST_COMMAND ZV_NOTIFY_COMMAND

HOST_COMMANDS=""  # what the recorder was asked to run, one command line per start
HOST_NOTICES=""   # the desktop notifications the stand-in sent
HOST_LOG=""       # the stand-in's own log

# What the stand-in runs on this machine for a local shut-down and reboot.
if [ -d /run/systemd/system ]; then
  HOST_POWEROFF="systemctl poweroff" HOST_REBOOT="systemctl reboot"
else
  HOST_POWEROFF="shutdown -h now" HOST_REBOOT="shutdown -r now"
fi

write_recorder() { # script log
  printf '#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s"\n' "$2" >"$1"
  chmod +x "$1"
}

# Puts the stand-in in place of the stub, with the recorders; "consent" as $1 also gives consent.
host_begin() {
  local standin
  standin=$(dirname "$(dirname "$EXE")")/wine/shutdown.exe
  [ -f "$standin" ] || { fail "there is no $standin"; return 1; }
  HOST_COMMANDS=$WORK/host-commands.log HOST_NOTICES=$WORK/host-notices.log HOST_LOG=$WORK/host-actions.log
  rm -f "$HOST_COMMANDS" "$HOST_NOTICES" "$HOST_LOG"
  write_recorder "$WORK/host-command.sh" "$HOST_COMMANDS"
  write_recorder "$WORK/host-notify.sh" "$HOST_NOTICES"
  cp "$standin" "$SYSDIR/shutdown.exe" || { fail "could not put the stand-in in place"; return 1; }
  export ZV_HOST_LOG=$HOST_LOG ZV_HOST_COMMAND=$WORK/host-command.sh ZV_NOTIFY_COMMAND=$WORK/host-notify.sh
  unset ZV_HOST_ACTIONS
  if [ "${1:-}" = consent ]; then
    # Consent only with the recorder standing in for the host command.
    [ -x "$ZV_HOST_COMMAND" ] || { fail "no recorder at $ZV_HOST_COMMAND, so no consent"; return 1; }
    export ZV_HOST_ACTIONS=1
  fi
}

host_end() {
  stop_app
  unset ZV_HOST_ACTIONS ZV_HOST_COMMAND ZV_NOTIFY_COMMAND ZV_HOST_LOG
  cp "$STUB" "$SYSDIR/shutdown.exe" || fail "could not put the recording stub back"
}

lines_of() { [ -f "$1" ] && wc -l <"$1" || echo 0; }

wait_lines() { # file timeout-ms
  local deadline=$(( $(ms) + $2 ))
  until [ "$(lines_of "$1")" -gt 0 ]; do
    [ "$(ms)" -ge "$deadline" ] && return 1
    sleep 0.05
  done
}

# Exactly one start of the host command, and that one $1.
expect_host_command_once() {
  local got
  got=$(cat "$HOST_COMMANDS" 2>/dev/null)
  [ "$got" = "$1" ] || fail "the host command was asked for [$(echo "$got" | paste -sd'|')], expected [$1] once"
}

scenario_host_immediate_without_consent() {
  reg_forget
  host_begin || { host_end; return; }
  start_app || { host_end; return; }
  click_zavrin_imediata
  if ! wait_lines "$HOST_LOG" 8000; then
    fail "\"Zavrin imediata\" left nothing in the stand-in's log within 8 s"
  else
    sleep 1.5 # a host command, had one been started, would have come by now
    import -window root "$SHOTS/e2e-$SCENARIO-screen.png" 2>/dev/null || true
    say "log: $(cat "$HOST_LOG")"
    grep -q -- "shutdown -s -t 00  ->  not run (would run: $HOST_POWEROFF); ZV_HOST_ACTIONS=1" "$HOST_LOG" ||
      fail "the log does not say that \"$HOST_POWEROFF\" was not run: $(cat "$HOST_LOG")"
    [ "$(lines_of "$HOST_LOG")" -eq 1 ] || fail "the log holds $(lines_of "$HOST_LOG") lines for one request"
    [ "$(lines_of "$HOST_NOTICES")" -eq 1 ] && grep -q "ZV_HOST_ACTIONS=1" "$HOST_NOTICES" ||
      fail "the user was not told once, naming ZV_HOST_ACTIONS: [$(cat "$HOST_NOTICES" 2>/dev/null)]"
    [ "$(lines_of "$HOST_COMMANDS")" -eq 0 ] || fail "without consent the host command ran: $(cat "$HOST_COMMANDS")"
  fi
  alive "$APP" || fail "the program ended after \"Zavrin imediata\""
  shot main-after "$MAIN"
  host_end
}

scenario_host_immediate_with_consent() {
  reg_forget
  host_begin consent || { host_end; return; }
  start_app || { host_end; return; }
  click_zavrin_imediata
  if ! wait_lines "$HOST_COMMANDS" 8000; then
    fail "with consent, \"Zavrin imediata\" reached no host command within 8 s (log: $(cat "$HOST_LOG" 2>/dev/null))"
  else
    sleep 1.5
    expect_host_command_once "$HOST_POWEROFF"
    [ "$(lines_of "$HOST_NOTICES")" -eq 0 ] || fail "with consent the user was still told it was not done"
  fi
  host_end
}

scenario_host_armed_reboot() {
  reg_forget
  host_begin consent || { host_end; return; }
  start_app || { host_end; return; }
  click_rebootare
  arm_seconds_ahead
  if ! wait_lines "$HOST_COMMANDS" $(( ARMED_AT * 1000 + 6000 - $(ms) )); then
    fail "the armed reboot reached no host command within 6 s of its second (log: $(cat "$HOST_LOG" 2>/dev/null))"
  else
    # The following ticks must not fire again.
    while [ "$(ms)" -lt $(( ARMED_AT * 1000 + 3500 )) ]; do sleep 0.1; done
    expect_host_command_once "$HOST_REBOOT"
  fi
  shot main-after "$MAIN"
  host_end
}

ALL_SCENARIOS+=(host-immediate-without-consent host-immediate-with-consent host-armed-reboot)

# A one-minute countdown reaches the host command the same way. It needs the countdown window, whose
# own scenario (scenarios-countdown.sh, sourced before this file) brings its titles and sizes.
COUNT_TITLE=${COUNT_TITLE:-Temporizator v4.01}
COUNT_W=${COUNT_W:-251} COUNT_H=${COUNT_H:-236}
[ "$(type -t click_count)" = function ] || click_count() { click_client "$COUNT" "$COUNT_W" "$COUNT_H" "$1" "$2"; }

scenario_host_countdown() {
  reg_forget
  host_begin consent || { host_end; return; }
  start_app || { host_end; return; }
  click_main $((36 + 88)) $((192 + 12)) # "Temporizator"
  if ! COUNT=$(wait_window "$COUNT_TITLE" 5000); then
    fail "\"Temporizator\" did not show the countdown window"
    host_end
    return
  fi
  click_count $((120 + 20)) $((16 + 10)) # the minutes field
  xdotool key End BackSpace BackSpace BackSpace BackSpace
  xdotool type --delay 20 1
  local confirmed
  confirmed=$(ms)
  click_count $((24 + 84)) $((104 + 12)) # "Valideaza"
  say "one minute confirmed"
  sleep 50
  [ "$(lines_of "$HOST_COMMANDS")" -eq 0 ] || fail "the host command ran $(( $(ms) - confirmed )) ms into a one-minute count"
  if ! wait_lines "$HOST_COMMANDS" $(( confirmed + 66000 - $(ms) )); then
    fail "the countdown reached no host command within 66 s (log: $(cat "$HOST_LOG" 2>/dev/null))"
  else
    say "host command $(( $(ms) - confirmed )) ms after the confirmation"
    sleep 4 # later ticks must not ask again
    expect_host_command_once "$HOST_POWEROFF"
  fi
  host_end
}
if [ "$(type -t scenario_countdown)" = function ]; then
  ALL_SCENARIOS+=(host-countdown)
fi
