# The end of the session (the machine shutting down, the user logging off) while a moment is armed and
# the exit question is on: the program lets it end at once, asks nothing and starts nothing.
# Sourced by run-all, whose helpers it uses.

scenario_session_end() {
  reg_forget
  reg_store_dialog 1 || fail "could not store dialog = 1 before the start"
  start_app || return
  # An hour on from now: the hour field one up, then "Valideaza".
  click_main 140 26
  xdotool key Up
  click_valideaza
  shot armed "$MAIN"
  alive "$APP" || { fail "the program ended on arming"; return; }

  local asked ended prompt=""
  asked=$(ms)
  timeout 30 wineboot --end-session >>"$WORK/wine.log" 2>&1 &
  local boot=$!
  STARTED+=("$boot")
  while alive "$APP" && [ $(( $(ms) - asked )) -lt 8000 ]; do
    [ -n "$prompt" ] || prompt=$(visible_window 'Iesire')
    sleep 0.05
  done
  ended=$(( $(ms) - asked ))
  if alive "$APP"; then
    fail "the program still runs 8 s after the end of the session was asked"
  else
    say "the program ended $ended ms after the end of the session was asked"
    [ "$ended" -le 5000 ] || fail "the program took $ended ms to end, expected a few seconds at most"
    wait "$APP"
    local code=$?
    [ "$code" -eq 0 ] || fail "the program ended with exit code $code"
  fi
  [ -z "$prompt" ] || { fail "the exit question was shown while the session ended"; shot prompt "$prompt"; }
  wait "$boot" 2>/dev/null
  [ "$(log_lines)" -eq 0 ] || fail "the end of the session started shutdown.exe: $(paste -sd'|' "$LOG")"
  local value
  value=$(reg_dialog)
  [ "$value" = "REG_DWORD 0x1" ] || fail "the registry holds dialog = [$value] after the end of the session"
}

ALL_SCENARIOS+=(session-end)
